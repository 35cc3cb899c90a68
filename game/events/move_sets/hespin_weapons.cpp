#include "game/events/move_sets/hespin_weapons.h"

#include "audio/media.h"
#include "game/objects/classes.h"

#include <algorithm>

namespace {
constexpr unsigned hit_sample = 21;
constexpr int hit_shader = 17;
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

bool shots_on_background(Frames& f, const ShotTest& test)
{
    return select(f.instances[types::PlayerProjectile_336],
                  [&test](FrameObject* shot) { return test(shot) && shot->overlaps_background(); });
}

bool shots_on_solids(Frames& f, const ShotTest& test, bool solids_with_flag_0_off)
{
    ObjectList& shots = f.instances[types::PlayerProjectile_336];
    select_all(f.qualifier_1);
    if (!select(shots, test) || !check_overlap(shots, f.qualifier_1))
        return false;
    return !solids_with_flag_0_off || filter(f.qualifier_1, [](FrameObject* solid) { return !get_flag(*solid, 0); });
}

bool shots_on_enemies(Frames& f, const ShotTest& test)
{
    ObjectList& shots = f.instances[types::PlayerProjectile_336];
    select_all(f.qualifier_17);
    return select(shots, test) && check_overlap(shots, f.qualifier_17);
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
