// The act 1 frame's start events.
#include "game/frames/frames.h"

void Frames::on_frame_5_start_events()
{
    run_global_start_events();
}
