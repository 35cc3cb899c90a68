#include "tests/game/events/player_physics/player_terrain.h"

#include "game/frames/event_support.h"
#include "game/objects/class_lookup.h"
#include "game/objects/classes.h"
#include "tests/game/events/player_physics/player_course.h"
#include "tests/game/events/player_stage.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace player_terrain {

namespace {

// The player's objects in the act's creation order.
const char* const player_classes[] = {
    "MasterLevel_53",          "PlayerInput_21",          "PlayerOthers_75",
    "PlayerMovementValues_80", "MasterGroupsA_83",        "MasterGroupsB_84",
    "PlayerActionValuesA_86",  "Player_87",               "PlayerSensorLeft_88",
    "PlayerSensorLeftBig_89",  "PlayerSensorRight_90",    "PlayerSensorRightBig_91",
    "PlayerSensorTop_92",      "PlayerSensorTopBig_93",   "PlayerSensorBottom_94",
    "PlayerSensorBottomBig_95", "PlayerSensorSlopes_96",  "PlayerSensorPlatform_97",
    "PlayerSensorLeftAngle_98", "PlayerSensorRightAngle_99", "PlayerSensorLeftEdge_100",
    "PlayerSensorRightEdge_101", "PlayerSkinYelto_102",   "PlayerGimmickActions_150",
    "PlayerCharacterSensor_151", "PlayerActionValuesB_164", "MasterCamera_190",
};

const char* const monitors[] = {
    "MonitorRings_119",       "MonitorCrystals_120",      "MonitorFireShield_121", "MonitorMetalShield_122",
    "MonitorWaterShield_123", "MonitorInvincibility_124", "MonitorCrate_126",      "Monitor1up_127",
    "MonitorBomb_128",        "MonitorWoodShield_311",    "MonitorEarthShield_312", "MonitorKeystone_322",
};

// The act's object groups that the player's events read: the solid
// objects, the platforms and springs, the edge cancellers, the two
// collision-layer groups and the item boxes.
struct GroupMembers {
    QualifierList Frames::*group;
    std::vector<std::string> classes;
};

std::vector<std::string> with_monitors(std::vector<std::string> classes)
{
    classes.insert(classes.end(), std::begin(monitors), std::end(monitors));
    return classes;
}

const std::vector<GroupMembers>& player_groups()
{
    static const std::vector<GroupMembers> groups = {
        {&Frames::qualifier_1,
         with_monitors({"MasterGroupsA_83", "PlayerActionValuesA_86", "HazardSpikesUp_133", "HazardSpikesDown_134",
                        "HazardSpikesLeft_135", "HazardSpikesRight_136", "PlayerActionValuesB_164",
                        "SpiralTunnelMask_188", "YellowSpringRight_196", "YellowSpringLeft_197",
                        "YellowSpringDown_198", "RedSpringUp_201", "RedSpringRight_202", "RedSpringLeft_203",
                        "RedSpringDown_204", "BreakableRock_282", "MinibossBarrier_308"})},
        {&Frames::qualifier_2,
         {"MasterGroupsA_83", "PlayerActionValuesA_86", "GimmickBridgeLog_140", "LevelValleyPlatform1_149",
          "GimmickCollapsingPlatformLeftBrick02_154", "PlayerActionValuesB_164", "YellowSpringUpLeft_193",
          "YellowSpringUpRight_194", "YellowSpringUp_195", "RedSpringUpRight_199", "RedSpringUpLeft_200",
          "LevelMovingPlatform2_265", "LadderTop_268", "LevelMovingPlatform3_281"}},
        {&Frames::qualifier_3,
         with_monitors({"MasterGroupsA_83", "PlayerActionValuesA_86", "HazardSpikesUp_133", "HazardSpikesDown_134",
                        "HazardSpikesLeft_135", "HazardSpikesRight_136", "GimmickBridgeLog_140",
                        "LevelValleyPlatform1_149", "GimmickCollapsingPlatformLeftBrick02_154",
                        "PlayerActionValuesB_164", "YellowSpringUpLeft_193", "YellowSpringUpRight_194",
                        "YellowSpringUp_195", "YellowSpringRight_196", "YellowSpringLeft_197",
                        "YellowSpringDown_198", "RedSpringUpRight_199", "RedSpringUpLeft_200", "RedSpringUp_201",
                        "RedSpringRight_202", "RedSpringLeft_203", "RedSpringDown_204", "LevelMovingPlatform2_265",
                        "LadderTop_268", "LevelMovingPlatform3_281"})},
        {&Frames::qualifier_4, {"MasterGroupsA_83", "PlayerActionValuesA_86", "PlayerActionValuesB_164"}},
        {&Frames::qualifier_5, {"MasterGroupsA_83", "PlayerActionValuesA_86", "PlayerActionValuesB_164"}},
        {&Frames::qualifier_13, with_monitors({})},
    };
    return groups;
}

// The member arrays live for the process, as a set-up's do.
void set_up_groups(Frames& frames)
{
    static std::vector<std::vector<ObjectList*>> arrays;
    const std::vector<GroupMembers>& groups = player_groups();
    if (arrays.empty()) {
        for (const GroupMembers& group : groups) {
            std::vector<ObjectList*> lists;
            for (const std::string& name : group.classes)
                if (const ClassInfo* info = find_class(name))
                    lists.push_back(&frames.instances[info->type_id]);
                else
                    ADD_FAILURE() << "no class " << name;
            lists.push_back(nullptr);
            arrays.push_back(std::move(lists));
        }
    }
    for (size_t i = 0; i < groups.size(); ++i)
        (frames.*groups[i].group).set(int(arrays[i].size()) - 1, arrays[i].data());
}

// The level groups as the act's set-up leaves them.
void set_up_level_groups(Frames& frames)
{
    for (int number = 1; number <= 74; ++number)
        deactivate_group(*frames.level_group(number));
    for (int on : {1, 3, 6, 7, 8, 14, 16, 19, 23, 24, 31, 32, 34, 41, 43, 61, 73})
        activate_group(*frames.level_group(on));
    frames.reset_shared_event_state();
}

void set(FrameObject* object, char letter, double number)
{
    if (object && object->alterables)
        object->alterables->values.set(unsigned(letter - 'A'), number);
}

FrameObject* add(Frames& frames, const char* class_name, int x, int y)
{
    FrameObject* object = create_object(class_name, x, y);
    if (!object) {
        ADD_FAILURE() << "no class " << class_name;
        return nullptr;
    }
    return frames.add_object(object, playfield_layer);
}

void place_player(Frames& frames, const TerrainScene& scene)
{
    // The kept objects start as a fresh run has them, whatever an earlier
    // scene left in them.
    class_records::alterables_53 = SavedAlterables{};
    class_records::alterables_75 = SavedAlterables{};
    const double start_y = scene.standing ? scene.floor_top - 10 : scene.start_y;
    for (const char* name : player_classes)
        add(frames, name, int(scene.start_x), int(start_y));
    // Where each sensor sits from the player's exact position, as the act's
    // start events give it.
    for (const player_course::Offset& sensor : player_course::sensor_offsets) {
        FrameObject* object = frames.instances[sensor.type].back;
        set(object, 'A', sensor.a);
        set(object, 'B', sensor.b);
    }
    set(frames.instances[types::PlayerActionValuesB_164].back, 'T', 0.96875);
    // The camera bounds the sensors to the frame.
    FrameObject* camera = frames.instances[types::MasterCamera_190].back;
    set(camera, 'C', 0);
    set(camera, 'D', 0);
    set(camera, 'E', scene.width);
    set(camera, 'F', scene.height);
    // The level has water only where a test says so.
    set(frames.instances[types::MasterLevel_53].back, 'A', 0);
    FrameObject* values = frames.instances[types::PlayerMovementValues_80].back;
    set(values, 'A', scene.character);
    set(values, 'X', scene.start_x);
    set(values, 'Y', start_y);
    for (const char name : {'Q', 'S', 'T', 'U', 'V'})
        set(values, name, 1);
    set(values, 'L', scene.standing ? 1 : 0);
    if (scene.standing)
        for (const int foot : {types::PlayerSensorBottom_94, types::PlayerSensorBottomBig_95,
                               types::PlayerSensorLeftEdge_100, types::PlayerSensorRightEdge_101})
            set(frames.instances[foot].back, 'Z', 1);
}

}  // namespace

