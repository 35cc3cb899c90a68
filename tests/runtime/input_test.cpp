// Input lists with their ageing, touches as mouse button 1, and the control
// flags and d-pad directions.
#include "runtime/input.h"
#include "runtime/manager.h"
#include "runtime/movement.h"

#include <gtest/gtest.h>

TEST(InputList, entries_age_from_pressed_to_held_and_released_entries_leave)
{
    InputList list;
    EXPECT_EQ(list.last, -1);
    list.add(5);
    EXPECT_TRUE(list.is_pressed(5));
    EXPECT_TRUE(list.is_pressed_once(5));
    list.update();
    EXPECT_TRUE(list.is_pressed(5));
    EXPECT_FALSE(list.is_pressed_once(5));
    list.remove(5);
    EXPECT_FALSE(list.is_pressed(5));
    list.update();
    EXPECT_EQ(list.count, 0);

    // Pressed and released within one tick: released until the next ageing.
    list.add(7);
    list.remove(7);
    EXPECT_FALSE(list.is_pressed(7));
    EXPECT_FALSE(list.is_pressed_once(7));
    list.update();
    EXPECT_EQ(list.count, 0);
}

TEST(InputList, the_last_entry_moves_into_a_released_place_and_a_seventeenth_code_only_becomes_last)
{
    InputList list;
    list.add(1);
    list.add(2);
    list.add(3);
    list.remove(1);
    list.remove(3);
    list.update();
    ASSERT_EQ(list.count, 1);
    EXPECT_EQ(list.entries[0].code, 2);
    EXPECT_EQ(list.entries[0].state, InputList::HOLD);

    for (int code = 3; code < 18; ++code)
        list.add(code);
    list.add(99);
    EXPECT_EQ(list.count, 16);
    EXPECT_EQ(list.last, 99);
    EXPECT_FALSE(list.is_pressed(99));
    list.add(3);
    EXPECT_EQ(list.count, 16);
}

TEST(Controls, a_touch_held_for_three_ticks_is_pressed_once_only_on_the_first)
{
    manager.mouse = InputList();
    manager.on_mouse(1, true);
    EXPECT_TRUE(is_mouse_pressed_once(1));
    for (int tick = 0; tick < 2; ++tick) {
        manager.mouse.update();
        EXPECT_TRUE(is_mouse_pressed(1));
        EXPECT_FALSE(is_mouse_pressed_once(1));
    }
    manager.on_mouse(1, false);
    EXPECT_FALSE(is_mouse_pressed(1));
    EXPECT_FALSE(is_mouse_pressed(-1));
    manager.mouse.update();
    EXPECT_EQ(manager.mouse.count, 0);
    EXPECT_FALSE(is_key_pressed(-3));
    EXPECT_FALSE(is_key_pressed_once(0x7A));
}

TEST(Controls, player_queries_follow_the_flags_unless_controls_are_ignored)
{
    manager.player_flags = 0;
    manager.ignore_controls = false;
    EXPECT_TRUE(is_player_pressed(1, 0));
    manager.player_flags = CONTROL_UP | CONTROL_BUTTON1;
    EXPECT_FALSE(is_player_pressed(1, 0));
    EXPECT_TRUE(is_player_pressed(1, CONTROL_UP | CONTROL_BUTTON1));
    EXPECT_FALSE(is_player_pressed(1, CONTROL_UP | CONTROL_DOWN));
    manager.ignore_controls = true;
    EXPECT_FALSE(is_player_pressed(1, CONTROL_UP));
    EXPECT_EQ(get_player_control_flags(1), 0u);
    manager.ignore_controls = false;
    manager.player_flags = 0;

    // Keyboard keys drive the player flags (no keyboard reaches this list on
    // the console, but the mapping stays).
    const int keys[8] = {0x40000052, 0x40000051, 0x40000050, 0x4000004F, 'z', 'x', 'c', 13};
    for (int k = 0; k < 8; ++k)
        manager.control_keys[k] = keys[k];
    manager.keyboard = InputList();
    manager.keyboard.add('x');
    manager.keyboard.add(0x40000050);
    EXPECT_EQ(get_player_control_flags(1), uint32_t(CONTROL_LEFT | CONTROL_BUTTON2));
    manager.keyboard = InputList();
}

TEST(Controls, joystick_pressed_once_reads_the_pressed_edges_of_joystick_one)
{
    manager.joystick_press_flags = 16u << 2;  // button 3
    EXPECT_TRUE(is_joystick_pressed_once(1, 3));
    EXPECT_FALSE(is_joystick_pressed_once(1, 2));
    EXPECT_FALSE(is_joystick_pressed_once(2, 3));
    manager.joystick_press_flags = 8;
    EXPECT_TRUE(is_joystick_pressed_once(1, 0));  // button 0 reads the right direction
    manager.joystick_press_flags = 0;
}

TEST(Controls, the_movement_direction_table_gives_the_d_pad_degrees)
{
    const struct {
        bool up, down, left, right;
        int direction;
    } table[] = {
        {false, false, false, true, 0},  {true, true, false, true, 0},   {true, false, false, true, 4},
        {true, false, false, false, 8},  {true, false, true, true, 8},   {true, false, true, false, 12},
        {false, false, true, false, 16}, {true, true, true, false, 16},  {false, true, true, false, 20},
        {false, true, false, false, 24}, {false, true, true, true, 24},  {false, true, false, true, 28},
        {false, false, false, false, -1}, {true, true, false, false, -1}, {false, false, true, true, -1},
        {true, true, true, true, -1},
    };
    for (const auto& row : table)
        EXPECT_EQ(get_movement_direction(row.up, row.down, row.left, row.right), row.direction);
}
