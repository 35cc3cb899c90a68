// Shots wait out their freeze counter, fly, steer at 8 pixels a tick and
// end after 20 ticks; after-images fade and grow; skidding left puffs dust.
#include "tests/game/events/player_actions/skin_events_kit.h"

#include <algorithm>
#include <cmath>

namespace skin_events_test {
namespace {

class PlayerShots : public SkinEventsTest {
protected:
    void enter(std::function<void()> place = [] {})
    {
        SkinEventsTest::enter({&Frames::event_func_2047, &Frames::event_func_2048, &Frames::event_func_2049,
                               &Frames::event_func_2050, &Frames::event_func_2051, &Frames::event_func_2052,
                               &Frames::event_func_2053, &Frames::event_func_2054, &Frames::event_func_2055,
                               &Frames::event_func_2056},
                              [this, place] {
                                  player = kit.place("PlayerMovementValues_80", -100, -100, 1);
                                  camera = kit.place("MasterCamera_190", -100, -100, 1);
                                  place();
                              });
    }

    FrameObject* shot(std::initializer_list<std::pair<char, double>> values)
    {
        FrameObject* made = kit.place("PlayerProjectile_336", 0, 0, 2);
        for (const auto& [letter, number] : values)
            EventKit::set_value(made, letter, number);
        return made;
    }

