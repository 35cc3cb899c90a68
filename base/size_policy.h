// The largest content the readers accept (docs/size-policy.md). Each bound
// is far above what the game's own content needs and far below what would
// hurt the machine; a size field beyond it is damage, refused with one line.
#pragma once

#include <cstddef>
#include <cstdint>

// Images: a side the console's textures can hold, and at most 64 MiB of pixels.
constexpr int max_image_side = 8192;
constexpr int64_t max_image_pixels = int64_t(4096) * 4096;

inline bool image_size_allowed(int64_t width, int64_t height)
{
    return width > 0 && height > 0 && width <= max_image_side && height <= max_image_side &&
           width * height <= max_image_pixels;
}

// Sounds: the rates a voice can play, and the length of a sound decoded whole
// (about six minutes at 44100 Hz, 64 MiB in stereo). Streams never hold more
// than a second of sound, whatever their length.
constexpr int min_sample_rate = 1000;
constexpr int max_sample_rate = 192000;
constexpr unsigned max_sample_frames = 1u << 24;

// Arrays: cells of one array, whether read from a file or grown by writes.
constexpr int64_t max_array_cells = int64_t(1) << 20;

// Fonts: fonts in the font block (each packs an atlas of up to 1 MiB).
constexpr unsigned max_font_count = 64;

// Level layouts: bytes of a line, placement rows, and so bytes of a file.
constexpr size_t max_layout_line = 256;
constexpr size_t max_layout_rows = 65536;
constexpr size_t max_layout_bytes = max_layout_line * max_layout_rows;
