// The window choices the boot events and the window hotkeys share: a window
// of one to three times the base size (global values 16 and 17), or full
// screen. Global value 24 keeps the choice: the scale, or 4 for full screen.
#pragma once

#include "runtime/values.h"

void choose_window_scale(GlobalValues& globals, int scale);
void choose_full_screen(GlobalValues& globals);
