#include "audio/sound_stream.h"

#include "audio/decoder.h"
#include "audio/device.h"
#include "base/size_policy.h"
#include "console/os.h"
#include "platform/files.h"

#include <algorithm>
#include <cstring>

namespace TessaroAudio {

namespace {

uint64_t frames_at(double seconds, int rate)
{
    const double frames = seconds * rate;
    if (!(frames > 0.0))
        return 0;  // the decoders seek a negative time to the start
    return frames >= 1.8e19 ? UINT64_MAX : uint64_t(frames);
}

}  // namespace

SoundStream::SoundStream(const std::string& path, Media::AudioType type, unsigned size)
{
    set_fs_index(1);
    file.BaseFile::open(path.c_str(), "r");
    init(create_decoder(file, type, size));
}

SoundStream::SoundStream(unsigned offset, Media::AudioType type, unsigned size)
{
    set_fs_index(1);
    file.open();
    file.seek(offset, 0);
    init(create_decoder(file, type, size));
}

SoundStream::~SoundStream()
{
    if (global_device) {
        MutexHold lock(global_device->stream_mutex);
        global_device->remove_stream(this);
    }
    free_samples(left);
    free_samples(right);
    delete decoder;
}

void SoundStream::init(SoundDecoder* new_decoder)
{
    playing_half = 0;
    fill_index = 0;
    end_offset = -1;
    streaming = false;
    ended = false;
    // Without a decoder, or at a rate outside what voices play, there is
    // nothing to play: the stream is refused and never reaches the device.
    // The ring is sized from the rate, so the rate is checked first.
    if (!new_decoder || new_decoder->sample_rate < min_sample_rate ||
        new_decoder->sample_rate > max_sample_rate || !global_device) {
        delete new_decoder;
        return;
    }
    channels = new_decoder->channels;
    half = unsigned(new_decoder->sample_rate) / 2;
    left = alloc_samples(half * 2);
    right = channels == 2 ? alloc_samples(half * 2) : nullptr;
    if (!left || (channels == 2 && !right)) {
        delete new_decoder;
        return;
    }
    // Silence until the decoder fills it: a stream that ends in its first
    // half never writes the second.
    std::memset(left, 0, size_t(half) * 4);
    if (right)
        std::memset(right, 0, size_t(half) * 4);
    decoder = new_decoder;
    {
        MutexHold lock(global_device->stream_mutex);
        global_device->add_stream(this);
    }
    raise(SOUND_CMD_INIT);
    register_with_device();
}

// Audio-frame callback ---------------------------------------------------------

void SoundStream::initialize()
{
    initialize_voices();
    if (AXVPB* v = voice(0))
        set_samples(v, left);
    if (AXVPB* v = voice(1); v && channels > 1)
        set_samples(v, right);
}

// The voices loop over the whole ring for as long as the stream plays.
void SoundStream::set_samples(AXVPB* voice, void* buffer)
{
    set_voice_source(voice, buffer, 2 * half - 1, true);
}

void SoundStream::update_ax()
{
    SoundBase::update_ax();
    if (!streaming.load() || destroyed.load() || status.load() == SOUND_PAUSED)
        return;
    // The callback never waits: a refill or a move in progress holds the
    // mutex, and the voices are followed again on the next frame.
    if (!OSTryLockMutex(&global_device->stream_mutex))
        return;
    if (!seek_pending.load())
        follow_voices();
    OSUnlockMutex(&global_device->stream_mutex);
}

void SoundStream::follow_voices()
{
    AXVPB* first = voice(0);
    if (!first || AXIsVoiceRunning(first) != 1) {
        // A start or resume raised after this frame took its commands has
        // not reached the voices yet: that is no end.
        if (!(commands.load() & SOUND_CMD_PLAY))
            streaming = false;
        return;
    }
    AXVoiceOffsets offsets;
    AXGetVoiceOffsets(first, &offsets);
    const uint32_t cur = offsets.current_offset;
    const unsigned idx = std::min(cur / half, 1u);
    if (idx != playing_half.load()) {
        playing_half = idx;
        played_frames += half;
    }
    const int32_t end = end_offset.load();
    if (end == -1)
        return;
    const bool past = cur >= uint32_t(end);
    if (past && uint32_t(end) / half != idx)
        return;  // the voices must wrap into the end's half first
    const uint32_t last = uint32_t(std::max(end - 1, 0));
    for_each_voice([&](AXVPB* v) {
        if (past) {
            AXSetVoiceState(v, 0);
            streaming = false;
        } else {
            AXSetVoiceEndOffset(v, last);
            AXSetVoiceLoop(v, 0);
        }
    });
    end_offset = -1;
}

void SoundStream::stream_offset_update()
{
    const uint32_t last = 2 * half - 1;
    for_each_voice([last](AXVPB* v) {
        AXSetVoiceLoop(v, 1);
        AXSetVoiceCurrentOffset(v, 0);
        AXSetVoiceEndOffset(v, last);
    });
    seek_pending = false;
}

// Refills ----------------------------------------------------------------------

bool SoundStream::fill_buffer(unsigned index)
{
    const unsigned start = index * half;
    unsigned wanted = unsigned(channels) * half;
    short* l = left + start;
    short* r = right ? right + start : nullptr;
    unsigned written = 0;  // frames in this half
    bool rewound = false;
    for (;;) {
        const unsigned got = read_samples(*decoder, wanted, l, r);
        wanted -= got;
        const unsigned frames = got / unsigned(channels);
        l += frames;
        if (r)
            r += frames;
        written += frames;
        if (wanted == 0)
            return false;
        // A looping stream starts over, unless even its start yields nothing:
        // then it ends like any other stream instead of reading for ever.
        if (loop && !(rewound && got == 0)) {
            decoder->seek(0.0);
            rewound = true;
            continue;
        }
        break;
    }
    ended = true;
    end_offset = int32_t(start + written);
    if (index == 0)
        empty_buffer(start + written, wanted / unsigned(channels));
    return true;
}

bool SoundStream::fill_queue()
{
    const bool first = fill_buffer(0);
    return first ? true : fill_buffer(1);
}

void SoundStream::empty_buffer(unsigned start, unsigned count)
{
    for (short* buffer : {left, right}) {
        if (!buffer)
            continue;
        std::memset(buffer + start, 0, size_t(count) * 2);
        AXPrepareEfxData(buffer + start, count * 2);
    }
}

void SoundStream::update_buffer()
{
    if (status.load() == SOUND_PAUSED || !streaming.load() || destroyed.load() || seek_pending.load())
        return;
    while (fill_index != playing_half.load()) {
        if (!ended)
            fill_buffer(fill_index);
        fill_index = (fill_index + 1) % 2;
    }
}

// Game thread ------------------------------------------------------------------

void SoundStream::play()
{
    if (status.load() == SOUND_PAUSED) {
        raise(SOUND_CMD_PLAY);
        status = SOUND_PLAYING;
        return;
    }
    if (streaming.load() || !decoder)
        return;
    decoder->seek(0.0);
    ended = false;
    played_frames = 0;
    fill_queue();
    raise(SOUND_CMD_PLAY);
    status = SOUND_PLAYING;
    streaming = true;
}

void SoundStream::stop()
{
    if (!streaming.load())
        return;
    request_stop();
    streaming = false;
}

int SoundStream::get_status()
{
    return streaming.load() && !destroyed.load() ? status.load() : SOUND_STOPPED;
}

int SoundStream::get_sample_rate()
{
    return decoder ? decoder->sample_rate : 0;
}

void SoundStream::set_loop(bool b)
{
    loop = b;
}

void SoundStream::set_playing_offset(double seconds)
{
    if (!decoder)
        return;
    {
        MutexHold lock(global_device->stream_mutex);
        seek_pending = true;
        decoder->seek(seconds);
        played_frames = frames_at(seconds, decoder->sample_rate);
        playing_half = 0;
        fill_index = 0;
        end_offset = -1;
        ended = false;
        fill_queue();
    }
    raise(SOUND_CMD_STREAM_OFFSET);
}

double SoundStream::get_playing_offset()
{
    AXVPB* v = voice(0);
    if (destroyed.load() || !v || !decoder)
        return 0.0;
    AXVoiceOffsets offsets;
    AXGetVoiceOffsets(v, &offsets);
    const uint64_t length = decoder->samples / unsigned(channels);
    // Moved, and the voices not restarted yet: where they will start.
    if (seek_pending.load())
        return double(played_frames % length) / decoder->sample_rate;
    // The callback counts a half as played only when it next runs: voices
    // that have crossed into the other half are a half further on already.
    const unsigned idx = std::min(offsets.current_offset / half, 1u);
    const uint64_t uncounted = idx != playing_half.load() ? half : 0;
    const uint64_t position = (offsets.current_offset % half + played_frames + uncounted) % length;
    return double(position) / decoder->sample_rate;
}

double SoundStream::get_duration()
{
    if (!decoder)
        return 0.0;
    return double(decoder->samples) / double(decoder->sample_rate) / double(channels);
}

}  // namespace TessaroAudio
