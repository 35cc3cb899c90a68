#include "platform/input.h"

// Placeholders until the controller layer lands: nothing is connected.
void platform_read_controllers() {}
bool is_joystick_attached(int joystick)
{
    return joystick == 1;
}
bool is_joystick_pressed(int, int)
{
    return false;
}
float get_joystick_axis(int, int)
{
    return 0.0f;
}
void platform_get_mouse_pos(int* x, int* y)
{
    *x = 0;
    *y = 0;
}
