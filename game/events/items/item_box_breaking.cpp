// Item boxes breaking: thrown boxes fly and are lost off the field, flag 0
// keeps boxes out of the solid tests while the player passes through them,
// the insta-shield, shots, the reflect object, bomb icons and thrown boxes
// hit boxes (flag 6), and a hit box leaves a shell or an explosion, its
// break sound and the icon of its kind.
#include "audio/media.h"
#include "game/frames/event_support.h"
#include "game/frames/frames.h"
#include "game/objects/classes.h"
#include "objects/active.h"
#include "runtime/collision.h"

#include <cmath>
#include <initializer_list>
#include <set>

namespace {

constexpr double resting = 0;
constexpr double thrown = 2;
constexpr int bomb_icon_frame = 9;
constexpr int bike_character = 3;

using Boxes = std::set<FrameObject*>;

bool hit(const FrameObject* box) { return get_flag(*box, 6); }

Boxes selected(QualifierList& boxes)
{
    Boxes all;
    for_each_selected(boxes, [&all](FrameObject* box) { all.insert(box); });
    return all;
}

void mark_hit(const Boxes& boxes)
{
    for (FrameObject* box : boxes)
        set_flag(box, 6, true);
}

// The resting boxes an object touches, all of them.
Boxes resting_boxes_touched_by(Frames& f, ObjectList& hitters)
{
    select_all(hitters);
    select_all(f.qualifier_13);
    if (!check_overlap(hitters, f.qualifier_13) ||
        !filter(f.qualifier_13, [](FrameObject* box) { return get_value(*box, 'A') == resting; }))
        return {};
    return selected(f.qualifier_13);
}

// One of them, drawn from the event's random state.
Boxes one_resting_box_touched_by(Frames& f, ObjectList& hitters, int event)
{
    if (resting_boxes_touched_by(f, hitters).empty())
        return {};
    FrameObject* picked = pick_random_member(event, f.qualifier_13);
    return picked ? Boxes{picked} : Boxes{};
}

// Every box a bomb icon touches, from the icon's eleventh tick on.
Boxes boxes_under_a_bomb(Frames& f)
{
    ObjectList& icons = f.instances[types::MonitorIcon_125];
    select_all(icons);
    select_all(f.qualifier_13);
    if (!check_overlap(icons, f.qualifier_13))
        return {};
    const Boxes touched = selected(f.qualifier_13);
    const bool armed = filter(icons, [](FrameObject* icon) {
        return static_cast<Active*>(icon)->get_frame() == bomb_icon_frame && get_value(*icon, 'A') > 10;
    });
    return armed ? touched : Boxes{};
}

// The reflect object in state `state` breaks one resting box it touches.
bool reflect_hits_a_box(Frames& f, double state, int event)
{
    ObjectList& reflects = f.instances[types::PlayerReflect_343];
    select_all(reflects);
    select_all(f.qualifier_13);
    if (!check_overlap(reflects, f.qualifier_13) ||
        !filter(reflects, [state](FrameObject* r) { return get_value(*r, 'A') == state; }) ||
        !filter(f.qualifier_13, [](FrameObject* box) { return get_value(*box, 'A') == resting; }))
        return false;
    FrameObject* picked = pick_random_member(event, f.qualifier_13);
    if (picked)
        set_flag(picked, 6, true);
    return picked != nullptr;
}

bool thrown_box(FrameObject* box) { return get_value(*box, 'A') == thrown; }

// Thrown boxes that meet a group. The solid group holds the box lists too,
// so a thrown box meets only another thrown box there.
Boxes thrown_boxes_meeting(Frames& f, QualifierList& group)
{
    if (!select(f.qualifier_13, thrown_box))
        return {};
    select_all_but(group, f.qualifier_13);
    return check_overlap(f.qualifier_13, group) ? selected(f.qualifier_13) : Boxes{};
}

// The boxes marked to break whose style D passes `test` sound off, and count it.
template <class Test>
void break_sound(Frames& f, Test test, std::initializer_list<unsigned> samples)
{
    if (!select(f.qualifier_13, [test](FrameObject* box) { return hit(box) && test(get_value(*box, 'D')); }))
        return;
    for (const unsigned sample : samples)
        media.play_id(sample, -1, 1);
    for_each_selected(f.qualifier_13, [](FrameObject* box) { add_value(box, 'G', 1); });
}

// The selected boxes go, each leaving an icon; the first icon shows the
// first box's kind and faces its way.
void open_boxes(Frames& f)
{
    FrameObject* icon = create_at_each(f, f.qualifier_13, f.instances[types::MonitorIcon_125], create_monitoricon_125);
    for_each_selected(f.qualifier_13, [](FrameObject* box) {
        set_flag(box, 0, false);
        box->destroy();
    });
    FrameObject* box = f.qualifier_13.back_selection();
    if (!icon || !box)
        return;
    static_cast<Active*>(icon)->force_frame(to_int(get_value(*box, 'C')));
    icon->set_direction(box->get_direction(), true);
}

}  // namespace

