// The parked motorbikes and Pimsa on and off them: she mounts one by
// dropping onto it, parks a guarded one where she leaves it, and loses it
// in an explosion when she dies riding; and two countdowns of her skin.
#include "audio/media.h"
#include "game/events/move_sets/motorbike.h"
#include "game/objects/classes.h"
#include "runtime/collision.h"

namespace {

constexpr double dismount_mode = 39, wall_grab_rest = 25;
constexpr unsigned mount_sample = 103, explosion_sample = 26;
constexpr int debris_passes = 5;
constexpr int mount_reach = 24;

ObjectList& player(Frames& f) { return f.instances[types::PlayerMovementValues_80]; }

// Lowers a value of every Pimsa skin that is above 0 by one.
void count_down(Frames& f, char name)
{
    ObjectList& skins = f.instances[types::PlayerSkinPimsa_324];
    if (select(skins, [name](FrameObject* skin) { return get_value(*skin, name) > 0; }))
        for_each_selected(skins, [name](FrameObject* skin) { add_value(skin, name, -1); });
}

// Falling onto a bike in a mode that may mount one.
bool may_mount(Frames& f)
{
    const double mode = get_value(player(f), 'M');
    return get_value(player(f), 'A') == player_values::pimsa_on_foot && get_value(player(f), 'L') == 0 &&
           mode != 8 && mode != 9 && mode != motorbike::wall_mode && mode != 48 && get_value(player(f), 'G') > 0;
}

// A bike parked at the player, on the player's layer.
FrameObject* park_bike(Frames& f)
{
    ObjectList& players = f.instances[types::Player_87];
    select_all(players);
    return create_at_each(f, players, f.instances[types::ObjectBike_340], create_objectbike_340);
}

// Leaving the bike: Pimsa on foot, now and at the next act start.
void leave_bike(Frames& f)
{
    set_value(player(f), 'A', player_values::pimsa_on_foot);
    f.global_values->set(1, player_values::pimsa_on_foot);
}

void mount(Frames& f, FrameObject& bike)
{
    ObjectList& others = f.instances[types::PlayerOthers_75];
    set_value(player(f), 'A', player_values::pimsa_on_bike);
    set_value(player(f), 'Q', get_value(bike, 'A'));
    set_value(player(f), 'X', bike.get_x());
    set_value(player(f), 'M', 0);
    set_value(player(f), 'B', 0);
    set_value(player(f), 'L', 1);
    set_value(player(f), 'Y', bike.get_y());
    set_value(others, 'X', bike.get_angle());
    set_value(others, 'Z', bike.get_angle());
    f.global_values->set(1, player_values::pimsa_on_bike);
    set_value(others, 'Y', 12);
}

}  // namespace

void Frames::event_func_1163()
{
    if (motorbike::pimsa_on(*this))
        count_down(*this, 'M');
}

void Frames::event_func_1164()
{
    if (motorbike::pimsa_on(*this))
        count_down(*this, 'S');
}

// Every parked bike goes when a ride begins, or when Pimsa is not played.
void Frames::event_func_1165()
{
    if (!motorbike::pimsa_on(*this) || player_values::character(*this) == player_values::pimsa_on_foot)
        return;
    if (run_once(run_once_1165, loop_count))
        for_each_instance(instances[types::ObjectBike_340], [](FrameObject* bike) { bike->destroy(); });
}

// Mounted by the fuel pickup in the air: the mount's state on landing.
void Frames::event_func_1166()
{
    ObjectList& skins = instances[types::PlayerSkinPimsaBike_338];
    if (!motorbike::pimsa_on(*this) || !select(skins, [](FrameObject* skin) { return get_flag(*skin, 8); }) ||
        !player_values::on_bike(*this) || get_value(player(*this), 'L') != 1 || get_value(player(*this), 'M') != 0)
        return;
    for_each_selected(skins, [](FrameObject* skin) { set_flag(skin, 8, false); });
    set_value(instances[types::PlayerOthers_75], 'Y', 12);
}

