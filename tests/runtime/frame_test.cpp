// Adding and releasing instances, the view centre and the frame reset.
#include "runtime/frame.h"
#include "tests/runtime/runtime_fixtures.h"
#include "tests/support/volumes.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

TEST(Frame, add_object_numbers_list_items_and_clamps_the_layer)
{
    RunningFrame scope(640, 480, 3);
    Frame& frame = scope.frame;
    FrameObject* a = frame.add_object(make_instance(0, 0, 4), 0);
    FrameObject* b = frame.add_object(make_instance(0, 0, 4), 0);
    EXPECT_EQ(a->index, 1);
    EXPECT_EQ(b->index, 2);
    EXPECT_EQ(frame.instances[4].back, b);
    EXPECT_EQ(a->frame, &frame);
    EXPECT_EQ(frame.add_object(make_instance(0, 0, 5), 7)->layer, &frame.layers[2]);
    EXPECT_EQ(frame.add_object(make_instance(0, 0, 5), -1)->layer, &frame.layers[0]);
    EXPECT_EQ(frame.layers[0].instance_count, 3);
}

TEST(Frame, clean_up_removes_only_the_destroyed_and_keeps_the_others_dense)
{
    RunningFrame scope(640, 480, 1);
    Frame& frame = scope.frame;
    FrameObject* a = frame.add_object(make_instance(0, 0, 4), 0);
    FrameObject* b = frame.add_object(make_instance(0, 0, 4), 0);
    FrameObject* c = frame.add_object(make_instance(0, 0, 4), 0);
    b->destroy();
    b->destroy();
    EXPECT_EQ(frame.destroyed_instances.size(), 1u);
    frame.clean_instances();
    EXPECT_EQ(a->index, 1);
    EXPECT_EQ(c->index, 2);
    EXPECT_EQ(frame.instances[4].count(), 3);
    EXPECT_EQ(frame.instances[4].back, c);
    EXPECT_EQ(frame.layers[0].first, a);
    EXPECT_EQ(a->layer_next, c);
    a->destroy();
    c->destroy();
    frame.clean_instances();
    EXPECT_EQ(frame.instances[4].count(), 1);
    EXPECT_EQ(frame.instances[4].back, nullptr);
    EXPECT_EQ(frame.layers[0].instance_count, 0);
}

TEST(Frame, clean_up_of_many_destroyed_across_lists_leaves_what_one_by_one_removal_would)
{
    RunningFrame scope(640, 480, 2);
    Frame& frame = scope.frame;
    std::vector<FrameObject*> placed;
    for (int i = 0; i < 60; ++i)
        placed.push_back(frame.add_object(make_instance(i, 0, 4 + i % 3), i % 2));
    std::vector<FrameObject*> kept_backgrounds;
    for (int i = 0; i < 6; ++i) {
        FrameObject* object = make_instance(0, i, 9);
        object->flags |= FrameObject::BACKGROUND;
        frame.add_background_object(object, 0);
        if (i % 2 == 0)
            object->destroy();
        else
            kept_backgrounds.push_back(object);
    }
    // Destroyed out of list order, the last of a list and a whole list among them.
    std::vector<FrameObject*> survivors;
    for (int i = 59; i >= 0; --i) {
        if (i % 3 == 2 || i % 4 == 0 || i == 58)
            placed[size_t(i)]->destroy();
    }
    for (FrameObject* object : placed) {
        if (!(object->flags & FrameObject::DESTROYING))
            survivors.push_back(object);
    }
    frame.instances[5].clear_selection();
    frame.clean_instances();
    EXPECT_TRUE(frame.destroyed_instances.empty());
    for (int type = 4; type <= 6; ++type) {
        const ObjectList& list = frame.instances[type];
        std::vector<FrameObject*> expected;
        for (FrameObject* object : survivors) {
            if (object->id == type)
                expected.push_back(object);
        }
        ASSERT_EQ(list.size(), int(expected.size())) << type;
        for (int k = 1; k < list.count(); ++k) {
            EXPECT_EQ(list.items[size_t(k)].obj, expected[size_t(k - 1)]);
            EXPECT_EQ(list.items[size_t(k)].obj->index, k);
        }
        EXPECT_EQ(list.back, expected.empty() ? nullptr : expected.back());
        EXPECT_EQ(list.head(), 0);
    }
    EXPECT_EQ(frame.instances[6].size(), 0);
    EXPECT_EQ(frame.instances[9].size(), 3);
    EXPECT_EQ(frame.layers[0].background_objects, kept_backgrounds);
    // Each layer keeps its survivors in placing order.
    for (int i = 0; i < 2; ++i) {
        std::vector<FrameObject*> expected, linked;
        for (FrameObject* object : survivors) {
            if (object->layer == &frame.layers[size_t(i)])
                expected.push_back(object);
        }
        for (FrameObject* object = frame.layers[size_t(i)].first; object; object = object->layer_next)
            linked.push_back(object);
        EXPECT_EQ(linked, expected);
        EXPECT_EQ(frame.layers[size_t(i)].instance_count, int(expected.size()));
    }
}

