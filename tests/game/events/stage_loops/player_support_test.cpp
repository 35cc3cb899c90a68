// The player's support loops: a death in the act restarts it through the
// loop "death" with the player back at the respawn point; the HUD slide and
// its limits; the pause menu's restart from the checkpoint's saved values.
#include "console/pads.h"
#include "game/objects/classes.h"
#include "game/objects/type_ids.h"
#include "objects/arrayext.h"
#include "objects/counter.h"
#include "runtime/manager.h"
#include "tests/game/events/act1_frame/act1_start_kit.h"

#include <gtest/gtest.h>

using namespace act1_test;
namespace {

class PlayerSupport : public StartTest {
protected:
    void TearDown() override
    {
        StartTest::TearDown();
        class_records::counter_78 = SavedCounterValue{};
    }
};

}  // namespace

TEST_F(PlayerSupport, a_death_in_the_act_restarts_it_through_the_death_loop_at_the_respawn_point)
{
    EventKit kit;
    Frames& f = kit.frames();
    manager.lives = 3;
    kit.enter_frame(4);
    FrameObject* values = kit.instance(types::PlayerMovementValues_80);
    ASSERT_NE(values, nullptr);
    const double start_x = EventKit::value(values, 'X'), start_y = EventKit::value(values, 'Y');
    // Past the card, run right a while; the skins go with the player.
    for (int tick = 0; tick < 400 && f.level_group_32; ++tick)
        kit.run(1);
    kit.hold(VPAD_BUTTON_RIGHT);
    kit.run(120);
    kit.release();
    EXPECT_GT(EventKit::value(values, 'X'), start_x + 100);
    EXPECT_EQ(kit.instance(types::PlayerSkinYelto_102)->get_x(), int(EventKit::value(values, 'X')));
    // Die as a fall below the level asks for it; the sequence asks for the act.
    EventKit::set_value(values, 'R', 2);
    for (int tick = 0; tick < 400 && f.next_frame == -1; ++tick)
        kit.run(1);
    EXPECT_EQ(EventKit::value(kit.instance(types::Player_87), 'E'), 210);
    EXPECT_EQ(f.next_frame, 4);
    // The next tick sets the act up again: the player at the start, the
    // card playing and the input locked.
    kit.run(1);
    EXPECT_EQ(kit.tick(), 1);
    values = kit.instance(types::PlayerMovementValues_80);
    EXPECT_EQ(EventKit::values(values, "XYM"), doubles(start_x, start_y, 0));
    EXPECT_TRUE(f.level_group_32);
    EXPECT_EQ(EventKit::value(kit.instance(types::PlayerInput_21), 'M'), 1);
    EXPECT_EQ(manager.lives, 2);
}

TEST_F(PlayerSupport, the_hud_slides_a_pixel_a_step_never_above_80_nor_below_its_place_and_a_restart_takes_the_checkpoint)
{
    EventKit kit;
    FrameObject *icon = nullptr, *timer = nullptr, *level = nullptr;
    Counter* crystals = nullptr;
    kit.enter_empty_frame(act_frame(
        [&](Frames&) {
            icon = kit.place("GUIIcon_108", 135, 12, 6);
            timer = kit.place("GUITimerM2_214", 247, 19, 6);
            crystals = static_cast<Counter*>(kit.place("GUICrystal_78", 206, 19, 6));
            level = kit.place("MasterLevel_53", -100, -100, 5);
            kit.place("SaveData_10", -160, -100, 5);
        },
        {}));
    Frames& f = kit.frames();
    const auto slide = [&](FastLoop& loop, int steps, void (Frames::*body)(), double raised) {
        f.run_loop(loop, steps, body);
        EXPECT_EQ(EventKit::value(icon, 'A'), raised);
        EXPECT_EQ(icon->get_y(), 12 - raised);
        EXPECT_EQ(timer->get_y(), 19 - raised);
    };
    slide(f.fast_loop_gui_shiftdown, 5, &Frames::loop_gui_shiftdown_4, 0);
    slide(f.fast_loop_gui_shiftup, 60, &Frames::loop_gui_shiftup_4, 60);
    slide(f.fast_loop_gui_shiftup, 40, &Frames::loop_gui_shiftup_4, 80);  // an act start's 40 from 60
    slide(f.fast_loop_gui_shiftdown, 100, &Frames::loop_gui_shiftdown_4, 0);

    // The checkpoint saves; a pause-menu restart brings the crystals back and
    // sets one life less than saved, never below one.
    EventKit::set_value(level, 'J', 4);
    crystals->set(37);
    manager.lives = 4;
    f.run_loop(f.fast_loop_cp, 1, &Frames::loop_cp_4);
    EventKit::set_value(level, 'J', 9);
    crystals->set(80);
    manager.lives = 7;
    f.level_group_25 = true;
    f.run_loop(f.fast_loop_restart, 1, &Frames::loop_restart_4);
    EXPECT_EQ(f.next_frame, f.index);
    EXPECT_EQ(manager.lives, 3);
    EXPECT_EQ(crystals->value, 37);
    EXPECT_EQ(EventKit::value(level, 'J'), 4);
    EXPECT_EQ(kit.global(23), 1);
    kit.set_global(28, 1);
    f.run_loop(f.fast_loop_restart, 1, &Frames::loop_restart_4);
    EXPECT_EQ(manager.lives, 1);
}
