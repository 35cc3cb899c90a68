// The audio device: the table of registered sounds, the streaming thread
// that refills the streams' ring buffers, and the audio-frame callback that
// applies the sounds' commands to the voices.
#pragma once

#include "console/ax.h"
#include "console/os.h"

#include <atomic>
#include <vector>

namespace TessaroAudio {

class SoundBase;
class SoundStream;

constexpr int sound_slot_count = 96;

// Holds an OS mutex for one scope.
class MutexHold {
public:
    explicit MutexHold(OSMutex& mutex) : mutex_(mutex) { OSLockMutex(&mutex_); }
    ~MutexHold() { OSUnlockMutex(&mutex_); }
    MutexHold(const MutexHold&) = delete;
    MutexHold& operator=(const MutexHold&) = delete;

private:
    OSMutex& mutex_;
};
constexpr double stream_pause = 0.15;  // seconds between two refill passes

class AudioDevice {
public:
    AudioDevice();
    AudioDevice(const AudioDevice&) = delete;
    AudioDevice& operator=(const AudioDevice&) = delete;

    // Starts the audio library with its callback. When the library's frames
    // come on real time a streaming thread refills the streams; otherwise the
    // callback refills them before each frame, so that what is heard follows
    // the frames (and the game's ticks) however fast they come.
    void open();
    // Ends the refills and waits for the streaming thread.
    void close();
    bool is_open() const { return opened; }

    // The first free slot takes the sound; false (and a console line) when
    // every slot is in use.
    bool add_sound(SoundBase* sound);
    void add_stream(SoundStream* stream);
    void remove_stream(SoundStream* stream);
    // Game thread, once per tick: deletes the destroyed sounds that their
    // owners have let go.
    void flush_sounds();
    // Shut-down, once nothing plays any more: deletes every sound left.
    void delete_all_sounds();
    // One refill pass over the streams.
    void update();
    // The callback's pass over the slots.
    void update_sounds();

    static int _stream_update(int argc, const char** device);
    int update_loop();

    OSThread* stream_thread = nullptr;
    SoundBase* sounds[sound_slot_count];
    std::vector<SoundStream*> streams;
    OSMutex stream_mutex;
    std::atomic<bool> closing{false};
    // Held by the callback's pass and by every change of a slot, so that a
    // sound is never deleted while the callback may still be visiting it.
    OSMutex slots_mutex;
    // The callback refills the streams (no streaming thread).
    std::atomic<bool> refills_with_frames{false};

private:
    OSThread thread_storage{};
    bool opened = false;
};

extern AudioDevice* global_device;
extern AXFrameCallback previous_frame_callback;

// Creates the device on first use and opens it.
void open_audio();
void close_audio();
int ax_startup(int argc, const char** device);
void audio_frame_callback();

// The master volume of the TV and the gamepad.
class Listener {
public:
    static void set_volume(float v);
    static float get_volume() { return volume; }

private:
    static float volume;
};

}  // namespace TessaroAudio
