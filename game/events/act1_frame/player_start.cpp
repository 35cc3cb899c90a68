// The stage's start events that put the player on its start marker, give
// the sensors their offsets, set up the camera and queue the stage music.
#include "audio/media.h"
#include "game/events/act1_frame/start_types.h"
#include "game/frames/frames.h"
#include "objects/arrayext.h"
#include "objects/stringparser.h"
#include "runtime/layer.h"

using namespace act1_start;

namespace {

// Where each sensor sits from the player's position.
struct SensorOffset {
    int type;
    int dx, dy;
};

constexpr SensorOffset sensor_offsets[] = {
    {sensor_left, -12, -2},      {sensor_left_big, -13, -2},   {sensor_right, 12, -2},
    {sensor_right_big, 13, -2},  {sensor_top, 0, -12},         {sensor_top_big, 0, -13},
    {sensor_bottom, 0, 12},      {sensor_bottom_big, 0, 13},   {sensor_slopes, 0, 24},
    {sensor_platform, 0, -5},    {sensor_left_angle, -7, 0},   {sensor_right_angle, 7, 0},
    {sensor_left_edge, -8, 12},  {sensor_right_edge, 8, 12},
};

// The player's objects in the order they move onto the marker's layer, so
// that later ones draw in front; `every` moves all instances of the type.
struct LayerMove {
    int type;
    bool every;
};

constexpr LayerMove layer_moves[] = {
    {movement_values, false},    {action_values_a, false},    {action_values_b, false},
    {player_others, false},      {gimmick_actions, false},    {player_input, false},
    {character_sensor, false},   {player, false},             {sensor_top_big, false},
    {sensor_top, false},         {sensor_bottom_big, false},  {sensor_bottom, false},
    {sensor_platform, false},    {sensor_left_big, false},    {sensor_left, false},
    {sensor_right_big, false},   {sensor_right, false},       {sensor_slopes, false},
    {sensor_left_edge, false},   {sensor_right_edge, false},  {sensor_left_angle, false},
    {sensor_right_angle, false}, {skin_dorrik, true},         {skin_pimsa_bike, true},
    {skin_pimsa, true},          {skin_orrun, true},          {skin_yelto, false},
    {shield_wood, true},         {shield_flame_front, true},  {shield_flame_back, true},
    {shield_magnetic, true},     {shield_water, true},        {reflection, false},
    {skin_hespin, true},
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
    set_value(instance_of(instances[action_values_b]), 'T', 0.96875);
    set_value(instance_of(instances[gui_life_meter]), 'B', 0);
    for_each_instance(instances[skin_pimsa_bike], [](FrameObject* bike) { set_flag(bike, 6, false); });
    set_flag(instance_of(instances[player_others]), 10, false);
}

namespace {

// What events 2205 to 2207 share: the character, the start position, and the
// player on its feet in the air, facing right, with every step switched on.
void start_player(Frames& frames, double x, double y)
{
    FrameObject* values = instance_of(frames.instances[movement_values]);
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
    start_player(*this, -32, instance_or_default(instances[start_marker]).get_y() + 16);
}

void Frames::event_func_2206()
{
    if (!level_group_43 || !level_group_23 || global_values->get(4) != 1)
        return;
    const FrameObject& marker = instance_or_default(instances[start_marker]);
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
    const FrameObject& marker = instance_or_default(instances[start_marker]);
    const int k = marker.layer ? marker.layer->index : 0;
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
    if (FrameObject* marker = instance_of(instances[start_marker]))
        marker->set_global_position(-32, -32);
}

void Frames::event_func_2223()
{
    if (!level_group_43 || !(global_values->get(4) >= 0))
        return;
    const std::string call = "play_music(" + global_strings->get(5) + ")";
    for_each_instance(instances[music_calls], [&](FrameObject* object) {
        auto* calls = static_cast<ArrayObject*>(object);
        calls->set_string(call, -1, -1, -1);
        ++calls->data.current_x;
    });
}

void Frames::event_func_2224()
{
    if (!level_group_43 || !level_group_8)
        return;
    FrameObject* camera = instance_of(instances[master_camera]);
    set_value(camera, 'X', screen_width / 2);
    set_value(camera, 'Y', screen_height / 2);
}

void Frames::event_func_2225()
{
    if (!level_group_43 || !level_group_8)
        return;
    FrameObject* camera = instance_of(instances[master_camera]);
    set_value(camera, 'E', width);
    set_value(camera, 'F', height);
    // Each trigger takes the centre of the limits paired with it by number;
    // a limit type with no instance pairs nothing, and its reads see the
    // default instance at (0, 0).
    int i = 0;
    for_each_instance(instances[camera_trigger_boss], [&](FrameObject* trigger) {
        const int left = paired_or_default(instances[limit_boss_left], i).get_x();
        const int right = paired_or_default(instances[limit_boss_right], i).get_x();
        const int top = paired_or_default(instances[limit_boss_top], i).get_y();
        const int bottom = paired_or_default(instances[limit_boss_bottom], i).get_y();
        set_value(trigger, 'A', (int64_t(left) + right) / 2);
        set_value(trigger, 'B', (int64_t(top) + bottom) / 2);
        ++i;
    });
}

void Frames::event_func_2226()
{
    if (!level_group_43 || !level_group_8)
        return;
    const FrameObject& values = instance_or_default(instances[movement_values]);
    FrameObject* camera = instance_of(instances[master_camera]);
    set_value(camera, 'A', get_value(values, 'X'));
    set_value(camera, 'B', get_value(values, 'Y'));
}

void Frames::event_func_2229()
{
    if (!level_group_43)
        return;
    for_each_instance(instances[music_parser], [](FrameObject* object) {
        auto* parser = static_cast<StringParser*>(object);
        for (const char* delimiter : {"(", ",", ")"})
            parser->add_delimiter(delimiter);
    });
    media.set_channel_volume(music_channel, global_values->get(25));
    media.lock(music_channel);
}
