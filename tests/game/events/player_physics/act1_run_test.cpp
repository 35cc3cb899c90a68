// The whole act on the stand-in terrain: the player runs right, holding the
// d-pad from the act's first tick, for a minute of play (once the opening
// card hands over control) and never leaves the ground for good or falls
// through the floor.
#include "console/pads.h"
#include "tests/support/event_kit.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

constexpr int act_height = 1864;

}  // namespace

TEST(Act1Run, holding_right_keeps_the_player_on_the_terrain_for_3000_ticks)
{
    EventKit kit;
    kit.enter_frame(4);
    FrameObject* input = kit.instance(types::PlayerInput_21);
    FrameObject* values = kit.instance(types::PlayerMovementValues_80);
    ASSERT_NE(input, nullptr);
    ASSERT_NE(values, nullptr);
    const double start_x = EventKit::value(values, 'X');
    kit.hold(VPAD_BUTTON_RIGHT);
    double furthest = start_x;
    int airborne_run = 0, longest_airborne = 0;
    for (int tick = 0; tick < 3000; ++tick) {
        kit.run(1);
        const double y = EventKit::value(values, 'Y');
        ASSERT_LT(y, act_height) << "fell out of the level at tick " << tick;
        ASSERT_NE(EventKit::value(values, 'M'), 9) << "died at tick " << tick;
        furthest = std::max(furthest, EventKit::value(values, 'X'));
        airborne_run = EventKit::value(values, 'L') == 0 ? airborne_run + 1 : 0;
        longest_airborne = std::max(longest_airborne, airborne_run);
    }
    // The opening card gave the player control; it ran, and no fall lasted
    // long enough to mean a floor was missed.
    EXPECT_EQ(EventKit::value(input, 'M'), 0);
    EXPECT_GT(furthest, start_x + 500);
    EXPECT_LT(longest_airborne, 180);
}
