#include "audio/decoder.h"

#include "base/size_policy.h"
#include "console/ax.h"
#include "console/os.h"
#include "platform/platform.h"

#include <algorithm>
#include <bit>
#include <climits>
#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

namespace TessaroAudio {

namespace {

constexpr bool host_big_endian = std::endian::native == std::endian::big;

bool tag_is(const char* tag, const char* name)
{
    return memcmp(tag, name, 4) == 0;
}

// The WAV header's faults go to standard error, unlike the other sound lines.
void report_header_fault(const char* line)
{
    fprintf(stderr, "%s\n", line);
    fflush(stderr);
}

// Voices, Samples and streams hold two channel buffers at most, every caller
// divides by the channel count and the rate, and a stream sizes its ring
// from the rate.
bool has_playable_shape(const SoundDecoder& decoder)
{
    return decoder.channels >= 1 && decoder.channels <= 2 &&
           decoder.sample_rate >= min_sample_rate && decoder.sample_rate <= max_sample_rate &&
           decoder.samples >= unsigned(decoder.channels);
}

}  // namespace

// WAV ----------------------------------------------------------------------

WavDecoder::WavDecoder(BaseFile& file, unsigned size) : file(file)
{
    // Nothing outside the range is read: past it lie the asset file's other items.
    const uint64_t end = uint64_t(file.tell()) + size;
    char head[12] = {};
    if (size < sizeof(head) || file.read(head, sizeof(head)) == 0 || !tag_is(head, "RIFF") ||
        !tag_is(head + 8, "WAVE")) {
        report_header_fault("WAV: Invalid header");
        return;
    }
    scan_chunks(end);
    if (data_start == 0)
        return;
    samples = data_size / unsigned(block_align) * unsigned(channels);
    file.seek(unsigned(data_start), 0);
}

void WavDecoder::scan_chunks(uint64_t end)
{
    bool have_format = false;
    while (uint64_t(file.tell()) + 8 <= end) {
        char id[4] = {};
        if (file.read(id, sizeof(id)) == 0)
            return;
        const unsigned chunk_size = read_le32(file);
        const uint64_t body = file.tell();
        if (tag_is(id, "fmt ") && chunk_size >= 16) {
            if (body + 16 > end || !read_format())
                return;
            have_format = true;
        } else if (tag_is(id, "data")) {
            // Without the format before it, the data has no shape to read it by.
            if (have_format && body <= uint64_t(INT_MAX))
                use_data(body, std::min<uint64_t>(chunk_size, end - body));
            return;
        }
        // A size that would run past the range (or wrap the position) ends the scan.
        if (body + chunk_size > end)
            return;
        file.seek(unsigned(body + chunk_size), 0);
    }
}

void WavDecoder::use_data(uint64_t body, uint64_t available)
{
    data_size = unsigned(available - available % unsigned(block_align));
    data_left = data_size;
    data_start = int(body);
}

bool WavDecoder::read_format()
{
    const unsigned format_tag = read_le16(file);
    if (format_tag != 1 && format_tag != 3) {
        report_header_fault("WAV: Invalid type");
        return false;
    }
    channels = read_le16(file);
    sample_rate = int(read_le32(file));
    read_le32(file);  // bytes per second
    block_align = read_le16(file);
    if (block_align == 0) {
        report_header_fault("WAV: Invalid blockalign");
        return false;
    }
    sample_size = read_le16(file);
    if (sample_size != 16) {
        report_header_fault("WAV: Invalid sample size");
        return false;
    }
    // A block holds one frame, and may pad it; a shorter block cannot hold it.
    if (block_align < channels * 2) {
        report_header_fault("WAV: Invalid blockalign");
        return false;
    }
    return true;
}

unsigned WavDecoder::read(short* buffer, unsigned count)
{
    if (!is_valid() || !buffer || channels < 1)
        return 0;
    const unsigned align = unsigned(block_align);
    const unsigned frames = std::min(count / unsigned(channels), data_left / align);
    unsigned got;
    if (align == frame_bytes())
        got = file.read(buffer, frames * align) / align;
    else
        got = read_padded(buffer, frames);
    data_left -= got * align;
    if constexpr (host_big_endian) {
        auto* bytes_of = reinterpret_cast<unsigned char*>(buffer);
        for (unsigned i = 0; i + 1 < got * frame_bytes(); i += 2)
            swap(bytes_of[i], bytes_of[i + 1]);
    }
    return got * unsigned(channels);
}

unsigned WavDecoder::read_padded(short* buffer, unsigned frames)
{
    const unsigned align = unsigned(block_align);
    const unsigned per_read = std::max(1u, 65536u / align);
    std::vector<char> blocks;
    unsigned done = 0;
    while (done < frames) {
        const unsigned wanted = std::min(frames - done, per_read);
        blocks.resize(size_t(wanted) * align);
        const unsigned got = file.read(blocks.data(), unsigned(blocks.size())) / align;
        for (unsigned i = 0; i < got; ++i)
            memcpy(reinterpret_cast<char*>(buffer) + size_t(done + i) * frame_bytes(),
                   blocks.data() + size_t(i) * align, frame_bytes());
        done += got;
        if (got < wanted)
            break;
    }
    return done;
}

void WavDecoder::seek(double seconds)
{
    if (!is_valid() || channels < 1)
        return;
    const double raw = seconds * sample_rate * (sample_size / 8) * channels;
    // In sample bytes, padding left out; compared before converting, so that
    // a time outside the data (or NaN) cannot overflow.
    const uint64_t total = uint64_t(data_size / unsigned(block_align)) * frame_bytes();
    uint64_t offset = 0;
    if (raw >= double(total))
        offset = total;
    else if (raw > 0)
        offset = uint64_t(raw);
    const uint64_t position = offset / frame_bytes() * unsigned(block_align);
    if (file.seek(unsigned(data_start + position), 0))
        data_left = data_size - unsigned(position);
}

// Ogg Vorbis ---------------------------------------------------------------

OggDecoder::OggDecoder(BaseFile& file, unsigned size) : file(file), start(file.tell()), size(size)
{
    const ov_callbacks callbacks = {read_func, seek_func, nullptr, tell_func};
    if (ov_open_callbacks(this, &ogg_file, nullptr, 0, callbacks) != 0)
        return;
    info = ov_info(&ogg_file, -1);
    if (!info) {
        ov_clear(&ogg_file);
        return;
    }
    channels = info->channels;
    sample_rate = int(info->rate);
    const ogg_int64_t total = ov_pcm_total(&ogg_file, -1);
    // A corrupt last granule position must not wrap into a small, wrong length.
    const uint64_t limit = channels > 0 ? UINT_MAX / unsigned(channels) : 0;
    const uint64_t frames = total > 0 ? std::min<uint64_t>(uint64_t(total), limit) : 0;
    samples = unsigned(frames * unsigned(std::max(channels, 0)));
}

OggDecoder::~OggDecoder()
{
    if (info)
        ov_clear(&ogg_file);
    info = nullptr;
}

unsigned OggDecoder::read(short* buffer, unsigned count)
{
    if (!buffer || count == 0 || !info || dead)
        return 0;
    // Whole frames only: vorbisfile refuses a request shorter than a frame
    // with an error code, and any error here must mean damage.
    const uint64_t frame = uint64_t(std::max(info->channels, 1)) * 2;
    uint64_t left = uint64_t(count) * 2;
    uint64_t done = 0;
    while (left >= frame) {
        const uint64_t wanted = std::min<uint64_t>(left, INT_MAX);
        const long r = ov_read(&ogg_file, reinterpret_cast<char*>(buffer) + done,
                               int(wanted - wanted % frame), host_big_endian ? 1 : 0, 2, 1, &section);
        // After an error vorbisfile's state may be half set up: never call it again.
        if (r < 0)
            dead = true;
        if (r < 1)
            break;
        left -= uint64_t(r);
        done += uint64_t(r);
    }
    return unsigned(done / 2);
}

void OggDecoder::seek(double seconds)
{
    if (!info || dead)
        return;
    if (!(seconds >= 0.0))
        seconds = 0.0;
    const int r = ov_time_seek(&ogg_file, seconds);
    if (r != 0)
        OSReport("Seek failed: %d with time %g\n", r, seconds);
    // A time past the end leaves the stream usable; any other failure is
    // damage, after which a read may divide by zero inside vorbisfile.
    if (r != 0 && r != OV_EINVAL)
        dead = true;
}

size_t read_func(void* ptr, size_t item_size, size_t items, void* datasource)
{
    auto& decoder = *static_cast<OggDecoder*>(datasource);
    const uint64_t wanted =
        items != 0 && item_size > UINT64_MAX / items ? UINT64_MAX : uint64_t(item_size) * items;
    const unsigned left = decoder.size - std::min(decoder.pos, decoder.size);
    const unsigned n = unsigned(std::min<uint64_t>(left, wanted));
    // Advance by what arrived, so that pos and the file position stay together.
    const unsigned got = decoder.file.read(ptr, n);
    decoder.pos += got;
    return got;
}

int seek_func(void* datasource, ogg_int64_t offset, int whence)
{
    auto& decoder = *static_cast<OggDecoder*>(datasource);
    // Bounded first so that the sums below cannot overflow.
    const int64_t limit = int64_t(UINT_MAX);
    offset = std::clamp<int64_t>(offset, -limit, limit);
    int64_t target = offset;
    if (whence == SEEK_CUR)
        target = int64_t(decoder.pos) + offset;
    else if (whence == SEEK_END)
        target = int64_t(decoder.size) - offset;
    decoder.pos = unsigned(std::clamp<int64_t>(target, 0, decoder.size));
    decoder.file.seek(decoder.start + decoder.pos, 0);
    return 1;
}

long tell_func(void* datasource)
{
    return long(static_cast<OggDecoder*>(datasource)->pos);
}

// Shared -------------------------------------------------------------------

SoundDecoder* create_decoder(BaseFile& file, Media::AudioType type, unsigned size)
{
    std::unique_ptr<SoundDecoder> decoder;
    if (type == Media::WAV)
        decoder = std::make_unique<WavDecoder>(file, size);
    else if (type == Media::OGG)
        decoder = std::make_unique<OggDecoder>(file, size);
    else
        return nullptr;
    if (!decoder->is_valid() || !has_playable_shape(*decoder)) {
        OSReport("Could not load sound\n");
        return nullptr;
    }
    return decoder.release();
}

unsigned read_samples(SoundDecoder& decoder, unsigned count, short* left, short* right)
{
    const int channels = decoder.channels;
    if (channels < 1 || !left)
        return 0;
    if (channels == 1) {
        const unsigned got = decoder.read(left, count);
        AXPrepareEfxData(left, got * 2);
        return got;
    }
    const auto interleaved = std::make_unique_for_overwrite<short[]>(count);
    const unsigned got = decoder.read(interleaved.get(), count);
    // Whole frames only, so that no channel buffer is written past its end.
    const unsigned frames = got / unsigned(channels);
    for (unsigned j = 0; j < frames; ++j) {
        left[j] = interleaved[size_t(j) * channels];
        if (right)
            right[j] = interleaved[size_t(j) * channels + 1];
    }
    if (right)
        AXPrepareEfxData(right, frames * 2);
    AXPrepareEfxData(left, frames * 2);
    return got;
}

short* alloc_samples(unsigned count)
{
    if (count > UINT_MAX / 2)
        return nullptr;
    return static_cast<short*>(malloc_ex(count * 2, 64));
}

void free_samples(short* samples)
{
    free_ex(samples);
}

unsigned short read_le16(BaseFile& file)
{
    unsigned char bytes[2] = {};
    // A field cut off by the end of the data counts as missing.
    if (file.read(bytes, sizeof(bytes)) != sizeof(bytes))
        return 0;
    return (unsigned short)(bytes[0] | bytes[1] << 8);
}

unsigned read_le32(BaseFile& file)
{
    unsigned char bytes[4] = {};
    if (file.read(bytes, sizeof(bytes)) != sizeof(bytes))
        return 0;
    return unsigned(bytes[0]) | unsigned(bytes[1]) << 8 | unsigned(bytes[2]) << 16 |
           unsigned(bytes[3]) << 24;
}

}  // namespace TessaroAudio
