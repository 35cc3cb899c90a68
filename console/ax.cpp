#include "console/ax.h"

#include "console/audio_device.h"
#include "console/os.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <mutex>

namespace {

// What the library knows of one voice beyond its public handle.
struct VoiceState {
    AXVoiceCallback callback = nullptr;
    bool running = false;
    uint16_t type = 0;
    uint32_t src_type = 0;
    uint32_t ratio = 0x10000;  // 16.16
    uint16_t frac = 0;
    uint16_t last_samples[4] = {};
    AXVoiceOffsets offsets = {};
    AXVoiceVe ve = {};
    AXMixEntry tv[AX_TV_CHANNELS * AX_BUSES] = {};
    AXMixEntry drc[AX_DRC_COUNT][AX_DRC_CHANNELS * AX_BUSES] = {};
    AXMixEntry rmt[AX_RMT_COUNT][AX_RMT_CHANNELS * AX_BUSES] = {};
};

AXVPB handles[AX_MAX_VOICES];
VoiceState states[AX_MAX_VOICES];
uint16_t device_volumes[3][AX_RMT_COUNT];

// Held while a frame is mixed and by every call that touches a voice, so a
// voice never changes half-way through a frame. Recursive: the voice-loss
// callback and the AXVoiceBegin bracket call back into the library.
std::recursive_mutex voice_mutex;
std::atomic<AXFrameCallback> frame_callback{nullptr};
std::atomic<bool> initialised{false};
bool exit_hook_installed = false;

bool is_handle(const AXVPB* voice)
{
    const auto at = reinterpret_cast<uintptr_t>(voice);
    const auto first = reinterpret_cast<uintptr_t>(handles);
    return at >= first && at < first + sizeof handles && (at - first) % sizeof(AXVPB) == 0;
}

// The state of an acquired voice; null for anything else, so a stale or
// foreign handle never reaches the mixer.
VoiceState* state_of(AXVPB* voice)
{
    if (!is_handle(voice) || voice->priority == 0)
        return nullptr;
    return &states[voice->index];
}

int64_t index_of(const AXVPB* voice)
{
    return is_handle(voice) ? int64_t(voice->index) : -1;
}

void reset_voices()
{
    for (uint32_t i = 0; i < AX_MAX_VOICES; ++i) {
        handles[i] = {i, 0, nullptr};
        states[i] = VoiceState{};
    }
    for (auto& type : device_volumes)
        std::fill(std::begin(type), std::end(type), uint16_t(0x8000));
}

void record_mix(const char* name, int64_t voice, int32_t type, uint32_t index, const AXMixEntry* mix,
                int entries)
{
    // Mixes are set many times a frame; build nothing unless a test listens.
    if (!ax_recording())
        return;
    std::vector<int64_t> args = {voice, type, index};
    for (int i = 0; i < entries; ++i) {
        args.push_back(mix[i].volume);
        args.push_back(mix[i].delta);
    }
    ax_record(name, args);
}

// The entries of one device's mix; 0 for a device that does not exist.
int mix_entries(int32_t type, uint32_t index)
{
    if (type == AX_DEVICE_TV && index == 0)
        return AX_TV_CHANNELS * AX_BUSES;
    if (type == AX_DEVICE_DRC && index < AX_DRC_COUNT)
        return AX_DRC_CHANNELS * AX_BUSES;
    if (type == AX_DEVICE_RMT && index < AX_RMT_COUNT)
        return AX_RMT_CHANNELS * AX_BUSES;
    return 0;
}

AXMixEntry* device_mix(VoiceState& state, int32_t type, uint32_t index)
{
    if (mix_entries(type, index) == 0)
        return nullptr;
    return type == AX_DEVICE_TV ? state.tv : type == AX_DEVICE_DRC ? state.drc[index] : state.rmt[index];
}

// Rendering ------------------------------------------------------------------

float gain_of(uint16_t volume)
{
    return float(volume) / 32767.0f;  // 0x7FFF is unity
}

void step(AXMixEntry& ramp, int samples)
{
    const int32_t volume = int32_t(ramp.volume) + int32_t(ramp.delta) * samples;
    ramp.volume = uint16_t(std::clamp(volume, 0, 0xFFFF));
}

uint32_t next_offset(const AXVoiceOffsets& offsets, uint32_t current)
{
    if (current < offsets.end_offset)
        return current + 1;
    return offsets.loop_flag ? offsets.loop_offset : current;
}

float sample_at(const VoiceState& state)
{
    const auto* data = static_cast<const int16_t*>(state.offsets.data);
    const uint32_t current = state.offsets.current_offset;
    const float a = data[current];
    const float b = data[next_offset(state.offsets, current)];
    return a + (b - a) * (float(state.frac) / 65536.0f);
}

// Places the read position; past the end offset a voice goes on at its loop
// offset, or stops on its end offset.
void place(VoiceState& state, uint64_t current)
{
    AXVoiceOffsets& o = state.offsets;
    if (current <= o.end_offset) {
        o.current_offset = uint32_t(current);
        return;
    }
    if (!o.loop_flag || o.loop_offset > o.end_offset) {
        o.current_offset = o.end_offset;
        state.frac = 0;
        state.running = false;
        return;
    }
    const uint64_t length = uint64_t(o.end_offset) - o.loop_offset + 1;
    o.current_offset = uint32_t(o.loop_offset + (current - o.end_offset - 1) % length);
}

// Moves the read position by one output sample.
void advance(VoiceState& state)
{
    const uint64_t position = (uint64_t(state.offsets.current_offset) << 16) + state.frac + state.ratio;
    state.frac = uint16_t(position & 0xFFFF);
    place(state, position >> 16);
}

bool playable(const VoiceState& state)
{
    return state.running && state.offsets.data && state.offsets.format == AX_FORMAT_PCM16;
}

// The gain of a ramp at each of `count` samples; moves the ramp on.
void ramp_gains(AXMixEntry& ramp, int count, float* gains)
{
    if (ramp.delta == 0) {
        std::fill(gains, gains + count, gain_of(ramp.volume));
        return;
    }
    int32_t volume = ramp.volume;
    for (int k = 0; k < count; ++k) {
        gains[k] = gain_of(uint16_t(volume));
        volume = std::clamp(volume + ramp.delta, 0, 0xFFFF);
    }
    ramp.volume = uint16_t(volume);
}

void render_voice(VoiceState& state, float (*tv)[AX_TV_CHANNELS])
{
    place(state, state.offsets.current_offset);  // a position set past the end
    float source[AX_FRAME_SAMPLES];
    int played = 0;
    while (played < AX_FRAME_SAMPLES && state.running) {
        source[played++] = sample_at(state);
        advance(state);
    }
    float gains[AX_FRAME_SAMPLES];
    ramp_gains(state.ve, played, gains);
    for (int k = 0; k < played; ++k)
        source[k] *= gains[k];
    for (int c = 0; c < AX_TV_CHANNELS; ++c) {
        AXMixEntry& main = state.tv[c * AX_BUSES];
        if (main.volume == 0 && main.delta == 0)
            continue;
        ramp_gains(main, played, gains);
        for (int k = 0; k < played; ++k)
            tv[k][c] += source[k] * gains[k];
    }
    // Nothing listens to the aux buses, the gamepads or the remotes here,
    // but their ramps move as they would.
    for (int c = 0; c < AX_TV_CHANNELS; ++c)
        for (int b = 1; b < AX_BUSES; ++b)
            step(state.tv[c * AX_BUSES + b], played);
    for (auto& drc : state.drc)
        for (auto& entry : drc)
            step(entry, played);
    for (auto& rmt : state.rmt)
        for (auto& entry : rmt)
            step(entry, played);
}

int16_t to_pcm(float value)
{
    return int16_t(std::clamp(std::lrint(value), -32768L, 32767L));
}

void quit_at_exit()
{
    AXQuit();
}

}  // namespace

