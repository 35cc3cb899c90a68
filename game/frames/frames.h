// The game's frame object and the base of its frame descriptors. This is
// the skeleton: each frame's set-up builds an empty frame. The generated
// frames replace the set-ups, events and update passes. The descriptors
// Frame1 ... FrameN and the frame table are generated from
// game/frames/frames.tsv (game/frames/frame_descriptors.h).
#pragma once

#include "runtime/frame.h"

class Frames : public Frame {
public:
    void update_objects() override;
    void set_index(int index) override;

    // An empty frame of the logical screen's size with one layer.
    void set_up_empty_frame(int index);
};

extern Frames game_frames;

// A frame descriptor of the skeleton: forwards its set-up to the frames
// object, and resets the frame when the frame is left.
class SkeletonFrame : public FrameData {
public:
    SkeletonFrame(const char* frame_name, int frame_index);
    void init() override;
    void on_end() override;

private:
    int frame_index;
};
