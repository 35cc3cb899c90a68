// The player's physics step, every tick after the character set-up: speeds
// quantised and clamped, the collision-layer flags, the move along the
// ground angle and through the air with the push-out loops, and the
// landings on floors and ceilings. The loops place the player from the exact
// position; these events only move the position and the speeds.
#include "game/frames/event_support.h"
#include "game/frames/frames.h"
#include "runtime/movement.h"

#include <cmath>

namespace {

bool step_groups(const Frames& f) { return f.level_group_43 && f.level_group_23 && f.level_group_19; }

// Four decimals, rounded toward minus infinity, so that a speed never
// creeps by less than the engine can see.
double quantised(double value) { return std::floor(value * 10000) / 10000; }

FrameObject& values_of(Frames& f) { return instance_or_default(f.instances[types::PlayerMovementValues_80]); }

bool touches(Frames& f, int sensor) { return get_value(f.instances[sensor], 'Z') == 1; }

// What the floor-landing events share, each testing it again.
bool landing_on_floor(Frames& f)
{
    const FrameObject& values = values_of(f);
    return get_value(values, 'V') == 1 && get_value(values, 'L') == 0 && get_value(values, 'G') >= 0 &&
           touches(f, types::PlayerSensorBottomBig_95);
}

void set_layer_bit(QualifierList& group, bool on)
{
    for_each_instance(group, [on](FrameObject* object) { set_flag(object, 0, on); });
}

void label_wall_collision(Frames& f)
{
    FrameObject* values = instance_of(f.instances[types::PlayerMovementValues_80]);
    set_string(values, 3, "Player01WallCollision");
    set_string(values, 4, "Player01WallCollision");
}

// Turns the angle sensors' pair, probed down onto the terrain, into the
// ground angle N (and its copy O).
void measure_angle(Frames& f)
{
    set_string(instance_of(f.instances[types::PlayerMovementValues_80]), 7, "Player01DetectAngle");
    set_value(f.instances[types::PlayerSensorLeftAngle_98], 'Y', 0);
    set_value(f.instances[types::PlayerSensorRightAngle_99], 'Y', 0);
    f.run_loop(f.fast_loop_player01detectangle, 20, &Frames::loop_player01detectangle_4);
    const FrameObject& left = instance_or_default(f.instances[types::PlayerSensorLeftAngle_98]);
    const FrameObject& right = instance_or_default(f.instances[types::PlayerSensorRightAngle_99]);
    set_value(f.instances[types::MasterGroupsA_83], 'A', left.get_x() - right.get_x());
    set_value(f.instances[types::MasterGroupsA_83], 'B', left.get_y() - right.get_y());
    f.run_loop(f.fast_loop_toolsanglecalculator, 1, &Frames::loop_toolsanglecalculator_4);
    const double angle = get_value(f.instances[types::MasterGroupsA_83], 'C');
    set_value(f.instances[types::PlayerMovementValues_80], 'N', angle);
    set_value(f.instances[types::PlayerMovementValues_80], 'O', angle);
}

// What a ceiling landing turns into ground speed: more than a floor's, as
// the ceiling's slope steers the whole upward speed.
void ceiling_landing_speed(Frames& f)
{
    const FrameObject& values = values_of(f);
    const double n = get_value(values, 'N');
    set_value(f.instances[types::PlayerActionValuesB_164], 'P', 3);
    set_value(f.instances[types::PlayerMovementValues_80], 'B',
              get_value(values, 'B') - (sin_deg(n) / 0.35) * (get_value(values, 'G') * get_value(values, 'J')));
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
    FrameObject* values = instance_of(instances[types::PlayerMovementValues_80]);
    for (const char name : {'B', 'G', 'N'})
        set_value(values, name, quantised(get_value(values_of(*this), name)));
}

void Frames::event_func_632()
{
    if (!step_groups(*this))
        return;
    const FrameObject& values = values_of(*this);
    if (get_value(values, 'B') > get_value(values, 'D'))
        set_value(instances[types::PlayerMovementValues_80], 'B', get_value(values, 'D'));
}

void Frames::event_func_633()
{
    if (!step_groups(*this))
        return;
    const FrameObject& values = values_of(*this);
    if (get_value(values, 'B') < -get_value(values, 'D'))
        set_value(instances[types::PlayerMovementValues_80], 'B', -get_value(values, 'D'));
}

void Frames::event_func_634()
{
    if (!step_groups(*this))
        return;
    const FrameObject& values = values_of(*this);
    if (get_value(values, 'G') > get_value(values, 'H'))
        set_value(instances[types::PlayerMovementValues_80], 'G', get_value(values, 'H'));
}

void Frames::event_func_635()
{
    if (!step_groups(*this))
        return;
    set_value(instances[types::PlayerMovementValues_80], 'K', 0);
}

void Frames::event_func_636()
{
    if (!step_groups(*this) || get_value(values_of(*this), 'P') != 0)
        return;
    set_layer_bit(qualifier_4, false);
    set_layer_bit(qualifier_5, true);
}

void Frames::event_func_637()
{
    if (!step_groups(*this) || get_value(values_of(*this), 'P') != 1)
        return;
    set_layer_bit(qualifier_4, true);
    set_layer_bit(qualifier_5, false);
}

void Frames::event_func_638()
{
    if (!step_groups(*this))
        return;
    const double mode = get_value(values_of(*this), 'M');
    if (!(mode >= 5 && mode <= 6))
        return;
    set_layer_bit(qualifier_13, true);
}

void Frames::event_func_639()
{
    if (!step_groups(*this))
        return;
    const FrameObject& values = values_of(*this);
    set_value(instances[types::PlayerOthers_75], 'V', get_value(values, 'X'));
    set_value(instances[types::PlayerOthers_75], 'W', get_value(values, 'Y'));
}

void Frames::event_func_640() {}

void Frames::event_func_641()
{
    if (!step_groups(*this))
        return;
    const FrameObject& values = values_of(*this);
    if (get_value(values, 'T') != 1)
        return;
    const double n = get_value(values, 'N');
    const double b = get_value(values, 'B');
    set_value(instances[types::PlayerMovementValues_80], 'X', get_value(values, 'X') + cos_deg(n) * b);
    set_value(instances[types::PlayerMovementValues_80], 'Y', get_value(values, 'Y') - sin_deg(n) * b);
    label_wall_collision(*this);
    run_loop(fast_loop_player01wallcollision, to_int(std::fabs(b) + 1), &Frames::loop_player01wallcollision_4);
}

void Frames::event_func_642()
{
    if (!step_groups(*this))
        return;
    const FrameObject& values = values_of(*this);
    if (get_value(values, 'U') != 1 || get_value(values, 'L') != 0)
        return;
    set_value(instances[types::PlayerMovementValues_80], 'Y', get_value(values, 'Y') + get_value(values, 'G'));
    set_string(instance_of(instances[types::PlayerMovementValues_80]), 1, "Player01Up");
    run_loop(fast_loop_player01up, 10, &Frames::loop_player01up_4);
}

void Frames::event_func_643()
{
    if (!step_groups(*this))
        return;
    const FrameObject& values = values_of(*this);
    if (get_value(values, 'T') != 1 || get_value(values, 'L') != 0)
        return;
    label_wall_collision(*this);
    run_loop(fast_loop_player01wallcollision, 20, &Frames::loop_player01wallcollision_4);
}

void Frames::event_func_644()
{
    if (!step_groups(*this))
        return;
    const FrameObject& values = values_of(*this);
    if (get_value(values, 'U') != 1 || get_value(values, 'L') != 0)
        return;
    set_string(instance_of(instances[types::PlayerMovementValues_80]), 2, "Player01Down");
    run_loop(fast_loop_player01down, 10, &Frames::loop_player01down_4);
}

void Frames::event_func_645()
{
    if (!step_groups(*this) || !landing_on_floor(*this))
        return;
    set_value(instances[types::PlayerMovementValues_80], 'N', 0);
    set_value(instances[types::PlayerMovementValues_80], 'O', 0);
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
    if (!touches(*this, types::PlayerSensorLeftEdge_100) || !touches(*this, types::PlayerSensorRightEdge_101))
        return;
    measure_angle(*this);
}

void Frames::event_func_648()
{
    if (!step_groups(*this) || !landing_on_floor(*this))
        return;
    const FrameObject& values = values_of(*this);
    const double n = get_value(values, 'N');
    if (!(n > 22 && n < 338))
        return;
    set_value(instances[types::PlayerMovementValues_80], 'B',
              get_value(values, 'B') - sin_deg(n) * (get_value(values, 'G') * get_value(values, 'J')));
}

void Frames::event_func_649()
{
    if (!step_groups(*this) || !landing_on_floor(*this))
        return;
    set_value(instances[types::PlayerMovementValues_80], 'W', get_value(values_of(*this), 'G'));
    set_value(instances[types::PlayerMovementValues_80], 'G', 0);
    set_value(instances[types::PlayerMovementValues_80], 'L', 1);
    set_value(instances[types::PlayerMovementValues_80], 'K', 1);
    set_value(instances[types::PlayerActionValuesA_86], 'C', 0);
}

void Frames::event_func_650()
{
    if (!step_groups(*this))
        return;
    set_value(instances[types::PlayerActionValuesB_164], 'P', 0);
}

void Frames::event_func_651()
{
    if (!step_groups(*this))
        return;
    const FrameObject& values = values_of(*this);
    if (get_value(values, 'V') != 1 || get_value(values, 'L') != 0 || !(get_value(values, 'G') < -1.75) ||
        get_value(values, 'M') == 42)
        return;
    if (!touches(*this, types::PlayerSensorTopBig_93))
        return;
    set_value(instances[types::PlayerActionValuesB_164], 'P', 1);
    set_value(instances[types::PlayerMovementValues_80], 'N', 180);
    set_value(instances[types::PlayerMovementValues_80], 'O', 180);
    run_loop(fast_loop_player01allsensors, 1, &Frames::loop_player01allsensors_4);
}

void Frames::event_func_652()
{
    if (!step_groups(*this))
        return;
    if (get_value(instances[types::PlayerActionValuesB_164], 'P') != 1 ||
        !touches(*this, types::PlayerSensorBottomBig_95))
        return;
    set_value(instances[types::PlayerActionValuesB_164], 'P', 2);
    run_loop(fast_loop_player01detectsensoredges, 1, &Frames::loop_player01detectsensoredges_4);
}

void Frames::event_func_653()
{
    if (!step_groups(*this))
        return;
    if (get_value(instances[types::PlayerActionValuesB_164], 'P') != 2)
        return;
    if (!touches(*this, types::PlayerSensorLeftEdge_100) || !touches(*this, types::PlayerSensorRightEdge_101))
        return;
    measure_angle(*this);
}

void Frames::event_func_654()
{
    if (!step_groups(*this))
        return;
    if (get_value(instances[types::PlayerActionValuesB_164], 'P') != 2 || !(get_value(values_of(*this), 'N') < 170))
        return;
    ceiling_landing_speed(*this);
}

void Frames::event_func_655()
{
    if (!step_groups(*this))
        return;
    if (get_value(instances[types::PlayerActionValuesB_164], 'P') != 2 || !(get_value(values_of(*this), 'N') > 190))
        return;
    ceiling_landing_speed(*this);
}

void Frames::event_func_656()
{
    if (!step_groups(*this))
        return;
    if (get_value(instances[types::PlayerActionValuesB_164], 'P') != 3)
        return;
    set_value(instances[types::PlayerActionValuesB_164], 'P', 0);
    set_value(instances[types::PlayerMovementValues_80], 'W', get_value(values_of(*this), 'G'));
    set_value(instances[types::PlayerMovementValues_80], 'G', 0);
    set_value(instances[types::PlayerMovementValues_80], 'M', 1);
    set_value(instances[types::PlayerMovementValues_80], 'L', 1);
    set_value(instances[types::PlayerMovementValues_80], 'K', 1);
}
