// A background plane launched past the view: what both the opening scene
// and the act's launch points give a plane they create.
#pragma once

#include "game/frames/frames.h"

// Faces the plane into its pass (direction 4) and gives it its start: where
// it stands, its depth, the view's centre it shakes around, the shake.
void launch_background_plane(Frames& frames, FrameObject* plane);
