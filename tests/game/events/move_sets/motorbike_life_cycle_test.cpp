// Pimsa and the parked motorbikes: mounting by dropping onto one, the
// dismount's guarded bike, the bike lost in an explosion when she dies
// riding, the landing after a fuel mount, and her skin's two countdowns.
#include "tests/game/events/move_sets/motorbike_stage.h"

#include <gtest/gtest.h>

class MotorbikeLifeCycle : public motorbike_test::MotorbikeStage {
protected:
    FrameObject* park(int x, int y)
    {
        FrameObject* bike = kit.place("ObjectBike_340", x, y, 1);
        EventKit::set_value(bike, 'A', -1);
        bike->set_angle(30, 0);
        return bike;
    }

    // Falling on foot with the bottom sensor on the bike and the player at x.
    void drop_onto(FrameObject* bike, int x)
    {
        ride(2, 0, 0, 0, 2);
        sensor()->set_global_position(bike->get_x(), bike->get_y());
        kit.instance(types::Player_87)->set_global_position(x, bike->get_y());
    }
};

TEST_F(MotorbikeLifeCycle, falling_onto_a_bike_within_24_pixels_mounts_it_and_the_next_tick_clears_the_others)
{
    FrameObject* bike = park(200, 150);
    FrameObject* far = park(380, 150);
    for (int x : {176, 224}) {
        drop_onto(bike, x);
        kit.run(1);
        EXPECT_EQ(movement('A'), 2) << x;
    }
    drop_onto(bike, 210);
    set_player('L', 1);
    kit.run(1);
    set_player('G', 0);
    set_player('L', 0);
    kit.run(1);
    EXPECT_EQ(movement('A'), 2);
    EXPECT_TRUE(sounds().empty());

    drop_onto(bike, 177);
    set_player('Q', 1);
    kit.run(1);
    EXPECT_EQ(sounds(), std::vector<unsigned>{103});
    EXPECT_TRUE(bike->flags & FrameObject::DESTROYING);
    EXPECT_FALSE(far->flags & FrameObject::DESTROYING);
    EXPECT_EQ(EventKit::values(player(), "AQXYMBL"), doubles(3, -1, 200, 150, 0, 0, 1));
    EXPECT_EQ(EventKit::values(kit.instance(types::PlayerOthers_75), "XZY"), doubles(30, 30, 12));
    EXPECT_EQ(kit.global(1), 3);
    kit.run(1);
    EXPECT_TRUE(far->flags & FrameObject::DESTROYING);
    EXPECT_TRUE(kit.frames().level_group_72);
    // Only the first tick of a ride clears bikes.
    park(300, 150);
    kit.run(3);
    EXPECT_EQ(bikes().size(), 1u);
}

TEST_F(MotorbikeLifeCycle, the_dismount_parks_a_guarded_bike_that_can_be_mounted_once_the_player_has_left_it)
{
    ride(3, 39, 1);
    set_player('Q', -1);
    bike_skin()->set_direction(16, true);
    bike_skin()->set_angle(45, 0);
    EventKit::set_value(kit.instance(types::PlayerInput_21), 'O', 1);
    sensor()->set_global_position(200, 150);
    kit.run(1);
    ASSERT_EQ(bikes().size(), 1u);
    FrameObject* bike = bikes()[0];
    EXPECT_EQ(std::vector<int>({bike->get_x(), bike->get_y(), bike->get_direction(), bike->get_angle()}),
              std::vector<int>({200, 150, 16, 45}));
    EXPECT_EQ(EventKit::value(bike, 'A'), -1);
    EXPECT_TRUE(EventKit::flag(bike, 1));
    EXPECT_EQ(movement('A'), 2);
    EXPECT_EQ(kit.global(1), 2);
    EXPECT_EQ(EventKit::value(kit.instance(types::PlayerInput_21), 'O'), 0);
    EXPECT_EQ(EventKit::value(pimsa_skin(), 'N'), 25);

    // Still on it: guarded, no mount however she falls.
    drop_onto(bike, 200);
    kit.run(2);
    EXPECT_TRUE(EventKit::flag(bike, 1));
    EXPECT_EQ(movement('A'), 2);
    sensor()->set_global_position(300, 60);
    kit.run(1);
    EXPECT_FALSE(EventKit::flag(bike, 1));
    drop_onto(bike, 200);
    kit.run(1);
    EXPECT_EQ(movement('A'), 3);
}

TEST_F(MotorbikeLifeCycle, dying_on_the_bike_throws_it_off_into_one_explosion_and_four_debris_gone_that_tick)
{
    ride(3, 0, 0);
    kit.run(1);
    sounds();
    set_player('M', 9);
    kit.set_global(1, 3);
    kit.run(1);
    EXPECT_EQ(movement('A'), 2);
    EXPECT_EQ(kit.global(1), 2);
    EXPECT_EQ(sounds(), std::vector<unsigned>{26});
    EXPECT_EQ(kit.instances(types::EffectsExplosion01_130).size(), 1u);
    std::vector<int> frames;
    for (FrameObject* debris : kit.instances(types::EffectsDebris_266))
        frames.push_back(static_cast<Active*>(debris)->get_frame());
    EXPECT_EQ(frames, std::vector<int>({50, 49, 48, 47}));
    ASSERT_EQ(bikes().size(), 1u);
    EXPECT_EQ(EventKit::value(bikes()[0], 'B'), -1);
    EXPECT_TRUE(bikes()[0]->flags & FrameObject::DESTROYING);
    kit.run(1);
    EXPECT_TRUE(bikes().empty());
}

TEST_F(MotorbikeLifeCycle, a_fuel_mount_takes_its_state_on_landing_and_the_skin_countdowns_stop_at_zero)
{
    ride(3, 0, 0);
    set_other('Y', 1);
    FrameObject* rider = bike_skin();
    rider->alterables->flags |= 1 << 8;
    kit.run(1);
    EXPECT_TRUE(EventKit::flag(rider, 8));
    EXPECT_EQ(state(), 1);
    set_player('L', 1);
    kit.run(1);
    EXPECT_FALSE(EventKit::flag(rider, 8));
    EXPECT_EQ(state(), 12);

    EventKit::set_value(pimsa_skin(), 'M', 2);
    EventKit::set_value(pimsa_skin(), 'S', 1);
    kit.run(1);
    EXPECT_EQ(EventKit::values(pimsa_skin(), "MS"), doubles(1, 0));
    kit.run(2);
    EXPECT_EQ(EventKit::values(pimsa_skin(), "MS"), doubles(0, 0));
}
