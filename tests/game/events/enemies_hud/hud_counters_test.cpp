// The HUD every tick: the level clock's minutes, seconds and hundredths
// with their leading zeros, counted at 1000/59 ms a tick and shown a tick
// late; the lives, energy, petal and crystal counters; the link-bonus
// popups sinking and fading until they go.
#include "game/objects/classes.h"
#include "game/objects/type_ids.h"
#include "objects/active.h"
#include "objects/counter.h"
#include "runtime/manager.h"
#include "tests/game/events/act1_frame/act1_start_kit.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace act1_test;

namespace {

double shown(const FrameObject* counter) { return static_cast<const Counter*>(counter)->value; }
void set_counter(FrameObject* counter, double value) { static_cast<Counter*>(counter)->set(value); }
bool visible(const FrameObject* object) { return object->flags & FrameObject::VISIBLE; }

class HudCounters : public StartTest {
protected:
    void SetUp() override
    {
        StartTest::SetUp();
        class_records::counter_74 = SavedCounterValue{};
        class_records::counter_78 = SavedCounterValue{};
        class_records::alterables_76 = SavedAlterables{};
        EmptyFrame frame = act_frame(
            [this](Frames& f) {
                f.level_group_39 = true;
                level = kit.place("MasterLevel_53", -100, -100, 5);
                values = kit.place("PlayerMovementValues_80", -120, -100, 5);
                minutes = kit.place("GUITimerM_213", 257, 19, 6);
                seconds = kit.place("GUITimerS_211", 283, 19, 6);
                hundredths = kit.place("GUITimerMilli_207", 309, 19, 6);
                minute_zero = kit.place("GUITimerM2_214", 247, 19, 6);
                hundredth_zero = kit.place("GUITimerMilli2_210", 299, 19, 6);
                clock = kit.place("GUITimer_349", 216, 0, 6);
                lives = kit.place("GUILives_221", 164, 19, 6);
                energy = kit.place("GUIEnergy_76", 16, 10, 6);
                petals = kit.place("GUIRings_74", 8, 19, 6);
                crystals = kit.place("GUICrystal_78", 206, 19, 6);
            },
            {});
        frame.handler = [](Frames& f) {
            for (auto event : {&Frames::event_func_2084, &Frames::event_func_2085, &Frames::event_func_2086,
                               &Frames::event_func_2087, &Frames::event_func_2088, &Frames::event_func_2089,
                               &Frames::event_func_2090, &Frames::event_func_2091, &Frames::event_func_2092,
                               &Frames::event_func_2093, &Frames::event_func_2094, &Frames::event_func_2135})
                (f.*event)();
        };
        kit.enter_empty_frame(frame);
    }

    // The clock shows `ms` on the tick after it is set (mode 9 holds it).
    void show_clock(double ms)
    {
        EventKit::set_value(level, 'Z', ms);
        EventKit::set_value(values, 'M', 9);
        kit.run(1);
    }

    EventKit kit;
    FrameObject *level = nullptr, *values = nullptr, *minutes = nullptr, *seconds = nullptr, *hundredths = nullptr,
                *minute_zero = nullptr, *hundredth_zero = nullptr, *clock = nullptr, *lives = nullptr,
                *energy = nullptr, *petals = nullptr, *crystals = nullptr;
};

}  // namespace

