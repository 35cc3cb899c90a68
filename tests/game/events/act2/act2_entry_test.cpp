// Entering act 2 as a run does: from act 1's end, which asks for the next
// frame, into act 2's set-up and start, then the act played for a while;
// and the process ends cleanly with act 2 still running.
#include "console/pads.h"
#include "game/frames/event_support.h"
#include "tests/support/event_kit.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

constexpr int act1 = 4;
constexpr int act2 = 5;

void enter_act2_and_exit(int entries)
{
    EventKit kit;
    for (int k = 0; k < entries; ++k) {
        kit.enter_frame(act2);
        kit.run(3);
    }
    std::exit(kit.frames().index == act2 ? 0 : 3);
}

}  // namespace

TEST(Act2Entry, the_end_of_act_1_leads_into_act_2_which_runs_on_quietly)
{
    EventKit kit;
    kit.set_global(4, 0);
    kit.enter_frame(act1);
    kit.run(60);
    kit.take_console();
    // What the level-end event does once act 1's sign card is opaque.
    kit.set_global(4, -1);
    kit.frames().next_frame = kit.frames().index + 1;
    kit.run(1);
    Frames& f = kit.frames();
    ASSERT_EQ(f.index, act2);
    EXPECT_EQ(kit.take_console(), (std::vector<std::string>{"Setting frame: 5", "Frame set"}));
    EXPECT_EQ(f.loops->size(), 54u);
    // Reached from the act before: the opening fade, not the cards.
    EXPECT_TRUE(f.opening_fade_group);
    EXPECT_FALSE(f.level_group_32);
    // The player starts from the act's own marker.
    FrameObject* player = kit.instance(types::Player_87);
    ASSERT_NE(player, nullptr);
    EXPECT_NEAR(player->get_x(), 21, 64);
    EXPECT_NEAR(player->get_y(), 989, 64);

    // The opening fade keeps the controls until its end (the act's air and
    // fade events, still empty here); the act runs on meanwhile.
    kit.hold(VPAD_BUTTON_RIGHT);
    kit.run(600);
    EXPECT_EQ(f.index, act2);
    std::vector<std::string> lines = kit.take_console();
    std::erase(lines, "Done loading shader");
    EXPECT_EQ(lines, std::vector<std::string>{});
    kit.set_global(4, 0);
}

TEST(Act2Entry, exiting_while_the_act_runs_after_one_or_two_entries_is_clean)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(enter_act2_and_exit(1), testing::ExitedWithCode(0), "");
    EXPECT_EXIT(enter_act2_and_exit(2), testing::ExitedWithCode(0), "");
}
