// Hanging grips: falling, the player catches a grip with its top sensor and
// hangs 32 pixels below it, held there every tick while it keeps falling
// into it. The grab sounds on the tick of the catch only.
#include "audio/media.h"
#include "game/frames/event_support.h"
#include "game/frames/frames.h"
#include "game/objects/type_ids.h"
#include "runtime/collision.h"

namespace {

constexpr double mode_no_grip = 9, mode_hanging = 41;
constexpr int hang_below = 32;
constexpr unsigned grab_sample = 30;

QualifierList& grips(Frames& frames) { return frames.qualifier_14; }

ObjectList& movement(Frames& frames) { return frames.instances[types::PlayerMovementValues_80]; }

// The top sensor on a grip, falling: the grips it touches stay selected.
bool falling_onto_grip(Frames& frames)
{
    if (!frames.level_group_43 || !frames.level_group_16)
        return false;
    ObjectList& sensor = frames.instances[types::PlayerSensorTopBig_93];
    select_all(sensor);
    select_all(grips(frames));
    return check_overlap(sensor, grips(frames)) && get_value(movement(frames), 'G') > 0;
}

double hold_input(Frames& frames) { return get_value(frames.instances[types::PlayerInput_21], 'B'); }

// Puts the player under the first selected grip and marks the grips it holds.
void hang_from_grip(Frames& frames)
{
    const FrameObject* grip = grips(frames).back_selection();
    set_value(movement(frames), 'Y', grip->get_y() + hang_below);
    set_value(movement(frames), 'X', grip->get_x());
    for_each_selected(grips(frames), [](FrameObject* held) { set_value(held, 'Q', 1); });
    frames.run_loop(frames.fast_loop_player01allsensors, 1, &Frames::loop_player01allsensors_4);
    set_value_of_all(frames.instances[types::ShieldWater_106], 'A', 0);
}

}  // namespace

void Frames::event_func_1863()
{
    if (!falling_onto_grip(*this))
        return;
    const double mode = get_value(movement(*this), 'M');
    if (mode != mode_no_grip && mode != mode_hanging && hold_input(*this) == 0)
        media.play_id(grab_sample, -1, 1);
}

void Frames::event_func_1864()
{
    if (!falling_onto_grip(*this) || get_value(movement(*this), 'M') == mode_no_grip || hold_input(*this) != 0)
        return;
    set_value(movement(*this), 'M', mode_hanging);
    hang_from_grip(*this);
    set_value(instances[types::PlayerOthers_75], 'Z', 0);
}

void Frames::event_func_1865()
{
    if (falling_onto_grip(*this) && get_value(movement(*this), 'M') == mode_hanging && hold_input(*this) == 1)
        hang_from_grip(*this);
}
