// Orrun's own events: an act started as Orrun goes back to the first frame,
// and the energy meter fills power cards (five at most); the five HUD cards
// show once all five are held, shining now and then.
#include "game/frames/event_support.h"
#include "game/frames/frames.h"
#include "objects/active.h"

namespace {

constexpr double card_limit = 5;
constexpr double energy_per_card = 100;
constexpr int plain_animation = 0, appear_animation = 7, shine_animation = 8;
constexpr double shine_after = 120;

bool orrun_only_on(const Frames& f) { return f.level_group_43 && f.level_group_23 && f.level_group_3 && f.level_group_50; }

Active* as_active(FrameObject* object) { return static_cast<Active*>(object); }

// The five cards share one block of values: the slot number is the last
// one the numbering wrote (5), so all five show and hide together.
double slot(const FrameObject& card) { return get_value(card, 'A'); }

bool hidden(const FrameObject& card) { return card.test_directions(1); }

}  // namespace

void Frames::event_func_1110()
{
    if (!orrun_only_on(*this) || !run_once(run_once_1110, loop_count))
        return;
    restart();
}

void Frames::event_func_1111()
{
    if (!orrun_only_on(*this))
        return;
    ObjectList& cards = instances[types::GUIPowerCard_337];
    if (!select(cards, [](FrameObject* card) { return get_value(*card, 'A') == 0; }))
        return;
    int slot = 1;
    for_each_selected(cards, [&slot](FrameObject* card) { set_value(card, 'A', slot++); });
}

void Frames::event_func_1112()
{
    if (!orrun_only_on(*this))
        return;
    ObjectList& energy = instances[types::GUIEnergy_76];
    if (get_value(energy, 'C') >= card_limit)
        set_value(energy, 'A', 0);
}

void Frames::event_func_1113()
{
    if (!orrun_only_on(*this))
        return;
    ObjectList& energy = instances[types::GUIEnergy_76];
    if (!(get_value(energy, 'A') >= energy_per_card) || !(get_value(energy, 'C') < card_limit))
        return;
    set_value(energy, 'A', 0);
    add_value(energy, 'C', 1);
}

void Frames::event_func_1114()
{
    if (!orrun_only_on(*this))
        return;
    ObjectList& cards = instances[types::GUIPowerCard_337];
    const double held = get_value(instances[types::GUIEnergy_76], 'C');
    if (!select(cards, [held](FrameObject* card) { return hidden(*card) && slot(*card) <= held; }))
        return;
    for_each_selected(cards, [](FrameObject* card) {
        as_active(card)->force_animation(appear_animation);
        card->set_direction(to_int(slot(*card)), true);
    });
}

void Frames::event_func_1115()
{
    if (!orrun_only_on(*this))
        return;
    ObjectList& cards = instances[types::GUIPowerCard_337];
    const double held = get_value(instances[types::GUIEnergy_76], 'C');
    if (!select(cards, [held](FrameObject* card) { return !hidden(*card) && slot(*card) > held; }))
        return;
    for_each_selected(cards, [](FrameObject* card) {
        card->set_direction(0, true);
        as_active(card)->force_animation(plain_animation);
        set_value(card, 'B', 0);
    });
}

// The timer is shared: it rises by the number of cards shown.
void Frames::event_func_1116()
{
    if (!orrun_only_on(*this))
        return;
    ObjectList& cards = instances[types::GUIPowerCard_337];
    if (select(cards, [](FrameObject* card) { return !hidden(*card); }))
        for_each_selected(cards, [](FrameObject* card) { add_value(card, 'B', 1); });
}

// A fresh draw per card; the shared timer keeps the last.
void Frames::event_func_1117()
{
    if (!orrun_only_on(*this))
        return;
    ObjectList& cards = instances[types::GUIPowerCard_337];
    if (!select(cards, [](FrameObject* card) { return get_value(*card, 'B') > shine_after; }))
        return;
    for_each_selected(cards, [](FrameObject* card) {
        set_value(card, 'B', randrange_event(1117, 60) - 100);
        as_active(card)->force_animation(plain_animation);
        as_active(card)->force_animation(shine_animation);
    });
}
