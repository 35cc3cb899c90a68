// The stretch shot, the steered shot and the bouncing shot, tick by tick
// with the common projectile step.
#include "tests/game/events/move_sets/hespin_stage.h"

#include <cmath>

using HespinStretchShot = hespin_test::HespinStage;
using HespinSteeredShot = hespin_test::HespinStage;
using HespinBouncingShot = hespin_test::HespinStage;

namespace {

const std::vector<hespin_test::Event> steered_events = hespin_test::with_common_step(
    {&Frames::event_func_1432, &Frames::event_func_1433, &Frames::event_func_1435, &Frames::event_func_1436,
     &Frames::event_func_1437, &Frames::event_func_1438, &Frames::event_func_1439, &Frames::event_func_1440});

const std::vector<hespin_test::Event> bouncing_events = hespin_test::with_common_step(
    {&Frames::event_func_1441, &Frames::event_func_1442, &Frames::event_func_1443, &Frames::event_func_1444,
     &Frames::event_func_1445, &Frames::event_func_1446});

}  // namespace

TEST_F(HespinStretchShot, stretches_for_eleven_ticks_then_flies_20_a_tick_along_its_angle)
{
    enter(steered_events);
    FrameObject* up = shot(13, 300, 800, -20);
    up->set_angle(90, 0);
    FrameObject* right = shot(13, 300, 500, -20);
    std::vector<float> scales;
    std::vector<int> ys, xs;
    for (int tick = 0; tick < 15; ++tick) {
        kit.run(1);
        scales.push_back(sprite(up)->x_scale);
        ys.push_back(up->get_y());
        xs.push_back(right->get_x());
    }
    EXPECT_EQ(scales, (std::vector<float>{1, 3, 5, 7, 9, 11, 13, 15, 17, 19, 20, 20, 20, 20, 20}));
    EXPECT_EQ(ys, (std::vector<int>{800, 800, 800, 800, 800, 800, 800, 800, 800, 800, 800, 800, 780, 760, 740}));
    EXPECT_EQ(xs, (std::vector<int>{300, 300, 300, 300, 300, 300, 300, 300, 300, 300, 300, 300, 320, 340, 360}));
    EXPECT_EQ(EventKit::values(up, "CD"), doubles(0, -20));
}

TEST_F(HespinSteeredShot, the_direction_keys_steer_it_and_it_ends_after_64_raises_with_a_bang)
{
    enter(steered_events);
    FrameObject* steered = shot(14, 300, 500, -45);
    FrameObject* other = shot(9, 100, 100, -45);
    kit.take_sounds();
    kit.run(1);
    EXPECT_EQ(EventKit::values(steered, "CD"), doubles(8, 0));
    struct Turn {
        std::initializer_list<char> keys;
        double l;
    };
    for (Turn turn : {Turn{{'A'}, 90}, {{'A', 'C'}, 135}, {{'B', 'C'}, 225}, {{'A', 'D'}, 45}, {{'B', 'D'}, -45},
                      {{'A', 'B'}, 270}, {{'C', 'D'}, 0}, {{}, 0}}) {
        controls(turn.keys);
        kit.run(2);  // steered in one tick, flown that way from the next
        EXPECT_EQ(EventKit::value(steered, 'L'), turn.l);
        EXPECT_EQ(EventKit::value(other, 'L'), turn.l);  // every projectile is steered
        EXPECT_EQ(EventKit::values(steered, "CD"), doubles(8 * event_cos(turn.l), -8 * event_sin(turn.l)));
    }
    controls({'A'});
    kit.run(2);
    EXPECT_EQ(EventKit::values(steered, "CD"), doubles(0, -8));
    const int angle = steered->get_angle();
    EXPECT_TRUE(angle == 0 || angle == 90 || angle == 180 || angle == 270);
    FrameObject* trail = kit.instance(types::EffectsWhiteBurst_31);
    EXPECT_EQ(sprite(trail)->x_scale, 0.2f);
    EXPECT_EQ(sprite(trail)->forced_speed, 25);
    int ticks = 19;
    while (alive(steered) && ticks < 100) {
        kit.run(1);
        ++ticks;
    }
    EXPECT_EQ(ticks, 65);
    const std::vector<SoundStart> sounds = kit.take_sounds();
    EXPECT_EQ(sample_count(sounds, 169), 1);
}

TEST_F(HespinBouncingShot, bounces_off_a_wall_ahead_then_waits_two_ticks_and_is_pulled_up_meanwhile)
{
    enter(bouncing_events);
    wall(300, 100);  // obstacles are looked for inside the frame only
    FrameObject* ball = shot(15, 200, 150, -60, 4, 0);
    kit.take_sounds();
    std::vector<int> xs;
    std::vector<double> ks;
    double d = 0, y = 150;
    for (int tick = 1; tick <= 24; ++tick) {
        kit.run(1);
        d -= 0.16;
        xs.push_back(ball->get_x());
        ks.push_back(EventKit::value(ball, 'K'));
        EXPECT_EQ(ball->get_y(), int(y)) << tick;
        y += d;
    }
    EXPECT_EQ(EventKit::value(ball, 'D'), d);
    EXPECT_EQ(std::vector<int>(xs.begin() + 18, xs.end()), (std::vector<int>{272, 276, 280, 276, 272, 268}));
    EXPECT_EQ(std::vector<double>(ks.begin() + 19, ks.end()), doubles(1, 3, 2, 1, 1));
    EXPECT_EQ(sample_count(kit.take_sounds(), 27), 1);
    EXPECT_EQ(EventKit::value(ball, 'C'), -4);
}

TEST_F(HespinBouncingShot, a_ceiling_turns_it_back_down_and_a_still_axis_never_probes)
{
    enter(bouncing_events);
    wall(300, 100);  // its underside at y = 228
    FrameObject* ball = shot(15, 350, 270, -60, 0, -2);
    kit.take_sounds();
    int bounced_on = 0;
    for (int tick = 1; tick <= 20 && !bounced_on; ++tick) {
        kit.run(1);
        if (EventKit::value(ball, 'D') > 0)
            bounced_on = tick;
    }
    ASSERT_GT(bounced_on, 0);
    EXPECT_LE(ball->get_y() - 16, 228);
    EXPECT_EQ(EventKit::value(ball, 'C'), 0);
    EXPECT_EQ(sample_count(kit.take_sounds(), 27), 1);
}
