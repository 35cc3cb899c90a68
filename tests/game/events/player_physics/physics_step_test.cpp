// The player's physics step tick by tick: speeds quantised and clamped, the
// exact position moved along the ground angle and through the air, and the
// landings on floors and ceilings. The touch flags the sensor loops raise
// are set by the tests on terrain that would raise them.
#include "tests/game/events/player_physics/player_terrain.h"

#include "game/frames/event_index.h"
#include "runtime/movement.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace player_terrain;

namespace {

double v(const FrameObject* object, char name) { return EventKit::value(object, name); }
void set(FrameObject* object, char name, double number) { EventKit::set_value(object, name, number); }

// A scene whose handler runs the step's events `first` ... `last`.
TerrainScene step_scene(int first, int last)
{
    TerrainScene scene;
    scene.handler = [first, last](Frames& f) { run_player_events(f, first, last); };
    return scene;
}

}  // namespace

TEST(PlayerEngineSpeeds, are_quantised_toward_minus_infinity_then_held_within_the_caps)
{
    EventKit kit;
    kit.enter_empty_frame(player_terrain_frame(step_scene(631, 635)));
    FrameObject* values = player_values(kit);
    set(values, 'D', 15);
    set(values, 'H', 15);
    set(values, 'B', -0.00005);
    set(values, 'G', 0.00009);
    set(values, 'N', 12.34567);
    set(values, 'K', 1);
    kit.run(1);
    EXPECT_EQ(v(values, 'B'), -0.0001);
    EXPECT_EQ(v(values, 'G'), 0);
    EXPECT_EQ(v(values, 'N'), 12.3456);
    EXPECT_EQ(v(values, 'K'), 0);

    set(values, 'B', 20.5);
    set(values, 'G', 30);
    kit.run(1);
    EXPECT_EQ(v(values, 'B'), 15);
    EXPECT_EQ(v(values, 'G'), 15);

    // Rising has no cap.
    set(values, 'B', -20.5);
    set(values, 'G', -30);
    kit.run(1);
    EXPECT_EQ(v(values, 'B'), -15);
    EXPECT_EQ(v(values, 'G'), -30);
}

TEST(PlayerEngineStep, moves_the_exact_position_along_the_ground_angle_with_exact_axes)
{
    EventKit kit;
    TerrainScene scene = step_scene(631, 644);
    scene.start_y = 200;  // in open air
    kit.enter_empty_frame(player_terrain_frame(scene));
    FrameObject* values = player_values(kit);
    FrameObject* others = kit.instance(types::PlayerOthers_75);
    set(values, 'L', 1);
    set(values, 'D', 15);
    const double x = v(values, 'X');

    set(values, 'B', 3);
    kit.run(1);
    EXPECT_EQ(v(values, 'X'), x + 3);
    EXPECT_EQ(v(values, 'Y'), 200);
    EXPECT_EQ(v(others, 'V'), x);
    EXPECT_EQ(v(others, 'W'), 200);

    // Up a wall: x keeps no trace of the cosine.
    set(values, 'N', 90);
    set(values, 'B', 2);
    kit.run(1);
    EXPECT_EQ(v(values, 'X'), x + 3);
    EXPECT_EQ(v(values, 'Y'), 198);

    // Along a ceiling: y keeps no trace of the sine.
    set(values, 'N', 180);
    set(values, 'B', 2.5);
    kit.run(1);
    EXPECT_EQ(v(values, 'X'), x + 0.5);
    EXPECT_EQ(v(values, 'Y'), 198);

    set(values, 'N', 30);
    set(values, 'B', 4);
    kit.run(1);
    EXPECT_EQ(v(values, 'X'), x + 0.5 + std::cos(30 / 57.29577951308232) * 4);
    EXPECT_EQ(v(values, 'Y'), 198 - std::sin(30 / 57.29577951308232) * 4);

    // The horizontal step switched off leaves the position alone.
    const double y = v(values, 'Y');
    set(values, 'T', 0);
    kit.run(1);
    EXPECT_EQ(v(values, 'X'), x + 0.5 + std::cos(30 / 57.29577951308232) * 4);
    EXPECT_EQ(v(values, 'Y'), y);
}

