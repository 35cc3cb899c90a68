#include "game/frames/frames.h"

Frames game_frames;

namespace {

// The frame table: entry i is the descriptor of frame index i. Built on the
// first frame change and kept for the program's life.
FrameData* const* frame_table()
{
    static Frame1 frame1;
    static Frame2 frame2;
    static Frame3 frame3;
    static Frame4 frame4;
    static Frame5 frame5;
    static Frame6 frame6;
    static Frame7 frame7;
    static Frame8 frame8;
    static Frame9 frame9;
    static FrameData* const table[9] = {&frame1, &frame2, &frame3, &frame4, &frame5,
                                        &frame6, &frame7, &frame8, &frame9};
    return table;
}

}  // namespace

void Frames::update_objects()
{
    // The generated frames bring the per-kind update passes.
}

void Frames::set_index(int new_index)
{
    data = frame_table()[new_index];
    data->frame = this;
}

void Frames::set_up_empty_frame(int new_index)
{
    width = virtual_width = screen_width;
    height = virtual_height = screen_height;
    index = new_index;
    background_color = Color(0, 0, 0, 255);
    timer_base = 0;
    loops = nullptr;
    layers.resize(1);
    layers[0].init(0, 1.0, 1.0, true, false, false);
}

SkeletonFrame::SkeletonFrame(const char* frame_name, int index) : frame_index(index)
{
    name = frame_name;
}

void SkeletonFrame::init()
{
    static_cast<Frames*>(frame)->set_up_empty_frame(frame_index);
}

void SkeletonFrame::on_end()
{
    frame->reset();
}
