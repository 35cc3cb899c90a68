// The debris a wreck or a beaten enemy breaks into, a piece a pass.
#pragma once

#include "game/frames/frames.h"

// Sources whose `count` value is below -1 (counting up from -5) each break
// off one piece and count one up; the first piece flies at 50 + random(30)
// and shows frame trunc(frame_base - count) of the first source. `event`
// names the random draw.
void break_off_debris(Frames& frames, ObjectList& sources, char count, double frame_base, int event);
