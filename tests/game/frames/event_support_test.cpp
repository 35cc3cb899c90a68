// The conventions every event follows, run as events in an empty frame.
#include "game/frames/event_support.h"
#include "game/objects/class_lookup.h"
#include "game/objects/classes.h"
#include "runtime/manager.h"
#include "tests/support/event_kit.h"

#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>

TEST(EventConditions, run_once_fires_on_the_first_true_tick_and_again_after_a_false_one)
{
    EventKit kit;
    unsigned counter = 0;
    bool condition = true;
    std::vector<int> fired;
    kit.enter_empty_frame({.handler = [&](Frames& frames) {
        if (condition && run_once(counter, frames.loop_count))
            fired.push_back(frames.loop_count);
    }});
    kit.run(2);
    EXPECT_EQ(fired, (std::vector<int>{0}));
    condition = false;
    kit.run(1);
    condition = true;
    kit.run(2);
    EXPECT_EQ(fired, (std::vector<int>{0, 4}));
}

TEST(EventConditions, once_flags_and_timers_count_per_entry_and_per_tick_time)
{
    EventKit kit;
    bool done = false;
    float timer = 0.0f;
    int once_fired = 0;
    std::vector<int> every_fired;
    kit.enter_empty_frame({.handler = [&](Frames& frames) {
        if (once(done))
            ++once_fired;
        // Every 0.05 s at 60 ticks a second: on every third tick, the
        // remainder carried over.
        if (every(timer, manager.frame_time, 0.05f))
            every_fired.push_back(frames.loop_count);
    }});
    kit.run(9);
    EXPECT_EQ(once_fired, 1);
    EXPECT_EQ(every_fired, (std::vector<int>{3, 6, 9}));
}

TEST(EventSelection, select_all_filters_and_creation_work_on_the_chain_newest_first)
{
    EventKit kit;
    kit.enter_empty_frame({.layers = 2});
    Frames& frames = kit.frames();
    ObjectList& stars = frames.instances[types::TitleStar_43];
    std::vector<FrameObject*> placed;
    for (int x : {10, 20, 30, 40})
        placed.push_back(kit.place("TitleStar_43", x, 5));

    std::vector<int> visited;
    for_each_instance(stars, [&](FrameObject* star) { visited.push_back(star->get_x()); });
    EXPECT_EQ(visited, (std::vector<int>{40, 30, 20, 10}));

    EXPECT_TRUE(select(stars, [](FrameObject* star) { return star->get_x() != 30; }));
    visited.clear();
    for_each_selected(stars, [&](FrameObject* star) { visited.push_back(star->get_x()); });
    EXPECT_EQ(visited, (std::vector<int>{40, 20, 10}));
    EXPECT_FALSE(filter(stars, [](FrameObject*) { return false; }));

    // A create action selects only what it creates, the newest first.
    select_all(stars);
    create_instance(frames, stars, create_object("TitleStar_43", 50, 5), 1);
    create_another(frames, stars, create_object("TitleStar_43", 60, 5), 1);
    visited.clear();
    for_each_selected(stars, [&](FrameObject* star) { visited.push_back(star->get_x()); });
    EXPECT_EQ(visited, (std::vector<int>{60, 50}));
    EXPECT_EQ(instance_of(stars)->get_x(), 60);

    // A type without instances: conditions fail, reads see a stand-in.
    ObjectList& bursts = frames.instances[types::EffectsWhiteBurst_31];
    EXPECT_FALSE(select(bursts, [](FrameObject*) { return true; }));
    EXPECT_EQ(instance_of(bursts), nullptr);
    instance_or_default(bursts).alterables->values.set(0, 5);
    EXPECT_EQ(instance_or_default(bursts).alterables->values.get(0), 0.0);
}

