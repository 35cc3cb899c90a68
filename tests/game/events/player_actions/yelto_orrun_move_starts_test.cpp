// Yelto's and Orrun's move starts from the ground group, and Yelto's from
// the airborne group with the air-time count that gates his air action.
#include "tests/game/events/player_actions/move_starts_stage.h"

#include <gtest/gtest.h>

using YeltoOrrunMoveStarts = move_starts_test::MoveStartsTest;

TEST_F(YeltoOrrunMoveStarts, orrun_charges_has_two_air_actions_per_airtime_and_resets_to_five)
{
    play_as(1, 0, 1);
    EventKit::set_value(kit.instance(types::GUIEnergy_76), 'C', 3);
    EXPECT_EQ(after({'O'}), 42);
    EXPECT_EQ(EventKit::value(skin(types::PlayerSkinOrrun_290), 'B'), 3);
    for (double expected : {21, 21, 0}) {
        play_as(1, 0, 0);
        EXPECT_EQ(after({'K'}), expected);
    }
    for (auto [from, to] : {std::pair{9.0, 5.0}, {-6.0, -5.0}, {3.0, 3.0}}) {
        play_as(1, 0, 1, from, 4);
        set_other('N', 2);
        after({});
        EXPECT_EQ(EventKit::values(player(), "BGTUS"), doubles(to, 0, 1, 1, 1)) << from;
    }
}

TEST_F(YeltoOrrunMoveStarts, yelto_up_move_on_the_ground_overrides_the_second_button_move)
{
    play_as(0, 0, 1);
    set_used_air_actions(1);
    EXPECT_EQ(after({'A', 'L'}), 20);
    set_used_air_actions(0);
    play_as(0, 0, 1);
    EXPECT_EQ(after({'A', 'L'}), 21);
    EXPECT_FALSE(kit.frames().level_group_58);
}

TEST_F(YeltoOrrunMoveStarts, airborne_air_action_comes_on_the_third_tick_and_the_count_stops_at_ten)
{
    play_as(0, 1, 0, 0, 4);
    std::vector<double> air_time, modes;
    for (int tick = 0; tick < 3; ++tick) {
        modes.push_back(after({'K'}));
        air_time.push_back(other('P'));
    }
    EXPECT_EQ(air_time, doubles(1, 2, 3));
    EXPECT_EQ(modes, doubles(1, 1, 26));
    EXPECT_EQ(movement('G'), -3);
    play_as(0, 1, 0);
    set_other('P', 9);
    after({});
    after({});
    EXPECT_EQ(other('P'), 10);
    set_player('L', 1);
    after({});
    EXPECT_EQ(other('P'), 0);
}

TEST_F(YeltoOrrunMoveStarts, airborne_energy_downward_and_underwater_moves)
{
    play_as(0, 1, 0);
    set_meter(99.9);
    EXPECT_EQ(after({'O'}), 1);
    set_meter(100);
    EXPECT_EQ(after({'O'}), 5);
    // Held back in state 43, which only a lock keeps from settling to 3 first.
    play_as(0, 1, 0);
    set_player('R', 1);
    set_other('Y', 43);
    EXPECT_EQ(after({'B', 'L'}), 1);
    set_other('Y', 3);
    EXPECT_EQ(after({'B', 'L'}), 19);
    play_as(0, 1, 0);
    EXPECT_EQ(after({'A', 'L'}), 1);
    set_other('H', 1);
    EXPECT_EQ(after({'A', 'L'}), 21);
    EXPECT_FALSE(kit.frames().level_group_42);
}
