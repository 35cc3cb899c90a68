// The motorbike's boost: one per press on the ground, the way the bike
// faces, or up a wall it rides along; the power state's drain, end, dust
// and sparkles.
#include "tests/game/events/move_sets/motorbike_stage.h"

#include <gtest/gtest.h>

class MotorbikeBoost : public motorbike_test::MotorbikeStage {
protected:
    void SetUp() override
    {
        MotorbikeStage::SetUp();
        ride(3, 0, 1, 4);
        kit.run(1);
        sounds();
        EventKit::set_value(kit.instance(types::GUIEnergy_76), 'A', 50);
        bike_skin()->set_angle(20, 0);
    }

    double meter() { return EventKit::value(kit.instance(types::GUIEnergy_76), 'A'); }
    size_t bursts() { return kit.instances(types::EffectsWhiteBurst_31).size(); }
    bool latched() { return EventKit::flag(bike_skin(), 1); }

    // The power state after a tick with these controls (PlayerInput letters).
    double boost_with(std::initializer_list<char> on)
    {
        controls(on);
        kit.run(1);
        return other('F');
    }
};

TEST_F(MotorbikeBoost, a_press_boosts_forward_once_until_released_and_the_state_drains_until_its_timer_ends)
{
    kit.set_global(3, 1);
    EXPECT_EQ(boost_with({'D', 'O', 'N'}), 2);
    EXPECT_EQ(other('G'), 30);
    EXPECT_EQ(movement('B'), 10);
    EXPECT_EQ(sounds(), std::vector<unsigned>{182});
    EXPECT_TRUE(latched());
    EXPECT_TRUE(EventKit::flag(pimsa_skin(), 12));
    ASSERT_EQ(bursts(), 1u);
    auto* burst = static_cast<Active*>(kit.instance(types::EffectsWhiteBurst_31));
    EXPECT_EQ(burst->get_angle(), 20);
    EXPECT_EQ(std::vector<int>({burst->get_x(), burst->get_y()}),
              std::vector<int>({bike_skin()->get_action_x(), bike_skin()->get_action_y()}));
    EXPECT_EQ(meter(), 49);

    // Held on: no second boost; the timer out ends the state.
    kit.run(2);
    EXPECT_EQ(meter(), 47);
    set_other('G', 0);
    EXPECT_EQ(boost_with({'D', 'O', 'N'}), 0);
    EXPECT_EQ(boost_with({'D', 'O', 'N'}), 0);
    EXPECT_EQ(bursts(), 1u);
    // Released, then pressed again: a boost; speed 12 is kept.
    EXPECT_EQ(boost_with({}), 0);
    EXPECT_FALSE(latched());
    set_player('B', 12);
    EXPECT_EQ(boost_with({'C', 'O', 'N'}), 2);
    EXPECT_EQ(movement('B'), 12);

    // A bike that stops ends it at once.
    set_player('B', 0);
    kit.run(1);
    EXPECT_EQ(other('F'), 0);
}

TEST_F(MotorbikeBoost, down_the_spin_or_a_running_power_state_refuse_it_and_an_empty_meter_does_not)
{
    set_player('Q', -1);
    EXPECT_EQ(boost_with({'C', 'B', 'O'}), 0);
    set_player('M', 44);
    EXPECT_EQ(boost_with({'C', 'O'}), 0);
    set_player('M', 0);
    set_other('F', 1);
    EXPECT_EQ(boost_with({'C', 'O'}), 1);
    set_other('F', 0);
    set_player('L', 0);
    EXPECT_EQ(boost_with({'C', 'O'}), 0);
    set_player('L', 1);
    EventKit::set_value(kit.instance(types::GUIEnergy_76), 'A', 0);
    set_player('B', -12);
    EXPECT_EQ(boost_with({'D', 'O'}), 2);
    EXPECT_EQ(movement('B'), -12);
    EXPECT_EQ(meter(), 0);
}

TEST_F(MotorbikeBoost, along_a_wall_the_held_way_must_be_the_facing_and_the_bike_goes_up_whatever_its_latch)
{
    ride(3, 47, 0, 0, 3);
    bike_skin()->alterables->flags |= 1 << 1;
    EXPECT_EQ(boost_with({'C', 'O'}), 0);
    EXPECT_EQ(boost_with({'D', 'O', 'N'}), 2);
    EXPECT_EQ(movement('G'), -8);
    EXPECT_EQ(kit.instance(types::EffectsWhiteBurst_31)->get_angle(), 110);
    // Standing still along a wall does not end it.
    kit.run(1);
    EXPECT_EQ(other('F'), 2);
}

TEST_F(MotorbikeBoost, dust_leaves_upward_every_4_ticks_in_motion_or_8_standing_and_sparkles_every_4)
{
    set_other('F', 2);
    set_other('G', 30);
    std::vector<int> dust, sparkles;
    for (int counter : {4, 6, 8, 0}) {
        kit.set_global(3, counter);
        kit.run(1);
        dust.push_back(int(kit.instances(types::EffectsDust01_132).size()));
        sparkles.push_back(int(kit.instances(types::RingSparkle_179).size()));
    }
    EXPECT_EQ(dust, std::vector<int>({1, 1, 2, 3}));
    EXPECT_EQ(sparkles, std::vector<int>({1, 1, 2, 3}));
    auto* puff = static_cast<Active*>(kit.instance(types::EffectsDust01_132));
    EXPECT_EQ(puff->get_direction(), 8);
    EXPECT_EQ(puff->get_movement()->get_speed(), 8);

    set_player('B', 0);
    set_player('M', 47);
    for (int counter : {4, 8}) {
        kit.set_global(3, counter);
        kit.run(1);
    }
    EXPECT_EQ(kit.instances(types::EffectsDust01_132).size(), 4u);
    EXPECT_EQ(kit.instances(types::RingSparkle_179).size(), 5u);
    set_other('H', 1);
    kit.run(1);
    EXPECT_EQ(kit.instances(types::EffectsDust01_132).size(), 4u);
}
