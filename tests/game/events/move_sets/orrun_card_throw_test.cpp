// Orrun's card throw: how each throw starts, the fan of cards over the
// ticks (timing, angles, damage, cost), the jump-out, and the hand-back.
#include "tests/game/events/move_sets/orrun_stage.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

double cos_of(double degrees) { return std::cos(degrees / 57.29577951308232); }
double sin_of(double degrees) { return std::sin(degrees / 57.29577951308232); }

class OrrunCardThrow : public orrun_test::OrrunStage {
protected:
    // Mode 20 as the move starts leave it, for a throw of `count` cards.
    void start_throw(double on_ground, double speed, double count = 2, int flags = 0)
    {
        for (auto [letter, n] : {std::pair{'M', 20.0}, {'L', on_ground}, {'B', speed}})
            set_player(letter, n);
        EventKit::set_value(orrun(), 'B', count);
        orrun()->alterables->flags = flags;
    }

    // Ticks until the throw hands back: each card's tick counter and C, D,
    // I; every card starts the card sample (57) once.
    std::vector<std::vector<double>> throw_out(std::initializer_list<char> on = {})
    {
        std::vector<std::vector<double>> thrown;
        while (movement('M') == 20 && kit.tick() < 300) {
            const size_t before = cards().size();
            const std::vector<unsigned> sounds = tick(on);
            EXPECT_EQ(std::count(sounds.begin(), sounds.end(), 57u), long(cards().size() - before));
            for (size_t k = before; k < cards().size(); ++k)
                thrown.push_back({kit.global(3), EventKit::value(cards()[k], 'C'),
                                  EventKit::value(cards()[k], 'D'), EventKit::value(cards()[k], 'I')});
        }
        return thrown;
    }
};

}  // namespace

TEST_F(OrrunCardThrow, a_standing_throw_from_the_button_fans_two_cards_then_hands_back)
{
    set_player('L', 1);
    tick({'L'});
    tick();
    EXPECT_EQ(doubles(movement('M'), other('Y'), sprite()->current_animation), doubles(20, 21, 26));
    const auto thrown = throw_out();
    ASSERT_EQ(thrown.size(), 2u);
    // Every third tick from frame 2: 4, then -6 degrees below the line ahead.
    EXPECT_EQ(std::fmod(thrown[0][0], 3), 0);
    EXPECT_EQ(thrown[0], doubles(thrown[0][0], 8 * cos_of(4), 8 * sin_of(4), 3));
    EXPECT_EQ(thrown[1], doubles(thrown[0][0] + 3, 8 * cos_of(-6), 8 * sin_of(-6), 3));
    EXPECT_EQ(EventKit::values(cards()[0], "AB"), doubles(sprite()->get_action_x(), sprite()->get_action_y()));
    EXPECT_EQ(doubles(movement('M'), movement('T'), other('Y')), doubles(0, 1, 40));
    EXPECT_TRUE(EventKit::flag(kit.instance(types::PlayerSkinYelto_102), 18));
    EXPECT_EQ(doubles(sprite()->current_animation, sprite()->get_frame()), doubles(24, 6));
}

TEST_F(OrrunCardThrow, up_turns_the_fan_30_degrees_facing_left_and_down_45_facing_right_in_a_crouch)
{
    set_player('Q', -1);
    start_throw(1, 0);
    auto thrown = throw_out({'A'});
    ASSERT_EQ(thrown.size(), 2u);
    EXPECT_EQ(thrown[1], doubles(thrown[1][0], -8 * cos_of(36), -8 * sin_of(36), 3));
    EXPECT_EQ(movement('M'), 0);
    set_player('Q', 1);
    start_throw(1, 0);
    tick({'B'});
    EXPECT_EQ(doubles(other('Y'), sprite()->current_animation), doubles(24, 28));
    thrown = throw_out({'B'});
    EXPECT_EQ(thrown.at(0), doubles(thrown[0][0], 8 * cos_of(49), 8 * sin_of(49), 3));
    EXPECT_EQ(movement('M'), 3);
}

TEST_F(OrrunCardThrow, a_running_throw_jumps_out_and_goes_on_and_a_blocked_one_gives_up)
{
    start_throw(1, 4);
    EventKit::set_value(kit.instance(types::PlayerActionValuesA_86), 'A', -6.5);
    tick();
    EXPECT_EQ(doubles(other('Y'), sprite()->current_animation), doubles(20, 26));
    EXPECT_EQ(tick({'K'}), std::vector<unsigned>{8});
    EXPECT_EQ(EventKit::values(player(), "GBLN"), doubles(-6.5, 4, 0, 0));
    const auto thrown = throw_out();
    ASSERT_EQ(thrown.size(), 2u);
    EXPECT_EQ(thrown[0][1], 10 * cos_of(4));
    // In the air in state 20 no throw starts; with no throw animation the
    // safety exit hands back to the airborne mode.
    sprite()->force_animation(0);
    EventKit::set_value(kit.instance(types::PlayerOthers_75), 'Y', 20);
    start_throw(0, 0);
    tick();
    EXPECT_EQ(doubles(movement('M'), other('Y'), sprite()->current_animation), doubles(1, 40, 24));
}

TEST_F(OrrunCardThrow, a_powered_throw_of_twelve_sends_a_card_every_tick_down_to_no_power_cards)
{
    EventKit::set_value(energy(), 'C', 5);
    start_throw(1, 0, 12, 2);
    const auto thrown = throw_out();
    ASSERT_EQ(thrown.size(), 12u);
    for (size_t k = 0; k < thrown.size(); ++k)
        EXPECT_EQ(thrown[k], doubles(thrown[0][0] + double(k), 8 * cos_of(24 - 10 * double(k)),
                                     8 * sin_of(24 - 10 * double(k)), 5));
    EXPECT_EQ(EventKit::value(energy(), 'C'), 0);
}
