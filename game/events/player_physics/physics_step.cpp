// The player's physics step, every tick after the character set-up: speeds
// quantised and clamped, the collision-layer flags, the move along the
// ground angle and through the air with the push-out loops, and the
// landings on floors and ceilings. The loops place the player from the exact
// position; these events only move the position and the speeds.
#include "game/events/player_physics/player_engine.h"
#include "runtime/movement.h"

#include <cmath>

using namespace player_engine;

namespace {

bool step_groups(const Frames& f) { return f.level_group_43 && f.level_group_23 && f.level_group_19; }

// Four decimals, rounded toward minus infinity, so that a speed never
// creeps by less than the engine can see.
double quantised(double value) { return std::floor(value * 10000) / 10000; }

FrameObject& values_of(Frames& f) { return instance_or_default(f.instances[movement_values]); }

bool touches(Frames& f, int sensor) { return read(f, sensor, 'Z') == 1; }

// What the floor-landing events share, each testing it again.
bool landing_on_floor(Frames& f)
{
    const FrameObject& values = values_of(f);
    return get(values, 'V') == 1 && get(values, 'L') == 0 && get(values, 'G') >= 0 && touches(f, sensor_bottom_big);
}

void set_layer_bit(QualifierList& group, bool on)
{
    for_each_instance(group, [on](FrameObject* object) { set_flag_0(object, on); });
}

void label_wall_collision(Frames& f)
{
    FrameObject* values = instance_of(f.instances[movement_values]);
    put_string(values, 3, "Player01WallCollision");
    put_string(values, 4, "Player01WallCollision");
}

// Turns the angle sensors' pair, probed down onto the terrain, into the
// ground angle N (and its copy O).
void measure_angle(Frames& f)
{
    put_string(instance_of(f.instances[movement_values]), 7, "Player01DetectAngle");
    write(f, sensor_left_angle, 'Y', 0);
    write(f, sensor_right_angle, 'Y', 0);
    f.run_loop(f.fast_loop_player01detectangle, 20, &Frames::loop_player01detectangle_4);
    const FrameObject& left = instance_or_default(f.instances[sensor_left_angle]);
    const FrameObject& right = instance_or_default(f.instances[sensor_right_angle]);
    write(f, master_groups_a, 'A', left.get_x() - right.get_x());
    write(f, master_groups_a, 'B', left.get_y() - right.get_y());
    f.run_loop(f.fast_loop_toolsanglecalculator, 1, &Frames::loop_toolsanglecalculator_4);
    const double angle = read(f, master_groups_a, 'C');
    write(f, movement_values, 'N', angle);
    write(f, movement_values, 'O', angle);
}

// What a ceiling landing turns into ground speed: more than a floor's, as
// the ceiling's slope steers the whole upward speed.
void ceiling_landing_speed(Frames& f)
{
    const FrameObject& values = values_of(f);
    const double n = get(values, 'N');
    write(f, action_values_b, 'P', 3);
    write(f, movement_values, 'B', get(values, 'B') - (sin_deg(n) / 0.35) * (get(values, 'G') * get(values, 'J')));
}

}  // namespace

void Frames::event_func_630()
{
    if (!step_groups(*this) || !level_group_56)
        return;
    if (!run_once(run_once_630, loop_count))
        return;
    deactivate_group(level_group_56);
}

void Frames::event_func_631()
{
    if (!step_groups(*this))
        return;
    FrameObject* values = instance_of(instances[movement_values]);
    for (const char name : {'B', 'G', 'N'})
        put(values, name, quantised(get(values_of(*this), name)));
}

void Frames::event_func_632()
{
    if (!step_groups(*this))
        return;
    const FrameObject& values = values_of(*this);
    if (get(values, 'B') > get(values, 'D'))
        write(*this, movement_values, 'B', get(values, 'D'));
}

void Frames::event_func_633()
{
    if (!step_groups(*this))
        return;
    const FrameObject& values = values_of(*this);
    if (get(values, 'B') < -get(values, 'D'))
        write(*this, movement_values, 'B', -get(values, 'D'));
}

void Frames::event_func_634()
{
    if (!step_groups(*this))
        return;
    const FrameObject& values = values_of(*this);
    if (get(values, 'G') > get(values, 'H'))
        write(*this, movement_values, 'G', get(values, 'H'));
}

void Frames::event_func_635()
{
    if (!step_groups(*this))
        return;
    write(*this, movement_values, 'K', 0);
}

void Frames::event_func_636()
{
    if (!step_groups(*this) || get(values_of(*this), 'P') != 0)
        return;
    set_layer_bit(qualifier_4, false);
    set_layer_bit(qualifier_5, true);
}

void Frames::event_func_637()
{
    if (!step_groups(*this) || get(values_of(*this), 'P') != 1)
        return;
    set_layer_bit(qualifier_4, true);
    set_layer_bit(qualifier_5, false);
}

void Frames::event_func_638()
{
    if (!step_groups(*this))
        return;
    const double mode = get(values_of(*this), 'M');
    if (!(mode >= 5 && mode <= 6))
        return;
    set_layer_bit(qualifier_13, true);
}

void Frames::event_func_639()
{
    if (!step_groups(*this))
        return;
    const FrameObject& values = values_of(*this);
    write(*this, player_others, 'V', get(values, 'X'));
    write(*this, player_others, 'W', get(values, 'Y'));
}

void Frames::event_func_640() {}

