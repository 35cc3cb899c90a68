// Dorrik's orb: held and charged over his head, ready at a full charge,
// lobbed when his hands empty, bursting on an enemy; the states of the
// special move it goes through after a press while ready.
#include "audio/media.h"
#include "game/events/move_sets/dorrik_moves.h"
#include "game/objects/classes.h"

#include <algorithm>

using namespace dorrik;

namespace {

constexpr unsigned ready_sample = 194, burst_sample = 195, special_sample = 200, charging_sample = 201;
constexpr double full_charge = 40;
constexpr double hold_offset = -15;  // above the skin's action point
constexpr double top_fall_speed = 15;

// The orb's state is its value A: 0 idle, 1 ready, 2 flying, 3 bursting,
// 4 special start, 5 special, 6 cooldown.
template <class Action>
void on_orb_in(Frames& f, double state, Action action)
{
    if (dorrik_group_on(f) && orb_in(f, state))
        action(*orb(f));
}

// A burst at the orb's layer position, on its layer.
FrameObject* burst_at(Frames& f, Active& orb)
{
    return create_instance(f, f.instances[types::EffectsWhiteBurst_31], create_effectswhiteburst_31(orb.x, orb.y),
                           layer_index(orb));
}

// The velocity a throw along the ground would give the orb now: B + 3 Q.
void aim_launch(Frames& f, Active& orb)
{
    ObjectList& player = movement(f);
    throw_along(&orb, get_value(player, 'O'), get_value(player, 'B') + 3 * get_value(player, 'Q'));
}

}  // namespace

void Frames::event_func_1268()
{
    on_orb_in(*this, 0, [this](Active& orb) {
        orb.set_visible(false);
        if (const FrameObject* start = instance_of(instances[types::PlayerStartingPoint_160]))
            orb.set_global_position(start->get_x(), start->get_y());
        set_value(&orb, 'F', 0);
        set_value(&orb, 'Y', 0);
        set_value(&orb, 'X', 0);
    });
}

void Frames::event_func_1269()
{
    if (!dorrik_group_on(*this) || !orb_in(*this, 0) || !skins_holding(*this, 0))
        return;
    for_each_selected(dorrik_skins(*this), [](FrameObject* skin) { set_value(skin, 'G', 0); });
}

void Frames::event_func_1270()
{
    if (!dorrik_group_on(*this) || !orb_in(*this, 0) || !skins_holding(*this, 2))
        return;
    Active& held = *orb(*this);
    const FrameObject& skin = *dorrik_skins(*this).back_selection();
    held.force_animation(7);
    held.set_visible(true);
    hold_at(held, skin, 0, hold_offset);
}

void Frames::event_func_1271()
{
    if (!dorrik_group_on(*this) || !skins_holding(*this, 2))
        return;
    if (!filter(dorrik_skins(*this), [](FrameObject* skin) { return get_value(*skin, 'G') == full_charge; }))
        return;
    on_orb_in(*this, 0, [this](Active& orb) {
        set_value(&orb, 'A', 1);
        orb.force_animation(0);
        orb.force_animation(10);
        media.play_id(ready_sample, -1, 1);
        media.stop_sample(charging_sample);
    });
}

void Frames::event_func_1272()
{
    if (!dorrik_group_on(*this) || get_value(movement(*this), 'M') == 30)
        return;
    if (get_value(input(*this), 'F') != 0 && get_value(others(*this), 'H') != 1)
        return;
    if (!skins_where(*this, 'F', [](double hands) { return hands == 2; }) ||
        !filter(dorrik_skins(*this), [](FrameObject* skin) { return get_value(*skin, 'G') < full_charge; }))
        return;
    set_value(movement(*this), 'M', 0);
    for_each_selected(dorrik_skins(*this), [](FrameObject* skin) { set_value(skin, 'F', 0); });
    set_value(movement(*this), 'C', 5);
}

void Frames::event_func_1273()
{
    if (dorrik_group_on(*this) && skins_holding(*this, 0))
        on_orb_in(*this, 1, [](Active& orb) { set_value(&orb, 'A', 2); });
}

void Frames::event_func_1274()
{
    on_orb_in(*this, 1, [this](Active& orb) {
        orb.set_visible(true);
        hold_at(orb, paired_or_default(dorrik_skins(*this), 0), 0, hold_offset);
        aim_launch(*this, orb);
    });
}

