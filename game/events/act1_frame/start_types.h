// The object types act 1's start events name, by type id, and the small
// value helpers they share.
#pragma once

#include "game/frames/event_support.h"
#include "runtime/frameobject.h"
#include "runtime/values.h"

namespace act1_start {

// HUD and level cards.
constexpr int gui_pause = 94;            // GUIPause_109
constexpr int level_card_fade = 175;     // LevelCardFade_208
constexpr int pause_crystal = 244;       // Crystal_321
constexpr int card_game_over = 159;      // LevelCardGameOver_191
constexpr int card_intro_2 = 210;        // LevelCardIntro2_287
constexpr int card_intro_3 = 211;        // LevelCardIntro3_288
constexpr int card_fade_2 = 25;          // LevelCardFade2_32
constexpr int gui_crystal = 65;          // GUICrystal_78 (counter)
constexpr int gui_rings = 61;            // GUIRings_74 (counter)
constexpr int gui_life_meter = 64;       // GUILifeBaseMeter_77
// GUITimer_349, GUITimerMilli_207, GUITimerMilli2_210, GUITimerS_211,
// GUITimerS2_212, GUITimerM_213, GUITimerM2_214, in the order they move.
constexpr int gui_timers[] = {263, 174, 177, 178, 179, 180, 181};

// Level objects.
constexpr int master_level = 43;         // MasterLevel_53
constexpr int object_codec = 205;        // ObjectCodec_279
constexpr int bridge_log = 120;          // GimmickBridgeLog_140
constexpr int bridge = 119;              // GimmickBridge12Logs_139
constexpr int monitor_broken = 99;       // MonitorBroken_118
constexpr int monitor_icon = 106;        // MonitorIcon_125
constexpr int monitor_rings = 100;       // MonitorRings_119
constexpr int monitor_crystals = 101;    // MonitorCrystals_120
constexpr int extra_life = 212;          // ObjectExtraLife_289
constexpr int background_plane = 266;    // LevelBackgroundPlane2_352
constexpr int link = 155;                // LINK_186
constexpr int petal = 98;                // ObjectPetal_117
constexpr int crystal = 189;             // ObjectCrystal_239
constexpr int ring_loss = 110;           // MasterRingLoss_129
constexpr int skin_hespin_arm = 264;     // PlayerSkinHespinArm_350
constexpr int save_data = 10;            // SaveData_10

// The player and its support objects.
constexpr int player_others = 62;        // PlayerOthers_75
constexpr int player_input = 17;         // PlayerInput_21
constexpr int movement_values = 67;      // PlayerMovementValues_80
constexpr int action_values_a = 71;      // PlayerActionValuesA_86
constexpr int action_values_b = 133;     // PlayerActionValuesB_164
constexpr int gimmick_actions = 122;     // PlayerGimmickActions_150
constexpr int character_sensor = 123;    // PlayerCharacterSensor_151
constexpr int player = 72;               // Player_87
constexpr int start_marker = 130;        // PlayerStartingPoint_160
constexpr int skin_yelto = 87;           // PlayerSkinYelto_102
constexpr int skin_orrun = 213;          // PlayerSkinOrrun_290
constexpr int skin_pimsa = 247;          // PlayerSkinPimsa_324
constexpr int skin_pimsa_bike = 253;     // PlayerSkinPimsaBike_338
constexpr int skin_dorrik = 254;         // PlayerSkinDorrik_339
constexpr int skin_hespin = 265;         // PlayerSkinHespin_351
constexpr int reflection = 258;          // PlayerReflect_343
constexpr int sensor_left = 73;          // PlayerSensorLeft_88 ... PlayerSensorRightEdge_101: 73-86
constexpr int sensor_left_big = 74;
constexpr int sensor_right = 75;
constexpr int sensor_right_big = 76;
constexpr int sensor_top = 77;
constexpr int sensor_top_big = 78;
constexpr int sensor_bottom = 79;
constexpr int sensor_bottom_big = 80;
constexpr int sensor_slopes = 81;
constexpr int sensor_platform = 82;
constexpr int sensor_left_angle = 83;
constexpr int sensor_right_angle = 84;
constexpr int sensor_left_edge = 85;
constexpr int sensor_right_edge = 86;
// Shields, as event 2216 hides them: ShieldWood_103, ShieldEarth_315,
// ShieldWater_106, ShieldFlameFront_104, ShieldFlameBack_152, ShieldMagnetic_105.
constexpr int shield_wood = 88;
constexpr int shield_earth = 238;
constexpr int shield_water = 91;
constexpr int shield_flame_front = 89;
constexpr int shield_flame_back = 124;
constexpr int shield_magnetic = 90;

// Camera and music.
constexpr int master_camera = 158;       // MasterCamera_190
constexpr int camera_trigger_boss = 138; // CameraTriggerBoss_169
constexpr int limit_boss_left = 134;     // CameraLimitBossLeft_165
constexpr int limit_boss_right = 135;    // CameraLimitBossRight_166
constexpr int limit_boss_top = 136;      // CameraLimitBossTop_167
constexpr int limit_boss_bottom = 137;   // CameraLimitBossBottom_168
constexpr int music_calls = 40;          // FunctionMusic_50
constexpr int music_parser = 153;        // StringParser_184
constexpr int music_channel = 31;

}  // namespace act1_start
