// A player's road from power-on to the first act: the intro gives way to
// the title, A on the title opens How To Play, A pages through it and
// confirms, and Black Load enters act 1, all through the gamepad and every
// event on the way.
#include "console/pads.h"
#include "tests/game/events/menus/menu_kit.h"

#include <gtest/gtest.h>

TEST(PowerOn, the_gamepad_leads_from_the_intro_through_the_menus_into_act_1)
{
    EventKit kit;
    kit.run(1);
    ASSERT_EQ(kit.frames().index, 0);
    // The intro's own timeline asks for the title in its handler pass 462;
    // the change happens at the start of the next tick.
    EXPECT_EQ(run_until_frame(kit, 1, 600), 463);
    // A once the prompt shows; the title plays its leave, then How To Play.
    kit.run(40);
    kit.press(VPAD_BUTTON_A);
    ASSERT_GT(run_until_frame(kit, 8, 400), 0);
    // Three pages: two scrolls down, then the confirm on the last page.
    kit.run(60);
    kit.press(VPAD_BUTTON_A, 20);
    kit.press(VPAD_BUTTON_A, 20);
    kit.press(VPAD_BUTTON_A);
    ASSERT_GT(run_until_frame(kit, 2, 200), 0);
    EXPECT_GT(run_until_frame(kit, 4, 30), 0);
    EXPECT_EQ(frame_changes(kit), (std::vector<std::string>{"Setting frame: 0", "Setting frame: 1", "Setting frame: 8",
                                                            "Setting frame: 2", "Setting frame: 4"}));
}
