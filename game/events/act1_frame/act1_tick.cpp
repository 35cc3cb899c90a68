// The act 1 frame's tick handler and collision pass.
#include "game/frames/frames.h"

void Frames::handle_frame_5_events()
{
    test_collisions_4();
    run_shared_events(5);
}

void Frames::test_collisions_4() {}
