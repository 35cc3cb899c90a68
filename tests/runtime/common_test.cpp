// Event support: this file's random generator, picks, lookups, arithmetic,
// angles, positions and string cuts.
#include "runtime/common.h"
#include "tests/runtime/runtime_fixtures.h"
#include "tests/support/volumes.h"

#include <gtest/gtest.h>

TEST(EventRandom, each_file_draws_the_same_sequence_from_seed_zero)
{
    event_random_seed = 0;
    EXPECT_EQ(randrange_event(100), 0u);  // r = 38
    EXPECT_EQ(event_random_seed, 2531011u);
    EXPECT_EQ(randrange_event(100), 23u);  // r = 7719
    EXPECT_EQ(event_random_seed, 505908858u);
    EXPECT_EQ(event_random_step(), 21238u);

    event_random_seed = 0;
    EXPECT_EQ(randrange_event(0), 0u);
    EXPECT_EQ(randrange_event(65536), 0u);
    EXPECT_EQ(event_random_seed, 505908858u);
    event_random_seed = 0;
    EXPECT_EQ(randrange_event(-1), (65535u * 38u) >> 15);
}

TEST(EventRandom, picks_choose_among_live_instances_and_keep_only_the_pick_selected)
{
    RunningFrame scope(640, 480, 1);
    ObjectList& list = scope.frame.instances[5];
    std::vector<FrameObject*> five;
    for (int i = 0; i < 5; ++i)
        five.push_back(scope.frame.add_object(make_instance(0, 0, 5), 0));
    event_random_seed = 0;
    list.clear_selection();
    EXPECT_EQ(pick_random(list), five[4]);  // k = 0: the head
    EXPECT_EQ(chain_of(list), Chain{five[4]});
    list.clear_selection();
    EXPECT_EQ(pick_random(list), five[3]);  // k = 1
    EXPECT_EQ(chain_of(list), Chain{five[3]});

    // Destroyed and fading instances are never picked and never step the seed.
    for (FrameObject* object : five)
        object->flags |= FrameObject::FADEOUT;
    five[0]->destroy();
    list.clear_selection();
    const uint32_t seed = event_random_seed;
    EXPECT_EQ(pick_random(list), nullptr);
    EXPECT_EQ(list.head(), 0);
    EXPECT_EQ(event_random_seed, seed);
    EXPECT_EQ(pick_random(list), nullptr);

    five[1]->flags &= ~uint32_t(FrameObject::FADEOUT);
    five[2]->flags &= ~uint32_t(FrameObject::FADEOUT);
    list.clear_selection();
    FrameObject* picked = pick_random(list);
    EXPECT_TRUE(picked == five[1] || picked == five[2]);
    EXPECT_EQ(chain_of(list), Chain{picked});
}

TEST(EventRandom, group_picks_treat_the_members_as_one_sequence)
{
    FrameObject a1(0, 0, 1), a2(0, 0, 1), b1(0, 0, 2);
    ObjectList a, b;
    a.add(&a1);
    a.add(&a2);
    b.add(&b1);
    ObjectList* members[3] = {&a, &b, nullptr};
    QualifierList group;
    group.set(2, members);
    // The sequence is a2, a1, b1: k = (3 * r) >> 15 picks a1 for r = 21238
    // (the third step from seed 0) and b1 for r = 21846 (from seed 6678).
    const struct {
        uint32_t seed;
        FrameObject* picked;
        Chain a, b;
    } picks[] = {{505908858u, &a1, {&a1}, {}}, {6678u, &b1, {}, {&b1}}};
    for (const auto& pick : picks) {
        event_random_seed = pick.seed;
        group.clear_selection();
        EXPECT_EQ(pick_random(group), pick.picked);
        EXPECT_EQ(chain_of(a), pick.a);
        EXPECT_EQ(chain_of(b), pick.b);
    }
}

