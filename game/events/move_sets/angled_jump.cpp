#include "game/events/move_sets/angled_jump.h"

#include "game/frames/event_support.h"
#include "game/frames/frames.h"

void angled_jump(Frames& frames, double lift)
{
    ObjectList& player = frames.instances[types::PlayerMovementValues_80];
    ObjectList& actions = frames.instances[types::PlayerActionValuesA_86];
    const double angle = get_value(player, 'N');
    const double c = event_cos(angle), s = event_sin(angle);
    const double strength = get_value(actions, 'A');
    const double along = get_value(player, 'B');
    set_value(player, 'G', lift * c * strength - s * along);
    set_value(player, 'B', s * strength + c * along);
    set_value(player, 'L', 0);
    set_value(player, 'N', 0);
    set_value(actions, 'C', 1);
}
