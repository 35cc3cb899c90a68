// Pimsa's ride along the jump pads through its ticks, as act 1 runs it:
// leaving a pad with its burst and go call, the flight of 20 steps to the
// next pad's action point, standing on it at its angle, the launch off a
// launcher pad, and dropping out by waiting or by the action control.
#include "tests/game/events/move_sets/pimsa_stage.h"

using PimsaJumpPadChain = pimsa_stage::PimsaStage;

namespace {

constexpr double go_voice = 90, arrival_sample = 30, leave_sample = 52;

}  // namespace

class PimsaOnPads : public PimsaJumpPadChain {
protected:
    // Pad `number` at (x, y) with angle b; `launcher` pads fire the player off.
    FrameObject* pad(double number, int x, int y, double b = 0, bool launcher = false)
    {
        FrameObject* p = kit.place("ObjectJumppad_325", x, y);
        EventKit::set_value(p, 'A', number);
        EventKit::set_value(p, 'B', b);
        EventKit::set_value(p, 'D', launcher ? 1 : 0);
        EventKit::set_value(p, 'E', 1);
        return p;
    }

    // The ride starts from pad `number` at the player's position.
    void ride_from(double number, double x, double y)
    {
        set('M', 48);
        set('X', x);
        set('Y', y);
        for (auto [letter, n] : {std::pair{'J', 0.0}, {'C', number}, {'D', x}, {'E', y}})
            set_skin(letter, n);
    }

    // Ticks until the skin stands on a pad (phase 3 and up); their count.
    int fly()
    {
        int ticks = 0;
        while (skin_value('J') < 3 && ticks++ < 40)
            step();
        return ticks;
    }
};

TEST_F(PimsaOnPads, flies_in_twenty_steps_to_the_next_pad_stands_at_its_angle_and_launches_off)
{
    // One pad, as act 1 places: the ride comes from the number below it,
    // which no pad carries, so nothing is left behind.
    FrameObject* next = pad(1, 300, 200, 90, true);
    ride_from(0, 100, 380);
    step();
    EXPECT_EQ(state(), 8);
    EXPECT_TRUE(kit.instances(types::EffectsWhiteBurst_31).empty());
    EXPECT_EQ(samples(leave_sample), 0);
    EXPECT_EQ(EventKit::value(next, 'E'), 1);
    const double f = next->get_action_x(), g = next->get_action_y();
    EXPECT_EQ(EventKit::values(skin(), "FGHIJL"), doubles(f, g, (f - 100) * 0.05, (g - 380) * 0.05, 2, 1));
    EXPECT_EQ(std::make_pair(get('X'), get('Y')), std::make_pair(100 + (f - 100) * 0.05, 380 + (g - 380) * 0.05));
    EXPECT_EQ(std::make_pair(other('D'), other('E')), std::make_pair(2.0, 3.0));

    EXPECT_EQ(fly(), 19);  // 20 steps in all, the last snapped onto the target
    EXPECT_EQ(std::make_pair(get('X'), get('Y')), std::make_pair(f, g));
    EXPECT_EQ(EventKit::values(skin(), "CJK"), doubles(1, 4, 1));
    EXPECT_TRUE(EventKit::flag(skin(), 8));
    EXPECT_EQ(EventKit::values(player(), "NOL"), doubles(90, 90, 1));
    EXPECT_EQ(samples(arrival_sample), 1);
    step();
    EXPECT_EQ(state(), 23);

    step({'K'});
    // At 90 degrees: the cosine is exactly 0.
    EXPECT_EQ(EventKit::values(player(), "MLBGNOVTU"), doubles(40, 0, -8.5, 0, 0, 0, 1, 1, 1));
    EXPECT_EQ(EventKit::value(next, 'E'), 0);
    const std::vector<SoundStart> sounds = kit.take_sounds();
    EXPECT_EQ(sample_count(sounds, leave_sample), 1);
    EXPECT_EQ(sample_count(sounds, go_voice), 0);  // flag 8 on: "sound_go1" is no loop
}

TEST_F(PimsaOnPads, drops_out_after_twenty_two_ticks_standing_or_at_once_on_action)
{
    FrameObject* target = pad(1, 100, 200);
    ride_from(0, target->get_action_x(), 380);
    // Straight up (H = 0): arrived in x from the first tick, so the flight
    // ends with its 20th step, not after its 21st tick.
    EXPECT_EQ(fly(), 20);
    EXPECT_EQ(get('X'), target->get_action_x());
    int standing = 0;
    while (get('M') == 48 && standing++ < 40)
        step();
    EXPECT_EQ(standing, 22);
    EXPECT_EQ(skin_value('J'), -1);
    EXPECT_EQ(state(), 40);
    EXPECT_EQ(EventKit::values(player(), "MGBVTUNO"), doubles(0, 0, 0, 1, 1, 1, 0, 0));
    EXPECT_EQ(EventKit::value(target, 'E'), 0);

    ride_from(0, target->get_action_x(), 380);
    fly();
    step({'L'});
    EXPECT_EQ(std::make_pair(get('M'), state()), std::make_pair(0.0, 40.0));
}

