#include "audio/sample.h"
#include "tests/audio/decoder_fixtures.h"

#include <functional>
#include <limits>
#include <memory>

using namespace TessaroAudio;

namespace {

std::string chunk(const char* id, const std::string& body)
{
    std::string out = id;
    put_u32(out, uint32_t(body.size()));
    return out + body;
}

std::string fmt_body(int tag, int channels, int rate, int block_align, int bits)
{
    std::string out;
    put_u16(out, uint16_t(tag));
    put_u16(out, uint16_t(channels));
    put_u32(out, uint32_t(rate));
    put_u32(out, uint32_t(rate * block_align));
    put_u16(out, uint16_t(block_align));
    put_u16(out, uint16_t(bits));
    return out;
}

std::string pcm(const std::vector<int16_t>& samples)
{
    std::string out;
    for (const int16_t s : samples)
        put_u16(out, uint16_t(s));
    return out;
}

std::string riff(const std::string& chunks, uint32_t riff_size)
{
    std::string out = "RIFF";
    put_u32(out, riff_size);
    return out + "WAVE" + chunks;
}

std::string riff(const std::string& chunks)
{
    return riff(chunks, uint32_t(4 + chunks.size()));
}

// Stereo frames whose samples count up from 0, so a value names its place.
std::vector<int16_t> counting(int samples)
{
    std::vector<int16_t> out(static_cast<size_t>(samples));
    for (int i = 0; i < samples; ++i)
        out[size_t(i)] = int16_t(i);
    return out;
}

// What `action` writes to standard error, where the header's faults go.
std::string error_output_of(const std::function<void()>& action)
{
    testing::internal::CaptureStderr();
    action();
    fflush(stderr);
    return testing::internal::GetCapturedStderr();
}

class WavDecoding : public DecoderTest {
protected:
    // A loose file on the content volume, opened and ready to decode.
    std::unique_ptr<BaseFile> loose(const std::string& bytes)
    {
        volumes.put_content("test.wav", bytes);
        return std::make_unique<BaseFile>("./test.wav", "r");
    }

    std::unique_ptr<SoundDecoder> decoder_of(const std::string& bytes)
    {
        file_ = loose(bytes);
        return std::unique_ptr<SoundDecoder>(
            create_decoder(*file_, Media::WAV, unsigned(bytes.size())));
    }

    std::unique_ptr<BaseFile> file_;
};

}  // namespace

TEST_F(WavDecoding, sound_items_decode_exactly_through_the_asset_file)
{
    const std::vector<int16_t> mono = sine_wave(440.0, 5512, 22050, 1, 20000.0);
    std::vector<int16_t> stereo;
    for (int i = 0; i < 3000; ++i) {
        stereo.push_back(int16_t(i * 7));
        stereo.push_back(int16_t(-i * 5 - 1));
    }
    const std::string mono_wav = wav_file(mono, 1, 22050);
    ASSERT_EQ(mono_wav.size(), 44u + 5512 * 2);
    EXPECT_EQ(mono_wav.substr(0, 4), "RIFF");
    EXPECT_EQ(mono_wav.substr(36, 4), "data");
    write_sound_assets(volumes, {{3, sound_item(SOUND_ITEM_WAV, mono_wav)},
                                 {7, sound_item(SOUND_ITEM_WAV, wav_file(stereo, 2, 44100))}});

    AssetFile file;
    Media::AudioType type;
    unsigned size;
    open_sound_item(file, 3, type, size);
    EXPECT_EQ(type, Media::WAV);
    EXPECT_EQ(size, mono_wav.size());
    const Sample one(file, type, size);
    ASSERT_FALSE(one.is_empty());
    EXPECT_EQ(one.samples, 5512u);
    EXPECT_EQ(one.channels, 1);
    EXPECT_EQ(one.sample_rate, 22050);
    EXPECT_EQ(one.right, nullptr);
    EXPECT_EQ(reinterpret_cast<uintptr_t>(one.left) % 64, 0u);
    EXPECT_EQ(std::vector<int16_t>(one.left, one.left + 5512), mono);

    open_sound_item(file, 7, type, size);
    const unsigned data_end = AssetFile::item_offset(7, AssetFile::SOUND_DATA) + 8 + size;
    const Sample two(file, type, size);
    EXPECT_EQ(file.tell(), data_end);  // the file stays open after what was read
    ASSERT_FALSE(two.is_empty());
    EXPECT_EQ(two.samples, 6000u);
    EXPECT_EQ(two.channels, 2);
    EXPECT_EQ(two.sample_rate, 44100);
    EXPECT_EQ(reinterpret_cast<uintptr_t>(two.right) % 64, 0u);
    EXPECT_EQ(std::vector<int16_t>(two.left, two.left + 3000), channel_of(stereo, 2, 0));
    EXPECT_EQ(std::vector<int16_t>(two.right, two.right + 3000), channel_of(stereo, 2, 1));
}

