// Game over in the act: the death takes the last life at 70 ticks of its
// timer; game over stops that timer, puts a clear fade card over the view
// that darkens to half, queues the music calls, fades the card from 200
// ticks while the screen goes dark, and at 280 asks for the continue
// screen. The act is not restarted and no life is taken below 0.
#include "game/objects/type_ids.h"
#include "objects/arrayext.h"
#include "runtime/manager.h"
#include "tests/game/events/act1_frame/act1_start_kit.h"

#include <gtest/gtest.h>

using namespace act1_test;
using GameOver = StartTest;

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
    for (int tick = 0; tick < 200 && !EventKit::flag(body, 8); ++tick)
        kit.run(1);
    EXPECT_EQ(manager.lives, 0);
    EXPECT_FALSE(EventKit::flag(body, 9));
    const auto fades = kit.instances(types::LevelCardFade2_32);
    FrameObject* fade = fades.back();
    EXPECT_EQ(fade->layer->index, 6);
    EXPECT_EQ(fade->get_x(), f.new_display_x);
    EXPECT_EQ(fade->blend_color.a, 0);
    auto* calls = static_cast<ArrayObject*>(kit.instance(types::FunctionMusic_50));
    const int first = calls->data.current_x - 3;
    EXPECT_EQ(calls->get_string(first, 0, 0), "unlock_music()");
    EXPECT_EQ(calls->get_string(first + 1, 0, 0), "stop_music()");
    EXPECT_EQ(calls->get_string(first + 2, 0, 0), "play_music(" + kit.global_string(8) + ",1,3");

    // The timer stays at 0 while the sequence counts its own ticks in F.
    FrameObject* card = kit.instance(types::LevelCardGameOver_191);
    for (int tick = 1; tick < 280; ++tick) {
        kit.run(1);
        ASSERT_EQ(EventKit::value(body, 'F'), tick);
        ASSERT_EQ(EventKit::value(body, 'E'), 0);
        if (tick < 200)  // a step darker a tick, down to half
            EXPECT_EQ(fade->blend_color.a, 2 * std::min(tick, 64)) << tick;
        else  // the card two steps clearer a tick
            EXPECT_EQ(card->blend_color.a, std::max(256 - 4 * (tick - 199), 0)) << tick;
        EXPECT_EQ(f.next_frame, -1);
    }
    EXPECT_EQ(fade->blend_color.a, 255);
    kit.run(1);
    EXPECT_TRUE(kit.instance(types::ControllerMusic_49)->flags & FrameObject::DESTROYING);
    EXPECT_EQ(f.next_frame, 7);
    EXPECT_EQ(manager.lives, 0);
    kit.run(1);
    EXPECT_EQ(f.index, 7);
}
