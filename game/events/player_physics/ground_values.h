// What the run, brake, slope, layer, mode-switch and energy events share:
// the types they name, and the single support objects as they read and
// write them (a missing instance reads as the default object and takes no
// writes).
#pragma once

#include "game/frames/event_support.h"
#include "runtime/frameobject.h"
#include "runtime/layer.h"
#include "runtime/values.h"

#include <string>

namespace player_ground {

// The player's support objects.
constexpr int movement_values = 67;      // PlayerMovementValues_80
constexpr int player_others = 62;        // PlayerOthers_75
constexpr int player_input = 17;         // PlayerInput_21
constexpr int action_values_a = 71;      // PlayerActionValuesA_86
constexpr int action_values_b = 133;     // PlayerActionValuesB_164
constexpr int master_groups_a = 68;      // MasterGroupsA_83
constexpr int master_camera = 158;       // MasterCamera_190
constexpr int angle_changer = 70;        // GeneralAngleChanger75_85
constexpr int player = 72;               // Player_87

// The sensors the speed events read.
constexpr int sensor_left_big = 74;      // PlayerSensorLeftBig_89
constexpr int sensor_right_big = 76;     // PlayerSensorRightBig_91
constexpr int sensor_top_big = 78;       // PlayerSensorTopBig_93
constexpr int sensor_bottom_big = 80;    // PlayerSensorBottomBig_95
constexpr int sensor_left_angle = 83;    // PlayerSensorLeftAngle_98
constexpr int sensor_right_angle = 84;   // PlayerSensorRightAngle_99
constexpr int sensor_left_edge = 85;     // PlayerSensorLeftEdge_100
constexpr int sensor_right_edge = 86;    // PlayerSensorRightEdge_101

// Skins and effects.
constexpr int skin_yelto = 87;           // PlayerSkinYelto_102
constexpr int skin_dorrik = 254;         // PlayerSkinDorrik_339
constexpr int skin_hespin = 265;         // PlayerSkinHespin_351
constexpr int color_dot = 240;           // EffectsColorDot_317

// The display.
constexpr int gui_energy = 63;           // GUIEnergy_76
constexpr int gui_icon = 93;             // GUIIcon_108
constexpr int gui_crystal = 65;          // GUICrystal_78
constexpr int gui_lives = 187;           // GUILives_221
constexpr int gui_weapon_slot = 188;     // GUIWeaponSlot_233
constexpr int gui_timer = 263;           // GUITimer_349
// GUITimerM_213, GUITimerS_211, GUITimerMilli_207, GUITimerMilli2_210,
// GUITimerS2_212, GUITimerM2_214.
constexpr int gui_timer_counters[] = {180, 178, 174, 177, 179, 181};

// The collision-layer markers.
constexpr int layer_switch = 95;         // LayerChangeSwitch_114
constexpr int layer_to_0 = 96;           // LayerChangeTo0_115
constexpr int layer_to_1 = 97;           // LayerChangeTo1_116

// One single-instance support object: its last-added instance.
class Single {
public:
    explicit Single(ObjectList& list) : list(list) {}

    double operator[](char name) const { return get_value(instance_or_default(list), name); }
    void set(char name, double number) const { set_value(instance_of(list), name, number); }
    bool flag(int bit) const { return get_flag(instance_or_default(list), bit); }
    void set_flag(int bit, bool on) const { ::set_flag(instance_of(list), bit, on); }
    void set_string(unsigned index, const std::string& text) const
    {
        FrameObject* object = instance_of(list);
        if (object && object->alterables)
            object->alterables->strings.get(index) = text;
    }
    int x() const { return instance_or_default(list).get_x(); }
    int y() const { return instance_or_default(list).get_y(); }

private:
    ObjectList& list;
};

inline int layer_index(const FrameObject& object) { return object.layer ? object.layer->index : 0; }

// Modes 2 to 6 move the player by other means than the run and boost events.
inline bool run_blocked_by_mode(double mode)
{
    return mode == 2 || mode == 3 || mode == 4 || mode == 5 || mode == 6;
}

}  // namespace player_ground
