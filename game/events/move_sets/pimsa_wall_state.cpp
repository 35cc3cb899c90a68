// Pimsa on a wall (movement mode 47): she slides down at most 4 a tick,
// climbs on the bike while holding toward the wall, drops off on foot when
// she lets go, leaves where the wall ends above or below her, and jumps off
// it away from the wall.
#include "game/events/move_sets/pimsa_moves.h"

#include "game/events/player_actions/ground_jump.h"

#include <algorithm>

using namespace pimsa_moves;

namespace {

constexpr double on_foot = 2, on_bike = 3;
constexpr double slide_speed = 4, climb_step = 0.6, climb_speed = -8;

bool wall_on(const Frames& f) { return move_on(f, &Frames::level_group_15); }

double character(Frames& f) { return get_value(player(f), 'A'); }

// Holding toward the wall the player faces.
bool holding_toward_wall(Frames& f)
{
    const double q = get_value(player(f), 'Q');
    return (q == 1 && input(f, 'D') == 1) || (q == -1 && input(f, 'C') == 1);
}

// Off the wall, falling or jumping: the player engine takes over.
void leave_wall(Frames& f)
{
    ObjectList& p = player(f);
    set_value(p, 'M', 1);
    set_value(p, 'U', 1);
    set_value(p, 'T', 1);
}

void move_side_sensors(Frames& f, int dx_left, int dx_right, int dy)
{
    for_each_instance(f.instances[types::PlayerSensorLeftBig_89], [&](FrameObject* s) {
        s->set_x(s->get_x() + dx_left);
        s->set_y(s->get_y() + dy);
    });
    for_each_instance(f.instances[types::PlayerSensorRightBig_91], [&](FrameObject* s) {
        s->set_x(s->get_x() + dx_right);
        s->set_y(s->get_y() + dy);
    });
}

void sense(Frames& f) { f.run_loop(f.fast_loop_player01allsensors, 1, &Frames::loop_player01allsensors_4); }

bool grab_frame_showing(Frames& f)
{
    return select(skins(f), [](FrameObject* skin) { return frame_of(*skin) == 1; });
}

// Pushed off the wall: away from it at `factor` times the facing.
void push_off(Frames& f, double id, double factor)
{
    ObjectList& p = player(f);
    if (character(f) != id || input(f, 'K') != 1 || get_value(p, 'U') != 1)
        return;
    set_value(p, 'U', 1);
    set_value(p, 'T', 1);
    set_value(p, 'B', get_value(p, 'Q') * factor);
}

}  // namespace

void Frames::event_func_1229()
{
    if (!wall_on(*this))
        return;
    ObjectList& p = player(*this);
    for (const char name : {'T', 'N', 'O'})
        set_value(p, name, 0);
    set_value(p, 'U', 1);
    set_value(p, 'S', 1);
    set_value(p, 'G', std::min(get_value(p, 'G'), slide_speed));
    set_value(others(*this), 'Z', 0);
    set_state(*this, 7);
    set_value(instances[types::PlayerActionValuesB_164], 'O', 0);
}

void Frames::event_func_1230()
{
    if (wall_on(*this) && character(*this) == on_foot && grab_frame_showing(*this) &&
        run_once(run_once_1230, loop_count))
        play_sample(30);
}

void Frames::event_func_1231()
{
    if (wall_on(*this) && character(*this) == on_bike && grab_frame_showing(*this) &&
        run_once(run_once_1231, loop_count))
        play_sample(122);
}

void Frames::event_func_1232()
{
    if (!wall_on(*this) || character(*this) != on_bike || !holding_toward_wall(*this))
        return;
    ObjectList& p = player(*this);
    set_value(p, 'G', std::max(get_value(p, 'G') - climb_step, climb_speed));
}

void Frames::event_func_1233()
{
    if (!wall_on(*this))
        return;
    ObjectList& p = player(*this);
    const double q = get_value(p, 'Q');
    const bool on_wall = character(*this) == on_foot && get_value(p, 'U') == 1;
    const bool let_go =
        (on_wall && q == 1 && input(*this, 'D') == 0) || (on_wall && q == -1 && input(*this, 'C') == 0);
    if (let_go || get_value(p, 'L') == 1)
        leave_wall(*this);
}

void Frames::event_func_1234()
{
    if (!wall_on(*this))
        return;
    move_side_sensors(*this, 0, 0, -12);
    sense(*this);
    move_side_sensors(*this, -2, 2, 0);
}

void Frames::event_func_1235()
{
    if (!wall_on(*this))
        return;
    const double q = get_value(player(*this), 'Q');
    auto no_wall = [this](int sensor) { return get_value(instances[sensor], 'Z') == 0; };
    if ((q == 1 && no_wall(types::PlayerSensorRightBig_91)) || (q == -1 && no_wall(types::PlayerSensorLeftBig_89)))
        leave_wall(*this);
}

void Frames::event_func_1236()
{
    if (!wall_on(*this))
        return;
    move_side_sensors(*this, 0, 0, 24);
    sense(*this);
}

void Frames::event_func_1237()
{
    if (wall_on(*this))
        push_off(*this, on_foot, -3);
}

void Frames::event_func_1238()
{
    if (wall_on(*this))
        push_off(*this, on_bike, -6);
}

// The wall jump: the push-off speed turned with the jump (the wall's angle
// is 0 here); the ground group stays off for the rest of the tick.
void Frames::event_func_1239()
{
    if (!wall_on(*this) || input(*this, 'K') != 1 || get_value(player(*this), 'U') != 1)
        return;
    launch_across_ground(*this);
    deactivate_group(level_group_58);
    set_value(player(*this), 'M', 1);
    set_value(others(*this), 'P', 10);
    play_sample(94);
}
