// The player's skins: one body skin per character (only the one played is
// visible; the others are driven along with it, so a change of character
// shows the same state at once) and the hair and tails that follow them.
// Yelto's skin and hair are acted on as single instances, every other skin
// type on each of its instances.
#pragma once

#include "game/frames/event_support.h"
#include "game/frames/frames.h"
#include "objects/active.h"

#include <initializer_list>

namespace skins {

// The events of the player's skins run while gameplay and the player
// engine are on.
inline bool player_events_on(const Frames& frames) { return frames.level_group_43 && frames.level_group_23; }

// The player's values the skins follow, read from the single support
// objects (a missing one reads as the default object).
inline double movement_value(Frames& frames, char name)
{
    return get_value(instance_or_default(frames.instances[types::PlayerMovementValues_80]), name);
}

inline double others_value(Frames& frames, char name)
{
    return get_value(instance_or_default(frames.instances[types::PlayerOthers_75]), name);
}

// The state number the skins' animation, speed, shape and direction follow.
inline double player_state(Frames& frames) { return others_value(frames, 'Y'); }

inline Active* as_active(FrameObject* object) { return static_cast<Active*>(object); }

// Runs `action` on the skins of one type: the single instance of Yelto's
// skin or hair (nothing when it is missing), every instance of the others.
template <class Action>
void for_each_skin(Frames& frames, int type, Action action)
{
    ObjectList& list = frames.instances[type];
    if (type == types::PlayerSkinYelto_102 || type == types::PlayerSkinYeltoHair_209) {
        if (FrameObject* skin = instance_of(list))
            action(as_active(skin));
        return;
    }
    for_each_instance(list, [&action](FrameObject* skin) { action(as_active(skin)); });
}

// The same on several types, in the order given.
template <class Action>
void for_each_skin(Frames& frames, std::initializer_list<int> types, Action action)
{
    for (const int type : types)
        for_each_skin(frames, type, action);
}

// The six body skins, one per character id 0 to 5 (Pimsa twice: on foot
// and on the bike).
inline constexpr std::initializer_list<int> body_skins = {
    types::PlayerSkinYelto_102,      types::PlayerSkinOrrun_290,   types::PlayerSkinPimsa_324,
    types::PlayerSkinPimsaBike_338, types::PlayerSkinDorrik_339, types::PlayerSkinHespin_351,
};

// The hair and tails that ride on the body skins.
inline constexpr std::initializer_list<int> follower_skins = {
    types::PlayerSkinYeltoHair_209,
    types::PlayerSkinPimsaTail_323,
    types::PlayerSkinDorrikTail_342,
};

}  // namespace skins
