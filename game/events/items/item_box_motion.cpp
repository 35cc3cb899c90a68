// Item boxes in motion: a box struck from below jumps and falls back, is
// pushed out of ceilings, floors, other moving boxes, platforms and the
// player, and comes to rest; the four animated boxes run on the frame timer;
// a taken fuel sparkles out and a thrown one falls and lands as a bomb icon.
#include "game/events/items/pickups.h"
#include "game/objects/classes.h"
#include "objects/active.h"
#include "runtime/collision.h"

#include <cmath>

namespace {

constexpr int bomb_icon_frame = 9;

// Item-box values: A is the motion state, B the vertical speed.
constexpr double knocked_up = 1;
constexpr double thrown = 2;

Active* as_active(FrameObject* object) { return static_cast<Active*>(object); }

// Adds `step` to a speed, holding it at `cap` once it gets there.
double capped(double speed, double step, double cap)
{
    const double next = speed + step;
    return next >= cap ? cap : next;
}

// Any instance of the group, selected or not, overlaps the object.
bool overlaps_any(FrameObject* object, QualifierList& group)
{
    for (int i = 0; i < group.size(); ++i) {
        FrameObject* other = group[i];
        if (other && other->collision && !(other->flags & FrameObject::DESTROYING) && object->overlaps(other))
            return true;
    }
    return false;
}

bool moving(const FrameObject* box) { return get_value(*box, 'A') == knocked_up; }

void stop_rising(QualifierList& boxes)
{
    for_each_selected(boxes, [](FrameObject* box) { set_value(box, 'B', 0); });
}

// A moving box against another moving box of the solid group. The boxes are
// members of both groups, so the solid side carries the boxes' selection:
// a box meets only another box that moves.
bool meets_moving_box(Frames& f)
{
    if (!select(f.qualifier_13, moving))
        return false;
    select_all_but(f.qualifier_1, f.qualifier_13);
    return check_overlap(f.qualifier_13, f.qualifier_1) &&
           filter(f.qualifier_1, [](FrameObject* solid) { return !get_flag(*solid, 0); });
}

bool rising(FrameObject* box) { return get_value(*box, 'B') < 0; }
bool falling(FrameObject* box) { return get_value(*box, 'B') >= 0; }

// A falling box is pushed up out of what it landed on and comes to rest;
// the loop reselects the boxes, so the ones that landed are remembered.
void land(Frames& f)
{
    SavedSelection landed(f.qualifier_13);
    f.run_loop(f.fast_loop_monitorsunstuckfromground, 10, &Frames::loop_monitorsunstuckfromground_4);
    for (int i = 0; i < landed.count; ++i) {
        set_value(landed[i], 'A', 0);
        set_flag(landed[i], 0, false);
    }
    landed.release();
}

}  // namespace

// A hidden fuel sparkles out, one sparkle every seven gameplay ticks.
void Frames::event_func_1657()
{
    if (!level_group_43)
        return;
    ObjectList& fuels = instances[types::ObjectFuel_341];
    if (!select(fuels, [](FrameObject* fuel) { return get_value(*fuel, 'E') > 1; }))
        return;
    if (to_int(global_values->get(3)) % 7 != 2)
        return;
    FrameObject* sparkle =
        create_at_each(*this, fuels, instances[types::RingSparkle_179], create_ringsparkle_179);
    const FrameObject* fuel = fuels.back_selection();
    if (sparkle && fuel) {
        const int x_plus = randrange_event(1657, 16);
        const int x_minus = randrange_event(1657, 33);
        sparkle->set_x(fuel->get_x() + x_plus - x_minus);
        const int y_plus = randrange_event(1657, 16);
        const int y_minus = randrange_event(1657, 33);
        sparkle->set_y(fuel->get_y() + y_plus - y_minus);
        as_active(sparkle)->force_frame(1);
        as_active(sparkle)->restore_frame();
    }
    for_each_selected(fuels, [](FrameObject* f) { add_value(f, 'E', 1); });
}

void Frames::event_func_1658()
{
    if (!level_group_43)
        return;
    ObjectList& fuels = instances[types::ObjectFuel_341];
    if (select(fuels, [](FrameObject* fuel) { return get_value(*fuel, 'E') > 3; }))
        for_each_selected(fuels, [](FrameObject* fuel) { fuel->destroy(); });
}

// A thrown fuel flies under gravity.
void Frames::event_func_1659()
{
    if (!level_group_43)
        return;
    ObjectList& fuels = instances[types::ObjectFuel_341];
    if (!select(fuels, [](FrameObject* fuel) { return get_value(*fuel, 'A') == thrown; }))
        return;
    for_each_selected(fuels, [](FrameObject* fuel) {
        fuel->set_x(to_int(fuel->get_x() + get_value(*fuel, 'X')));
        fuel->set_y(to_int(fuel->get_y() + get_value(*fuel, 'Y')));
        set_value(fuel, 'Y', capped(get_value(*fuel, 'Y'), 0.25, 15));
    });
}

