// Running, braking, skidding, slopes, edges, walls and the air, through the
// surface and speed events in the act's order on the hand-made course: the
// sensors find the real terrain, the held directions are set by hand and the
// speeds are checked tick by tick against the arithmetic of the run. Where a
// case is about the arithmetic of an event on ground the course has no shape
// for (steep slopes, walls and ceilings underfoot, camera limits), only the
// events that compute run and the sensors' flags are set by hand.
#include "game/objects/classes.h"
#include "tests/game/events/player_physics/player_course.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace player_course;

namespace {

constexpr double degrees = 57.29577951308232;
// The land tuning of the walking characters: top speed 5, cap 15, step
// 0.07375, slope factor 0.203125.
constexpr double top_speed = 5, speed_cap = 15, step = 0.07375, slope_factor = 0.203125;

void speed_run(Frames& f)
{
    f.event_func_676(), f.event_func_677(), f.event_func_678(), f.event_func_679(), f.event_func_680();
    f.event_func_681(), f.event_func_682(), f.event_func_683(), f.event_func_684(), f.event_func_685();
    f.event_func_686(), f.event_func_687(), f.event_func_688(), f.event_func_689(), f.event_func_690();
    f.event_func_691(), f.event_func_692(), f.event_func_693(), f.event_func_694(), f.event_func_695();
    f.event_func_696(), f.event_func_697(), f.event_func_698(), f.event_func_699(), f.event_func_700();
    f.event_func_701(), f.event_func_702(), f.event_func_703(), f.event_func_704(), f.event_func_705();
    f.event_func_706(), f.event_func_707(), f.event_func_708(), f.event_func_709(), f.event_func_710();
}

// The surface run (657-668), the interruption sensors (669) and the speed
// run (676-710), as act 1 calls them, with the sensor loops finding the
// terrain; the slope following (658) once both its halves are built.
void surface_and_speed(Frames& f)
{
    f.event_func_657();
    if (slope_following_built())
        f.event_func_658();
    f.event_func_659(), f.event_func_660();
    f.event_func_661(), f.event_func_662(), f.event_func_663(), f.event_func_664(), f.event_func_665();
    f.event_func_666(), f.event_func_667(), f.event_func_668(), f.event_func_669();
    speed_run(f);
}

// The same run without the events that start sensor loops (659, 660, 668,
// 669): the angle and the sensors' flags stay as the test sets them.
void arithmetic_only(Frames& f)
{
    f.event_func_657();
    f.event_func_661(), f.event_func_662(), f.event_func_663(), f.event_func_664(), f.event_func_665();
    f.event_func_666(), f.event_func_667();
    speed_run(f);
}

class GroundMovement : public ::testing::Test {
protected:
    void SetUp() override
    {
        class_records::alterables_75 = SavedAlterables{};
        class_records::alterables_76 = SavedAlterables{};
        course.enter(terrain::layout, [this](Frames& f) {
            if (by_hand)
                arithmetic_only(f);
            else
                surface_and_speed(f);
        });
        course.kit.frames().level_group_41 = true;
        values = course.values;
        camera = course.camera;
        others = kit().place("PlayerOthers_75", -100, -100);
        input = kit().place("PlayerInput_21", -100, -100);
        action_a = kit().place("PlayerActionValuesA_86", -100, -100);
        action_b = kit().place("PlayerActionValuesB_164", -100, -100);
        calculator = kit().place("MasterGroupsA_83", -100, -100);
        bottom = course.sensor(types::PlayerSensorBottomBig_95);
        left_edge = course.sensor(types::PlayerSensorLeftEdge_100);
        right_edge = course.sensor(types::PlayerSensorRightEdge_101);
        left_wall = course.sensor(types::PlayerSensorLeftBig_89);
        right_wall = course.sensor(types::PlayerSensorRightBig_91);
        top = course.sensor(types::PlayerSensorTopBig_93);
        // Standing on the flat ground in mode 0, the body's lowest row on the
        // row above it.
        set('A', 0), set('C', top_speed), set('D', speed_cap), set('E', step), set('F', slope_factor);
        set('I', 0.25), set('M', 0), set('Q', 1), set('S', 1);
        EventKit::set_value(action_b, 'T', 0.96875);
        move_to(200, terrain::ground_top - 10, 1);
    }

