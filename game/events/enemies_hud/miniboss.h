// The miniboss's parts as its events see them: the body, the turret, the
// weak spot, and the twelve leg segments, each with what it hangs on, its
// angle and how it flies off when the body breaks up.
#pragma once

#include "game/frames/frames.h"
#include "game/objects/type_ids.h"

#include <array>

namespace miniboss {

struct Segment {
    int type;
    int hangs_on;   // the segment type whose action point holds it; -1: the body
    int body_dx;    // where on the body it hangs, when it hangs on the body
    double base;    // its angle is base + sign × the swing
    double sign;
    double fly_x;   // its speed (B, C) when the body breaks up
    double fly_y;
};

// Left 1 to 3, right 1 to 3, left 4 to 6, right 4 to 6: each chain from the
// body down, so a segment always comes after the one it hangs on.
extern const std::array<Segment, 12> segments;

inline ObjectList& bodies(Frames& f) { return f.instances[types::MinibossSkalvidBase_305]; }
inline ObjectList& turrets(Frames& f) { return f.instances[types::MinibossSkalvidTurret_306]; }
inline ObjectList& weak_spots(Frames& f) { return f.instances[types::MinibossSkalvidWeakspot_307]; }

// The fight's and the defeat's events each run only inside their groups.
inline bool fighting(const Frames& f) { return f.level_group_43 && f.level_group_57 && f.level_group_14; }
inline bool defeated(const Frames& f) { return f.level_group_43 && f.level_group_57 && f.level_group_52; }

}  // namespace miniboss
