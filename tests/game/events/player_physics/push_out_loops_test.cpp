// The one-pixel corrections: out of a ceiling, out of the floor, away from
// walls, down a slope that falls away, and the two probes that find the
// ground angle, each within the budget its caller gives.
#include "tests/game/events/player_physics/player_course.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

using namespace player_course;

namespace {

using terrain::block_bottom;
using terrain::ground_top;
using terrain::wall_left;

class PushOut : public ::testing::Test {
protected:
    void SetUp() override { course.enter(terrain::layout); }
    Frames& frames() { return course.kit.frames(); }
    // Runs a loop as its caller does; gives the passes it took.
    int run(FastLoop& loop, int budget, void (Frames::*body)())
    {
        frames().run_loop(loop, budget, body);
        return loop.running ? budget : loop.index + 1;
    }
    int wall_loop(int budget)
    {
        return run(frames().fast_loop_player01wallcollision, budget, &Frames::loop_player01wallcollision_4);
    }
    Course course;
};

}  // namespace

TEST_F(PushOut, running_right_into_a_wall_stops_the_player_at_it)
{
    // Each tick the player moves B along flat ground, then the wall loop runs
    // with the budget |B| + 1.
    course.stand(wall_left - 40.5, ground_top - 10, 0, 1, 4.5);
    for (int tick = 0; tick < 60; ++tick) {
        const double before = course.get('X');
        course.set('X', before + 4.5);
        const int pushes_needed = std::max(0, int(std::floor(course.get('X') + 12)) - (wall_left - 1));
        wall_loop(5);
        // One pixel back per pass while the right sensor is in the wall.
        ASSERT_EQ(course.get('X'), before + 4.5 - pushes_needed) << tick;
        ASSERT_EQ(course.get('Y'), ground_top - 10) << tick;
        ASSERT_LT(course.get('X') + 12, wall_left) << tick;
    }
    // Pressed against the wall, the right sensor's last pixel column is the one before it.
    EXPECT_EQ(course.at(types::PlayerSensorRight_90).first, wall_left - 1);
    EXPECT_EQ(course.hit(types::PlayerSensorRight_90), 0);
    EXPECT_EQ(EventKit::value(course.sensor(types::PlayerSensorRightBig_91), 'Y'), 1);
    EXPECT_EQ(course.values->alterables->strings.get(4), "Player01DetectSensorRight");
}

TEST_F(PushOut, a_wall_three_pixels_deep_takes_four_pushes_and_one_pass_to_see_it_clear)
{
    course.stand(wall_left - 12 + 3.5, ground_top - 10);
    EXPECT_EQ(wall_loop(5), 5);
    EXPECT_EQ(course.get('X'), wall_left - 12 - 0.5);
    EXPECT_EQ(frames().fast_loop_player01wallcollision.index, 4);
}

TEST_F(PushOut, on_a_wall_section_a_right_hit_moves_the_player_down_the_screen)
{
    // At 90 degrees the right sensor stands 12 pixels above the player and
    // 2 to its left: here its top rows are in the block.
    course.stand(60, block_bottom + 5 + 12, 90);
    EXPECT_EQ(wall_loop(20), 2);
    EXPECT_EQ(course.get('X'), 60);
    EXPECT_EQ(course.get('Y'), block_bottom + 5 + 12 + 1);
    EXPECT_EQ(course.at(types::PlayerSensorRight_90), std::make_pair(58, block_bottom + 6));
}

TEST_F(PushOut, squeezed_between_walls_the_loop_spends_its_budget_in_place)
{
    // The left sensors in the flat ground's column, the right ones in the wall.
    course.stand(wall_left - 6, ground_top + 50, 0, 1, 0);
    EXPECT_EQ(wall_loop(20), 20);
    EXPECT_EQ(course.get('X'), wall_left - 6);
    EXPECT_EQ(course.get('Y'), ground_top + 50);
    EXPECT_TRUE(frames().fast_loop_player01wallcollision.running);
}

TEST_F(PushOut, jumping_into_a_ceiling_pushes_down_a_pixel_a_pass_at_most_ten)
{
    // The top sensor (12 above, two rows high) 4 rows into the block's underside.
    course.stand(60, block_bottom - 3 + 12, 0, 0, 0, -5);
    EXPECT_EQ(run(frames().fast_loop_player01up, 10, &Frames::loop_player01up_4), 6);
    EXPECT_EQ(course.get('Y'), block_bottom - 3 + 12 + 5);
    EXPECT_EQ(course.hit(types::PlayerSensorTop_92), 0);
    EXPECT_EQ(course.values->alterables->strings.get(1), "Player01DetectSensorTop");
    // Deep in: ten pushes, never more in one tick.
    course.stand(60, block_bottom - 30, 0, 0, 0, -5);
    EXPECT_EQ(run(frames().fast_loop_player01up, 10, &Frames::loop_player01up_4), 10);
    EXPECT_EQ(course.get('Y'), block_bottom - 20);
    // Falling, the loop only looks.
    course.stand(60, block_bottom, 0, 0, 0, 2);
    EXPECT_EQ(run(frames().fast_loop_player01up, 10, &Frames::loop_player01up_4), 10);
    EXPECT_EQ(course.get('Y'), block_bottom);
    EXPECT_EQ(course.hit(types::PlayerSensorTop_92), 1);
}