TEST(PlayerEngineStep, falls_by_the_vertical_speed_only_in_the_air_with_the_vertical_step_on)
{
    EventKit kit;
    TerrainScene scene = step_scene(631, 644);
    scene.start_y = 200;
    kit.enter_empty_frame(player_terrain_frame(scene));
    FrameObject* values = player_values(kit);
    set(values, 'H', 15);
    set(values, 'G', 3.5);
    kit.run(2);
    EXPECT_EQ(v(values, 'Y'), 207);

    set(values, 'U', 0);
    kit.run(1);
    EXPECT_EQ(v(values, 'Y'), 207);
    set(values, 'U', 1);
    set(values, 'L', 1);
    kit.run(1);
    EXPECT_EQ(v(values, 'Y'), 207);
}

namespace {

// The slope a landing measures: the right angle sensor's offset from the
// player, read against the left one's (-7, 0), and the angle the angle
// calculator makes of the two sensors' positions. On a floor the vector is
// (-7 - x, -y); under a ceiling, where the sensors are turned over, (7 + x, y).
struct Slope {
    int x, y;
    double degrees;
};

const Slope floor_30{5, -7, std::atan(7.0 / 12) * degrees_per_radian};
const Slope floor_22{-2, -2, std::atan(2.0 / 5) * degrees_per_radian};
const Slope floor_338{-2, 2, -std::atan(2.0 / 5) * degrees_per_radian + 180 + 180};
const Slope ceiling_150{5, 7, -std::atan(7.0 / 12) * degrees_per_radian + 180};
const Slope ceiling_200{4, -4, std::atan(4.0 / 11) * degrees_per_radian + 180};
const Slope ceiling_flat{7, 0, 180};

void tilt(EventKit& kit, const Slope& slope)
{
    FrameObject* right = kit.instance(types::PlayerSensorRightAngle_99);
    set(right, 'A', slope.x);
    set(right, 'B', slope.y);
}

// The player just above the floor, falling: its bottom and edge sensors
// are inside the floor.
struct FloorLanding : testing::Test {
    EventKit kit;
    FrameObject* values = nullptr;

    void land(double fall_speed, const Slope& slope, bool both_edges)
    {
        TerrainScene scene = step_scene(645, 649);
        if (!both_edges) {
            // One square whose left end lies between the left edge sensor
            // and the player.
            scene.floor_top = -1;
            scene.pieces = {{TerrainPiece::floor, 254, 512}};
        }
        kit.enter_empty_frame(player_terrain_frame(scene));
        values = player_values(kit);
        set(values, 'B', 2);
        set(values, 'G', fall_speed);
        set(values, 'J', 0.84);
        set(values, 'N', 7);
        set(kit.instance(types::PlayerActionValuesA_86), 'C', 1);
        set(kit.instance(types::PlayerSensorBottomBig_95), 'Z', 1);
        set(kit.instance(types::PlayerSensorLeftEdge_100), 'Z', both_edges ? 1 : 0);
        set(kit.instance(types::PlayerSensorRightEdge_101), 'Z', 1);
        tilt(kit, slope);
        kit.run(1);
    }
};

}  // namespace

TEST_F(FloorLanding, on_flat_ground_keeps_the_ground_speed_and_remembers_the_fall)
{
    land(5, {7, 0, 0}, true);
    EXPECT_EQ(v(values, 'L'), 1);
    EXPECT_EQ(v(values, 'K'), 1);
    EXPECT_EQ(v(values, 'W'), 5);
    EXPECT_EQ(v(values, 'G'), 0);
    EXPECT_EQ(v(values, 'N'), 0);
    EXPECT_EQ(v(values, 'O'), 0);
    EXPECT_EQ(v(values, 'B'), 2);
    EXPECT_EQ(v(kit.instance(types::PlayerActionValuesA_86), 'C'), 0);
    // The angle sensors' frame positions went to the calculator.
    FrameObject* left = kit.instance(types::PlayerSensorLeftAngle_98);
    FrameObject* right = kit.instance(types::PlayerSensorRightAngle_99);
    EXPECT_EQ(v(kit.instance(types::MasterGroupsA_83), 'A'), left->get_x() - right->get_x());
    EXPECT_EQ(v(kit.instance(types::MasterGroupsA_83), 'B'), left->get_y() - right->get_y());
}

