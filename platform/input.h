// Controller and touch reading: the second half of platform_poll_events,
// and the queries on the folded controller state (joystick 1). Every
// controller (the remotes' classic and pro controllers and the gamepad) is
// folded into one state; the gamepad's touch panel is mouse button 1.
#pragma once

// One poll's folded controller state. Every flag holds 0 or 1.
struct ControllerStatus {
    bool up = false, down = false, left = false, right = false;
    bool a = false, b = false, x = false, y = false;
    bool l = false, r = false;
    bool zl = false, zr = false;
    bool unused_1 = false, unused_2 = false;  // nothing sets them
    bool plus = false, minus = false, home = false;
    bool touch = false;
    // Last valid touch in calibrated panel coordinates; -5 until the first.
    int touch_x = -5, touch_y = -5;
};

// Reads the remotes (channels 0..3) and the gamepads (0, 1) into the folded
// state, reports touch changes as mouse button 1 and tells the display
// whether a gamepad answered.
void platform_read_controllers();

bool is_joystick_attached(int joystick);
bool is_joystick_pressed(int joystick, int button);
int remap_button(int button);
// The held state of a generic button number (the joystick is not consulted).
bool translate_button(int joystick, int button);
float get_joystick_axis(int joystick, int axis);
// The touch position in logical pixels (426 x 240).
void platform_get_mouse_pos(int* x, int* y);

// Stick shaping: adds the stick to the poll's axes and sets the status's
// direction flags from this stick alone.
void set_stick(ControllerStatus& status, float x, float y);
// Stretches the stick's circular range onto the square: full deflection at
// 45 degrees gives (±1, ±1).
void circle_to_square(float& x, float& y);
float clamp_stick(float value);

// The folded state of the latest poll.
const ControllerStatus& platform_controller_status();
// Forgets every reading: the state of the program's start (tests).
void platform_reset_controllers();
