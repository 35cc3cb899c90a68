// Hespin's gun arm: fixed to the body's action point, turned by the aim
// and the recoil, put away when he stops firing; the aim from the
// controller.
#include "game/events/move_sets/hespin_weapons.h"

#include <algorithm>

namespace {

constexpr double recoil_fall = 4;     // degrees a tick
constexpr double put_away_after = 15;  // ticks without recoil
constexpr double aim_step = 45;

bool mode_puts_arm_away(double mode) { return mode == 46 || (mode >= 6 && mode <= 11); }

// Up aims 45 degrees up; down aims 45 degrees down, only in the air.
double aim_angle(Frames& f)
{
    ObjectList& input = f.instances[types::PlayerInput_21];
    const double airborne = 1 - get_value(f.instances[types::PlayerMovementValues_80], 'L');
    return std::max(aim_step * get_value(input, 'A'), 0.0) -
           std::max(aim_step * get_value(input, 'B') * airborne, 0.0);
}

bool aims_level_or_diagonal(FrameObject* skin) { return get_value(*skin, 'B') != 90 && get_value(*skin, 'B') != -90; }

// Every skin, or those aiming neither straight up nor down, take the aim
// while facing `facing` with the fire button at `fire`.
void aim(Frames& f, double facing, double fire, bool keep_straight_aims)
{
    if (get_value(f.instances[types::PlayerMovementValues_80], 'Q') != facing ||
        get_value(f.instances[types::PlayerInput_21], 'F') != fire)
        return;
    ObjectList& skins = f.instances[types::PlayerSkinHespin_351];
    if (!select(skins, [keep_straight_aims](FrameObject* skin) {
            return !keep_straight_aims || aims_level_or_diagonal(skin);
        }))
        return;
    const double angle = aim_angle(f);
    for_each_selected(skins, [angle](FrameObject* skin) { set_value(skin, 'B', angle); });
}

}  // namespace

// The arm sits at the body's action point, turned by body, recoil and aim
// (mirrored facing left), just behind the body.
void Frames::event_func_1372()
{
    if (!hespin::armed(*this))
        return;
    ObjectList& arms = instances[types::PlayerSkinHespinArm_350];
    ObjectList& skins = instances[types::PlayerSkinHespin_351];
    const double facing = get_value(instances[types::PlayerMovementValues_80], 'Q');
    int n = 0;
    for_each_instance(arms, [&](FrameObject* arm) {
        if (FrameObject* skin = paired_instance(skins, n++))
            arm->set_global_position(skin->get_action_x(), skin->get_action_y());
    });
    n = 0;
    for_each_instance(arms, [&](FrameObject* arm) {
        FrameObject& skin = paired_or_default(skins, n++);
        arm->set_angle(to_int(skin.get_angle() + get_value(*arm, 'A') * facing + get_value(skin, 'B') * facing), 0);
        arm->set_direction(skin.get_direction(), true);
        arm->set_layer(layer_index(skin));
    });
    n = 0;
    for_each_instance(arms, [&](FrameObject* arm) {
        if (FrameObject* skin = paired_instance(skins, n++))
            arm->move_back(skin);
    });
    for_each_instance(skins, [](FrameObject* skin) {
        set_flag(skin, 3, false);
        set_value(skin, 'C', std::max(get_value(*skin, 'C') - 1, 0.0));
    });
}

// Modes that cannot shoot and high player states cancel the aim.
void Frames::event_func_1373()
{
    if (!hespin::armed(*this))
        return;
    if (!mode_puts_arm_away(get_value(instances[types::PlayerMovementValues_80], 'M')) &&
        !(get_value(instances[types::PlayerOthers_75], 'Y') >= 48))
        return;
    set_value_of_all(instances[types::PlayerSkinHespin_351], 'A', 0);
    for_each_instance(instances[types::PlayerSkinHespinArm_350], [](FrameObject* arm) {
        set_value(arm, 'C', 0);
        set_value(arm, 'A', 0);
    });
}

// The recoil dies away.
void Frames::event_func_1374()
{
    if (!hespin::armed(*this))
        return;
    ObjectList& arms = instances[types::PlayerSkinHespinArm_350];
    if (!select(arms, [](FrameObject* arm) { return get_value(*arm, 'A') > 0; }))
        return;
    for_each_selected(arms, [](FrameObject* arm) {
        set_value(arm, 'B', 0);
        set_value(arm, 'A', std::max(get_value(*arm, 'A') - recoil_fall, 0.0));
    });
}

// Without recoil the arm counts its idle ticks.
void Frames::event_func_1375()
{
    if (!hespin::armed(*this))
        return;
    ObjectList& arms = instances[types::PlayerSkinHespinArm_350];
    if (!select(arms, [](FrameObject* arm) { return get_value(*arm, 'A') <= 0; }))
        return;
    for_each_selected(arms, [](FrameObject* arm) {
        add_value(arm, 'B', 1);
        set_value(arm, 'E', std::max(get_value(*arm, 'E') - 1, 0.0));
    });
}

// The arm is put away after 15 idle ticks; some modes only end the aim pose.
void Frames::event_func_1376()
{
    if (!hespin::armed(*this))
        return;
    ObjectList& arms = instances[types::PlayerSkinHespinArm_350];
    const bool idle = select(arms, [](FrameObject* arm) { return get_value(*arm, 'B') > put_away_after; });
    const double mode = get_value(instances[types::PlayerMovementValues_80], 'M');
    const bool mode_holds = (mode >= 6 && mode <= 11) || mode == 37 || mode == 46 || mode >= 90;
    if (!idle && !mode_holds)
        return;
    if (idle)
        for_each_selected(arms, [](FrameObject* arm) { arm->set_visible(false); });
    set_value_of_all(instances[types::PlayerSkinHespin_351], 'A', 0);
}

// The arm's fire cool-down.
void Frames::event_func_1377()
{
    if (!hespin::armed(*this))
        return;
    ObjectList& arms = instances[types::PlayerSkinHespinArm_350];
    if (!select(arms, [](FrameObject* arm) { return get_value(*arm, 'C') > 0; }))
        return;
    for_each_selected(arms, [](FrameObject* arm) { add_value(arm, 'C', -1); });
}

// The aim while the fire button is up, facing right and left.
void Frames::event_func_1378()
{
    if (hespin::armed(*this))
        aim(*this, 1, 0, false);
}

void Frames::event_func_1379()
{
    if (hespin::armed(*this))
        aim(*this, -1, 0, false);
}

// Fire held with a level or diagonal aim.
void Frames::event_func_1380()
{
    if (!hespin::armed(*this) || get_value(instances[types::PlayerInput_21], 'F') != 1)
        return;
    ObjectList& skins = instances[types::PlayerSkinHespin_351];
    if (!select(skins, aims_level_or_diagonal))
        return;
    for_each_selected(skins, [](FrameObject* skin) { set_flag(skin, 3, true); });
}

// The aim while firing, except a straight up or down aim.
void Frames::event_func_1381()
{
    if (hespin::armed(*this))
        aim(*this, 1, 1, true);
}

void Frames::event_func_1382()
{
    if (hespin::armed(*this))
        aim(*this, -1, 1, true);
}
