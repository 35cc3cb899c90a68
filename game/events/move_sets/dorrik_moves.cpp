#include "game/events/move_sets/dorrik_moves.h"

namespace dorrik {

Point held_point(const FrameObject& skin, double ox, double oy)
{
    // The angle is read again for each term, as whole degrees.
    const double t = skin.get_angle();
    const double x = skin.get_action_x() + event_sin(t) * oy + event_cos(t) * ox;
    const double y = skin.get_action_y() + event_cos(t) * oy - event_sin(t) * ox;
    return {to_int(x), to_int(y)};
}

void hold_at(FrameObject& object, const FrameObject& skin, double ox, double oy)
{
    const Point point = held_point(skin, ox, oy);
    object.set_x(point.x);
    object.set_y(point.y);
    object.set_angle(skin.get_angle(), 0);
}

void lift(Frames& f, FrameObject* object)
{
    set_flag(object, 2, true);
    for_each_instance(dorrik_skins(f), [](FrameObject* skin) { set_value(skin, 'F', 1); });
    set_value(movement(f), 'M', 30);
}

void throw_along(FrameObject* object, double angle, double speed)
{
    set_value(object, 'X', event_cos(angle) * speed);
    set_value(object, 'Y', -(event_sin(angle) * speed));
}

}  // namespace dorrik
