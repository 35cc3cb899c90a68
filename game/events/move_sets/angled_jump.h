// The jump that several moves launch the player with: the jump strength
// turned by the ground angle (value N of the movement values), added to the
// speed along the ground, with no change of movement mode.
#pragma once

class Frames;

// The vertical part of the jump is scaled by `lift` (1 for a full jump);
// the horizontal part is not. The player is airborne afterwards, the angle
// cleared and the jump marked launched.
void angled_jump(Frames& frames, double lift = 1);
