// Dorrik's move starts, Hespin's hover tick by tick with its ends and the
// ground dash, and the airborne group's state events.
#include "tests/game/events/player_actions/move_starts_stage.h"

#include <gtest/gtest.h>

using DorrikHespinMoveStarts = move_starts_test::MoveStartsTest;

TEST_F(DorrikHespinMoveStarts, dorrik_moves_need_their_skin_values)
{
    play_as(4, 0, 1);
    EventKit::set_value(skin(types::PlayerSkinDorrik_339), 'F', 1);
    EXPECT_EQ(after({'O'}), 0);
    EventKit::set_value(skin(types::PlayerSkinDorrik_339), 'F', 0);
    EXPECT_EQ(after({'O'}), 31);
    play_as(4, 0, 0, 0, -1);  // jump held only while not rising
    EXPECT_EQ(after({'E'}), 0);
    play_as(4, 0, 0, 0, 0);
    EXPECT_EQ(after({'E'}), 22);
}

TEST_F(DorrikHespinMoveStarts, hover_spends_two_a_tick_lifts_to_minus_five_and_ends_by_its_speed)
{
    Active* hespin = sprite(types::PlayerSkinHespin_351);
    play_as(5, 0, 0, 0, 0);
    set_meter(100);
    std::vector<double> fall, energy;
    for (int tick = 0; tick < 12; ++tick) {
        after({'E'});
        fall.push_back(movement('G'));
        energy.push_back(meter());
    }
    EXPECT_EQ(fall, doubles(0, -0.5, -1, -1.5, -2, -2.5, -3, -3.5, -4, -4.5, -5, -5));
    EXPECT_EQ(energy, doubles(98, 96, 94, 92, 90, 88, 86, 84, 82, 80, 78, 76));
    // Released while rising fast: the animation is left alone; slower, the
    // skin falls from frame 6 of animation 24.
    const int shown = hespin->forced_animation;
    after({});
    EXPECT_EQ(std::make_pair(state(), hespin->forced_animation), std::make_pair(3.0, shown));
    set_other('Y', 14);
    set_player('G', -1);
    after({});
    EXPECT_EQ(std::make_tuple(state(), hespin->forced_animation, hespin->animation_frame), std::make_tuple(3.0, 24, 6));
    // With 3 energy: 1, then -1 and the hover is over in that tick.
    play_as(5, 0, 0, 0, 1);
    set_meter(3);
    after({'E'});
    after({'E'});
    EXPECT_EQ(std::make_tuple(meter(), movement('G'), state()), std::make_tuple(-1.0, 0.5, 3.0));
}

TEST_F(DorrikHespinMoveStarts, ground_dash_sets_seven_the_facing_way_with_a_burst_and_empties_the_meter)
{
    set_meter(50);
    play_as(5, 0, 1, -7);
    after({'B', 'K'});
    play_as(5, 0, 0, 6.9);
    after({'B', 'K'});
    EXPECT_TRUE(kit.instances(types::EffectsWhiteBurst_31).empty());
    play_as(5, 0, 1, 6.9);
    set_player('Q', -1);
    after({'B', 'K'});
    EXPECT_EQ(std::make_pair(movement('B'), meter()), std::make_pair(-7.0, 0.0));
    EXPECT_EQ(sample_count(kit.take_sounds(), 52), 1);
    FrameObject* burst = kit.instance(types::EffectsWhiteBurst_31);
    ASSERT_TRUE(burst);
    EXPECT_EQ(std::make_tuple(burst->get_x(), burst->get_y(), layer_index(*burst)), std::make_tuple(300, 200, 1));
}

TEST_F(DorrikHespinMoveStarts, airborne_state_settles_to_three_or_holds_twenty_six_under_water)
{
    play_as(0, 1, 0);
    for (auto [from, to] : {std::pair{24.0, 3.0}, {8.0, 8.0}, {12.0, 12.0}, {26.0, 3.0}}) {
        set_other('Y', from);
        after({});
        EXPECT_EQ(std::make_pair(state(), movement('Z')), std::make_pair(to, from == 8 ? 1.0 : 0.0)) << from;
    }
    set_player('R', 1);
    set_other('Y', 24);
    set_other('H', 1);
    after({});
    EXPECT_EQ(state(), 26);
    set_other('Y', 9);
    after({});
    EXPECT_EQ(state(), 9);
    set_other('H', 0);
    set_other('Y', 26);
    after({});
    EXPECT_EQ(state(), 3);
}
