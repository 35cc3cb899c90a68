// Act 2's loops, started as their events start them: Thornaks turning
// toward the player and standing up on the floor, the spore pod's fan, the
// debris of a defeated pod, the snake's body following its head, the boss
// triggers, the act's end and the cut-scene switches.
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

double angle_cos(double degrees) { return std::cos(degrees / 57.29577951308232); }
double angle_sin(double degrees) { return std::sin(degrees / 57.29577951308232); }

}  // namespace

TEST_F(Act2Loops, idle_thornaks_near_the_view_turn_toward_the_player_and_landing_ones_stand_up)
{
    FrameObject* left = kit.place("EnemyThornak_394", 100, 120, 1);
    FrameObject* level = kit.place("EnemyThornak_394", 200, 120, 1);  // exactly at the player's x
    FrameObject* far = kit.place("EnemyThornak_394", 900, 120, 1);    // beyond the view by more than 50
    FrameObject* hopping = kit.place("EnemyThornak_394", 300, 120, 1);
    FrameObject* walking = kit.place("EnemyThornak_394", 320, 120, 1);
    for (FrameObject* t : {left, level, far, hopping})
        EventKit::set_value(t, 'D', 1);
    EventKit::set_value(walking, 'D', 3);
    static_cast<Active*>(hopping)->force_animation(10);
    f().run_loop(f().fast_loop_thornak, 1, &Frames::loop_thornak_5);
    EXPECT_EQ(EventKit::values(left, "DE"), doubles(2, 1.6));
    EXPECT_EQ(EventKit::values(level, "DE"), doubles(2, -1.6));
    EXPECT_EQ(static_cast<Active*>(level)->forced_animation, 1);
    for (FrameObject* kept : {far, hopping})
        EXPECT_EQ(EventKit::values(kept, "DE"), doubles(1, 0));
    EXPECT_EQ(EventKit::values(walking, "DE"), doubles(3, 0));

    // Landing: the fall stops and the Thornak stands one pixel higher, once
    // however many passes the loop makes.
    set_flag(left, 4, true);
    EventKit::set_value(left, 'F', 3.2);
    EventKit::set_value(left, 'H', 150.5);
    f().run_loop(f().fast_loop_thornak_floor, 4, &Frames::loop_thornak_floor_5);
    EXPECT_EQ(EventKit::values(left, "FH"), doubles(0, 149.5));
    EXPECT_EQ(left->get_y(), 149);
    EXPECT_FALSE(EventKit::flag(left, 4));
    EXPECT_EQ(f().fast_loop_thornak_floor.index, 4);
}

TEST_F(Act2Loops, a_pod_spits_its_fan_one_spore_a_pass_and_breaks_into_numbered_debris)
{
    FrameObject* pod = kit.place("EnemySporePod_393", 400, 300, 2);
    EventKit::set_value(pod, 'F', 2);
    f().run_loop(f().fast_loop_sporepod, 3, &Frames::loop_sporepod_5);
    std::vector<FrameObject*> spores = kit.instances(types::EnemySporeProjectile_403);
    ASSERT_EQ(spores.size(), 2u);
    EXPECT_EQ(EventKit::value(pod, 'F'), 0);
    // Placed at the old angle (225, then 135), thrown along the new (135, 45).
    EXPECT_EQ(EventKit::value(spores[0], 'A'), pod->get_x() + 4 * angle_cos(225));
    EXPECT_EQ(EventKit::value(spores[0], 'B'), pod->get_action_y() - 4 * angle_sin(225));
    EXPECT_EQ(EventKit::values(spores[0], "CD"), doubles(2 * angle_cos(135), -3 - angle_sin(135)));
    EXPECT_EQ(EventKit::values(spores[1], "CD"), doubles(2 * angle_cos(45), -3 - angle_sin(45)));
    EXPECT_EQ(spores[0]->layer, pod->layer);

    // A bike's wreck alone leaves the pod be.
    f().run_loop(f().fast_loop_spawndebris, 5, &Frames::loop_spawndebris_5);
    EXPECT_TRUE(kit.instances(types::EffectsDebris_266).empty());
    EventKit::set_value(pod, 'A', -5);
    f().run_loop(f().fast_loop_spawndebris, 5, &Frames::loop_spawndebris_5);
    std::vector<int> frames;
    for (FrameObject* piece : kit.instances(types::EffectsDebris_266)) {
        frames.push_back(static_cast<Active*>(piece)->forced_frame);
        EXPECT_GE(piece->get_movement()->get_speed(), 50);
        EXPECT_LT(piece->get_movement()->get_speed(), 80);
    }
    EXPECT_EQ(frames, (std::vector<int>{10, 9, 8, 7}));
    EXPECT_EQ(EventKit::value(pod, 'A'), -1);
}

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
