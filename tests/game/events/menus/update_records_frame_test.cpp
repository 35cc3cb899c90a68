// The Update Records frame: the card is built, runs one tick and hands over
// to the title.
#include "console/pads.h"
#include "tests/support/event_kit.h"

#include <gtest/gtest.h>

namespace {

constexpr int card = 45, record_colon = 49, checker_pattern = 44, fade = 32, records = 26, joystick = 21;

}  // namespace

TEST(UpdateRecords, builds_the_card_and_asks_for_the_title_in_its_first_tick)
{
    EventKit kit;
    kit.enter_frame(3);
    Frames& frames = kit.frames();
    EXPECT_EQ(frames.index, 3);
    EXPECT_EQ(frames.width, 640);
    EXPECT_EQ(frames.height, 480);
    ASSERT_EQ(frames.layers.size(), 2u);
    EXPECT_EQ(frames.next_frame, 1);
    EXPECT_EQ(frames.loops, nullptr);

    // 54 instances; the four backdrops (type 1) are kept by their layer only,
    // and the shared events make the joystick object (type 21) of their own.
    size_t listed = 0;
    for (int type = 2; type < max_object_types; ++type)
        if (type != joystick)
            listed += kit.instances(type).size();
    EXPECT_EQ(listed, 50u);
    EXPECT_EQ(kit.instances(record_colon).size(), 2u);
    EXPECT_EQ(kit.instances(card).size(), 10u);
    EXPECT_EQ(kit.instances(card).front()->get_x(), 465);
    EXPECT_EQ(kit.instances(card).back()->get_x(), 177);
    EXPECT_EQ(kit.instances(checker_pattern).size(), 1u);
    EXPECT_EQ(kit.instance(fade)->layer, &frames.layers[1]);
    EXPECT_EQ(kit.instances(records).size(), 1u);
    EXPECT_EQ(frames.qualifier_3.size(), 4) << "the two colons and the two labels";
    EXPECT_EQ(frames.qualifier_4.size(), 4);
}

TEST(UpdateRecords, lasts_exactly_one_tick_whatever_the_input)
{
    EventKit kit;
    kit.hold(VPAD_BUTTON_A);
    kit.enter_frame(3);
    kit.take_console();
    EXPECT_EQ(kit.frames().next_frame, 1);
    kit.run(1);
    const std::vector<std::string> lines = kit.take_console();
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(lines[0], "Setting frame: 1");
    EXPECT_EQ(lines[1], "Frame set");
    EXPECT_EQ(kit.frames().index, 1);
}

TEST(UpdateRecords, leaves_every_shared_group_off)
{
    EventKit kit;
    kit.frames().global_group_1 = kit.frames().global_group_7 = kit.frames().global_group_12 = true;
    kit.enter_frame(3);
    EXPECT_FALSE(kit.frames().global_group_1);
    EXPECT_FALSE(kit.frames().global_group_7);
}
