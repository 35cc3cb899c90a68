// Movement mode 0, the player on the ground: the state from the ground
// speed, the bike's rolling effect, and the controls that lead into the
// other modes (look up, crouch, skid, Pimsa's ground move, the jump, the
// wall push, falling off in the water). An action that leaves the mode
// switches the mode-0 group off, so the rest of the group waits for the
// next tick's mode switch.
#include "audio/media.h"
#include "game/events/player_physics/player_value_objects.h"
#include "game/objects/classes.h"
#include "objects/active.h"

#include <algorithm>
#include <cmath>

using namespace player_values;

namespace {

constexpr int ground_move_sample = 7;
constexpr int bike_character = 3;

bool mode_0_on(const Frames& f) { return f.level_group_43 && f.level_group_23 && f.level_group_24 && f.level_group_58; }

bool on_ground(Frames& f) { return movement(f)['L'] == 1; }

double speed(Frames& f) { return movement(f)['B']; }

// The degree cosine as the jump writes it: exactly 0 at 90 and 270.
double jump_cos(double degrees)
{
    return degrees == 90.0 || degrees == 270.0 ? 0.0 : std::cos(degrees / 57.29577951308232);
}

// The jump speed along the ground's normal, the speed along the ground
// turned with it; the player leaves the ground into the airborne mode.
void jump_across_ground(Frames& f)
{
    const Single player = movement(f);
    const double angle = player['N'];
    const double s = event_sin(angle), c = jump_cos(angle);
    const double jump = actions_a(f)['A'];
    const double along = player['B'];
    player.set('G', c * jump - s * along);
    player.set('B', s * jump + c * along);
    player.set('L', 0);
    player.set('M', 1);
    player.set('N', 0);
    actions_a(f).set('C', 1);
    deactivate_group(f.level_group_58);
}

void leave_mode_0(Frames& f, double mode)
{
    deactivate_group(f.level_group_58);
    movement(f).set('M', mode);
}

// Reversing at the skid speed or above starts a skid.
void skid(Frames& f)
{
    deactivate_group(f.level_group_58);
    movement(f).set('S', 0);
    movement(f).set('M', 4);
}

bool at_skid_speed_right(Frames& f) { return speed(f) >= actions_a(f)['H']; }
bool at_skid_speed_left(Frames& f) { return speed(f) <= -actions_a(f)['H']; }

void pimsa_ground_move(Frames& f)
{
    movement(f).set('M', 6);
    movement(f).set('S', 0);
    media.play_id(ground_move_sample, -1, 1);
    deactivate_group(f.level_group_58);
    others(f).set('N', 0);
}

// Pushing against a wall needs the big side sensor on it and no vertical
// motion.
bool pushing(Frames& f, char held, int sensor_type)
{
    return input(f)[held] == 1 && Single(f.instances[sensor_type])['Z'] == 1 && on_ground(f) &&
           std::abs(movement(f)['G']) < 0.2;
}

bool in_water_not_in(Frames& f)
{
    const double s = state(f);
    return others(f)['H'] == 1 && s != 12 && s != 9;
}

}  // namespace

void Frames::event_func_783()
{
    if (!mode_0_on(*this) || !on_ground(*this) || std::abs(speed(*this)) != 0)
        return;
    if (state(*this) == 48 || state(*this) == 12)
        return;
    set_state(*this, 0);
    movement(*this).set('T', 1);
    movement(*this).set('S', 1);
}

void Frames::event_func_784()
{
    const double pace = std::abs(speed(*this));
    if (!mode_0_on(*this) || !on_ground(*this) || !(pace > 0 && pace < 5))
        return;
    set_state(*this, 1);
    movement(*this).set('T', 1);
}

void Frames::event_func_785()
{
    if (!mode_0_on(*this) || !on_ground(*this) || !(std::abs(speed(*this)) >= 5))
        return;
    set_state(*this, 2);
    movement(*this).set('T', 1);
}

void Frames::event_func_786()
{
    if (!mode_0_on(*this))
        return;
    if (state(*this) == 13 || (movement(*this)['A'] == 1 && state(*this) == 22))
        set_state(*this, 0);
}

// On the bike a roll keeps one spark effect behind the bike, turned with
// the bike's frame.
void Frames::event_func_787()
{
    if (!mode_0_on(*this) || movement(*this)['A'] != bike_character || state(*this) != 8)
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
        actions_b(*this).set('O', 0);
}

