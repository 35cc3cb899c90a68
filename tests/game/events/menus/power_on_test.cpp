// A player's road from power-on to the first act: the intro gives way to
// the title, A on the title opens How To Play, A pages through it and
// confirms, and Black Load enters act 1, all through the gamepad and every
// event on the way.
#include "console/pads.h"
#include "tests/game/events/shared/power_on.h"
#include "tests/support/event_kit.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace {

// Runs ticks until the frame index is `index`; the ticks it took, or -1.
int run_until_frame(EventKit& kit, int index, int limit)
{
    for (int ticks = 1; ticks <= limit; ++ticks) {
        kit.run(1);
        if (kit.frames().index == index)
            return ticks;
    }
    return -1;
}

// Presses A for one tick, then lets `after` ticks pass.
void press_a(EventKit& kit, int after)
{
    kit.press(VPAD_BUTTON_A, after);
}

}  // namespace

TEST(PowerOn, the_gamepad_leads_from_the_intro_through_the_menus_into_act_1)
{
    forget_kept_bindings_and_records();
    EventKit kit;
    kit.run(1);
    ASSERT_EQ(kit.frames().index, 0);
    // The intro's own timeline asks for the title in its handler pass 462;
    // the change happens at the start of the next tick.
    EXPECT_EQ(run_until_frame(kit, 1, 600), 463);
    // A once the prompt shows; the title plays its leave, then How To Play.
    kit.run(40);
    press_a(kit, 0);
    ASSERT_GT(run_until_frame(kit, 8, 400), 0);
    // Three pages: two scrolls down, then the confirm on the last page.
    kit.run(60);
    press_a(kit, 20);
    press_a(kit, 20);
    press_a(kit, 0);
    ASSERT_GT(run_until_frame(kit, 2, 200), 0);
    EXPECT_GT(run_until_frame(kit, 4, 30), 0);

    std::vector<std::string> changes;
    for (const std::string& line : kit.take_console())
        if (line.rfind("Setting frame: ", 0) == 0)
            changes.push_back(line);
    EXPECT_EQ(changes, (std::vector<std::string>{"Setting frame: 0", "Setting frame: 1", "Setting frame: 8",
                                                 "Setting frame: 2", "Setting frame: 4"}));
}