TEST_F(FloorLanding, on_a_slope_turns_part_of_the_fall_into_ground_speed)
{
    land(5, floor_30, true);
    EXPECT_NEAR(floor_30.degrees, 30.256, 1e-3);
    EXPECT_DOUBLE_EQ(v(values, 'N'), floor_30.degrees);
    EXPECT_DOUBLE_EQ(v(values, 'O'), floor_30.degrees);
    EXPECT_DOUBLE_EQ(v(values, 'B'), 2 - std::sin(floor_30.degrees / degrees_per_radian) * (5 * 0.84));
    EXPECT_EQ(v(values, 'L'), 1);
}

TEST_F(FloorLanding, at_22_degrees_or_less_keeps_the_ground_speed)
{
    land(5, floor_22, true);
    EXPECT_NEAR(floor_22.degrees, 21.8, 0.01);
    EXPECT_DOUBLE_EQ(v(values, 'N'), floor_22.degrees);
    EXPECT_EQ(v(values, 'B'), 2);
}

TEST_F(FloorLanding, at_338_degrees_or_more_keeps_the_ground_speed)
{
    land(5, floor_338, true);
    EXPECT_DOUBLE_EQ(v(values, 'N'), floor_338.degrees);
    EXPECT_NEAR(floor_338.degrees, 338.2, 0.01);
    EXPECT_EQ(v(values, 'B'), 2);
}

TEST_F(FloorLanding, with_one_edge_off_the_ground_lands_flat_without_measuring)
{
    land(5, floor_30, false);
    EXPECT_EQ(v(values, 'N'), 0);
    EXPECT_EQ(v(values, 'B'), 2);
    EXPECT_EQ(v(values, 'L'), 1);
}

TEST_F(FloorLanding, does_not_happen_while_rising)
{
    land(-0.5, floor_30, true);
    EXPECT_EQ(v(values, 'L'), 0);
    EXPECT_EQ(v(values, 'G'), -0.5);
    EXPECT_EQ(v(values, 'N'), 7);
}

namespace {

// The player rising under a ceiling whose underside is 9 pixels above it:
// the top sensors are inside it, and so are the bottom and edge sensors
// once they are turned upside down.
struct CeilingLanding : testing::Test {
    EventKit kit;
    FrameObject* values = nullptr;
    FrameObject* steps = nullptr;

    void rise(double vertical_speed, const Slope& slope, double mode = 1)
    {
        TerrainScene scene = step_scene(650, 656);
        scene.start_y = 300;
        scene.pieces = {{TerrainPiece::wall, 192, 164}, {TerrainPiece::wall, 320, 164}};
        kit.enter_empty_frame(player_terrain_frame(scene));
        values = player_values(kit);
        steps = kit.instance(types::PlayerActionValuesB_164);
        set(values, 'B', 1);
        set(values, 'G', vertical_speed);
        set(values, 'J', 0.84);
        set(values, 'M', mode);
        for (const int sensor : {types::PlayerSensorTopBig_93, types::PlayerSensorBottomBig_95,
                                 types::PlayerSensorLeftEdge_100, types::PlayerSensorRightEdge_101})
            set(kit.instance(sensor), 'Z', 1);
        tilt(kit, slope);
        kit.run(1);
    }
};

}  // namespace

TEST_F(CeilingLanding, on_a_sloped_ceiling_attaches_and_steers_the_rise_into_ground_speed)
{
    rise(-3, ceiling_150);
    EXPECT_NEAR(ceiling_150.degrees, 149.74, 0.01);
    EXPECT_DOUBLE_EQ(v(values, 'N'), ceiling_150.degrees);
    EXPECT_DOUBLE_EQ(v(values, 'O'), ceiling_150.degrees);
    EXPECT_DOUBLE_EQ(v(values, 'B'), 1 - (std::sin(ceiling_150.degrees / degrees_per_radian) / 0.35) * (-3 * 0.84));
    EXPECT_EQ(v(values, 'W'), -3);
    EXPECT_EQ(v(values, 'G'), 0);
    EXPECT_EQ(v(values, 'M'), 1);
    EXPECT_EQ(v(values, 'L'), 1);
    EXPECT_EQ(v(values, 'K'), 1);
    EXPECT_EQ(v(steps, 'P'), 0);
}

