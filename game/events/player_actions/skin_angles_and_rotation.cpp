// The skins' tilt. On the ground the skin angle (PlayerOthers Z) and the
// travel angle (X) follow the ground or take the fixed angle of global 2;
// in the air the skin angle eases back upright by 4 degrees a tick along
// the shorter way round. Every skin is then turned to the skin angle, except
// in state 7, the spinning flight, which turns them to where the player
// flies (Pimsa keeps the skin angle).
#include "game/events/player_actions/skin_objects.h"

#include <cmath>

using namespace skins;

namespace {

FrameObject* others(Frames& f) { return instance_of(f.instances[types::PlayerOthers_75]); }

void set_angles(Frames& f, double travel, double skin)
{
    set_value(others(f), 'X', travel);
    set_value(others(f), 'Z', skin);
}

double fixed_angle(Frames& f) { return f.global_values->get(2); }
double ground_angle(Frames& f) { return movement_value(f, 'O'); }
bool on_ground(Frames& f) { return movement_value(f, 'L') == 1; }
bool on_bike(Frames& f) { return movement_value(f, 'A') == 3; }

bool easing_upright(Frames& f) { return movement_value(f, 'M') < 90 && movement_value(f, 'L') == 0; }

void turn(Frames& f, std::initializer_list<int> types, double angle)
{
    const int degrees = to_int(angle);
    for_each_skin(f, types, [degrees](Active* skin) { skin->set_angle(degrees, 0); });
}

// The ten turned objects in the order of the state-7 events.
void turn_in_flight_order(Frames& f, double angle)
{
    turn(f,
         {types::PlayerSkinYelto_102, types::PlayerSkinOrrun_290, types::PlayerSkinPimsa_324,
          types::PlayerSkinPimsaBike_338, types::PlayerSkinDorrik_339, types::PlayerSkinHespin_351,
          types::PlayerSkinYeltoHair_209, types::PlayerSkinPimsaTail_323, types::PlayerSkinDorrikTail_342,
          types::ShieldInstaShield_187},
         angle);
}

}  // namespace

// Skin and travel angles -----------------------------------------------------------

void Frames::event_func_1550()
{
    if (player_events_on(*this) && on_ground(*this) && !on_bike(*this))
        set_angles(*this, fixed_angle(*this), fixed_angle(*this));
}

// The bike holds the fixed angle in its timed and climbing states and when
// it lands in state 3.
void Frames::event_func_1551()
{
    if (!player_events_on(*this) || !on_bike(*this))
        return;
    const double state = player_state(*this);
    const bool grounded_state = on_ground(*this) && ((state > 8 && state < 20) || state == 3);
    if (grounded_state || (state >= 27 && state <= 29))
        set_angles(*this, fixed_angle(*this), fixed_angle(*this));
}

// Standing, walking, running and the ground moves lie along the ground.
void Frames::event_func_1552()
{
    if (!player_events_on(*this) || !on_ground(*this))
        return;
    const double state = player_state(*this);
    if (state <= 7 || (state >= 20 && state <= 24) || (state >= 14 && state <= 15))
        set_angles(*this, ground_angle(*this), ground_angle(*this));
}

void Frames::event_func_1553()
{
    if (player_events_on(*this) && movement_value(*this, 'M') == 38)
        set_angles(*this, ground_angle(*this), ground_angle(*this));
}

// Rolling on the ground travels along it; the rolled skin stays upright.
void Frames::event_func_1554()
{
    if (player_events_on(*this) && on_ground(*this) && player_state(*this) == 8)
        set_value(others(*this), 'X', ground_angle(*this));
}

void Frames::event_func_1555()
{
    if (!player_events_on(*this) || !easing_upright(*this) || !(others_value(*this, 'Z') < 180))
        return;
    const double eased = others_value(*this, 'Z') - 4;
    set_value(others(*this), 'Z', eased >= 0 ? eased : 0);
}

void Frames::event_func_1556()
{
    if (!player_events_on(*this) || !easing_upright(*this) || !(others_value(*this, 'Z') >= 180))
        return;
    const double eased = others_value(*this, 'Z') + 4;
    set_value(others(*this), 'Z', eased < 360 ? eased : 0);
}

// Rotation --------------------------------------------------------------------------

// Rolling in the air: the direction moved this tick, screen y turned up.
void Frames::event_func_1557()
{
    if (!player_events_on(*this) || movement_value(*this, 'L') != 0 || player_state(*this) != 8)
        return;
    FrameObject* calculator = instance_of(instances[types::MasterGroupsA_83]);
    set_value(calculator, 'A', others_value(*this, 'V') - movement_value(*this, 'X'));
    set_value(calculator, 'B', others_value(*this, 'W') - movement_value(*this, 'Y'));
    run_loop(fast_loop_toolsanglecalculator, 1, &Frames::loop_toolsanglecalculator_4);
    set_value(others(*this), 'X', get_value(instance_or_default(instances[types::MasterGroupsA_83]), 'C'));
}

void Frames::event_func_1558()
{
    if (!player_events_on(*this))
        return;
    turn(*this,
         {types::PlayerSkinPimsaBike_338, types::PlayerSkinPimsa_324, types::PlayerSkinOrrun_290,
          types::PlayerSkinYelto_102, types::PlayerSkinDorrik_339, types::PlayerSkinHespin_351,
          types::PlayerSkinYeltoHair_209, types::PlayerSkinDorrikTail_342, types::ShieldInstaShield_187,
          types::PlayerSkinPimsaTail_323},
         others_value(*this, 'Z'));
}

// Yelto's spin on the ground facing left draws its turned-round images.
void Frames::event_func_1559()
{
    if (!player_events_on(*this) || player_state(*this) != 7 || movement_value(*this, 'A') != 0)
        return;
    if (!on_ground(*this) || movement_value(*this, 'Q') != -1)
        return;
    turn(*this, {types::PlayerSkinYeltoHair_209, types::PlayerSkinYelto_102}, others_value(*this, 'Z') + 180);
}

void Frames::event_func_1560()
{
    if (!player_events_on(*this) || player_state(*this) != 7 || movement_value(*this, 'L') != 0)
        return;
    const double character = movement_value(*this, 'A');
    if (character == 2 || character == 3)
        return;
    turn_in_flight_order(*this,
                        -std::atan2(movement_value(*this, 'G'), movement_value(*this, 'B')) * 57.29577951308232);
}

void Frames::event_func_1561()
{
    if (!player_events_on(*this) || player_state(*this) != 7)
        return;
    const double character = movement_value(*this, 'A');
    if (character >= 2 && character <= 3)
        turn_in_flight_order(*this, others_value(*this, 'Z'));
}

// Three events wait for PlayerOthers R above 0, which nothing sets: they
// never act.
void Frames::event_func_1562() {}
void Frames::event_func_1563() {}
void Frames::event_func_1564() {}
