// The player takes hold of a ladder: holding up below a ladder top (slowly,
// or swinging on while running past it), or holding down on a ladder top
// to climb down onto it, with the camera in its ladder mode meanwhile.
#include "audio/media.h"
#include "game/events/items/item_events.h"
#include "game/frames/event_support.h"
#include "game/frames/frames.h"
#include "runtime/collision.h"

#include <cmath>

namespace {

constexpr unsigned stopped_on_a_grab = 7;
constexpr double on_the_ladder = 46;
constexpr double climbing_down = 25;
constexpr double camera_ladder_mode = 4;

// Holding exactly one of up and down, in a mode that may take a ladder.
bool holds_only(Frames& frames, char held, char other)
{
    ObjectList& input = frames.instances[types::PlayerInput_21];
    const double mode = get_value(frames.instances[types::PlayerMovementValues_80], 'M');
    return get_value(input, held) == 1 && get_value(input, other) == 0 && mode != 8 && mode != 9;
}

// Holding up below a ladder top whose x lies strictly between the player's
// x + `from` and x + `to`, on a ladder backdrop: the ladder top kept first.
const FrameObject* ladder_top_above(Frames& frames, int from, int to)
{
    if (!holds_only(frames, 'A', 'B'))
        return nullptr;
    ObjectList& values = frames.instances[types::PlayerMovementValues_80];
    const double x = get_value(values, 'X'), y = get_value(values, 'Y');
    ObjectList& tops = frames.instances[types::LadderTop_268];
    if (!select(tops, [=](FrameObject* top) {
            return top->get_y() < y && x + from < top->get_x() && top->get_x() < x + to;
        }))
        return nullptr;
    if (!frames.test_ladder(to_int(x), to_int(y)))
        return nullptr;
    return &selected_or_default(tops);
}

void take_hold(Frames& frames, const FrameObject& top, double state)
{
    ObjectList& values = frames.instances[types::PlayerMovementValues_80];
    set_value(frames.instances[types::PlayerOthers_75], 'Y', state);
    set_value(values, 'M', on_the_ladder);
    set_value(values, 'X', top.get_x());
    media.stop_sample(stopped_on_a_grab);
}

// Running past a ladder top fast enough swings the player onto it, facing on.
void swing_on(Frames& frames, int facing)
{
    if (!frames.level_group_43)
        return;
    const FrameObject* top = ladder_top_above(frames, -25, 0);
    ObjectList& values = frames.instances[types::PlayerMovementValues_80];
    if (!top || get_value(values, 'B') * facing < 4)
        return;
    take_hold(frames, *top, 47);
    set_value(values, 'Q', facing);
}

}  // namespace

void Frames::event_func_1776()
{
    if (!level_group_43)
        return;
    const FrameObject* top = ladder_top_above(*this, -15, 15);
    if (top && std::fabs(get_value(instances[types::PlayerMovementValues_80], 'B')) < 4)
        take_hold(*this, *top, 27);
}

void Frames::event_func_1777()
{
    if (!level_group_43 || !holds_only(*this, 'B', 'A'))
        return;
    ObjectList& sensor = instances[types::PlayerSensorBottomBig_95];
    ObjectList& tops = instances[types::LadderTop_268];
    select_all(sensor);
    select_all(tops);
    if (!check_overlap(sensor, tops))
        return;
    ObjectList& values = instances[types::PlayerMovementValues_80];
    if (std::fabs(get_value(values, 'B')) >= 4 || get_value(values, 'M') == on_the_ladder ||
        get_value(instances[types::PlayerReflect_343], 'A') >= 4)
        return;
    const FrameObject& top = selected_or_default(tops);
    set_value(instances[types::PlayerOthers_75], 'Y', 28);
    set_value(values, 'M', climbing_down);
    set_value(values, 'X', top.get_x());
    set_value(values, 'Y', top.get_y() + 8);
    set_value(instances[types::MasterCamera_190], 'M', camera_ladder_mode);
    media.stop_sample(stopped_on_a_grab);
    set_value(instances[types::PlayerSkinYelto_102], 'O', 0);
}

void Frames::event_func_1778()
{
    if (!level_group_43)
        return;
    ObjectList& camera = instances[types::MasterCamera_190];
    if (get_value(camera, 'M') == camera_ladder_mode &&
        get_value(instances[types::PlayerMovementValues_80], 'M') != climbing_down)
        set_value(camera, 'M', 0);
}

void Frames::event_func_1779() { swing_on(*this, 1); }

void Frames::event_func_1780() { swing_on(*this, -1); }
