// Headless drawing for the graphics tests: one display for the whole test
// program (created once, as in the game), fresh content volumes per test.
#pragma once

#include "graphics/color.h"
#include "platform/display.h"
#include "tests/support/volumes.h"
#include "tools/assetwriter/asset_writer.h"
#include "tools/assetwriter/image_item.h"

#include <cstdint>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

struct Rgba {
    uint8_t r, g, b, a;
    bool operator==(const Rgba&) const = default;
};
void PrintTo(const Rgba& c, std::ostream* os);

// A solid image of one colour.
ImageItemSource solid_image(int width, int height, Rgba color, int hot_x = 0, int hot_y = 0);

class GraphicsTest : public testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Writes Assets.dat with the texture program, the given images and preload list.
    void write_assets(const std::vector<std::pair<int, ImageItemSource>>& images,
                      const std::vector<uint16_t>& preload = {},
                      const std::vector<std::pair<int, std::string>>& raw_images = {});

    // Pixels of a colour buffer or of the TV scan buffer, top row first.
    void read(DisplayBuffer which);
    void read_tv_scan();
    Rgba at(int x, int y) const;

    std::unique_ptr<TempVolumes> volumes;
    std::vector<uint8_t> pixels;
    int pixels_width = 0;
};
