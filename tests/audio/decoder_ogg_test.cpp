#include "audio/sample.h"
#include "tests/audio/decoder_fixtures.h"

#include <algorithm>
#include <memory>

using namespace TessaroAudio;

namespace {

// Left a 440 Hz tone, right a quieter 660 Hz one: a swap of channels shows.
std::vector<int16_t> two_tones(int frames, int rate)
{
    const std::vector<int16_t> left = sine_wave(440.0, frames, rate, 1, 16000.0);
    const std::vector<int16_t> right = sine_wave(660.0, frames, rate, 1, 8000.0);
    std::vector<int16_t> out;
    for (int i = 0; i < frames; ++i) {
        out.push_back(left[size_t(i)]);
        out.push_back(right[size_t(i)]);
    }
    return out;
}

class OggDecoding : public DecoderTest {
protected:
    // Writes the stream as sound item `id` and opens the asset file at its data.
    unsigned open_ogg(const std::string& ogg, int id = 5)
    {
        write_sound_assets(volumes, {{id, sound_item(SOUND_ITEM_OGG, ogg)}});
        AssetFile::forget_tables();
        Media::AudioType type;
        unsigned size;
        open_sound_item(file, id, type, size);
        EXPECT_EQ(type, Media::OGG);
        EXPECT_EQ(size, ogg.size());
        return size;
    }

    AssetFile file;
};

}  // namespace

TEST_F(OggDecoding, sound_items_decode_to_their_source)
{
    const std::vector<int16_t> stereo = two_tones(44100, 44100);
    const std::string ogg = ogg_vorbis_file(stereo, 2, 44100);
    ASSERT_EQ(ogg.substr(0, 4), "OggS");
    EXPECT_EQ(ogg_vorbis_file(stereo, 2, 44100), ogg);  // the writer is reproducible

    const unsigned size = open_ogg(ogg);
    const Sample sample(file, Media::OGG, size);
    ASSERT_FALSE(sample.is_empty());
    EXPECT_EQ(sample.samples, 88200u);
    EXPECT_EQ(sample.channels, 2);
    EXPECT_EQ(sample.sample_rate, 44100);
    EXPECT_LT(relative_error(sample.left, channel_of(stereo, 2, 0)), 0.05);
    EXPECT_LT(relative_error(sample.right, channel_of(stereo, 2, 1)), 0.05);

    const std::vector<int16_t> mono = sine_wave(300.0, 11025, 22050, 1, 12000.0);
    const unsigned mono_size = open_ogg(ogg_vorbis_file(mono, 1, 22050), 200);
    const Sample one(file, Media::OGG, mono_size);
    ASSERT_FALSE(one.is_empty());
    EXPECT_EQ(one.samples, 11025u);
    EXPECT_EQ(one.channels, 1);
    EXPECT_EQ(one.sample_rate, 22050);
    EXPECT_EQ(one.right, nullptr);
    EXPECT_LT(relative_error(one.left, mono), 0.05);
}

TEST_F(OggDecoding, vorbisfile_sees_only_the_item)
{
    const std::string ogg = ogg_vorbis_file(two_tones(8000, 44100), 2, 44100);
    const unsigned size = open_ogg(ogg);
    const unsigned item_start = file.tell();
    OggDecoder decoder(file, size);
    ASSERT_TRUE(decoder.is_valid());
    EXPECT_EQ(decoder.start, item_start);
    EXPECT_EQ(decoder.size, size);

    EXPECT_EQ(seek_func(&decoder, 0, SEEK_END), 1);
    EXPECT_EQ(tell_func(&decoder), long(size));
    EXPECT_EQ(file.tell(), item_start + size);
    char bytes[100];
    EXPECT_EQ(read_func(bytes, 1, sizeof(bytes), &decoder), 0u);  // the neighbour stays unread

    seek_func(&decoder, size - 4, SEEK_SET);
    EXPECT_EQ(read_func(bytes, 1, sizeof(bytes), &decoder), 4u);
    EXPECT_EQ(std::string(bytes, 4), ogg.substr(size - 4));
    EXPECT_EQ(tell_func(&decoder), long(size));

    seek_func(&decoder, -10, SEEK_SET);
    EXPECT_EQ(tell_func(&decoder), 0);
    EXPECT_EQ(file.tell(), item_start);
    seek_func(&decoder, 10, SEEK_CUR);
    seek_func(&decoder, -20, SEEK_CUR);
    EXPECT_EQ(tell_func(&decoder), 0);
    seek_func(&decoder, int64_t(size) + 50, SEEK_SET);
    EXPECT_EQ(tell_func(&decoder), long(size));
    seek_func(&decoder, 0, SEEK_SET);
    EXPECT_EQ(read_func(bytes, 2, 2, &decoder), 4u);
    EXPECT_EQ(std::string(bytes, 4), "OggS");
}

