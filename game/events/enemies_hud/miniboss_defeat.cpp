// The miniboss's defeat: small explosions on the frozen body every seventh
// tick, then the break-up (body and turret gone in a large blast, the legs
// flung apart to fall while they blink), and 41 ticks later the arena
// cleared: the remains and the barrier go, and two crystals are left at the
// railing.
#include "audio/media.h"
#include "game/events/enemies_hud/miniboss.h"
#include "game/frames/event_support.h"
#include "game/objects/classes.h"

#include <string>

using namespace miniboss;

namespace {

constexpr unsigned break_up_sample = 34;
constexpr unsigned cleared_sample = 36;
constexpr double explosions_before_break_up = 20;
constexpr double debris_ticks = 40;
constexpr double debris_gravity = 0.4;

ObjectList& railings(Frames& f) { return f.instances[types::MinibossRailing_292]; }

// The legs and the turret are shown or hidden together.
void show_rig(Frames& f, bool shown)
{
    auto set = [shown](FrameObject* o) { o->set_visible(shown); };
    for (const Segment& segment : segments)
        for_each_instance(f.instances[segment.type], set);
    for_each_instance(turrets(f), set);
}

bool a_weak_spot_blinks(Frames& f, bool hidden)
{
    return select(weak_spots(f), [hidden](FrameObject* w) { return get_flag(*w, 10) == hidden; });
}

template <class Action>
void for_each_segment(Frames& f, Action action)
{
    for (const Segment& segment : segments)
        for_each_instance(f.instances[segment.type], [&](FrameObject* s) { action(s, segment); });
}

// The body has gone from its list (a tick after it was destroyed).
bool body_gone(Frames& f) { return bodies(f).size() == 0; }

}  // namespace

// The blink turns every second tick of the debris.
void Frames::event_func_2021()
{
    if (!defeated(*this) || !select(weak_spots(*this), [](FrameObject* w) { return get_value(*w, 'F') > 1; }))
        return;
    for_each_selected(weak_spots(*this), [](FrameObject* w) {
        set_flag(w, 10, !get_flag(*w, 10));
        set_value(w, 'F', 0);
    });
}

void Frames::event_func_2022()
{
    if (defeated(*this) && a_weak_spot_blinks(*this, false))
        show_rig(*this, true);
}

void Frames::event_func_2023()
{
    if (defeated(*this) && a_weak_spot_blinks(*this, true))
        show_rig(*this, false);
}

// On every seventh gameplay tick: a small explosion somewhere on the body,
// counted, with one of three explosion sounds.
void Frames::event_func_2024()
{
    if (!defeated(*this) || to_int(global_values->get(3)) % 7 != 0 || bodies(*this).size() == 0)
        return;
    select_all(bodies(*this));
    FrameObject* blast =
        create_at_each(*this, bodies(*this), instances[types::EffectsExplosion06_291], create_effectsexplosion06_291);
    if (blast) {
        blast->set_x(blast->get_x() - 20 + randrange_event(2024, 41));
        blast->set_y(blast->get_y() - 30 + randrange_event(2024, 61));
    }
    for_each_instance(bodies(*this), [](FrameObject* b) { add_value(b, 'G', 1); });
    run_named_loop("sound_explode" + std::to_string(3 + randrange_event(2024, 3)), 1);
}

// After the 21st explosion: the body and the turret go in a large blast and
// the legs are flung apart.
void Frames::event_func_2025()
{
    ObjectList& list = bodies(*this);
    if (!defeated(*this) || !select(list, [](FrameObject* b) { return get_value(*b, 'G') > explosions_before_break_up; }))
        return;
    if (!run_once(run_once_2025, loop_count))
        return;
    media.play_id(break_up_sample, -1, 1);
    for_each_segment(*this, [](FrameObject* s, const Segment& segment) {
        set_value(s, 'B', segment.fly_x);
        set_value(s, 'C', segment.fly_y);
    });
    for_each_instance(turrets(*this), [](FrameObject* t) { t->destroy(); });
    for_each_selected(list, [](FrameObject* b) { b->destroy(); });
    create_at_each(*this, list, instances[types::EffectShade_309], create_effectshade_309, 0, 21);
    create_at_each(*this, list, instances[types::EffectsExplosion01_130], create_effectsexplosion01_130);
}

void Frames::event_func_2026()
{
    if (!defeated(*this) || !body_gone(*this))
        return;
    for_each_segment(*this, [](FrameObject* s, const Segment&) {
        s->set_x(to_int(s->get_x() + get_value(*s, 'B')));
        s->set_y(to_int(s->get_y() + get_value(*s, 'C')));
    });
}

// The legs fall faster each tick; the blink and the railing's end clock run.
void Frames::event_func_2027()
{
    if (!defeated(*this) || !body_gone(*this))
        return;
    for_each_segment(*this, [](FrameObject* s, const Segment&) { add_value(s, 'C', debris_gravity); });
    for_each_instance(weak_spots(*this), [](FrameObject* w) { add_value(w, 'F', 1); });
    for_each_instance(railings(*this), [](FrameObject* r) { add_value(r, 'G', 1); });
}

// The arena is cleared once: two crystals at the railing, behind everything
// else on its layer, and the way on is open.
void Frames::event_func_2028()
{
    ObjectList& list = railings(*this);
    if (!defeated(*this) || !select(list, [](FrameObject* r) { return get_value(*r, 'G') > debris_ticks; }))
        return;
    if (!once(once_2028))
        return;
    for_each_instance(weak_spots(*this), [](FrameObject* w) { w->destroy(); });
    ObjectList& crystals = instances[types::ObjectCrystal_239];
    crystals.empty_selection();
    for_each_selected(list, [&](FrameObject* r) {
        const int layer = layer_index(*r);
        create_another(*this, crystals, create_objectcrystal_239(r->x, r->y + 12), layer);
        create_another(*this, crystals, create_objectcrystal_239(r->x, r->y + 36), layer);
    });
    media.play_id(cleared_sample, -1, 1);
    for_each_selected(list, [](FrameObject* r) { r->destroy(); });
    for_each_instance(instances[types::MinibossBarrier_308], [](FrameObject* b) { b->destroy(); });
    for_each_selected(crystals, [](FrameObject* c) { c->move_back(); });
    for_each_segment(*this, [](FrameObject* s, const Segment&) { s->destroy(); });
}
