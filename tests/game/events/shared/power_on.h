// The kept arrays and values as a fresh run of the game finds them: the
// event tests of one process otherwise see what an earlier test left there.
#pragma once

#include "game/objects/classes.h"

inline void forget_kept_bindings_and_records()
{
    class_records::array_27 = SavedArrayData{};
    class_records::array_29 = SavedArrayData{};
    class_records::array_33 = SavedArrayData{};
    class_records::alterables_24 = SavedAlterables{};
}
