// The player's support loops: a death in the act restarts it through the
// loop "death" with the player back at the respawn point; the pause menu's
// restart and the checkpoint's saved values; the HUD slide and its limits;
// the skins put on the player; the cut-scene and player-engine switches.
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
    void SetUp() override
    {
        StartTest::SetUp();
        class_records::counter_74 = SavedCounterValue{};
        class_records::counter_78 = SavedCounterValue{};
        class_records::alterables_49 = SavedAlterables{};
    }

    // An act-sized frame with the HUD, the value objects and the skins.
    void enter()
    {
        kit.enter_empty_frame(act_frame(
            [this](Frames&) {
                icon = kit.place("GUIIcon_108", 135, 12, 6);
                hud = {kit.place("GUIScoreTimeRings_107", 8, 8, 6), kit.place("GUIRings_74", 8, 19, 6),
                       kit.place("GUIPowerCard_337", 91, 7, 6), kit.place("GUIPowerCard_337", 75, 7, 6),
                       kit.place("GUITimerM2_214", 247, 19, 6), icon};
                crystals = static_cast<Counter*>(kit.place("GUICrystal_78", 206, 19, 6));
                level = kit.place("MasterLevel_53", -100, -100, 5);
                others = kit.place("PlayerOthers_75", -120, -100, 5);
                music = kit.place("ControllerMusic_49", -140, -100, 5);
                save = static_cast<ArrayObject*>(kit.place("SaveData_10", -160, -100, 5));
                values = kit.place("PlayerMovementValues_80", -180, -100, 5);
                input = kit.place("PlayerInput_21", -200, -100, 5);
                yelto = kit.place("PlayerSkinYelto_102", 0, 0, 2);
                skins = {yelto, kit.place("PlayerSkinOrrun_290", 0, 0, 2), kit.place("PlayerSkinHespin_351", 0, 0, 2),
                         kit.place("PlayerSkinHespin_351", 0, 0, 2)};
            },
            {}));
    }

    Frames& f() { return kit.frames(); }

    std::vector<int> hud_ys() const
    {
        std::vector<int> ys;
        for (const FrameObject* piece : hud)
            ys.push_back(piece->get_y());
        return ys;
    }

    EventKit kit;
    FrameObject *icon = nullptr, *level = nullptr, *others = nullptr, *music = nullptr, *values = nullptr,
                *input = nullptr, *yelto = nullptr;
    std::vector<FrameObject*> hud, skins;
    Counter* crystals = nullptr;
    ArrayObject* save = nullptr;
};

std::vector<int> moved(std::vector<int> ys, int dy)
{
    for (int& y : ys)
        y += dy;
    return ys;
}

}  // namespace

TEST_F(PlayerSupport, a_death_in_the_act_restarts_it_through_the_death_loop_at_the_respawn_point)
{
    manager.lives = 3;
    kit.enter_frame(4);
    FrameObject* act_values = kit.instance(types::PlayerMovementValues_80);
    ASSERT_NE(act_values, nullptr);
    const double start_x = EventKit::value(act_values, 'X'), start_y = EventKit::value(act_values, 'Y');
    // Past the card, run right a while, then die as a fall below the level
    // asks for it.
    for (int tick = 0; tick < 400 && f().level_group_32; ++tick)
        kit.run(1);
    kit.hold(VPAD_BUTTON_RIGHT);
    kit.run(120);
    kit.release();
    EXPECT_GT(EventKit::value(act_values, 'X'), start_x + 100);
    EventKit::set_value(act_values, 'R', 2);
    int ticks = 0;
    while (f().next_frame == -1 && ++ticks < 400)
        kit.run(1);
    EXPECT_EQ(EventKit::value(kit.instance(types::Player_87), 'E'), 210);
    EXPECT_EQ(f().next_frame, 4);
    EXPECT_EQ(manager.lives, 2);

    // The next tick sets the act up again: the player at the start, the card
    // playing and the input locked again.
    kit.run(1);
    EXPECT_EQ(kit.tick(), 1);
    act_values = kit.instance(types::PlayerMovementValues_80);
    EXPECT_EQ(EventKit::value(act_values, 'X'), start_x);
    EXPECT_EQ(EventKit::value(act_values, 'Y'), start_y);
    EXPECT_EQ(EventKit::value(act_values, 'M'), 0);
    EXPECT_TRUE(f().level_group_32);
    EXPECT_EQ(EventKit::value(kit.instance(types::PlayerInput_21), 'M'), 1);
    EXPECT_EQ(manager.lives, 2);
}

TEST_F(PlayerSupport, the_hud_slides_a_pixel_a_step_and_never_above_80_or_below_its_place)
{
    enter();
    const std::vector<int> in_place = hud_ys();
    // Nothing to bring down.
    f().run_loop(f().fast_loop_gui_shiftdown, 5, &Frames::loop_gui_shiftdown_4);
    EXPECT_EQ(hud_ys(), in_place);
    EXPECT_EQ(EventKit::value(icon, 'A'), 0);

    f().run_loop(f().fast_loop_gui_shiftup, 60, &Frames::loop_gui_shiftup_4);
    EXPECT_EQ(EventKit::value(icon, 'A'), 60);
    EXPECT_EQ(hud_ys(), moved(in_place, -60));
    // An act start's 40 steps from 60 raise it only to 80.
    f().run_loop(f().fast_loop_gui_shiftup, 40, &Frames::loop_gui_shiftup_4);
    EXPECT_EQ(EventKit::value(icon, 'A'), 80);
    EXPECT_EQ(hud_ys(), moved(in_place, -80));
    EXPECT_EQ(crystals->get_y(), 19 - 80);

    f().run_loop(f().fast_loop_gui_shiftdown, 100, &Frames::loop_gui_shiftdown_4);
    EXPECT_EQ(EventKit::value(icon, 'A'), 0);
    EXPECT_EQ(hud_ys(), in_place);
    EXPECT_EQ(crystals->get_y(), 19);
}

