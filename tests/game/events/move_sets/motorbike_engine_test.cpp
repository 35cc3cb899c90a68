// The motorbike's group follows the character id; the engine's two layers
// play on their locked channels with a mix and pitch that follow the engine
// level, which chases the speed each mode gives; a loop plays while braking.
#include "tests/game/events/move_sets/motorbike_stage.h"

#include <gtest/gtest.h>

namespace {

// Channel 9's volume, channel 10's volume and pitch.
std::vector<double> engine_mix()
{
    return {media.get_channel_volume(9), media.get_channel_volume(10), media.get_channel_frequency(10)};
}

}  // namespace

class MotorbikeEngine : public motorbike_test::MotorbikeStage {
protected:
    double level() { return EventKit::value(bike_skin(), 'A'); }
    void set_level(double n) { EventKit::set_value(bike_skin(), 'A', n); }

    std::vector<double> levels(int ticks)
    {
        std::vector<double> seen;
        for (int tick = 0; tick < ticks; ++tick) {
            kit.run(1);
            seen.push_back(level());
        }
        return seen;
    }
};

TEST_F(MotorbikeEngine, mounting_locks_and_starts_both_layers_whose_mix_follows_the_level_until_the_rider_leaves)
{
    ride(2, 0, 1, 1);
    kit.run(1);
    EXPECT_FALSE(kit.frames().level_group_72);
    EXPECT_EQ(level(), 0);

    ride(3, 0, 1, 1);
    kit.run(1);
    EXPECT_TRUE(kit.frames().level_group_72);
    const std::vector<SoundStart> started = kit.take_sounds();
    ASSERT_EQ(started.size(), 2u);
    EXPECT_EQ(std::vector<int>({int(started[0].id), started[0].channel, started[0].loops}), std::vector<int>({120, 9, 0}));
    EXPECT_EQ(std::vector<int>({int(started[1].id), started[1].channel, started[1].loops}), std::vector<int>({121, 10, 0}));
    EXPECT_TRUE(media.channels[9].locked && media.channels[10].locked);
    EXPECT_DOUBLE_EQ(level(), 0.2);
    // Up 0.2 a tick to the speed, then held there.
    std::vector<double> rising = levels(5);
    EXPECT_DOUBLE_EQ(rising[2], 0.8);
    EXPECT_EQ(rising[3], 1);
    EXPECT_EQ(rising[4], 1);
    EXPECT_EQ(engine_mix(), doubles(80, 60, 29000));

    set_level(5);
    set_player('B', -5);
    kit.run(1);
    EXPECT_EQ(engine_mix(), doubles(0, 100, 57000));
    set_player('B', 0);
    levels(25);
    EXPECT_EQ(level(), 0);
    EXPECT_EQ(engine_mix(), doubles(100, 0, 22000));

    // Leaving: unlocked and silent; the level kept for the next ride.
    set_level(2);
    set_player('A', 2);
    kit.run(1);
    EXPECT_FALSE(kit.frames().level_group_72);
    EXPECT_FALSE(media.channels[9].locked || media.channels[10].locked);
    EXPECT_FALSE(media.is_channel_playing(9) || media.is_channel_playing(10));
    kit.run(3);
    EXPECT_EQ(level(), 2);
    set_player('A', 3);
    kit.run(1);
    EXPECT_EQ(sample_count(kit.take_sounds(), 120), 1);
    EXPECT_DOUBLE_EQ(level(), 1.8);
}

TEST_F(MotorbikeEngine, pushing_a_wall_revs_towards_eight_at_half_rate_and_a_wall_ride_follows_the_climb)
{
    ride(3, 11, 1, 2);
    std::vector<double> pushing = levels(3);
    EXPECT_DOUBLE_EQ(pushing[0], 0.1);
    EXPECT_DOUBLE_EQ(pushing[2], 0.3);
    set_level(9);
    set_player('B', 8.5);
    const std::vector<double> easing = levels(2);
    EXPECT_DOUBLE_EQ(easing[0], 8.8);
    EXPECT_DOUBLE_EQ(easing[1], 8.6);

    ride(3, 47, 0, 9, -5);
    set_level(4.9);
    EXPECT_EQ(levels(2), doubles(5, 5));
    set_level(6);
    EXPECT_DOUBLE_EQ(levels(1)[0], 5.8);
}

TEST_F(MotorbikeEngine, the_brake_loop_starts_once_while_skidding_and_stops_on_the_first_other_mode)
{
    ride(3, 4, 1, 3);
    kit.run(1);
    std::vector<SoundStart> started = kit.take_sounds();
    ASSERT_EQ(sample_count(started, 123), 1);
    EXPECT_EQ(started.back().loops, 0);
    kit.run(10);
    EXPECT_EQ(sample_count(kit.take_sounds(), 123), 0);
    EXPECT_TRUE(media.is_sample_playing(123));
    set_player('M', 0);
    kit.run(1);
    EXPECT_FALSE(media.is_sample_playing(123));
}
