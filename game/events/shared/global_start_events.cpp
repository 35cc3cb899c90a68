// The global start events that end every frame's start events: the music
// volume, the input-mapping group, and the control-binding files, with the
// default keyboard bindings when the keyboard file gives none.
#include "audio/media.h"
#include "game/events/stage_loops/music_queue.h"
#include "game/frames/event_support.h"
#include "game/frames/frames.h"
#include "runtime/values.h"
#include "game/frames/string_constants.h"
#include "objects/arrayext.h"

namespace {


ArrayObject* array_of(ObjectList& list)
{
    return static_cast<ArrayObject*>(instance_of(list));
}

// Slot 1's key or button code: 0 while the bindings are empty, and for a
// frame without the array, as a missing instance reads.
int slot_1_code(ObjectList& bindings)
{
    ArrayObject* array = array_of(bindings);
    return array ? array->get_value(1, 1, 0) : 0;
}

// Which joystick the dead-zone import reads for: 0 the keyboard, 1 the gamepad.
void set_joystick_number(ObjectList& global_input, double number)
{
    if (FrameObject* data = instance_of(global_input))
        data->alterables->values.set(0, number);
}

// The keys slots 1 to 8 read when the keyboard file binds none: the arrows,
// z, x, c and Return.
constexpr int default_keys[8] = {0x40000052, 0x40000051, 0x40000050, 0x4000004F, 'z', 'x', 'c', 13};

}  // namespace

void Frames::event_func_235()
{
    deactivate_group(global_group_11);
    media.set_channel_volume(music::channel, global_values->get(25));
}

void Frames::event_func_236()
{
    ObjectList& bindings = instances[types::MapData_27];
    if (slot_1_code(bindings) != 0)
        return;
    if (ArrayObject* array = array_of(bindings))
        array->load(string_constant(STR_CONTROL_KEYBOARD_CFG));
    set_joystick_number(instances[types::GlobalInputData_24], 0);
    run_loop(fast_loop_import_deadzones, 1, &Frames::loop_import_deadzones_0);
}

void Frames::event_func_237()
{
    ObjectList& bindings = instances[types::MapData_27];
    if (slot_1_code(bindings) != 0)
        return;
    ArrayObject* array = array_of(bindings);
    if (!array)
        return;
    for (int slot = 1; slot <= 8; ++slot)
        array->set_value(default_keys[slot - 1], slot, 1, 0);
}

void Frames::event_func_238()
{
    ObjectList& bindings = instances[types::MapData2_29];
    if (slot_1_code(bindings) != 0)
        return;
    if (ArrayObject* array = array_of(bindings))
        array->load(string_constant(STR_CONTROL_GAMEPAD_CFG));
    set_joystick_number(instances[types::GlobalInputData_24], 1);
    run_loop(fast_loop_import_deadzones, 1, &Frames::loop_import_deadzones_0);
}
