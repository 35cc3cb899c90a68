// Controller and touch reading: the second half of platform_poll_events,
// and the queries on the folded controller state (joystick 1).
#pragma once

// Reads the remotes and the gamepad into the folded controller state.
void platform_read_controllers();

bool is_joystick_attached(int joystick);
bool is_joystick_pressed(int joystick, int button);
float get_joystick_axis(int joystick, int axis);
void platform_get_mouse_pos(int* x, int* y);
