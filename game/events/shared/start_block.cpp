// The global start events that end every frame's start events.
#include "game/frames/frames.h"

void Frames::run_global_start_events() {}