void Frames::event_func_641()
{
    if (!step_groups(*this))
        return;
    const FrameObject& values = values_of(*this);
    if (get(values, 'T') != 1)
        return;
    const double n = get(values, 'N');
    const double b = get(values, 'B');
    write(*this, movement_values, 'X', get(values, 'X') + cos_deg(n) * b);
    write(*this, movement_values, 'Y', get(values, 'Y') - sin_deg(n) * b);
    label_wall_collision(*this);
    run_loop(fast_loop_player01wallcollision, to_int(std::fabs(b) + 1), &Frames::loop_player01wallcollision_4);
}

void Frames::event_func_642()
{
    if (!step_groups(*this))
        return;
    const FrameObject& values = values_of(*this);
    if (get(values, 'U') != 1 || get(values, 'L') != 0)
        return;
    write(*this, movement_values, 'Y', get(values, 'Y') + get(values, 'G'));
    put_string(instance_of(instances[movement_values]), 1, "Player01Up");
    run_loop(fast_loop_player01up, 10, &Frames::loop_player01up_4);
}

void Frames::event_func_643()
{
    if (!step_groups(*this))
        return;
    const FrameObject& values = values_of(*this);
    if (get(values, 'T') != 1 || get(values, 'L') != 0)
        return;
    label_wall_collision(*this);
    run_loop(fast_loop_player01wallcollision, 20, &Frames::loop_player01wallcollision_4);
}

void Frames::event_func_644()
{
    if (!step_groups(*this))
        return;
    const FrameObject& values = values_of(*this);
    if (get(values, 'U') != 1 || get(values, 'L') != 0)
        return;
    put_string(instance_of(instances[movement_values]), 2, "Player01Down");
    run_loop(fast_loop_player01down, 10, &Frames::loop_player01down_4);
}

void Frames::event_func_645()
{
    if (!step_groups(*this) || !landing_on_floor(*this))
        return;
    write(*this, movement_values, 'N', 0);
    write(*this, movement_values, 'O', 0);
}

void Frames::event_func_646()
{
    if (!step_groups(*this) || !landing_on_floor(*this))
        return;
    run_loop(fast_loop_player01detectsensoredges, 1, &Frames::loop_player01detectsensoredges_4);
}

void Frames::event_func_647()
{
    if (!step_groups(*this) || !landing_on_floor(*this))
        return;
    if (!touches(*this, sensor_left_edge) || !touches(*this, sensor_right_edge))
        return;
    measure_angle(*this);
}

void Frames::event_func_648()
{
    if (!step_groups(*this) || !landing_on_floor(*this))
        return;
    const FrameObject& values = values_of(*this);
    const double n = get(values, 'N');
    if (!(n > 22 && n < 338))
        return;
    write(*this, movement_values, 'B', get(values, 'B') - sin_deg(n) * (get(values, 'G') * get(values, 'J')));
}

void Frames::event_func_649()
{
    if (!step_groups(*this) || !landing_on_floor(*this))
        return;
    write(*this, movement_values, 'W', get(values_of(*this), 'G'));
    write(*this, movement_values, 'G', 0);
    write(*this, movement_values, 'L', 1);
    write(*this, movement_values, 'K', 1);
    write(*this, action_values_a, 'C', 0);
}

void Frames::event_func_650()
{
    if (!step_groups(*this))
        return;
    write(*this, action_values_b, 'P', 0);
}

void Frames::event_func_651()
{
    if (!step_groups(*this))
        return;
    const FrameObject& values = values_of(*this);
    if (get(values, 'V') != 1 || get(values, 'L') != 0 || !(get(values, 'G') < -1.75) || get(values, 'M') == 42)
        return;
    if (!touches(*this, sensor_top_big))
        return;
    write(*this, action_values_b, 'P', 1);
    write(*this, movement_values, 'N', 180);
    write(*this, movement_values, 'O', 180);
    run_loop(fast_loop_player01allsensors, 1, &Frames::loop_player01allsensors_4);
}

void Frames::event_func_652()
{
    if (!step_groups(*this))
        return;
    if (read(*this, action_values_b, 'P') != 1 || !touches(*this, sensor_bottom_big))
        return;
    write(*this, action_values_b, 'P', 2);
    run_loop(fast_loop_player01detectsensoredges, 1, &Frames::loop_player01detectsensoredges_4);
}

void Frames::event_func_653()
{
    if (!step_groups(*this))
        return;
    if (read(*this, action_values_b, 'P') != 2)
        return;
    if (!touches(*this, sensor_left_edge) || !touches(*this, sensor_right_edge))
        return;
    measure_angle(*this);
}

void Frames::event_func_654()
{
    if (!step_groups(*this))
        return;
    if (read(*this, action_values_b, 'P') != 2 || !(get(values_of(*this), 'N') < 170))
        return;
    ceiling_landing_speed(*this);
}

void Frames::event_func_655()
{
    if (!step_groups(*this))
        return;
    if (read(*this, action_values_b, 'P') != 2 || !(get(values_of(*this), 'N') > 190))
        return;
    ceiling_landing_speed(*this);
}

void Frames::event_func_656()
{
    if (!step_groups(*this))
        return;
    if (read(*this, action_values_b, 'P') != 3)
        return;
    write(*this, action_values_b, 'P', 0);
    write(*this, movement_values, 'W', get(values_of(*this), 'G'));
    write(*this, movement_values, 'G', 0);
    write(*this, movement_values, 'M', 1);
    write(*this, movement_values, 'L', 1);
    write(*this, movement_values, 'K', 1);
}
