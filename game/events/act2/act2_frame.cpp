// The act 2 frame (frame index 5): its set-up. Its start events are in
// act2_start_events.cpp, its tick handler in act2_tick_handler.cpp and its
// collision pass in act2_collision_events.cpp.
#include "game/frames/act_layout.h"
#include "game/frames/event_support.h"
#include "game/frames/frames.h"
#include "game/frames/object_groups.h"
#include "game/frames/preload.h"

#include <vector>

namespace {

constexpr int act2_index = 5;
constexpr int act2_number = 6;

const std::vector<const char*> item_boxes = {
    "MonitorRings_119",       "MonitorCrystals_120",      "MonitorFireShield_121",  "MonitorMetalShield_122",
    "MonitorWaterShield_123", "MonitorInvincibility_124", "MonitorCrate_126",       "Monitor1up_127",
    "MonitorBomb_128",        "MonitorWoodShield_311",    "MonitorEarthShield_312", "MonitorKeystone_322",
};
const std::vector<const char*> item_boxes_before_spikes(item_boxes.begin(), item_boxes.begin() + 9);
const std::vector<const char*> spikes = {"HazardSpikesUp_133", "HazardSpikesDown_134", "HazardSpikesLeft_135",
                                         "HazardSpikesRight_136"};
const std::vector<const char*> late_item_boxes = {"MonitorWoodShield_311", "MonitorEarthShield_312",
                                                  "MonitorKeystone_322"};

// The act's object groups, each with its member types in the order the
// events visit them. A member stands for every class of its type id.
ObjectGroupTable& act2_groups()
{
    static ObjectGroupTable groups({
        {&Frames::qualifier_20,
         {"LevelParallaxPiece0_161", "LevelParallaxPiece1_205", "LevelParallaxPiece2_206", "LevelParallaxPiece2_215",
          "LevelParallaxPiece3_216", "LevelParallaxPiece4_217", "LevelParallaxPiece5_218", "LevelParallaxPiece6_219",
          "LevelParallaxPiece7_367", "LevelParallaxPiece9_386", "LevelParallaxPiece8_387", "LevelParallaxPiece10_388",
          "LevelParallaxPiece11_390"}},
        {&Frames::qualifier_1,
         joined_classes({{"MasterGroupsA_83", "PlayerActionValuesA_86"},
                         item_boxes_before_spikes,
                         spikes,
                         {"PlayerActionValuesB_164", "SpiralTunnelMask_188", "YellowSpringRight_196",
                          "YellowSpringLeft_197", "YellowSpringDown_198", "RedSpringUp_201", "RedSpringRight_202",
                          "RedSpringLeft_203", "RedSpringDown_204", "BreakableRock_282"},
                         late_item_boxes,
                         {"LevelLayer0Loop04_357", "LevelLayer1Loop03_358", "LevelLayer016_359",
                          "LevelLayer115_360", "PushableBlock1_364", "SwitchDoor_378", "BreakableRock2_404"}})},
        {&Frames::qualifier_2,
         {"MasterGroupsA_83", "PlayerActionValuesA_86", "GimmickBridgeLog_140", "LevelValleyPlatform1_149",
          "GimmickCollapsingPlatformLeftBrick02_154", "PlayerActionValuesB_164", "YellowSpringUpLeft_193",
          "YellowSpringUpRight_194", "YellowSpringUp_195", "RedSpringUpRight_199", "RedSpringUpLeft_200",
          "LadderTop_268", "SpinningLogMask_392"}},
        {&Frames::qualifier_3,
         joined_classes({{"MasterGroupsA_83", "PlayerActionValuesA_86"},
                         item_boxes_before_spikes,
                         spikes,
                         {"GimmickBridgeLog_140", "LevelValleyPlatform1_149",
                          "GimmickCollapsingPlatformLeftBrick02_154", "PlayerActionValuesB_164",
                          "YellowSpringUpLeft_193", "YellowSpringUpRight_194", "YellowSpringUp_195",
                          "YellowSpringRight_196", "YellowSpringLeft_197", "YellowSpringDown_198",
                          "RedSpringUpRight_199", "RedSpringUpLeft_200", "RedSpringUp_201", "RedSpringRight_202",
                          "RedSpringLeft_203", "RedSpringDown_204", "LadderTop_268"},
                         late_item_boxes,
                         {"PushableBlock1_364", "SpinningLogMask_392"}})},
        {&Frames::qualifier_4,
         {"MasterGroupsA_83", "PlayerActionValuesA_86", "PlayerActionValuesB_164", "LevelLayer0Loop04_357",
          "LevelLayer016_359"}},
        {&Frames::qualifier_5,
         {"MasterGroupsA_83", "PlayerActionValuesA_86", "PlayerActionValuesB_164", "LevelLayer1Loop03_358",
          "LevelLayer115_360"}},
        {&Frames::qualifier_6,
         {"MasterGroupsA_83", "LevelValleyPlatform1_149", "RedSpringUpRight_199", "SpinningLogMask_392"}},
        {&Frames::qualifier_7, {"MasterGroupsA_83", "LevelValleyPlatform1_149", "LevelGeyserPlate_375"}},
        {&Frames::qualifier_8, {"MasterGroupsB_84", "PushableBlock1_364"}},
        {&Frames::qualifier_9, {"MasterGroupsB_84", "LadderTop_268"}},
        {&Frames::qualifier_10, {"MasterGroupsB_84"}},
        {&Frames::qualifier_11, {"MasterGroupsB_84", "BossFireball_384"}},
        {&Frames::qualifier_12, {"MasterGroupsB_84", "GeneralAngleChanger75_85"}},
        {&Frames::qualifier_13, item_boxes},
        {&Frames::qualifier_14, {"GimmickHangingIdleSensor_153"}},
        {&Frames::qualifier_15, {"Sparkle1_178", "Sparkle2_180", "Sparkle3_181", "Sparkle4_182", "Sparkle5_183"}},
        {&Frames::qualifier_16, {"SpiralTunnelMask_188"}},
        {&Frames::qualifier_17,
         {"EnemyPokkol_138", "EnemyDragonfly_272", "EnemyZemmetJr_369", "BossSnakeBody_370", "BossSnakeHitbox_383",
          "EnemySporePod_393", "EnemyThornak_394", "EnemyStarFlounder_401"}},
        {&Frames::qualifier_18,
         joined_classes({{"PlayerSkinYelto_102", "GUIIcon_108", "ObjectPetal_117"},
                         item_boxes_before_spikes,
                         {"EffectsExplosion01_130", "EnemyPokkol_138", "PlayerSkinYeltoHair_209", "ObjectCrystal_239",
                          "EffectsDebris_266", "EnemyDragonfly_272", "BossVashkelHead_273", "ObjectKeystone_278",
                          "ObjectCodec_279", "ObjectExtraLife_289", "PlayerSkinOrrun_290", "EffectsExplosion06_291",
                          "EffectShade_309"},
                         late_item_boxes,
                         {"PlayerSkinPimsaTail_323", "PlayerSkinPimsa_324", "EffectsOrrunImage_335",
                          "PlayerSkinPimsaBike_338", "PlayerSkinDorrik_339", "ObjectFuel_341",
                          "PlayerSkinDorrikTail_342", "PlayerSkinHespinArm_350", "PlayerSkinHespin_351",
                          "EnemyZemmetJr_369", "BossSnakeBody_370", "BossSnakeHitbox_383", "BossFireball_384",
                          "EnemySporePod_393", "EnemyThornak_394", "EnemyStarFlounder_401"}})},
        {&Frames::qualifier_19,
         {"ShieldWood_103", "ShieldFlameFront_104", "ShieldMagnetic_105", "ShieldWater_106", "ShieldFlameBack_152",
          "ShieldEarth_315"}},
    });
    return groups;
}

// The miniboss and boss set pieces of act 1.
bool is_act1_only_group(int level_group)
{
    for (int only : {14, 34, 52, 57, 60, 68})
        if (level_group == only)
            return true;
    return false;
}

// The groups as the act starts: the main gameplay block with the player
// engine, its physics and ground steps, the action states, four character
// move sets, the timed and hurt states, the item-box effect, the hanging
// gimmick, the camera, the cards and the boss arena's first stages. The
// debug, input, voice, pause, opening-fade and later boss groups are off.
// The groups only act 1 runs keep what they hold.
void set_up_act2_event_groups(Frames& f)
{
    for (int number = 1; number <= 74; ++number)
        if (!is_act1_only_group(number))
            deactivate_group(*f.level_group(number));
    for (int on : {1, 3, 6, 7, 8, 16, 19, 23, 24, 31, 32, 41, 43, 61, 73})
        activate_group(*f.level_group(on));
    activate_group(f.arena_entry_group);
    activate_group(f.boss_arena_group);
    activate_group(f.boss_fight_sub_group_1);
    activate_group(f.boss_fight_sub_group_2);
    deactivate_group(f.boss_fight_group);
    deactivate_group(f.boss_fight_sub_group_3);
    deactivate_group(f.opening_fade_group);
    f.reset_shared_event_state();
}

}  // namespace

void Frames::on_frame_6_init()
{
    set_up_header(act2_index, 12800, 3200, Color(0, 0, 0, 255));
    set_up_frame_images(act2_index);
    // Layer 6 is the HUD, fixed on the screen; the others scroll with the view.
    set_up_layers({{}, {}, {}, {}, {}, {}, {0.0, 0.0}, {}});
    act2_groups().attach(*this);
    place_act_layout(*this, 2, "./levels/act2.layout");
    reset_frame_event_state(act2_number);
    set_up_named_loops(act2_index);
    set_up_act2_event_groups(*this);
}
