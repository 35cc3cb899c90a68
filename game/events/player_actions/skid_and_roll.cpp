// Movement modes 4 (the skid) and 6 (the roll). The skid brakes while the
// direction against the motion is held and ends at a stop, on letting go,
// off the ground, or by a jump or Hespin's dash. The roll keeps its own
// friction, braking and slope pull, and ends standing up, falling off, by
// a jump, or by Yelto's or Pimsa's move. Friction and braking never carry
// the speed past 0; the slope may.
#include "audio/media.h"
#include "game/events/player_actions/action_starts.h"
#include "game/events/player_actions/ground_jump.h"

#include <algorithm>

using namespace action_starts;

namespace {

constexpr int skid_sample = 6;

bool skidding(const Frames& f) { return player_control_on(f) && f.level_group_37; }
bool rolling(const Frames& f) { return player_control_on(f) && f.level_group_46; }

ObjectList& movement(Frames& f) { return f.instances[types::PlayerMovementValues_80]; }
ObjectList& tuning(Frames& f) { return f.instances[types::PlayerActionValuesA_86]; }
double input(Frames& f, char control) { return get_value(f.instances[types::PlayerInput_21], control); }
double speed(Frames& f) { return get_value(movement(f), 'B'); }
bool on_ground(Frames& f) { return get_value(movement(f), 'L') == 1; }

// Back to the ground mode, the controls driving the speed again.
void stand_up(Frames& f)
{
    set_value(movement(f), 'M', 0);
    set_value(movement(f), 'S', 1);
}

// Slows toward 0 by `step` without passing it.
void slow_down(Frames& f, double step)
{
    const double now = speed(f);
    set_value(movement(f), 'B', now < 0 ? std::min(now + step, 0.0) : std::max(now - step, 0.0));
}

// The slope pulls the roll toward its foot, by the tuning's `factor`.
void slope_pull(Frames& f, char factor)
{
    const double angle = get_value(movement(f), 'N');
    set_value(movement(f), 'B', speed(f) - event_sin(angle) * get_value(tuning(f), factor));
}

}  // namespace

// The skid (mode 4) ----------------------------------------------------------------

void Frames::event_func_901()
{
    if (skidding(*this))
        set_value(instances[types::PlayerOthers_75], 'Y', 6);
}

void Frames::event_func_902()
{
    if (skidding(*this) && run_once(run_once_902, loop_count))
        media.play_id(skid_sample, -1, 1);
}

void Frames::event_func_903()
{
    if (skidding(*this) && speed(*this) < 0 && input(*this, 'D') == 1)
        slow_down(*this, get_value(tuning(*this), 'I'));
}

void Frames::event_func_904()
{
    if (skidding(*this) && speed(*this) < 0 && input(*this, 'D') == 0)
        stand_up(*this);
}

void Frames::event_func_905()
{
    if (skidding(*this) && speed(*this) > 0 && input(*this, 'C') == 1)
        slow_down(*this, get_value(tuning(*this), 'I'));
}

void Frames::event_func_906()
{
    if (skidding(*this) && speed(*this) > 0 && input(*this, 'C') == 0)
        stand_up(*this);
}

void Frames::event_func_907()
{
    if (!skidding(*this) || speed(*this) != 0)
        return;
    set_value(movement(*this), 'M', 0);
    deactivate_group(level_group_37);
    set_value(movement(*this), 'S', 1);
}

void Frames::event_func_908()
{
    if (!skidding(*this) || get_value(movement(*this), 'L') != 0)
        return;
    set_value(movement(*this), 'M', 0);
    deactivate_group(level_group_37);
    set_value(movement(*this), 'S', 1);
}

// Hespin dashes out of a slow skid with down and jump.
void Frames::event_func_909()
{
    if (!skidding(*this) || get_value(movement(*this), 'A') != 5 || !(std::abs(speed(*this)) < 7) ||
        input(*this, 'B') != 1 || input(*this, 'K') != 1 || !on_ground(*this))
        return;
    deactivate_group(level_group_37);
    start_hespin_dash(*this);
}

