// The camera modes, run tick by tick through the act's camera events: the
// view follows a running player with its look-ahead and stops at the sign,
// eases after a landing, pans on a held look pose, glides onto the player
// in mode 2, and in the real act keeps the running player in view.
#include "console/pads.h"
#include "tests/game/events/stage_loops/camera_scene.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

using namespace camera_test;

TEST(CameraMode0, a_running_player_is_led_by_the_look_ahead_until_the_view_stops_at_the_sign)
{
    EventKit kit;
    const CameraScene s = enter_camera_scene(kit, 2500, 500, [](CameraScene& s) {
        set_values(s.movement, {{'X', 300}, {'Y', 500}, {'L', 1}, {'Q', 1}, {'S', 1}});
        set_values(s.camera, {{'A', 300}, {'B', 500}, {'V', 1}});
    });
    Frames& f = kit.frames();
    // The act's limits: the frame's left and top, the sign plus half a view.
    EXPECT_EQ(EventKit::values(s.camera, "CDEF"), doubles(0, 0, 2713, scene_height));
    EXPECT_EQ(f.display_x, 300 - 213);
    EXPECT_EQ(f.display_y, 500 - 120);

    // Running at 6 a tick: the centre stays on the player and the view leads
    // by a look-ahead that grows by 2 a tick up to 64.
    for (int k = 1; k <= 40; ++k) {
        set_values(s.movement, {{'X', 300 + 6 * k}, {'B', 6}});
        kit.run(1);
        ASSERT_EQ(EventKit::value(s.camera, 'A'), 300 + 6 * k) << "tick " << k;
        ASSERT_EQ(f.display_x, 87 + 6 * k + std::min(2 * k, 64)) << "tick " << k;
        ASSERT_EQ(f.display_y, 380);
    }
    // Standing, the look-ahead returns by 2 a tick.
    EventKit::set_value(s.movement, 'B', 0);
    for (int k = 1; k <= 34; ++k) {
        kit.run(1);
        ASSERT_EQ(f.display_x, 540 - 213 + std::max(64 - 2 * k, 0)) << "tick " << k;
    }
    // Past the sign the centre is pulled back by 2 a tick until the view's
    // centre is on the sign.
    EventKit::set_value(s.movement, 'X', 2600);
    kit.run(1);
    EXPECT_EQ(EventKit::value(s.camera, 'A'), 2598);
    EXPECT_EQ(f.display_x, 2598 - 213);
    kit.run(49);
    EXPECT_EQ(EventKit::value(s.camera, 'A'), 2500);
    kit.run(10);
    EXPECT_EQ(f.display_x, 2500 - 213);
}

TEST(CameraMode0, a_landing_eases_the_view_down_and_the_air_has_a_dead_zone)
{
    EventKit kit;
    // Landing 100 pixels below the camera.
    const CameraScene s = enter_camera_scene(kit, 2500, 500, [](CameraScene& s) {
        set_values(s.movement, {{'X', 300}, {'Y', 500}, {'L', 1}, {'Q', 1}});
        set_values(s.camera, {{'A', 300}, {'B', 400}, {'V', 0}});
    });
    Frames& f = kit.frames();
    EXPECT_EQ(EventKit::value(s.camera, 'W'), -96);
    for (int k = 1; k <= 25; ++k) {
        if (k > 1)
            kit.run(1);
        ASSERT_EQ(EventKit::value(s.camera, 'B'), 400 + 4 * k) << "tick " << k;
        ASSERT_EQ(f.display_y, 280 + 4 * k) << "tick " << k;
    }
    kit.run(5);
    EXPECT_EQ(EventKit::values(s.camera, "BW"), doubles(500, 0));

    // In the air the camera moves only when the player leaves the window
    // from 48 above to 16 below the centre.
    set_values(s.movement, {{'L', 0}, {'Y', 440}});
    kit.run(1);
    EXPECT_EQ(EventKit::value(s.camera, 'B'), 488);
    EventKit::set_value(s.movement, 'Y', 520);
    kit.run(1);
    EXPECT_EQ(EventKit::value(s.camera, 'B'), 504);
    EventKit::set_value(s.movement, 'Y', 510);
    kit.run(1);
    EXPECT_EQ(EventKit::value(s.camera, 'B'), 504);
    // Landing again eases from where the camera was.
    set_values(s.movement, {{'L', 1}, {'Y', 600}});
    kit.run(1);
    EXPECT_EQ(EventKit::values(s.camera, "BW"), doubles(508, -92));
}

