// The camera limits and the view request, tick by tick: the boss arena's
// limits start around the view and close onto their markers, markers
// outside the playfield go, the shake stays in its band and dies away, and
// a camera left of the frame still moves the view to the frame's edge.
#include "tests/game/events/stage_loops/camera_scene.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

using namespace camera_test;

TEST(CameraLimits, the_boss_arena_starts_around_the_view_and_closes_onto_its_markers)
{
    EventKit kit;
    FrameObject* left = nullptr;
    FrameObject* stale = nullptr;
    const CameraScene s = enter_camera_scene(kit, 2500, 500, [&](CameraScene& s) {
        left = kit.place("CameraLimitBossLeft_165", 800, 500);
        kit.place("CameraLimitBossRight_166", 1400, 500);
        kit.place("CameraLimitBossTop_167", 1000, 200);
        kit.place("CameraLimitBossBottom_168", 1000, 900);
        stale = kit.place("CameraTriggerBoss_169", -300, -300);
        set_values(s.movement, {{'X', 913}, {'Y', 500}, {'L', 1}});
        set_values(s.camera, {{'A', 913}, {'B', 500}, {'M', 1}, {'V', 1}});
    });
    Frames& f = kit.frames();
    // Mode 1 turns to the boss limits and back to mode 0; the act's limits
    // already step towards the markers on that tick.
    EXPECT_EQ(EventKit::values(s.camera, "MU"), doubles(0, 1));
    EXPECT_EQ(EventKit::values(s.camera, "CDEF"), doubles(2, 2, 2711, 998));
    EXPECT_TRUE(stale->flags & FrameObject::DESTROYING);
    EXPECT_FALSE(left->flags & FrameObject::DESTROYING);
    EXPECT_EQ(f.display_x, 700);

    // The view reaches 100 pixels left of the arena: that limit starts at
    // the view's edge, the others at their markers; the left one closes by
    // 2 a tick and pushes the view along.
    kit.run(1);
    EXPECT_EQ(EventKit::values(s.camera, "CDEF"), doubles(702, 200, 1400, 900));
    for (int k = 3; k <= 55; ++k) {
        kit.run(1);
        const int limit = std::min(700 + 2 * (k - 1), 800);
        ASSERT_EQ(EventKit::value(s.camera, 'C'), limit) << "tick " << k;
        ASSERT_EQ(f.display_x, limit) << "tick " << k;
    }
    EXPECT_EQ(EventKit::values(s.camera, "DEF"), doubles(200, 1400, 900));
}

TEST(CameraLimits, the_shake_stays_in_its_band_and_dies_away_in_30_ticks)
{
    EventKit kit;
    const CameraScene s = enter_camera_scene(kit, 2500, 500, [](CameraScene& s) {
        set_values(s.movement, {{'X', 300}, {'Y', 500}, {'L', 1}});
        set_values(s.camera, {{'A', 300}, {'B', 500}, {'Z', 3}, {'V', 1}});
    });
    Frames& f = kit.frames();
    int moved = 0;
    for (int k = 1; k <= 30; ++k) {
        if (k > 1)
            kit.run(1);
        const int dx = f.display_x - 87, dy = f.display_y - 380;
        ASSERT_GE(dx, -3);
        ASSERT_LE(dx, 2);
        ASSERT_GE(dy, -3);
        ASSERT_LE(dy, 2);
        moved += dx != 0 || dy != 0;
    }
    EXPECT_GT(moved, 10);
    EXPECT_EQ(EventKit::value(s.camera, 'Z'), 0);
    kit.run(5);
    EXPECT_EQ(f.display_x, 87);
    EXPECT_EQ(f.display_y, 380);
}

TEST(CameraLimits, a_camera_centred_at_minus_one_moves_the_view_to_the_frames_left_edge)
{
    EventKit kit;
    // A sign post near the frame's left edge: its limits reach past it.
    const CameraScene s = enter_camera_scene(kit, 100, 500, [&kit](CameraScene& s) {
        set_values(s.movement, {{'X', -3}, {'Y', 460}, {'L', 1}});
        set_values(s.camera, {{'A', -3}, {'B', 460}, {'U', 2}, {'V', 1}});
        kit.frames().set_display_center(1013, 620);
        kit.frames().update_display_center();
    });
    Frames& f = kit.frames();
    EXPECT_EQ(EventKit::values(s.camera, "CDEF"), doubles(-113, 340, 313, 580));
    // The centre is eased 2 towards the limit: -1, a view at the left edge.
    EXPECT_EQ(EventKit::values(s.camera, "AS"), doubles(-1, 0));
    EXPECT_EQ(f.display_x, 0);
    EXPECT_EQ(f.display_y, 340);
}

TEST(CameraLimits, an_offset_shrinks_by_the_centres_lead_over_the_player_and_never_grows_past_its_look_offset)
{
    EventKit kit;
    // In the air inside the dead zone, 10 pixels left of and above the
    // centre: mode 0 leaves the centre alone and lets the look offsets
    // fall by 2 a tick, from 20 on the first tick.
    const CameraScene s = enter_camera_scene(kit, 2500, 500, [](CameraScene& s) {
        set_values(s.movement, {{'X', 490}, {'Y', 490}, {'L', 0}});
        set_values(s.camera, {{'A', 500}, {'B', 500}, {'G', 22}, {'H', 22}, {'V', 0}});
    });
    Frames& f = kit.frames();
    for (int k = 1; k <= 8; ++k) {
        if (k > 1)
            kit.run(1);
        const double look = 22 - 2 * k;
        const double offset = std::max(look - 10, 0.0);
        ASSERT_EQ(EventKit::values(s.camera, "ABGH"), doubles(500, 500, look, look)) << "tick " << k;
        EXPECT_EQ(EventKit::values(s.camera, "ST"), doubles(offset, offset)) << "tick " << k;
        EXPECT_EQ(f.display_x, 500 + int(offset) - 213) << "tick " << k;
        EXPECT_EQ(f.display_y, 500 + int(offset) - 120) << "tick " << k;
    }
    // 10 pixels below the centre the vertical offset keeps its look offset
    // (20 - (-10) is held to 20); the horizontal one still loses 10.
    set_values(s.camera, {{'G', 22}, {'H', 22}});
    EventKit::set_value(s.movement, 'Y', 510);
    kit.run(1);
    EXPECT_EQ(EventKit::values(s.camera, "BST"), doubles(500, 10, 20));
    EXPECT_EQ(f.display_y, 400);
}
