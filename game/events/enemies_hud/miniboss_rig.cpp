// The miniboss's rig during the fight: the leg segments, the turret and the
// weak spot are put on the body and on each other every tick, the legs
// swing with the body's sway, the turret turns to the player, and its clock
// fires a volley of five pellets a cycle.
#include "audio/media.h"
#include "game/events/enemies_hud/miniboss.h"
#include "game/frames/event_support.h"
#include "game/objects/classes.h"
#include "objects/active.h"

#include <cmath>

using namespace miniboss;

namespace miniboss {

const std::array<Segment, 12> segments = {{
    {types::MinibossSkalvidLeftLeg1_293, -1, -11, 210, 1, -3, -5},
    {types::MinibossSkalvidLeftLeg2_299, types::MinibossSkalvidLeftLeg1_293, 0, 270, -1, -2, -4},
    {types::MinibossSkalvidLeftLeg3_301, types::MinibossSkalvidLeftLeg2_299, 0, 0, -1, -1, -2},
    {types::MinibossSkalvidRightLeg1_303, -1, 11, 330, 1, 3, -5},
    {types::MinibossSkalvidRightLeg2_295, types::MinibossSkalvidRightLeg1_303, 0, 270, -1, 2, -4},
    {types::MinibossSkalvidRightLeg3_297, types::MinibossSkalvidRightLeg2_295, 0, 180, -1, 1, -2},
    {types::MinibossSkalvidLeftLeg4_294, -1, -11, 150, 1, -6, -5},
    {types::MinibossSkalvidLeftLeg5_300, types::MinibossSkalvidLeftLeg4_294, 0, 90, -1, -5, -4},
    {types::MinibossSkalvidLeftLeg6_302, types::MinibossSkalvidLeftLeg5_300, 0, 0, -1, -4, -2},
    {types::MinibossSkalvidRightLeg4_304, -1, 11, 30, 1, 6, -5},
    {types::MinibossSkalvidRightLeg5_296, types::MinibossSkalvidRightLeg4_304, 0, 90, -1, 5, -4},
    {types::MinibossSkalvidRightLeg6_298, types::MinibossSkalvidRightLeg5_296, 0, 180, -1, 4, -2},
}};

}  // namespace miniboss

namespace {

constexpr unsigned volley_sample = 58;
constexpr unsigned shot_sample = 25;
constexpr double volley_start = 100;  // the turret's clock (A) at its volley

// Runs `place(object, body)` on every instance of the type, each with the
// body paired with it.
template <class Place>
void on_paired_bodies(Frames& f, ObjectList& list, Place place)
{
    int k = 0;
    for_each_instance(list, [&](FrameObject* object) {
        if (FrameObject* body = paired_instance(bodies(f), k++))
            place(object, *body);
    });
}

// A segment on its body, or on the action point of the segment it hangs on.
void place_segment(Frames& f, const Segment& segment)
{
    ObjectList& list = f.instances[segment.type];
    if (segment.hangs_on < 0) {
        on_paired_bodies(f, list, [&segment](FrameObject* s, const FrameObject& body) {
            s->set_global_position(body.get_x() + segment.body_dx, body.get_y());
        });
        return;
    }
    ObjectList& holders = f.instances[segment.hangs_on];
    int k = 0;
    for_each_instance(list, [&](FrameObject* s) {
        select_all(holders);
        if (const FrameObject* holder = holders.get_wrapped_selection(k++))
            s->set_global_position(holder->get_action_x(), holder->get_action_y());
    });
}

// One of 32 directions from the turret to the player, 0 pointing right,
// counted anticlockwise, from their positions in their layers.
int direction_to_player(Frames& f, const FrameObject& turret)
{
    const FrameObject& player = instance_or_default(f.instances[types::Player_87]);
    double angle = std::atan2(double(turret.y - player.y), double(player.x - turret.x)) * 57.29577951308232;
    if (angle < 0)
        angle += 360;
    return to_int(angle / 11.25);
}

// Events 2013 to 2017: every turret whose clock reads `at` (at least `at`
// for the last shot) fires a pellet from its action point the way it faces;
// the first pellet flies through solid things. The last shot ends the
// volley and sets the clock back.
void fire(Frames& f, double at, bool last)
{
    ObjectList& list = turrets(f);
    auto due = [at, last](FrameObject* t) { return last ? get_value(*t, 'A') >= at : get_value(*t, 'A') == at; };
    if (!select(list, due))
        return;
    FrameObject* pellet = create_at_action_points(f, list, f.instances[types::EnemyPellet_261], create_enemypellet_261);
    if (pellet)
        pellet->set_direction(list.back_selection()->get_direction(), true);
    for_each_selected(list, [last](FrameObject* t) {
        if (last)
            set_value(t, 'A', -80);
        else
            add_value(t, 'A', 1);
    });
    media.play_id(shot_sample, -1, 1);
    if (last)
        for_each_selected(list, [](FrameObject* t) { static_cast<Active*>(t)->force_animation(0); });
    set_flag(pellet, 1, true);
}

}  // namespace

