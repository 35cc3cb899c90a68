// What the spring, hurt, timed-state and death events share: the player's
// support objects and the types they touch, by type id, and value reads and
// writes on single-instance objects (a missing instance reads as the default
// object and takes no writes).
#pragma once

#include "game/frames/event_support.h"
#include "game/frames/frames.h"
#include "objects/arrayext.h"
#include "runtime/frameobject.h"
#include "runtime/layer.h"

#include <cstdint>
#include <string>

namespace hurt {

// The camera mode while the player is hurt or dead.
constexpr double camera_hurt = 6;
// Movement modes: knock-back, dead, the second death, spring flight.
constexpr double mode_knock_back = 8, mode_dead = 9, mode_second_death = 10, mode_spring = 40;

inline double get(const FrameObject& object, char name) { return get_value(object, name); }
inline void put(FrameObject* object, char name, double number) { set_value(object, name, number); }

inline void add(FrameObject* object, char name, double delta)
{
    if (object)
        put(object, name, get(*object, name) + delta);
}

inline bool flag(const FrameObject& object, int bit) { return get_flag(object, bit); }

// A value of the single instance of `type` (the default object's when none).
inline double read(Frames& frames, int type, char name) { return get(instance_or_default(frames.instances[type]), name); }

inline void write(Frames& frames, int type, char name, double number)
{
    put(instance_of(frames.instances[type]), name, number);
}

inline void change(Frames& frames, int type, char name, double delta)
{
    add(instance_of(frames.instances[type]), name, delta);
}

// A condition on the single instance of `type`: fails when there is none.
template <class Test>
bool holds(Frames& frames, int type, Test test)
{
    const FrameObject* object = instance_of(frames.instances[type]);
    return object && object->alterables && test(*object);
}

inline int layer_index(const FrameObject& object) { return object.layer ? object.layer->index : 0; }

// Writes a music call for the dispatcher at the call list's write position,
// which then moves past it.
inline void queue_music_call(Frames& frames, const std::string& call)
{
    for_each_instance(frames.instances[types::FunctionMusic_50], [&call](FrameObject* object) {
        auto* calls = static_cast<ArrayObject*>(object);
        calls->set_string(call, -1, -1, -1);
        ++calls->data.current_x;
    });
}

}  // namespace hurt
