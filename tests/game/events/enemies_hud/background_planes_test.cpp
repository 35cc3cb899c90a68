// The parallax pieces and the far background planes, tick by tick while the
// view moves: a piece follows the view at its factor and wraps within its
// period; a plane passing by plays its sound once, shakes the camera, and
// goes once it is far right of the view.
#include "game/frames/event_support.h"
#include "game/objects/type_ids.h"
#include "tests/game/events/act1_frame/act1_start_kit.h"
#include "tests/support/event_kit.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

using Event = void (Frames::*)();

// A wide frame whose ticks first move the view to the test's request, then
// run the given events.
void enter_scrolling_frame(EventKit& kit, std::vector<Event> events, int& view_x)
{
    kit.enter_empty_frame({.width = 20000,
                           .height = 2000,
                           .handler = [events, &view_x](Frames& f) {
                               f.set_display_center(view_x + 213, 320);
                               for (const Event event : events)
                                   (f.*event)();
                           },
                           .set_up = [](Frames& f) {
                               f.level_group_43 = true;
                               act1_test::set_group(f, f.qualifier_20, {types::LevelParallaxPiece0_161});
                           }});
}

}  // namespace

TEST(ParallaxPieces, a_piece_follows_the_view_at_its_factor_and_wraps_within_its_period)
{
    EventKit kit;
    int view_x = 0;
    enter_scrolling_frame(kit, {&Frames::event_func_2154, &Frames::event_func_2155, &Frames::event_func_2156}, view_x);
    FrameObject* piece = kit.place("LevelParallaxPiece0_161", 0, 0);
    // Period 64, base height 50, a quarter of the view's movement across
    // and half of it down.
    for (const auto& [letter, number] : {std::pair{'A', 64.0}, {'C', 50.0}, {'D', 0.25}, {'E', 0.5}})
        EventKit::set_value(piece, letter, number);
    Frames& f = kit.frames();
    for (int t = 1; t <= 20; ++t) {
        view_x = 8 * t;
        kit.run(1);
        // The piece lags the view by three quarters of its movement, kept
        // within one period left of the view.
        ASSERT_EQ(piece->get_x(), view_x + int(std::fmod(-6.0 * t, 64.0))) << "tick " << t;
        ASSERT_EQ(piece->get_y(), f.new_display_y / 2 + 50);
    }
    // Scrolling on its own: F grows by G each tick, and the piece with it.
    EventKit::set_value(piece, 'G', 1.5);
    kit.run(2);
    EXPECT_EQ(EventKit::value(piece, 'F'), 3);
    EXPECT_EQ(piece->get_x(), 160 + int(std::fmod(-120.0 + 3, 64.0)));
    // Without a period the piece stays at the view's left edge.
    EventKit::set_value(piece, 'A', 0);
    kit.run(1);
    EXPECT_EQ(piece->get_x(), 160);
}

TEST(BackgroundPlanes, a_passing_plane_sounds_once_shakes_the_camera_and_goes_far_right_of_the_view)
{
    EventKit kit;
    int view_x = 0;
    enter_scrolling_frame(kit,
                          {&Frames::event_func_2157, &Frames::event_func_2158, &Frames::event_func_2159,
                           &Frames::event_func_2160},
                          view_x);
    FrameObject* camera = kit.place("MasterCamera_190", -50, -50);
    // Two pass-by planes at depth 0: placed at 0.7 times (view + A), A
    // growing by 8 + 4 * 4 a tick.
    std::vector<FrameObject*> planes;
    for (int i = 0; i < 2; ++i) {
        FrameObject* plane = kit.place("LevelBackgroundPlane2_352", 0, 0);
        plane->set_direction(4, false);
        EventKit::set_value(plane, 'A', -200);
        EventKit::set_value(plane, 'F', 0.2);
        planes.push_back(plane);
    }
    kit.take_sounds();
    // Tick t places the planes at trunc(0.7 * (-200 + 24 (t - 1))): they
    // reach the view's left side less 50 on tick 7.
    kit.run(6);
    EXPECT_EQ(planes[0]->get_x(), -56);
    EXPECT_EQ(sample_count(kit.take_sounds(), 81), 0);
    EXPECT_EQ(EventKit::value(camera, 'Z'), 0);
    kit.run(1);
    EXPECT_EQ(planes[0]->get_x(), -39);
    EXPECT_EQ(sample_count(kit.take_sounds(), 81), 1);
    EXPECT_TRUE(EventKit::flag(planes[1], 0));
    EXPECT_EQ(EventKit::value(camera, 'Z'), 0.2 - 0.05);
    kit.run(1);
    EXPECT_EQ(sample_count(kit.take_sounds(), 81), 0);
    EXPECT_EQ(EventKit::value(camera, 'Z'), (0.2 - 0.05) + (0.2 - 0.05 - 0.05));
    // The strength fades to 0 and the shake it adds stops below 3.
    kit.run(10);
    EXPECT_EQ(EventKit::value(planes[0], 'F'), 0);
    EXPECT_LT(EventKit::value(camera, 'Z'), 3);

    // Tick 47 puts them at trunc(0.7 * 904) = 632, past view + 626.
    kit.run(46 - 18);
    EXPECT_FALSE(planes[0]->flags & FrameObject::DESTROYING);
    kit.run(1);
    EXPECT_EQ(kit.instances(types::LevelBackgroundPlane2_352).size(), 2u);
    EXPECT_TRUE(planes[0]->flags & FrameObject::DESTROYING);
    kit.run(1);
    EXPECT_TRUE(kit.instances(types::LevelBackgroundPlane2_352).empty());
}

