// The mode switch, the ground states by speed and the ground actions of
// movement mode 0.
#include "tests/game/events/player_actions/ground_mode_stage.h"

#include "objects/active.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace ground_mode_test;

namespace {

// Every mode group, as the first half of the switch clears them.
constexpr bool Frames::*all_mode_groups[] = {
    &Frames::level_group_58, &Frames::level_group_42, &Frames::level_group_2,  &Frames::level_group_28,
    &Frames::level_group_37, &Frames::level_group_10, &Frames::level_group_46, &Frames::level_group_63,
    &Frames::level_group_69, &Frames::level_group_62, &Frames::level_group_21, &Frames::level_group_51,
    &Frames::level_group_44, &Frames::level_group_33, &Frames::level_group_71, &Frames::level_group_54,
    &Frames::level_group_11, &Frames::level_group_64, &Frames::level_group_48, &Frames::level_group_70,
    &Frames::level_group_49, &Frames::level_group_65, &Frames::level_group_26, &Frames::level_group_36,
    &Frames::level_group_66, &Frames::level_group_5,  &Frames::level_group_13, &Frames::level_group_45,
    &Frames::level_group_18, &Frames::level_group_74, &Frames::level_group_30, &Frames::level_group_27,
    &Frames::level_group_12, &Frames::level_group_53, &Frames::level_group_55, &Frames::level_group_29,
    &Frames::level_group_47, &Frames::level_group_15, &Frames::level_group_67, &Frames::level_group_17,
};

struct Dispatch {
    double mode, character;
    bool Frames::*group;  // null: none on
};

constexpr Dispatch dispatches[] = {
    {20, 1, &Frames::level_group_71}, {20, 2, &Frames::level_group_54}, {20, 3, &Frames::level_group_54},
    {20, 4, &Frames::level_group_11}, {20, 5, nullptr},                 {21, 0, &Frames::level_group_64},
    {21, 1, &Frames::level_group_48}, {21, 2, nullptr},                 {21, 5, nullptr},
    {22, 5, &Frames::level_group_70}, {23, 0, nullptr},                 {25, 5, &Frames::level_group_49},
    {26, 5, &Frames::level_group_65}, {27, 5, &Frames::level_group_26}, {28, 5, &Frames::level_group_36},
    {30, 5, &Frames::level_group_66}, {31, 5, &Frames::level_group_5},  {32, 5, &Frames::level_group_13},
    {37, 5, &Frames::level_group_45}, {38, 5, &Frames::level_group_18}, {39, 5, &Frames::level_group_74},
    {40, 5, &Frames::level_group_30}, {41, 5, &Frames::level_group_27}, {42, 5, &Frames::level_group_12},
    {43, 5, &Frames::level_group_53}, {44, 5, &Frames::level_group_55}, {45, 5, &Frames::level_group_29},
    {46, 5, &Frames::level_group_47}, {47, 5, &Frames::level_group_15}, {48, 5, &Frames::level_group_67},
    {49, 5, nullptr},                 {50, 5, &Frames::level_group_17}, {20.5, 1, nullptr},
};

double v(FrameObject* object, char letter) { return EventKit::value(object, letter); }

}  // namespace

TEST_F(GroundModeTest, the_mode_switch_leaves_only_the_group_of_the_mode_and_character_on)
{
    enter();
    Frames& f = kit.frames();
    for (const Dispatch& row : dispatches) {
        SCOPED_TRACE(testing::Message() << "mode " << row.mode << " character " << row.character);
        set_player('M', row.mode);
        set_player('A', row.character);
        EventKit::set_value(kit.instance(types::PlayerActionValuesB_164), 'O', 3);
        kit.run(1);
        for (bool Frames::*group : all_mode_groups)
            EXPECT_EQ(f.*group, group == row.group);
        EXPECT_EQ(get('Z'), row.mode == 42 ? 1 : 0);
        // The ladder mode counts no air actions, every tick it lasts.
        EXPECT_EQ(v(kit.instance(types::PlayerActionValuesB_164), 'O'), row.mode == 46 ? 0 : 3);
    }
}

