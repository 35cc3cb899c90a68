// The player's timed states: the invincibility and second timers run down
// only while the power state is off and queue a stop-music call as they
// end; the power state drains a petal each 60th play tick and ends with the
// last petal.
#include "objects/arrayext.h"
#include "objects/counter.h"
#include "tests/support/event_kit.h"

#include <gtest/gtest.h>

namespace {

class TimedStates : public ::testing::Test {
protected:
    void SetUp() override
    {
        kit.enter_empty_frame({.handler =
                                   [](Frames& f) {
                                       f.event_func_1452();
                                       f.event_func_1453();
                                       f.event_func_1454();
                                       f.event_func_1455();
                                       f.event_func_1456();
                                       f.event_func_1457();
                                   },
                               .set_up = [](Frames& f) {
                                   f.level_group_43 = f.level_group_23 = f.level_group_6 = true;
                               }});
        others = kit.place("PlayerOthers_75", -100, -100);
        for (const char name : {'A', 'D', 'E', 'F', 'G'})
            EventKit::set_value(others, name, 0);
        petals = static_cast<Counter*>(kit.place("GUIRings_74", 10, 10));
        petals->set(14);
        calls = static_cast<ArrayObject*>(kit.place("FunctionMusic_50", 0, 0));
        // The call list is kept across frames: start it empty.
        calls->clear();
        calls->data.current_x = 0;
        kit.frames().global_strings->set(0, "m_invincible");
        kit.set_global(3, 1);
    }

    EventKit kit;
    FrameObject* others = nullptr;
    Counter* petals = nullptr;
    ArrayObject* calls = nullptr;
};

TEST_F(TimedStates, invincibility_ends_on_the_tick_its_timer_reaches_0_and_stops_its_music)
{
    EventKit::set_value(others, 'D', 2);
    EventKit::set_value(others, 'E', 3);
    kit.run(2);
    EXPECT_EQ(EventKit::value(others, 'E'), 1);
    EXPECT_EQ(EventKit::value(others, 'D'), 2);
    EXPECT_EQ(calls->get_string(0, 0, 0), "");

    kit.run(1);
    EXPECT_EQ(EventKit::value(others, 'E'), 0);
    EXPECT_EQ(EventKit::value(others, 'D'), 0);
    EXPECT_EQ(calls->get_string(0, 0, 0), "stop_music(m_invincible)");
}

TEST_F(TimedStates, the_second_timed_state_stops_the_music_of_global_string_1)
{
    kit.frames().global_strings->set(1, "m_speed");
    EventKit::set_value(others, 'F', 1);
    EventKit::set_value(others, 'G', 1);
    kit.run(1);
    EXPECT_EQ(EventKit::value(others, 'F'), 0);
    EXPECT_EQ(calls->get_string(0, 0, 0), "stop_music(m_speed)");
}

TEST_F(TimedStates, the_power_state_freezes_both_timers)
{
    EventKit::set_value(others, 'A', 1);
    for (const char name : {'D', 'F'})
        EventKit::set_value(others, name, 2);
    for (const char name : {'E', 'G'})
        EventKit::set_value(others, name, 30);
    kit.run(10);
    EXPECT_EQ(EventKit::value(others, 'E'), 30);
    EXPECT_EQ(EventKit::value(others, 'G'), 30);
    EventKit::set_value(others, 'A', 0);
    kit.run(10);
    EXPECT_EQ(EventKit::value(others, 'E'), 20);
    EXPECT_EQ(EventKit::value(others, 'G'), 20);
}

TEST_F(TimedStates, the_power_state_drains_a_petal_on_each_60th_play_tick_and_ends_with_the_last)
{
    EventKit::set_value(others, 'A', 1);
    petals->set(2);
    for (const double play_tick : {59.0, 60.5, 61.0, 119.0}) {
        kit.set_global(3, play_tick);
        kit.run(1);
    }
    EXPECT_EQ(petals->value, 1);  // only 60.5, whose whole part is 60
    EXPECT_EQ(EventKit::value(others, 'A'), 1);

    kit.set_global(3, 120);
    kit.run(1);
    EXPECT_EQ(petals->value, 0);
    EXPECT_EQ(EventKit::value(others, 'A'), 0);

    // Out of the power state nothing is drained.
    petals->set(5);
    kit.set_global(3, 180);
    kit.run(1);
    EXPECT_EQ(petals->value, 5);
}

}  // namespace
