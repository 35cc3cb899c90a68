// The stretch shot, which stretches and then flies off along its angle;
// the steered shot, which the direction keys steer and which trails flashes.
#include "audio/media.h"
#include "game/events/move_sets/hespin_weapons.h"
#include "objects/active.h"

#include <algorithm>

namespace {

constexpr int stretch_shot = 13;
constexpr int steered_shot = 14;
constexpr double stretch_until = -9;
constexpr double stretch_speed = 20;
constexpr double steered_speed = 8;
constexpr double steered_life = 18;
constexpr unsigned steered_end_sample = 169;
constexpr unsigned steered_flight_sample = 212;

auto is_steered_shot = of_kind(steered_shot);

bool stretching_shot(FrameObject* shot)
{
    return get_value(*shot, 'J') == stretch_shot && get_value(*shot, 'H') < stretch_until;
}

bool stretched_shot_at_rest(FrameObject* shot)
{
    return get_value(*shot, 'J') == stretch_shot && get_value(*shot, 'H') >= stretch_until &&
           get_value(*shot, 'C') == 0;
}

// While a direction key is held, every projectile's steering direction L
// becomes `direction` of the keys held.
template <class Direction>
void steer(Frames& f, char key, Direction direction)
{
    ObjectList& input = f.instances[types::PlayerInput_21];
    if (get_value(input, key) != 1)
        return;
    const double l = direction(get_value(input, 'A'), get_value(input, 'B'), get_value(input, 'C'),
                               get_value(input, 'D'));
    set_value_of_all(f.instances[types::PlayerProjectile_336], 'L', l);
}

}  // namespace

// Standing, the stretch shot stretches along its x axis.
void Frames::event_func_1432()
{
    if (!hespin::armed(*this))
        return;
    for_each_shot(*this, stretching_shot, [](FrameObject* shot) {
        static_cast<Active*>(shot)->set_x_scale(float(std::min(2 * (get_value(*shot, 'H') + 20) + 1, 20.0)));
    });
}

// Then it flies off at 20 a tick along its angle.
void Frames::event_func_1433()
{
    if (!hespin::armed(*this))
        return;
    for_each_shot(*this, stretched_shot_at_rest, [](FrameObject* shot) {
        const double angle = shot->get_angle();
        set_value(shot, 'C', stretch_speed * event_cos(angle));
        set_value(shot, 'D', -stretch_speed * event_sin(angle));
    });
}

// The steered shot flickers, turns its sprite at random, trails a small
// flash and flies at 8 a tick along its steering direction.
void Frames::event_func_1435()
{
    if (!hespin::armed(*this))
        return;
    ObjectList& shots = instances[types::PlayerProjectile_336];
    if (!select(shots, is_steered_shot))
        return;
    const int frame = global_frame(*this, 31, 2);
    for_each_selected(shots, [frame](FrameObject* shot) {
        static_cast<Active*>(shot)->force_frame(frame);
        shot->set_angle(90 * randrange_event(1435, 4), 0);
    });
    auto* trail = static_cast<Active*>(flash_at_each(*this, shots));
    trail->force_frame(4);
    trail->set_scale(0.2f);
    trail->restore_frame();
    trail->force_speed(25);
    for_each_selected(shots, [](FrameObject* shot) {
        const double l = get_value(*shot, 'L');
        set_value(shot, 'C', steered_speed * event_cos(l));
        set_value(shot, 'D', -steered_speed * event_sin(l));
    });
}

// Its flight ends in a flash and a bang, and its flight sound stops.
void Frames::event_func_1436()
{
    if (!hespin::armed(*this))
        return;
    ObjectList& shots = instances[types::PlayerProjectile_336];
    if (!select(shots, [](FrameObject* shot) { return is_steered_shot(shot) && get_value(*shot, 'H') > steered_life; }))
        return;
    for_each_selected(shots, [](FrameObject* shot) { shot->destroy(); });
    flash_at_each(*this, shots);
    media.play_id(steered_end_sample, -1, 1);
    media.stop_sample(steered_flight_sample);
}

// Steering by the held direction keys, the last matching key deciding.
void Frames::event_func_1437()
{
    if (hespin::armed(*this))
        steer(*this, 'A', [](double, double, double l, double r) { return 90 + 45 * l - 45 * r; });
}

void Frames::event_func_1438()
{
    if (hespin::armed(*this))
        steer(*this, 'B', [](double, double, double l, double r) { return 270 + 45 * r - 45 * l; });
}

void Frames::event_func_1439()
{
    if (hespin::armed(*this))
        steer(*this, 'C', [](double u, double d, double, double) { return 180 + 45 * d - 45 * u; });
}

void Frames::event_func_1440()
{
    if (hespin::armed(*this))
        steer(*this, 'D', [](double u, double d, double, double) { return 45 * u - 45 * d; });
}
