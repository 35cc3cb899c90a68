// What the events that start the characters' special moves share: the
// groups they run under (the ground group of movement mode 0, the airborne
// group of mode 1) and the two things several of them do to the skins.
#pragma once

#include "game/frames/event_support.h"
#include "game/frames/frames.h"
#include "objects/active.h"

namespace move_starts {

inline bool player_control_on(const Frames& f) { return f.level_group_43 && f.level_group_23 && f.level_group_24; }
inline bool mode_0_on(const Frames& f) { return player_control_on(f) && f.level_group_58; }
inline bool mode_1_on(const Frames& f) { return player_control_on(f) && f.level_group_42; }

// The second button's modes hand Orrun's skin over to their start.
inline void reset_orrun_skins(Frames& f)
{
    for_each_instance(f.instances[types::PlayerSkinOrrun_290], [](FrameObject* skin) {
        set_flag(skin, 1, false);
        set_value(skin, 'B', 2);
    });
}

// A move that ends in the air goes on with the falling part of the jump's
// animation (24) from its frame 6.
inline void fall_from_frame_6(FrameObject* skin)
{
    auto* sprite = static_cast<Active*>(skin);
    sprite->force_animation(24);
    sprite->force_frame(6);
    sprite->restore_frame();
}

}  // namespace move_starts
