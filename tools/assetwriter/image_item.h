// Image items of the asset file: the placement fields, then the RGBA pixels
// as one zlib stream.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct ImageItemSource {
    int width = 0, height = 0;
    int hot_x = 0, hot_y = 0;
    int action_x = 0, action_y = 0;
    std::vector<uint8_t> rgba;  // width x height x 4, rows top-down
};

// The item's bytes; an empty string when the pixels do not match the size.
std::string image_item(const ImageItemSource& image);
// The zlib stream of the bytes (tests build damaged items from it).
std::string zlib_compress(const std::vector<uint8_t>& bytes);
// A PNG file of the pixels (for boot images and loose image files).
std::string png_file(int width, int height, int channels, const std::vector<uint8_t>& pixels);
// A bottom-up 24-bit BMP file of top-down RGB pixels (for loose picture files).
std::string bmp_file(int width, int height, const std::vector<uint8_t>& rgb);
