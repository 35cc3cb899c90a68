// Start-of-frame actions both acts take, written once with act 1's start
// events.
#pragma once

#include "game/frames/frames.h"

namespace stage_start {

// Hespin's arm colours: values G, H and I of every arm skin read from the
// colour table of global string 12 at the save's choices, J, K and L a tenth
// of each.
void read_arm_colours(Frames& frames);

}  // namespace stage_start
