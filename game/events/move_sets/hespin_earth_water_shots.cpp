// The earth shot, which bursts into two beams; the water droplet, which
// splashes at a random pitch; and the water bomb, which sprays droplets.
#include "audio/media.h"
#include "game/events/move_sets/hespin_weapons.h"
#include "game/objects/classes.h"
#include "objects/active.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int earth_shot = 6;
constexpr int droplet = 7;
constexpr int water_bomb = 8;
constexpr double earth_shot_flight_end = -20;
constexpr double droplet_passes_until = -50;
constexpr double water_bomb_gravity = 0.1;
constexpr unsigned earth_burst_sample = 204;
constexpr unsigned splash_sample = 206;
constexpr double degrees_per_radian = 57.29577951308232;

bool bursting_earth_shot(FrameObject* shot)
{
    return get_value(*shot, 'J') == earth_shot && get_value(*shot, 'H') > earth_shot_flight_end;
}

bool droplet_that_splashes(FrameObject* shot)
{
    return get_value(*shot, 'J') == droplet && get_value(*shot, 'H') > droplet_passes_until;
}

bool whole_water_bomb(FrameObject* shot) { return get_value(*shot, 'J') == water_bomb && not_burst(shot); }

}  // namespace

// An earth shot touching anything bursts at once.
void Frames::event_func_1412()
{
    if (!hespin::armed(*this))
        return;
    ObjectList& shots = instances[types::PlayerProjectile_336];
    if (!select_filtered_then_touching(*this, of_kind(earth_shot),
                                       {Contact::background, Contact::solids, Contact::enemies}))
        return;
    for_each_selected(shots, [](FrameObject* shot) { set_value(shot, 'H', 0); });
}

// The burst: two beams, up and down, from where the shot is.
void Frames::event_func_1413()
{
    if (!hespin::armed(*this) || !select(instances[types::PlayerProjectile_336], bursting_earth_shot))
        return;
    arms_at_selected_shots(*this);
    run_loop(fast_loop_earthflyer, 1, &Frames::loop_earthflyer_4);
    media.play_id(earth_burst_sample, -1, 1);
    shake_at_least(*this, 3);
}

// The burst shot is replaced by a flash; flashes already there are squashed.
void Frames::event_func_1414()
{
    if (!hespin::armed(*this))
        return;
    ObjectList& shots = instances[types::PlayerProjectile_336];
    if (!select(shots, bursting_earth_shot))
        return;
    for_each_instance(instances[types::EffectsWhiteBurst_31], [](FrameObject* flash) {
        static_cast<Active*>(flash)->set_x_scale(0.25f);
        static_cast<Active*>(flash)->set_y_scale(0.75f);
    });
    for_each_selected(shots, [](FrameObject* shot) { shot->destroy(); });
    flash_at_each(*this, shots);
}

// A droplet flickers, falls and points along its flight.
void Frames::event_func_1415()
{
    if (!hespin::armed(*this))
        return;
    const int frame = global_frame(*this, 9, 2);
    for_each_shot(*this, of_kind(droplet), [frame](FrameObject* shot) {
        static_cast<Active*>(shot)->force_frame(frame);
        set_value(shot, 'D', std::min(get_value(*shot, 'D') + 0.3, 15.0));
        shot->set_angle(to_int(std::atan2(-get_value(*shot, 'D'), get_value(*shot, 'C')) * degrees_per_radian), 0);
    });
}

// A droplet splashes on any contact once it is out of its bomb.
void Frames::event_func_1416()
{
    if (!hespin::armed(*this))
        return;
    ObjectList& shots = instances[types::PlayerProjectile_336];
    if (!select_filtered_then_touching(*this, droplet_that_splashes,
                                       {Contact::background, Contact::solids, Contact::enemies}))
        return;
    for_each_selected(shots, [](FrameObject* shot) { shot->destroy(); });
    media.play_id(splash_sample, -1, 1);
    media.set_sample_frequency(splash_sample, 34100 + randrange_event(1416, 20001));
    auto* splash = static_cast<Active*>(flash_at_each(*this, shots));
    splash->set_scale(0.6f);
    splash->set_x(splash->get_x() + randrange_event(1416, 9) - 4);
    splash->set_y(splash->get_y() + randrange_event(1416, 9) - 4);
}

// A water bomb falls slowly, its age held.
void Frames::event_func_1417()
{
    if (hespin::armed(*this))
        fall_with_age_held(*this, whole_water_bomb, water_bomb_gravity);
}

// On its first contact the water bomb stops, hides and sprays fifteen
// droplets.
void Frames::event_func_1418()
{
    if (!hespin::armed(*this))
        return;
    ObjectList& bombs = instances[types::PlayerProjectile_336];
    if (!select_touching_then_filtered(*this, of_kind(water_bomb), not_burst,
                                       {Contact::background, Contact::solids_flag_0_off, Contact::enemies}))
        return;
    burst_selected(*this, true);
    shake_at_least(*this, 3);
    for_each_selected(bombs, [](FrameObject* bomb) { set_flag(bomb, 4, true); });
    run_loop(fast_loop_water, 15, &Frames::loop_water_4);
}
