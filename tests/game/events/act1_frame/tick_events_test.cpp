// The events act 1's tick handler calls in its own blocks, run through the
// real handler: the pause menu, the debug timer display and the far
// background planes.
#include "objects/active.h"
#include "runtime/manager.h"
#include "tests/support/event_kit.h"

#include <gtest/gtest.h>

namespace {

// A frame run by act 1's handler, with the groups a test names on.
struct Act1Tick {
    bool playing = false;  // level_group_43
    bool paused = false;   // level_group_25
    bool debug = false;    // global_group_1
};

void enter(EventKit& kit, Act1Tick groups)
{
    kit.enter_empty_frame({.layers = 2,
                           .width = 2000,
                           .height = 1000,
                           .handler = [](Frames& frames) { frames.handle_frame_5_events(); },
                           .set_up = [groups](Frames& frames) {
                               frames.virtual_width = 2000;
                               frames.virtual_height = 1000;
                               frames.reset_shared_event_state();
                               frames.level_group_43 = groups.playing;
                               frames.level_group_25 = groups.paused;
                               frames.global_group_1 = groups.debug;
                               frames.once_2164 = false;
                               frames.run_once_2167 = frames.run_once_2168 = unsigned(frames.loop_count);
                           }});
    kit.take_sounds();
}

int shown_frame(FrameObject* panel) { return static_cast<Active*>(panel)->get_frame(); }

// The pause panel, its cursor and the input values the menu reads.
class PauseMenu : public ::testing::Test {
protected:
    void SetUp() override
    {
        saved_lives = manager.lives;
        manager.lives = 3;
        enter(kit, {.paused = true});
        panel = kit.place("GUIPause_109", 213, 60, 1);
        cursor = kit.place("Crystal_321", 160, 0, 1);
        input = kit.place("InputsP1_23", -100, -100, 1);
        // The frame's first tick reached the menu before the panel was there.
        kit.frames().once_2164 = false;
    }
    void TearDown() override { manager.lives = saved_lives; }

    // One tick with the down (J) or up (I) control pressed on it.
    void press(char letter)
    {
        EventKit::set_value(input, letter, 1);
        kit.run(1);
    }
    void open_panel()
    {
        EventKit::set_value(panel, 'A', 3);
        kit.run(1);
        kit.take_sounds();
    }

    EventKit kit;
    int saved_lives = 0;
    FrameObject* panel = nullptr;
    FrameObject* cursor = nullptr;
    FrameObject* input = nullptr;
};

}  // namespace

TEST_F(PauseMenu, the_panel_counter_runs_down_to_3_and_stops_or_on_to_0_from_below)
{
    EventKit::set_value(panel, 'A', 5);
    kit.run(1);
    EXPECT_EQ(EventKit::value(panel, 'A'), 4);
    kit.run(5);
    EXPECT_EQ(EventKit::value(panel, 'A'), 3);

    EventKit::set_value(panel, 'A', 2);
    kit.run(5);
    EXPECT_EQ(EventKit::value(panel, 'A'), 0);
}

TEST_F(PauseMenu, the_first_pause_of_a_visit_shows_frame_3_and_a_later_one_does_not_force_it_again)
{
    kit.run(1);
    EXPECT_EQ(shown_frame(panel), 3);
    static_cast<Active*>(panel)->force_frame(0);
    kit.run(2);
    EXPECT_EQ(shown_frame(panel), 0);
}

TEST_F(PauseMenu, the_cursor_moves_one_item_per_press_within_items_0_to_2_with_a_sound_once_the_panel_is_in)
{
    // While the panel is still sliding the cursor stays.
    EventKit::set_value(panel, 'A', 6);
    press('J');
    EXPECT_EQ(EventKit::value(cursor, 'A'), 0);
    EXPECT_TRUE(kit.take_sounds().empty());

    open_panel();
    const int top = static_cast<Active*>(panel)->get_action_y();
    press('J');
    EXPECT_EQ(EventKit::value(cursor, 'A'), 1);
    EXPECT_EQ(cursor->get_y(), top + 24);
    ASSERT_EQ(kit.take_sounds().size(), 1u);

    press('J');
    press('J');  // already on the last item
    EXPECT_EQ(EventKit::value(cursor, 'A'), 2);
    EXPECT_EQ(cursor->get_y(), top + 48);
    EXPECT_EQ(kit.take_sounds().size(), 1u);

    press('I');
    press('I');
    press('I');  // already on the first item
    EXPECT_EQ(EventKit::value(cursor, 'A'), 0);
    EXPECT_EQ(cursor->get_y(), top);
    const std::vector<SoundStart> sounds = kit.take_sounds();
    ASSERT_EQ(sounds.size(), 2u);
    EXPECT_EQ(sounds[0].id, 54u);
}

