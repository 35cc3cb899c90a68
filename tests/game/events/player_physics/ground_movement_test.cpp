// Running, braking, skidding, slopes, edges, walls and the air, through the
// surface and speed events in the act's order, on a flat strip of values:
// the sensors' flags and the held directions are set by hand, the speeds
// are checked tick by tick against the arithmetic of the run.
#include "game/objects/classes.h"
#include "tests/support/event_kit.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

enum Type {
    type_movement_values = 67,
    type_player_others = 62,
};

constexpr double degrees = 57.29577951308232;
// The land tuning of the walking characters: top speed 5, cap 15, step
// 0.07375, slope factor 0.203125.
constexpr double top_speed = 5, speed_cap = 15, step = 0.07375, slope_factor = 0.203125;

// The surface run (657-668), the interruption sensors (669) and the speed
// run (676-710), as act 1 calls them; without the measurement (660) the
// angle N stays as the test sets it, as if the angle loops had measured it.
void surface_and_speed(Frames& f, bool measure)
{
    f.event_func_657(), f.event_func_658(), f.event_func_659();
    if (measure)
        f.event_func_660();
    f.event_func_661();
    f.event_func_662(), f.event_func_663(), f.event_func_664(), f.event_func_665(), f.event_func_666();
    f.event_func_667(), f.event_func_668(), f.event_func_669();
    f.event_func_676(), f.event_func_677(), f.event_func_678(), f.event_func_679(), f.event_func_680();
    f.event_func_681(), f.event_func_682(), f.event_func_683(), f.event_func_684(), f.event_func_685();
    f.event_func_686(), f.event_func_687(), f.event_func_688(), f.event_func_689(), f.event_func_690();
    f.event_func_691(), f.event_func_692(), f.event_func_693(), f.event_func_694(), f.event_func_695();
    f.event_func_696(), f.event_func_697(), f.event_func_698(), f.event_func_699(), f.event_func_700();
    f.event_func_701(), f.event_func_702(), f.event_func_703(), f.event_func_704(), f.event_func_705();
    f.event_func_706(), f.event_func_707(), f.event_func_708(), f.event_func_709(), f.event_func_710();
}

class GroundMovement : public ::testing::Test {
protected:
    void SetUp() override
    {
        class_records::alterables_75 = SavedAlterables{};
        class_records::alterables_76 = SavedAlterables{};
        kit.enter_empty_frame({.layers = 1,
                               .width = 4000,
                               .height = 2000,
                               .handler = [this](Frames& f) {
                                   if (running)
                                       surface_and_speed(f, measure);
                               },
                               .set_up = [](Frames& f) {
                                   f.level_group_43 = f.level_group_23 = true;
                                   f.level_group_19 = f.level_group_41 = true;
                               }});
        values = kit.place("PlayerMovementValues_80", -100, -100);
        others = kit.place("PlayerOthers_75", -100, -100);
        input = kit.place("PlayerInput_21", -100, -100);
        action_a = kit.place("PlayerActionValuesA_86", -100, -100);
        action_b = kit.place("PlayerActionValuesB_164", -100, -100);
        camera = kit.place("MasterCamera_190", -100, -100);
        bottom = kit.place("PlayerSensorBottomBig_95", -100, -100);
        left_edge = kit.place("PlayerSensorLeftEdge_100", -100, -100);
        right_edge = kit.place("PlayerSensorRightEdge_101", -100, -100);
        left_wall = kit.place("PlayerSensorLeftBig_89", -100, -100);
        right_wall = kit.place("PlayerSensorRightBig_91", -100, -100);
        top = kit.place("PlayerSensorTopBig_93", -100, -100);
        // Standing on flat ground in mode 0, mid-frame.
        set('A', 0), set('C', top_speed), set('D', speed_cap), set('E', step), set('F', slope_factor);
        set('I', 0.25), set('L', 1), set('M', 0), set('Q', 1), set('S', 1), set('X', 1000), set('Y', 500);
        EventKit::set_value(action_b, 'T', 0.96875);
        EventKit::set_value(camera, 'E', 4000), EventKit::set_value(camera, 'F', 2000);
        for (FrameObject* sensor : {bottom, left_edge, right_edge})
            EventKit::set_value(sensor, 'Z', 1);
        running = true;
    }

    void set(char letter, double number) { EventKit::set_value(values, letter, number); }
    double get(char letter) const { return EventKit::value(values, letter); }
    void hold_right(bool held) { EventKit::set_value(input, 'D', held); }
    void hold_left(bool held) { EventKit::set_value(input, 'C', held); }

