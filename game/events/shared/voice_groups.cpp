// The character voice groups: at most one is on, the current character's,
// while the voice sets are switched on (global value 23 = 1).
#include "game/frames/event_support.h"
#include "game/frames/frames.h"
#include "runtime/values.h"

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
