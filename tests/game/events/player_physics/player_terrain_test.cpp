// The course the player's scenarios run on: the player's objects are where
// the act's start events leave them, and the terrain is solid where the
// test laid it and nowhere else.
#include "tests/game/events/player_physics/player_terrain.h"

#include <gtest/gtest.h>

using namespace player_terrain;

namespace {

// Whether the player object, put at (x, y), overlaps the terrain.
bool solid_at(Frames& frames, int x, int y)
{
    FrameObject* body = frames.instances[types::Player_87].back;
    body->set_x(x);
    body->set_y(y);
    return body->overlaps_background();
}

}  // namespace

TEST(PlayerTerrain, places_the_player_above_the_floor_with_every_step_switched_on)
{
    EventKit kit;
    kit.enter_empty_frame(player_terrain_frame({}));
    FrameObject* values = player_values(kit);
    ASSERT_NE(values, nullptr);
    EXPECT_EQ(EventKit::value(values, 'X'), 256);
    EXPECT_EQ(EventKit::value(values, 'Y'), 509);
    EXPECT_FALSE(EventKit::value(kit.instance(types::PlayerSensorBottomBig_95), 'Z'));
    EXPECT_EQ(EventKit::value(values, 'L'), 0);
    for (const char name : {'T', 'U', 'V'})
        EXPECT_EQ(EventKit::value(values, name), 1) << name;
    EXPECT_EQ(EventKit::value(kit.instance(types::PlayerSensorBottomBig_95), 'B'), 13);
    EXPECT_EQ(EventKit::value(kit.instance(types::PlayerSensorLeftEdge_100), 'A'), -8);
    EXPECT_EQ(EventKit::value(kit.instance(types::MasterCamera_190), 'E'), 2048);
    EXPECT_TRUE(kit.frames().level_group_43 && kit.frames().level_group_23 && kit.frames().level_group_19);
    EXPECT_FALSE(kit.frames().level_group_56);
    EXPECT_EQ(kit.frames().qualifier_4.count, 3);
}

TEST(PlayerTerrain, a_standing_player_rests_on_the_floor_with_its_feet_touching)
{
    EventKit kit;
    TerrainScene scene;
    scene.standing = true;
    scene.floor_top = 640;
    kit.enter_empty_frame(player_terrain_frame(scene));
    FrameObject* values = player_values(kit);
    EXPECT_EQ(EventKit::value(values, 'Y'), 630);
    EXPECT_EQ(EventKit::value(values, 'L'), 1);
    for (const int foot : {types::PlayerSensorBottom_94, types::PlayerSensorBottomBig_95,
                           types::PlayerSensorLeftEdge_100, types::PlayerSensorRightEdge_101})
        EXPECT_EQ(EventKit::value(kit.instance(foot), 'Z'), 1) << foot;
    // The body sits right on the floor: a pixel lower would be in it.
    FrameObject* body = kit.instance(types::Player_87);
    body->set_x(256);
    body->set_y(631);
    EXPECT_TRUE(body->overlaps_background());
    body->set_y(630);
    EXPECT_FALSE(body->overlaps_background());
}

TEST(PlayerTerrain, is_solid_where_the_floor_slopes_and_walls_were_laid)
{
    EventKit kit;
    TerrainScene scene;
    scene.pieces = {{TerrainPiece::wall, 1024, 384}, {TerrainPiece::rise, 512, 384}};
    kit.enter_empty_frame(player_terrain_frame(scene));
    Frames& frames = kit.frames();
    EXPECT_FALSE(solid_at(frames, 256, 480));
    EXPECT_TRUE(solid_at(frames, 256, 540));
    EXPECT_TRUE(solid_at(frames, 1080, 420));
    // The rise: solid at its right-hand top corner, open at its left-hand one.
    EXPECT_TRUE(solid_at(frames, 636, 392));
    EXPECT_FALSE(solid_at(frames, 516, 392));
}

TEST(PlayerTerrain, runs_the_player_events_only_under_the_acts_groups)
{
    EventKit kit;
    TerrainScene scene;
    int ticks = 0;
    scene.handler = [&ticks](Frames& f) {
        ++ticks;
        run_player_events(f, 635, 635);
    };
    kit.enter_empty_frame(player_terrain_frame(scene));
    FrameObject* values = player_values(kit);
    EventKit::set_value(values, 'K', 1);
    kit.frames().level_group_19 = false;
    kit.run(1);
    EXPECT_EQ(EventKit::value(values, 'K'), 1);
    kit.frames().level_group_19 = true;
    kit.run(1);
    EXPECT_EQ(EventKit::value(values, 'K'), 0);
    EXPECT_EQ(ticks, 3);
}
