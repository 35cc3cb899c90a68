// The act's opening card: the banners slide up to their rests, the black
// overlay fades by its step, the banners fly out while the HUD slides back
// down, and the player gets control on the tick the HUD is in place; with
// the act's start mode at 0 the card first fades while the player runs in.
#include "game/objects/type_ids.h"
#include "runtime/manager.h"
#include "runtime/movement.h"
#include "tests/game/events/act1_frame/act1_start_kit.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace act1_test;
using ActStartCard = StartTest;

namespace {

double value(const FrameObject* object, char letter) { return EventKit::value(object, letter); }

}  // namespace

TEST_F(ActStartCard, in_act_1_the_banners_slide_in_the_overlay_fades_and_control_returns_with_the_hud)
{
    EventKit kit;
    kit.enter_frame(4);
    Frames& f = kit.frames();
    FrameObject* fade = kit.instance(types::LevelCardFade_208);
    FrameObject* lower = kit.instance(types::LevelCardIntro3_288);
    FrameObject* upper = kit.instance(types::LevelCardIntro2_287);
    FrameObject* icon = kit.instance(types::GUIIcon_108);
    FrameObject* input = kit.instance(types::PlayerInput_21);
    ASSERT_TRUE(fade && lower && upper && icon && input);
    // The HUD sits on the screen: its place there, whatever the view does.
    const int icon_y = icon->get_y() - f.display_y;
    // Steps 1 and 2: the lower banner rises to 152 below the view's top,
    // then the upper one to 168; step 3 counts on at once.
    for (int tick = 0; tick < 100 && value(fade, 'B') < 3; ++tick)
        kit.run(1);
    EXPECT_EQ(value(fade, 'B'), 4);
    EXPECT_EQ(lower->get_y(), f.new_display_y + 152);
    EXPECT_EQ(upper->get_y(), f.new_display_y + 168);
    // The step counts ticks: the overlay is opaque up to 20, then 3 alpha
    // steps clearer a tick; the HUD stays raised by the act start's 40.
    for (double step = 5; step <= 96; ++step) {
        kit.run(1);
        ASSERT_EQ(value(fade, 'B'), step);
        EXPECT_EQ(fade->blend_color.a, std::clamp(256 - std::clamp(int(3 * (step - 1) - 60), 0, 256), 0, 255));
        EXPECT_EQ(value(icon, 'A'), 40);
    }
    // From 97 the banners fly apart, 3 speed steps more a tick up to 100,
    // and the HUD comes down a pixel a tick; the input lock lifts with the
    // 40th pixel.
    manager.ignore_controls = true;
    for (int shift = 1; shift <= 40; ++shift) {
        EXPECT_EQ(value(input, 'M'), 1) << shift;
        kit.run(1);
        EXPECT_EQ(value(icon, 'A'), 40 - shift);
        EXPECT_EQ(lower->get_movement()->get_speed(), std::min(3 * shift, 100));
    }
    EXPECT_EQ(lower->get_direction(), 16);
    EXPECT_EQ(upper->get_direction(), 0);
    EXPECT_EQ(icon->get_y() - f.display_y, icon_y + 40);
    EXPECT_EQ(value(input, 'M'), 0);
    EXPECT_FALSE(manager.ignore_controls);
    EXPECT_TRUE(f.level_group_39 && f.level_group_25);
    EXPECT_FALSE(f.level_group_32);
    for (const FrameObject* card : {fade, lower, upper})
        EXPECT_TRUE(card->flags & FrameObject::DESTROYING);
}

TEST_F(ActStartCard, with_the_start_mode_at_0_the_card_fades_while_the_player_runs_in_and_waits_for_a_stop)
{
    EventKit kit;
    FrameObject *fade = nullptr, *lower = nullptr, *values = nullptr;
    EmptyFrame frame = act_frame(
        [&](Frames&) {
            fade = kit.place("LevelCardFade_208", 0, 0, 7);
            lower = kit.place("LevelCardIntro3_288", 213, 248, 7);
            EventKit::set_value(kit.place("GUIIcon_108", 135, 12, 6), 'A', 3);
            values = kit.place("PlayerMovementValues_80", -200, -56, 5);
        },
        {});
    frame.handler = [](Frames& f) {
        f.event_func_2136();
        f.event_func_2137();
        f.event_func_2138();
    };
    kit.set_global(4, 0);
    kit.enter_empty_frame(frame);
    // Four steps clearer a tick, the player pushed at 3, for 50 ticks.
    for (int k = 1; k <= 55; ++k) {
        EXPECT_EQ(fade->blend_color.a, std::clamp(256 - 8 * k, 0, 255)) << k;
        EXPECT_EQ(value(fade, 'A'), std::min(k, 50));
        EXPECT_EQ(value(values, 'B'), 3);
        kit.run(1);
    }
    EXPECT_EQ(value(fade, 'B'), 0);
    EXPECT_EQ(lower->get_y(), 248);
    // The player stops: the card goes on in the same tick.
    EventKit::set_value(values, 'B', 0);
    kit.run(1);
    EXPECT_EQ(kit.global(4), 1);
    EXPECT_EQ(value(fade, 'A'), 999);
    EXPECT_EQ(value(fade, 'B'), 1);
}
