#include "tests/audio/sound_fixtures.h"

using namespace TessaroAudio;

namespace {

std::string voice_call(const char* name, int voice, const std::string& rest)
{
    return std::string(name) + "(" + std::to_string(voice) + rest + ")";
}

// The recorded calls contain the texts in this order.
void expect_in_order(const std::vector<AXCall>& calls, const std::vector<std::string>& texts)
{
    int last = -1;
    for (const std::string& text : texts) {
        const int at = position_of(calls, text);
        EXPECT_GT(at, last) << text;
        last = at;
    }
}

uint32_t current_offset(AXVPB* voice)
{
    AXVoiceOffsets offsets;
    AXGetVoiceOffsets(voice, &offsets);
    return offsets.current_offset;
}

}  // namespace

TEST_F(SoundEngineTest, a_sound_set_up_and_started_in_one_tick_has_every_setting_before_it_starts)
{
    media_with({{4, tone()}});
    auto* sound = new Sound(sample_of(4));
    sound->set_volume(0.5f);
    sound->set_pan(0.5);
    sound->play();
    EXPECT_EQ(sound->commands.load(), SOUND_CMD_INIT | SOUND_CMD_PLAY | SOUND_CMD_VOLUME | SOUND_CMD_PAN);

    ax_start_recording();
    frames(1);
    const std::vector<AXCall> calls = ax_take_recorded_calls();
    ASSERT_NE(sound->voice(0), nullptr);
    const int v = int(sound->voice(0)->index);
    // 22050 Hz against the 32000 Hz mix: ratio 0x0.B066 in 16.16.
    expect_in_order(calls, {"AXAcquireVoice(31, " + std::to_string(v) + ")", voice_call("AXSetVoiceType", v, ", 0"),
                            voice_call("AXSetVoiceSrcType", v, ", 1"),
                            voice_call("AXSetVoiceSrc", v, ", 0, 45158, 0, 0, 0, 0, 0"),
                            voice_call("AXSetVoiceOffsets", v, ", 10, 0, 0, 2204, 0, 1"),
                            voice_call("AXSetVoiceState", v, ", 1")});
    const MixChannelRecord* record = mix_record_of(sound->voice(0));
    EXPECT_EQ(record->input, -60);
    EXPECT_EQ(record->tv_controls.pan, 95);
    EXPECT_EQ(record->drc_controls[0].pan, 95);
    EXPECT_EQ(sound->get_status(), SOUND_PLAYING);
    EXPECT_EQ(sound->commands.load(), 0u);
}

TEST(SoundVolume, volumes_become_mixer_levels_in_tenths_of_a_decibel)
{
    // 0.1f lies just above 0.1.
    const std::pair<double, int> rows[] = {{1.0, 0},      {0.5f, -60},   {0.25f, -120}, {0.1f, -199},
                                           {0.0, -904},   {-3.0, -904},  {7.0, 0}};
    for (const auto& [volume, level] : rows)
        EXPECT_EQ(get_attenuation(volume), level) << volume;
}

TEST_F(SoundEngineTest, a_stereo_sound_keeps_its_voices_hard_left_and_right)
{
    media_with({{4, tone(2205, 22050, 2)}});
    auto* sound = new Sound(sample_of(4));
    frames(1);
    ASSERT_NE(sound->voice(1), nullptr);
    EXPECT_EQ(mix_record_of(sound->voice(0))->tv_controls.pan, 0);
    EXPECT_EQ(mix_record_of(sound->voice(1))->tv_controls.pan, 127);

    sound->set_pan(0.5);
    EXPECT_EQ(sound->commands.load(), SOUND_CMD_VOLUME);
    frames(1);
    EXPECT_EQ(mix_record_of(sound->voice(0))->input, 0);
    EXPECT_EQ(mix_record_of(sound->voice(1))->input, 0);
    EXPECT_EQ(mix_record_of(sound->voice(0))->tv_controls.pan, 0);

    // Volume 1.5 is limited to 1, but the bit is raised again.
    sound->set_volume(1.5f);
    EXPECT_EQ(sound->commands.load(), SOUND_CMD_VOLUME);
    EXPECT_EQ(sound->volume, 1.0);
}