TEST(EventRandom, value_picks_step_the_seed_and_a_zero_count_is_reported)
{
    event_random_seed = 0;
    EXPECT_EQ(pick_random(17, 3, 5, 7, 9, 11, 13, 15, 17, 19, 21, 23, 25, 27, 29, 31, 1, 2), 3);
    event_random_seed = 0;
    const std::string output = console_output_of([] { EXPECT_EQ(pick_random(0), 0); });
    EXPECT_EQ(output, "Invalid pick_random count!\n");
    EXPECT_EQ(event_random_seed, 2531011u);
}

TEST(SingleInstances, lookups_answer_from_the_selection_or_the_list_or_the_fallback)
{
    RunningFrame scope(640, 480, 1);
    FrameObject fallback(0, 0, 0);
    ObjectList& list = scope.frame.instances[6];
    EXPECT_EQ(get_single(list, &fallback), &fallback);
    EXPECT_EQ(get_instance(list, 0), nullptr);
    EXPECT_EQ(get_instance(list, 0, &fallback), &fallback);
    FrameObject* a1 = scope.frame.add_object(make_instance(100, 50, 6), 0);
    FrameObject* a2 = scope.frame.add_object(make_instance(10, 10, 6), 0);
    FrameObject* a3 = scope.frame.add_object(make_instance(20, 20, 6), 0);
    list.empty_selection();
    EXPECT_EQ(get_single(list, &fallback), a3);
    list.clear_selection();
    list.items[0].next = 2;
    list.items[2].next = 0;
    EXPECT_EQ(get_single(list, &fallback), a2);
    EXPECT_EQ(get_single(list, 1, &fallback), a2);
    EXPECT_EQ(get_instance(list, 4), a2);
    EXPECT_EQ(get_instance(list, &fallback), a3);

    list.clear_selection();
    EXPECT_EQ(objects_in_zone(list, 100, 50, 101, 51), 1);
    EXPECT_EQ(objects_in_zone(list, 90, 40, 100, 60), 0);
    a1->destroy();
    EXPECT_EQ(objects_in_zone(list, 100, 50, 101, 51), 0);
    pick_objects_in_zone(list, 0, 0, 15, 15);
    EXPECT_EQ(chain_of(list), Chain{a2});
    pick_objects_in_zone(list, 500, 500, 600, 600);
    EXPECT_EQ(list.head(), 0);
}

TEST(SingleInstances, a_zone_holds_its_left_and_top_edges_and_leaves_out_its_right_and_bottom)
{
    RunningFrame scope(640, 480, 1);
    ObjectList& list = scope.frame.instances[6];
    FrameObject* a = scope.frame.add_object(make_instance(100, 50, 6), 0);
    struct Zone {
        int x1, y1, x2, y2, count;
    };
    const Zone zones[] = {
        {100, 50, 101, 51, 1}, {101, 40, 110, 60, 0}, {90, 51, 110, 60, 0},  // x1, y1 inclusive
        {90, 40, 101, 60, 1},  {90, 40, 100, 60, 0},                          // x2 exclusive
        {90, 40, 110, 51, 1},  {90, 40, 110, 50, 0},                          // y2 exclusive
    };
    for (const Zone& z : zones) {
        SCOPED_TRACE(testing::Message() << z.x1 << ' ' << z.y1 << ' ' << z.x2 << ' ' << z.y2);
        list.clear_selection();
        EXPECT_EQ(objects_in_zone(list, z.x1, z.y1, z.x2, z.y2), z.count);
        pick_objects_in_zone(list, z.x1, z.y1, z.x2, z.y2);
        EXPECT_EQ(chain_of(list), z.count ? Chain{a} : Chain{});
    }
    // The zone is in frame pixels: the layer's offset counts.
    scope.layer(0).off_x = 5;
    scope.layer(0).off_y = -5;
    list.clear_selection();
    EXPECT_EQ(objects_in_zone(list, 105, 45, 106, 46), 1);
    EXPECT_EQ(objects_in_zone(list, 100, 50, 101, 51), 0);
}

