// The act's opening card: the banners slide up to their rests, the black
// overlay fades by its step, the banners fly out while the HUD slides back
// down, and the player gets control on the tick the HUD is in place; with
// the act's start mode at 0 the card first fades while the player runs in.
#include "game/objects/type_ids.h"
#include "objects/active.h"
#include "runtime/manager.h"
#include "runtime/movement.h"
#include "tests/game/events/act1_frame/act1_start_kit.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace act1_test;

namespace {

bool going(const FrameObject* object) { return object->flags & FrameObject::DESTROYING; }

// The overlay's alpha after event 2142 ran on step `step`.
int overlay_alpha(double step)
{
    const int cleared = std::clamp(int(3 * step - 60), 0, 256);
    return std::clamp(256 - cleared, 0, 255);
}

void run_card_events(Frames& f)
{
    f.event_func_2136();
    f.event_func_2137();
    f.event_func_2138();
    f.event_func_2139();
    f.event_func_2140();
    f.event_func_2141();
    f.event_func_2142();
    f.event_func_2143();
    f.event_func_2144();
    f.event_func_2145();
}

struct Card {
    FrameObject* fade = nullptr;
    FrameObject* lower = nullptr;
    FrameObject* upper = nullptr;
    FrameObject* icon = nullptr;
    FrameObject* input = nullptr;
    FrameObject* movement = nullptr;
};

// The card's objects on an act-sized frame of the test's own, the HUD
// raised by `raise` pixels.
Card enter_card_frame(EventKit& kit, double start_mode, double raise, int lower_y = 248)
{
    Card card;
    kit.set_global(4, start_mode);
    EmptyFrame frame = act_frame(
        [&](Frames&) {
            card.fade = kit.place("LevelCardFade_208", 0, 0, 7);
            card.lower = kit.place("LevelCardIntro3_288", 213, lower_y, 7);
            card.upper = kit.place("LevelCardIntro2_287", 213, 248, 7);
            card.icon = kit.place("GUIIcon_108", 135, 12 - int(raise), 6);
            EventKit::set_value(card.icon, 'A', raise);
            card.input = kit.place("PlayerInput_21", -176, -56, 5);
            EventKit::set_value(card.input, 'M', 1);
            card.movement = kit.place("PlayerMovementValues_80", -200, -56, 5);
        },
        {});
    frame.handler = run_card_events;
    kit.enter_empty_frame(frame);
    return card;
}

}  // namespace

using ActStartCard = StartTest;

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
    // The act's start raised the HUD by 40 and locked the input; the lower
    // banner, below its rest, set the card going on the first tick.
    EXPECT_EQ(EventKit::value(icon, 'A'), 40);
    EXPECT_EQ(EventKit::value(input, 'M'), 1);
    EXPECT_EQ(EventKit::value(fade, 'B'), 1);
    const int icon_y = icon->get_y();

    // The lower banner rises until it passes its rest, which it is put on.
    int lower_y = lower->get_y(), ticks = 0;
    while (EventKit::value(fade, 'B') == 1 && ++ticks < 60) {
        kit.run(1);
        EXPECT_LT(lower->get_y(), lower_y);
        lower_y = lower->get_y();
        EXPECT_EQ(upper->get_y(), 248);
    }
    EXPECT_EQ(EventKit::value(fade, 'B'), 2);
    EXPECT_EQ(lower->get_y(), f.new_display_y + 152);
    EXPECT_EQ(lower->get_movement()->get_speed(), 0);

    // Then the upper banner, to 168; the step becomes 3 and counts on at once.
    int upper_y = upper->get_y();
    while (EventKit::value(fade, 'B') == 2 && ++ticks < 120) {
        kit.run(1);
        EXPECT_LT(upper->get_y(), upper_y);
        upper_y = upper->get_y();
        EXPECT_EQ(lower->get_y(), f.new_display_y + 152);
        EXPECT_EQ(fade->blend_color.a, 255);
    }
    EXPECT_EQ(EventKit::value(fade, 'B'), 4);
    EXPECT_EQ(upper->get_y(), f.new_display_y + 168);

    // From here the step counts ticks: opaque to 20, then 3 alpha steps a
    // tick; the banners rest until the step passes 96.
    for (double step = 5; step <= 97; ++step) {
        kit.run(1);
        ASSERT_EQ(EventKit::value(fade, 'B'), step);
        EXPECT_EQ(fade->blend_color.a, overlay_alpha(step - 1)) << step;
        if (step < 97) {
            EXPECT_EQ(lower->get_y(), f.new_display_y + 152);
            EXPECT_EQ(EventKit::value(icon, 'A'), 40);
        }
    }
    EXPECT_EQ(overlay_alpha(20), 255);
    EXPECT_EQ(overlay_alpha(21), 253);

    // Step 97: the banners fly apart, 3 speed steps more a tick, and the HUD
    // comes down a pixel a tick; the lock holds until it is in place.
    EXPECT_EQ(EventKit::value(icon, 'A'), 39);
    EXPECT_EQ(icon->get_y(), icon_y + 1);
    EXPECT_EQ(lower->get_movement()->get_speed(), 3);
    EXPECT_EQ(upper->get_direction(), 0);
    EXPECT_EQ(lower->get_direction(), 16);
    for (int shift = 2; shift < 40; ++shift) {
        const int lower_x = lower->get_x(), upper_x = upper->get_x();
        kit.run(1);
        EXPECT_EQ(EventKit::value(icon, 'A'), 40 - shift);
        EXPECT_EQ(lower->get_movement()->get_speed(), std::min(3 * shift, 100));
        EXPECT_LE(lower->get_x(), lower_x);
        EXPECT_GE(upper->get_x(), upper_x);
        EXPECT_EQ(EventKit::value(input, 'M'), 1);
        EXPECT_TRUE(f.level_group_32);
        EXPECT_FALSE(f.level_group_39);
    }
    EXPECT_EQ(fade->blend_color.a, 0);

    // The 40th step: the HUD is back where the layout put it, and on this
    // tick the player has control, the clock and the pause menu start and
    // the card goes.
    manager.ignore_controls = true;
    kit.run(1);
    EXPECT_EQ(EventKit::value(icon, 'A'), 0);
    EXPECT_EQ(icon->get_y(), icon_y + 40);
    EXPECT_EQ(EventKit::value(input, 'M'), 0);
    EXPECT_FALSE(manager.ignore_controls);
    EXPECT_TRUE(f.level_group_39);
    EXPECT_TRUE(f.level_group_25);
    EXPECT_FALSE(f.level_group_32);
    EXPECT_TRUE(going(fade));
    EXPECT_TRUE(going(lower));
    EXPECT_TRUE(going(upper));
    EXPECT_TRUE(icon->flags & FrameObject::VISIBLE);
    EXPECT_TRUE(kit.instance(types::GUILives_221)->flags & FrameObject::VISIBLE);
    EXPECT_EQ(EventKit::value(kit.instance(types::MasterCamera_190), 'U'), 0);
}

