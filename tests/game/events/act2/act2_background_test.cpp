// Act 2's background pieces: the wave steps through its four phases with
// the step counter, and the upper pieces show once the view's bottom is
// above 1600.
#include "game/objects/type_ids.h"
#include "tests/support/event_kit.h"

#include <gtest/gtest.h>

TEST(Act2Background, the_wave_steps_and_the_pieces_swap_above_the_cave)
{
    EventKit kit;
    FrameObject* wave = nullptr;
    FrameObject* lower = nullptr;
    FrameObject* sky = nullptr;
    FrameObject* upper = nullptr;
    kit.enter_empty_frame({.width = 2000,
                           .height = 3200,
                           .handler = [](Frames& f) {
                               f.event_func_2444();
                               f.event_func_2478();
                               f.event_func_2479();
                           },
                           .set_up = [&](Frames& f) {
                               f.reset_frame_event_state(6);
                               f.level_group_43 = true;
                               f.set_display_center(213, 2000);
                               wave = kit.place("LevelParallaxPiece9_386", 0, 0);
                               lower = kit.place("LevelParallaxPiece8_387", 0, 0);
                               sky = kit.place("LevelParallaxPiece0_161", 0, 0);
                               upper = kit.place("LevelParallaxPiece1_205", 0, 0);
                               sky->set_visible(false);
                               upper->set_visible(false);
                               EventKit::set_value(wave, 'M', 1000);
                           }});
    Frames& f = kit.frames();
    const std::pair<double, double> phases[] = {{0, 640}, {7, 640}, {8, 1000}, {16, 640}, {24, 280}, {32, 640}};
    for (const auto& [step, value] : phases) {
        kit.set_global(3, step);
        kit.run(1);
        EXPECT_EQ(EventKit::value(wave, 'C'), value) << step;
    }
    EXPECT_TRUE(lower->flags & FrameObject::VISIBLE);
    // A view whose bottom is exactly 1600 keeps the cave; one pixel higher swaps.
    f.set_display_center(213, 1360 + 120);
    kit.run(1);
    EXPECT_FALSE(upper->flags & FrameObject::VISIBLE);
    f.set_display_center(213, 1359 + 120);
    kit.run(1);
    EXPECT_FALSE(wave->flags & FrameObject::VISIBLE);
    EXPECT_FALSE(lower->flags & FrameObject::VISIBLE);
    EXPECT_TRUE(sky->flags & FrameObject::VISIBLE);
    EXPECT_TRUE(upper->flags & FrameObject::VISIBLE);
}
