#include "game/events/move_sets/hespin_weapons.h"

#include "audio/media.h"
#include "game/objects/classes.h"

#include <algorithm>
#include <unordered_set>

namespace {

constexpr unsigned hit_sample = 21;
constexpr int hit_shader = 17;
constexpr double fall_limit = 15;

bool any_shot(FrameObject*) { return true; }

// One contact block: the projectiles passing `before` that touch it and then
// pass `after`, left selected; false when none. A solid counts for every
// shot left when any shot passing `before` touches it.
bool shots_touch(Frames& f, const ShotTest& before, const ShotTest& after, Contact contact)
{
    ObjectList& shots = f.instances[types::PlayerProjectile_336];
    switch (contact) {
    case Contact::background:
        return select(shots,
                      [&](FrameObject* shot) { return before(shot) && after(shot) && shot->overlaps_background(); });
    case Contact::solids:
    case Contact::solids_flag_0_off:
        select_all(f.qualifier_1);
        if (!select(shots, before) || !check_overlap(shots, f.qualifier_1) || !filter(shots, after))
            return false;
        return contact == Contact::solids ||
               filter(f.qualifier_1, [](FrameObject* solid) { return !get_flag(*solid, 0); });
    case Contact::enemies:
        select_all(f.qualifier_17);
        return select(shots, before) && check_overlap(shots, f.qualifier_17) && filter(shots, after);
    }
    return false;
}

// The shots of every block that holds, selected in chain order.
bool select_touching(Frames& f, const ShotTest& before, const ShotTest& after,
                     std::initializer_list<Contact> contacts)
{
    ObjectList& shots = f.instances[types::PlayerProjectile_336];
    std::unordered_set<FrameObject*> touching;
    for (const Contact contact : contacts)
        if (shots_touch(f, before, after, contact))
            for_each_selected(shots, [&touching](FrameObject* shot) { touching.insert(shot); });
    return select(shots, [&touching](FrameObject* shot) { return touching.count(shot) != 0; });
}

}  // namespace

Weapon current_weapon(Frames& f)
{
    const int slot = to_int(get_value(f.instances[types::PlayerSkinHespin_351], 'D'));
    return {hespin::saved(f, 2 * slot + 24), hespin::saved(f, 2 * slot + 25)};
}

void strike(FrameObject& enemy, const FrameObject& shot, double cool_down)
{
    set_value(&enemy, 'C', cool_down);
    set_value(&enemy, 'X', get_value(shot, 'C') * 0.5);
    set_value(&enemy, 'Y', get_value(shot, 'D') * 0.5);
    add_value(&enemy, 'A', -get_value(shot, 'I'));
    enemy.set_shader(hit_shader);
}

void play_hit_sound() { media.play_id(hit_sample, -1, 1); }

void shake_at_least(Frames& f, double strength)
{
    for_each_instance(f.instances[types::MasterCamera_190], [strength](FrameObject* camera) {
        set_value(camera, 'Z', std::max(get_value(*camera, 'Z'), strength));
    });
}

FrameObject* flash_at_each(Frames& f, ObjectList& sources)
{
    return create_at_each(f, sources, f.instances[types::EffectsWhiteBurst_31], create_effectswhiteburst_31);
}

bool select_filtered_then_touching(Frames& f, const ShotTest& test, std::initializer_list<Contact> contacts)
{
    return select_touching(f, test, any_shot, contacts);
}

bool select_touching_then_filtered(Frames& f, const ShotTest& kind, const ShotTest& state,
                                   std::initializer_list<Contact> contacts)
{
    return select_touching(f, kind, state, contacts);
}

void arms_at_selected_shots(Frames& f)
{
    ObjectList& shots = f.instances[types::PlayerProjectile_336];
    int n = 0;
    for_each_instance(f.instances[types::PlayerSkinHespinArm_350], [&](FrameObject* arm) {
        const FrameObject* shot = shots.get_wrapped_selection(n++);
        if (!shot)
            return;
        set_value(arm, 'X', shot->get_x());
        set_value(arm, 'Y', shot->get_y());
    });
}

void burst_selected(Frames& f, bool spent)
{
    ObjectList& bombs = f.instances[types::PlayerProjectile_336];
    flash_at_each(f, bombs);
    for_each_selected(bombs, [spent](FrameObject* bomb) {
        bomb->set_visible(false);
        set_value(bomb, 'C', 0);
        set_value(bomb, 'D', 0);
        if (spent)
            set_value(bomb, 'K', 2);
    });
    arms_at_selected_shots(f);
}

void fall_with_age_held(Frames& f, const ShotTest& test, double gravity)
{
    for_each_shot(f, test, [gravity](FrameObject* bomb) {
        set_value(bomb, 'H', 0);
        set_value(bomb, 'D', std::min(get_value(*bomb, 'D') + gravity, fall_limit));
    });
}

void projectile_hit(Frames& f, int event, const ShotTest& test, double cool_down)
{
    FrameObject* enemy = pick_struck_enemy(f, event, test);
    if (!enemy)
        return;
    ObjectList& shots = f.instances[types::PlayerProjectile_336];
    strike(*enemy, *shots.back_selection(), cool_down);
    play_hit_sound();
    for_each_selected(shots, [](FrameObject* shot) { set_flag(shot, 3, true); });
}
