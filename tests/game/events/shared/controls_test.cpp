// A button's road through every shared event: the start events load the
// binding files the stand-in content ships, polling turns the gamepad into
// slot levels, and the value events into the flags menus read.
#include "console/pads.h"
#include "tests/support/event_kit.h"

#include <gtest/gtest.h>

TEST(ControlRoad, a_gamepad_confirm_held_three_ticks_is_a_first_tick_once_then_held)
{
    EventKit kit;
    InputObjects objects;
    // The objects every frame places for its input, the global start events
    // on the first tick and the shared block on every tick.
    kit.enter_empty_frame({.index = 1,
                           .handler = [](Frames& f) { f.run_shared_events(2); },
                           .set_up = [&](Frames&) {
                               kit.place("MapData_27", -200, -100);
                               kit.place("MapData2_29", -200, -100);
                               objects = kit.place_input_objects();
                           },
                           .start = [](Frames& f) { f.run_global_start_events(); }});
    kit.run(1);  // polling is on from the frame's second tick
    kit.hold(VPAD_BUTTON_A);
    std::vector<double> level, first_tick, held;
    for (int k = 0; k < 3; ++k) {
        kit.run(1);
        level.push_back(EventKit::value(objects.inputs, 'E'));
        first_tick.push_back(EventKit::value(objects.inputs, 'M'));
        held.push_back(EventKit::value(objects.player, 'E'));
    }
    EXPECT_EQ(level, doubles(1000, 1000, 1000));
    EXPECT_EQ(first_tick, doubles(1, 0, 0));
    EXPECT_EQ(held, doubles(1, 1, 1));
    kit.release();
    kit.run(1);
    EXPECT_EQ(EventKit::value(objects.inputs, 'E'), 0);
    EXPECT_EQ(EventKit::value(objects.player, 'E'), 0);
}
