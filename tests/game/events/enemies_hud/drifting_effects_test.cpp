// Debris, shades and the 1-up popup age, move and go as the act runs them.
#include "game/events/act_tick.h"
#include "game/objects/type_ids.h"
#include "tests/game/events/act1_frame/act1_start_kit.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace act1_test;
using DriftingEffects = StartTest;

namespace {

void drift_tick(Frames& f)
{
    for (FramesEvent event : {&Frames::event_func_2062, &Frames::event_func_2063, &Frames::event_func_2064,
                              &Frames::event_func_2065, &Frames::event_func_2066, &Frames::event_func_2067,
                              &Frames::event_func_2077, &Frames::event_func_2078, &Frames::event_func_2079})
        (f.*event)();
}

bool gone(const FrameObject* object) { return object->flags & (FrameObject::DESTROYING | FrameObject::FADEOUT); }

}  // namespace

TEST_F(DriftingEffects, a_shade_rises_on_its_arc_then_drifts_and_goes_far_out_of_view)
{
    EventKit kit;
    FrameObject *shade = nullptr, *unstarted = nullptr;
    EmptyFrame frame = act_frame(
        [&](Frames&) {
            shade = kit.place("EffectShade_309", 200, 150, 1);
            unstarted = kit.place("EffectShade_309", 260, 0, 1);
            EventKit::set_value(shade, 'C', 10);
            EventKit::set_value(shade, 'A', 3);
        },
        nullptr);
    frame.handler = drift_tick;
    kit.enter_empty_frame(frame);
    // Tick k (from 1) places the shade at angle 4 (k - 1); the sideways drift
    // of 3 a tick shows from the tick after the angle passes 90; past 180 the
// arc dips below its line.
    int x = 200;
    for (int k = 2; k <= 60; ++k) {
        kit.run(1);
        const double angle = 4 * (k - 1);
        if (angle > 90)
            x += 3;
        const double rise = angle == 180 ? 0 : 10 * std::sin(angle / 57.29577951308232);
        ASSERT_EQ(shade->get_x(), x) << k;
        ASSERT_EQ(shade->get_y(), int(150 - rise)) << k;
        // A shade made at y 0 starts again every tick and never moves.
        ASSERT_EQ(EventKit::values(unstarted, "DEF"), doubles(260, 0, 0));
    }
    shade->set_x(kit.frames().new_display_x + Frame::screen_width + 60);
    kit.run(1);
    EXPECT_FALSE(gone(shade));  // placed back at D first, then found in view
    EventKit::set_value(shade, 'D', kit.frames().new_display_x + Frame::screen_width + 60);
    kit.run(1);
    EXPECT_TRUE(gone(shade));
}

TEST_F(DriftingEffects, debris_ages_until_far_out_of_view_and_the_popup_sinks_25_pixels_then_goes)
{
    EventKit kit;
    FrameObject *debris = nullptr, *popup = nullptr, *late_popup = nullptr;
    EmptyFrame frame = act_frame(
        [&](Frames&) {
            debris = kit.place("EffectsDebris_266", 200, 120, 1);
            debris->clear_movements();
            popup = kit.place("Obj1up_174", 100, 100, 6);
            late_popup = kit.place("Obj1up_174", 150, 100, 6);
            EventKit::set_value(late_popup, 'A', 40);
        },
        nullptr);
    frame.handler = drift_tick;
    kit.enter_empty_frame(frame);
    for (int age = 2; age <= 40; ++age) {
        kit.run(1);
        EXPECT_EQ(EventKit::value(debris, 'A'), age);
        if (age < 32) {
            ASSERT_FALSE(gone(popup)) << age;
            EXPECT_EQ(popup->get_y(), 100 + std::min(age, 25)) << age;
        } else if (age == 32) {
            EXPECT_TRUE(gone(popup));
        }
    }
    // A popup that skipped 32 stays, at its place.
    EXPECT_FALSE(gone(late_popup));
    EXPECT_EQ(late_popup->get_y(), 100);
    debris->set_y(kit.frames().new_display_y - 60);
    kit.run(1);
    EXPECT_TRUE(gone(debris));
}
