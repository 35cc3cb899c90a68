#include "tests/audio/sound_fixtures.h"
#include "tools/assetwriter/demo_sounds.h"

#include <limits>

using namespace TessaroAudio;

namespace {

// A valid WAV padded with zero bytes to exactly `bytes` of item data.
std::string padded_item(SoundItemType type, const std::string& data, size_t bytes)
{
    std::string padded = data;
    padded.resize(bytes, '\0');
    return sound_item(type, padded);
}

std::string short_wav()
{
    return wav_file(sine_wave(440.0, 1000, 22050, 1, 8000.0), 1, 22050);
}

}  // namespace

TEST_F(SoundEngineTest, items_are_decoded_now_or_streamed_by_their_size)
{
    Media& m = media_with({{10, padded_item(SOUND_ITEM_WAV, short_wav(), 209715)},
                           {11, padded_item(SOUND_ITEM_WAV, short_wav(), 209716)},
                           {12, padded_item(SOUND_ITEM_OGG, "", 786432)},
                           {13, padded_item(SOUND_ITEM_OGG, "", 786433)},
                           {14, padded_item(SoundItemType(3), "", 786432)},
                           {15, sound_item(SOUND_ITEM_NONE, "")},
                           {16, tone()}});
    EXPECT_NE(dynamic_cast<SoundMemory*>(m.sounds[10]), nullptr);
    auto* cache = dynamic_cast<SoundCache*>(m.sounds[11]);
    ASSERT_NE(cache, nullptr);
    EXPECT_EQ(cache->type, Media::WAV);
    EXPECT_EQ(cache->size, 209716u);
    EXPECT_EQ(cache->offset, AssetFile::item_offset(11, AssetFile::SOUND_DATA) + 8);
    EXPECT_EQ(cache->id, 11u);
    EXPECT_NE(dynamic_cast<SoundMemory*>(m.sounds[12]), nullptr);
    ASSERT_NE(dynamic_cast<SoundCache*>(m.sounds[13]), nullptr);
    EXPECT_EQ(static_cast<SoundCache*>(m.sounds[13])->type, Media::OGG);
    EXPECT_EQ(m.sounds[14], nullptr);  // a type word that names no decoder is no sound
    EXPECT_EQ(m.sounds[15], nullptr);
    EXPECT_NE(m.sounds[16], nullptr);

    // A type word cut off by the end of the file counts as no sound, silently.
    volumes.put_content("cut.dat", std::string("\x01\x00\x00", 3));
    BaseFile cut(convert_path("./cut.dat").c_str(), "r");
    EXPECT_EQ(console_output_of([&] { m.add_cache(17, cut); }), "");
    EXPECT_EQ(m.sounds[17], nullptr);

    // The streamed item reads exactly its own data.
    m.play_id(11, 0, 1);
    ASSERT_NE(m.channels[0].sound, nullptr);
    EXPECT_EQ(m.channels[0].sound->get_sample_rate(), 22050);
    EXPECT_DOUBLE_EQ(m.get_channel_duration(0), 1000.0 / 22050 * 1000);
}

TEST_F(SoundEngineTest, start_up_registers_every_demo_item_and_shut_down_joins_the_streaming_thread)
{
    AssetWriter writer;
    ASSERT_TRUE(add_demo_sounds(writer, volumes.content));
    volumes.put_content("Assets.dat", writer.build());
    media = std::make_unique<Media>();
    console_output_of([&] { media->init(); });
    // The demo tones are small enough to be decoded at start-up, and mono.
    for (int id = 0; id < Media::sound_count; ++id) {
        ASSERT_NE(dynamic_cast<SoundMemory*>(media->sounds[id]), nullptr) << id;
        EXPECT_EQ(sample_of(unsigned(id)).channels, 1) << id;
    }
    EXPECT_TRUE(global_device->is_open());
    for (const char* path : {".\\Data\\BGM\\m_title.ogg", ".\\Data\\BGM\\m_speedup.ogg"}) {
        const std::string converted = convert_path(path);
        BaseFile music(converted.c_str(), "r");
        const std::unique_ptr<SoundDecoder> decoder(
            create_decoder(music, Media::OGG, platform_get_file_size(converted.c_str())));
        ASSERT_NE(decoder, nullptr) << path;
        EXPECT_EQ(decoder->channels, 2);
        EXPECT_EQ(decoder->sample_rate, 44100);
        EXPECT_EQ(decoder->samples, 4u * 44100 * 2);
    }

    media->play("./Data/BGM/m_title.ogg", 31, 0);
    media->play_id(7, -1, 1);
    frames(4);
    EXPECT_TRUE(media->is_channel_playing(31));
    EXPECT_TRUE(media->is_sample_playing(7));

    media->stop();
    EXPECT_FALSE(global_device->is_open());
    EXPECT_TRUE(global_device->closing.load());
    for (SoundData* data : media->sounds)
        EXPECT_EQ(data, nullptr);
    for (SoundBase* sound : global_device->sounds)
        EXPECT_EQ(sound, nullptr);
    EXPECT_TRUE(global_device->streams.empty());
}