TEST(EventLoops, fast_loops_count_stop_nest_and_named_loops_need_a_known_name)
{
    EventKit kit;
    kit.enter_empty_frame({});
    Frames& frames = kit.frames();
    FastLoop outer, inner;
    std::vector<std::pair<int, int>> passes;
    // Three outer passes, each running the inner loop until it stops itself
    // on its second pass.
    frames.run_loop(outer, 3, [&] {
        frames.run_loop(inner, 5, [&] {
            passes.push_back({outer.index, inner.index});
            if (inner.index == 1)
                inner.running = false;
        });
    });
    EXPECT_EQ(passes, (std::vector<std::pair<int, int>>{{0, 0}, {0, 1}, {1, 0}, {1, 1}, {2, 0}, {2, 1}}));
    EXPECT_TRUE(outer.running);
    EXPECT_EQ(outer.index, 3);

    int calls = 0;
    frames.run_loop(outer, 0, [&] { ++calls; });
    EXPECT_EQ(calls, 0);
    EXPECT_TRUE(outer.running);
    EXPECT_EQ(outer.index, 0);

    // Named loops: a frame without a map ignores every name; with one, only
    // a registered name runs, through the entry's own flag and index.
    EXPECT_EQ(frames.loops, nullptr);
    frames.run_named_loop("step", 3);
    LoopMap map;
    FastLoop step;
    map.emplace("step", DynamicLoop{&Frames::handle_frame_4_pre_events, &step.running, &step.index});
    frames.loops = &map;
    frames.run_named_loop("stepp", 3);
    EXPECT_FALSE(step.running);
    frames.run_named_loop("step", 3);
    EXPECT_TRUE(step.running);
    EXPECT_EQ(step.index, 3);
    frames.loops = nullptr;
}

TEST(EventNumbers, conversions_truncate_saturate_and_random_draws_follow_the_seed_group)
{
    EXPECT_EQ(to_int(2.9), 2);
    EXPECT_EQ(to_int(-2.9), -2);
    EXPECT_EQ(to_int(1e12), INT32_MAX);
    EXPECT_EQ(to_int(-1e12), INT32_MIN);
    EXPECT_EQ(to_int(std::nan("")), INT32_MIN);

    // Events 300 and 340 draw from one group, 2515 from another: draws of
    // one group continue one sequence whichever of its events draws.
    RandomState reference;
    event_random_state(300) = RandomState{};
    EXPECT_EQ(randrange_event(300, 100), int((100u * reference.step()) >> 15));
    EXPECT_EQ(randrange_event(340, 70000), int((4464u * reference.step()) >> 15));
    EXPECT_EQ(&event_random_state(300), &event_random_state(340));
    EXPECT_NE(&event_random_state(300), &event_random_state(2515));
}

TEST(EventSelection, pairing_by_number_wraps_from_the_newest_and_pairs_nothing_with_no_instance)
{
    EventKit kit;
    kit.enter_empty_frame({});
    ObjectList& stars = kit.frames().instances[types::TitleStar_43];
    // No instance (N = 0): nothing is paired, whatever k; reads see the
    // runtime's default instance at (0, 0).
    for (int k : {0, 1, 7})
        EXPECT_EQ(paired_instance(stars, k), nullptr);
    EXPECT_EQ(paired_or_default(stars, 3).get_x(), 0);
    EXPECT_EQ(paired_or_default(stars, 3).get_y(), 0);

    for (int x : {10, 20, 30})
        kit.place("TitleStar_43", x, 5);
    std::vector<int> paired;
    for (int k = 0; k < 7; ++k)
        paired.push_back(paired_instance(stars, k)->get_x());
    EXPECT_EQ(paired, (std::vector<int>{30, 20, 10, 30, 20, 10, 30}));
    EXPECT_EQ(paired_instance(stars, -1), nullptr);
    // The pairing ignores what a condition selected.
    select(stars, [](FrameObject* star) { return star->get_x() == 10; });
    EXPECT_EQ(paired_or_default(stars, 1).get_x(), 20);
}

TEST(EventNumbers, text_pieces_are_cut_to_the_text)
{
    const std::string text = "0.51.20.9";
    EXPECT_EQ(text_piece(text, 0, 3), "0.5");
    EXPECT_EQ(text_piece(text, 6, 3), "0.9");
    EXPECT_EQ(text_piece(text, 7, 3), ".9");
    EXPECT_EQ(text_piece(text, 9, 3), "");
    EXPECT_EQ(text_piece(text, 300, 3), "");
    EXPECT_EQ(text_piece(text, -3, 3), "");
    EXPECT_EQ(text_piece(text, 2, 0), "");
    EXPECT_EQ(text_piece(text, 8, INT64_MAX), "9");
    EXPECT_EQ(text_piece("", 0, 3), "");
}

