// Spinning logs on the water: the log shows its spin in its direction and
// its mask is what the player stands on. Both float on the drawn water line;
// the mask sinks up to 20 pixels under the player and rises when left.
// Running on a log (standing counts) spins it up to 320, turning A / 40
// directions a tick, and the spin runs down by 1 a tick.
#include "game/frames/event_support.h"
#include "game/frames/frames.h"
#include "runtime/collision.h"

#include <algorithm>

namespace {

constexpr double top_spin = 320, least_run_spin = 30, run_push = 4;
constexpr double deepest = 20, sink_step = 0.5, rise_step = 1, sunk_far = 15;

ObjectList& logs(Frames& f) { return f.instances[types::SpinningLog_391]; }
ObjectList& masks(Frames& f) { return f.instances[types::SpinningLogMask_392]; }
ObjectList& sensor(Frames& f) { return f.instances[types::PlayerSensorBottomBig_95]; }

bool on_ground(Frames& f) { return get_value(f.instances[types::PlayerMovementValues_80], 'L') == 1; }

// The bottom sensor overlapping `list`: both keep the overlapping instances.
bool sensor_on(Frames& f, ObjectList& list)
{
    select_all(sensor(f));
    select_all(list);
    return check_overlap(sensor(f), list);
}

}  // namespace

void Frames::event_func_2304()
{
    if (!level_group_43 || !select(logs(*this), [](FrameObject* l) { return get_value(*l, 'A') > 0; }))
        return;
    for_each_selected(logs(*this), [](FrameObject* l) {
        l->set_direction(to_int(l->get_direction() + get_value(*l, 'A') / 40), true);
        add_value(l, 'A', -1);
    });
}

void Frames::event_func_2305()
{
    if (!level_group_43)
        return;
    const double surface = get_value(instances[types::MasterLevel_53], 'C');
    for_each_instance(logs(*this), [surface](FrameObject* l) {
        set_flag(l, 0, true);
        l->set_y(to_int(surface));
    });
    for_each_instance(masks(*this), [surface](FrameObject* m) {
        m->set_y(to_int(surface + get_value(*m, 'A')));
        set_flag(m, 0, false);
    });
}

void Frames::event_func_2306()
{
    if (!level_group_43 || !sensor_on(*this, masks(*this)))
        return;
    select_all(logs(*this));
    if (check_overlap(sensor(*this), logs(*this)) &&
        filter(logs(*this), [](FrameObject* l) { return get_value(*l, 'A') < 60; }))
        for_each_selected(logs(*this), [](FrameObject* l) { set_flag(l, 0, false); });
}

void Frames::event_func_2307()
{
    if (!level_group_43 || !sensor_on(*this, logs(*this)) || !on_ground(*this))
        return;
    for_each_selected(logs(*this), [](FrameObject* l) {
        set_value(l, 'A', std::max(least_run_spin, std::min(top_spin, get_value(*l, 'A') + run_push)));
    });
}

void Frames::event_func_2308()
{
    if (!level_group_43 || !sensor_on(*this, masks(*this)) || !on_ground(*this))
        return;
    for_each_selected(masks(*this), [](FrameObject* m) {
        set_value(m, 'A', std::min(get_value(*m, 'A') + sink_step, deepest));
    });
}

void Frames::event_func_2309()
{
    if (!level_group_43)
        return;
    select_all(sensor(*this));
    select_all(masks(*this));
    if (!check_not_overlap(sensor(*this), masks(*this)))
        return;
    for_each_instance(masks(*this), [](FrameObject* m) {
        set_value(m, 'A', std::max(get_value(*m, 'A') - rise_step, 0.0));
    });
}

void Frames::event_func_2310()
{
    if (level_group_43 && select(masks(*this), [](FrameObject* m) { return get_value(*m, 'A') >= sunk_far; }))
        for_each_selected(masks(*this), [](FrameObject* m) { set_flag(m, 0, true); });
}
