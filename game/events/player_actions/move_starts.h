// What the events that start the characters' special moves share: the
// groups they run under (the ground group of movement mode 0, the airborne
// group of mode 1) and the skins' fall after a move; the starts they share
// with the other action groups are those of action_starts.h.
#pragma once

#include "game/events/player_actions/action_starts.h"
#include "objects/active.h"

namespace move_starts {

inline bool mode_0_on(const Frames& f) { return action_starts::player_control_on(f) && f.level_group_58; }
inline bool mode_1_on(const Frames& f) { return action_starts::player_control_on(f) && f.level_group_42; }

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