void Frames::event_func_802()
{
    if (!mode_0_on(*this) || !on_ground(*this) || speed(*this) != 0)
        return;
    if (input(*this)['A'] != 1 || input(*this)['C'] != 0 || input(*this)['D'] != 0)
        return;
    leave_mode_0(*this, 2);
}

void Frames::event_func_803()
{
    if (!mode_0_on(*this) || !on_ground(*this) || !(std::abs(speed(*this)) < 2))
        return;
    if (input(*this)['B'] != 1 || input(*this)['C'] != 0 || input(*this)['D'] != 0)
        return;
    movement(*this).set('B', 0);
    leave_mode_0(*this, 3);
}

void Frames::event_func_804()
{
    if (mode_0_on(*this) && on_ground(*this) && at_skid_speed_right(*this) && input(*this)['I'] == 1)
        skid(*this);
}

void Frames::event_func_805()
{
    if (mode_0_on(*this) && on_ground(*this) && at_skid_speed_left(*this) && input(*this)['J'] == 1)
        skid(*this);
}

void Frames::event_func_806()
{
    if (!mode_0_on(*this) || !on_ground(*this) || movement(*this)['K'] != 1)
        return;
    if (at_skid_speed_right(*this) && input(*this)['C'] == 1)
        skid(*this);
}

void Frames::event_func_807()
{
    if (!mode_0_on(*this) || !on_ground(*this) || movement(*this)['K'] != 1)
        return;
    if (at_skid_speed_left(*this) && input(*this)['D'] == 1)
        skid(*this);
}

void Frames::event_func_808()
{
    if (!mode_0_on(*this) || movement(*this)['A'] != 2 || !on_ground(*this))
        return;
    if (input(*this)['H'] == 1 && std::abs(speed(*this)) >= 2)
        pimsa_ground_move(*this);
}

void Frames::event_func_809()
{
    if (!mode_0_on(*this) || movement(*this)['A'] != 2 || !on_ground(*this) || movement(*this)['K'] != 1)
        return;
    if (input(*this)['B'] == 1 && std::abs(speed(*this)) >= 2)
        pimsa_ground_move(*this);
}

void Frames::event_func_810()
{
    if (!mode_0_on(*this) || !on_ground(*this) || input(*this)['K'] != 1 || movement(*this)['A'] == 5)
        return;
    jump_across_ground(*this);
    run_loop(fast_loop_sound_jump, 1, &Frames::loop_sound_jump_4);
}

// Hespin's jump: holding down bars it below a speed of 9.5.
void Frames::event_func_811()
{
    if (!mode_0_on(*this) || !on_ground(*this) || input(*this)['K'] != 1 || movement(*this)['A'] != 5)
        return;
    const double pace = std::abs(speed(*this));
    if (!((pace < 9.5 && input(*this)['B'] == 0) || pace >= 9.5))
        return;
    jump_across_ground(*this);
    run_loop(fast_loop_sound_jump, 1, &Frames::loop_sound_jump_4);
}

void Frames::event_func_812()
{
    if (!mode_0_on(*this) || !pushing(*this, 'D', types::PlayerSensorRightBig_91))
        return;
    movement(*this).set('Q', 1);
    movement(*this).set('M', 11);
}

void Frames::event_func_813()
{
    if (!mode_0_on(*this) || !pushing(*this, 'C', types::PlayerSensorLeftBig_89))
        return;
    movement(*this).set('M', 11);
    movement(*this).set('Q', -1);
}

// In the water a player off the ground is airborne; in the insta-shield's
// state only once it no longer rises fast.
void Frames::event_func_815()
{
    if (!mode_0_on(*this) || others(*this)['H'] != 1 || on_ground(*this))
        return;
    const double s = state(*this);
    const bool free = s != 12 && s != 9 && s != 43;
    const bool shield_settled = s == 43 && movement(*this)['G'] <= 2;
    if (free || shield_settled)
        movement(*this).set('M', 1);
}

// Holding jump in the water jumps again.
void Frames::event_func_816()
{
    if (!mode_0_on(*this) || !in_water_not_in(*this) || input(*this)['E'] != 1)
        return;
    if (!(movement(*this)['G'] > -3))
        return;
    jump_across_ground(*this);
    others(*this).set('P', 10);
}

void Frames::event_func_817()
{
    if (!mode_0_on(*this))
        return;
    const Single player_others = others(*this);
    player_others.set('P', std::min(player_others['P'] + 1, 10.0) * (1 - movement(*this)['L']));
    for_each_instance(instances[types::PlayerSkinPimsa_324], [](FrameObject* pimsa) {
        set_value(pimsa, 'N', std::max(get_value(*pimsa, 'N') - 1, 0.0));
    });
}
