// The player's sensors: where each one is put from the exact position and
// the ground angle, what each kind of test counts as ground, and standing
// still on flat ground, where every tick finds the floor and nothing moves.
#include "tests/game/events/player_physics/player_course.h"

#include <gtest/gtest.h>

using namespace player_course;

namespace {

// Ground whose top row is 400, across the course.
const char* const flat_ground =
    "LevelBackdrop02_142 0 400 background 0\n"
    "LevelBackdrop02_142 128 400 background 0\n"
    "LevelBackdrop02_142 256 400 background 0\n"
    "LevelBackdrop02_142 384 400 background 0\n";
constexpr int ground_top = 400;

class SensorPlacement : public ::testing::Test {
protected:
    void SetUp() override { course.enter(""); }
    void place_all() { course.kit.frames().loop_player01allsensors_4(); }
    Course course;
};

class SensorTests : public ::testing::Test {
protected:
    void SetUp() override { course.enter(flat_ground); }
    Frames& frames() { return course.kit.frames(); }
    Course course;
};

using Position = std::pair<int, int>;

}  // namespace

TEST_F(SensorPlacement, offsets_are_floored_from_the_exact_position_on_flat_ground)
{
    course.stand(100.7, 50.2);
    place_all();
    EXPECT_EQ(course.at(types::PlayerSensorBottom_94), Position(100, 62));
    EXPECT_EQ(course.at(types::PlayerSensorTop_92), Position(100, 38));
    EXPECT_EQ(course.at(types::PlayerSensorLeft_88), Position(88, 48));
    EXPECT_EQ(course.at(types::PlayerSensorRightBig_91), Position(113, 48));
    EXPECT_EQ(course.at(types::PlayerSensorSlopes_96), Position(100, 74));
    EXPECT_EQ(course.at(types::PlayerSensorLeftEdge_100), Position(92, 62));
    EXPECT_EQ(course.at(types::PlayerSensorPlatform_97), Position(100, 45));
    // The player itself is truncated, not floored: left of 0 the two differ.
    EXPECT_EQ(Position(course.player->get_x(), course.player->get_y()), Position(100, 50));
    EventKit::set_value(course.camera, 'C', -100);
    course.stand(-20.5, 50.2);
    place_all();
    EXPECT_EQ(course.at(types::PlayerSensorBottom_94), Position(-21, 62));
    EXPECT_EQ(Position(course.player->get_x(), course.player->get_y()), Position(-20, 50));
}

TEST_F(SensorPlacement, walls_and_ceilings_turn_the_offsets_without_a_trace_of_rounding)
{
    // At 90 the offset (A, B) lands at (X + B, Y - A); at 180 at (X - A, Y - B);
    // at 270 at (X - B, Y + A).
    const struct {
        double angle;
        Position left, bottom;
    } turns[] = {{90, {298, 212}, {312, 200}}, {180, {312, 202}, {300, 188}}, {270, {302, 188}, {288, 200}}};
    for (const auto& turn : turns) {
        course.stand(300, 200, turn.angle);
        place_all();
        EXPECT_EQ(course.at(types::PlayerSensorLeft_88), turn.left) << turn.angle;
        EXPECT_EQ(course.at(types::PlayerSensorBottom_94), turn.bottom) << turn.angle;
    }
    // 45 degrees: the bottom sensor 12 along (sin, cos).
    course.stand(300, 200, 45);
    place_all();
    EXPECT_EQ(course.at(types::PlayerSensorBottom_94), Position(308, 208));
    // The edge sensors turn their pictures with the ground.
    EXPECT_EQ(course.sensor(types::PlayerSensorLeftEdge_100)->get_direction(), 4);
}

TEST_F(SensorPlacement, sensors_stay_inside_the_camera_limits_and_the_probes_sink_by_their_depth)
{
    EventKit::set_value(course.camera, 'C', 50);
    EventKit::set_value(course.camera, 'E', 500);
    EventKit::set_value(course.camera, 'D', 40);
    EventKit::set_value(course.camera, 'F', 300);
    course.stand(45.5, 295);
    EventKit::set_value(course.sensor(types::PlayerSensorRightAngle_99), 'Y', 3);
    place_all();
    EXPECT_EQ(course.at(types::PlayerSensorLeft_88), Position(50, 293));
    EXPECT_EQ(course.at(types::PlayerSensorRight_90), Position(57, 293));
    EXPECT_EQ(course.at(types::PlayerSensorSlopes_96), Position(50, 300));
    EXPECT_EQ(course.at(types::PlayerSensorTop_92), Position(50, 283));
    EXPECT_EQ(course.at(types::PlayerSensorRightAngle_99), Position(52, 298));
    EXPECT_EQ(course.at(types::PlayerSensorLeftAngle_98), Position(50, 295));
    EXPECT_EQ(Position(course.player->get_x(), course.player->get_y()), Position(50, 295));
}

