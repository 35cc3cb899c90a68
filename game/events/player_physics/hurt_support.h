// What the spring, hurt, timed-state and death events share: the player's
// support objects and the types they touch, by type id, and value reads and
// writes on single-instance objects (a missing instance reads as the default
// object and takes no writes).
#pragma once

#include "game/frames/event_support.h"
#include "game/frames/frames.h"
#include "objects/arrayext.h"
#include "runtime/frameobject.h"
#include "runtime/layer.h"

#include <cstdint>
#include <string>

namespace hurt {

// The player and its support objects.
constexpr int movement_values = 67;   // PlayerMovementValues_80
constexpr int player_others = 62;     // PlayerOthers_75 (kept across frames)
constexpr int player = 72;            // Player_87
constexpr int action_values_a = 71;   // PlayerActionValuesA_86
constexpr int action_values_b = 133;  // PlayerActionValuesB_164
constexpr int character_sensor = 123; // PlayerCharacterSensor_151
constexpr int sensor_left_big = 74;   // PlayerSensorLeftBig_89
constexpr int sensor_right_big = 76;  // PlayerSensorRightBig_91
constexpr int sensor_top_big = 78;    // PlayerSensorTopBig_93
constexpr int sensor_bottom_big = 80; // PlayerSensorBottomBig_95
constexpr int skin_yelto = 87;        // PlayerSkinYelto_102
constexpr int skin_yelto_hair = 176;  // PlayerSkinYeltoHair_209
constexpr int skin_orrun = 213;       // PlayerSkinOrrun_290
constexpr int skin_pimsa = 247;       // PlayerSkinPimsa_324
constexpr int skin_pimsa_tail = 246;  // PlayerSkinPimsaTail_323
constexpr int skin_pimsa_bike = 253;  // PlayerSkinPimsaBike_338
constexpr int skin_dorrik = 254;      // PlayerSkinDorrik_339
constexpr int skin_dorrik_tail = 257; // PlayerSkinDorrikTail_342
constexpr int skin_hespin = 265;      // PlayerSkinHespin_351
constexpr int skin_hespin_arm = 264;  // PlayerSkinHespinArm_350
constexpr int shield_water = 91;      // ShieldWater_106

// Springs and their beam.
constexpr int yellow_spring_up_left = 161;   // YellowSpringUpLeft_193
constexpr int yellow_spring_up_right = 162;  // YellowSpringUpRight_194
constexpr int yellow_spring_up = 163;        // YellowSpringUp_195
constexpr int yellow_spring_right = 164;     // YellowSpringRight_196
constexpr int yellow_spring_left = 165;      // YellowSpringLeft_197
constexpr int yellow_spring_down = 166;      // YellowSpringDown_198
constexpr int red_spring_up_right = 167;     // RedSpringUpRight_199
constexpr int red_spring_up_left = 168;      // RedSpringUpLeft_200
constexpr int red_spring_up = 169;           // RedSpringUp_201
constexpr int red_spring_right = 170;        // RedSpringRight_202
constexpr int red_spring_left = 171;         // RedSpringLeft_203
constexpr int red_spring_down = 172;         // RedSpringDown_204
constexpr int spring_beam = 242;             // EffectsSpringBeam_319

// HUD, camera, music and the dying effects.
constexpr int petal_counter = 61;      // GUIRings_74 (a counter, kept)
constexpr int energy = 63;             // GUIEnergy_76
constexpr int life_meter = 64;         // GUILifeBaseMeter_77
constexpr int score_time_rings = 92;   // GUIScoreTimeRings_107
constexpr int master_camera = 158;     // MasterCamera_190
constexpr int master_level = 43;       // MasterLevel_53
constexpr int music_controller = 39;   // ControllerMusic_49
constexpr int music_calls = 40;        // FunctionMusic_50
constexpr int music_queue = 41;        // QueueMusic_51
constexpr int save_data = 10;          // SaveData_10
constexpr int card_fade = 25;          // LevelCardFade2_32
constexpr int explosion = 111;         // EffectsExplosion01_130
constexpr int player_splode = 241;     // EffectsPlayerSplode_318
constexpr int bike = 255;              // ObjectBike_340

// The camera mode while the player is hurt or dead.
constexpr double camera_hurt = 6;
// Movement modes: knock-back, dead, the second death, spring flight.
constexpr double mode_knock_back = 8, mode_dead = 9, mode_second_death = 10, mode_spring = 40;

inline double get(const FrameObject& object, char name) { return get_value(object, name); }
inline void put(FrameObject* object, char name, double number) { set_value(object, name, number); }

inline void add(FrameObject* object, char name, double delta)
{
    if (object)
        put(object, name, get(*object, name) + delta);
}

inline bool flag(const FrameObject& object, int bit) { return get_flag(object, bit); }

// A value of the single instance of `type` (the default object's when none).
inline double read(Frames& frames, int type, char name) { return get(instance_or_default(frames.instances[type]), name); }

inline void write(Frames& frames, int type, char name, double number)
{
    put(instance_of(frames.instances[type]), name, number);
}

inline void change(Frames& frames, int type, char name, double delta)
{
    add(instance_of(frames.instances[type]), name, delta);
}

// A condition on the single instance of `type`: fails when there is none.
template <class Test>
bool holds(Frames& frames, int type, Test test)
{
    const FrameObject* object = instance_of(frames.instances[type]);
    return object && object->alterables && test(*object);
}

inline int layer_index(const FrameObject& object) { return object.layer ? object.layer->index : 0; }

// Writes a music call for the dispatcher at the call list's write position,
// which then moves past it.
inline void queue_music_call(Frames& frames, const std::string& call)
{
    for_each_instance(frames.instances[music_calls], [&call](FrameObject* object) {
        auto* calls = static_cast<ArrayObject*>(object);
        calls->set_string(call, -1, -1, -1);
        ++calls->data.current_x;
    });
}

}  // namespace hurt
