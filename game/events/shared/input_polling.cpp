// The control bindings polled into eight slot levels every tick: which
// binding arrays are polled, the polling loop over the eight slots, and the
// merge of both arrays into InputsP1_23 A ... H.
#include "game/events/shared/binding_arrays.h"
#include "game/frames/event_support.h"
#include "game/frames/frames.h"
#include "game/objects/classes.h"
#include "platform/input.h"
#include "runtime/input.h"

#include <algorithm>
#include <cstdint>

namespace {

// The joystick number the gamepad rows read: GlobalInputData_24 A.
int joystick_number(ObjectList& global_input)
{
    return to_int(get_value(global_input, 'A'));
}

// An analog level: stick position times the row's gain, never below 0. The
// product is taken wide and held to the cell's range, so that no gain a file
// can hold wraps a push into a level of the other sign.
int axis_level(int axis, int gain)
{
    const int64_t product = int64_t(axis) * int64_t(gain);
    return int(std::clamp<int64_t>(product, 0, INT32_MAX));
}

// The level of a row that reads the raw axis value -32768: the product in
// single precision, the scaling in double, never below 0.
int fixed_axis_level(int gain)
{
    const double level = double(-32768.0f * float(gain)) / 32.767;
    return level < 0.0 ? 0 : to_int(level);
}

// The pointer level of a keyboard row: its distance past the view's
// reference line, scaled by the gain and held to 0 ... 1000.
int pointer_level(int position, int reference, double scale, int gain)
{
    return to_int(std::clamp(double(position - reference) * scale * double(gain), 0.0, 1000.0));
}

// A d-pad sector row holds for its direction and the two diagonals beside
// it; no direction (-1) holds for none.
bool in_sector(int degrees, int sector)
{
    if (degrees < 0)
        return false;
    const int apart = ((degrees - sector) % 360 + 360) % 360;
    return apart <= 45 || apart >= 315;
}

}  // namespace

// The polling loop --------------------------------------------------------------

// One slot of both arrays a pass; each step is an event of its own and tests
// its own groups.
void Frames::loop_record_inputs_0()
{
    using namespace binding_arrays;
    const int slot = fast_loop_record_inputs.index + 1;
    BindingArray keys(instances[types::MapData_27]);
    BindingArray pad(instances[types::MapData2_29]);
    const int joystick = joystick_number(instances[types::GlobalInputData_24]);
    const bool polling = global_group_11;
    const bool keyboard_rows = polling && keyboard_bindings_group;
    const bool gamepad_rows = polling && gamepad_bindings_group;

    // 46: both levels start the pass at 0.
    if (polling) {
        keys.set(slot, state, 0);
        pad.set(slot, state, 0);
    }

    // 47: a key.
    if (keyboard_rows && keys.get(slot, source) == 0 && is_key_pressed(keys.get(slot, code)))
        keys.set(slot, state, 1000);
    // 48, 49, 50: pointer buttons 1, 3 and 2 by codes 0, 1 and 2.
    if (keyboard_rows && keys.get(slot, source) == 1 && keys.get(slot, code) == 0 && is_mouse_pressed(1))
        keys.set(slot, state, 1000);
    if (keyboard_rows && keys.get(slot, source) == 1 && keys.get(slot, code) == 1 && is_mouse_pressed(3))
        keys.set(slot, state, 1000);
    if (keyboard_rows && keys.get(slot, source) == 1 && keys.get(slot, code) == 2 && is_mouse_pressed(2))
        keys.set(slot, state, 1000);
    // 51, 52: authored, but they act on nothing.
    // 53, 54: the pointer's distance right of and below the view's reference point.
    if (keyboard_rows && keys.get(slot, source) == 2)
        keys.set(slot, state, pointer_level(get_mouse_x(), 160 + new_display_x, 12.5, keys.get(slot, code)));
    if (keyboard_rows && keys.get(slot, source) == 3)
        keys.set(slot, state, pointer_level(get_mouse_y(), 112 + new_display_y, 17.86, keys.get(slot, code)));

    // 55: a button.
    if (gamepad_rows && pad.get(slot, source) == 0 && is_joystick_pressed(joystick, pad.get(slot, code)))
        pad.set(slot, state, 1000);
    event_func_56();
    event_func_57();
    event_func_58();
    event_func_59();
    // 60, 61, 62: the stick's x and y and the right trigger.
    if (gamepad_rows && pad.get(slot, source) == 2)
        pad.set(slot, state, axis_level(get_joystick_x(joystick), pad.get(slot, code)));
    if (gamepad_rows && pad.get(slot, source) == 3)
        pad.set(slot, state, axis_level(get_joystick_y(joystick), pad.get(slot, code)));
    if (gamepad_rows && pad.get(slot, source) == 4)
        pad.set(slot, state, axis_level(get_joystick_z(joystick), pad.get(slot, code)));
    // 63 ... 66: sources 5 to 8 read no input, only the bottom of a raw axis.
    for (int fixed_source = 5; fixed_source <= 8; ++fixed_source) {
        if (gamepad_rows && pad.get(slot, source) == fixed_source)
            pad.set(slot, state, fixed_axis_level(pad.get(slot, code)));
    }
}