TEST_F(WavDecoding, tolerates_a_wrong_riff_size_other_chunks_and_a_long_format)
{
    const std::string data = chunk("data", pcm({100, -100, 200, -200}));
    const std::string list = chunk("LIST", "INFOISFT\x03\x00\x00\x00x\x00");
    std::string long_format = fmt_body(1, 2, 8000, 4, 16);
    put_u16(long_format, 0);  // cbSize of an 18-byte format
    const std::vector<std::pair<const char*, std::string>> files = {
        {"wrong RIFF size", riff(chunk("fmt ", fmt_body(1, 2, 8000, 4, 16)) + data, 3)},
        {"LIST first", riff(list + chunk("fmt ", fmt_body(1, 2, 8000, 4, 16)) + data)},
        {"LIST between", riff(chunk("fmt ", fmt_body(1, 2, 8000, 4, 16)) + list + data)},
        {"odd chunk", riff(chunk("abcd", "xyz") + chunk("fmt ", fmt_body(1, 2, 8000, 4, 16)) + data)},
        {"18-byte format", riff(chunk("fmt ", long_format) + data)},
        {"format tag 3", riff(chunk("fmt ", fmt_body(3, 2, 8000, 4, 16)) + data)},
    };
    for (const auto& [name, bytes] : files) {
        SCOPED_TRACE(name);
        std::unique_ptr<SoundDecoder> decoder;
        EXPECT_EQ(console_output_of([&] { decoder = decoder_of(bytes); }), "");
        ASSERT_NE(decoder, nullptr);
        EXPECT_EQ(decoder->samples, 4u);
        EXPECT_EQ(decoder->channels, 2);
        EXPECT_EQ(decoder->sample_rate, 8000);
        short left[2] = {}, right[2] = {};
        EXPECT_EQ(read_samples(*decoder, 4, left, right), 4u);
        EXPECT_EQ(left[0], 100);
        EXPECT_EQ(right[0], -100);
        EXPECT_EQ(left[1], 200);
        EXPECT_EQ(right[1], -200);
    }
}

