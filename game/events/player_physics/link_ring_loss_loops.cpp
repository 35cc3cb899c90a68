// Linked objects take the value of the LINK marker placed over them when the
// act starts; a hit scatters at most 32 petals, one step of the scattering
// loop per petal and one more.
#include "game/events/player_physics/sensors.h"
#include "runtime/collision.h"

#include <algorithm>

using namespace player_sensors;

namespace {

// The linkable objects numbered as the outer link loop's index.
bool select_numbered(Frames& frames, int number)
{
    return select(frames.qualifier_6, [&](FrameObject* object) { return get_value(*object, 'O') == number; });
}

}  // namespace

void Frames::event_func_505()
{
    if (!level_group_43)
        return;
    FrameObject* ring_loss_object = instance_of(instances[types::MasterRingLoss_129]);
    set_value(ring_loss_object, 'A',
              std::min(get_value(instance_or_default(instances[types::MasterRingLoss_129]), 'A'), 32.0));
    set_value(ring_loss_object, 'G', get_value(instance_or_default(instances[types::MasterRingLoss_129]), 'H'));
    const int steps = to_int(get_value(instance_or_default(instances[types::MasterRingLoss_129]), 'A') + 1);
    run_loop(fast_loop_rings_ringloss_step, steps, &Frames::loop_rings_ringloss_step_4);
}

void Frames::loop_rings_ringloss_4() { event_func_505(); }

// Reads the outer loop's index: it runs only inside link_objects_1.
void Frames::event_func_528()
{
    if (!level_group_43 || !select_numbered(*this, fast_loop_link_objects_1.index))
        return;
    ObjectList& markers = instances[types::LINK_186];
    select_all(markers);
    if (!check_overlap(qualifier_6, markers))
        return;
    int k = 0;
    for_each_selected(qualifier_6, [&](FrameObject* object) {
        if (FrameObject* marker = markers.get_wrapped_selection(k++))
            set_value(object, 'L', get_value(*marker, 'Z'));
    });
}

void Frames::loop_create_links_1_4() { event_func_528(); }

void Frames::event_func_529()
{
    if (!level_group_43)
        return;
    if (!select_numbered(*this, fast_loop_link_objects_1.index) ||
        !filter(qualifier_6, [](FrameObject* object) { return !object->outside_playfield(); }))
        return;
    run_loop(fast_loop_create_links_1, 1, &Frames::loop_create_links_1_4);
}

void Frames::loop_link_objects_1_4() { event_func_529(); }
