// Orrun's card throw (movement mode 20): a throw on the run or in the air,
// standing or crouching; from the animation's frame 2 a fan of cards leaves
// every few ticks until the throw's count is reached, a powered throw paying
// a power card per card; the end of the animation hands the player back,
// and the jump control jumps out without ending the throw.
#include "audio/media.h"
#include "game/events/move_sets/orrun_cards.h"
#include "game/events/player_actions/ground_jump.h"
#include "game/events/player_actions/move_starts.h"
#include "game/objects/classes.h"
#include "objects/active.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>

namespace orrun {

FrameObject* throw_cards(Frames& f, ObjectList& skins)
{
    ObjectList& cards = f.instances[types::PlayerProjectile_336];
    FrameObject* first = nullptr;
    for_each_selected(skins, [&](FrameObject* skin) {
        const Layer& layer = *skin->layer;
        FrameObject* card =
            create_playerprojectile_336(skin->get_action_x() - layer.off_x, skin->get_action_y() - layer.off_y);
        if (!first)
            first = create_instance(f, cards, card, layer_index(*skin));
        else
            create_another(f, cards, card, layer_index(*skin));
    });
    if (first) {
        set_value(first, 'A', first->get_x());
        set_value(first, 'B', first->get_y());
    }
    return first;
}

}  // namespace orrun

namespace {

constexpr int other_throw_animation = 25, throw_animation = 26, crouch_animation = 28;
constexpr unsigned card_sample = 57;
constexpr int yelto_turn_flag = 18;
constexpr int powered_flag = 1;
constexpr double walking_speed = 3;

bool throw_on(const Frames& f) { return orrun::orrun_on(f) && f.level_group_71; }

Active* as_active(FrameObject* object) { return static_cast<Active*>(object); }

bool one_of(double state, std::initializer_list<double> states)
{
    return std::find(states.begin(), states.end(), state) != states.end();
}

void throw_with(Frames& f, int animation)
{
    for_each_instance(f.instances[types::PlayerSkinOrrun_290],
                      [animation](FrameObject* skin) { as_active(skin)->force_animation(animation); });
}

// Cards leave every 3, 2 or 1 ticks as the throw's card count grows.
bool card_due(Frames& f)
{
    const double count = get_value(f.instances[types::PlayerSkinOrrun_290], 'B');
    const double divisor = 3 - std::floor(count / 4);
    const double tick = level_tick(f);
    return divisor == 0 || std::fmod(tick, divisor) == 0;
}

// On the ground, hardly moving, down held or not, and no throw started.
bool standing_throw(Frames& f, double down)
{
    ObjectList& player = f.instances[types::PlayerMovementValues_80];
    return get_value(player, 'L') == 1 && get_value(f.instances[types::PlayerInput_21], 'B') == down &&
           std::fabs(get_value(player, 'B')) < walking_speed &&
           !one_of(get_value(f.instances[types::PlayerOthers_75], 'Y'), {20, 21, 22, 24});
}

bool cards_left(const FrameObject& skin) { return get_value(skin, 'A') < 10 * get_value(skin, 'B'); }

bool past_frame_1(FrameObject* skin) { return as_active(skin)->get_frame() >= 2; }

// The skins whose throw has a card to go on this tick, facing `facing`.
bool select_throwing(Frames& f, bool facing_right)
{
    if (!card_due(f) || !select(f.instances[types::PlayerSkinOrrun_290], past_frame_1))
        return false;
    if ((get_value(f.instances[types::PlayerMovementValues_80], 'Q') == 1) != facing_right)
        return false;
    return filter(f.instances[types::PlayerSkinOrrun_290], [](FrameObject* s) { return cards_left(*s); });
}

// The card's speed: 8 pixels a tick, more with the run's speed, along the
// fan's angle for the card's place in the throw (degrees, y down), turned
// by the player's rotation and by up or down held.
void aim_card(Frames& f, FrameObject* card, const FrameObject& skin, bool facing_right)
{
    ObjectList& player = f.instances[types::PlayerMovementValues_80];
    ObjectList& input = f.instances[types::PlayerInput_21];
    const double speed = get_value(player, 'B'), facing = get_value(player, 'Q'), rotation = get_value(player, 'O');
    const double fan = 2 * get_value(skin, 'B') - get_value(skin, 'A');
    const double tilt = get_value(input, 'B') - get_value(input, 'A');
    const double s = facing_right ? 8 + 0.5 * speed : 8 - 0.5 * speed;
    const double turn = facing_right ? fan + 45 * tilt : -fan - 30 * tilt;
    set_value(card, 'C', event_cos(rotation + turn) * s * facing);
    if (!facing_right)
        media.play_id(card_sample, -1, 1);
    set_value(card, 'D', event_sin(-rotation + turn) * s * facing);
}

void throw_card(Frames& f, bool facing_right)
{
    if (facing_right)
        media.play_id(card_sample, -1, 1);
    ObjectList& skins = f.instances[types::PlayerSkinOrrun_290];
    const FrameObject* skin = skins.back_selection();
    FrameObject* card = orrun::throw_cards(f, skins);
    if (card && skin)
        aim_card(f, card, *skin, facing_right);
    for_each_selected(skins, [](FrameObject* s) { add_value(s, 'A', 10); });
    if (card && skin) {
        card->set_layer(layer_index(*skin));
        add_value(card, 'I', get_flag(*skin, powered_flag) ? 2 : 0);
    }
}

// The throw is over: the player falls (state 40) in mode `mode`, Yelto's
// skin and the finished skins on the fall's frame 6.
void end_throw(Frames& f, double mode)
{
    deactivate_group(f.level_group_71);
    set_value(f.instances[types::PlayerOthers_75], 'Y', 40);
    set_value(f.instances[types::PlayerMovementValues_80], 'M', mode);
    if (FrameObject* yelto = instance_of(f.instances[types::PlayerSkinYelto_102]))
        move_starts::fall_from_frame_6(yelto);
    for_each_selected(f.instances[types::PlayerSkinOrrun_290], move_starts::fall_from_frame_6);
}

bool select_finished(Frames& f, int animation)
{
    return select(f.instances[types::PlayerSkinOrrun_290],
                  [animation](FrameObject* skin) { return as_active(skin)->animation_finished == animation; });
}

void end_finished_throw(Frames& f, double mode)
{
    end_throw(f, mode);
    set_value(f.instances[types::PlayerMovementValues_80], 'T', 1);
    if (FrameObject* yelto = instance_of(f.instances[types::PlayerSkinYelto_102]))
        set_flag(yelto, yelto_turn_flag, !get_flag(*yelto, yelto_turn_flag));
}

}  // namespace

