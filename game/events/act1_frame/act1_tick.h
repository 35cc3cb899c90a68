// Act 1's tick handler where it is regular data: the runs of its main
// gameplay block (generated from act1_tick_runs.tsv into
// act1_tick_runs.inc), and the hook through which a test sees the calls
// the handler makes.
#pragma once

#include "game/frames/frames.h"

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

// Test hook: while set, the act 1 handler hands each call it would make to
// the recorder instead of making it: an event by its number ("594"), the
// collision pass as "test_collisions_4", a piece of the shared block by its
// name ("shared_binding_events", ...). The group tests around the calls
// still read the flags. An empty recorder ends the recording.
using TickRecorder = std::function<void(std::string_view call)>;
void set_act1_tick_recorder(TickRecorder recorder);
