// The insta-shield following the player, the debug fuel key and the debug
// HUD mode that clicks on the score panel step through.
#include "game/frames/event_support.h"
#include "game/objects/type_ids.h"
#include "runtime/manager.h"
#include "tests/game/events/act1_frame/act1_start_kit.h"

#include <gtest/gtest.h>

#include <vector>

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

TEST_F(DebugHud, clicks_on_the_score_panel_step_the_mode_and_mode_3_shows_the_timer_again_in_the_same_tick)
{
    EventKit kit;
    FrameObject *panel = nullptr, *timer = nullptr;
    std::vector<FrameObject*> digits;
    bool clicking = false;
    int pointer_x = 0, pointer_y = 0;
    EmptyFrame frame = act_frame(
        [&](Frames& f) {
            // The global groups outlive frames: debug off, its hotkeys on.
            f.global_group_1 = false;
            f.global_group_10 = true;
            panel = kit.place("GUIScoreTimeRings_107", 100, 60, 6);
            timer = kit.place("GUITimer_349", 216, 0, 6);
            for (const char* name : {"GUITimerMilli_207", "GUITimerS_211", "GUITimerS2_212", "GUITimerM_213",
                                     "GUITimerM2_214", "GUITimerMilli2_210"})
                digits.push_back(kit.place(name, 250, 19, 6));
        },
        nullptr);
    // The pointer as the platform would report it, and a button press new
    // in this tick; then act 2's order: 2175 first, 2176 and 2177 later.
    frame.handler = [&](Frames& f) {
        manager.mouse_x = pointer_x;
        manager.mouse_y = pointer_y;
        if (clicking)
            manager.on_mouse(1, true);
        clicking = false;
        f.event_func_2175();
        f.event_func_2176();
        f.event_func_2177();
    };
    kit.enter_empty_frame(frame);
    Frames& f = kit.frames();
    const auto click_at = [&](int x, int y, bool hold = false) {
        pointer_x = x;
        pointer_y = y;
        clicking = true;
        kit.run(1);
        if (hold)
            kit.run(1);
        manager.on_mouse(1, false);
    };
    const auto shown = [&] {
        int count = 0;
        for (FrameObject* digit : digits)
            count += (digit->flags & FrameObject::VISIBLE) != 0;
        return count;
    };
    const int over_x = (panel->get_box_index(0) + panel->get_box_index(2)) / 2;
    const int over_y = (panel->get_box_index(1) + panel->get_box_index(3)) / 2;

    // Debug group off: clicks and hotkeys do nothing.
    click_at(over_x, over_y);
    EXPECT_EQ(kit.global(22), 0);
    EXPECT_EQ(shown(), 6);
    // On: the hotkey group hides the six digits and turns the timer to 3.
    f.global_group_1 = true;
    kit.run(1);
    EXPECT_EQ(shown(), 0);
    EXPECT_EQ(timer->get_direction(), 3);
    click_at(panel->get_box_index(2) + 5, over_y);  // beside the panel
    EXPECT_EQ(kit.global(22), 0);
    click_at(over_x, over_y, true);  // held on: one step
    EXPECT_EQ(kit.global(22), 1);
    click_at(over_x, over_y);
    EXPECT_EQ(kit.global(22), 2);
    kit.take_sounds();
    // The third click reaches 3 and falls back to 0 in the same tick.
    click_at(over_x, over_y);
    EXPECT_EQ(kit.global(22), 0);
    EXPECT_EQ(sample_count(kit.take_sounds(), 114), 1);
    EXPECT_FALSE(f.global_group_10);
    EXPECT_EQ(shown(), 6);
    EXPECT_EQ(timer->get_direction(), 0);
    kit.run(2);
    EXPECT_EQ(shown(), 6);
    EXPECT_EQ(kit.global(22), 0);
    f.global_group_1 = false;
}
