// Act 2's own events of two shared enemies. The ZemmetJr shares its list
// with act 1's, and act 2 lifts it out of the floor and blasts it as act 1
// does; the Pokkol bursts as in act 1 but into act 2's debris.
#include "game/events/enemies_hud/pokkol.h"

void Frames::event_func_2311()
{
    if (level_group_43)
        burst_landed_pokkols(*this, &Frames::loop_spawndebris_5);
}

void Frames::event_func_2312() { event_func_1943(); }

void Frames::event_func_2313() { event_func_1956(); }
