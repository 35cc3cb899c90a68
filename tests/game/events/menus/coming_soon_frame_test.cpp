// The Coming Soon! frame: tiles dissolving as it starts, the menu music, the
// confirm, the music fade, the wipe and the restart.
#include "audio/media.h"
#include "console/pads.h"
#include "objects/active.h"
#include "runtime/manager.h"
#include "tests/game/events/menus/menu_kit.h"

#include <gtest/gtest.h>

namespace {

constexpr int coming_soon = 6;

// Tiles that have not started to vanish.
int whole_tiles(EventKit& kit)
{
    int whole = 0;
    for (FrameObject* tile : kit.instances(types::FadeIn_417))
        whole += !(tile->flags & (FrameObject::DESTROYING | FrameObject::FADEOUT));
    return whole;
}

double countdown(EventKit& kit) { return EventKit::value(kit.instance(types::Active8_419), 'C'); }

void enter(EventKit& kit) { enter_with_music_idle(kit, coming_soon); }

}  // namespace

TEST(ComingSoonFrame, starts_with_its_screen_the_menu_music_and_the_view_centred_across)
{
    EventKit kit;
    enter(kit);
    Frames& frames = kit.frames();
    EXPECT_EQ(frames.layers[0].coef_y, 0.0);
    EXPECT_EQ(frames.layers[2].coef_x, 0.0);
    EXPECT_EQ(frames.qualifier_22.count, 2);
    EXPECT_TRUE(frames.fade_in_group);
    // 640 wide, centred on 320: the view's left edge is 107.
    EXPECT_EQ(frames.display_x, 107);
    const std::vector<SoundStart> sounds = kit.take_sounds();
    ASSERT_FALSE(sounds.empty());
    EXPECT_TRUE(sounds[0].path.ends_with("/Data/BGM/m_menu1.ogg")) << sounds[0].path;
    EXPECT_EQ(sounds[0].channel, 31);
    EXPECT_EQ(sounds[0].loops, 0);

    // Music already playing carries on.
    media.play(".\\Data\\BGM\\m_title.ogg", 31, 0);
    kit.take_sounds();
    kit.enter_frame(coming_soon);
    for (const SoundStart& sound : kit.take_sounds())
        EXPECT_NE(sound.channel, 31);
    EXPECT_TRUE(media.is_channel_playing(31));
}

TEST(ComingSoonFrame, the_tiles_dissolve_four_a_tick_and_are_all_gone_after_26_ticks)
{
    EventKit kit;
    enter(kit);
    EXPECT_EQ(whole_tiles(kit), 100);
    kit.run(12);
    EXPECT_EQ(whole_tiles(kit), 52);
    kit.run(12);
    EXPECT_EQ(whole_tiles(kit), 4);
    kit.run(1);
    EXPECT_EQ(whole_tiles(kit), 0);
    // Each vanishes through its disappearing animation, then leaves the frame.
    kit.run(30);
    EXPECT_TRUE(kit.instances(types::FadeIn_417).empty());
    EXPECT_TRUE(kit.frames().fade_in_group);
}

TEST(ComingSoonFrame, the_checker_drifts_and_the_prompt_steps_every_four_ticks)
{
    EventKit kit;
    enter(kit);
    const double ticks_before = kit.global(3);
    kit.run(8);
    EXPECT_EQ(kit.global(3), ticks_before + 8);
    FrameObject* checker = kit.instance(types::CheckerPattern_408);
    EXPECT_DOUBLE_EQ(EventKit::value(checker, 'A'), 4.5);
    kit.set_global(3, 99);
    kit.run(1);
    EXPECT_EQ(static_cast<Active*>(kit.instance(types::Active5_414))->forced_frame, 100 / 4 % 20);
    // The phase wraps at 64.
    EventKit::set_value(checker, 'A', 63.5);
    kit.run(1);
    EXPECT_DOUBLE_EQ(EventKit::value(checker, 'A'), 0.0);
}

