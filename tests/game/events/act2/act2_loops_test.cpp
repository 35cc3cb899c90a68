// Act 2's loops, started as their events start them: the snake's body
// following its head, the boss triggers, the act's end and the cut-scene
// switches.
#include "game/events/stage_loops/music_queue.h"
#include "game/frames/event_support.h"
#include "objects/active.h"
#include "runtime/movement.h"
#include "tests/support/event_kit.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

class Act2Loops : public ::testing::Test {
protected:
    void SetUp() override
    {
        kit.enter_empty_frame({.layers = 3, .width = 2000, .height = 1000, .index = 5, .set_up = [](Frames& f) {
                                   f.level_group_43 = true;
                                   f.boss_arena_group = f.boss_fight_group = f.boss_fight_sub_group_3 = true;
                                   f.arena_entry_group = true;
                               }});
        player = kit.place("Player_87", 200, 120, 1);
    }

    Frames& f() { return kit.frames(); }

    EventKit kit;
    FrameObject* player = nullptr;
};

}  // namespace

TEST_F(Act2Loops, the_snake_body_follows_its_head_one_segment_a_pass)
{
    FrameObject* head = kit.place("BossVashkelHead_273", 500, 500, 2);
    EventKit::set_value(head, 'V', 500);
    EventKit::set_value(head, 'W', 500);
    std::vector<FrameObject*> segments;
    for (int k = 1; k <= 3; ++k) {
        segments.push_back(kit.place("BossSnakeBody_370", 500 + 30 * k, 500 + 40 * k, 2));
        EventKit::set_value(segments.back(), 'H', k);
    }
    // The item count of the body's list: one pass more than segments.
    const int passes = f().instances[types::BossSnakeBody_370].count();
    ASSERT_EQ(passes, 4);
    f().run_loop(f().fast_loop_movesnake, 2, &Frames::loop_movesnake_5);
    // Pass 1 steered segment 1 at the head, 50 pixels off, and handed its
    // place on.
    EXPECT_EQ(segments[0]->get_movement()->get_speed(), 1000);
    EXPECT_EQ(segments[1]->get_movement()->get_speed(), 0);
    EXPECT_EQ(EventKit::values(head, "VW"), doubles(530, 540));
    f().run_loop(f().fast_loop_movesnake, passes, &Frames::loop_movesnake_5);
    EXPECT_EQ(segments[1]->get_movement()->get_speed(), 20 * 50);
    EXPECT_EQ(segments[2]->get_movement()->get_speed(), 20 * 50);
    EXPECT_EQ(EventKit::values(head, "VW"), doubles(590, 620));
    // Segment 1 now stood at the point it steered at.
    EXPECT_EQ(segments[0]->get_movement()->get_speed(), 0);
    // Not while the chase is off.
    f().boss_fight_sub_group_3 = false;
    EventKit::set_value(head, 'V', 0);
    f().run_loop(f().fast_loop_movesnake, passes, &Frames::loop_movesnake_5);
    EXPECT_EQ(EventKit::value(head, 'V'), 0);
}

TEST_F(Act2Loops, the_acts_end_stores_the_progress_and_queues_the_stage_music)
{
    FrameObject* controller = kit.place("ControllerMusic_49", -100, -100, 0);
    FrameObject* stack = kit.place("QueueMusic_51", -100, -100, 0);
    FrameObject* calls = kit.place("FunctionMusic_50", -100, -100, 0);
    FrameObject* level = kit.place("MasterLevel_53", -100, -100, 0);
    FrameObject* trigger = kit.place("CameraTriggerBoss_169", 300, 300, 1);
    EventKit::set_value(controller, 'L', 1);
    EventKit::set_value(controller, 'D', 4);
    music::cursor(stack) = 2;
    EventKit::set_value(level, 'Z', 21);
    EventKit::set_value(level, 'J', 3);
    EventKit::set_value(level, 'L', 7);
    const int first_call = music::cursor(calls);

    f().run_loop(f().fast_loop_trigger_deactivate_boss, 1, &Frames::loop_trigger_deactivate_boss_5);
    EXPECT_TRUE(EventKit::flag(trigger, 0));

    f().run_loop(f().fast_loop_next_act, 1, &Frames::loop_next_act_5);
    EXPECT_EQ(EventKit::values(controller, "DGKL"), doubles(-1, 0, 0, 0));
    EXPECT_EQ((std::vector<double>{kit.global(4), kit.global(5), kit.global(6)}), doubles(10, 9186, 882));
    EXPECT_EQ((std::vector<double>{kit.global(13), kit.global(14), kit.global(15)}), doubles(21, 3, 7));
    EXPECT_EQ(music::cursor(stack), 0);
    EXPECT_EQ(music::cursor(calls), first_call + 1);
    EXPECT_EQ(static_cast<ArrayObject*>(calls)->get_string(first_call, -1, -1),
              "play_music(" + kit.global_string(5) + ")");
    // Nothing changes frames: the sign's event does that.
    EXPECT_EQ(f().next_frame, -1);
    f().run_loop(f().fast_loop_next_act, 1, &Frames::loop_next_act_5);
    EXPECT_EQ(music::cursor(calls), first_call + 2);
    for (unsigned k : {4u, 5u, 6u, 13u, 14u, 15u})
        kit.set_global(k, 0);

    // The cut-scene loops take the camera and the cards, and give them back.
    f().level_group_8 = f().level_group_32 = true;
    f().run_loop(f().fast_loop_cutscene_start, 1, &Frames::loop_cutscene_start_5);
    EXPECT_FALSE(f().level_group_8 || f().level_group_32);
    f().run_loop(f().fast_loop_cutscene_end, 1, &Frames::loop_cutscene_end_5);
    EXPECT_TRUE(f().level_group_8 && f().level_group_32);
}
