// The jumps off the ground that the player's groups and move sets share.
#pragma once

class Frames;

// Takes off across the ground the player stands on: the jump strength
// along the ground's normal, its vertical part scaled by `lift` (1 for a
// full jump), and the speed along the ground, both turned by the ground
// angle (exact zeros at 90, 180 and 270). The player is airborne, the
// angle cleared and the jump-release cap armed; the movement mode stays,
// as several moves launch the player with it.
void launch_across_ground(Frames& frames, double lift = 1);

// The ground, pose, skid, roll and wall-push groups' jump: the launch,
// airborne in mode 1. The caller adds its own extras and the jump sound.
void jump_across_ground(Frames& frames);

// The jump's sound and burst: the loop "sound_jump" once.
void run_jump_sound(Frames& frames);
