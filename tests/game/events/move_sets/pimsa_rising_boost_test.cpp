// Pimsa's rising boost through its ticks: the opening burst and samples,
// the shield, the lift from the bike skin's timer as repeated subtraction
// of 0.2 gives it, the drain, the timeout, and the branches into the
// attack, the spin and the wall, and the interruption.
#include "tests/game/events/move_sets/pimsa_stage.h"

#include "audio/media.h"

using PimsaRisingBoost = pimsa_stage::PimsaStage;

namespace {

double timer(FrameObject* bike) { return EventKit::value(bike, 'B'); }

}  // namespace

TEST_F(PimsaRisingBoost, lifts_while_the_timer_is_above_two_and_times_out_at_minus_one_on_the_36th_tick)
{
    set('M', 32);
    set('L', 0);
    set('Q', 1);
    set_meter(10);
    static_cast<Active*>(bike())->set_angle(10, 0);
    step();
    EXPECT_EQ(state(), 8);
    const std::vector<SoundStart> opening = kit.take_sounds();
    EXPECT_EQ(sample_count(opening, 151), 1);
    EXPECT_EQ(sample_count(opening, 188), 1);
    FrameObject* burst = kit.instance(types::EffectsWhiteBurst_31);
    ASSERT_NE(burst, nullptr);
    EXPECT_EQ(std::make_pair(burst->get_angle(), static_cast<Active*>(burst)->x_scale), std::make_pair(55, 0.5f));
    EXPECT_EQ(std::make_pair(burst->get_x(), burst->get_y()),
              std::make_pair(bike()->get_action_x(), bike()->get_action_y()));
    FrameObject* shield = kit.instance(types::ShieldInstaShield_187);
    ASSERT_NE(shield, nullptr);
    EXPECT_EQ(EventKit::value(shield, 'A'), 2);
    EXPECT_EQ(shield->get_direction(), 24);
    EXPECT_EQ(EventKit::value(object(types::PlayerActionValuesB_164), 'O'), 1);
    EXPECT_EQ(get('G'), -5);  // 1 - 6
    EXPECT_EQ(meter(), 9.5);

    // The timer as the events compute it: 6, then 0.2 less a tick.
    double b = 6;
    int lift_ticks = 1, tick = 1;
    while (get('M') == 32 && tick < 60) {
        set('G', 0);  // what gravity would leave: the lift takes it up again
        step();
        ++tick;
        b -= 0.2;
        if (b <= -1)
            break;
        ASSERT_EQ(timer(bike()), b) << tick;
        EXPECT_EQ(get('G'), b > 2 ? 1 - b : 0) << tick;
        lift_ticks += b > 2 ? 1 : 0;
    }
    EXPECT_EQ(tick, 36);
    EXPECT_EQ(lift_ticks, 20);
    EXPECT_EQ(std::make_pair(get('M'), state()), std::make_pair(0.0, 3.0));
    EXPECT_EQ(timer(bike()), 0);
    EXPECT_EQ(meter(), 0);  // 0.5 a tick, never below 0
    EXPECT_EQ(kit.instances(types::ShieldInstaShield_187).size(), 1u);
}

TEST_F(PimsaRisingBoost, attack_branch_readies_orrun_and_spin_needs_twenty_energy)
{
    kit.place("ShieldInstaShield_187", 0, 0);  // one left by an attack: no second
    set('M', 32);
    set('L', 0);
    set_meter(19.5);
    step();
    EXPECT_EQ(kit.instances(types::ShieldInstaShield_187).size(), 1u);
    FrameObject* orrun = object(types::PlayerSkinOrrun_290);
    set_flag(orrun, 1, true);
    step({'O'});  // 19 after the drain: refused
    EXPECT_EQ(get('M'), 32);
    step({'L'});
    EXPECT_EQ(get('M'), 20);
    EXPECT_EQ(EventKit::value(orrun, 'B'), 2);
    EXPECT_FALSE(EventKit::flag(orrun, 1));
    EXPECT_EQ(timer(bike()), 0);
    EXPECT_FALSE(media.is_sample_playing(188));

    set('M', 32);
    set_meter(20.5);
    set_skin('L', 7);
    const int voice = next_draws(1227, {3})[0];
    kit.take_sounds();
    step({'O'});  // exactly 20 after the drain
    EXPECT_EQ(get('M'), 44);
    EXPECT_EQ(skin_value('L'), 0);
    EXPECT_EQ(samples(111 + unsigned(voice)), 1);
}

TEST_F(PimsaRisingBoost, grabs_a_wall_held_toward_unless_jump_is_held_or_cooling_down_and_k_interrupts)
{
    EventKit::set_value(object(types::PlayerSensorRightBig_91), 'Z', 1);
    set('M', 32);
    set('L', 0);
    step({'D', 'E'});
    EXPECT_EQ(get('M'), 32);
    set_skin('M', 1);
    step({'D'});
    EXPECT_EQ(get('M'), 32);
    set_skin('M', 0);
    step({'C'});  // away from the wall
    EXPECT_EQ(get('M'), 32);
    step({'D'});
    EXPECT_EQ(get('M'), 47);
    EXPECT_EQ(skin_value('M'), 10);

    set('M', 32);
    set('K', 1);
    step();
    EXPECT_EQ(EventKit::values(player(), "MS"), doubles(0, 1));
    EXPECT_EQ(state(), 0);
    EXPECT_EQ(timer(bike()), 0);
}
