// The scatter burst's fan of spikes and the projectile hit rule.
#include "tests/game/events/move_sets/hespin_stage.h"

using HespinScatterBurst = hespin_test::HespinStage;
using HespinProjectileHits = hespin_test::HespinStage;

TEST_F(HespinScatterBurst, ten_spikes_rise_one_a_tick_alternating_outwards_and_grow_to_full_height)
{
    enter(hespin_test::with_common_step(
        {&Frames::event_func_1408, &Frames::event_func_1409, &Frames::event_func_1410}));
    for (auto [letter, n] : {std::pair{'W', 1.0}, {'X', 500.0}, {'Y', 300.0}})
        EventKit::set_value(arm(), letter, n);
    std::vector<FrameObject*> spikes;
    std::vector<float> first_scales;
    for (int tick = 0; tick < 12; ++tick) {
        kit.run(1);
        for (FrameObject* s : shots())
            if (std::find(spikes.begin(), spikes.end(), s) == spikes.end())
                spikes.push_back(s);  // oldest first
        first_scales.push_back(sprite(spikes.front())->y_scale);
    }
    ASSERT_EQ(spikes.size(), 10u);
    EXPECT_EQ(EventKit::value(arm(), 'W'), 0);
    std::vector<int> xs;
    for (FrameObject* s : spikes) {
        xs.push_back(s->get_x());
        EXPECT_EQ(s->get_y(), 300);
        EXPECT_EQ(EventKit::values(s, "JKI"), doubles(16, 1, 2));
        EXPECT_TRUE(EventKit::flag(s, 1));
        EXPECT_EQ(s->shader, 28);
        EXPECT_EQ(s->layer->index, 1);  // the player's layer
        EXPECT_GE(s->get_angle(), -45);
        EXPECT_LE(s->get_angle(), 45);
    }
    EXPECT_EQ(xs, (std::vector<int>{500, 494, 512, 482, 524, 470, 536, 458, 548, 446}));
    // 0.2 after its first tick, full height after nine raises.
    EXPECT_EQ(first_scales[0], 0.2f);
    EXPECT_FLOAT_EQ(first_scales[4], 0.6f);
    EXPECT_EQ(first_scales[8], 1.0f);
    EXPECT_EQ(first_scales[11], 1.0f);
    // The common removal ends a spike 51 raises after it was made.
    kit.run(38);
    EXPECT_EQ(shots().size(), 10u);
    kit.run(1);
    EXPECT_EQ(shots().size(), 9u);
}

TEST_F(HespinProjectileHits, each_family_hits_one_enemy_with_its_cool_down_from_the_first_shot)
{
    enter({&Frames::event_func_1411, &Frames::event_func_1426, &Frames::event_func_1434});
    struct Case {
        int kind;
        double cool_down;
    };
    kit.take_sounds();
    for (Case c : {Case{16, 5}, {10, 4}, {11, 4}, {12, 4}, {13, 6}, {14, 6}}) {
        FrameObject* pokkol = enemy(300, 200);
        FrameObject* s = shot(c.kind, 300, 200, -10, -4, 2);
        settle();
        kit.run(1);
        EXPECT_EQ(EventKit::values(pokkol, "ACXY"), doubles(8, c.cool_down, -2, 1)) << c.kind;
        EXPECT_EQ(pokkol->shader, 17);
        EXPECT_TRUE(EventKit::flag(s, 3));
        EXPECT_TRUE(s->flags & FrameObject::VISIBLE);  // not used up
        pokkol->destroy();
        s->destroy();
    }
    EXPECT_EQ(sample_count(kit.take_sounds(), 21), 6);

    // An unarmed spike and a kind of no family take nothing off.
    FrameObject* spike = shot(16, 300, 200, -10);
    EventKit::set_value(spike, 'K', 0);
    FrameObject* rising = shot(9, 300, 200, -10);
    FrameObject* target = enemy(300, 200);
    settle();
    kit.run(1);
    EXPECT_EQ(EventKit::value(target, 'A'), 10);
    EXPECT_EQ(sample_count(kit.take_sounds(), 21), 0);
    for (FrameObject* gone : {spike, rising, target})
        gone->destroy();

    // Two enemies under two shots: one hit a tick, by the newest shot.
    FrameObject* older = shot(10, 300, 200, -10, 2, 0);
    FrameObject* newer = shot(10, 300, 200, -10, 6, 0);
    FrameObject* a = enemy(300, 200);
    FrameObject* b = enemy(300, 200);
    settle();
    kit.run(1);
    EXPECT_EQ(EventKit::value(a, 'A') + EventKit::value(b, 'A'), 18);
    FrameObject* hit = EventKit::value(a, 'A') == 8 ? a : b;
    EXPECT_EQ(EventKit::value(hit, 'X'), 3);
    EXPECT_TRUE(EventKit::flag(older, 3) && EventKit::flag(newer, 3));
    kit.run(1);
    EXPECT_EQ(EventKit::value(a, 'A') + EventKit::value(b, 'A'), 16);
}