TEST_F(PimsaOnPads, passes_on_from_a_pad_and_a_flight_that_cannot_arrive_is_snapped_after_twenty_ticks)
{
    FrameObject* far = pad(1, 500, 380);
    ride_from(0, 100, 380);
    step();
    EXPECT_EQ(skin_value('J'), 2);
    set_skin('H', 0.01);  // a step that falls far short of the target
    int ticks = 1;
    while (skin_value('J') == 2 && ticks++ < 40)
        step();
    EXPECT_EQ(skin_value('L'), 21);
    EXPECT_EQ(get('X'), far->get_action_x());
    EXPECT_EQ(skin_value('C'), 1);
    step({'K'});
    EXPECT_EQ(EventKit::values(skin(), "JDE"), doubles(0, get('X'), get('Y')));
    // Leaving the only pad: its burst, and no next pad to fly to.
    step();
    EXPECT_EQ(skin_value('J'), 0);
    EXPECT_EQ(kit.instances(types::EffectsWhiteBurst_31).size(), 1u);
}

TEST_F(PimsaOnPads, launches_along_the_pad_angle_with_exact_zeros)
{
    struct Case {
        double angle, b, g;
    };
    for (const Case& row : {Case{0, 0, -8.5}, Case{180, 0, 8.5}}) {
        FrameObject* launcher = pad(1, 300, 380, row.angle, true);
        ride_from(0, 300 - 100, 380);
        fly();
        step({'K'});
        EXPECT_EQ(get('M'), 40) << row.angle;
        EXPECT_EQ(get('B'), row.b) << row.angle;
        EXPECT_NEAR(get('G'), row.g, 1e-12) << row.angle;
        launcher->destroy();
        kit.run(1);
    }
}

// The pad events read one pad, the last placed, whatever the numbers of the
// pads placed before it.
TEST_F(PimsaOnPads, leaving_targeting_standing_on_and_ending_at_a_pad_read_only_the_last_placed_pad)
{
    FrameObject* older = pad(1, 300, 200, 90, true);
    FrameObject* last = pad(2, 500, 380, 45);
    EventKit::set_value(older, 'E', 0);
    EventKit::set_value(last, 'E', 0);

    // Bound for pad 1: no target while the last pad is number 2.
    ride_from(0, 100, 380);
    step();
    EXPECT_EQ(skin_value('J'), 0);
    EXPECT_EQ(EventKit::value(older, 'E'), 0);

    // Leaving pad 1: no burst there; pad 2 is the target.
    ride_from(1, 100, 380);
    step();
    EXPECT_TRUE(kit.instances(types::EffectsWhiteBurst_31).empty());
    EXPECT_EQ(samples(leave_sample), 0);
    EXPECT_EQ(EventKit::values(skin(), "FGJ"), doubles(last->get_action_x(), last->get_action_y(), 2));
    EXPECT_EQ(EventKit::value(last, 'E'), 1);

    // Leaving pad 2, the pad grabbed: its burst, sample and go call, its
    // mark kept, and no pad 3 to fly to.
    EventKit::set_value(last, 'E', -1);
    set_flag(skin(), 8, false);
    ride_from(2, 500, 380);
    step();
    std::vector<int> bursts_at;
    for (FrameObject* burst : kit.instances(types::EffectsWhiteBurst_31))
        bursts_at.push_back(burst->get_x());
    EXPECT_EQ(bursts_at, std::vector<int>{500});
    const std::vector<SoundStart> sounds = kit.take_sounds();
    EXPECT_EQ(sample_count(sounds, leave_sample), 1);
    EXPECT_EQ(sample_count(sounds, go_voice), 1);
    EXPECT_EQ(EventKit::value(last, 'E'), -1);
    EXPECT_EQ(skin_value('J'), 0);

    // Standing at pad 1: neither its angle nor its launch.
    ride_from(1, 300, 200);
    set_skin('J', 3);
    step();
    EXPECT_EQ(EventKit::values(player(), "NO"), doubles(0, 0));
    EXPECT_EQ(skin_value('K'), 0);
    set_skin('K', 1);
    step({'K'});
    EXPECT_EQ(get('M'), 48);

    // Ending the ride at pad 1 leaves its mark.
    EventKit::set_value(older, 'E', -1);
    set('M', 48);
    set_skin('J', -1);
    step();
    EXPECT_EQ(EventKit::value(older, 'E'), -1);
    EXPECT_EQ(get('M'), 0);
}
