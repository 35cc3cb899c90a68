// The pause menu in act 1, played from the gamepad once the start card has
// handed over: the pause button freezes the act and pauses the samples,
// continue thaws both, and restart or quit slide the fade card over the
// screen and then start the act or the game again; with one life left the
// panel drops restart and the cursor steps over it.
#include "audio/sound.h"
#include "console/pads.h"
#include "game/frames/event_support.h"
#include "game/objects/type_ids.h"
#include "objects/active.h"
#include "runtime/manager.h"
#include "runtime/movement.h"
#include "tests/game/events/act1_frame/act1_start_kit.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace act1_test;
using TessaroAudio::SOUND_PAUSED;
using TessaroAudio::SOUND_PLAYING;

namespace {

constexpr int held_channel = 5;

class PauseMenuPlay : public StartTest {
protected:
    void SetUp() override
    {
        StartTest::SetUp();
        kit.enter_frame(4);
        for (int tick = 0; tick < 400 && !kit.frames().level_group_25; ++tick)
            kit.run(1);
        ASSERT_TRUE(kit.frames().level_group_25);
        panel = kit.instance(types::GUIPause_109);
        cursor = kit.instance(types::Crystal_321);
        ASSERT_TRUE(panel && cursor);
        kit.take_sounds();
    }

    // Presses a button and runs until the panel's state changes.
    void press_until_panel_moves(uint32_t button)
    {
        const double before = value('A');
        kit.press(button);
        for (int tick = 0; tick < 3 && value('A') == before; ++tick)
            kit.run(1);
    }
    void choose(uint32_t button)
    {
        kit.press(button);
        kit.run(1);
    }
    double value(char letter) const { return EventKit::value(panel, letter); }
    int held_status() const { return media.channels[held_channel].sound->get_status(); }
    bool animation_stopped(int type) { return static_cast<Active*>(kit.instance(type))->active_flags & 1; }

    EventKit kit;
    FrameObject* panel = nullptr;
    FrameObject* cursor = nullptr;
};

}  // namespace

TEST_F(PauseMenuPlay, the_pause_button_freezes_the_act_and_pauses_the_samples_and_continue_thaws_both)
{
    Frames& f = kit.frames();
    media.play_id(54, held_channel, 0);
    ASSERT_EQ(held_status(), SOUND_PLAYING);
    FrameObject* player = kit.instance(types::Player_87);
    kit.hold(VPAD_BUTTON_RIGHT);
    kit.run(20);
    // Opening: the panel counts 5, 4 in the opening tick, then 3.
    press_until_panel_moves(VPAD_BUTTON_PLUS);
    kit.hold(VPAD_BUTTON_RIGHT);
    EXPECT_EQ(value('A'), 4);
    EXPECT_FALSE(f.level_group_43);
    EXPECT_TRUE(panel->flags & FrameObject::VISIBLE);
    EXPECT_TRUE(cursor->flags & FrameObject::VISIBLE);
    EXPECT_EQ(held_status(), SOUND_PAUSED);
    EXPECT_EQ(sample_count(kit.take_sounds(), 53), 1);
    EXPECT_TRUE(animation_stopped(types::PlayerSkinYelto_102));
    EXPECT_TRUE(animation_stopped(types::GUIEnergy_76));
    const int frozen_x = player->get_x();
    kit.run(30);
    EXPECT_EQ(value('A'), 3);
    EXPECT_EQ(player->get_x(), frozen_x);
    // Confirming "continue" closes it as the pause button does: 2, 1, 0.
    choose(VPAD_BUTTON_A);
    EXPECT_EQ(value('A'), 1);
    EXPECT_TRUE(f.level_group_43);
    EXPECT_FALSE(panel->flags & FrameObject::VISIBLE);
    EXPECT_FALSE(cursor->flags & FrameObject::VISIBLE);
    EXPECT_EQ(held_status(), SOUND_PLAYING);
    EXPECT_FALSE(animation_stopped(types::PlayerSkinYelto_102));
    EXPECT_EQ(sample_count(kit.take_sounds(), 53), 0);
    kit.run(10);
    EXPECT_EQ(value('A'), 0);
    EXPECT_GT(player->get_x(), frozen_x);
    // Opened again and closed by the pause button.
    press_until_panel_moves(VPAD_BUTTON_PLUS);
    kit.run(2);
    press_until_panel_moves(VPAD_BUTTON_PLUS);
    EXPECT_EQ(value('A'), 1);
    EXPECT_EQ(held_status(), SOUND_PLAYING);
    // Flags 8 and 9 of the player (dying, game over) lock the menu.
    kit.run(2);
    set_flag(player, 9, true);
    kit.press(VPAD_BUTTON_PLUS, 3);
    EXPECT_EQ(value('A'), 0);
    EXPECT_TRUE(f.level_group_43);
}

