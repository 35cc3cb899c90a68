// The Intro frame (frame index 0): its set-up, start events and tick
// handler. Until the frame's own work lands it is an empty frame.
#include "game/frames/frames.h"

void Frames::on_frame_1_init()
{
    set_up_empty_frame(0);
}

void Frames::on_frame_1_start_events()
{
    run_global_start_events();
}

void Frames::handle_frame_1_events()
{
    test_collisions_0();
    run_shared_events(1);
}

void Frames::test_collisions_0() {}
