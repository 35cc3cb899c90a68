// Dorrik's orb: held while charging, ready at a charge of 40, lobbed when
// the hands empty, bursting on an enemy, and the states of the special.
#include "tests/game/events/move_sets/dorrik_stage.h"

#include <gtest/gtest.h>

#include <tuple>

using DorrikOrb = dorrik_test::DorrikStage;

TEST_F(DorrikOrb, a_held_orb_turns_ready_only_at_forty_then_flies_falls_and_bursts_on_an_enemy)
{
    kit.place("PlayerStartingPoint_160", 40, 60, 1);
    tick_with({});
    // Idle: hidden and parked at the start point.
    EXPECT_EQ(std::make_tuple(shown(orb()), orb()->get_x(), orb()->get_y()), std::make_tuple(false, 40, 60));
    set_player('M', 30);
    set_skin('F', 2);
    set_skin('G', 41);  // past 40: never ready
    tick_with({});
    const int ax = skin()->get_action_x(), ay = skin()->get_action_y();
    EXPECT_EQ(std::make_tuple(orb_state(), shown(orb()), orb()->forced_animation, orb()->get_x(), orb()->get_y()),
              std::make_tuple(0.0, true, 7, ax, ay - 15));
    set_skin('G', 40);
    EXPECT_EQ(tick_with({}), std::vector<unsigned>{194});
    EXPECT_EQ(std::make_pair(orb_state(), orb()->forced_animation), std::make_pair(1.0, 10));
    // Ready: the launch speed B + 3 Q along the ground, every tick.
    set_player('B', 2);
    set_player('O', 90);
    tick_with({'F'});
    EXPECT_EQ(EventKit::values(orb(), "XY"), doubles(0, -5));
    set_player('O', 0);
    set_player('Q', -1);
    set_player('B', 0.5);
    tick_with({'F'});
    EXPECT_EQ(EventKit::values(orb(), "XY"), doubles(-2.5, 0));
    // Empty hands launch it with the last tick's speed; each tick moves it by
    // the truncated sum and adds 0.25 to the fall.
    const int x0 = orb()->get_x(), y0 = orb()->get_y();
    set_skin('F', 0);
    set_player('B', 9);
    tick_with({});
    EXPECT_EQ(orb_state(), 2);
    std::vector<double> xs, ys, falls;
    for (int step = 0; step < 4; ++step) {
        xs.push_back(orb()->get_x() - x0);
        ys.push_back(orb()->get_y() - y0);
        falls.push_back(EventKit::value(orb(), 'Y'));
        tick_with({});
    }
    EXPECT_EQ(xs, doubles(-3, -6, -9, -12));  // 297.5 truncates to 297
    EXPECT_EQ(ys, doubles(0, 0, 0, 0));
    EXPECT_EQ(falls, doubles(0.25, 0.5, 0.75, 1.0));
    // Into an enemy: a burst where the orb is, the burst sound once, 21 ticks
    // hidden, small bursts on ticks whose counter is a multiple of 5.
    FrameObject* enemy = kit.place("EnemyPokkol_138", orb()->get_x() - 2, orb()->get_y() + 1, 1);
    std::vector<unsigned> sounds;
    std::vector<int> burst_ticks;
    int ticks = 0;
    for (; ticks < 30 && (ticks == 0 || orb_state() == 3); ++ticks) {
        kit.set_global(3, 1 + ticks);
        const size_t bursts = kit.instances(types::EffectsWhiteBurst_31).size();
        for (unsigned id : tick_with({}))
            sounds.push_back(id);
        if (kit.instances(types::EffectsWhiteBurst_31).size() > bursts)
            burst_ticks.push_back(1 + ticks);
        if (ticks == 0)
            enemy->destroy();
        EXPECT_FALSE(shown(orb()));
    }
    EXPECT_EQ(ticks, 21);
    EXPECT_EQ(sounds, std::vector<unsigned>{195});
    // The full burst on entry, then small ones where the counter is a multiple of 5.
    EXPECT_EQ(burst_ticks, (std::vector<int>{1, 5, 10, 15, 20}));
    tick_with({});
    EXPECT_EQ(std::make_pair(orb()->get_x(), orb()->get_y()), std::make_pair(40, 60));
}

