// Movement mode 0, the player on the ground: the state from the ground
// speed, the bike's rolling effect, and the controls that lead into the
// other modes (look up, crouch, skid, Pimsa's ground move, the jump, the
// wall push, falling off in the water). An action that leaves the mode
// switches the mode-0 group off, so the rest of the group waits for the
// next tick's mode switch.
#include "audio/media.h"
#include "game/events/player_actions/action_starts.h"
#include "game/events/player_actions/ground_jump.h"
#include "game/frames/event_support.h"
#include "game/frames/frames.h"
#include "game/objects/classes.h"
#include "objects/active.h"

#include <algorithm>
#include <cmath>

namespace {

ObjectList& movement(Frames& f) { return f.instances[types::PlayerMovementValues_80]; }
ObjectList& others(Frames& f) { return f.instances[types::PlayerOthers_75]; }
ObjectList& input(Frames& f) { return f.instances[types::PlayerInput_21]; }
ObjectList& actions_a(Frames& f) { return f.instances[types::PlayerActionValuesA_86]; }
ObjectList& actions_b(Frames& f) { return f.instances[types::PlayerActionValuesB_164]; }
double state(Frames& f) { return get_value(others(f), 'Y'); }
void set_state(Frames& f, double number) { set_value(others(f), 'Y', number); }

constexpr int ground_move_sample = 7;
constexpr int bike_character = 3;

bool mode_0_on(const Frames& f) { return action_starts::player_control_on(f) && f.level_group_58; }

bool on_ground(Frames& f) { return get_value(movement(f), 'L') == 1; }

double speed(Frames& f) { return get_value(movement(f), 'B'); }

// The jump ends the mode-0 group for the rest of the tick.
void jump_off_ground(Frames& f)
{
    jump_across_ground(f);
    deactivate_group(f.level_group_58);
}

void leave_mode_0(Frames& f, double mode)
{
    deactivate_group(f.level_group_58);
    set_value(movement(f), 'M', mode);
}

// Reversing at the skid speed or above starts a skid.
void skid(Frames& f)
{
    deactivate_group(f.level_group_58);
    set_value(movement(f), 'S', 0);
    set_value(movement(f), 'M', 4);
}

bool at_skid_speed_right(Frames& f) { return speed(f) >= get_value(actions_a(f), 'H'); }
bool at_skid_speed_left(Frames& f) { return speed(f) <= -get_value(actions_a(f), 'H'); }

void pimsa_ground_move(Frames& f)
{
    set_value(movement(f), 'M', 6);
    set_value(movement(f), 'S', 0);
    media.play_id(ground_move_sample, -1, 1);
    deactivate_group(f.level_group_58);
    set_value(others(f), 'N', 0);
}

// Pushing against a wall needs the big side sensor on it and no vertical
// motion.
bool pushing(Frames& f, char held, int sensor_type)
{
    return get_value(input(f), held) == 1 && get_value(f.instances[sensor_type], 'Z') == 1 && on_ground(f) &&
           std::abs(get_value(movement(f), 'G')) < 0.2;
}

bool in_water_outside_timed_states(Frames& f)
{
    const double s = state(f);
    return get_value(others(f), 'H') == 1 && s != 12 && s != 9;
}

}  // namespace

void Frames::event_func_783()
{
    if (!mode_0_on(*this) || !on_ground(*this) || std::abs(speed(*this)) != 0)
        return;
    if (state(*this) == 48 || state(*this) == 12)
        return;
    set_state(*this, 0);
    set_value(movement(*this), 'T', 1);
    set_value(movement(*this), 'S', 1);
}

void Frames::event_func_784()
{
    const double pace = std::abs(speed(*this));
    if (!mode_0_on(*this) || !on_ground(*this) || !(pace > 0 && pace < 5))
        return;
    set_state(*this, 1);
    set_value(movement(*this), 'T', 1);
}

void Frames::event_func_785()
{
    if (!mode_0_on(*this) || !on_ground(*this) || !(std::abs(speed(*this)) >= 5))
        return;
    set_state(*this, 2);
    set_value(movement(*this), 'T', 1);
}

void Frames::event_func_786()
{
    if (!mode_0_on(*this))
        return;
    if (state(*this) == 13 || (get_value(movement(*this), 'A') == 1 && state(*this) == 22))
        set_state(*this, 0);
}

// On the bike a roll keeps one spark effect behind the bike, turned with
// the bike's frame.
void Frames::event_func_787()
{
    if (!mode_0_on(*this) || get_value(movement(*this), 'A') != bike_character || state(*this) != 8)
        return;
    ObjectList& sparks = instances[types::ShieldInstaShield_187];
    if (instance_of(sparks))
        return;
    FrameObject* player = instance_of(instances[types::Player_87]);
    FrameObject* bike = instance_of(instances[types::PlayerSkinPimsaBike_338]);
    if (!player)
        return;
    FrameObject* spark = create_instance(*this, sparks, create_shieldinstashield_187(player->get_x(), player->get_y()),
                                         layer_index(*player));
    if (!spark)
        return;
    set_value(spark, 'A', 2);
    spark->set_direction(24, true);
    const int frame = bike ? static_cast<Active*>(bike)->get_frame() : 0;
    spark->set_angle(frame * 45, 0);
    if (bike)
        spark->move_back(bike);
}

