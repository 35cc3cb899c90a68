// A sound streamed from its file: the voices loop over a ring of about one
// second per channel in two halves; the streaming thread refills the half
// the voices have left, and the audio-frame callback follows the voices.
#pragma once

#include "audio/media.h"
#include "audio/sound.h"
#include "base/assetfile.h"

#include <atomic>
#include <cstdint>
#include <string>

namespace TessaroAudio {

class SoundDecoder;

class SoundStream : public SoundBase {
public:
    SoundStream(const std::string& path, Media::AudioType type, unsigned size);
    SoundStream(unsigned offset, Media::AudioType type, unsigned size);
    ~SoundStream() override;

    void initialize() override;
    int get_status() override;
    void play() override;
    void stop() override;
    int get_sample_rate() override;
    void set_loop(bool b) override;
    void set_playing_offset(double seconds) override;
    double get_playing_offset() override;
    void stream_offset_update() override;
    double get_duration() override;
    void update_ax() override;

    // A decoder, a ring and a device slot: refused streams are never played.
    bool is_valid() const { return decoder != nullptr && registered; }

    void init(SoundDecoder* new_decoder);
    void set_samples(AXVPB* voice, void* buffer);
    bool fill_buffer(unsigned index);
    bool fill_queue();
    void update_buffer();
    void empty_buffer(unsigned start, unsigned count);

    unsigned half_frames() const { return half; }

    AssetFile file;
    SoundDecoder* decoder = nullptr;
    std::atomic<bool> streaming{false};
    uint64_t played_frames = 0;
    bool ended = false;
    short* left = nullptr;
    short* right = nullptr;
    unsigned fill_index = 0;
    std::atomic<unsigned> playing_half{0};
    std::atomic<int32_t> end_offset{-1};
    // Raised by a move to a new position until the voices restart at the
    // ring's start; meanwhile neither the refill nor the half tracking runs.
    std::atomic<bool> seek_pending{false};

private:
    void follow_voices();
    unsigned half = 0;
};

}  // namespace TessaroAudio
