// Act 1's start: the player on its marker, the sensors' offsets, the
// camera's centre, limits and position, and the stage music queued.
#include "audio/media.h"
#include "game/objects/type_ids.h"
#include "objects/arrayext.h"
#include "objects/stringparser.h"
#include "runtime/layer.h"
#include "tests/game/events/act1_frame/act1_start_kit.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

using namespace act1_test;

using Act1PlayerStart = StartTest;
using Act1Camera = StartTest;
using Act1Start = StartTest;

namespace {

// The player's objects as the act's set-up leaves them: out of sight on
// layer 5, the shields on layer 2, the marker in the playfield.
const char* const support_classes[] = {
    "PlayerMovementValues_80", "PlayerActionValuesA_86", "PlayerActionValuesB_164", "PlayerOthers_75",
    "PlayerGimmickActions_150", "PlayerInput_21", "PlayerCharacterSensor_151", "Player_87",
    "PlayerSensorLeft_88", "PlayerSensorLeftBig_89", "PlayerSensorRight_90", "PlayerSensorRightBig_91",
    "PlayerSensorTop_92", "PlayerSensorTopBig_93", "PlayerSensorBottom_94", "PlayerSensorBottomBig_95",
    "PlayerSensorSlopes_96", "PlayerSensorPlatform_97", "PlayerSensorLeftAngle_98",
    "PlayerSensorRightAngle_99", "PlayerSensorLeftEdge_100", "PlayerSensorRightEdge_101",
    "PlayerSkinYelto_102", "PlayerSkinOrrun_290", "PlayerSkinPimsa_324", "PlayerSkinPimsaBike_338",
    "PlayerSkinDorrik_339", "PlayerSkinHespin_351", "PlayerReflect_343", "GUILifeBaseMeter_77",
    "MasterCamera_190", "FunctionMusic_50", "StringParser_184",
};

void place_player(EventKit& kit, int marker_x = 53, int marker_y = 429)
{
    int x = -400;
    for (const char* name : support_classes)
        kit.place(name, x -= 24, -100, 5);
    kit.place("ShieldWood_103", -200, -60, 2);
    kit.place("PlayerStartingPoint_160", marker_x, marker_y, 2);
}

// The act's start events on a frame holding the player's objects.
void enter_act_start(EventKit& kit, std::function<void(Frames&)> more = {})
{
    kit.enter_empty_frame(act_frame(
        [&kit, more](Frames& frames) {
            place_player(kit);
            if (more)
                more(frames);
        },
        [](Frames& frames) { frames.on_frame_5_start_events(); }));
}

std::vector<int> depth_order(const Layer& layer)
{
    std::vector<int> types;
    for (const FrameObject* object = layer.first; object; object = object->layer_next)
        types.push_back(object->id);
    return types;
}

}  // namespace

TEST_F(Act1PlayerStart, a_fresh_entry_starts_the_player_on_the_marker_the_camera_on_the_player_and_the_music)
{
    EventKit kit;
    kit.set_global(4, 0);
    kit.set_global(1, 2);
    kit.set_global(25, 40);
    enter_act_start(kit);
    EXPECT_EQ(kit.global(4), 1);
    FrameObject* values = kit.instance(types::PlayerMovementValues_80);
    EXPECT_EQ(EventKit::values(values, "AXYLQSTUV"), doubles(2, 69, 445, 0, 1, 1, 1, 1, 1));
    FrameObject* marker = kit.instance(types::PlayerStartingPoint_160);
    EXPECT_EQ(marker->get_x(), -32);
    EXPECT_EQ(marker->get_y(), -32);
    // The camera takes the view centre, the act size and the player position.
    FrameObject* camera = kit.instance(types::MasterCamera_190);
    EXPECT_EQ(EventKit::values(camera, "XYEFAB"), doubles(213, 120, act_width, act_height, 69, 445));

    // The stage music call is queued and the music channel set and locked.
    auto* calls = static_cast<ArrayObject*>(kit.instance(types::FunctionMusic_50));
    const int queued_at = calls->data.current_x - 1;
    EXPECT_EQ(calls->get_string(queued_at, -1, -1), "play_music(5)");
    EXPECT_EQ(static_cast<StringParser*>(kit.instance(types::StringParser_184))->delimiters, "(,)");
    EXPECT_EQ(media.get_channel_volume(31), 40);
    EXPECT_TRUE(media.channels[31].locked);
    // The next call goes into the next cell; an empty name gives "()"; the
    // volume is clamped.
    kit.frames().global_strings->set(5, "");
    kit.set_global(25, 150);
    kit.frames().event_func_2223();
    kit.frames().event_func_2229();
    EXPECT_EQ(calls->get_string(queued_at + 1, -1, -1), "play_music()");
    EXPECT_EQ(calls->data.current_x, queued_at + 2);
    EXPECT_EQ(media.get_channel_volume(31), 100);
}