    // Runs until B stops changing or `limit` ticks; the ticks that changed it.
    int run_until_steady(int limit)
    {
        for (int tick = 1; tick <= limit; ++tick) {
            const double before = get('B');
            kit.run(1);
            if (get('B') == before)
                return tick - 1;
        }
        return limit;
    }

    EventKit kit;
    bool running = false, measure = false;
    FrameObject *values = nullptr, *others = nullptr, *input = nullptr, *action_a = nullptr;
    FrameObject *action_b = nullptr, *camera = nullptr, *bottom = nullptr, *left_edge = nullptr;
    FrameObject *right_edge = nullptr, *left_wall = nullptr, *right_wall = nullptr, *top = nullptr;
};

}  // namespace

TEST_F(GroundMovement, running_right_from_rest_boosts_to_2_then_adds_one_step_a_tick_up_to_the_top_speed)
{
    hold_right(true);
    // Each of the first ticks adds E, then the start boost adds 8E, up to 2.
    const double boosted[] = {0.66375, 1.3275, 1.99125, 2.065, 2.13875};
    for (const double expected : boosted) {
        kit.run(1);
        EXPECT_NEAR(get('B'), expected, 1e-12);
    }
    // From 2.065 on tick 4, 40 steps reach 5.015 on tick 44; the run
    // stops there, a little over the top speed, with nothing capping it.
    kit.run(38);
    EXPECT_NEAR(get('B'), 4.94125, 1e-9);
    kit.run(1);
    EXPECT_NEAR(get('B'), 5.015, 1e-9);
    kit.run(100);
    EXPECT_NEAR(get('B'), 5.015, 1e-9);
    EXPECT_EQ(get('G'), 0);
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
}

TEST_F(GroundMovement, releasing_brakes_by_5E_a_tick_and_by_9E_below_speed_2_to_a_stop)
{
    set('B', 5);
    const double braking[] = {4.63125, 4.2625, 3.89375, 3.525, 3.15625, 2.7875, 2.41875, 2.05,
                              1.38625, 0.7225, 0.05875, 0};
    for (const double expected : braking) {
        kit.run(1);
        EXPECT_NEAR(get('B'), expected, 1e-9);
    }
    kit.run(5);
    EXPECT_EQ(get('B'), 0);

    // To the left alike.
    set('B', -2.05);
    kit.run(1);
    EXPECT_NEAR(get('B'), -1.38625, 1e-9);
}

TEST_F(GroundMovement, holding_against_the_motion_skids_by_6E_then_turns_with_the_boost)
{
    set('B', 5);
    hold_left(true);
    const double skid[] = {4.5575, 4.115, 3.6725, 3.23, 2.7875, 2.345};
    for (const double expected : skid) {
        kit.run(1);
        EXPECT_NEAR(get('B'), expected, 1e-9);
    }
    // Below 2 the stop brake and the left boost join in: 2.345 - 5E - 4E - E - 8E.
    kit.run(1);
    EXPECT_NEAR(get('B'), 1.0175, 1e-9);
    kit.run(1);
    EXPECT_NEAR(get('B'), -0.31, 1e-9);
    kit.run(1);
    EXPECT_NEAR(get('B'), -0.97375, 1e-9);
    kit.run(2);
    EXPECT_NEAR(get('B'), -2, 1e-9);
    kit.run(1);
    EXPECT_NEAR(get('B'), -2.07375, 1e-9);
}

TEST_F(GroundMovement, a_side_lock_blocks_one_side_for_its_ticks)
{
    // A positive lock holds the left-side events off while it counts down;
    // the start boost, after the count, acts on the tick it reaches 0.
    EventKit::set_value(others, 'O', 3);
    hold_left(true);
    kit.run(2);
    EXPECT_EQ(get('B'), 0);
    EXPECT_EQ(EventKit::value(others, 'O'), 1);
    kit.run(1);
    EXPECT_EQ(EventKit::value(others, 'O'), 0);
    EXPECT_NEAR(get('B'), -8 * step, 1e-12);
    kit.run(1);
    EXPECT_NEAR(get('B'), -1.25375, 1e-12);

    // A negative one holds the right side off, braking included.
    hold_left(false);
    set('B', 1);
    EventKit::set_value(others, 'O', -2);
    kit.run(1);
    EXPECT_EQ(get('B'), 1);
    EXPECT_EQ(EventKit::value(others, 'O'), -1);
}