    EventKit& kit() { return course.kit; }
    void set(char letter, double number) { course.set(letter, number); }
    double get(char letter) const { return course.get(letter); }
    void hold_right(bool held) { EventKit::set_value(input, 'D', held); }
    void hold_left(bool held) { EventKit::set_value(input, 'C', held); }

    // Puts the player at a place with its sensors up to date, as the
    // movement step leaves it.
    void move_to(double x, double y, double on_ground)
    {
        set('X', x), set('Y', y), set('L', on_ground);
        course.sense();
    }

    // The sensors' flags set by hand; only the computing events run.
    void flags_by_hand()
    {
        by_hand = true;
        for (FrameObject* sensor : {bottom, left_edge, right_edge})
            EventKit::set_value(sensor, 'Z', 1);
        for (FrameObject* sensor : {left_wall, right_wall, top})
            EventKit::set_value(sensor, 'Z', 0);
    }

    // Runs until B stops changing or `limit` ticks; the ticks that changed it.
    int run_until_steady(int limit)
    {
        for (int tick = 1; tick <= limit; ++tick) {
            const double before = get('B');
            kit().run(1);
            if (get('B') == before)
                return tick - 1;
        }
        return limit;
    }

    // Still standing on the flat ground where the test put it.
    void expect_standing()
    {
        EXPECT_EQ(get('L'), 1);
        EXPECT_EQ(get('N'), 0);
        EXPECT_EQ(get('G'), 0);
        EXPECT_EQ(get('Y'), terrain::ground_top - 10);
        for (FrameObject* sensor : {bottom, left_edge, right_edge})
            EXPECT_EQ(EventKit::value(sensor, 'Z'), 1);
        for (FrameObject* sensor : {left_wall, right_wall, top})
            EXPECT_EQ(EventKit::value(sensor, 'Z'), 0);
    }

    Course course;
    bool by_hand = false;
    FrameObject *values = nullptr, *others = nullptr, *input = nullptr, *action_a = nullptr;
    FrameObject *action_b = nullptr, *camera = nullptr, *calculator = nullptr, *bottom = nullptr;
    FrameObject *left_edge = nullptr, *right_edge = nullptr, *left_wall = nullptr, *right_wall = nullptr;
    FrameObject* top = nullptr;
};

}  // namespace

TEST_F(GroundMovement, running_right_from_rest_boosts_to_2_then_adds_one_step_a_tick_up_to_the_top_speed)
{
    hold_right(true);
    // Each of the first ticks adds E, then the start boost adds 8E, up to 2.
    const double boosted[] = {0.66375, 1.3275, 1.99125, 2.065, 2.13875};
    for (const double expected : boosted) {
        kit().run(1);
        EXPECT_NEAR(get('B'), expected, 1e-12);
    }
    // From 2.065 on tick 4, 40 steps reach 5.015 on tick 44; the run
    // stops there, a little over the top speed, with nothing capping it.
    kit().run(38);
    EXPECT_NEAR(get('B'), 4.94125, 1e-9);
    kit().run(1);
    EXPECT_NEAR(get('B'), 5.015, 1e-9);
    kit().run(100);
    EXPECT_NEAR(get('B'), 5.015, 1e-9);
    // The loops found the same flat ground on every tick.
    expect_standing();
}

TEST_F(GroundMovement, each_tuning_reaches_its_top_speed_in_the_ticks_its_step_gives)
{
    struct Tuning {
        double top, step;
        int ticks;
        double reached;
    };
    // Land (Yelto, Pimsa, Dorrik), Hespin on land, any character under water.
    const Tuning tunings[] = {{5, 0.07375, 44, 5.015}, {4.5, 0.07375, 38, 4.5725}, {4, 0.056875, 40, 4.0475}};
    for (const Tuning& t : tunings) {
        set('B', 0), set('C', t.top), set('E', t.step);
        hold_right(true);
        EXPECT_EQ(run_until_steady(200), t.ticks) << t.top;
        EXPECT_NEAR(get('B'), t.reached, 1e-9) << t.top;
    }
    expect_standing();
}

