// What the Continue? frame's events share: the object types they work on
// and the fades they compute.
#pragma once

#include "game/events/stage_loops/music_queue.h"
#include "game/frames/event_support.h"
#include "graphics/color.h"
#include "runtime/frame.h"
#include "runtime/frameobject.h"

#include <initializer_list>

namespace continue_frame {

// Global values the frame reads.
constexpr unsigned global_character = 1, global_ticks = 3, global_lives = 8, global_view_width = 16,
                   global_view_step = 19;

// The channel of the last crystal's voice.
constexpr unsigned voice_channel = 29;

// The characters by global value 1.
constexpr int yelto_id = 0, orrun_id = 1, pimsa_id = 2, dorrik_id = 4;

// One step more transparent.
inline void fade_step(FrameObject& object) { set_semi_transparency(object, semi_transparency(object) + 1); }

// The floor light's values carry the continue sequence: A the horizontal
// speed, B the vertical one, C the stage. A missing light reads as a fresh
// object and takes no writes.
inline double light(Frame& frame, char value) { return get_value(frame.instances[types::FloorLight_422], value); }

inline void set_light(Frame& frame, char value, double number)
{
    set_value(frame.instances[types::FloorLight_422], value, number);
}

// An action on every instance of each type, type after type.
template <class Action>
void for_each_of(Frame& frame, std::initializer_list<int> types, Action action)
{
    for (int type : types)
        for_each_instance(frame.instances[type], action);
}

}  // namespace continue_frame