TEST(EventSupport, division_and_remainder_by_zero_give_zero)
{
    EXPECT_EQ(MathHelperValue<int>(7) / 0.0, 0.0);
    EXPECT_EQ(MathHelperValue<int>(7) / -0.0, 0.0);
    EXPECT_EQ(MathHelperValue<double>(7.5) % 0.0, 0.0);
    EXPECT_EQ(MathHelperValue<int>(7) / 2.0, 3.5);
    EXPECT_EQ(MathHelperValue<float>(0.1f) / 1.0, double(0.1f));
    EXPECT_EQ(MathHelperValue<int>(-7) % 3.0, -1.0);
    EXPECT_EQ(int_pow(2.0, 0), 1.0);
    EXPECT_EQ(int_pow(0.5, 3), 0.125);
    EXPECT_EQ(int_pow(3.0, 5), 243.0);
    EXPECT_EQ(int_pow(2.0, -2), 0.25);
}

TEST(EventSupport, angles_and_rotated_offsets_count_counter_clockwise_on_screen)
{
    EXPECT_EQ(get_angle(0, 0, 10, 0), 0.0);
    EXPECT_EQ(get_angle(0, 0, 0, -10), 90.0);
    EXPECT_EQ(get_angle(0, 0, -10, 0), 180.0);
    EXPECT_EQ(get_angle(0, 0, 0, 10), 270.0);
    EXPECT_EQ(get_angle(3, 3, 3, 3), 0.0);

    // (10, 3) turned by the instance's direction.
    FrameObject object(0, 0, 2);
    const struct {
        int direction, x, y;
    } turns[] = {{8, 3, -10}, {4, 9, -4}, {16, -10, -3}, {24, -3, 10}};
    for (const auto& turn : turns) {
        int x = 10, y = 3;
        object.direction = turn.direction;
        transform_pos(x, y, &object);
        EXPECT_EQ((std::vector<int>{x, y}), (std::vector<int>{turn.x, turn.y})) << turn.direction;
    }
}

TEST(EventSupport, spread_value_numbers_the_selection_in_chain_order)
{
    FrameObject a(0, 0, 1), b(0, 0, 1), c(0, 0, 1);
    for (FrameObject* object : {&a, &b, &c})
        object->create_alterables();
    ObjectList list;
    list.add(&a);
    list.add(&b);
    list.add(&c);
    list.clear_selection();
    spread_value(list, 0, 1);
    EXPECT_EQ(c.alterables->values.get(0), 1.0);
    EXPECT_EQ(b.alterables->values.get(0), 2.0);
    EXPECT_EQ(a.alterables->values.get(0), 3.0);
    spread_value(list, 30, 7);
    spread_value(list, -1, 7);
    EXPECT_EQ(a.alterables->values.get(0), 3.0);

    FrameObject d(0, 0, 2);
    d.create_alterables();
    ObjectList other;
    other.add(&d);
    ObjectList* members[3] = {&list, &other, nullptr};
    QualifierList group;
    group.set(2, members);
    group.clear_selection();
    spread_value(group, 1, 10);
    EXPECT_EQ(c.alterables->values.get(1), 10.0);
    EXPECT_EQ(d.alterables->values.get(1), 13.0);

    // Numbers past the 32-bit limit are written as they are, without wrapping.
    spread_value(group, 2, 2147483646);
    EXPECT_EQ(a.alterables->values.get(2), 2147483648.0);
    EXPECT_EQ(d.alterables->values.get(2), 2147483649.0);
}

TEST(EventSupport, string_cuts_absorb_out_of_range_counts)
{
    EXPECT_EQ(left_string("abc", 10), "abc");
    EXPECT_EQ(left_string("abc", -1), "");
    EXPECT_EQ(left_string("abc", 2), "ab");
    EXPECT_EQ(mid_string("abc", 5, 1), "");
    EXPECT_EQ(mid_string("abc", -2, 2), "ab");
    EXPECT_EQ(mid_string("abcdef", 2, 100), "cdef");
    EXPECT_EQ(mid_string("abc", 1, -4), "");
    EXPECT_EQ(string_to_double(""), 0.0);
    EXPECT_EQ(string_to_double(" 42abc"), 42.0);
}
