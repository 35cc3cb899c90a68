// Pimsa's ride along numbered jump pads (movement mode 48). The skin's J is
// the phase: 0 leaving a pad, 1 setting up the flight, 2 flying to the next
// pad in 20 steps, 3 and up standing on it (a tick count), -1 leaving the
// ride. C is the number of the pad she is at. The events that read a pad
// are act 1's; act 2 has its own in their places.
#include "game/events/move_sets/pimsa_moves.h"

#include "game/objects/classes.h"

#include <algorithm>
#include <cmath>

using namespace pimsa_moves;

namespace {

constexpr double flight_step = 0.05, flight_ticks = 20, last_standing_tick = 25, launch_speed = -8.5;

bool ride_on(const Frames& f) { return move_on(f, &Frames::level_group_67); }

ObjectList& pads(Frames& f) { return f.instances[types::ObjectJumppad_325]; }

double phase(const FrameObject& skin) { return get_value(skin, 'J'); }

bool standing(const FrameObject& skin) { return phase(skin) >= 3 && phase(skin) <= last_standing_tick; }

// The skins in phase `j`, selected; true when any is.
bool skins_in_phase(Frames& f, double j)
{
    return select(skins(f), [j](FrameObject* skin) { return phase(*skin) == j; });
}

// The pad these events read is the last one placed, never another: it is
// selected alone when its number is `offset` past the pad the first selected
// skin is at. Act 1 places a single pad.
bool last_pad_at(Frames& f, double offset)
{
    const double number = get_value(*skins(f).back_selection(), 'C') + offset;
    const FrameObject* last = pads(f).back;
    return select(pads(f), [last, number](FrameObject* pad) { return pad == last && get_value(*pad, 'A') == number; });
}

// The burst and sample of leaving a pad, and the go call: the voice loop
// "sound_go" and the skin's flag 8, which only "sound_go0" answers.
void leave_pad_effects(Frames& f, FrameObject* skin)
{
    create_at_each(f, pads(f), f.instances[types::EffectsWhiteBurst_31], create_effectswhiteburst_31);
    play_sample(52);
    run_voice(f, "sound_go", get_flag(*skin, 8) ? 1 : 0);
}

// Arrived on an axis: within a pixel of the target in the direction of
// travel, or not travelling along it.
bool arrived(double position, double step, double target)
{
    return (step > 0 && position >= target - 1) || (step < 0 && position <= target + 1) || step == 0;
}

void mark_arrival(Frames& f, char position, char step, char target, int flag)
{
    const double at = get_value(player(f), position);
    auto there = [&](FrameObject* skin) {
        return phase(*skin) == 2 && arrived(at, get_value(*skin, step), get_value(*skin, target));
    };
    if (select(skins(f), there))
        for_each_selected(skins(f), [flag](FrameObject* skin) { set_flag(skin, flag, true); });
}

}  // namespace

void Frames::event_func_1240()
{
    if (!ride_on(*this))
        return;
    if (!select(skins(*this), [](FrameObject* skin) { return phase(*skin) < 3; }))
        return;
    set_state(*this, 8);
    for_each_selected(skins(*this), [](FrameObject* skin) { sprite(skin)->force_speed(35); });
    for_each_instance(bikes(*this), [](FrameObject* bike) { sprite(bike)->force_speed(35); });
}

void Frames::event_func_1241()
{
    if (ride_on(*this) && select(skins(*this), [](FrameObject* skin) { return phase(*skin) >= 3; }))
        set_state(*this, 23);
}

void Frames::event_func_1242()
{
    if (!ride_on(*this) || !skins_in_phase(*this, 0) || !last_pad_at(*this, 0))
        return;
    // The pad the ride started from keeps its mark (a negative E).
    for_each_selected(pads(*this), [](FrameObject* pad) { set_value(pad, 'E', std::min(get_value(*pad, 'E'), 0.0)); });
    leave_pad_effects(*this, skins(*this).back_selection());
}

