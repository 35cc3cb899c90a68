#include "audio/sound.h"

#include "audio/device.h"
#include "audio/mix.h"
#include "audio/sample.h"
#include "base/saturate.h"
#include "console/os.h"

#include <algorithm>
#include <cmath>

namespace TessaroAudio {

namespace {

constexpr float mix_rate = 32000.0f;

}  // namespace

int get_attenuation(double v)
{
    if (!(v > 0.0))  // NaN too: it must never turn into a level
        return MIX_VOLUME_MIN_LEVEL;
    if (v > 1.0)
        v = 1.0;
    return int(20.0 * std::log(v) / std::log(10.0) * 10.0);
}

// Game thread ------------------------------------------------------------------

int SoundBase::get_status()
{
    // A sound whose voices were taken away is silent for good.
    return destroyed.load() ? SOUND_STOPPED : status.load();
}

void SoundBase::play()
{
    raise(SOUND_CMD_PLAY);
    status = SOUND_PLAYING;
}

void SoundBase::pause()
{
    raise(SOUND_CMD_STOP);
    status = SOUND_PAUSED;
}

void SoundBase::stop()
{
    request_stop();
}

void SoundBase::request_stop(uint32_t more_commands)
{
    commands.fetch_and(~uint32_t(SOUND_CMD_PLAY));
    raise(SOUND_CMD_STOP | more_commands);
    status = SOUND_STOPPED;
}

void SoundBase::release()
{
    request_stop(SOUND_CMD_DESTROY);
    released = true;
}

bool SoundBase::is_disposable() const
{
    return destroyed.load() && released.load() && !voice(0) && !voice(1);
}

void SoundBase::set_volume(float v)
{
    if (double(v) == volume)
        return;
    volume = clamp<double>(v);
    raise(SOUND_CMD_VOLUME);
}

void SoundBase::set_pan(double p)
{
    // NaN (a computed 0 / 0) stays in the centre.
    p = std::isnan(p) ? 0.0 : std::clamp(p, -1.0, 1.0);
    if (p == pan)
        return;
    pan = p;
    raise(channels == 1 ? SOUND_CMD_PAN : SOUND_CMD_VOLUME);
}

void SoundBase::set_pitch(float p)
{
    if (p == pitch)
        return;
    pitch = p;
    if (voice(0))
        raise(SOUND_CMD_PITCH);
}

void SoundBase::register_with_device()
{
    registered = global_device && global_device->add_sound(this);
}

// Audio-frame callback ---------------------------------------------------------

void SoundBase::update_ax()
{
    if (destroyed.load())
        return;
    const uint32_t c = commands.exchange(0);
    if (c & SOUND_CMD_INIT)
        initialize();
    if (!voice(0)) {
        // No voice could be had: the sound can never play, so it reports
        // stopped from now on, and the owner's release lets the device delete it.
        destroyed = true;
        return;
    }
    if (c & SOUND_CMD_STOP) {
        for_each_voice([](AXVPB* v) { AXSetVoiceState(v, 0); });
        started = false;
    }
    if (c & SOUND_CMD_DESTROY) {
        do_destroy();
        return;
    }
    if (c & SOUND_CMD_PLAY) {
        for_each_voice([](AXVPB* v) { AXSetVoiceState(v, 1); });
        started = true;
    }
    if (c & SOUND_CMD_STREAM_OFFSET)
        stream_offset_update();
    if (c & SOUND_CMD_PITCH) {
        const float ratio = source_ratio();
        for_each_voice([ratio](AXVPB* v) { AXSetVoiceSrcRatio(v, ratio); });
    }
    if (c & SOUND_CMD_VOLUME)
        update_volume();
    if (c & SOUND_CMD_OFFSET) {
        const uint32_t at = offset;
        for_each_voice([at](AXVPB* v) { AXSetVoiceCurrentOffset(v, at); });
    }
    if (c & SOUND_CMD_PAN)
        update_pan();
    if (c & SOUND_CMD_LOOP) {
        const uint16_t flag = loop ? 1 : 0;
        for_each_voice([flag](AXVPB* v) { AXSetVoiceLoop(v, flag); });
    }
    if (started && AXIsVoiceRunning(voice(0)) != 1 && status.load() != SOUND_PAUSED) {
        started = false;
        status = SOUND_STOPPED;
    }
}

void SoundBase::initialize_voices()
{
    for (int k = 0; k < channels; ++k) {
        AXVPB* v = AXAcquireVoice(voice_priority, on_reacquire, static_cast<SoundBase*>(this));
        if (!v) {
            // Half a stereo pair is no sound: give back what was had.
            free_voices();
            return;
        }
        voices[k] = v;
        const int16_t pan_of_voice = channels == 1 ? 63 : k == 0 ? 0 : 127;
        const MixDeviceControls controls = {-904, -904, -904, pan_of_voice, 0, 0, 0};
        MIXAssignChannel(v);
        MIXInitInputControl(v, 0, 0);
        MIXInitDeviceControl(v, MIX_DEVICE_TV, 0, &controls, 0);
        MIXInitDeviceControl(v, MIX_DEVICE_DRC, 0, &controls, 0);
    }
}

void SoundBase::update_volume()
{
    const int16_t level = int16_t(get_attenuation(float(volume)));
    for_each_voice([level](AXVPB* v) { MIXSetInput(v, level); });
}

void SoundBase::update_pan()
{
    const int16_t p = int16_t((pan + 1.0) * 0.5 * 127.0);
    AXVPB* v = voice(0);
    MIXSetDevicePan(v, MIX_DEVICE_TV, 0, p);
    MIXSetDevicePan(v, MIX_DEVICE_DRC, 0, p);
}

void SoundBase::free_voices()
{
    for (auto& slot : voices) {
        if (AXVPB* v = slot.exchange(nullptr)) {
            MIXReleaseChannel(v);
            AXFreeVoice(v);
        }
    }
}

void SoundBase::do_destroy()
{
    destroyed = true;
    free_voices();
}

void SoundBase::on_reacquire(void* voice)
{
    auto* sound = static_cast<SoundBase*>(static_cast<AXVPB*>(voice)->user_context);
    if (!sound)
        return;
    sound->destroyed = true;
    sound->free_voices();
    OSReport("A voice was reacquired.\n");
}

float SoundBase::source_ratio()
{
    return float(get_sample_rate()) / mix_rate * pitch;
}

void SoundBase::set_voice_source(AXVPB* voice, void* data, uint32_t end_offset, bool looping)
{
    const auto fixed = uint32_t(65536.0f * source_ratio());
    const AXVoiceSrc src = {uint16_t(fixed >> 16), uint16_t(fixed & 0xFFFF), 0, {0, 0, 0, 0}};
    AXVoiceOffsets offsets = {};
    offsets.format = AX_FORMAT_PCM16;
    offsets.loop_flag = looping ? 1 : 0;
    offsets.loop_offset = 0;
    offsets.end_offset = end_offset;
    offsets.current_offset = 0;
    offsets.data = data;
    AXSetVoiceType(voice, 0);
    AXSetVoiceSrcType(voice, 1);
    AXSetVoiceSrc(voice, &src);
    AXSetVoiceOffsets(voice, &offsets);
}

// In-memory sounds -------------------------------------------------------------

Sound::Sound(Sample& sample) : sample(&sample)
{
    raise(SOUND_CMD_INIT);
    channels = sample.channels;
    register_with_device();
}

void Sound::initialize()
{
    initialize_voices();
    if (AXVPB* v = voice(0))
        set_samples(v, *sample, sample->left);
    if (AXVPB* v = voice(1); v && channels > 1)
        set_samples(v, *sample, sample->right);
}

void Sound::set_samples(AXVPB* voice, Sample& s, void* data)
{
    set_voice_source(voice, data, s.samples / unsigned(channels) - 1, loop);
}

int Sound::get_sample_rate()
{
    return sample->sample_rate;
}

void Sound::set_loop(bool b)
{
    if (b == loop)
        return;
    loop = b;
    if (voice(0))
        raise(SOUND_CMD_LOOP);
}

void Sound::set_playing_offset(double seconds)
{
    // A time before the start would put the voices past their end.
    const int32_t at = saturate_to_int(seconds * get_sample_rate());
    offset = uint32_t(at < 0 ? 0 : at);
    raise(SOUND_CMD_OFFSET);
}

double Sound::get_playing_offset()
{
    AXVPB* v = voice(0);
    if (!v)
        return 0.0;
    AXVoiceOffsets offsets;
    AXGetVoiceOffsets(v, &offsets);
    return double(offsets.current_offset) / get_sample_rate();
}

double Sound::get_duration()
{
    return double(sample->samples / unsigned(sample->sample_rate) / unsigned(channels));
}

}  // namespace TessaroAudio