TEST_F(SoundEngineTest, pitch_and_loop_set_before_initialisation_are_taken_by_it)
{
    media_with({{4, tone(3200, 32000)}});
    auto* sound = new Sound(sample_of(4));
    sound->set_pitch(2.0f);
    sound->set_loop(true);
    EXPECT_EQ(sound->commands.load(), SOUND_CMD_INIT);

    ax_start_recording();
    frames(1);
    const int v = int(sound->voice(0)->index);
    const std::vector<AXCall> calls = ax_take_recorded_calls();
    EXPECT_GE(position_of(calls, voice_call("AXSetVoiceSrc", v, ", 2, 0, 0, 0, 0, 0, 0")), 0);
    EXPECT_GE(position_of(calls, voice_call("AXSetVoiceOffsets", v, ", 10, 1, 0, 3199, 0, 1")), 0);

    sound->set_pitch(0.5f);
    sound->set_loop(false);
    EXPECT_EQ(sound->commands.load(), SOUND_CMD_PITCH | SOUND_CMD_LOOP);
    frames(1);
    EXPECT_EQ(calls_named(ax_take_recorded_calls(), "AXSetVoiceSrcRatio"),
              std::vector<std::string>{voice_call("AXSetVoiceSrcRatio", v, ", 32768")});
}

TEST_F(SoundEngineTest, play_status_follows_stop_pause_and_the_end_of_the_sound)
{
    media_with({{4, tone()}});
    // Play then stop within one audio frame: the voice never starts.
    auto* quick = new Sound(sample_of(4));
    quick->play();
    quick->stop();
    frames(1);
    EXPECT_EQ(quick->get_status(), SOUND_STOPPED);
    EXPECT_EQ(AXIsVoiceRunning(quick->voice(0)), 0);

    // 2205 frames at 22050 Hz take 34 audio frames of 96 samples at 32000 Hz.
    auto* once = new Sound(sample_of(4));
    auto* paused = new Sound(sample_of(4));
    once->play();
    paused->play();
    frames(3);
    paused->pause();
    frames(1);
    const uint32_t held_at = current_offset(paused->voice(0));
    frames(40);
    EXPECT_EQ(once->get_status(), SOUND_STOPPED);
    EXPECT_EQ(paused->get_status(), SOUND_PAUSED);
    EXPECT_EQ(current_offset(paused->voice(0)), held_at);

    paused->play();
    frames(1);
    EXPECT_GT(current_offset(paused->voice(0)), held_at);
    EXPECT_LT(current_offset(paused->voice(0)), held_at + 70);
}

TEST_F(SoundEngineTest, offsets_and_durations_count_samples_of_one_channel)
{
    // 3.9 s of stereo at 22050 Hz: 171990 samples, which is 3 whole seconds.
    Sample& sample = loose_sample(85995, 22050, 2);
    auto* sound = new Sound(sample);
    EXPECT_EQ(sample.samples, 171990u);
    EXPECT_EQ(sound->get_duration(), 3.0);
    EXPECT_EQ(sound->get_playing_offset(), 0.0);

    sound->set_playing_offset(1.5);
    EXPECT_EQ(sound->offset, 33075u);
    ax_start_recording();
    frames(1);
    const int v = int(sound->voice(0)->index);
    const int w = int(sound->voice(1)->index);
    const std::vector<AXCall> calls = ax_take_recorded_calls();
    EXPECT_GE(position_of(calls, voice_call("AXSetVoiceCurrentOffset", v, ", 33075")), 0);
    EXPECT_GE(position_of(calls, voice_call("AXSetVoiceCurrentOffset", w, ", 33075")), 0);
    EXPECT_DOUBLE_EQ(sound->get_playing_offset(), 1.5);
}

