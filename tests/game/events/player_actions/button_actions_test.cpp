// The second and third buttons from the ground group, and the hidden
// insta-shield of state 43.
#include "tests/game/events/player_actions/move_starts_stage.h"

#include <gtest/gtest.h>

using ButtonActions = move_starts_test::MoveStartsTest;

TEST_F(ButtonActions, second_button_starts_mode_20_for_all_but_hespin_and_yelto_holding_down)
{
    for (double character : {1, 2, 3, 4, 0}) {
        play_as(character, 0, 1);
        set_flag(skin(types::PlayerSkinOrrun_290), 1, true);
        EXPECT_EQ(after({'L'}), 20) << character;
        EXPECT_FALSE(EventKit::flag(skin(types::PlayerSkinOrrun_290), 1));
    }
    play_as(5, 0, 1);
    EXPECT_EQ(after({'L'}), 0);
    play_as(0, 0, 1);
    EXPECT_EQ(after({'L', 'B'}), 0);
}

TEST_F(ButtonActions, yelto_energy_action_needs_a_full_meter_and_his_air_actions_come_once_per_airtime)
{
    play_as(0, 0, 1);
    set_meter(99.9);
    EXPECT_EQ(after({'O'}), 0);
    set_meter(100);
    EXPECT_EQ(after({'O'}), 5);
    EXPECT_EQ(sample_count(kit.take_sounds(), 9), 1);
    EXPECT_EQ(EventKit::value(skin(types::PlayerSkinYelto_102), 'K'), 10);
    EXPECT_EQ(meter(), 100);
    // Jump after ten ticks off the ground: up at least 3, or still with down held.
    play_as(0, 0, 0, 0, 2);
    set_other('P', 9);
    EXPECT_EQ(after({'K'}), 0);
    set_other('P', 10);
    EXPECT_EQ(after({'K'}), 26);
    EXPECT_EQ(movement('G'), -3);
    play_as(0, 0, 0, 0, -5);
    EXPECT_EQ(after({'K', 'B'}), 0);
    set_used_air_actions(0);
    EXPECT_EQ(after({'K', 'B'}), 26);
    EXPECT_EQ(movement('G'), 0);
    // Down and the second button: mode 26 on the ground from speed 2, 19 in the air.
    set_used_air_actions(0);
    play_as(0, 0, 1, 1.9);
    EXPECT_EQ(after({'B', 'L'}), 0);
    play_as(0, 0, 1, -2);
    EXPECT_EQ(after({'B', 'L'}), 26);
    play_as(0, 0, 0);
    EXPECT_EQ(after({'B', 'L'}), 19);
}

TEST_F(ButtonActions, insta_shield_is_made_hidden_at_the_player_one_at_a_time_and_scatters_the_sparkles)
{
    FrameObject* older = kit.place("RingSparkle_179", 100, 100, 1);
    FrameObject* newer = kit.place("RingSparkle_179", 400, 50, 1);
    play_as(0, 0, 1);
    set_player('Q', 1);
    set_other('Y', 43);
    const std::vector<int> r = next_draws(822, 41, 4);
    after({});
    after({});
    std::vector<FrameObject*> shields = kit.instances(types::ShieldInstaShield_187);
    ASSERT_EQ(shields.size(), 1u);
    FrameObject* shield = shields[0];
    EXPECT_EQ(std::make_tuple(shield->get_x(), shield->get_y(), layer_index(*shield), shield->get_direction()),
              std::make_tuple(300, 200, 1, 7));
    EXPECT_FALSE(shield->flags & FrameObject::VISIBLE);
    // The newest sparkle takes the first two draws.
    EXPECT_EQ(std::make_pair(newer->get_x(), newer->get_y()), std::make_pair(380 + r[0], 30 + r[1]));
    EXPECT_EQ(std::make_pair(older->get_x(), older->get_y()), std::make_pair(80 + r[2], 80 + r[3]));
    shield->FrameObject::destroy();  // gone at once, without its disappearing animation
    set_player('Q', -1);
    after({});
    EXPECT_EQ(kit.instance(types::ShieldInstaShield_187)->get_direction(), 9);
}
