#include "platform/input.h"

#include "console/pads.h"
#include "platform/display_mode.h"
#include "platform/platform.h"

#include <cmath>

namespace {

// Past this deflection a stick counts as a direction.
constexpr float stick_threshold = 0.35f;

enum class Axis { none, x, y };

struct ButtonRow {
    uint32_t gamepad_bit;
    uint32_t remote_bit;
    bool ControllerStatus::*flag;
    bool ControllerStatus::*opposite;  // cleared by a direction
    Axis axis;
    float axis_value;
};

// Tested in this order: down wins over up and right over left.
const ButtonRow button_rows[] = {
    {VPAD_BUTTON_UP, WPAD_EXT_BUTTON_UP, &ControllerStatus::up, &ControllerStatus::down, Axis::y, 1.0f},
    {VPAD_BUTTON_DOWN, WPAD_EXT_BUTTON_DOWN, &ControllerStatus::down, &ControllerStatus::up, Axis::y, -1.0f},
    {VPAD_BUTTON_LEFT, WPAD_EXT_BUTTON_LEFT, &ControllerStatus::left, &ControllerStatus::right, Axis::x, -1.0f},
    {VPAD_BUTTON_RIGHT, WPAD_EXT_BUTTON_RIGHT, &ControllerStatus::right, &ControllerStatus::left, Axis::x, 1.0f},
    {VPAD_BUTTON_A, WPAD_EXT_BUTTON_A, &ControllerStatus::a, nullptr, Axis::none, 0.0f},
    {VPAD_BUTTON_B, WPAD_EXT_BUTTON_B, &ControllerStatus::b, nullptr, Axis::none, 0.0f},
    {VPAD_BUTTON_X, WPAD_EXT_BUTTON_X, &ControllerStatus::x, nullptr, Axis::none, 0.0f},
    {VPAD_BUTTON_Y, WPAD_EXT_BUTTON_Y, &ControllerStatus::y, nullptr, Axis::none, 0.0f},
    {VPAD_BUTTON_L, WPAD_EXT_BUTTON_L, &ControllerStatus::l, nullptr, Axis::none, 0.0f},
    {VPAD_BUTTON_ZL, WPAD_EXT_BUTTON_ZL, &ControllerStatus::zl, nullptr, Axis::none, 0.0f},
    {VPAD_BUTTON_R, WPAD_EXT_BUTTON_R, &ControllerStatus::r, nullptr, Axis::none, 0.0f},
    {VPAD_BUTTON_ZR, WPAD_EXT_BUTTON_ZR, &ControllerStatus::zr, nullptr, Axis::none, 0.0f},
    {VPAD_BUTTON_PLUS, WPAD_EXT_BUTTON_PLUS, &ControllerStatus::plus, nullptr, Axis::none, 0.0f},
    {VPAD_BUTTON_MINUS, WPAD_EXT_BUTTON_MINUS, &ControllerStatus::minus, nullptr, Axis::none, 0.0f},
    {VPAD_BUTTON_HOME, WPAD_EXT_BUTTON_HOME, &ControllerStatus::home, nullptr, Axis::none, 0.0f},
};

// Generic button numbers 0..15; null answers false.
bool ControllerStatus::* const generic_buttons[16] = {
    nullptr,                  // 0
    &ControllerStatus::b,     // 1
    &ControllerStatus::a,     // 2
    &ControllerStatus::y,     // 3
    &ControllerStatus::x,     // 4
    &ControllerStatus::minus, // 5
    nullptr,                  // 6
    &ControllerStatus::plus,  // 7
    nullptr,                  // 8
    nullptr,                  // 9
    &ControllerStatus::l,     // 10
    &ControllerStatus::r,     // 11
    &ControllerStatus::up,    // 12
    &ControllerStatus::down,  // 13
    &ControllerStatus::left,  // 14
    &ControllerStatus::right, // 15
};

struct InputState {
    ControllerStatus controller;
    float axis_x = 0.0f;
    float axis_y = 0.0f;
    KPADStatus remotes[4] = {};
    VPADStatus gamepads[2] = {};
    bool gamepad_present = false;
};

InputState input;

enum class Column { gamepad, remote };

void apply_buttons(ControllerStatus& status, uint32_t hold, Column column)
{
    for (const ButtonRow& row : button_rows) {
        if (!(hold & (column == Column::gamepad ? row.gamepad_bit : row.remote_bit)))
            continue;
        status.*row.flag = true;
        if (row.opposite)
            status.*row.opposite = false;
        if (row.axis == Axis::x)
            input.axis_x = row.axis_value;
        else if (row.axis == Axis::y)
            input.axis_y = row.axis_value;
    }
}

void read_remote(int channel, ControllerStatus& next)
{
    KPADStatus sample;
    int32_t error = KPAD_ERROR_OK;
    KPADReadEx(channel, &sample, 1, &error);
    if (error == KPAD_ERROR_NO_CONTROLLER)
        return;
    KPADStatus& stored = input.remotes[channel];
    if (error == KPAD_ERROR_OK)
        stored = sample;
    if (stored.extension_type != WPAD_EXT_CLASSIC && stored.extension_type != WPAD_EXT_PRO_CONTROLLER)
        return;
    set_stick(next, stored.ext.left_stick.x, stored.ext.left_stick.y);
    apply_buttons(next, stored.ext.hold, Column::remote);
}

// An invalid coordinate keeps the previous poll's value; so does a lifted finger.
void read_touch(const VPADStatus& stored, ControllerStatus& next)
{
    const ControllerStatus& previous = input.controller;
    // The stored sample stays raw, so a reused sample is not converted twice.
    VPADTouchData point;
    VPADGetTPCalibratedPoint(0, &point, &stored.touch);
    next.touch = point.touched == 1;
    next.touch_x = next.touch && !(point.validity & VPAD_INVALID_X) ? point.x : previous.touch_x;
    next.touch_y = next.touch && !(point.validity & VPAD_INVALID_Y) ? point.y : previous.touch_y;
}

void read_gamepad(int channel, ControllerStatus& next)
{
    VPADStatus sample;
    int32_t error = VPAD_READ_SUCCESS;
    VPADRead(channel, &sample, 1, &error);
    if (error == VPAD_READ_INVALID_CONTROLLER)
        return;
    input.gamepad_present = true;
    VPADStatus& stored = input.gamepads[channel];
    if (error == VPAD_READ_SUCCESS)
        stored = sample;
    set_stick(next, stored.left_stick.x, stored.left_stick.y);
    apply_buttons(next, stored.hold, Column::gamepad);
    read_touch(stored, next);
}

bool either_face_button_is_1()
{
    const PlatformHooks& hooks = platform_hooks();
    return hooks.either_face_button_is_1 && hooks.either_face_button_is_1();
}

// Nearest whole number, halves upward.
int round_half_up(double value)
{
    double n = std::floor(value + 0.5);
    if (value - n > 0.5)
        n += 1.0;
    return int(n);
}

}  // namespace