void Frames::event_func_1671()
{
    if (!level_group_43 || !select(qualifier_13, thrown_box))
        return;
    for_each_selected(qualifier_13, [](FrameObject* box) {
        box->set_x(to_int(box->get_x() + get_value(*box, 'X')));
        box->set_y(to_int(box->get_y() + get_value(*box, 'Y')));
        const double fall = get_value(*box, 'Y') + 0.25;
        set_value(box, 'Y', fall >= 15 ? 15 : fall);
    });
}

// A throw that leaves the field is lost without a trace.
void Frames::event_func_1672()
{
    if (!level_group_43)
        return;
    if (select(qualifier_13, [](FrameObject* box) { return thrown_box(box) && box->outside_playfield(); }))
        for_each_selected(qualifier_13, [](FrameObject* box) { box->destroy(); });
}

void Frames::event_func_1673()
{
    if (!level_group_43)
        return;
    const double mode = get_value(instances[types::PlayerMovementValues_80], 'M');
    if (mode != 5 && mode != 6 && mode != 30 && mode != 46)
        for_each_instance(qualifier_13, [](FrameObject* box) { set_flag(box, 0, false); });
}

// While the player passes through boxes (these modes, or riding fast) they
// stop being solid; a carried or thrown box never is.
void Frames::event_func_1674()
{
    if (!level_group_43)
        return;
    ObjectList& values = instances[types::PlayerMovementValues_80];
    const double mode = get_value(values, 'M');
    const bool passing = mode == 5 || mode == 6 || mode == 30 || mode == 46 ||
                         (get_value(values, 'A') == bike_character && std::fabs(get_value(values, 'B')) > 5);
    const bool carried =
        select(qualifier_13, [](FrameObject* box) { return get_flag(*box, 2) || thrown_box(box); });
    if (!carried && !passing)
        return;
    if (!carried)
        select_all(qualifier_13);
    for_each_selected(qualifier_13, [](FrameObject* box) { set_flag(box, 0, true); });
}

void Frames::event_func_1675()
{
    if (!level_group_43)
        return;
    mark_hit(one_resting_box_touched_by(*this, instances[types::ShieldInstaShield_187], 1675));
    mark_hit(resting_boxes_touched_by(*this, instances[types::PlayerProjectile_336]));
    mark_hit(boxes_under_a_bomb(*this));
}

void Frames::event_func_1676()
{
    if (level_group_43 && reflect_hits_a_box(*this, 2, 1676))
        for_each_selected(instances[types::PlayerReflect_343], [](FrameObject* r) { set_value(r, 'A', 3); });
}

void Frames::event_func_1677()
{
    if (level_group_43)
        reflect_hits_a_box(*this, 5, 1677);
}

// A thrown box breaks on the ground, another thrown box or a platform.
void Frames::event_func_1678()
{
    if (!level_group_43)
        return;
    Boxes boxes;
    if (select(qualifier_13, [](FrameObject* box) { return thrown_box(box) && box->overlaps_background(); }))
        boxes = selected(qualifier_13);
    boxes.merge(thrown_boxes_meeting(*this, qualifier_1));
    boxes.merge(thrown_boxes_meeting(*this, qualifier_2));
    mark_hit(boxes);
}

// A resting box breaks into a shell showing its style, behind the others.
void Frames::event_func_1679()
{
    if (!level_group_43)
        return;
    if (!select(qualifier_13, [](FrameObject* box) {
            return hit(box) && !get_flag(*box, 2) && get_value(*box, 'A') == resting;
        }))
        return;
    FrameObject* shell =
        create_at_each(*this, qualifier_13, instances[types::MonitorBroken_118], create_monitorbroken_118);
    const FrameObject* box = qualifier_13.back_selection();
    if (!shell || !box)
        return;
    shell->set_direction(to_int(get_value(*box, 'D')), true);
    shell->move_back();
}

// A thrown box explodes.
void Frames::event_func_1680()
{
    if (!level_group_43)
        return;
    if (select(qualifier_13, [](FrameObject* box) { return hit(box) && thrown_box(box); }))
        create_at_each(*this, qualifier_13, instances[types::EffectsExplosion01_130], create_effectsexplosion01_130,
                       16, 16);
}

void Frames::event_func_1681()
{
    if (level_group_43)
        break_sound(*this, [](double style) { return style == -1; }, {167});
}

void Frames::event_func_1682()
{
    if (level_group_43)
        break_sound(*this, [](double style) { return style == 0; }, {168, 174});
}

void Frames::event_func_1683()
{
    if (level_group_43)
        break_sound(*this, [](double style) { return style == 3; }, {162});
}

void Frames::event_func_1684()
{
    if (level_group_43)
        break_sound(*this, [](double style) { return style != 0 && style != 3; }, {12});
}

void Frames::event_func_1685()
{
    if (level_group_43 && select(qualifier_13, [](FrameObject* box) { return get_value(*box, 'I') == 0 && hit(box); }))
        open_boxes(*this);
}

void Frames::event_func_1686()
{
    if (level_group_43 && select(qualifier_13, [](FrameObject* box) { return hit(box) && get_value(*box, 'G') > 2; }))
        open_boxes(*this);
}
