#include "console/audio_device.h"

#include "console/fs.h"
#include "console/options.h"
#include "console/os.h"
#include "console/procui.h"

#include <SDL.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <fcntl.h>
#include <memory>
#include <mutex>
#include <thread>
#include <unistd.h>

namespace {

// Recording -----------------------------------------------------------------

std::atomic<bool> recording{false};
std::mutex record_mutex;
std::vector<AXCall> recorded;

// Outputs -------------------------------------------------------------------

constexpr int frame_bytes = int(sizeof(AudioFrame));
constexpr uint32_t bytes_per_second = AX_SAMPLE_RATE * 4;

// Where finished frames go. A sink with a thread of its own waits for room,
// then takes the next frame.
class AudioSink {
public:
    virtual ~AudioSink() = default;
    // False when the output cannot be had; a console line says why.
    virtual bool open() = 0;
    // Blocks until one more frame is due; false when `stopping` was raised.
    virtual bool wait_for_room(const std::atomic<bool>& stopping) = 0;
    virtual void write(const AudioFrame& frame) = 0;
    virtual void close() = 0;
    // Headless: frames are made on the game's thread as its ticks pass,
    // never by a thread of their own.
    virtual bool follows_ticks() const { return false; }
};

// A windowed run without a sound device: nothing is heard, but frames are
// made at the real rate.
class SilentSink : public AudioSink {
public:
    bool open() override
    {
        start_ = std::chrono::steady_clock::now();
        frames_ = 0;
        return true;
    }

    bool wait_for_room(const std::atomic<bool>& stopping) override
    {
        using namespace std::chrono;
        // The due time of the next frame, computed from the start so that
        // rounding never drifts: frame n starts at n * 96 / 32000 s.
        const auto due = start_ + nanoseconds(int64_t(frames_) * AX_FRAME_SAMPLES * 1000000000 / AX_SAMPLE_RATE);
        while (!stopping.load()) {
            const auto now = steady_clock::now();
            if (now >= due)
                return true;
            std::this_thread::sleep_for(std::min<steady_clock::duration>(due - now, milliseconds(2)));
        }
        return false;
    }

    void write(const AudioFrame&) override { ++frames_; }
    void close() override {}

private:
    std::chrono::steady_clock::time_point start_;
    uint64_t frames_ = 0;
};

// Headless: one tick of the game is 1/60 s of sound, whatever the machine's
// speed, so identical runs make identical sound.
class TickSink : public AudioSink {
public:
    bool open() override { return true; }
    bool wait_for_room(const std::atomic<bool>&) override { return false; }
    void write(const AudioFrame&) override {}
    void close() override {}
    bool follows_ticks() const override { return true; }
};

// The host's sound device through SDL, which converts from 32000 Hz stereo
// to whatever the device plays.
class SdlSink : public AudioSink {
public:
    bool open() override
    {
        if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
            host_report("Could not open the audio device: %s\n", SDL_GetError());
            return false;
        }
        SDL_AudioSpec want{};
        want.freq = AX_SAMPLE_RATE;
        want.format = AUDIO_S16SYS;
        want.channels = 2;
        want.samples = 512;
        device_ = SDL_OpenAudioDevice(nullptr, 0, &want, nullptr, 0);
        if (device_ == 0) {
            host_report("Could not open the audio device: %s\n", SDL_GetError());
            SDL_QuitSubSystem(SDL_INIT_AUDIO);
            return false;
        }
        SDL_PauseAudioDevice(device_, 0);
        return true;
    }

