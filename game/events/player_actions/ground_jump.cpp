#include "game/events/player_actions/ground_jump.h"

#include "game/frames/event_support.h"
#include "game/frames/frames.h"

void jump_across_ground(Frames& frames)
{
    ObjectList& player = frames.instances[types::PlayerMovementValues_80];
    const double angle = get_value(player, 'N');
    const double s = event_sin(angle), c = event_cos(angle);
    const double jump = get_value(frames.instances[types::PlayerActionValuesA_86], 'A');
    const double along = get_value(player, 'B');
    set_value(player, 'G', c * jump - s * along);
    set_value(player, 'L', 0);
    set_value(player, 'M', 1);
    set_value(player, 'B', s * jump + c * along);
    set_value(player, 'N', 0);
    set_value(frames.instances[types::PlayerActionValuesA_86], 'C', 1);
}

void run_jump_sound(Frames& frames)
{
    frames.run_loop(frames.fast_loop_sound_jump, 1, &Frames::loop_sound_jump_4);
}
