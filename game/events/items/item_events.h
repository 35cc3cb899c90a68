// Reads the item, shield and hazard events share: the instance a value is
// read from after a condition, and an active's animation frame.
#pragma once

#include "game/frames/event_support.h"
#include "objects/active.h"

// The first instance of the selection chain, else the newest instance, else
// the runtime's default instance (whose values read 0).
inline const FrameObject& selected_or_default(ObjectList& list)
{
    const FrameObject* first = list.back_selection();
    return first ? *first : instance_or_default(list);
}

// The same over an object group: its first member list with a selection,
// else the first member's newest instance.
inline const FrameObject& selected_or_default(QualifierList& group)
{
    static ObjectList none;
    const FrameObject* first = group.back_selection();
    return first ? *first : instance_or_default(none);
}

inline int frame_of(const FrameObject* object) { return static_cast<const Active*>(object)->get_frame(); }
