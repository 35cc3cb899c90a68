// The airborne card volley: the special press that starts it, the take-off
// and voice, the cards at the animation's frames 0 and 3 each costing half
// a power card, the steering, and the end at frame 7.
#include "tests/game/events/move_sets/orrun_stage.h"

#include <gtest/gtest.h>

namespace {

constexpr int volley_animation = 21;

class OrrunVolley : public orrun_test::OrrunStage {
protected:
    // The special pressed on the ground with `cards` power cards; the
    // animation events (not on this stage) give the skin its volley
    // animation once the move has begun.
    void start_volley(double cards)
    {
        EventKit::set_value(energy(), 'C', cards);
        set_player('L', 1);
        tick({'O', 'N'});
        ASSERT_EQ(movement('M'), 42);
        EXPECT_EQ(EventKit::value(orrun(), 'B'), cards);
        sprite()->force_animation(volley_animation);
    }
};

}  // namespace

TEST_F(OrrunVolley, one_card_fires_twice_in_a_cycle_and_the_volley_ends_at_frame_7)
{
    RandomState draws = event_random_state(1152);
    const unsigned voice = ((2u * draws.step()) >> 15) == 0 ? 86 : 87;
    start_volley(1);
    // Take-off from level ground: 7 up, the voice, state 44, one air action;
    // the first card leaves at once, at frame 0, down and forward.
    EXPECT_EQ(tick({'N'}), std::vector<unsigned>{voice});
    EXPECT_EQ(doubles(movement('G'), movement('L'), other('Y'), air_actions()), doubles(-7, 0, 44, 1));
    ASSERT_EQ(cards().size(), 1u);
    EXPECT_EQ(EventKit::values(cards()[0], "CDG"), doubles(8, 8, 1));
    EXPECT_EQ(EventKit::value(energy(), 'C'), 0.5);
    // One card per firing frame; each stops the fall; the last half card
    // goes at frame 3 and the volley ends when frame 7 comes.
    std::vector<int> card_frames = {0};
    set_player('G', 2);
    for (int t = 0; t < 60 && movement('M') == 42; ++t) {
        const size_t before = cards().size();
        tick({'N'});
        if (cards().size() > before) {
            card_frames.push_back(sprite()->get_frame());
            EXPECT_LE(movement('G'), 0);
        }
    }
    EXPECT_EQ(card_frames, (std::vector<int>{0, 3}));
    EXPECT_EQ(EventKit::value(energy(), 'C'), 0);
    EXPECT_EQ(sprite()->get_frame(), 7);
    EXPECT_EQ(doubles(movement('M'), other('Y'), movement('G')), doubles(0, 40, 0));
}

TEST_F(OrrunVolley, steering_keeps_a_speed_of_three_drifts_without_controls_and_waits_for_frame_7_to_end)
{
    start_volley(3);
    set_player('B', 1);
    // Right, then nothing (a drift of 0.5 a tick), left, nothing.
    struct Step {
        std::initializer_list<char> held;
        double speed;
    };
    for (const Step& step : {Step{{'N', 'D'}, 3}, Step{{'N'}, 2.5}, Step{{'N', 'C'}, -3}, Step{{}, -2.5}}) {
        tick(step.held);
        EXPECT_EQ(movement('B'), step.speed);
    }
    // The left sensor blocks steering right as well as left.
    EventKit::set_value(kit.instance(types::PlayerSensorLeftBig_89), 'Z', 1);
    tick({'D'});
    EXPECT_EQ(movement('B'), -2.5);
    // Let go before frame 7: the volley goes on until frame 7.
    while (sprite()->get_frame() < 7) {
        EXPECT_EQ(movement('M'), 42);
        tick();
    }
    EXPECT_EQ(movement('M'), 0);
    EXPECT_EQ(EventKit::value(energy(), 'C'), 2);
}
