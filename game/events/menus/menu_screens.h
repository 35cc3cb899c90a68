// What the Coming Soon! and How To Play frames share: the tile grid that
// dissolves as they start, and the event state their set-ups leave.
#pragma once

#include "runtime/frameobject.h"

class Frames;

// The 104 black tiles over the view, in the order the dissolve draws from.
void place_fade_in_tiles(Frames& frames);
// The dissolve on; the shared block's groups off, its counters reset.
void reset_menu_event_state(Frames& frames);
// A white burst on `anchor`'s position and layer.
void burst_at(Frames& frames, FrameObject* anchor);
// Loads the options save file named by global value 10 into SaveData_10.
void load_options_save(Frames& frames);