TEST_F(GroundMovement, releasing_brakes_by_5E_a_tick_and_by_9E_below_speed_2_to_a_stop)
{
    set('B', 5);
    const double braking[] = {4.63125, 4.2625, 3.89375, 3.525, 3.15625, 2.7875, 2.41875, 2.05,
                              1.38625, 0.7225, 0.05875, 0};
    for (const double expected : braking) {
        kit().run(1);
        EXPECT_NEAR(get('B'), expected, 1e-9);
    }
    kit().run(5);
    EXPECT_EQ(get('B'), 0);

    // To the left alike.
    set('B', -2.05);
    kit().run(1);
    EXPECT_NEAR(get('B'), -1.38625, 1e-9);
}

TEST_F(GroundMovement, holding_against_the_motion_skids_by_6E_then_turns_with_the_boost)
{
    set('B', 5);
    hold_left(true);
    const double skid[] = {4.5575, 4.115, 3.6725, 3.23, 2.7875, 2.345};
    for (const double expected : skid) {
        kit().run(1);
        EXPECT_NEAR(get('B'), expected, 1e-9);
    }
    // Below 2 the stop brake and the left boost join in: 2.345 - 5E - 4E - E - 8E.
    kit().run(1);
    EXPECT_NEAR(get('B'), 1.0175, 1e-9);
    kit().run(1);
    EXPECT_NEAR(get('B'), -0.31, 1e-9);
    kit().run(1);
    EXPECT_NEAR(get('B'), -0.97375, 1e-9);
    kit().run(2);
    EXPECT_NEAR(get('B'), -2, 1e-9);
    kit().run(1);
    EXPECT_NEAR(get('B'), -2.07375, 1e-9);
}

TEST_F(GroundMovement, a_side_lock_blocks_one_side_for_its_ticks)
{
    // A positive lock holds the left-side events off while it counts down;
    // the start boost, after the count, acts on the tick it reaches 0.
    EventKit::set_value(others, 'O', 3);
    hold_left(true);
    kit().run(2);
    EXPECT_EQ(get('B'), 0);
    EXPECT_EQ(EventKit::value(others, 'O'), 1);
    kit().run(1);
    EXPECT_EQ(EventKit::value(others, 'O'), 0);
    EXPECT_NEAR(get('B'), -8 * step, 1e-12);
    kit().run(1);
    EXPECT_NEAR(get('B'), -1.25375, 1e-12);

    // A negative one holds the right side off, braking included.
    hold_left(false);
    set('B', 1);
    EventKit::set_value(others, 'O', -2);
    kit().run(1);
    EXPECT_EQ(get('B'), 1);
    EXPECT_EQ(EventKit::value(others, 'O'), -1);
}