void Frames::event_func_1243()
{
    if (!ride_on(*this) || !skins_in_phase(*this, 0) || !last_pad_at(*this, 1))
        return;
    int k = 0;
    for_each_selected(skins(*this), [&](FrameObject* skin) {
        const FrameObject* pad = pads(*this).get_wrapped_selection(k++);
        set_value(skin, 'F', pad->get_action_x());
        set_value(skin, 'G', pad->get_action_y());
    });
    for_each_selected(pads(*this), [](FrameObject* pad) { set_value(pad, 'E', 1); });
    for_each_selected(skins(*this), [](FrameObject* skin) { add_value(skin, 'J', 1); });
}

void Frames::event_func_1244()
{
    if (!ride_on(*this) || !skins_in_phase(*this, 1))
        return;
    for_each_selected(skins(*this), [](FrameObject* skin) {
        set_value(skin, 'L', 0);
        set_value(skin, 'H', (get_value(*skin, 'F') - get_value(*skin, 'D')) * flight_step);
        set_value(skin, 'I', (get_value(*skin, 'G') - get_value(*skin, 'E')) * flight_step);
        add_value(skin, 'J', 1);
    });
}

void Frames::event_func_1245()
{
    if (ride_on(*this) && skins_in_phase(*this, 2) && get_value(others(*this), 'D') == 0)
        set_value(others(*this), 'D', 2);
}

void Frames::event_func_1246()
{
    if (!ride_on(*this) || !skins_in_phase(*this, 2))
        return;
    const FrameObject& skin = *skins(*this).back_selection();
    ObjectList& p = player(*this);
    for (const char name : {'U', 'T', 'L'})
        set_value(p, name, 0);
    add_value(p, 'X', get_value(skin, 'H'));
    add_value(p, 'Y', get_value(skin, 'I'));
    set_value(p, 'V', 0);
    set_value(others(*this), 'E', std::max(get_value(others(*this), 'E'), 3.0));
}

void Frames::event_func_1247()
{
    if (!ride_on(*this) || !skins_in_phase(*this, 2))
        return;
    for_each_selected(skins(*this), [](FrameObject* skin) {
        set_flag(skin, 10, false);
        set_flag(skin, 11, false);
        add_value(skin, 'L', 1);
    });
}

void Frames::event_func_1248()
{
    if (ride_on(*this))
        mark_arrival(*this, 'X', 'H', 'F', 10);
}

void Frames::event_func_1249()
{
    if (ride_on(*this))
        mark_arrival(*this, 'Y', 'I', 'G', 11);
}

// Arrived on both axes, or the flight has lasted long enough: snapped onto
// the target.
void Frames::event_func_1250()
{
    if (!ride_on(*this))
        return;
    auto landing = [](FrameObject* skin) {
        return (phase(*skin) == 2 && get_flag(*skin, 10) && get_flag(*skin, 11)) ||
               (phase(*skin) == 2 && get_value(*skin, 'L') > flight_ticks);
    };
    ObjectList& list = skins(*this);
    if (!select(list, landing))
        return;
    int k = 0;
    for_each_instance(player(*this), [&](FrameObject* p) {
        const FrameObject& skin = *list.get_wrapped_selection(k++);
        set_value(p, 'X', get_value(skin, 'F'));
        set_value(p, 'Y', get_value(skin, 'G'));
    });
    for_each_selected(list, [](FrameObject* skin) {
        add_value(skin, 'J', 1);
        add_value(skin, 'C', 1);
    });
    play_sample(30);
    for_each_selected(list, [](FrameObject* skin) {
        set_flag(skin, 8, !get_flag(*skin, 8));
        set_flag(skin, 10, false);
        set_flag(skin, 11, false);
    });
}

void Frames::event_func_1251()
{
    if (!ride_on(*this) || !select(skins(*this), [](FrameObject* skin) { return phase(*skin) >= 3; }) ||
        !last_pad_at(*this, 0))
        return;
    const double angle = get_value(*pads(*this).back_selection(), 'B');
    ObjectList& p = player(*this);
    set_value(p, 'N', angle);
    set_value(p, 'O', angle);
    set_value(p, 'L', 1);
    int k = 0;
    for_each_selected(skins(*this), [&](FrameObject* skin) {
        set_value(skin, 'K', get_value(*pads(*this).get_wrapped_selection(k++), 'D'));
    });
}

