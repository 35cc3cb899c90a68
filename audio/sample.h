// A sound decoded whole at registration: one 16-bit buffer per channel, as
// the in-memory voices play it.
#pragma once

#include "audio/media.h"

class BaseFile;

namespace TessaroAudio {

class Sample {
public:
    // Decodes `size` bytes from the file's position; the file stays the caller's.
    // Data that no decoder accepts gives an empty Sample.
    Sample(BaseFile& file, Media::AudioType type, unsigned size);
    ~Sample();
    Sample(const Sample&) = delete;
    Sample& operator=(const Sample&) = delete;

    // Empty: no frames, no buffers, nothing to play.
    bool is_empty() const { return left == nullptr; }

    unsigned samples = 0;  // over all channels
    int sample_rate = 0;
    int channels = 0;
    short* left = nullptr;
    short* right = nullptr;  // only with two channels
};

}  // namespace TessaroAudio
