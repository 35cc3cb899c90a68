// The rising shot, the puff shot, the wobbling riser and the explosive
// shot, tick by tick with the common projectile step.
#include "tests/game/events/move_sets/hespin_stage.h"

#include <cmath>

using HespinRisingShot = hespin_test::HespinStage;
using HespinPuffShot = hespin_test::HespinStage;
using HespinExplosiveShot = hespin_test::HespinStage;

TEST_F(HespinRisingShot, rises_ever_faster_loses_its_sideways_speed_and_puffs_after_46_raises)
{
    enter(hespin_test::with_common_step({&Frames::event_func_1419, &Frames::event_func_1420,
                                         &Frames::event_func_1421, &Frames::event_func_1422,
                                         &Frames::event_func_1423}));
    FrameObject* rising = shot(9, 300, 500, -40, 0.35, 0);
    EventKit::set_value(rising, 'K', 0);
    kit.take_sounds();
    double x = 300, y = 500, c = 0.35, d = 0;
    int ticks = 0;
    for (; ticks < 60; ++ticks) {
        kit.run(1);
        if (shots().empty())
            break;
        d = std::max(d - 0.1, -10.0);
        if (c > 0)
            c -= 0.1;
        if (c < 0)
            c += 0.1;
        EXPECT_EQ(std::make_pair(rising->get_x(), rising->get_y()), std::make_pair(int(x), int(y))) << ticks;
        x += c;
        y += d;
    }
    EXPECT_EQ(ticks, 46);  // gone in the 47th tick
    EXPECT_EQ(sample_count(kit.take_sounds(), 48), 1);
    FrameObject* puff = kit.instance(types::EffectsWhiteBurst_31);
    ASSERT_NE(puff, nullptr);
    EXPECT_EQ(sprite(puff)->x_scale, 0.6f);
    EXPECT_EQ(kit.instances(types::ThunderSpark_192).size(), 1u);
}

TEST_F(HespinRisingShot, passing_through_enemies_only_sounds_once_a_tick)
{
    enter({&Frames::event_func_1422});
    FrameObject* a = enemy(300, 300);
    FrameObject* b = enemy(300, 300);
    shot(9, 300, 300, -30);
    settle();
    kit.take_sounds();
    kit.run(2);
    EXPECT_EQ(sample_count(kit.take_sounds(), 48), 2);
    EXPECT_EQ(EventKit::values(a, "AC"), doubles(10, 0));
    set_flag(a, 6, true);
    EventKit::set_value(b, 'C', 1);
    kit.run(1);
    EXPECT_EQ(sample_count(kit.take_sounds(), 48), 0);
}

TEST_F(HespinPuffShot, plays_frames_by_age_and_ends_at_minus_four_the_riser_wobbles_up)
{
    enter(hespin_test::with_common_step(
        {&Frames::event_func_1424, &Frames::event_func_1425, &Frames::event_func_1431}));
    FrameObject* puff = shot(10, 300, 300, -20, 3, 0);
    std::vector<int> frames;
    for (int tick = 0; tick < 20; ++tick) {
        kit.run(1);
        if (!alive(puff))
            break;
        frames.push_back(sprite(puff)->forced_frame);
    }
    EXPECT_EQ(frames, (std::vector<int>{12, 12, 13, 13, 14, 15, 15, 16, 16, 17, 18, 18, 19, 19, 20, 21}));

    FrameObject* riser = shot(12, 600, 600, 0, 0, 0);
    EventKit::set_value(riser, 'N', -1);
    kit.set_global(3, 4);
    kit.run(1);
    EXPECT_EQ(sprite(riser)->forced_frame, 28);  // 26 + (4 / 2) mod 3
    EXPECT_EQ(EventKit::values(riser, "CD"), doubles(0, -0.1));
    kit.run(1);
    EXPECT_EQ(EventKit::value(riser, 'C'), 15 * -1 * std::sin(35 / 57.29577951308232));
    FrameObject* straight = shot(12, 900, 600, 3, 0, 0);
    kit.run(1);
    EXPECT_EQ(EventKit::value(straight, 'C'), 0);  // N = 0
}

TEST_F(HespinExplosiveShot, flies_21_ticks_then_stands_exploding_with_sounds_and_sprites_until_removed)
{
    enter(hespin_test::with_common_step({&Frames::event_func_1426, &Frames::event_func_1427,
                                         &Frames::event_func_1428, &Frames::event_func_1429,
                                         &Frames::event_func_1430}));
    FrameObject* bang = shot(11, 300, 300, -40, 10, 0);
    kit.take_sounds();
    std::vector<int> xs, sound_ticks;
    for (int tick = 1; tick <= 70; ++tick) {
        kit.run(1);
        const std::vector<SoundStart> sounds = kit.take_sounds();
        if (sample_count(sounds, 169) + sample_count(sounds, 176) + sample_count(sounds, 177) > 0)
            sound_ticks.push_back(tick);
        if (shots().empty())
            break;
        xs.push_back(bang->get_x());
        if (tick == 22) {
            EXPECT_TRUE(kit.instances(types::EffectsExplosion06_291).empty());
        }
        if (tick == 23) {
            ASSERT_EQ(kit.instances(types::EffectsExplosion06_291).size(), 1u);
            FrameObject* e = kit.instance(types::EffectsExplosion06_291);
            EXPECT_LE(std::abs(e->get_x() - 510), 25);
            EXPECT_LE(std::abs(e->get_y() - 300), 25);
            EXPECT_EQ(sprite(e)->forced_speed, 50);
        }
    }
    // Placed at 300, 310, ... 510, then held there until removed on tick 61.
    ASSERT_EQ(xs.size(), 60u);
    for (size_t k = 0; k < xs.size(); ++k)
        EXPECT_EQ(xs[k], 300 + 10 * int(std::min<size_t>(k, 21))) << k;
    EXPECT_EQ(sound_ticks, (std::vector<int>{23, 28, 33, 38, 44, 49, 54, 59}));
    EXPECT_EQ(EventKit::value(kit.instance(types::MasterCamera_190), 'Z'), 2);
    EXPECT_EQ(kit.instances(types::ThunderSpark_192).size(), 1u);
}

TEST_F(HespinExplosiveShot, a_contact_in_flight_starts_the_explosion_and_the_enemy_takes_a_hit)
{
    enter({&Frames::event_func_1426, &Frames::event_func_1427, &Frames::event_func_1428});
    crate(300, 300, true);
    FrameObject* through = shot(11, 300, 300, -40, 10, 0);
    settle();
    kit.run(1);
    EXPECT_EQ(EventKit::values(through, "HC"), doubles(-40, 10));
    wall(600, 300);
    FrameObject* on_wall = shot(11, 610, 310, -40, 10, 0);
    FrameObject* pokkol = enemy(900, 300);
    FrameObject* on_enemy = shot(11, 900, 300, -40, 10, 0);
    settle();
    kit.run(1);
    for (FrameObject* s : {on_wall, on_enemy}) {
        EXPECT_EQ(EventKit::values(s, "HCD"), doubles(-19, 0, 0));
        EXPECT_EQ(s->get_direction(), 8);
    }
    EXPECT_EQ(EventKit::values(pokkol, "AC"), doubles(8, 4));
}
