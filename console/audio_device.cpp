#include "console/audio_device.h"

#include "console/options.h"
#include "console/os.h"

#include <SDL.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <memory>
#include <mutex>
#include <thread>

namespace {

// Recording -----------------------------------------------------------------

std::atomic<bool> recording{false};
std::mutex record_mutex;
std::vector<AXCall> recorded;

// Outputs -------------------------------------------------------------------

constexpr int frame_bytes = int(sizeof(AudioFrame));

// Where finished frames go. The audio thread waits for room, then writes.
class AudioSink {
public:
    virtual ~AudioSink() = default;
    // False when the output cannot be had; a console line says why.
    virtual bool open() = 0;
    // Blocks until one more frame is due; false when `stopping` was raised.
    virtual bool wait_for_room(const std::atomic<bool>& stopping) = 0;
    virtual void write(const AudioFrame& frame) = 0;
    virtual void close() = 0;
};

// Nothing is heard, but frames are made at the real rate.
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

// The host's sound device through SDL, which converts from 32000 Hz stereo
// to whatever the device plays.
class SdlSink : public AudioSink {
public:
    bool open() override
    {
        if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
            OSReport("Could not open the audio device: %s\n", SDL_GetError());
            return false;
        }
        SDL_AudioSpec want{};
        want.freq = AX_SAMPLE_RATE;
        want.format = AUDIO_S16SYS;
        want.channels = 2;
        want.samples = 512;
        device_ = SDL_OpenAudioDevice(nullptr, 0, &want, nullptr, 0);
        if (device_ == 0) {
            OSReport("Could not open the audio device: %s\n", SDL_GetError());
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

// The TV mix as a 16-bit stereo WAV file; the sizes are filled in on close.
class WavWriter {
public:
    bool open(const std::string& path)
    {
        file_ = std::fopen(path.c_str(), "wb");
        if (!file_) {
            OSReport("Could not open audio output file: %s\n", path.c_str());
            return false;
        }
        data_bytes_ = 0;
        write_header();
        return true;
    }

    void write(const AudioFrame& frame)
    {
        if (!file_)
            return;
        // WAV data is little-endian; so is every host this runs on.
        data_bytes_ += uint32_t(std::fwrite(frame.samples, 1, frame_bytes, file_));
    }

    void close()
    {
        if (!file_)
            return;
        std::fseek(file_, 0, SEEK_SET);
        write_header();
        std::fclose(file_);
        file_ = nullptr;
    }

private:
    void put32(uint32_t v)
    {
        const unsigned char b[4] = {uint8_t(v), uint8_t(v >> 8), uint8_t(v >> 16), uint8_t(v >> 24)};
        std::fwrite(b, 1, 4, file_);
    }
    void put16(uint16_t v)
    {
        const unsigned char b[2] = {uint8_t(v), uint8_t(v >> 8)};
        std::fwrite(b, 1, 2, file_);
    }

    void write_header()
    {
        std::fwrite("RIFF", 1, 4, file_);
        put32(36 + data_bytes_);
        std::fwrite("WAVEfmt ", 1, 8, file_);
        put32(16);
        put16(1);  // PCM
        put16(2);
        put32(AX_SAMPLE_RATE);
        put32(AX_SAMPLE_RATE * 4);
        put16(4);
        put16(16);
        std::fwrite("data", 1, 4, file_);
        put32(data_bytes_);
    }

    std::FILE* file_ = nullptr;
    uint32_t data_bytes_ = 0;
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
};

Output output;

int audio_thread(int, const char**)
{
    AudioFrame frame;
    while (output.sink->wait_for_room(output.stopping)) {
        ax_render_frame(&frame);
        frames_made.fetch_add(1);
        output.sink->write(frame);
        if (output.wav_open)
            output.wav.write(frame);
    }
    return 0;
}

std::unique_ptr<AudioSink> open_sink(bool headless)
{
    if (!headless) {
        auto sdl = std::make_unique<SdlSink>();
        if (sdl->open())
            return sdl;
    }
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

void audio_step_frame(AudioFrame* out)
{
    ax_render_frame(out);
    frames_made.fetch_add(1);
}

uint64_t audio_frame_count()
{
    return frames_made.load();
}

void audio_output_start()
{
    frames_made.store(0);
    if (manual_stepping || output.thread_running)
        return;
    const ConsoleOptions& options = console_options();
    output.sink = open_sink(options.headless);
    output.wav_open = !options.audio_out.empty() && output.wav.open(options.audio_out);
    output.stopping.store(false);
    OSCreateThread(&output.thread, audio_thread, 0, nullptr, nullptr, 0, 0, 0);
    OSResumeThread(&output.thread);
    output.thread_running = true;
}

void audio_output_stop()
{
    if (!output.thread_running)
        return;
    output.stopping.store(true);
    OSJoinThread(&output.thread, nullptr);
    output.thread_running = false;
    output.sink->close();
    output.sink.reset();
    if (output.wav_open)
        output.wav.close();
    output.wav_open = false;
}
