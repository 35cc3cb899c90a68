// Springs take over the player's motion: each colour and direction writes
// its own speeds, the player is launched only while moving towards the
// spring and alive, and each touched spring gets a beam and its bounce.
// Also the slopes-up steps that lift the player out of the terrain.
#include "objects/active.h"
#include "tests/game/events/player_physics/player_course.h"
#include "tests/support/event_kit.h"

#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <string>

namespace {

constexpr int player_x = 300, player_y = 200;

// A frame that runs the interruption loop once a tick, as the player engine does.
class Springs : public ::testing::Test {
protected:
    void SetUp() override
    {
        kit.enter_empty_frame({.layers = 3,
                               .width = 2000,
                               .height = 1000,
                               .handler =
                                   [](Frames& f) {
                                       f.run_loop(f.fast_loop_player01_interruption_control, 1,
                                                  &Frames::loop_player01_interruption_control_4);
                                   },
                               .set_up = [](Frames& f) {
                                   f.level_group_43 = f.level_group_23 = true;
                                   // Item boxes: one type stands in for them all.
                                   static ObjectList* boxes[] = {&f.instances[types::MonitorCrystals_120], nullptr};
                                   f.qualifier_13.set(1, boxes);
                               }});
        values = kit.place("PlayerMovementValues_80", -100, -100);
        others = kit.place("PlayerOthers_75", -100, -100);
        actions_a = kit.place("PlayerActionValuesA_86", -100, -100);
        actions_b = kit.place("PlayerActionValuesB_164", -100, -100);
        EventKit::set_value(others, 'O', 0);
        EventKit::set_value(actions_a, 'C', 7);
        EventKit::set_value(actions_b, 'O', 7);
        kit.take_sounds();
    }

    // The player in the air and still: every spring's approach test holds.
    void hover(double mode = 0)
    {
        for (const char name : {'B', 'G', 'L'})
            EventKit::set_value(values, name, 0);
        EventKit::set_value(values, 'M', mode);
    }

    EventKit kit;
    FrameObject* values = nullptr;
    FrameObject* others = nullptr;
    FrameObject* actions_a = nullptr;
    FrameObject* actions_b = nullptr;
};

struct Row {
    const char* spring;
    const char* sensor;
    std::optional<double> b, g, facing;
    bool shield;
};

// clang-format off
const Row rows[] = {
    {"RedSpringUp_201",         "PlayerSensorBottomBig_95", {},  -18, {}, true},
    {"RedSpringRight_202",      "PlayerSensorLeftBig_89",   14,  {},  5,  false},
    {"RedSpringLeft_203",       "PlayerSensorRightBig_91",  -14, {},  -5, false},
    {"RedSpringDown_204",       "PlayerSensorTopBig_93",    {},  18,  {}, false},
    {"RedSpringUpRight_199",    "PlayerSensorBottomBig_95", 14,  -14, 5,  true},
    {"RedSpringUpRight_199",    "PlayerSensorLeftBig_89",   14,  -14, 5,  true},
    {"RedSpringUpLeft_200",     "PlayerSensorBottomBig_95", -14, -14, -5, true},
    {"RedSpringUpLeft_200",     "PlayerSensorRightBig_91",  -14, -14, -5, true},
    {"YellowSpringUp_195",      "PlayerSensorBottomBig_95", {},  -11, {}, true},
    {"YellowSpringRight_196",   "PlayerSensorLeftBig_89",   10,  {},  5,  false},
    {"YellowSpringLeft_197",    "PlayerSensorRightBig_91",  -10, {},  -5, false},
    {"YellowSpringDown_198",    "PlayerSensorTopBig_93",    {},  11,  {}, false},
    {"YellowSpringUpRight_194", "PlayerSensorBottomBig_95", 9,   -9,  5,  true},
    {"YellowSpringUpRight_194", "PlayerSensorLeftBig_89",   9,   -9,  5,  true},
    {"YellowSpringUpLeft_193",  "PlayerSensorBottomBig_95", -9,  -9,  -5, true},
    {"YellowSpringUpLeft_193",  "PlayerSensorRightBig_91",  -9,  -9,  -5, true},
};
// clang-format on

TEST_F(Springs, each_spring_writes_its_own_speeds_mode_and_facing)
{
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.spring) + " by " + row.sensor);
        SetUp();
        hover();
        EventKit::set_value(values, 'L', 0);
        kit.place(row.sensor, player_x, player_y, 1);
        FrameObject* spring = kit.place(row.spring, player_x, player_y, 1);
        kit.run(1);

        EXPECT_EQ(EventKit::value(values, 'B'), row.b.value_or(0));
        EXPECT_EQ(EventKit::value(values, 'G'), row.g.value_or(0));
        // Only a launch that sets the vertical speed starts spring flight.
        EXPECT_EQ(EventKit::value(values, 'M'), row.g ? 40 : 0);
        EXPECT_EQ(EventKit::value(others, 'O'), row.facing.value_or(0));
        EXPECT_EQ(EventKit::value(actions_a, 'C'), row.shield ? 0 : 7);
        EXPECT_EQ(EventKit::value(actions_b, 'O'), row.shield ? 0 : 7);
        const auto sounds = kit.take_sounds();
        ASSERT_EQ(sounds.size(), 1u);
        EXPECT_EQ(sounds[0].id, 5u);

        const auto beams = kit.instances(types::EffectsSpringBeam_319);
        ASSERT_EQ(beams.size(), 1u);
        EXPECT_EQ(beams[0]->get_x(), spring->get_x());
        EXPECT_EQ(beams[0]->get_y(), spring->get_y());
        EXPECT_EQ(beams[0]->get_direction(), spring->get_direction());
        EXPECT_EQ(static_cast<Active*>(spring)->forced_animation, 5);
    }
}

