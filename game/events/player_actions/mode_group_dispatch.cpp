// The second half of the movement-mode switch: with every mode group off,
// the group of the current mode comes on; modes 20 and 21 have one group
// per character. A mode without a group here leaves them all off.
#include "game/frames/event_support.h"
#include "game/frames/frames.h"

namespace {

ObjectList& movement(Frames& f) { return f.instances[types::PlayerMovementValues_80]; }
ObjectList& actions_b(Frames& f) { return f.instances[types::PlayerActionValuesB_164]; }

bool dispatching(const Frames& frames) { return frames.level_group_43 && frames.level_group_23; }

bool mode_is(Frames& frames, double mode) { return get_value(movement(frames), 'M') == mode; }

double character(Frames& frames) { return get_value(movement(frames), 'A'); }

}  // namespace

void Frames::event_func_757()
{
    if (dispatching(*this) && mode_is(*this, 20) && character(*this) == 1)
        activate_group(level_group_71);
}

void Frames::event_func_758()
{
    if (dispatching(*this) && mode_is(*this, 20) && character(*this) >= 2 && character(*this) <= 3)
        activate_group(level_group_54);
}

void Frames::event_func_759()
{
    if (dispatching(*this) && mode_is(*this, 20) && character(*this) == 4)
        activate_group(level_group_11);
}

void Frames::event_func_760()
{
    if (dispatching(*this) && mode_is(*this, 21) && character(*this) == 0)
        activate_group(level_group_64);
}

void Frames::event_func_761()
{
    if (dispatching(*this) && mode_is(*this, 21) && character(*this) == 1)
        activate_group(level_group_48);
}

void Frames::event_func_762()
{
    if (dispatching(*this) && mode_is(*this, 22))
        activate_group(level_group_70);
}

void Frames::event_func_763()
{
    if (dispatching(*this) && mode_is(*this, 25))
        activate_group(level_group_49);
}

void Frames::event_func_764()
{
    if (dispatching(*this) && mode_is(*this, 26))
        activate_group(level_group_65);
}

void Frames::event_func_765()
{
    if (dispatching(*this) && mode_is(*this, 27))
        activate_group(level_group_26);
}

void Frames::event_func_766()
{
    if (dispatching(*this) && mode_is(*this, 28))
        activate_group(level_group_36);
}

void Frames::event_func_767()
{
    if (dispatching(*this) && mode_is(*this, 30))
        activate_group(level_group_66);
}

void Frames::event_func_768()
{
    if (dispatching(*this) && mode_is(*this, 31))
        activate_group(level_group_5);
}

void Frames::event_func_769()
{
    if (dispatching(*this) && mode_is(*this, 32))
        activate_group(level_group_13);
}

void Frames::event_func_770()
{
    if (dispatching(*this) && mode_is(*this, 37))
        activate_group(level_group_45);
}

void Frames::event_func_771()
{
    if (dispatching(*this) && mode_is(*this, 38))
        activate_group(level_group_18);
}

void Frames::event_func_772()
{
    if (dispatching(*this) && mode_is(*this, 39))
        activate_group(level_group_74);
}

void Frames::event_func_773()
{
    if (dispatching(*this) && mode_is(*this, 40))
        activate_group(level_group_30);
}

void Frames::event_func_774()
{
    if (!dispatching(*this) || !(mode_is(*this, 41)))
        return;
    activate_group(level_group_27);
    set_value(movement(*this), 'Z', 0);
}

void Frames::event_func_775()
{
    if (!dispatching(*this) || !(mode_is(*this, 42)))
        return;
    activate_group(level_group_12);
    set_value(movement(*this), 'Z', 1);
}

void Frames::event_func_776()
{
    if (dispatching(*this) && mode_is(*this, 43))
        activate_group(level_group_53);
}

void Frames::event_func_777()
{
    if (dispatching(*this) && mode_is(*this, 44))
        activate_group(level_group_55);
}

void Frames::event_func_778()
{
    if (dispatching(*this) && mode_is(*this, 45))
        activate_group(level_group_29);
}

void Frames::event_func_779()
{
    if (!dispatching(*this) || !(mode_is(*this, 46)))
        return;
    activate_group(level_group_47);
    set_value(actions_b(*this), 'O', 0);
}

void Frames::event_func_780()
{
    if (dispatching(*this) && mode_is(*this, 47))
        activate_group(level_group_15);
}

void Frames::event_func_781()
{
    if (dispatching(*this) && mode_is(*this, 48))
        activate_group(level_group_67);
}

void Frames::event_func_782()
{
    if (dispatching(*this) && mode_is(*this, 50))
        activate_group(level_group_17);
}