FrameObject* place_terrain(Frames& frames, TerrainPiece piece)
{
    static const char* const classes[] = {"LevelBackdrop02_142", "VostrelRockSlope4_223", "VostrelRockSlope4_224",
                                          "VostrelWall1_220"};
    FrameObject* object = create_object(classes[piece.kind], piece.x, piece.y);
    if (!object) {
        ADD_FAILURE() << "no terrain class " << classes[piece.kind];
        return nullptr;
    }
    frames.add_background_object(object, playfield_layer);
    return object;
}

EmptyFrame player_terrain_frame(TerrainScene scene)
{
    EmptyFrame frame;
    frame.layers = 8;
    frame.width = scene.width;
    frame.height = scene.height;
    frame.handler = scene.handler;
    frame.start = scene.start;
    frame.set_up = [scene](Frames& frames) {
        frames.reset_frame_event_state(5);
        frames.set_up_named_loops(4);
        set_up_level_groups(frames);
        set_up_groups(frames);
        if (scene.floor_top >= 0)
            for (int x = 0; x < scene.width; x += tile)
                place_terrain(frames, {TerrainPiece::floor, x, scene.floor_top});
        for (const TerrainPiece& piece : scene.pieces)
            place_terrain(frames, piece);
        place_player(frames, scene);
        if (scene.set_up)
            scene.set_up(frames);
    };
    return frame;
}

void run_player_events(Frames& frames, int first, int last) { player_stage::run_act1_events(frames, first, last); }

}  // namespace player_terrain
