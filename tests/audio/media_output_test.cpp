// Media over the real audio thread: what a headless run writes with
// --audio-out, and a busy session that ends while sounds still play.
#include "console/options.h"
#include "console/procui.h"
#include "tests/audio/sound_fixtures.h"

#include <chrono>
#include <cmath>
#include <fstream>
#include <thread>

using namespace TessaroAudio;

namespace {

constexpr int tone_frames = 8000;  // 0.25 s at the mixing rate: no resampling

std::vector<int16_t> source_tone()
{
    return sine_wave(440.0, tone_frames, AX_SAMPLE_RATE, 1, 8000.0);
}

// The audio options of a run, put back when the test ends.
class RunOptions {
public:
    RunOptions(bool manual, const std::string& audio_out)
        : saved_(console_options())
    {
        audio_set_manual_stepping(manual);
        console_options().headless = true;
        console_options().audio_out = audio_out;
    }
    ~RunOptions()
    {
        console_options() = saved_;
        audio_set_manual_stepping(false);
        delete global_device;
        global_device = nullptr;
    }
    RunOptions(const RunOptions&) = delete;
    RunOptions& operator=(const RunOptions&) = delete;

private:
    ConsoleOptions saved_;
};

struct Gains {
    double left = 0.0;
    double right = 0.0;
};

// The gains the mixer settles on for a sound started by automatic choice,
// read from its records with the library stepped by hand.
Gains settled_gains()
{
    RunOptions run(true, "");
    Media m;
    console_output_of([&] { m.init(); });
    m.play_id(0, -1, 1);
    for (int i = 0; i < 3; ++i)
        audio_step_frame(nullptr);
    const MixChannelRecord* r = mix_record_of(m.channels[0].sound->voice(0));
    Gains g;
    if (r) {
        const auto word = [](uint16_t v) { return double(v) / 32767.0; };
        const double input = word(r->input_target);
        const double centre = 0.70710678 * word(r->tv_ramps[0][4].target);
        g.left = input * (word(r->tv_ramps[0][0].target) + word(r->tv_ramps[0][2].target) + centre);
        g.right = input * (word(r->tv_ramps[0][1].target) + word(r->tv_ramps[0][3].target) + centre);
    }
    m.stop();
    return g;
}

std::vector<int16_t> wav_samples(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::vector<int16_t> out;
    for (size_t i = 44; i + 1 < bytes.size(); i += 2)
        out.push_back(int16_t(uint8_t(bytes[i]) | uint8_t(bytes[i + 1]) << 8));
    return out;
}

// Where the first sound begins: the first audio frame that is not silent.
size_t sound_start(const std::vector<int16_t>& out)
{
    const size_t block = AX_FRAME_SAMPLES * 2;
    size_t start = 0;
    while (start + block <= out.size() && std::all_of(out.begin() + long(start), out.begin() + long(start + block),
                                                      [](int16_t s) { return s == 0; }))
        start += block;
    return start;
}

// Samples of the mono source, past the volume ramps of the first two audio
// frames, that the output from `start` misses by more than rounding.
int mismatches(const std::vector<int16_t>& out, size_t start, const std::vector<int16_t>& source, Gains gains)
{
    int count = 0;
    for (size_t k = 2 * AX_FRAME_SAMPLES; k < source.size(); ++k) {
        const double l = source[k] * gains.left;
        const double r = source[k] * gains.right;
        if (std::abs(out[start + 2 * k] - l) > 1.0 || std::abs(out[start + 2 * k + 1] - r) > 1.0)
            ++count;
    }
    return count;
}

bool silent(const std::vector<int16_t>& out, size_t from, size_t samples)
{
    return std::all_of(out.begin() + long(from), out.begin() + long(from + samples),
                       [](int16_t s) { return s == 0; });
}

class MediaOutput : public testing::Test {
protected:
    void SetUp() override
    {
        fresh_asset_files(2);
        std::map<int, std::string> items;
        items[0] = sound_item(SOUND_ITEM_WAV, wav_file(source_tone(), 1, AX_SAMPLE_RATE));
        for (int id = 1; id < 4; ++id)
            items[id] = sound_item(SOUND_ITEM_WAV, wav_file(sine_wave(300.0 * id, 4000, 22050, 2, 6000.0), 2, 22050));
        write_sound_assets(volumes, items);
        volumes.put_content("Data/BGM/loop.wav",
                            wav_file(sine_wave(220.0, 44100, 44100, 2, 6000.0), 2, 44100));
    }
    TempVolumes volumes;
};

}  // namespace

