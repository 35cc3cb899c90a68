// The Coming Soon! frame (frame index 6): its set-up, start events and tick
// handler. Until the frame's own work lands it is an empty frame.
#include "game/frames/frames.h"

void Frames::on_frame_7_init()
{
    set_up_empty_frame(6);
}

void Frames::on_frame_7_start_events()
{
    run_global_start_events();
}

void Frames::handle_frame_7_events()
{
    run_shared_events(7);
}
