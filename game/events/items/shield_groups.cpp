// The shield the player wears: one event group per kind, of which only the
// current kind's runs; each starts its sprite when the kind changes, shows
// it in front of the player and runs its own effects (leaves and a petal
// for every 15 crystals of the wood shield, bubbles of the water shield,
// the flame going out, nearby petals or crystals marked for collection).
#include "audio/media.h"
#include "game/events/items/item_events.h"
#include "game/frames/event_support.h"
#include "game/frames/frames.h"
#include "game/objects/classes.h"
#include "objects/active.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {

constexpr int start_animation = 7;
constexpr int worn = 1;  // sprite flag: worn by the player (not shown on a box)
constexpr int leaf_frame = 0;
constexpr int bubble_frame = 2;
constexpr unsigned petal_thrown_sample = 51;
constexpr unsigned flame_out_sample = 11;

using GroupFlag = bool Frames::*;

GroupFlag shield_group(int kind)
{
    switch (kind) {
    case 1: return &Frames::level_group_20;  // wood
    case 2: return &Frames::level_group_4;   // flame
    case 3: return &Frames::level_group_9;   // magnetic
    case 4: return &Frames::level_group_35;  // water
    default: return &Frames::level_group_38;  // earth
    }
}

bool in_group(Frames& frames, int kind) { return frames.level_group_43 && frames.*shield_group(kind); }

double shield_kind(Frames& frames) { return get_value(frames.instances[types::PlayerOthers_75], 'B'); }

bool plays_start(const FrameObject* sprite) { return static_cast<const Active*>(sprite)->test_animation(start_animation); }

bool select_worn(ObjectList& sprites)
{
    return select(sprites, [](FrameObject* sprite) { return get_flag(*sprite, worn); });
}

void switch_on_for(Frames& frames, int kind)
{
    bool& group = frames.*shield_group(kind);
    if (frames.level_group_43 && shield_kind(frames) == kind && !group)
        activate_group(group);
}

// The start of a shield, once per change of kind: the start animation, and
// the last shield's particles gone.
enum class StartExtra { none, clear_a, visible_clear_a, water, particles_first };

void start_shield(Frames& frames, int kind, int sprite_type, StartExtra extra)
{
    if (!in_group(frames, kind))
        return;
    ObjectList& sprites = frames.instances[sprite_type];
    ObjectList& sensor = frames.instances[types::PlayerCharacterSensor_151];
    if (!select_worn(sprites) || get_value(sensor, 'S') == shield_kind(frames))
        return;
    auto destroy_particles = [&] {
        for_each_instance(frames.instances[types::EffectsShield_313], [](FrameObject* p) { p->destroy(); });
    };
    if (extra == StartExtra::particles_first)
        destroy_particles();
    for_each_selected(sprites, [extra](FrameObject* sprite) {
        if (extra == StartExtra::visible_clear_a)
            sprite->set_visible(true);
        static_cast<Active*>(sprite)->force_animation(start_animation);
    });
    if (extra != StartExtra::particles_first)
        destroy_particles();
    if (extra == StartExtra::clear_a || extra == StartExtra::visible_clear_a)
        for_each_selected(sprites, [](FrameObject* sprite) { set_value(sprite, 'A', 0); });
    if (extra == StartExtra::water) {
        const double character = get_value(frames.instances[types::PlayerMovementValues_80], 'A');
        set_value(frames.instances[types::PlayerOthers_75], 'J', -30 * (1 - std::min(character, 1.0)));
    }
    set_value(sensor, 'S', shield_kind(frames));
}

// While not invincible, the worn sprite shows just in front of the player.
void show_shield(Frames& frames, int kind, int sprite_type)
{
    if (!in_group(frames, kind))
        return;
    ObjectList& sprites = frames.instances[sprite_type];
    if (!select_worn(sprites) || get_value(frames.instances[types::PlayerOthers_75], 'D') == 1)
        return;
    for_each_selected(sprites, [](FrameObject* sprite) { sprite->set_visible(true); });
    if (FrameObject* sprite = sprites.back_selection())
        sprite->move_front(instance_of(frames.instances[types::PlayerSkinYelto_102]));
}

bool level_tick_multiple_of(Frames& frames, int n) { return to_int(frames.global_values->get(3)) % n == 0; }

// A leaf or bubble leaves the worn sprite once its start animation has
// ended, thrown at 30 to 150 degrees, just behind the player's hair.
FrameObject* spawn_particle(Frames& frames, int event, int sprite_type, int frame, int every, double b_sign)
{
    ObjectList& sprites = frames.instances[sprite_type];
    if (!select(sprites, [=](FrameObject* sprite) {
            return get_flag(*sprite, worn) && !plays_start(sprite) && (frame < 0 || frame_of(sprite) == frame);
        }))
        return nullptr;
    if (!level_tick_multiple_of(frames, every))
        return nullptr;
    FrameObject* particle =
        create_at_each(frames, sprites, frames.instances[types::EffectsShield_313], create_effectsshield_313);
    if (!particle)
        return nullptr;
    auto* active = static_cast<Active*>(particle);
    active->force_frame(sprite_type == types::ShieldWood_103 ? leaf_frame : bubble_frame);
    active->stop_animation();
    const double angle = 30 + randrange_event(event, 121);
    set_value(particle, 'C', angle);
    set_value(particle, 'A', 26 * event_cos(angle));
    set_value(particle, 'B', b_sign * 26 * event_sin(angle));
    particle->move_back(instance_of(frames.instances[types::PlayerSkinYeltoHair_209]));
    return particle;
}

