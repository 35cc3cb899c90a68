// The Black Load frame (frame index 2): its set-up, start events and tick
// handler. Until the frame's own work lands it is an empty frame.
#include "game/frames/frames.h"

void Frames::on_frame_3_init()
{
    set_up_empty_frame(2);
}

void Frames::on_frame_3_start_events()
{
    run_global_start_events();
}

void Frames::handle_frame_3_events()
{
    run_shared_events(3);
}
