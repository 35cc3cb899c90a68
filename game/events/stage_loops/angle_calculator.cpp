// The angle calculator: the direction of the vector (-A, B) of the group
// controller, with y growing downwards, as degrees from 0 to 360 in C. The
// player engine measures the slope under the player with it.
#include "game/frames/event_support.h"
#include "game/frames/frames.h"
#include "game/objects/type_ids.h"

#include <cmath>

void Frames::loop_toolsanglecalculator_4()
{
    if (!level_group_43)
        return;
    FrameObject* vector = instance_of(instances[types::MasterGroupsA_83]);
    if (!vector)
        return;
    const double a = get_value(*vector, 'A');
    const double b = get_value(*vector, 'B');
    // A vertical vector takes atan(0): its quadrant comes from the steps below.
    double c = -std::atan(a != 0 ? b / a : 0.0) * 57.29577951308232;
    if (c < 0)
        c += 180;
    if (b < 0)
        c += 180;
    if (c == 0 && a > 0)
        c = 180;
    if (c == 0 && b > 0)
        c = 90;
    if (c == 180 && b < 0)
        c = 270;
    set_value(vector, 'C', c);
}
