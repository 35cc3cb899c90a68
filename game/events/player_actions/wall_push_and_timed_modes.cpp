// The last action groups: the two timed states (modes 8 and 12), which end
// in free air after more than 30 ticks or when Yelto's skin has played its
// animation out; pushing against a wall (mode 11) and what starts from it;
// the hand-over to the ladder (mode 25); modes 38 and 39; and the start of
// the free-air group (mode 40) with Yelto's jump and downward move.
// Yelto's skin O counts the timed states' ticks whatever the character.
#include "audio/media.h"
#include "game/events/player_actions/action_starts.h"
#include "game/events/player_actions/ground_jump.h"
#include "objects/active.h"

#include <algorithm>

using namespace action_starts;

namespace {

constexpr int power_loop_sample = 123, free_air_jump_sample = 163;
constexpr double free_air_state = 40;

bool timed_fall(const Frames& f) { return player_control_on(f) && f.level_group_63; }
bool pushing(const Frames& f) { return player_control_on(f) && f.level_group_21; }
bool timed_pose(const Frames& f) { return player_control_on(f) && f.level_group_51; }
bool ladder_grab(const Frames& f) { return player_control_on(f) && f.level_group_49; }
bool free_air(const Frames& f) { return player_control_on(f) && f.level_group_30; }

ObjectList& movement(Frames& f) { return f.instances[types::PlayerMovementValues_80]; }
ObjectList& yelto(Frames& f) { return f.instances[types::PlayerSkinYelto_102]; }
double input(Frames& f, char control) { return get_value(f.instances[types::PlayerInput_21], control); }
double character(Frames& f) { return get_value(movement(f), 'A'); }
double state(Frames& f) { return get_value(f.instances[types::PlayerOthers_75], 'Y'); }
void set_state(Frames& f, double number) { set_value(f.instances[types::PlayerOthers_75], 'Y', number); }
bool on_ground(Frames& f) { return get_value(movement(f), 'L') == 1; }

bool yelto_finished(Frames& f, int animation)
{
    return select(yelto(f), [animation](FrameObject* skin) {
        return static_cast<Active*>(skin)->animation_finished == animation;
    });
}

bool timed_out(Frames& f)
{
    return select(yelto(f), [](FrameObject* skin) { return get_value(*skin, 'O') > 30; });
}

// A timed state ends in free air, the HUD icon back to its own animation.
void end_timed_state(Frames& f)
{
    set_value(movement(f), 'S', 1);
    set_value(movement(f), 'M', 0);
    set_state(f, free_air_state);
    for_each_instance(f.instances[types::GUIIcon_108],
                      [](FrameObject* icon) { static_cast<Active*>(icon)->restore_animation(); });
    set_value(yelto(f), 'O', 0);
}

// Running out of time also stops the player.
void time_out(Frames& f)
{
    set_value(movement(f), 'B', 0);
    end_timed_state(f);
}

// What the big side sensors touch (their Z), left and right.
struct Contacts {
    double left, right;
    bool operator==(const Contacts&) const = default;
};

Contacts wall_contacts(Frames& f)
{
    return {get_value(f.instances[types::PlayerSensorLeftBig_89], 'Z'),
            get_value(f.instances[types::PlayerSensorRightBig_91], 'Z')};
}

}  // namespace

// The timed fall (mode 8) -------------------------------------------------------------

void Frames::event_func_926()
{
    if (!timed_fall(*this))
        return;
    set_state(*this, 9);
    set_value(instances[types::PlayerOthers_75], 'M', 0);
    add_value(yelto(*this), 'O', 1);
}

void Frames::event_func_927()
{
    ObjectList& player = movement(*this);
    if (timed_fall(*this) && get_value(player, 'G') < 5)
        add_value(player, 'G', get_value(player, 'I'));
}

// Called ahead of the tick's events.
void Frames::event_func_928()
{
    if (timed_fall(*this) && yelto_finished(*this, 8))
        end_timed_state(*this);
}

