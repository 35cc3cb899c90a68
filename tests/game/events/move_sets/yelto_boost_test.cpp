// Yelto's boost: the charge, the aim, the launch each way and the flight
// until the meter is empty or a spring takes over.
#include "tests/game/events/move_sets/yelto_stage.h"

#include <gtest/gtest.h>

using YeltoBoost = yelto_test::YeltoStage;

TEST_F(YeltoBoost, hovers_thirty_ticks_launches_up_the_new_way_and_flies_until_the_meter_is_empty)
{
    start(5, 0, 3, 4);
    set_meter(100);
    set_other('E', 10);
    set_player('I', 0.5);
    EventKit::set_value(skin(), 'K', 5);
    controls({'A', 'C'});  // up wins over the facing's level aim
    for (int tick = 1; tick <= 29; ++tick) {
        kit.run(1);
        ASSERT_EQ(other('N'), tick);
        ASSERT_EQ(EventKit::values(player(), "BGSMQ"), doubles(0, 0, 0, 5, -1)) << tick;
        ASSERT_EQ(EventKit::values(kit.instance(types::PlayerOthers_75), "YQDE"), doubles(8, -1, 1, 30)) << tick;
    }
    EXPECT_EQ(meter(), 100);
    media.play_id(9, -1, 1);
    ASSERT_TRUE(media.is_sample_playing(9));
    sounds();

    kit.run(1);
    EXPECT_EQ(sounds(), std::vector<unsigned>{47});
    EXPECT_FALSE(media.is_sample_playing(9));
    EXPECT_EQ(EventKit::values(player(), "BGLSI"), doubles(-8, -8, 0, 0, 0));
    EXPECT_EQ(other('N'), 31);
    EXPECT_EQ(state(), 7);
    EXPECT_EQ(EventKit::value(skin(), 'K'), 0);
    EXPECT_EQ(meter(), 97);

    // Three a tick from the launch on: the 34th tick empties it.
    std::vector<double> energy;
    for (int tick = 2; tick <= 34; ++tick) {
        EXPECT_EQ(mode(), 5) << tick;
        kit.run(1);
        energy.push_back(meter());
    }
    EXPECT_EQ(energy[0], 94);
    EXPECT_EQ(energy[31], 1);
    EXPECT_EQ(energy[32], 0);
    EXPECT_FALSE(kit.frames().level_group_10);
    EXPECT_EQ(EventKit::values(player(), "MSBG"), doubles(1, 1, -8, -8));
    EXPECT_EQ(EventKit::value(kit.instance(types::PlayerActionValuesB_164), 'O'), 1);
    // An empty meter leaves the state and the counter as the flight had them.
    EXPECT_EQ(state(), 7);
    EXPECT_EQ(other('N'), 31);
    kit.run(1);
    EXPECT_EQ(meter(), 0);
    EXPECT_TRUE(sounds().empty());
}

TEST_F(YeltoBoost, level_and_downward_launches_keep_speed_and_the_ground_holds_ten_the_way_faced)
{
    // Level to the right, already faster than 12: the speed stays.
    start(5, 1, 14);
    set_meter(100);
    set_other('N', 28);  // the aim is read while the counter is below 30
    controls({'D'});
    kit.run(2);
    EXPECT_EQ(EventKit::values(player(), "BGQ"), doubles(14, 0, 1));
    EXPECT_EQ(other('N'), 31);
    set_player('B', 3);
    kit.run(1);
    EXPECT_EQ(movement('B'), 10);

    // Level to the left from a crawl on the ground: -12, then held at -10 or more.
    start(5, 1, 2);
    set_other('N', 28);
    controls({'C'});
    kit.run(2);
    EXPECT_EQ(EventKit::values(player(), "BQ"), doubles(-12, -1));
    set_player('B', -4);
    kit.run(1);
    EXPECT_EQ(movement('B'), -10);

    // Up from the ground: 12 the way faced, rising 8, airborne at once, so
    // the flight's cap for rising in the air (8) holds on the same tick.
    start(5, 1);
    set_other('N', 28);
    controls({'A', 'D'});
    kit.run(2);
    EXPECT_EQ(EventKit::values(player(), "BGL"), doubles(8, -8, 0));

    // Down in the air: 8 the way faced, falling 8.
    start(5, 0);
    set_other('N', 28);
    controls({'B', 'C'});
    kit.run(2);
    EXPECT_EQ(EventKit::values(player(), "BGLQ"), doubles(-8, 8, 0, -1));
}

TEST_F(YeltoBoost, hurt_holds_the_drain_a_spring_ends_it_falling_and_no_facing_never_launches)
{
    start(5, 0, 12, 0);
    set_meter(60);
    set_other('N', 31);
    set_other('K', 3);
    set_player('I', 0.5);
    kit.run(1);
    EXPECT_EQ(meter(), 60);
    EXPECT_EQ(movement('I'), 0.5);
    set_other('K', 0);
    kit.run(1);
    EXPECT_EQ(meter(), 57);
    EXPECT_EQ(movement('I'), 0);

    set_other('O', 5);
    kit.run(1);
    EXPECT_EQ(meter(), 54);
    EXPECT_EQ(EventKit::values(kit.instance(types::PlayerOthers_75), "NY"), doubles(0, 40));
    EXPECT_EQ(EventKit::values(player(), "MS"), doubles(1, 1));
    set_other('O', 0);

    // Facing neither way with a level aim: stuck on the launch tick, whose
    // sound starts again every tick.
    start(5, 0);
    set_player('Q', 0);
    set_other('N', 30);
    set_other('Q', 0);
    sounds();
    kit.run(2);
    EXPECT_EQ(sounds(), (std::vector<unsigned>{47, 47}));
    EXPECT_EQ(other('N'), 30);
    EXPECT_EQ(movement('B'), 0);
}