TEST_F(SensorPlacement, the_all_sensors_loop_labels_itself_and_leaves_the_edges_their_own_label)
{
    course.stand(100, 100);
    place_all();
    const AlterableStrings& labels = course.values->alterables->strings;
    for (unsigned i = 0; i < 8; ++i)
        EXPECT_EQ(labels.get(i), i == 6 ? "Player01DetectSensorEdges" : "Player01AllSensors") << i;
    course.kit.frames().loop_player01detectsensortop_4();
    EXPECT_EQ(labels.get(1), "Player01DetectSensorTop");
    EXPECT_EQ(labels.get(0), "Player01AllSensors");
}

TEST_F(SensorTests, standing_still_on_flat_ground_for_600_ticks_finds_the_floor_and_moves_nothing)
{
    // The body's lowest row rests on the row above the ground.
    const double x = 200.25, y = ground_top - 10;
    double angle = -1;
    course.enter(flat_ground, [&](Frames& f) {
        f.run_loop(f.fast_loop_player01wallcollision, 1, &Frames::loop_player01wallcollision_4);
        f.loop_player01detectsensoredges_4();
        angle = measure_angle(course);
        f.run_loop(f.fast_loop_player01allsensors, 1, &Frames::loop_player01allsensors_4);
    });
    course.stand(x, y);
    for (int tick = 0; tick < 600; ++tick) {
        course.kit.run(1);
        ASSERT_EQ(course.get('X'), x) << tick;
        ASSERT_EQ(course.get('Y'), y) << tick;
        ASSERT_EQ(angle, 0) << tick;
        for (int ground : {types::PlayerSensorBottom_94, types::PlayerSensorBottomBig_95, types::PlayerSensorSlopes_96,
                           types::PlayerSensorLeftEdge_100, types::PlayerSensorRightEdge_101})
            ASSERT_EQ(course.hit(ground), 1) << ground << " at tick " << tick;
        for (int clear : {types::PlayerSensorTop_92, types::PlayerSensorTopBig_93, types::PlayerSensorLeft_88,
                          types::PlayerSensorLeftBig_89, types::PlayerSensorRight_90, types::PlayerSensorRightBig_91})
            ASSERT_EQ(course.hit(clear), 0) << clear << " at tick " << tick;
        ASSERT_EQ(EventKit::value(course.player, 'Z'), 0) << tick;
    }
    // Each probe found the ground 10 pixels down.
    EXPECT_EQ(EventKit::value(course.sensor(types::PlayerSensorLeftAngle_98), 'Y'), 10);
    EXPECT_EQ(EventKit::value(course.sensor(types::PlayerSensorRightAngle_99), 'Y'), 10);
    EXPECT_EQ(course.at(types::PlayerSensorBottom_94), Position(200, ground_top + 2));
}

TEST_F(SensorTests, platforms_count_on_the_ground_and_from_above_but_not_from_below)
{
    // A platform, 64 x 16, its top row at 200, round x 300.
    FrameObject* platform = course.kit.place("LevelValleyPlatform1_149", 300, 208);
    const int top = platform->get_y() - 8;
    // A side sensor inside it: no wall in the air, a wall on the ground.
    course.stand(300 - 12, top + 6, 0, 0);
    frames().loop_player01detectsensorright_4();
    EXPECT_EQ(course.hit(types::PlayerSensorRight_90), 0);
    course.set('L', 1);
    frames().loop_player01detectsensorright_4();
    EXPECT_EQ(course.hit(types::PlayerSensorRight_90), 1);
    EXPECT_EQ(EventKit::value(course.sensor(types::PlayerSensorRightBig_91), 'Y'), 1);
    // Falling onto it with the body clear: the feet land.
    course.stand(300, top - 12, 0, 0, 0, 2);
    frames().loop_player01detectsensorbottom_4();
    EXPECT_EQ(course.hit(types::PlayerSensorBottom_94), 1);
    EXPECT_EQ(course.hit(types::PlayerSensorBottomBig_95), 1);
    // Rising through it: nothing.
    course.set('G', -2);
    frames().loop_player01detectsensorbottom_4();
    EXPECT_EQ(course.hit(types::PlayerSensorBottom_94), 0);
    // Falling with the body still inside it: nothing.
    course.stand(300, top + 4, 0, 0, 0, 2);
    frames().loop_player01detectsensorbottom_4();
    EXPECT_EQ(course.hit(types::PlayerSensorBottom_94), 0);
    EXPECT_EQ(course.hit(types::PlayerSensorBottomBig_95), 0);
}

