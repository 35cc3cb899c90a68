// The Update Records frame: the card is built, runs one tick whatever the
// input and hands over to the title.
#include "console/pads.h"
#include "tests/support/event_kit.h"

#include <gtest/gtest.h>

TEST(UpdateRecords, builds_the_card_with_every_shared_group_off_and_lasts_exactly_one_tick)
{
    EventKit kit;
    kit.frames().global_group_1 = kit.frames().global_group_7 = kit.frames().global_group_12 = true;
    kit.hold(VPAD_BUTTON_A);
    kit.enter_frame(3);
    Frames& frames = kit.frames();
    EXPECT_FALSE(frames.global_group_1);
    EXPECT_FALSE(frames.global_group_7);
    // The card's ten pieces, right to left, and the fade on the top layer.
    ASSERT_EQ(kit.instances(types::Card_55).size(), 10u);
    EXPECT_EQ(kit.instances(types::Card_55).front()->get_x(), 465);
    EXPECT_EQ(kit.instances(types::Card_55).back()->get_x(), 177);
    EXPECT_EQ(kit.instance(types::Fade_40)->layer, &frames.layers[1]);
    EXPECT_EQ(frames.qualifier_3.size(), 4) << "the two colons and the two labels";

    kit.take_console();
    EXPECT_EQ(frames.next_frame, 1);
    kit.run(1);
    const std::vector<std::string> lines = kit.take_console();
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(lines[0], "Setting frame: 1");
    EXPECT_EQ(lines[1], "Frame set");
    EXPECT_EQ(frames.index, 1);
}
