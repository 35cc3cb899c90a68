// The facing follows the held direction unless the movement mode holds it;
// the body skins point the way the player faces (0 right, 16 left) in the
// ordinary states, and spin a step a tick in three flights.
#include "game/events/player_actions/skin_objects.h"

#include <algorithm>

using namespace skins;

namespace {

// Modes whose moves keep the facing they started with.
bool mode_locks_facing(double mode)
{
    constexpr double locking[] = {2, 3, 5, 6, 8, 9, 10, 11, 21, 23, 24, 25, 26, 31, 32, 42, 43, 44};
    return std::find(std::begin(locking), std::end(locking), mode) != std::end(locking);
}

void set_facing(Frames& f, char held, double facing)
{
    if (!player_events_on(f) || mode_locks_facing(movement_value(f, 'M')))
        return;
    if (get_value(instance_or_default(f.instances[types::PlayerInput_21]), held) != 1)
        return;
    set_value(instance_of(f.instances[types::PlayerMovementValues_80]), 'Q', facing);
}

// In states 50 and up, in state 27 and once the idle counter reaches 500
// the skins keep the direction they have.
bool skins_follow_facing(Frames& f)
{
    const double state = player_state(f);
    return state < 50 && state != 27 && others_value(f, 'M') < 500;
}

// Points the body skins at `side`; Hespin's value A (at most 1) and
// Dorrik's value F offset theirs by whole steps.
void point_skins(Frames& f, int side)
{
    for_each_skin(f, {types::PlayerSkinYelto_102, types::PlayerSkinOrrun_290, types::PlayerSkinPimsa_324,
                      types::PlayerSkinPimsaBike_338},
                  [side](Active* skin) { skin->set_direction(side, true); });
    for_each_skin(f, types::PlayerSkinHespin_351, [side](Active* skin) {
        skin->set_direction(to_int(std::min(get_value(*skin, 'A'), 1.0) + side), true);
    });
    for_each_skin(f, types::PlayerSkinDorrik_339,
                  [side](Active* skin) { skin->set_direction(to_int(side - get_value(*skin, 'F')), true); });
}

void turn_skins(Frames& f, double facing, int side)
{
    if (!player_events_on(f) || movement_value(f, 'Q') != facing || !skins_follow_facing(f))
        return;
    point_skins(f, side);
}

void spin(FrameObject* skin) { skin->set_direction(skin->get_direction() + 1, true); }

}  // namespace

void Frames::event_func_1470() { set_facing(*this, 'D', 1); }

void Frames::event_func_1471() { set_facing(*this, 'C', -1); }

void Frames::event_func_1472() { turn_skins(*this, 1, 0); }

void Frames::event_func_1473() { turn_skins(*this, -1, 16); }

// Spins in state 44 in the air, in Orrun's up move with marker 2, and in
// state 7 (Yelto's skin only then, and only where its flag 8 is on).
void Frames::event_func_1474()
{
    if (!player_events_on(*this))
        return;
    const double state = player_state(*this);
    const bool air_spin = state == 44 && movement_value(*this, 'L') == 0;
    const bool orrun_spin =
        movement_value(*this, 'A') == 1 && movement_value(*this, 'M') == 21 && others_value(*this, 'Q') == 2;
    ObjectList& yelto = instances[types::PlayerSkinYelto_102];
    const bool yelto_spin = state == 7 && select(yelto, [](FrameObject* skin) { return get_flag(*skin, 8); });
    if (!air_spin && !orrun_spin && !yelto_spin)
        return;
    for_each_instance(instances[types::PlayerSkinPimsa_324], spin);
    for_each_instance(instances[types::PlayerSkinOrrun_290], spin);
    if (yelto_spin)
        for_each_selected(yelto, spin);
    for_each_instance(instances[types::PlayerSkinDorrik_339], spin);
    for_each_instance(instances[types::PlayerSkinPimsaBike_338], spin);
}
