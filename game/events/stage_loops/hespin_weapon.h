// What Hespin's weapon events share: the groups they run in and the save
// array's record of the weapon in each slot.
#pragma once

#include "game/frames/event_support.h"
#include "game/frames/frames.h"
#include "objects/arrayext.h"

namespace hespin {

// The gameplay and player engine groups, Hespin's move set and weapon.
inline bool armed(const Frames& f)
{
    return f.level_group_43 && f.level_group_23 && f.level_group_61 && f.level_group_22;
}

// A value of the save array's first column (rows from 1); 0 without the array.
inline int saved(Frames& f, int y)
{
    auto* save = static_cast<ArrayObject*>(instance_of(f.instances[types::SaveData_10]));
    return save ? save->get_value(1, y, -1) : 0;
}

}  // namespace hespin
