#include "game/frames/frames.h"

#include "game/frames/frame_descriptors.h"

Frames game_frames;

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
