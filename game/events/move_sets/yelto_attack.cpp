// Yelto's attack: one strike whose animation follows the situation (in the
// air or running, or one of two standing strikes in turn), an insta-shield
// and a voice on its frame 2, and back to normal play when it is over.
#include "audio/media.h"
#include "game/events/move_sets/yelto_moves.h"
#include "game/events/player_actions/ground_jump.h"
#include "game/events/player_actions/move_starts.h"

#include <cmath>

namespace {

constexpr int running_strike = 25, standing_strike_a = 26, standing_strike_b = 29;
constexpr unsigned strike_sample = 19;

bool attack_on(const Frames& f) { return yelto::group_on(f) && f.level_group_33; }

// No attack state is set yet (20 to 23).
bool not_striking(Frames& f)
{
    const double state = get_value(f.instances[types::PlayerOthers_75], 'Y');
    return state != 20 && state != 21 && state != 22 && state != 23;
}

bool standing(Frames& f)
{
    ObjectList& player = f.instances[types::PlayerMovementValues_80];
    return get_value(player, 'L') == 1 && std::abs(get_value(player, 'B')) < 3;
}

// A standing strike: its state and animation; its speed carries to the shield.
void strike_standing(Frames& f, double state, int animation)
{
    Active* skin = yelto::skin(f);
    set_value(f.instances[types::PlayerOthers_75], 'Y', state);
    if (skin)
        skin->force_animation(animation);
    set_value(skin, 'I', 30);
    set_value(f.instances[types::PlayerOthers_75], 'M', 0);
}

bool finished(Frames& f, int animation)
{
    const Active* skin = yelto::skin(f);
    return skin && skin->animation_finished == animation;
}

// The end of the strike: the group off for the rest of the tick, every skin
// falling from frame 6 of the jump, state 3.
void end_strike(Frames& f, double mode)
{
    deactivate_group(f.level_group_33);
    if (Active* skin = yelto::skin(f))
        move_starts::fall_from_frame_6(skin);
    for_each_instance(f.instances[types::PlayerSkinOrrun_290], move_starts::fall_from_frame_6);
    if (FrameObject* hair = instance_of(f.instances[types::PlayerSkinYeltoHair_209]))
        move_starts::fall_from_frame_6(hair);
    set_value(f.instances[types::PlayerOthers_75], 'Y', 3);
    set_value(f.instances[types::PlayerMovementValues_80], 'M', mode);
}

// A standing strike that played out: back on the ground, the other strike next.
void end_standing_strike(Frames& f)
{
    end_strike(f, 0);
    set_value(f.instances[types::PlayerMovementValues_80], 'T', 1);
    Active* skin = yelto::skin(f);
    set_flag(skin, 18, skin && !get_flag(*skin, 18));
}

}  // namespace

void Frames::event_func_1077()
{
    ObjectList& player = instances[types::PlayerMovementValues_80];
    if (!attack_on(*this) || !not_striking(*this))
        return;
    const bool airborne = get_value(player, 'L') == 0;
    const bool running = get_value(player, 'L') == 1 && std::abs(get_value(player, 'B')) >= 3;
    if (!airborne && !running)
        return;
    set_value(instances[types::PlayerOthers_75], 'Y', 20);
    Active* skin = yelto::skin(*this);
    if (skin)
        skin->force_animation(running_strike);
    set_value(skin, 'I', 50);
}

void Frames::event_func_1078()
{
    if (attack_on(*this) && standing(*this) && not_striking(*this) &&
        instance_holds(instances[types::PlayerSkinYelto_102], [](const FrameObject& s) { return !get_flag(s, 18); }))
        strike_standing(*this, 21, standing_strike_a);
}

void Frames::event_func_1079()
{
    if (attack_on(*this) && standing(*this) && not_striking(*this) &&
        instance_holds(instances[types::PlayerSkinYelto_102], [](const FrameObject& s) { return get_flag(s, 18); }))
        strike_standing(*this, 22, standing_strike_b);
}

void Frames::event_func_1081()
{
    if (!attack_on(*this) || !yelto::on_unlatched_frame_2(*this))
        return;
    Active* skin = yelto::skin(*this);
    auto* shield = static_cast<Active*>(yelto::insta_shield_at_player(*this));
    media.play_id(strike_sample, -1, 1);
    if (shield) {
        shield->set_direction(skin->get_direction(), true);
        shield->force_speed(to_int(get_value(*skin, 'I')));
        shield->move_back(skin);
    }
    yelto::say(*this, "sound_attack", randrange_event(1081, 6));
    set_flag(skin, 2, true);
}

void Frames::event_func_1082()
{
    if (!attack_on(*this))
        return;
    const int direction = instance_or_default(instances[types::PlayerSkinYelto_102]).get_direction();
    for_each_instance(instances[types::ShieldInstaShield_187],
                      [direction](FrameObject* shield) { shield->set_direction(direction, true); });
}

void Frames::event_func_1083()
{
    if (attack_on(*this))
        yelto::release_frame_2_latch(*this);
}

void Frames::event_func_1084()
{
    if (attack_on(*this) && finished(*this, running_strike))
        end_strike(*this, 1);
}

void Frames::event_func_1085()
{
    if (attack_on(*this) && finished(*this, standing_strike_a))
        end_standing_strike(*this);
}

void Frames::event_func_1086()
{
    if (attack_on(*this) && finished(*this, standing_strike_b))
        end_standing_strike(*this);
}

void Frames::event_func_1087()
{
    if (!attack_on(*this))
        return;
    const Active* skin = yelto::skin(*this);
    if (skin && (skin->test_animation(running_strike) || skin->test_animation(standing_strike_a) ||
                 skin->test_animation(standing_strike_b)))
        return;
    end_strike(*this, 1);
}

void Frames::event_func_1088()
{
    if (!attack_on(*this) || get_value(instances[types::PlayerMovementValues_80], 'L') != 1 ||
        get_value(instances[types::PlayerInput_21], 'K') != 1)
        return;
    launch_across_ground(*this);
    run_jump_sound(*this);
}

// Authored without conditions or actions; the handler calls it and it does
// nothing.
void Frames::event_func_1080() {}
