#include "game/events/move_sets/hespin_weapons.h"

#include "audio/media.h"
#include "game/objects/classes.h"
#include "objects/arrayext.h"

#include <algorithm>

namespace {
constexpr unsigned hit_sample = 21;
constexpr int hit_shader = 17;
}  // namespace

int saved_weapon_row(Frames& f, int row)
{
    auto* save = static_cast<ArrayObject*>(instance_of(f.instances[types::SaveData_10]));
    return save ? save->get_value(1, row, -1) : 0;
}

Weapon current_weapon(Frames& f)
{
    const int slot = to_int(get_value(f.instances[types::PlayerSkinHespin_351], 'D'));
    return {saved_weapon_row(f, 2 * slot + 24), saved_weapon_row(f, 2 * slot + 25)};
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
