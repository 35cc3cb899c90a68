// What the sensor and push-out loops share: the groups every one of their
// events tests and the sensors' hit flags. The turned frame's cosine and sine
// are the conventions' event_cos and event_sin, whose exact zeros keep walls
// and ceilings on whole pixels.
#pragma once

#include "game/frames/event_support.h"
#include "game/frames/frames.h"

namespace player_sensors {

// The player engine's groups, outermost first.
inline bool engine_on(const Frames& frames)
{
    return frames.level_group_43 && frames.level_group_23 && frames.level_group_19;
}

// True when some instance of the sensor holds `value` in its hit flag Z.
inline bool sensor_flag_is(Frames& frames, int sensor_type, double value)
{
    return select(frames.instances[sensor_type], [&](FrameObject* s) { return get_value(*s, 'Z') == value; });
}

}  // namespace player_sensors
