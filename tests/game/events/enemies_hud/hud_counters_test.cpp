// The HUD every tick: the level clock's minutes, seconds and hundredths
// with their leading zeros, counted at 1000/59 ms a tick and shown a tick
// late; lives, the meters, the petal and crystal counters, the petal panel
// and the link-bonus popups.
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

void run_hud_events(Frames& f)
{
    f.event_func_2084();
    f.event_func_2085();
    f.event_func_2086();
    f.event_func_2087();
    f.event_func_2088();
    f.event_func_2089();
    f.event_func_2090();
    f.event_func_2091();
    f.event_func_2092();
    f.event_func_2093();
    f.event_func_2094();
    f.event_func_2095();
    f.event_func_2096();
    f.event_func_2097();
    f.event_func_2098();
    f.event_func_2135();
}

double shown(const FrameObject* counter) { return static_cast<const Counter*>(counter)->value; }
bool visible(const FrameObject* object) { return object->flags & FrameObject::VISIBLE; }
float x_scale(const FrameObject* object) { return static_cast<const Active*>(object)->x_scale; }

class HudCounters : public StartTest {
protected:
    void SetUp() override
    {
        StartTest::SetUp();
        class_records::counter_74 = SavedCounterValue{};
        class_records::counter_78 = SavedCounterValue{};
        class_records::alterables_76 = SavedAlterables{};
        class_records::alterables_107 = SavedAlterables{};
        EmptyFrame frame = act_frame(
            [this](Frames& f) {
                f.level_group_39 = true;
                level = kit.place("MasterLevel_53", -100, -100, 5);
                values = kit.place("PlayerMovementValues_80", -120, -100, 5);
                minutes = kit.place("GUITimerM_213", 257, 19, 6);
                seconds = kit.place("GUITimerS_211", 283, 19, 6);
                hundredths = kit.place("GUITimerMilli_207", 309, 19, 6);
                minute_zero = kit.place("GUITimerM2_214", 247, 19, 6);
                second_zero = kit.place("GUITimerS2_212", 273, 19, 6);
                hundredth_zero = kit.place("GUITimerMilli2_210", 299, 19, 6);
                clock = kit.place("GUITimer_349", 216, 0, 6);
                lives = kit.place("GUILives_221", 164, 19, 6);
                life = kit.place("GUILifeBaseMeter_77", 0, 0, 7);
                energy = kit.place("GUIEnergy_76", 16, 10, 6);
                icon = kit.place("GUIIcon_108", 135, 12, 6);
                panel = kit.place("GUIScoreTimeRings_107", 8, 8, 6);
                card = kit.place("GUIPowerCard_337", 91, 7, 6);
                petals = kit.place("GUIRings_74", 8, 19, 6);
                crystals = kit.place("GUICrystal_78", 206, 19, 6);
            },
            {});
        frame.handler = run_hud_events;
        kit.enter_empty_frame(frame);
    }

    void set_counter(FrameObject* counter, double value) { static_cast<Counter*>(counter)->set(value); }

    // The clock shows `ms` on the tick after it is set.
    void show_clock(double ms)
    {
        EventKit::set_value(level, 'Z', ms);
        EventKit::set_value(values, 'M', 9);  // the clock stands still
        kit.run(1);
    }

    EventKit kit;
    FrameObject *level = nullptr, *values = nullptr, *minutes = nullptr, *seconds = nullptr, *hundredths = nullptr,
                *minute_zero = nullptr, *second_zero = nullptr, *hundredth_zero = nullptr, *clock = nullptr,
                *lives = nullptr, *life = nullptr, *energy = nullptr, *icon = nullptr, *panel = nullptr,
                *card = nullptr, *petals = nullptr, *crystals = nullptr;
};

}  // namespace