TEST_F(SoundEngineTest, the_device_keeps_96_slots_and_reuses_the_lowest_free_one)
{
    media_with({{4, tone()}});
    std::vector<Sound*> sounds;
    for (int i = 0; i < sound_slot_count; ++i)
        sounds.push_back(new Sound(sample_of(4)));
    EXPECT_EQ(global_device->sounds[95], sounds[95]);

    // Stopped and destroyed: it stays in its slot until a flush after the callback.
    sounds[5]->release();
    EXPECT_EQ(sounds[5]->commands.load() & (SOUND_CMD_STOP | SOUND_CMD_DESTROY | SOUND_CMD_PLAY),
              SOUND_CMD_STOP | SOUND_CMD_DESTROY);
    flush_audio();
    EXPECT_EQ(global_device->sounds[5], sounds[5]);
    frames(1);
    EXPECT_TRUE(sounds[5]->destroyed.load());
    EXPECT_EQ(sounds[5]->voice(0), nullptr);
    flush_audio();
    EXPECT_EQ(global_device->sounds[5], nullptr);

    auto* next = new Sound(sample_of(4));
    EXPECT_EQ(global_device->sounds[5], next);
}

TEST_F(SoundEngineTest, a_sound_that_loses_its_voice_stays_with_its_channel_until_the_channel_lets_go)
{
    Media& m = media_with({{4, tone(22050)}});
    m.play_id(4, 3, 0);
    TessaroAudio::SoundBase* held = m.channels[3].sound;
    // Every other voice taken by sounds of the same priority.
    for (int i = 1; i < AX_MAX_VOICES; ++i)
        new Sound(sample_of(4));
    frames(1);
    ASSERT_NE(held->voice(0), nullptr);
    EXPECT_EQ(held->voice(0)->index, 0u);

    // A request of higher priority takes the first voice.
    AXVPB* thief = nullptr;
    EXPECT_EQ(console_output_of([&] { thief = AXAcquireVoice(32, nullptr, nullptr); }),
              "A voice was reacquired.\n");
    ASSERT_NE(thief, nullptr);
    EXPECT_TRUE(held->destroyed.load());
    EXPECT_EQ(held->voice(0), nullptr);

    // The device must not delete it while the channel still holds it.
    frames(1);
    flush_audio();
    EXPECT_EQ(global_device->sounds[0], held);
    EXPECT_FALSE(m.is_channel_playing(3));
    EXPECT_EQ(m.get_channel_position(3), 0.0);
    m.set_channel_volume(3, 20);
    m.pause_channel(3);

    m.stop_channel(3);
    flush_audio();
    EXPECT_EQ(global_device->sounds[0], nullptr);
    AXFreeVoice(thief);
}

TEST_F(SoundEngineTest, a_sound_without_voices_reports_stopped_and_is_still_deleted_once_let_go)
{
    media_with({{4, tone(2205, 22050, 2)}});
    std::vector<AXVPB*> taken;
    for (int i = 0; i < AX_MAX_VOICES - 1; ++i)
        taken.push_back(AXAcquireVoice(31, nullptr, nullptr));

    // One voice left: half a stereo pair is given back.
    auto* stereo = new Sound(sample_of(4));
    stereo->play();
    frames(1);
    EXPECT_EQ(stereo->voice(0), nullptr);
    EXPECT_EQ(stereo->voice(1), nullptr);
    // Silent for good, so it must not pass for playing.
    EXPECT_EQ(stereo->get_status(), SOUND_STOPPED);
    AXVPB* last = AXAcquireVoice(31, nullptr, nullptr);
    EXPECT_NE(last, nullptr);

    stereo->release();
    frames(1);
    flush_audio();
    EXPECT_EQ(global_device->sounds[0], nullptr);
    for (AXVPB* voice : taken)
        AXFreeVoice(voice);
    AXFreeVoice(last);
}

namespace {
int earlier_callback_calls = 0;
}

TEST_F(SoundEngineTest, a_frame_callback_registered_earlier_still_runs_first_every_frame)
{
    media_with({{4, tone()}});
    earlier_callback_calls = 0;
    AXRegisterFrameCallback([] { ++earlier_callback_calls; });
    TessaroAudio::ax_startup(0, nullptr);
    auto* sound = new Sound(sample_of(4));
    sound->play();
    frames(3);
    EXPECT_EQ(earlier_callback_calls, 3);
    EXPECT_NE(sound->voice(0), nullptr);
    EXPECT_EQ(AXIsVoiceRunning(sound->voice(0)), 1);
}
