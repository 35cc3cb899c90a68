#include "audio/sample.h"

#include "audio/decoder.h"
#include "base/size_policy.h"
#include "console/ax.h"
#include "console/os.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

namespace TessaroAudio {

namespace {

constexpr unsigned frames_per_read = 65536;

// A cut sound keeps the length its decoder announced; the missing end is silence.
void silence_tail(short* buffer, unsigned from, unsigned frames)
{
    if (!buffer || from >= frames)
        return;
    memset(buffer + from, 0, size_t(frames - from) * 2);
    AXPrepareEfxData(buffer + from, (frames - from) * 2);
}

// Decodes up to `limit` frames into buffers that grow with what arrives, so
// that a length the data cannot back allocates nothing. Returns the frames.
unsigned decode_growing(SoundDecoder& decoder, unsigned limit, std::vector<short>& left,
                        std::vector<short>& right)
{
    const unsigned channels = unsigned(decoder.channels);
    unsigned frames = 0;
    while (frames < limit) {
        const unsigned wanted = std::min(frames_per_read, limit - frames);
        left.resize(size_t(frames) + wanted);
        if (channels > 1)
            right.resize(size_t(frames) + wanted);
        const unsigned got = read_samples(decoder, wanted * channels, left.data() + frames,
                                          channels > 1 ? right.data() + frames : nullptr) /
                             channels;
        frames += got;
        if (got < wanted)
            break;
    }
    return frames;
}

}  // namespace

Sample::Sample(BaseFile& file, Media::AudioType type, unsigned size)
{
    const std::unique_ptr<SoundDecoder> decoder(create_decoder(file, type, size));
    if (!decoder)
        return;
    const unsigned announced = decoder->samples / unsigned(decoder->channels);
    // A WAV's length is its data chunk, bounded by the bytes it was given. An
    // Ogg's comes from the last page's granule position, which damage can set
    // to anything: an Ogg is as long as what decodes.
    std::vector<short> decoded_left, decoded_right;
    const unsigned frames =
        type == Media::WAV
            ? announced
            : decode_growing(*decoder, std::min(announced, max_sample_frames + 1), decoded_left,
                             decoded_right);
    if (frames > max_sample_frames) {
        OSReport("Sound too long: more than %u frames\n", max_sample_frames);
        return;
    }
    short* first = alloc_samples(frames);
    short* second = decoder->channels > 1 ? alloc_samples(frames) : nullptr;
    if (frames == 0 || !first || (decoder->channels > 1 && !second)) {
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
    if (type == Media::WAV) {
        const unsigned got_frames = read_samples(*decoder, samples, left, right) / unsigned(channels);
        silence_tail(left, got_frames, frames);
        silence_tail(right, got_frames, frames);
        return;
    }
    memcpy(left, decoded_left.data(), size_t(frames) * 2);
    AXPrepareEfxData(left, frames * 2);
    if (right) {
        memcpy(right, decoded_right.data(), size_t(frames) * 2);
        AXPrepareEfxData(right, frames * 2);
    }
}

Sample::~Sample()
{
    free_samples(left);
    free_samples(right);
}

}  // namespace TessaroAudio
