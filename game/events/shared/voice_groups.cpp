// Voice-group selection: while the voice sets are on (global value 23 is
// 1), the group of the character being played is switched on and the other
// four off, once each time the character's condition becomes true; while
// they are off, every voice group goes off.
#include "game/events/shared/voices.h"
#include "runtime/values.h"

namespace {

// The voice sets are on only once value 23 has been stored and is exactly 1.
bool voice_sets_on(const Frames& frames)
{
    return frames.global_values->size() >= 24 && frames.global_values->get(23) == 1.0;
}

void select_only(Frames& f, bool& chosen)
{
    activate_group(chosen);
    for (bool* other : {&f.global_group_12, &f.global_group_9, &f.global_group_6, &f.global_group_5,
                        &f.global_group_13})
        if (other != &chosen)
            deactivate_group(*other);
}

}  // namespace

void Frames::event_func_290()
{
    if (!voice_sets_on(*this) || voices::character_id(*this) != 0.0)
        return;
    if (!run_once(run_once_290, loop_count))
        return;
    select_only(*this, global_group_12);
}

void Frames::event_func_291()
{
    if (!voice_sets_on(*this) || voices::character_id(*this) != 1.0)
        return;
    if (!run_once(run_once_291, loop_count))
        return;
    select_only(*this, global_group_9);
}

// Pimsa speaks with one voice on foot and on the bike.
void Frames::event_func_292()
{
    const double id = voices::character_id(*this);
    if (!voice_sets_on(*this) || id < 2.0 || id > 3.0)
        return;
    if (!run_once(run_once_292, loop_count))
        return;
    select_only(*this, global_group_6);
}

void Frames::event_func_293()
{
    if (!voice_sets_on(*this) || voices::character_id(*this) != 4.0)
        return;
    if (!run_once(run_once_293, loop_count))
        return;
    select_only(*this, global_group_5);
}

void Frames::event_func_294()
{
    if (!voice_sets_on(*this) || voices::character_id(*this) != 5.0)
        return;
    if (!run_once(run_once_294, loop_count))
        return;
    select_only(*this, global_group_13);
}

// Voice sets switched off: every voice group goes off, on the first tick of
// that only, so a group switched on later in the same run stays on.
void Frames::event_func_219()
{
    if (global_values->get(23) != 0)
        return;
    if (!run_once(run_once_219, loop_count))
        return;
    deactivate_group(global_group_12);
    deactivate_group(global_group_9);
    deactivate_group(global_group_6);
    deactivate_group(global_group_5);
    deactivate_group(global_group_13);
}
