#include "runtime/input.h"

#include "base/saturate.h"
#include "platform/input.h"
#include "runtime/manager.h"
#include "runtime/movement.h"

#include <cmath>

// InputList ------------------------------------------------------------------

InputList::Entry* InputList::find(int code)
{
    for (int i = 0; i < count; ++i) {
        if (entries[i].code == code)
            return &entries[i];
    }
    return nullptr;
}

const InputList::Entry* InputList::find(int code) const
{
    return const_cast<InputList*>(this)->find(code);
}

void InputList::add(int code)
{
    last = code;
    if (Entry* entry = find(code)) {
        entry->state = PRESSED;
        return;
    }
    if (count < capacity)
        entries[count++] = {code, PRESSED};
}

void InputList::remove(int code)
{
    if (Entry* entry = find(code))
        entry->state = RELEASED;
}

void InputList::update()
{
    int i = 0;
    while (i < count) {
        if (entries[i].state == RELEASED) {
            // The last entry takes its place and is looked at next.
            entries[i] = entries[--count];
            continue;
        }
        entries[i].state = HOLD;
        ++i;
    }
}

bool InputList::is_pressed(int code) const
{
    const Entry* entry = find(code);
    return entry && entry->state != RELEASED;
}

bool InputList::is_pressed_once(int code) const
{
    const Entry* entry = find(code);
    return entry && entry->state == PRESSED;
}

// Queries ----------------------------------------------------------------------

bool is_key_pressed(int key)
{
    return key >= 0 && manager.keyboard.is_pressed(key);
}

bool is_key_pressed_once(int key)
{
    return key >= 0 && manager.keyboard.is_pressed_once(key);
}

bool is_mouse_pressed(int button)
{
    return button >= 0 && manager.mouse.is_pressed(button);
}

bool is_mouse_pressed_once(int button)
{
    return button >= 0 && manager.mouse.is_pressed_once(button);
}

uint32_t get_player_control_flags(int)
{
    if (manager.ignore_controls)
        return 0;
    uint32_t flags = 0;
    for (int k = 0; k < 8; ++k) {
        if (manager.keyboard.is_pressed(manager.control_keys[k]))
            flags |= 1u << k;
    }
    return flags;
}

uint32_t get_joystick_control_flags(int joystick)
{
    uint32_t flags = get_joystick_direction_flags(joystick);
    for (int n = 1; n <= 15; ++n) {
        if (is_joystick_pressed(joystick, n))
            flags |= 16u << (n - 1);
    }
    return flags;
}

bool is_player_pressed(int, uint32_t flags)
{
    if (manager.ignore_controls)
        return false;
    if (flags == 0)
        return manager.player_flags == 0;
    return (manager.player_flags & flags) == flags;
}

bool is_joystick_pressed_once(int joystick, int button)
{
    if (joystick != 1 || button < 0 || button > 15)
        return false;
    return (manager.joystick_press_flags & (8u << button)) != 0;
}

int get_joystick_direction(int joystick)
{
    const float x = get_joystick_axis(joystick, 1);
    const float y = -get_joystick_axis(joystick, 2);
    if (std::sqrt(x * x + y * y) < 0.35)
        return 8;
    const double a = std::atan2(y, x) * 57.29577951308232 / 45.0;
    int n = int(std::floor(a + 0.5));
    if (a - n > 0.5)
        n += 1;
    return n & 7;
}

uint32_t get_joystick_direction_flags(int joystick)
{
    static const uint32_t flags[9] = {8, 9, 1, 5, 4, 6, 2, 10, 0};
    return flags[get_joystick_direction(joystick)];
}

int get_joystick_dpad_degrees(int joystick)
{
    const int direction = get_movement_direction(is_joystick_pressed(joystick, 12), is_joystick_pressed(joystick, 13),
                                                 is_joystick_pressed(joystick, 14), is_joystick_pressed(joystick, 15));
    return direction < 0 ? -1 : direction / 4 * 45;
}

namespace {
int scaled_axis(int joystick, int axis, float scale)
{
    return saturate_to_int(get_joystick_axis(joystick, axis) * scale);
}
}  // namespace

int get_joystick_x(int joystick)
{
    return scaled_axis(joystick, 1, 1000.0f);
}

int get_joystick_y(int joystick)
{
    return scaled_axis(joystick, 2, 1000.0f);
}

int get_joystick_z(int joystick)
{
    return scaled_axis(joystick, 6, -1000.0f);
}