TEST_F(DorrikOrb, a_charge_released_early_out_of_the_carry_mode_is_cancelled_and_a_stray_orb_goes_idle)
{
    // In the air (mode 1); mode 0 would be turned into the carry mode first.
    set_player('M', 1);
    set_skin('F', 2);
    set_skin('G', 39);
    tick_with({});
    EXPECT_EQ(std::make_tuple(hands(), mode(), movement('C')), std::make_tuple(0.0, 0.0, 5.0));
    set_player('M', 1);
    set_skin('F', 2);
    set_skin('G', 40);
    tick_with({});
    EXPECT_EQ(hands(), 2);
    // A dropped orb with no speed falls straight down from the hold point,
    // and leaving the playfield makes it idle.
    set_orb('A', 2);
    set_orb('X', 0);
    set_orb('Y', 0);
    orb()->set_global_position(500, 990);
    set_skin('F', 0);
    int y = orb()->get_y(), ticks = 0;
    for (; ticks < 30 && orb_state() == 2; ++ticks) {
        tick_with({});
        EXPECT_EQ(orb()->get_x(), 500);
        EXPECT_GE(orb()->get_y(), y);
        y = orb()->get_y();
    }
    EXPECT_LT(ticks, 30);
    EXPECT_EQ(orb_state(), 0);
}

TEST_F(DorrikOrb, the_special_hovers_above_the_player_plays_five_then_eight_and_cools_down)
{
    // A press of the special with the orb ready (and so fully charged).
    set_player('M', 30);
    set_skin('F', 2);
    set_skin('G', 40);
    set_orb('A', 1);
    EXPECT_EQ(tick_with({'O'}), std::vector<unsigned>{200});
    EXPECT_EQ(std::make_tuple(mode(), orb_state(), orb()->forced_animation, shown(orb())),
              std::make_tuple(31.0, 4.0, 2, false));
    EXPECT_EQ(EventKit::values(orb(), "DEF"), doubles(orb()->get_x(), orb()->get_y(), 0));
    // State 4 ends as soon as the mode is not 31.
    set_player('M', 0);
    set_skin('F', 0);
    tick_with({});
    EXPECT_EQ(orb_state(), 0);

    FrameObject* player_object = kit.instance(types::Player_87);
    player_object->set_global_position(400, 300);
    set_player('O', 90);
    set_orb('A', 5);
    orb()->force_animation(5);
    std::vector<int> animations;
    int ticks = 0;
    for (; orb_state() == 5 && ticks < 60; ++ticks) {
        tick_with({});
        if (orb()->test_animation(5)) {
            EXPECT_EQ(EventKit::values(orb(), "FH"), doubles(0.5, 6));  // F = 0, then + 0.5
        }
        if (animations.empty() || animations.back() != orb()->forced_animation)
            animations.push_back(orb()->forced_animation);
        if (orb_state() == 5) {
            EXPECT_EQ(std::make_pair(orb()->get_x(), orb()->get_y()), std::make_pair(388, 300));
        }
    }
    EXPECT_EQ(animations, (std::vector<int>{5, 8}));
    EXPECT_EQ(std::make_tuple(orb_state(), shown(orb()), EventKit::value(orb(), 'H')), std::make_tuple(6.0, false, 4.0));  // H back to 4 out of state 5
    // Cooldown: F counted 1 on the entry tick, then 2 .. 11, then idle.
    EXPECT_EQ(EventKit::value(orb(), 'F'), 1);
    int cooldown = 0;
    for (; orb_state() == 6 && cooldown < 30; ++cooldown)
        tick_with({});
    EXPECT_EQ(cooldown, 10);
}