void Frames::event_func_801()
{
    if (mode_0_on(*this) && on_ground(*this))
        set_value(actions_b(*this), 'O', 0);
}

void Frames::event_func_802()
{
    if (!mode_0_on(*this) || !on_ground(*this) || speed(*this) != 0)
        return;
    if (get_value(input(*this), 'A') != 1 || get_value(input(*this), 'C') != 0 || get_value(input(*this), 'D') != 0)
        return;
    leave_mode_0(*this, 2);
}

void Frames::event_func_803()
{
    if (!mode_0_on(*this) || !on_ground(*this) || !(std::abs(speed(*this)) < 2))
        return;
    if (get_value(input(*this), 'B') != 1 || get_value(input(*this), 'C') != 0 || get_value(input(*this), 'D') != 0)
        return;
    set_value(movement(*this), 'B', 0);
    leave_mode_0(*this, 3);
}

void Frames::event_func_804()
{
    if (mode_0_on(*this) && on_ground(*this) && at_skid_speed_right(*this) && get_value(input(*this), 'I') == 1)
        skid(*this);
}

void Frames::event_func_805()
{
    if (mode_0_on(*this) && on_ground(*this) && at_skid_speed_left(*this) && get_value(input(*this), 'J') == 1)
        skid(*this);
}

void Frames::event_func_806()
{
    if (!mode_0_on(*this) || !on_ground(*this) || get_value(movement(*this), 'K') != 1)
        return;
    if (at_skid_speed_right(*this) && get_value(input(*this), 'C') == 1)
        skid(*this);
}

void Frames::event_func_807()
{
    if (!mode_0_on(*this) || !on_ground(*this) || get_value(movement(*this), 'K') != 1)
        return;
    if (at_skid_speed_left(*this) && get_value(input(*this), 'D') == 1)
        skid(*this);
}

void Frames::event_func_808()
{
    if (!mode_0_on(*this) || get_value(movement(*this), 'A') != 2 || !on_ground(*this))
        return;
    if (get_value(input(*this), 'H') == 1 && std::abs(speed(*this)) >= 2)
        pimsa_ground_move(*this);
}

void Frames::event_func_809()
{
    if (!mode_0_on(*this) || get_value(movement(*this), 'A') != 2 || !on_ground(*this) || get_value(movement(*this), 'K') != 1)
        return;
    if (get_value(input(*this), 'B') == 1 && std::abs(speed(*this)) >= 2)
        pimsa_ground_move(*this);
}

void Frames::event_func_810()
{
    if (!mode_0_on(*this) || !on_ground(*this) || get_value(input(*this), 'K') != 1 || get_value(movement(*this), 'A') == 5)
        return;
    jump_off_ground(*this);
    run_jump_sound(*this);
}

// Hespin's jump: holding down bars it below a speed of 9.5.
void Frames::event_func_811()
{
    if (!mode_0_on(*this) || !on_ground(*this) || get_value(input(*this), 'K') != 1 || get_value(movement(*this), 'A') != 5)
        return;
    const double pace = std::abs(speed(*this));
    if (!((pace < 9.5 && get_value(input(*this), 'B') == 0) || pace >= 9.5))
        return;
    jump_off_ground(*this);
    run_jump_sound(*this);
}

void Frames::event_func_812()
{
    if (!mode_0_on(*this) || !pushing(*this, 'D', types::PlayerSensorRightBig_91))
        return;
    set_value(movement(*this), 'Q', 1);
    set_value(movement(*this), 'M', 11);
}

void Frames::event_func_813()
{
    if (!mode_0_on(*this) || !pushing(*this, 'C', types::PlayerSensorLeftBig_89))
        return;
    set_value(movement(*this), 'M', 11);
    set_value(movement(*this), 'Q', -1);
}

// In the water a player off the ground is airborne; in the insta-shield's
// state only once it no longer rises fast.
void Frames::event_func_815()
{
    if (!mode_0_on(*this) || get_value(others(*this), 'H') != 1 || on_ground(*this))
        return;
    const double s = state(*this);
    const bool free = s != 12 && s != 9 && s != 43;
    const bool shield_settled = s == 43 && get_value(movement(*this), 'G') <= 2;
    if (free || shield_settled)
        set_value(movement(*this), 'M', 1);
}

// Holding jump in the water jumps again.
void Frames::event_func_816()
{
    if (!mode_0_on(*this) || !in_water_outside_timed_states(*this) || get_value(input(*this), 'E') != 1)
        return;
    if (!(get_value(movement(*this), 'G') > -3))
        return;
    jump_off_ground(*this);
    set_value(others(*this), 'P', 10);
}

void Frames::event_func_817()
{
    if (!mode_0_on(*this))
        return;
    ObjectList& player_others = others(*this);
    set_value(player_others, 'P', std::min(get_value(player_others, 'P') + 1, 10.0) * (1 - get_value(movement(*this), 'L')));
    for_each_instance(instances[types::PlayerSkinPimsa_324], [](FrameObject* pimsa) {
        set_value(pimsa, 'N', std::max(get_value(*pimsa, 'N') - 1, 0.0));
    });
}
