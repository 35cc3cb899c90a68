// The global start events that end every frame's start events.
#include "game/frames/frames.h"

void Frames::run_global_start_events()
{
    event_func_235();
    event_func_236();
    event_func_237();
    event_func_238();
}
