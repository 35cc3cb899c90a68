// Dorrik's dig: the power pumped by presses, the progress, the puffs, the
// petal, the end and its sounds, the aborts and a box lifted instead.
#include "game/objects/class_lookup.h"
#include "objects/counter.h"
#include "tests/game/events/move_sets/dorrik_stage.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>

namespace {

class DorrikDig : public dorrik_test::DorrikStage {
protected:
    void SetUp() override
    {
        DorrikStage::SetUp();
        // Ground under and ahead of the feet, the hole picture out of the way.
        const int floor_top = skin()->get_box_index(3) + 1;
        for (int x = 0; x < 1024; x += 128)
            kit.frames().add_background_object(create_object("LevelBackdrop02_142", x, floor_top), 1);
        dig()->set_global_position(1500, 900);
        set_player('M', 27);
        set_skin('A', 20);
    }

    Active* dig() { return static_cast<Active*>(kit.instance(types::PlayerDig_344)); }
};

}  // namespace

TEST_F(DorrikDig, without_presses_the_power_runs_out_in_twenty_ticks_and_the_dig_ends_quietly)
{
    std::vector<double> power;
    std::vector<unsigned> sounds;
    for (int tick = 0; tick < 20; ++tick) {
        for (unsigned id : tick_with({}))
            sounds.push_back(id);
        power.push_back(EventKit::value(skin(), 'A'));
        if (tick == 0) {
            // The speed is forced from the power before the power drops: 5 + 20 / 2.
            const int forced = skin()->forced_speed;
            skin()->force_speed(15);
            EXPECT_EQ(std::make_pair(other('Y'), forced), std::make_pair(15.0, skin()->forced_speed));
        }
    }
    EXPECT_EQ(power, doubles(19, 18, 17, 16, 15, 14, 13, 12, 11, 10, 9, 8, 7, 6, 5, 4, 3, 2, 1, 0));
    EXPECT_EQ(sounds, std::vector<unsigned>{});
    EXPECT_EQ(std::make_tuple(mode(), other('Y'), EventKit::value(skin(), 'B'), EventKit::flag(skin(), 1)),
              std::make_tuple(3.0, 5.0, 0.0, false));
    EXPECT_EQ(std::make_pair(skin()->forced_animation, skin()->animation_frame), std::make_pair(10, 2));
}

TEST_F(DorrikDig, a_press_every_five_ticks_keeps_the_power_strong_and_finishes_after_121_ticks_with_puffs)
{
    std::vector<unsigned> sounds;
    for (int tick = 0; tick < 121; ++tick) {
        for (unsigned id : tick_with(tick % 5 == 0 ? std::vector<char>{'L'} : std::vector<char>{}))
            sounds.push_back(id);
        ASSERT_GT(EventKit::value(skin(), 'A'), 25) << tick;
        ASSERT_EQ(EventKit::value(skin(), 'B'), tick + 1);
        ASSERT_EQ(EventKit::flag(skin(), 1), tick == 120) << tick;
    }
    EXPECT_EQ(EventKit::value(skin(), 'A'), 50);  // the last tick had a press
    EXPECT_GT(std::count(sounds.begin(), sounds.end(), 139u), 0);
    EXPECT_GT(std::count(sounds.begin(), sounds.end(), 138u), 0);
    // The last puff put the picture beside the skin, showing the progress.
    EXPECT_EQ(dig()->get_x(), skin()->get_x() + 12);
    EXPECT_EQ(dig()->get_frame(), 4);  // 121 / 24 = 5, past the last of its five frames
    EXPECT_TRUE(shown(dig()));
}

TEST_F(DorrikDig, a_finished_dig_unearths_one_petal_and_ends_with_a_dig_voice_else_with_sample_137)
{
    auto* petals = static_cast<Counter*>(kit.instance(types::GUIRings_74));
    petals->value = 7;
    set_flag(skin(), 1, true);
    set_skin('C', 0);
    tick_with({});
    ASSERT_EQ(kit.instances(types::ObjectPetal_117).size(), 1u);
    FrameObject* petal = kit.instance(types::ObjectPetal_117);
    EXPECT_EQ(std::make_tuple(EventKit::value(petal, 'A'), EventKit::flag(petal, 2), petal->get_x(), petal->get_y()),
              std::make_tuple(2.0, true, 1500, 900));
    EXPECT_TRUE(EventKit::flag(dig(), 1));
    tick_with({});
    EXPECT_EQ(kit.instances(types::ObjectPetal_117).size(), 1u);
    // The voice line drawn from the dig's seed group: 140, 142, 143 or 144.
    RandomState draws = event_random_state(1329);
    const unsigned voices[] = {140, 142, 143, 144};
    const unsigned expected = voices[(4u * draws.step()) >> 15];
    set_skin('A', 1);
    EXPECT_EQ(tick_with({}), std::vector<unsigned>{expected});

    // C = 1, or eight petals held: no petal, and sample 137 at the end.
    for (auto [find, held] : {std::pair{1.0, 0.0}, {0.0, 8.0}}) {
        set_flag(dig(), 1, false);
        set_player('M', 27);
        set_skin('A', 1);
        set_skin('C', find);
        petals->value = held;
        EXPECT_EQ(tick_with({}), std::vector<unsigned>{137});
        EXPECT_EQ(kit.instances(types::ObjectPetal_117).size(), 1u);
    }
}

TEST_F(DorrikDig, a_slope_stops_the_dig_moving_aborts_it_and_a_resting_box_underfoot_is_lifted)
{
    set_player('O', 10);
    tick_with({'L'});
    EXPECT_EQ(std::make_tuple(EventKit::flag(skin(), 1), EventKit::value(skin(), 'C'), EventKit::value(skin(), 'A')),
              std::make_tuple(true, 1.0, 39.0));  // the press comes before the stop
    set_player('O', 0);
    set_player('B', 0.5);
    tick_with({});
    EXPECT_EQ(mode(), 0);

    FrameObject* thrown = place_on_sensor("MonitorCrate_126", types::PlayerSensorBottomBig_95);
    EventKit::set_value(thrown, 'A', 2);
    set_player('B', 0);
    set_player('M', 27);
    tick_with({});
    EXPECT_EQ(std::make_pair(mode(), hands()), std::make_pair(27.0, 0.0));
    FrameObject* resting = place_on_sensor("MonitorRings_119", types::PlayerSensorBottomBig_95);
    tick_with({});
    EXPECT_EQ(std::make_tuple(mode(), hands(), EventKit::flag(resting, 2), EventKit::flag(thrown, 2)),
              std::make_tuple(30.0, 1.0, true, false));
}
