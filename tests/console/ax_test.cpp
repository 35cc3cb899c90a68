#include "console/audio_device.h"
#include "console/ax.h"
#include "console/fs.h"
#include "console/options.h"
#include "console/procui.h"
#include "tests/support/volumes.h"

#include <atomic>
#include <chrono>
#include <filesystem>
#include <gtest/gtest.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

// The library stepped by hand, one voice playing `data` to the TV's left
// (and, when asked, right) main bus at unity.
class ManualAx : public testing::Test {
protected:
    void SetUp() override
    {
        audio_set_manual_stepping(true);
        AXInit();
    }
    void TearDown() override
    {
        ax_stop_recording();
        ax_take_recorded_calls();
        AXQuit();
        audio_set_manual_stepping(false);
    }

    AXVPB* start_voice(const std::vector<int16_t>& data, uint32_t ratio, bool loop, uint16_t left = 0x7FFF,
                       uint16_t right = 0)
    {
        AXVPB* voice = AXAcquireVoice(31, nullptr, nullptr);
        const AXVoiceSrc src = {uint16_t(ratio >> 16), uint16_t(ratio), 0, {0, 0, 0, 0}};
        AXSetVoiceSrc(voice, &src);
        const AXVoiceOffsets offsets = {AX_FORMAT_PCM16, uint16_t(loop), 0, uint32_t(data.size() - 1), 0,
                                        data.data()};
        AXSetVoiceOffsets(voice, &offsets);
        const AXVoiceVe ve = {0x7FFF, 0};
        AXSetVoiceVe(voice, &ve);
        AXMixEntry mix[AX_TV_CHANNELS * AX_BUSES] = {};
        mix[0] = {left, 0};
        mix[AX_BUSES] = {right, 0};
        AXSetVoiceDeviceMix(voice, AX_DEVICE_TV, 0, mix);
        AXSetVoiceState(voice, 1);
        return voice;
    }

    std::vector<int16_t> left_channel(int frames)
    {
        std::vector<int16_t> out;
        for (int f = 0; f < frames; ++f) {
            AudioFrame frame;
            audio_step_frame(&frame);
            for (int n = 0; n < AX_FRAME_SAMPLES; ++n)
                out.push_back(frame.samples[2 * n]);
        }
        return out;
    }
};

std::vector<int16_t> ramp_samples(int count, int step)
{
    std::vector<int16_t> data(count);
    for (int i = 0; i < count; ++i)
        data[i] = int16_t(i * step);
    return data;
}

std::atomic<int> callback_frames{0};
void count_frame()
{
    ++callback_frames;
}

// Message batches, as the game's ticks run them.
void run_batches(int count)
{
    for (int i = 0; i < count; ++i)
        ProcUIProcessMessages(false);
}

uint32_t le32(const std::string& bytes, size_t at)
{
    uint32_t value = 0;
    for (int i = 3; i >= 0; --i)
        value = value << 8 | uint8_t(bytes.at(at + size_t(i)));
    return value;
}

}  // namespace

TEST_F(ManualAx, voice_plays_at_unity_gain_and_at_its_rate)
{
    const std::vector<int16_t> data = ramp_samples(400, 100);
    start_voice(data, 0x10000, false, 0x7FFF, 0x7FFF);
    AudioFrame frame;
    audio_step_frame(&frame);
    for (int n = 0; n < AX_FRAME_SAMPLES; ++n) {
        ASSERT_EQ(frame.samples[2 * n], data[n]) << n;
        ASSERT_EQ(frame.samples[2 * n + 1], data[n]) << n;
    }
}

TEST_F(ManualAx, half_rate_interpolates_between_samples)
{
    const std::vector<int16_t> data = ramp_samples(400, 100);
    start_voice(data, 0x8000, false);
    const std::vector<int16_t> out = left_channel(2);
    for (int n = 0; n < 2 * AX_FRAME_SAMPLES; ++n)
        ASSERT_EQ(out[n], 50 * n) << n;
}