void destroy_particles_where(Frames& frames, bool (*test)(FrameObject*))
{
    ObjectList& particles = frames.instances[types::EffectsShield_313];
    if (select(particles, test))
        for_each_selected(particles, [](FrameObject* p) { p->destroy(); });
}

void fade_by(FrameObject* object, int steps) { set_semi_transparency(*object, semi_transparency(*object) + steps); }

// Items near the player, in three steps: near (flag 4), then marked
// (flag 2) at once when resting, or, when launched, once their box lies
// within the view widened by 50 pixels, when they are also sent back to
// their first movement. (Read as the other view tests of the items read
// the same call: with the call true, a launched item would be taken only
// from 50 pixels beyond the view, which an item near the player never is.)
void mark_near(Frames& frames, ObjectList& items)
{
    const FrameObject& player = instance_or_default(frames.instances[types::Player_87]);
    const int px = player.get_x(), py = player.get_y();
    if (select(items, [=](FrameObject* item) {
            return !get_flag(*item, 4) && std::abs(item->get_x() - px) < 120 && std::abs(item->get_y() - py) < 120;
        }))
        for_each_selected(items, [](FrameObject* item) { set_flag(item, 4, true); });
}

void mark_resting(ObjectList& items)
{
    if (select(items, [](FrameObject* item) {
            return get_flag(*item, 4) && !get_flag(*item, 2) && get_value(*item, 'A') == 0 && !get_flag(*item, 0);
        }))
        for_each_selected(items, [](FrameObject* item) { set_flag(item, 2, true); });
}

template <class Then>
void mark_launched(ObjectList& items, Then then)
{
    if (!select(items, [](FrameObject* item) {
            return get_flag(*item, 4) && !get_flag(*item, 2) && get_flag(*item, 0) && !item->is_near_border(-50);
        }))
        return;
    for_each_selected(items, [](FrameObject* item) {
        set_flag(item, 2, true);
        item->advance_movement(-1);
    });
    for_each_selected(items, then);
}

}  // namespace

void Frames::event_func_1739()
{
    if (!level_group_43)
        return;
    for (int kind = 1; kind <= 5; ++kind)
        deactivate_group(this->*shield_group(kind));
}

void Frames::event_func_1740() { switch_on_for(*this, 1); }
void Frames::event_func_1741() { switch_on_for(*this, 2); }
void Frames::event_func_1742() { switch_on_for(*this, 3); }
void Frames::event_func_1743() { switch_on_for(*this, 4); }
void Frames::event_func_1744() { switch_on_for(*this, 5); }

void Frames::event_func_1745() { start_shield(*this, 1, types::ShieldWood_103, StartExtra::clear_a); }

void Frames::event_func_1746() { show_shield(*this, 1, types::ShieldWood_103); }

void Frames::event_func_1747()
{
    if (!in_group(*this, 1))
        return;
    FrameObject* leaf = spawn_particle(*this, 1747, types::ShieldWood_103, -1, 8, -1);
    if (!leaf)
        return;
    set_value(leaf, 'D', randrange_event(1747, 360));
    leaf->set_angle(randrange_event(1747, 360), 0);
}

// Leaves sway down and fade, turning as they go.
void Frames::event_func_1748()
{
    if (!in_group(*this, 1))
        return;
    ObjectList& particles = instances[types::EffectsShield_313];
    if (!select(particles, [](FrameObject* p) { return frame_of(p) == leaf_frame; }))
        return;
    for_each_selected(particles, [](FrameObject* leaf) {
        add_value(leaf, 'B', 0.7);
        add_value(leaf, 'A', 1.3 * event_cos(get_value(*leaf, 'D')));
        add_value(leaf, 'D', 8);
        fade_by(leaf, 2);
        leaf->set_angle(leaf->get_angle() + 4, 0);
    });
}

void Frames::event_func_1749()
{
    if (in_group(*this, 1))
        destroy_particles_where(*this, [](FrameObject* p) { return get_value(*p, 'B') > 64; });
}

// Every 15 crystals the wood shield throws a petal straight up.
void Frames::event_func_1750()
{
    if (!in_group(*this, 1))
        return;
    ObjectList& shields = instances[types::ShieldWood_103];
    if (!select(shields, [](FrameObject* s) { return get_value(*s, 'A') >= 15 && get_flag(*s, worn); }))
        return;
    for_each_selected(shields, [](FrameObject* s) { set_value(s, 'A', 0); });
    FrameObject* petal = create_at_each(*this, shields, instances[types::ObjectPetal_117], create_objectpetal_117);
    if (petal) {
        petal->advance_movement(1);
        set_value(petal, 'A', 2);
        petal->set_direction(8, true);
    }
    media.play_id(petal_thrown_sample, -1, 1);
}

