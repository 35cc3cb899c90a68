// A button's road through every shared event: the start events load the
// binding files the stand-in content ships, polling turns the gamepad into
// slot levels, and the value events into the flags menus read.
#include "console/pads.h"
#include "tests/game/events/shared/power_on.h"
#include "tests/support/event_kit.h"

#include <gtest/gtest.h>

namespace {

// A frame with the objects every frame places for its input, running the
// global start events on its first tick and the shared block on every tick.
struct ControlsFrame {
    EventKit kit;
    FrameObject* player;
    FrameObject* inputs;

    ControlsFrame()
    {
        forget_kept_bindings_and_records();
        kit.enter_empty_frame({.index = 1,
                               .handler = [](Frames& f) { f.run_shared_events(2); },
                               .set_up = [this](Frames& f) {
                                   for (const char* name : {"MapData_27", "MapData2_29", "PlayerInput_21",
                                                            "MasterInput_22", "InputsP1_23", "GlobalInputData_24"})
                                       kit.place(name, -200, -100);
                                   f.reset_shared_event_state();
                               },
                               .start = [](Frames& f) { f.run_global_start_events(); }});
        player = kit.instance(17);
        inputs = kit.instance(19);
        kit.run(1);  // polling is on from the frame's second tick
    }
};

}  // namespace

TEST(ControlRoad, a_gamepad_confirm_held_three_ticks_is_a_first_tick_once_then_held)
{
    ControlsFrame frame;
    frame.kit.hold(VPAD_BUTTON_A);
    std::vector<double> level, first_tick, held;
    for (int k = 0; k < 3; ++k) {
        frame.kit.run(1);
        level.push_back(EventKit::value(frame.inputs, 'E'));
        first_tick.push_back(EventKit::value(frame.inputs, 'M'));
        held.push_back(EventKit::value(frame.player, 'E'));
    }
    EXPECT_EQ(level, (std::vector<double>{1000, 1000, 1000}));
    EXPECT_EQ(first_tick, (std::vector<double>{1, 0, 0}));
    EXPECT_EQ(held, (std::vector<double>{1, 1, 1}));
    frame.kit.release();
    frame.kit.run(1);
    EXPECT_EQ(EventKit::value(frame.inputs, 'E'), 0);
    EXPECT_EQ(EventKit::value(frame.player, 'E'), 0);
}
