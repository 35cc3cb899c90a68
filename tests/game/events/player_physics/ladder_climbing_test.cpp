// The ladder: grabbing it, climbing up and down 2 pixels a tick (3 on the
// bike), climbing over the top at the marker, and the three ways off.
#include "objects/active.h"
#include "game/objects/class_lookup.h"
#include "tests/game/events/player_physics/player_state_kit.h"

#include <gtest/gtest.h>

using namespace player_state_test;

namespace {

// A ladder from y 100 to 227 at x 100-131, its marker at (116, 150).
class Ladder : public PlayerStateTest {
protected:
    void SetUp() override
    {
        PlayerStateTest::SetUp();
        enter([](EventKit& kit) {
            FrameObject* ladder = create_object("VostrelLadder_267", 100, 100);
            kit.frames().add_background_object(ladder, 1);
            kit.place("LadderTop_268", 116, 150, 1);
            kit.place("PlayerSkinPimsaBike_338", 0, 0, 1);
        });
        grab(116, 220);
    }

    // What the contact with the ladder leaves: mode 46 at (x, y).
    void grab(double x, double y)
    {
        set_player('X', x);
        set_player('Y', y);
        set_player('M', 46);
        set_player('T', 1);
        set_player('U', 1);
    }

    FrameObject* marker() { return kit.instance(types::LadderTop_268); }
    double y() { return EventKit::value(player(), 'Y'); }
};

}  // namespace

TEST_F(Ladder, climbing_up_reaches_the_marker_and_climbs_over_on_the_eighth_tick)
{
    controls({'A'});
    kit.run(1);
    EXPECT_TRUE(kit.frames().level_group_47);
    EXPECT_EQ(state(), 27);
    EXPECT_EQ(EventKit::value(player(), 'G'), -2);
    EXPECT_EQ(EventKit::value(player(), 'T'), 0);
    EXPECT_EQ(EventKit::value(player(), 'U'), 0);
    EXPECT_EQ(EventKit::value(player(), 'S'), 1);
    EXPECT_EQ(y(), 218);
    // The sensor 13 below the position before the tick's move first meets
    // the marker with the player at 144: tick 39.
    for (int tick = 2; tick <= 38; ++tick) {
        kit.run(1);
        ASSERT_EQ(y(), 220 - 2 * tick) << tick;
        ASSERT_EQ(state(), 27) << tick;
    }
    kit.run(1);
    EXPECT_EQ(y(), 142);
    EXPECT_EQ(state(), 28);
    EXPECT_TRUE(EventKit::flag(marker(), 1));
    EXPECT_EQ(EventKit::value(kit.instance(types::PlayerSkinYelto_102), 'O'), 1);
    // Over the top the player does not move; the count runs to 8.
    for (int count = 2; count <= 7; ++count) {
        kit.run(1);
        ASSERT_EQ(y(), 142);
        ASSERT_EQ(EventKit::value(kit.instance(types::PlayerSkinYelto_102), 'O'), count);
        ASSERT_EQ(mode(), 46);
    }
    kit.run(1);
    EXPECT_EQ(y(), 150 - 36);
    EXPECT_EQ(mode(), 0);
    EXPECT_EQ(state(), 0);
    EXPECT_EQ(EventKit::value(player(), 'G'), 0);
    EXPECT_EQ(EventKit::value(player(), 'T'), 1);
    EXPECT_EQ(EventKit::value(player(), 'U'), 1);
    EXPECT_FALSE(EventKit::flag(marker(), 1));
    EXPECT_EQ(EventKit::value(kit.instance(types::PlayerSkinYelto_102), 'O'), 0);
    EXPECT_EQ(EventKit::value(kit.instance(types::MasterCamera_190), 'H'), 24);
    kit.run(1);
    EXPECT_FALSE(kit.frames().level_group_47);
    EXPECT_EQ(y(), 114);
}

TEST_F(Ladder, climbing_down_lets_go_where_the_ladder_ends)
{
    grab(116, 200);
    controls({'B'});
    for (int tick = 1; tick <= 13; ++tick) {
        kit.run(1);
        ASSERT_EQ(y(), 200 + 2 * tick);
        ASSERT_EQ(state(), 29);
        ASSERT_EQ(mode(), 46);
    }
    kit.run(1);
    EXPECT_EQ(y(), 228);
    EXPECT_EQ(mode(), 1);
    EXPECT_EQ(state(), 40);
    EXPECT_EQ(EventKit::value(player(), 'G'), 0);
    EXPECT_EQ(EventKit::value(player(), 'U'), 1);
    EXPECT_EQ(EventKit::value(player(), 'T'), 1);
    kit.run(1);
    EXPECT_FALSE(kit.frames().level_group_47);
}