TEST_F(Act1PlayerStart, the_start_mode_chooses_the_marker_the_stored_position_or_the_left_edge)
{
    EventKit kit;
    // A restart: the stored position, (0, 0) while none is stored.
    kit.set_global(4, 3);
    kit.set_global(5, 0);
    kit.set_global(6, 0);
    enter_act_start(kit);
    EXPECT_EQ(EventKit::values(kit.instance(types::PlayerMovementValues_80), "XY"), doubles(0, 0));
    kit.set_global(5, 7040);
    kit.set_global(6, 512);
    enter_act_start(kit);
    EXPECT_EQ(EventKit::values(kit.instance(types::PlayerMovementValues_80), "XY"), doubles(7040, 512));
    EXPECT_EQ(kit.global(4), 3);

    // Start mode -1 (act 2 runs the events without the floor): the player
    // comes in from the left at the marker's height, and no music is queued.
    kit.set_global(4, -1);
    int queue_end = -1;
    const auto place = [&](Frames& frames) {
        place_player(kit);
        // The call array keeps its cells from entry to entry.
        queue_end = static_cast<ArrayObject*>(frames.instances[types::FunctionMusic_50].back)->data.current_x;
    };
    kit.enter_empty_frame(act_frame(place, [](Frames& frames) {
        frames.event_func_2205();
        frames.event_func_2206();
        frames.event_func_2207();
        frames.event_func_2223();
    }));
    EXPECT_EQ(EventKit::values(kit.instance(types::PlayerMovementValues_80), "XY"), doubles(-32, 445));
    const auto* calls = static_cast<ArrayObject*>(kit.instance(types::FunctionMusic_50));
    EXPECT_EQ(calls->data.current_x, queue_end);
}

TEST_F(Act1PlayerStart, sensors_get_their_offsets_and_the_player_objects_move_onto_the_marker_layer)
{
    EventKit kit;
    kit.set_global(4, 1);
    enter_act_start(kit);
    const struct {
        int type, a, b;
    } offsets[] = {{73, -12, -2}, {74, -13, -2}, {75, 12, -2}, {76, 13, -2}, {77, 0, -12},
                   {78, 0, -13},  {79, 0, 12},   {80, 0, 13},  {81, 0, 24},  {82, 0, -5},
                   {83, -7, 0},   {84, 7, 0},    {85, -8, 12}, {86, 8, 12}};
    for (const auto& sensor : offsets) {
        EXPECT_EQ(EventKit::value(kit.instance(sensor.type), 'A'), sensor.a) << sensor.type;
        EXPECT_EQ(EventKit::value(kit.instance(sensor.type), 'B'), sensor.b) << sensor.type;
    }
    EXPECT_EQ(EventKit::value(kit.instance(types::PlayerActionValuesB_164), 'T'), 0.96875);  // PlayerActionValuesB_164
    EXPECT_FALSE(EventKit::flag(kit.instance(types::PlayerOthers_75), 10));

    // Everything but the marker's own layer moves, in the events' order:
    // the later in front. The shield already on layer 2 keeps its place
    // behind them; camera and music objects stay on layer 5.
    const Layer& playfield = kit.frames().layers[2];
    const std::vector<int> order = depth_order(playfield);
    const std::vector<int> expected = {88,  67,  71,  133, 62,  122, 17,  123, 72,  78,  77,  80,  79,  82,
                                       74,  73,  76,  75,  81,  85,  86,  83,  84,  254, 253, 247, 213, 87,
                                       258, 265};
    // The marker was added after the shield and stays where it was.
    ASSERT_GE(order.size(), 2u);
    EXPECT_EQ(order[0], 88);
    EXPECT_EQ(order[1], types::PlayerStartingPoint_160);
    EXPECT_EQ(std::vector<int>(order.begin() + 2, order.end()),
              std::vector<int>(expected.begin() + 1, expected.end()));
    EXPECT_EQ(kit.instance(types::MasterCamera_190)->layer->index, 5);
    // The player keeps its frame position across the move.
    EXPECT_EQ(kit.instance(types::Player_87)->layer->index, 2);
}

