// What Pimsa's move sets share: the groups they run under, her skins as
// sprites, the insta-shield hit effect the attacks and the spin leave, the
// samples they play and the voice loops they call by name.
#pragma once

#include "game/frames/event_support.h"
#include "game/frames/frames.h"
#include "objects/active.h"

#include <string>

namespace pimsa_moves {

// Gameplay, the player engine, Pimsa's group and the move's mode group.
inline bool move_on(const Frames& f, bool Frames::*mode_group)
{
    return f.level_group_43 && f.level_group_23 && f.level_group_73 && f.*mode_group;
}

inline Active* sprite(FrameObject* object) { return static_cast<Active*>(object); }
inline int frame_of(const FrameObject& object) { return static_cast<const Active&>(object).get_frame(); }

inline ObjectList& skins(Frames& f) { return f.instances[types::PlayerSkinPimsa_324]; }
inline ObjectList& bikes(Frames& f) { return f.instances[types::PlayerSkinPimsaBike_338]; }
inline ObjectList& player(Frames& f) { return f.instances[types::PlayerMovementValues_80]; }
inline ObjectList& others(Frames& f) { return f.instances[types::PlayerOthers_75]; }

inline double input(Frames& f, char name) { return get_value(f.instances[types::PlayerInput_21], name); }
inline double energy(Frames& f) { return get_value(f.instances[types::GUIEnergy_76], 'A'); }
inline void set_energy(Frames& f, double a) { set_value(f.instances[types::GUIEnergy_76], 'A', a); }

// The player's state number.
inline void set_state(Frames& f, double state) { set_value(others(f), 'Y', state); }

// A sample on the first free channel, once.
void play_sample(unsigned id);

// An insta-shield at the player object, on its layer (see
// create_at_each for a player object that is missing).
FrameObject* create_shield(Frames& f);

// The attacks' shield: pointing `turn` direction steps from the skin's
// direction, at full animation speed, just behind the skin.
void aim_shield_behind(FrameObject* shield, FrameObject* skin, int turn);

// A hit effect marks the player's air action as used.
inline void mark_hit(Frames& f) { set_value(f.instances[types::PlayerActionValuesB_164], 'O', 1); }

// The voice loop "<prefix><n>", once, when the frame's loop map has it.
inline void run_voice(Frames& f, const std::string& prefix, int n) { f.run_named_loop(prefix + std::to_string(n), 1); }

}  // namespace pimsa_moves
