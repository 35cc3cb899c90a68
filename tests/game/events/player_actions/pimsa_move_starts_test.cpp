// Pimsa's move starts, on foot and on the bike: the kick, the wall move of
// both groups, the pounce tick by tick, and the bike's air action.
#include "tests/game/events/player_actions/move_starts_stage.h"

#include <gtest/gtest.h>

using PimsaMoveStarts = move_starts_test::MoveStartsTest;

TEST_F(PimsaMoveStarts, kick_needs_twenty_energy_spends_none_and_on_the_bike_only_in_the_air)
{
    kit.frames().global_group_6 = true;
    set_meter(19.9);
    play_as(2, 0, 1);
    EXPECT_EQ(after({'O'}), 0);
    set_meter(20);
    play_as(3, 0, 1);
    EXPECT_EQ(after({'O'}), 0);
    play_as(3, 0, 0);
    const unsigned voice = 111 + unsigned(next_draws(828, 3, 1)[0]);
    EXPECT_EQ(after({'O'}), 44);
    EXPECT_EQ(meter(), 20);
    EXPECT_EQ(sample_count(kit.take_sounds(), voice), 1);
}

TEST_F(PimsaMoveStarts, wall_move_from_the_ground_group_leaves_a_pushable_alone_the_airborne_one_a_held_jump)
{
    EventKit::set_value(kit.instance(types::PlayerSensorRightBig_91), 'Z', 1);
    play_as(2, 0, 0);
    EXPECT_EQ(after({'C'}), 0);
    EXPECT_EQ(after({'D'}), 47);
    play_as(2, 0, 0);
    EXPECT_EQ(after({'D'}), 0);  // the skin's wait of 10
    EventKit::set_value(skin(types::PlayerSkinPimsa_324), 'M', 0);
    kit.instance(types::MasterGroupsB_84)->set_global_position(313, 198);
    EXPECT_EQ(after({'D'}), 0);
    play_as(3, 1, 0, 0, -2);
    EXPECT_EQ(after({'D', 'E'}), 1);
    EXPECT_EQ(after({'D'}), 47);
}

TEST_F(PimsaMoveStarts, pounce_holds_six_in_the_facing_direction_until_the_speed_drops_below_one)
{
    play_as(2, 0, 1, 2);
    set_player('Q', 1);
    after({'K'});
    EXPECT_EQ(EventKit::values(player(), "LMB"), doubles(0, 0, 6));  // 5 from the press, then 6
    EXPECT_EQ(state(), 24);
    set_player('B', 8);
    after({'K'});  // no second pounce; a faster one keeps its speed
    EXPECT_EQ(movement('B'), 8);
    set_player('B', 0.5);
    after({});
    EXPECT_EQ(state(), 3);
    EXPECT_FALSE(EventKit::flag(skin(types::PlayerSkinPimsa_324), 12));
    for (int type : {types::PlayerSkinPimsa_324, types::PlayerSkinPimsaTail_323})
        EXPECT_EQ(std::make_pair(sprite(type)->forced_animation, sprite(type)->animation_frame), std::make_pair(24, 6));
    play_as(2, 0, 1, -3);
    set_player('Q', -1);
    after({'K'});
    EXPECT_EQ(movement('B'), -6);
}

TEST_F(PimsaMoveStarts, bike_air_action_turns_every_burst_45_degrees_from_the_bike)
{
    FrameObject* first = kit.place("EffectsWhiteBurst_31", 0, 0, 1);
    FrameObject* second = kit.place("EffectsWhiteBurst_31", 0, 0, 1);
    sprite(types::PlayerSkinPimsaBike_338)->set_angle(30, 0);
    play_as(3, 0, 0);
    set_player('Q', -1);
    set_used_air_actions(1);
    EXPECT_EQ(after({'K'}), 0);
    set_used_air_actions(0);
    EXPECT_EQ(after({'K'}), 32);
    for (FrameObject* burst : {first, second})
        EXPECT_EQ(std::make_pair(burst->get_angle(), static_cast<Active*>(burst)->x_scale), std::make_pair(-15, 0.5f));
}
