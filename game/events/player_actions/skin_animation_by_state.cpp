// The state table of the skins: each state forces its animation on every
// body skin, whichever character is played, so that the visible one shows
// it. Forcing the animation already forced changes nothing, so a state that
// lasts neither restarts nor advances its animation.
#include "game/events/player_actions/skin_objects.h"

#include <cmath>

using namespace skins;

namespace {

void force(Frames& f, std::initializer_list<int> types, int animation)
{
    for_each_skin(f, types, [animation](Active* skin) { skin->force_animation(animation); });
}

bool in_state(Frames& f, double state) { return player_state(f) == state; }

// A row of the table: in `state` the body skins show `animation`.
void body_row(Frames& f, double state, int animation)
{
    if (player_events_on(f) && in_state(f, state))
        force(f, body_skins, animation);
}

// A row that the hair and tails follow too.
void body_and_followers_row(Frames& f, double state, int animation)
{
    if (!player_events_on(f) || !in_state(f, state))
        return;
    force(f, body_skins, animation);
    force(f, follower_skins, animation);
}

// A row that also clears the travel angle.
void body_row_clearing_travel(Frames& f, double state, int animation)
{
    if (!player_events_on(f) || !in_state(f, state))
        return;
    force(f, body_skins, animation);
    set_value(instance_of(f.instances[types::PlayerOthers_75]), 'X', 0);
}

// Running (state 2) at an |x speed| at or above `threshold` (`fast`) or
// below it.
bool running(Frames& f, bool fast, double threshold)
{
    return player_events_on(f) && in_state(f, 2) && (std::abs(movement_value(f, 'B')) >= threshold) == fast;
}

bool hespin_running(Frames& f, bool fast)
{
    return player_events_on(f) && in_state(f, 2) && movement_value(f, 'A') == 5 &&
           (std::abs(movement_value(f, 'B')) >= 7.0) == fast;
}

// Every skin that the fall shows from the animation's seventh frame on.
constexpr std::initializer_list<int> falling_skins = {
    types::PlayerSkinYeltoHair_209, types::PlayerSkinYelto_102,      types::PlayerSkinOrrun_290,
    types::PlayerSkinPimsa_324,     types::PlayerSkinPimsaTail_323,  types::PlayerSkinPimsaBike_338,
    types::PlayerSkinDorrik_339,    types::PlayerSkinDorrikTail_342, types::PlayerSkinHespin_351,
};

}  // namespace

void Frames::event_func_1475() { body_row(*this, 0, 0); }

void Frames::event_func_1476() { body_row(*this, 1, 1); }

void Frames::event_func_1477()
{
    if (!running(*this, false, 9.5))
        return;
    force(*this, {types::PlayerSkinYelto_102, types::PlayerSkinOrrun_290, types::PlayerSkinPimsa_324,
                  types::PlayerSkinPimsaBike_338, types::PlayerSkinDorrik_339},
          2);
}

// Only Yelto and Orrun have a sprint of their own.
void Frames::event_func_1478()
{
    if (!running(*this, true, 9.5))
        return;
    force(*this, {types::PlayerSkinYelto_102, types::PlayerSkinOrrun_290}, 23);
    force(*this, {types::PlayerSkinPimsa_324, types::PlayerSkinPimsaBike_338, types::PlayerSkinDorrik_339}, 2);
}

void Frames::event_func_1479()
{
    if (hespin_running(*this, false))
        force(*this, {types::PlayerSkinHespin_351}, 2);
}

void Frames::event_func_1480()
{
    if (hespin_running(*this, true))
        force(*this, {types::PlayerSkinHespin_351}, 23);
}

// Leaving the ground going down, from standing, walking or running.
void Frames::event_func_1481()
{
    if (!player_events_on(*this) || !(player_state(*this) < 3))
        return;
    if (movement_value(*this, 'L') == 1 || !(movement_value(*this, 'G') > 0))
        return;
    set_value(instance_of(instances[types::PlayerOthers_75]), 'Y', 40);
}

void Frames::event_func_1482() { body_row(*this, 3, 24); }
void Frames::event_func_1483() { body_row(*this, 4, 11); }
void Frames::event_func_1484() { body_and_followers_row(*this, 5, 10); }
void Frames::event_func_1485() { body_row(*this, 6, 16); }
void Frames::event_func_1486() { body_row(*this, 7, 13); }
void Frames::event_func_1487() { body_row(*this, 8, 7); }

