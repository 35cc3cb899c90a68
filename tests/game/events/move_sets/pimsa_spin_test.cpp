// Pimsa's spin through its ticks: invulnerability, braking, the energy it
// drains while winding up and holding, the counter's hold on the special
// control, the recovery and the end; hits at frames 2, 5 and 7, the spin
// sample.
#include "tests/game/events/move_sets/pimsa_stage.h"

#include "audio/media.h"

using PimsaSpin = pimsa_stage::PimsaStage;

TEST_F(PimsaSpin, winds_up_on_energy_holds_while_special_is_held_then_recovers_and_ends)
{
    set('M', 44);
    set('L', 1);
    set('B', 4);
    set('E', 1);
    set_meter(40);
    step({'O'});
    EXPECT_EQ(state(), 44);
    EXPECT_TRUE(sprite()->test_animation(21));
    EXPECT_EQ(get('B'), 0);  // 4 - 5 held at 0
    EXPECT_EQ(std::make_pair(other('D'), other('E')), std::make_pair(2.0, 3.0));
    std::vector<double> counter = {skin_value('L')}, energy = {meter()};
    for (int tick = 1; tick < 24; ++tick) {
        step({'O'});
        counter.push_back(skin_value('L'));
        energy.push_back(meter());
    }
    // 1.5 a tick while L <= 20; the hold lasts while O is held and energy remains.
    EXPECT_EQ(counter[0], 1);
    EXPECT_EQ(counter[19], 20);
    EXPECT_EQ(counter[23], 20);
    EXPECT_EQ(energy[0], 38.5);
    EXPECT_EQ(energy[23], 4);
    EXPECT_GE(samples(192), 1);  // started again whenever it has ended

    // Released: 20 goes to 22 in one tick (the recovery follows the advance),
    // then one a tick to 31, where the spin ends.
    step();
    EXPECT_EQ(skin_value('L'), 22);
    EXPECT_FALSE(media.is_sample_playing(192));
    EXPECT_EQ(meter(), 2.5);  // the last drain, at L = 20
    for (double l = 23; l <= 30; ++l) {
        step();
        EXPECT_EQ(skin_value('L'), l);
        EXPECT_EQ(sprite()->get_frame(), 0);
        EXPECT_EQ(get('M'), 44);
    }
    step();
    EXPECT_EQ(skin_value('L'), 31);
    EXPECT_EQ(std::make_pair(state(), get('M')), std::make_pair(0.0, 0.0));
    EXPECT_EQ(meter(), 2.5);
    EXPECT_EQ(samples(192), 0);  // not during the recovery
}

TEST_F(PimsaSpin, empty_meter_ends_the_hold_and_never_goes_below_zero)
{
    set('M', 44);
    set('L', 0);
    set_meter(1);
    set_skin('L', 19);
    step({'O'});
    EXPECT_EQ(std::make_pair(skin_value('L'), meter()), std::make_pair(20.0, 0.0));
    step({'O'});  // held, but no energy: no hold
    EXPECT_EQ(skin_value('L'), 22);
    // Already invulnerable by kind 1: left alone.
    set_other('D', 1);
    set_other('E', 0);
    step();
    EXPECT_EQ(std::make_pair(other('D'), other('E')), std::make_pair(1.0, 0.0));
}

TEST_F(PimsaSpin, hits_once_at_each_of_frames_two_five_and_seven_turning_one_step_each)
{
    set('M', 44);
    set('L', 0);
    set_meter(100);
    set_skin('A', 0);
    FrameObject* air_actions = object(types::PlayerActionValuesB_164);
    std::vector<int> hit_frames, directions;
    for (int tick = 0; tick < 40 && hit_frames.size() < 4; ++tick) {
        EventKit::set_value(air_actions, 'O', 0);  // a hit marks it
        step({'O'});
        if (EventKit::value(air_actions, 'O') == 1) {
            hit_frames.push_back(sprite()->get_frame());
            directions.push_back(kit.instance(types::ShieldInstaShield_187)->get_direction());
        }
    }
    EXPECT_EQ(hit_frames, (std::vector<int>{2, 5, 7, 2}));
    EXPECT_EQ(directions, (std::vector<int>{2, 3, 4, 2}));
    EXPECT_EQ(skin_value('A'), 1);
}

TEST_F(PimsaSpin, jump_out_keeps_the_spin_and_brakes_only_on_the_ground)
{
    set('M', 44);
    set('L', 1);
    set('B', -12);
    set('E', 2);
    step();
    EXPECT_EQ(get('B'), -2);
    step({'K'});  // B from 0 on the ground, then the jump
    EXPECT_EQ(EventKit::values(player(), "GBLM"), doubles(-6.5, 0, 0, 44));
    set('B', 3);
    step();
    EXPECT_EQ(get('B'), 3);
}
