// The skins animate faster the faster the player moves. A forced speed
// stays until forced again or released, and the release skips the states
// whose rule may not hold on some ticks (walking or running in the air,
// rolling outside the roll mode), so there the skins keep the last speed.
// The bike plays its own speed on the ground and on ladders.
#include "game/events/player_actions/skin_objects.h"

#include <algorithm>
#include <cmath>

using namespace skins;

namespace {

// Forces the speed (a percentage, clamped by the skin) and lets a stopped
// animation run again.
void drive(Frames& f, std::initializer_list<int> types, int speed)
{
    for_each_skin(f, types, [speed](Active* skin) {
        skin->force_speed(speed);
        skin->start_animation();
    });
}

void release(Frames& f, std::initializer_list<int> types)
{
    for_each_skin(f, types, [](Active* skin) { skin->restore_speed(); });
}

bool in_state(Frames& f, double state) { return player_state(f) == state; }
bool on_ground(Frames& f) { return movement_value(f, 'L') == 1; }
double x_speed(Frames& f) { return std::abs(movement_value(f, 'B')); }
double y_speed(Frames& f) { return std::abs(movement_value(f, 'G')); }

bool keeps_forced_speed(double state)
{
    return state == 1 || state == 2 || state == 8 || state == 15 || state == 26 || state == 40;
}

// The slow pace of states 45 to 47, from the x speed; in 45 and 46 the
// bike keeps its own.
void drive_at_walking_pace(Frames& f, bool bike_released)
{
    const int speed = to_int(2 * x_speed(f) + 17);
    drive(f, {types::PlayerSkinYelto_102, types::PlayerSkinOrrun_290, types::PlayerSkinYeltoHair_209,
              types::PlayerSkinPimsa_324, types::PlayerSkinPimsaTail_323},
          speed);
    if (bike_released)
        release(f, {types::PlayerSkinPimsaBike_338});
    else
        drive(f, {types::PlayerSkinPimsaBike_338}, speed);
    drive(f, {types::PlayerSkinDorrik_339, types::PlayerSkinDorrikTail_342, types::PlayerSkinHespin_351}, speed);
}

}  // namespace

void Frames::event_func_1539()
{
    if (!player_events_on(*this) || keeps_forced_speed(player_state(*this)))
        return;
    release(*this, {types::PlayerSkinYelto_102, types::PlayerSkinOrrun_290, types::PlayerSkinYeltoHair_209,
                    types::PlayerSkinPimsa_324, types::PlayerSkinPimsaTail_323, types::PlayerSkinPimsaBike_338,
                    types::PlayerSkinDorrik_339, types::PlayerSkinDorrikTail_342, types::PlayerSkinHespin_351});
}

// Walking.
void Frames::event_func_1540()
{
    if (!player_events_on(*this) || !on_ground(*this) || !in_state(*this, 1))
        return;
    const int speed = to_int(5 * x_speed(*this) + 14);
    drive(*this, {types::PlayerSkinYelto_102, types::PlayerSkinYeltoHair_209, types::PlayerSkinOrrun_290,
                  types::PlayerSkinPimsa_324, types::PlayerSkinPimsaTail_323, types::PlayerSkinDorrik_339},
          speed);
    release(*this, {types::PlayerSkinPimsaBike_338});
    drive(*this, {types::PlayerSkinDorrikTail_342, types::PlayerSkinHespin_351}, speed);
}

// Running: each skin at its own pace.
void Frames::event_func_1541()
{
    if (!player_events_on(*this) || !on_ground(*this) || !in_state(*this, 2))
        return;
    const double b = x_speed(*this);
    drive(*this, {types::PlayerSkinYeltoHair_209}, to_int(3 * b + 20));
    drive(*this, {types::PlayerSkinYelto_102}, to_int(2 * b + 27));
    drive(*this, {types::PlayerSkinOrrun_290}, to_int(4 * b + 27));
    drive(*this, {types::PlayerSkinPimsa_324}, to_int(2 * b + 27));
    drive(*this, {types::PlayerSkinPimsaTail_323}, to_int(3 * b + 20));
    release(*this, {types::PlayerSkinPimsaBike_338});
    drive(*this, {types::PlayerSkinDorrik_339}, to_int(2 * b + 27));
    drive(*this, {types::PlayerSkinDorrikTail_342}, to_int(2 * b + 27));
    drive(*this, {types::PlayerSkinHespin_351}, to_int(4 * b + 27));
}

