// The snake boss's cycle on an arena of its own: it aims from geyser 1 at
// geyser 2, leaps along the arc with its body trailing, dives in, rises 80
// pixels leaning toward the player, spits a fireball that hurts, sinks and
// picks another geyser.
#include "game/objects/type_ids.h"
#include "objects/active.h"
#include "tests/support/event_kit.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

void run_cycle(Frames& f)
{
    for (auto event :
         {&Frames::event_func_2403, &Frames::event_func_2404, &Frames::event_func_2405, &Frames::event_func_2406,
          &Frames::event_func_2407, &Frames::event_func_2408, &Frames::event_func_2409, &Frames::event_func_2410,
          &Frames::event_func_2411, &Frames::event_func_2412, &Frames::event_func_2413, &Frames::event_func_2414,
          &Frames::event_func_2415, &Frames::event_func_2416, &Frames::event_func_2417, &Frames::event_func_2418,
          &Frames::event_func_2419, &Frames::event_func_2420, &Frames::event_func_2421, &Frames::event_func_2422,
          &Frames::event_func_2423})
        (f.*event)();
}

struct SnakeStage {
    FrameObject* head = nullptr;
    std::vector<FrameObject*> segments;
    FrameObject* movement = nullptr;
    FrameObject* meter = nullptr;
    FrameObject* sensor = nullptr;
};

SnakeStage enter_snake(EventKit& kit)
{
    SnakeStage s;
    kit.enter_empty_frame({.width = 3000,
                           .height = 1000,
                           .handler = run_cycle,
                           .set_up = [&](Frames& f) {
                               f.reset_frame_event_state(6);
                               f.level_group_43 = f.boss_arena_group = f.boss_fight_group = true;
                               f.boss_fight_sub_group_1 = true;
                               // Geyser 1 at 1000, geyser 2 at 1400 (a kind-2 geyser).
                               EventKit::set_value(kit.place("BossGeyserOverlap1_381", 1000, 800), 'A', 1);
                               EventKit::set_value(kit.place("BossGeyserOverlap1_381", 600, 800), 'A', 0);
                               EventKit::set_value(kit.place("BossGeyserOverlap2_382", 1400, 800), 'A', 2);
                               for (int k = 1; k <= 3; ++k) {
                                   s.segments.push_back(kit.place("BossSnakeBody_370", 1000, 840));
                                   EventKit::set_value(s.segments.back(), 'H', k);
                               }
                               s.head = kit.place("BossVashkelHead_273", 1000, 840);
                               EventKit::set_value(s.head, 'E', 1);
                               EventKit::set_value(s.head, 'G', 2);
                               s.movement = kit.place("PlayerMovementValues_80", -50, -50);
                               kit.place("PlayerOthers_75", -50, -50);
                               s.meter = kit.place("GUILifeBaseMeter_77", -50, -50);
                               kit.place("Player_87", 2500, 700);
                               s.sensor = kit.place("PlayerCharacterSensor_151", 200, 100);
                           }});
    return s;
}

}  // namespace

TEST(SnakeBossCycle, the_snake_leaps_dives_rises_spits_and_sinks_on_its_cycle)
{
    EventKit kit;
    SnakeStage s = enter_snake(kit);
    // Placed and aimed in the first tick, the first arc step taken.
    EXPECT_EQ(EventKit::values(s.head, "BCDF"), doubles(2, 1000, 840, -400));
    EXPECT_EQ(EventKit::value(s.head, 'A'), 1.5);
    EXPECT_EQ(s.head->get_direction(), 0);  // a target to the right
    // Mid-arc: A = 90 at the 61st tick: halfway across, 180 up.
    kit.run(59);
    EXPECT_EQ(EventKit::value(s.head, 'A'), 90);
    kit.run(1);
    EXPECT_EQ(s.head->get_x(), 1200);
    EXPECT_EQ(s.head->get_y(), 840 - 180);
    // The third segment trails by 36 degrees.
    EXPECT_EQ(EventKit::value(s.segments[2], 'G'), 90 - 36);
    // The body lands at A = 12 x 3 + 180 = 216, then the head dives in.
    int ticks = 0;
    while (EventKit::value(s.head, 'B') == 2 && ticks < 200) {
        kit.run(1);
        ++ticks;
    }
    ASSERT_EQ(EventKit::value(s.head, 'B'), 3);
    EXPECT_EQ(EventKit::values(s.head, "ECD"), doubles(2, 1400, 840));
    EXPECT_EQ(s.head->get_direction(), 8);

    // It rises 4 a tick to 80, leaning right toward the player.
    kit.run(20);
    EXPECT_EQ(EventKit::value(s.head, 'A'), 80);
    EXPECT_GT(EventKit::value(s.head, 'H'), 0.9);
    EXPECT_EQ(static_cast<Active*>(s.head)->get_frame(), 2);
    // The spit: one fireball to the right, at F = 5.
    kit.take_sounds();
    kit.run(8);
    std::vector<FrameObject*> fireballs = kit.instances(types::BossFireball_384);
    ASSERT_EQ(fireballs.size(), 1u);
    EXPECT_EQ(fireballs[0]->get_direction(), 0);
    EXPECT_EQ(sample_count(kit.take_sounds(), 42), 1);
    // A fireball on the player hurts once.
    s.sensor->set_global_position(fireballs[0]->get_x(), fireballs[0]->get_y());
    kit.run(1);
    EXPECT_EQ(EventKit::value(s.movement, 'R'), 1);
    EXPECT_EQ(EventKit::value(s.meter, 'B'), EventKit::value(fireballs[0], 'A'));
    // It stays until F reaches 80, sinks in 20 ticks and picks another geyser.
    ticks = 0;
    while (EventKit::value(s.head, 'B') == 3 && ticks < 200) {
        kit.run(1);
        ++ticks;
    }
    EXPECT_EQ(EventKit::value(s.head, 'B'), 0);
    EXPECT_NE(EventKit::value(s.head, 'G'), 2);
    EXPECT_EQ(EventKit::value(s.head, 'A'), 0);
    // The next tick places it at geyser 2 and sends it off again.
    kit.run(1);
    EXPECT_EQ(EventKit::value(s.head, 'B'), 2);
    EXPECT_EQ(EventKit::value(s.head, 'C'), 1400);
}
