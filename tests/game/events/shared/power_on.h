// The kept arrays and values as a fresh run of the game finds them: the
// event tests of one process otherwise see what an earlier test left there.
#pragma once

#include "game/frames/event_index.h"
#include "game/objects/classes.h"
#include "game/objects/random_groups.h"

inline void forget_kept_bindings_and_records()
{
    class_records::array_27 = SavedArrayData{};
    class_records::array_29 = SavedArrayData{};
    class_records::array_33 = SavedArrayData{};
    class_records::alterables_24 = SavedAlterables{};
}

// Every random state the game draws from, as a fresh run finds it.
inline void forget_random_states()
{
    for (RandomState* state : {&seed_groups::objects1, &seed_groups::objects2, &seed_groups::objects3,
                               &seed_groups::objects4, &seed_groups::objects5,
                               &seed_groups::record_counters})
        *state = RandomState{};
    for (int group = 0; group < seed_group_count; ++group)
        seed_group_state(group) = RandomState{};
}