// Rolling in the roll mode; Yelto's hair flies a little faster.
void Frames::event_func_1542()
{
    if (!player_events_on(*this) || movement_value(*this, 'M') != 6 || !in_state(*this, 8))
        return;
    const double b = x_speed(*this);
    drive(*this, {types::PlayerSkinYelto_102, types::PlayerSkinOrrun_290, types::PlayerSkinPimsa_324,
                  types::PlayerSkinPimsaBike_338, types::PlayerSkinDorrik_339, types::PlayerSkinHespin_351},
          to_int(5 * b + 25));
    drive(*this, {types::PlayerSkinYeltoHair_209}, to_int(5 * b + 35));
    drive(*this, {types::PlayerSkinPimsaTail_323, types::PlayerSkinDorrikTail_342}, to_int(5 * b + 25));
}

// Hespin's hover slows as Yelto's skin counts its value I up.
void Frames::event_func_1543()
{
    if (!player_events_on(*this) || !in_state(*this, 14))
        return;
    const double count = get_value(instance_or_default(instances[types::PlayerSkinYelto_102]), 'I');
    drive(*this, {types::PlayerSkinYelto_102, types::PlayerSkinOrrun_290, types::PlayerSkinPimsa_324,
                  types::PlayerSkinPimsaBike_338, types::PlayerSkinDorrik_339, types::PlayerSkinYeltoHair_209,
                  types::PlayerSkinPimsaTail_323, types::PlayerSkinDorrikTail_342, types::PlayerSkinHespin_351},
          to_int(100 - count));
}

void Frames::event_func_1544()
{
    if (!player_events_on(*this) || !in_state(*this, 20) || movement_value(*this, 'A') != 0)
        return;
    drive(*this, {types::PlayerSkinYelto_102, types::PlayerSkinOrrun_290, types::PlayerSkinPimsa_324,
                  types::PlayerSkinPimsaBike_338, types::PlayerSkinDorrik_339, types::PlayerSkinYeltoHair_209,
                  types::PlayerSkinPimsaTail_323, types::PlayerSkinDorrikTail_342, types::PlayerSkinHespin_351},
          to_int(3 * x_speed(*this) + 30));
}

// Under water in the air: the faster of the two speeds drives.
void Frames::event_func_1545()
{
    if (!player_events_on(*this) || !in_state(*this, 26))
        return;
    const double fastest = std::max(x_speed(*this), y_speed(*this));
    const int speed = to_int(7 * fastest + 7);
    drive(*this, {types::PlayerSkinYelto_102, types::PlayerSkinOrrun_290, types::PlayerSkinPimsa_324,
                  types::PlayerSkinYeltoHair_209, types::PlayerSkinPimsaTail_323},
          speed);
    release(*this, {types::PlayerSkinPimsaBike_338});
    drive(*this, {types::PlayerSkinDorrik_339}, to_int(5 * fastest + 5));
    drive(*this, {types::PlayerSkinDorrikTail_342, types::PlayerSkinHespin_351}, speed);
}

// Climbing a ladder: the climbing speed drives.
void Frames::event_func_1546()
{
    if (!player_events_on(*this) || !(in_state(*this, 27) || in_state(*this, 29)))
        return;
    const double g = y_speed(*this);
    drive(*this, {types::PlayerSkinYelto_102, types::PlayerSkinYeltoHair_209}, to_int(10 * g));
    drive(*this, {types::PlayerSkinOrrun_290, types::PlayerSkinPimsa_324}, to_int(12 * g));
    drive(*this, {types::PlayerSkinPimsaTail_323}, to_int(10 * g));
    drive(*this, {types::PlayerSkinDorrik_339}, to_int(12 * g));
    release(*this, {types::PlayerSkinPimsaBike_338});
    drive(*this, {types::PlayerSkinDorrikTail_342, types::PlayerSkinHespin_351}, to_int(12 * g));
}

// Off the ground: the faster the fall, the faster the skins turn.
void Frames::event_func_1547()
{
    if (!player_events_on(*this) || !in_state(*this, 40))
        return;
    drive(*this, {types::PlayerSkinYelto_102, types::PlayerSkinYeltoHair_209, types::PlayerSkinOrrun_290,
                  types::PlayerSkinPimsa_324, types::PlayerSkinPimsaTail_323, types::PlayerSkinPimsaBike_338,
                  types::PlayerSkinDorrik_339, types::PlayerSkinDorrikTail_342, types::PlayerSkinHespin_351},
          to_int(4 * y_speed(*this) + 7));
}

void Frames::event_func_1548()
{
    const double state = player_state(*this);
    if (player_events_on(*this) && state >= 45 && state <= 46)
        drive_at_walking_pace(*this, true);
}

void Frames::event_func_1549()
{
    if (player_events_on(*this) && in_state(*this, 47))
        drive_at_walking_pace(*this, false);
}
