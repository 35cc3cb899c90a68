// What Dorrik does with what he holds: an action press throws carried boxes
// and fuel or the charged orb, or lets go; holding the action charges the
// orb; a short cooldown follows each release; some modes and states make
// him drop everything.
#include "audio/media.h"
#include "game/events/move_sets/dorrik_moves.h"

using namespace dorrik;

namespace {

constexpr unsigned release_sample = 196, charging_sample = 201;
constexpr double full_charge = 40, flight_mode = 22;
constexpr int carried = 2, flying = 10;

bool action_pressed(Frames& f) { return get_value(input(f), 'L') == 1; }
bool is_carried(FrameObject* object) { return get_flag(*object, carried); }

// Hands that a press empties: carrying, or holding a full charge.
bool can_let_go(FrameObject* skin)
{
    const double hands = get_value(*skin, 'F');
    return hands == 1 || (hands == 2 && get_value(*skin, 'G') >= full_charge);
}

// The selected objects thrown along the ground at 4 Q + B, with the
// movement values paired with each, counting k from 0.
template <class List>
void throw_carried(Frames& f, List& objects)
{
    int k = 0;
    for_each_selected(objects, [&](FrameObject* object) {
        FrameObject* paired = movement(f).get_wrapped_selection(k++);
        const FrameObject& player = paired ? *paired : instance_or_default(movement(f));
        set_value(object, 'A', 2);
        set_flag(object, carried, false);
        throw_along(object, get_value(player, 'O'), 4 * get_value(player, 'Q') + get_value(player, 'B'));
    });
}

// Modes and states in which whatever is held is dropped.
bool drops_what_is_held(Frames& f)
{
    const double mode = get_value(movement(f), 'M');
    const double state = get_value(others(f), 'Y');
    return (mode >= 6 && mode <= 12) || (mode >= 41 && mode <= 46) || state == 12 || state == 48 ||
           get_value(others(f), 'H') > 0 || mode == 25 || state == 8;
}

}  // namespace

void Frames::event_func_1291()
{
    if (!dorrik_group_on(*this))
        return;
    FrameObject* reflect = instance_of(orb_list(*this));
    if (reflect && get_value(*reflect, 'A') != 5 && get_value(*reflect, 'H') > 4)
        set_value(reflect, 'H', 4);
}

void Frames::event_func_1292()
{
    if (!dorrik_group_on(*this) || !action_pressed(*this) || !skins_holding(*this, 1))
        return;
    filter(dorrik_skins(*this), is_carried);
    select(fuel(*this), is_carried);
    select(movement(*this), is_carried);
    select(item_boxes(*this), is_carried);
    throw_carried(*this, item_boxes(*this));
    for_each_selected(dorrik_skins(*this), [](FrameObject* skin) { set_value(skin, 'E', 0); });
    throw_carried(*this, fuel(*this));
}

void Frames::event_func_1293()
{
    if (!dorrik_group_on(*this) || !action_pressed(*this) || !skins_holding(*this, 2) || !orb_in(*this, 1))
        return;
    ObjectList& player = movement(*this);
    throw_along(orb(*this), get_value(player, 'O'), 5 * get_value(player, 'Q') + get_value(player, 'B'));
    for_each_selected(dorrik_skins(*this), [](FrameObject* skin) { set_value(skin, 'E', 0); });
}

void Frames::event_func_1294()
{
    if (!dorrik_group_on(*this) || !action_pressed(*this) || !select(dorrik_skins(*this), can_let_go))
        return;
    for_each_selected(dorrik_skins(*this), [](FrameObject* skin) {
        set_value(skin, 'F', 0);
        set_value(skin, 'H', 2);
    });
    media.play_id(release_sample, -1, 1);
    for_each_selected(dorrik_skins(*this), [](FrameObject* skin) { set_value(skin, 'G', 0); });
    set_value(movement(*this), 'M', 0);
}

void Frames::event_func_1295()
{
    if (!dorrik_group_on(*this) || get_value(movement(*this), 'M') != 30 || !action_pressed(*this) ||
        !select(dorrik_skins(*this), can_let_go))
        return;
    for_each_selected(dorrik_skins(*this), [](FrameObject* skin) { set_value(skin, 'F', 0); });
    set_value(movement(*this), 'M', 0);
}

void Frames::event_func_1296()
{
    if (dorrik_group_on(*this) && skins_holding(*this, 0) && get_value(movement(*this), 'C') < 5)
        set_value(movement(*this), 'C', 5);
}

void Frames::event_func_1297()
{
    if (!dorrik_group_on(*this) || !drops_what_is_held(*this) ||
        !skins_where(*this, 'F', [](double hands) { return hands > 0; }))
        return;
    for_each_selected(dorrik_skins(*this), [](FrameObject* skin) {
        set_value(skin, 'G', 0);
        set_value(skin, 'H', 0);
        set_value(skin, 'F', 0);
    });
}

void Frames::event_func_1298()
{
    if (!dorrik_group_on(*this) || !skins_holding(*this, 2) || get_value(input(*this), 'F') != 1)
        return;
    if (filter(dorrik_skins(*this), [](FrameObject* skin) { return get_value(*skin, 'G') < full_charge; }))
        for_each_selected(dorrik_skins(*this), [](FrameObject* skin) { add_value(skin, 'G', 1); });
}

void Frames::event_func_1299()
{
    if (!dorrik_group_on(*this) || !skins_where(*this, 'G', [](double charge) { return charge == 1; }))
        return;
    if (run_once(run_once_1299, loop_count))
        media.play_id(charging_sample, -1, 1);
}

void Frames::event_func_1300()
{
    if (!dorrik_group_on(*this) || !skins_where(*this, 'G', [](double charge) { return charge <= 0; }))
        return;
    if (media.is_sample_playing(charging_sample))
        media.stop_sample(charging_sample);
}

void Frames::event_func_1301()
{
    if (dorrik_group_on(*this) && skins_where(*this, 'H', [](double cooldown) { return cooldown > 0; }))
        for_each_selected(dorrik_skins(*this), [](FrameObject* skin) { add_value(skin, 'H', -1); });
}

void Frames::event_func_1302()
{
    if (!dorrik_group_on(*this) || !select(dorrik_skins(*this), [](FrameObject* skin) { return get_flag(*skin, flying); }))
        return;
    if (get_value(movement(*this), 'M') == flight_mode)
        return;
    for_each_selected(dorrik_skins(*this), [](FrameObject* skin) { set_flag(skin, flying, false); });
    set_value(movement(*this), 'V', 1);
}