TEST_F(PauseMenu, with_one_life_left_the_panel_shows_frame_4_and_the_cursor_steps_over_item_1)
{
    manager.lives = 1;
    open_panel();
    EXPECT_EQ(shown_frame(panel), 4);
    press('J');
    EXPECT_EQ(EventKit::value(cursor, 'A'), 2);
    EXPECT_EQ(kit.take_sounds().size(), 1u);  // one move, one sound
    press('I');
    EXPECT_EQ(EventKit::value(cursor, 'A'), 0);

    // A life more brings frame 3 and item 1 back.
    manager.lives = 2;
    kit.run(1);
    EXPECT_EQ(shown_frame(panel), 3);
    press('J');
    EXPECT_EQ(EventKit::value(cursor, 'A'), 1);
}

TEST_F(PauseMenu, with_the_menu_closed_none_of_its_events_act)
{
    kit.frames().level_group_25 = false;
    EventKit::set_value(panel, 'A', 5);
    press('J');
    EXPECT_EQ(EventKit::value(panel, 'A'), 5);
    EXPECT_EQ(EventKit::value(cursor, 'A'), 0);
    EXPECT_NE(shown_frame(panel), 3);
}

TEST(Act1DebugTimer, value_22_at_3_shows_the_timer_digits_in_the_debug_group_and_puts_the_hotkeys_away)
{
    EventKit kit;
    enter(kit, {});
    FrameObject* timer = kit.place("GUITimer_349", 200, 20, 1);
    FrameObject* digit = kit.place("GUITimerMilli_207", 220, 20, 1);
    // Without the debug group nothing happens.
    timer->set_direction(5, true);
    kit.set_global(22, 3);
    kit.frames().global_group_10 = true;
    kit.run(2);
    EXPECT_EQ(kit.global(22), 3);
    EXPECT_EQ(timer->get_direction(), 5);

    kit.frames().global_group_1 = true;
    kit.frames().global_group_10 = false;
    kit.run(1);
    EXPECT_EQ(kit.global(22), 0);
    EXPECT_TRUE(digit->flags & FrameObject::VISIBLE);
    EXPECT_EQ(timer->get_direction(), 0);
    const std::vector<SoundStart> sounds = kit.take_sounds();
    ASSERT_FALSE(sounds.empty());
    EXPECT_EQ(sounds[0].id, 114u);

    // With the hotkeys on (event 220 turns them on inside the debug group)
    // the digits are put away again.
    kit.frames().global_group_10 = true;
    kit.run(1);
    EXPECT_FALSE(digit->flags & FrameObject::VISIBLE);
    EXPECT_EQ(timer->get_direction(), 3);
}

TEST(Act1BackgroundPlanes, a_plane_follows_the_view_at_its_depth_and_drifts)
{
    EventKit kit;
    enter(kit, {.playing = true});
    FrameObject* plane = kit.place("LevelBackgroundPlane2_352", 0, 0, 0);
    EventKit::set_value(plane, 'A', 10);
    EventKit::set_value(plane, 'B', 4);
    EventKit::set_value(plane, 'C', 2);  // factor 0.8
    kit.frames().set_display_center(313, 120);  // view x 100
    kit.run(1);
    // 2 * 0.05 + 0.7 is a hair under 0.8 in doubles, so 110 times it truncates to 87.
    EXPECT_EQ(plane->get_x(), 87);
    EXPECT_EQ(plane->get_y(), 3);   // (0 + 4) * 0.8, truncated
    EXPECT_EQ(EventKit::value(plane, 'A'), 14);  // + 8 - 2 * 2 + 4 * direction 0
    EXPECT_EQ(EventKit::value(plane, 'B'), 4.25);

    kit.frames().level_group_43 = false;  // paused: the planes stand still
    kit.run(2);
    EXPECT_EQ(EventKit::value(plane, 'A'), 14);
}
