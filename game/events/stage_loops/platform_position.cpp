// Moving platforms keep their path in fractional values (M, N); once a tick
// their pixel position follows, rounded down.
#include "game/frames/event_support.h"
#include "game/frames/frames.h"

#include <cmath>

void Frames::loop_plaftorms_updateposition_4()
{
    if (!level_group_43)
        return;
    for_each_instance(qualifier_7, [](FrameObject* platform) {
        platform->set_x(to_int(std::floor(get_value(*platform, 'M'))));
        platform->set_y(to_int(std::floor(get_value(*platform, 'N'))));
    });
}
