// The player engine's support objects by type id, and reading and writing
// their alterable values by letter. A single-instance type that has no
// instance reads as the runtime's default object and takes no writes.
#pragma once

#include "game/frames/event_support.h"
#include "game/frames/frames.h"
#include "runtime/frameobject.h"
#include "runtime/values.h"

namespace player_engine {

inline double get(const FrameObject& object, char name) { return get_value(object, name); }
inline void put(FrameObject* object, char name, double number) { set_value(object, name, number); }

inline void put_string(FrameObject* object, unsigned index, const char* text)
{
    if (object && object->alterables)
        object->alterables->strings.get(index) = text;
}

inline void set_flag_0(FrameObject* object, bool on)
{
    if (!object || !object->alterables)
        return;
    if (on)
        object->alterables->flags |= 1;
    else
        object->alterables->flags &= ~int32_t(1);
}

// A value of a single-instance type, or the default object's.
inline double read(Frames& frames, int type, char name)
{
    return get(instance_or_default(frames.instances[type]), name);
}

inline void write(Frames& frames, int type, char name, double number)
{
    put(instance_of(frames.instances[type]), name, number);
}

}  // namespace player_engine
