// Tunnels: inside a tunnel mask the player rolls in the tunnel mode with the
// tunnel sound and never stops. The spiral tunnel carries the player along
// two turns of a helix from whichever end it runs into, passing behind the
// front wall on the far half of each turn. The half corkscrews catch a fast
// player and let it speed up while it holds its direction.
#include "audio/media.h"
#include "game/frames/event_support.h"
#include "game/frames/frames.h"
#include "game/objects/type_ids.h"
#include "runtime/collision.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace {

constexpr double mode_tunnel = 6, mode_no_spiral = 9, mode_corkscrew = 45;
constexpr unsigned tunnel_sample = 7;
constexpr int run_in_progress = 0;  // the masks' flag
constexpr double least_tunnel_speed = 3;
constexpr double spiral_radius = 72, spiral_drop_per_degree = 0.3, spiral_top_speed = 12;
constexpr double spiral_turns_end = 720;
constexpr double corkscrew_entry_speed = 3, corkscrew_top_speed = 6, corkscrew_push = 0.1;

QualifierList& masks(Frames& frames) { return frames.qualifier_16; }
ObjectList& movement(Frames& frames) { return frames.instances[types::PlayerMovementValues_80]; }
ObjectList& input(Frames& frames) { return frames.instances[types::PlayerInput_21]; }
double move_value(Frames& frames, char name) { return get_value(movement(frames), name); }

bool sensor_in_mask(Frames& frames)
{
    ObjectList& sensor = frames.instances[types::PlayerSensorBottomBig_95];
    select_all(sensor);
    select_all(masks(frames));
    return check_overlap(sensor, masks(frames));
}

// A mask entry at rest: on the ground with no speed, in a mask.
bool at_rest_in_mask(Frames& frames)
{
    return frames.level_group_43 && sensor_in_mask(frames) && move_value(frames, 'L') == 1 &&
           move_value(frames, 'B') == 0;
}

// The speed a roll starts with from rest on a slope of N degrees.
double slope_speed(Frames& frames) { return -10 * event_sin(move_value(frames, 'N')); }

// Into the tunnel mode with the sound started afresh.
void enter_tunnel(Frames& frames, std::optional<double> speed, bool mark_entry)
{
    set_value(movement(frames), 'M', mode_tunnel);
    if (speed)
        set_value(movement(frames), 'B', *speed);
    media.stop_sample(tunnel_sample);
    media.play_id(tunnel_sample, -1, 1);
    if (mark_entry) {
        set_value(movement(frames), 'T', 1);
        set_value(movement(frames), 'U', 1);
    }
    set_value(frames.instances[types::PlayerActionValuesA_86], 'Y', 1);
}

// The mask's minimum speed, unless a spiral run holds it.
bool rolling_in_free_mask(Frames& frames)
{
    if (!frames.level_group_43)
        return false;
    ObjectList& sensor = frames.instances[types::PlayerSensorBottomBig_95];
    ObjectList& mask = frames.instances[types::SpiralTunnelMask_188];
    select_all(sensor);
    select_all(mask);
    return check_overlap(sensor, mask) && !get_flag(mask, run_in_progress);
}

// The player runs into a spiral end: the end carries it from now on.
bool enters_spiral_end(Frames& frames, ObjectList& end, bool from_top)
{
    if (!frames.level_group_43)
        return false;
    ObjectList& player = frames.instances[types::Player_87];
    select_all(player);
    select_all(end);
    if (!check_overlap(player, end) || get_value(end, 'A') != 0)
        return false;
    const double speed = move_value(frames, 'B');
    const double x = move_value(frames, 'X'), end_x = instance_or_default(end).get_x();
    return (from_top ? speed >= 0 : speed <= 0) && move_value(frames, 'M') != mode_no_spiral &&
           (from_top ? x >= end_x : x <= end_x);
}

void start_spiral_run(Frames& frames, ObjectList& end)
{
    set_value(end, 'A', 1);
    set_value(end, 'B', move_value(frames, 'B'));
    set_value(movement(frames), 'M', mode_tunnel);
}

// The player on the helix at `angle` degrees of the run from `end`.
void place_on_spiral(Frames& frames, const FrameObject& end, double angle)
{
    set_value(movement(frames), 'X', end.get_x() + spiral_radius * event_sin(angle));
    set_value(movement(frames), 'Y', end.get_y() + spiral_drop_per_degree * angle);
}

void hide_front_wall(Frames& frames)
{
    if (FrameObject* front = instance_of(frames.instances[types::SpiralTunnelFront_346]))
        front->set_visible(false);
}

void show_front_wall(Frames& frames)
{
    if (FrameObject* front = instance_of(frames.instances[types::SpiralTunnelFront_346])) {
        front->set_visible(true);
        front->move_front();
    }
}

