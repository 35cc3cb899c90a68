// The How To Play frame (frame index 8): its set-up, start events and tick
// handler. Until the frame's own work lands it is an empty frame.
#include "game/frames/frames.h"

void Frames::on_frame_9_init()
{
    set_up_empty_frame(8);
}

void Frames::on_frame_9_start_events()
{
    run_global_start_events();
}

void Frames::handle_frame_9_events()
{
    test_collisions_8();
    run_shared_events(9);
}

void Frames::test_collisions_8() {}
