#include "game/events/player_actions/ground_jump.h"

#include "game/frames/event_support.h"
#include "game/frames/frames.h"

void launch_across_ground(Frames& frames, double lift)
{
    ObjectList& player = frames.instances[types::PlayerMovementValues_80];
    ObjectList& actions = frames.instances[types::PlayerActionValuesA_86];
    const double angle = get_value(player, 'N');
    const double s = event_sin(angle), c = event_cos(angle);
    const double jump = get_value(actions, 'A');
    const double along = get_value(player, 'B');
    set_value(player, 'G', lift * c * jump - s * along);
    set_value(player, 'B', s * jump + c * along);
    set_value(player, 'L', 0);
    set_value(player, 'N', 0);
    set_value(actions, 'C', 1);
}

void jump_across_ground(Frames& frames)
{
    launch_across_ground(frames);
    set_value(frames.instances[types::PlayerMovementValues_80], 'M', 1);
}

void run_jump_sound(Frames& frames)
{
    frames.run_loop(frames.fast_loop_sound_jump, 1, &Frames::loop_sound_jump_4);
}
