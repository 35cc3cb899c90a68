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

// Alterable values by letter.
constexpr unsigned value_a = 0, value_b = 1, value_c = 2, value_d = 3, value_e = 4, value_f = 5,
                   value_g = 6, value_h = 7, value_j = 9, value_k = 10, value_l = 11, value_p = 15,
                   value_q = 16;

// Global values the frame reads.
constexpr unsigned global_character = 1, global_ticks = 3, global_lives = 8, global_view_width = 16,
                   global_view_step = 19;

// The channel of the last crystal's voice.
constexpr unsigned voice_channel = 29;

// The characters by global value 1.
constexpr int yelto_id = 0, orrun_id = 1, pimsa_id = 2, dorrik_id = 4;

inline double get(const FrameObject& object, unsigned value) { return object.alterables->values.get(value); }
inline void put(FrameObject& object, unsigned value, double number) { object.alterables->values.set(value, number); }

// A semi-transparency 0 ... 128 as the blend colour's alpha (0 opaque).
inline uint8_t alpha_of(int semi_transparency)
{
    return clamp_color_component(256 - 2 * semi_transparency);
}

// The semi-transparency an alpha stands for.
inline int semi_transparency_of(uint8_t alpha)
{
    return alpha == 255 ? 0 : 128 - alpha / 2;
}

// One step more transparent.
inline void fade_step(FrameObject& object)
{
    object.blend_color.a = alpha_of(semi_transparency_of(object.blend_color.a) + 1);
}

// The floor light's values carry the continue sequence: A the horizontal
// speed, B the vertical one, C the stage. A missing light reads as a fresh
// object and takes no writes.
inline double light(Frame& frame, unsigned value)
{
    return get(instance_or_default(frame.instances[types::FloorLight_422]), value);
}

inline void set_light(Frame& frame, unsigned value, double number)
{
    if (FrameObject* object = instance_of(frame.instances[types::FloorLight_422]))
        put(*object, value, number);
}

// An action on every instance of each type, type after type.
template <class Action>
void for_each_of(Frame& frame, std::initializer_list<int> types, Action action)
{
    for (int type : types)
        for_each_instance(frame.instances[type], action);
}

}  // namespace continue_frame