// A bike parked by the dismount can be mounted once the player has left it.
void Frames::event_func_1167()
{
    ObjectList& bikes = instances[types::ObjectBike_340];
    ObjectList& sensors = instances[types::PlayerSensorBottomBig_95];
    if (!motorbike::pimsa_on(*this) || !select(bikes, [](FrameObject* bike) { return get_flag(*bike, 1); }))
        return;
    select_all(sensors);
    if (check_not_overlap(bikes, sensors))
        for_each_selected(bikes, [](FrameObject* bike) { set_flag(bike, 1, false); });
}

void Frames::event_func_1168()
{
    ObjectList& bikes = instances[types::ObjectBike_340];
    ObjectList& sensors = instances[types::PlayerSensorBottomBig_95];
    if (!motorbike::pimsa_on(*this) || !may_mount(*this))
        return;
    select_all(sensors);
    select_all(bikes);
    if (!check_overlap(sensors, bikes) || !filter(bikes, [](FrameObject* bike) { return !get_flag(*bike, 1); }))
        return;
    FrameObject& first = **ObjectIterator(bikes);
    const int x = instance_or_default(instances[types::Player_87]).get_x();
    if (!(x > first.get_x() - mount_reach && x < first.get_x() + mount_reach))
        return;
    media.play_id(mount_sample, -1, 1);
    for_each_selected(bikes, [](FrameObject* bike) { bike->destroy(); });
    // A destroyed bike stays readable until the frame releases it.
    mount(*this, first);
}

void Frames::event_func_1169()
{
    if (!motorbike::pimsa_on(*this) || !player_values::on_bike(*this) ||
        get_value(player(*this), 'M') != dismount_mode)
        return;
    set_value(player(*this), 'A', player_values::pimsa_on_foot);
    FrameObject* bike = park_bike(*this);
    const FrameObject& rider = instance_or_default(instances[types::PlayerSkinPimsaBike_338]);
    if (bike) {
        set_value(bike, 'A', get_value(player(*this), 'Q'));
        bike->set_direction(rider.get_direction(), true);
        bike->set_angle(rider.get_angle(), false);
    }
    global_values->set(1, player_values::pimsa_on_foot);
    set_value(instances[types::PlayerInput_21], 'O', 0);
    set_value_of_all(instances[types::PlayerSkinPimsa_324], 'N', wall_grab_rest);
    set_flag(bike, 1, true);
}

void Frames::event_func_1170()
{
    const double mode = get_value(player(*this), 'M');
    if (!motorbike::pimsa_on(*this) || !player_values::on_bike(*this) || mode < player_values::mode_dead ||
        mode > player_values::mode_second_death)
        return;
    leave_bike(*this);
    set_flag(park_bike(*this), 6, true);
}

void motorbike::wreck_flagged_bikes(Frames& f, void (Frames::*debris)())
{
    ObjectList& bikes = f.instances[types::ObjectBike_340];
    if (!select(bikes, [](FrameObject* bike) { return get_flag(*bike, 6); }))
        return;
    create_at_each(f, bikes, f.instances[types::EffectsExplosion01_130], create_effectsexplosion01_130);
    media.play_id(explosion_sample, -1, 1);
    for_each_selected(bikes, [](FrameObject* bike) { set_value(bike, 'B', -5); });
    f.run_loop(f.fast_loop_spawndebris, debris_passes, debris);
}

void Frames::event_func_1171()
{
    if (motorbike::pimsa_on(*this))
        motorbike::wreck_flagged_bikes(*this, &Frames::loop_spawndebris_4);
}

void Frames::event_func_1172()
{
    ObjectList& bikes = instances[types::ObjectBike_340];
    if (motorbike::pimsa_on(*this) && select(bikes, [](FrameObject* bike) { return get_value(*bike, 'B') == -1; }))
        for_each_selected(bikes, [](FrameObject* bike) { bike->destroy(); });
}
