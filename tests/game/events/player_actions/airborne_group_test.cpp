// In the air (movement mode 1): the jump-release cap, the landings, and
// what each character's buttons start there.
#include "tests/game/events/player_actions/action_group_stage.h"

#include <gtest/gtest.h>

using namespace action_group_test;

namespace {

class AirborneGroup : public ActionGroupTest {
protected:
    void SetUp() override
    {
        ActionGroupTest::SetUp();
        tune('B', -4);
        tune('H', 5);
        tune('I', 0.5);
    }
};

}  // namespace

TEST_F(AirborneGroup, letting_go_of_jump_caps_the_rise_and_a_landing_against_the_motion_skids_to_a_stop)
{
    tune('C', 1);
    in_mode(1, false);
    set('G', -6);
    controls({'E'});
    kit.run(1);
    EXPECT_TRUE(kit.frames().level_group_42);
    EXPECT_EQ(get('G'), -6);
    controls({});
    kit.run(1);
    EXPECT_EQ(get('G'), -4);
    set('G', -3);
    kit.run(1);
    EXPECT_EQ(get('G'), -3);
    tune('C', 0);
    set('G', -6);
    kit.run(1);
    EXPECT_EQ(get('G'), -6);

    // Lands at 6 holding left: a skid, and the plain landing after it in
    // the group does not run (S stays 0).
    set('L', 1);
    set('K', 1);
    set('B', 6);
    controls({'C'});
    kit.run(1);
    EXPECT_EQ(EventKit::values(player(), "MS"), doubles(4, 0));
    EXPECT_FALSE(kit.frames().level_group_42);
    kit.take_sounds();
    std::vector<double> speeds;
    for (int t = 0; t < 3; ++t) {
        kit.run(1);
        speeds.push_back(get('B'));
        EXPECT_EQ(state(), 6);
    }
    EXPECT_EQ(speeds, doubles(5.5, 5, 4.5));
    EXPECT_EQ(samples(6), 1);
    controls({});
    kit.run(1);
    EXPECT_EQ(EventKit::values(player(), "MS"), doubles(0, 1));

    // A landing with nothing held is the plain one.
    in_mode(1, true);
    set('S', 0);
    kit.run(1);
    EXPECT_EQ(EventKit::values(player(), "MS"), doubles(0, 1));
}

TEST_F(AirborneGroup, orrun_jumps_twice_in_the_air_and_pimsa_pounces_kicks_and_rolls_on_landing)
{
    set('A', 1);
    for (const double expected_mode : {21, 21, 1}) {
        in_mode(1, false);
        controls({'K'});
        kit.run(1);
        EXPECT_EQ(get('M'), expected_mode);
    }
    EXPECT_EQ(EventKit::value(object(types::PlayerActionValuesB_164), 'O'), 2);
    EXPECT_EQ(state(), 24);

    // The pounce: at least 5 the way she faces, whatever she had.
    set('A', 2);
    kit.frames().global_group_6 = true;  // Pimsa's voices
    for (const auto& [facing, before, after] : {std::tuple{1.0, 2.0, 5.0}, {1.0, 7.0, 7.0}, {-1.0, -2.0, -5.0}}) {
        in_mode(1, false);
        set('Q', facing);
        set('B', before);
        set_state(3);
        kit.run(1);
        EXPECT_EQ(EventKit::values(player(), "BMS"), doubles(after, 0, 1));
        EXPECT_EQ(state(), 24);
    }

    // The kick needs 20 of energy and voices one of three kicks.
    controls({'O'});
    EventKit::set_value(object(types::GUIEnergy_76), 'A', 19);
    in_mode(1, false);
    kit.run(1);
    EXPECT_EQ(get('M'), 1);
    EventKit::set_value(object(types::GUIEnergy_76), 'A', 20);
    EventKit::set_value(object(types::PlayerSkinPimsa_324), 'L', 9);
    kit.take_sounds();
    kit.run(1);
    EXPECT_EQ(get('M'), 44);
    EXPECT_EQ(EventKit::value(object(types::PlayerSkinPimsa_324), 'L'), 0);
    const auto sounds = kit.take_sounds();
    EXPECT_EQ(sample_count(sounds, 111) + sample_count(sounds, 112) + sample_count(sounds, 113), 1);

    // Landing with down held at 0.2 or more rolls.
    in_mode(1, true);
    set('B', 0.2);
    controls({'B'});
    kit.run(1);
    EXPECT_EQ(get('M'), 6);
    EXPECT_EQ(samples(7), 1);
    kit.run(1);
    EXPECT_EQ(state(), 8);
    EXPECT_EQ(EventKit::value(object(types::PlayerOthers_75), 'N'), 1);
}

TEST_F(AirborneGroup, the_bike_jump_turns_the_bursts_and_hespin_hovers_on_a_held_jump)
{
    set('A', 3);
    in_mode(1, false);
    controls({'K'});
    kit.run(1);
    EXPECT_EQ(get('M'), 32);  // no burst to turn

    FrameObject* burst = kit.place("EffectsWhiteBurst_31", 10, 10, 1);
    object(types::PlayerSkinPimsaBike_338)->set_angle(30, 0);
    set('Q', -1);
    in_mode(1, false);
    kit.run(1);
    EXPECT_EQ(burst->get_angle(), -15);
    EXPECT_EQ(static_cast<Active*>(burst)->x_scale, 0.5f);

    set('A', 5);
    set('G', 0.5);
    EventKit::set_value(object(types::GUIEnergy_76), 'A', 10);
    controls({'E'});
    in_mode(1, false);
    kit.run(1);
    EXPECT_EQ(get('M'), 0);
    EXPECT_EQ(state(), 14);
}