TEST(CameraMode0, holding_a_look_pose_pans_after_two_seconds_and_releasing_returns)
{
    EventKit kit;
    const CameraScene s = enter_camera_scene(kit, 2500, 500, [](CameraScene& s) {
        set_values(s.movement, {{'X', 300}, {'Y', 500}, {'L', 1}, {'M', 2}, {'S', 1}});
        set_values(s.camera, {{'A', 300}, {'B', 500}, {'V', 1}});
        set_values(s.input, {{'A', 1}});
    });
    Frames& f = kit.frames();
    // The entry tick was the first held.
    for (int k = 2; k <= 170; ++k) {
        kit.run(1);
        const int pan = k < 120 ? 0 : std::max(-2 * (k - 119), -96);
        ASSERT_EQ(EventKit::value(s.camera, 'N'), k);
        ASSERT_EQ(f.display_y, 380 + pan) << "tick " << k;
    }
    // Released, the counter drops and the pan returns by 2 a tick.
    EventKit::set_value(s.input, 'A', 0);
    for (int k = 1; k <= 50; ++k) {
        kit.run(1);
        ASSERT_EQ(EventKit::value(s.camera, 'H'), std::min(-96 + 2 * k, 0)) << "tick " << k;
    }
    EXPECT_EQ(EventKit::value(s.camera, 'N'), 0);

    // Up and down together count neither pose.
    set_values(s.input, {{'A', 1}, {'B', 1}});
    kit.run(130);
    EXPECT_EQ(EventKit::values(s.camera, "NOH"), doubles(0, 0, 0));
    // Down alone, in the looking-down state, pans the other way.
    set_values(s.input, {{'A', 0}, {'B', 1}});
    EventKit::set_value(s.movement, 'M', 3);
    kit.run(130);
    EXPECT_EQ(EventKit::values(s.camera, "OH"), doubles(130, 2 * (130 - 119)));
    EXPECT_EQ(f.display_y, 380 + 22);
}

TEST(CameraMode2, the_camera_glides_onto_the_player_and_hands_back_to_mode_0_on_arrival)
{
    EventKit kit;
    const CameraScene s = enter_camera_scene(kit, 2500, 500, [](CameraScene& s) {
        s.player->set_global_position(500, 450);
        set_values(s.movement, {{'X', 500}, {'Y', 450}, {'L', 1}});
        set_values(s.camera, {{'A', 300}, {'B', 500}, {'G', 6}, {'M', 2}, {'V', 1}});
    });
    // The look-ahead adds up to 4 to the glide and decays by 4 a tick
    // outside mode 0: 6 gives +4, then 2 gives +2, then 6 a tick.
    EXPECT_EQ(EventKit::values(s.camera, "ABG"), doubles(310, 494, 2));
    for (int k = 2; k <= 33; ++k) {
        kit.run(1);
        ASSERT_EQ(EventKit::value(s.camera, 'A'), std::min(318 + 6 * (k - 2), 500)) << "tick " << k;
        ASSERT_EQ(EventKit::value(s.camera, 'B'), std::max(500 - 6 * k, 450)) << "tick " << k;
        ASSERT_EQ(EventKit::value(s.camera, 'M'), k < 33 ? 2 : 0) << "tick " << k;
    }
    EXPECT_EQ(EventKit::value(s.camera, 'G'), 0);

    // Back to the upper left, the player's own speed adds to the glide:
    // across by |x speed| / 1.5, up by half |y speed|.
    s.player->set_global_position(400, 400);
    set_values(s.movement, {{'X', 400}, {'Y', 400}, {'B', -3}, {'G', -4}});
    EventKit::set_value(s.camera, 'M', 2);
    kit.run(1);
    EXPECT_EQ(EventKit::values(s.camera, "ABM"), doubles(500 - 6 - 3 / 1.5, 450 - 6 - 2, 2));
    kit.run(12);
    EXPECT_EQ(EventKit::values(s.camera, "ABM"), doubles(400, 400, 0));
}

TEST(Act1View, the_view_keeps_the_running_player_in_sight_and_settles_centred_on_it)
{
    EventKit kit;
    kit.enter_frame(4);
    Frames& f = kit.frames();
    FrameObject* input = kit.instance(types::PlayerInput_21);
    FrameObject* movement = kit.instance(types::PlayerMovementValues_80);
    ASSERT_NE(movement, nullptr);
    const int first_view = f.display_x;
    // Right is held from the start; the player moves once the opening card
    // hands over control, and the run goes on for 150 ticks after that.
    kit.hold(VPAD_BUTTON_RIGHT);
    int running = 0;
    for (int tick = 0; tick < 1000 && running < 300; ++tick) {
        if (EventKit::value(input, 'M') == 0 && ++running == 150)
            kit.release();
        kit.run(1);
        const double screen_x = EventKit::value(movement, 'X') - f.display_x;
        const double screen_y = EventKit::value(movement, 'Y') - f.display_y;
        ASSERT_GE(screen_x, 0) << "tick " << tick;
        ASSERT_LT(screen_x, Frame::screen_width) << "tick " << tick;
        ASSERT_GE(screen_y, 0) << "tick " << tick;
        ASSERT_LT(screen_y, Frame::screen_height) << "tick " << tick;
    }
    ASSERT_EQ(running, 300);
    // Standing again, with the look-ahead gone, the view is centred on the
    // player across; the run took it well past where it began.
    EXPECT_EQ(f.display_x, int(std::floor(EventKit::value(movement, 'X'))) - Frame::screen_width / 2);
    EXPECT_GT(f.display_x, first_view + 200);
}