TEST_F(PauseMenuPlay, restart_slides_the_fade_card_in_and_sets_the_act_up_again_on_its_51st_tick)
{
    Frames& f = kit.frames();
    f.global_values->set(16, 300);
    f.global_values->set(17, 2);
    press_until_panel_moves(VPAD_BUTTON_PLUS);
    kit.run(1);
    choose(VPAD_BUTTON_DOWN);
    EXPECT_EQ(EventKit::value(cursor, 'A'), 1);
    EXPECT_EQ(sample_count(kit.take_sounds(), 54), 1);
    kit.press(VPAD_BUTTON_A);
    FrameObject* card = nullptr;
    for (int tick = 0; tick < 3 && !card; ++tick) {
        kit.run(1);
        for (FrameObject* fade : kit.instances(types::LevelCardFade2_32))
            if (fade->layer->index == 6 && fade->blend_color.a == 255)
                card = fade;
    }
    ASSERT_TRUE(card);
    FrameObject* edge = kit.instance(types::FadeEdge_73);
    ASSERT_TRUE(edge);
    EXPECT_EQ(EventKit::value(cursor, 'A'), 3);
    EXPECT_EQ(sample_count(kit.take_sounds(), 49), 1);
    EXPECT_EQ(static_cast<Active*>(card)->x_scale, 300.0f);
    // Made at the view's x - 420 and moved on by 32 in its own tick.
    EXPECT_EQ(EventKit::value(card, 'F'), 1);
    EXPECT_EQ(card->get_x(), f.new_display_x - 420 + 32);
    EXPECT_EQ(edge->get_x(), card->get_x() + 420);
    for (int age = 2; age <= 50; ++age) {
        kit.run(1);
        ASSERT_EQ(EventKit::value(card, 'F'), age);
        EXPECT_EQ(card->get_x(), std::min(f.new_display_x - 420 + 32 * age, f.new_display_x)) << age;
        EXPECT_EQ(f.next_frame, -1);
    }
    kit.run(1);
    EXPECT_EQ(f.next_frame, 4);
    kit.run(1);
    EXPECT_FALSE(f.level_group_25);  // the start card runs again
    EXPECT_EQ(EventKit::value(kit.instance(types::GUIPause_109), 'A'), 0);
}

TEST_F(PauseMenuPlay, quit_stops_the_music_and_starts_the_game_again_from_its_first_frame)
{
    Frames& f = kit.frames();
    press_until_panel_moves(VPAD_BUTTON_PLUS);
    kit.run(1);
    // Before any move the cursor stands on item 0's row, where the act
    // placed it, at the panel's action point.
    EXPECT_EQ(EventKit::value(cursor, 'A'), 0);
    EXPECT_EQ(cursor->get_y(), panel->get_action_y());
    EXPECT_EQ(cursor->get_x(), panel->get_action_x());
    choose(VPAD_BUTTON_DOWN);
    choose(VPAD_BUTTON_DOWN);
    EXPECT_EQ(EventKit::value(cursor, 'A'), 2);
    kit.press(VPAD_BUTTON_A, 51);
    EXPECT_EQ(EventKit::value(cursor, 'A'), 4);
    EXPECT_TRUE(media.channels[31].is_stopped());
    EXPECT_EQ(f.next_frame, -2);
    for (int tick = 0; tick < 3 && f.index != 0; ++tick)
        kit.run(1);
    EXPECT_EQ(f.index, 0);
}

TEST_F(PauseMenuPlay, with_one_life_left_the_panel_drops_restart_and_the_cursor_steps_over_it)
{
    const auto panel_frame = [&] { return static_cast<Active*>(panel)->get_frame(); };
    const auto item = [&] { return EventKit::value(cursor, 'A'); };
    const auto on_row = [&] { return cursor->get_y() == int(panel->get_action_y() + 24 * item()); };
    kit.run(1);
    EXPECT_EQ(panel_frame(), 3);
    // One life: frame 4, also while the menu is closed.
    manager.lives = 1;
    kit.run(1);
    EXPECT_EQ(panel_frame(), 4);
    press_until_panel_moves(VPAD_BUTTON_PLUS);
    kit.run(1);
    ASSERT_EQ(value('A'), 3);
    kit.take_sounds();
    choose(VPAD_BUTTON_DOWN);
    EXPECT_EQ(item(), 2);
    EXPECT_TRUE(on_row());
    EXPECT_EQ(sample_count(kit.take_sounds(), 54), 1);
    choose(VPAD_BUTTON_UP);
    EXPECT_EQ(item(), 0);
    EXPECT_TRUE(on_row());
    EXPECT_EQ(sample_count(kit.take_sounds(), 54), 1);
    EXPECT_EQ(panel_frame(), 4);

    // Two lives: all three items again.
    manager.lives = 2;
    kit.run(1);
    EXPECT_EQ(panel_frame(), 3);
    choose(VPAD_BUTTON_DOWN);
    EXPECT_EQ(item(), 1);
    // Down to one life with the cursor on restart: it stays there and can
    // still be confirmed.
    manager.lives = 1;
    kit.run(1);
    EXPECT_EQ(panel_frame(), 4);
    EXPECT_EQ(item(), 1);
    kit.take_sounds();
    choose(VPAD_BUTTON_A);
    EXPECT_EQ(item(), 3);
    EXPECT_EQ(sample_count(kit.take_sounds(), 49), 1);
}
