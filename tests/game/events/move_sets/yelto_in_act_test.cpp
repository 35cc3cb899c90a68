// Yelto's moves in act 1 itself, started from the gamepad, with the whole
// act's tick around them (physics, action starts, skins, HUD).
#include "console/pads.h"
#include "objects/active.h"
#include "tests/game/events/player_stage.h"
#include "tests/support/event_kit.h"

#include <gtest/gtest.h>

namespace {

double v(FrameObject* object, char letter) { return EventKit::value(object, letter); }

class YeltoInAct : public testing::Test {
protected:
    // Act 1 once the opening card has handed over control, standing still.
    void SetUp() override
    {
        player_stage::start_act1_in_control(kit);
        values = kit.instance(types::PlayerMovementValues_80);
        others = kit.instance(types::PlayerOthers_75);
        skin = static_cast<Active*>(kit.instance(types::PlayerSkinYelto_102));
    }

    // Ticks until the mode leaves `mode` (at most `limit`).
    int ticks_in_mode(double mode, int limit)
    {
        return player_stage::ticks_until(kit, [&] { return v(values, 'M') != mode; }, limit);
    }

    EventKit kit;
    FrameObject* values = nullptr;
    FrameObject* others = nullptr;
    Active* skin = nullptr;
};

}  // namespace

TEST_F(YeltoInAct, button_b_standing_strikes_with_a_shield_and_voice_on_frame_2_and_stands_again)
{
    ASSERT_EQ(v(values, 'L'), 1);
    kit.press(VPAD_BUTTON_B, 1);
    ASSERT_EQ(v(values, 'M'), 20);
    kit.run(1);
    EXPECT_EQ(v(others, 'Y'), 21);
    EXPECT_TRUE(skin->test_animation(26));
    EXPECT_TRUE(kit.take_sounds().empty());
    while (skin->get_frame() < 2)
        kit.run(1);
    const std::vector<SoundStart> heard = kit.take_sounds();
    EXPECT_EQ(sample_count(heard, 19), 1);
    EXPECT_EQ(kit.instances(types::ShieldInstaShield_187).size(), 1u);
    EXPECT_LT(ticks_in_mode(20, 60), 60);
    EXPECT_EQ(v(values, 'M'), 0);
    EXPECT_TRUE(EventKit::flag(skin, 18));
    EXPECT_EQ(sample_count(kit.take_sounds(), 19), 0);
}

TEST_F(YeltoInAct, special_in_the_air_with_a_full_meter_hovers_thirty_ticks_then_flies_until_the_meter_is_empty)
{
    EventKit::set_value(kit.instance(types::GUIEnergy_76), 'A', 100);
    kit.hold(VPAD_BUTTON_A);
    kit.run(8);
    kit.release();
    kit.run(4);
    kit.take_sounds();
    kit.press(VPAD_BUTTON_X, 1);
    ASSERT_EQ(v(values, 'M'), 5);
    EXPECT_EQ(sample_count(kit.take_sounds(), 9), 1);

    // Held in the air where the charge's first tick leaves the player.
    kit.run(1);
    const double x = v(values, 'X'), y = v(values, 'Y');
    for (int tick = 2; tick < 30; ++tick) {
        kit.run(1);
        ASSERT_EQ(v(others, 'Y'), 8) << tick;
        ASSERT_EQ(v(values, 'Y'), y) << tick;
        ASSERT_EQ(v(values, 'X'), x) << tick;
    }
    EXPECT_TRUE(kit.take_sounds().empty());
    kit.run(1);
    EXPECT_EQ(sample_count(kit.take_sounds(), 47), 1);
    EXPECT_EQ(v(values, 'B'), 12);
    EXPECT_EQ(v(others, 'Y'), 7);
    // Right at 12 a tick, level, for 33 more ticks; then falling in mode 1.
    EXPECT_EQ(ticks_in_mode(5, 60), 33);
    EXPECT_EQ(v(kit.instance(types::GUIEnergy_76), 'A'), 0);
    EXPECT_EQ(v(values, 'X'), x + 12 * 33);
    EXPECT_EQ(v(values, 'Y'), y);
    kit.run(5);
    EXPECT_GT(v(values, 'Y'), y);
}
