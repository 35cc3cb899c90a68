// Petals: they rest, settle after a throw, home in on the player when they
// start inside the ground, fly to the petal counter once collected and are
// counted there with two hearts, a link bonus while the counter is not
// full, and a counter that refills itself in the higher petal modes.
#include "audio/media.h"
#include "game/events/items/pickups.h"
#include "game/objects/classes.h"
#include "objects/active.h"
#include "objects/counter.h"
#include "runtime/collision.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double flying = 3;
constexpr double scattered = 2;
constexpr double lost = 1;
constexpr double full_counter = 14;
constexpr int hud_layer = 6;
constexpr unsigned count_sample = 4;

Counter* petal_counter(Frames& f) { return static_cast<Counter*>(instance_of(f.instances[types::GUIRings_74])); }

double counter_value(Frames& f)
{
    const Counter* counter = petal_counter(f);
    return counter ? counter->value : 0;
}

void add_petals(Frames& f, double count)
{
    if (Counter* counter = petal_counter(f))
        counter->add(count);
}

double petal_mode(Frames& f) { return f.global_values->get(12); }

bool collecting_allowed(Frames& f)
{
    const double mode = pickups::movement_mode(f);
    return mode != 10 && mode != 9;
}

// Two hearts on the HUD layer, which become the hearts' selection.
void make_two_hearts(Frames& f)
{
    ObjectList& hearts = f.instances[types::EffectsHeart_314];
    create_instance(f, hearts, create_effectsheart_314(-32, -32), hud_layer);
    create_another(f, hearts, create_effectsheart_314(-32, -32), hud_layer);
}

// Each heart: its x remembered from the view's left edge, an age of 0 to 35.
void start_heart(Frames& f, FrameObject* heart, int event)
{
    set_value(heart, 'A', heart->get_x() - f.new_display_x);
    set_value(heart, 'B', randrange_event(event, 36));
}

// The counter refills itself: two hearts rise from it.
void refill_counter(Frames& f, int event)
{
    add_petals(f, 1);
    make_two_hearts(f);
    const FrameObject& counter = instance_or_default(f.instances[types::GUIRings_74]);
    for_each_selected(f.instances[types::EffectsHeart_314], [&](FrameObject* heart) {
        heart->set_x(counter.get_x() + 16 - randrange_event(event, 16));
        heart->set_y(counter.get_y() + 16 - randrange_event(event, 16));
        start_heart(f, heart, event);
    });
}

bool refill_tick(Frames& f, int period)
{
    const double value = counter_value(f);
    return to_int(f.global_values->get(3)) % period == 0 && collecting_allowed(f) && value > 0 &&
           value < full_counter;
}

// Flying petals that reach the counter: one of them, drawn at random.
FrameObject* petal_at_counter(Frames& f, int event)
{
    ObjectList& petals = f.instances[types::ObjectPetal_117];
    ObjectList& counter = f.instances[types::GUIRings_74];
    if (!select(petals, [](FrameObject* p) { return get_value(*p, 'A') == flying; }))
        return nullptr;
    select_all(counter);
    if (!check_overlap(petals, counter))
        return nullptr;
    return pick_random_instance(event, petals);
}

// The petal is counted and leaves two hearts where it was.
void count_petal(Frames& f, FrameObject* petal, double count, int event)
{
    media.play_id(count_sample, -1, 1);
    add_petals(f, count);
    set_flag(petal, 0, true);
    petal->destroy();
    make_two_hearts(f);
    for_each_selected(f.instances[types::EffectsHeart_314], [&](FrameObject* heart) {
        const int x_plus = randrange_event(event, 16);
        const int x_minus = randrange_event(event, 16);
        heart->set_x(petal->get_x() + x_plus - x_minus);
        const int y_plus = randrange_event(event, 16);
        const int y_minus = randrange_event(event, 16);
        heart->set_y(petal->get_y() + y_plus - y_minus);
        start_heart(f, heart, event);
    });
}

// A thrown petal comes to rest on what it lands on after its first 5 ticks.
bool settling(FrameObject* petal) { return get_value(*petal, 'A') == scattered && get_value(*petal, 'I') > 5; }

