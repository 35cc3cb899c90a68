// The movement base, the movement that never moves, the shot's movement, and
// the direction and deceleration helpers shared by the movements and the
// event code.
#pragma once

#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

class FrameObject;

// Directions are 0-31 in steps of 11.25 degrees, counter-clockwise from
// right; screen y grows downward.
constexpr double degrees_per_radian = 57.29577951308232;

// The exact zeros keep axis-aligned motion from drifting.
inline double sin_deg(double degrees)
{
    if (degrees == 180.0)
        return 0.0;
    return std::sin(degrees / degrees_per_radian);
}

inline double cos_deg(double degrees)
{
    if (degrees == 90.0 || degrees == 270.0)
        return 0.0;
    return std::cos(degrees / degrees_per_radian);
}

// The unit vector of a direction; exact on the four axes.
inline void get_dir(int direction, double& x, double& y)
{
    switch (direction) {
    case 0: x = 1.0; y = 0.0; return;
    case 8: x = 0.0; y = -1.0; return;
    case 16: x = -1.0; y = 0.0; return;
    case 24: x = 0.0; y = 1.0; return;
    default: break;
    }
    const double a = direction * 11.25 / degrees_per_radian;
    x = std::cos(a);
    y = -std::sin(a);
}

inline void get_dir(int direction, float& x, float& y)
{
    switch (direction) {
    case 0: x = 1.0f; y = 0.0f; return;
    case 8: x = 0.0f; y = -1.0f; return;
    case 16: x = -1.0f; y = 0.0f; return;
    case 24: x = 0.0f; y = 1.0f; return;
    default: break;
    }
    const float a = float(double(float(direction) * 11.25f) / degrees_per_radian);
    x = std::cos(a);
    y = -std::sin(a);
}

inline float get_distance(float x1, float y1, float x2, float y2)
{
    const float dx = x2 - x1, dy = y2 - y1;
    return std::sqrt(dx * dx + dy * dy);
}

// A direction in 32 steps (0 right, 8 up, 16 left, 24 down) or -1.
int get_movement_direction(bool up, bool down, bool left, bool right);
// Speed units per tick for a deceleration parameter of 0 or more.
double get_accelerator(int value);
// The running frame's speed factor (1.0 without a running frame).
float get_frame_speed_factor();

class Movement {
public:
    enum Flag : uint32_t {
        START_ON_INIT = 1,
        STOPPED = 2,
    };

    int index = 0;  // the movement's place in its instance's movement array
    int speed = 0;
    int max_speed = 0;
    double x_remainder = 0.0;  // sub-pixel distance carried to the next step
    double y_remainder = 0.0;
    FrameObject* instance;
    std::vector<FrameObject*> contacts;  // touched since the last step
    bool background_contact = false;
    uint32_t flags = 0;
    bool keeps_contacts = true;  // false where no step ever empties them

    explicit Movement(FrameObject* instance) : instance(instance) {}
    Movement(const Movement&) = delete;
    Movement& operator=(const Movement&) = delete;

    // The nineteen operations, in table order.
    virtual ~Movement() = default;
    virtual void init();
    virtual void update() {}
    virtual void set_max_speed(int value);
    virtual void set_speed(int value);
    virtual void set_acceleration(int) {}
    virtual void set_deceleration(int) {}
    virtual void set_gravity(int) {}
    virtual void start();
    virtual void stop(bool);
    virtual void bounce(bool);
    virtual bool is_stopped() const;
    virtual void reverse();
    virtual int get_speed() const;
    virtual void set_node(const std::string&) {}
    virtual bool is_path_finished() { return false; }
    virtual bool is_node_reached() { return false; }
    virtual void set_direction(int) {}
    virtual void look_at(int, int) {}

    void add_collision(FrameObject* other)
    {
        if (keeps_contacts)
            contacts.push_back(other);
    }
    void set_background_collision() { background_contact = true; }

protected:
    // Moves the instance by whole pixels and keeps the fractions; forgets
    // the contacts of the last step.
    void move(double dx, double dy);
};

// A movement that never moves. It never steps, so its contacts are dropped
// as they come instead of piling up.
class StaticMovement : public Movement {
public:
    explicit StaticMovement(FrameObject* instance) : Movement(instance) { keeps_contacts = false; }
};

// Speed in 1/8 pixel per tick along the shot's direction; FrameObject::shoot
// attaches it.
class ShootMovement : public Movement {
public:
    explicit ShootMovement(FrameObject* shot) : Movement(shot) {}

    void update() override;
};
