// The debug hotkey events of frames 4, 5, 6 and 8: they stand inside the
// debug group and its hotkeys group, which no event of those frames switches
// on, so each is its two group tests and nothing more.
#include "game/frames/frames.h"

void Frames::event_func_295()
{
    if (!global_group_1)
        return;
    if (!global_group_10)
        return;
}

void Frames::event_func_296()
{
    if (!global_group_1)
        return;
    if (!global_group_10)
        return;
}

void Frames::event_func_297()
{
    if (!global_group_1)
        return;
    if (!global_group_10)
        return;
}

void Frames::event_func_298()
{
    if (!global_group_1)
        return;
    if (!global_group_10)
        return;
}

void Frames::event_func_299()
{
    if (!global_group_1)
        return;
    if (!global_group_10)
        return;
}

void Frames::event_func_300()
{
    if (!global_group_1)
        return;
    if (!global_group_10)
        return;
}

void Frames::event_func_301()
{
    if (!global_group_1)
        return;
    if (!global_group_10)
        return;
}

void Frames::event_func_302()
{
    if (!global_group_1)
        return;
    if (!global_group_10)
        return;
}
