// The splash act 2 shows where something crosses the water line: made at
// the player's starting point (a fixed object on the right layer), then
// moved to x on the drawn line (MasterLevel's C). One splash per
// starting point; act 2 places one.
#pragma once

#include "game/frames/frames.h"

FrameObject* splash_on_water_line(Frames& f, int x);
