// Mixing 96 voices with the mixer updating every audio frame: one second of
// 44100 Hz sources per iteration. The "real_time_fraction" counter is the
// share of a second that mixing that second takes.
#include "audio/mix.h"
#include "console/audio_device.h"
#include "console/ax.h"

#include <benchmark/benchmark.h>
#include <cmath>
#include <vector>

namespace {

void start_voices(const std::vector<int16_t>& data)
{
    for (int i = 0; i < AX_MAX_VOICES; ++i) {
        AXVPB* voice = AXAcquireVoice(31, nullptr, nullptr);
        const MixDeviceControls controls = {-904, -904, -904, 63, 0, 0, 0};
        MIXAssignChannel(voice);
        MIXInitInputControl(voice, 0, 0);
        MIXInitDeviceControl(voice, MIX_DEVICE_TV, 0, &controls, 0);
        MIXInitDeviceControl(voice, MIX_DEVICE_DRC, 0, &controls, 0);
        AXVoiceSrc src = {1, 24780, 0, {}};  // 44100 Hz
        const AXVoiceOffsets offsets = {AX_FORMAT_PCM16, 1, 0, uint32_t(data.size() - 1), uint32_t(i * 400),
                                        const_cast<int16_t*>(data.data())};
        AXSetVoiceSrc(voice, &src);
        AXSetVoiceOffsets(voice, &offsets);
        AXSetVoiceState(voice, 1);
    }
}

void mix_one_second_of_96_voices(benchmark::State& state)
{
    std::vector<int16_t> data(44100);
    for (size_t i = 0; i < data.size(); ++i)
        data[i] = int16_t(8000.0 * std::sin(double(i) * 0.05));
    audio_set_manual_stepping(true);
    AXInit();
    MIXInit();
    start_voices(data);
    AXRegisterFrameCallback(MIXUpdateSettings);
    const int frames = (AX_SAMPLE_RATE + AX_FRAME_SAMPLES - 1) / AX_FRAME_SAMPLES;
    AudioFrame frame;
    for (auto _ : state) {
        for (int f = 0; f < frames; ++f)
            audio_step_frame(&frame);
        benchmark::DoNotOptimize(frame.samples[0]);
    }
    const double audio_seconds = double(frames) * AX_FRAME_SAMPLES / AX_SAMPLE_RATE;
    state.counters["real_time_fraction"] =
        benchmark::Counter(audio_seconds, benchmark::Counter::kIsIterationInvariantRate |
                                              benchmark::Counter::kInvert);
    MIXQuit();
    AXQuit();
    audio_set_manual_stepping(false);
}

}  // namespace

BENCHMARK(mix_one_second_of_96_voices)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