TEST_F(SoundEngineTest, automatic_choice_skips_locked_channels_and_resets_the_one_it_takes)
{
    Media& m = media_with({{1, tone(44100)}});
    for (int i = 0; i < Media::channel_count; ++i)
        m.play_id(1, -1, 0);
    for (int i = 0; i < Media::channel_count; ++i)
        ASSERT_TRUE(m.is_channel_playing(unsigned(i))) << i;

    m.set_channel_volume(2, 40);
    m.set_channel_pan(2, 30);
    m.set_channel_frequency(2, 11025);
    m.lock(0);
    m.lock(1);
    SoundBase* cut = m.channels[2].sound;
    m.play_id(1, -1, 1);
    EXPECT_TRUE(cut->is_released());
    ASSERT_NE(m.channels[2].sound, cut);
    EXPECT_EQ(m.get_channel_volume(2), 100.0);
    EXPECT_EQ(m.get_channel_pan(2), 0.0);
    EXPECT_EQ(m.get_channel_frequency(2), 22050.0);
    EXPECT_EQ(m.channels[2].sound->volume, 1.0);
    EXPECT_EQ(m.channels[2].sound->pitch, 1.0f);

    // Everything locked: dropped without a word.
    for (int i = 0; i < Media::channel_count; ++i)
        m.lock(unsigned(i));
    SoundBase* before = m.channels[3].sound;
    EXPECT_EQ(console_output_of([&] { m.play_id(1, -1, 1); }), "");
    EXPECT_EQ(m.channels[3].sound, before);

    // A locked empty channel is skipped; an explicit play on it still plays.
    m.stop_samples();
    for (int i = 1; i < Media::channel_count; ++i)
        m.unlock(unsigned(i));
    m.play_id(1, -1, 1);
    EXPECT_FALSE(m.is_channel_playing(0));
    EXPECT_TRUE(m.is_channel_playing(1));
    m.play_id(1, 0, 1);
    EXPECT_TRUE(m.is_channel_playing(0));
}

TEST_F(SoundEngineTest, channel_settings_apply_to_each_sound_started_on_the_channel_and_the_main_volume_to_the_devices)
{
    Media& m = media_with({{1, tone()}});
    volumes.put_content("Data/BGM/tune.wav", short_wav());

    m.set_channel_volume(31, 40);
    m.play("./Data/BGM/tune.wav", 31, 0);
    ASSERT_NE(m.channels[31].sound, nullptr);
    EXPECT_EQ(m.channels[31].sound->volume, double(0.4f));
    EXPECT_TRUE(m.channels[31].sound->loop);
    EXPECT_EQ(m.channels[31].id, 0xFFFFFFFFu);
    EXPECT_EQ(m.get_sample(0xFFFFFFFFu), nullptr);
    EXPECT_TRUE(m.is_sample_playing(0xFFFFFFFFu));
    m.play("./Data/BGM/tune.wav", -1, 0);
    EXPECT_EQ(m.channels[0].sound->volume, 1.0);

    m.set_channel_volume(4, 250);
    EXPECT_EQ(m.get_channel_volume(4), 100.0);
    m.set_channel_volume(4, -5);
    EXPECT_EQ(m.get_channel_volume(4), 0.0);

    // The fraction is cut off before the division: exactly half the rate.
    m.set_channel_frequency(5, 11025.9);
    m.play_id(1, 5, 1);
    EXPECT_EQ(m.channels[5].sound->pitch, 0.5f);
    EXPECT_EQ(m.get_channel_frequency(5), 11025.9);
    m.set_channel_frequency(5, 0);
    EXPECT_EQ(m.get_channel_frequency(5), 22050.0);

    // The main volume sets the TV's and the gamepad's device volume.
    ax_start_recording();
    m.set_main_volume(50);
    m.set_main_volume(50);
    EXPECT_EQ(m.get_main_volume(), 50.0);
    m.set_main_volume(250);
    EXPECT_EQ(m.get_main_volume(), 100.0);
    EXPECT_EQ(calls_named(ax_take_recorded_calls(), "AXSetDeviceVolume"),
              (std::vector<std::string>{"AXSetDeviceVolume(0, 0, 16384)", "AXSetDeviceVolume(1, 0, 16384)",
                                        "AXSetDeviceVolume(0, 0, 32768)", "AXSetDeviceVolume(1, 0, 32768)"}));
}

