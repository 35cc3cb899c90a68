// The player engine's support objects by type id, and reading and writing
// their alterable values by letter. A single-instance type that has no
// instance reads as the runtime's default object and takes no writes.
#pragma once

#include "game/frames/event_support.h"
#include "game/frames/frames.h"
#include "runtime/frameobject.h"
#include "runtime/values.h"


namespace player_engine {

constexpr int player_input = 17;         // PlayerInput_21
constexpr int master_level = 43;         // MasterLevel_53
constexpr int player_others = 62;        // PlayerOthers_75
constexpr int movement_values = 67;      // PlayerMovementValues_80
constexpr int master_groups_a = 68;      // MasterGroupsA_83
constexpr int action_values_a = 71;      // PlayerActionValuesA_86
constexpr int sensor_bottom_big = 80;    // PlayerSensorBottomBig_95
constexpr int sensor_top_big = 78;       // PlayerSensorTopBig_93
constexpr int sensor_left_angle = 83;    // PlayerSensorLeftAngle_98
constexpr int sensor_right_angle = 84;   // PlayerSensorRightAngle_99
constexpr int sensor_left_edge = 85;     // PlayerSensorLeftEdge_100
constexpr int sensor_right_edge = 86;    // PlayerSensorRightEdge_101
constexpr int action_values_b = 133;     // PlayerActionValuesB_164
constexpr int save_data = 10;            // SaveData_10
constexpr int skin_yelto = 87;           // PlayerSkinYelto_102
constexpr int water_horizon = 127;       // GeneralWaterHorizon_155
constexpr int water = 128;               // GeneralWater_156
constexpr int skin_orrun = 213;          // PlayerSkinOrrun_290
constexpr int skin_pimsa_tail = 246;     // PlayerSkinPimsaTail_323
constexpr int skin_pimsa = 247;          // PlayerSkinPimsa_324
constexpr int skin_pimsa_bike = 253;     // PlayerSkinPimsaBike_338
constexpr int skin_dorrik = 254;         // PlayerSkinDorrik_339
constexpr int object_fuel = 256;         // ObjectFuel_341
constexpr int skin_dorrik_tail = 257;    // PlayerSkinDorrikTail_342
constexpr int skin_hespin_arm = 264;     // PlayerSkinHespinArm_350
constexpr int skin_hespin = 265;         // PlayerSkinHespin_351

inline double get(const FrameObject& object, char name) { return get_value(object, name); }
inline void put(FrameObject* object, char name, double number) { set_value(object, name, number); }

inline void put_string(FrameObject* object, unsigned index, const char* text)
{
    if (object && object->alterables)
        object->alterables->strings.get(index) = text;
}

inline void set_flag_0(FrameObject* object, bool on)
{
    if (!object || !object->alterables)
        return;
    if (on)
        object->alterables->flags |= 1;
    else
        object->alterables->flags &= ~int32_t(1);
}

// A value of a single-instance type, or the default object's.
inline double read(Frames& frames, int type, char name)
{
    return get(instance_or_default(frames.instances[type]), name);
}

inline void write(Frames& frames, int type, char name, double number)
{
    put(instance_of(frames.instances[type]), name, number);
}

}  // namespace player_engine
