// The player's shots fly, steer, age and end with a spark or a burst; the
// after-images fade, grow while the newest one points down-right, and end;
// skidding to the left puffs dust.
#include "audio/media.h"
#include "game/frames/event_support.h"
#include "game/frames/frames.h"
#include "game/objects/classes.h"
#include "objects/active.h"
#include "runtime/movement.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int steered_flag = 2;
constexpr int expired_flag = 6;
constexpr double bursting_shot = 1;
constexpr int burst_animation = 7;
constexpr unsigned burst_sample = 154;
constexpr int oldest_shot = 20;
constexpr double after_image_end = 32;
constexpr double skid_mode = 4;

// The alpha 256 - 2t, within 0 ... 255: a semi-transparency t outside
// 0 ... 128 gives the same alpha as the nearer end, without overflow.
void fade_to(FrameObject* object, double semi)
{
    set_semi_transparency(*object, std::clamp(to_int(semi), 0, 128));
}

// One effect per ended shot, at its place on its layer.
template <class Make>
void mark_ends(Frames& f, ObjectList& shots, ObjectList& effects, Make make)
{
    bool first = true;
    for_each_selected(shots, [&](FrameObject* shot) {
        FrameObject* made = make(shot->x, shot->y);
        if (first)
            create_instance(f, effects, made, layer_index(*shot));
        else
            create_another(f, effects, made, layer_index(*shot));
        first = false;
    });
}

bool select_expired(ObjectList& shots, bool bursting)
{
    return select(shots, [&](FrameObject* s) {
        return get_flag(*s, expired_flag) && (get_value(*s, 'G') == bursting_shot) == bursting;
    });
}

}  // namespace

void Frames::event_func_2047()
{
    if (!level_group_43)
        return;
    // F counts frozen ticks: a shot flies while it is 0 or less.
    ObjectList& shots = instances[types::PlayerProjectile_336];
    select(shots, [](FrameObject* s) { return get_value(*s, 'F') <= 0; });
    for_each_selected(shots, [](FrameObject* s) {
        s->set_x(to_int(get_value(*s, 'A')));
        s->set_y(to_int(get_value(*s, 'B')));
        add_value(s, 'A', get_value(*s, 'C'));
        add_value(s, 'B', get_value(*s, 'D'));
    });
}

void Frames::event_func_2048()
{
    if (!level_group_43)
        return;
    ObjectList& shots = instances[types::PlayerProjectile_336];
    for_each_instance(shots, [](FrameObject* s) {
        const double left = get_value(*s, 'F') - 1;
        set_value(s, 'F', left >= 0 ? left : 0);
    });
    ObjectList& images = instances[types::EffectsOrrunImage_335];
    for_each_instance(images, [](FrameObject* image) { fade_to(image, 2 * get_value(*image, 'A') + 64); });
    for_each_selected(images, [](FrameObject* image) { add_value(image, 'A', 1); });
    for_each_selected(shots, [](FrameObject* s) { add_value(s, 'H', 1); });
}

void Frames::event_func_2049()
{
    if (!level_group_43)
        return;
    ObjectList& shots = instances[types::PlayerProjectile_336];
    select(shots, [](FrameObject* s) { return get_flag(*s, steered_flag); });
    for_each_selected(shots, [](FrameObject* s) {
        const double heading =
            std::atan2(get_value(*s, 'D'), get_value(*s, 'C')) * degrees_per_radian + 12 * get_value(*s, 'M');
        set_value(s, 'L', heading);
        set_value(s, 'C', 8 * event_cos(heading));
        set_value(s, 'D', 8 * event_sin(heading));
        // y grows downwards, so the sprite turns the other way.
        s->set_angle(to_int(-heading), 0);
    });
}

void Frames::event_func_2050()
{
    if (!level_group_43)
        return;
    ObjectList& shots = instances[types::PlayerProjectile_336];
    select(shots, [](FrameObject* s) { return get_value(*s, 'H') > oldest_shot; });
    for_each_selected(shots, [](FrameObject* s) { set_flag(s, expired_flag, true); });
}

