// The random states of the generated object classes. Each seed group is one
// state (0 at start, never reseeded, carried across frames) that every draw
// of its members steps: a class draws from the group of its number's range
// (objects1 for 0-103 ... objects5 for 404-462), and the four record counters
// of the records card share a state that nothing else uses.
#pragma once

#include <cstdint>
#include <initializer_list>

struct RandomState {
    uint32_t seed = 0;

    // One step: r in 0..32767.
    unsigned step();
    // A direction from all 32: bits 26-30 of the new seed.
    int direction();
    // One of the values, as pick_random draws it: (count * r) >> 15.
    int pick(std::initializer_list<int> values);
};

namespace seed_groups {
extern RandomState objects1;  // classes 0-103
extern RandomState objects2;  // classes 104-203
extern RandomState objects3;  // classes 204-303
extern RandomState objects4;  // classes 304-403
extern RandomState objects5;  // classes 404-462
extern RandomState record_counters;
}  // namespace seed_groups

// The classes' states above as a fresh process has them: all 0.
void reset_class_seed_groups();