// ...and lands on the ground, a solid or a platform as a bomb icon.
void Frames::event_func_1660()
{
    if (!level_group_43)
        return;
    ObjectList& fuels = instances[types::ObjectFuel_341];
    if (!select(fuels, [this](FrameObject* fuel) {
            return get_value(*fuel, 'A') == thrown &&
                   (fuel->overlaps_background() || overlaps_any(fuel, qualifier_1) || overlaps_any(fuel, qualifier_2));
        }))
        return;
    for_each_selected(fuels, [](FrameObject* fuel) { fuel->destroy(); });
    FrameObject* icon =
        create_at_each(*this, fuels, instances[types::MonitorIcon_125], create_monitoricon_125, -16, -16);
    if (icon)
        as_active(icon)->force_frame(bomb_icon_frame);
}

// An explosion that follows the player stays 70 pixels above it.
void Frames::event_func_1661()
{
    if (!level_group_43 || !level_group_31)
        return;
    ObjectList& explosions = instances[types::EffectsExplosion01_130];
    if (!select(explosions, [](FrameObject* e) { return get_flag(*e, 4); }))
        return;
    ObjectList& values = instances[types::PlayerMovementValues_80];
    const double x = get_value(values, 'X'), y = get_value(values, 'Y');
    for_each_selected(explosions, [x, y](FrameObject* e) {
        e->set_x(to_int(x));
        e->set_y(to_int(y - 70));
    });
}

void Frames::event_func_1662()
{
    if (!level_group_43)
        return;
    pickups::show_timer_frame(instances[types::MonitorCrystals_120], frame_time, 120, 5);
    pickups::show_timer_frame(instances[types::MonitorKeystone_322], frame_time, 60, 30);
    pickups::show_timer_frame(instances[types::MonitorCrate_126], frame_time, 50, 30);
    pickups::show_timer_frame(instances[types::Monitor1up_127], frame_time, 50, 30);
    const int direction = to_int(global_values->get(3)) / 30 % 5;
    for_each_instance(instances[types::MonitorKeystone_322],
                      [direction](FrameObject* box) { box->set_direction(direction, true); });
}

// The player's head knocks a box up, unless it is carried or thrown.
void Frames::event_func_1663()
{
    if (!level_group_43 || get_value(instances[types::PlayerMovementValues_80], 'M') == 46)
        return;
    ObjectList& sensors = instances[types::PlayerSensorTopBig_93];
    select_all(sensors);
    select_all(qualifier_13);
    if (!check_overlap(sensors, qualifier_13))
        return;
    if (!filter(qualifier_13, [](FrameObject* box) { return !get_flag(*box, 2) && get_value(*box, 'A') < thrown; }))
        return;
    for_each_selected(qualifier_13, [](FrameObject* box) {
        set_flag(box, 0, true);
        set_value(box, 'A', knocked_up);
        set_value(box, 'B', -2);
    });
}

void Frames::event_func_1664()
{
    if (!level_group_43 || !select(qualifier_13, moving))
        return;
    for_each_selected(qualifier_13, [](FrameObject* box) {
        box->set_y(to_int(box->get_y() + get_value(*box, 'B')));
        set_value(box, 'B', capped(get_value(*box, 'B'), 0.2, 10));
    });
}

// A rising box that hits the ceiling stops and is pushed down.
void Frames::event_func_1665()
{
    if (!level_group_43)
        return;
    if (!select(qualifier_13, [](FrameObject* box) {
            return moving(box) && box->overlaps_background() && get_value(*box, 'B') < 0;
        }))
        return;
    stop_rising(qualifier_13);
    run_loop(fast_loop_monitorsunstuckfromceiling, 10, &Frames::loop_monitorsunstuckfromceiling_4);
}

// A rising box that hits another moving box stops and is pushed down (the
// handler runs this twice).
void Frames::event_func_1666()
{
    if (!level_group_43 || !meets_moving_box(*this) || !filter(qualifier_13, rising))
        return;
    stop_rising(qualifier_13);
    run_loop(fast_loop_monitorsunstuckfromceiling, 10, &Frames::loop_monitorsunstuckfromceiling_4);
}

void Frames::event_func_1667()
{
    if (!level_group_43)
        return;
    if (select(qualifier_13, [](FrameObject* box) { return moving(box) && box->overlaps_background() && falling(box); }))
        land(*this);
}

void Frames::event_func_1668()
{
    if (level_group_43 && meets_moving_box(*this) && filter(qualifier_13, falling))
        land(*this);
}

void Frames::event_func_1669()
{
    if (!level_group_43 || !select(qualifier_13, moving))
        return;
    select_all(qualifier_2);
    if (check_overlap(qualifier_13, qualifier_2) &&
        filter(qualifier_2, [](FrameObject* platform) { return !get_flag(*platform, 0); }) &&
        filter(qualifier_13, falling))
        land(*this);
}

// A moving box that touches the player is pushed up off it, and moves on.
void Frames::event_func_1670()
{
    if (!level_group_43 || !select(qualifier_13, [](FrameObject* box) { return moving(box) && !get_flag(*box, 1); }))
        return;
    ObjectList& player = instances[types::Player_87];
    select_all(player);
    if (check_overlap(qualifier_13, player))
        run_loop(fast_loop_monitorsunstuckfromground, 10, &Frames::loop_monitorsunstuckfromground_4);
}
