// The half-corkscrew ride: the height over the two ramps and the middle
// stretch as the player moves along, the state it shows, and the ways the
// ride ends.
#include "runtime/movement.h"
#include "tests/game/events/player_physics/player_state_kit.h"

#include <gtest/gtest.h>

using namespace player_state_test;

namespace {

constexpr double start_height = 500;

class Corkscrew : public PlayerStateTest {
protected:
    void SetUp() override
    {
        PlayerStateTest::SetUp();
        enter([](EventKit& kit) {
            kit.place("HalfCorkscrewLeft_245", 200, 100, 1);
            kit.place("HalfCorkscrewRight_246", 300, 100, 1);
        });
    }

    // What the gimmick's entry leaves: mode 45, the corkscrew ridden from
    // the height the ride began at.
    void board(FrameObject* screw, double x, double speed)
    {
        set_player('M', 45);
        set_player('U', 0);
        set_player('X', x);
        set_player('Y', start_height);
        set_player('B', speed);
        set_flag(screw, 0, true);
        EventKit::set_value(screw, 'C', start_height);
    }

    static void set_flag(FrameObject* object, int bit, bool on)
    {
        const uint32_t mask = 1u << bit;
        object->alterables->flags = int32_t(on ? uint32_t(object->alterables->flags) | mask
                                               : uint32_t(object->alterables->flags) & ~mask);
    }

    // One tick with the player moved to offset d along the ride.
    void ride_to(FrameObject* screw, double along, double d)
    {
        set_player('X', screw->get_x() + along * d);
        kit.run(1);
    }

    // The ramps' half cosine: the start height at progress 0 and 2, 100
    // pixels up at 1.
    static double ramp(double e) { return start_height + 50 * cos_deg(e * 180) - 50; }

    FrameObject* left() { return kit.instance(types::HalfCorkscrewLeft_245); }
    FrameObject* right() { return kit.instance(types::HalfCorkscrewRight_246); }
    double y() { return EventKit::value(player(), 'Y'); }
};

void expect_reset(const FrameObject* screw)
{
    EXPECT_FALSE(EventKit::flag(screw, 0));
    EXPECT_EQ(EventKit::value(screw, 'E'), 0);
    EXPECT_EQ(EventKit::value(screw, 'A'), 0);
}

}  // namespace

TEST_F(Corkscrew, the_height_rises_over_one_ramp_stays_over_the_middle_and_falls_over_the_other)
{
    board(left(), 200, 8);
    // Offsets 40 a tick: the rise to 240, the middle while the recorded
    // offset is below 320, the fall from there.
    struct Step {
        double d, y;
        int state;
    };
    const Step steps[] = {
        {40, ramp(40.0 / 240), 45},
        {80, ramp(80.0 / 240), 45},
        {120, start_height - 50, 46},  // cos 90 is exactly 0
        {160, ramp(160.0 / 240), 46},
        {200, ramp(200.0 / 240), 46},
        {240, start_height - 100, 46},
        {280, start_height - 100, 46},
        {320, start_height - 100, 46},
        {360, ramp(280.0 / 240), 46},
        {400, ramp(320.0 / 240), 46},
        {440, start_height - 50, 46},
        {480, ramp(400.0 / 240), 45},
        {520, ramp(440.0 / 240), 45},
        {560, start_height, 45},
    };
    for (const Step& step : steps) {
        ride_to(left(), 1, step.d);
        ASSERT_EQ(y(), step.y) << step.d;
        ASSERT_EQ(state(), step.state) << step.d;
        ASSERT_EQ(mode(), 45) << step.d;
        ASSERT_TRUE(kit.frames().level_group_29);
    }
    // The middle stretch leaves the progress below 1 and records the offset.
    EXPECT_EQ(EventKit::value(left(), 'E'), 2);
    EXPECT_EQ(EventKit::value(left(), 'A'), 320);
}

TEST_F(Corkscrew, the_climbing_state_shows_only_once_the_progress_is_past_a_quarter)
{
    // The state follows the progress of the tick before: at offset 60 it
    // is exactly 0.25, which is not yet past a quarter.
    for (double along : {1.0, -1.0}) {
        FrameObject* screw = along > 0 ? left() : right();
        board(screw, screw->get_x(), 8 * along);
        ride_to(screw, along, 60);
        ASSERT_EQ(EventKit::value(screw, 'E'), 0.25);
        ride_to(screw, along, 61);
        EXPECT_EQ(state(), 45) << along;
        ride_to(screw, along, 62);
        EXPECT_EQ(state(), 46) << along;
        set_flag(screw, 0, false);
    }
}

TEST_F(Corkscrew, a_right_hand_corkscrew_is_ridden_leftwards)
{
    board(right(), 300, -8);
    ride_to(right(), -1, 120);
    EXPECT_EQ(y(), start_height - 50);
    EXPECT_EQ(EventKit::value(right(), 'E'), 0.5);
    ride_to(right(), -1, 240);
    EXPECT_EQ(y(), start_height - 100);
    // The left-hand one nearby is not ridden and stays as it was.
    EXPECT_EQ(EventKit::value(left(), 'E'), 0);
    // -3 keeps riding, above it the ride ends.
    set_player('B', -3);
    ride_to(right(), -1, 250);
    EXPECT_EQ(mode(), 45);
    set_player('B', -2);
    ride_to(right(), -1, 252);
    EXPECT_EQ(mode(), 1);
    expect_reset(right());
}

TEST_F(Corkscrew, slowing_below_three_ends_the_ride_at_once)
{
    board(left(), 200, 3);
    ride_to(left(), 1, 120);
    EXPECT_EQ(mode(), 45);
    set_player('B', 2.5);
    set_player('G', 6);
    ride_to(left(), 1, 150);
    EXPECT_EQ(mode(), 1);
    EXPECT_FALSE(kit.frames().level_group_29);
    EXPECT_EQ(EventKit::value(player(), 'U'), 1);
    EXPECT_EQ(EventKit::value(player(), 'G'), 0);
    expect_reset(left());
    // The height of the last tick is where the air takes over.
    EXPECT_EQ(y(), ramp(150.0 / 240));
}

TEST_F(Corkscrew, passing_a_right_hand_corkscrew_under_the_sensor_ends_a_left_hand_ride)
{
    board(left(), 200, 8);
    EventKit::set_value(right(), 'E', 0.7);
    EventKit::set_value(right(), 'A', 5);
    // The bottom sensor sits 13 below the height on the other corkscrew.
    set_player('Y', 87);
    ride_to(left(), 1, 100);
    EXPECT_EQ(mode(), 45);
    set_player('Y', 87);
    ride_to(left(), 1, 101);
    EXPECT_EQ(mode(), 1);
    expect_reset(left());
    expect_reset(right());
}

TEST_F(Corkscrew, ramps_of_no_length_keep_the_start_height)
{
    EventKit::set_value(left(), 'D', 0);
    board(left(), 200, 8);
    ride_to(left(), 1, 50);
    EXPECT_EQ(y(), start_height);
    EXPECT_EQ(EventKit::value(left(), 'E'), 0);
}