void Frames::event_func_1118()
{
    if (!throw_on(*this))
        return;
    ObjectList& player = instances[types::PlayerMovementValues_80];
    ObjectList& others = instances[types::PlayerOthers_75];
    const double state = get_value(others, 'Y');
    const bool airborne = get_value(player, 'L') == 0 && !one_of(state, {20, 21, 22, 23});
    const bool running = get_value(player, 'L') == 1 && std::fabs(get_value(player, 'B')) >= walking_speed &&
                         !one_of(state, {20, 21, 22, 24});
    if (!airborne && !running)
        return;
    set_value(others, 'Y', 20);
    throw_with(*this, throw_animation);
}

void Frames::event_func_1119()
{
    if (!throw_on(*this) || !standing_throw(*this, 0))
        return;
    ObjectList& others = instances[types::PlayerOthers_75];
    set_value(others, 'M', 0);
    set_value(others, 'Y', 21);
    throw_with(*this, throw_animation);
}

void Frames::event_func_1120()
{
    if (!throw_on(*this) || !standing_throw(*this, 1))
        return;
    ObjectList& others = instances[types::PlayerOthers_75];
    set_value(others, 'Y', 24);
    set_value(others, 'M', 0);
    throw_with(*this, crouch_animation);
}

void Frames::event_func_1121()
{
    if (!throw_on(*this))
        return;
    ObjectList& skins = instances[types::PlayerSkinOrrun_290];
    if (select(skins, [](FrameObject* skin) { return !past_frame_1(skin); }))
        for_each_selected(skins, [](FrameObject* skin) { set_value(skin, 'A', 0); });
}

void Frames::event_func_1122()
{
    if (!throw_on(*this) || !card_due(*this))
        return;
    const auto paying = [](FrameObject* s) { return past_frame_1(s) && cards_left(*s) && get_flag(*s, powered_flag); };
    if (!select(instances[types::PlayerSkinOrrun_290], paying))
        return;
    ObjectList& energy = instances[types::GUIEnergy_76];
    set_value(energy, 'C', std::max(get_value(energy, 'C') - 1, 0.0));
}

void Frames::event_func_1123()
{
    if (throw_on(*this) && select_throwing(*this, true))
        throw_card(*this, true);
}

void Frames::event_func_1124()
{
    if (throw_on(*this) && select_throwing(*this, false))
        throw_card(*this, false);
}

void Frames::event_func_1125()
{
    if (throw_on(*this) && select_finished(*this, other_throw_animation))
        end_throw(*this, 1);
}

void Frames::event_func_1126()
{
    if (throw_on(*this) && select_finished(*this, throw_animation))
        end_finished_throw(*this, 0);
}

void Frames::event_func_1127()
{
    if (throw_on(*this) && select_finished(*this, crouch_animation))
        end_finished_throw(*this, 3);
}

void Frames::event_func_1128()
{
    if (!throw_on(*this))
        return;
    const auto throwing = [](FrameObject* skin) {
        const Active* sprite = as_active(skin);
        return sprite->test_animation(other_throw_animation) || sprite->test_animation(throw_animation) ||
               sprite->test_animation(crouch_animation);
    };
    if (select(instances[types::PlayerSkinOrrun_290], [&](FrameObject* skin) { return !throwing(skin); }))
        end_throw(*this, 1);
}

void Frames::event_func_1129()
{
    if (!throw_on(*this))
        return;
    ObjectList& player = instances[types::PlayerMovementValues_80];
    if (get_value(player, 'L') != 1 || get_value(instances[types::PlayerInput_21], 'K') != 1)
        return;
    const double angle = get_value(player, 'N'), along = get_value(player, 'B');
    const double jump = get_value(instances[types::PlayerActionValuesA_86], 'A');
    set_value(player, 'G', jump * event_cos(angle) - along * event_sin(angle));
    set_value(player, 'B', jump * event_sin(angle) + along * event_cos(angle));
    set_value(player, 'N', 0);
    set_value(player, 'L', 0);
    set_value(instances[types::PlayerActionValuesA_86], 'C', 1);
    run_jump_sound(*this);
}
