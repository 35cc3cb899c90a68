// The end of the shared block: the voice reset, the window hotkeys (read
// from the runtime's keyboard list, which only a fed list fills) and the
// return loop that leaves the stage for the intro.
#include "audio/media.h"
#include "console/pads.h"
#include "runtime/manager.h"
#include "tests/support/event_kit.h"

#include <gtest/gtest.h>

namespace {

constexpr int f5 = 0x4000003E, f6 = 0x4000003F, f7 = 0x40000040, f8 = 0x40000041;

void window_keys(Frames& frames)
{
    frames.event_func_223();
    frames.event_func_224();
    frames.event_func_225();
    frames.event_func_226();
}

bool any_voice_group(const Frames& frames)
{
    return frames.global_group_5 || frames.global_group_6 || frames.global_group_9 ||
           frames.global_group_12 || frames.global_group_13;
}

}  // namespace

TEST(WindowHotkeys, each_key_chooses_its_window_on_the_tick_it_is_pressed_and_the_gamepad_none)
{
    EventKit kit;
    kit.enter_empty_frame({.handler = window_keys});
    kit.take_console();

    kit.press_keys({f6}, 2);
    EXPECT_EQ(kit.take_console(), (std::vector<std::string>{"Set window width: 852",
                                                             "Set window height: 480",
                                                             "Set window placement: 4"}));
    EXPECT_EQ(kit.global(24), 2);
    EXPECT_FALSE(manager.fullscreen);

    kit.press_keys({f8}, 1);
    EXPECT_TRUE(kit.take_console().empty());  // full screen calls no window-control setter
    EXPECT_EQ(kit.global(24), 4);
    EXPECT_TRUE(manager.fullscreen);

    kit.press_keys({f7});
    EXPECT_EQ(kit.take_console().at(0), "Set window width: 1278");
    EXPECT_EQ(kit.global(24), 3);
    EXPECT_FALSE(manager.fullscreen);

    // The sizes follow the base size in global values 16 and 17.
    kit.set_global(16, 300.7);
    kit.set_global(17, 200);
    kit.press_keys({f5});
    EXPECT_EQ(kit.take_console(), (std::vector<std::string>{"Set window width: 300",
                                                             "Set window height: 200",
                                                             "Set window placement: 4"}));
    EXPECT_EQ(kit.global(24), 1);

    // Two keys in one tick act in event order and the later wins: F5's
    // window lines come first.
    kit.press_keys({f8, f5});
    EXPECT_EQ(kit.take_console().size(), 3u);
    EXPECT_EQ(kit.global(24), 4);
    EXPECT_TRUE(manager.fullscreen);

    // Without a keyboard list the gamepad never changes the window.
    kit.set_global(24, 0);
    for (const uint32_t buttons : {uint32_t(VPAD_BUTTON_A), uint32_t(VPAD_BUTTON_PLUS),
                                   uint32_t(VPAD_BUTTON_ZL | VPAD_BUTTON_ZR)})
        kit.press(buttons, 5);
    EXPECT_TRUE(kit.take_console().empty());
    EXPECT_EQ(kit.global(24), 0);
}

TEST(VoiceReset, voice_sets_switched_off_turn_every_voice_group_off_on_the_first_tick_only)
{
    EventKit kit;
    kit.set_global(23, 0);
    Frames& frames = kit.frames();
    frames.global_group_5 = frames.global_group_6 = frames.global_group_9 = true;
    frames.global_group_12 = frames.global_group_13 = true;
    kit.enter_empty_frame({.handler = [](Frames& f) { f.event_func_219(); }});
    frames.run_once_219 = 0;
    kit.run(1);
    EXPECT_FALSE(any_voice_group(frames));

    // A group switched on while the sets stay off is left on.
    frames.global_group_9 = true;
    kit.run(3);
    EXPECT_TRUE(frames.global_group_9);

    // Sets on for a tick, then off again: off once more.
    kit.set_global(23, 1);
    kit.run(1);
    EXPECT_TRUE(frames.global_group_9);
    kit.set_global(23, 0);
    kit.run(1);
    EXPECT_FALSE(any_voice_group(frames));
}

TEST(ReturnLoop, leaving_the_stage_stops_the_music_and_restarts_at_the_intro)
{
    EventKit kit;
    Frames& frames = kit.frames();
    bool leave = false;
    kit.enter_empty_frame({.handler = [&](Frames& f) {
        if (leave)
            f.run_loop(f.fast_loop_return, 1, &Frames::loop_return_0);
        f.event_func_219();
    }});
    media.play_id(3, 31, 0);
    ASSERT_TRUE(media.is_channel_playing(31));
    kit.set_global(23, 0);
    kit.set_global(24, 3);
    frames.global_group_12 = true;
    frames.run_once_219 = 0;
    leave = true;
    kit.run(1);
    // The voice reset sees the voice sets back on in the same tick.
    EXPECT_TRUE(frames.global_group_12);
    EXPECT_EQ(kit.global(23), 1);
    EXPECT_FALSE(media.is_channel_playing(31));
    EXPECT_EQ(frames.next_frame, -2);

    // The next tick starts the game again: the intro, with the start values,
    // whose start events choose the window again (no records file: scale 2).
    leave = false;
    kit.run(1);
    EXPECT_EQ(frames.index, 0);
    EXPECT_EQ(kit.global(24), 2);
    EXPECT_EQ(kit.global(25), 100);
}