// On the far half of a turn the player passes behind the front wall.
bool behind_axis(double angle)
{
    const double turn = std::fmod(angle, 360);
    return turn > 90 && turn < 270;
}

void carry_player(Frames& frames, double speed)
{
    for_each_instance(masks(frames), [](FrameObject* mask) { set_flag(mask, run_in_progress, true); });
    set_value(input(frames), 'M', 1);
    set_value(movement(frames), 'M', mode_tunnel);
    set_value(movement(frames), 'B', speed);
    frames.run_loop(frames.fast_loop_player01allsensors, 1, &Frames::loop_player01allsensors_4);
}

// T and U: cleared while a run carries the player, set when it ends.
void set_movement_flags(Frames& frames, double value)
{
    set_value(movement(frames), 'T', value);
    set_value(movement(frames), 'U', value);
}

void end_spiral_run(Frames& frames)
{
    for_each_instance(masks(frames), [](FrameObject* mask) { set_flag(mask, run_in_progress, false); });
}

// Fast into a half corkscrew on the ground, in its direction of travel.
bool enters_corkscrew(Frames& frames, ObjectList& corkscrews, double facing)
{
    if (!frames.level_group_43)
        return false;
    ObjectList& sensor = frames.instances[types::PlayerSensorBottomBig_95];
    select_all(sensor);
    select_all(corkscrews);
    if (!check_overlap(sensor, corkscrews) || move_value(frames, 'Q') != facing)
        return false;
    const double speed = move_value(frames, 'B') * facing;
    const double past_entry = (move_value(frames, 'X') - corkscrews.back_selection()->get_x()) * facing;
    return speed > corkscrew_entry_speed && past_entry >= 0 && move_value(frames, 'L') == 1 &&
           move_value(frames, 'M') != mode_corkscrew;
}

void mark_corkscrews_entered(Frames& frames, ObjectList& corkscrews)
{
    const double entry_y = move_value(frames, 'Y');
    for_each_selected(corkscrews, [entry_y](FrameObject* corkscrew) {
        set_flag(corkscrew, 0, true);
        set_value(corkscrew, 'C', entry_y);
    });
}

// Holding the direction of travel in a corkscrew speeds the player up.
bool pushing_through_corkscrew(Frames& frames, char held, double direction)
{
    const double speed = move_value(frames, 'B') * direction;
    return frames.level_group_43 && move_value(frames, 'M') == mode_corkscrew &&
           get_value(input(frames), held) == 1 && speed >= move_value(frames, 'C') && speed < corkscrew_top_speed;
}

}  // namespace

void Frames::event_func_1866()
{
    if (level_group_43 && sensor_in_mask(*this) && move_value(*this, 'M') != mode_tunnel &&
        move_value(*this, 'L') == 1)
        enter_tunnel(*this, std::nullopt, true);
}

void Frames::event_func_1867()
{
    if (at_rest_in_mask(*this) && run_once(run_once_1867, loop_count))
        enter_tunnel(*this, slope_speed(*this), true);
}

void Frames::event_func_1868()
{
    if (at_rest_in_mask(*this) && get_value(input(*this), 'D') == 1 && run_once(run_once_1868, loop_count))
        enter_tunnel(*this, slope_speed(*this), false);
}

void Frames::event_func_1869()
{
    if (at_rest_in_mask(*this) && get_value(input(*this), 'C') == 1 && run_once(run_once_1869, loop_count))
        enter_tunnel(*this, slope_speed(*this), false);
}

void Frames::event_func_1870()
{
    if (at_rest_in_mask(*this) && move_value(*this, 'Q') == 1 && run_once(run_once_1870, loop_count))
        enter_tunnel(*this, 3.5, true);
}

void Frames::event_func_1871()
{
    if (at_rest_in_mask(*this) && move_value(*this, 'Q') == -1 && run_once(run_once_1871, loop_count))
        enter_tunnel(*this, -3.5, true);
}

void Frames::event_func_1872()
{
    if (!level_group_43)
        return;
    ObjectList& actions = instances[types::PlayerActionValuesA_86];
    ObjectList& sensor = instances[types::PlayerSensorBottomBig_95];
    select_all(sensor);
    if (get_value(actions, 'Y') == 1 && check_not_overlap(sensor, masks(*this)))
        set_value(actions, 'Y', 0);
}

void Frames::event_func_1873()
{
    if (rolling_in_free_mask(*this) && move_value(*this, 'B') > 0)
        set_value(movement(*this), 'B', std::max(move_value(*this, 'B'), least_tunnel_speed));
}

void Frames::event_func_1874()
{
    if (rolling_in_free_mask(*this) && move_value(*this, 'B') < 0)
        set_value(movement(*this), 'B', std::min(move_value(*this, 'B'), -least_tunnel_speed));
}

