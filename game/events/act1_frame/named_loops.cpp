// The body the act's loop map starts by "process_call.reset_music": the two
// events of the music reset, one after the other.
#include "game/frames/frames.h"

void Frames::loop_process_call_reset_music_4()
{
    event_func_569();
    event_func_570();
}