TEST(ComingSoonFrame, confirming_fades_the_music_wipes_the_screen_and_restarts_the_game)
{
    EventKit kit;
    enter(kit);
    kit.run(30);
    kit.take_sounds();
    const double volume = media.get_channel_volume(31);

    // Tick 1: the confirm and the first fade step.
    kit.press(VPAD_BUTTON_A);
    EXPECT_EQ(countdown(kit), 2);
    std::vector<SoundStart> sounds = kit.take_sounds();
    EXPECT_EQ(sample_count(sounds, 53), 1);
    ASSERT_EQ(kit.instances(types::EffectsWhiteBurst_31).size(), 1u);
    FrameObject* prompt = kit.instance(types::Active5_414);
    EXPECT_EQ(kit.instance(types::EffectsWhiteBurst_31)->x, prompt->x);
    EXPECT_EQ(kit.instance(types::EffectsWhiteBurst_31)->layer, prompt->layer);
    EXPECT_DOUBLE_EQ(media.get_channel_volume(31), volume - 2);

    // Ticks 2 ... 48: the music loses 2 a tick, more presses do nothing.
    kit.press(VPAD_BUTTON_A, 46);
    EXPECT_EQ(countdown(kit), 49);
    EXPECT_EQ(sample_count(kit.take_sounds(), 53), 0);
    EXPECT_DOUBLE_EQ(media.get_channel_volume(31), volume - 96);
    EXPECT_TRUE(media.is_channel_playing(31));

    // Tick 49: the wipe starts left of the view and moves once.
    kit.run(1);
    EXPECT_EQ(countdown(kit), 51);
    EXPECT_EQ(sample_count(kit.take_sounds(), 49), 1);
    EXPECT_FALSE(media.is_channel_playing(31));
    EXPECT_DOUBLE_EQ(media.get_channel_volume(31), 100);
    ASSERT_EQ(kit.instances(types::Fade_40).size(), 2u);
    FrameObject* wipe = kit.instance(types::Fade_40);
    FrameObject* edge = kit.instance(types::FadeEdge_73);
    EXPECT_EQ(wipe->get_x(), 107 - 546 + 32);
    EXPECT_EQ(edge->get_x() - wipe->get_x(), 546);
    EXPECT_EQ(wipe->layer, &kit.frames().layers[2]);

    // It closes in 32 a tick and stops at the view's left edge.
    kit.run(16);
    EXPECT_EQ(wipe->get_x(), 107 - 546 + 17 * 32);
    kit.run(1);
    EXPECT_EQ(wipe->get_x(), 107);
    EXPECT_EQ(edge->get_x(), 107 + 546);

    // Tick 99 requests the restart; tick 98 does not.
    kit.set_global(0, 5);
    kit.set_global(4, 5);
    kit.run(98 - 49 - 17);
    EXPECT_EQ(kit.frames().next_frame, -1);
    EXPECT_EQ(EventKit::value(wipe, 'F'), 50);
    kit.run(1);
    EXPECT_EQ(kit.frames().next_frame, -2);
    EXPECT_EQ(kit.global(0), 0);
    EXPECT_EQ(kit.global(4), 0);
    // The set-up's own fade counted along with the wipe.
    for (FrameObject* fade : kit.instances(types::Fade_40))
        EXPECT_EQ(EventKit::value(fade, 'F'), 51);
    kit.run(1);
    EXPECT_EQ(kit.frames().index, 0);
}

TEST(ComingSoonFrame, a_confirm_counts_once_and_is_taken_during_the_dissolve)
{
    EventKit kit;
    enter(kit);
    kit.press(VPAD_BUTTON_A);
    EXPECT_EQ(countdown(kit), 2);
    EXPECT_GT(whole_tiles(kit), 0);

    // Return and button 2 on one tick: the key's event takes it, the
    // joystick's then finds the countdown running.
    Frames& frames = kit.frames();
    EventKit::set_value(kit.instance(types::Active8_419), 'C', 0);
    kit.take_sounds();
    manager.keyboard.add(13);
    manager.joystick_press_flags |= 32;
    frames.event_func_2504();
    frames.event_func_2505();
    manager.keyboard.remove(13);
    EXPECT_EQ(countdown(kit), 1);
    EXPECT_EQ(sample_count(kit.take_sounds(), 53), 1);

    // Value B of the state object holds a confirm back.
    EventKit::set_value(kit.instance(types::Active8_419), 'C', 0);
    EventKit::set_value(kit.instance(types::Active8_419), 'B', 1);
    kit.run(1);
    kit.press(VPAD_BUTTON_A);
    EXPECT_EQ(countdown(kit), 0);
}
