#include "objects/active.h"
#include "objects/movements.h"
#include "tests/objects/object_fixtures.h"
#include "tests/support/volumes.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <vector>

namespace {

using ActiveTest = ObjectTest;

// The frame shown on each of `ticks` ticks.
std::vector<int> frames_over(Active& active, int ticks)
{
    std::vector<int> frames;
    for (int i = 0; i < ticks; ++i) {
        active.update();
        frames.push_back(active.get_frame());
    }
    return frames;
}

std::vector<int> action_point(const Active& active)
{
    return {active.action_x, active.action_y};
}

bool pending_release(const Frame& frame, const FrameObject* object)
{
    const auto& queued = frame.destroyed_instances;
    return std::find(queued.begin(), queued.end(), object) != queued.end();
}

}  // namespace

TEST(AnimationTables, unauthored_slots_take_the_nearest_direction_and_ties_stay_null)
{
    Direction records[5] = {};
    const int authored[5] = {0, 1, 2, 4, 8};
    Animation animation = {};
    for (int i = 0; i < 5; ++i) {
        records[i].index = authored[i];
        animation.dirs[authored[i]] = &records[i];
    }
    fill_direction_slots(animation);
    EXPECT_EQ(animation.dirs[3], nullptr);
    EXPECT_EQ(animation.dirs[6], nullptr);
    EXPECT_EQ(animation.dirs[20], nullptr);
    EXPECT_EQ(animation.dirs[5], &records[3]);   // 4 is one step away, 8 three
    EXPECT_EQ(animation.dirs[19], &records[4]);  // 8 is eleven steps down, 0 thirteen up
    EXPECT_EQ(animation.dirs[31], &records[0]);

    Direction only = {};
    Animation single = {};
    single.dirs[0] = &only;
    fill_direction_slots(single);
    EXPECT_EQ(single.dirs[16], nullptr);
    for (int d = 0; d < 32; ++d) {
        if (d != 16) {
            EXPECT_EQ(single.dirs[d], &only) << d;
        }
    }
}

TEST_F(ActiveTest, null_direction_slots_lean_towards_the_direction_shown_last)
{
    Direction& right = table.add(0, 0, 1, 0, -1);
    Direction& left = table.add(0, 16, 1, 0, -1);
    Active* active = new (object_pool<Active>.create()) Active(0, 0, 2);
    active->animations = table.get();
    active->animation_direction = 8;  // nothing shown yet: upwards, to 16
    active->initialize_active(false);
    add(active);
    EXPECT_EQ(active->direction_data, &left);
    EXPECT_EQ(active->last_direction, -1);

    active->set_direction(16, false);  // shows 16 itself
    active->set_direction(8, false);
    EXPECT_EQ(active->direction_data, &left);
    active->set_direction(0, false);
    active->set_direction(8, false);
    EXPECT_EQ(active->direction_data, &right);
    EXPECT_EQ(active->last_direction, 0);
    EXPECT_EQ(active->image, table.frame(0, 0, 0));

    active->force_direction(24 + 32);
    EXPECT_EQ(active->forced_direction, 24);
    EXPECT_EQ(active->direction_data, &right);  // 24 lies halfway; 0 was shown last
    active->restore_direction();
    EXPECT_EQ(active->get_animation_direction(), 8);
}