TEST_F(OggDecoding, seeks_by_time_and_reads_whole_frames)
{
    const std::vector<int16_t> stereo = two_tones(44100, 44100);
    const unsigned size = open_ogg(ogg_vorbis_file(stereo, 2, 44100));
    std::unique_ptr<SoundDecoder> decoder(create_decoder(file, Media::OGG, size));
    ASSERT_NE(decoder, nullptr);

    std::vector<short> first(4000);
    EXPECT_EQ(decoder->read(first.data(), 4000), 4000u);
    EXPECT_EQ(decoder->read(first.data(), 3), 2u);  // whole frames only

    decoder->seek(0.5);
    std::vector<short> left(2000), right(2000);
    EXPECT_EQ(read_samples(*decoder, 4000, left.data(), right.data()), 4000u);
    const std::vector<int16_t> source_left = channel_of(stereo, 2, 0);
    const std::vector<int16_t> source_right = channel_of(stereo, 2, 1);
    EXPECT_LT(relative_error(left.data(), {source_left.begin() + 22050, source_left.begin() + 24050}),
              0.05);
    EXPECT_LT(relative_error(right.data(), {source_right.begin() + 22050, source_right.begin() + 24050}),
              0.05);

    // A time before the start is the start, without a message. The first frame
    // of a fresh decode and of one after a seek differ in the codec's warm-up.
    const auto same_after_first_frame = [&](const std::vector<short>& a) {
        return std::equal(a.begin() + 2, a.end(), first.begin() + 2);
    };
    std::vector<short> again(4000);
    EXPECT_EQ(console_output_of([&] { decoder->seek(-1.0); }), "");
    EXPECT_EQ(decoder->read(again.data(), 4000), 4000u);
    EXPECT_TRUE(same_after_first_frame(again));

    // A time past the end says so and leaves the decoder usable.
    const std::string output = console_output_of([&] { decoder->seek(100.0); });
    EXPECT_EQ(output.rfind("Seek failed: ", 0), 0u);
    EXPECT_NE(output.find(" with time 100\n"), std::string::npos);
    decoder->seek(0.0);
    EXPECT_EQ(decoder->read(again.data(), 4000), 4000u);
    EXPECT_TRUE(same_after_first_frame(again));

    // The end of the stream gives fewer samples, then none.
    decoder->seek(0.99);
    std::vector<short> tail(10000);
    const unsigned got = decoder->read(tail.data(), 10000);
    EXPECT_LE(got, 2 * 442u);
    EXPECT_GE(got, 2 * 440u);
    EXPECT_EQ(decoder->read(tail.data(), 10000), 0u);
    EXPECT_EQ(decoder->read(nullptr, 10), 0u);
}

TEST_F(OggDecoding, rejects_corrupt_and_unplayable_streams_without_a_sound)
{
    const std::string good = ogg_vorbis_file(two_tones(4410, 44100), 2, 44100);
    std::vector<int16_t> three;
    for (const int16_t s : sine_wave(440.0, 4410, 44100, 1, 8000.0))
        three.insert(three.end(), 3, s);
    const std::string three_channels = ogg_vorbis_file(three, 3, 44100);
    ASSERT_FALSE(three_channels.empty());
    const struct {
        const char* name;
        std::string bytes;
    } cases[] = {
        {"garbage", neighbour_bytes(3000)},
        {"headers cut", good.substr(0, 200)},
        {"three channels", three_channels},
        {"no frames", ogg_vorbis_file({}, 2, 44100)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const unsigned size = open_ogg(c.bytes);
        const unsigned start = file.tell();
        std::unique_ptr<SoundDecoder> decoder;
        EXPECT_EQ(console_output_of([&] { decoder.reset(create_decoder(file, Media::OGG, size)); }),
                  "Could not load sound\n");
        EXPECT_EQ(decoder, nullptr);
        file.seek(start, 0);
        std::unique_ptr<Sample> sample;
        console_output_of([&] { sample = std::make_unique<Sample>(file, Media::OGG, size); });
        EXPECT_TRUE(sample->is_empty());
        EXPECT_EQ(sample->samples, 0u);
    }
}
