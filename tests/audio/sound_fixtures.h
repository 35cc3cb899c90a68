// Shared by the sound engine tests: the audio library stepped by hand with
// every call recorded, a device without a streaming thread (tests run the
// refill passes themselves), and sounds written as asset items.
#pragma once

#include "audio/decoder.h"
#include "audio/device.h"
#include "audio/media.h"
#include "audio/mix.h"
#include "audio/sample.h"
#include "audio/sound.h"
#include "audio/sound_data.h"
#include "audio/sound_stream.h"
#include "console/audio_device.h"
#include "tests/audio/decoder_fixtures.h"

#include <algorithm>
#include <map>
#include <memory>
#include <string>
#include <vector>

class SoundEngineTest : public testing::Test {
protected:
    void SetUp() override
    {
        fresh_asset_files(2);
        audio_set_manual_stepping(true);
        TessaroAudio::global_device = new TessaroAudio::AudioDevice();
        TessaroAudio::ax_startup(0, nullptr);
    }

    void TearDown() override
    {
        ax_stop_recording();
        ax_take_recorded_calls();
        if (media)
            media->stop();
        MIXQuit();
        AXQuit();
        TessaroAudio::global_device->delete_all_sounds();
        delete TessaroAudio::global_device;
        TessaroAudio::global_device = nullptr;
        audio_set_manual_stepping(false);
    }

    void frames(int count)
    {
        for (int i = 0; i < count; ++i)
            audio_step_frame(nullptr);
    }

    // Writes the bodies as sound items and registers them with a fresh Media.
    Media& media_with(const std::map<int, std::string>& bodies)
    {
        write_sound_assets(volumes, bodies);
        media = std::make_unique<Media>();
        AssetFile file;
        file.open();
        console_output_of([&] {
            for (const auto& entry : bodies) {
                file.set_item(entry.first, AssetFile::SOUND_DATA);
                media->add_cache(unsigned(entry.first), file);
            }
        });
        return *media;
    }

    // A mono 22050 Hz tone of `frames` frames as a WAV item body.
    static std::string tone(int frames = 2205, int rate = 22050, int channels = 1)
    {
        return sound_item(SOUND_ITEM_WAV, wav_file(sine_wave(440.0, frames, rate, channels, 8000.0), channels, rate));
    }

    TessaroAudio::Sample& sample_of(unsigned id) { return *static_cast<SoundMemory*>(media->sounds[id])->sample; }

    // A Sample decoded from a loose WAV file, whatever its size; kept until
    // the test ends.
    TessaroAudio::Sample& loose_sample(int frames, int rate, int channels)
    {
        const std::string wav = wav_file(sine_wave(440.0, frames, rate, channels, 8000.0), channels, rate);
        volumes.put_content("loose.wav", wav);
        BaseFile file(convert_path("./loose.wav").c_str(), "r");
        samples.push_back(std::make_unique<TessaroAudio::Sample>(file, Media::WAV, unsigned(wav.size())));
        return *samples.back();
    }

    TempVolumes volumes;
    std::unique_ptr<Media> media;
    std::vector<std::unique_ptr<TessaroAudio::Sample>> samples;
};

// The calls named `name` among the recorded ones, as text.
inline std::vector<std::string> calls_named(const std::vector<AXCall>& calls, const std::string& name)
{
    std::vector<std::string> out;
    for (const AXCall& call : calls)
        if (call.name == name)
            out.push_back(call.text());
    return out;
}

// Index of the first call whose text is `text`; -1 when none.
inline int position_of(const std::vector<AXCall>& calls, const std::string& text)
{
    for (size_t i = 0; i < calls.size(); ++i)
        if (calls[i].text() == text)
            return int(i);
    return -1;
}

// A decoder of made-up samples: frame f of channel c holds (f * 2 + c) mod
// 32768, so every sample in a ring says where in the sound it came from.
class RampDecoder : public TessaroAudio::SoundDecoder {
public:
    RampDecoder(unsigned frames, int rate, int channel_count)
    {
        samples = frames * unsigned(channel_count);
        sample_rate = rate;
        channels = channel_count;
    }
    bool is_valid() override { return true; }
    unsigned read(short* buffer, unsigned count) override
    {
        const unsigned frames = samples / unsigned(channels);
        const unsigned want = count / unsigned(channels);
        const unsigned got = std::min(want, frames > position ? frames - position : 0u);
        for (unsigned j = 0; j < got; ++j)
            for (int c = 0; c < channels; ++c)
                buffer[j * unsigned(channels) + unsigned(c)] = value_at(position + j, c);
        position += got;
        ++reads;
        return got * unsigned(channels);
    }
    void seek(double seconds) override
    {
        const double frame = seconds * sample_rate;
        position = frame > 0.0 ? unsigned(frame) : 0u;
        ++seeks;
    }
    static short value_at(unsigned frame, int channel) { return short((frame * 2 + unsigned(channel)) % 32768); }

    unsigned position = 0;
    int reads = 0;
    int seeks = 0;
};

// A stream over a made-up decoder. The file it would read does not exist,
// so its own decoder is refused first (quietly, for the test). Once
// registered, the device owns it.
inline TessaroAudio::SoundStream* ramp_stream(TessaroAudio::SoundDecoder* decoder)
{
    TessaroAudio::SoundStream* stream = nullptr;
    testing::internal::CaptureStderr();  // the WAV header's line
    console_output_of([&] {
        stream = new TessaroAudio::SoundStream("/vol/content/none.wav", Media::WAV, 0);
        stream->init(decoder);
    });
    testing::internal::GetCapturedStderr();
    return stream;
}
