// The set-up steps that reach into the frames' generated tables: the
// named-loop maps, and the empty frame of a set-up that has not landed.
#include "game/frames/frames.h"
#include "game/frames/preload.h"

void Frames::set_up_named_loops(int frame_index)
{
    // One map per frame index, filled on the frame's first entry and kept
    // for the run; a frame that registers nothing gets no map.
    static LoopMap maps[frame_count];
    static bool filled[frame_count] = {};
    LoopMap& map = maps[frame_index];
    if (!filled[frame_index]) {
        register_named_loops(frame_index, map);
        filled[frame_index] = true;
    }
    loops = map.empty() ? nullptr : &map;
}

void Frames::set_up_empty_frame(int frame_index)
{
    set_up_header(frame_index, screen_width, screen_height, Color(0, 0, 0, 255));
    set_up_frame_images(frame_index);
    set_up_layers({LayerSetUp{}});
    set_up_named_loops(frame_index);
    reset_shared_event_state();
}