void Frames::event_func_1751()
{
    if (in_group(*this, 1))
        mark_near(*this, instances[types::ObjectPetal_117]);
}

void Frames::event_func_1752()
{
    if (in_group(*this, 1))
        mark_resting(instances[types::ObjectPetal_117]);
}

void Frames::event_func_1753()
{
    if (!in_group(*this, 1))
        return;
    mark_launched(instances[types::ObjectPetal_117], [](FrameObject* petal) {
        set_value(petal, 'G', 5);
        set_value(petal, 'H', 0.5);
        set_value(petal, 'A', 0);
    });
}

void Frames::event_func_1754() { start_shield(*this, 2, types::ShieldFlameFront_104, StartExtra::none); }

void Frames::event_func_1755() { show_shield(*this, 2, types::ShieldFlameBack_152); }

void Frames::event_func_1756() { show_shield(*this, 2, types::ShieldFlameFront_104); }

void Frames::event_func_1757()
{
    if (!in_group(*this, 2))
        return;
    ObjectList& others = instances[types::PlayerOthers_75];
    if (get_value(others, 'H') != 1)
        return;
    set_value(others, 'B', 0);
    media.play_id(flame_out_sample, -1, 1);
    set_value(others, 'C', 0);
}

void Frames::event_func_1758() { start_shield(*this, 3, types::ShieldMagnetic_105, StartExtra::visible_clear_a); }

void Frames::event_func_1759() { show_shield(*this, 3, types::ShieldMagnetic_105); }

void Frames::event_func_1760() { start_shield(*this, 4, types::ShieldWater_106, StartExtra::water); }

void Frames::event_func_1761() { show_shield(*this, 4, types::ShieldWater_106); }

// The water sprite turns a quarter on each first tick of its frame 4.
void Frames::event_func_1762()
{
    if (!in_group(*this, 4))
        return;
    ObjectList& sprites = instances[types::ShieldWater_106];
    if (!select(sprites, [](FrameObject* s) { return get_flag(*s, worn) && !plays_start(s) && frame_of(s) == 4; }))
        return;
    if (!run_once(run_once_1762, loop_count))
        return;
    for_each_selected(sprites, [](FrameObject* s) { s->set_angle(s->get_angle() + 90, 0); });
}

void Frames::event_func_1763()
{
    if (!in_group(*this, 4))
        return;
    if (FrameObject* bubble = spawn_particle(*this, 1763, types::ShieldWater_106, 0, 3, 1))
        bubble->set_shader(28);
}

// Bubbles rise and fade.
void Frames::event_func_1764()
{
    if (!in_group(*this, 4))
        return;
    ObjectList& particles = instances[types::EffectsShield_313];
    if (!select(particles, [](FrameObject* p) { return frame_of(p) == bubble_frame && !get_flag(*p, 6); }))
        return;
    for_each_selected(particles, [](FrameObject* bubble) {
        add_value(bubble, 'B', -1);
        fade_by(bubble, 3);
    });
}

void Frames::event_func_1765()
{
    if (in_group(*this, 4))
        destroy_particles_where(*this, [](FrameObject* p) { return get_value(*p, 'B') < -64; });
}

// A bubble that has risen past the player's head bursts. The height is
// taken from the first bubble kept so far, as the condition reads it.
void Frames::event_func_1766()
{
    if (!in_group(*this, 4))
        return;
    ObjectList& particles = instances[types::EffectsShield_313];
    if (!select(particles, [](FrameObject* p) { return frame_of(p) == bubble_frame; }))
        return;
    const double skin_y = instance_or_default(instances[types::PlayerSkinYelto_102]).get_y();
    const FrameObject* first_kept = nullptr;
    const bool any = filter(particles, [&](FrameObject* bubble) {
        const FrameObject& reference = first_kept ? *first_kept : *bubble;
        const bool burst = bubble->get_y() <= skin_y - 10 - 24 * event_sin(get_value(reference, 'C'));
        if (burst && !first_kept)
            first_kept = bubble;
        return burst;
    });
    if (any)
        for_each_selected(particles, [](FrameObject* bubble) { bubble->destroy(); });
}

void Frames::event_func_1767() { start_shield(*this, 5, types::ShieldEarth_315, StartExtra::particles_first); }

void Frames::event_func_1768() { show_shield(*this, 5, types::ShieldEarth_315); }

void Frames::event_func_1769()
{
    if (in_group(*this, 5))
        mark_near(*this, instances[types::ObjectCrystal_239]);
}

void Frames::event_func_1770()
{
    if (in_group(*this, 5))
        mark_resting(instances[types::ObjectCrystal_239]);
}

void Frames::event_func_1771()
{
    if (!in_group(*this, 5))
        return;
    mark_launched(instances[types::ObjectCrystal_239], [](FrameObject* crystal) {
        set_flag(crystal, 0, false);
        set_value(crystal, 'G', 8);
        set_value(crystal, 'H', 0.5);
    });
}