void ax_render_frame(AudioFrame* out)
{
    if (const AXFrameCallback callback = frame_callback.load())
        callback();
    float tv[AX_FRAME_SAMPLES][AX_TV_CHANNELS] = {};
    float master = 1.0f;
    {
        std::lock_guard<std::recursive_mutex> lock(voice_mutex);
        for (VoiceState& state : states)
            if (playable(state))
                render_voice(state, tv);
        master = float(device_volumes[AX_DEVICE_TV][0]) / 32768.0f;
    }
    if (!out)
        return;
    // Stereo fold of the six TV channels: surrounds to their side, the
    // centre to both at -3 dB; the LFE channel has no speaker here.
    constexpr float centre = 0.70710678f;
    for (int n = 0; n < AX_FRAME_SAMPLES; ++n) {
        const float* c = tv[n];
        out->samples[2 * n] = to_pcm((c[0] + c[2] + centre * c[4]) * master);
        out->samples[2 * n + 1] = to_pcm((c[1] + c[3] + centre * c[4]) * master);
    }
}

void AXInit()
{
    if (initialised.load())
        return;
    ax_record("AXInit", {});
    {
        std::lock_guard<std::recursive_mutex> lock(voice_mutex);
        reset_voices();
    }
    initialised.store(true);
    if (!exit_hook_installed) {
        exit_hook_installed = true;
        std::atexit(quit_at_exit);
    }
    audio_output_start();
}

