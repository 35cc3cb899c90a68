// The act 1 frame (frame index 4): its set-up. Its start events are in
// act1_start.cpp, its tick handler and collision pass in act1_tick.cpp.
#include "game/frames/frames.h"

void Frames::on_frame_5_init()
{
    set_up_empty_frame(4);
}