TEST_F(SensorTests, solids_count_from_every_side_unless_flagged_and_only_terrain_marks_a_wall)
{
    FrameObject* box = course.kit.place("MonitorCrystals_120", 300, 100);
    // The big left sensor inside the box, in the air: a hit, but no wall flag.
    course.stand(300 + 13, 102, 0, 0);
    frames().loop_player01detectsensorleft_4();
    EXPECT_EQ(course.hit(types::PlayerSensorLeftBig_89), 1);
    EXPECT_EQ(EventKit::value(course.sensor(types::PlayerSensorLeftBig_89), 'Y'), 0);
    // Flag 0 takes the box out of the solids.
    box->alterables->flags |= 1;
    frames().loop_player01detectsensorleft_4();
    EXPECT_EQ(course.hit(types::PlayerSensorLeftBig_89), 0);
    // Terrain gives both flags.
    course.stand(20 + 13, ground_top + 5, 0, 0);
    frames().loop_player01detectsensorleft_4();
    EXPECT_EQ(course.hit(types::PlayerSensorLeftBig_89), 1);
    EXPECT_EQ(EventKit::value(course.sensor(types::PlayerSensorLeftBig_89), 'Y'), 1);
}

TEST_F(SensorTests, a_ledge_object_cancels_an_edge_sensors_ground)
{
    course.stand(200, ground_top - 10);
    frames().loop_player01detectsensoredges_4();
    EXPECT_EQ(course.hit(types::PlayerSensorLeftEdge_100), 1);
    EXPECT_EQ(course.hit(types::PlayerSensorRightEdge_101), 1);
    course.kit.place("HazardSpikesUp_133", 224, ground_top);
    frames().loop_player01detectsensoredges_4();
    EXPECT_EQ(course.hit(types::PlayerSensorLeftEdge_100), 1);
    EXPECT_EQ(course.hit(types::PlayerSensorRightEdge_101), 0);
}

TEST_F(SensorTests, with_a_group_off_the_loops_run_but_sense_nothing)
{
    course.stand(200, ground_top - 10);
    frames().loop_player01allsensors_4();
    ASSERT_EQ(course.hit(types::PlayerSensorBottom_94), 1);
    frames().level_group_19 = false;
    course.stand(250, ground_top - 100);
    frames().loop_player01allsensors_4();
    EXPECT_EQ(course.at(types::PlayerSensorBottom_94), Position(200, ground_top + 2));
    EXPECT_EQ(course.hit(types::PlayerSensorBottom_94), 1);
}

TEST(SensorsInAct1, at_the_start_the_sensors_stand_round_the_player_and_find_the_plateau_below)
{
    EventKit kit;
    kit.enter_frame(4);
    Frames& frames = kit.frames();
    FrameObject* values = kit.instance(types::PlayerMovementValues_80);
    ASSERT_NE(values, nullptr);
    // The plateau's top row is 448; stand the player with its body's lowest
    // row just above it and bring every sensor up to date.
    EventKit::set_value(values, 'X', 53);
    EventKit::set_value(values, 'Y', 448 - 10);
    EventKit::set_value(values, 'N', 0);
    EventKit::set_value(values, 'L', 1);
    frames.run_loop(frames.fast_loop_player01allsensors, 1, &Frames::loop_player01allsensors_4);
    const auto at = [&](int type) { return Position(kit.instance(type)->get_x(), kit.instance(type)->get_y()); };
    EXPECT_EQ(at(types::PlayerSensorBottom_94), Position(53, 450));
    EXPECT_EQ(at(types::PlayerSensorTop_92), Position(53, 426));
    EXPECT_EQ(at(types::PlayerSensorRightBig_91), Position(66, 436));
    EXPECT_EQ(at(types::Player_87), Position(53, 438));
    for (int ground : {types::PlayerSensorBottom_94, types::PlayerSensorBottomBig_95, types::PlayerSensorSlopes_96,
                       types::PlayerSensorLeftEdge_100, types::PlayerSensorRightEdge_101})
        EXPECT_EQ(EventKit::value(kit.instance(ground), 'Z'), 1) << ground;
    for (int clear :
         {types::PlayerSensorTop_92, types::PlayerSensorLeft_88, types::PlayerSensorRight_90, types::Player_87})
        EXPECT_EQ(EventKit::value(kit.instance(clear), 'Z'), 0) << clear;
}