TEST_F(ManualAx, volumes_scale_and_ramp_per_sample)
{
    const std::vector<int16_t> data(1000, 10000);
    AXVPB* voice = start_voice(data, 0x10000, true, 0x7FFF, 0x4000);
    // The input ramps from silence by 341 a sample: the step that the mixer
    // sends for a change from 0 to 0 dB.
    const AXVoiceVe ve = {0, 341};
    AXSetVoiceVe(voice, &ve);
    AudioFrame frame;
    audio_step_frame(&frame);
    for (int n = 0; n < AX_FRAME_SAMPLES; ++n) {
        const double gain = n * 341 / 32767.0;
        ASSERT_NEAR(frame.samples[2 * n], 10000 * gain, 0.5) << n;
        ASSERT_NEAR(frame.samples[2 * n + 1], 10000 * gain * (0x4000 / 32767.0), 0.5) << n;
    }
    // Device volume 0x4000 halves the TV.
    const AXVoiceVe settled = {0x7FFF, 0};
    AXSetVoiceVe(voice, &settled);
    AXSetDeviceVolume(AX_DEVICE_TV, 0, 0x4000);
    audio_step_frame(&frame);
    EXPECT_EQ(frame.samples[0], 5000);
}

TEST_F(ManualAx, looping_voice_wraps_without_a_gap)
{
    const std::vector<int16_t> data = ramp_samples(10, 100);
    AXVPB* voice = start_voice(data, 0x10000, true);
    const std::vector<int16_t> out = left_channel(2);
    for (int n = 0; n < 2 * AX_FRAME_SAMPLES; ++n)
        ASSERT_EQ(out[n], 100 * (n % 10)) << n;
    EXPECT_EQ(AXIsVoiceRunning(voice), 1);

    // Between the end and the loop start the interpolator blends the two.
    AXMixEntry none[AX_TV_CHANNELS * AX_BUSES] = {};
    AXSetVoiceDeviceMix(voice, AX_DEVICE_TV, 0, none);
    const std::vector<int16_t> half = {0, 0, 0, 1000, 2000, 3000, 4000};
    AXVPB* second = start_voice(half, 0x8000, true);
    AXVoiceOffsets offsets;
    AXGetVoiceOffsets(second, &offsets);
    offsets.loop_offset = 3;
    offsets.current_offset = 5;
    AXSetVoiceOffsets(second, &offsets);
    const std::vector<int16_t> wrap = left_channel(1);
    EXPECT_EQ(std::vector<int16_t>(wrap.begin(), wrap.begin() + 8),
              (std::vector<int16_t>{3000, 3500, 4000, 2500, 1000, 1500, 2000, 2500}));
}

TEST_F(ManualAx, one_shot_voice_stops_on_its_end_offset)
{
    const std::vector<int16_t> data = ramp_samples(10, 100);
    AXVPB* voice = start_voice(data, 0x10000, false);
    const std::vector<int16_t> out = left_channel(1);
    for (int n = 0; n < AX_FRAME_SAMPLES; ++n)
        ASSERT_EQ(out[n], n < 10 ? 100 * n : 0) << n;
    EXPECT_EQ(AXIsVoiceRunning(voice), 0);
    AXVoiceOffsets offsets;
    AXGetVoiceOffsets(voice, &offsets);
    EXPECT_EQ(offsets.current_offset, 9u);

    // A position set past the end stops the voice at once; a loop catches it.
    AXSetVoiceCurrentOffset(voice, 50);
    AXSetVoiceState(voice, 1);
    left_channel(1);
    EXPECT_EQ(AXIsVoiceRunning(voice), 0);
    AXSetVoiceLoop(voice, 1);
    AXSetVoiceCurrentOffset(voice, 23);
    AXSetVoiceState(voice, 1);
    EXPECT_EQ(left_channel(1)[0], 300);
}

TEST_F(ManualAx, frame_callback_runs_before_the_voices_and_can_be_chained)
{
    callback_frames = 0;
    EXPECT_EQ(AXRegisterFrameCallback(count_frame), nullptr);
    audio_step_frame(nullptr);
    audio_step_frame(nullptr);
    EXPECT_EQ(callback_frames, 2);
    EXPECT_EQ(AXRegisterFrameCallback(nullptr), count_frame);
    audio_step_frame(nullptr);
    EXPECT_EQ(callback_frames, 2);
}