TEST(EventValues, a_single_instance_type_is_read_and_written_through_its_list)
{
    EventKit kit;
    kit.enter_empty_frame({});
    ObjectList& values = kit.frames().instances[types::PlayerMovementValues_80];
    const auto is_8_5 = [](const FrameObject& object) { return get_value(object, 'B') == 8.5; };
    // No instance: reads see a fresh object whatever was written, and a
    // condition on the instance fails.
    set_value(values, 'B', 7);
    add_value(values, 'B', 1.5);
    set_flag(values, 5, true);
    set_string(values, 0, "lost");
    EXPECT_EQ(get_value(values, 'B'), 0.0);
    EXPECT_FALSE(get_flag(values, 5));
    EXPECT_FALSE(instance_holds(values, [](const FrameObject&) { return true; }));

    // Two instances: the last one added is the one read and written.
    FrameObject* first = kit.place("PlayerMovementValues_80", 0, 0);
    FrameObject* last = kit.place("PlayerMovementValues_80", 0, 0);
    set_value(values, 'B', 7);
    add_value(values, 'B', 1.5);
    set_flag(values, 5, true);
    set_string(values, 0, "kept");
    EXPECT_EQ(EventKit::values(last, "BF"), (std::vector<double>{8.5, 0}));
    EXPECT_EQ(EventKit::value(first, 'B'), 0.0);
    EXPECT_TRUE(get_flag(values, 5));
    EXPECT_FALSE(EventKit::flag(first, 5));
    EXPECT_EQ(last->alterables->strings.get(0), "kept");
    EXPECT_TRUE(instance_holds(values, is_8_5));
    set_flag(values, 5, false);
    EXPECT_FALSE(EventKit::flag(last, 5));

    // Every instance, and the layer an instance is on.
    set_value_of_all(values, 'M', 3);
    EXPECT_EQ(EventKit::value(first, 'M'), 3.0);
    EXPECT_EQ(EventKit::value(last, 'M'), 3.0);
    EXPECT_EQ(layer_index(*last), 0);
}

TEST(EventSelection, a_random_member_of_a_group_becomes_the_whole_selection_of_the_group)
{
    EventKit kit;
    kit.enter_empty_frame({});
    Frames& frames = kit.frames();
    ObjectList* members[] = {&frames.instances[types::TitleStar_43], &frames.instances[types::GUIWeaponSlot_233],
                             nullptr};
    QualifierList group;
    group.set(2, members);
    for (int x : {10, 20})
        kit.place("TitleStar_43", x, 5);
    for (int x : {30, 40, 50})
        kit.place("GUIWeaponSlot_233", x, 5);

    // Five members, the stars' chain (newest first) before the slots'.
    const std::vector<int> chain = {20, 10, 50, 40, 30};
    RandomState reference;
    event_random_state(1411) = RandomState{};
    for (int draw = 0; draw < 6; ++draw) {
        select_all(group);
        const int k = int((5u * reference.step()) >> 15);
        FrameObject* picked = pick_random_member(1411, group);
        ASSERT_NE(picked, nullptr);
        EXPECT_EQ(picked->get_x(), chain[size_t(k)]);
        std::vector<int> selected;
        for_each_selected(group, [&](FrameObject* member) { selected.push_back(member->get_x()); });
        EXPECT_EQ(selected, std::vector<int>{chain[size_t(k)]});
    }
    group.empty_selection();
    EXPECT_EQ(pick_random_member(1411, group), nullptr);
}

TEST(EventSelection, creating_at_action_points_places_on_each_sources_layer_where_its_point_is_in_the_frame)
{
    EventKit kit;
    kit.enter_empty_frame({.layers = 2});
    Frames& frames = kit.frames();
    ObjectList& sources = frames.instances[types::PlayerSkinPimsaBike_338];
    kit.place("PlayerSkinPimsaBike_338", 100, 50, 1);
    kit.place("PlayerSkinPimsaBike_338", 140, 60, 0);
    frames.layers[1].off_x = 30;
    frames.layers[1].off_y = -8;
    select_all(sources);
    FrameObject* first = create_at_action_points(frames, sources, frames.instances[types::EffectsWhiteBurst_31],
                                                 create_effectswhiteburst_31);
    std::vector<std::vector<int>> made, points;
    for_each_selected(frames.instances[types::EffectsWhiteBurst_31], [&](FrameObject* burst) {
        made.push_back({burst->get_x(), burst->get_y(), layer_index(*burst), burst->y});
    });
    for_each_selected(sources, [&](FrameObject* source) {
        const int layer = layer_index(*source);
        points.push_back({source->get_action_x(), source->get_action_y(), layer, source->get_action_y() + 8 * layer});
    });
    // The first made is the first source's, and the selection the newest first.
    std::reverse(made.begin(), made.end());
    EXPECT_EQ(made, points);
    EXPECT_EQ(first->get_x(), points[0][0]);
}
