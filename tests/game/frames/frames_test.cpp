// Frame selection through the manager, and the descriptors made from the
// frames table.
#include "game/events/frame_descriptors.h"
#include "runtime/manager.h"
#include "runtime/values.h"
#include "tests/support/event_kit.h"

#include <algorithm>
#include <gtest/gtest.h>

using Lines = std::vector<std::string>;

namespace {

// Whether `lines` has `run` as consecutive lines.
bool has_run(const Lines& lines, const Lines& run)
{
    return std::search(lines.begin(), lines.end(), run.begin(), run.end()) != lines.end();
}

}  // namespace

TEST(FrameSelection, every_index_is_selected_through_its_descriptor_and_set_up)
{
    EventKit kit;
    const char* const names[] = {"Intro",     "Title Screen", "Black Load", "Update Records", "Vostrel 1",
                                 "Vostrel 2", "Coming Soon!", "Continue?",  "How To Play"};
    EXPECT_TRUE(has_run(kit.take_console(), {"Setting frame: 0", "Frame set"}));
    FrameData* const* table = frame_table();
    for (int index = 0; index < game_frame_count; ++index) {
        kit.enter_frame(index);
        EXPECT_TRUE(has_run(kit.take_console(), {"Setting frame: " + std::to_string(index), "Frame set"}))
            << index;
        EXPECT_EQ(kit.frames().data, table[index]);
        EXPECT_EQ(table[index]->frame, &kit.frames());
        EXPECT_EQ(table[index]->name, names[index]);
        // The set-up ran on the entering tick: the frame has its index and
        // layers, and the tick counter has moved past tick 0.
        EXPECT_EQ(kit.frames().index, index);
        EXPECT_FALSE(kit.frames().layers.empty());
        EXPECT_EQ(kit.tick(), 1);
    }
    // The table is made once: later calls give the same descriptors.
    EXPECT_EQ(frame_table(), table);
}

TEST(FrameSelection, entering_the_current_frame_again_runs_its_set_up_again)
{
    EventKit kit;
    kit.enter_frame(1);
    kit.place("TitleStar_43", 10, 10);
    kit.run(3);
    kit.enter_frame(1);
    EXPECT_EQ(kit.tick(), 1);
    // Only the title's own 250 backdrop stars: the placed one went with the
    // old instances.
    EXPECT_EQ(kit.instances(types::TitleStar_43).size(), 250u);
}

TEST(FrameSelection, a_restart_recreates_the_globals_and_enters_the_intro)
{
    EventKit kit;
    kit.enter_frame(5);
    kit.set_global(25, 40);
    kit.set_global(3, 7);
    kit.frames().restart();
    kit.run(1);
    EXPECT_EQ(kit.frames().index, 0);
    EXPECT_EQ(kit.global(25), 100);
    EXPECT_EQ(kit.global(3), 0);
    EXPECT_TRUE(has_run(kit.take_console(), {"Setting frame: 0", "Frame set"}));
}

TEST(FrameSelection, a_frame_change_request_lets_the_rest_of_the_tick_run)
{
    EventKit kit;
    int ran_after_request = 0;
    kit.enter_empty_frame({.handler = [&](Frames& frames) {
        frames.next_frame = 2;
        ++ran_after_request;
    }});
    EXPECT_EQ(ran_after_request, 1);
    kit.run(1);
    EXPECT_EQ(kit.frames().index, 2);
    EXPECT_EQ(ran_after_request, 1);
}
