// The stage's start events that put the player on its start marker, give
// the sensors their offsets, set up the camera and queue the stage music.
#include "audio/media.h"
#include "game/events/stage_loops/music_queue.h"
#include "game/frames/event_support.h"
#include "game/frames/frames.h"
#include "objects/stringparser.h"
#include "runtime/layer.h"

namespace {


// Where each sensor sits from the player's position.
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

// The player's objects in the order they move onto the marker's layer, so
// that later ones draw in front; `every` moves all instances of the type.
struct LayerMove {
    int type;
    bool every;
};

constexpr LayerMove layer_moves[] = {
    {types::PlayerMovementValues_80, false},   {types::PlayerActionValuesA_86, false},
    {types::PlayerActionValuesB_164, false},   {types::PlayerOthers_75, false},
    {types::PlayerGimmickActions_150, false},  {types::PlayerInput_21, false},
    {types::PlayerCharacterSensor_151, false}, {types::Player_87, false},
    {types::PlayerSensorTopBig_93, false},     {types::PlayerSensorTop_92, false},
    {types::PlayerSensorBottomBig_95, false},  {types::PlayerSensorBottom_94, false},
    {types::PlayerSensorPlatform_97, false},   {types::PlayerSensorLeftBig_89, false},
    {types::PlayerSensorLeft_88, false},       {types::PlayerSensorRightBig_91, false},
    {types::PlayerSensorRight_90, false},      {types::PlayerSensorSlopes_96, false},
    {types::PlayerSensorLeftEdge_100, false},  {types::PlayerSensorRightEdge_101, false},
    {types::PlayerSensorLeftAngle_98, false},  {types::PlayerSensorRightAngle_99, false},
    {types::PlayerSkinDorrik_339, true},       {types::PlayerSkinPimsaBike_338, true},
    {types::PlayerSkinPimsa_324, true},        {types::PlayerSkinOrrun_290, true},
    {types::PlayerSkinYelto_102, false},       {types::ShieldWood_103, true},
    {types::ShieldFlameFront_104, true},       {types::ShieldFlameBack_152, true},
    {types::ShieldMagnetic_105, true},         {types::ShieldWater_106, true},
    {types::PlayerReflect_343, false},         {types::PlayerSkinHespin_351, true},
};

}  // namespace

void Frames::event_func_2204()
{
    if (!level_group_43 || !level_group_23)
        return;
    for (const SensorOffset& sensor : sensor_offsets) {
        FrameObject* object = instance_of(instances[sensor.type]);
        set_value(object, 'A', sensor.dx);
        set_value(object, 'B', sensor.dy);
    }
    set_value(instance_of(instances[types::PlayerActionValuesB_164]), 'T', 0.96875);
    set_value(instance_of(instances[types::GUILifeBaseMeter_77]), 'B', 0);
    for_each_instance(instances[types::PlayerSkinPimsaBike_338], [](FrameObject* bike) { set_flag(bike, 6, false); });
    set_flag(instance_of(instances[types::PlayerOthers_75]), 10, false);
}

namespace {

// What events 2205 to 2207 share: the character, the start position, and the
// player on its feet in the air, facing right, with every step switched on.
void start_player(Frames& frames, double x, double y)
{
    FrameObject* values = instance_of(frames.instances[types::PlayerMovementValues_80]);
    set_value(values, 'A', frames.global_values->get(1));
    set_value(values, 'X', x);
    set_value(values, 'Y', y);
    for (const char name : {'Q', 'S', 'T', 'U', 'V'})
        set_value(values, name, 1);
    set_value(values, 'L', 0);
}

}  // namespace

void Frames::event_func_2205()
{
    if (!level_group_43 || !level_group_23 || !(global_values->get(4) <= 0))
        return;
    start_player(*this, -32, instance_or_default(instances[types::PlayerStartingPoint_160]).get_y() + 16);
}

void Frames::event_func_2206()
{
    if (!level_group_43 || !level_group_23 || global_values->get(4) != 1)
        return;
    const FrameObject& marker = instance_or_default(instances[types::PlayerStartingPoint_160]);
    start_player(*this, marker.get_x() + 16, marker.get_y() + 16);
}

void Frames::event_func_2207()
{
    if (!level_group_43 || !level_group_23 || !(global_values->get(4) > 1))
        return;
    start_player(*this, global_values->get(5), global_values->get(6));
}

void Frames::event_func_2208()
{
    if (!level_group_43 || !level_group_23)
        return;
    const FrameObject& marker = instance_or_default(instances[types::PlayerStartingPoint_160]);
    const int k = layer_index(marker);
    for (const LayerMove& move : layer_moves) {
        if (move.every)
            for_each_instance(instances[move.type], [k](FrameObject* object) { object->set_layer(k); });
        else if (FrameObject* object = instance_of(instances[move.type]))
            object->set_layer(k);
    }
}

void Frames::event_func_2209()
{
    if (!level_group_43 || !level_group_23)
        return;
    if (FrameObject* marker = instance_of(instances[types::PlayerStartingPoint_160]))
        marker->set_global_position(-32, -32);
}

void Frames::event_func_2223()
{
    if (!level_group_43 || !(global_values->get(4) >= 0))
        return;
    music::write_call(*this, "play_music(" + global_strings->get(5) + ")");
}

void Frames::event_func_2224()
{
    if (!level_group_43 || !level_group_8)
        return;
    FrameObject* camera = instance_of(instances[types::MasterCamera_190]);
    set_value(camera, 'X', screen_width / 2);
    set_value(camera, 'Y', screen_height / 2);
}

void Frames::event_func_2225()
{
    if (!level_group_43 || !level_group_8)
        return;
    FrameObject* camera = instance_of(instances[types::MasterCamera_190]);
    set_value(camera, 'E', width);
    set_value(camera, 'F', height);
    // Each trigger takes the centre of the limits paired with it by number;
    // a limit type with no instance pairs nothing, and its reads see the
    // default instance at (0, 0).
    int i = 0;
    for_each_instance(instances[types::CameraTriggerBoss_169], [&](FrameObject* trigger) {
        const int left = paired_or_default(instances[types::CameraLimitBossLeft_165], i).get_x();
        const int right = paired_or_default(instances[types::CameraLimitBossRight_166], i).get_x();
        const int top = paired_or_default(instances[types::CameraLimitBossTop_167], i).get_y();
        const int bottom = paired_or_default(instances[types::CameraLimitBossBottom_168], i).get_y();
        set_value(trigger, 'A', (int64_t(left) + right) / 2);
        set_value(trigger, 'B', (int64_t(top) + bottom) / 2);
        ++i;
    });
}

void Frames::event_func_2226()
{
    if (!level_group_43 || !level_group_8)
        return;
    const FrameObject& values = instance_or_default(instances[types::PlayerMovementValues_80]);
    FrameObject* camera = instance_of(instances[types::MasterCamera_190]);
    set_value(camera, 'A', get_value(values, 'X'));
    set_value(camera, 'B', get_value(values, 'Y'));
}

void Frames::event_func_2229()
{
    if (!level_group_43)
        return;
    for_each_instance(instances[types::StringParser_184], [](FrameObject* object) {
        auto* parser = static_cast<StringParser*>(object);
        for (const char* delimiter : {"(", ",", ")"})
            parser->add_delimiter(delimiter);
    });
    media.set_channel_volume(music::channel, global_values->get(25));
    media.lock(music::channel);
}
