// What the motorbike's events share: the groups they run under and the
// movement mode of riding along a wall. Whether Pimsa rides is her
// character id (player_values::on_bike).
#pragma once

#include "game/events/player_physics/player_value_objects.h"

namespace motorbike {

// Gameplay, the player engine and Pimsa's group are on.
inline bool pimsa_on(const Frames& f) { return f.level_group_43 && f.level_group_23 && f.level_group_73; }
// The same with the motorbike's group.
inline bool riding_on(const Frames& f) { return pimsa_on(f) && f.level_group_72; }

constexpr double wall_mode = 47;

// The bikes left to be wrecked (flag 6) blow up: an explosion on each, one
// blast, B set to -5 for the countdown that removes them, and five passes
// of the act's debris loop `debris`.
void wreck_flagged_bikes(Frames& f, void (Frames::*debris)());

}  // namespace motorbike
