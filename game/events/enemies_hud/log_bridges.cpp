// Log bridges sag under the player: deepest under its feet and most in the
// middle of the span, falling off along a sine to both banks. The targets
// are worked out anew every tick, the logs ease towards them and are placed
// while the player is on the bridge.
#include "game/frames/event_support.h"
#include "game/frames/frames.h"
#include "game/objects/type_ids.h"
#include "runtime/collision.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double log_width = 16, logs = 12, middle = 96;
constexpr double ease = 0.2;
constexpr int water_shield_dash = 2;

ObjectList& bridges(Frames& frames) { return frames.instances[types::GimmickBridge12Logs_139]; }
ObjectList& bridge_logs(Frames& frames) { return frames.instances[types::GimmickBridgeLog_140]; }

bool on_ground(Frames& frames) { return get_value(frames.instances[types::PlayerMovementValues_80], 'L') == 1; }

// Standing on a bridge: the player and the bridges it overlaps stay selected.
bool standing_on_bridge(Frames& frames)
{
    if (!on_ground(frames))
        return false;
    ObjectList& player = frames.instances[types::Player_87];
    select_all(player);
    select_all(bridges(frames));
    return check_overlap(player, bridges(frames)) && check_overlap(bridges(frames), player);
}

// The logs of the selected bridges.
bool logs_on_selected_bridges(Frames& frames)
{
    select_all(bridge_logs(frames));
    return check_overlap(bridge_logs(frames), bridges(frames));
}

double first_bridge_value(Frames& frames, char name) { return get_value(*bridges(frames).back_selection(), name); }

}  // namespace

void Frames::event_func_1856()
{
    if (level_group_43)
        set_value_of_all(bridge_logs(*this), 'C', 0);
}

void Frames::event_func_1857()
{
    if (!level_group_43 || !standing_on_bridge(*this))
        return;
    const int player_x = instance_of(instances[types::Player_87])->get_x();
    for_each_selected(bridges(*this), [player_x](FrameObject* bridge) {
        const double dx = player_x - bridge->get_x();
        // The bound is the span, not the last log: past the span the depth
        // B is 0, so an index beyond the logs sags nothing.
        const double under = std::min(std::max(std::floor(std::fabs(dx) / log_width), 0.0), 192.0);
        set_value(bridge, 'A', under);
        set_value(bridge, 'B', get_value(*bridge, 'G') * std::max(1 - std::fabs(dx - middle) / middle, 0.0));
        set_value(bridge, 'C', 0);
        set_value(bridge, 'E', 180);
        set_value(bridge, 'D', under == 0 ? 0 : 90 / under);
        set_value(bridge, 'F', logs - under == 0 ? 0 : 90 / (logs - under));
    });
}

void Frames::event_func_1858()
{
    if (!level_group_43 || !standing_on_bridge(*this))
        return;
    run_loop(fast_loop_gimmik_bridge12_rightside, std::max(to_int(logs - first_bridge_value(*this, 'A')), 0),
             &Frames::loop_gimmik_bridge12_rightside_4);
}

void Frames::event_func_1859()
{
    if (!level_group_43 || !standing_on_bridge(*this))
        return;
    run_loop(fast_loop_gimmik_bridge12_leftside, to_int(first_bridge_value(*this, 'A')),
             &Frames::loop_gimmik_bridge12_leftside_4);
}

void Frames::event_func_1860()
{
    if (!level_group_43)
        return;
    for_each_instance(bridge_logs(*this), [](FrameObject* log) {
        const double sag = get_value(*log, 'D');
        set_value(log, 'D', sag + (get_value(*log, 'C') - sag) * ease);
    });
}

void Frames::event_func_1861()
{
    if (!level_group_43)
        return;
    if (!select(instances[types::ShieldWater_106],
                [](FrameObject* shield) { return get_value(*shield, 'A') == water_shield_dash; }))
        return;
    if (!standing_on_bridge(*this) || !logs_on_selected_bridges(*this))
        return;
    for_each_selected(bridge_logs(*this), [](FrameObject* log) { set_value(log, 'D', get_value(*log, 'C')); });
}

void Frames::event_func_1862()
{
    if (!level_group_43)
        return;
    ObjectList& player = instances[types::Player_87];
    select_all(player);
    select_all(bridges(*this));
    if (!check_overlap(bridges(*this), player) || !logs_on_selected_bridges(*this))
        return;
    for_each_selected(bridge_logs(*this),
                      [](FrameObject* log) { log->set_y(to_int(get_value(*log, 'B') + get_value(*log, 'D'))); });
}
