// Dorrik throws what he carries or the charged orb, charges the orb while
// the action is held, cools down after a release and drops all in some
// modes and states.
#include "tests/game/events/move_sets/dorrik_stage.h"

#include <gtest/gtest.h>

#include <tuple>

using DorrikThrow = dorrik_test::DorrikStage;

TEST_F(DorrikThrow, a_press_throws_the_carried_box_along_the_ground_and_starts_a_two_tick_cooldown)
{
    FrameObject* box = kit.place("MonitorCrate_126", 900, 100, 1);
    FrameObject* fuel = kit.place("ObjectFuel_341", 900, 300, 1);
    set_flag(box, 2, true);
    set_flag(fuel, 2, true);
    set_skin('F', 1);
    set_skin('E', 100);
    set_player('M', 1);  // carrying in the air
    set_player('O', 90);  // on a wall: no horizontal part
    set_player('B', 1);
    EXPECT_EQ(tick_with({'L', 'F'}), std::vector<unsigned>{196});
    EXPECT_EQ(EventKit::values(box, "AXY"), doubles(2, 0, -5));
    EXPECT_EQ(EventKit::values(fuel, "AXY"), doubles(2, 0, -5));
    EXPECT_FALSE(EventKit::flag(box, 2) || EventKit::flag(fuel, 2));
    // The skin lacks flag 2, so its fatigue stays; the cooldown of 2 is
    // counted down in the same tick.
    EXPECT_EQ(EventKit::values(skin(), "EFGH"), doubles(100, 0, 0, 1));
    EXPECT_EQ(mode(), 0);
    tick_with({});
    EXPECT_EQ(EventKit::value(skin(), 'H'), 0);

    // On flat ground facing right at rest: X = 4; the skin with flag 2 gets E = 0.
    set_flag(box, 2, true);
    set_flag(skin(), 2, true);
    set_skin('F', 1);
    set_player('M', 1);
    set_player('O', 0);
    set_player('B', 0);
    tick_with({'L'});
    EXPECT_EQ(EventKit::values(box, "XY"), doubles(4, 0));
    EXPECT_EQ(EventKit::value(skin(), 'E'), 0);
}

TEST_F(DorrikThrow, holding_the_action_charges_forty_ticks_with_its_sound_then_a_press_throws_the_orb)
{
    set_skin('F', 2);
    set_player('M', 30);
    std::vector<unsigned> sounds;
    for (int tick = 0; tick < 41; ++tick)
        for (unsigned id : tick_with({'F'}))
            sounds.push_back(id);
    // The charging sound once at G = 1, the ready sound when the orb sees 40.
    EXPECT_EQ(sounds, (std::vector<unsigned>{201, 194}));
    EXPECT_EQ(std::make_pair(EventKit::value(skin(), 'G'), orb_state()), std::make_pair(40.0, 1.0));
    EXPECT_FALSE(media.is_sample_playing(201));
    EXPECT_EQ(tick_with({'L', 'F'}), std::vector<unsigned>{196});
    EXPECT_EQ(EventKit::values(skin(), "FGH"), doubles(0, 0, 1));
    EXPECT_EQ(std::make_tuple(orb_state(), EventKit::value(orb(), 'X'), mode()), std::make_tuple(1.0, 5.0, 0.0));
    // Launched on the next tick, with the throw's speed.
    const int x = orb()->get_x();
    tick_with({});
    EXPECT_EQ(std::make_pair(orb_state(), orb()->get_x()), std::make_pair(2.0, x + 5));
}

TEST_F(DorrikThrow, short_of_forty_a_press_does_nothing_and_a_drop_mode_empties_the_hands_and_stops_the_sound)
{
    set_skin('F', 2);
    set_player('M', 30);
    set_skin('G', 38);
    tick_with({'F'});
    EXPECT_EQ(tick_with({'L', 'F'}), std::vector<unsigned>{});
    EXPECT_EQ(std::make_pair(hands(), mode()), std::make_pair(2.0, 30.0));
    set_skin('G', 0);
    tick_with({'F'});
    tick_with({'F'});
    ASSERT_TRUE(media.is_sample_playing(201));
    FrameObject* box = kit.place("MonitorCrate_126", 900, 100, 1);
    set_flag(box, 2, true);
    set_player('M', 6);
    set_skin('H', 1);
    tick_with({'F'});
    EXPECT_EQ(EventKit::values(skin(), "FGH"), doubles(0, 0, 0));
    EXPECT_FALSE(media.is_sample_playing(201));
    EXPECT_TRUE(EventKit::flag(box, 2));
    tick_with({});
    EXPECT_FALSE(EventKit::flag(box, 2));
    // The other drops: states 8, 12 and 48, the restriction, modes 25 and 41-46.
    for (auto [letter, n] : {std::pair{'Y', 8.0}, {'Y', 12.0}, {'Y', 48.0}, {'H', 1.0}}) {
        set_player('M', 1);
        set_skin('F', 1);
        set_other(letter, n);
        tick_with({});
        EXPECT_EQ(hands(), 0) << letter << n;
        set_other(letter, 0);
    }
    for (double drop_mode : {25.0, 41.0, 46.0, 12.0}) {
        set_player('M', drop_mode);
        set_skin('F', 1);
        tick_with({});
        EXPECT_EQ(hands(), 0) << drop_mode;
    }
    // The flight marker is cleared out of the flight mode.
    set_flag(skin(), 10, true);
    set_player('M', 1);
    tick_with({});
    EXPECT_EQ(std::make_pair(EventKit::flag(skin(), 10), movement('V')), std::make_pair(false, 1.0));
}