void AXQuit()
{
    if (!initialised.load())
        return;
    audio_output_stop();
    initialised.store(false);
    frame_callback.store(nullptr);
    std::lock_guard<std::recursive_mutex> lock(voice_mutex);
    reset_voices();
}

int32_t AXIsInit()
{
    return initialised.load() ? 1 : 0;
}

int32_t AXGetMaxVoices()
{
    return AX_MAX_VOICES;
}

AXFrameCallback AXRegisterFrameCallback(AXFrameCallback callback)
{
    ax_record("AXRegisterFrameCallback", {callback ? 1 : 0});
    return frame_callback.exchange(callback);
}

AXVPB* AXAcquireVoice(uint32_t priority, AXVoiceCallback callback, void* context)
{
    std::lock_guard<std::recursive_mutex> lock(voice_mutex);
    AXVPB* chosen = nullptr;
    for (AXVPB& voice : handles)
        if (voice.priority == 0) {
            chosen = &voice;
            break;
        }
    if (!chosen) {
        // Take the voice of lowest priority below the request's, if any.
        for (AXVPB& voice : handles)
            if (voice.priority < priority && (!chosen || voice.priority < chosen->priority))
                chosen = &voice;
        if (chosen) {
            VoiceState& lost = states[chosen->index];
            if (lost.callback)
                lost.callback(chosen);
        }
    }
    if (chosen) {
        states[chosen->index] = VoiceState{};
        states[chosen->index].callback = callback;
        chosen->priority = std::max<uint32_t>(priority, 1);
        chosen->user_context = context;
    }
    ax_record("AXAcquireVoice", {priority, chosen ? int64_t(chosen->index) : -1});
    return chosen;
}

void AXFreeVoice(AXVPB* voice)
{
    std::lock_guard<std::recursive_mutex> lock(voice_mutex);
    ax_record("AXFreeVoice", {index_of(voice)});
    if (VoiceState* state = state_of(voice)) {
        *state = VoiceState{};
        voice->priority = 0;
        voice->user_context = nullptr;
    }
}

int32_t AXVoiceBegin(AXVPB* voice)
{
    ax_record("AXVoiceBegin", {index_of(voice)});
    voice_mutex.lock();
    return 1;
}

int32_t AXVoiceEnd(AXVPB* voice)
{
    ax_record("AXVoiceEnd", {index_of(voice)});
    voice_mutex.unlock();
    return 1;
}

void AXSetVoiceType(AXVPB* voice, uint16_t type)
{
    std::lock_guard<std::recursive_mutex> lock(voice_mutex);
    ax_record("AXSetVoiceType", {index_of(voice), type});
    if (VoiceState* state = state_of(voice))
        state->type = type;
}

void AXSetVoiceSrcType(AXVPB* voice, uint32_t type)
{
    std::lock_guard<std::recursive_mutex> lock(voice_mutex);
    ax_record("AXSetVoiceSrcType", {index_of(voice), type});
    // Every source type resamples by linear interpolation here.
    if (VoiceState* state = state_of(voice))
        state->src_type = type;
}

void AXSetVoiceSrc(AXVPB* voice, const AXVoiceSrc* src)
{
    std::lock_guard<std::recursive_mutex> lock(voice_mutex);
    VoiceState* state = state_of(voice);
    if (!src) {
        ax_record("AXSetVoiceSrc", {index_of(voice)});
        return;
    }
    ax_record("AXSetVoiceSrc", {index_of(voice), src->ratio_int, src->ratio_frac, src->current_offset_frac,
                                src->last_samples[0], src->last_samples[1], src->last_samples[2],
                                src->last_samples[3]});
    if (!state)
        return;
    state->ratio = (uint32_t(src->ratio_int) << 16) | src->ratio_frac;
    state->frac = src->current_offset_frac;
    std::memcpy(state->last_samples, src->last_samples, sizeof state->last_samples);
}

void AXSetVoiceSrcRatio(AXVPB* voice, float ratio)
{
    std::lock_guard<std::recursive_mutex> lock(voice_mutex);
    // Saturating, so a wild ratio never reaches undefined conversions.
    const double fixed = std::isnan(ratio) ? 0.0 : std::clamp(double(ratio) * 65536.0, 0.0, 4294967295.0);
    ax_record("AXSetVoiceSrcRatio", {index_of(voice), int64_t(fixed)});
    if (VoiceState* state = state_of(voice))
        state->ratio = uint32_t(fixed);
}