void Frames::event_func_2008()
{
    if (!fighting(*this))
        return;
    for (const Segment& segment : segments)
        place_segment(*this, segment);
    on_paired_bodies(*this, turrets(*this), [](FrameObject* t, const FrameObject& body) {
        t->set_global_position(body.get_action_x(), body.get_action_y());
    });
    on_paired_bodies(*this, weak_spots(*this),
                     [](FrameObject* w, const FrameObject& body) { w->set_global_position(body.get_x(), body.get_y()); });
}

// The segments show the angles worked out on the tick before; the turret
// turns to the player.
void Frames::event_func_2009()
{
    if (!fighting(*this))
        return;
    for (const Segment& segment : segments)
        for_each_instance(instances[segment.type],
                          [](FrameObject* s) { s->set_angle(to_int(get_value(*s, 'A')), 0); });
    for_each_instance(turrets(*this), [this](FrameObject* t) { t->set_direction(direction_to_player(*this, *t), true); });
}

// The legs swing with the sine of the body's sway phase.
void Frames::event_func_2010()
{
    if (!fighting(*this))
        return;
    for (const Segment& segment : segments) {
        int k = 0;
        for_each_instance(instances[segment.type], [&](FrameObject* s) {
            const FrameObject& body = paired_or_default(bodies(*this), k++);
            const double swing = get_value(body, 'D') * event_sin(get_value(body, 'A'));
            set_value(s, 'A', segment.base + segment.sign * swing);
        });
    }
}

// The clock runs while the body is within 120 pixels of the view, and
// always once a volley has begun, so a volley is never cut short.
void Frames::event_func_2011()
{
    if (!fighting(*this))
        return;
    const bool body_near = select(bodies(*this), [](FrameObject* b) { return !b->is_near_border(-120); });
    const bool volley_on = select(turrets(*this), [](FrameObject* t) { return get_value(*t, 'A') > volley_start; });
    if (body_near)
        select_all(turrets(*this));
    if (body_near || volley_on)
        for_each_selected(turrets(*this), [](FrameObject* t) { add_value(t, 'A', 1); });
}

void Frames::event_func_2012()
{
    if (!fighting(*this) || !select(turrets(*this), [](FrameObject* t) { return get_value(*t, 'A') == volley_start; }))
        return;
    for_each_selected(turrets(*this), [](FrameObject* t) {
        static_cast<Active*>(t)->force_animation(7);
        add_value(t, 'A', 1);
    });
    media.play_id(volley_sample, -1, 1);
}

void Frames::event_func_2013()
{
    if (fighting(*this))
        fire(*this, 140, false);
}

void Frames::event_func_2014()
{
    if (fighting(*this))
        fire(*this, 155, false);
}

void Frames::event_func_2015()
{
    if (fighting(*this))
        fire(*this, 170, false);
}

void Frames::event_func_2016()
{
    if (fighting(*this))
        fire(*this, 185, false);
}

void Frames::event_func_2017()
{
    if (fighting(*this))
        fire(*this, 200, true);
}
