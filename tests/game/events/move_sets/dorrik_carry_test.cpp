// Dorrik's HUD prompt, and his catching, carrying and letting go of item
// boxes and fuel.
#include "tests/game/events/move_sets/dorrik_stage.h"

#include <gtest/gtest.h>

#include <tuple>

using DorrikCarry = dorrik_test::DorrikStage;

TEST_F(DorrikCarry, the_prompt_blinks_every_four_ticks_and_the_last_matching_prompt_wins)
{
    auto* hud = static_cast<Active*>(kit.instance(types::GUIScoreTimeRings_107));
    // hands, orb state, mode, tick counter -> the frame shown
    struct Row {
        double hands, orb, mode, ticks;
        int frame;
    };
    const Row rows[] = {
        {0, 0, 0, 0, 0}, {0, 0, 0, 3, 0}, {0, 0, 0, 4, 1}, {0, 0, 0, 7, 1}, {0, 0, 0, 8, 0},
        {1, 0, 30, 0, 4}, {1, 0, 30, 5, 5}, {2, 1, 30, 0, 4}, {2, 0, 30, 4, 9}, {2, 0, 30, 0, 8},
        {2, 0, 3, 0, 6}, {1, 1, 27, 6, 7}, {0, 0, 3, 0, 6},
    };
    for (const Row& row : rows) {
        set_skin('F', row.hands);
        set_orb('A', row.orb);
        set_player('M', row.mode);
        kit.set_global(3, row.ticks);
        tick_with({});
        EXPECT_EQ(std::make_pair(hud->animation_direction, hud->get_frame()), std::make_pair(4, row.frame))
            << row.hands << " " << row.orb << " " << row.mode << " " << row.ticks;
    }
    // A box underfoot shows its prompt only with empty hands.
    place_on_sensor("MonitorCrate_126", types::PlayerSensorBottomBig_95);
    set_player('M', 0);
    for (auto [hands, frame] : {std::pair{0.0, 2}, {1.0, 4}}) {
        set_skin('F', hands);
        kit.set_global(3, 0);
        tick_with({});
        EXPECT_EQ(hud->get_frame(), frame) << hands;
    }
    // Without the Dorrik group the HUD keeps what it shows.
    kit.frames().level_group_59 = false;
    hud->force_frame(3);
    tick_with({});
    EXPECT_EQ(hud->get_frame(), 3);
}

TEST_F(DorrikCarry, a_falling_box_is_caught_carried_over_the_head_turned_with_him_and_let_go)
{
    FrameObject* box = place_on_sensor("MonitorCrate_126", types::PlayerSensorTopBig_93);
    set_orb('A', 1);
    // Rising after a bump: no catch.
    EventKit::set_value(box, 'B', -1);
    tick_with({});
    EXPECT_EQ(std::make_pair(hands(), EventKit::flag(box, 2)), std::make_pair(0.0, false));
    // Modes 6 to 29 and from 31 up catch nothing.
    EventKit::set_value(box, 'B', 2);
    for (double mode : {6.0, 29.0, 31.0}) {
        set_player('M', mode);
        tick_with({});
        EXPECT_EQ(hands(), 0) << mode;
    }
    set_player('M', 5);
    tick_with({});
    EXPECT_TRUE(EventKit::flag(box, 2));
    EXPECT_EQ(EventKit::values(box, "AB"), doubles(0, 0));
    EXPECT_EQ(std::make_tuple(hands(), mode(), orb_state(), shown(orb())),
              std::make_tuple(1.0, 30.0, 0.0, false));
    // Placed the same tick: 16 left of and 31 above the action point, and on
    // at 90 and 180 degrees the offset turns with the skin.
    const int ax = skin()->get_action_x(), ay = skin()->get_action_y();
    EXPECT_EQ(std::make_pair(box->get_x(), box->get_y()), std::make_pair(ax - 16, ay - 31));
    EXPECT_TRUE(EventKit::flag(box, 0));
    for (auto [angle, dx, dy] : {std::tuple{90, -31, 16}, {180, 16, 31}}) {
        skin()->set_angle(angle, 0);
        tick_with({});
        EXPECT_EQ(std::make_tuple(box->get_x() - skin()->get_action_x(), box->get_y() - skin()->get_action_y(),
                                  box->get_angle()),
                  std::make_tuple(dx, dy, angle));
    }
    // Mode 0 with busy hands goes back to the carry mode.
    set_player('M', 0);
    tick_with({});
    EXPECT_EQ(mode(), 30);
    // Empty hands let go of everything carried.
    FrameObject* fuel = kit.place("ObjectFuel_341", 900, 900, 1);
    set_flag(fuel, 2, true);
    set_skin('F', 0);
    set_player('M', 0);
    tick_with({});
    EXPECT_EQ(std::make_tuple(EventKit::flag(box, 2), EventKit::flag(fuel, 2)), std::make_tuple(false, false));
    EXPECT_EQ(std::make_pair(EventKit::value(box, 'A'), EventKit::value(fuel, 'A')), std::make_pair(2.0, 2.0));
}

TEST_F(DorrikCarry, of_two_falling_boxes_one_drawn_at_random_is_caught_and_fuel_sits_eleven_above)
{
    FrameObject* first = place_on_sensor("MonitorRings_119", types::PlayerSensorTopBig_93);
    FrameObject* second = place_on_sensor("MonitorRings_119", types::PlayerSensorTopBig_93);
    for (FrameObject* box : {first, second})
        EventKit::set_value(box, 'B', 1);
    RandomState draws = event_random_state(1263);
    FrameObject* expected = ((2u * draws.step()) >> 15) == 0 ? second : first;  // newest first
    tick_with({});
    EXPECT_TRUE(EventKit::flag(expected, 2));
    EXPECT_FALSE(EventKit::flag(expected == first ? second : first, 2));
    tick_with({});
    EXPECT_FALSE(EventKit::flag(expected == first ? second : first, 2));

    // Fuel, caught while holding the orb in the carry mode.
    for (FrameObject* box : {first, second})
        box->destroy();
    set_skin('F', 2);
    set_player('M', 30);
    set_orb('A', 1);
    FrameObject* fuel = place_on_sensor("ObjectFuel_341", types::PlayerSensorTopBig_93);
    EventKit::set_value(fuel, 'B', 3);
    tick_with({});
    EXPECT_EQ(std::make_tuple(hands(), orb_state(), EventKit::flag(fuel, 2)), std::make_tuple(1.0, 0.0, true));
    EXPECT_EQ(std::make_pair(fuel->get_x(), fuel->get_y()),
              std::make_pair(skin()->get_action_x(), skin()->get_action_y() - 11));
    skin()->set_angle(90, 0);
    tick_with({});
    EXPECT_EQ(std::make_pair(fuel->get_x(), fuel->get_y()),
              std::make_pair(skin()->get_action_x() - 11, skin()->get_action_y()));
}
