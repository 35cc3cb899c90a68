// The sparkles around the Yelto sprite in the Continue? frame: four that
// circle it leaving trails after its jump, and a ring of them as it leaves.
#include "game/events/menus/continue_objects.h"
#include "game/frames/frames.h"
#include "game/objects/classes.h"
#include "runtime/manager.h"
#include "runtime/movement.h"
#include "runtime/values.h"

using namespace continue_frame;

namespace {

// Where the Yelto sprite stands, and its layer; a missing sprite reads as
// a fresh object.
struct Spot {
    int x, y, layer;
};

Spot yelto_spot(Frame& frame)
{
    const FrameObject& sprite = instance_or_default(frame.instances[types::PlayerSkinYelto_102]);
    return {sprite.get_x(), sprite.get_y(), sprite.layer->index};
}

// Each circling sparkle's centre follows the Yelto sprite.
void follow_yelto(Frame& frame, std::initializer_list<int> types)
{
    const FrameObject& sprite = instance_or_default(frame.instances[types::PlayerSkinYelto_102]);
    const int x = sprite.get_x(), y = sprite.get_y() - 4;
    for_each_of(frame, types, [x, y](FrameObject* s) {
        set_value(s, 'A', x);
        set_value(s, 'B', y);
    });
}

void turn(Frame& frame, std::initializer_list<int> types, double step)
{
    for_each_of(frame, types, [step](FrameObject* s) { set_value(s, 'D', get_value(*s, 'D') + step); });
}

}  // namespace

void Frames::event_func_2637()
{
    if (!orbit_sparkle_group || !run_once(run_once_2637, loop_count))
        return;
    const Spot at = yelto_spot(*this);
    struct Orbit {
        int type;
        FrameObject* (*create)(int, int);
        double radius, angle;
    };
    const Orbit orbits[] = {
        {types::Sparkle1_178, [](int x, int y) -> FrameObject* { return create_sparkle1_178(x, y); }, 20, 0},
        {types::Sparkle2_180, [](int x, int y) -> FrameObject* { return create_sparkle2_180(x, y); }, 20, 180},
        {types::Sparkle3_181, [](int x, int y) -> FrameObject* { return create_sparkle3_181(x, y); }, 10, 0},
        {types::Sparkle4_182, [](int x, int y) -> FrameObject* { return create_sparkle4_182(x, y); }, 10, 180},
    };
    for (const Orbit& orbit : orbits) {
        FrameObject* s = create_instance(*this, instances[orbit.type], orbit.create(at.x, at.y), at.layer);
        set_value(s, 'C', orbit.radius);
        set_value(s, 'D', orbit.angle);
    }
}

void Frames::event_func_2638()
{
    if (!orbit_sparkle_group || !every(every_2638, manager.frame_time, 0.1f))
        return;
    ObjectList& trail = instances[types::Sparkle5_183];
    bool first = true;
    for_each_of(*this, {types::Sparkle1_178, types::Sparkle2_180, types::Sparkle3_181, types::Sparkle4_182},
                [&](FrameObject* s) {
                    FrameObject* made = create_sparkle5_183(s->get_x(), s->get_y());
                    if (first)
                        create_instance(*this, trail, made, s->layer->index);
                    else
                        create_another(*this, trail, made, s->layer->index);
                    first = false;
                });
}

void Frames::event_func_2639()
{
    if (!orbit_sparkle_group || !every(every_2639, manager.frame_time, 0.02f))
        return;
    for_each_instance(instances[types::Sparkle5_183], [](FrameObject* s) { s->set_y(s->get_y() - 1); });
}

void Frames::event_func_2640()
{
    if (!orbit_sparkle_group || !every(every_2640, manager.frame_time, 0.05f))
        return;
    follow_yelto(*this, {types::Sparkle2_180, types::Sparkle1_178});
}

void Frames::event_func_2641()
{
    if (!orbit_sparkle_group || !every(every_2641, manager.frame_time, 0.1f))
        return;
    follow_yelto(*this, {types::Sparkle3_181, types::Sparkle4_182});
}

void Frames::event_func_2642()
{
    if (!orbit_sparkle_group)
        return;
    for_each_of(*this, {types::Sparkle1_178, types::Sparkle2_180, types::Sparkle3_181, types::Sparkle4_182},
                [](FrameObject* s) {
                    const double a = get_value(*s, 'A'), b = get_value(*s, 'B'), c = get_value(*s, 'C'), d = get_value(*s, 'D');
                    s->set_x(to_int(a + c * sin_deg(d)));
                    s->set_y(to_int(b - c * cos_deg(d)));
                });
}

void Frames::event_func_2643()
{
    if (!orbit_sparkle_group)
        return;
    turn(*this, {types::Sparkle3_181, types::Sparkle4_182}, 10);
    turn(*this, {types::Sparkle1_178, types::Sparkle2_180}, 7);
}

void Frames::event_func_2644()
{
    if (!ring_sparkle_group || to_int(global_values->get(global_ticks)) % 2 != 0)
        return;
    const Spot at = yelto_spot(*this);
    FrameObject* s =
        create_instance(*this, instances[types::RingSparkle_179], create_ringsparkle_179(at.x, at.y), at.layer);
    s->set_x(s->get_x() - 8 + randrange_event(2644, 17));
    s->set_y(s->get_y() - 8 + randrange_event(2644, 17));
}
