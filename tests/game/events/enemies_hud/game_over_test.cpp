// Game over: the last life going starts the card, the fade card over the
// view darkening to half, the music calls; from 200 ticks the card fades
// and the screen goes dark on even ticks; at 280 the music objects go and
// the continue screen is asked for.
#include "game/objects/classes.h"
#include "game/objects/type_ids.h"
#include "objects/active.h"
#include "objects/arrayext.h"
#include "runtime/manager.h"
#include "tests/game/events/act1_frame/act1_start_kit.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace act1_test;

using GameOver = StartTest;

namespace {

bool going(const FrameObject* object) { return object->flags & FrameObject::DESTROYING; }

}  // namespace

TEST_F(GameOver, the_last_life_starts_the_sequence_that_leaves_for_the_continue_screen_after_280_ticks)
{
    EventKit kit;
    bool lose_last_life = false;
    FrameObject *body = nullptr, *card = nullptr, *music = nullptr, *calls = nullptr, *parser = nullptr;
    EmptyFrame frame = act_frame(
        [&](Frames&) {
            body = kit.place("Player_87", 500, 500, 2);
            card = kit.place("LevelCardGameOver_191", 0, 256, 7);
            music = kit.place("ControllerMusic_49", -100, -100, 5);
            calls = kit.place("FunctionMusic_50", -100, -100, 5);
            kit.place("QueueMusic_51", -100, -100, 5);
            parser = kit.place("StringParser_184", -100, -100, 5);
        },
        {});
    // The level's tick count (global 3) as the act advances it, then the
    // sequence's events with the game-over check last.
    frame.handler = [&](Frames& f) {
        f.global_values->set(3, f.global_values->get(3) + 1);
        f.set_display_center(1000, 500);
        if (lose_last_life)
            f.set_lives(0);
        lose_last_life = false;
        f.event_func_2100();
        f.event_func_2101();
        f.event_func_2102();
        f.event_func_2103();
        f.event_func_2104();
        f.event_func_2099();
    };
    kit.set_global(3, 0);
    kit.set_global(16, 2);
    kit.set_global(17, 1.5);
    kit.frames().global_strings->set(8, "7");
    kit.enter_empty_frame(frame);
    Frames& f = kit.frames();
    EventKit::set_value(body, 'E', 33);
    body->alterables->flags |= 1 << 9;
    kit.run(5);
    EXPECT_TRUE(kit.instances(types::LevelCardFade2_32).empty());

    lose_last_life = true;
    kit.run(1);
    EXPECT_EQ(EventKit::value(body, 'E'), 0);
    EXPECT_TRUE(EventKit::flag(body, 8));
    EXPECT_FALSE(EventKit::flag(body, 9));
    EXPECT_TRUE(card->flags & FrameObject::VISIBLE);
    const auto fades = kit.instances(types::LevelCardFade2_32);
    ASSERT_EQ(fades.size(), 1u);
    FrameObject* fade = fades[0];
    EXPECT_EQ(fade->layer->index, 6);
    EXPECT_EQ(fade->get_x(), f.new_display_x);
    EXPECT_EQ(fade->get_y(), f.new_display_y);
    EXPECT_EQ(static_cast<Active*>(fade)->x_scale, 2.0f);
    EXPECT_EQ(static_cast<Active*>(fade)->y_scale, 1.5f);
    EXPECT_EQ(fade->blend_color.a, 0);  // created clear
    auto* queue = static_cast<ArrayObject*>(calls);
    EXPECT_EQ(queue->get_string(0, 0, 0), "unlock_music()");
    EXPECT_EQ(queue->get_string(1, 0, 0), "stop_music()");
    EXPECT_EQ(queue->get_string(2, 0, 0), "play_music(7,1,3");
    EXPECT_EQ(queue->data.current_x, 3);

    // F counts the ticks; the fade card darkens a step a tick to half (64).
    for (int tick = 1; tick < 200; ++tick) {
        kit.run(1);
        ASSERT_EQ(EventKit::value(body, 'F'), tick);
        EXPECT_EQ(fade->blend_color.a, 2 * std::min(tick, 64)) << tick;
        EXPECT_EQ(card->blend_color.a, 255);
    }
    EXPECT_EQ(kit.instances(types::LevelCardFade2_32).size(), 1u);  // started once

    // From 200 the card fades 2 steps a tick, the screen 2 darker on even ticks.
    int fade_alpha = fade->blend_color.a;
    for (int tick = 200; tick < 280; ++tick) {
        kit.run(1);
        const int card_alpha = std::clamp(256 - 4 * (tick - 199), 0, 255);
        if (int(kit.global(3)) % 2 == 0)
            fade_alpha = std::min(fade_alpha + 4, 255);
        EXPECT_EQ(card->blend_color.a, card_alpha) << tick;
        EXPECT_EQ(fade->blend_color.a, fade_alpha) << tick;
        EXPECT_EQ(f.next_frame, -1);
        EXPECT_FALSE(going(music));
    }
    EXPECT_EQ(fade_alpha, 255);  // dark before the end

    EXPECT_EQ(EventKit::value(body, 'F'), 279);
    // 280: the music objects go and the continue screen (index 7) is asked for.
    kit.run(1);
    EXPECT_TRUE(going(music));
    EXPECT_TRUE(going(calls));
    EXPECT_TRUE(going(parser));
    EXPECT_EQ(f.next_frame, 7);
}

// In the act: the death takes the last life at 70 ticks of its timer, game
// over stops the timer, and 280 ticks later the continue screen comes; the
// act is not restarted and no life is taken below 0.
TEST_F(GameOver, losing_the_last_life_in_the_act_leads_to_the_continue_screen)
{
    EventKit kit;
    kit.enter_frame(4);
    Frames& f = kit.frames();
    for (int tick = 0; tick < 400 && f.level_group_32; ++tick)
        kit.run(1);
    manager.lives = 1;
    EventKit::set_value(kit.instance(types::PlayerMovementValues_80), 'R', 2);
    FrameObject* body = kit.instance(types::Player_87);
    int ticks = 0;
    while (!EventKit::flag(body, 8) && ++ticks < 200)
        kit.run(1);
    EXPECT_EQ(manager.lives, 0);
    EXPECT_EQ(EventKit::value(body, 'E'), 0);
    while (f.next_frame == -1 && ++ticks < 800) {
        kit.run(1);
        ASSERT_EQ(EventKit::value(body, 'E'), 0);
    }
    EXPECT_EQ(EventKit::value(body, 'F'), 280);
    EXPECT_EQ(f.next_frame, 7);
    EXPECT_EQ(manager.lives, 0);
    kit.run(1);
    EXPECT_EQ(f.index, 7);
}