TEST_F(GroundMovement, the_shown_angle_follows_the_measured_one_and_a_slope_pulls_the_speed)
{
    // The measured angle (as the angle loops leave it) against a flat shown one:
    // a change of 45 or more is taken at once.
    set('N', 50), set('O', 0);
    kit.run(1);
    EXPECT_EQ(get('O'), 50);
    // A smaller one is followed by the share |B| / D, at least 0.175.
    set('N', 30), set('O', 0), set('B', 0), set('S', 0);
    kit.run(1);
    EXPECT_NEAR(get('O'), 30 * 0.175, 1e-12);
    set('O', 0), set('B', 4.5);
    kit.run(1);
    EXPECT_NEAR(get('O'), 30 * 0.3, 1e-12);
    // Up across 360 the short way round: 10 seen from 350 is 20 on.
    set('N', 10), set('O', 350), set('B', 0);
    kit.run(1);
    EXPECT_NEAR(get('O'), 350 + 20 * 0.175, 1e-12);
    EXPECT_EQ(get('N'), 10);
    // Down across 0 there is no short way: the shown angle jumps.
    set('N', 350), set('O', 10);
    kit.run(1);
    EXPECT_EQ(get('O'), 350);

    // Uphill at 40 degrees below the top speed: 0.38 F sin(40) a tick.
    set('N', 40), set('O', 40), set('B', 3);
    kit.run(1);
    EXPECT_NEAR(get('B'), 3 - 0.38 * slope_factor * std::sin(40 / degrees), 1e-12);
    // At the top speed the whole factor.
    set('B', 5);
    kit.run(1);
    EXPECT_NEAR(get('B'), 5 - slope_factor * std::sin(40 / degrees), 1e-12);
    // Standing on 40 degrees holds; on 50 the player starts sliding down.
    set('B', 0);
    kit.run(3);
    EXPECT_EQ(get('B'), 0);
    set('N', 50), set('O', 50);
    kit.run(1);
    const double first = -0.38 * slope_factor * std::sin(50 / degrees);
    EXPECT_NEAR(get('B'), first, 1e-12);
    kit.run(1);
    EXPECT_NEAR(get('B'), 2 * first, 1e-12);
    // The steep flag follows the angle.
    EXPECT_FALSE(EventKit::flag(values, 5));
    set('N', 90), set('O', 90), set('B', 3);
    kit.run(1);
    EXPECT_TRUE(EventKit::flag(values, 5));
}

TEST_F(GroundMovement, the_measurement_takes_the_probes_difference_and_the_calculators_angle)
{
    FrameObject* left = kit.place("PlayerSensorLeftAngle_98", 993, 507);
    FrameObject* right = kit.place("PlayerSensorRightAngle_99", 1007, 493);
    FrameObject* calculator = kit.place("MasterGroupsA_83", -100, -100);
    EventKit::set_value(left, 'Y', 5), EventKit::set_value(right, 'Y', 5);
    set('S', 0);
    measure = true;
    kit.run(1);
    // Wherever the probe loop leaves the probes, the calculator gets their
    // difference and the measured angle is its answer.
    EXPECT_EQ(EventKit::value(calculator, 'A'), left->get_x() - right->get_x());
    EXPECT_EQ(EventKit::value(calculator, 'B'), left->get_y() - right->get_y());
    EXPECT_EQ(get('N'), EventKit::value(calculator, 'C'));
    EXPECT_EQ(values->alterables->strings.get(7), "Player01DetectAngle");
    // Off the edges nothing is measured.
    EventKit::set_value(left_edge, 'Z', 0);
    set('N', 12);
    kit.run(1);
    EXPECT_EQ(get('N'), 12);
}

TEST_F(GroundMovement, an_angle_changer_snaps_60_to_90_degrees_to_75)
{
    // Both in view: objects far outside it take no part in overlaps.
    kit.place("Player_87", 200, 120);
    kit.place("GeneralAngleChanger75_85", 200, 120);
    set('S', 0);
    for (const double angle : {60.0, 75.5, 90.0}) {
        // Fast enough to stay on the steep ground.
        set('N', angle), set('O', angle), set('B', 1);
        kit.run(1);
        EXPECT_EQ(get('N'), 75) << angle;
        EXPECT_EQ(get('O'), 75) << angle;
    }
    set('N', 59), set('O', 59), set('B', 1);
    kit.run(1);
    EXPECT_EQ(get('N'), 59);
}

TEST_F(GroundMovement, a_wall_or_ceiling_drops_a_slow_player_and_a_lost_floor_drops_any)
{
    set('S', 0);
    // On a wall at 0.4 the player holds on; at 0.39 it falls off.
    set('N', 90), set('O', 90), set('B', 0.4);
    kit.run(1);
    EXPECT_EQ(get('L'), 1);
    set('B', 0.39);
    kit.run(1);
    EXPECT_EQ(get('L'), 0);
    EXPECT_EQ(get('N'), 0);
    EXPECT_EQ(get('O'), 0);
    EXPECT_EQ(get('B'), 0);
    // G is -0.39 from the drop, then gravity adds I in the same tick.
    EXPECT_NEAR(get('G'), -0.39 + 0.25, 1e-12);

    // On a ceiling below 2.4 the player falls, the speed turned by 180.
    set('L', 1), set('G', 0), set('N', 180), set('O', 180), set('B', 2.3);
    kit.run(1);
    EXPECT_EQ(get('L'), 0);
    EXPECT_EQ(get('B'), -2.3);
    EXPECT_EQ(get('G'), 0.25);
}

