// A log bridge sags under the player along two sine ramps that are 0 at the
// bridge's ends: from the right end in to the player's log, and from the
// left end in to the log left of it. The passes only write each log's sag
// (C); the bridge events place the logs from it.
#include "game/frames/event_support.h"
#include "game/frames/frames.h"
#include "runtime/collision.h"

namespace {

// The player on a bridge: both sides narrowed to what overlaps.
bool player_on_bridge(Frames& frames)
{
    ObjectList& player = frames.instances[types::Player_87];
    ObjectList& bridges = frames.instances[types::GimmickBridge12Logs_139];
    select_all(player);
    select_all(bridges);
    return check_overlap(player, bridges);
}

// The log numbered `number` on a bridge under the player sags by the
// bridge's depth (B) times the sine of the angle `angle` gives for it.
template <class Angle>
void sag_log(Frames& frames, double number, Angle angle)
{
    if (!frames.level_group_43 || !player_on_bridge(frames))
        return;
    ObjectList& bridges = frames.instances[types::GimmickBridge12Logs_139];
    ObjectList& logs = frames.instances[types::GimmickBridgeLog_140];
    select_all(logs);
    if (!check_overlap(logs, bridges))
        return;
    if (!filter(logs, [number](FrameObject* log) { return get_value(*log, 'A') == number; }))
        return;
    int k = 0;
    for_each_selected(logs, [&](FrameObject* log) {
        const FrameObject* bridge = bridges.get_wrapped_selection(k++);
        set_value(log, 'C', event_sin(angle(*bridge)) * get_value(*bridge, 'B'));
    });
}

// Steps a bridge's angle (`angle` by `step`, with `sign`) for the next log.
void step_angle(Frames& frames, char angle, char step, double sign)
{
    if (!frames.level_group_43 || !player_on_bridge(frames))
        return;
    for_each_selected(frames.instances[types::GimmickBridge12Logs_139], [=](FrameObject* bridge) {
        add_value(bridge, angle, sign * get_value(*bridge, step));
    });
}

}  // namespace

// Right side, from log 11 in: the angle E falls from 180 by F a log.
void Frames::event_func_317()
{
    sag_log(*this, 11 - fast_loop_gimmik_bridge12_rightside.index,
            [](const FrameObject& bridge) { return get_value(bridge, 'E'); });
}

void Frames::loop_gimmik_bridge12_rightside_4()
{
    event_func_317();
    step_angle(*this, 'E', 'F', -1);
}

// Left side, from log 0 in: the angle C rises from 0 by D a log.
void Frames::event_func_448()
{
    sag_log(*this, fast_loop_gimmik_bridge12_leftside.index,
            [](const FrameObject& bridge) { return 180 - get_value(bridge, 'C'); });
}

void Frames::loop_gimmik_bridge12_leftside_4()
{
    event_func_448();
    step_angle(*this, 'C', 'D', 1);
}
