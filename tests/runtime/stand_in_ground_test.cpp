// The stand-in content's terrain pictures as the game's obstacle tests see
// them: a point on the drawn ground is an obstacle, a point above it is not.
#include "tests/runtime/collision_fixtures.h"
#include "tools/assetwriter/stand_in_pictures.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>

namespace {

// The picture of a handle as an image whose pixels are the written ones.
std::unique_ptr<Image> stand_in_image(int handle)
{
    for (int i = 0; i < stand_in_image_count; ++i) {
        if (stand_in_images[i].handle != handle)
            continue;
        const ImageItemSource picture = stand_in_picture(stand_in_images[i]);
        std::unique_ptr<Image> image(make_filled_image(picture.width, picture.height, 0));
        std::memcpy(image->pixels, picture.rgba.data(), picture.rgba.size());
        return image;
    }
    return nullptr;
}

}  // namespace

TEST(StandInGround, slopes_and_curves_are_obstacles_up_to_their_drawn_surface)
{
    RunningFrame<> running(2000, 2000, 1);
    Frame& frame = running.frame;
    // VostrelRockSlope5 (rises to the right), VostrelFloorCurveLeft, both 128 x 128.
    const std::unique_ptr<Image> slope = stand_in_image(2573);
    const std::unique_ptr<Image> curve = stand_in_image(375);
    ASSERT_TRUE(slope && curve);
    FrameObject* placed[2] = {make_backdrop(100, 500, 1, slope.get()), make_backdrop(228, 500, 1, curve.get())};
    for (FrameObject* object : placed) {
        object->flags |= FrameObject::BACKGROUND;
        frame.add_background_object(object, 0);
    }
    // The slope's surface in column x is 127 - x rows down from its top.
    for (int x = 0; x < 128; ++x) {
        EXPECT_TRUE(frame.test_obstacle(100 + x, 500 + 127 - x)) << x;
        EXPECT_TRUE(frame.test_obstacle(100 + x, 627)) << x;
        EXPECT_FALSE(frame.test_obstacle(100 + x, 500 + 126 - x)) << x;
    }
    // The curve: ground along the whole bottom row, high at the left edge,
    // nothing at its top-right corner where the quarter pipe is hollow.
    for (int x = 0; x < 128; ++x)
        EXPECT_TRUE(frame.test_obstacle(228 + x, 627)) << x;
    EXPECT_TRUE(frame.test_obstacle(228, 520));
    EXPECT_FALSE(frame.test_obstacle(228 + 64, 500 + 64));
    EXPECT_FALSE(frame.test_obstacle(228 + 127, 500));
}
