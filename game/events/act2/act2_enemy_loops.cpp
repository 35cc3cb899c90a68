// Act 2's enemy loops: idle Thornaks turning toward the player, a landing
// Thornak held on the floor, the spore pod's fan of spores, and debris
// scattered over a wreck or a defeated enemy.
#include "game/events/stage_loops/debris.h"
#include "game/frames/event_support.h"
#include "game/frames/frames.h"
#include "game/objects/classes.h"
#include "objects/active.h"

namespace {

constexpr double thornak_idle = 1;
constexpr double thornak_walking = 2;
constexpr int thornak_walk_animation = 1;
constexpr int thornak_hop_animation = 10;
constexpr double thornak_walk_speed = 1.6;
// How far outside the view a Thornak still wakes.
constexpr int thornak_wake_margin = 50;

Active& active(FrameObject* object) { return *static_cast<Active*>(object); }

// Idle Thornaks near the view on one side of the player start walking.
void wake_thornaks(Frames& f, bool left_of_player, double speed)
{
    if (!f.level_group_43)
        return;
    ObjectList& thornaks = f.instances[types::EnemyThornak_394];
    const int player_x = instance_or_default(f.instances[types::Player_87]).get_x();
    const bool found = select(thornaks, [&](FrameObject* thornak) {
        return !thornak->is_near_border(-thornak_wake_margin) && get_value(*thornak, 'D') == thornak_idle &&
               !active(thornak).test_animation(thornak_hop_animation) &&
               (left_of_player ? thornak->get_x() < player_x : thornak->get_x() >= player_x);
    });
    if (!found)
        return;
    for_each_selected(thornaks, [speed](FrameObject* thornak) {
        active(thornak).force_animation(thornak_walk_animation);
        set_value(thornak, 'D', thornak_walking);
        set_value(thornak, 'E', speed);
    });
}

}  // namespace

void Frames::loop_thornak_5()
{
    event_func_2235();
    event_func_2236();
}

void Frames::loop_thornak_floor_5() { event_func_2230(); }

void Frames::loop_sporepod_5() { event_func_2241(); }

void Frames::loop_spawndebris_5()
{
    event_func_322();
    event_func_323();
    event_func_324();
    event_func_325();
    event_func_2234();
}

// A Thornak that touched the ground stops falling and stands one pixel up.
void Frames::event_func_2230()
{
    if (!level_group_43)
        return;
    ObjectList& thornaks = instances[types::EnemyThornak_394];
    if (!select(thornaks, [](FrameObject* t) { return get_flag(*t, 4) && get_value(*t, 'D') < 4; }))
        return;
    for_each_selected(thornaks, [](FrameObject* thornak) {
        set_value(thornak, 'F', 0);
        add_value(thornak, 'H', -1);
        thornak->set_y(to_int(get_value(*thornak, 'H')));
        set_flag(thornak, 4, false);
    });
}

// A defeated pod breaks up as a bike does, a piece a pass until its
// countdown reaches -1, but from frame 10 down.
void Frames::event_func_2234()
{
    if (level_group_43)
        break_off_debris(*this, instances[types::EnemySporePod_393], 'A', 5, 2234);
}

void Frames::event_func_2235() { wake_thornaks(*this, true, thornak_walk_speed); }

void Frames::event_func_2236() { wake_thornaks(*this, false, -thornak_walk_speed); }

// A spitting pod throws one spore a pass, each further round the fan: the
// spore starts from the old angle and flies along the new one.
void Frames::event_func_2241()
{
    if (!level_group_43)
        return;
    ObjectList& pods = instances[types::EnemySporePod_393];
    if (!select(pods, [](FrameObject* pod) { return get_value(*pod, 'F') > 0; }))
        return;
    FrameObject* spore = create_at_action_points(*this, pods, instances[types::EnemySporeProjectile_403],
                                                 create_enemysporeprojectile_403);
    FrameObject* pod = pods.back_selection();
    if (!pod)
        return;
    const double start = get_value(*pod, 'F') * 90 + 45;
    set_value(spore, 'A', pod->get_x() + 4 * event_cos(start));
    set_value(spore, 'B', pod->get_action_y() - 4 * event_sin(start));
    for_each_selected(pods, [](FrameObject* p) { add_value(p, 'F', -1); });
    const double flight = get_value(*pod, 'F') * 90 + 45;
    set_value(spore, 'C', 2 * event_cos(flight));
    set_value(spore, 'D', -3 - event_sin(flight));
}
