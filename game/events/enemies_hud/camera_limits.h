// The camera's limit rectangles and the view request, shared by both acts'
// camera events; act 2 widens the right side by a margin.
#pragma once

class FrameObject;
class Frames;

// Mode 0: from the frame's top left to the sign post.
void set_open_limits(Frames& frames, const FrameObject& sign, double right_margin);
// Mode 1: the boss arena's markers, widened to hold the current view.
void set_arena_limits(Frames& frames, double right_margin);
// Mode 2: a box around the sign post.
void set_sign_limits(Frames& frames, const FrameObject& sign, double right_margin);
// The view centred on the camera target plus its offsets; the shake decays.
void place_view(Frames& frames, double x_shift);