TEST_F(Springs, an_up_spring_launches_a_falling_player_once_and_drops_the_water_shields_charge)
{
    hover();
    EventKit::set_value(values, 'G', 3.5);
    EventKit::set_value(values, 'B', 2.25);
    EventKit::set_value(values, 'L', 1);
    FrameObject* shield = kit.place("ShieldWater_106", player_x, player_y);
    EventKit::set_value(shield, 'A', 4);
    kit.place("PlayerSensorBottomBig_95", player_x, player_y + 13, 1);
    kit.place("RedSpringUp_201", player_x, player_y + 13, 1);
    kit.run(1);

    EXPECT_EQ(EventKit::value(values, 'G'), -18);
    EXPECT_EQ(EventKit::value(values, 'B'), 2.25);  // an up spring keeps the run
    EXPECT_EQ(EventKit::value(values, 'L'), 0);
    EXPECT_EQ(EventKit::value(values, 'M'), 40);
    EXPECT_EQ(EventKit::value(shield, 'A'), 0);

    // Rising away from the spring, the player is not launched again.
    EventKit::set_value(values, 'G', -17);
    kit.take_sounds();
    kit.run(1);
    EXPECT_EQ(EventKit::value(values, 'G'), -17);
    EXPECT_TRUE(kit.take_sounds().empty());
    EXPECT_EQ(kit.instances(types::EffectsSpringBeam_319).size(), 1u);
}

TEST_F(Springs, a_dead_or_dying_player_passes_springs)
{
    kit.place("PlayerSensorBottomBig_95", player_x, player_y);
    kit.place("YellowSpringUp_195", player_x, player_y);
    for (const double mode : {9.0, 10.0}) {
        hover(mode);
        kit.run(1);
        EXPECT_EQ(EventKit::value(values, 'G'), 0);
        EXPECT_EQ(EventKit::value(values, 'M'), mode);
    }
    EXPECT_TRUE(kit.take_sounds().empty());
    EXPECT_TRUE(kit.instances(types::EffectsSpringBeam_319).empty());
}

