// The energy meter's upkeep: refill by character, caps, the full and
// not-full animations with the one sound, and Yelto's colour dots.
#include "audio/media.h"
#include "game/objects/classes.h"
#include "objects/active.h"
#include "tests/support/event_kit.h"

#include <gtest/gtest.h>

namespace {

void upkeep_events(Frames& f)
{
    f.event_func_717(), f.event_func_718(), f.event_func_719(), f.event_func_720(), f.event_func_721();
    f.event_func_722(), f.event_func_723(), f.event_func_724(), f.event_func_725(), f.event_func_726();
    f.event_func_727(), f.event_func_728(), f.event_func_729(), f.event_func_730(), f.event_func_731();
    f.event_func_732(), f.event_func_733(), f.event_func_734(), f.event_func_735(), f.event_func_736();
}

class EnergyMeter : public ::testing::Test {
protected:
    void SetUp() override
    {
        class_records::alterables_75 = SavedAlterables{};
        class_records::alterables_76 = SavedAlterables{};
        kit.enter_empty_frame({.layers = 2,
                               .handler = [this](Frames& f) {
                                   if (running)
                                       upkeep_events(f);
                               },
                               .set_up = [](Frames& f) { f.level_group_43 = f.level_group_23 = true; }});
        values = kit.place("PlayerMovementValues_80", -100, -100);
        others = kit.place("PlayerOthers_75", -100, -100);
        icon = kit.place("GUIIcon_108", 20, 20, 1);
        meter = kit.place("GUIEnergy_76", 40, 20, 1);
        kit.take_sounds();
        running = true;
    }

    void character(double id) { EventKit::set_value(values, 'A', id); }
    double energy() const { return EventKit::value(meter, 'A'); }
    void set_energy(double a) { EventKit::set_value(meter, 'A', a); }
    int shown() const { return static_cast<Active*>(meter)->current_animation; }
    size_t full_sounds()
    {
        size_t count = 0;
        for (const SoundStart& sound : kit.take_sounds())
            count += sound.id == 23;
        return count;
    }

    EventKit kit;
    bool running = false;
    FrameObject *values = nullptr, *others = nullptr, *icon = nullptr, *meter = nullptr;
};

}  // namespace

TEST_F(EnergyMeter, each_character_refills_at_its_rate_up_to_its_cap)
{
    struct Refill {
        double id, from, after_one, after_two;
    };
    const Refill refills[] = {
        {0, 10, 10.4, 10.8},    // Yelto
        {1, 99.5, 100, 100},    // Orrun, capped at 100
        {2, 10, 10.25, 10.5},   // Pimsa
        {3, 10, 10.25, 10.5},   // Pimsa on the bike
        {4, 99.75, 100, 100},   // Dorrik passes 100 by 0.5 and is set back within the tick
        {5, 43.5, 44, 44},      // Hespin caps at 44
        {5, 60, 44, 44},        // ... and takes a fuller meter down to 44
    };
    for (const Refill& r : refills) {
        character(r.id);
        set_energy(r.from);
        kit.run(1);
        EXPECT_NEAR(energy(), r.after_one, 1e-12) << r.id;
        kit.run(1);
        EXPECT_NEAR(energy(), r.after_two, 1e-12) << r.id;
    }
}

TEST_F(EnergyMeter, the_refill_waits_for_the_icon_the_freeze_and_the_characters_own_modes)
{
    character(0);
    set_energy(10);
    EventKit::set_value(icon, 'A', 1);
    kit.run(3);
    EXPECT_EQ(energy(), 10);
    EventKit::set_value(icon, 'A', 0);
    EventKit::set_value(others, 'K', 2);
    kit.run(1);
    EXPECT_EQ(energy(), 10);
    EventKit::set_value(others, 'K', 0);
    for (const double mode : {5.0, 26.0}) {
        EventKit::set_value(values, 'M', mode);
        kit.run(1);
        EXPECT_EQ(energy(), 10);
    }
    // Hespin refills in any mode and through a freeze.
    character(5);
    EventKit::set_value(others, 'K', 2);
    kit.run(1);
    EXPECT_NEAR(energy(), 10.7, 1e-12);
}

TEST_F(EnergyMeter, the_meter_shows_full_with_one_sound_and_drops_back_without_one)
{
    // Pimsa's level is 20: 80 refill ticks of 0.25 from empty.
    character(2);
    set_energy(0);
    kit.run(79);
    EXPECT_EQ(energy(), 19.75);
    EXPECT_EQ(shown(), 0);
    EXPECT_EQ(full_sounds(), 0u);
    kit.run(1);
    EXPECT_EQ(energy(), 20);
    EXPECT_TRUE(EventKit::flag(meter, 0));
    EXPECT_EQ(shown(), 7);
    EXPECT_EQ(full_sounds(), 1u);
    // Becoming full plays once, then the full animation stays; no replay.
    kit.run(60);
    EXPECT_EQ(shown(), 1);
    EXPECT_EQ(full_sounds(), 0u);
    // Below the level: back to animation 0, no sound.
    set_energy(19.9);
    EventKit::set_value(values, 'M', 44);  // no refill in Pimsa's mode 44
    kit.run(1);
    EXPECT_FALSE(EventKit::flag(meter, 0));
    EXPECT_EQ(shown(), 0);
    EXPECT_EQ(full_sounds(), 0u);
}