TEST_F(Ladder, button_one_jumps_off_or_with_down_drops_off)
{
    controls({});
    kit.run(2);
    EXPECT_EQ(y(), 220);
    controls({'K'});
    kit.run(1);
    EXPECT_EQ(mode(), 1);
    EXPECT_EQ(EventKit::value(player(), 'G'), -4);
    EXPECT_EQ(EventKit::value(player(), 'U'), 1);
    EXPECT_EQ(EventKit::value(player(), 'T'), 1);
    EXPECT_EQ(state(), 27);  // the air events choose the jump's state
    EXPECT_EQ(y(), 220);

    grab(116, 180);
    controls({'K', 'B'});
    kit.run(1);
    EXPECT_EQ(y(), 182);  // the move comes before the exits
    EXPECT_EQ(mode(), 1);
    EXPECT_EQ(state(), 40);
    EXPECT_EQ(EventKit::value(player(), 'G'), 0);
}

TEST_F(Ladder, held_controls_against_a_ceiling_both_ways_and_sideways)
{
    controls({'A'});
    kit.run(1);
    // Up and down together: the speed stays as it was.
    controls({'A', 'B'});
    kit.run(2);
    EXPECT_EQ(EventKit::value(player(), 'G'), -2);
    EXPECT_EQ(y(), 214);
    // Up against a ceiling: no climb.
    EventKit::set_value(kit.instance(types::PlayerSensorTopBig_93), 'Z', 1);
    controls({'A'});
    kit.run(1);
    EXPECT_EQ(EventKit::value(player(), 'G'), 0);
    EXPECT_EQ(y(), 214);
    // Sideways speed is held within 4 and dropped without left or right.
    set_player('B', 6);
    controls({'D'});
    kit.run(1);
    EXPECT_EQ(EventKit::value(player(), 'B'), 4);
    set_player('B', -9);
    controls({});
    kit.run(1);
    EXPECT_EQ(EventKit::value(player(), 'B'), 0);
}

TEST_F(Ladder, on_the_bike_climbs_three_a_tick_also_against_a_ceiling)
{
    set_player('A', 3);
    EventKit::set_value(kit.instance(types::PlayerOthers_75), 'Y', 47);
    controls({'A'});
    kit.run(1);
    // State 47 holds the climbing rules off until the bike rule turns it
    // into 27; the bike's own climb follows in the same tick.
    EXPECT_EQ(state(), 27);
    EXPECT_EQ(EventKit::value(player(), 'G'), -3);
    EXPECT_EQ(y(), 217);
    EXPECT_EQ(EventKit::value(kit.instance(types::PlayerSkinPimsaBike_338), 'A'), 4);
    kit.run(1);
    EXPECT_EQ(y(), 214);
    EventKit::set_value(kit.instance(types::PlayerSensorTopBig_93), 'Z', 1);
    kit.run(1);
    EXPECT_EQ(y(), 211);
    controls({'B'});
    kit.run(1);
    EXPECT_EQ(y(), 214);
    EXPECT_EQ(state(), 29);
}

TEST_F(Ladder, the_camera_height_follows_by_four_at_most_and_stops_on_the_player)
{
    EventKit::set_value(kit.instance(types::MasterCamera_190), 'B', 226);
    controls({});
    kit.run(1);
    EXPECT_EQ(EventKit::value(kit.instance(types::MasterCamera_190), 'B'), 222);
    kit.run(1);
    EXPECT_EQ(EventKit::value(kit.instance(types::MasterCamera_190), 'B'), 220);
    kit.run(1);
    EXPECT_EQ(EventKit::value(kit.instance(types::MasterCamera_190), 'B'), 220);
    EventKit::set_value(kit.instance(types::MasterCamera_190), 'B', 213);
    kit.run(1);
    EXPECT_EQ(EventKit::value(kit.instance(types::MasterCamera_190), 'B'), 217);
}

TEST_F(Ladder, without_markers_there_is_no_climbing_up)
{
    kit.instance(types::LadderTop_268)->destroy();
    kit.run(1);
    controls({'A'});
    kit.run(3);
    EXPECT_EQ(y(), 220);
    EXPECT_EQ(EventKit::value(player(), 'G'), 0);
}

TEST_F(Ladder, the_grab_animation_runs_at_its_own_pace_and_its_end_shows_the_climbing_state)
{
    controls({});
    kit.run(1);
    auto* yelto = static_cast<Active*>(kit.instance(types::PlayerSkinYelto_102));
    yelto->force_animation(33);
    yelto->force_speed(10);
    yelto->force_frame(3);
    EventKit::set_value(kit.instance(types::PlayerOthers_75), 'Y', 29);
    kit.run(1);
    EXPECT_EQ(yelto->forced_speed, -1);
    EXPECT_EQ(yelto->forced_frame, -1);
    int ticks = 1;
    while (yelto->animation_finished != 33 && ticks < 60) {
        ASSERT_EQ(state(), 29) << ticks;
        kit.run(1);
        ++ticks;
    }
    EXPECT_EQ(yelto->animation_finished, 33);
    EXPECT_EQ(state(), 27);
}