void Frames::event_func_929()
{
    if (timed_fall(*this) && timed_out(*this))
        time_out(*this);
}

void Frames::event_func_930()
{
    if (!timed_fall(*this) || !run_once(run_once_930, loop_count))
        return;
    set_value(movement(*this), 'U', 1);
    set_value(movement(*this), 'T', 1);
    set_value(instances[types::PlayerActionValuesB_164], 'O', 0);
    media.stop_sample(power_loop_sample);
}

// The call for help, once per entry while the knock-back count is 4.
void Frames::event_func_931()
{
    if (!timed_fall(*this) || get_value(instances[types::PlayerOthers_75], 'L') != 4 ||
        !run_once(run_once_931, loop_count))
        return;
    run_loop(fast_loop_stop_voices, 1, &Frames::loop_stop_voices_3);
    run_loop(fast_loop_sound_help, 1, &Frames::loop_sound_help_0);
}

// Pushing against a wall (mode 11) -------------------------------------------------

void Frames::event_func_932()
{
    if (pushing(*this))
        set_state(*this, 13);
}

void Frames::event_func_933()
{
    if (pushing(*this))
        set_value(movement(*this), 'S', 1);
}

void Frames::event_func_934()
{
    if (pushing(*this) && get_value(movement(*this), 'L') == 0)
        set_value(movement(*this), 'M', 0);
}

void Frames::event_func_935()
{
    if (pushing(*this) && on_ground(*this) && get_value(instances[types::PlayerActionValuesB_164], 'S') <= 0 &&
        get_value(movement(*this), 'B') != 0)
        set_value(movement(*this), 'M', 0);
}

// Letting go of the side whose sensor alone touches.
void Frames::event_func_936()
{
    if (pushing(*this) && on_ground(*this) && input(*this, 'D') == 0 && wall_contacts(*this) == Contacts{0, 1})
        set_value(movement(*this), 'M', 0);
}

void Frames::event_func_937()
{
    if (pushing(*this) && on_ground(*this) && input(*this, 'C') == 0 && wall_contacts(*this) == Contacts{1, 0})
        set_value(movement(*this), 'M', 0);
}

// No direction held, and the two sensors agree.
void Frames::event_func_938()
{
    if (pushing(*this) && on_ground(*this) && input(*this, 'D') == 0 && input(*this, 'C') == 0 &&
        wall_contacts(*this) == Contacts{0, 0})
        set_value(movement(*this), 'M', 0);
}

void Frames::event_func_939()
{
    if (pushing(*this) && on_ground(*this) && input(*this, 'D') == 0 && input(*this, 'C') == 0 &&
        wall_contacts(*this) == Contacts{1, 1})
        set_value(movement(*this), 'M', 0);
}

void Frames::event_func_940()
{
    if (!pushing(*this) || !on_ground(*this) || input(*this, 'K') != 1)
        return;
    jump_across_ground(*this);
    deactivate_group(level_group_21);
    run_jump_sound(*this);
}

void Frames::event_func_941()
{
    const double mode = get_value(movement(*this), 'M');
    if (!pushing(*this) || input(*this, 'L') != 1 || mode == 20 || mode == 21)
        return;
    if (!select(yelto(*this), [](FrameObject* skin) { return get_value(*skin, 'M') <= 20; }) || character(*this) == 5)
        return;
    start_attack(*this);
}

// Yelto's up action, before any air action.
void Frames::event_func_942()
{
    if (!pushing(*this) || input(*this, 'A') != 1 || input(*this, 'L') != 1 || character(*this) != 0 ||
        !on_ground(*this) || get_value(instances[types::PlayerActionValuesB_164], 'O') != 0)
        return;
    set_value(movement(*this), 'M', 21);
}

void Frames::event_func_943()
{
    if (pushing(*this) && dorrik_special_pressed(*this))
        set_value(movement(*this), 'M', 31);
}

// The timed pose (mode 12) -----------------------------------------------------------