// The HUD icon is forced along (it has one animation, so it keeps its picture).
void Frames::event_func_1488()
{
    if (!player_events_on(*this) || !in_state(*this, 9))
        return;
    force(*this, body_skins, 8);
    if (FrameObject* icon = instance_of(instances[types::GUIIcon_108]))
        as_active(icon)->force_animation(8);
}

void Frames::event_func_1489() { body_row(*this, 10, 38); }
void Frames::event_func_1490() { body_row(*this, 11, 5); }

void Frames::event_func_1491()
{
    if (!player_events_on(*this) || !in_state(*this, 12))
        return;
    force(*this, body_skins, 20);
    set_value(instance_of(instances[types::PlayerMovementValues_80]), 'S', 1);
}

// State 12 lasts while Yelto's skin plays animation 20 once, for every
// character.
void Frames::event_func_1492()
{
    if (!player_events_on(*this))
        return;
    if (active_or_default(instances[types::PlayerSkinYelto_102]).animation_finished != 20)
        return;
    if (in_state(*this, 12))
        set_value(instance_of(instances[types::PlayerOthers_75]), 'Y', 0);
}

void Frames::event_func_1493() { body_row(*this, 13, 12); }
void Frames::event_func_1494() { body_row(*this, 14, 18); }
void Frames::event_func_1495() { body_row(*this, 15, 26); }
void Frames::event_func_1496() { body_row(*this, 16, 22); }
void Frames::event_func_1497() { body_row(*this, 19, 22); }
void Frames::event_func_1498() { body_row(*this, 20, 25); }
void Frames::event_func_1499() { body_row(*this, 21, 26); }
void Frames::event_func_1500() { body_row(*this, 22, 29); }
void Frames::event_func_1501() { body_row(*this, 23, 30); }
void Frames::event_func_1502() { body_row(*this, 24, 28); }
void Frames::event_func_1503() { body_row(*this, 25, 27); }
void Frames::event_func_1504() { body_row(*this, 26, 39); }
void Frames::event_func_1505() { body_row(*this, 27, 9); }
void Frames::event_func_1506() { body_row(*this, 28, 36); }
void Frames::event_func_1507() { body_row(*this, 29, 35); }

// In the air: rising.
void Frames::event_func_1508()
{
    if (player_events_on(*this) && in_state(*this, 40) && movement_value(*this, 'G') < 0)
        force(*this, body_skins, 14);
}

// Falling: the fall animation starts at its seventh frame (or its last, if
// shorter) and plays on from there; once Yelto's skin runs it, nothing
// more to do.
void Frames::event_func_1509()
{
    if (!player_events_on(*this) || !in_state(*this, 40) || !(movement_value(*this, 'G') >= 0))
        return;
    if (active_or_default(instances[types::PlayerSkinYelto_102]).test_animation(24))
        return;
    for_each_skin(*this, falling_skins, [](Active* skin) {
        skin->force_animation(24);
        skin->force_frame(6);
        skin->restore_frame();
    });
}

void Frames::event_func_1510() { body_row_clearing_travel(*this, 41, 15); }
void Frames::event_func_1511() { body_row_clearing_travel(*this, 42, 17); }

void Frames::event_func_1512()
{
    if (!player_events_on(*this) || !in_state(*this, 43))
        return;
    force(*this, {types::PlayerSkinYelto_102}, 19);
    force(*this, {types::PlayerSkinOrrun_290, types::PlayerSkinPimsa_324, types::PlayerSkinPimsaBike_338,
                  types::PlayerSkinDorrik_339, types::PlayerSkinHespin_351},
          20);
}

void Frames::event_func_1513() { body_row(*this, 44, 21); }
void Frames::event_func_1514() { body_row(*this, 45, 32); }
void Frames::event_func_1515() { body_row(*this, 46, 31); }
void Frames::event_func_1516() { body_row(*this, 47, 33); }
void Frames::event_func_1517() { body_and_followers_row(*this, 48, 37); }
void Frames::event_func_1518() { body_and_followers_row(*this, 50, 40); }
void Frames::event_func_1519() { body_and_followers_row(*this, 51, 41); }
