// The gamepad array's dead zone copied into GlobalInputData_24, where the
// every-frame input events compare stick pushes with it.
#include "game/events/shared/binding_arrays.h"
#include "game/frames/event_support.h"
#include "game/frames/frames.h"

#include <algorithm>

// Event 32 is the whole body: all eight dead zones take the array's one
// percentage, at least 1 percent.
void Frames::loop_import_deadzones_0()
{
    using namespace binding_arrays;
    for (unsigned value = 4; value <= 11; ++value) {
        const int percent = std::max(BindingArray(instances[types::MapData2_29]).get(dead_zone_x, dead_zone_y), 1);
        FrameObject* global_input = instance_of(instances[types::GlobalInputData_24]);
        if (global_input)
            global_input->alterables->values.set(value, double(percent) / 100.0);
    }
}
