// The Continue? frame (frame index 7): its set-up, start events and tick
// handler. Until the frame's own work lands it is an empty frame.
#include "game/frames/frames.h"

void Frames::on_frame_8_init()
{
    set_up_empty_frame(7);
}

void Frames::on_frame_8_start_events()
{
    run_global_start_events();
}

void Frames::handle_frame_8_events()
{
    test_collisions_7();
    run_shared_events(8);
}

void Frames::test_collisions_7() {}