TEST_F(GroundModeTest, the_ground_speed_gives_the_standing_walking_and_running_states)
{
    enter();
    struct Case {
        double on_ground, speed, state_before, state_after;
    };
    for (const Case& c : {Case{1, 0, 7, 0}, Case{1, -3, 0, 1}, Case{1, 4.999, 2, 1}, Case{1, 5, 1, 2},
                          Case{1, -5, 0, 2}, Case{1, 0, 12, 12}, Case{1, 0, 48, 48}, Case{0, 6, 3, 3},
                          Case{0, 0, 13, 0}, Case{0, 0, 22, 22}}) {
        SCOPED_TRACE(testing::Message() << "L " << c.on_ground << " B " << c.speed << " state " << c.state_before);
        set_player('L', c.on_ground);
        set_player('B', c.speed);
        set_player('T', 0);
        set_player('S', 0);
        set_state(c.state_before);
        kit.run(1);
        EXPECT_EQ(state(), c.state_after);
        const bool standing = c.on_ground == 1 && c.state_after == 0;
        const bool moving = c.on_ground == 1 && c.speed != 0;
        EXPECT_EQ(get('T'), standing || moving ? 1 : 0);
        EXPECT_EQ(get('S'), standing ? 1 : 0);
        EXPECT_EQ(get('M'), 0);
    }
    // Orrun's state 22 ends on the ground mode; Yelto's (above) does not.
    set_player('A', 1);
    set_state(22);
    kit.run(1);
    EXPECT_EQ(state(), 0);
}

TEST_F(GroundModeTest, the_rolling_bike_keeps_one_spark_behind_it_turned_with_its_frame)
{
    enter();
    FrameObject* bike = kit.instance(types::PlayerSkinPimsaBike_338);
    static_cast<Active*>(bike)->force_frame(2);
    set_player('A', 3);
    set_player('L', 0);
    set_state(8);
    kit.run(1);
    ASSERT_EQ(kit.instances(types::ShieldInstaShield_187).size(), 1u);
    FrameObject* spark = kit.instance(types::ShieldInstaShield_187);
    FrameObject* body = kit.instance(types::Player_87);
    EXPECT_EQ(v(spark, 'A'), 2);
    EXPECT_EQ(spark->get_x(), body->get_x());
    EXPECT_EQ(spark->get_y(), body->get_y());
    EXPECT_EQ(spark->get_angle(), 90);
    EXPECT_LT(spark->depth, bike->depth);
    kit.run(3);
    EXPECT_EQ(kit.instances(types::ShieldInstaShield_187).size(), 1u);
}