TEST_F(ManualAx, voices_have_their_index_first_and_are_taken_only_from_lower_priorities)
{
    static int lost = -1;
    lost = -1;
    std::vector<AXVPB*> voices;
    for (int i = 0; i < AXGetMaxVoices(); ++i) {
        AXVPB* voice = AXAcquireVoice(i == 40 ? 5 : 20, [](void* v) { lost = int(*static_cast<uint32_t*>(v)); },
                                      nullptr);
        ASSERT_NE(voice, nullptr);
        EXPECT_EQ(*reinterpret_cast<uint32_t*>(voice), uint32_t(i));
        voices.push_back(voice);
    }
    EXPECT_EQ(AXAcquireVoice(5, nullptr, nullptr), nullptr);
    EXPECT_EQ(lost, -1);
    int context = 0;
    AXVPB* taken = AXAcquireVoice(31, nullptr, &context);
    ASSERT_EQ(taken, voices[40]);
    EXPECT_EQ(lost, 40);
    EXPECT_EQ(taken->user_context, &context);
    AXFreeVoice(voices[7]);
    EXPECT_EQ(AXAcquireVoice(1, nullptr, nullptr), voices[7]);
}

TEST_F(ManualAx, recording_logs_every_call_with_its_arguments)
{
    ax_start_recording();
    AXVPB* voice = AXAcquireVoice(31, nullptr, nullptr);
    const AXVoiceVe ve = {100, -3};
    AXVoiceBegin(voice);
    AXSetVoiceVe(voice, &ve);
    AXVoiceEnd(voice);
    AXSetVoiceSrcRatio(voice, 1.378f);
    AXMixEntry mix[AX_RMT_CHANNELS * AX_BUSES] = {{1, 2}, {3, 4}, {5, 6}, {7, 8}};
    AXSetVoiceDeviceMix(voice, AX_DEVICE_RMT, 3, mix);
    std::vector<std::string> texts;
    for (const AXCall& call : ax_take_recorded_calls())
        texts.push_back(call.text());
    EXPECT_EQ(texts, (std::vector<std::string>{
                         "AXAcquireVoice(31, 0)",
                         "AXVoiceBegin(0)",
                         "AXSetVoiceVe(0, 100, -3)",
                         "AXVoiceEnd(0)",
                         "AXSetVoiceSrcRatio(0, 90308)",
                         "AXSetVoiceDeviceMix(0, 2, 3, 1, 2, 3, 4, 5, 6, 7, 8)",
                     }));
    EXPECT_TRUE(ax_take_recorded_calls().empty());
}