TEST_F(GroundMovement, running_off_a_ledge_keeps_the_speed_and_falls_under_gravity)
{
    hold_right(true);
    set('B', 3);
    EventKit::set_value(bottom, 'Z', 0);
    kit.run(1);
    EXPECT_EQ(get('L'), 0);
    // Flat ground: G = -B sin 0 = 0, then gravity; in the air right adds E twice.
    EXPECT_NEAR(get('G'), 0.25, 1e-12);
    EXPECT_NEAR(get('B'), 3 + 2 * step, 1e-12);
    kit.run(3);
    EXPECT_NEAR(get('G'), 1.0, 1e-12);
}

TEST_F(GroundMovement, walls_and_the_camera_limits_stop_the_player)
{
    hold_right(true);
    set('B', 3);
    EventKit::set_value(right_wall, 'Z', 1);
    kit.run(1);
    EXPECT_EQ(get('B'), 0);
    EventKit::set_value(right_wall, 'Z', 0);

    // The right bound is the limit less 16, or plus 32 at camera value U 2.
    EventKit::set_value(camera, 'E', 1010);
    set('B', 3);
    kit.run(1);
    EXPECT_EQ(get('B'), 0);
    EXPECT_EQ(get('X'), 994);
    EventKit::set_value(camera, 'U', 2);
    set('X', 1030), set('B', 3);
    kit.run(1);
    EXPECT_NEAR(get('B'), 3 + step, 1e-12);
    set('X', 1042);
    kit.run(1);
    EXPECT_EQ(get('X'), 1042);
    EXPECT_EQ(get('B'), 0);

    hold_right(false);
    hold_left(true);
    EventKit::set_value(camera, 'C', 1100);
    set('B', -3);
    kit.run(1);
    EXPECT_EQ(get('X'), 1116);
    EXPECT_EQ(get('B'), 0);
}

TEST_F(GroundMovement, in_the_air_gravity_drag_and_ceilings_act_on_the_vertical_speed)
{
    set('S', 0), set('L', 0), set('B', 4), set('G', -3);
    kit.run(1);
    EXPECT_EQ(get('G'), -2.75);
    EXPECT_EQ(get('B'), 4 * 0.96875);
    // Rising into a ceiling stops the rise; in mode 5 with the counter at 30 it bounces.
    EventKit::set_value(top, 'Z', 1);
    set('G', -3);
    kit.run(1);
    EXPECT_EQ(get('G'), 0);
    set('M', 5), set('G', -3);
    EventKit::set_value(others, 'N', 30);
    kit.run(1);
    EXPECT_EQ(get('G'), 2.75);
    // Above the frame the position is held at -32.
    EventKit::set_value(top, 'Z', 0);
    set('M', 0), set('Y', -40), set('G', -1);
    kit.run(1);
    EXPECT_EQ(get('Y'), -32);
}

TEST_F(GroundMovement, mode_5_bounces_off_a_wall_into_mode_1)
{
    FrameObject* meter = kit.place("GUIEnergy_76", -100, -100);
    FrameObject* skin = kit.place("PlayerSkinYelto_102", -100, -100);
    skin->alterables->flags |= 1 << 8;
    EventKit::set_value(meter, 'A', 95);
    set('S', 0), set('M', 5), set('B', 6), set('N', 0), set('Q', 1);
    EventKit::set_value(others, 'N', 30);
    EventKit::set_value(action_a, 'A', -7);
    EventKit::set_value(right_wall, 'Z', 1);
    kit.run(1);
    EXPECT_EQ(get('M'), 1);
    EXPECT_EQ(get('B'), -3);
    EXPECT_EQ(get('G'), -7 + 0.25);  // launch, then gravity
    EXPECT_EQ(get('L'), 0);
    EXPECT_EQ(EventKit::value(meter, 'A'), 80);
    EXPECT_EQ(EventKit::value(action_a, 'C'), 1);
    EXPECT_FALSE(EventKit::flag(skin, 8));

    // With the bounce used (selector 1) the player turns off the wall.
    set('S', 0), set('M', 5), set('B', 6), set('L', 1);
    EventKit::set_value(others, 'Q', 1);
    kit.run(1);
    EXPECT_EQ(get('M'), 5);
    EXPECT_EQ(get('B'), -6);
    EXPECT_EQ(get('Q'), -1);
}
