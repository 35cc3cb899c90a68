// Hespin fires the current slot's weapon, cycles the slots, and streams
// the wobbling riser while its trigger phase lasts.
#include "audio/media.h"
#include "game/events/move_sets/hespin_weapons.h"
#include "game/objects/classes.h"
#include "objects/active.h"

#include <cmath>

namespace {

constexpr double aim_pose_ticks = 60;
constexpr unsigned slot_change_sample = 213;
constexpr unsigned puff_start_sample = 161;
constexpr double riser_degrees_per_direction = 11.25;
constexpr double riser_muzzle = 8;

bool mode_can_fire(double mode)
{
    return !(mode >= 6 && mode <= 11) && mode != 37 && mode != 46 && mode < 90;
}

bool fire_held(Frames& f) { return get_value(f.instances[types::PlayerInput_21], 'F') == 1; }

bool global_tick_even(Frames& f) { return level_tick(f) % 2 == 0; }

// A riser leaves the gun muzzle of each selected arm.
void stream_riser(Frames& f, ObjectList& arms)
{
    const double facing = get_value(f.instances[types::PlayerMovementValues_80], 'Q');
    ObjectList& shots = f.instances[types::PlayerProjectile_336];
    bool first = true;
    for_each_selected(arms, [&](FrameObject* arm) {
        const double theta = arm->get_direction() * riser_degrees_per_direction;
        const int x = to_int(arm->get_action_x() + riser_muzzle * event_cos(theta));
        const int y = to_int(arm->get_action_y() - riser_muzzle * event_sin(theta));
        Active* riser = create_playerprojectile_336(x, y);
        if (first)
            create_instance(f, shots, riser, layer_index(*arm));
        else
            create_another(f, shots, riser, layer_index(*arm));
        first = false;
        riser->set_global_position(x, y);
        riser->force_animation(10);
        riser->force_frame(26);
        set_flag(riser, 1, true);
        set_value(riser, 'A', riser->get_x());
        set_value(riser, 'B', riser->get_y());
        set_value(riser, 'J', 12);
        set_value(riser, 'H', -72);
        set_value(riser, 'N', facing);
        set_value(riser, 'K', 1);
        set_value(riser, 'I', 2);
    });
}

}  // namespace

// Fire: the aim pose, the arm raised at the body and the weapon loop.
void Frames::event_func_1383()
{
    if (!hespin::armed(*this) || !fire_held(*this))
        return;
    ObjectList& arms = instances[types::PlayerSkinHespinArm_350];
    if (!select(arms, [](FrameObject* arm) { return get_value(*arm, 'C') <= 0; }))
        return;
    if (!mode_can_fire(get_value(instances[types::PlayerMovementValues_80], 'M')))
        return;
    ObjectList& skins = instances[types::PlayerSkinHespin_351];
    for_each_instance(skins, [](FrameObject* skin) {
        set_value(skin, 'A', aim_pose_ticks);
        set_value(skin, 'C', 8 - 2 * get_value(*skin, 'G'));
    });
    set_value(instances[types::PlayerOthers_75], 'M', 0);
    set_value(instances[types::PlayerActionValuesA_86], 'D', 0);
    set_value(instances[types::PlayerActionValuesA_86], 'F', 0);
    int n = 0;
    for_each_selected(arms, [&](FrameObject* arm) {
        if (FrameObject* skin = paired_instance(skins, n++))
            arm->set_global_position(skin->get_action_x(), skin->get_action_y());
    });
    const double facing = get_value(instances[types::PlayerMovementValues_80], 'Q');
    n = 0;
    for_each_selected(arms, [&](FrameObject* arm) {
        FrameObject& skin = paired_or_default(skins, n++);
        arm->set_visible(true);
        set_value(arm, 'D', skin.get_angle() + (facing - 1) * 90 + get_value(skin, 'B') * facing);
    });
    run_loop(fast_loop_weapon, 1, &Frames::loop_weapon_4);
}

// Flashes with an offset from the body follow it.
void Frames::event_func_1384()
{
    if (!hespin::armed(*this))
        return;
    ObjectList& flashes = instances[types::EffectsWhiteBurst_31];
    if (!select(flashes, [](FrameObject* flash) { return get_value(*flash, 'H') != 0 && get_value(*flash, 'I') != 0; }))
        return;
    ObjectList& skins = instances[types::PlayerSkinHespin_351];
    int n = 0;
    for_each_selected(flashes, [&](FrameObject* flash) {
        FrameObject* skin = paired_instance(skins, n++);
        if (!skin)
            return;
        flash->set_x(to_int(skin->get_x() + get_value(*flash, 'H')));
        flash->set_y(to_int(skin->get_y() + get_value(*flash, 'I')));
    });
}

// The third button steps to the next weapon slot, one step a press.
void Frames::event_func_1385()
{
    if (!hespin::armed(*this) || get_value(instances[types::PlayerInput_21], 'O') != 1)
        return;
    if (!run_once(run_once_1385, loop_count))
        return;
    for_each_instance(instances[types::PlayerSkinHespin_351],
                      [](FrameObject* skin) { set_value(skin, 'D', std::fmod(get_value(*skin, 'D') + 1, 4.0)); });
    set_value_of_all(instances[types::GUIWeaponSlot_233], 'D', 0);
    media.play_id(slot_change_sample, -1, 1);
}

// The puff shot's start sound, once a hold while it has ammunition.
void Frames::event_func_1386()
{
    if (!hespin::armed(*this) || !fire_held(*this))
        return;
    const int index = to_int(get_value(instances[types::PlayerSkinHespin_351], 'D')) + 5;
    if (index < 0 || index > 25)
        return;
    if (!(get_value(instances[types::PlayerSkinHespinArm_350], char('A' + index)) > 0))
        return;
    const Weapon weapon = current_weapon(*this);
    if (weapon.id != 3 || weapon.level != 0 || !run_once(run_once_1386, loop_count))
        return;
    media.play_id(puff_start_sample, -1, 1);
}

// The wobbling riser streams from the gun on even counts while the arm's
// cool-down runs and the recoil lasts or ended under 7 ticks ago.
void Frames::event_func_1387()
{
    if (!hespin::armed(*this))
        return;
    const Weapon weapon = current_weapon(*this);
    if (weapon.id != 3 || weapon.level != 2 || !global_tick_even(*this))
        return;
    ObjectList& arms = instances[types::PlayerSkinHespinArm_350];
    if (!select(arms, [](FrameObject* arm) {
            const double recoil = get_value(*arm, 'A');
            return get_value(*arm, 'C') > 0 && (recoil > 0 || get_value(*arm, 'B') < 7);
        }))
        return;
    stream_riser(*this, arms);
}
