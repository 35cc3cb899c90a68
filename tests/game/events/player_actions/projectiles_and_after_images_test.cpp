// The player's shots fly (or wait out their freeze counter), steer at 8
// pixels a tick, expire after 20 ticks with a spark or a burst; after-images
// fade and grow; skidding to the left puffs dust beside the sensor.
#include "game/objects/classes.h"
#include "objects/active.h"
#include "runtime/layer.h"
#include "runtime/movement.h"
#include "tests/support/event_kit.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <utility>

namespace {

// Destroyed, or playing its disappearing animation on the way out.
bool going(const FrameObject* object) { return object->flags & (FrameObject::DESTROYING | FrameObject::FADEOUT); }

class PlayerShots : public testing::Test {
protected:
    void enter(std::function<void(EventKit&)> place = {})
    {
        kit.enter_empty_frame({.layers = 3,
                               .width = 2000,
                               .height = 1000,
                               .handler =
                                   [](Frames& f) {
                                       for (auto event : {&Frames::event_func_2047, &Frames::event_func_2048,
                                                          &Frames::event_func_2049, &Frames::event_func_2050,
                                                          &Frames::event_func_2051, &Frames::event_func_2052,
                                                          &Frames::event_func_2053, &Frames::event_func_2054,
                                                          &Frames::event_func_2055, &Frames::event_func_2056})
                                           (f.*event)();
                                   },
                               .set_up = [this, place](Frames& f) {
                                   f.level_group_43 = true;
                                   player = kit.place("PlayerMovementValues_80", -100, -100, 1);
                                   camera = kit.place("MasterCamera_190", -100, -100, 1);
                                   if (place)
                                       place(kit);
                               }});
    }

    FrameObject* shot(double a, double b, double c, double d)
    {
        FrameObject* made = kit.place("PlayerProjectile_336", 0, 0, 2);
        for (auto [letter, number] : {std::pair{'A', a}, {'B', b}, {'C', c}, {'D', d}})
            EventKit::set_value(made, letter, number);
        return made;
    }

