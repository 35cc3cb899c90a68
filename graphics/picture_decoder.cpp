// stb_image, compiled once, with only the readers of the formats the game's
// pictures come in (PNG and BMP): every other reader is code that hostile
// files could reach and the game never needs. Its PNG reader copies zero
// bytes from a null buffer when the first IDAT chunk is empty: harmless, but
// a fault to the sanitizer's nonnull-argument check, so this file alone is
// built without that check (CMakeLists.txt).
#include "graphics/picture_decoder.h"

#include "base/size_policy.h"

#define STB_IMAGE_STATIC
#define STBI_ONLY_PNG
#define STBI_ONLY_BMP
#define STBI_MAX_DIMENSIONS max_image_side
#define STB_IMAGE_IMPLEMENTATION
#include <stb_image.h>

#include <cstdint>
#include <cstring>

namespace {

const unsigned char png_signature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};

bool is_png(const unsigned char* bytes, int length)
{
    return length >= 8 && memcmp(bytes, png_signature, 8) == 0;
}

// The PNG reader grows its buffer for the compressed pixels to each chunk's
// length word before it reads the chunk, up to 2 GiB for a few bytes of
// file; so every chunk up to the end marker must lie within the bytes given.
bool png_chunks_within(const unsigned char* bytes, int length)
{
    const size_t size = size_t(length);
    size_t at = 8;
    while (at + 8 <= size) {
        const unsigned char* chunk = bytes + at;
        const size_t data = size_t(uint32_t(chunk[0]) << 24 | uint32_t(chunk[1]) << 16 |
                                   uint32_t(chunk[2]) << 8 | uint32_t(chunk[3]));
        if (data > size - at - 8)
            return false;
        if (memcmp(chunk + 4, "IEND", 4) == 0)
            return true;
        at += 12 + data;
    }
    return true;  // no end marker: the reader refuses that itself
}

}  // namespace

bool picture_format_known(const unsigned char* bytes, int length)
{
    return is_png(bytes, length) || (length >= 2 && bytes[0] == 'B' && bytes[1] == 'M');
}

bool picture_info(const unsigned char* bytes, int length, int& width, int& height, int& channels)
{
    return stbi_info_from_memory(bytes, length, &width, &height, &channels) != 0;
}

unsigned char* decode_picture(const unsigned char* bytes, int length, int& width, int& height,
                              int& channels)
{
    if (is_png(bytes, length) && !png_chunks_within(bytes, length))
        return nullptr;
    return stbi_load_from_memory(bytes, length, &width, &height, &channels, 4);
}

void free_picture(unsigned char* pixels)
{
    stbi_image_free(pixels);
}

int inflate_zlib(char* out, int out_size, const char* in, int in_size)
{
    return stbi_zlib_decode_buffer(out, out_size, in, in_size);
}

const char* picture_failure_reason()
{
    return stbi_failure_reason();
}