TEST_F(GroundMovement, the_shown_angle_follows_the_measured_one_and_a_slope_pulls_the_speed)
{
    // The measured angle (as the angle loops leave it) against a flat shown one:
    // a change of 45 or more is taken at once.
    flags_by_hand();
    set('N', 50), set('O', 0);
    kit().run(1);
    EXPECT_EQ(get('O'), 50);
    // A smaller one is followed by the share |B| / D, at least 0.175.
    set('N', 30), set('O', 0), set('B', 0), set('S', 0);
    kit().run(1);
    EXPECT_NEAR(get('O'), 30 * 0.175, 1e-12);
    set('O', 0), set('B', 4.5);
    kit().run(1);
    EXPECT_NEAR(get('O'), 30 * 0.3, 1e-12);
    // Up across 360 the short way round: 10 seen from 350 is 20 on.
    set('N', 10), set('O', 350), set('B', 0);
    kit().run(1);
    EXPECT_NEAR(get('O'), 350 + 20 * 0.175, 1e-12);
    EXPECT_EQ(get('N'), 10);
    // Down across 0 there is no short way: the shown angle jumps.
    set('N', 350), set('O', 10);
    kit().run(1);
    EXPECT_EQ(get('O'), 350);

    // Uphill at 40 degrees below the top speed: 0.38 F sin(40) a tick.
    set('N', 40), set('O', 40), set('B', 3);
    kit().run(1);
    EXPECT_NEAR(get('B'), 3 - 0.38 * slope_factor * std::sin(40 / degrees), 1e-12);
    // At the top speed the whole factor.
    set('B', 5);
    kit().run(1);
    EXPECT_NEAR(get('B'), 5 - slope_factor * std::sin(40 / degrees), 1e-12);
    // Standing on 40 degrees holds; on 50 the player starts sliding down.
    set('B', 0);
    kit().run(3);
    EXPECT_EQ(get('B'), 0);
    set('N', 50), set('O', 50);
    kit().run(1);
    const double first = -0.38 * slope_factor * std::sin(50 / degrees);
    EXPECT_NEAR(get('B'), first, 1e-12);
    kit().run(1);
    EXPECT_NEAR(get('B'), 2 * first, 1e-12);
    // The steep flag follows the angle.
    EXPECT_FALSE(EventKit::flag(values, 5));
    set('N', 90), set('O', 90), set('B', 3);
    kit().run(1);
    EXPECT_TRUE(EventKit::flag(values, 5));
}

TEST_F(GroundMovement, the_measurement_takes_the_probes_difference_and_the_calculators_angle)
{
    Frames& f = kit().frames();
    const auto measure = [&f] { f.event_func_659(), f.event_func_660(); };
    // Standing on each slope at its angle: the probes, lowered along the
    // ground's normal, end where the angle loop alone leaves them, and the
    // calculator gets their difference: the left one lower on the rising
    // slope, higher on the falling one.
    const struct {
        double x, y, angle, rise;
    } slopes[] = {{704.5, terrain::ground_top + 127 - 64 - 10, 45, 1}, {832.5, terrain::ground_top + 64 - 10, 315, -1}};
    for (const auto& slope : slopes) {
        set('N', slope.angle), set('O', slope.angle);
        move_to(slope.x, slope.y, 1);
        EXPECT_NEAR(measure_angle(course), slope.angle, 5) << slope.angle;
        const auto left = course.at(types::PlayerSensorLeftAngle_98),
                   right = course.at(types::PlayerSensorRightAngle_99);
        values->alterables->strings.get(7) = "";
        measure();
        EXPECT_EQ(EventKit::value(calculator, 'A'), left.first - right.first) << slope.angle;
        EXPECT_EQ(EventKit::value(calculator, 'B'), left.second - right.second) << slope.angle;
        EXPECT_LT(EventKit::value(calculator, 'A'), 0) << slope.angle;
        EXPECT_EQ(EventKit::value(calculator, 'B') > 0 ? 1 : -1, slope.rise) << slope.angle;
        EXPECT_EQ(get('N'), EventKit::value(calculator, 'C')) << slope.angle;
        // The measurement's own label gives way to the probe loop's.
        EXPECT_EQ(values->alterables->strings.get(7), "Player01DetectSensorAngles");
    }

    // At the ledge, the right edge past it: nothing is measured, though the
    // right probe, finding no ground, would give a steep angle.
    set('N', 0), set('O', 0);
    move_to(terrain::ledge_end - 2.5, terrain::wall_top - 10, 1);
    EventKit::set_value(calculator, 'A', 99);
    measure();
    EXPECT_EQ(EventKit::value(left_edge, 'Z'), 1);
    EXPECT_EQ(EventKit::value(right_edge, 'Z'), 0);
    EXPECT_EQ(EventKit::value(calculator, 'A'), 99);
    EXPECT_EQ(get('N'), 0);
    // A whole tick there keeps the player on the ground, unmeasured.
    kit().run(1);
    EXPECT_EQ(EventKit::value(calculator, 'A'), 99);
    EXPECT_EQ(get('N'), 0);
    EXPECT_EQ(get('L'), 1);
}

