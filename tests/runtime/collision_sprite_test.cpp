// The sprite shape: its transform, box and kind as the image, scales and
// angle change.
#include "tests/runtime/collision_fixtures.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>

namespace {
// Width, height, offsets and new hot spot of a sprite's transformed image.
std::vector<int> geometry(const SpriteCollision& s)
{
    return {s.width, s.height, s.x_offset, s.y_offset, s.new_hotspot_x, s.new_hotspot_y};
}

std::vector<int> transform(const SpriteCollision& s)
{
    return {s.transform[0], s.transform[1], s.transform[2], s.transform[3]};
}
}  // namespace

TEST(SpriteCollision, starts_untransformed_and_follows_its_image_at_scale_one)
{
    std::unique_ptr<Image> image(make_filled_image(16, 8, 255, 4, 2));
    Sprite scope(image.get(), 100, 50);
    SpriteCollision& sprite = scope.shape;
    scope.owner.flags |= FrameObject::HAS_COLLISION_CACHE;
    sprite.update_transform();
    EXPECT_EQ(sprite.type, SPRITE_COLLISION);
    EXPECT_EQ(sprite.width, 16);
    EXPECT_EQ(sprite.new_hotspot_x, 4);
    EXPECT_EQ(box_of(sprite), (std::vector<int>{96, 48, 112, 56}));
    EXPECT_EQ(scope.owner.flags & FrameObject::HAS_COLLISION_CACHE, 0u);
    int tx, ty;
    sprite.get_transform(3, 5, tx, ty);
    EXPECT_EQ((std::vector<int>{tx, ty}), (std::vector<int>{3, 5}));
}

TEST(SpriteCollision, scale_two_gives_the_transformed_kind_and_half_factors_and_returns_to_its_kind)
{
    std::unique_ptr<Image> image(make_filled_image(16, 16, 255, 8, 16));
    Sprite scope(image.get(), 0, 0);
    SpriteCollision& s = scope.shape;
    s.x_scale = s.y_scale = 2.0f;
    s.update_transform();
    EXPECT_EQ(s.type, TRANSFORM_SPRITE_COLLISION);
    EXPECT_EQ(transform(s), (std::vector<int>{16384, 0, 16384, 0}));
    EXPECT_EQ((std::vector<int>{s.width, s.height, s.new_hotspot_x, s.new_hotspot_y}),
              (std::vector<int>{32, 32, 16, 32}));

    s.x_scale = s.y_scale = 1.0f;
    s.update_transform();
    EXPECT_EQ(s.type, SPRITE_COLLISION);
    EXPECT_EQ(s.width, 16);

    // A box-only sprite: its box kind untransformed, the transformed kind
    // otherwise, and the flag stays.
    s.flags |= BOX_COLLISION;
    s.update_transform();
    EXPECT_EQ(s.type, SPRITE_BOX);
    s.set_angle(30);
    EXPECT_EQ(s.type, TRANSFORM_SPRITE_COLLISION);
    EXPECT_EQ(s.flags & BOX_COLLISION, BOX_COLLISION);

    // Once destroyed, no transform brings a kind back.
    s.type = NONE_COLLISION;
    s.set_angle(0);
    EXPECT_EQ(s.type, NONE_COLLISION);
    s.x_scale = 3.0f;
    s.update_transform();
    EXPECT_EQ(s.type, NONE_COLLISION);
}

TEST(SpriteCollision, quarter_turns_are_exact_and_a_turned_image_gets_its_bounding_box)
{
    std::unique_ptr<Image> wide(make_filled_image(20, 10, 255, 5, 5));
    Sprite scope(wide.get(), 0, 0);
    SpriteCollision& s = scope.shape;
    s.set_angle(90);
    EXPECT_EQ((std::vector<float>{s.co, s.si}), (std::vector<float>{0.0f, 1.0f}));
    EXPECT_EQ(geometry(s), (std::vector<int>{10, 20, 0, -20, 5, 15}));
    EXPECT_EQ(transform(s)[0], 0);
    EXPECT_EQ(transform(s)[1], 32768);
    s.set_angle(180);
    EXPECT_EQ((std::vector<float>{s.co, s.si}), (std::vector<float>{-1.0f, 0.0f}));
    s.set_angle(270);
    EXPECT_EQ((std::vector<float>{s.co, s.si}), (std::vector<float>{0.0f, -1.0f}));
    s.set_angle(-90);
    EXPECT_EQ(s.co, std::cos(float(-90 / 57.29577951308232)));
    EXPECT_NE(s.co, 0.0f);

    // A 10 x 20 image at (100, 100) turned by 90: (px, py) -> (py, -px), on
    // its side above the hot spot.
    std::unique_ptr<Image> image(make_filled_image(10, 20, 255));
    Sprite tall(image.get(), 100, 100);
    tall.shape.set_angle(90);
    EXPECT_EQ(geometry(tall.shape), (std::vector<int>{20, 10, 0, -10, 0, 10}));
    EXPECT_EQ(box_of(tall.shape), (std::vector<int>{100, 90, 120, 100}));
    int tx, ty;
    tall.shape.get_transform(9, 0, tx, ty);
    EXPECT_EQ((std::vector<int>{tx, ty}), (std::vector<int>{0, 1}));

    // 45 degrees: the bounding box of the turned rectangle, truncated.
    tall.shape.set_angle(45);
    int x1, y1, x2, y2;
    transform_rect(10.0f, 20.0f, tall.shape.co, tall.shape.si, x1, y1, x2, y2);
    EXPECT_EQ((std::vector<int>{x1, y1, x2, y2}), (std::vector<int>{0, -7, 21, 14}));
    EXPECT_EQ(tall.shape.x_offset, x1);
    EXPECT_EQ(tall.shape.width, x2 - x1);
}

TEST(SpriteCollision, a_scale_of_zero_or_a_tiny_one_gives_an_empty_shape_that_overlaps_nothing)
{
    std::unique_ptr<Image> image(make_filled_image(16, 16, 255, 8, 8));
    Sprite scope(image.get(), 50, 50);
    SpriteCollision& s = scope.shape;
    const PointCollision point(50, 50);
    const float bad_scales[] = {0.0f, 1e-9f, std::numeric_limits<float>::denorm_min(),
                                std::numeric_limits<float>::quiet_NaN(), -0.0f};
    for (float scale : bad_scales) {
        for (int angle : {0, 33}) {
            s.x_scale = scale;
            s.y_scale = 1.0f;
            s.set_angle(angle);
            EXPECT_EQ(s.type, TRANSFORM_SPRITE_COLLISION);
            EXPECT_EQ(s.width, 0) << scale;
            EXPECT_EQ(s.transform[0], 0);
            EXPECT_EQ(s.aabb[0], s.aabb[2]);
            EXPECT_FALSE(collide_direct(&point, &s));
            EXPECT_FALSE(collide_direct(&s, &point));
            s.flags |= BOX_COLLISION;
            EXPECT_FALSE(collide_direct(&s, &point));
            s.flags = 0;
        }
    }
    // A huge scale keeps the box inside the 32-bit range.
    s.x_scale = s.y_scale = 1e30f;
    s.set_angle(0);
    EXPECT_GE(s.aabb[2], s.aabb[0]);
    const PointCollision inside(49, 49);
    EXPECT_TRUE(collide_direct(&inside, &s));
}
