// What the player's test stages share: act 1's events by number in the
// order its tick handler calls them, the controls written straight into
// PlayerInput, the sounds and seeded draws a tick leaves, and act 1 itself
// started with the player in control.
#pragma once

#include "game/events/act_tick.h"
#include "tests/support/event_kit.h"

#include <initializer_list>
#include <vector>

namespace player_stage {

// Act 1's level events numbered `first` ... `last` in the order its tick
// handler calls them (one it calls twice comes twice), without the groups
// it tests around them; the events it runs ahead of all others are not
// among them.
std::vector<FramesEvent> act1_events(int first, int last);

// The same run as the handler runs them: each under the groups of its run,
// tested as it comes up.
void run_act1_events(Frames& frames, int first, int last);

// The lists joined, in order.
std::vector<FramesEvent> joined(std::initializer_list<std::vector<FramesEvent>> lists);

void run_events(Frames& frames, const std::vector<FramesEvent>& events);

// The controls of the next ticks, by PlayerInput's letters (A-D up, down,
// left, right held; E jump held; K jump, L attack, O special pressed):
// these on, the rest off.
void set_controls(EventKit& kit, const std::vector<char>& on);

// The sample ids started since the last call.
std::vector<unsigned> sound_ids(EventKit& kit);

// The next draws below each n of the event's seed group, in order, left
// for the event; or `count` draws below one n.
std::vector<int> next_draws(int event, std::initializer_list<int> ns);
std::vector<int> next_draws(int event, int n, int count);

// Ticks run until `done` holds, at most `limit`.
template <class Done>
int ticks_until(EventKit& kit, Done done, int limit = 600)
{
    int ticks = 0;
    while (!done() && ticks < limit) {
        kit.run(1);
        ++ticks;
    }
    return ticks;
}

// Act 1 runs until its opening card has handed over control (PlayerInput's
// M back at 0), at most 600 ticks.
void run_until_in_control(EventKit& kit);

// Act 1 entered and run until the player is in control, then `settle`
// ticks standing still; the sounds so far taken.
void start_act1_in_control(EventKit& kit, int settle = 60);

}  // namespace player_stage
