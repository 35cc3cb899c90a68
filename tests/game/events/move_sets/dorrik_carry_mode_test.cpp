// Dorrik's carry mode: states by speed, the lower top speed, no flight, a
// charge let go early, and the jump with what he holds.
#include "tests/game/events/move_sets/dorrik_stage.h"

#include <gtest/gtest.h>

#include <tuple>

using DorrikCarryMode = dorrik_test::DorrikStage;

TEST_F(DorrikCarryMode, states_follow_the_speed_at_top_speed_four_and_the_fatigue_is_held_full)
{
    set_skin('F', 1);
    set_player('M', 30);
    // speed, state before -> state after
    for (auto [speed, before, after] : {std::tuple{0.0, 5.0, 0.0}, {3.0, 0.0, 1.0}, {-4.9, 0.0, 1.0},
                                        {-5.0, 0.0, 2.0}, {0.0, 12.0, 12.0}, {0.0, 48.0, 48.0}}) {
        set_player('B', speed);
        set_other('Y', before);
        tick_with({});
        EXPECT_EQ(other('Y'), after) << speed << " " << before;
    }
    set_player('L', 0);
    set_other('Y', 13);
    tick_with({});
    EXPECT_EQ(other('Y'), 0);
    EXPECT_EQ(std::make_tuple(movement('C'), EventKit::value(skin(), 'E'), mode()), std::make_tuple(4.0, 100.0, 30.0));
    // Empty hands in the carry mode carry again.
    set_skin('F', 0);
    tick_with({});
    EXPECT_EQ(hands(), 1);
}

TEST_F(DorrikCarryMode, a_charge_let_go_at_39_is_cancelled_and_at_40_is_kept)
{
    set_player('M', 30);
    set_skin('F', 2);
    set_skin('G', 40);
    tick_with({});
    EXPECT_EQ(std::make_pair(hands(), mode()), std::make_pair(2.0, 30.0));
    set_skin('G', 39);
    tick_with({});
    EXPECT_EQ(std::make_tuple(hands(), mode(), movement('C')), std::make_tuple(0.0, 0.0, 5.0));
}

TEST_F(DorrikCarryMode, the_jump_turns_the_impulse_by_the_ground_angle_and_keeps_the_load)
{
    EventKit::set_value(kit.instance(types::PlayerActionValuesA_86), 'A', -6);
    for (auto [angle, fall, speed] : {std::tuple{0.0, -6.0, 3.0}, {90.0, -3.0, -6.0}}) {
        set_skin('F', 1);
        set_player('M', 30);
        set_player('L', 1);
        set_player('B', 3);
        set_player('N', angle);
        EventKit::set_value(kit.instance(types::PlayerActionValuesA_86), 'C', 0);
        EXPECT_EQ(tick_with({'K'}), std::vector<unsigned>{8});
        EXPECT_EQ(EventKit::values(player(), "GBLMN"), doubles(fall, speed, 0, 1, 0)) << angle;
        EXPECT_EQ(EventKit::value(kit.instance(types::PlayerActionValuesA_86), 'C'), 1);
        EXPECT_FALSE(kit.frames().level_group_58);
        EXPECT_EQ(hands(), 1);
    }
}