// Each launch point starts one plane, the first time the player passes it,
// at the height its side gives; a fresh tunnel mask (a restarted act) makes
// the points usable again.
TEST(BackgroundPlanes, each_launch_point_starts_one_plane_at_the_height_the_player_passes)
{
    struct Pass {
        double x, y;
        int behind, plane_y, flag;
    };
    const Pass passes[] = {{3200.5, 839.5, 320, 900, 9},
                           {3201, 840, 320, 1300, 9},
                           {10801, 750, 160, 600, 8},
                           {10800.25, 750.5, 160, 1050, 8}};
    for (const Pass& pass : passes) {
        SCOPED_TRACE(pass.plane_y);
        EventKit kit;
        int view_x = 10000;
        enter_scrolling_frame(kit,
                              {&Frames::event_func_1997, &Frames::event_func_1998, &Frames::event_func_1999,
                               &Frames::event_func_2000},
                              view_x);
        FrameObject* values = kit.place("PlayerMovementValues_80", -100, -100);
        // Past the second point the first has been used already.
        auto fresh_mask = [&kit, &pass] {
            FrameObject* mask = kit.place("SpiralTunnelMask_188", -100, -100);
            set_flag(mask, 9, pass.flag == 8);
            return mask;
        };
        FrameObject* mask = fresh_mask();
        FrameObject* camera = kit.place("MasterCamera_190", -100, -100);
        EventKit::set_value(camera, 'X', 213);
        EventKit::set_value(camera, 'Y', 120);
        // On the point itself nothing starts.
        EventKit::set_value(values, 'X', pass.x > 10000 ? 10800 : 3200);
        EventKit::set_value(values, 'Y', pass.y);
        kit.run(1);
        ASSERT_TRUE(kit.instances(types::LevelBackgroundPlane2_352).empty());

        EventKit::set_value(values, 'X', pass.x);
        kit.run(1);
        Frames& f = kit.frames();
        ASSERT_EQ(kit.instances(types::LevelBackgroundPlane2_352).size(), 1u);
        FrameObject* plane = kit.instance(types::LevelBackgroundPlane2_352);
        EXPECT_EQ(plane->layer->index, 0);
        EXPECT_EQ(plane->get_x(), f.new_display_x - pass.behind);
        EXPECT_EQ(plane->get_y(), pass.plane_y);
        EXPECT_EQ(plane->get_direction(), 4);
        EXPECT_EQ(EventKit::values(plane, "ABCDEF"), doubles(f.new_display_x - pass.behind, pass.plane_y, -5,
                                                             f.new_display_x + 213, f.new_display_y + 120, 4));
        EXPECT_TRUE(EventKit::flag(mask, pass.flag));
        EXPECT_EQ(EventKit::flag(mask, 8), pass.flag == 8);

        // Passing again, high or low, starts nothing more.
        EventKit::set_value(values, 'Y', pass.plane_y < 1000 ? 2000 : 0);
        kit.run(3);
        EXPECT_EQ(kit.instances(types::LevelBackgroundPlane2_352).size(), 1u);
        // A fresh mask lets the point start another.
        mask->destroy();
        fresh_mask();
        kit.run(2);
        EXPECT_EQ(kit.instances(types::LevelBackgroundPlane2_352).size(), 2u);
    }
}
