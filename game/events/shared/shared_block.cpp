// The block of shared events every tick handler runs.
#include "game/frames/frames.h"

void Frames::run_shared_events(int) {}
