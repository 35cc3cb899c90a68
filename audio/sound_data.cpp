#include "audio/sound_data.h"

#include "audio/sample.h"
#include "audio/sound.h"
#include "audio/sound_stream.h"
#include "platform/files.h"

using TessaroAudio::SoundBase;

namespace {

// A sound that nothing will ever play (no device slot, no decoder) is freed
// here, so the channel logs the ignored play instead of holding a mute sound.
void hand_out(SoundBase* sound, bool playable, SoundBase** out)
{
    if (playable)
        *out = sound;
    else
        delete sound;
}

}  // namespace

void SoundData::load(SoundBase**)
{
}

SoundMemory::~SoundMemory()
{
    // The Sample frees its own buffers.
    delete sample;
}

void SoundMemory::load(SoundBase** out)
{
    if (!sample || sample->is_empty())
        return;
    auto* sound = new TessaroAudio::Sound(*sample);
    hand_out(sound, sound->is_registered(), out);
}

void SoundCache::load(SoundBase** out)
{
    auto* stream = new TessaroAudio::SoundStream(offset, type, size);
    hand_out(stream, stream->is_valid(), out);
}

void SoundFile::load(SoundBase** out)
{
    auto* stream = new TessaroAudio::SoundStream(path, type, size);
    hand_out(stream, stream->is_valid(), out);
}

bool streams_by_size(Media::AudioType type, unsigned size)
{
    const double limit = type == Media::WAV ? wav_memory_limit : ogg_memory_limit;
    return double(size) > limit;
}

Media::AudioType type_of_path(const std::string& console_path)
{
    return get_path_ext(console_path) == "wav" ? Media::WAV : Media::OGG;
}
