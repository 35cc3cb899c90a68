// The Update Records frame (frame index 3): its set-up, start events and tick
// handler. Until the frame's own work lands it is an empty frame.
#include "game/frames/frames.h"

void Frames::on_frame_4_init()
{
    set_up_empty_frame(3);
}

void Frames::on_frame_4_start_events()
{
    run_global_start_events();
}

void Frames::handle_frame_4_events()
{
    run_shared_events(4);
}
