// Yelto's attacks.
#include "game/frames/frames.h"

// Authored without conditions or actions; the handler calls it and it does
// nothing.
void Frames::event_func_1080() {}
