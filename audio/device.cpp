#include "audio/device.h"

#include "audio/mix.h"
#include "audio/sound.h"
#include "audio/sound_stream.h"
#include "console/audio_device.h"
#include "platform/platform.h"

#include <algorithm>
#include <cmath>

namespace TessaroAudio {

AudioDevice* global_device = nullptr;
AXFrameCallback previous_frame_callback = nullptr;

AudioDevice::AudioDevice()
{
    std::fill(std::begin(sounds), std::end(sounds), nullptr);
    OSInitMutex(&stream_mutex);
    OSInitMutex(&slots_mutex);
}

void AudioDevice::open()
{
    if (opened)
        return;
    opened = true;
    closing = false;
    refills_with_frames = audio_pacing() != AudioPacing::real_time;
    // The audio library starts on a thread of its own; waiting for it keeps
    // the first sounds' commands from racing its start.
    OSThread startup{};
    OSCreateThread(&startup, ax_startup, 0, reinterpret_cast<const char**>(this), nullptr, 0, 0, 0);
    OSResumeThread(&startup);
    OSJoinThread(&startup, nullptr);
    if (refills_with_frames)
        return;
    stream_thread = &thread_storage;
    OSCreateThread(stream_thread, _stream_update, 0, reinterpret_cast<const char**>(this), nullptr, 0, 0, 0);
    OSResumeThread(stream_thread);
}

void AudioDevice::close()
{
    closing = true;
    opened = false;
    refills_with_frames = false;
    if (!stream_thread)
        return;
    OSJoinThread(stream_thread, nullptr);
    stream_thread = nullptr;
}

bool AudioDevice::add_sound(SoundBase* sound)
{
    {
        MutexHold lock(slots_mutex);
        for (SoundBase*& slot : sounds) {
            if (!slot) {
                slot = sound;
                return true;
            }
        }
    }
    OSReport("Max sound count reached\n");
    return false;
}

void AudioDevice::add_stream(SoundStream* stream)
{
    streams.push_back(stream);
}

void AudioDevice::remove_stream(SoundStream* stream)
{
    streams.erase(std::remove(streams.begin(), streams.end(), stream), streams.end());
}

void AudioDevice::flush_sounds()
{
    std::vector<SoundBase*> done;
    {
        MutexHold lock(slots_mutex);
        for (SoundBase*& slot : sounds) {
            if (slot && slot->is_disposable()) {
                done.push_back(slot);
                slot = nullptr;
            }
        }
    }
    // Out of the callback's reach now; a stream's destructor takes the
    // stream mutex, which the callback must never wait for.
    for (SoundBase* sound : done)
        delete sound;
}

void AudioDevice::delete_all_sounds()
{
    std::vector<SoundBase*> left;
    {
        MutexHold lock(slots_mutex);
        for (SoundBase*& slot : sounds) {
            if (slot)
                left.push_back(slot);
            slot = nullptr;
        }
    }
    for (SoundBase* sound : left)
        delete sound;
}

void AudioDevice::update()
{
    MutexHold lock(stream_mutex);
    for (SoundStream* stream : streams)
        stream->update_buffer();
}

void AudioDevice::update_sounds()
{
    MutexHold lock(slots_mutex);
    for (SoundBase* sound : sounds)
        if (sound && !sound->destroyed.load())
            sound->update_ax();
}

int AudioDevice::_stream_update(int, const char** device)
{
    return reinterpret_cast<AudioDevice*>(device)->update_loop();
}

int AudioDevice::update_loop()
{
    while (!closing.load()) {
        update();
        platform_sleep(stream_pause);
    }
    return 0;
}

void open_audio()
{
    if (!global_device)
        global_device = new AudioDevice();
    global_device->open();
}

void close_audio()
{
    if (global_device)
        global_device->close();
}

int ax_startup(int, const char**)
{
    AXInit();
    MIXInit();
    const AXFrameCallback previous = AXRegisterFrameCallback(audio_frame_callback);
    // Started again after a shut-down, the callback must not call itself.
    previous_frame_callback = previous == audio_frame_callback ? nullptr : previous;
    return 0;
}

void audio_frame_callback()
{
    if (previous_frame_callback)
        previous_frame_callback();
    if (global_device) {
        if (global_device->refills_with_frames.load())
            global_device->update();
        global_device->update_sounds();
    }
    MIXUpdateSettings();
}

}  // namespace TessaroAudio

void flush_audio()
{
    if (TessaroAudio::global_device)
        TessaroAudio::global_device->flush_sounds();
}

namespace TessaroAudio {

float Listener::volume = 1.0f;

void Listener::set_volume(float v)
{
    if (v == volume)
        return;
    volume = v;
    const double word = std::clamp(std::trunc(double(v) * 32768.0), 0.0, 32768.0);
    AXSetDeviceVolume(AX_DEVICE_TV, 0, uint16_t(word));
    AXSetDeviceVolume(AX_DEVICE_DRC, 0, uint16_t(word));
}

}  // namespace TessaroAudio
