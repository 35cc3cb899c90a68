// What the airborne, pose, skid, roll and wall-push groups share: the
// groups every one of them runs under, and the actions several of them
// start the same way (the attack, Orrun's charge, Dorrik's special,
// Yelto's energy action).
#pragma once

#include "game/frames/event_support.h"
#include "game/frames/frames.h"

namespace action_starts {

// Gameplay, the player engine and the player's control are on.
inline bool player_control_on(const Frames& f) { return f.level_group_43 && f.level_group_23 && f.level_group_24; }

// The attack: movement mode 20, Orrun's skins ready to start it afresh
// (flag 1 off, B = 2), as Yelto's downward move also leaves them.
void start_attack(Frames& f);
void reset_orrun_skins(Frames& f);

// Orrun's charged move: the third button with charge in the meter.
bool orrun_charge_pressed(Frames& f);
void start_orrun_charge(Frames& f);

// Dorrik's special: the third button once its cooldown is spent and no
// reflected shot is out.
bool dorrik_special_pressed(Frames& f);

// Yelto's energy action: the third button with a full meter; the voice
// starts with it.
bool yelto_special_pressed(Frames& f);
void start_yelto_special(Frames& f);
// The same from a pose or a roll, the skin's K set from the ground flag.
void start_yelto_special_from_ground(Frames& f);

// Hespin's dash from a crouch or a skid: a burst at each of her skins, a
// speed of 7 the way she faces, the energy spent; back to the ground mode.
void start_hespin_dash(Frames& f);

}  // namespace action_starts
