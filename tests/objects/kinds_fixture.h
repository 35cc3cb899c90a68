// Headless drawing of the scenery, counter, text and box kinds: one display
// for the whole test program, fresh content volumes and images per test.
#pragma once

#include "graphics/color.h"
#include "platform/display.h"
#include "runtime/frame.h"
#include "tests/support/volumes.h"
#include "tools/assetwriter/image_item.h"

#include <cstdint>
#include <gtest/gtest.h>
#include <memory>
#include <ostream>
#include <utility>
#include <vector>

namespace kinds_test {

struct Rgba {
    uint8_t r, g, b, a;
    bool operator==(const Rgba&) const = default;
};
void PrintTo(const Rgba& c, std::ostream* os);

constexpr Rgba black{0, 0, 0, 255};
constexpr Rgba white{255, 255, 255, 255};
constexpr Rgba red{255, 0, 0, 255};
constexpr Rgba green{0, 255, 0, 255};
constexpr Rgba blue{0, 0, 255, 255};

ImageItemSource solid_image(int width, int height, Rgba color, int hot_x = 0, int hot_y = 0);

// A frame with one layer that tests place objects on by hand.
class OneLayerFrame : public Frame {
public:
    OneLayerFrame();
    void set_index(int) override {}
};

class KindDrawTest : public testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Writes Assets.dat with the shader programs and the given images.
    void write_assets(const std::vector<std::pair<int, ImageItemSource>>& images);
    void clear(Rgba color = black);
    // Reads the TV picture (design size, top row first).
    void read();
    Rgba at(int x, int y) const;
    // The number of pixels of `color` in the rectangle.
    int count(int x1, int y1, int x2, int y2, Rgba color) const;
    // The bounding box of the pixels of `color`: x1, y1, x2, y2 (exclusive);
    // all -1 when there is none.
    std::vector<int> extent(Rgba color) const;

    std::unique_ptr<TempVolumes> volumes;
    OneLayerFrame frame;
    std::vector<uint8_t> pixels;
    int pixels_width = 0;
};

// The frame's layer and the frame for an object drawn directly.
template <class T>
T* place(T* object, Frame& frame)
{
    object->frame = &frame;
    object->layer = &frame.layers[0];
    return object;
}

}  // namespace kinds_test
