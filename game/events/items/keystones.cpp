// Keystones: a new one remembers where it appeared, drifts from there with
// a launch speed that dies away and bobs about that point, all in step; it
// is drawn to the player who comes near (or at once when it starts inside
// the ground or far out of view) and collected on touch.
#include "game/events/items/pickups.h"
#include "game/objects/classes.h"

namespace {

constexpr double drift_easing = 0.1;
constexpr int draw_distance = 120;

bool fresh(FrameObject* k) { return get_value(*k, 'F') == 0; }

bool hovering(const FrameObject& k) { return get_value(k, 'G') == 0 && get_value(k, 'E') == 0; }

void draw_to_player(ObjectList& keystones)
{
    for_each_selected(keystones, [](FrameObject* k) { set_value(k, 'G', 1); });
}

// The home point drifts by the launch speed, which eases towards 0.
void drift(FrameObject* k, double eased)
{
    set_value(k, 'F', get_value(*k, 'F') + get_value(*k, 'B'));
    set_value(k, 'B', eased);
    set_value(k, 'H', get_value(*k, 'H') + get_value(*k, 'I'));
}

}  // namespace

void Frames::event_func_1599()
{
    if (!level_group_43)
        return;
    ObjectList& keystones = instances[types::ObjectKeystone_278];
    if (select(keystones, [](FrameObject* k) { return fresh(k) && k->overlaps_background(); }))
        draw_to_player(keystones);
}

void Frames::event_func_1600()
{
    if (!level_group_43)
        return;
    ObjectList& keystones = instances[types::ObjectKeystone_278];
    if (select(keystones, [](FrameObject* k) { return fresh(k) && k->is_near_border(-50); }))
        draw_to_player(keystones);
}

void Frames::event_func_1601()
{
    if (!level_group_43)
        return;
    ObjectList& keystones = instances[types::ObjectKeystone_278];
    if (select(keystones, fresh))
        for_each_selected(keystones, [](FrameObject* k) {
            set_value(k, 'F', k->get_y());
            set_value(k, 'H', k->get_x());
        });
}

// Every hovering keystone bobs 4 pixels about its home, one turn in 240 ticks.
void Frames::event_func_1602()
{
    if (!level_group_43)
        return;
    ObjectList& keystones = instances[types::ObjectKeystone_278];
    if (!select(keystones, [](FrameObject* k) { return !fresh(k) && hovering(*k); }))
        return;
    const double bob = event_sin(1.5 * to_int(global_values->get(3)));
    for_each_selected(keystones, [bob](FrameObject* k) {
        k->set_y(to_int(get_value(*k, 'F') + 4 * bob));
        k->set_x(to_int(get_value(*k, 'H')));
    });
}

void Frames::event_func_1603()
{
    if (!level_group_43)
        return;
    ObjectList& keystones = instances[types::ObjectKeystone_278];
    if (select(keystones, [](FrameObject* k) { return get_value(*k, 'B') < 0 && hovering(*k); }))
        for_each_selected(keystones, [](FrameObject* k) {
            const double eased = get_value(*k, 'B') + drift_easing;
            drift(k, eased < 0 ? eased : 0);
        });
}

void Frames::event_func_1604()
{
    if (!level_group_43)
        return;
    ObjectList& keystones = instances[types::ObjectKeystone_278];
    if (select(keystones, [](FrameObject* k) { return get_value(*k, 'B') > 0 && hovering(*k); }))
        for_each_selected(keystones, [](FrameObject* k) {
            const double eased = get_value(*k, 'B') - drift_easing;
            drift(k, eased < 0 ? 0 : eased);
        });
}

// A settled keystone within 120 pixels of the player is drawn to it.
void Frames::event_func_1605()
{
    if (!level_group_43)
        return;
    const FrameObject& player = instance_or_default(instances[types::Player_87]);
    const int px = player.get_x(), py = player.get_y();
    ObjectList& keystones = instances[types::ObjectKeystone_278];
    if (select(keystones, [px, py](FrameObject* k) {
            const int x = k->get_x(), y = k->get_y();
            return hovering(*k) && get_value(*k, 'B') == 0 && px - draw_distance < x && x < px + draw_distance &&
                   py - draw_distance < y && y < py + draw_distance;
        }))
        draw_to_player(keystones);
}

void Frames::event_func_1606()
{
    if (!level_group_43)
        return;
    ObjectList& keystones = instances[types::ObjectKeystone_278];
    if (select(keystones, [](FrameObject* k) { return get_value(*k, 'G') == 1; }))
        for_each_selected(keystones, [this](FrameObject* k) {
            pickups::home_in(*this, k, 'A');
            set_value(k, 'B', 0);
        });
}

void Frames::event_func_1607()
{
    if (!level_group_43)
        return;
    const double mode = pickups::movement_mode(*this);
    if (mode == 8 || mode == 9)
        return;
    if (select(instances[types::ObjectKeystone_278],
               [this](FrameObject* k) { return get_value(*k, 'B') == 0 && pickups::at_player(*this, *k, 32); }))
        run_open_loop(fast_loop_collect_item, "collect_item", &Frames::loop_collect_item_4);
}
