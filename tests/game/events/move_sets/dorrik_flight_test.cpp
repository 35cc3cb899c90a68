// Dorrik's flight: the climb, the fatigue and the wing beats tick by tick,
// and its two ends.
#include "tests/game/events/move_sets/dorrik_stage.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>

using DorrikFlight = dorrik_test::DorrikStage;


TEST_F(DorrikFlight, the_climb_builds_to_two_the_second_tick_tires_by_twenty_and_fatigue_ends_it_on_tick_89)
{
    set_player('M', 22);
    set_player('L', 0);
    std::vector<double> counts, climbs, yelto_i;
    std::vector<unsigned> sounds;
    int ticks = 0;
    std::vector<int> beat_ticks;
    while (mode() == 22 && ticks < 120) {
        const std::vector<unsigned> started = tick_with({'E'});
        ++ticks;
        if (ticks <= 5) {
            counts.push_back(other('N'));
            climbs.push_back(movement('G'));
            yelto_i.push_back(EventKit::value(kit.instance(types::PlayerSkinYelto_102), 'I'));
            sounds.insert(sounds.end(), started.begin(), started.end());
        }
        if (std::count(started.begin(), started.end(), 125u) > 0)
            beat_ticks.push_back(ticks);
        if (mode() == 22) {
            EXPECT_EQ(std::make_tuple(other('Y'), movement('L'), movement('S'), EventKit::flag(skin(), 10)),
                      std::make_tuple(14.0, 0.0, 1.0, true));
        }
    }
    EXPECT_EQ(counts, doubles(1, 3, 4, 5, 6));
    EXPECT_EQ(climbs, doubles(-0.5, -1, -1.5, -2, -2));
    EXPECT_EQ(yelto_i, doubles(78, 74, 72, 70, 68));
    EXPECT_EQ(sounds, std::vector<unsigned>{155});  // the attack voice on the second tick
    // Fatigue 0.9, then 21.8, then 0.9 a tick: 100 is reached on tick 89.
    EXPECT_EQ(ticks, 89);
    ASSERT_FALSE(beat_ticks.empty());
    EXPECT_GE(beat_ticks.front(), 15);  // N passes 15 on tick 14
    for (size_t k = 1; k < beat_ticks.size(); ++k)
        EXPECT_EQ(beat_ticks[k] - beat_ticks[k - 1], 6);
    EXPECT_EQ(std::make_tuple(mode(), other('Y'), movement('V')), std::make_tuple(0.0, 3.0, 1.0));
    for (int type : {types::PlayerSkinDorrik_339, types::PlayerSkinYelto_102}) {
        auto* sprite = static_cast<Active*>(kit.instance(type));
        EXPECT_EQ(std::make_pair(sprite->forced_animation, sprite->animation_frame), std::make_pair(24, 6)) << type;
    }
    // The tail's fall has a single frame.
    EXPECT_EQ(static_cast<Active*>(kit.instance(types::PlayerSkinDorrikTail_342))->forced_animation, 24);
}

TEST_F(DorrikFlight, letting_go_of_jump_ends_the_flight_after_one_step_and_a_worn_out_flier_lands_on_tick_two)
{
    set_player('M', 22);
    set_player('L', 0);
    tick_with({});
    EXPECT_EQ(std::make_tuple(mode(), other('Y'), movement('G'), EventKit::value(skin(), 'E')),
              std::make_tuple(0.0, 3.0, -0.5, 0.9));
    // The flight marker is cleared on the next tick out of mode 22.
    tick_with({});
    EXPECT_FALSE(EventKit::flag(skin(), 10));

    set_player('M', 22);
    set_other('N', 0);
    set_skin('E', 79);
    tick_with({'E'});
    EXPECT_EQ(mode(), 22);
    tick_with({'E'});
    EXPECT_EQ(std::make_pair(mode(), other('Y')), std::make_pair(0.0, 3.0));
}