TEST_F(CeilingLanding, past_190_degrees_attaches_too)
{
    rise(-3, ceiling_200);
    EXPECT_NEAR(ceiling_200.degrees, 199.98, 0.01);
    EXPECT_EQ(v(values, 'L'), 1);
    EXPECT_DOUBLE_EQ(v(values, 'B'), 1 - (std::sin(ceiling_200.degrees / degrees_per_radian) / 0.35) * (-3 * 0.84));
}

TEST_F(CeilingLanding, on_a_flat_ceiling_stays_in_the_air)
{
    rise(-3, ceiling_flat);
    EXPECT_EQ(v(values, 'L'), 0);
    EXPECT_EQ(v(values, 'G'), -3);
    EXPECT_EQ(v(values, 'B'), 1);
    EXPECT_EQ(v(steps, 'P'), 2);
    EXPECT_EQ(v(values, 'N'), 180);
}

TEST_F(CeilingLanding, needs_more_than_the_threshold_rise)
{
    rise(-1.75, ceiling_150);
    EXPECT_EQ(v(values, 'L'), 0);
    EXPECT_EQ(v(steps, 'P'), 0);
    EXPECT_EQ(v(values, 'N'), 0);
}

TEST_F(CeilingLanding, never_attaches_in_movement_mode_42)
{
    rise(-5, ceiling_150, 42);
    EXPECT_EQ(v(values, 'L'), 0);
    EXPECT_EQ(v(steps, 'P'), 0);
}

TEST(PlayerEngineLayers, switch_the_collision_groups_flag_and_the_item_boxes)
{
    EventKit kit;
    kit.enter_empty_frame(player_terrain_frame(step_scene(630, 640)));
    FrameObject* values = player_values(kit);
    FrameObject* box = kit.place("MonitorRings_119", 600, 480, playfield_layer);
    // Both groups hold all three objects: the second switch wins.
    FrameObject* groups_a = kit.instance(types::MasterGroupsA_83);
    EXPECT_TRUE(EventKit::flag(groups_a, 0));
    set(values, 'P', 1);
    kit.run(1);
    EXPECT_FALSE(EventKit::flag(groups_a, 0));
    EXPECT_FALSE(EventKit::flag(kit.instance(types::PlayerActionValuesB_164), 0));
    EXPECT_FALSE(EventKit::flag(box, 0));
    set(values, 'M', 5);
    kit.run(1);
    EXPECT_TRUE(EventKit::flag(box, 0));
}

TEST(PlayerEngineLayers, the_disabled_group_switch_never_runs_and_would_run_once)
{
    EventKit kit;
    kit.enter_empty_frame(player_terrain_frame(step_scene(630, 630)));
    kit.run(5);
    EXPECT_FALSE(kit.frames().level_group_56);
    kit.frames().level_group_56 = true;
    kit.run(1);
    EXPECT_FALSE(kit.frames().level_group_56);
}

TEST(PlayerEngineStep, standing_still_on_flat_ground_for_600_ticks_moves_nothing)
{
    EventKit kit;
    TerrainScene scene;
    scene.standing = true;
    // With the ground events where they are built: nothing pulls or drops
    // a player at rest on flat ground either. The slope following (658)
    // waits for its lifting half: its slopes-down loop steps the body into
    // the floor and only the slopes-up loop (555, 556) lifts it back out.
    scene.handler = [](Frames& f) {
        const EventIndexRow* ground = find_event(682);
        const EventIndexRow* lifting = find_event(555);
        const int last = ground && ground->built ? 710 : 656;
        if (lifting && lifting->built) {
            run_player_events(f, 594, last);
        } else {
            run_player_events(f, 594, 657);
            run_player_events(f, 659, last);
        }
    };
    kit.enter_empty_frame(player_terrain_frame(scene));
    FrameObject* values = player_values(kit);
    const double x = v(values, 'X');
    const double y = v(values, 'Y');
    for (int tick = 0; tick < 600; ++tick) {
        kit.run(1);
        ASSERT_EQ(v(values, 'X'), x) << tick;
        ASSERT_EQ(v(values, 'Y'), y) << tick;
        ASSERT_EQ(v(values, 'B'), 0) << tick;
        ASSERT_EQ(v(values, 'N'), 0) << tick;
        ASSERT_EQ(v(values, 'L'), 1) << tick;
    }
}
