// A hurt request and what becomes of it, through the hurt events in the
// act's order: dropped while invincible, taken by a shield, or a knock-back
// that scatters petals; with no petals, or below the level, a death request.
#include "game/frames/event_index.h"
#include "objects/counter.h"
#include "tests/support/event_kit.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

constexpr unsigned knock_back_sample = 22, shield_hit_sample = 173, shield_break_sample = 11;
// The hurt voices of the Yelto voice set, "sound_hurt0" ... "sound_hurt3".
constexpr unsigned yelto_hurt_voices[] = {61, 62, 63, 64};

// The timed states, then the hurt events, as the act runs them. The death
// check (events 484 and 485) is left out: these scenarios stop at the request.
void hurt_events(Frames& f)
{
    f.event_func_1452();
    f.event_func_1453();
    f.event_func_1454();
    f.event_func_1455();
    f.event_func_1456();
    f.event_func_1457();
    f.event_func_1458();
    f.event_func_1459();
    f.event_func_1460();
    f.event_func_1461();
    f.event_func_1462();
    f.event_func_1463();
    f.event_func_1464();
    f.event_func_1465();
    f.event_func_1466();
    f.event_func_1467();
    f.event_func_1468();
    f.event_func_1469();
}

class Hurt : public ::testing::Test {
protected:
    void SetUp() override
    {
        kit.enter_empty_frame({.layers = 2,
                               .width = 2000,
                               .height = 1000,
                               .handler = hurt_events,
                               .set_up = [](Frames& f) {
                                   f.set_up_named_loops(4);
                                   for (bool* group : {&f.level_group_43, &f.level_group_23, &f.level_group_6,
                                                       &f.level_group_7, &f.level_group_24, &f.global_group_12})
                                       *group = true;
                                   f.run_once_1465 = unsigned(f.loop_count);
                               }});
        values = kit.place("PlayerMovementValues_80", -100, -100);
        others = kit.place("PlayerOthers_75", -100, -100);
        meter = kit.place("GUILifeBaseMeter_77", -100, -100);
        camera = kit.place("MasterCamera_190", -100, -100);
        petals = static_cast<Counter*>(kit.place("GUIRings_74", 10, 10));
        kit.place("PlayerCharacterSensor_151", -100, -100);
        for (const char name : {'A', 'B', 'C', 'D', 'E', 'L'})
            EventKit::set_value(others, name, 0);
        petals->set(14);
        kit.set_global(12, 0);
        kit.take_sounds();
    }

    // A running player facing right is hit for `damage`.
    void hit(double damage)
    {
        EventKit::set_value(values, 'B', 4);
        EventKit::set_value(values, 'G', 0);
        EventKit::set_value(values, 'Q', 1);
        EventKit::set_value(values, 'L', 1);
        EventKit::set_value(values, 'M', 0);
        EventKit::set_value(values, 'N', 30);
        EventKit::set_value(values, 'R', 1);
        EventKit::set_value(meter, 'B', damage);
    }

    std::vector<unsigned> sound_ids()
    {
        std::vector<unsigned> ids;
        for (const auto& sound : kit.take_sounds())
            ids.push_back(sound.id);
        return ids;
    }

    EventKit kit;
    FrameObject* values = nullptr;
    FrameObject* others = nullptr;
    FrameObject* meter = nullptr;
    FrameObject* camera = nullptr;
    Counter* petals = nullptr;
};

TEST_F(Hurt, a_hit_with_petals_knocks_back_and_scatters_them)
{
    // The hurt voice is one draw of the hurt events' seed group: from this
    // state r = 18337, voice (4 * r) >> 15 = 2.
    RandomState& voices = event_random_state(1463);
    voices.seed = 0xDEADBEEFu;
    hit(7);
    kit.run(1);

    EXPECT_EQ(EventKit::value(values, 'B'), 0.75 * 4 - 2.2 * 1);
    EXPECT_EQ(EventKit::value(values, 'G'), -4.2);
    EXPECT_EQ(EventKit::value(values, 'M'), 8);
    for (const char name : {'L', 'N', 'S', 'R'})
        EXPECT_EQ(EventKit::value(values, name), 0) << name;
    // Two fifths of the damage at setting 0: 2.8 petals; three thrown.
    EXPECT_EQ(petals->value, 14 - 7.0 * 2 / 5);
    EXPECT_EQ(kit.frames().fast_loop_petal_loss.index, 3);
    // The damage left below 5 is dropped by the end of the tick.
    EXPECT_EQ(EventKit::value(meter, 'B'), 0);
    EXPECT_EQ(EventKit::value(others, 'D'), 2);
    EXPECT_EQ(EventKit::value(others, 'E'), 60);
    EXPECT_EQ(EventKit::value(others, 'L'), 2);

    const auto ids = sound_ids();
    ASSERT_EQ(ids.size(), 2u);
    EXPECT_EQ(ids[0], knock_back_sample);
    EXPECT_EQ(ids[1], yelto_hurt_voices[2]);
    EXPECT_EQ(voices.seed, 3349274102u) << "one draw";
}

TEST_F(Hurt, the_knock_back_keeps_the_damage_below_5_until_the_tick_ends)
{
    hit(7);
    kit.frames().event_func_1463();
    EXPECT_EQ(EventKit::value(meter, 'B'), 2);
    EXPECT_EQ(EventKit::value(meter, 'C'), 0);
}

