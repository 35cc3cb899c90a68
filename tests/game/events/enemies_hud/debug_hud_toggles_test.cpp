// The insta-shield following the player and the debug fuel key.
#include "game/frames/event_support.h"
#include "game/objects/type_ids.h"
#include "tests/game/events/act1_frame/act1_start_kit.h"

#include <gtest/gtest.h>

using namespace act1_test;
using DebugHud = StartTest;

TEST_F(DebugHud, the_insta_shield_sits_on_the_player_every_tick_unless_let_go)
{
    EventKit kit;
    FrameObject *values = nullptr, *follows = nullptr, *let_go = nullptr;
    EmptyFrame frame = act_frame(
        [&](Frames&) {
            values = kit.place("PlayerMovementValues_80", 0, 0, 1);
            follows = kit.place("ShieldInstaShield_187", 10, 10, 1);
            let_go = kit.place("ShieldInstaShield_187", 50, 60, 1);
            set_flag(let_go, 4, true);
        },
        nullptr);
    // Paused: the level's events are off, the shield follows all the same.
    frame.handler = [](Frames& f) {
        f.level_group_43 = false;
        f.event_func_2179();
    };
    kit.enter_empty_frame(frame);
    for (const double x : {120.9, -3.7, 400.0}) {
        EventKit::set_value(values, 'X', x);
        EventKit::set_value(values, 'Y', x / 2);
        kit.run(1);
        EXPECT_EQ(follows->get_x(), int(x));
        EXPECT_EQ(follows->get_y(), int(x / 2));
        EXPECT_EQ(let_go->get_x(), 50);
        EXPECT_EQ(let_go->get_y(), 60);
    }
}

TEST_F(DebugHud, the_fuel_key_gives_pimsa_fuel_at_the_player_only_with_the_debug_hotkeys_on)
{
    EventKit kit;
    FrameObject* values = nullptr;
    EmptyFrame frame = act_frame(
        [&](Frames&) {
            values = kit.place("PlayerMovementValues_80", 0, 0, 1);
            kit.place("Player_87", 700, 300, 3);
            EventKit::set_value(values, 'A', 2);
        },
        nullptr);
    frame.handler = [](Frames& f) { f.event_func_2178(); };
    kit.enter_empty_frame(frame);
    Frames& f = kit.frames();
    const auto fuel = [&] { return kit.instances(types::ObjectFuel_341).size(); };
    f.global_group_1 = true;
    kit.press_keys({48}, 1);
    EXPECT_EQ(fuel(), 0u);  // the hotkeys are off
    f.global_group_10 = true;
    EventKit::set_value(values, 'A', 1);
    kit.press_keys({48}, 1);
    EXPECT_EQ(fuel(), 0u);  // not Pimsa
    EventKit::set_value(values, 'A', 2);
    kit.press_keys({48}, 1);
    ASSERT_EQ(fuel(), 1u);
    FrameObject* can = kit.instance(types::ObjectFuel_341);
    EXPECT_EQ(can->layer->index, 3);
    EXPECT_EQ(can->get_x(), 700);
    EXPECT_EQ(can->get_y(), 300);
    kit.run(5);  // once a press
    EXPECT_EQ(fuel(), 1u);
}