TEST_F(EnergyMeter, a_replay_request_restarts_animation_8_once_and_is_cleared)
{
    character(1);  // no full level: nothing else forces an animation
    set_energy(50);
    meter->alterables->flags |= 1 << 1;
    kit.run(1);
    EXPECT_EQ(shown(), 8);
    EXPECT_EQ(static_cast<Active*>(meter)->animation_frame, 0);
    EXPECT_FALSE(EventKit::flag(meter, 1));
    // A full meter takes no replay, but the request is still cleared.
    set_energy(100);
    static_cast<Active*>(meter)->force_animation(0);
    meter->alterables->flags |= 1 << 1;
    kit.run(1);
    EXPECT_EQ(shown(), 0);
    EXPECT_FALSE(EventKit::flag(meter, 1));
}

TEST_F(EnergyMeter, yeltos_charged_state_spins_one_dot_and_ends_with_an_empty_meter)
{
    FrameObject* skin = kit.place("PlayerSkinYelto_102", 300, 200, 1);
    EventKit::set_value(values, 'X', 300), EventKit::set_value(values, 'Y', 200);
    character(0);
    EventKit::set_value(values, 'M', 5);  // no refill while charged
    set_energy(30);
    skin->alterables->flags |= 1 << 8;
    kit.run(1);
    ASSERT_EQ(kit.instances(types::EffectsColorDot_317).size(), 1u);
    FrameObject* dot = kit.instance(types::EffectsColorDot_317);
    // At the skin's angle 0 the dot sits 8 above the player.
    EXPECT_EQ(dot->get_x(), 300);
    EXPECT_EQ(dot->get_y(), 192);
    EXPECT_EQ(shown(), 11);
    // It turns by 20 degrees a tick.
    const int angle = dot->get_angle();
    kit.run(1);
    EXPECT_EQ(((angle - dot->get_angle()) % 360 + 360) % 360, 20);
    kit.run(5);
    EXPECT_EQ(kit.instances(types::EffectsColorDot_317).size(), 1u);
    // An empty meter ends the state; the dot goes the next tick.
    set_energy(0);
    kit.run(1);
    EXPECT_FALSE(EventKit::flag(skin, 8));
    kit.run(2);
    EXPECT_TRUE(kit.instances(types::EffectsColorDot_317).empty());
}

TEST_F(EnergyMeter, the_upkeep_counts_down_the_skins_and_eases_the_sinking)
{
    FrameObject* yelto = kit.place("PlayerSkinYelto_102", 300, 200, 1);
    FrameObject* dorrik = kit.place("PlayerSkinDorrik_339", 300, 200, 1);
    FrameObject* hespin = kit.place("PlayerSkinHespin_351", 300, 200, 1);
    FrameObject* input = kit.place("PlayerInput_21", -100, -100);
    EventKit::set_value(yelto, 'N', 2);
    kit.run(3);
    EXPECT_EQ(EventKit::value(yelto, 'N'), 0);

    // Dorrik's E clears only on the ground.
    character(4);
    EventKit::set_value(dorrik, 'E', 5);
    kit.run(1);
    EXPECT_EQ(EventKit::value(dorrik, 'E'), 5);
    EventKit::set_value(values, 'L', 1);
    kit.run(1);
    EXPECT_EQ(EventKit::value(dorrik, 'E'), 0);

    // Hespin's dash holds the speed at 7 either way while its count runs.
    character(5);
    EventKit::set_value(hespin, 'I', 2);
    EventKit::set_value(values, 'B', -0.5);
    kit.run(1);
    EXPECT_EQ(EventKit::value(values, 'B'), -3.5);
    kit.run(1);
    EXPECT_EQ(EventKit::value(values, 'B'), -7);
    EXPECT_EQ(EventKit::value(hespin, 'I'), 0);
    EventKit::set_value(values, 'B', 2);
    kit.run(1);
    EXPECT_EQ(EventKit::value(values, 'B'), 2);

    // Under water the sinking speed eases by 0.4 a tick down to 2, or 3
    // with the held flag.
    EventKit::set_value(others, 'H', 1);
    EventKit::set_value(values, 'G', 3);
    kit.run(1);
    EXPECT_NEAR(EventKit::value(values, 'G'), 2.6, 1e-12);
    kit.run(2);
    EXPECT_EQ(EventKit::value(values, 'G'), 2);
    EventKit::set_value(values, 'G', 3.2);
    EventKit::set_value(input, 'B', 1);
    kit.run(1);
    EXPECT_EQ(EventKit::value(values, 'G'), 3);
}

TEST_F(EnergyMeter, the_mode_44_loop_sound_stops_outside_mode_44)
{
    EventKit::set_value(values, 'M', 44);
    media.play_id(192, -1, 0);
    kit.run(1);
    EXPECT_TRUE(media.is_sample_playing(192));
    EventKit::set_value(values, 'M', 0);
    kit.run(1);
    EXPECT_FALSE(media.is_sample_playing(192));
}