TEST_F(PushOut, falling_into_the_floor_lifts_the_feet_to_the_row_above_it)
{
    // The feet (12 below) end 5 pixels into the ground after the fall.
    course.stand(200.5, ground_top - 12 + 5 + 0.25, 0, 0, 0, 6);
    EXPECT_EQ(run(frames().fast_loop_player01down, 10, &Frames::loop_player01down_4), 7);
    EXPECT_EQ(course.get('Y'), ground_top - 12 - 1 + 0.25);
    EXPECT_EQ(course.hit(types::PlayerSensorBottom_94), 0);
    EXPECT_EQ(course.hit(types::PlayerSensorBottomBig_95), 1);
    EXPECT_EQ(course.values->alterables->strings.get(2), "Player01DetectSensorBottom");
}

TEST_F(PushOut, rising_from_the_floor_is_not_pushed)
{
    course.stand(200, ground_top - 12 + 5, 0, 0, 0, -3);
    EXPECT_EQ(run(frames().fast_loop_player01down, 10, &Frames::loop_player01down_4), 10);
    EXPECT_EQ(course.get('Y'), ground_top - 12 + 5);
}

TEST_F(PushOut, the_probes_find_the_angle_of_flat_ground_and_of_both_slopes)
{
    // Flat: both probes 10 down.
    course.stand(200, ground_top - 10);
    EXPECT_EQ(measure_angle(course), 0);
    // The rising slope: its surface in column c is 127 - (c - 640) rows below
    // 400, so the right probe, 14 columns on, meets it 14 pixels higher.
    course.stand(704.5, 400 + 127 - 64 - 10);
    EXPECT_DOUBLE_EQ(measure_angle(course), 45);
    EXPECT_EQ(EventKit::value(course.sensor(types::PlayerSensorLeftAngle_98), 'Y') -
                  EventKit::value(course.sensor(types::PlayerSensorRightAngle_99), 'Y'),
              14);
    // The falling slope gives the angle turned the other way.
    course.stand(832.5, 400 + 64 - 10);
    EXPECT_DOUBLE_EQ(measure_angle(course), 315);
    EXPECT_EQ(course.values->alterables->strings.get(7), "Player01DetectSensorAngles");
}

TEST_F(PushOut, a_probe_that_meets_no_ground_ends_twenty_down)
{
    course.stand(200, ground_top - 60);
    measure_angle(course);
    EXPECT_EQ(EventKit::value(course.sensor(types::PlayerSensorLeftAngle_98), 'Y'), 20);
    EXPECT_EQ(EventKit::value(course.sensor(types::PlayerSensorRightAngle_99), 'Y'), 20);
    EXPECT_TRUE(frames().fast_loop_player01detectangle.running);
}

TEST_F(PushOut, off_the_top_of_a_falling_slope_the_player_is_pulled_down_onto_it)
{
    // On the falling slope at 315 degrees, with the body free above the surface.
    const double angle = 315, s = std::sin(angle / 57.29577951308232), c = std::cos(angle / 57.29577951308232);
    course.stand(832, 400 + 64 - 20, angle);
    const int passes = run(frames().fast_loop_player01slopesdown, 15, &Frames::loop_player01slopesdown_4);
    // Each pass one pixel along (s, c) until the body touches, then one more.
    double x = 832, y = 400 + 64 - 20;
    for (int pass = 0; pass < passes; ++pass) {
        x += s;
        y += c;
    }
    EXPECT_GT(passes, 1);
    EXPECT_LT(passes, 15);
    EXPECT_EQ(course.get('X'), x);
    EXPECT_EQ(course.get('Y'), y);
    EXPECT_EQ(EventKit::value(course.player, 'Z'), 1);
    EXPECT_EQ(course.values->alterables->strings.get(5), "Player01DetectSensorSlope");
}

TEST_F(PushOut, the_pull_down_a_slope_is_at_most_fifteen_pixels_a_tick)
{
    // The slope sensor, 24 below, just finds the ground; the body stays free
    // for fifteen pixels.
    course.stand(200, ground_top - 25);
    EXPECT_EQ(run(frames().fast_loop_player01slopesdown, 15, &Frames::loop_player01slopesdown_4), 15);
    EXPECT_EQ(course.get('Y'), ground_top - 10);
    EXPECT_EQ(EventKit::value(course.player, 'Z'), 0);
    // Resting with the body one row above the ground: one step in, one more, done.
    EXPECT_EQ(run(frames().fast_loop_player01slopesdown, 15, &Frames::loop_player01slopesdown_4), 2);
    EXPECT_EQ(course.get('Y'), ground_top - 8);
}

TEST_F(PushOut, with_neither_the_body_nor_the_slope_sensor_on_ground_nothing_moves)
{
    course.stand(200, ground_top - 100);
    EXPECT_EQ(run(frames().fast_loop_player01slopesdown, 15, &Frames::loop_player01slopesdown_4), 15);
    EXPECT_EQ(course.get('Y'), ground_top - 100);
}
