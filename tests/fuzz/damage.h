// Damaged content of the shapes the fuzzing found, made from what our own
// tools write: for the reproducers in crashes/ and the regression tests.
#pragma once

#include "tools/assetwriter/asset_writer.h"
#include "tools/assetwriter/image_item.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

// An uncompressed true-colour TGA header claiming width x height, followed
// by `data_bytes` bytes of pixels (far fewer than the size needs).
inline std::string tga_header(int width, int height, size_t data_bytes)
{
    std::string out(2, '\0');
    out += '\2';
    out += std::string(9, '\0');
    put_u16(out, uint16_t(width));
    put_u16(out, uint16_t(height));
    out += '\x18';  // 24 bits per pixel
    out += '\0';
    for (size_t i = 0; i < data_bytes; ++i)
        out += char(i * 37);
    return out;
}

// A 24-bit BMP header claiming width x height, followed by `data_bytes`
// bytes of pixels (far fewer than the size needs).
inline std::string bmp_claiming(int width, int height, size_t data_bytes)
{
    std::string out = bmp_file(1, 1, {0, 0, 0}).substr(0, 54);
    std::string field;
    put_u32(field, uint32_t(width));
    put_u32(field, uint32_t(height));
    out.replace(18, 8, field);
    for (size_t i = 0; i < data_bytes; ++i)
        out += char(i * 37);
    return out;
}

// Pictures in formats the game does not read, each of a shape that once
// made the decoder read or compute out of bounds: a 16-bit PNM header with
// no pixels, a PNM width of more digits than an int holds, and a JPEG whose
// Huffman code counts add up past the table's 256 entries.
inline std::string pnm_16_bit_header()
{
    return "P6 666 66 65535\n";
}

inline std::string pnm_long_number()
{
    return "P6 99999999999 1 255\n";
}

inline std::string jpeg_huffman_counts_510()
{
    std::string out = "\xFF\xD8\xFF\xC4";
    out += std::string("\x00\x13\x00\xFF\xFF", 5);
    out += std::string(14, '\0');
    return out + "\xFF\xD9";
}

// A PNG whose last compressed-data chunk claims `length` bytes, with only
// the end marker after it.
inline std::string png_with_idat_claiming(uint32_t length)
{
    std::string png = png_file(3, 2, 3, std::vector<uint8_t>(18, 7));
    std::string chunk;
    put_u32(chunk, length);
    std::reverse(chunk.begin(), chunk.end());  // big-endian
    chunk += "IDAT";
    return png.insert(png.size() - 12, chunk);
}

// An image item claiming width x height over a zlib stream of 16 bytes.
inline std::string image_item_claiming(int width, int height)
{
    const std::string stream = zlib_compress(std::vector<uint8_t>(16, 0xAB));
    std::string out;
    for (const int field : {width, height, 0, 0, 0, 0})
        put_u16(out, uint16_t(int16_t(field)));
    put_u32(out, uint32_t(stream.size()));
    return out + stream;
}

// A canonical 44-byte-header WAV with another rate in its format chunk.
inline std::string with_wav_rate(std::string wav, uint32_t rate)
{
    std::string field;
    put_u32(field, rate);
    return wav.replace(24, 4, field);
}

// A sound item whose size word claims `size` bytes, whatever follows.
inline std::string sound_item_claiming(uint32_t type, const std::string& data, uint32_t size)
{
    std::string out;
    put_u32(out, type);
    put_u32(out, size);
    return out + data;
}

// Ogg pages ----------------------------------------------------------------

// Start offsets of the pages of an Ogg stream.
inline std::vector<size_t> ogg_pages(const std::string& ogg)
{
    std::vector<size_t> pages;
    size_t at = 0;
    while (at + 27 <= ogg.size() && ogg.compare(at, 4, "OggS") == 0) {
        pages.push_back(at);
        const size_t segments = uint8_t(ogg[at + 26]);
        size_t body = 0;
        for (size_t i = 0; i < segments && at + 27 + i < ogg.size(); ++i)
            body += uint8_t(ogg[at + 27 + i]);
        at += 27 + segments + body;
    }
    return pages;
}

// Sets the page's checksum again after a change, so that the damage gets
// past the container into the codec.
inline void reseal_ogg_page(std::string& ogg, size_t page)
{
    const size_t segments = uint8_t(ogg[page + 26]);
    size_t length = 27 + segments;
    for (size_t i = 0; i < segments; ++i)
        length += uint8_t(ogg[page + 27 + i]);
    for (size_t i = 22; i < 26; ++i)
        ogg[page + i] = '\0';
    uint32_t crc = 0;
    for (size_t i = 0; i < length; ++i) {
        crc ^= uint32_t(uint8_t(ogg[page + i])) << 24;
        for (int bit = 0; bit < 8; ++bit)
            crc = crc & 0x80000000u ? (crc << 1) ^ 0x04C11DB7u : crc << 1;
    }
    for (size_t i = 0; i < 4; ++i)
        ogg[page + 22 + i] = char((crc >> (8 * i)) & 0xFF);
}

// Another rate in the identification header (the first page's packet).
inline std::string with_ogg_rate(std::string ogg, uint32_t rate)
{
    const size_t packet = 27 + uint8_t(ogg[26]);
    for (size_t i = 0; i < 4; ++i)
        ogg[packet + 12 + i] = char((rate >> (8 * i)) & 0xFF);
    reseal_ogg_page(ogg, 0);
    return ogg;
}

// The last page's granule position (the stream's length in frames) set to `granule`.
inline std::string with_last_granule(std::string ogg, uint64_t granule)
{
    const size_t page = ogg_pages(ogg).back();
    for (size_t i = 0; i < 8; ++i)
        ogg[page + 6 + i] = char((granule >> (8 * i)) & 0xFF);
    reseal_ogg_page(ogg, page);
    return ogg;
}

// One bit flipped in the setup header (second page) of the mono 8000 Hz
// stream of 800 frames that ogg_vorbis_file writes at quality 0: its first
// decode fails, and a second one divides by zero inside the decoding library.
constexpr size_t setup_flip_byte = 2242;  // counted back from the page's last byte
constexpr int setup_flip_bit = 6;

inline std::string with_setup_bit_flipped(std::string ogg)
{
    const std::vector<size_t> pages = ogg_pages(ogg);
    const size_t page_end = pages.size() > 2 ? pages[2] : ogg.size();
    ogg[page_end - 1 - setup_flip_byte] ^= char(1 << setup_flip_bit);
    reseal_ogg_page(ogg, pages[1]);
    return ogg;
}