TEST_F(Act1Camera, boss_triggers_take_the_centre_of_the_limits_paired_with_them)
{
    EventKit kit;
    // One set of limits, two triggers: both get the same centre, truncated
    // toward zero.
    enter_act_start(kit, [&](Frames&) {
        kit.place("CameraLimitBossLeft_165", 2103, -200, 2);
        kit.place("CameraLimitBossRight_166", 2424, -200, 2);
        kit.place("CameraLimitBossTop_167", 2200, -313, 2);
        kit.place("CameraLimitBossBottom_168", 2200, -72, 2);
        kit.place("CameraTriggerBoss_169", 2300, -100, 2);
        kit.place("CameraTriggerBoss_169", 2350, -100, 2);
    });
    for (FrameObject* trigger : kit.instances(types::CameraTriggerBoss_169)) {
        EXPECT_EQ(EventKit::values(trigger, "AB"), doubles(2263, -192));
    }

    // Two sets: the newest trigger pairs with the newest limits.
    enter_act_start(kit, [&](Frames&) {
        for (const int x : {1000, 5000}) {
            kit.place("CameraLimitBossLeft_165", x, 0, 2);
            kit.place("CameraLimitBossRight_166", x + 400, 0, 2);
            kit.place("CameraLimitBossTop_167", x, 100, 2);
            kit.place("CameraLimitBossBottom_168", x, 301, 2);
            kit.place("CameraTriggerBoss_169", x + 100, 200, 2);
        }
    });
    const std::vector<FrameObject*> triggers = kit.instances(types::CameraTriggerBoss_169);
    EXPECT_EQ(EventKit::value(triggers[0], 'A'), 1200);
    EXPECT_EQ(EventKit::values(triggers[1], "AB"), doubles(5200, 200));

    // Only a left limit: the types without an instance pair nothing (no
    // division by their count of 0) and read as the default instance at
    // (0, 0).
    enter_act_start(kit, [&](Frames&) {
        kit.place("CameraLimitBossLeft_165", 800, 0, 2);
        kit.place("CameraTriggerBoss_169", 900, 200, 2);
    });
    EXPECT_EQ(EventKit::values(kit.instance(types::CameraTriggerBoss_169), "AB"), doubles(400, 0));
}

// The act's own set-up, start events and first tick.
TEST_F(Act1Start, entering_the_act_starts_the_player_camera_and_music)
{
    EventKit kit;
    kit.enter_frame(4);
    EXPECT_EQ(kit.global(4), 1);
    FrameObject* values = kit.instance(types::PlayerMovementValues_80);
    EXPECT_EQ(EventKit::value(values, 'X'), 69);
    // Started at 445 (the camera keeps it below); the first tick's physics
    // settles the player onto the floor a few pixels away.
    EXPECT_NEAR(EventKit::value(values, 'Y'), 445, 8);
    EXPECT_EQ(kit.instance(types::PlayerStartingPoint_160)->get_x(), -32);
    EXPECT_EQ(kit.instance(types::Player_87)->layer->index, 2);
    FrameObject* camera = kit.instance(types::MasterCamera_190);
    // The first tick's camera has run on the start's values: the act's
    // limits end half a view past the sign; the centre, started on the
    // player at (69, 445), is eased 2 towards the left limit's 213, and the
    // landing a few pixels lower eases it down by 4.
    const double sign_x = kit.instance(types::Sign_170)->get_x();
    EXPECT_EQ(EventKit::values(camera, "XYCDEF"), doubles(213, 120, 0, 0, sign_x + 213, act_height));
    EXPECT_EQ(EventKit::values(camera, "AB"), doubles(69 + 2, 445 - 4));
    // The camera trigger of the boss area, with the stand-in limits.
    EXPECT_EQ(EventKit::values(kit.instance(types::CameraTriggerBoss_169), "AB"), doubles(2263, -192));
    // The stage music call is written and taken in the same tick.
    auto* calls = static_cast<ArrayObject*>(kit.instance(types::FunctionMusic_50));
    EXPECT_EQ(calls->get_string(0, -1, -1), "play_music(5)");
    EXPECT_EQ(calls->data.current_x, 0);
    EXPECT_EQ(music_count(kit.take_sounds(), "m_stage1.ogg"), 1);
    EXPECT_EQ(media.get_channel_volume(31), 100);
    EXPECT_TRUE(media.channels[31].locked);
}
