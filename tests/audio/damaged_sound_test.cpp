// Damaged or hostile sounds: one console line and no sound, or a sound of
// what the data really holds; never a crash, and never an allocation that
// a size field alone asked for.
#include "tests/audio/sound_fixtures.h"
#include "tests/fuzz/damage.h"
#include "tests/support/peak_memory.h"

using namespace TessaroAudio;

namespace {

std::string mono_ogg()
{
    return ogg_vorbis_file(sine_wave(330.0, 800, 8000, 1, 9000.0), 1, 8000, 0.0f);
}

std::string mono_wav(int rate)
{
    return wav_file(sine_wave(440.0, 200, 8000, 1, 9000.0), 1, rate);
}

class DamagedSound : public SoundEngineTest {
protected:
    // A loose file on the content volume, opened at its first byte.
    BaseFile& loose(const std::string& bytes)
    {
        volumes.put_content("damaged.snd", bytes);
        file = std::make_unique<BaseFile>("./damaged.snd", "r");
        size = unsigned(bytes.size());
        return *file;
    }

    std::unique_ptr<SoundDecoder> decoder_of(const std::string& bytes, Media::AudioType type)
    {
        BaseFile& opened = loose(bytes);
        return std::unique_ptr<SoundDecoder>(create_decoder(opened, type, size));
    }

    std::unique_ptr<BaseFile> file;
    unsigned size = 0;
};

}  // namespace

TEST_F(DamagedSound, a_type_word_other_than_0_1_or_2_is_no_sound_with_one_line)
{
    // The four bytes 05 00 00 00 are a whole asset file: every table entry
    // reads as 0, so every sound item starts at the type word 5.
    volumes.put_content("Assets.dat", std::string("\x05\x00\x00\x00", 4));
    Media table;
    AssetFile assets;
    assets.open();
    std::string output = console_output_of([&] {
        for (unsigned id = 0; id < 2; ++id) {
            assets.set_item(int(id), AssetFile::SOUND_DATA);
            table.add_cache(id, assets);
        }
    });
    EXPECT_EQ(output, "Invalid sound type 5 for sound 0\nInvalid sound type 5 for sound 1\n");
    EXPECT_EQ(table.sounds[0], nullptr);
    EXPECT_EQ(table.sounds[1], nullptr);

    for (const uint32_t type : {3u, 0xFFFFFFFFu}) {
        BaseFile& item = loose(sound_item(SoundItemType(type), mono_wav(8000)));
        EXPECT_EQ(console_output_of([&] { table.add_cache(2, item); }),
                  "Invalid sound type " + std::to_string(type) + " for sound 2\n");
        EXPECT_EQ(table.sounds[2], nullptr);
    }
}

TEST_F(DamagedSound, rates_outside_1000_to_192000_hz_play_nothing_and_size_no_ring)
{
    for (const uint32_t rate : {999u, 192001u, 0x7FFFFFFFu}) {
        SCOPED_TRACE(rate);
        std::unique_ptr<SoundDecoder> decoder;
        EXPECT_EQ(console_output_of([&] { decoder = decoder_of(with_wav_rate(mono_wav(8000), rate), Media::WAV); }),
                  "Could not load sound\n");
        EXPECT_EQ(decoder, nullptr);
        EXPECT_EQ(console_output_of([&] { decoder = decoder_of(with_ogg_rate(mono_ogg(), rate), Media::OGG); }),
                  "Could not load sound\n");
        EXPECT_EQ(decoder, nullptr);
    }
    for (const int rate : {1000, 192000}) {
        EXPECT_NE(decoder_of(mono_wav(rate), Media::WAV), nullptr) << rate;
        EXPECT_NE(decoder_of(with_ogg_rate(mono_ogg(), uint32_t(rate)), Media::OGG), nullptr) << rate;
    }

    // A stream sizes its ring from the rate: it checks the rate first.
    const std::unique_ptr<SoundStream> fast(ramp_stream(new RampDecoder(1000, 192001, 1)));
    EXPECT_FALSE(fast->is_valid());
    EXPECT_EQ(fast->left, nullptr);
    SoundStream* fastest = ramp_stream(new RampDecoder(1000, 192000, 2));
    ASSERT_TRUE(fastest->is_valid());
    EXPECT_EQ(fastest->half_frames(), 96000u);
}

TEST_F(DamagedSound, an_ogg_sound_is_as_long_as_what_decodes_not_as_its_last_granule_says)
{
    // Long enough for several pages: vorbisfile then takes the last granule as the length.
    const std::string ogg = ogg_vorbis_file(sine_wave(330.0, 120000, 8000, 1, 9000.0), 1, 8000, 0.0f);
    ASSERT_GT(ogg_pages(ogg).size(), 3u);
    const uint64_t before = peak_memory_bytes();
    loose(with_last_granule(ogg, uint64_t(1) << 40));
    const Sample claimed(*file, Media::OGG, size);
    ASSERT_FALSE(claimed.is_empty());
    // The frames and the rest of the last block, which no granule trims now.
    EXPECT_GE(claimed.samples, 120000u);
    EXPECT_LE(claimed.samples, 120000u + 2048);
    EXPECT_LT(peak_memory_bytes() - before, damaged_read_memory);

    // A granule short of the data bounds the sound like any announced length.
    loose(with_last_granule(mono_ogg(), 300));
    const Sample shorter(*file, Media::OGG, size);
    EXPECT_EQ(shorter.samples, 300u);
}

TEST_F(DamagedSound, a_failed_ogg_decode_leaves_the_decoder_dead_and_the_stream_silent_and_stopped)
{
    const std::string damaged = with_setup_bit_flipped(mono_ogg());
    std::unique_ptr<SoundDecoder> decoder = decoder_of(damaged, Media::OGG);
    ASSERT_NE(decoder, nullptr);  // the headers still open
    short buffer[512];
    EXPECT_EQ(decoder->read(buffer, 512), 0u);
    EXPECT_TRUE(static_cast<OggDecoder&>(*decoder).dead);
    // Asking again used to divide by zero inside vorbisfile.
    EXPECT_EQ(decoder->read(buffer, 512), 0u);
    decoder->seek(0.0);
    EXPECT_EQ(decoder->read(buffer, 512), 0u);

    // Streamed and looping: the first rewind already meets the damage.
    Media& m = media_with({{20, sound_item_claiming(SOUND_ITEM_OGG, damaged, 800000)}});
    ASSERT_NE(dynamic_cast<SoundCache*>(m.sounds[20]), nullptr);
    console_output_of([&] { m.play_id(20, 0, 0); });
    auto* stream = static_cast<SoundStream*>(m.channels[0].sound);
    ASSERT_NE(stream, nullptr);
    EXPECT_TRUE(std::all_of(stream->left, stream->left + 2 * stream->half_frames(), [](short s) { return s == 0; }));
    for (int i = 0; i < 4; ++i) {
        frames(4);
        global_device->update();
    }
    EXPECT_FALSE(m.is_channel_playing(0));
}
