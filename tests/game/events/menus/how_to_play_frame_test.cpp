// The How To Play frame: three pages a view high, scrolled 20 pixels a tick
// by the next and back actions, the parallax under the last page, and the
// confirm that wipes the screen and leaves for Black Load.
#include "audio/media.h"
#include "console/pads.h"
#include "game/frames/event_support.h"
#include "objects/active.h"
#include "runtime/manager.h"
#include "tests/game/events/menus/menu_kit.h"

#include <gtest/gtest.h>
#include <cmath>

namespace {

constexpr int how_to_play = 8;

struct Page {
    EventKit& kit;
    double a() const { return EventKit::value(kit.instance(types::Active8_419), 'A'); }
    double b() const { return EventKit::value(kit.instance(types::Active8_419), 'B'); }
    double c() const { return EventKit::value(kit.instance(types::Active8_419), 'C'); }
};

void enter(EventKit& kit) { enter_with_music_idle(kit, how_to_play, true); }

bool controls_shown(EventKit& kit) { return kit.instance(types::Controls_410)->flags & FrameObject::VISIBLE; }

}  // namespace

TEST(HowToPlayFrame, starts_on_page_one_with_its_screen_and_the_menu_music)
{
    EventKit kit;
    kit.frames().global_group_1 = true;
    enter_with_music_idle(kit, how_to_play);
    Frames& frames = kit.frames();
    EXPECT_FALSE(frames.global_group_1);  // the debug group
    EXPECT_EQ(frames.qualifier_1.count, 4);
    EXPECT_EQ(frames.qualifier_24.count, 3);
    EXPECT_EQ(Page{kit}.a(), 120);
    EXPECT_EQ(frames.display_x, 107);
    EXPECT_EQ(frames.display_y, 0);
    EXPECT_TRUE(controls_shown(kit));
    const std::vector<SoundStart> sounds = kit.take_sounds();
    ASSERT_FALSE(sounds.empty());
    EXPECT_TRUE(sounds[0].path.ends_with("/Data/BGM/m_menu1.ogg"));
    EXPECT_EQ(sounds[0].channel, 31);
}

// A pages forward and B back, 20 a tick for twelve ticks, the view's top
// following at a - 120; presses during a scroll are ignored, one on its
// last step is taken; the controls picture shows while a is at most 360.
TEST(HowToPlayFrame, a_and_b_scroll_a_page_at_a_time_tick_by_tick)
{
    EventKit kit;
    enter(kit);
    Page page{kit};
    kit.press(VPAD_BUTTON_B, 3);  // not back from page one
    EXPECT_EQ(page.b(), 0);
    EXPECT_TRUE(kit.take_sounds().empty());
    EXPECT_TRUE(kit.instances(types::EffectsWhiteBurst_31).empty());

    kit.press(VPAD_BUTTON_A);
    EXPECT_EQ(page.b(), 240);
    EXPECT_EQ(page.a(), 120);
    EXPECT_EQ(sample_count(kit.take_sounds(), 53), 1);
    EXPECT_EQ(kit.instances(types::EffectsWhiteBurst_31).size(), 1u);
    for (int step = 1; step <= 12; ++step) {
        kit.hold(step == 3 || step == 12 ? uint32_t(VPAD_BUTTON_A) : step == 5 ? uint32_t(VPAD_BUTTON_B) : 0u);
        kit.run(1);
        if (step == 12)
            break;
        EXPECT_EQ(page.a(), 120 + 20 * step);
        EXPECT_EQ(page.b(), 240 - 20 * step);
        EXPECT_EQ(kit.frames().display_y, 20 * step);
        EXPECT_TRUE(kit.take_sounds().empty()) << step;
    }
    kit.release();
    // The twelfth step brings B to 0 before the input events.
    EXPECT_EQ(page.a(), 360);
    EXPECT_EQ(page.b(), 240);
    EXPECT_EQ(sample_count(kit.take_sounds(), 53), 1);
    EXPECT_TRUE(controls_shown(kit));
    kit.run(1);
    EXPECT_EQ(page.a(), 380);
    EXPECT_FALSE(controls_shown(kit));
    kit.run(11);
    EXPECT_EQ(page.a(), 600);
    EXPECT_EQ(page.b(), 0);
    EXPECT_EQ(kit.frames().display_y, 480);
    EXPECT_EQ(page.c(), 0);
    EXPECT_FALSE(controls_shown(kit));

    kit.press(VPAD_BUTTON_B, 11);
    EXPECT_EQ(page.a(), 380);
    EXPECT_EQ(sample_count(kit.take_sounds(), 214), 1);
    ASSERT_FALSE(kit.instances(types::EffectsWhiteBurst_31).empty());
    EXPECT_EQ(kit.instance(types::EffectsWhiteBurst_31)->x, kit.instance(types::Active6_415)->x);
    EXPECT_FALSE(controls_shown(kit));
    kit.run(1);
    EXPECT_EQ(page.a(), 360);
    EXPECT_TRUE(controls_shown(kit));
    kit.press(VPAD_BUTTON_B, 12);
    EXPECT_EQ(page.a(), 120);
    EXPECT_EQ(kit.frames().display_y, 0);
}

