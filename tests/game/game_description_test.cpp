// What the game tells the runtime at start-up.
#include "game/frames/frames.h"
#include "game/events/game_description.h"
#include "runtime/values.h"

#include <gtest/gtest.h>

TEST(GameDescription, global_start_values_follow_the_table)
{
    GlobalValues values;
    GlobalStrings strings;
    setup_globals(game_description(), &values, &strings);
    ASSERT_EQ(values.size(), 33u);
    const double expected[33] = {0, 0, 0, 0, 0, 0, 0, 1, 5, 3, 1, 0, 1, 0, 0, 0, 426,
                                 240, 200, 2, 0, 0, 0, 1, 0, 100, 0, 0, 0, 0, 0, 0, 0};
    for (unsigned i = 0; i < 33; ++i)
        EXPECT_EQ(values.get(i), expected[i]) << i;
    ASSERT_EQ(strings.size(), 13u);
    EXPECT_EQ(strings.get(0), "0");
    EXPECT_EQ(strings.get(9), "9");
    EXPECT_EQ(strings.get(10), "NewSlot");
    EXPECT_EQ(strings.get(12).size(), 45u);
    EXPECT_EQ(strings.get(12)[0], ' ');
}

TEST(GameDescription, either_face_button_is_button_1_in_the_two_stage_frames_only)
{
    const GameDescription& game = game_description();
    EXPECT_EQ(game.frames, &game_frames);
    EXPECT_EQ(game.frame_count, 9);
    const int saved = game_frames.index;
    for (int index = -1; index <= 8; ++index) {
        game_frames.index = index;
        EXPECT_EQ(game.either_face_button_is_1(), index == 4 || index == 5) << "frame " << index;
    }
    game_frames.index = saved;
    EXPECT_EQ(game.control_keys[0], 0x40000052);  // the up arrow
    EXPECT_EQ(game.control_keys[7], 13);          // return
}
