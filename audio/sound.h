// Playable sounds on the console's voices. The game thread records settings
// and raises command bits; the audio-frame callback applies them to the
// voices and the mixer. A sound is owned by whoever started it until it is
// released, then by the audio device, which deletes it once destroyed.
#pragma once

#include "console/ax.h"

#include <atomic>
#include <cstdint>

namespace TessaroAudio {

class Sample;

enum SoundCommand : uint32_t {
    SOUND_CMD_INIT = 0x001,
    SOUND_CMD_PLAY = 0x002,
    SOUND_CMD_STOP = 0x004,
    SOUND_CMD_VOLUME = 0x008,
    SOUND_CMD_PITCH = 0x010,
    SOUND_CMD_PAN = 0x020,
    SOUND_CMD_DESTROY = 0x040,
    SOUND_CMD_OFFSET = 0x080,
    SOUND_CMD_STREAM_OFFSET = 0x100,
    SOUND_CMD_LOOP = 0x200,
};

enum SoundStatus { SOUND_STOPPED = 0, SOUND_PAUSED = 1, SOUND_PLAYING = 2 };

constexpr uint32_t voice_priority = 31;

class SoundBase {
public:
    SoundBase() = default;
    virtual ~SoundBase() = default;
    SoundBase(const SoundBase&) = delete;
    SoundBase& operator=(const SoundBase&) = delete;

    virtual void initialize() = 0;
    virtual int get_status();
    virtual void play();
    virtual void pause();
    virtual void stop();
    virtual int get_sample_rate() = 0;
    virtual void set_loop(bool loop) = 0;
    virtual void set_playing_offset(double seconds) = 0;
    virtual double get_playing_offset() = 0;
    virtual void stream_offset_update() {}
    virtual double get_duration() = 0;
    virtual void update_ax();

    void set_volume(float v);
    void set_pan(double p);
    void set_pitch(float p);

    // The owner lets go: stop and destroy requested, status 0. From here on
    // the device may delete the sound once its voices are released.
    void release();
    bool is_released() const { return released.load(); }
    // False when the device had no free slot: nothing will ever play it.
    bool is_registered() const { return registered; }
    // Destroyed, voices released and let go by its owner: safe to delete.
    bool is_disposable() const;

    void raise(uint32_t bits) { commands.fetch_or(bits); }
    AXVPB* voice(int k) const { return voices[k].load(); }

    std::atomic<bool> destroyed{false};
    std::atomic<uint32_t> commands{0};
    int channels = 1;
    std::atomic<AXVPB*> voices[2] = {nullptr, nullptr};
    double pan = 0.0;
    double volume = 1.0;
    float pitch = 1.0f;
    uint32_t offset = 0;
    bool loop = false;
    std::atomic<int> status{SOUND_STOPPED};
    bool started = false;

protected:
    void register_with_device();
    void initialize_voices();
    void update_volume();
    void update_pan();
    void do_destroy();
    // Frees every voice the sound holds and forgets them.
    void free_voices();
    // The voices in use, in order; a missing one is skipped.
    template <typename F>
    void for_each_voice(F f)
    {
        for (int k = 0; k < channels; ++k)
            if (AXVPB* v = voices[k].load())
                f(v);
    }
    // Ratio of the sound's rate to the 32000 Hz mix, with the pitch on top.
    float source_ratio();
    // Sets a voice up, stopped, to play 16-bit samples of `data` up to `end_offset`.
    void set_voice_source(AXVPB* voice, void* data, uint32_t end_offset, bool looping);
    // Cancels a pending start and stops the voices where they are.
    void request_stop(uint32_t more_commands = 0);

    static void on_reacquire(void* voice);

    bool registered = false;
    std::atomic<bool> released{false};
};

// A sound decoded whole at start-up; shares its Sample with every other
// Sound made from it.
class Sound : public SoundBase {
public:
    explicit Sound(Sample& sample);

    void initialize() override;
    int get_sample_rate() override;
    void set_loop(bool b) override;
    void set_playing_offset(double seconds) override;
    double get_playing_offset() override;
    double get_duration() override;

    void set_samples(AXVPB* voice, Sample& sample, void* data);

    Sample* sample;
};

// Volume 0..1 to a mixer level in tenths of a decibel.
int get_attenuation(double v);

// Limits x to 0..1; NaN (a computed 0 / 0) gives 0.
template <typename T>
T clamp(T x)
{
    return x > T(0) ? (x < T(1) ? x : T(1)) : T(0);
}

}  // namespace TessaroAudio