void AXSetVoiceOffsets(AXVPB* voice, const AXVoiceOffsets* offsets)
{
    std::lock_guard<std::recursive_mutex> lock(voice_mutex);
    if (!offsets) {
        ax_record("AXSetVoiceOffsets", {index_of(voice)});
        return;
    }
    ax_record("AXSetVoiceOffsets", {index_of(voice), offsets->format, offsets->loop_flag, offsets->loop_offset,
                                    offsets->end_offset, offsets->current_offset, offsets->data ? 1 : 0});
    if (VoiceState* state = state_of(voice))
        state->offsets = *offsets;
}

void AXGetVoiceOffsets(AXVPB* voice, AXVoiceOffsets* offsets)
{
    std::lock_guard<std::recursive_mutex> lock(voice_mutex);
    ax_record("AXGetVoiceOffsets", {index_of(voice)});
    if (!offsets)
        return;
    if (const VoiceState* state = state_of(voice))
        *offsets = state->offsets;
    else
        *offsets = AXVoiceOffsets{};
}

void AXSetVoiceCurrentOffset(AXVPB* voice, uint32_t offset)
{
    std::lock_guard<std::recursive_mutex> lock(voice_mutex);
    ax_record("AXSetVoiceCurrentOffset", {index_of(voice), offset});
    if (VoiceState* state = state_of(voice)) {
        state->offsets.current_offset = offset;
        state->frac = 0;
    }
}

void AXSetVoiceEndOffset(AXVPB* voice, uint32_t offset)
{
    std::lock_guard<std::recursive_mutex> lock(voice_mutex);
    ax_record("AXSetVoiceEndOffset", {index_of(voice), offset});
    if (VoiceState* state = state_of(voice))
        state->offsets.end_offset = offset;
}

void AXSetVoiceLoop(AXVPB* voice, uint16_t loop)
{
    std::lock_guard<std::recursive_mutex> lock(voice_mutex);
    ax_record("AXSetVoiceLoop", {index_of(voice), loop});
    if (VoiceState* state = state_of(voice))
        state->offsets.loop_flag = loop;
}

void AXSetVoiceState(AXVPB* voice, uint16_t run)
{
    std::lock_guard<std::recursive_mutex> lock(voice_mutex);
    ax_record("AXSetVoiceState", {index_of(voice), run});
    if (VoiceState* state = state_of(voice))
        state->running = run != 0;
}

int32_t AXIsVoiceRunning(AXVPB* voice)
{
    std::lock_guard<std::recursive_mutex> lock(voice_mutex);
    ax_record("AXIsVoiceRunning", {index_of(voice)});
    const VoiceState* state = state_of(voice);
    return state && state->running ? 1 : 0;
}

void AXSetVoiceVe(AXVPB* voice, const AXVoiceVe* ve)
{
    std::lock_guard<std::recursive_mutex> lock(voice_mutex);
    if (!ve) {
        ax_record("AXSetVoiceVe", {index_of(voice)});
        return;
    }
    ax_record("AXSetVoiceVe", {index_of(voice), ve->volume, ve->delta});
    if (VoiceState* state = state_of(voice))
        state->ve = *ve;
}

void AXSetVoiceDeviceMix(AXVPB* voice, int32_t device_type, uint32_t device_index, const AXMixEntry* mix)
{
    std::lock_guard<std::recursive_mutex> lock(voice_mutex);
    const int entries = mix ? mix_entries(device_type, device_index) : 0;
    record_mix("AXSetVoiceDeviceMix", index_of(voice), device_type, device_index, mix, entries);
    VoiceState* state = state_of(voice);
    if (state && entries > 0)
        std::copy(mix, mix + entries, device_mix(*state, device_type, device_index));
}

void AXSetDeviceVolume(int32_t device_type, uint32_t device_index, uint16_t volume)
{
    std::lock_guard<std::recursive_mutex> lock(voice_mutex);
    ax_record("AXSetDeviceVolume", {device_type, device_index, volume});
    if (device_type >= 0 && device_type < 3 && device_index < AX_RMT_COUNT)
        device_volumes[device_type][device_index] = volume;
}

void AXPrepareEfxData(const void* data, uint32_t bytes)
{
    ax_record("AXPrepareEfxData", {data ? 1 : 0, bytes});
    // The mixer reads sample memory on another thread: publish what was written.
    OSMemoryBarrier();
}