void platform_read_controllers()
{
    input.axis_x = 0.0f;
    input.axis_y = 0.0f;
    ControllerStatus next;
    input.gamepad_present = false;
    for (int channel = 0; channel < 4; ++channel)
        read_remote(channel, next);
    for (int channel = 0; channel < 2; ++channel)
        read_gamepad(channel, next);
    if (next.touch != input.controller.touch && platform_hooks().on_touch)
        platform_hooks().on_touch(next.touch);
    input.controller = next;
    platform_set_gamepad_present(input.gamepad_present);
}

bool is_joystick_attached(int joystick)
{
    return joystick == 1;
}

bool is_joystick_pressed(int joystick, int button)
{
    return joystick == 1 && translate_button(1, button);
}

int remap_button(int button)
{
    return button;
}

bool translate_button(int, int button)
{
    button = remap_button(button);
    const ControllerStatus& status = input.controller;
    if (button == 1 && either_face_button_is_1())
        return status.a || status.b;
    if (button < 0 || button > 15 || !generic_buttons[button])
        return false;
    return status.*generic_buttons[button];
}

float get_joystick_axis(int joystick, int axis)
{
    if (joystick != 1)
        return 0.0f;
    switch (axis) {
    case 1:
        return input.axis_x;
    case 2:
        return -input.axis_y;
    case 5:
        return input.controller.zl ? 1.0f : 0.0f;
    case 6:
        return input.controller.zr ? 1.0f : 0.0f;
    default:
        return 0.0f;
    }
}

void platform_get_mouse_pos(int* x, int* y)
{
    *x = round_half_up(input.controller.touch_x / 1280.0 * 426.0);
    *y = round_half_up(input.controller.touch_y / 720.0 * 240.0);
}

void set_stick(ControllerStatus& status, float x, float y)
{
    circle_to_square(x, y);
    input.axis_x = clamp_stick(input.axis_x + x);
    input.axis_y = clamp_stick(input.axis_y + y);
    if (x < -stick_threshold) {
        status.left = true;
        status.right = false;
    } else if (x > stick_threshold) {
        status.right = true;
        status.left = false;
    }
    if (y < -stick_threshold) {
        status.down = true;
        status.up = false;
    } else if (y > stick_threshold) {
        status.up = true;
        status.down = false;
    }
}

void circle_to_square(float& x, float& y)
{
    constexpr float pi = 3.1415927f;
    const float theta = std::atan2(y, x) + pi;
    float k;
    if (theta <= 0.7853982f || theta > 5.4977875f)
        k = 1.0f / std::cos(theta);
    else if (theta <= 2.3561945f)
        k = 1.0f / std::sin(theta);
    else if (theta <= 3.926991f)
        k = -1.0f / std::cos(theta);
    else
        k = -1.0f / std::sin(theta);
    x = x * k;
    y = y * k;
}

float clamp_stick(float value)
{
    return std::fmax(std::fmin(value, 1.0f), -1.0f);
}

const ControllerStatus& platform_controller_status()
{
    return input.controller;
}

void platform_reset_controllers()
{
    input = InputState();
}