TEST(AxOutput, audio_thread_runs_the_frames_and_is_joined_on_quit)
{
    audio_set_manual_stepping(false);
    console_options().headless = false;
    callback_frames = 0;
    AXInit();
    AXRegisterFrameCallback(count_frame);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (callback_frames < 20 && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    AXQuit();
    const int after_quit = callback_frames;
    EXPECT_GE(after_quit, 20);
    EXPECT_GE(audio_frame_count(), uint64_t(after_quit));
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    EXPECT_EQ(callback_frames, after_quit);  // nothing runs after the join
    EXPECT_EQ(AXIsInit(), 0);
}

TEST(AxOutput, headless_sound_advances_with_the_ticks_not_the_clock)
{
    EXPECT_EQ(audio_frames_for_ticks(9), 50u);     // 9 * 533.3 samples, whole frames
    EXPECT_EQ(audio_frames_for_ticks(180), 1000u);  // 3 s of sound
    procui_reset_exit();
    audio_set_manual_stepping(false);
    console_options().headless = true;
    callback_frames = 0;
    AXInit();
    AXRegisterFrameCallback(count_frame);
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    EXPECT_EQ(callback_frames, 0);  // no tick has passed
    run_batches(1);                 // tick 1 begins
    EXPECT_EQ(callback_frames, 0);
    run_batches(9);
    EXPECT_EQ(callback_frames, 50);
    EXPECT_EQ(audio_frame_count(), 50u);
    AXQuit();
    run_batches(3);
    EXPECT_EQ(callback_frames, 50);
    console_options().headless = false;
}

TEST(AxOutput, audio_out_writes_the_tv_mix_as_a_wav_file_whose_header_follows_each_second)
{
    TempVolumes volumes;
    const std::string path = volumes.root + "/new/folder/tv.wav";  // the folders are made
    procui_reset_exit();
    console_options().headless = true;
    console_options().audio_out = path;
    audio_set_manual_stepping(false);
    AXInit();
    static std::vector<int16_t> data(64, 1234);
    AXVPB* voice = AXAcquireVoice(31, nullptr, nullptr);
    const AXVoiceOffsets offsets = {AX_FORMAT_PCM16, 1, 0, 63, 0, data.data()};
    const AXVoiceSrc src = {1, 0, 0, {}};
    const AXVoiceVe ve = {0x7FFF, 0};
    AXMixEntry mix[AX_TV_CHANNELS * AX_BUSES] = {};
    mix[0] = {0x7FFF, 0};
    AXVoiceBegin(voice);
    AXSetVoiceSrc(voice, &src);
    AXSetVoiceOffsets(voice, &offsets);
    AXSetVoiceVe(voice, &ve);
    AXSetVoiceDeviceMix(voice, AX_DEVICE_TV, 0, mix);
    AXSetVoiceState(voice, 1);
    AXVoiceEnd(voice);

    // 61 ticks: 338 frames. The header was brought up to date once the data
    // passed one second (334 frames); a run killed now leaves a playable file.
    run_batches(62);
    const std::string running = volumes.read_host(path);
    EXPECT_EQ(running.size(), 44u + 338 * sizeof(AudioFrame));
    EXPECT_EQ(le32(running, 40), 334 * sizeof(AudioFrame));
    EXPECT_EQ(le32(running, 4), 36 + 334 * sizeof(AudioFrame));

    AXQuit();
    console_options().audio_out.clear();
    console_options().headless = false;
    const std::string bytes = volumes.read_host(path);
    ASSERT_EQ(bytes.size(), 44u + 338 * sizeof(AudioFrame));
    EXPECT_EQ(bytes.substr(0, 4), "RIFF");
    EXPECT_EQ(bytes.substr(8, 8), "WAVEfmt ");
    EXPECT_EQ(le32(bytes, 24), 32000u);
    EXPECT_EQ(le32(bytes, 40), bytes.size() - 44);
    EXPECT_EQ(le32(bytes, 4), bytes.size() - 8);
    // The voice plays from the first frame: the left channel holds the
    // sample and the right one silence.
    EXPECT_EQ(int16_t(le32(bytes, 44)), 1234);
    EXPECT_EQ(le32(bytes, 44) >> 16, 0u);
}

TEST(AxOutput, a_full_disk_ends_the_recording_with_one_line_and_a_header_that_matches)
{
    TempVolumes volumes;
    const std::string path = volumes.root + "/tv.wav";
    procui_reset_exit();
    console_options().headless = true;
    console_options().audio_out = path;
    audio_set_manual_stepping(false);
    fs_limit_free_space(44 + 10 * sizeof(AudioFrame) + 100);  // half a frame more
    AXInit();
    const std::string output = host_errors_of([] { run_batches(10); });
    fs_limit_free_space(-1);
    run_batches(5);
    AXQuit();
    console_options().audio_out.clear();
    console_options().headless = false;
    EXPECT_EQ(output, "Could not write audio output file " + path +
                          ": No space left on device; sound recording stops\n");
    const std::string bytes = volumes.read_host(path);
    EXPECT_EQ(bytes.size(), 44u + 10 * sizeof(AudioFrame));
    EXPECT_EQ(le32(bytes, 40), 10 * sizeof(AudioFrame));
    EXPECT_EQ(procui_exit_status(), 1);
    procui_reset_exit();
}

TEST_F(ManualAx, freed_and_foreign_voices_are_ignored)
{
    const std::vector<int16_t> data = ramp_samples(100, 100);
    AXVPB* voice = start_voice(data, 0x10000, true);
    AXFreeVoice(voice);
    AXSetVoiceState(voice, 1);  // a stale handle: nothing may play
    EXPECT_EQ(AXIsVoiceRunning(voice), 0);
    EXPECT_EQ(left_channel(1)[5], 0);
    AXVPB foreign = {3, 31, nullptr};
    AXSetVoiceState(&foreign, 1);
    EXPECT_EQ(AXIsVoiceRunning(&foreign), 0);
    AXSetVoiceState(nullptr, 1);
    AXFreeVoice(nullptr);
}