TEST_F(SoundEngineTest, a_computed_nan_volume_is_silence_and_a_nan_pan_the_centre)
{
    Media& m = media_with({{1, tone(22050)}});
    m.play_id(1, 2, 0);
    m.set_channel_pan(2, 50);
    frames(1);
    AXVPB* voice = m.channels[2].sound->voice(0);
    ASSERT_NE(voice, nullptr);
    const double nan = std::numeric_limits<double>::quiet_NaN();
    m.set_channel_volume(2, nan);
    m.set_channel_pan(2, nan);
    frames(1);
    EXPECT_EQ(m.get_channel_volume(2), 0.0);
    EXPECT_EQ(mix_record_of(voice)->input, -904);
    EXPECT_EQ(mix_record_of(voice)->tv_controls.pan, 63);
    m.set_main_volume(nan);
    EXPECT_EQ(m.get_main_volume(), 0.0);
}

TEST_F(SoundEngineTest, loose_files_are_typed_by_extension_and_missing_ones_play_nothing)
{
    Media& m = media_with({{1, tone()}});
    EXPECT_EQ(type_of_path("/vol/content/a.WAV"), Media::WAV);
    EXPECT_EQ(type_of_path("/vol/content/a.ogg"), Media::OGG);
    EXPECT_EQ(type_of_path("/vol/content/Data/a"), Media::OGG);
    EXPECT_EQ(type_of_path("/vol/content/a.mp3"), Media::OGG);

    m.play_id(1, 0, 0);
    SoundBase* before = m.channels[0].sound;
    EXPECT_EQ(console_output_of([&] { m.play("./Data/none.ogg", 0, 0); }),
              "Audio file does not exist: " + convert_path("./Data/none.ogg") + "\n");
    EXPECT_EQ(m.channels[0].sound, before);
    EXPECT_EQ(m.channels[0].id, 1u);

    volumes.put_content("Data/Voice/v.WAV", short_wav());
    m.play(".\\Data\\Voice\\v.WAV", 6, 1);
    ASSERT_NE(m.channels[6].sound, nullptr);
    EXPECT_EQ(m.channels[6].sound->get_sample_rate(), 22050);
}

TEST_F(SoundEngineTest, sound_id_operations_work_on_the_first_channel_with_that_id)
{
    Media& m = media_with({{7, tone(22050)}});
    m.play_id(7, 2, 0);
    m.stop_channel(2);
    m.play_id(7, 5, 0);
    EXPECT_EQ(m.get_sample(7), &m.channels[2]);
    m.stop_sample(7);
    EXPECT_TRUE(m.is_channel_playing(5));
    EXPECT_TRUE(m.is_sample_playing(7));
    // A channel that never played has id 0.
    EXPECT_EQ(m.get_sample(0), &m.channels[0]);

    m.set_sample_volume(7, 30);
    EXPECT_EQ(m.get_sample_volume(7), 30.0);
    EXPECT_EQ(m.get_sample_duration(7), 0.0);  // channel 2 holds no sound
    EXPECT_EQ(m.get_channel_duration(5), 1000.0);

    // Pausing everything and resuming also resumes what was paused before.
    m.play_id(7, 8, 0);
    m.pause_channel(8);
    m.pause_samples();
    EXPECT_EQ(m.channels[5].sound->get_status(), SOUND_PAUSED);
    m.resume_samples();
    EXPECT_EQ(m.channels[5].sound->get_status(), SOUND_PLAYING);
    EXPECT_EQ(m.channels[8].sound->get_status(), SOUND_PLAYING);
}