void Frames::event_func_1252()
{
    if (!ride_on(*this) || input(*this, 'K') != 1)
        return;
    auto passing_on = [](FrameObject* skin) { return standing(*skin) && get_value(*skin, 'K') != 1; };
    if (!select(skins(*this), passing_on))
        return;
    const double x = get_value(player(*this), 'X'), y = get_value(player(*this), 'Y');
    for_each_selected(skins(*this), [x, y](FrameObject* skin) {
        set_value(skin, 'D', x);
        set_value(skin, 'E', y);
        set_value(skin, 'J', 0);
    });
}

// Launched off a launcher pad along its angle (0 straight up).
void Frames::event_func_1253()
{
    if (!ride_on(*this) || input(*this, 'K') != 1)
        return;
    auto launching = [](FrameObject* skin) { return standing(*skin) && get_value(*skin, 'K') == 1; };
    if (!select(skins(*this), launching) || !last_pad_at(*this, 0))
        return;
    FrameObject* skin = skins(*this).back_selection();
    const double angle = get_value(*pads(*this).back_selection(), 'B');
    ObjectList& p = player(*this);
    set_value(p, 'L', 0);
    set_value(p, 'M', 40);
    set_value(p, 'B', event_sin(angle) * launch_speed);
    set_value(p, 'U', 1);
    set_value(p, 'T', 1);
    set_value(p, 'G', event_cos(angle) * launch_speed);
    for_each_selected(pads(*this), [](FrameObject* pad) { set_value(pad, 'E', 0); });
    create_at_each(*this, pads(*this), instances[types::EffectsWhiteBurst_31], create_effectswhiteburst_31);
    play_sample(52);
    set_value(p, 'N', 0);
    set_value(p, 'O', 0);
    set_value(others(*this), 'Z', 0);
    run_voice(*this, "sound_go", get_flag(*skin, 8) ? 1 : 0);
    set_value(p, 'V', 1);
}

void Frames::event_func_1254()
{
    if (ride_on(*this) && select(skins(*this), [](FrameObject* skin) { return phase(*skin) >= 3; }))
        for_each_selected(skins(*this), [](FrameObject* skin) { add_value(skin, 'J', 1); });
}

// Dropped out after 22 ticks of standing, or at once with the action control.
void Frames::event_func_1255()
{
    if (!ride_on(*this))
        return;
    const bool action = input(*this, 'L') == 1;
    auto dropping = [action](FrameObject* skin) {
        return phase(*skin) > last_standing_tick || (phase(*skin) >= 3 && action);
    };
    if (!select(skins(*this), dropping))
        return;
    for_each_selected(skins(*this), [](FrameObject* skin) { set_value(skin, 'J', -1); });
    for_each_instance(others(*this), [](FrameObject* o) {
        set_value(o, 'Y', 40);
    });
    for_each_instance(player(*this), [](FrameObject* p) {
        set_value(p, 'N', 0);
        set_value(p, 'O', 0);
    });
    for_each_instance(others(*this), [](FrameObject* o) { set_value(o, 'Z', 0); });
}

void Frames::event_func_1256()
{
    if (ride_on(*this) && skins_in_phase(*this, -1) && last_pad_at(*this, 0))
        for_each_selected(pads(*this), [](FrameObject* pad) { set_value(pad, 'E', 0); });
}

void Frames::event_func_1257()
{
    if (!ride_on(*this) || !skins_in_phase(*this, -1))
        return;
    ObjectList& p = player(*this);
    set_value(p, 'G', 0);
    set_value(p, 'V', 1);
    set_value(p, 'B', 0);
    set_value(p, 'T', 1);
    set_value(p, 'U', 1);
    set_value(p, 'M', 0);
}
