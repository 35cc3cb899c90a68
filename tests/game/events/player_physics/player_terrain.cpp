#include "tests/game/events/player_physics/player_terrain.h"

#include "game/frames/event_support.h"
#include "game/objects/class_lookup.h"
#include "game/objects/classes.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace player_terrain {

namespace {

using FramesEvent = void (Frames::*)();

struct NumberedEvent {
    int number;
    FramesEvent function;
};

// The act's events from the player engine to the ground speed.
constexpr NumberedEvent player_events[] = {
    {594, &Frames::event_func_594}, {595, &Frames::event_func_595}, {596, &Frames::event_func_596},
    {597, &Frames::event_func_597}, {598, &Frames::event_func_598}, {599, &Frames::event_func_599},
    {600, &Frames::event_func_600}, {601, &Frames::event_func_601}, {602, &Frames::event_func_602},
    {603, &Frames::event_func_603}, {604, &Frames::event_func_604}, {605, &Frames::event_func_605},
    {606, &Frames::event_func_606}, {607, &Frames::event_func_607}, {608, &Frames::event_func_608},
    {609, &Frames::event_func_609}, {610, &Frames::event_func_610}, {611, &Frames::event_func_611},
    {612, &Frames::event_func_612}, {613, &Frames::event_func_613}, {614, &Frames::event_func_614},
    {615, &Frames::event_func_615}, {616, &Frames::event_func_616}, {617, &Frames::event_func_617},
    {618, &Frames::event_func_618}, {619, &Frames::event_func_619}, {620, &Frames::event_func_620},
    {621, &Frames::event_func_621}, {622, &Frames::event_func_622}, {623, &Frames::event_func_623},
    {624, &Frames::event_func_624}, {625, &Frames::event_func_625}, {626, &Frames::event_func_626},
    {627, &Frames::event_func_627}, {628, &Frames::event_func_628}, {629, &Frames::event_func_629},
    {630, &Frames::event_func_630}, {631, &Frames::event_func_631}, {632, &Frames::event_func_632},
    {633, &Frames::event_func_633}, {634, &Frames::event_func_634}, {635, &Frames::event_func_635},
    {636, &Frames::event_func_636}, {637, &Frames::event_func_637}, {638, &Frames::event_func_638},
    {639, &Frames::event_func_639}, {640, &Frames::event_func_640}, {641, &Frames::event_func_641},
    {642, &Frames::event_func_642}, {643, &Frames::event_func_643}, {644, &Frames::event_func_644},
    {645, &Frames::event_func_645}, {646, &Frames::event_func_646}, {647, &Frames::event_func_647},
    {648, &Frames::event_func_648}, {649, &Frames::event_func_649}, {650, &Frames::event_func_650},
    {651, &Frames::event_func_651}, {652, &Frames::event_func_652}, {653, &Frames::event_func_653},
    {654, &Frames::event_func_654}, {655, &Frames::event_func_655}, {656, &Frames::event_func_656},
    {657, &Frames::event_func_657}, {658, &Frames::event_func_658}, {659, &Frames::event_func_659},
    {660, &Frames::event_func_660}, {661, &Frames::event_func_661}, {662, &Frames::event_func_662},
    {663, &Frames::event_func_663}, {664, &Frames::event_func_664}, {665, &Frames::event_func_665},
    {666, &Frames::event_func_666}, {667, &Frames::event_func_667}, {668, &Frames::event_func_668},
    {669, &Frames::event_func_669}, {670, &Frames::event_func_670}, {671, &Frames::event_func_671},
    {672, &Frames::event_func_672}, {673, &Frames::event_func_673}, {674, &Frames::event_func_674},
    {675, &Frames::event_func_675}, {676, &Frames::event_func_676}, {677, &Frames::event_func_677},
    {678, &Frames::event_func_678}, {679, &Frames::event_func_679}, {680, &Frames::event_func_680},
    {681, &Frames::event_func_681}, {682, &Frames::event_func_682}, {683, &Frames::event_func_683},
    {684, &Frames::event_func_684}, {685, &Frames::event_func_685}, {686, &Frames::event_func_686},
    {687, &Frames::event_func_687}, {688, &Frames::event_func_688}, {689, &Frames::event_func_689},
    {690, &Frames::event_func_690}, {691, &Frames::event_func_691}, {692, &Frames::event_func_692},
    {693, &Frames::event_func_693}, {694, &Frames::event_func_694}, {695, &Frames::event_func_695},
    {696, &Frames::event_func_696}, {697, &Frames::event_func_697}, {698, &Frames::event_func_698},
    {699, &Frames::event_func_699}, {700, &Frames::event_func_700}, {701, &Frames::event_func_701},
    {702, &Frames::event_func_702}, {703, &Frames::event_func_703}, {704, &Frames::event_func_704},
    {705, &Frames::event_func_705}, {706, &Frames::event_func_706}, {707, &Frames::event_func_707},
    {708, &Frames::event_func_708}, {709, &Frames::event_func_709}, {710, &Frames::event_func_710},
};

// Where each sensor sits from the player's exact position, as the act's
// start events give it.
struct SensorOffset {
    int type;
    int dx, dy;
};

constexpr SensorOffset sensor_offsets[] = {
    {types::PlayerSensorLeft_88, -12, -2},     {types::PlayerSensorLeftBig_89, -13, -2},
    {types::PlayerSensorRight_90, 12, -2},     {types::PlayerSensorRightBig_91, 13, -2},
    {types::PlayerSensorTop_92, 0, -12},       {types::PlayerSensorTopBig_93, 0, -13},
    {types::PlayerSensorBottom_94, 0, 12},     {types::PlayerSensorBottomBig_95, 0, 13},
    {types::PlayerSensorSlopes_96, 0, 24},     {types::PlayerSensorPlatform_97, 0, -5},
    {types::PlayerSensorLeftAngle_98, -7, 0},  {types::PlayerSensorRightAngle_99, 7, 0},
    {types::PlayerSensorLeftEdge_100, -8, 12}, {types::PlayerSensorRightEdge_101, 8, 12},
};

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
    for (const SensorOffset& sensor : sensor_offsets) {
        FrameObject* object = frames.instances[sensor.type].back;
        set(object, 'A', sensor.dx);
        set(object, 'B', sensor.dy);
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

void run_player_events(Frames& frames, int first, int last)
{
    for (const NumberedEvent& event : player_events) {
        if (event.number < first || event.number > last)
            continue;
        const int n = event.number;
        if (!frames.level_group_43)
            continue;
        if (n >= 595 && !frames.level_group_23)
            continue;
        if (n >= 630 && n <= 668 && !frames.level_group_19)
            continue;
        if (n == 630 && !frames.level_group_56)
            continue;
        if (n >= 676 && !frames.level_group_41)
            continue;
        (frames.*event.function)();
    }
}

}  // namespace player_terrain