TEST_F(Springs, a_diagonal_spring_touched_from_the_side_acts_only_in_the_air)
{
    kit.place("PlayerSensorLeftBig_89", player_x, player_y);
    kit.place("YellowSpringUpRight_194", player_x, player_y);
    hover();
    EventKit::set_value(values, 'L', 1);
    kit.run(1);
    EXPECT_EQ(EventKit::value(values, 'B'), 0);
    EXPECT_EQ(EventKit::value(values, 'M'), 0);

    EventKit::set_value(values, 'L', 0);
    kit.run(1);
    EXPECT_EQ(EventKit::value(values, 'B'), 9);
    EXPECT_EQ(EventKit::value(values, 'G'), -9);
}

TEST_F(Springs, a_diagonal_spring_touched_from_below_acts_on_the_ground_too)
{
    kit.place("PlayerSensorBottomBig_95", player_x, player_y);
    kit.place("RedSpringUpLeft_200", player_x, player_y);
    hover();
    EventKit::set_value(values, 'L', 1);
    kit.run(1);
    EXPECT_EQ(EventKit::value(values, 'B'), -14);
    EXPECT_EQ(EventKit::value(values, 'G'), -14);
    EXPECT_EQ(EventKit::value(values, 'L'), 0);
}

TEST_F(Springs, two_springs_touched_at_once_each_get_a_beam_and_bounce)
{
    kit.place("PlayerSensorBottomBig_95", player_x, player_y);
    FrameObject* older = kit.place("YellowSpringUp_195", player_x, player_y);
    FrameObject* newer = kit.place("YellowSpringUp_195", player_x + 2, player_y);
    kit.place("YellowSpringUp_195", player_x, player_y, 2);  // on another layer: out of reach
    hover();
    kit.run(1);

    EXPECT_EQ(EventKit::value(values, 'G'), -11);
    EXPECT_EQ(kit.take_sounds().size(), 1u);
    const auto beams = kit.instances(types::EffectsSpringBeam_319);
    ASSERT_EQ(beams.size(), 2u);
    // The newest spring is visited first: its beam is the first one made.
    EXPECT_EQ(beams[0]->get_x(), newer->get_x());
    EXPECT_EQ(beams[1]->get_x(), older->get_x());
    EXPECT_EQ(static_cast<Active*>(older)->forced_animation, 5);
    EXPECT_EQ(static_cast<Active*>(newer)->forced_animation, 5);
}

TEST_F(Springs, a_red_side_springs_beam_moves_to_the_layer_of_the_newest_red_up_spring)
{
    kit.place("RedSpringUp_201", 1500, 800, 2);
    kit.place("PlayerSensorRightBig_91", player_x, player_y);
    kit.place("RedSpringLeft_203", player_x, player_y, 0);
    hover();
    EventKit::set_value(values, 'B', 4);
    kit.run(1);

    EXPECT_EQ(EventKit::value(values, 'B'), -14);
    EXPECT_EQ(EventKit::value(others, 'O'), -5);
    const auto beams = kit.instances(types::EffectsSpringBeam_319);
    ASSERT_EQ(beams.size(), 1u);
    EXPECT_EQ(beams[0]->layer->index, 2);
}

// Item boxes ------------------------------------------------------------------

TEST_F(Springs, in_the_marked_modes_landing_on_or_touching_an_unopened_box_asks_it_to_break)
{
    hover();
    EventKit::set_value(values, 'Z', 1);
    EventKit::set_value(values, 'G', 1);
    kit.place("PlayerSensorBottomBig_95", player_x, player_y);
    FrameObject* closed = kit.place("MonitorCrystals_120", player_x, player_y);
    FrameObject* opened = kit.place("MonitorCrystals_120", player_x, player_y);
    EventKit::set_value(closed, 'A', 0);
    EventKit::set_value(opened, 'A', 1);
    kit.run(1);
    EXPECT_TRUE(EventKit::flag(closed, 6));
    EXPECT_FALSE(EventKit::flag(opened, 6));

    // Rising into it from below, or outside the marked modes, the feet break nothing.
    FrameObject* next = kit.place("MonitorCrystals_120", player_x, player_y);
    EventKit::set_value(next, 'A', 0);
    EventKit::set_value(values, 'G', -1);
    kit.run(1);
    EXPECT_FALSE(EventKit::flag(next, 6));
    EventKit::set_value(values, 'G', 1);
    EventKit::set_value(values, 'Z', 0);
    kit.run(1);
    EXPECT_FALSE(EventKit::flag(next, 6));

    // The body touching it breaks it whichever way the player moves.
    kit.place("PlayerCharacterSensor_151", player_x, player_y);
    EventKit::set_value(values, 'Z', 1);
    EventKit::set_value(values, 'G', -1);
    kit.run(1);
    EXPECT_TRUE(EventKit::flag(next, 6));
}

