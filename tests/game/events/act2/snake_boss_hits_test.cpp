// Striking the snake boss on a stage of its own: the hitbox rides on the
// head, each defeated segment explodes once and spins down to a stop, and
// the hitbox stays protected until the last segment is down.
#include "game/frames/event_support.h"
#include "game/objects/type_ids.h"
#include "objects/active.h"
#include "tests/support/event_kit.h"

#include <gtest/gtest.h>

namespace {

void run_hits(Frames& f)
{
    for (auto event : {&Frames::event_func_2424, &Frames::event_func_2425, &Frames::event_func_2426,
                       &Frames::event_func_2427, &Frames::event_func_2428, &Frames::event_func_2429})
        (f.*event)();
}

struct HitsStage {
    FrameObject* head = nullptr;
    FrameObject* hitbox = nullptr;
    std::vector<FrameObject*> segments;
};

HitsStage enter_hits(EventKit& kit)
{
    HitsStage s;
    kit.enter_empty_frame({.width = 2000,
                           .height = 1000,
                           .handler = run_hits,
                           .set_up = [&](Frames& f) {
                               f.reset_frame_event_state(6);
                               f.level_group_43 = f.boss_arena_group = f.boss_fight_group = true;
                               f.boss_fight_sub_group_2 = true;
                               for (int k = 0; k < 3; ++k)
                                   s.segments.push_back(kit.place("BossSnakeBody_370", 300 + 100 * k, 500));
                               s.head = kit.place("BossVashkelHead_273", 700, 400);
                               s.head->set_direction(4, true);
                               s.head->set_angle(30, false);
                               s.hitbox = kit.place("BossSnakeHitbox_383", 100, 100);
                               set_flag(s.hitbox, 5, true);
                           }});
    return s;
}

}  // namespace

TEST(SnakeBossHits, segments_fall_one_by_one_and_only_then_the_hitbox_opens)
{
    EventKit kit;
    HitsStage s = enter_hits(kit);
    auto* box = static_cast<Active*>(s.hitbox);
    // The first tick: the hitbox sits on the head, turned as it is, protected
    // and flashing, its fight-start flag cleared.
    EXPECT_EQ(s.hitbox->get_x(), 700);
    EXPECT_EQ(s.hitbox->get_y(), 400);
    EXPECT_EQ(s.hitbox->get_direction(), 4);
    EXPECT_EQ(s.hitbox->get_angle(), 30);
    EXPECT_EQ(EventKit::value(s.hitbox, 'C'), 3);
    EXPECT_FALSE(EventKit::flag(s.hitbox, 5));
    EXPECT_FLOAT_EQ(box->flash_interval, 0.08f);
    // The protection is renewed every tick, the flash started only once.
    set_flag(s.hitbox, 5, true);
    EventKit::set_value(s.hitbox, 'C', 0);
    s.head->set_x(800);
    kit.run(1);
    EXPECT_EQ(EventKit::value(s.hitbox, 'C'), 3);
    EXPECT_TRUE(EventKit::flag(s.hitbox, 5));
    EXPECT_EQ(s.hitbox->get_x(), 800);

    // Two segments down in one tick: two explosions at them, one sound.
    kit.take_sounds();
    set_flag(s.segments[0], 6, true);
    set_flag(s.segments[1], 6, true);
    kit.run(1);
    std::vector<FrameObject*> explosions = kit.instances(types::EffectsExplosion06_291);
    ASSERT_EQ(explosions.size(), 2u);
    EXPECT_EQ(explosions[0]->get_y(), 500);
    EXPECT_EQ(explosions[0]->get_x() + explosions[1]->get_x(), 300 + 400);
    EXPECT_EQ(sample_count(kit.take_sounds(), 41), 1);
    EXPECT_EQ(s.segments[0]->get_direction(), 8);
    // The spin: F counts down from 59, E gains F / 100 and wraps past 4.
    EXPECT_EQ(EventKit::value(s.segments[0], 'F'), 59);
    EXPECT_DOUBLE_EQ(EventKit::value(s.segments[0], 'E'), 0.59);
    kit.run(1);
    EXPECT_DOUBLE_EQ(EventKit::value(s.segments[1], 'E'), 0.59 + 0.58);
    double spun = 0.59 + 0.58;
    for (int t = 0; t < 58; ++t) {
        kit.run(1);
        spun += (57 - t) * 0.01;
        if (spun > 4)
            spun -= 4;
        ASSERT_NEAR(EventKit::value(s.segments[0], 'E'), spun, 1e-9) << t;
    }
    EXPECT_EQ(EventKit::value(s.segments[0], 'F'), 0);
    EXPECT_NEAR(EventKit::value(s.segments[0], 'E'), 17.7 - 16, 1e-9);
    // Handled segments neither explode nor sound again, and the one still
    // standing keeps the hitbox protected.
    EventKit::set_value(s.hitbox, 'C', 0);
    kit.run(5);
    EXPECT_EQ(sample_count(kit.take_sounds(), 41), 0);
    EXPECT_NEAR(EventKit::value(s.segments[0], 'E'), 1.7, 1e-9);
    EXPECT_EQ(EventKit::value(s.hitbox, 'C'), 3);

    // The last segment down: the protection is no longer renewed.
    set_flag(s.segments[2], 6, true);
    kit.run(1);
    EXPECT_EQ(sample_count(kit.take_sounds(), 41), 1);
    EventKit::set_value(s.hitbox, 'C', 0);
    kit.run(1);
    EXPECT_EQ(EventKit::value(s.hitbox, 'C'), 0);

    // With the fight's sub-group off, nothing here runs.
    kit.frames().boss_fight_sub_group_2 = false;
    s.head->set_x(900);
    kit.run(1);
    EXPECT_EQ(s.hitbox->get_x(), 800);
}
