// The act 1 frame (frame index 4): its set-up, start events and tick
// handler. Until the frame's own work lands it is an empty frame.
#include "game/frames/frames.h"

void Frames::on_frame_5_init()
{
    set_up_empty_frame(4);
}

void Frames::on_frame_5_start_events()
{
    run_global_start_events();
}

void Frames::handle_frame_5_events()
{
    test_collisions_4();
    run_shared_events(5);
}

void Frames::test_collisions_4() {}
