// The checkpoint's saved values: the level's Z, J and O, crystals, lives and
// petals, kept in the global values for the act's restart.
#pragma once

#include "game/frames/frames.h"

namespace checkpoint {

void save(Frames& frames);

}  // namespace checkpoint
