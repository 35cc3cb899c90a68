// Decoders that turn WAV and Ogg Vorbis data into signed 16-bit samples in
// host byte order, read from a byte range of a file that the caller opened
// and positioned. A decoder never opens, owns or closes its file.
#pragma once

#include "audio/media.h"
#include "platform/files.h"

#include <cstddef>
#include <cstdint>

#define OV_EXCLUDE_STATIC_CALLBACKS
#include <vorbis/vorbisfile.h>

namespace TessaroAudio {

class SoundDecoder {
public:
    virtual bool is_valid() = 0;
    // Up to `count` interleaved samples; whole frames only. Returns how many.
    virtual unsigned read(short* buffer, unsigned count) = 0;
    // Seconds from the start of the sound.
    virtual void seek(double seconds) = 0;
    virtual ~SoundDecoder() = default;

    unsigned samples = 0;  // over all channels
    int channels = 0;
    int sample_rate = 0;
};

class WavDecoder : public SoundDecoder {
public:
    WavDecoder(BaseFile& file, unsigned size);
    bool is_valid() override { return data_start > 0; }
    unsigned read(short* buffer, unsigned count) override;
    void seek(double seconds) override;

    BaseFile& file;
    int sample_size = 0;
    int block_align = 0;
    int data_start = 0;
    unsigned data_size = 0;
    unsigned data_left = 0;

private:
    void scan_chunks(uint64_t end);
    bool read_format();
    void use_data(uint64_t body, uint64_t available);
    // Blocks longer than a frame: reads whole blocks and keeps each one's frame.
    unsigned read_padded(short* buffer, unsigned frames);
    unsigned frame_bytes() const { return unsigned(channels) * 2; }
};

class OggDecoder : public SoundDecoder {
public:
    OggDecoder(BaseFile& file, unsigned size);
    ~OggDecoder() override;
    OggDecoder(const OggDecoder&) = delete;
    OggDecoder& operator=(const OggDecoder&) = delete;
    bool is_valid() override { return info != nullptr; }
    unsigned read(short* buffer, unsigned count) override;
    void seek(double seconds) override;

    BaseFile& file;
    unsigned start = 0;
    unsigned pos = 0;
    unsigned size = 0;
    OggVorbis_File ogg_file = {};
    vorbis_info* info = nullptr;
    int section = 0;
    // Set by a failed decode or a seek into damage: vorbisfile may divide by
    // zero if asked again.
    bool dead = false;
};

// The decoder for `type` over `size` bytes from the file's position, or null
// (unknown type, data the decoder rejects, or a shape no voice can play).
SoundDecoder* create_decoder(BaseFile& file, Media::AudioType type, unsigned size);

// Decodes up to `count` samples and splits the frames into one buffer per
// channel; `right` is left alone for one channel. Returns the samples read.
unsigned read_samples(SoundDecoder& decoder, unsigned count, short* left, short* right);

// Voice buffers: 64-byte aligned blocks of `count` 16-bit samples.
short* alloc_samples(unsigned count);
void free_samples(short* samples);

unsigned short read_le16(BaseFile& file);
unsigned read_le32(BaseFile& file);

template <typename T>
void swap(T& a, T& b)
{
    T t = a;
    a = b;
    b = t;
}

// vorbisfile's view of an OggDecoder's byte range as a whole file.
size_t read_func(void* ptr, size_t item_size, size_t items, void* datasource);
int seek_func(void* datasource, ogg_int64_t offset, int whence);
long tell_func(void* datasource);

}  // namespace TessaroAudio
