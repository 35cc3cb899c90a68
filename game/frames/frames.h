// The game's frame object and its nine frame descriptors. This is the
// skeleton: each frame's set-up builds an empty frame. The generated frames
// replace the set-ups, events and update passes.
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

class Frame1 : public SkeletonFrame {
public:
    Frame1() : SkeletonFrame("Intro", 0) {}
};
class Frame2 : public SkeletonFrame {
public:
    Frame2() : SkeletonFrame("Title Screen", 1) {}
};
class Frame3 : public SkeletonFrame {
public:
    Frame3() : SkeletonFrame("Black Load", 2) {}
};
class Frame4 : public SkeletonFrame {
public:
    Frame4() : SkeletonFrame("Update Records", 3) {}
};
class Frame5 : public SkeletonFrame {
public:
    Frame5() : SkeletonFrame("Vostrel 1", 4) {}
};
class Frame6 : public SkeletonFrame {
public:
    Frame6() : SkeletonFrame("Vostrel 2", 5) {}
};
class Frame7 : public SkeletonFrame {
public:
    Frame7() : SkeletonFrame("Coming Soon!", 6) {}
};
class Frame8 : public SkeletonFrame {
public:
    Frame8() : SkeletonFrame("Continue?", 7) {}
};
class Frame9 : public SkeletonFrame {
public:
    Frame9() : SkeletonFrame("How To Play", 8) {}
};
