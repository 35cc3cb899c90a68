// Leaving a stage to start over.
#include "audio/media.h"
#include "game/frames/frames.h"
#include "runtime/values.h"

// Restarting on the bike keeps Pimsa but puts her back on foot: the
// character last played (global value 1) goes from 3 to 2.
void Frames::event_func_86()
{
    if (global_values->size() > 1 && global_values->get(1) == 3.0)
        global_values->set(1, 2.0);
}

// Authored without conditions or actions; nothing calls it.
void Frames::event_func_87() {}

// Leaving the stage from the pause menu: the music stops, the voice sets
// are switched back on, and the game starts again from the intro.
void Frames::loop_return_0()
{
    media.stop_channel(31);
    global_values->set(23, 1);
    restart();
}
