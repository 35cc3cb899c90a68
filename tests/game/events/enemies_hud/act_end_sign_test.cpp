// The act's end: the sign is passed only running right into the last 50
// pixels; the card fades in step by step while the player runs on, and the
// tick it turns opaque marks the act change and asks for the next frame.
// The level's tick counter runs beside it. Then act 1 itself, played to
// its sign.
#include "console/pads.h"
#include "objects/active.h"
#include "game/objects/type_ids.h"
#include "tests/game/events/act1_frame/act1_start_kit.h"
#include "tests/support/event_kit.h"

#include <gtest/gtest.h>

namespace {

using act1_test::act_width;

struct EndScene {
    FrameObject* values = nullptr;
    FrameObject* input = nullptr;
    FrameObject* sign = nullptr;
    FrameObject* skin = nullptr;
};

// An act-wide frame that runs only the sign's events.
EndScene enter_end_scene(EventKit& kit)
{
    EndScene scene;
    EmptyFrame frame = act1_test::act_frame(
        [&kit, &scene](Frames& f) {
            // A run-once word as a fresh act arms it.
            f.run_once_1959 = 0;
            scene.values = kit.place("PlayerMovementValues_80", -100, -100);
            scene.input = kit.place("PlayerInput_21", -100, -100);
            scene.sign = kit.place("Sign_170", 14992, 85, 2);
            scene.skin = kit.place("PlayerSkinYelto_102", 0, 0, 2);
        },
        nullptr);
    frame.handler = [](Frames& f) {
        f.set_display_center(14000, 300);
        for (auto event : {&Frames::event_func_1959, &Frames::event_func_1960, &Frames::event_func_1961,
                           &Frames::event_func_1962, &Frames::event_func_1963, &Frames::event_func_1964})
            (f.*event)();
    };
    kit.enter_empty_frame(frame);
    return scene;
}

}  // namespace

TEST(ActEndSign, passing_the_sign_fades_the_card_in_and_asks_for_the_next_act_on_the_64th_tick)
{
    EventKit kit;
    EndScene s = enter_end_scene(kit);
    Frames& f = kit.frames();
    kit.set_global(16, 2);
    kit.set_global(17, 3);
    // The tick counter drops its fraction and counts one a tick.
    kit.set_global(3, 10.75);
    kit.run(1);
    EXPECT_EQ(kit.global(3), 11);

    // Standing in the last stretch, or running left in it, passes nothing;
    // 50 pixels from the edge is not yet in it.
    s.skin->set_direction(16, false);
    EventKit::set_value(s.values, 'X', act_width - 50);
    EventKit::set_value(s.values, 'B', 4);
    kit.run(1);
    EventKit::set_value(s.values, 'X', act_width - 49);
    for (const double speed : {0.0, -3.0}) {
        EventKit::set_value(s.values, 'B', speed);
        kit.run(1);
    }
    EXPECT_FALSE(EventKit::flag(s.sign, 1));
    EXPECT_TRUE(kit.instances(types::LevelCardFade2_32).empty());

    // Running right into it: the card over the view, scaled by globals 16
    // and 17, already one step in; the skins and the player face right.
    EventKit::set_value(s.values, 'B', 0.5);
    EventKit::set_value(s.values, 'L', 1);
    EventKit::set_value(s.values, 'Q', -1);
    kit.run(1);
    EXPECT_TRUE(EventKit::flag(s.sign, 1));
    FrameObject* card = kit.instance(types::LevelCardFade2_32);
    ASSERT_NE(card, nullptr);
    EXPECT_EQ(card->layer->index, 6);
    EXPECT_EQ(card->get_x(), f.new_display_x);
    EXPECT_EQ(card->get_y(), f.new_display_y);
    EXPECT_EQ(static_cast<Active*>(card)->x_scale, 2.0f);
    EXPECT_EQ(static_cast<Active*>(card)->y_scale, 3.0f);
    EXPECT_EQ(card->blend_color.a, 4);
    EXPECT_EQ(s.skin->get_direction(), 0);
    EXPECT_EQ(EventKit::value(s.values, 'Q'), 1);
    EXPECT_EQ(EventKit::value(kit.instance(types::PlayerInput_21), 'M'), 1);
    // On the ground the slow run is raised to 2.
    EXPECT_EQ(EventKit::value(s.values, 'B'), 2);

    // Ticks 2 ... 63: four steps of alpha each, one card only; in the air
    // the speed is left alone; beyond the edge U is cleared.
    EventKit::set_value(s.values, 'L', 0);
    EventKit::set_value(s.values, 'B', 1);
    EventKit::set_value(s.values, 'U', 1);
    kit.run(1);
    EXPECT_EQ(card->blend_color.a, 8);
    EXPECT_EQ(EventKit::value(s.values, 'B'), 1);
    EventKit::set_value(s.values, 'X', act_width + 20);
    kit.run(1);
    EXPECT_EQ(EventKit::value(s.values, 'U'), 1);
    EventKit::set_value(s.values, 'X', act_width + 21);
    kit.run(60);
    EXPECT_EQ(EventKit::value(s.values, 'U'), 0);
    EXPECT_EQ(card->blend_color.a, 252);
    EXPECT_EQ(kit.instances(types::LevelCardFade2_32).size(), 1u);
    EXPECT_EQ(f.next_frame, -1);
    EXPECT_EQ(kit.global(4), 0);
    // The 64th: opaque, the act change marked and act 2 asked for.
    kit.run(1);
    EXPECT_EQ(card->blend_color.a, 255);
    EXPECT_EQ(kit.global(4), -1);
    EXPECT_EQ(f.next_frame, 5);
    EXPECT_EQ(kit.global(3), 11 + 3 + 64);
    // Act 2 at the start of the next tick, entered as from act 1's end.
    kit.run(1);
    EXPECT_EQ(f.index, 5);
}