void come_to_rest(ObjectList& petals)
{
    for_each_selected(petals, [](FrameObject* petal) {
        petal->advance_movement(-1);
        set_value(petal, 'A', 0);
    });
}

void settle_on(Frames& f, QualifierList& group)
{
    ObjectList& petals = f.instances[types::ObjectPetal_117];
    if (!select(petals, settling))
        return;
    select_all(group);
    if (check_overlap(petals, group))
        come_to_rest(petals);
}

// Hearts rise a pixel a tick, swaying 5 pixels about the x they started at
// (from the view's left edge on the HUD layer).
void sway_hearts(Frames& f, bool on_hud)
{
    ObjectList& hearts = f.instances[types::EffectsHeart_314];
    if (!select(hearts, [](FrameObject* h) { return get_value(*h, 'B') < 40; }))
        return;
    const FrameObject* first = hearts.back_selection();
    if (!first || (layer_index(*first) == hud_layer) != on_hud)
        return;
    const double left = on_hud ? f.new_display_x : 0;
    for_each_selected(hearts, [left](FrameObject* heart) {
        const double age = get_value(*heart, 'B');
        heart->set_x(to_int(left + get_value(*heart, 'A') + 5 * event_sin(10 * age)));
        heart->set_y(heart->get_y() - 1);
        set_value(heart, 'B', age + 1);
    });
}

}  // namespace

void Frames::event_func_1571()
{
    if (level_group_43 && run_once(run_once_1571, loop_count))
        for_each_instance(instances[types::LINK_186], [](FrameObject* link) { link->destroy(); });
}

void Frames::event_func_1572()
{
    if (!level_group_43)
        return;
    pickups::show_timer_frame(instances[types::ObjectPetal_117], frame_time, 80, 12);
    pickups::show_timer_frame(instances[types::ObjectKeystone_278], frame_time, 100, 4);
    pickups::show_timer_frame(instances[types::ObjectCrystal_239], frame_time, 100, 6);
}

void Frames::event_func_1573()
{
    if (level_group_43 && petal_mode(*this) == 2 && refill_tick(*this, 300))
        refill_counter(*this, 1573);
}

void Frames::event_func_1574()
{
    if (level_group_43 && petal_mode(*this) >= 3 && refill_tick(*this, 200))
        refill_counter(*this, 1574);
}

void Frames::event_func_1575()
{
    if (!level_group_43 || !collecting_allowed(*this))
        return;
    if (select(instances[types::ObjectPetal_117], [this](FrameObject* p) { return pickups::at_player(*this, *p, 32); }))
        run_open_loop(fast_loop_collect_item, "collect_item", &Frames::loop_collect_item_4);
}

// A collected petal flies to the counter and stops at it.
void Frames::event_func_1576()
{
    if (!level_group_43)
        return;
    ObjectList& petals = instances[types::ObjectPetal_117];
    if (!select(petals, [](FrameObject* p) { return get_value(*p, 'A') == flying; }))
        return;
    const FrameObject& counter = instance_or_default(instances[types::GUIRings_74]);
    for_each_selected(petals, [&counter](FrameObject* petal) {
        petal->set_x(to_int(std::max(petal->get_x() + get_value(*petal, 'I'), double(counter.get_x()))));
        petal->set_y(to_int(std::max(petal->get_y() + get_value(*petal, 'J'), double(counter.get_y()))));
    });
}

// A petal reaching a counter that is not full earns a link bonus: a label
// under the counter, a crystal credit and energy.
void Frames::event_func_1577()
{
    if (!level_group_43 || !petal_at_counter(*this, 1577) || counter_value(*this) >= full_counter)
        return;
    const FrameObject& counter = instance_or_default(instances[types::GUIRings_74]);
    FrameObject* label = create_instance(*this, instances[types::GUILinkBonus_316],
                                         create_guilinkbonus_316(counter.x - 4, counter.y + 34), layer_index(counter));
    add_value(instances[types::MasterLevel_53], 'J', 1);
    ObjectList& rows = instances[types::GUIScoreTimeRings_107];
    if (label) {
        static_cast<Active*>(label)->force_animation(7);
        label->set_y(to_int(label->get_y() + std::fmod(get_value(rows, 'H'), 14) * 12));
    }
    add_value(rows, 'H', 1);
    if (Counter* crystals = static_cast<Counter*>(instance_of(instances[types::GUICrystal_78])))
        crystals->subtract(1);
    ObjectList& energy = instances[types::GUIEnergy_76];
    set_value(energy, 'A', std::min(get_value(energy, 'A') + 5, 100.0));
    set_flag(energy, 1, true);
}