TEST_F(ActiveTest, animation_plays_its_frames_once_and_is_finished_for_one_tick)
{
    table.add(0, 0, 4, 100, 1);
    Active* active = add(make_active(table.get()));
    EXPECT_EQ(active->counter, 100);  // one tick's step ahead
    EXPECT_EQ(frames_over(*active, 3), (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(active->animation_finished, -1);
    EXPECT_TRUE(active->test_animation(0));

    active->update();
    EXPECT_EQ(active->get_frame(), 3);
    EXPECT_EQ(active->animation_finished, 0);
    EXPECT_TRUE(active->is_animation_finished(0));
    EXPECT_FALSE(active->test_animation(0));
    EXPECT_EQ(active->image, table.frame(0, 0, 3));

    active->update();
    EXPECT_EQ(active->animation_finished, -1);
    EXPECT_EQ(active->get_frame(), 3);
    active->force_frame(1);  // ignored once finished
    EXPECT_EQ(active->forced_frame, -1);
}

TEST_F(ActiveTest, clock_speed_sets_how_often_the_frame_advances)
{
    table.add(0, 0, 8, 50, -1, 2);
    table.add(1, 0, 3, 0, -1);
    Active* active = add(make_active(table.get()));
    EXPECT_EQ(frames_over(*active, 6), (std::vector<int>{0, 1, 1, 2, 2, 3}));

    // Looping goes back to back_to, not to 0.
    active->animation_frame = 7;
    active->counter = 100;
    active->update();
    EXPECT_EQ(active->get_frame(), 2);

    active->stop_animation();
    EXPECT_EQ(frames_over(*active, 3), (std::vector<int>{2, 2, 2}));
    active->start_animation();

    active->set_animation(1);  // speed 0 never advances
    EXPECT_EQ(frames_over(*active, 5), (std::vector<int>{0, 0, 0, 0, 0}));
    EXPECT_TRUE(active->test_animation(1));
}

TEST_F(ActiveTest, forced_speed_frame_and_animation_are_clamped_and_restored)
{
    Direction& walk = table.add(0, 0, 5, 60, -1);
    walk.min_speed = 20;
    table.add(1, 0, 2, 50, -1);
    table.add(2, 0, 2, 100, 1);
    Active* active = add(make_active(table.get()));

    active->force_speed(50);
    EXPECT_EQ(active->forced_speed, 40);
    active->force_speed(150);
    EXPECT_EQ(active->forced_speed, 60);
    active->restore_speed();
    EXPECT_EQ(active->get_speed(), 60);

    active->force_frame(99);
    EXPECT_EQ(active->get_frame(), 4);
    active->force_frame(-3);
    EXPECT_EQ(active->get_frame(), 0);
    EXPECT_EQ(frames_over(*active, 3), (std::vector<int>{0, 0, 0}));
    active->restore_frame();
    EXPECT_EQ(active->forced_frame, -1);

    active->force_animation(1);
    EXPECT_EQ(active->current_animation, 1);
    active->force_speed(50);  // min and max equal: the value itself
    EXPECT_EQ(active->forced_speed, 50);
    active->force_speed(150);
    EXPECT_EQ(active->forced_speed, 100);
    active->restore_speed();
    active->restore_animation();
    EXPECT_EQ(active->current_animation, 0);

    // A forced animation that finishes drops the forcing at once and gives
    // way to the own animation on the next tick.
    active->force_animation(2);
    active->force_direction(0);
    active->update();
    active->update();
    EXPECT_EQ(active->animation_finished, 2);
    EXPECT_EQ(active->current_animation, 2);
    EXPECT_EQ(active->forced_animation, -1);
    EXPECT_EQ(active->forced_speed, -1);
    EXPECT_EQ(active->forced_direction, -1);
    active->update();
    EXPECT_EQ(active->current_animation, 0);
    // Restarted at frame 0; the clock, 60 + 60, then passes 100 on the same tick.
    EXPECT_EQ(active->animation_frame, 1);
}

TEST_F(ActiveTest, missing_animations_are_substituted_and_never_read_out_of_the_table)
{
    table.add(0, 0, 1, 0, -1);
    table.add(2, 0, 1, 0, -1);
    Active* active = add(make_active(table.get()));
    EXPECT_EQ(active->get_animation(1), 2);  // 1's substitute
    EXPECT_EQ(active->get_animation(3), 0);  // 3's substitute
    // Beyond the table, 40 is taken as 2, whose substitute 1 is missing: the lowest.
    EXPECT_EQ(active->get_animation(40), 0);
    EXPECT_EQ(active->get_animation(-5), 0);
    EXPECT_FALSE(active->has_animation(3));

    // No animation at all: the request maps to 0, never to the count.
    Animation empty_slot = {};
    Animation* nothing[3] = {nullptr, nullptr, nullptr};
    Animations none = {3, nothing};
    active->animations = &none;
    EXPECT_EQ(active->get_animation(5), 0);
    EXPECT_EQ(console_output_of([&] { active->set_animation(5); }), "");
    EXPECT_EQ(console_output_of([&] { active->restore_direction(); }), "Invalid animation: 0\n");
    EXPECT_EQ(active->image, table.frame(0, 0, 0));  // keeps its image

    // An animation whose slots are all null gives no record either.
    nothing[0] = &empty_slot;
    active->restore_animation();
    EXPECT_EQ(console_output_of([&] { active->force_direction(3); }), "Invalid animation: 0\n");
    EXPECT_EQ(active->image, table.frame(0, 0, 0));

    // No table at all.
    Active* bare = nullptr;
    EXPECT_EQ(console_output_of([&] { bare = add(make_active(nullptr)); }), "Invalid animation: 0\n");
    EXPECT_EQ(bare->direction_data, nullptr);
    bare->update();
    bare->force_frame(2);
    bare->force_speed(30);
    EXPECT_EQ(bare->forced_speed, 30);
    EXPECT_EQ(bare->get_animation(4), 0);
}

TEST_F(ActiveTest, angle_and_scale_drive_the_shape_and_the_action_point)
{
    table.add(0, 0, 1, 0, -1, 0, 20, 10);
    Image* image = table.frame(0, 0, 0);
    image->hotspot_x = 5;
    image->hotspot_y = 5;
    image->action_x = 15;
    image->action_y = 5;
    Active* active = add(make_active(table.get(), 0, false, 100, 100));
    EXPECT_EQ(action_point(*active), (std::vector<int>{10, 0}));
    EXPECT_EQ(active->get_action_x(), 110);

    active->set_angle(450, 0);
    EXPECT_EQ(active->get_angle(), 90);
    EXPECT_EQ((std::vector<float>{active->sprite_col.co, active->sprite_col.si}), (std::vector<float>{0.0f, 1.0f}));
    EXPECT_EQ(active->sprite_col.type, TRANSFORM_SPRITE_COLLISION);
    // (15, 5) turned: (5, -15), less offset (0, -20) and hot spot (5, 15).
    EXPECT_EQ(action_point(*active), (std::vector<int>{0, -10}));
    active->set_angle(-90, 0);
    EXPECT_EQ(active->angle, -90);
    active->set_angle(0, 0);
    EXPECT_EQ(active->sprite_col.type, SPRITE_COLLISION);

    active->set_scale(2.0f);
    EXPECT_EQ(action_point(*active), (std::vector<int>{20, 0}));
    EXPECT_EQ(active->sprite_col.width, 40);
    active->set_x_scale(-3.0f);
    EXPECT_EQ(active->x_scale, 0.0f);
    EXPECT_EQ(active->y_scale, 2.0f);
    active->set_scale(-1.0f);
    EXPECT_EQ(active->x_scale, 0.0f);
    EXPECT_EQ(active->sprite_col.y_scale, 0.0f);
    // Scale 0: an empty box at the position and a transform of zeros.
    const int* box = active->sprite_col.aabb;
    EXPECT_EQ(box[0], box[2]);
    EXPECT_EQ(box[1], box[3]);
    for (int factor : active->sprite_col.transform)
        EXPECT_EQ(factor, 0);
    EXPECT_EQ(action_point(*active), (std::vector<int>{0, 0}));
}

TEST_F(ActiveTest, rotating_sprites_turn_with_their_direction_and_show_direction_0)
{
    table.add(0, 0, 1, 0, -1);
    table.add(0, 16, 1, 0, -1);
    Active* active = make_active(table.get());
    active->active_flags |= Active::ROTATE_WITH_DIRECTION;
    add(active);
    active->set_direction(1, false);
    EXPECT_EQ(active->angle, 11);
    EXPECT_EQ(active->get_direction(), 1);
    active->set_direction(16 + 32, false);
    EXPECT_EQ(active->angle, 180);
    EXPECT_EQ(active->animation_direction, 0);
    EXPECT_EQ(active->image, table.frame(0, 0, 0));
}

TEST_F(ActiveTest, destroy_plays_the_disappearing_animation_once_then_releases)
{
    table.add(0, 0, 1, 0, -1);
    table.add(4, 0, 3, 100, -1);
    Active* active = add(make_active(table.get()));
    active->movement = new BallMovement(active);
    active->destroy();
    EXPECT_EQ(active->movement, nullptr);
    EXPECT_TRUE(active->flags & FrameObject::FADEOUT);
    EXPECT_EQ(active->sprite_col.type, NONE_COLLISION);
    EXPECT_EQ(active->current_animation, 4);
    EXPECT_EQ(active->loop_count, 1);  // for ever becomes once
    active->destroy();                 // already disappearing

    EXPECT_EQ(frames_over(*active, 4), (std::vector<int>{0, 1, 2, 2}));
    EXPECT_EQ(active->animation_finished, 4);
    EXPECT_FALSE(pending_release(frame, active));
    active->update();
    EXPECT_TRUE(pending_release(frame, active));
    const int free_before = object_pool<Active>.get_free_count();
    frame.clean_instances();
    EXPECT_EQ(object_pool<Active>.get_free_count(), free_before + 1);
    EXPECT_EQ(frame.instances[2].size(), 0);
}

TEST_F(ActiveTest, without_a_disappearing_animation_destroy_fades_or_goes_at_once_and_effects_go_after_theirs)
{
    table.add(0, 0, 1, 0, -1);
    Active* plain = add(make_active(table.get()));
    plain->destroy();
    EXPECT_TRUE(pending_release(frame, plain));

    Active* fading = add(make_active(table.get()));
    fading->fade_duration = 0.5f;
    manager.frame_time = 0.25f;
    fading->destroy();
    EXPECT_EQ(fading->fade_time, 0.5f);
    fading->update();
    EXPECT_EQ(fading->blend_color.a, 127);
    EXPECT_FALSE(pending_release(frame, fading));
    fading->update();
    EXPECT_EQ(fading->blend_color.a, 0);
    EXPECT_TRUE(pending_release(frame, fading));

    // Forcing an animation on a fading sprite removes it at once.
    Active* forced = add(make_active(table.get()));
    forced->fade_duration = 1.0f;
    forced->destroy();
    forced->force_animation(2);
    EXPECT_TRUE(pending_release(frame, forced));

    // Self-removing effects go one tick after their animation 4.
    table.add(4, 0, 2, 100, -1);
    Active* effect = new (object_pool<Active>.create()) Active(0, 0, 2);
    effect->flags |= FrameObject::FADEOUT;
    effect->animations = table.get();
    effect->animation = effect->current_animation = 4;
    effect->initialize_active(true);
    add(effect);
    EXPECT_EQ(effect->loop_count, 1);
    EXPECT_EQ(effect->counter, 200);  // two ticks' steps for animation 4
    EXPECT_EQ(effect->sprite_col.type, SPRITE_BOX);
    effect->update();
    EXPECT_EQ(effect->animation_finished, 4);
    effect->update();
    EXPECT_TRUE(pending_release(frame, effect));
}

TEST_F(ActiveTest, update_keeps_the_old_box_for_the_overlap_tests)
{
    table.add(0, 0, 1, 0, -1, 0, 8, 6);
    Active* active = add(make_active(table.get(), 0, true, 10, 20));
    active->update();
    EXPECT_TRUE(active->flags & FrameObject::ALTERNATE_BOX);
    EXPECT_EQ(std::vector<int>(active->old_aabb, active->old_aabb + 4), (std::vector<int>{10, 20, 18, 26}));
    active->set_position(30, 20);
    EXPECT_EQ(active->old_aabb[0], 10);
    EXPECT_EQ(active->sprite_col.aabb[0], 30);

    // Another instance tested against it meets the box the update began with.
    Active* other = add(make_active(table.get(), 0, true, 12, 22));
    EXPECT_TRUE(other->overlaps(active));
    active->flags &= ~FrameObject::ALTERNATE_BOX;
    EXPECT_FALSE(other->overlaps(active));
}