TEST_F(HudCounters, the_clock_counts_1000_over_59_ms_a_tick_and_shows_the_last_ticks_time)
{
    for (int tick = 2; tick <= 61; ++tick) {
        const double before = EventKit::value(level, 'Z');
        kit.run(1);
        EXPECT_EQ(shown(seconds), std::fmod(std::floor(before / 1000), 60)) << tick;
        EXPECT_EQ(shown(hundredths), std::fmod(std::floor(before / 10), 100)) << tick;
        EXPECT_EQ(visible(hundredth_zero), shown(hundredths) < 10) << tick;
        // 59 ticks make 999.9999999999995 ms: 0 : 00 : 99, not a second.
        if (tick == 60) {
            EXPECT_EQ(std::vector<double>({before, shown(seconds), shown(hundredths)}),
                      std::vector<double>({999.9999999999995, 0, 99}));
        }
    }
    EXPECT_EQ(shown(seconds), 1);
    EXPECT_EQ(shown(hundredths), 1);

    // In the death modes the clock stands.
    const double standing = EventKit::value(level, 'Z');
    EventKit::set_value(values, 'M', 10);
    kit.run(3);
    EXPECT_EQ(EventKit::value(level, 'Z'), standing);

    show_clock(61234.5);
    EXPECT_EQ(std::vector<double>({shown(minutes), shown(seconds), shown(hundredths)}), std::vector<double>({1, 1, 23}));
    EXPECT_TRUE(visible(minute_zero));
    EXPECT_FALSE(visible(hundredth_zero));
    show_clock(599999.99);  // floored, never rounded up
    EXPECT_EQ(std::vector<double>({shown(minutes), shown(seconds), shown(hundredths)}), std::vector<double>({9, 59, 99}));
    show_clock(600000);
    EXPECT_FALSE(visible(minute_zero));
    EXPECT_EQ(clock->get_direction(), 0);
    show_clock(6000000);  // a hundred minutes: the wide frame
    EXPECT_EQ(shown(minutes), 100);
    EXPECT_EQ(clock->get_direction(), 1);
}

TEST_F(HudCounters, the_counters_follow_lives_energy_petals_and_crystals)
{
    const auto energy_scale = [&](double energy_value) {
        EventKit::set_value(energy, 'A', energy_value);
        kit.run(1);
        return static_cast<const Active*>(energy)->x_scale;
    };
    EXPECT_EQ(energy_scale(50), 0.5f);
    EXPECT_EQ(energy_scale(-5), 0.0f);
    EXPECT_EQ(energy_scale(250), 1.0f);
    manager.lives = 5;
    kit.run(1);
    EXPECT_EQ(shown(lives), 5);

    // Only Dorrik (4) is held to eight petals.
    set_counter(petals, 12);
    kit.run(1);
    EXPECT_EQ(shown(petals), 12);
    EventKit::set_value(values, 'A', 4);
    kit.run(1);
    EXPECT_EQ(shown(petals), 8);

    // A full crystal counter starts again from global value 18.
    kit.set_global(18, 25);
    set_counter(crystals, 998);
    kit.run(1);
    EXPECT_EQ(shown(crystals), 998);
    set_counter(crystals, 999);
    kit.run(1);
    EXPECT_EQ(shown(crystals), 25);
}

using HudPopups = StartTest;

TEST_F(HudPopups, a_link_bonus_sinks_a_pixel_and_fades_6_a_tick_and_goes_on_its_22nd_tick)
{
    EventKit kit;
    FrameObject *linking = nullptr, *popup = nullptr;
    EmptyFrame frame = act_frame(
        [&](Frames&) {
            // Still showing its link animation: it takes no part in the fade.
            linking = kit.place("GUILinkBonus_316", 26, 42, 6);
            static_cast<Active*>(linking)->force_animation(7);
            popup = kit.place("GUILinkBonus_316", 26, 54, 6);
        },
        {});
    frame.handler = [](Frames& f) {
        f.event_func_2095();
        f.event_func_2096();
    };
    kit.enter_empty_frame(frame);
    for (int age = 1; age <= 21; ++age) {
        if (age > 1)
            kit.run(1);
        ASSERT_FALSE(popup->flags & FrameObject::DESTROYING) << age;
        EXPECT_EQ(EventKit::value(popup, 'A'), 6 * age) << age;
        EXPECT_EQ(popup->get_y(), 54 + age) << age;
        EXPECT_EQ(popup->blend_color.a, 256 - 12 * age) << age;  // semi-transparency 6 * age
        EXPECT_EQ(linking->get_y(), 42) << age;
        EXPECT_EQ(EventKit::value(linking, 'A'), 0) << age;
        EXPECT_EQ(linking->blend_color.a, 255) << age;
    }
    // A reaches 132: every popup goes, the one still linking too.
    kit.run(1);
    EXPECT_EQ(EventKit::value(popup, 'A'), 132);
    EXPECT_EQ(popup->blend_color.a, 0);
    EXPECT_TRUE(popup->flags & FrameObject::DESTROYING);
    EXPECT_TRUE(linking->flags & FrameObject::DESTROYING);
}