TEST_F(GroundMovement, an_angle_changer_snaps_60_to_90_degrees_to_75)
{
    // Both in view: objects far outside it take no part in overlaps.
    flags_by_hand();
    course.player->set_x(200), course.player->set_y(120);
    kit().place("GeneralAngleChanger75_85", 200, 120);
    set('S', 0);
    for (const double angle : {60.0, 75.5, 90.0}) {
        // Fast enough to stay on the steep ground.
        set('N', angle), set('O', angle), set('B', 1);
        kit().run(1);
        EXPECT_EQ(get('N'), 75) << angle;
        EXPECT_EQ(get('O'), 75) << angle;
    }
    set('N', 59), set('O', 59), set('B', 1);
    kit().run(1);
    EXPECT_EQ(get('N'), 59);
}

TEST_F(GroundMovement, a_slow_player_falls_off_a_wall_or_a_ceiling)
{
    flags_by_hand();
    set('S', 0);
    // On a wall at 0.4 the player holds on; at 0.39 it falls off.
    set('N', 90), set('O', 90), set('B', 0.4);
    kit().run(1);
    EXPECT_EQ(get('L'), 1);
    set('B', 0.39);
    kit().run(1);
    EXPECT_EQ(get('L'), 0);
    EXPECT_EQ(get('N'), 0);
    EXPECT_EQ(get('O'), 0);
    EXPECT_EQ(get('B'), 0);
    // G is -0.39 from the drop, then gravity adds I in the same tick.
    EXPECT_NEAR(get('G'), -0.39 + 0.25, 1e-12);

    // On a ceiling below 2.4 the player falls, the speed turned by 180.
    set('L', 1), set('G', 0), set('N', 180), set('O', 180), set('B', 2.3);
    kit().run(1);
    EXPECT_EQ(get('L'), 0);
    EXPECT_EQ(get('B'), -2.3);
    EXPECT_EQ(get('G'), 0.25);
}

TEST_F(GroundMovement, running_off_a_ledge_keeps_the_speed_and_falls_under_gravity)
{
    hold_right(true);
    set('B', 3);
    // On the wall's top short of the ledge: still on the ground.
    move_to(terrain::ledge_end - 20, terrain::wall_top - 10, 1);
    kit().run(1);
    EXPECT_EQ(get('L'), 1);
    EXPECT_NEAR(get('B'), 3 + step, 1e-12);
    EXPECT_EQ(get('G'), 0);
    // Past it nothing is under the feet: the ground is lost on the next tick.
    move_to(terrain::ledge_end + 8, terrain::wall_top - 10, 1);
    kit().run(1);
    EXPECT_EQ(EventKit::value(bottom, 'Z'), 0);
    EXPECT_EQ(get('L'), 0);
    // Flat ground: G = -B sin 0 = 0, then gravity; in the air right adds E twice.
    EXPECT_NEAR(get('G'), 0.25, 1e-12);
    EXPECT_NEAR(get('B'), 3 + 3 * step, 1e-12);
    kit().run(3);
    EXPECT_NEAR(get('G'), 1.0, 1e-12);
    EXPECT_EQ(get('L'), 0);
}

TEST_F(GroundMovement, a_wall_ahead_stops_the_run_and_lets_the_player_turn_away)
{
    hold_right(true);
    set('B', 3);
    // The big right sensor, 13 on, is in the wall.
    move_to(terrain::wall_left - 13, terrain::ground_top - 10, 1);
    kit().run(1);
    EXPECT_EQ(EventKit::value(right_wall, 'Z'), 1);
    EXPECT_EQ(get('B'), 0);
    // Pressing on, each tick's step and boost are taken back.
    kit().run(5);
    EXPECT_EQ(get('B'), 0);
    // Away from it the run starts as on open ground: E and the boost, 9E.
    hold_right(false);
    hold_left(true);
    kit().run(1);
    EXPECT_NEAR(get('B'), -9 * step, 1e-12);
    EXPECT_EQ(get('L'), 1);
}

