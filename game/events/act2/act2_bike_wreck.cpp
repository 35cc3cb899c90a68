// A bike left behind by Pimsa blows up, in each group that can wreck one;
// act 2 scatters its debris with its own debris loop.
#include "game/events/move_sets/motorbike.h"

namespace {

bool engine_on(const Frames& f) { return f.level_group_43 && f.level_group_23; }

}  // namespace

void Frames::event_func_2258()
{
    if (engine_on(*this) && level_group_69)
        motorbike::wreck_flagged_bikes(*this, &Frames::loop_spawndebris_5);
}

void Frames::event_func_2259()
{
    if (engine_on(*this) && level_group_62)
        motorbike::wreck_flagged_bikes(*this, &Frames::loop_spawndebris_5);
}

void Frames::event_func_2260()
{
    if (engine_on(*this) && level_group_73)
        motorbike::wreck_flagged_bikes(*this, &Frames::loop_spawndebris_5);
}
