#include "game/events/enemies_hud/enemy_landing.h"

#include "audio/media.h"
#include "game/frames/event_support.h"
#include "game/objects/classes.h"
#include "runtime/collision.h"

#include <algorithm>
#include <vector>

namespace {

constexpr unsigned blast_sample = 46;

bool falling_beaten(const FrameObject& enemy) { return get_flag(enemy, 6) && get_value(enemy, 'Y') > 0; }

std::vector<FrameObject*> selected(ObjectList& list)
{
    std::vector<FrameObject*> objects;
    for_each_selected(list, [&](FrameObject* object) { objects.push_back(object); });
    return objects;
}

}  // namespace

bool select_landed(Frames& frames, ObjectList& enemies)
{
    std::vector<FrameObject*> on_solid;
    select_all(frames.qualifier_1);
    if (select(enemies, [](FrameObject* e) { return get_flag(*e, 6); }) && check_overlap(enemies, frames.qualifier_1) &&
        filter(enemies, [](FrameObject* e) { return get_value(*e, 'Y') > 0; }))
        on_solid = selected(enemies);
    auto landed = [&](FrameObject* e) {
        return std::find(on_solid.begin(), on_solid.end(), e) != on_solid.end() ||
               (falling_beaten(*e) && e->overlaps_background());
    };
    return select(enemies, landed);
}

void explode_selected(Frames& frames, ObjectList& enemies)
{
    for_each_selected(enemies, [](FrameObject* enemy) { enemy->destroy(); });
    create_at_each(frames, enemies, frames.instances[types::EffectShade_309], create_effectshade_309);
    create_at_each(frames, enemies, frames.instances[types::EffectsExplosion01_130], create_effectsexplosion01_130);
    media.play_id(blast_sample, -1, 1);
}
