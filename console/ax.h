// The console's audio library: hardware voices mixed every audio frame,
// realised here as a software mixer. Voices play signed 16-bit PCM from
// memory, resampled by linear interpolation, with per-sample volume ramps and
// one mix per output device. Only the TV's main bus is heard on this host.
#pragma once

#include <cstdint>

constexpr int AX_SAMPLE_RATE = 32000;
constexpr int AX_FRAME_SAMPLES = 96;  // samples per audio frame
constexpr int AX_MAX_VOICES = 96;

constexpr int AX_DEVICE_TV = 0;
constexpr int AX_DEVICE_DRC = 1;
constexpr int AX_DEVICE_RMT = 2;
constexpr int AX_TV_CHANNELS = 6;   // L, R, Ls, Rs, C, LFE
constexpr int AX_DRC_CHANNELS = 4;  // L, R, Ls, Rs
constexpr int AX_RMT_CHANNELS = 1;
constexpr int AX_BUSES = 4;  // main, aux A, aux B, aux C
constexpr int AX_DRC_COUNT = 2;
constexpr int AX_RMT_COUNT = 4;

constexpr uint16_t AX_FORMAT_PCM16 = 10;

// One voice. Its first word is its index, which the mixer relies on.
struct AXVPB {
    uint32_t index;
    uint32_t priority;  // 0 while free
    void* user_context;
};

using AXVoiceCallback = void (*)(void* voice);
using AXFrameCallback = void (*)();

// Resampling: the ratio of the source rate to 32000 Hz in 16.16 fixed point,
// the fraction of the current position and the interpolator's last samples.
struct AXVoiceSrc {
    uint16_t ratio_int;
    uint16_t ratio_frac;
    uint16_t current_offset_frac;
    uint16_t last_samples[4];
};

// Where a voice reads; offsets count samples from `data`.
struct AXVoiceOffsets {
    uint16_t format;     // AX_FORMAT_PCM16
    uint16_t loop_flag;  // 1: go on at loop_offset after end_offset
    uint32_t loop_offset;
    uint32_t end_offset;  // the last sample played
    uint32_t current_offset;
    const void* data;
};

// A volume word (0x7FFF = 0 dB) and its change per sample.
struct AXVoiceVe {
    uint16_t volume;
    int16_t delta;
};
using AXMixEntry = AXVoiceVe;

void AXInit();
// Stops the audio thread and the output, and forgets every voice and the
// frame callback. Also runs at process exit.
void AXQuit();
int32_t AXIsInit();
int32_t AXGetMaxVoices();
// Installs the function called at the start of every audio frame; returns
// the one installed before, or null.
AXFrameCallback AXRegisterFrameCallback(AXFrameCallback callback);

// A free voice, or null. A voice of lower priority may be taken away for
// the request; its owner's callback then hears of it.
AXVPB* AXAcquireVoice(uint32_t priority, AXVoiceCallback callback, void* context);
void AXFreeVoice(AXVPB* voice);
// A bracket around changes to one voice: the mixer never sees half of them.
int32_t AXVoiceBegin(AXVPB* voice);
int32_t AXVoiceEnd(AXVPB* voice);

void AXSetVoiceType(AXVPB* voice, uint16_t type);
void AXSetVoiceSrcType(AXVPB* voice, uint32_t type);
void AXSetVoiceSrc(AXVPB* voice, const AXVoiceSrc* src);
void AXSetVoiceSrcRatio(AXVPB* voice, float ratio);
void AXSetVoiceOffsets(AXVPB* voice, const AXVoiceOffsets* offsets);
void AXGetVoiceOffsets(AXVPB* voice, AXVoiceOffsets* offsets);
void AXSetVoiceCurrentOffset(AXVPB* voice, uint32_t offset);
void AXSetVoiceEndOffset(AXVPB* voice, uint32_t offset);
void AXSetVoiceLoop(AXVPB* voice, uint16_t loop);
// 0 stops the voice where it is, 1 runs it.
void AXSetVoiceState(AXVPB* voice, uint16_t state);
int32_t AXIsVoiceRunning(AXVPB* voice);
void AXSetVoiceVe(AXVPB* voice, const AXVoiceVe* ve);
// Channel-major: AX_BUSES entries per output channel of the device.
void AXSetVoiceDeviceMix(AXVPB* voice, int32_t device_type, uint32_t device_index,
                         const AXMixEntry* mix);
// Master volume of one device; 0x8000 is unity.
void AXSetDeviceVolume(int32_t device_type, uint32_t device_index, uint16_t volume);
void AXPrepareEfxData(const void* data, uint32_t bytes);
