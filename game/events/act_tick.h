// What the two acts' tick handlers share: their main gameplay blocks as
// data (generated from act<N>_tick_runs.tsv into act<N>_tick_runs.inc), the
// calls they make, the block of shared events that ends their ticks, the
// background tests of their collision passes, and the hook through which a
// test sees the calls a handler makes.
#pragma once

#include "game/frames/frames.h"

#include <cstdint>
#include <functional>
#include <span>
#include <string_view>

using FramesEvent = void (Frames::*)();

// One call of the handler: the event's number and the member that holds it.
struct TickEvent {
    int number;
    FramesEvent function;
};

// Events run under group flags, tested outermost first before the run.
struct TickRun {
    std::span<bool Frames::* const> groups;
    std::span<const TickEvent> events;
};

// Test hook: while set, the act handlers hand each call they would make to
// the recorder instead of making it: an event by its number ("594"), the
// collision pass as "test_collisions_4", a piece of the shared block by its
// name ("shared_binding_events", ...). The group tests around the calls
// still read the flags. An empty recorder ends the recording.
using TickRecorder = std::function<void(std::string_view call)>;
void set_act_tick_recorder(TickRecorder recorder);

namespace act_tick {

bool recording();
// Makes the call, or records it.
void call(Frames& frames, const TickEvent& event);
void call_piece(Frames& frames, std::string_view name, FramesEvent piece);
void call_all(Frames& frames, std::span<const TickEvent> events);
// Each run whose groups are all on.
void run_level_runs(Frames& frames, std::span<const TickRun> runs);
// The moves and sensors both acts run first, ahead of their own events.
void run_moves_ahead(Frames& frames);
// The shared events that end an act's tick: bindings, input values, voice
// groups, the debug groups' events, the window keys, then 2179 and the
// game-over check.
void run_shared_block(Frames& frames);

// The collision-event bit a pair test owns on one side.
constexpr int bit(int n) { return int(uint32_t(1) << n); }

inline Frame::CollisionCallback callback(FramesEvent member)
{
    return static_cast<Frame::CollisionCallback>(member);
}

// A background test of a collision pass: each instance's contact with the
// background counts once, when it begins; the event finds the instance as
// side A.
void test_background(Frames& frames, ObjectList& list, FramesEvent on_contact);
// The same with an event written out in the pass.
void test_background(Frames& frames, ObjectList& list, void (*on_contact)(Frames&));

}  // namespace act_tick
