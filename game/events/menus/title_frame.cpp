// The Title Screen frame (frame index 1): its set-up, start events and tick
// handler. Until the frame's own work lands it is an empty frame.
#include "game/frames/frames.h"

void Frames::on_frame_2_init()
{
    set_up_empty_frame(1);
}

void Frames::on_frame_2_start_events()
{
    run_global_start_events();
}

void Frames::handle_frame_2_events()
{
    test_collisions_1();
    run_shared_events(2);
}

void Frames::test_collisions_1() {}
