// The act 1 frame (frame index 4): its set-up. Its start events are in
// act1_start.cpp, its tick handler and collision pass in act1_tick.cpp.
#include "game/frames/act_layout.h"
#include "game/frames/event_support.h"
#include "game/frames/frames.h"
#include "game/frames/object_groups.h"
#include "game/frames/preload.h"

#include <vector>

namespace {

constexpr int act1_index = 4;

const std::vector<const char*> monitors = {
    "MonitorRings_119",        "MonitorCrystals_120", "MonitorFireShield_121", "MonitorMetalShield_122",
    "MonitorWaterShield_123",  "MonitorInvincibility_124", "MonitorCrate_126", "Monitor1up_127",
    "MonitorBomb_128",
};

// The object groups of the act, each with its member types in the order the
// events visit them.
ObjectGroupTable& act1_groups()
{
    static ObjectGroupTable groups({
        {&Frames::qualifier_5, {"MasterGroupsA_83", "PlayerActionValuesA_86", "PlayerActionValuesB_164"}},
        {&Frames::qualifier_6,
         {"MasterGroupsA_83", "LevelValleyPlatform1_149", "RedSpringUpRight_199", "LevelMovingPlatform2_265",
          "LevelMovingPlatform3_281"}},
        {&Frames::qualifier_17,
         {"EnemyPokkol_138", "EnemyZemmetJr_271", "EnemyDragonfly_272", "MinibossSkalvidWeakspot_307"}},
        {&Frames::qualifier_20,
         {"LevelParallaxPiece0_161", "LevelParallaxPiece1_205", "LevelParallaxPiece2_206",
          "LevelParallaxPiece2_215", "LevelParallaxPiece3_216", "LevelParallaxPiece4_217",
          "LevelParallaxPiece5_218", "LevelParallaxPiece6_219", "LevelParallaxPiece7_240"}},
        {&Frames::qualifier_3,
         joined_classes({{"MasterGroupsA_83", "PlayerActionValuesA_86"},
                 monitors,
                 {"HazardSpikesUp_133", "HazardSpikesDown_134", "HazardSpikesLeft_135", "HazardSpikesRight_136",
                  "GimmickBridgeLog_140", "LevelValleyPlatform1_149", "GimmickCollapsingPlatformLeftBrick02_154",
                  "PlayerActionValuesB_164", "YellowSpringUpLeft_193", "YellowSpringUpRight_194",
                  "YellowSpringUp_195", "YellowSpringRight_196", "YellowSpringLeft_197", "YellowSpringDown_198",
                  "RedSpringUpRight_199", "RedSpringUpLeft_200", "RedSpringUp_201", "RedSpringRight_202",
                  "RedSpringLeft_203", "RedSpringDown_204", "LevelMovingPlatform2_265", "LadderTop_268",
                  "LevelMovingPlatform3_281", "MonitorWoodShield_311", "MonitorEarthShield_312",
                  "MonitorKeystone_322"}})},
        {&Frames::qualifier_4, {"MasterGroupsA_83", "PlayerActionValuesA_86", "PlayerActionValuesB_164"}},
        {&Frames::qualifier_1,
         joined_classes({{"MasterGroupsA_83", "PlayerActionValuesA_86"},
                 monitors,
                 {"HazardSpikesUp_133", "HazardSpikesDown_134", "HazardSpikesLeft_135", "HazardSpikesRight_136",
                  "PlayerActionValuesB_164", "SpiralTunnelMask_188", "YellowSpringRight_196",
                  "YellowSpringLeft_197", "YellowSpringDown_198", "RedSpringUp_201", "RedSpringRight_202",
                  "RedSpringLeft_203", "RedSpringDown_204", "BreakableRock_282", "MinibossBarrier_308",
                  "MonitorWoodShield_311", "MonitorEarthShield_312", "MonitorKeystone_322"}})},
        {&Frames::qualifier_2,
         {"MasterGroupsA_83", "PlayerActionValuesA_86", "GimmickBridgeLog_140", "LevelValleyPlatform1_149",
          "GimmickCollapsingPlatformLeftBrick02_154", "PlayerActionValuesB_164", "YellowSpringUpLeft_193",
          "YellowSpringUpRight_194", "YellowSpringUp_195", "RedSpringUpRight_199", "RedSpringUpLeft_200",
          "LevelMovingPlatform2_265", "LadderTop_268", "LevelMovingPlatform3_281"}},
        {&Frames::qualifier_18,
         joined_classes({{"PlayerSkinYelto_102", "GUIIcon_108", "ObjectPetal_117"},
                 monitors,
                 {"EffectsExplosion01_130", "EnemyPokkol_138", "PlayerSkinYeltoHair_209", "ObjectCrystal_239",
                  "EffectsDebris_266", "EnemyZemmetJr_271", "EnemyDragonfly_272", "BossVashkelHead_273",
                  "ObjectKeystone_278", "ObjectCodec_279", "ObjectExtraLife_289", "PlayerSkinOrrun_290",
                  "EffectsExplosion06_291", "MinibossSkalvidLeftLeg1_293", "MinibossSkalvidLeftLeg4_294",
                  "MinibossSkalvidRightLeg2_295", "MinibossSkalvidRightLeg5_296", "MinibossSkalvidRightLeg3_297",
                  "MinibossSkalvidRightLeg6_298", "MinibossSkalvidLeftLeg2_299", "MinibossSkalvidLeftLeg5_300",
                  "MinibossSkalvidLeftLeg3_301", "MinibossSkalvidLeftLeg6_302", "MinibossSkalvidRightLeg1_303",
                  "MinibossSkalvidRightLeg4_304", "MinibossSkalvidBase_305", "EffectShade_309",
                  "MonitorWoodShield_311", "MonitorEarthShield_312", "MonitorKeystone_322",
                  "PlayerSkinPimsaTail_323", "PlayerSkinPimsa_324", "EffectsOrrunImage_335",
                  "PlayerSkinPimsaBike_338", "PlayerSkinDorrik_339", "ObjectFuel_341", "PlayerSkinDorrikTail_342",
                  "PlayerSkinHespinArm_350", "PlayerSkinHespin_351"}})},
        {&Frames::qualifier_15, {"Sparkle1_178", "Sparkle2_180", "Sparkle3_181", "Sparkle4_182", "Sparkle5_183"}},
        {&Frames::qualifier_16, {"SpiralTunnelMask_188"}},
        {&Frames::qualifier_19,
         {"ShieldWood_103", "ShieldFlameFront_104", "ShieldMagnetic_105", "ShieldWater_106",
          "ShieldFlameBack_152", "ShieldEarth_315"}},
        {&Frames::qualifier_11, {"MasterGroupsB_84"}},
        {&Frames::qualifier_12, {"MasterGroupsB_84", "GeneralAngleChanger75_85"}},
        {&Frames::qualifier_13, joined_classes({monitors, {"MonitorWoodShield_311", "MonitorEarthShield_312",
                                                   "MonitorKeystone_322"}})},
        {&Frames::qualifier_14, {"GimmickHangingIdleSensor_153"}},
        {&Frames::qualifier_7,
         {"MasterGroupsA_83", "LevelValleyPlatform1_149", "LevelMovingPlatform2_265", "LevelMovingPlatform3_281"}},
        {&Frames::qualifier_8, {"MasterGroupsB_84"}},
        {&Frames::qualifier_9, {"MasterGroupsB_84", "LadderTop_268"}},
        {&Frames::qualifier_10, {"MasterGroupsB_84"}},
    });
    return groups;
}

// The groups as the act starts: the main gameplay block with the player
// engine, its physics and ground steps, the action states, three character
// move sets, the timed and hurt states, the item-box effect, the hanging
// gimmick, the boss and miniboss first stages, the camera and the intro
// cards. Everything else, the debug, input-reset and voice groups
// included, is off.
void set_up_act1_event_groups(Frames& f)
{
    for (int number = 1; number <= 74; ++number)
        deactivate_group(*f.level_group(number));
    for (int on : {1, 3, 6, 7, 8, 14, 16, 19, 23, 24, 31, 32, 34, 41, 43, 61, 73})
        activate_group(*f.level_group(on));
    // The shared groups (1, 5-7, 9-13) are the shared reset's; the intro's
    // own groups keep their values.
    f.reset_shared_event_state();
}

}  // namespace

void Frames::on_frame_5_init()
{
    set_up_header(act1_index, 14816, 1864, Color(0, 0, 0, 255));
    set_up_frame_images(act1_index);
    // Layer 6 is the HUD, fixed on the screen; the others scroll with the view.
    set_up_layers({{}, {}, {}, {}, {}, {}, {0.0, 0.0}, {}});
    act1_groups().attach(*this);
    place_act_layout(*this, 1, "./levels/act1.layout");
    reset_frame_event_state(5);
    set_up_named_loops(act1_index);
    set_up_act1_event_groups(*this);
}
