// Fitting the player to the chosen character every tick: the other
// characters' skins go, the movement and action tuning of the character on
// land or under water, with or without the timed power state, the gravity,
// the bike's acceleration from the held directions, and the water of a
// level that has none.
#include "game/events/player_physics/player_value_objects.h"
#include "game/frames/event_support.h"
#include "game/frames/frames.h"

#include <initializer_list>

namespace {

bool tuning_groups(const Frames& f) { return f.level_group_43 && f.level_group_23; }

using player_values::character;
using player_values::on_bike;
double power_state(Frames& f) { return get_value(f.instances[types::PlayerOthers_75], 'F'); }
double under_water(Frames& f) { return get_value(f.instances[types::PlayerOthers_75], 'H'); }
double movement_mode(Frames& f) { return get_value(f.instances[types::PlayerMovementValues_80], 'M'); }

void destroy_all(Frames& f, std::initializer_list<int> types)
{
    for (const int type : types)
        for_each_instance(f.instances[type], [](FrameObject* object) { object->destroy(); });
}

// The skins of the characters not in play go once the character is known;
// `tested` still having an instance says they have not gone yet.
bool skins_to_remove(Frames& f, bool is_character, int tested, unsigned& counter)
{
    if (!tuning_groups(f) || !is_character || f.instances[tested].back == nullptr)
        return false;
    return run_once(counter, f.loop_count);
}

struct MovementSet {
    double top_speed, speed_cap, acceleration, slope_factor, fall_cap, landing_share;
    bool in_water;
};

constexpr MovementSet on_land = {5, 15, 0.07375, 0.203125, 15, 0.84, false};
constexpr MovementSet powered_on_land = {8, 15, 0.07375, 0.203125, 15, 0.84, false};
constexpr MovementSet in_water = {4, 15, 0.056875, 0.203125, 15, 0.84, true};
constexpr MovementSet powered_in_water = {6, 15, 0.056875, 0.203125, 15, 0.84, true};
constexpr MovementSet pimsa_on_land = {5, 12, 0.07375, 0.203125, 15, 0.84, false};
constexpr MovementSet pimsa_powered = {8, 12, 0.07375, 0.203125, 15, 0.84, false};
constexpr MovementSet hespin_on_land = {4.5, 15, 0.07375, 0.203125, 15, 0.5, false};

// The movement values, then the action set (jumps, rolls, spin speeds),
// which water makes weaker.
void load_set(Frames& f, const MovementSet& set)
{
    FrameObject* values = instance_of(f.instances[types::PlayerMovementValues_80]);
    set_value(values, 'C', set.top_speed);
    set_value(values, 'D', set.speed_cap);
    set_value(values, 'E', set.acceleration);
    set_value(values, 'F', set.slope_factor);
    set_value(values, 'H', set.fall_cap);
    set_value(values, 'J', set.landing_share);
    FrameObject* actions = instance_of(f.instances[types::PlayerActionValuesA_86]);
    set_value(actions, 'A', set.in_water ? -6 : -7);
    set_value(actions, 'B', set.in_water ? -2 : -3);
    set_value(actions, 'E', -170);
    set_value(actions, 'G', 170);
    set_value(actions, 'H', 4);
    set_value(actions, 'I', 0.5);
    set_value(actions, 'K', 1);
    set_value(actions, 'L', 0.01);
    set_value(actions, 'M', 6);
    set_value(actions, 'N', 12);
    set_value(actions, 'O', set.in_water ? 0.0217 : 0.0334);
    set_value(actions, 'P', set.in_water ? 0.12 : 0.2);
    set_value(actions, 'Q', 0.035);
    set_value(actions, 'R', 0.25);
    set_value(actions, 'S', 0.7);
}

// A set loads on the first tick its conditions hold, so a change of
// character, water or power state reloads it.
void tune(Frames& f, bool conditions, unsigned& counter, const MovementSet& set)
{
    if (!tuning_groups(f) || !conditions || !run_once(counter, f.loop_count))
        return;
    load_set(f, set);
}

void set_gravity(Frames& f, bool conditions, unsigned& counter, double gravity)
{
    if (!tuning_groups(f) || !conditions || !run_once(counter, f.loop_count))
        return;
    set_value(f.instances[types::PlayerMovementValues_80], 'I', gravity);
}

bool direction_held(Frames& f)
{
    const FrameObject& input = instance_or_default(f.instances[types::PlayerInput_21]);
    return get_value(input, 'C') == 1 || get_value(input, 'D') == 1;
}

}  // namespace

void Frames::event_func_594()
{
    if (!level_group_43 || get_value(instances[types::MasterLevel_53], 'A') != 0)
        return;
    destroy_all(*this, {types::GeneralWaterHorizon_155, types::GeneralWater_156});
}

void Frames::event_func_599()
{
    if (!skins_to_remove(*this, character(*this) == 0, types::PlayerSkinPimsa_324, run_once_599))
        return;
    destroy_all(*this, {types::PlayerSkinPimsa_324, types::PlayerSkinPimsaBike_338, types::PlayerSkinDorrik_339,
                        types::PlayerSkinHespin_351, types::PlayerSkinPimsaTail_323, types::PlayerSkinDorrikTail_342,
                        types::PlayerSkinHespinArm_350, types::PlayerSkinOrrun_290});
}

