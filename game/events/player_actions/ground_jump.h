// The jump that the ground, pose, skid, roll and wall-push groups share.
#pragma once

class Frames;

// Takes off across the ground the player stands on: the jump speed along
// the ground's normal and the speed along the ground, both turned by the
// ground angle (exact zeros at 90, 180 and 270); the player is airborne
// (mode 1) on level ground, with the jump-release cap armed. The caller
// adds its own extras and the jump sound.
void jump_across_ground(Frames& frames);

// The jump's sound and burst: the loop "sound_jump" once.
void run_jump_sound(Frames& frames);
