// The scatter burst: ten spikes raised in a fan where the scatter bomb
// landed, one a tick; and the hit rule of the projectile kinds 10 to 16.
#include "game/events/move_sets/hespin_weapons.h"
#include "game/objects/classes.h"
#include "objects/active.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int spike = 16;
constexpr int spike_count = 10;
constexpr double spike_spacing = 6;
constexpr int spike_shader = 28;
constexpr float spike_start_scale = 0.1f;

bool burst_running(FrameObject* arm) { return get_value(*arm, 'W') > 0; }

}  // namespace

// One spike a tick, alternating left and right of the landing point, 6
// pixels further out each time, at a random tilt.
void Frames::event_func_1408()
{
    if (!hespin::armed(*this))
        return;
    ObjectList& arms = instances[types::PlayerSkinHespinArm_350];
    if (!select(arms, burst_running))
        return;
    const FrameObject& arm = *arms.back_selection();
    const double w = get_value(arm, 'W');
    ObjectList& shots = instances[types::PlayerProjectile_336];
    auto* made = static_cast<Active*>(create_instance(*this, shots, create_playerprojectile_336(-32, -32), 0));
    made->set_x(to_int(get_value(arm, 'X') + (w - 1) * spike_spacing * (2 * std::fmod(w, 2.0) - 1)));
    made->set_y(to_int(get_value(arm, 'Y')));
    made->force_animation(10);
    made->force_frame(29);
    set_value(made, 'A', made->get_x());
    set_value(made, 'B', made->get_y());
    set_value(made, 'J', spike);
    set_value(made, 'H', -30);
    made->set_angle(randrange_event(1408, 91) - 45, 0);
    for_each_selected(arms, [](FrameObject* a) { add_value(a, 'W', 1); });
    made->set_y_scale(spike_start_scale);
    made->set_shader(spike_shader);
    set_flag(made, 1, true);
    set_value(made, 'K', 1);
    made->set_layer(layer_index(instance_or_default(instances[types::Player_87])));
    set_value(made, 'I', 2);
}

// The fan stops after ten spikes.
void Frames::event_func_1409()
{
    if (!hespin::armed(*this))
        return;
    ObjectList& arms = instances[types::PlayerSkinHespinArm_350];
    if (!select(arms, [](FrameObject* arm) { return get_value(*arm, 'W') > spike_count; }))
        return;
    for_each_selected(arms, [](FrameObject* arm) { set_value(arm, 'W', 0); });
}

// The spikes grow upwards to full height.
void Frames::event_func_1410()
{
    if (!hespin::armed(*this))
        return;
    for_each_shot(*this, of_kind(spike), [](FrameObject* shot) {
        auto* sprite = static_cast<Active*>(shot);
        sprite->set_y_scale(float(std::min(double(sprite->y_scale) + 0.1, 1.0)));
    });
}

// Armed spikes hit with a cool-down of 5.
void Frames::event_func_1411()
{
    if (hespin::armed(*this))
        projectile_hit(*this, 1411, [](FrameObject* shot) { return of_kind(spike)(shot) && get_value(*shot, 'K') > 0; },
                       5);
}

// Puff shots, explosive shots and wobbling risers hit with a cool-down of 4.
void Frames::event_func_1426()
{
    if (hespin::armed(*this))
        projectile_hit(*this, 1426, [](FrameObject* shot) {
            const double kind = get_value(*shot, 'J');
            return kind == 10 || kind == 11 || kind == 12;
        }, 4);
}

// Stretch and steered shots hit with a cool-down of 6.
void Frames::event_func_1434()
{
    if (hespin::armed(*this))
        projectile_hit(*this, 1434, [](FrameObject* shot) {
            const double kind = get_value(*shot, 'J');
            return kind == 13 || kind == 14;
        }, 6);
}
