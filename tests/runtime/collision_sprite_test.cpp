// The sprite shape: its transform, box and kind as the image, scales and
// angle change.
#include "tests/runtime/collision_fixtures.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>

namespace {
struct SpriteScope {
    std::unique_ptr<Image> image;
    FrameObject owner{0, 0, 3};
    SpriteCollision sprite{&owner};

    SpriteScope(int w, int h, int hot_x, int hot_y) : image(make_filled_image(w, h, 255, hot_x, hot_y))
    {
        owner.layer = &default_layer();
        owner.collision = &sprite;
        sprite.image = image.get();
        sprite.hotspot_x = hot_x;
        sprite.hotspot_y = hot_y;
    }
    ~SpriteScope() { owner.collision = nullptr; }
};
}  // namespace

TEST(SpriteCollision, starts_untransformed_and_follows_its_image_at_scale_one)
{
    FrameObject owner(100, 50, 3);
    owner.layer = &default_layer();
    SpriteCollision sprite(&owner);
    EXPECT_EQ(sprite.type, SPRITE_COLLISION);
    EXPECT_EQ(sprite.flags, 0);
    EXPECT_EQ(sprite.proxy, -1);
    EXPECT_EQ(sprite.co, 1.0f);
    EXPECT_EQ(sprite.si, 0.0f);
    EXPECT_EQ(sprite.x_scale, 1.0f);

    std::unique_ptr<Image> image(make_filled_image(16, 8, 255, 4, 2));
    sprite.image = image.get();
    sprite.hotspot_x = 4;
    sprite.hotspot_y = 2;
    owner.flags |= FrameObject::HAS_COLLISION_CACHE;
    sprite.update_transform();
    EXPECT_EQ(sprite.type, SPRITE_COLLISION);
    EXPECT_EQ(sprite.width, 16);
    EXPECT_EQ(sprite.new_hotspot_x, 4);
    EXPECT_EQ(sprite.aabb[0], 96);
    EXPECT_EQ(sprite.aabb[1], 48);
    EXPECT_EQ(sprite.aabb[2], 112);
    EXPECT_EQ(sprite.aabb[3], 56);
    EXPECT_EQ(owner.flags & FrameObject::HAS_COLLISION_CACHE, 0u);
    int tx, ty;
    sprite.get_transform(3, 5, tx, ty);
    EXPECT_EQ(tx, 3);
    EXPECT_EQ(ty, 5);
}

TEST(SpriteCollision, scale_two_gives_the_transformed_kind_and_half_factors_and_returns_to_its_kind)
{
    SpriteScope scope(16, 16, 8, 16);
    SpriteCollision& s = scope.sprite;
    s.x_scale = s.y_scale = 2.0f;
    s.update_transform();
    EXPECT_EQ(s.type, TRANSFORM_SPRITE_COLLISION);
    EXPECT_EQ(s.transform[0], 16384);
    EXPECT_EQ(s.transform[1], 0);
    EXPECT_EQ(s.transform[2], 16384);
    EXPECT_EQ(s.transform[3], 0);
    EXPECT_EQ(s.width, 32);
    EXPECT_EQ(s.height, 32);
    EXPECT_EQ(s.new_hotspot_x, 16);
    EXPECT_EQ(s.new_hotspot_y, 32);

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
    SpriteScope scope(20, 10, 5, 5);
    SpriteCollision& s = scope.sprite;
    s.set_angle(90);
    EXPECT_EQ(s.co, 0.0f);
    EXPECT_EQ(s.si, 1.0f);
    EXPECT_EQ(s.x_offset, 0);
    EXPECT_EQ(s.y_offset, -20);
    EXPECT_EQ(s.width, 10);
    EXPECT_EQ(s.height, 20);
    EXPECT_EQ(s.new_hotspot_x, 5);
    EXPECT_EQ(s.new_hotspot_y, 15);
    EXPECT_EQ(s.transform[0], 0);
    EXPECT_EQ(s.transform[1], 32768);

    s.set_angle(180);
    EXPECT_EQ(s.co, -1.0f);
    EXPECT_EQ(s.si, 0.0f);
    s.set_angle(270);
    EXPECT_EQ(s.co, 0.0f);
    EXPECT_EQ(s.si, -1.0f);
    s.set_angle(-90);
    EXPECT_EQ(s.co, std::cos(float(-90 / 57.29577951308232)));
    EXPECT_NE(s.co, 0.0f);
}

TEST(SpriteCollision, a_rotated_ten_by_twenty_image_at_100_100)
{
    std::unique_ptr<Image> image(make_filled_image(10, 20, 255, 0, 0));
    FrameObject owner(100, 100, 3);
    owner.layer = &default_layer();
    SpriteCollision s(&owner);
    s.image = image.get();
    s.set_angle(90);
    // (px, py) -> (py, -px): the 10 x 20 image lies on its side above the hot spot.
    EXPECT_EQ(s.width, 20);
    EXPECT_EQ(s.height, 10);
    EXPECT_EQ(s.x_offset, 0);
    EXPECT_EQ(s.y_offset, -10);
    EXPECT_EQ(s.new_hotspot_x, 0);
    EXPECT_EQ(s.new_hotspot_y, 10);
    EXPECT_EQ(s.aabb[0], 100);
    EXPECT_EQ(s.aabb[1], 90);
    EXPECT_EQ(s.aabb[2], 120);
    EXPECT_EQ(s.aabb[3], 100);
    int tx, ty;
    s.get_transform(9, 0, tx, ty);
    EXPECT_EQ(tx, 0);
    EXPECT_EQ(ty, 1);

    // 45 degrees: the bounding box of the turned rectangle, truncated.
    s.set_angle(45);
    int x1, y1, x2, y2;
    transform_rect(10.0f, 20.0f, s.co, s.si, x1, y1, x2, y2);
    EXPECT_EQ(s.x_offset, x1);
    EXPECT_EQ(s.width, x2 - x1);
    EXPECT_EQ(x1, 0);
    EXPECT_EQ(y1, -7);
    EXPECT_EQ(x2, 21);
    EXPECT_EQ(y2, 14);
    EXPECT_EQ(s.transform[0], int(s.co * (1.0f / 1.0f) * 32768.0f));
}

TEST(SpriteCollision, a_scale_of_zero_or_a_tiny_one_gives_an_empty_shape_that_overlaps_nothing)
{
    SpriteScope scope(16, 16, 8, 8);
    SpriteCollision& s = scope.sprite;
    scope.owner.x = 50;
    scope.owner.y = 50;
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
