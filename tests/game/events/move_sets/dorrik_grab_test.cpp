// Dorrik's action press in mode 20: a box or fuel underfoot, the orb
// charge, or nothing.
#include "tests/game/events/move_sets/dorrik_stage.h"

#include <gtest/gtest.h>

#include <tuple>

using DorrikGrab = dorrik_test::DorrikStage;

TEST_F(DorrikGrab, a_press_starts_the_charge_once_per_run_and_ends_at_once_in_cooldown_or_restriction)
{
    set_other('M', 7);
    set_player('M', 20);
    tick_with({});
    EXPECT_EQ(std::make_tuple(mode(), hands(), other('M')), std::make_tuple(30.0, 2.0, 0.0));
    // Run once: a second tick in a row in mode 20 starts nothing.
    set_player('M', 20);
    set_skin('F', 0);
    tick_with({});
    EXPECT_EQ(std::make_pair(mode(), hands()), std::make_pair(20.0, 0.0));
    tick_with({});
    EXPECT_EQ(mode(), 20);
    // The cooldown: mode 0 and empty hands.
    set_player('M', 0);
    tick_with({});
    set_skin('H', 2);
    set_skin('F', 2);
    set_player('M', 20);
    tick_with({});
    EXPECT_EQ(std::make_pair(mode(), hands()), std::make_pair(0.0, 0.0));
    // The restriction: mode 0, the hands left alone.
    set_skin('H', 0);
    set_other('H', 1);
    set_player('M', 20);
    tick_with({});
    EXPECT_EQ(std::make_pair(mode(), hands()), std::make_pair(0.0, 0.0));
    // The orb busy: the charge starts, then mode 0.
    set_other('H', 0);
    set_orb('A', 2);
    set_player('M', 0);
    tick_with({});
    set_player('M', 20);
    tick_with({});
    EXPECT_EQ(std::make_pair(mode(), hands()), std::make_pair(0.0, 2.0));
}

TEST_F(DorrikGrab, a_box_or_fuel_underfoot_is_picked_up_even_with_the_orb_out)
{
    FrameObject* first = place_on_sensor("MonitorRings_119", types::PlayerSensorBottomBig_95);
    FrameObject* second = place_on_sensor("MonitorCrate_126", types::PlayerSensorBottomBig_95);
    set_orb('A', 2);
    // The group lists the crates before the ring boxes.
    RandomState draws = event_random_state(1307);
    FrameObject* expected = ((2u * draws.step()) >> 15) == 0 ? second : first;
    set_player('M', 20);
    tick_with({});
    EXPECT_EQ(std::make_tuple(mode(), hands(), EventKit::flag(expected, 2)), std::make_tuple(30.0, 1.0, true));
    EXPECT_FALSE(EventKit::flag(expected == first ? second : first, 2));

    for (FrameObject* box : {first, second})
        box->destroy();
    FrameObject* fuel = place_on_sensor("ObjectFuel_341", types::PlayerSensorBottomBig_95);
    set_skin('F', 0);
    set_player('M', 0);
    tick_with({});
    set_player('M', 20);
    tick_with({});
    EXPECT_EQ(std::make_tuple(mode(), hands(), EventKit::flag(fuel, 2)), std::make_tuple(30.0, 1.0, true));
}
