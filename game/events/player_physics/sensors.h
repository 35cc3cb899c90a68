// What the sensor and push-out loops share: the groups every one of their
// events tests, the player's value object and the turned frame's cosine and
// sine, with the exact zeros that keep walls and ceilings on whole pixels.
#pragma once

#include "game/frames/event_support.h"
#include "game/frames/frames.h"

#include <cmath>

namespace player_sensors {

constexpr double degrees_per_radian = 57.29577951308232;

// The player engine's groups, outermost first.
inline bool engine_on(const Frames& frames)
{
    return frames.level_group_43 && frames.level_group_23 && frames.level_group_19;
}

// Reads of the player's values; a missing object reads as the default one.
inline const FrameObject& movement(Frames& frames)
{
    return instance_or_default(frames.instances[types::PlayerMovementValues_80]);
}
inline double movement_value(Frames& frames, char name) { return get_value(movement(frames), name); }
// Writes skip a missing object.
inline void set_movement_value(Frames& frames, char name, double number)
{
    set_value(instance_of(frames.instances[types::PlayerMovementValues_80]), name, number);
}

inline double turned_cos(double degrees)
{
    if (degrees == 90.0 || degrees == 270.0)
        return 0.0;
    return std::cos(degrees / degrees_per_radian);
}

inline double turned_sin(double degrees)
{
    if (degrees == 180.0)
        return 0.0;
    return std::sin(degrees / degrees_per_radian);
}

// True when some instance of the sensor holds `value` in its hit flag Z.
inline bool sensor_flag_is(Frames& frames, int sensor_type, double value)
{
    return select(frames.instances[sensor_type], [&](FrameObject* s) { return get_value(*s, 'Z') == value; });
}

}  // namespace player_sensors