void Frames::event_func_2051()
{
    if (!level_group_43)
        return;
    ObjectList& shots = instances[types::PlayerProjectile_336];
    if (!select_expired(shots, false))
        return;
    for_each_selected(shots, [](FrameObject* s) { s->destroy(); });
    mark_ends(*this, shots, instances[types::ThunderSpark_192], create_thunderspark_192);
}

void Frames::event_func_2052()
{
    if (!level_group_43)
        return;
    ObjectList& shots = instances[types::PlayerProjectile_336];
    select(shots, [](FrameObject* s) { return get_value(*s, 'G') == bursting_shot; });
    for_each_selected(shots, [](FrameObject* s) {
        static_cast<Active*>(s)->force_animation(burst_animation);
        s->set_angle(to_int(-std::atan2(get_value(*s, 'D'), get_value(*s, 'C')) * degrees_per_radian), 0);
    });
}

void Frames::event_func_2053()
{
    if (!level_group_43)
        return;
    ObjectList& shots = instances[types::PlayerProjectile_336];
    if (!select_expired(shots, true))
        return;
    for_each_selected(shots, [](FrameObject* s) { s->destroy(); });
    media.play_id(burst_sample, -1, 1);
    ObjectList& camera = instances[types::MasterCamera_190];
    const double shake = get_value(camera, 'Z') + 3;
    set_value(camera, 'Z', shake - 3 >= 0 ? 3 : shake);
    mark_ends(*this, shots, instances[types::EffectsWhiteBurst_31], create_effectswhiteburst_31);
}

void Frames::event_func_2054()
{
    if (!level_group_43)
        return;
    ObjectList& images = instances[types::EffectsOrrunImage_335];
    const FrameObject* newest = instance_of(images);
    if (!newest || newest->get_direction() < 2 || newest->get_direction() > 7)
        return;
    for_each_instance(images, [](FrameObject* image) { fade_to(image, 4 * get_value(*image, 'A')); });
    ObjectList& player = instances[types::PlayerMovementValues_80];
    for_each_selected(images, [&](FrameObject* image) {
        static_cast<Active*>(image)->set_scale(float(0.05 * get_value(*image, 'A') + 0.2));
        add_value(image, 'A', 1);
        image->set_x(to_int(get_value(player, 'X')));
        image->set_y(to_int(get_value(player, 'Y') - 12));
    });
}

void Frames::event_func_2055()
{
    if (!level_group_43)
        return;
    ObjectList& images = instances[types::EffectsOrrunImage_335];
    select(images, [](FrameObject* image) { return get_value(*image, 'A') >= after_image_end; });
    for_each_selected(images, [](FrameObject* image) { image->destroy(); });
}

void Frames::event_func_2056()
{
    if (!level_group_43)
        return;
    if (to_int(global_values->get(3)) % 2 != 0)
        return;
    ObjectList& player = instances[types::PlayerMovementValues_80];
    if (get_value(player, 'Q') != -1 || get_value(player, 'M') != skid_mode)
        return;
    if (!run_once(run_once_2056, loop_count))
        return;
    // The library's sine and cosine are exact enough at the four axes for
    // the truncation to give 0 and 13 there.
    const FrameObject& sensor = instance_or_default(instances[types::PlayerCharacterSensor_151]);
    const double angle = sensor.get_direction() * 11.25 / degrees_per_radian;
    const int dx = to_int(13 * std::sin(angle));
    const int dy = to_int(13 * std::cos(angle));
    FrameObject* dust = create_instance(*this, instances[types::EffectsDust01_132],
                                        create_effectsdust01_132(sensor.x + dx, sensor.y + dy), layer_index(sensor));
    if (!dust)
        return;
    dust->get_movement()->set_speed(4);
    constexpr int drift[] = {8, 9, 10};
    dust->set_direction(drift[randrange_event(2056, 3)], true);
}