    EventKit kit;
    FrameObject* player = nullptr;
    FrameObject* camera = nullptr;
};

TEST_F(PlayerShots, a_shot_flies_after_its_freeze_counter_and_sparks_out_in_its_21st_tick)
{
    enter();
    FrameObject* frozen = shot(100, 50, 3, -1);
    EventKit::set_value(frozen, 'F', 2);
    FrameObject* old = shot(10, 10, 0, 0);
    EventKit::set_value(old, 'H', 20);
    const int placed_x = frozen->get_x();
    kit.run();
    // H of 20 or more expires a shot in its first tick.
    EXPECT_TRUE(going(old));
    const size_t sparks_before = kit.instances(types::ThunderSpark_192).size();
    EXPECT_GE(sparks_before, 1u);
    kit.run();
    // Frozen for two ticks: not placed, not moved, F counted down.
    EXPECT_EQ(frozen->get_x(), placed_x);
    EXPECT_EQ(EventKit::value(frozen, 'A'), 100);
    EXPECT_EQ(EventKit::value(frozen, 'F'), 0);
    for (int flight = 0; flight < 18; ++flight) {
        kit.run();
        EXPECT_EQ(frozen->get_x(), 100 + 3 * flight);
        EXPECT_EQ(frozen->get_y(), 50 - flight);
        EXPECT_EQ(EventKit::value(frozen, 'A'), 100 + 3 * (flight + 1));
        EXPECT_EQ(EventKit::value(frozen, 'H'), 3 + flight);
        EXPECT_FALSE(going(frozen));
    }
    const size_t sparks_in_flight = kit.instances(types::ThunderSpark_192).size();
    kit.run();
    EXPECT_TRUE(going(frozen));
    const std::vector<FrameObject*> sparks = kit.instances(types::ThunderSpark_192);
    ASSERT_EQ(sparks.size(), sparks_in_flight + 1);
    EXPECT_EQ(sparks.back()->get_x(), 154);
    EXPECT_EQ(sparks.back()->get_y(), 32);
    EXPECT_EQ(frozen->get_x(), 154);
    EXPECT_EQ(sparks.back()->layer->index, 2);
    EXPECT_TRUE(kit.take_sounds().empty());
}

TEST_F(PlayerShots, a_steered_shot_turns_by_its_step_at_8_pixels_a_tick)
{
    enter();
    FrameObject* turning = shot(200, 200, 2, 0);
    turning->alterables->flags |= 1 << 2;
    EventKit::set_value(turning, 'H', -30);
    // Each tick places the shot where the last left it, then turns the
    // velocity by 12 degrees clockwise on screen at 8 pixels a tick.
    double x = 200, y = 200;
    for (int tick = 1; tick <= 30; ++tick) {
        kit.run();
        EXPECT_EQ(turning->get_x(), int(x)) << tick;
        EXPECT_EQ(turning->get_y(), int(y)) << tick;
        const double heading = EventKit::value(turning, 'L');
        EXPECT_NEAR(std::cos(heading / 57.29577951308232), std::cos(12 * tick / 57.29577951308232), 1e-9) << tick;
        EXPECT_NEAR(std::sin(heading / 57.29577951308232), std::sin(12 * tick / 57.29577951308232), 1e-9) << tick;
        EXPECT_NEAR(std::hypot(EventKit::value(turning, 'C'), EventKit::value(turning, 'D')), 8, 1e-12);
        EXPECT_EQ(turning->get_angle(), int(-heading) % 360) << tick;
        x = EventKit::value(turning, 'A');
        y = EventKit::value(turning, 'B');
    }
    EXPECT_EQ(EventKit::value(turning, 'H'), 0);
    // A start age of -30 gives 51 ticks of life.
    kit.run(20);
    EXPECT_FALSE(going(turning));
    kit.run();
    EXPECT_TRUE(going(turning));
}

TEST_F(PlayerShots, bursting_shots_end_together_with_one_sound_and_one_camera_push)
{
    enter();
    FrameObject* first = shot(300, 100, 0, 4);
    FrameObject* second = shot(320, 100, -4, 0);
    for (FrameObject* s : {first, second}) {
        EventKit::set_value(s, 'G', 1);
        EventKit::set_value(s, 'H', 15);
    }
    EventKit::set_value(camera, 'Z', -5);
    kit.run();
    EXPECT_EQ(static_cast<Active*>(first)->forced_animation, 7);
    EXPECT_EQ(first->get_angle(), -90);
    EXPECT_EQ(second->get_angle(), -180);
    kit.run(4);
    EXPECT_TRUE(kit.take_sounds().empty());
    kit.run();
    EXPECT_TRUE(going(first) && going(second));
    const std::vector<SoundStart> sounds = kit.take_sounds();
    ASSERT_EQ(sounds.size(), 1u);
    EXPECT_EQ(sounds[0].id, 154u);
    EXPECT_EQ(EventKit::value(camera, 'Z'), -2);
    EXPECT_EQ(kit.instances(types::EffectsWhiteBurst_31).size(), 2u);
    EXPECT_TRUE(kit.instances(types::ThunderSpark_192).empty());
}

TEST_F(PlayerShots, after_images_fade_and_grow_onto_the_player_while_the_newest_points_down_right)
{
    FrameObject *older = nullptr, *newest = nullptr;
    enter([&](EventKit& k) {
        older = k.place("EffectsOrrunImage_335", 50, 50, 1);
        newest = k.place("EffectsOrrunImage_335", 60, 50, 1);
        for (FrameObject* image : {older, newest}) {
            image->set_direction(0, true);
            EventKit::set_value(image, 'A', 0);
        }
    });
    EventKit::set_value(player, 'X', 400.7);
    EventKit::set_value(player, 'Y', 300.2);
    // Plain: alpha 128 at A = 0, 4 less a tick.
    EXPECT_EQ(older->blend_color.a, 128);
    for (int a = 2; a <= 31; ++a) {
        kit.run();
        EXPECT_EQ(older->blend_color.a, 128 - 4 * (a - 1)) << a;
        EXPECT_EQ(EventKit::value(older, 'A'), a);
    }
    EXPECT_EQ(older->get_x(), 50);
    EXPECT_FALSE(going(older));
    EventKit::set_value(older, 'A', 0);
    EventKit::set_value(newest, 'A', 0);
    // The newest's direction decides for every after-image.
    newest->set_direction(5, true);
    for (int tick = 1; tick <= 15; ++tick) {
        kit.run();
        // 2048 raised A to 2t - 1 before the growing step read it.
        const double a = 2 * tick - 1;
        EXPECT_EQ(older->blend_color.a, std::clamp(256 - 2 * int(4 * a), 0, 255)) << tick;
        EXPECT_FLOAT_EQ(static_cast<Active*>(older)->x_scale, float(0.05 * a + 0.2)) << tick;
        EXPECT_EQ(older->get_x(), 400);
        EXPECT_EQ(older->get_y(), 288);
        EXPECT_FALSE(going(older));
    }
    kit.run();
    EXPECT_TRUE(going(older) && going(newest));
}

TEST_F(PlayerShots, skidding_left_puffs_dust_every_second_tick_at_the_sensor_offset)
{
    FrameObject* sensor = nullptr;
    enter([&](EventKit& k) { sensor = k.place("PlayerCharacterSensor_151", 500, 400, 1); });
    EventKit::set_value(player, 'M', 4);
    EventKit::set_value(player, 'Q', 1);
    kit.set_global(3, 8.5);
    kit.run(2);
    EXPECT_TRUE(kit.instances(types::EffectsDust01_132).empty());
    EventKit::set_value(player, 'Q', -1);
    struct Offset {
        int direction, dx, dy;
    };
    int puffs = 0;
    for (const Offset& o : {Offset{0, 0, 13}, Offset{8, 13, 0}, Offset{16, 0, -13}, Offset{24, -13, 0},
                            Offset{4, 9, 9}}) {
        sensor->set_direction(o.direction, true);
        kit.set_global(3, 7.9);
        kit.run();
        ASSERT_EQ(int(kit.instances(types::EffectsDust01_132).size()), puffs) << o.direction;
        kit.set_global(3, 2 * o.direction - 2);
        kit.run();
        const std::vector<FrameObject*> dust = kit.instances(types::EffectsDust01_132);
        ASSERT_EQ(int(dust.size()), ++puffs) << o.direction;
        const FrameObject* puff = dust.back();
        EXPECT_EQ(puff->get_x(), 500 + o.dx) << o.direction;
        EXPECT_EQ(puff->get_y(), 400 + o.dy) << o.direction;
        EXPECT_EQ(puff->layer->index, 1);
        EXPECT_GE(puff->get_direction(), 8);
        EXPECT_LE(puff->get_direction(), 10);
        EXPECT_EQ(const_cast<FrameObject*>(puff)->get_movement()->get_speed(), 4);
    }
    // Held conditions puff once.
    kit.run(3);
    EXPECT_EQ(int(kit.instances(types::EffectsDust01_132).size()), puffs);
}

}  // namespace