    FrameObject* player = nullptr;
    FrameObject* camera = nullptr;
};

TEST_F(PlayerShots, a_shot_waits_out_its_freeze_counter_flies_and_sparks_out_in_its_21st_tick)
{
    enter();
    FrameObject* frozen = shot({{'A', 100}, {'B', 50}, {'C', 3}, {'D', -1}, {'F', 2}});
    kit.run(2);
    EXPECT_EQ(frozen->get_x(), 0);
    EXPECT_EQ(EventKit::values(frozen, "AF"), std::vector<double>({100, 0}));
    for (int flight = 0; flight <= 18; ++flight) {
        kit.run();
        EXPECT_EQ(frozen->get_x() * 1000 + frozen->get_y(), (100 + 3 * flight) * 1000 + 50 - flight);
        EXPECT_EQ(going(frozen), flight == 18) << flight;
    }
    const FrameObject* spark = kit.instance(types::ThunderSpark_192);
    ASSERT_NE(spark, nullptr);
    EXPECT_EQ(std::vector<int>({spark->get_x(), spark->get_y(), spark->layer->index}), std::vector<int>({154, 32, 2}));
}

TEST_F(PlayerShots, a_steered_shot_turns_12_degrees_a_tick_at_8_pixels_and_lives_by_its_start_age)
{
    enter();
    FrameObject* turning = shot({{'A', 200}, {'B', 200}, {'C', 2}, {'H', -30}});
    turning->alterables->flags |= 1 << 2;
    double x = 200, y = 200;
    for (int tick = 1; tick <= 30; ++tick) {
        kit.run();
        EXPECT_EQ(turning->get_x() * 1000 + turning->get_y(), int(x) * 1000 + int(y)) << tick;
        const double expected = 12 * tick / 57.29577951308232;
        EXPECT_NEAR(EventKit::value(turning, 'C'), 8 * std::cos(expected), 1e-9) << tick;
        EXPECT_NEAR(EventKit::value(turning, 'D'), 8 * std::sin(expected), 1e-9) << tick;
        EXPECT_EQ(turning->get_angle(), int(-EventKit::value(turning, 'L')) % 360) << tick;
        x = EventKit::value(turning, 'A');
        y = EventKit::value(turning, 'B');
    }
    kit.run(20);
    EXPECT_FALSE(going(turning));
    kit.run();
    EXPECT_TRUE(going(turning));  // 51 ticks from an age of -30
}

TEST_F(PlayerShots, bursting_shots_face_their_flight_and_end_with_one_sound_and_one_camera_push)
{
    enter();
    FrameObject* down = shot({{'C', 0}, {'D', 4}, {'G', 1}, {'H', 15}});
    FrameObject* left = shot({{'C', -4}, {'D', 0}, {'G', 1}, {'H', 15}});
    EventKit::set_value(camera, 'Z', -5);
    kit.run(5);
    EXPECT_EQ(active(down)->forced_animation, 7);
    EXPECT_EQ(down->get_angle() * 1000 + left->get_angle(), -90 * 1000 - 180);
    EXPECT_TRUE(kit.take_sounds().empty());
    kit.run();
    EXPECT_TRUE(going(down) && going(left));
    const std::vector<SoundStart> sounds = kit.take_sounds();
    ASSERT_EQ(sounds.size(), 1u);
    EXPECT_EQ(sounds[0].id, 154u);
    EXPECT_EQ(EventKit::value(camera, 'Z'), -2);
    EXPECT_EQ(kit.instances(types::EffectsWhiteBurst_31).size(), 2u);
}

TEST_F(PlayerShots, after_images_fade_then_grow_onto_the_player_while_the_newest_points_down_right)
{
    FrameObject *older = nullptr, *newest = nullptr;
    enter([&] {
        older = kit.place("EffectsOrrunImage_335", 50, 50, 1);
        newest = kit.place("EffectsOrrunImage_335", 60, 50, 1);
        for (FrameObject* image : {older, newest})
            image->set_direction(0, true);
    });
    EventKit::set_value(player, 'X', 400.7);
    EventKit::set_value(player, 'Y', 300.2);
    for (int a = 2; a <= 31; ++a) {
        kit.run();
        EXPECT_EQ(older->blend_color.a, 128 - 4 * (a - 1)) << a;
    }
    EXPECT_EQ(older->get_x(), 50);
    EventKit::set_value(older, 'A', 0);
    EventKit::set_value(newest, 'A', 0);
    newest->set_direction(5, true);
    for (int tick = 1; tick <= 16; ++tick) {
        kit.run();
        const double a = 2 * tick - 1;  // 2048 raised it before the growing step
        EXPECT_EQ(older->blend_color.a, std::clamp(256 - 2 * int(4 * a), 0, 255)) << tick;
        EXPECT_FLOAT_EQ(active(older)->x_scale, float(0.05 * a + 0.2)) << tick;
        EXPECT_EQ(older->get_x() * 1000 + older->get_y(), 400 * 1000 + 288);
        EXPECT_EQ(going(older), tick == 16) << tick;
    }
}

TEST_F(PlayerShots, skidding_left_puffs_dust_at_the_sensor_offset_for_each_direction_once_per_even_run)
{
    FrameObject* sensor = nullptr;
    enter([&] { sensor = kit.place("PlayerCharacterSensor_151", 500, 400, 1); });
    EventKit::set_value(player, 'M', 4);
    EventKit::set_value(player, 'Q', 1);
    kit.set_global(3, 8.5);
    kit.run(2);
    EXPECT_EQ(kit.instance(types::EffectsDust01_132), nullptr);
    EventKit::set_value(player, 'Q', -1);
    const int offsets[][3] = {{0, 0, 13}, {8, 13, 0}, {16, 0, -13}, {24, -13, 0}, {4, 9, 9}};
    for (const auto& [direction, dx, dy] : offsets) {
        sensor->set_direction(direction, true);
        kit.set_global(3, 7.9);
        const FrameObject* before = kit.instance(types::EffectsDust01_132);
        kit.run();
        EXPECT_EQ(kit.instance(types::EffectsDust01_132), before);
        kit.set_global(3, -2);
        kit.run();
        FrameObject* puff = kit.instance(types::EffectsDust01_132);
        ASSERT_NE(puff, before);
        EXPECT_EQ(std::vector<int>({puff->get_x(), puff->get_y(), puff->layer->index, puff->get_movement()->get_speed()}),
                  std::vector<int>({500 + dx, 400 + dy, 1, 4}))
            << direction;
        EXPECT_TRUE(puff->get_direction() >= 8 && puff->get_direction() <= 10);
        kit.run(2);  // held conditions puff once
        EXPECT_EQ(kit.instance(types::EffectsDust01_132), puff);
    }
}

}  // namespace
}  // namespace skin_events_test