void Frames::event_func_1275()
{
    if (!dorrik_group_on(*this) || get_value(input(*this), 'O') != 1 || get_value(movement(*this), 'A') != 4)
        return;
    on_orb_in(*this, 1, [this](Active& orb) {
        set_value(movement(*this), 'M', 31);
        orb.force_frame(0);
        orb.restore_frame();
        set_value(&orb, 'A', 4);
        set_value(&orb, 'F', 0);
        set_value(&orb, 'D', orb.get_x());
        set_value(&orb, 'E', orb.get_y());
        orb.force_animation(2);
        orb.set_visible(false);
        media.play_id(special_sample, -1, 1);
    });
}

void Frames::event_func_1276()
{
    on_orb_in(*this, 2, [](Active& orb) {
        orb.set_x(to_int(orb.get_x() + get_value(orb, 'X')));
        orb.set_y(to_int(orb.get_y() + get_value(orb, 'Y')));
        const double fall = get_value(orb, 'Y') + 0.25;
        set_value(&orb, 'Y', fall >= top_fall_speed ? top_fall_speed : fall);
        orb.set_visible(true);
        orb.force_animation(0);
    });
}

void Frames::event_func_1277()
{
    on_orb_in(*this, 2, [](Active& orb) {
        if (orb.outside_playfield())
            set_value(&orb, 'A', 0);
    });
}

void Frames::event_func_1278()
{
    if (!dorrik_group_on(*this))
        return;
    select_all(orb_list(*this));
    select_all(enemies(*this));
    if (!check_overlap(orb_list(*this), enemies(*this)) || !orb_in(*this, 2))
        return;
    Active& flying = *orb(*this);
    set_value(&flying, 'A', 3);
    burst_at(*this, flying);
}

void Frames::event_func_1279()
{
    if (dorrik_group_on(*this) && orb_in(*this, 3) && run_once(run_once_1279, loop_count))
        media.play_id(burst_sample, -1, 1);
}

void Frames::event_func_1280()
{
    if (!dorrik_group_on(*this) || level_tick(*this) % 5 != 0)
        return;
    on_orb_in(*this, 3, [this](Active& orb) {
        FrameObject* burst = burst_at(*this, orb);
        if (!burst)
            return;
        as_active(burst)->set_scale(0.5f);
        const int dx = randrange_event(1280, 21);
        burst->set_x(burst->get_x() - 10 + dx);
        const int dy = randrange_event(1280, 21);
        burst->set_y(burst->get_y() - 10 + dy);
    });
}

void Frames::event_func_1281()
{
    on_orb_in(*this, 3, [](Active& orb) {
        add_value(&orb, 'F', 1);
        orb.set_visible(false);
        orb.force_animation(9);
    });
}

void Frames::event_func_1282()
{
    on_orb_in(*this, 3, [](Active& orb) {
        if (!(get_value(orb, 'F') > 20))
            return;
        set_value(&orb, 'A', 0);
        set_value(&orb, 'F', 0);
        orb.force_animation(0);
    });
}

void Frames::event_func_1283()
{
    on_orb_in(*this, 4, [](Active& orb) {
        if (!orb.test_animation(2))
            orb.force_animation(11);
    });
}

void Frames::event_func_1284()
{
    on_orb_in(*this, 4, [this](Active& orb) {
        if (get_value(movement(*this), 'M') != 31)
            set_value(&orb, 'A', 0);
    });
}

void Frames::event_func_1285()
{
    on_orb_in(*this, 5, [](Active& orb) {
        if (!orb.test_animation(5))
            orb.force_animation(8);
    });
}

void Frames::event_func_1286()
{
    on_orb_in(*this, 5, [](Active& orb) {
        if (!orb.test_animation(5))
            return;
        set_value(&orb, 'F', 0);
        set_value(&orb, 'H', 6);
    });
}

void Frames::event_func_1287()
{
    on_orb_in(*this, 5, [this](Active& orb) {
        const FrameObject& player = instance_or_default(instances[types::Player_87]);
        const double angle = get_value(movement(*this), 'O');
        orb.set_x(to_int(player.get_x() + event_sin(angle) * -12));
        orb.set_y(to_int(player.get_y() + event_cos(angle) * -12));
        add_value(&orb, 'F', 0.5);
    });
}

void Frames::event_func_1288()
{
    on_orb_in(*this, 5, [](Active& orb) {
        if (orb.test_animation(8) || orb.test_animation(5))
            return;
        set_value(&orb, 'F', 0);
        add_value(&orb, 'A', 1);
        orb.set_visible(false);
    });
}

void Frames::event_func_1289()
{
    on_orb_in(*this, 6, [](Active& orb) { add_value(&orb, 'F', 1); });
}

void Frames::event_func_1290()
{
    on_orb_in(*this, 6, [](Active& orb) {
        if (!(get_value(orb, 'F') > 10))
            return;
        set_value(&orb, 'F', 0);
        set_value(&orb, 'A', 0);
    });
}
