// What the small enemies share once beaten: the fall that ends on something
// solid, and the blast that ends two of them there.
#pragma once

#include "game/frames/frames.h"

// Selects the beaten instances (flag 6) that are coming down (Y above 0) and
// touch a member of the solid group or the background: either is enough.
// False when none does.
bool select_landed(Frames& frames, ObjectList& enemies);

// Each selected enemy goes, leaving a shade and then an explosion where it
// was; one blast sound for them all.
void explode_selected(Frames& frames, ObjectList& enemies);
