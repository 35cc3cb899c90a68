#include "objects/movements.h"

#include "runtime/frameobject.h"
#include "runtime/values.h"

#include <cmath>

namespace {
constexpr double pi = 3.141592653589793;
}

// Pinball ------------------------------------------------------------------------

PinballMovement::PinballMovement(FrameObject* instance) : Movement(instance)
{
    // Stopped, so that the first start takes effect.
    flags |= STOPPED;
}

float PinballMovement::get_velocity_length() const
{
    return std::sqrt(velocity_x * velocity_x + velocity_y * velocity_y);
}

// Counter-clockwise from right in radians, y downward; 0 for no velocity.
float PinballMovement::get_velocity_angle() const
{
    const float length = get_velocity_length();
    if (length == 0.0f)
        return 0.0f;
    float angle = std::acos(velocity_x / length);
    if (velocity_y > 0.0f)
        angle = float(2.0 * pi) - angle;
    return angle;
}

void PinballMovement::set_speed(int value)
{
    const float angle = get_velocity_angle();
    velocity_x = float(value) * std::cos(angle);
    velocity_y = -float(value) * std::sin(angle);
    speed = value;
}

void PinballMovement::set_direction(int direction)
{
    const float length = get_velocity_length();
    float ux, uy;
    get_dir(direction, ux, uy);
    velocity_x = length * ux;
    velocity_y = length * uy;
}

void PinballMovement::start()
{
    if (!(flags & STOPPED))
        return;
    flags &= ~uint32_t(STOPPED);
    if (max_speed != 0 && speed <= 0)
        set_speed(max_speed);
    float ux, uy;
    get_dir(instance->direction, ux, uy);
    velocity_x = float(speed) * ux;
    velocity_y = float(speed) * uy;
    instance->set_animation(1);
}

void PinballMovement::update()
{
    if (flags & STOPPED) {
        instance->set_animation(0);
        return;
    }
    instance->set_animation(1);
    const float tf = get_frame_speed_factor();
    // Gravity is not scaled by the speed factor; deceleration and motion are.
    velocity_y += float(gravity) / 10.0f;
    const float angle = get_velocity_angle();
    float length = get_velocity_length() - float(deceleration) * tf / 50.0f;
    if (!(length >= 0.0f))
        length = 0.0f;  // also for NaN
    velocity_x = length * std::cos(angle);
    velocity_y = -(length * std::sin(angle));
    const int whole = saturate_to_int(length);
    speed = whole > 100 ? 100 : whole;
    instance->set_direction(int(angle * 32.0f / float(2.0 * pi)), false);
    move(double(velocity_x * tf / 10.0f), double(velocity_y * tf / 10.0f));
}

// Ball ----------------------------------------------------------------------------

void BallMovement::init()
{
    if (flags & START_ON_INIT)
        set_speed(max_speed);
    else
        saved_speed = max_speed;  // waits, stopped, until started
}

void BallMovement::set_speed(int value)
{
    speed = value;
    saved_speed = 0;
}

void BallMovement::stop(bool)
{
    if (saved_speed != 0)
        return;
    saved_speed = speed;
    speed = 0;
}

void BallMovement::start()
{
    if (saved_speed == 0)
        return;
    speed = saved_speed;
    saved_speed = 0;
}

void BallMovement::update()
{
    if (saved_speed != 0 || speed == 0) {
        instance->set_animation(0);
        return;
    }
    instance->set_animation(1);
    const float tf = get_frame_speed_factor();
    double ux, uy;
    get_dir(instance->direction, ux, uy);
    const double step = speed * 0.125 * tf;
    move(ux * step, uy * step);

    double remainder = speed_remainder;
    if (deceleration != 0)
        remainder -= get_accelerator(deceleration) * tf;
    const int whole = saturate_to_int(remainder);
    speed = speed + whole < 0 ? 0 : speed + whole;
    speed_remainder = remainder - whole;
}

// Vector -------------------------------------------------------------------

// Without the turn a mover steered at a point behind it would run away
// from it, the faster the further (the snake's body speeds up with the gap).
void VectorMovement::look_at(int x, int y)
{
    const double dx = double(x) - instance->get_x(), dy = double(y) - instance->get_y();
    if (dx == 0 && dy == 0)
        return;
    const double degrees = std::atan2(-dy, dx) * 57.29577951308232;
    angle = float(degrees < 0 ? degrees + 360 : degrees);
}

void VectorMovement::update()
{
    if (speed <= 0)
        return;
    const float tf = get_frame_speed_factor();
    const float vx = float(speed * cos_deg(angle) * tf);
    const float vy = float(speed * sin_deg(angle) * tf);
    move(double(vx * 0.01f), double(-vy * 0.01f));
    instance->set_animation(1);
}
