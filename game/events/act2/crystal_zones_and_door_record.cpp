// Act 2's crystal zones, cleared once at the start of a visit by global
// value 1, and the switch door that opens by itself once the player walks
// under it and is written to the records as opened.
#include "game/events/shared/records.h"
#include "game/frames/event_support.h"
#include "game/frames/frames.h"
#include "game/objects/type_ids.h"
#include "runtime/common.h"

#include <algorithm>

namespace {

struct Zone {
    int x1, x2, y1, y2;
};

// The flag is taken on the first tick the global test passes, crystals in
// the zone or not.
void clear_zone(Frames& f, bool& done, const Zone& zone)
{
    ObjectList& crystals = f.instances[types::ObjectCrystal_239];
    select_all(crystals);
    pick_objects_in_zone(crystals, zone.x1, zone.y1, zone.x2, zone.y2);
    if (!once(done))
        return;
    for_each_selected(crystals, [](FrameObject* crystal) { crystal->destroy(); });
}

double door_counter(Frames& f) { return get_value(f.instances[types::SwitchDoor_378], 'E'); }

bool door_opening(Frames& f) { return door_counter(f) > 0 && door_counter(f) < 10; }

// Past the checkpoint the door stays as it is; before it, the player
// walking under its span starts it.
bool player_under_door(Frames& f)
{
    if (f.global_values->size() > 4 && f.global_values->get(4) >= 2)
        return false;
    const FrameObject& door = instance_or_default(f.instances[types::SwitchDoor_378]);
    ObjectList& movement = f.instances[types::PlayerMovementValues_80];
    const double x = get_value(movement, 'X');
    return door.get_x() + 32 < x && x < door.get_x() + 128 && get_value(movement, 'Y') > door.get_y();
}

}  // namespace

void Frames::event_func_2445()
{
    if (level_group_43 && global_values->size() > 1 && global_values->get(1) != 0)
        clear_zone(*this, once_2445, {2444, 2883, 824, 875});
}

void Frames::event_func_2446()
{
    if (level_group_43 && global_values->get(1) != 2)
        clear_zone(*this, once_2446, {2885, 2939, 735, 1033});
}

void Frames::event_func_2447()
{
    if (level_group_43 && global_values->get(1) != 2)
        clear_zone(*this, once_2447, {2791, 2892, 1004, 1102});
}

void Frames::event_func_2448()
{
    if (!level_group_43)
        return;
    if (door_opening(*this) || (door_counter(*this) == 0 && player_under_door(*this)))
        add_value(instances[types::SwitchDoor_378], 'E', 1);
}

void Frames::event_func_2449()
{
    if (!level_group_43 || !door_opening(*this) || get_flag(instances[types::SwitchPressurePlate_376], 0) ||
        !once(once_2449))
        return;
    if (ArrayObject* records = records_array(*this))
        records->set_value(std::max(records->get_value(2, 18, -1), 1), 2, 18, -1);
}