TEST(Frame, background_objects_take_consecutive_depths_and_the_backdrop_type_stays_out_of_the_lists)
{
    RunningFrame scope(640, 480, 2);
    Frame& frame = scope.frame;
    FrameObject* backdrop = make_instance(0, 0, 1);
    FrameObject* kept = make_instance(0, 0, 1);
    FrameObject* other = make_instance(0, 0, 9);
    for (FrameObject* object : {backdrop, kept, other}) {
        object->flags |= FrameObject::BACKGROUND;
        frame.add_background_object(object, 0);
    }
    EXPECT_EQ(frame.instances[1].size(), 0);
    EXPECT_EQ(frame.instances[9].size(), 1);
    EXPECT_EQ((std::vector<uint32_t>{backdrop->depth, kept->depth, other->depth}), (std::vector<uint32_t>{0, 1, 2}));
    EXPECT_EQ(frame.layers[0].instance_count, 0);
    other->move_back();
    other->move_front();
    EXPECT_EQ(other->depth, 2u);
    EXPECT_EQ(console_output_of([&] { other->set_layer(1); }), "Cannot move background object layer\n");
    EXPECT_EQ(other->layer, &frame.layers[0]);

    // Releasing a backdrop of the shared type leaves every list intact.
    backdrop->destroy();
    frame.clean_instances();
    EXPECT_EQ(frame.instances[1].count(), 1);
    EXPECT_EQ(frame.instances[1].back, nullptr);
    EXPECT_EQ(frame.instances[1].head(), 0);
    EXPECT_EQ(frame.layers[0].background_objects, (std::vector<FrameObject*>{kept, other}));
}

TEST(Frame, the_view_centre_is_clamped_and_applied_once_at_the_end_of_the_tick)
{
    RunningFrame scope(640, 480, 2);
    Frame& frame = scope.frame;
    frame.set_display_center(213, 120);
    EXPECT_EQ(frame.new_display_x, 0);
    EXPECT_EQ(frame.new_display_y, 0);
    frame.set_display_center(1000, 1000);
    EXPECT_EQ(frame.new_display_x, 214);
    EXPECT_EQ(frame.new_display_y, 240);
    EXPECT_EQ(frame.display_x, 0);
    frame.update_display_center();
    EXPECT_EQ(frame.display_x, 214);
    EXPECT_EQ(frame.display_y, 240);
    frame.set_display_center(std::nullopt, 300);
    EXPECT_EQ(frame.new_display_x, 214);
    EXPECT_EQ(frame.new_display_y, 180);

    // A narrow frame gets a negative position.
    PlainFrame narrow;
    narrow.set_up(300, 200, 1);
    narrow.set_display_center(0, 0);
    EXPECT_EQ(narrow.new_display_x, -126);
    EXPECT_EQ(narrow.new_display_y, -40);
    narrow.reset();
}

TEST(Frame, a_centre_of_minus_one_is_a_position_like_any_other)
{
    RunningFrame scope(2000, 1000, 1);
    Frame& frame = scope.frame;
    frame.set_display_center(613, 420);
    frame.update_display_center();
    ASSERT_EQ(frame.display_x, 400);
    ASSERT_EQ(frame.display_y, 300);
    // A camera one pixel left of and above the frame asks for its corner.
    frame.set_display_center(-1, -1);
    EXPECT_EQ(frame.new_display_x, 0);
    EXPECT_EQ(frame.new_display_y, 0);
    frame.update_display_center();
    EXPECT_EQ(frame.display_x, 0);
    EXPECT_EQ(frame.display_y, 0);
    // The extremes of int clamp without wrapping.
    frame.set_display_center(INT32_MIN, INT32_MAX);
    EXPECT_EQ(frame.new_display_x, 0);
    EXPECT_EQ(frame.new_display_y, 1000 - 240);
}

