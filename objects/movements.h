// The movements that move their instance by themselves: a free-flying body
// (pinball), a body along its direction (ball) and a straight line at an
// angle (vector). The shot's movement lives with the movement base.
#pragma once

#include "runtime/movement.h"

// Velocity in 1/10 pixel per tick, y downward; stopped until started.
class PinballMovement : public Movement {
public:
    int deceleration = 0;  // velocity lost per tick: deceleration / 50
    int gravity = 0;       // velocity gained downward per tick: gravity / 10
    float velocity_x = 0.0f;
    float velocity_y = 0.0f;

    explicit PinballMovement(FrameObject* instance);

    void update() override;
    void set_speed(int value) override;
    void set_deceleration(int value) override { deceleration = value; }
    void set_gravity(int value) override { gravity = value; }
    void start() override;
    void stop(bool) override { flags |= STOPPED; }
    void set_direction(int direction) override;

private:
    float get_velocity_angle() const;
    float get_velocity_length() const;
};

// Speed in 1/8 pixel per tick along the instance's direction.
class BallMovement : public Movement {
public:
    int deceleration = 0;  // a parameter of get_accelerator
    int bounce_factor = 0;
    double speed_remainder = 0.0;
    int saved_speed = 0;  // the speed to resume with while stopped; 0 when moving

    explicit BallMovement(FrameObject* instance) : Movement(instance) {}

    void init() override;
    void update() override;
    void set_speed(int value) override;
    void set_deceleration(int value) override { deceleration = value; }
    void start() override;
    void stop(bool) override;
};

// Speed in 1/100 pixel per tick along an angle in degrees.
class VectorMovement : public Movement {
public:
    float angle = 0.0f;

    explicit VectorMovement(FrameObject* instance) : Movement(instance) {}

    void update() override;
    // Turns the angle towards the frame point (x, y); a point on the
    // instance leaves it.
    void look_at(int x, int y) override;
};