TEST_F(HudCounters, the_clock_counts_1000_over_59_ms_a_tick_and_shows_the_last_ticks_time)
{
    // The first tick showed 0 : 00 : 00 with every leading zero.
    EXPECT_EQ(shown(minutes), 0);
    EXPECT_EQ(shown(seconds), 0);
    EXPECT_EQ(shown(hundredths), 0);
    EXPECT_TRUE(visible(minute_zero) && visible(second_zero) && visible(hundredth_zero));
    for (int tick = 2; tick <= 61; ++tick) {
        const double before = EventKit::value(level, 'Z');
        kit.run(1);
        EXPECT_EQ(EventKit::value(level, 'Z'), before + 16.949152542372882);
        EXPECT_EQ(shown(seconds), std::fmod(std::floor(before / 1000), 60)) << tick;
        EXPECT_EQ(shown(hundredths), std::fmod(std::floor(before / 10), 100)) << tick;
        EXPECT_EQ(visible(hundredth_zero), shown(hundredths) < 10) << tick;
        if (tick == 60) {
            EXPECT_EQ(before, 999.9999999999995);
            EXPECT_EQ(shown(seconds), 0);
            EXPECT_EQ(shown(hundredths), 99);
        }
    }
    // 59 ticks make 999.9999999999995 ms: the clock shows 0 : 00 : 99 on the
    // 60th tick and 0 : 01 : 01 on the 61st.
    EXPECT_EQ(shown(seconds), 1);
    EXPECT_EQ(shown(hundredths), 1);

    // While the player dies (modes 9 and 10) the clock stands.
    for (const double mode : {9.0, 10.0}) {
        const double before = EventKit::value(level, 'Z');
        EventKit::set_value(values, 'M', mode);
        kit.run(3);
        EXPECT_EQ(EventKit::value(level, 'Z'), before);
    }

    show_clock(61234.5);
    EXPECT_EQ(shown(minutes), 1);
    EXPECT_EQ(shown(seconds), 1);
    EXPECT_EQ(shown(hundredths), 23);
    EXPECT_TRUE(visible(minute_zero) && visible(second_zero));
    EXPECT_FALSE(visible(hundredth_zero));

    show_clock(599999.99);  // floors, never rounds up
    EXPECT_EQ(shown(minutes), 9);
    EXPECT_EQ(shown(seconds), 59);
    EXPECT_EQ(shown(hundredths), 99);

    show_clock(600000);
    EXPECT_EQ(shown(minutes), 10);
    EXPECT_FALSE(visible(minute_zero));
    EXPECT_EQ(clock->get_direction(), 0);

    // From a hundred minutes the clock's frame turns to its wide direction.
    show_clock(6000000);
    EXPECT_EQ(shown(minutes), 100);
    EXPECT_EQ(clock->get_direction(), 1);
    show_clock(5999999);
    EXPECT_EQ(clock->get_direction(), 0);
}

TEST_F(HudCounters, the_counters_and_meters_follow_lives_energy_petals_and_crystals)
{
    manager.lives = 5;
    EventKit::set_value(energy, 'A', 50);
    EventKit::set_value(life, 'A', 25);
    kit.run(1);
    EXPECT_EQ(shown(lives), 5);
    EXPECT_EQ(x_scale(energy), 0.5f);
    EXPECT_EQ(x_scale(life), 0.5f);
    manager.lives = 2;
    EventKit::set_value(energy, 'A', -5);
    EventKit::set_value(life, 'A', 75);
    kit.run(1);
    EXPECT_EQ(shown(lives), 2);
    EXPECT_EQ(x_scale(energy), 0.0f);
    EXPECT_EQ(x_scale(life), 1.0f);
    EventKit::set_value(energy, 'A', 250);
    kit.run(1);
    EXPECT_EQ(x_scale(energy), 1.0f);

    // The icons turn to the character; power cards only for character 1.
    EventKit::set_value(values, 'A', 1);
    kit.run(1);
    EXPECT_EQ(icon->get_direction(), 1);
    EXPECT_EQ(panel->get_direction(), 1);
    EXPECT_TRUE(visible(card));
    EventKit::set_value(values, 'A', 5);
    kit.run(1);
    EXPECT_EQ(panel->get_direction(), 5);
    EXPECT_FALSE(visible(card));

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

TEST_F(HudCounters, the_petal_panel_changes_once_when_petals_run_out_or_come_back)
{
    auto* panel_sprite = static_cast<Active*>(panel);
    const auto forced_after = [&](double petal_count) {
        panel_sprite->restore_animation();
        set_counter(petals, petal_count);
        kit.run(1);
        return panel_sprite->forced_animation;
    };
    // The counter starts full: the panel showed its petals on the first tick.
    EXPECT_EQ(forced_after(2), -1);  // still some: nothing new
    EXPECT_NE(forced_after(0), -1);  // run out
    EXPECT_EQ(forced_after(0), -1);  // still none: not again
    EXPECT_NE(forced_after(1), -1);  // back
    EXPECT_EQ(forced_after(5), -1);
}

TEST_F(HudCounters, link_bonus_popups_sink_and_fade_and_go_together_when_the_newest_is_spent)
{
    FrameObject* older = kit.place("GUILinkBonus_316", 100, 100, 6);
    FrameObject* newer = kit.place("GUILinkBonus_316", 100, 120, 6);
    EventKit::set_value(older, 'A', 60);
    for (int tick = 1; tick <= 21; ++tick) {
        kit.run(1);
        EXPECT_EQ(newer->get_y(), 120 + tick);
        EXPECT_EQ(EventKit::value(newer, 'A'), 6 * tick);
        EXPECT_EQ(newer->blend_color.a, 256 - 12 * tick) << tick;
    }
    // The older one reached 128 long ago; only the newest one counts.
    EXPECT_FALSE(older->flags & FrameObject::DESTROYING);
    kit.run(1);
    EXPECT_TRUE(older->flags & FrameObject::DESTROYING);
    EXPECT_TRUE(newer->flags & FrameObject::DESTROYING);
}
