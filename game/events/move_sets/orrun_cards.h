// What Orrun's card throw and the airborne volley share: the groups they
// run under and the card that leaves a skin's hand.
#pragma once

#include "game/frames/event_support.h"
#include "game/frames/frames.h"

namespace orrun {

// Gameplay, the player engine and the Orrun group are on.
inline bool orrun_on(const Frames& f) { return f.level_group_43 && f.level_group_23 && f.level_group_3; }

// One card per selected skin, at the skin's action point on the skin's
// layer. The first made (null without a skin) knows where it is in frame
// coordinates (values A, B), which the card's own step moves it from.
FrameObject* throw_cards(Frames& f, ObjectList& skins);

}  // namespace orrun