TEST_F(MediaOutput, a_headless_run_writes_the_played_sound_at_its_mixer_gain)
{
    const Gains gains = settled_gains();
    ASSERT_GT(gains.left, 0.1);
    ASSERT_GT(gains.right, 0.1);

    const std::string out_path = volumes.root + "/out.wav";
    {
        RunOptions run(false, out_path);
        Media m;
        console_output_of([&] { m.init(); });
        m.play_id(0, -1, 1);
        // Headless, the sound advances with the message batches of the ticks,
        // whatever the clock says: the quarter-second tone ends after 17.
        int ticks = 0;
        while (m.is_channel_playing(0) && ticks < 60) {
            ProcUIProcessMessages(false);
            ++ticks;
        }
        EXPECT_FALSE(m.is_channel_playing(0)) << ticks;
        for (int tick = 0; tick < 3; ++tick)
            ProcUIProcessMessages(false);
        m.stop();
    }
    const std::vector<int16_t> out = wav_samples(out_path);
    const std::vector<int16_t> source = source_tone();
    const size_t start = sound_start(out);
    ASSERT_LT(start + size_t(tone_frames + 2 * AX_FRAME_SAMPLES) * 2, out.size());
    // The volume ramps settle within two audio frames of the start.
    EXPECT_EQ(mismatches(out, start, source, gains), 0);
    EXPECT_TRUE(silent(out, start + size_t(tone_frames + AX_FRAME_SAMPLES) * 2, AX_FRAME_SAMPLES * 2));
}

TEST_F(MediaOutput, headless_music_longer_than_its_ring_is_heard_whole_however_fast_the_ticks_come)
{
    const Gains gains = settled_gains();
    // 2.5 s at the mixing rate, a new pitch every half second: each refill
    // of the stream's one-second ring brings sound it has not held before.
    std::vector<int16_t> source;
    for (const double hz : {220.0, 330.0, 440.0, 550.0, 660.0}) {
        const std::vector<int16_t> part = sine_wave(hz, AX_SAMPLE_RATE / 2, AX_SAMPLE_RATE, 1, 8000.0);
        source.insert(source.end(), part.begin(), part.end());
    }
    volumes.put_content("Data/BGM/long.wav", wav_file(source, 1, AX_SAMPLE_RATE));
    const std::string out_path = volumes.root + "/long.wav";
    {
        RunOptions run(false, out_path);
        Media m;
        console_output_of([&] { m.init(); });
        m.play("./Data/BGM/long.wav", 31, 1);
        // Three seconds of ticks, made as fast as the machine goes.
        for (int tick = 0; tick < 180; ++tick)
            ProcUIProcessMessages(false);
        EXPECT_FALSE(m.is_channel_playing(31));
        m.stop();
    }
    const std::vector<int16_t> out = wav_samples(out_path);
    const size_t start = sound_start(out);
    ASSERT_LT(start + (source.size() + AX_FRAME_SAMPLES) * 2, out.size());
    EXPECT_EQ(mismatches(out, start, source, gains), 0);
    EXPECT_TRUE(silent(out, start + (source.size() + AX_FRAME_SAMPLES) * 2, AX_FRAME_SAMPLES * 2));
}

TEST_F(MediaOutput, a_busy_session_ends_without_freeing_what_the_audio_thread_reads)
{
    RunOptions run(false, "");
    console_options().headless = false;  // the audio thread of a windowed run
    Media m;
    console_output_of([&] { m.init(); });
    for (int i = 0; i < 120; ++i) {
        m.play_id(unsigned(1 + i % 3), -1, i % 2);
        if (i % 10 == 0)
            m.play("./Data/BGM/loop.wav", 31, 0);
        if (i % 7 == 0)
            m.set_channel_position(31, 250.0 * (i % 4));
        if (i % 25 == 0)
            m.stop_samples();
        flush_audio();
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    EXPECT_TRUE(m.is_channel_playing(31));
    // Every channel busy with a looping sound at the moment of shut-down.
    for (int c = 0; c < 31; ++c)
        m.play_id(unsigned(1 + c % 3), c, 0);
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    m.stop();
    EXPECT_FALSE(global_device->is_open());
    for (SoundBase* sound : global_device->sounds)
        EXPECT_EQ(sound, nullptr);
}
