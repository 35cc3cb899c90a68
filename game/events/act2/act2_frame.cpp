// The act 2 frame (frame index 5): its set-up, start events and tick
// handler. Until the frame's own work lands it is an empty frame.
#include "game/frames/frames.h"

void Frames::on_frame_6_init()
{
    set_up_empty_frame(5);
}

void Frames::on_frame_6_start_events()
{
    run_global_start_events();
}

void Frames::handle_frame_6_events()
{
    test_collisions_5();
    run_shared_events(6);
}

void Frames::test_collisions_5() {}
