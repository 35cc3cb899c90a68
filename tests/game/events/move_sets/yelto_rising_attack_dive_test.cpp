// Yelto's rising attack, its cancel into the dive, and the dive's hover
// and shot.
#include "tests/game/events/move_sets/yelto_stage.h"

#include <gtest/gtest.h>

namespace {

// Yelto's voice for "sound_uppercut0" ... 3; 2 is not registered.
std::vector<unsigned> uppercut_voice(int digit)
{
    constexpr unsigned samples[] = {129, 130, 0, 131};
    return samples[digit] ? std::vector<unsigned>{samples[digit]} : std::vector<unsigned>{};
}

std::vector<unsigned> joined(std::vector<unsigned> a, const std::vector<unsigned>& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

}  // namespace

using YeltoRisingAttack = yelto_test::YeltoStage;

TEST_F(YeltoRisingAttack, launches_once_on_frame_2_and_down_attack_from_frame_5_cancels_into_the_dive)
{
    start(21, 1, 0.5);
    EventKit::set_value(kit.instance(types::PlayerActionValuesA_86), 'A', -6);
    EventKit::set_value(kit.instance(types::PlayerActionValuesB_164), 'O', 1);
    skin()->set_direction(4, true);
    kit.run(1);
    EXPECT_EQ(state(), 24);
    EXPECT_TRUE(skin()->test_animation(28));

    int launches = 0;
    for (int tick = 0; tick < 40 && skin()->get_frame() < 4; ++tick) {
        const int digit = next_draws(1090, 4, 1)[0];
        kit.run(1);
        if (movement('G') != -6)
            continue;
        ++launches;
        EXPECT_EQ(skin()->get_frame(), 2);
        EXPECT_EQ(movement('B'), 2);
        EXPECT_EQ(movement('L'), 0);
        EXPECT_EQ(sounds(), joined(uppercut_voice(digit), {164}));
        EXPECT_EQ(EventKit::value(kit.instance(types::PlayerActionValuesB_164), 'O'), 0);
        ASSERT_EQ(shields().size(), 1u);
        EXPECT_EQ(shields()[0]->get_direction(), 5);
        set_player('G', 0);
    }
    EXPECT_EQ(launches, 1);

    controls({'B', 'L'});
    while (skin()->get_frame() == 4) {
        ASSERT_EQ(mode(), 21);
        kit.run(1);
    }
    EXPECT_EQ(mode(), 19);
    EXPECT_FALSE(kit.frames().level_group_64);
    EXPECT_EQ(other('N'), 0);
    FrameObject* orrun = kit.instance(types::PlayerSkinOrrun_290);
    EXPECT_EQ(EventKit::value(orrun, 'B'), 2);
    EXPECT_FALSE(EventKit::flag(orrun, 1));
}

TEST_F(YeltoRisingAttack, played_out_or_replaced_it_ends_falling_in_mode_1)
{
    start(21, 1);
    for (int tick = 0; tick < 60 && mode() == 21; ++tick)
        kit.run(1);
    EXPECT_EQ(EventKit::values(player(), "ML"), doubles(1, 0));
    EXPECT_EQ(state(), 40);
    EXPECT_TRUE(skin()->test_animation(24));
    EXPECT_EQ(skin()->get_frame(), 6);

    start(21, 1);
    kit.run(1);
    skin()->force_animation(7);
    kit.run(1);
    EXPECT_EQ(mode(), 1);
    EXPECT_EQ(state(), 40);
}

TEST_F(YeltoRisingAttack, the_dive_hovers_fifteen_ticks_against_half_the_gravity_then_shoots_down_and_forward)
{
    for (double facing : {1.0, -1.0}) {
        start(19, 0, 2 * facing, 3);
        set_player('Q', facing);
        set_player('I', 0.5);
        std::vector<double> counts, falls;
        for (int tick = 1; tick <= 15; ++tick) {
            const int digit = next_draws(1075, 4, 1)[0];
            kit.run(1);
            counts.push_back(other('N'));
            falls.push_back(movement('G'));
            const std::vector<unsigned> expected = tick == 1   ? std::vector<unsigned>{187}
                                                   : tick < 15 ? std::vector<unsigned>{}
                                                               : joined(uppercut_voice(digit), {183});
            EXPECT_EQ(sounds(), expected) << tick;
            EXPECT_EQ(state(), tick < 15 ? 8 : 43) << tick;
        }
        EXPECT_EQ(counts, doubles(1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15));
        EXPECT_EQ(falls[0], 2.75);
        EXPECT_EQ(falls[13], -0.5);
        EXPECT_EQ(falls[14], 4.25);
        EXPECT_EQ(EventKit::values(player(), "MB"), doubles(0, 5 * facing));
    }
}
