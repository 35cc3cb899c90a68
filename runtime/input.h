// Keys and buttons with their state in the current tick, and the control
// flags and joystick queries that the events ask.
#pragma once

#include <cstdint>

class InputList {
public:
    enum State : uint8_t { PRESSED = 0, HOLD = 1, RELEASED = 2 };
    static constexpr int capacity = 16;

    struct Entry {
        int code;
        uint8_t state;
    };

    int last = -1;
    int count = 0;
    Entry entries[capacity] = {};

    void add(int code);
    void remove(int code);  // the code's entry, when present, goes to RELEASED
    void update();          // ageing at the start of a tick
    bool is_pressed(int code) const;
    bool is_pressed_once(int code) const;

private:
    Entry* find(int code);
    const Entry* find(int code) const;
};

// Player control flags and joystick control flags.
enum ControlFlag : uint32_t {
    CONTROL_UP = 1,
    CONTROL_DOWN = 2,
    CONTROL_LEFT = 4,
    CONTROL_RIGHT = 8,
    CONTROL_BUTTON1 = 16,
    CONTROL_BUTTON2 = 32,
    CONTROL_BUTTON3 = 64,
    CONTROL_BUTTON4 = 128,
};

bool is_key_pressed(int key);
bool is_key_pressed_once(int key);
bool is_mouse_pressed(int button);
bool is_mouse_pressed_once(int button);

uint32_t get_player_control_flags(int player);
uint32_t get_joystick_control_flags(int joystick);
bool is_player_pressed(int player, uint32_t flags);
bool is_joystick_pressed_once(int joystick, int button);
int get_joystick_direction(int joystick);
uint32_t get_joystick_direction_flags(int joystick);
int get_joystick_dpad_degrees(int joystick);
int get_joystick_x(int joystick);
int get_joystick_y(int joystick);
int get_joystick_z(int joystick);