void Frames::event_func_1578()
{
    if (level_group_43 && instances[types::GUILinkBonus_316].size() == 0 && run_once(run_once_1578, loop_count))
        set_value(instances[types::GUIScoreTimeRings_107], 'H', 0);
}

void Frames::event_func_1579()
{
    if (!level_group_43 || petal_mode(*this) >= 3)
        return;
    if (FrameObject* petal = petal_at_counter(*this, 1579))
        count_petal(*this, petal, 1, 1579);
}

void Frames::event_func_1580()
{
    if (!level_group_43 || petal_mode(*this) < 3)
        return;
    if (FrameObject* petal = petal_at_counter(*this, 1580))
        count_petal(*this, petal, 2, 1580);
}

// Petals that start inside the ground (tested at the first of them) home in
// on the player.
void Frames::event_func_1581()
{
    if (!level_group_43)
        return;
    ObjectList& petals = instances[types::ObjectPetal_117];
    if (!select(petals, [](FrameObject* p) {
            return !get_flag(*p, 14) && get_value(*p, 'A') != scattered && !get_flag(*p, 2);
        }))
        return;
    const FrameObject* first = petals.back_selection();
    if (first && test_obstacle(first->get_x(), first->get_y()))
        for_each_selected(petals, [](FrameObject* p) { set_flag(p, 2, true); });
}

void Frames::event_func_1582()
{
    if (!level_group_43)
        return;
    ObjectList& petals = instances[types::ObjectPetal_117];
    if (select(petals, [](FrameObject* p) { return !get_flag(*p, 14) && get_value(*p, 'A') != scattered; }))
        for_each_selected(petals, [](FrameObject* p) { set_flag(p, 14, true); });
}

void Frames::event_func_1583()
{
    if (!level_group_43)
        return;
    ObjectList& petals = instances[types::ObjectPetal_117];
    if (select(petals, [](FrameObject* p) { return get_value(*p, 'A') == scattered; }))
        for_each_selected(petals, [](FrameObject* p) { add_value(p, 'I', 1); });
}

void Frames::event_func_1584()
{
    if (!level_group_43)
        return;
    ObjectList& petals = instances[types::ObjectPetal_117];
    if (select(petals, [](FrameObject* p) { return settling(p) && p->overlaps_background(); }))
        come_to_rest(petals);
}

void Frames::event_func_1585()
{
    if (level_group_43)
        settle_on(*this, qualifier_1);
}

void Frames::event_func_1586()
{
    if (level_group_43)
        settle_on(*this, qualifier_2);
}

// A lost petal goes once it falls 30 pixels below the screen.
void Frames::event_func_1587()
{
    if (!level_group_43)
        return;
    ObjectList& petals = instances[types::ObjectPetal_117];
    const int bottom = new_display_y + 270;
    if (select(petals, [bottom](FrameObject* p) { return get_value(*p, 'A') == lost && p->get_y() > bottom; }))
        for_each_selected(petals, [](FrameObject* p) { p->destroy(); });
}

void Frames::event_func_1588()
{
    if (level_group_43)
        sway_hearts(*this, false);
}

void Frames::event_func_1589()
{
    if (level_group_43)
        sway_hearts(*this, true);
}

void Frames::event_func_1590()
{
    if (!level_group_43)
        return;
    ObjectList& hearts = instances[types::EffectsHeart_314];
    if (select(hearts, [](FrameObject* h) { return get_value(*h, 'B') >= 40; }))
        for_each_selected(hearts, [](FrameObject* h) { h->destroy(); });
}

void Frames::event_func_1591()
{
    if (!level_group_43)
        return;
    ObjectList& petals = instances[types::ObjectPetal_117];
    if (select(petals, [](FrameObject* p) { return get_flag(*p, 2) && get_value(*p, 'A') != flying; }))
        for_each_selected(petals, [this](FrameObject* p) { pickups::home_in(*this, p, 'D'); });
}
