// The event index as data: a row per event of the game (generated from
// game/events/event_index.tsv), and the random states the events draw from.
#pragma once

#include "game/objects/random_groups.h"

struct EventIndexRow {
    int event;
    const char* function;  // the Frames member that holds the event
    const char* file;      // below game/events/
    const char* frames;    // the frame numbers that run it
    int seed_group;
    bool built;
};

extern const EventIndexRow event_index[];
extern const int event_index_size;

// The row of an event number; null when the index has none.
const EventIndexRow* find_event(int event);

extern const int seed_group_count;
RandomState& seed_group_state(int group);
const char* seed_group_name(int group);

// The random state an event draws from: its seed group's. An event the
// index does not list draws from a state of its own and is reported once.
RandomState& event_random_state(int event);

// Every seed group's state, the unlisted events' too, as a fresh process
// has it: 0, and the unlisted report not yet made.
void reset_event_seed_groups();
