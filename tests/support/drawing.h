// Headless drawing for tests: one display for the whole test program
// (created once, as in the game), fresh content volumes and forgotten shader,
// image and font caches per test, pixels read back top row first.
#pragma once

#include "graphics/color.h"
#include "graphics/display.h"
#include "tests/support/volumes.h"
#include "tools/assetwriter/asset_writer.h"
#include "tools/assetwriter/image_item.h"

#include <cstdint>
#include <gtest/gtest.h>
#include <memory>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

// Quads drawn since the last flush_quads (the renderer's own count).
void flush_quads();
unsigned int quads_drawn();
// Whether the scissor is the view's whole rectangle again.
bool scissor_is_full_view();

struct Rgba {
    uint8_t r, g, b, a;
    bool operator==(const Rgba&) const = default;
};
void PrintTo(const Rgba& c, std::ostream* os);

// A picture's pixels as one number (FNV-1a), to compare pictures bit for bit.
uint64_t hash_of(const std::vector<uint8_t>& bytes);

constexpr Rgba black{0, 0, 0, 255};
constexpr Rgba white{255, 255, 255, 255};
constexpr Rgba red{255, 0, 0, 255};
constexpr Rgba green{0, 255, 0, 255};
constexpr Rgba blue{0, 0, 255, 255};

// Writes `folder`/Assets.dat with the picture programs alone: the least
// asset file the game starts from.
void write_program_assets(const std::string& folder);

// A solid image of one colour.
ImageItemSource solid_image(int width, int height, Rgba color, int hot_x = 0, int hot_y = 0);

class DrawingTest : public testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Writes Assets.dat with the shader programs, the given images and preload list.
    void write_assets(const std::vector<std::pair<int, ImageItemSource>>& images,
                      const std::vector<uint16_t>& preload = {},
                      const std::vector<std::pair<int, std::string>>& raw_images = {});
    void clear(Rgba color = black);

    // Pixels of a colour buffer (the TV picture at design size by default)
    // or of the TV scan buffer.
    void read(DisplayBuffer which = TV_LOGICAL_BUFFER);
    void read_tv_scan();
    Rgba at(int x, int y) const;
    // The number of pixels of `color` in the rectangle.
    int count(int x1, int y1, int x2, int y2, Rgba color) const;
    // The bounding box of the pixels of `color`: x1, y1, x2, y2 (exclusive);
    // all -1 when there is none.
    std::vector<int> extent(Rgba color) const;

    std::unique_ptr<TempVolumes> volumes;
    std::vector<uint8_t> pixels;
    int pixels_width = 0;
};
