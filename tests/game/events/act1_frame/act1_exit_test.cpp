// The process ends cleanly while act 1 runs: nothing ends the frame first
// (as when a benchmark returns or the display goes), so the act's instances
// leave their layers' grids as the frame's statics are torn down at exit,
// whatever order the program's other statics go in.
#include "tests/support/event_kit.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

constexpr int act1 = 4;

// Enters act 1 `entries` times in one child process and exits with the act
// still running; the sanitizers turn a use of freed memory or a leak at exit
// into a failed exit.
void enter_act1_and_exit(int entries)
{
    EventKit kit;
    for (int k = 0; k < entries; ++k) {
        kit.enter_frame(act1);
        kit.run(3);
    }
    std::exit(kit.frames().index == act1 ? 0 : 3);
}

}  // namespace

TEST(Act1Exit, exiting_while_the_act_runs_after_one_or_two_entries_is_clean)
{
    // A fresh process for each child, whatever earlier tests left running.
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(enter_act1_and_exit(1), testing::ExitedWithCode(0), "");
    EXPECT_EXIT(enter_act1_and_exit(2), testing::ExitedWithCode(0), "");
}