TEST_F(PlayerSupport, the_pause_menus_restart_takes_the_checkpoints_values_and_one_life_off_them)
{
    enter();
    // The checkpoint saves the act's values.
    EventKit::set_value(level, 'Z', 45000.5);
    EventKit::set_value(level, 'J', 4);
    EventKit::set_value(level, 'O', 2);
    crystals->set(37);
    static_cast<Counter*>(hud[1])->set(9);
    manager.lives = 4;
    f().run_loop(f().fast_loop_cp, 1, &Frames::loop_cp_4);
    EXPECT_EQ(kit.global(13), 45000.5);
    EXPECT_EQ(kit.global(14), 4);
    EXPECT_EQ(kit.global(15), 2);
    EXPECT_EQ(kit.global(28), 4);
    EXPECT_EQ(kit.global(29), 37);
    EXPECT_EQ(kit.global(30), 9);

    // Play goes on, then a restart from the pause menu.
    EventKit::set_value(level, 'J', 9);
    crystals->set(80);
    manager.lives = 7;
    for (const char name : {'B', 'D', 'E'})
        EventKit::set_value(others, name, 3);
    EventKit::set_value(music, 'K', 1);
    save->set_value(5, 1, 7, -1);
    f().level_group_25 = true;
    f().run_loop(f().fast_loop_restart, 1, &Frames::loop_restart_4);
    EXPECT_EQ(f().next_frame, f().index);
    EXPECT_EQ(manager.lives, 3);
    EXPECT_EQ(crystals->value, 37);
    EXPECT_EQ(EventKit::values(level, "JO"), doubles(4, 2));
    EXPECT_EQ(EventKit::values(others, "BDE"), doubles(0, 0, 0));
    EXPECT_EQ(EventKit::values(music, "LDGKJHFE"), doubles(0, -1, 0, 0, 0, 3, 0, 0));
    EXPECT_EQ(save->get_value(1, 7, -1), 6);
    EXPECT_EQ(save->get_value(3, 3, -1), 1);
    EXPECT_EQ(kit.global(23), 1);

    // One life saved gives one life, never none; with the pause menu closed
    // the act is not asked for again.
    f().next_frame = -1;
    kit.set_global(28, 1);
    f().level_group_25 = false;
    f().run_loop(f().fast_loop_restart, 1, &Frames::loop_restart_4);
    EXPECT_EQ(manager.lives, 1);
    EXPECT_EQ(f().next_frame, -1);
}

TEST_F(PlayerSupport, the_skins_stand_on_the_player_lowered_by_half_their_tilts_reach)
{
    enter();
    EventKit::set_value(values, 'X', 300.9);
    EventKit::set_value(values, 'Y', 100.5);
    const auto place_skins = [&](double tilt, double reach) {
        EventKit::set_value(yelto, 'D', tilt);
        EventKit::set_value(yelto, 'E', reach);
        f().run_loop(f().fast_loop_reposition_skin, 1, &Frames::loop_reposition_skin_4);
    };
    const auto expect_skins_at = [&](int x, int y) {
        for (const FrameObject* skin : skins) {
            EXPECT_EQ(skin->get_x(), x);
            EXPECT_EQ(skin->get_y(), y);
        }
    };
    place_skins(180, 40);  // the sine of 180 is taken as 0
    expect_skins_at(300, 100);
    place_skins(90, 20);
    expect_skins_at(300, 110);
    place_skins(30, 20);  // 105.5 truncated
    expect_skins_at(300, 105);
    place_skins(270, 20);
    expect_skins_at(300, 90);

    // Without the player engine the skins stay.
    f().level_group_23 = false;
    place_skins(0, 0);
    expect_skins_at(300, 90);
}

TEST_F(PlayerSupport, cut_scenes_and_the_player_engine_switch_their_groups)
{
    enter();
    f().level_group_25 = true;
    f().level_group_8 = true;
    f().run_loop(f().fast_loop_cutscene_start, 1, &Frames::loop_cutscene_start_4);
    EXPECT_FALSE(f().level_group_25);
    EXPECT_FALSE(f().level_group_8);
    EXPECT_EQ(EventKit::value(input, 'M'), 1);
    f().run_loop(f().fast_loop_cutscene_end, 1, &Frames::loop_cutscene_end_4);
    EXPECT_TRUE(f().level_group_25);
    EXPECT_TRUE(f().level_group_8);

    for (FrameObject* skin : skins)
        skin->set_angle(45, 0);
    f().run_loop(f().fast_loop_stop_player, 1, &Frames::loop_stop_player_4);
    EXPECT_FALSE(f().level_group_23);
    for (const FrameObject* skin : skins)
        EXPECT_EQ(skin->get_angle(), 0);
    f().run_loop(f().fast_loop_start_player, 1, &Frames::loop_start_player_4);
    EXPECT_TRUE(f().level_group_23);
}