TEST_F(SoundEngineTest, ids_channels_empty_entries_and_loop_counts_outside_the_tables_are_refused)
{
    Media& m = media_with({{1, tone()}});
    EXPECT_EQ(console_output_of([&] { m.play_id(300, -1, 1); }), "Invalid sound id (300)\n");
    EXPECT_EQ(console_output_of([&] { m.play_id(0xFFFFFFFFu, -1, 1); }), "Invalid sound id (-1)\n");
    EXPECT_EQ(console_output_of([&] { m.play_id(20, -1, 1); }), "No sound with id (20)\n");
    EXPECT_EQ(console_output_of([&] { m.play_id(1, 40, 1); }), "Invalid channel (40)\n");
    EXPECT_EQ(console_output_of([&] { m.play_id(1, -2, 1); }), "Invalid channel (-2)\n");
    for (const Channel& channel : m.channels)
        EXPECT_EQ(channel.sound, nullptr);

    // Loop counts above one play once, with a line; 0 loops for ever.
    EXPECT_EQ(console_output_of([&] { m.play_id(1, 0, 3); }), "Invalid number of loops (3)\n");
    EXPECT_FALSE(m.channels[0].sound->loop);
    EXPECT_TRUE(m.is_channel_playing(0));
    EXPECT_EQ(console_output_of([&] { m.play_id(1, 1, -2); }), "");
    EXPECT_FALSE(m.channels[1].sound->loop);
    EXPECT_EQ(console_output_of([&] { m.play_id(1, 2, 0); }), "");
    EXPECT_TRUE(m.channels[2].sound->loop);

    m.stop_channel(0xFFFFFFFFu);
    m.lock(32);
    EXPECT_EQ(m.get_channel_volume(40), 0.0);
    EXPECT_EQ(m.get_channel_position(40), 0.0);
    EXPECT_FALSE(m.is_channel_playing(32));
    EXPECT_FALSE(m.is_channel_valid(32));
    EXPECT_TRUE(m.is_channel_valid(31));
}

TEST_F(SoundEngineTest, a_sound_nobody_can_hear_is_freed_and_the_play_ignored)
{
    Media& m = media_with({{1, tone()},
                           {2, padded_item(SOUND_ITEM_WAV, std::string(64, 'x'), 209716)},
                           {3, padded_item(SoundItemType(3), "", 786433)}});
    volumes.put_content("Data/bad.ogg", "not a sound");

    // No decoder: nothing is made. (The WAV header's own line goes to standard
    // error; a type word that names no decoder registered no sound.)
    EXPECT_EQ(console_output_of([&] { m.play_id(2, 0, 1); }), "Could not load sound\nIgnored play\n");
    EXPECT_EQ(console_output_of([&] { m.play_id(3, 0, 1); }), "No sound with id (3)\n");
    EXPECT_EQ(console_output_of([&] { m.play("./Data/bad.ogg", 0, 1); }), "Could not load sound\nIgnored play\n");
    EXPECT_EQ(m.channels[0].sound, nullptr);
    EXPECT_TRUE(global_device->streams.empty());

    // Every device slot taken: the new sound is freed, not handed out mute.
    for (int i = 0; i < sound_slot_count; ++i)
        new Sound(sample_of(1));
    EXPECT_EQ(console_output_of([&] { m.play_id(1, 3, 1); }), "Max sound count reached\nIgnored play\n");
    EXPECT_EQ(m.channels[3].sound, nullptr);
    EXPECT_EQ(m.channels[3].id, 1u);
    EXPECT_FALSE(m.is_channel_playing(3));
    volumes.put_content("Data/tune.wav", short_wav());
    EXPECT_EQ(console_output_of([&] { m.play("./Data/tune.wav", 4, 1); }), "Max sound count reached\nIgnored play\n");
    EXPECT_TRUE(global_device->streams.empty());
}

TEST_F(SoundEngineTest, a_file_registered_under_an_id_replaces_the_entry_without_cutting_its_sounds)
{
    Media& m = media_with({{1, tone(22050)}});
    volumes.put_content("Data/short.wav", short_wav());
    volumes.put_content("Data/long.wav", wav_file(sine_wave(440.0, 120000, 22050, 1, 8000.0), 1, 22050));

    m.play_id(1, 0, 0);
    frames(2);
    m.add_file(1, "./Data/short.wav");
    auto* memory = dynamic_cast<SoundMemory*>(m.sounds[1]);
    ASSERT_NE(memory, nullptr);
    EXPECT_EQ(memory->sample->samples, 1000u);
    frames(20);  // the old Sample is still played on channel 0
    EXPECT_TRUE(m.is_channel_playing(0));

    m.add_file(2, "./Data/long.wav");
    auto* file = dynamic_cast<SoundFile*>(m.sounds[2]);
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(file->path, convert_path("./Data/long.wav"));
    EXPECT_EQ(file->id, 2u);
    m.play_id(2, 1, 1);
    EXPECT_TRUE(m.is_channel_playing(1));
    EXPECT_EQ(m.get_channel_frequency(1), 22050.0);
}
