// Dorrik's moves in act 1 itself, from the gamepad, with the whole act's
// tick around them: the orb charged, thrown and flown, and the flight.
#include "console/pads.h"
#include "objects/active.h"
#include "tests/game/events/player_stage.h"
#include "tests/support/event_kit.h"

#include <gtest/gtest.h>

namespace {

double v(FrameObject* object, char letter) { return EventKit::value(object, letter); }

class DorrikInAct : public testing::Test {
protected:
    // Act 1 as Dorrik once the opening card has handed over control, standing still.
    void SetUp() override
    {
        kit.set_global(1, 4);
        player_stage::start_act1_in_control(kit);
        values = kit.instance(types::PlayerMovementValues_80);
        others = kit.instance(types::PlayerOthers_75);
        skin = kit.instance(types::PlayerSkinDorrik_339);
        orb = static_cast<Active*>(kit.instance(types::PlayerReflect_343));
        hud = static_cast<Active*>(kit.instance(types::GUIScoreTimeRings_107));
    }

    // Ticks run until `done` holds (at most 600).
    template <class Done>
    int ticks_until(Done done)
    {
        return player_stage::ticks_until(kit, done);
    }

    EventKit kit;
    FrameObject* values = nullptr;
    FrameObject* others = nullptr;
    FrameObject* skin = nullptr;
    Active* orb = nullptr;
    Active* hud = nullptr;
};

}  // namespace

TEST_F(DorrikInAct, holding_b_charges_the_orb_for_forty_ticks_and_a_second_press_lobs_it)
{
    ASSERT_EQ(v(values, 'A'), 4);
    ASSERT_TRUE(kit.frames().level_group_59);
    kit.hold(VPAD_BUTTON_B);
    EXPECT_LE(ticks_until([&] { return v(values, 'M') == 30; }), 3);
    EXPECT_EQ(v(skin, 'F'), 2);
    kit.run(1);  // the prompt follows on the next tick
    EXPECT_EQ(hud->get_frame() / 2 * 2, 8);
    const int charge = ticks_until([&] { return v(orb, 'A') == 1; });
    // G counts from the tick after the grab (which runs after the count):
    // 1 on the prompt's tick, 40 thirty-nine ticks later, and the orb sees
    // it on the tick after.
    EXPECT_EQ(charge, 40);
    EXPECT_EQ(v(skin, 'G'), 40);
    const std::vector<SoundStart> charged = kit.take_sounds();
    EXPECT_EQ(sample_count(charged, 201), 1);
    EXPECT_EQ(sample_count(charged, 194), 1);
    kit.run(1);
    EXPECT_EQ(hud->get_frame() / 2 * 2, 4);
    // Let go: the charge stays; the next press throws the orb ahead.
    kit.release();
    kit.run(5);
    EXPECT_EQ(std::make_pair(v(skin, 'F'), v(orb, 'A')), std::make_pair(2.0, 1.0));
    const int x = orb->get_x();
    kit.hold(VPAD_BUTTON_B);
    EXPECT_LE(ticks_until([&] { return v(orb, 'A') == 2; }), 3);
    kit.release();
    EXPECT_EQ(sample_count(kit.take_sounds(), 196), 1);
    EXPECT_GT(orb->get_x(), x);
    EXPECT_EQ(std::make_pair(v(skin, 'F'), v(values, 'M')), std::make_pair(0.0, 0.0));
    // It falls away and goes idle once out of the playfield.
    EXPECT_LT(ticks_until([&] { return v(orb, 'A') != 2; }), 600);
}

TEST_F(DorrikInAct, holding_jump_past_the_top_flies_up_until_let_go)
{
    kit.hold(VPAD_BUTTON_A);
    ASSERT_LT(ticks_until([&] { return v(values, 'M') == 22; }), 120);
    const double y = v(values, 'Y');
    kit.run(20);
    EXPECT_EQ(v(values, 'M'), 22);
    EXPECT_EQ(v(others, 'Y'), 14);
    EXPECT_LT(v(values, 'Y'), y);
    EXPECT_EQ(sample_count(kit.take_sounds(), 155), 1);
    kit.release();
    EXPECT_LE(ticks_until([&] { return v(values, 'M') != 22; }), 3);
    EXPECT_EQ(std::make_pair(v(values, 'M'), v(others, 'Y')), std::make_pair(0.0, 3.0));
}