TEST_F(Hurt, invincibility_after_a_knock_back_drops_hits_until_it_runs_out)
{
    hit(5);
    kit.run(1);
    ASSERT_EQ(EventKit::value(others, 'E'), 60);
    const double petals_after_hit = petals->value;

    // A hit on every tick: the next 59 are dropped while the timer runs down.
    for (int tick = 1; tick <= 59; ++tick) {
        hit(5);
        kit.run(1);
        ASSERT_EQ(EventKit::value(values, 'R'), 0) << tick;
        ASSERT_EQ(EventKit::value(values, 'M'), 0) << tick;  // no knock-back
        ASSERT_EQ(EventKit::value(meter, 'B'), 0) << tick;   // the damage is dropped
        ASSERT_EQ(EventKit::value(others, 'E'), 60 - tick) << tick;
        ASSERT_EQ(EventKit::value(others, 'D'), 2) << tick;
    }
    EXPECT_EQ(petals->value, petals_after_hit);

    // On the 60th the timer ends before the hit is looked at: it lands.
    hit(5);
    kit.run(1);
    EXPECT_EQ(EventKit::value(values, 'M'), 8);
    EXPECT_EQ(EventKit::value(others, 'E'), 60);
    EXPECT_EQ(petals->value, petals_after_hit - 2);
}

TEST_F(Hurt, the_higher_settings_cost_fewer_petals_and_give_longer_invincibility)
{
    kit.set_global(12, 3);
    hit(8);
    kit.run(1);
    EXPECT_EQ(petals->value, 14 - 8 * 0.5 / 5);
    EXPECT_EQ(kit.frames().fast_loop_petal_loss.index, 4);
    EXPECT_EQ(EventKit::value(others, 'E'), 90);
    EXPECT_EQ(EventKit::value(meter, 'B'), 0);

    SetUp();
    kit.set_global(12, 1);
    hit(8);
    kit.run(1);
    EXPECT_EQ(petals->value, 14 - 8.0 / 5);
    EXPECT_EQ(EventKit::value(others, 'E'), 60);
}

TEST_F(Hurt, a_shield_takes_the_hit_then_breaks_and_dorriks_takes_one_more)
{
    for (const double character : {0.0, 4.0}) {
        SCOPED_TRACE(character);
        SetUp();
        EventKit::set_value(values, 'A', character);
        EventKit::set_value(others, 'B', 2);  // a flame shield
        EventKit::set_value(others, 'C', 1);
        const int absorbed = character == 4 ? 2 : 1;
        for (int hits = 1; hits <= absorbed; ++hits) {
            hit(6);
            EventKit::set_value(others, 'D', 0);
            kit.run(1);
            EXPECT_EQ(EventKit::value(others, 'B'), 2);
            EXPECT_EQ(EventKit::value(others, 'C'), 1 - hits);
            EXPECT_EQ(EventKit::value(others, 'D'), 2);
            EXPECT_EQ(EventKit::value(others, 'E'), 30);
            EXPECT_EQ(EventKit::value(values, 'R'), 0);
            EXPECT_EQ(EventKit::value(values, 'M'), 0);
            EXPECT_EQ(EventKit::value(meter, 'B'), 0);
            EXPECT_EQ(petals->value, 14);
            EXPECT_EQ(sound_ids(), std::vector<unsigned>{shield_hit_sample});
        }
        hit(6);
        EventKit::set_value(others, 'D', 0);
        kit.run(1);
        EXPECT_EQ(EventKit::value(others, 'B'), 0);
        EXPECT_EQ(EventKit::value(others, 'E'), 60);
        EXPECT_EQ(EventKit::value(others, 'L'), 2);
        EXPECT_EQ(EventKit::value(values, 'M'), 0);
        EXPECT_EQ(petals->value, 14);
        EXPECT_EQ(sound_ids(), std::vector<unsigned>{shield_break_sample});
    }
}

TEST_F(Hurt, a_hit_without_petals_is_a_death_request_thrown_up_and_back)
{
    petals->set(0);
    hit(3);
    EventKit::set_value(values, 'Q', -1);
    kit.run(1);
    EXPECT_EQ(EventKit::value(values, 'R'), 2);
    EXPECT_EQ(EventKit::value(values, 'G'), -4.2);
    EXPECT_EQ(EventKit::value(values, 'B'), 2.2);
    EXPECT_EQ(EventKit::value(meter, 'B'), 3);  // kept while a request stands
    EXPECT_TRUE(kit.take_sounds().empty());
}

TEST_F(Hurt, falling_more_than_32_pixels_below_the_level_is_a_death_request)
{
    EventKit::set_value(values, 'Y', 1000 + 32);
    kit.run(1);
    EXPECT_EQ(EventKit::value(values, 'R'), 0);
    EventKit::set_value(values, 'Y', 1000 + 32.5);
    kit.run(1);
    EXPECT_EQ(EventKit::value(values, 'R'), 2);

    // Already dead, the player falls on without a new request.
    EventKit::set_value(values, 'R', 0);
    EventKit::set_value(values, 'M', 9);
    kit.run(1);
    EXPECT_EQ(EventKit::value(values, 'R'), 0);
}

TEST_F(Hurt, the_hurt_camera_ends_unless_the_player_is_dying)
{
    EventKit::set_value(camera, 'M', 6);
    EventKit::set_value(values, 'M', 10);
    kit.run(1);
    EXPECT_EQ(EventKit::value(camera, 'M'), 6);
    EventKit::set_value(values, 'M', 8);
    kit.run(1);
    EXPECT_EQ(EventKit::value(camera, 'M'), 0);
}

TEST_F(Hurt, with_the_action_groups_off_the_mode_is_held_at_dead)
{
    EventKit::set_value(values, 'M', 10);
    kit.run(1);
    EXPECT_EQ(EventKit::value(values, 'M'), 10);
    kit.frames().level_group_24 = false;
    kit.run(1);
    EXPECT_EQ(EventKit::value(values, 'M'), 9);
}

}  // namespace
