// Five events of the player engine's group 40 that were authored without
// conditions or actions: the handler calls them and they do nothing.
#include "game/frames/frames.h"

void Frames::event_func_737() {}
void Frames::event_func_738() {}
void Frames::event_func_739() {}
void Frames::event_func_740() {}
void Frames::event_func_741() {}
