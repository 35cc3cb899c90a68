// The player's state lives in the alterable values of invisible
// single-instance objects, not in the player object. This names them by
// type id and reads and writes their values by letter: a missing instance
// reads as a fresh object and takes no writes.
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

#include "game/frames/event_support.h"
#include "game/frames/frames.h"
#include "runtime/frameobject.h"
#include "runtime/values.h"

#include <cstdint>

namespace player_values {

// The support objects.
constexpr int player_input = 17;       // PlayerInput_21
constexpr int gui_rings = 61;          // GUIRings_74
constexpr int player_others = 62;      // PlayerOthers_75
constexpr int gui_energy = 63;         // GUIEnergy_76
constexpr int movement_values = 67;    // PlayerMovementValues_80
constexpr int master_groups_a = 68;    // MasterGroupsA_83
constexpr int action_values_a = 71;    // PlayerActionValuesA_86
constexpr int action_values_b = 133;   // PlayerActionValuesB_164
constexpr int master_camera = 158;     // MasterCamera_190

// The big sensors round the player.
constexpr int sensor_left_big = 74;    // PlayerSensorLeftBig_89
constexpr int sensor_right_big = 76;   // PlayerSensorRightBig_91
constexpr int sensor_top_big = 78;     // PlayerSensorTopBig_93
constexpr int sensor_bottom_big = 80;  // PlayerSensorBottomBig_95

// The skins and the player's reflection.
constexpr int skin_yelto = 87;         // PlayerSkinYelto_102
constexpr int skin_orrun = 213;        // PlayerSkinOrrun_290
constexpr int skin_pimsa = 247;        // PlayerSkinPimsa_324
constexpr int skin_pimsa_bike = 253;   // PlayerSkinPimsaBike_338
constexpr int skin_dorrik = 254;       // PlayerSkinDorrik_339
constexpr int skin_hespin = 265;       // PlayerSkinHespin_351
constexpr int reflection = 258;        // PlayerReflect_343

// Values of any instance, by letter.
inline double value(const FrameObject* object, char letter)
{
    return object && object->alterables ? object->alterables->values.get(unsigned(letter - 'A')) : 0.0;
}

inline void set_value(FrameObject* object, char letter, double number)
{
    if (object && object->alterables)
        object->alterables->values.set(unsigned(letter - 'A'), number);
}

inline bool flag(const FrameObject* object, int bit)
{
    return object && object->alterables && ((uint32_t(object->alterables->flags) >> bit) & 1u);
}

inline void set_flag(FrameObject* object, int bit, bool on)
{
    if (!object || !object->alterables)
        return;
    const uint32_t mask = 1u << bit;
    const uint32_t flags = uint32_t(object->alterables->flags);
    object->alterables->flags = int32_t(on ? flags | mask : flags & ~mask);
}

// One support object: its last-added instance.
class ValueObject {
public:
    explicit ValueObject(ObjectList& list) : list(list) {}

    double get(char letter) const { return value(&instance_or_default(list), letter); }
    void set(char letter, double number) const { set_value(instance_of(list), letter, number); }
    void add(char letter, double number) const { set(letter, get(letter) + number); }
    bool has_flag(int bit) const { return flag(&instance_or_default(list), bit); }

private:
    ObjectList& list;
};

inline ValueObject movement(Frames& frames) { return ValueObject(frames.instances[movement_values]); }
inline ValueObject others(Frames& frames) { return ValueObject(frames.instances[player_others]); }
inline ValueObject input(Frames& frames) { return ValueObject(frames.instances[player_input]); }
inline ValueObject actions_a(Frames& frames) { return ValueObject(frames.instances[action_values_a]); }
inline ValueObject actions_b(Frames& frames) { return ValueObject(frames.instances[action_values_b]); }
inline ValueObject camera(Frames& frames) { return ValueObject(frames.instances[master_camera]); }
inline ValueObject energy(Frames& frames) { return ValueObject(frames.instances[gui_energy]); }

// The state number the skins' animations follow.
inline double state(Frames& frames) { return others(frames).get('Y'); }
inline void set_state(Frames& frames, double number) { others(frames).set('Y', number); }

// Sets a value on every instance of a type.
inline void set_every(ObjectList& list, char letter, double number)
{
    for_each_instance(list, [&](FrameObject* object) { set_value(object, letter, number); });
}

}  // namespace player_values
