// The player's state lives in the alterable values of invisible
// single-instance objects, not in the player object; every movement event
// reads and writes it there through these accessors (a missing instance
// reads as a fresh object and takes no writes).
//
// PlayerMovementValues_80: A character id (0 Yelto, 1 Orrun, 2 Pimsa,
//   3 Pimsa on the bike, 4 Dorrik, 5 Hespin), B horizontal or ground speed,
//   C top speed, D speed cap, E acceleration, F slope factor, G vertical
//   speed (down positive), H largest fall speed, I gravity, J landing share,
//   K landing tick, L on the ground, M movement mode, N ground angle,
//   O shown angle, P collision layer, Q facing (1 right, -1 left), R hurt
//   request, S running switch, T/U/V horizontal step, vertical step and
//   landing switches, W speed at the last landing, X/Y exact position,
//   Z attack flag; flag 5 steep ground.
// PlayerOthers_75 (kept across frames): A power state, B/C shield kind and
//   strength, D/E invincibility and its timer, F/G second timed state,
//   H under water, K freeze counter, L knock-back count, N mode-5 ticks,
//   O side lock, Q mode-5 bounce, V/W position before the step,
//   Y state number (what the skins' animations follow; not the mode).
// PlayerInput_21: A-D up, down, left, right held; E, F, N buttons 1-3 held;
//   G-J and K, L, O the same going down this tick.
// PlayerActionValuesA_86: the action tuning set; C cleared on landing.
// PlayerActionValuesB_164: O air actions taken, P ceiling-landing phase,
//   T air drag.
// MasterCamera_190: C/E least and greatest x, D/F least and greatest y,
//   M camera mode, B the followed height, H the height offset.
// GUIRings_74 (kept): the petal counter, the player's health.
// GUIEnergy_76 (kept): A the energy meter, 0 to 100.
#pragma once

#include "game/events/player_physics/ground_values.h"
#include "game/frames/event_support.h"
#include "game/frames/frames.h"

namespace player_values {

// The support objects' type ids and the value helpers are the ground
// events' own.
using namespace player_ground;

inline Single movement(Frames& frames) { return Single(frames.instances[types::PlayerMovementValues_80]); }
inline Single others(Frames& frames) { return Single(frames.instances[types::PlayerOthers_75]); }
inline Single input(Frames& frames) { return Single(frames.instances[types::PlayerInput_21]); }
inline Single actions_a(Frames& frames) { return Single(frames.instances[types::PlayerActionValuesA_86]); }
inline Single actions_b(Frames& frames) { return Single(frames.instances[types::PlayerActionValuesB_164]); }
inline Single camera(Frames& frames) { return Single(frames.instances[types::MasterCamera_190]); }
inline Single energy(Frames& frames) { return Single(frames.instances[types::GUIEnergy_76]); }

inline void add_to(const Single& object, char name, double number) { object.set(name, object[name] + number); }

// The state number the skins' animations follow.
inline double state(Frames& frames) { return others(frames)['Y']; }
inline void set_state(Frames& frames, double number) { others(frames).set('Y', number); }

// Sets a value on every instance of a type.
inline void set_every(ObjectList& list, char name, double number)
{
    for_each_instance(list, [&](FrameObject* object) { set_value(object, name, number); });
}

}  // namespace player_values