void Frames::event_func_910()
{
    if (!skidding(*this) || !on_ground(*this) || input(*this, 'K') != 1)
        return;
    jump_across_ground(*this);
    deactivate_group(level_group_37);
    set_value(movement(*this), 'S', 1);
    run_jump_sound(*this);
}

// The roll (mode 6) -------------------------------------------------------------------

void Frames::event_func_911()
{
    if (!rolling(*this))
        return;
    set_value(instances[types::PlayerOthers_75], 'Y', 8);
    add_value(instances[types::PlayerOthers_75], 'N', 1);
}

void Frames::event_func_912()
{
    if (rolling(*this) && speed(*this) < 0 && input(*this, 'D') == 1)
        slow_down(*this, get_value(tuning(*this), 'P'));
}

void Frames::event_func_913()
{
    if (rolling(*this) && speed(*this) < 0 && input(*this, 'D') == 0)
        slow_down(*this, get_value(tuning(*this), 'O'));
}

void Frames::event_func_914()
{
    if (rolling(*this) && speed(*this) > 0 && input(*this, 'C') == 1)
        slow_down(*this, get_value(tuning(*this), 'P'));
}

void Frames::event_func_915()
{
    if (rolling(*this) && speed(*this) > 0 && input(*this, 'C') == 0)
        slow_down(*this, get_value(tuning(*this), 'O'));
}

void Frames::event_func_916()
{
    if (rolling(*this) && on_ground(*this) && speed(*this) > 0 && get_value(movement(*this), 'N') < 180)
        slope_pull(*this, 'Q');
}

void Frames::event_func_917()
{
    if (rolling(*this) && on_ground(*this) && speed(*this) < 0 && get_value(movement(*this), 'N') > 180)
        slope_pull(*this, 'Q');
}

void Frames::event_func_918()
{
    if (rolling(*this) && on_ground(*this) && speed(*this) < 0 && get_value(movement(*this), 'N') < 180)
        slope_pull(*this, 'R');
}

void Frames::event_func_919()
{
    if (rolling(*this) && on_ground(*this) && speed(*this) > 0 && get_value(movement(*this), 'N') > 180)
        slope_pull(*this, 'R');
}

// Rolling off an edge: airborne without the jump-release cap.
void Frames::event_func_920()
{
    if (!rolling(*this) || get_value(movement(*this), 'L') != 0)
        return;
    set_value(movement(*this), 'M', 1);
    set_value(movement(*this), 'S', 1);
    deactivate_group(level_group_46);
    set_value(tuning(*this), 'C', 0);
}

void Frames::event_func_921()
{
    if (!rolling(*this) || !on_ground(*this) || input(*this, 'K') != 1 || get_value(tuning(*this), 'Y') == 1)
        return;
    jump_across_ground(*this);
    run_jump_sound(*this);
    set_value(movement(*this), 'S', 1);
}

// Standing up: slowed below 2 after more than 30 ticks, or up pressed.
void Frames::event_func_922()
{
    if (!rolling(*this))
        return;
    const bool slowed = speed(*this) > -2 && speed(*this) < 2 && get_value(instances[types::PlayerOthers_75], 'N') > 30;
    if (!slowed && input(*this, 'G') != 1)
        return;
    stand_up(*this);
    deactivate_group(level_group_46);
    set_value(instances[types::PlayerOthers_75], 'N', 0);
}

// Its conditions imply 922's, which has switched the roll group off by
// now: it never acts.
void Frames::event_func_923() {}

void Frames::event_func_924()
{
    if (!rolling(*this) || !yelto_special_pressed(*this) || get_value(tuning(*this), 'Y') == 1)
        return;
    start_yelto_special_from_ground(*this);
}

void Frames::event_func_925()
{
    if (!rolling(*this) || get_value(movement(*this), 'A') != 2 || input(*this, 'L') != 1)
        return;
    set_value(movement(*this), 'M', 20);
    for_each_instance(instances[types::PlayerSkinPimsa_324], [](FrameObject* skin) { set_flag(skin, 12, true); });
    set_value(movement(*this), 'S', 1);
}