    bool wait_for_room(const std::atomic<bool>& stopping) override
    {
        // About 48 ms queued: enough to ride out a late wake-up.
        constexpr Uint32 queue_limit = 16 * frame_bytes;
        while (!stopping.load()) {
            if (SDL_GetQueuedAudioSize(device_) < queue_limit)
                return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        return false;
    }

    void write(const AudioFrame& frame) override { SDL_QueueAudio(device_, frame.samples, frame_bytes); }

    void close() override
    {
        if (device_ != 0) {
            SDL_CloseAudioDevice(device_);
            SDL_QuitSubSystem(SDL_INIT_AUDIO);
            device_ = 0;
        }
    }

private:
    SDL_AudioDeviceID device_ = 0;
};

constexpr uint32_t wav_header_bytes = 44;

// A 16-bit stereo WAV header for `data_bytes` of samples.
std::array<uint8_t, wav_header_bytes> wav_header(uint32_t data_bytes)
{
    std::array<uint8_t, wav_header_bytes> header{};
    size_t at = 0;
    const auto text = [&](const char* four) {
        for (int i = 0; i < 4; ++i)
            header[at++] = uint8_t(four[i]);
    };
    const auto number = [&](uint32_t value, int bytes) {
        for (int i = 0; i < bytes; ++i)
            header[at++] = uint8_t(value >> (8 * i));
    };
    text("RIFF");
    number(36 + data_bytes, 4);
    text("WAVE");
    text("fmt ");
    number(16, 4);
    number(1, 2);  // PCM
    number(2, 2);
    number(AX_SAMPLE_RATE, 4);
    number(AX_SAMPLE_RATE * 4, 4);
    number(4, 2);
    number(16, 2);
    text("data");
    number(data_bytes, 4);
    return header;
}

// The TV mix as a 16-bit stereo WAV file. The header's sizes are brought up
// to date every second of sound, so a killed run leaves a file that plays
// up to its last second. A failed write is reported once, the file is cut
// back to its whole frames and the run fails.
class WavWriter {
public:
    bool open(const std::string& path)
    {
        path_ = path;
        data_bytes_ = 0;
        header_bytes_ = 0;
        if (!fs_make_host_parents(path) ||
            (fd_ = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644)) < 0) {
            host_report("Could not open audio output file %s: %s\n", printable_text(path).c_str(),
                        strerror(errno));
            procui_fail_run();
            return false;
        }
        const auto header = wav_header(0);
        if (!fs_host_write(fd_, header.data(), header.size(), 0))
            fail();
        return fd_ >= 0;
    }

    void write(const AudioFrame& frame)
    {
        if (fd_ < 0)
            return;
        // WAV data is little-endian; so is every host this runs on.
        if (data_bytes_ > UINT32_MAX - 36 - frame_bytes) {
            errno = EFBIG;
            fail();
            return;
        }
        if (!fs_host_write(fd_, frame.samples, frame_bytes, wav_header_bytes + data_bytes_)) {
            fail();
            return;
        }
        data_bytes_ += frame_bytes;
        if (data_bytes_ - header_bytes_ >= bytes_per_second)
            update_header();
    }

    void close()
    {
        if (fd_ < 0)
            return;
        update_header();
        ::close(fd_);
        fd_ = -1;
    }

private:
    void fail()
    {
        host_report("Could not write audio output file %s: %s; sound recording stops\n",
                    printable_text(path_).c_str(), strerror(errno));
        // What stays is a WAV file of the whole frames written before.
        if (ftruncate(fd_, off_t(wav_header_bytes + data_bytes_)) == 0)
            update_header();
        ::close(fd_);
        fd_ = -1;
        procui_fail_run();
    }

    // Rewrites the sizes in place; such a write takes no new room on the disk.
    void update_header()
    {
        const auto header = wav_header(data_bytes_);
        if (pwrite(fd_, header.data(), header.size(), 0) == ssize_t(header.size()))
            header_bytes_ = data_bytes_;
    }

    std::string path_;
    int fd_ = -1;
    uint32_t data_bytes_ = 0;
    uint32_t header_bytes_ = 0;  // the data size the header gives
};

// The audio thread ------------------------------------------------------------

bool manual_stepping = false;
std::atomic<uint64_t> frames_made{0};

struct Output {
    std::unique_ptr<AudioSink> sink;
    WavWriter wav;
    bool wav_open = false;
    OSThread thread{};
    bool thread_running = false;
    std::atomic<bool> stopping{false};
    long first_batch = 0;  // headless: message batches before the output started
};

