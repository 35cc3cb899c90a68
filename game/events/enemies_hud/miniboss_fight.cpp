// The miniboss fight: it wakes when its body comes near the view, the body
// sways up and down, flashes while its weak spot is stunned, and the fight
// gives way to the defeat once the weak spot's health is out. The legs and
// the turret are in miniboss_rig.cpp.
#include "game/events/enemies_hud/miniboss.h"
#include "game/frames/event_support.h"
#include "objects/active.h"

#include <cmath>

using namespace miniboss;

namespace {

constexpr int flash_effect = 17;
constexpr double sway_step = 5;  // degrees of phase a tick
constexpr double sway_speed = 2.2;

bool sway_direction(const FrameObject& body, double e) { return get_value(body, 'E') == e; }

// Events 2004 and 2005: the phase moves a step; the body's height follows
// its cosine, so the body slows at the turns.
void sway(Frames& f, double direction)
{
    ObjectList& list = bodies(f);
    if (!select(list, [direction](FrameObject* b) { return sway_direction(*b, direction); }))
        return;
    for_each_selected(list, [direction](FrameObject* b) {
        add_value(b, 'A', direction * sway_step);
        add_value(b, 'B', direction * std::fabs(event_cos(get_value(*b, 'A'))) * get_value(*b, 'C'));
    });
}

// Events 2006 and 2007: past the limit (+F or -F, F of the first body) the
// sway turns.
void turn_sway(Frames& f, double direction)
{
    ObjectList& list = bodies(f);
    if (!select(list, [direction](FrameObject* b) { return sway_direction(*b, direction); }))
        return;
    auto past = [direction](FrameObject* b, const FrameObject& first) {
        return direction * get_value(*b, 'A') > get_value(first, 'F');
    };
    if (filter_with_first(list, past))
        for_each_selected(list, [direction](FrameObject* b) { set_value(b, 'E', -direction); });
}

void set_body_effect(Frames& f, int effect)
{
    for_each_instance(bodies(f), [effect](FrameObject* b) { b->set_shader(effect); });
}

}  // namespace

// The body within 150 pixels of the view wakes the miniboss.
void Frames::event_func_2001()
{
    if (!level_group_43 || !select(bodies(*this), [](FrameObject* b) { return !b->is_near_border(-150); }))
        return;
    if (!level_group_57)
        activate_group(level_group_57);
}

// The body's height is taken once; 0 means not yet.
void Frames::event_func_2002()
{
    if (!fighting(*this) || !select(bodies(*this), [](FrameObject* b) { return get_value(*b, 'B') == 0; }))
        return;
    for_each_selected(bodies(*this), [](FrameObject* b) {
        set_value(b, 'B', b->get_y());
        set_value(b, 'C', sway_speed);
    });
}

void Frames::event_func_2003()
{
    if (!fighting(*this) || !select(bodies(*this), [](FrameObject* b) { return get_value(*b, 'B') != 0; }))
        return;
    for_each_selected(bodies(*this), [](FrameObject* b) { b->set_y(to_int(get_value(*b, 'B'))); });
}

void Frames::event_func_2004()
{
    if (fighting(*this))
        sway(*this, 1);
}

void Frames::event_func_2005()
{
    if (fighting(*this))
        sway(*this, -1);
}

void Frames::event_func_2006()
{
    if (fighting(*this))
        turn_sway(*this, 1);
}

void Frames::event_func_2007()
{
    if (fighting(*this))
        turn_sway(*this, -1);
}

// The flash ends on the first tick the weak spot is no longer stunned.
void Frames::event_func_2018()
{
    if (!fighting(*this) || !select(weak_spots(*this), [](FrameObject* w) { return get_value(*w, 'C') == 0; }))
        return;
    if (run_once(run_once_2018, loop_count))
        set_body_effect(*this, 0);
}

void Frames::event_func_2019()
{
    if (!fighting(*this))
        return;
    if (select(weak_spots(*this), [](FrameObject* w) { return get_value(*w, 'C') > 0 && get_value(*w, 'A') > 0; }))
        set_body_effect(*this, flash_effect);
}

// The weak spot's health is out: the fight stops where it stands and the
// defeat begins in the same tick.
void Frames::event_func_2020()
{
    if (!fighting(*this) || !select(weak_spots(*this), [](FrameObject* w) { return get_value(*w, 'A') <= 0; }))
        return;
    deactivate_group(level_group_14);
    activate_group(level_group_52);
    for_each_instance(bodies(*this), [](FrameObject* b) { static_cast<Active*>(b)->force_animation(10); });
}
