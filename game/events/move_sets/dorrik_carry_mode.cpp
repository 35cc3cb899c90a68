// Dorrik's carry mode (30): a lower top speed, plain stand, walk and run
// states, no flight, a charge let go too early is cancelled, and he can
// jump with what he holds.
#include "game/events/move_sets/dorrik_moves.h"
#include "game/events/player_actions/ground_jump.h"

#include <cmath>

using namespace dorrik;

namespace {

constexpr double carry_mode = 30, carry_top_speed = 4, top_speed = 5, full_charge = 40;

bool carry_on(const Frames& f) { return events_on(f, &Frames::level_group_66); }

bool on_ground(Frames& f) { return get_value(movement(f), 'L') == 1; }
double speed(Frames& f) { return std::abs(get_value(movement(f), 'B')); }
double state(Frames& f) { return get_value(others(f), 'Y'); }
void set_state(Frames& f, double n) { set_value(others(f), 'Y', n); }

}  // namespace

void Frames::event_func_1332()
{
    if (carry_on(*this) && on_ground(*this) && speed(*this) == 0 && state(*this) != 48 && state(*this) != 12)
        set_state(*this, 0);
}

void Frames::event_func_1333()
{
    if (carry_on(*this) && on_ground(*this) && speed(*this) > 0 && speed(*this) < 5)
        set_state(*this, 1);
}

void Frames::event_func_1334()
{
    if (carry_on(*this) && on_ground(*this) && speed(*this) >= 5)
        set_state(*this, 2);
}

void Frames::event_func_1335()
{
    if (carry_on(*this) && state(*this) == 13)
        set_state(*this, 0);
}

void Frames::event_func_1336()
{
    if (!carry_on(*this) || get_value(movement(*this), 'M') != carry_mode || !skins_holding(*this, 0))
        return;
    for_each_selected(dorrik_skins(*this), [](FrameObject* skin) { set_value(skin, 'F', 1); });
}

void Frames::event_func_1337()
{
    if (!carry_on(*this))
        return;
    set_value(movement(*this), 'C', carry_top_speed);
    // Fatigue held full: no flight while the hands are busy.
    for_each_instance(dorrik_skins(*this), [](FrameObject* skin) { set_value(skin, 'E', 100); });
}

void Frames::event_func_1338()
{
    if (!carry_on(*this) || !skins_holding(*this, 2) || get_value(input(*this), 'F') != 0)
        return;
    if (!filter(dorrik_skins(*this), [](FrameObject* skin) { return get_value(*skin, 'G') < full_charge; }))
        return;
    set_value(movement(*this), 'M', 0);
    for_each_selected(dorrik_skins(*this), [](FrameObject* skin) { set_value(skin, 'F', 0); });
    set_value(movement(*this), 'C', top_speed);
}

void Frames::event_func_1339()
{
    if (!carry_on(*this) || !on_ground(*this) || get_value(input(*this), 'K') != 1)
        return;
    deactivate_group(level_group_58);
    jump_across_ground(*this);
    run_jump_sound(*this);
}