TEST_F(WavDecoding, rejects_bad_headers_and_unplayable_shapes_without_a_sound)
{
    const std::string stereo = chunk("fmt ", fmt_body(1, 2, 8000, 4, 16));
    const std::string data = chunk("data", pcm({1, 2, 3, 4}));
    const std::string invalid = "Could not load sound\n";
    std::string wrapping = "LIST";
    put_u32(wrapping, 0xFFFFFFF8u);  // would move the scan back onto itself
    // The header's own line goes to standard error, "Could not load sound" to standard output.
    const struct {
        const char* name;
        std::string bytes;
        std::string header_fault;
    } cases[] = {
        {"not RIFF", "RIFX" + riff(stereo + data).substr(4), "WAV: Invalid header\n"},
        {"not WAVE", riff(stereo + data).replace(8, 4, "AVI "), "WAV: Invalid header\n"},
        {"cut header", "RIFF\x10", "WAV: Invalid header\n"},
        {"extensible", riff(chunk("fmt ", fmt_body(0xFFFE, 2, 8000, 4, 16)) + data), "WAV: Invalid type\n"},
        {"8-bit", riff(chunk("fmt ", fmt_body(1, 1, 8000, 1, 8)) + data), "WAV: Invalid sample size\n"},
        {"24-bit", riff(chunk("fmt ", fmt_body(1, 2, 8000, 6, 24)) + data), "WAV: Invalid sample size\n"},
        {"block align 0", riff(chunk("fmt ", fmt_body(1, 2, 8000, 0, 16)) + data), "WAV: Invalid blockalign\n"},
        {"block align of one channel", riff(chunk("fmt ", fmt_body(1, 2, 8000, 2, 16)) + data),
         "WAV: Invalid blockalign\n"},
        {"block align short of a frame", riff(chunk("fmt ", fmt_body(1, 2, 8000, 3, 16)) + data),
         "WAV: Invalid blockalign\n"},
        {"0 channels", riff(chunk("fmt ", fmt_body(1, 0, 8000, 2, 16)) + data), ""},
        {"3 channels", riff(chunk("fmt ", fmt_body(1, 3, 8000, 6, 16)) + chunk("data", pcm({1, 2, 3}))), ""},
        {"rate 0", riff(chunk("fmt ", fmt_body(1, 2, 0, 4, 16)) + data), ""},
        {"data before format", riff(data + stereo), ""},
        {"no data", riff(stereo), ""},
        {"empty data", riff(stereo + chunk("data", "")), ""},
        {"less than a frame", riff(stereo + chunk("data", "abc")), ""},
        {"less than a padded block", riff(chunk("fmt ", fmt_body(1, 2, 8000, 8, 16)) + chunk("data", "abcdef")), ""},
        {"short format", riff(chunk("fmt ", fmt_body(1, 2, 8000, 4, 16).substr(0, 14)) + data), ""},
        {"wrapping chunk size", riff(wrapping + stereo + data), ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::unique_ptr<SoundDecoder> decoder;
        std::string output;
        EXPECT_EQ(error_output_of([&] { output = console_output_of([&] { decoder = decoder_of(c.bytes); }); }),
                  c.header_fault);
        EXPECT_EQ(output, invalid);
        EXPECT_EQ(decoder, nullptr);
        file_->seek(0, 0);
        std::unique_ptr<Sample> sample;
        error_output_of([&] {
            console_output_of([&] { sample = std::make_unique<Sample>(*file_, Media::WAV, c.bytes.size()); });
        });
        EXPECT_TRUE(sample->is_empty());
        EXPECT_EQ(sample->samples, 0u);
        EXPECT_EQ(sample->channels, 0);
    }

    // An unknown type has no decoder and says nothing; a missing file loads nothing.
    file_ = loose(riff(stereo + data));
    for (const int type : {0, 3, -1}) {
        EXPECT_EQ(console_output_of([&] {
                      EXPECT_EQ(create_decoder(*file_, Media::AudioType(type), 100), nullptr);
                      EXPECT_TRUE(Sample(*file_, Media::AudioType(type), 100).is_empty());
                  }),
                  "");
    }
    BaseFile missing;
    std::string output;
    const std::string header_fault = error_output_of([&] {
        output = console_output_of([&] {
            missing.open("./missing.wav", "r");
            EXPECT_TRUE(Sample(missing, Media::WAV, 0).is_empty());
            EXPECT_TRUE(Sample(missing, Media::OGG, 0).is_empty());
        });
    });
    EXPECT_NE(output.find("Could not open file: "), std::string::npos);
    EXPECT_NE(output.find("Could not load sound\nCould not load sound\n"), std::string::npos);
    EXPECT_EQ(header_fault, "WAV: Invalid header\n");
}

TEST_F(WavDecoding, reads_and_seeks_by_whole_frames_within_the_data)
{
    const std::vector<int16_t> source = counting(2000);
    std::unique_ptr<SoundDecoder> decoder = decoder_of(wav_file(source, 2, 44100));
    ASSERT_NE(decoder, nullptr);
    EXPECT_EQ(decoder->samples, 2000u);
    short buffer[3000] = {};
    EXPECT_EQ(decoder->read(buffer, 3000), 2000u);
    EXPECT_EQ(buffer[1999], 1999);
    EXPECT_EQ(decoder->read(buffer, 3000), 0u);

    decoder = decoder_of(wav_file(source, 2, 44100));
    EXPECT_EQ(decoder->read(buffer, 7), 6u);
    EXPECT_EQ(decoder->read(buffer, 1), 0u);  // less than a frame
    EXPECT_EQ(decoder->read(buffer, 2), 2u);
    EXPECT_EQ(buffer[0], 6);  // the odd sample asked for was not consumed
    EXPECT_EQ(decoder->read(nullptr, 2), 0u);

    // Mono: only the first buffer is written.
    decoder = decoder_of(wav_file({5, 6, 7}, 1, 8000));
    short left[3] = {}, right[3] = {-9, -9, -9};
    EXPECT_EQ(read_samples(*decoder, 3, left, right), 3u);
    EXPECT_EQ(left[2], 7);
    EXPECT_EQ(right[0], -9);
    EXPECT_EQ(right[2], -9);

    // One second of 44100 Hz stereo.
    decoder = decoder_of(wav_file(counting(88200), 2, 44100));
    ASSERT_NE(decoder, nullptr);
    auto& wav = static_cast<WavDecoder&>(*decoder);
    const auto next_pair = [&] {
        short pair[2] = {-1, -1};
        wav.read(pair, 2);
        return std::vector<int>{pair[0], pair[1]};
    };
    wav.seek(0.1);  // data byte 17640
    EXPECT_EQ(wav.data_left, 176400u - 17640);
    EXPECT_EQ(next_pair(), (std::vector<int>{8820, 8821}));
    wav.seek(0.123);  // 21697.2 bytes, cut to 21696: a whole frame
    EXPECT_EQ(next_pair(), (std::vector<int>{10848, 10849}));
    wav.seek(5.0);
    EXPECT_EQ(wav.data_left, 0u);
    EXPECT_EQ(next_pair(), (std::vector<int>{-1, -1}));
    wav.seek(-1.0);
    EXPECT_EQ(next_pair(), (std::vector<int>{0, 1}));
    wav.seek(std::numeric_limits<double>::quiet_NaN());
    EXPECT_EQ(next_pair(), (std::vector<int>{0, 1}));
}

TEST_F(WavDecoding, never_reads_past_its_item)
{
    // The data chunk claims 4000 bytes, but the item holds 400: the rest is the next item.
    const std::vector<int16_t> source = sine_wave(1000.0, 200, 8000, 1, 9000.0);
    std::string wav = wav_file(source, 1, 8000);
    wav.replace(40, 4, std::string("\xA0\x0F\x00\x00", 4));
    write_sound_assets(volumes, {{10, sound_item(SOUND_ITEM_WAV, wav)}});

    AssetFile file;
    Media::AudioType type;
    unsigned size;
    open_sound_item(file, 10, type, size);
    const Sample sample(file, type, size);
    ASSERT_FALSE(sample.is_empty());
    EXPECT_EQ(sample.samples, 200u);
    EXPECT_EQ(std::vector<int16_t>(sample.left, sample.left + 200), source);

    // A header cut off inside the format chunk reads nothing of the neighbour either.
    write_sound_assets(volumes, {{10, sound_item(SOUND_ITEM_WAV, wav.substr(0, 30))}});
    AssetFile::forget_tables();
    AssetFile cut;
    open_sound_item(cut, 10, type, size);
    EXPECT_EQ(console_output_of([&] { EXPECT_TRUE(Sample(cut, type, size).is_empty()); }),
              "Could not load sound\n");
}

TEST_F(WavDecoding, a_cut_file_keeps_its_announced_length_in_silence)
{
    // The caller's size promises the whole sound, but the file ends early.
    const std::vector<int16_t> source = sine_wave(500.0, 2000, 8000, 2, 12000.0);
    const std::string wav = wav_file(source, 2, 8000);
    volumes.put_content("cut.wav", wav.substr(0, 44 + 400));
    BaseFile file("./cut.wav", "r");
    const Sample sample(file, Media::WAV, unsigned(wav.size()));
    ASSERT_FALSE(sample.is_empty());
    EXPECT_EQ(sample.samples, 4000u);
    const std::vector<int16_t> left = channel_of(source, 2, 0);
    EXPECT_EQ(std::vector<int16_t>(sample.left, sample.left + 100),
              std::vector<int16_t>(left.begin(), left.begin() + 100));
    // The rest plays as silence, not as whatever the heap held.
    EXPECT_EQ(std::vector<int16_t>(sample.left + 100, sample.left + 2000), std::vector<int16_t>(1900));
    EXPECT_EQ(std::vector<int16_t>(sample.right + 100, sample.right + 2000), std::vector<int16_t>(1900));
}

TEST_F(WavDecoding, padded_blocks_give_their_frames_and_seek_by_whole_blocks)
{
    // Stereo frames in 6-byte blocks (2 bytes of padding each), then a cut block.
    std::string blocks;
    for (int frame = 0; frame < 5; ++frame)
        blocks += pcm({int16_t(frame * 10), int16_t(-frame * 10 - 1)}) + "\x77\x77";
    blocks += "xyz";
    std::unique_ptr<SoundDecoder> decoder;
    std::string header_fault = error_output_of([&] {
        decoder = decoder_of(riff(chunk("fmt ", fmt_body(1, 2, 8000, 6, 16)) + chunk("data", blocks)));
    });
    EXPECT_EQ(header_fault, "");
    ASSERT_NE(decoder, nullptr);
    EXPECT_EQ(decoder->samples, 10u);
    short left[6] = {}, right[6] = {};
    EXPECT_EQ(read_samples(*decoder, 12, left, right), 10u);
    EXPECT_EQ((std::vector<short>(left, left + 5)), (std::vector<short>{0, 10, 20, 30, 40}));
    EXPECT_EQ((std::vector<short>(right, right + 5)), (std::vector<short>{-1, -11, -21, -31, -41}));
    EXPECT_EQ(decoder->read(left, 2), 0u);
    decoder->seek(3.0 / 8000);  // the fourth block; the cut one is no part of the data
    EXPECT_EQ(static_cast<WavDecoder&>(*decoder).data_left, 2u * 6);
    short pair[2] = {};
    EXPECT_EQ(decoder->read(pair, 2), 2u);
    EXPECT_EQ((std::vector<short>{pair[0], pair[1]}), (std::vector<short>{30, -31}));

    // Mono in 4-byte blocks, decoded whole.
    std::string mono;
    for (int frame = 0; frame < 3; ++frame)
        mono += pcm({int16_t(100 + frame)}) + "\x77\x77";
    file_ = loose(riff(chunk("fmt ", fmt_body(1, 1, 8000, 4, 16)) + chunk("data", mono)));
    const Sample sample(*file_, Media::WAV, unsigned(44 + mono.size()));
    ASSERT_FALSE(sample.is_empty());
    EXPECT_EQ((std::vector<short>(sample.left, sample.left + 3)), (std::vector<short>{100, 101, 102}));
}