TEST_F(GroundModeTest, the_controls_on_the_ground_lead_into_the_other_modes)
{
    enter();
    struct Case {
        const char* what;
        double character, speed, second_flag, angle;
        std::initializer_list<char> controls;
        double mode, speed_after, fall_after;
    };
    // The jump speed is -7.
    const Case cases[] = {
        {"look up", 0, 0, 0, 0, {'A'}, 2, 0, 0},
        {"no look up while moving", 0, 0.5, 0, 0, {'A'}, 0, 0.5, 0},
        {"crouch stops a slow slide", 0, 1.5, 0, 0, {'B'}, 3, 0, 0},
        {"no crouch with a direction", 0, 0, 0, 0, {'B', 'C'}, 0, 0, 0},
        {"skid at the threshold", 0, 4, 0, 0, {'I'}, 4, 4, 0},
        {"no skid below it", 0, 3.99, 0, 0, {'I'}, 0, 3.99, 0},
        {"skid to the right", 0, -4, 0, 0, {'J'}, 4, -4, 0},
        {"skid on a held direction", 0, 4, 1, 0, {'C'}, 4, 4, 0},
        {"held needs the second flag", 0, 4, 0, 0, {'C'}, 0, 4, 0},
        {"Pimsa's ground move", 2, 2, 0, 0, {'H'}, 6, 2, 0},
        {"held down with the flag", 2, -2, 1, 0, {'B'}, 6, -2, 0},
        {"not for Yelto", 0, 2, 0, 0, {'H'}, 0, 2, 0},
        {"Hespin below 9.5 with down", 5, 9.49, 0, 0, {'K', 'B'}, 0, 9.49, 0},
        {"Hespin at 9.5 with down", 5, 9.5, 0, 0, {'K', 'B'}, 1, 9.5, -7},
        {"jump on a wall", 0, 3, 0, 90, {'K'}, 1, -7, -3},
        {"jump on a ceiling", 0, 3, 0, 180, {'K'}, 1, -3, 7},
        {"jump on the other wall", 0, 3, 0, 270, {'K'}, 1, 7, 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        for (const char letter : {'M', 'G', 'N'})
            set_player(letter, 0);
        set_player('L', 1);
        set_player('S', 1);
        set_player('A', c.character);
        set_player('B', c.speed);
        set_player('K', c.second_flag);
        set_player('N', c.angle);
        controls(c.controls);
        kit.take_sounds();
        kit.run(1);
        EXPECT_EQ(get('M'), c.mode);
        EXPECT_EQ(get('B'), c.speed_after);
        EXPECT_EQ(get('G'), c.fall_after);
        EXPECT_EQ(get('S'), c.mode == 4 || c.mode == 6 ? 0 : 1);
        EXPECT_EQ(sample_count(kit.take_sounds(), 7), c.mode == 6 ? 1 : 0);
        if (c.mode == 1) {
            EXPECT_EQ(get('N'), 0);
            EXPECT_EQ(get('L'), 0);
        }
        // Leaving the mode ends the mode-0 group for the rest of the tick.
        EXPECT_EQ(kit.frames().level_group_58, c.mode == 0);
    }
}

TEST_F(GroundModeTest, walls_water_and_air_ticks_on_the_ground_mode)
{
    enter();
    // Pushing needs a wall at the held side and a vertical speed below 0.2.
    EventKit::set_value(kit.instance(types::PlayerSensorRightBig_91), 'Z', 1);
    controls({'D'});
    for (const double fall : {0.2, 0.1}) {
        set_player('G', fall);
        kit.run(1);
    }
    EXPECT_EQ(get('M'), 11);
    EXPECT_EQ(get('Q'), 1);

    // Off the ground the air ticks count to 10 and stay; Pimsa's countdown
    // stops at 0.
    controls({});
    set_player('M', 0);
    set_player('L', 0);
    FrameObject* pimsa = kit.instance(types::PlayerSkinPimsa_324);
    EventKit::set_value(pimsa, 'N', 2);
    for (int tick = 1; tick <= 12; ++tick) {
        kit.run(1);
        EXPECT_EQ(v(others(), 'P'), std::min(tick, 10)) << tick;
        EXPECT_EQ(v(pimsa, 'N'), std::max(2 - tick, 0)) << tick;
    }

    // In the water and off the ground: airborne, in state 43 only once the
    // fall is 2 or less.
    EventKit::set_value(others(), 'H', 1);
    set_state(43);
    for (const double fall : {2.5, 2.0}) {
        EXPECT_EQ(get('M'), 0);
        set_player('G', fall);
        kit.run(1);
    }
    EXPECT_EQ(get('M'), 1);

    // On the ground in the water, holding jump jumps, silently, with the air
    // count full.
    set_player('M', 0);
    set_player('L', 1);
    set_player('G', 0);
    controls({'E'});
    kit.take_sounds();
    kit.run(1);
    EXPECT_EQ(get('M'), 1);
    EXPECT_EQ(get('G'), -7);
    EXPECT_EQ(v(others(), 'P'), 10);
    EXPECT_EQ(kit.take_sounds().size(), 0u);
}

TEST_F(GroundModeTest, a_wall_push_starts_on_the_held_side_only_while_the_vertical_speed_stays_below_0_2)
{
    enter();
    struct Case {
        double fall, left_wall, right_wall, on_ground;
        char held;
        double mode, facing;
    };
    const Case cases[] = {
        {0.2, 0, 1, 1, 'D', 0, 0},   {-0.2, 0, 1, 1, 'D', 0, 0},  {0.19, 0, 1, 1, 'D', 11, 1},
        {-0.19, 0, 1, 1, 'D', 11, 1}, {0.2, 1, 0, 1, 'C', 0, 0},  {-0.2, 1, 0, 1, 'C', 0, 0},
        {0.19, 1, 0, 1, 'C', 11, -1}, {-0.19, 1, 0, 1, 'C', 11, -1},
        {0, 1, 0, 1, 'D', 0, 0},  // the wall on the other side
        {0, 0, 1, 1, 'C', 0, 0},  {0, 0, 1, 0, 'D', 0, 0},  // in the air
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "G " << c.fall << " held " << c.held << " walls " << c.left_wall
                                        << c.right_wall << " L " << c.on_ground);
        set_player('M', 0);
        set_player('Q', 0);
        set_player('G', c.fall);
        set_player('L', c.on_ground);
        EventKit::set_value(kit.instance(types::PlayerSensorLeftBig_89), 'Z', c.left_wall);
        EventKit::set_value(kit.instance(types::PlayerSensorRightBig_91), 'Z', c.right_wall);
        controls({c.held});
        kit.run(1);
        EXPECT_EQ(get('M'), c.mode);
        EXPECT_EQ(get('Q'), c.facing);
    }

    // The push leaves the ground group on: in the water, jump held still
    // jumps in the same tick, keeping the facing the push gave.
    set_player('M', 0);
    set_player('L', 1);
    set_player('G', 0.1);
    EventKit::set_value(kit.instance(types::PlayerSensorLeftBig_89), 'Z', 1);
    EventKit::set_value(others(), 'H', 1);
    controls({'C', 'E'});
    kit.run(1);
    EXPECT_EQ(get('M'), 1);
    EXPECT_EQ(get('Q'), -1);
    EXPECT_EQ(get('G'), -7);
}