void Frames::event_func_944()
{
    if (!timed_pose(*this))
        return;
    set_state(*this, 25);
    add_value(yelto(*this), 'O', 1);
}

// Called ahead of the tick's events.
void Frames::event_func_945()
{
    if (timed_pose(*this) && yelto_finished(*this, 27))
        end_timed_state(*this);
}

void Frames::event_func_946()
{
    if (timed_pose(*this) && timed_out(*this))
        time_out(*this);
}

// Onto the ladder (mode 25): eight ticks of state 28, then the ladder --------------------

void Frames::event_func_947()
{
    if (ladder_grab(*this))
        set_state(*this, 28);
}

void Frames::event_func_948()
{
    if (!ladder_grab(*this))
        return;
    set_value(movement(*this), 'S', 1);
    set_value(movement(*this), 'T', 0);
    set_value(movement(*this), 'U', 0);
    add_value(yelto(*this), 'O', 1);
}

void Frames::event_func_949()
{
    if (!ladder_grab(*this) || !select(yelto(*this), [](FrameObject* skin) { return get_value(*skin, 'O') > 7; }))
        return;
    set_state(*this, 27);
    set_value(movement(*this), 'M', 46);
    set_value(instances[types::MasterCamera_190], 'M', 0);
    set_value(yelto(*this), 'O', 0);
}

// Modes 38 and 39 -----------------------------------------------------------------------

void Frames::event_func_950()
{
    if (player_control_on(*this) && level_group_18 && state(*this) != 45)
        set_state(*this, 46);
}

void Frames::event_func_951()
{
    if (!player_control_on(*this) || !level_group_74)
        return;
    set_value(instances[types::PlayerOthers_75], 'M', 0);
    set_value(yelto(*this), 'J', 0);
}

// Any motion ends mode 39 standing, every body skin facing right.
void Frames::event_func_952()
{
    if (!player_control_on(*this) || !level_group_74)
        return;
    if (get_value(movement(*this), 'B') == 0 && get_value(movement(*this), 'G') == 0)
        return;
    set_value(movement(*this), 'M', 0);
    set_state(*this, 0);
    for (const int skins : {types::PlayerSkinYelto_102, types::PlayerSkinOrrun_290, types::PlayerSkinPimsa_324,
                            types::PlayerSkinDorrik_339})
        for_each_instance(instances[skins], [](FrameObject* skin) { skin->set_direction(0, true); });
}

// The free air (mode 40), first events ---------------------------------------------------

void Frames::event_func_953()
{
    if (free_air(*this) && state(*this) != 12)
        set_state(*this, free_air_state);
}

void Frames::event_func_954()
{
    if (free_air(*this) && yelto_special_pressed(*this))
        start_yelto_special(*this);
}

// Yelto's jump in free air: at least 3 upward, none with down held.
void Frames::event_func_955()
{
    ObjectList& player = movement(*this);
    ObjectList& counters = instances[types::PlayerActionValuesB_164];
    if (!free_air(*this) || character(*this) != 0 || input(*this, 'K') != 1 ||
        get_value(instances[types::PlayerOthers_75], 'H') == 1 || get_value(counters, 'O') != 0)
        return;
    set_value(player, 'N', 0);
    set_value(player, 'L', 0);
    set_value(player, 'M', 26);
    set_value(counters, 'O', 1);
    set_value(player, 'G', std::min(get_value(player, 'G'), -3.0) * (1 - input(*this, 'B')));
    set_value(yelto(*this), 'I', 0);
    media.play_id(free_air_jump_sample, -1, 1);
}

// Yelto's downward move: down and the second button.
void Frames::event_func_956()
{
    if (!free_air(*this) || character(*this) != 0 || input(*this, 'B') != 1 || input(*this, 'L') != 1 ||
        state(*this) == 43)
        return;
    set_value(movement(*this), 'M', 19);
    reset_orrun_skins(*this);
    set_value(instances[types::PlayerOthers_75], 'N', 0);
    deactivate_group(level_group_30);
}
