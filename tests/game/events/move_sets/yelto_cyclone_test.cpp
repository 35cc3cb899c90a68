// Yelto's cyclone: its course left alone, the hidden shield and sparkle,
// the controls on the drift, and each way out of it.
#include "audio/media.h"
#include "tests/game/events/move_sets/yelto_stage.h"

#include <gtest/gtest.h>

using YeltoCyclone = yelto_test::YeltoStage;

TEST_F(YeltoCyclone, left_alone_it_spins_79_ticks_with_one_hidden_shield_and_a_sparkle_and_drifts_up)
{
    kit.place("ShieldInstaShield_187", 10, 10, 1);
    start(26, 0);
    set_meter(50);
    const std::vector<int> scatter = next_draws(1103, 41, 2);
    kit.run(1);
    EXPECT_EQ(state(), 14);
    EXPECT_EQ(EventKit::values(skin(), "IN"), doubles(2, 600));
    EXPECT_EQ(sounds(), std::vector<unsigned>{128});
    EXPECT_EQ(EventKit::values(player(), "TUSG"), doubles(1, 1, 1, -0.15));
    ASSERT_EQ(shields().size(), 2u);
    FrameObject* hidden = shields()[1];
    EXPECT_EQ(EventKit::value(hidden, 'A'), 2);
    EXPECT_EQ(hidden->get_direction(), 8);
    EXPECT_FALSE(hidden->flags & FrameObject::VISIBLE);
    FrameObject* sparkle = kit.instance(types::RingSparkle_179);
    ASSERT_NE(sparkle, nullptr);
    EXPECT_EQ(sparkle->get_x(), 300 + scatter[0] - 20);
    EXPECT_EQ(sparkle->get_y(), 200 + scatter[1] - 20);

    // Two shields stand: no more of them, nor sparkles.
    kit.run(1);
    EXPECT_EQ(shields().size(), 2u);
    EXPECT_EQ(kit.instances(types::RingSparkle_179).size(), 1u);

    int ticks = 2;
    while (mode() == 26 && ticks < 100) {
        kit.run(1);
        ++ticks;
    }
    EXPECT_EQ(ticks, 79);
    EXPECT_EQ(state(), 40);
    EXPECT_EQ(EventKit::value(skin(), 'I'), 0);
    EXPECT_DOUBLE_EQ(meter(), 50 - 19.75);
    EXPECT_NEAR(movement('G'), -0.15 * 79, 1e-9);
    EXPECT_TRUE(sounds().empty());

    // Again while the voice rests: no voice, the rest not renewed.
    EventKit::set_value(skin(), 'N', 12);
    start(26, 0);
    kit.run(1);
    EXPECT_TRUE(sounds().empty());
    EXPECT_EQ(EventKit::value(skin(), 'N'), 12);
}

TEST_F(YeltoCyclone, up_caps_the_fall_down_stops_the_lift_and_neither_works_while_hurt)
{
    start(26, 0, 0, 5);
    controls({'A'});
    kit.run(1);
    EXPECT_EQ(movement('G'), 2);
    controls({'B'});
    kit.run(1);
    EXPECT_EQ(movement('G'), 2);
    set_other('K', 4);
    set_player('G', 5);
    controls({'A'});
    kit.run(1);
    EXPECT_EQ(movement('G'), 5);
}

TEST_F(YeltoCyclone, a_jump_attack_dive_or_boost_leaves_it_and_a_later_exit_wins)
{
    // Jump: 70 % of the lift, the forward speed whole.
    start(26, 1, 4);
    EventKit::set_value(kit.instance(types::PlayerActionValuesA_86), 'A', -6);
    EventKit::set_value(kit.instance(types::PlayerActionValuesB_164), 'O', 1);
    controls({'K'});
    kit.run(1);
    EXPECT_DOUBLE_EQ(movement('G'), -4.2);
    EXPECT_EQ(EventKit::values(player(), "BLM"), doubles(4, 0, 26));
    EXPECT_EQ(EventKit::value(kit.instance(types::PlayerActionValuesB_164), 'O'), 0);
    EXPECT_EQ(sample_count(kit.take_sounds(), 8), 1);

    // Attack: into the strike, the spin's sounds cut.
    start(26, 0);
    controls({'L'});
    media.play_id(7, -1, 1);
    media.play_id(163, -1, 1);
    kit.run(1);
    EXPECT_EQ(mode(), 20);
    EXPECT_FALSE(media.is_sample_playing(7));
    EXPECT_FALSE(media.is_sample_playing(163));

    // Down and attack in the air: the dive, counted from 0.
    start(26, 0);
    set_other('N', 7);
    controls({'B', 'L'});
    kit.run(1);
    EXPECT_EQ(mode(), 19);
    EXPECT_EQ(other('N'), 0);
    EXPECT_EQ(EventKit::value(kit.instance(types::PlayerSkinOrrun_290), 'B'), 2);

    // Attack and special: the spin drains the meter first, so a full one
    // gives the strike; above full, the boost wins.
    start(26, 0);
    set_meter(100);
    controls({'L', 'O'});
    kit.run(1);
    EXPECT_EQ(mode(), 20);
    start(26, 0);
    set_meter(100.25);
    set_other('Q', 1);
    sounds();
    kit.run(1);
    EXPECT_EQ(mode(), 5);
    EXPECT_EQ(other('Q'), 0);
    EXPECT_EQ(sample_count(kit.take_sounds(), 9), 1);
}

TEST_F(YeltoCyclone, the_groups_countdown_runs_in_any_mode_while_not_invulnerable)
{
    start(7, 1);
    set_other('L', 2);
    set_other('E', 1);
    kit.run(1);
    EXPECT_EQ(other('L'), 2);
    set_other('E', 0);
    kit.run(3);
    EXPECT_EQ(other('L'), 0);
}
