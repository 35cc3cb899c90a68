#include "audio/sample.h"

#include "audio/decoder.h"
#include "console/ax.h"
#include "console/os.h"

#include <cstring>
#include <memory>

namespace TessaroAudio {

namespace {

// A cut sound keeps the length its decoder announced; the missing end is silence.
void silence_tail(short* buffer, unsigned from, unsigned frames)
{
    if (!buffer || from >= frames)
        return;
    memset(buffer + from, 0, size_t(frames - from) * 2);
    AXPrepareEfxData(buffer + from, (frames - from) * 2);
}

}  // namespace

Sample::Sample(BaseFile& file, Media::AudioType type, unsigned size)
{
    const std::unique_ptr<SoundDecoder> decoder(create_decoder(file, type, size));
    if (!decoder)
        return;
    const unsigned frames = decoder->samples / unsigned(decoder->channels);
    short* first = alloc_samples(frames);
    short* second = decoder->channels > 1 ? alloc_samples(frames) : nullptr;
    if (!first || (decoder->channels > 1 && !second)) {
        free_samples(first);
        free_samples(second);
        OSReport("Could not load sound\n");
        return;
    }
    samples = frames * unsigned(decoder->channels);
    sample_rate = decoder->sample_rate;
    channels = decoder->channels;
    left = first;
    right = second;
    const unsigned got_frames = read_samples(*decoder, samples, left, right) / unsigned(channels);
    silence_tail(left, got_frames, frames);
    silence_tail(right, got_frames, frames);
}

Sample::~Sample()
{
    free_samples(left);
    free_samples(right);
}

}  // namespace TessaroAudio
