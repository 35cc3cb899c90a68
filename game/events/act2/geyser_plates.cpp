// Geyser plates: the moving-platform events turn a plate's cycle angle E;
// these add the eruption. At r = E mod 360 = 180 the geyser bursts, up to
// 270 it puffs dust (or bubbles under water), up to 240 it throws a player
// standing on it, and past 240 the cycle runs out twice as fast.
#include "audio/media.h"
#include "game/events/items/item_events.h"
#include "game/frames/frames.h"
#include "game/objects/classes.h"
#include "objects/active.h"
#include "runtime/collision.h"

#include <cmath>

namespace {

constexpr int view_margin = 100;
constexpr unsigned burst_sample = 40;

ObjectList& plates(Frames& f) { return f.instances[types::LevelGeyserPlate_375]; }
ObjectList& dusts(Frames& f) { return f.instances[types::EffectsDust_310]; }
ObjectList& bubbles(Frames& f) { return f.instances[types::MediumBubble_363]; }
ObjectList& level(Frames& f) { return f.instances[types::MasterLevel_53]; }

double phase(const FrameObject& plate) { return std::fmod(get_value(plate, 'E'), 360); }

bool select_plates_in_view(Frames& f)
{
    return select(plates(f), [](FrameObject* p) { return !p->is_near_border(-view_margin); });
}

// The phase of the first kept plate.
double kept_phase(Frames& f) { return phase(selected_or_default(plates(f))); }

bool erupting(double r) { return r > 180 && r < 270; }

Active* sprite(FrameObject* object) { return static_cast<Active*>(object); }

// A puff or bubble centred on its plate, give or take 20 pixels.
void aim_at(FrameObject* effect, const FrameObject& plate, int event)
{
    effect->set_x(plate.get_x() - 20 + randrange_event(event, 41));
}

void scale_at_random(FrameObject* effect, int event)
{
    sprite(effect)->set_scale(float((9 + randrange_event(event, 5)) * 0.1));
}

void start_dust(FrameObject* dust, const FrameObject& plate, int event)
{
    dust->move_back();
    aim_at(dust, plate, event);
    sprite(dust)->force_speed(10);
    set_flag(dust, 1, true);
    scale_at_random(dust, event);
}

void start_bubble(FrameObject* bubble, const FrameObject& plate, int event)
{
    aim_at(bubble, plate, event);
    scale_at_random(bubble, event);
    set_flag(bubble, 1, true);
    set_value(bubble, 'D', (-10 - randrange_event(event, 11)) * 0.1);
}

// Each selected effect with the kept plate of its rank, wrapping.
template <class Start>
void start_with_plates(Frames& f, ObjectList& effects, Start start)
{
    int i = 0;
    for_each_selected(effects, [&](FrameObject* effect) { start(effect, *plates(f).get_wrapped_selection(i++)); });
}

// 2286, 2287: one puff per kept plate, the first one started at once.
void puff_dust(Frames& f, int event)
{
    FrameObject* first = create_at_each(f, plates(f), dusts(f), create_effectsdust_310, 0, 10);
    start_dust(first, selected_or_default(plates(f)), event);
}

}  // namespace

void Frames::event_func_2285()
{
    if (!level_group_43 || !select_plates_in_view(*this) || kept_phase(*this) != 180)
        return;
    create_at_each(*this, plates(*this), instances[types::EffectsExplosion01_130], create_effectsexplosion01_130);
    media.play_id(burst_sample, -1, 1);
    for_each_selected(plates(*this), [](FrameObject* p) { set_flag(p, 6, true); });
}

void Frames::event_func_2286()
{
    if (!level_group_43 || !select_plates_in_view(*this) || !erupting(kept_phase(*this)) ||
        get_value(level(*this), 'A') != 0)
        return;
    puff_dust(*this, 2286);
}

void Frames::event_func_2287()
{
    if (!level_group_43 || !select_plates_in_view(*this) || !erupting(kept_phase(*this)) ||
        get_value(level(*this), 'A') != 1)
        return;
    const double line = get_value(level(*this), 'B');
    if (!filter(plates(*this), [line](FrameObject* p) { return p->get_y() < line; }))
        return;
    puff_dust(*this, 2287);
}

void Frames::event_func_2288()
{
    if (!level_group_43 || !select_plates_in_view(*this) || !erupting(kept_phase(*this)) ||
        get_value(level(*this), 'A') != 1)
        return;
    const double line = get_value(level(*this), 'B');
    if (!filter(plates(*this), [line](FrameObject* p) { return p->get_y() >= line; }))
        return;
    select_all(dusts(*this));
    start_with_plates(*this, dusts(*this),
                      [](FrameObject* dust, const FrameObject& plate) { start_dust(dust, plate, 2288); });
    create_at_each(*this, plates(*this), bubbles(*this), create_mediumbubble_363, 0, 10);
}

void Frames::event_func_2289()
{
    if (!level_group_43)
        return;
    select_all(dusts(*this));
    select_all(plates(*this));
    if (!check_overlap(dusts(*this), plates(*this)) ||
        !filter(dusts(*this), [](FrameObject* d) { return !get_flag(*d, 1); }))
        return;
    start_with_plates(*this, dusts(*this),
                      [](FrameObject* dust, const FrameObject& plate) { start_dust(dust, plate, 2289); });
}

void Frames::event_func_2290()
{
    if (!level_group_43)
        return;
    select_all(bubbles(*this));
    select_all(plates(*this));
    if (!check_overlap(bubbles(*this), plates(*this)) ||
        !filter(bubbles(*this), [](FrameObject* b) { return !get_flag(*b, 1); }))
        return;
    start_with_plates(*this, bubbles(*this),
                      [](FrameObject* bubble, const FrameObject& plate) { start_bubble(bubble, plate, 2290); });
}

void Frames::event_func_2291()
{
    if (level_group_43 && select(dusts(*this), [](FrameObject* d) { return get_flag(*d, 1); }))
        for_each_selected(dusts(*this), [](FrameObject* d) { d->set_y(d->get_y() - 1); });
}

// Thrown up at 14 pixels a tick early in the eruption, at 8 near its end.
void Frames::event_func_2292()
{
    if (!level_group_43)
        return;
    ObjectList& player = instances[types::Player_87];
    select_all(player);
    select_all(plates(*this));
    ObjectList& values = instances[types::PlayerMovementValues_80];
    if (!check_overlap(player, plates(*this)) || get_value(values, 'M') == 10)
        return;
    const double r = kept_phase(*this);
    if (r <= 180 || r >= 240)
        return;
    set_value(values, 'L', 0);
    set_value(values, 'M', 40);
    set_value(values, 'G', (r - 180) * 0.1 - 14);
}

void Frames::event_func_2293()
{
    if (!level_group_43 || phase(instance_or_default(plates(*this))) <= 240)
        return;
    for_each_instance(plates(*this), [](FrameObject* p) {
        set_flag(p, 6, true);
        add_value(p, 'E', 2);
    });
}
