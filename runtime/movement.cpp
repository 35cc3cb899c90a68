#include "runtime/movement.h"

#include "runtime/frame.h"
#include "runtime/frameobject.h"
#include "runtime/layer.h"
#include "runtime/manager.h"
#include "runtime/values.h"

int get_movement_direction(bool up, bool down, bool left, bool right)
{
    // Index: up | down << 1 | left << 2 | right << 3; opposite keys cancel.
    static const int directions[16] = {-1, 8, 24, -1, 16, 12, 20, 16, 0, 4, 28, 0, -1, 8, 24, -1};
    return directions[int(up) + 2 * int(down) + 4 * int(left) + 8 * int(right)];
}

double get_accelerator(int value)
{
    // Speed units per tick in 1/256; entry 81 stands out of order, as shipped.
    static const int accelerators[100] = {
        2,    3,    4,    6,     8,     10,    12,    16,    20,    24,
        48,   56,   64,   72,    80,    88,    96,    104,   112,   120,
        144,  160,  176,  192,   208,   224,   240,   256,   272,   288,
        320,  336,  352,  368,   384,   400,   416,   432,   448,   480,
        512,  544,  560,  592,   624,   640,   672,   688,   720,   736,
        768,  784,  816,  848,   864,   896,   928,   944,   976,   992,
        1024, 1120, 1216, 1312,  1440,  1536,  1632,  1728,  1824,  1952,
        2048, 2240, 2432, 2688,  2880,  3072,  3264,  3456,  3712,  3904,
        4096, 6544, 4914, 5216,  5732,  6144,  6553,  6962,  7366,  7780,
        8192, 9836, 11672, 13316, 14960, 16604, 18248, 19892, 21504, 25600,
    };
    if (value >= 100)
        return double(value);
    if (value < 0)
        value = 0;  // callers pass 0 or more; never read before the table
    return accelerators[value] * 0.00390625;
}

float get_frame_speed_factor()
{
    return manager.frame ? manager.frame->timer_mul : 1.0f;
}

// The base operations -----------------------------------------------------------

void Movement::init()
{
    if (flags & START_ON_INIT)
        start();
}

void Movement::set_max_speed(int value)
{
    max_speed = value;
    if (speed > value)
        set_speed(value);
}

void Movement::set_speed(int value)
{
    speed = value;
}

void Movement::start()
{
    if (max_speed != 0 && speed <= 0)
        set_speed(max_speed);
}

void Movement::stop(bool)
{
    set_speed(0);
}

void Movement::bounce(bool)
{
    set_speed(0);
}

bool Movement::is_stopped() const
{
    return speed == 0;
}

void Movement::reverse()
{
    set_speed(-speed);
}

int Movement::get_speed() const
{
    return speed;
}

void Movement::move(double dx, double dy)
{
    x_remainder += dx;
    y_remainder += dy;
    const double fx = std::floor(x_remainder);
    const double fy = std::floor(y_remainder);
    instance->set_position(saturate_to_int(instance->x + fx), saturate_to_int(instance->y + fy));
    x_remainder -= fx;
    y_remainder -= fy;
    contacts.clear();
    background_contact = false;
}

void ShootMovement::update()
{
    double ux, uy;
    get_dir(instance->direction, ux, uy);
    const double step = speed * 0.125 * get_frame_speed_factor();
    move(ux * step, uy * step);
}

void FrameObject::shoot(FrameObject* shot, int speed, int shot_direction)
{
    const int off_x = shot->layer ? shot->layer->off_x : 0;
    const int off_y = shot->layer ? shot->layer->off_y : 0;
    shot->set_position(get_action_x() - off_x, get_action_y() - off_y);
    shot->set_direction(shot_direction == -1 ? direction : shot_direction, true);
    // A current movement that stands in the list is replaced there too, so
    // the list never keeps a pointer to the deleted movement.
    Movement* launched = new ShootMovement(shot);
    for (int i = 0; i < shot->movement_count; ++i) {
        if (shot->movements[i] == shot->movement) {
            shot->movements[i] = launched;
            launched->index = i;
        }
    }
    delete shot->movement;
    shot->movement = launched;
    shot->movement->set_max_speed(speed);
    shot->movement->start();
}