void Frames::event_func_1875()
{
    ObjectList& top = instances[types::SpiralTunnelTop_347];
    if (enters_spiral_end(*this, top, true))
        start_spiral_run(*this, top);
}

// From the top the angle steps first and places the player after the step.
void Frames::event_func_1876()
{
    FrameObject* top = instance_of(instances[types::SpiralTunnelTop_347]);
    if (!level_group_43 || !top || get_value(*top, 'A') != 1)
        return;
    const double speed = get_value(*top, 'B');
    set_value(top, 'C', get_value(*top, 'C') + speed);
    set_value(top, 'B', std::min(speed + 0.1, spiral_top_speed));
    hide_front_wall(*this);
    set_movement_flags(*this, 0);
    place_on_spiral(*this, *top, get_value(*top, 'C'));
    carry_player(*this, get_value(*top, 'B'));
}

void Frames::event_func_1877()
{
    ObjectList& top = instances[types::SpiralTunnelTop_347];
    if (level_group_43 && instance_holds(top, [](const FrameObject& end) {
            return get_value(end, 'A') == 1 && behind_axis(get_value(end, 'C'));
        }))
        show_front_wall(*this);
}

void Frames::event_func_1878()
{
    ObjectList& tops = instances[types::SpiralTunnelTop_347];
    if (!level_group_43 || !select(tops, [](FrameObject* end) {
            const double angle = get_value(*end, 'C');
            return get_value(*end, 'A') == 1 && (angle >= spiral_turns_end || angle < 0);
        }))
        return;
    for_each_selected(tops, [](FrameObject* end) { set_value(end, 'A', 0); });
    set_movement_flags(*this, 1);
    end_spiral_run(*this);
    set_value(input(*this), 'M', 0);
}

void Frames::event_func_1879()
{
    ObjectList& bottom = instances[types::SpiralTunnelBottom_348];
    if (enters_spiral_end(*this, bottom, false))
        start_spiral_run(*this, bottom);
}

// From the bottom the player is placed first and the angle steps after.
void Frames::event_func_1880()
{
    FrameObject* bottom = instance_of(instances[types::SpiralTunnelBottom_348]);
    if (!level_group_43 || !bottom || get_value(*bottom, 'A') != 1)
        return;
    hide_front_wall(*this);
    set_movement_flags(*this, 0);
    place_on_spiral(*this, *bottom, get_value(*bottom, 'C'));
    const double speed = get_value(*bottom, 'B');
    set_value(bottom, 'C', get_value(*bottom, 'C') + speed);
    set_value(bottom, 'B', std::min(speed + 0.05, spiral_top_speed));
    carry_player(*this, get_value(*bottom, 'B'));
}

void Frames::event_func_1881()
{
    ObjectList& bottom = instances[types::SpiralTunnelBottom_348];
    if (level_group_43 && instance_holds(bottom, [](const FrameObject& end) {
            return get_value(end, 'A') == 1 && behind_axis(std::fabs(get_value(end, 'C')));
        }))
        show_front_wall(*this);
}

void Frames::event_func_1882()
{
    ObjectList& bottoms = instances[types::SpiralTunnelBottom_348];
    if (!level_group_43 || !select(bottoms, [](FrameObject* end) {
            const double angle = get_value(*end, 'C');
            return get_value(*end, 'A') == 1 && (angle <= -spiral_turns_end || angle > 0);
        }))
        return;
    set_value_of_all(movement(*this), 'T', 1);
    set_value_of_all(movement(*this), 'U', 1);
    end_spiral_run(*this);
    for_each_selected(bottoms, [](FrameObject* end) { set_value(end, 'A', 0); });
    set_value_of_all(input(*this), 'M', 0);
}

void Frames::event_func_1883()
{
    ObjectList& corkscrews = instances[types::HalfCorkscrewLeft_245];
    if (!enters_corkscrew(*this, corkscrews, 1))
        return;
    set_value(movement(*this), 'M', mode_corkscrew);
    mark_corkscrews_entered(*this, corkscrews);
    set_value(movement(*this), 'U', 0);
}

void Frames::event_func_1884()
{
    ObjectList& corkscrews = instances[types::HalfCorkscrewRight_246];
    if (!enters_corkscrew(*this, corkscrews, -1))
        return;
    set_value(movement(*this), 'M', mode_corkscrew);
    set_value(movement(*this), 'U', 0);
    mark_corkscrews_entered(*this, corkscrews);
}

void Frames::event_func_1885()
{
    if (pushing_through_corkscrew(*this, 'D', 1))
        add_value(movement(*this), 'B', corkscrew_push);
}

void Frames::event_func_1886()
{
    if (pushing_through_corkscrew(*this, 'C', -1))
        add_value(movement(*this), 'B', -corkscrew_push);
}