TEST(HowToPlayFrame, the_parallax_planes_drift_at_their_own_speeds_and_wrap_at_their_width)
{
    EventKit kit;
    enter(kit);
    const int types[] = {318, 319, 320, 321};
    const double speeds[] = {0.2, 0.6, 1.0, 1.5};
    int start[4], widths[4], rest_y[4];
    for (int i = 0; i < 4; ++i) {
        FrameObject* plane = kit.instance(types[i]);
        start[i] = to_int(EventKit::value(plane, 'C'));
        widths[i] = to_int(EventKit::value(plane, 'A'));
        rest_y[i] = plane->get_y();
        EXPECT_EQ(plane->width, widths[i] * 4);
    }
    EXPECT_EQ(widths[0], 320);
    kit.press(VPAD_BUTTON_A, 12);
    kit.run(40);
    for (int i = 0; i < 4; ++i) {
        FrameObject* plane = kit.instance(types[i]);
        const double b = EventKit::value(plane, 'B');
        EXPECT_NEAR(b - start[i], speeds[i] * kit.tick(), 1e-6) << i;
        EXPECT_EQ(plane->get_x(), to_int(start[i] - std::fmod(b - speeds[i], widths[i]))) << i;
        // The layer does not scroll down, yet the planes keep their place.
        EXPECT_EQ(plane->get_y(), rest_y[i]) << i;
    }
    // A plane a whole width along stands where it stood.
    FrameObject* plane = kit.instance(types::BG2Layer1_452);
    EventKit::set_value(plane, 'B', 250);
    kit.run(1);
    const int x = plane->get_x();
    EXPECT_EQ(x, start[0] - 250);
    EventKit::set_value(plane, 'B', 250 + 320);
    kit.run(1);
    EXPECT_EQ(plane->get_x(), x);
}

TEST(HowToPlayFrame, confirming_on_page_three_wipes_the_screen_and_leaves_for_black_load)
{
    EventKit kit;
    enter(kit);
    Page page{kit};
    kit.press(VPAD_BUTTON_A, 12);
    kit.press(VPAD_BUTTON_A, 12);
    kit.take_sounds();
    kit.set_global(0, 3);
    kit.set_global(4, 3);

    kit.press(VPAD_BUTTON_A);  // tick 1
    EXPECT_EQ(page.a(), 600);
    EXPECT_EQ(page.b(), 0);
    EXPECT_EQ(page.c(), 2);
    const std::vector<SoundStart> sounds = kit.take_sounds();
    EXPECT_EQ(sample_count(sounds, 53), 1);
    EXPECT_EQ(sample_count(sounds, 215), 1);
    EXPECT_EQ(static_cast<Active*>(kit.instance(types::Character1_457))->forced_animation, 7);

    kit.run(47);  // tick 48
    EXPECT_EQ(page.c(), 49);
    kit.run(1);  // tick 49: the wipe
    EXPECT_EQ(page.c(), 51);
    EXPECT_EQ(sample_count(kit.take_sounds(), 49), 1);
    kit.run(49);  // tick 98
    EXPECT_EQ(kit.frames().next_frame, -1);
    kit.run(1);  // tick 99
    EXPECT_EQ(kit.frames().next_frame, 2);
    EXPECT_EQ(kit.global(0), 0);
    EXPECT_EQ(kit.global(4), 0);
    kit.run(1);
    EXPECT_EQ(kit.frames().index, 2);
}

TEST(HowToPlayFrame, the_keys_page_and_confirm_once_with_the_joystick_on_the_same_tick)
{
    EventKit kit;
    enter(kit);
    Page page{kit};
    Frames& frames = kit.frames();
    auto same_tick = [&](int key, uint32_t buttons, auto... events) {
        manager.keyboard.add(key);
        manager.joystick_press_flags = buttons;
        (( frames.*events )(), ...);
        manager.keyboard.remove(key);
        manager.joystick_press_flags = 0;
    };
    // Return and button 2 on page 1: one scroll.
    same_tick(13, 32, &Frames::event_func_2650, &Frames::event_func_2651);
    EXPECT_EQ(page.b(), 240);
    EXPECT_EQ(sample_count(kit.take_sounds(), 53), 1);
    kit.run(13);
    // Backspace pages back.
    same_tick(8, 0, &Frames::event_func_2652, &Frames::event_func_2653);
    EXPECT_EQ(page.b(), -240);
    kit.run(13);
    kit.press(VPAD_BUTTON_A, 12);
    kit.press(VPAD_BUTTON_A, 12);
    ASSERT_EQ(page.a(), 600);
    kit.take_sounds();
    // On page 3 Return does not scroll; with button 2 it confirms once.
    same_tick(13, 32, &Frames::event_func_2650, &Frames::event_func_2651, &Frames::event_func_2656,
              &Frames::event_func_2657);
    EXPECT_EQ(page.b(), 0);
    EXPECT_EQ(page.c(), 1);
    EXPECT_EQ(sample_count(kit.take_sounds(), 215), 1);
}
