// Act 2's eight jump pads: A the pad's number, B its angle, D 1 on a pad a
// ride launches from, E its state (1 armed, 0 idle, -1 where a ride began),
// F the crystal drop's count (0 unused, 1 to 12, once per pad). Pimsa rides
// the pads (pimsa_pad_ride.cpp); anyone else pressing button 1 on an armed
// upright pad gets two crystals, ten ticks apart.
#include "game/frames/event_support.h"
#include "game/frames/frames.h"
#include "game/objects/classes.h"
#include "objects/active.h"
#include "runtime/collision.h"

#include <initializer_list>

namespace {

constexpr double last_drop_count = 12, first_drop = 1, second_drop = 11;

ObjectList& pads(Frames& f) { return f.instances[types::ObjectJumppad_325]; }

bool pressed(Frames& f) { return get_value(f.instances[types::PlayerInput_21], 'K') == 1; }

bool pimsa(Frames& f)
{
    const double character = get_value(f.instances[types::PlayerMovementValues_80], 'A');
    return character == 2 || character == 3;
}

struct PadValue {
    char name;
    double number;
};

// Pad `number` takes its angle, launch mark or state at the act's start.
void set_up_pad(Frames& f, unsigned& counter, double number, std::initializer_list<PadValue> values)
{
    if (!f.level_group_43 ||
        !select(pads(f), [number](FrameObject* p) { return get_value(*p, 'A') == number; }) ||
        !run_once(counter, f.loop_count))
        return;
    for_each_selected(pads(f), [values](FrameObject* p) {
        for (const PadValue& value : values)
            set_value(p, value.name, value.number);
    });
}

}  // namespace

void Frames::event_func_2266()
{
    if (!level_group_43)
        return;
    for_each_instance(pads(*this), [](FrameObject* p) {
        p->set_direction(to_int(get_value(*p, 'E')), true);
        p->set_angle(to_int(get_value(*p, 'B')), 0);
    });
}

void Frames::event_func_2267()
{
    if (!level_group_43 || !pressed(*this))
        return;
    ObjectList& sensor = instances[types::PlayerSensorBottomBig_95];
    select_all(sensor);
    select_all(pads(*this));
    if (!check_overlap(sensor, pads(*this)) ||
        !filter(pads(*this), [](FrameObject* p) { return get_value(*p, 'B') == 0 && get_value(*p, 'E') == 1; }) ||
        pimsa(*this) || !filter(pads(*this), [](FrameObject* p) { return get_value(*p, 'F') == 0; }))
        return;
    for_each_selected(pads(*this), [](FrameObject* p) {
        set_value(p, 'E', 0);
        p->set_direction(0, true);
        set_value(p, 'F', first_drop);
    });
    FrameObject* burst = create_at_action_points(*this, pads(*this), instances[types::EffectsWhiteBurst_31],
                                                 create_effectswhiteburst_31);
    static_cast<Active*>(burst)->set_scale(0.5f);
}

// The first crystal on the tick of use, the second ten ticks later; the
// first created pops straight up.
void Frames::event_func_2268()
{
    if (!level_group_43 || !select(pads(*this), [](FrameObject* p) {
            return get_value(*p, 'F') == first_drop || get_value(*p, 'F') == second_drop;
        }))
        return;
    FrameObject* crystal =
        create_at_action_points(*this, pads(*this), instances[types::ObjectCrystal_239], create_objectcrystal_239);
    crystal->advance_movement(1);
    set_flag(crystal, 0, true);
    crystal->set_direction(8, true);
}

void Frames::event_func_2269()
{
    auto counting = [](FrameObject* p) { return get_value(*p, 'F') > 0 && get_value(*p, 'F') < last_drop_count; };
    if (level_group_43 && select(pads(*this), counting))
        for_each_selected(pads(*this), [](FrameObject* p) { add_value(p, 'F', 1); });
}

void Frames::event_func_2274() { set_up_pad(*this, run_once_2274, 0, {{'E', 1}}); }
void Frames::event_func_2275() { set_up_pad(*this, run_once_2275, 1, {{'B', 90}}); }
void Frames::event_func_2276() { set_up_pad(*this, run_once_2276, 2, {{'B', 180}}); }
void Frames::event_func_2277() { set_up_pad(*this, run_once_2277, 3, {{'B', 180}, {'D', 1}}); }
void Frames::event_func_2278() { set_up_pad(*this, run_once_2278, 4, {{'E', 1}}); }
void Frames::event_func_2279() { set_up_pad(*this, run_once_2279, 5, {{'B', 180}}); }
void Frames::event_func_2280() { set_up_pad(*this, run_once_2280, 6, {{'B', 180}}); }
void Frames::event_func_2281() { set_up_pad(*this, run_once_2281, 7, {{'B', 180}, {'D', 1}}); }
