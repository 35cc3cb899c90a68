// The frame descriptors and the frame table made from the frames table.
#include "game/events/frame_descriptors.h"

#include <gtest/gtest.h>

TEST(FrameTable, holds_one_descriptor_per_frame_in_index_order_made_once)
{
    const char* const names[] = {"Intro",     "Title Screen", "Black Load", "Update Records", "Vostrel 1",
                                 "Vostrel 2", "Coming Soon!", "Continue?",  "How To Play"};
    ASSERT_EQ(game_frame_count, 9);
    FrameData* const* table = frame_table();
    for (int i = 0; i < game_frame_count; ++i)
        EXPECT_EQ(table[i]->name, names[i]) << i;
    EXPECT_NE(dynamic_cast<Frame1*>(table[0]), nullptr);
    EXPECT_NE(dynamic_cast<Frame9*>(table[8]), nullptr);
    EXPECT_EQ(frame_table(), table);
    EXPECT_EQ(frame_table()[4], table[4]);
}

TEST(FrameTable, selecting_a_frame_runs_the_set_up_of_that_index)
{
    game_frames.set_index(4);
    ASSERT_EQ(game_frames.data, frame_table()[4]);
    EXPECT_EQ(game_frames.data->frame, &game_frames);
    game_frames.data->init();
    EXPECT_EQ(game_frames.index, 4);
    EXPECT_EQ(game_frames.width, Frame::screen_width);
    EXPECT_EQ(game_frames.layers.size(), 1u);
    game_frames.data->on_end();
    EXPECT_TRUE(game_frames.layers.empty());
}