TEST(Frame, a_half_speed_layer_scrolls_by_half_truncated_and_keeps_unfollowing_instances_in_place)
{
    RunningFrame scope(2000, 480, 2);
    Frame& frame = scope.frame;
    frame.layers[1].coef_x = 0.5;
    FrameObject* fixed = frame.add_object(make_instance(50, 60, 3), 1);
    fixed->flags &= ~uint32_t(FrameObject::SCROLL);
    FrameObject* follows = frame.add_object(make_instance(50, 60, 3), 1);
    frame.set_display_center(213 + 101, std::nullopt);
    frame.update_display_center();
    // trunc(101 * 0.5) = 50: the layer's scroll is 101 - 50 = 51.
    EXPECT_EQ(frame.layers[1].scroll_x, 51);
    EXPECT_EQ(frame.layers[1].off_x, 51);
    EXPECT_EQ(follows->x, 50);
    EXPECT_EQ(fixed->x, 100);
    EXPECT_EQ(frame.layers[0].scroll_x, 0);
    frame.set_display_center(213 + 103, std::nullopt);
    frame.update_display_center();
    // trunc(103 * 0.5) - trunc(101 * 0.5) = 1.
    EXPECT_EQ(frame.layers[1].scroll_x, 52);
    EXPECT_EQ(fixed->x, 101);
}

TEST(Frame, reset_releases_everything_and_clears_the_clock_and_requests)
{
    RunningFrame scope(640, 480, 1);
    Frame& frame = scope.frame;
    frame.add_object(make_instance(0, 0, 4), 0)->destroy();
    frame.add_object(make_instance(0, 0, 4), 0);
    frame.loop_count = 12;
    frame.frame_time = 3.5;
    frame.next_frame = 2;
    frame.display_x = 30;
    frame.reset();
    EXPECT_EQ(frame.instances[4].count(), 1);
    EXPECT_TRUE(frame.layers.empty());
    EXPECT_TRUE(frame.destroyed_instances.empty());
    EXPECT_EQ(frame.loop_count, 0);
    EXPECT_EQ(frame.frame_time, 0.0);
    EXPECT_EQ(frame.next_frame, -1);
    EXPECT_EQ(frame.display_x, 0);
}

TEST(Frame, lives_set_to_zero_raise_the_flag_until_the_end_of_the_tick_and_loops_are_found_by_name)
{
    RunningFrame scope(640, 480, 1);
    manager.player_died = false;
    scope.frame.set_lives(0);
    EXPECT_EQ(manager.lives, 0);
    EXPECT_TRUE(manager.player_died);
    scope.frame.set_lives(2);
    EXPECT_TRUE(manager.player_died);

    EXPECT_EQ(scope.frame.find_loop("sound_hurt2"), nullptr);
    LoopMap loops;
    bool running = false;
    int index = 0;
    loops["sound_hurt2"] = DynamicLoop{nullptr, &running, &index};
    scope.frame.loops = &loops;
    ASSERT_NE(scope.frame.find_loop("sound_hurt2"), nullptr);
    EXPECT_EQ(scope.frame.find_loop("sound_hurt2")->running, &running);
    EXPECT_EQ(scope.frame.find_loop("sound_hurt"), nullptr);
    scope.frame.loops = nullptr;
}

TEST(Frame, placing_an_instance_without_a_usable_layer_is_refused_with_a_line)
{
    PlainFrame frame;
    FrameObject* object = make_instance(0, 0, 4);
    std::string output = console_output_of([&] { frame.add_object(object, 0); });
    EXPECT_EQ(output, "Frame has no layer for object type 4\n");
    EXPECT_EQ(frame.instances[4].size(), 0);
    frame.set_up(640, 480, 1);
    output = console_output_of([&] { frame.add_background_object(object, 3); });
    EXPECT_EQ(output, "Invalid background layer: 3\n");
    EXPECT_EQ(frame.layers[0].background_objects.size(), 0u);
    object->dealloc();
    frame.reset();
}