TEST_F(GroundMovement, the_camera_limits_stop_the_player)
{
    flags_by_hand();
    hold_right(true);
    // The right bound is the limit less 16, or plus 32 at camera value U 2.
    EventKit::set_value(camera, 'E', 1010);
    set('X', 1000), set('B', 3);
    kit().run(1);
    EXPECT_EQ(get('B'), 0);
    EXPECT_EQ(get('X'), 994);
    EventKit::set_value(camera, 'U', 2);
    set('X', 1030), set('B', 3);
    kit().run(1);
    EXPECT_NEAR(get('B'), 3 + step, 1e-12);
    set('X', 1042);
    kit().run(1);
    EXPECT_EQ(get('X'), 1042);
    EXPECT_EQ(get('B'), 0);

    hold_right(false);
    hold_left(true);
    EventKit::set_value(camera, 'C', 1100);
    set('B', -3);
    kit().run(1);
    EXPECT_EQ(get('X'), 1116);
    EXPECT_EQ(get('B'), 0);
}

TEST_F(GroundMovement, in_the_air_gravity_drag_and_ceilings_act_on_the_vertical_speed)
{
    set('S', 0), set('B', 4), set('G', -3);
    move_to(300, 250, 0);
    kit().run(1);
    EXPECT_EQ(get('G'), -2.75);
    EXPECT_EQ(get('B'), 4 * 0.96875);
    // Rising into the block's underside, the big top sensor 13 up in it,
    // stops the rise; in mode 5 with the counter at 30 it bounces.
    move_to(64, terrain::block_bottom + 13, 0);
    set('G', -3);
    kit().run(1);
    EXPECT_EQ(EventKit::value(top, 'Z'), 1);
    EXPECT_EQ(get('G'), 0);
    set('M', 5), set('G', -3);
    EventKit::set_value(others, 'N', 30);
    kit().run(1);
    EXPECT_EQ(get('G'), 2.75);
    // Above the frame the position is held at -32.
    set('M', 0);
    move_to(300, -40, 0);
    set('G', -1);
    kit().run(1);
    EXPECT_EQ(EventKit::value(top, 'Z'), 0);
    EXPECT_EQ(get('Y'), -32);
}

TEST_F(GroundMovement, mode_5_bounces_off_a_wall_into_mode_1)
{
    FrameObject* meter = kit().place("GUIEnergy_76", -100, -100);
    FrameObject* skin = kit().place("PlayerSkinYelto_102", -100, -100);
    skin->alterables->flags |= 1 << 8;
    EventKit::set_value(meter, 'A', 95);
    set('S', 0), set('M', 5), set('B', 6), set('N', 0), set('Q', 1);
    EventKit::set_value(others, 'N', 30);
    EventKit::set_value(action_a, 'A', -7);
    // Against the wall on the right.
    move_to(terrain::wall_left - 13, terrain::ground_top - 10, 1);
    kit().run(1);
    EXPECT_EQ(EventKit::value(right_wall, 'Z'), 1);
    EXPECT_EQ(get('M'), 1);
    EXPECT_EQ(get('B'), -3);
    EXPECT_EQ(get('G'), -7 + 0.25);  // launch, then gravity
    EXPECT_EQ(get('L'), 0);
    EXPECT_EQ(EventKit::value(meter, 'A'), 80);
    EXPECT_EQ(EventKit::value(action_a, 'C'), 1);
    EXPECT_FALSE(EventKit::flag(skin, 8));

    // With the bounce used (selector 1) the player turns off the wall.
    set('S', 0), set('M', 5), set('B', 6), set('G', 0);
    EventKit::set_value(others, 'Q', 1);
    move_to(terrain::wall_left - 13, terrain::ground_top - 10, 1);
    kit().run(1);
    EXPECT_EQ(get('M'), 5);
    EXPECT_EQ(get('B'), -6);
    EXPECT_EQ(get('Q'), -1);
}
