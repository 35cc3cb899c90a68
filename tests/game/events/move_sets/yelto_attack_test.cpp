// Yelto's attack: which strike the situation picks, the shield and voice on
// frame 2, the ends, and the jump out of it.
#include "tests/game/events/move_sets/yelto_stage.h"

#include <gtest/gtest.h>

namespace {

// Yelto's voice for "sound_attack0" ... 3; 4 and 5 are not registered.
std::vector<unsigned> strike_sounds(int digit)
{
    return digit < 4 ? std::vector<unsigned>{19, unsigned(65 + digit)} : std::vector<unsigned>{19};
}

}  // namespace

class YeltoAttack : public yelto_test::YeltoStage {
protected:
    // Plays a strike through to its end. Each shield made (with sample 19)
    // is checked on the tick it is made: frame 2 of the strike, its voice,
    // the strike's speed and the skin's direction, behind the skin. The
    // number of shields made.
    int strike_through(int speed)
    {
        int made = 0;
        for (int tick = 0; tick < 60 && mode() == 20; ++tick) {
            const int digit = next_draws(1081, 6, 1)[0];
            kit.run(1);
            const std::vector<unsigned> heard = sounds();
            if (heard.empty())
                continue;
            ++made;
            EXPECT_EQ(skin()->get_frame(), 2);
            EXPECT_EQ(heard, strike_sounds(digit));
            auto* shield = static_cast<Active*>(kit.instance(types::ShieldInstaShield_187));
            EXPECT_EQ(shield->get_speed(), speed);
            EXPECT_EQ(shield->get_direction(), skin()->get_direction());
            EXPECT_LT(shield->depth, skin()->depth);
        }
        return made;
    }

    bool falls_from_frame_6(int type)
    {
        auto* sprite = static_cast<Active*>(kit.instance(type));
        return sprite->test_animation(24) && sprite->get_frame() == 6;
    }
};

TEST_F(YeltoAttack, standing_strikes_alternate_as_they_play_out_with_one_shield_behind_the_skin)
{
    skin()->set_direction(16, true);
    for (auto [striking, animation, next] : {std::tuple{21, 26, true}, {22, 29, false}, {21, 26, true}}) {
        start(20, 1, 2);
        set_other('M', 50);
        kit.run(1);
        EXPECT_EQ(state(), striking);
        EXPECT_TRUE(skin()->test_animation(animation));
        EXPECT_EQ(EventKit::value(skin(), 'I'), 30);
        EXPECT_EQ(other('M'), 0);
        EXPECT_EQ(strike_through(30), 1) << animation;
        EXPECT_EQ(EventKit::values(player(), "MT"), doubles(0, 1));
        EXPECT_EQ(state(), 3);
        EXPECT_EQ(EventKit::flag(skin(), 18), next);
        for (int type : {types::PlayerSkinYelto_102, types::PlayerSkinYeltoHair_209, types::PlayerSkinOrrun_290})
            EXPECT_TRUE(falls_from_frame_6(type)) << type;
    }
}

TEST_F(YeltoAttack, running_and_cut_short_strikes_end_falling_and_a_jump_keeps_striking)
{
    // Exactly 3 a tick on the ground is running: the strike of the air.
    start(20, 1, -3);
    set_player('T', 0);
    kit.run(1);
    EXPECT_EQ(state(), 20);
    EXPECT_TRUE(skin()->test_animation(25));
    EXPECT_EQ(EventKit::value(skin(), 'I'), 50);
    EXPECT_EQ(strike_through(50), 1);
    EXPECT_EQ(EventKit::values(player(), "MT"), doubles(1, 0));
    EXPECT_FALSE(EventKit::flag(skin(), 18));

    // Replaced by another animation: over at once, the choice not flipped.
    start(20, 1, 0);
    kit.run(2);
    skin()->force_animation(7);
    kit.run(1);
    EXPECT_EQ(mode(), 1);
    EXPECT_EQ(state(), 3);
    EXPECT_FALSE(EventKit::flag(skin(), 18));

    // Already in an attack state: no strike starts, so none plays.
    start(20, 0, 0);
    set_other('Y', 23);
    EventKit::set_value(skin(), 'I', 7);
    kit.run(1);
    EXPECT_EQ(EventKit::value(skin(), 'I'), 7);
    EXPECT_EQ(mode(), 1);

    // Jumping out on a wall's angle: the speeds turned a quarter, the strike on.
    start(20, 1, 2);
    set_player('N', 90);
    EventKit::set_value(kit.instance(types::PlayerActionValuesA_86), 'A', -6);
    controls({'K'});
    kit.run(1);
    EXPECT_EQ(EventKit::values(player(), "GBLNM"), doubles(-2, -6, 0, 0, 20));
    EXPECT_EQ(EventKit::value(kit.instance(types::PlayerActionValuesA_86), 'C'), 1);
    EXPECT_EQ(sample_count(kit.take_sounds(), 8), 1);
    EXPECT_TRUE(skin()->test_animation(26));
}
