// One-pixel corrections after the movement step: out of a ceiling, out of the
// floor, away from walls, down onto a slope that falls away, and the two
// probes lowered until they meet the ground. The callers give each loop its
// budget, so no correction takes more pixels than that in one tick.
#include "game/events/player_physics/sensors.h"

using namespace player_sensors;

namespace {

void stop(FastLoop& loop) { loop.running = false; }

// One pixel along the ground (sign +1 to the right) or into it, in the turned
// frame of the same moment.
void step_along_ground(Frames& frames, double sign)
{
    const double theta = get_value(frames.instances[types::PlayerMovementValues_80], 'N');
    set_value(frames.instances[types::PlayerMovementValues_80], 'X',
              get_value(frames.instances[types::PlayerMovementValues_80], 'X') + sign * event_cos(theta));
    set_value(frames.instances[types::PlayerMovementValues_80], 'Y',
              get_value(frames.instances[types::PlayerMovementValues_80], 'Y') - sign * event_sin(theta));
}

void step_into_ground(Frames& frames)
{
    const double theta = get_value(frames.instances[types::PlayerMovementValues_80], 'N');
    set_value(frames.instances[types::PlayerMovementValues_80], 'X',
              get_value(frames.instances[types::PlayerMovementValues_80], 'X') + event_sin(theta));
    set_value(frames.instances[types::PlayerMovementValues_80], 'Y',
              get_value(frames.instances[types::PlayerMovementValues_80], 'Y') + event_cos(theta));
}

bool rising_or_level(Frames& frames) { return get_value(frames.instances[types::PlayerMovementValues_80], 'G') <= 0; }
bool falling_or_level(Frames& frames) { return get_value(frames.instances[types::PlayerMovementValues_80], 'G') >= 0; }

// A probe that found nothing goes one pixel deeper.
void deepen(Frames& frames, int probe_type)
{
    if (!sensor_flag_is(frames, probe_type, 0))
        return;
    for_each_selected(frames.instances[probe_type],
                      [](FrameObject* probe) { set_value(probe, 'Y', get_value(*probe, 'Y') + 1); });
}

}  // namespace

// Ceiling -----------------------------------------------------------------------

void Frames::event_func_470()
{
    if (engine_on(*this) && rising_or_level(*this) && sensor_flag_is(*this, types::PlayerSensorTop_92, 1))
        set_value(instances[types::PlayerMovementValues_80], 'Y',
                  get_value(instances[types::PlayerMovementValues_80], 'Y') + 1);
}

void Frames::event_func_471()
{
    if (engine_on(*this) && rising_or_level(*this) && sensor_flag_is(*this, types::PlayerSensorTop_92, 0))
        stop(fast_loop_player01up);
}

void Frames::loop_player01up_4()
{
    loop_player01detectsensortop_4();
    event_func_470();
    event_func_471();
}

// Floor -------------------------------------------------------------------------

void Frames::event_func_482()
{
    if (engine_on(*this) && falling_or_level(*this) && sensor_flag_is(*this, types::PlayerSensorBottom_94, 1))
        set_value(instances[types::PlayerMovementValues_80], 'Y',
                  get_value(instances[types::PlayerMovementValues_80], 'Y') - 1);
}

void Frames::event_func_483()
{
    if (engine_on(*this) && falling_or_level(*this) && sensor_flag_is(*this, types::PlayerSensorBottom_94, 0))
        stop(fast_loop_player01down);
}

void Frames::loop_player01down_4()
{
    loop_player01detectsensorbottom_4();
    event_func_482();
    event_func_483();
}

// Walls -------------------------------------------------------------------------

void Frames::event_func_502()
{
    if (engine_on(*this) && sensor_flag_is(*this, types::PlayerSensorRight_90, 1))
        step_along_ground(*this, -1);
}

void Frames::event_func_503()
{
    if (engine_on(*this) && sensor_flag_is(*this, types::PlayerSensorLeft_88, 1))
        step_along_ground(*this, 1);
}

void Frames::event_func_504()
{
    if (engine_on(*this) && sensor_flag_is(*this, types::PlayerSensorLeft_88, 0) &&
        sensor_flag_is(*this, types::PlayerSensorRight_90, 0))
        stop(fast_loop_player01wallcollision);
}

void Frames::loop_player01wallcollision_4()
{
    loop_player01detectsensorleft_4();
    loop_player01detectsensorright_4();
    event_func_502();
    event_func_503();
    event_func_504();
}

// Angle probes ------------------------------------------------------------------

void Frames::event_func_514()
{
    if (engine_on(*this))
        deepen(*this, types::PlayerSensorLeftAngle_98);
}

void Frames::event_func_515()
{
    if (engine_on(*this))
        deepen(*this, types::PlayerSensorRightAngle_99);
}

// Never stops itself: each probe's depth ends where it first met ground, or at the budget.
void Frames::loop_player01detectangle_4()
{
    loop_player01detectsensorangles_4();
    event_func_514();
    event_func_515();
}

// Down a slope ------------------------------------------------------------------

void Frames::event_func_526()
{
    if (engine_on(*this) && sensor_flag_is(*this, types::Player_87, 0) &&
        sensor_flag_is(*this, types::PlayerSensorSlopes_96, 1))
        step_into_ground(*this);
}

// The body touches: one more pixel in, and the slope is followed.
void Frames::event_func_527()
{
    if (!engine_on(*this) || !sensor_flag_is(*this, types::Player_87, 1))
        return;
    step_into_ground(*this);
    stop(fast_loop_player01slopesdown);
}

void Frames::loop_player01slopesdown_4()
{
    loop_player01detectsensormain_4();
    loop_player01detectsensorslope_4();
    event_func_526();
    event_func_527();
}
