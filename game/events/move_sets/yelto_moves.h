// What Yelto's moves share: the groups they run under, his skin, the
// latch that keeps an effect to one per visit of an animation's frame 2,
// the insta-shield made at the player and the voice lines picked at random.
#pragma once

#include "game/frames/event_support.h"
#include "game/frames/frames.h"
#include "objects/active.h"

namespace yelto {

// Gameplay, the player engine and Yelto's group are on.
inline bool group_on(const Frames& f) { return f.level_group_43 && f.level_group_23 && f.level_group_1; }

// Yelto's skin (null when the act has none).
inline Active* skin(Frames& f) { return static_cast<Active*>(instance_of(f.instances[types::PlayerSkinYelto_102])); }

// The skin shows frame 2 and the latch (flag 2) has not yet caught it.
bool on_unlatched_frame_2(Frames& f);
// Off again on any frame but 2.
void release_frame_2_latch(Frames& f);

// An insta-shield at the player, on its layer.
FrameObject* insta_shield_at_player(Frames& f);

// The voice line named `prefix` followed by `digit`, once; names the frame
// does not register say nothing.
void say(Frames& f, const char* prefix, int digit);

}  // namespace yelto
