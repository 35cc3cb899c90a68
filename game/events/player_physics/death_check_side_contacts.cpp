// A pending death request turns into a dying mode; a spring cancels a
// running action; the big side sensors break item boxes the player rolls or
// rides into.
#include "game/events/player_physics/sensors.h"
#include "runtime/collision.h"

#include <cmath>

using namespace player_sensors;

namespace {

bool death_groups_on(const Frames& frames)
{
    return frames.level_group_43 && frames.level_group_23 && frames.level_group_7;
}

bool movement_value_is(Frames& frames, char name, double number)
{
    return get_value(frames.instances[types::PlayerMovementValues_80], name) == number;
}

bool rolling(Frames& frames)
{
    const double mode = get_value(frames.instances[types::PlayerMovementValues_80], 'M');
    return mode >= 5 && mode <= 6;
}

// Item boxes that the sensor touches get their break mark.
void break_touched_boxes(Frames& frames, int sensor_type)
{
    ObjectList& sensors = frames.instances[sensor_type];
    select_all(sensors);
    select_all(frames.qualifier_13);
    if (!check_overlap(sensors, frames.qualifier_13))
        return;
    for_each_selected(frames.qualifier_13, [](FrameObject* box) { set_flag(box, 6, true); });
}

}  // namespace

// The first kind of death: the player falls out of control, says so, and
// the action and move-set groups go quiet.
void Frames::event_func_484()
{
    if (!death_groups_on(*this) || !movement_value_is(*this, 'R', 2))
        return;
    set_value(instances[types::PlayerMovementValues_80], 'L', 0);
    set_value(instances[types::PlayerMovementValues_80], 'M', 9);
    set_value(instances[types::PlayerMovementValues_80], 'R', 0);
    run_loop(fast_loop_sound_die, 1, &Frames::loop_sound_die_3);
    deactivate_group(level_group_24);
    deactivate_group(level_group_73);
    deactivate_group(level_group_1);
    deactivate_group(level_group_61);
    deactivate_group(level_group_3);
    deactivate_group(level_group_7);
    deactivate_group(level_group_6);
}

void Frames::event_func_485()
{
    if (!death_groups_on(*this) || !movement_value_is(*this, 'R', 3))
        return;
    set_value(instances[types::PlayerMovementValues_80], 'R', 0);
    set_value(instances[types::PlayerMovementValues_80], 'M', 10);
    set_value(instances[types::PlayerMovementValues_80], 'L', 0);
    set_value(instances[types::PlayerMovementValues_80], 'G', 0);
}

void Frames::loop_check_death_4()
{
    event_func_484();
    event_func_485();
}

// An action mode gives way to whatever takes the player over.
void Frames::event_func_533()
{
    if (!level_group_43)
        return;
    const double mode = get_value(instances[types::PlayerMovementValues_80], 'M');
    if (!(mode >= 21 && mode <= 25))
        return;
    set_value(instances[types::PlayerMovementValues_80], 'M', 0);
    set_value(instances[types::PlayerMovementValues_80], 'S', 1);
}

void Frames::loop_player01_interruption_action_4() { event_func_533(); }

void Frames::event_func_534()
{
    if (level_group_43 && rolling(*this) && get_value(instances[types::PlayerMovementValues_80], 'B') >= 0)
        break_touched_boxes(*this, types::PlayerSensorRightBig_91);
}

// The bike breaks boxes at speed, whichever way it goes, with the right sensor alone.
void Frames::event_func_535()
{
    if (level_group_43 && movement_value_is(*this, 'A', 3) &&
        std::abs(get_value(instances[types::PlayerMovementValues_80], 'B')) > 5)
        break_touched_boxes(*this, types::PlayerSensorRightBig_91);
}

void Frames::event_func_536()
{
    if (level_group_43 && rolling(*this) && get_value(instances[types::PlayerMovementValues_80], 'B') <= 0)
        break_touched_boxes(*this, types::PlayerSensorLeftBig_89);
}
