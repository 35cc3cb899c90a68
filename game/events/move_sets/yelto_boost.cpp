// Yelto's speed boost.
#include "game/frames/frames.h"

// Authored without conditions or actions; the handler calls them and they
// do nothing.
void Frames::event_func_1054() {}
void Frames::event_func_1055() {}
void Frames::event_func_1069() {}
