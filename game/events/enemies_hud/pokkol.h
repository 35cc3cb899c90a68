// The Pokkol's end, which both acts run with their own debris loop.
#pragma once

#include "game/frames/frames.h"

// Each beaten Pokkol that has landed bursts into a keystone, an explosion
// and five passes of `debris`, with one blast sound.
void burst_landed_pokkols(Frames& frames, void (Frames::*debris)());
