// The stage's music goes through a queue of call texts: events append calls
// to the call list, and once per tick the music driver takes every pending
// call in the order written. The channel, the call list's cursor and the
// writer every event shares.
#pragma once

#include "game/frames/event_support.h"
#include "game/frames/frames.h"
#include "game/frames/string_constants.h"
#include "game/objects/type_ids.h"
#include "objects/arrayext.h"

#include <string>

namespace music {

// Carries the music and nothing else; the act locks it against samples.
constexpr unsigned channel = 31;

// An array's cursor: for the call list the number of calls written and not
// yet taken, for the stack of suspended tracks its number of entries; in
// both the column the next write goes to.
inline int& cursor(FrameObject* array) { return static_cast<ArrayObject*>(array)->data.current_x; }

// Appends a call behind the pending ones of one call list.
inline void write_call(FrameObject* calls, const std::string& call)
{
    static_cast<ArrayObject*>(calls)->set_string(call, -1, -1, -1);
    ++cursor(calls);
}

// Appends a call to every call list.
inline void write_call(Frames& frames, const std::string& call)
{
    for_each_instance(frames.instances[types::FunctionMusic_50],
                      [&call](FrameObject* calls) { write_call(calls, call); });
}

// A track loop: no loop points, the file on the music channel with the loop
// count the play or resume command left.
void play_track(Frames& frames, StringConstant path);

// The music volume setting, 0 to 100; 0 while never stored.
inline double music_volume(const Frames& frames) { return frames.global_values->get(25); }

}  // namespace music
