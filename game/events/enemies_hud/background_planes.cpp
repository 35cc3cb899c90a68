// The far background planes: each drifts on its own and follows the view
// at a parallax factor set by its value C.
#include "game/frames/event_support.h"
#include "game/frames/frames.h"

void Frames::event_func_2157()
{
    if (!level_group_43)
        return;
    for_each_instance(instances[types::LevelBackgroundPlane2_352], [this](FrameObject* plane) {
        AlterableValues& values = plane->alterables->values;
        const double drift_x = values.get(0), drift_y = values.get(1), depth = values.get(2);
        const double factor = depth * 0.05 + 0.7;
        plane->set_x(to_int((new_display_x + drift_x) * factor));
        plane->set_y(to_int((new_display_y + drift_y) * factor));
        values.set(0, drift_x + 8 - 2 * depth + 4 * plane->get_direction());
        values.set(1, drift_y + 0.25);
    });
}