TEST(ActEndSign, nothing_counts_or_ends_while_gameplay_is_off_and_a_passed_sign_keeps_the_player_running)
{
    EventKit kit;
    EndScene s = enter_end_scene(kit);
    Frames& f = kit.frames();
    f.level_group_43 = false;
    kit.set_global(3, 0);
    EventKit::set_value(s.values, 'X', act_width);
    EventKit::set_value(s.values, 'B', 6);
    kit.run(5);
    EXPECT_FALSE(EventKit::flag(s.sign, 1));
    EXPECT_EQ(kit.global(3), 0);
    // Switched on again while the player is still there: the sign is
    // passed on that tick.
    f.level_group_43 = true;
    kit.run(1);
    EXPECT_TRUE(EventKit::flag(s.sign, 1));
    EXPECT_EQ(kit.global(3), 1);

    // Once passed, wherever the player is: on the ground a backward speed
    // becomes 2, in the air it is left alone.
    EventKit::set_value(s.values, 'X', 1000);
    EventKit::set_value(s.values, 'L', 1);
    EventKit::set_value(s.values, 'B', -3);
    kit.run(1);
    EXPECT_EQ(EventKit::value(s.values, 'B'), 2);
    EventKit::set_value(s.values, 'L', 0);
    EventKit::set_value(s.values, 'B', -3);
    kit.run(1);
    EXPECT_EQ(EventKit::value(s.values, 'B'), -3);
}

// Act 1 played to its end: from the start, once control is handed over,
// the player runs off and is then put in the miniboss's arena, whose
// barrier its defeat removes; running right it jumps off the arena's end
// past the sign, the card fades in and act 2 is entered as reached from
// act 1's end.
TEST(ActEndSign, act_1_played_from_the_start_past_the_sign_enters_act_2)
{
    EventKit kit;
    Frames& f = kit.frames();
    kit.enter_frame(4);
    for (int tick = 0; tick < 400 && f.level_group_32; ++tick)
        kit.run(1);
    ASSERT_FALSE(f.level_group_32);
    FrameObject* values = kit.instance(types::PlayerMovementValues_80);
    kit.hold(VPAD_BUTTON_RIGHT);
    kit.run(60);
    EXPECT_GT(EventKit::value(values, 'X'), 200);

    EventKit::set_value(values, 'X', 14600);
    EventKit::set_value(values, 'Y', 900);
    for (FrameObject* barrier : kit.instances(types::MinibossBarrier_308))
        barrier->destroy();
    kit.run(30);
    kit.hold(VPAD_BUTTON_RIGHT | VPAD_BUTTON_A);
    kit.run(10);
    kit.hold(VPAD_BUTTON_RIGHT);
    FrameObject* sign = kit.instance(types::Sign_170);
    for (int tick = 0; tick < 120 && !EventKit::flag(sign, 1); ++tick)
        kit.run(1);
    ASSERT_TRUE(EventKit::flag(sign, 1));
    EXPECT_GT(EventKit::value(values, 'X'), act_width - 50);
    EXPECT_EQ(kit.instances(types::LevelCardFade2_32).size(), 1u);
    kit.release();
    // The card fades in whatever the player does (the act's game-over
    // events darken the same card a step more each tick, so it is opaque
    // before the 64th); the tick it is asks for act 2, which the next tick
    // enters.
    FrameObject* card = kit.instance(types::LevelCardFade2_32);
    int ticks = 1;
    for (; ticks < 64 && f.next_frame == -1; ++ticks)
        kit.run(1);
    EXPECT_EQ(card->blend_color.a, 255);
    EXPECT_LT(ticks, 64);
    EXPECT_EQ(f.next_frame, 5);
    EXPECT_EQ(kit.global(4), -1);
    kit.run(1);
    EXPECT_EQ(f.index, 5);
    kit.run(10);
    EXPECT_EQ(f.index, 5);
}
