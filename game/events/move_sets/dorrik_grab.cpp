// What Dorrik's action press does in the tick it sets mode 20: picks up a
// box or fuel under his feet, starts charging the orb, or nothing. Each
// outcome leaves mode 20 in the same tick.
#include "game/events/move_sets/dorrik_moves.h"

using namespace dorrik;

namespace {

constexpr double carry_mode = 30;

bool grab_on(const Frames& f) { return events_on(f, &Frames::level_group_11); }

bool restricted(Frames& f) { return get_value(others(f), 'H') == 1; }

// The big sensor under the feet overlaps something of `objects`.
template <class List>
bool underfoot(Frames& f, List& objects)
{
    ObjectList& sensor = f.instances[types::PlayerSensorBottomBig_95];
    select_all(sensor);
    select_all(objects);
    return check_overlap(sensor, objects);
}

}  // namespace

void Frames::event_func_1303()
{
    if (grab_on(*this))
        set_value(others(*this), 'M', 0);
}

void Frames::event_func_1304()
{
    if (!grab_on(*this) || !skins_where(*this, 'H', [](double cooldown) { return cooldown <= 0; }) ||
        restricted(*this) || !run_once(run_once_1304, loop_count))
        return;
    set_value(movement(*this), 'M', carry_mode);
    for_each_selected(dorrik_skins(*this), [](FrameObject* skin) { set_value(skin, 'F', 2); });
}

void Frames::event_func_1305()
{
    if (!grab_on(*this) || !skins_where(*this, 'H', [](double cooldown) { return cooldown > 0; }) ||
        restricted(*this) || !run_once(run_once_1305, loop_count))
        return;
    set_value(movement(*this), 'M', 0);
    for_each_selected(dorrik_skins(*this), [](FrameObject* skin) { set_value(skin, 'F', 0); });
}

void Frames::event_func_1306()
{
    if (!grab_on(*this))
        return;
    // Both alternatives share one run-once word.
    const bool orb_busy = instance_holds(orb_list(*this), [](const FrameObject& o) { return get_value(o, 'A') > 1; });
    if ((restricted(*this) || orb_busy) && run_once(run_once_1306, loop_count))
        set_value(movement(*this), 'M', 0);
}

void Frames::event_func_1307()
{
    if (!grab_on(*this) || !underfoot(*this, item_boxes(*this)))
        return;
    if (FrameObject* box = pick_random_member(1307, item_boxes(*this)))
        lift(*this, box);
}

void Frames::event_func_1308()
{
    if (!grab_on(*this) || !underfoot(*this, fuel(*this)))
        return;
    if (FrameObject* pickup = pick_random_instance(1308, fuel(*this)))
        lift(*this, pickup);
}