TEST_F(Springs, the_bike_breaks_boxes_on_its_left_only_above_speed_5)
{
    hover();
    EventKit::set_value(values, 'A', 3);
    EventKit::set_value(values, 'B', -5);
    kit.place("PlayerSensorLeftBig_89", player_x, player_y);
    FrameObject* box = kit.place("MonitorCrystals_120", player_x, player_y);
    EventKit::set_value(box, 'A', 1);  // opened or not: the bike breaks it
    kit.run(1);
    EXPECT_FALSE(EventKit::flag(box, 6));
    EventKit::set_value(values, 'B', -5.5);
    kit.run(1);
    EXPECT_TRUE(EventKit::flag(box, 6));
}

// Slopes up -------------------------------------------------------------------

// Flat ground with its top at row 400; the player engine's groups on.
class SlopesUp : public ::testing::Test {
protected:
    void SetUp() override { course.enter("LevelBackdrop02_142 0 400 background 0\n"); }

    void run_loop()
    {
        Frames& f = course.kit.frames();
        f.run_loop(f.fast_loop_player01slopesup, 15, &Frames::loop_player01slopesup_4);
    }

    // One lift, with the main sensor's answer given by hand.
    void lift(double angle)
    {
        EventKit::set_value(course.player, 'Z', 1);
        course.set('N', angle);
        course.kit.frames().event_func_555();
    }

    player_course::Course course;
};

TEST_F(SlopesUp, inside_flat_ground_each_pass_lifts_the_player_one_pixel_until_it_is_out)
{
    Frames& f = course.kit.frames();
    // Deep inside, the fifteen passes lift fifteen pixels.
    course.stand(100.25, 470);
    run_loop();
    EXPECT_EQ(course.get('X'), 100.25);
    EXPECT_EQ(course.get('Y'), 455);
    EXPECT_EQ(f.fast_loop_player01slopesup.index, 15);

    // Find where the ground lets the player go, then start three pixels into it.
    course.stand(100.25, 410);
    for (int runs = 0; runs < 10 && (runs == 0 || f.fast_loop_player01slopesup.running); ++runs)
        run_loop();
    ASSERT_FALSE(f.fast_loop_player01slopesup.running);
    const double out = course.get('Y');
    course.stand(100.25, out + 3);
    run_loop();
    EXPECT_EQ(course.get('Y'), out);
    EXPECT_EQ(f.fast_loop_player01slopesup.index, 3);  // the fourth pass found it out
    EXPECT_EQ(EventKit::value(course.player, 'Z'), 0);

    // Outside the terrain it ends after one pass.
    run_loop();
    EXPECT_EQ(course.get('Y'), out);
    EXPECT_EQ(f.fast_loop_player01slopesup.index, 0);
}

TEST_F(SlopesUp, the_lift_follows_the_ground_normal_with_no_drift_on_walls)
{
    course.stand(100, 50);
    lift(0);
    EXPECT_EQ(course.get('X'), 100);
    EXPECT_EQ(course.get('Y'), 49);
    lift(90);
    EXPECT_EQ(course.get('X'), 99);
    EXPECT_EQ(course.get('Y'), 49);
    lift(270);
    EXPECT_EQ(course.get('X'), 100);
    EXPECT_EQ(course.get('Y'), 49);
    lift(45);
    EXPECT_DOUBLE_EQ(course.get('X'), 100 - std::sqrt(0.5));
    EXPECT_DOUBLE_EQ(course.get('Y'), 49 - std::sqrt(0.5));
}

}  // namespace
