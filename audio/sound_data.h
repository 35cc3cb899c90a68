// Sound sources: each play of a source makes a new playable sound. Short
// asset sounds are decoded once (SoundMemory); long ones and loose files
// stream on every play (SoundCache, SoundFile).
#pragma once

#include "audio/media.h"

#include <string>

namespace TessaroAudio {
class Sample;
}

class SoundData {
public:
    explicit SoundData(unsigned id) : id(id) {}
    virtual ~SoundData() = default;
    SoundData(const SoundData&) = delete;
    SoundData& operator=(const SoundData&) = delete;

    // Stores a new sound in *out; leaves it null when none can be made.
    virtual void load(TessaroAudio::SoundBase** out);

    unsigned id;
};

class SoundMemory : public SoundData {
public:
    SoundMemory(unsigned id, TessaroAudio::Sample* sample) : SoundData(id), sample(sample) {}
    ~SoundMemory() override;
    void load(TessaroAudio::SoundBase** out) override;

    TessaroAudio::Sample* sample;  // owned; frees its own buffers
};

class SoundCache : public SoundData {
public:
    SoundCache(unsigned id, Media::AudioType type, unsigned offset, unsigned size)
        : SoundData(id), type(type), offset(offset), size(size)
    {
    }
    void load(TessaroAudio::SoundBase** out) override;

    Media::AudioType type;
    unsigned offset;  // of the item's data in the asset file
    unsigned size;
};

class SoundFile : public SoundData {
public:
    SoundFile(unsigned id, Media::AudioType type, const std::string& path, unsigned size)
        : SoundData(id), type(type), path(path), size(size)
    {
    }
    void load(TessaroAudio::SoundBase** out) override;

    Media::AudioType type;
    std::string path;  // console path
    unsigned size;
};

// Sizes above these stream instead of being decoded at start-up.
constexpr double wav_memory_limit = 0.2 * 1048576;  // 209715.2 bytes
constexpr double ogg_memory_limit = 0.75 * 1048576;  // 786432 bytes
bool streams_by_size(Media::AudioType type, unsigned size);
// WAV for a ".wav" path in any case, else Ogg.
Media::AudioType type_of_path(const std::string& console_path);