Output output;

void make_frame(AudioFrame& frame)
{
    ax_render_frame(&frame);
    frames_made.fetch_add(1);
    output.sink->write(frame);
    if (output.wav_open)
        output.wav.write(frame);
}

int audio_thread(int, const char**)
{
    AudioFrame frame;
    while (output.sink->wait_for_room(output.stopping))
        make_frame(frame);
    return 0;
}

// Headless: the frames of the ticks done so far, made at the start of each
// message batch, while the game's thread changes no voice.
void make_tick_frames(long ticks_done)
{
    const uint64_t ticks = uint64_t(std::max(0L, ticks_done - output.first_batch));
    const uint64_t due = audio_frames_for_ticks(ticks);
    AudioFrame frame;
    while (frames_made.load() < due)
        make_frame(frame);
}

std::unique_ptr<AudioSink> open_sink(AudioPacing pacing)
{
    if (pacing == AudioPacing::ticks)
        return std::make_unique<TickSink>();
    auto sdl = std::make_unique<SdlSink>();
    if (sdl->open())
        return sdl;
    // Without a device the voices still play out in real time, unheard.
    auto silent = std::make_unique<SilentSink>();
    silent->open();
    return silent;
}

}  // namespace

std::string AXCall::text() const
{
    std::string out = name + "(";
    for (size_t i = 0; i < args.size(); ++i) {
        if (i)
            out += ", ";
        out += std::to_string(args[i]);
    }
    return out + ")";
}

void ax_start_recording()
{
    recording.store(true);
}

void ax_stop_recording()
{
    recording.store(false);
}

std::vector<AXCall> ax_take_recorded_calls()
{
    std::lock_guard<std::mutex> lock(record_mutex);
    std::vector<AXCall> calls;
    calls.swap(recorded);
    return calls;
}

bool ax_recording()
{
    return recording.load();
}

void ax_record(const char* name, const std::vector<int64_t>& args)
{
    if (!recording.load())
        return;
    std::lock_guard<std::mutex> lock(record_mutex);
    recorded.push_back({name, args});
}

void ax_record(const char* name, std::initializer_list<int64_t> args)
{
    if (recording.load())
        ax_record(name, std::vector<int64_t>(args));
}

void audio_set_manual_stepping(bool manual)
{
    manual_stepping = manual;
}

AudioPacing audio_pacing()
{
    if (manual_stepping)
        return AudioPacing::manual;
    return console_options().headless ? AudioPacing::ticks : AudioPacing::real_time;
}

void audio_step_frame(AudioFrame* out)
{
    ax_render_frame(out);
    frames_made.fetch_add(1);
}

uint64_t audio_frame_count()
{
    return frames_made.load();
}

uint64_t audio_frames_for_ticks(uint64_t ticks)
{
    return ticks * AX_SAMPLE_RATE / (60 * AX_FRAME_SAMPLES);
}

void audio_output_start()
{
    frames_made.store(0);
    if (manual_stepping || output.sink)
        return;
    const ConsoleOptions& options = console_options();
    output.sink = open_sink(audio_pacing());
    output.wav_open = !options.audio_out.empty() && output.wav.open(options.audio_out);
    if (output.sink->follows_ticks()) {
        output.first_batch = procui_counts().batches;
        procui_set_tick_hook(make_tick_frames);
        return;
    }
    output.stopping.store(false);
    OSCreateThread(&output.thread, audio_thread, 0, nullptr, nullptr, 0, 0, 0);
    OSResumeThread(&output.thread);
    output.thread_running = true;
}

void audio_output_stop()
{
    if (!output.sink)
        return;
    if (output.thread_running) {
        output.stopping.store(true);
        OSJoinThread(&output.thread, nullptr);
        output.thread_running = false;
    } else {
        procui_set_tick_hook(nullptr);
    }
    output.sink->close();
    output.sink.reset();
    if (output.wav_open)
        output.wav.close();
    output.wav_open = false;
}