TEST_F(ActStartCard, with_the_start_mode_at_0_the_card_fades_while_the_player_runs_in_and_waits_for_a_stop)
{
    EventKit kit;
    const Card card = enter_card_frame(kit, 0, 3);
    // Each tick four steps more transparent and the player pushed at 3.
    for (int k = 1; k < 40; ++k) {
        EXPECT_EQ(card.fade->blend_color.a, std::clamp(256 - 8 * k, 0, 255)) << k;
        EXPECT_EQ(EventKit::value(card.fade, 'A'), k);
        EXPECT_EQ(EventKit::value(card.movement, 'B'), 3);
        EXPECT_EQ(EventKit::value(card.fade, 'B'), 0);
        EXPECT_EQ(card.lower->get_y(), 248);
        EXPECT_EQ(EventKit::value(card.icon, 'A'), 3);
        kit.run(1);
    }
    kit.run(20);
    EXPECT_EQ(EventKit::value(card.fade, 'A'), 50);
    EXPECT_EQ(card.fade->blend_color.a, 0);
    // Still running: the card waits.
    kit.run(5);
    EXPECT_EQ(kit.global(4), 0);
    EXPECT_EQ(EventKit::value(card.fade, 'B'), 0);
    // The player stops: the card goes on in the same tick.
    EventKit::set_value(card.movement, 'B', 0);
    kit.run(1);
    EXPECT_EQ(kit.global(4), 1);
    EXPECT_EQ(EventKit::value(card.fade, 'A'), 999);
    EXPECT_EQ(EventKit::value(card.fade, 'B'), 1);
}

TEST_F(ActStartCard, a_banner_already_at_its_rest_holds_the_card_and_a_hud_in_place_ends_it_at_once)
{
    {
        EventKit kit;
        const Card card = enter_card_frame(kit, 1, 5, 152);
        kit.run(30);
        EXPECT_EQ(EventKit::value(card.fade, 'B'), 0);
        EXPECT_EQ(card.lower->get_y(), 152);
        EXPECT_EQ(EventKit::value(card.input, 'M'), 1);
    }
    EventKit kit;
    const Card card = enter_card_frame(kit, 1, 0);
    EXPECT_EQ(EventKit::value(card.input, 'M'), 0);
    EXPECT_FALSE(kit.frames().level_group_32);
    EXPECT_TRUE(going(card.fade));
    EXPECT_TRUE(going(card.lower));
    EXPECT_EQ(card.lower->get_y(), 248);
}