// D-pad sector rows: right, up, left, down, each with its two diagonals.
namespace {

void dpad_sector_row(Frames& frames, int sector)
{
    using namespace binding_arrays;
    if (!frames.global_group_11 || !frames.gamepad_bindings_group)
        return;
    const int slot = frames.fast_loop_record_inputs.index + 1;
    BindingArray pad(frames.instances[types::MapData2_29]);
    if (pad.get(slot, source) != 1 || pad.get(slot, code) != sector)
        return;
    const int degrees = get_joystick_dpad_degrees(joystick_number(frames.instances[types::GlobalInputData_24]));
    if (!in_sector(degrees, sector))
        return;
    pad.set(slot, state, 1000);
}

}  // namespace

void Frames::event_func_56() { dpad_sector_row(*this, 0); }
void Frames::event_func_57() { dpad_sector_row(*this, 90); }
void Frames::event_func_58() { dpad_sector_row(*this, 180); }
void Frames::event_func_59() { dpad_sector_row(*this, 270); }

// Joystick object ----------------------------------------------------------------

void Frames::event_func_144()
{
    if (!once(once_144))
        return;
    if (!(get_value(instances[types::GlobalInputData_24], 'A') > 0))
        return;
    create_instance(*this, instances[types::Joystick2_26], create_joystick2_26(-168, -112), 0);
}

// Choice of the polled arrays ----------------------------------------------------

namespace {

// Without a gamepad only the keyboard array is polled; the gamepad's levels
// are cleared so that none stays held from before.
void poll_keyboard_only(Frames& frames)
{
    activate_group(frames.keyboard_bindings_group);
    deactivate_group(frames.gamepad_bindings_group);
    BindingArray gamepad(frames.instances[types::MapData2_29]);
    for (int slot = 1; slot <= 8; ++slot)
        gamepad.set(slot, binding_arrays::state, 0);
}

}  // namespace

void Frames::event_func_145()
{
    if (!(get_value(instances[types::GlobalInputData_24], 'A') == 0))
        return;
    if (!run_once(run_once_145, loop_count))
        return;
    poll_keyboard_only(*this);
}

void Frames::event_func_146()
{
    ObjectList& global_input = instances[types::GlobalInputData_24];
    if (!(get_value(global_input, 'A') > 0))
        return;
    if (is_joystick_attached(joystick_number(global_input)))
        return;
    if (!run_once(run_once_146, loop_count))
        return;
    poll_keyboard_only(*this);
}

void Frames::event_func_147()
{
    ObjectList& global_input = instances[types::GlobalInputData_24];
    if (!(get_value(global_input, 'A') > 0))
        return;
    if (!is_joystick_attached(joystick_number(global_input)))
        return;
    if (!run_once(run_once_147, loop_count))
        return;
    activate_group(gamepad_bindings_group);
    activate_group(keyboard_bindings_group);
}

// Polling ------------------------------------------------------------------------

void Frames::event_func_148()
{
    if (!global_group_11)
        return;
    for_each_instance(instances[types::InputsP1_23], [](FrameObject* inputs) {
        for (char value = 'A'; value <= 'H'; ++value)
            set_value(inputs, value, 0);
    });
    run_loop(fast_loop_record_inputs, 8, &Frames::loop_record_inputs_0);
}

// Merge --------------------------------------------------------------------------

void Frames::event_func_149()
{
    using namespace binding_arrays;
    if (!global_group_11)
        return;
    BindingArray keys(instances[types::MapData_27]);
    BindingArray pad(instances[types::MapData2_29]);
    for_each_instance(instances[types::InputsP1_23], [&](FrameObject* inputs) {
        for (int slot = 1; slot <= 8; ++slot)
            set_value(inputs, char('A' + slot - 1), std::max(keys.get(slot, state), pad.get(slot, state)));
    });
}
