// The event kit reads back what events leave: sounds, pictures, input.
#include "audio/media.h"
#include "console/pads.h"
#include "runtime/manager.h"
#include "tests/support/event_kit.h"

#include <gtest/gtest.h>

TEST(EventKit, reads_back_sounds_pictures_and_held_buttons_tick_by_tick)
{
    EventKit kit;
    std::vector<bool> button_1;
    kit.enter_empty_frame({.handler = [&](Frames& frames) {
        button_1.push_back(manager.joystick_flags & 16);
        if (frames.loop_count == 2)
            media.play_id(3, -1, 1);
    }});
    FrameObject* star = kit.place("TitleStar_43", 100, 100);
    kit.run(3);
    const std::vector<SoundStart> sounds = kit.take_sounds();
    ASSERT_EQ(sounds.size(), 1u);
    EXPECT_EQ(sounds[0].id, 3u);
    EXPECT_EQ(sounds[0].loops, 1);
    EXPECT_TRUE(kit.take_sounds().empty());

    // The star's stand-in picture shows where it stands, on black.
    int lit = 0;
    for (int y = star->y - 8; y < star->y + 8; ++y)
        for (int x = star->x - 8; x < star->x + 8; ++x)
            lit += kit.pixel(x, y) != black;
    EXPECT_GT(lit, 0);
    EXPECT_EQ(kit.pixel(300, 20), black);

    kit.press(VPAD_BUTTON_A, 1);
    EXPECT_EQ(button_1, (std::vector<bool>{false, false, false, false, true, false}));
}
