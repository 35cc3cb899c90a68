// Leaving the stage from the pause menu: the music stops, the voice sets
// are switched back on, and the game starts again from the intro.
#include "audio/media.h"
#include "game/frames/frames.h"
#include "runtime/values.h"

void Frames::loop_return_0()
{
    media.stop_channel(31);
    global_values->set(23, 1);
    restart();
}
