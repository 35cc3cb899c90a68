// Pimsa's attack chain through its ticks: the step's state and animation,
// the hit effect and swing at frame 2, a follow-up queued from frame 2 and
// handed over at frame 5, the end on the ground and in the air, the
// alternative start's hit, and the jump out.
#include "tests/game/events/move_sets/pimsa_stage.h"

#include "audio/media.h"

using PimsaAttackChain = pimsa_stage::PimsaStage;

namespace {

const unsigned attack_voices[] = {97, 93, 98, 99};

}  // namespace

TEST_F(PimsaAttackChain, steps_hit_at_frame_two_and_a_press_from_frame_two_hands_over_at_frame_five)
{
    set('M', 20);
    set('L', 1);
    const std::vector<int> draws = next_draws(1191, {8, 3, 8001});
    step({'L'});  // pressed before frame 2: not queued
    EXPECT_EQ(state(), 20);
    EXPECT_TRUE(sprite()->test_animation(25));
    EXPECT_FALSE(EventKit::flag(skin(), 1));
    EXPECT_TRUE(kit.instances(types::ShieldInstaShield_187).empty());

    run_to_frame(2);
    const std::vector<FrameObject*> shields = kit.instances(types::ShieldInstaShield_187);
    ASSERT_EQ(shields.size(), 1u);
    EXPECT_EQ(shields[0]->get_direction(), 2);  // the skin's 0 + 2 + step 0
    EXPECT_EQ(EventKit::value(shields[0], 'A'), 1);
    EXPECT_EQ(static_cast<Active*>(shields[0])->forced_speed, 100);
    EXPECT_EQ(EventKit::value(object(types::PlayerActionValuesB_164), 'O'), 1);
    const std::vector<SoundStart> sounds = kit.take_sounds();
    const unsigned swing = 189 + unsigned(draws[1]);
    EXPECT_EQ(sample_count(sounds, swing), 1);
    EXPECT_EQ(media.get_sample(swing)->frequency, 40100 + draws[2]);
    EXPECT_EQ(sample_count(sounds, 97) + sample_count(sounds, 93) + sample_count(sounds, 98) +
                  sample_count(sounds, 99),
              draws[0] < 4 ? 1 : 0);
    if (draws[0] < 4) {
        EXPECT_EQ(sample_count(sounds, attack_voices[draws[0]]), 1);
    }
    EXPECT_EQ(skin_value('S'), 0);

    step({'L'});
    EXPECT_TRUE(EventKit::flag(skin(), 1));
    int ticks = 0;
    while (state() == 20 && ticks++ < 60)
        step();
    EXPECT_EQ(sprite()->get_frame(), 0);  // shown standing for the tick
    // Handed over: the state rests at 0 for the tick, the mode stays.
    EXPECT_EQ(std::make_pair(state(), get('M')), std::make_pair(0.0, 20.0));
    EXPECT_EQ(skin_value('A'), 1);
    step();
    EXPECT_EQ(state(), 21);
    EXPECT_TRUE(sprite()->test_animation(26));

    // The second step is not followed up: it ends on the ground at frame 5
    // and the next attack will start with the third step.
    FrameObject* air_actions = object(types::PlayerActionValuesB_164);
    int hits = 0;
    ticks = 0;
    while (get('M') == 20 && ticks++ < 60) {
        EventKit::set_value(air_actions, 'O', 0);  // a hit marks it
        step();
        hits += int(EventKit::value(air_actions, 'O'));
    }
    EXPECT_EQ(hits, 1);  // one hit effect per step
    EXPECT_EQ(std::make_pair(state(), get('M')), std::make_pair(0.0, 0.0));
    EXPECT_EQ(skin_value('A'), 2);
}

TEST_F(PimsaAttackChain, ends_in_the_air_falling_and_turns_the_hit_with_the_step)
{
    sprite()->set_direction(31, true);
    set_skin('A', 2);
    set('M', 20);
    set('L', 0);
    step();
    EXPECT_EQ(state(), 22);
    EXPECT_TRUE(sprite()->test_animation(29));
    run_to_frame(2);
    ASSERT_EQ(kit.instances(types::ShieldInstaShield_187).size(), 1u);
    EXPECT_EQ(kit.instance(types::ShieldInstaShield_187)->get_direction(), 3);  // 31 + 2 + 2, modulo 32
    int ticks = 0;
    while (get('M') == 20 && ticks++ < 60)
        step();
    EXPECT_EQ(std::make_pair(state(), get('M')), std::make_pair(40.0, 1.0));
    EXPECT_EQ(skin_value('A'), 0);
}

TEST_F(PimsaAttackChain, alternative_start_holds_the_third_step_and_hits_two_directions_back)
{
    set_flag(skin(), 12, true);
    set('M', 20);
    set('L', 1);
    step();
    EXPECT_EQ(skin_value('A'), 2);
    kit.take_sounds();
    step();
    EXPECT_EQ(state(), 22);
    run_to_frame(2);
    ASSERT_EQ(kit.instances(types::ShieldInstaShield_187).size(), 1u);
    EXPECT_EQ(kit.instance(types::ShieldInstaShield_187)->get_direction(), 30);  // 0 - 2
    EXPECT_FALSE(EventKit::flag(skin(), 12));
    EXPECT_TRUE(EventKit::flag(skin(), 2));
    const std::vector<SoundStart> sounds = kit.take_sounds();
    EXPECT_EQ(sample_count(sounds, 193), 1);
    EXPECT_EQ(sample_count(sounds, 189) + sample_count(sounds, 190) + sample_count(sounds, 191), 0);
}

TEST_F(PimsaAttackChain, jump_out_on_a_wall_turns_the_speeds_by_exactly_ninety_degrees)
{
    set('M', 20);
    set('L', 1);
    set('N', 90);
    set('B', 3);
    step({'K'});
    // cos 90 taken as 0: G = -sin 90 * B, B = sin 90 * J.
    EXPECT_EQ(EventKit::values(player(), "GBLNM"), doubles(-3, -6.5, 0, 0, 20));
    EXPECT_EQ(EventKit::value(object(types::PlayerActionValuesA_86), 'C'), 1);
    EXPECT_EQ(samples(8), 1);  // Pimsa's jump voice
    step({'K'});               // in the air: no second jump
    EXPECT_EQ(get('G'), -3);
}
