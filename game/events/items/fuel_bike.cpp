// Fuel pickups for the rider: they stand still unless the rider is on foot,
// mount the bike when touched on foot, refuel it when touched riding, and
// are hidden with a sparkle once taken.
#include "audio/media.h"
#include "game/frames/event_support.h"
#include "game/frames/frames.h"
#include "game/objects/classes.h"
#include "objects/active.h"
#include "runtime/collision.h"

#include <algorithm>

namespace {

constexpr double rider_on_foot = 2;
constexpr double rider_on_bike = 3;
constexpr unsigned mount_sample = 103;
constexpr int invincible_ticks = 30;

Active* as_active(FrameObject* object) { return static_cast<Active*>(object); }

// Available pickups the player touches, for the rider `character`, outside
// the dying modes.
bool touched_pickups(Frames& f, double character)
{
    ObjectList& fuels = f.instances[types::ObjectFuel_341];
    ObjectList& player = f.instances[types::Player_87];
    if (!select(fuels, [](FrameObject* fuel) { return get_value(*fuel, 'E') == 0; }))
        return false;
    select_all(player);
    if (!check_overlap(player, fuels))
        return false;
    ObjectList& values = f.instances[types::PlayerMovementValues_80];
    const double mode = get_value(values, 'M');
    return get_value(values, 'A') == character && mode != 9 && mode != 10;
}

void take_selected_pickups(Frames& f)
{
    for_each_selected(f.instances[types::ObjectFuel_341], [](FrameObject* fuel) { set_value(fuel, 'E', 1); });
}

void brief_invincibility(Frames& f)
{
    ObjectList& others = f.instances[types::PlayerOthers_75];
    set_value(others, 'D', 1);
    set_value(others, 'E', std::max(get_value(others, 'E'), double(invincible_ticks)));
}

void refuel(Frames& f)
{
    for_each_instance(f.instances[types::PlayerSkinPimsaBike_338], [](FrameObject* bike) { set_value(bike, 'C', 3); });
}

// The jump onto the bike leaves perpendicular to the slope: the speed
// vector (B, S) turned by the ground angle N.
void jump_onto_bike(Frames& f)
{
    ObjectList& values = f.instances[types::PlayerMovementValues_80];
    ObjectList& actions = f.instances[types::PlayerActionValuesA_86];
    const double angle = get_value(values, 'N'), speed = get_value(values, 'B'), jump = get_value(actions, 'A');
    set_value(values, 'G', event_cos(angle) * jump - event_sin(angle) * speed);
    set_value(values, 'B', event_sin(angle) * jump + event_cos(angle) * speed);
    set_value(values, 'L', 0);
    set_value(values, 'N', 0);
    set_value(values, 'M', 1);
    set_value(actions, 'C', 1);
}

}  // namespace

void Frames::event_func_1652()
{
    if (!level_group_43 || get_value(instances[types::PlayerMovementValues_80], 'A') == rider_on_foot)
        return;
    if (!run_once(run_once_1652, loop_count))
        return;
    for_each_instance(instances[types::ObjectFuel_341], [](FrameObject* fuel) {
        as_active(fuel)->force_frame(0);
        as_active(fuel)->force_speed(0);
    });
}

// Both alternatives share the run-once word: while the rider is on foot the
// first refreshes it and restores nothing, so the pickups stay frozen.
void Frames::event_func_1653()
{
    if (!level_group_43)
        return;
    if (get_value(instances[types::PlayerMovementValues_80], 'A') == rider_on_foot)
        run_once(run_once_1653, loop_count);
    ObjectList& fuels = instances[types::ObjectFuel_341];
    if (!select(fuels, [](FrameObject* fuel) { return get_flag(*fuel, 2); }) || !run_once(run_once_1653, loop_count))
        return;
    for_each_selected(fuels, [](FrameObject* fuel) {
        as_active(fuel)->restore_frame();
        as_active(fuel)->restore_speed();
    });
}

// The rider on foot touches a pickup and mounts the bike.
void Frames::event_func_1654()
{
    if (!level_group_43 || !touched_pickups(*this, rider_on_foot))
        return;
    jump_onto_bike(*this);
    media.play_id(mount_sample, -1, 1);
    set_value(instances[types::PlayerOthers_75], 'Y', 8);
    set_value(instances[types::PlayerMovementValues_80], 'A', rider_on_bike);
    ObjectList& parked = instances[types::ObjectBike_340];
    for_each_instance(parked, [](FrameObject* bike) { bike->destroy(); });
    for_each_instance(instances[types::PlayerSkinPimsaBike_338], [](FrameObject* skin) {
        as_active(skin)->force_speed(100);
        set_flag(skin, 8, true);
    });
    brief_invincibility(*this);
    take_selected_pickups(*this);
    create_at_each(*this, parked, instances[types::EffectsWhiteBurst_31], create_effectswhiteburst_31);
    global_values->set(1, 3);
    refuel(*this);
}

void Frames::event_func_1655()
{
    if (!level_group_43 || !touched_pickups(*this, rider_on_bike))
        return;
    refuel(*this);
    take_selected_pickups(*this);
    brief_invincibility(*this);
}

void Frames::event_func_1656()
{
    if (!level_group_43)
        return;
    ObjectList& fuels = instances[types::ObjectFuel_341];
    if (!select(fuels, [](FrameObject* fuel) { return get_value(*fuel, 'E') == 1; }))
        return;
    create_at_each(*this, fuels, instances[types::RingSparkle_179], create_ringsparkle_179);
    for_each_selected(fuels, [](FrameObject* fuel) {
        add_value(fuel, 'E', 1);
        fuel->set_visible(false);
    });
}