void Frames::event_func_600()
{
    const double a = character(*this);
    tune(*this, a != 2 && a != 5 && power_state(*this) == 0 && under_water(*this) == 0, run_once_600, on_land);
}

void Frames::event_func_601()
{
    tune(*this, character(*this) != 2 && power_state(*this) != 0 && under_water(*this) == 0, run_once_601,
         powered_on_land);
}

void Frames::event_func_602()
{
    tune(*this, power_state(*this) == 0 && under_water(*this) == 1, run_once_602, in_water);
}

void Frames::event_func_603()
{
    tune(*this, power_state(*this) != 0 && under_water(*this) == 1, run_once_603, powered_in_water);
}

void Frames::event_func_604()
{
    set_gravity(*this, movement_mode(*this) != 5 && character(*this) != 3 && under_water(*this) == 0, run_once_604,
                0.25);
}

void Frames::event_func_605()
{
    set_gravity(*this, movement_mode(*this) != 5 && under_water(*this) == 1, run_once_605, 0.15);
}

void Frames::event_func_606()
{
    if (!skins_to_remove(*this, character(*this) == 1, types::PlayerSkinPimsa_324, run_once_606))
        return;
    destroy_all(*this, {types::PlayerSkinHespin_351, types::PlayerSkinHespinArm_350, types::PlayerSkinPimsaBike_338,
                        types::PlayerSkinPimsa_324, types::PlayerSkinPimsaTail_323, types::PlayerSkinDorrik_339,
                        types::PlayerSkinDorrikTail_342});
}

void Frames::event_func_611()
{
    const double a = character(*this);
    if (!skins_to_remove(*this, a >= 2 && a <= 3, types::PlayerSkinDorrik_339, run_once_611))
        return;
    destroy_all(*this, {types::PlayerSkinDorrik_339, types::PlayerSkinHespin_351, types::PlayerSkinDorrikTail_342,
                        types::PlayerSkinHespinArm_350, types::PlayerSkinOrrun_290});
}

void Frames::event_func_612()
{
    tune(*this, character(*this) == 2 && power_state(*this) == 0 && under_water(*this) == 0, run_once_612,
         pimsa_on_land);
}

void Frames::event_func_613()
{
    tune(*this, character(*this) == 2 && power_state(*this) != 0 && under_water(*this) == 0, run_once_613,
         pimsa_powered);
}

void Frames::event_func_617()
{
    if (!tuning_groups(*this) || !on_bike(*this) || power_state(*this) != 0)
        return;
    if (get_value(instances[types::PlayerMovementValues_80], 'C') == 8 || !run_once(run_once_617, loop_count))
        return;
    set_value(instances[types::PlayerMovementValues_80], 'C', 8);
}

void Frames::event_func_618()
{
    if (!tuning_groups(*this) || !on_bike(*this) || power_state(*this) == 0)
        return;
    if (get_value(instances[types::PlayerMovementValues_80], 'C') == 10 || !run_once(run_once_618, loop_count))
        return;
    set_value(instances[types::PlayerMovementValues_80], 'C', 10);
}

void Frames::event_func_619()
{
    set_gravity(*this, on_bike(*this) && under_water(*this) == 0, run_once_619, 0.3);
}

// The bike coasts unless a direction is held.
void Frames::event_func_620()
{
    if (!tuning_groups(*this) || !on_bike(*this) || get_value(instances[types::PlayerMovementValues_80], 'E') == 0.074)
        return;
    set_value(instances[types::PlayerMovementValues_80], 'E', 0.00575);
}

void Frames::event_func_621()
{
    if (!tuning_groups(*this) || !on_bike(*this) || !direction_held(*this))
        return;
    if (movement_mode(*this) == 4 || power_state(*this) == 2)
        return;
    set_value(instances[types::PlayerMovementValues_80], 'E', 0.06);
}

// With the power state held, the further control adds a boost.
void Frames::event_func_622()
{
    if (!tuning_groups(*this) || !on_bike(*this) || !direction_held(*this))
        return;
    if (movement_mode(*this) == 4 || power_state(*this) != 2)
        return;
    set_value(instances[types::PlayerMovementValues_80], 'E',
              0.06 + 0.3 * get_value(instances[types::PlayerInput_21], 'N'));
}

void Frames::event_func_627()
{
    if (!skins_to_remove(*this, character(*this) == 4, types::PlayerSkinPimsa_324, run_once_627))
        return;
    destroy_all(*this, {types::PlayerSkinHespin_351, types::PlayerSkinHespinArm_350, types::PlayerSkinPimsaBike_338,
                        types::PlayerSkinPimsa_324, types::PlayerSkinPimsaTail_323, types::PlayerSkinOrrun_290});
}

void Frames::event_func_628()
{
    if (!skins_to_remove(*this, character(*this) == 5, types::PlayerSkinPimsa_324, run_once_628))
        return;
    destroy_all(*this, {types::PlayerSkinPimsaBike_338, types::PlayerSkinPimsa_324, types::PlayerSkinPimsaTail_323,
                        types::PlayerSkinDorrik_339, types::PlayerSkinDorrikTail_342, types::PlayerSkinOrrun_290});
}

void Frames::event_func_629()
{
    tune(*this, character(*this) == 5 && power_state(*this) == 0 && under_water(*this) == 0, run_once_629,
         hespin_on_land);
}
