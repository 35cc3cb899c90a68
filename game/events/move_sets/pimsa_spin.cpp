// Pimsa's held spin (movement mode 44): invulnerable, braking hard on the
// ground, three hit effects per turn of the animation; the skin's counter L
// winds up for 20 ticks on energy, holds at 20 while the special control is
// held and energy lasts, then recovers for ten ticks.
#include "game/events/move_sets/pimsa_moves.h"

#include "audio/media.h"
#include "game/events/player_actions/ground_jump.h"

#include <algorithm>
#include <cmath>

using namespace pimsa_moves;

namespace {

constexpr unsigned spin_sample = 192;
constexpr double hold_at = 20, end_after = 30;

bool spin_on(const Frames& f) { return move_on(f, &Frames::level_group_55); }

bool hit_frame(int frame) { return frame == 2 || frame == 5 || frame == 7; }

double counter(const FrameObject& skin) { return get_value(skin, 'L'); }

// Ground speed toward 0 by five times the deceleration, not past it.
double braked(Frames& f, double speed)
{
    const double step = 5 * get_value(player(f), 'E');
    return speed >= 0 ? std::max(speed - step, 0.0) : std::min(speed + step, 0.0);
}

}  // namespace

void Frames::event_func_1202()
{
    if (!spin_on(*this))
        return;
    set_state(*this, 44);
    set_value(others(*this), 'M', 0);
}

void Frames::event_func_1203()
{
    if (!spin_on(*this))
        return;
    ObjectList& o = others(*this);
    if (get_value(player(*this), 'R') != 0 || get_value(o, 'D') == 1)
        return;
    set_value(o, 'D', 2);
    set_value(o, 'E', std::max(get_value(o, 'E'), 3.0));
}

void Frames::event_func_1204()
{
    if (!spin_on(*this) || get_value(player(*this), 'L') != 1)
        return;
    const double b = get_value(player(*this), 'B');
    if (b >= 0)
        set_value(player(*this), 'B', braked(*this, b));
}

void Frames::event_func_1205()
{
    if (!spin_on(*this) || get_value(player(*this), 'L') != 1)
        return;
    const double b = get_value(player(*this), 'B');
    if (b <= 0)
        set_value(player(*this), 'B', braked(*this, b));
}

void Frames::event_func_1206()
{
    if (!spin_on(*this))
        return;
    auto winding_up = [](FrameObject* skin) { return frame_of(*skin) >= 2 && counter(*skin) < hold_at; };
    if (select(skins(*this), winding_up) && !media.is_sample_playing(spin_sample))
        play_sample(spin_sample);
}

void Frames::event_func_1207()
{
    if (!spin_on(*this))
        return;
    ObjectList& list = skins(*this);
    if (!select(list, [](FrameObject* skin) { return hit_frame(frame_of(*skin)) && !get_flag(*skin, 2); }))
        return;
    FrameObject* skin = list.back_selection();
    for_each_selected(list, [](FrameObject* s) { set_flag(s, 2, true); });
    mark_hit(*this);
    FrameObject* shield = create_shield(*this);
    aim_shield_behind(shield, skin, 2 + to_int(get_value(*skin, 'A')));
    set_value(shield, 'A', 1);
    for_each_selected(list, [](FrameObject* s) { set_value(s, 'A', std::fmod(get_value(*s, 'A') + 1, 3)); });
}

void Frames::event_func_1208()
{
    if (!spin_on(*this))
        return;
    if (select(skins(*this), [](FrameObject* skin) { return !hit_frame(frame_of(*skin)); }))
        for_each_selected(skins(*this), [](FrameObject* skin) { set_flag(skin, 2, false); });
}

void Frames::event_func_1209()
{
    if (!spin_on(*this))
        return;
    if (!select(skins(*this), [](FrameObject* skin) { return counter(*skin) <= hold_at; }))
        return;
    if (get_value(others(*this), 'K') <= 2)
        set_energy(*this, std::max(energy(*this) - 1.5, 0.0));
}

void Frames::event_func_1210()
{
    if (!spin_on(*this))
        return;
    const bool released = input(*this, 'O') == 0;
    const bool drained = energy(*this) <= 0;
    auto advancing = [&](FrameObject* skin) {
        const double l = counter(*skin);
        return l < hold_at || (l == hold_at && released) || (l == hold_at && drained);
    };
    if (select(skins(*this), advancing))
        for_each_selected(skins(*this), [](FrameObject* skin) { add_value(skin, 'L', 1); });
}

void Frames::event_func_1211()
{
    if (!spin_on(*this))
        return;
    if (!select(skins(*this), [](FrameObject* skin) { return counter(*skin) > hold_at; }))
        return;
    for_each_selected(skins(*this), [](FrameObject* skin) {
        sprite(skin)->force_frame(0);
        add_value(skin, 'L', 1);
        sprite(skin)->restore_frame();
    });
    media.stop_sample(spin_sample);
}

void Frames::event_func_1212()
{
    if (!spin_on(*this))
        return;
    if (!select(skins(*this), [](FrameObject* skin) { return counter(*skin) > end_after; }))
        return;
    for_each_selected(skins(*this), [](FrameObject* skin) { sprite(skin)->restore_frame(); });
    set_value(player(*this), 'M', 0);
    set_state(*this, 0);
}

// The jump out of the spin, as the attack chain's.
void Frames::event_func_1213()
{
    if (!spin_on(*this) || get_value(player(*this), 'L') != 1 || input(*this, 'K') != 1)
        return;
    launch_across_ground(*this);
    run_jump_sound(*this);
}
