// Act 2's own events of two shared enemies: the Pokkol's defeat (its
// debris from act 2's loop), the ZemmetJr lifted out of the floor near the
// view, and the ZemmetJr's defeat.
#include "audio/media.h"
#include "game/events/enemies_hud/enemy_landing.h"
#include "game/frames/event_support.h"
#include "game/objects/classes.h"

namespace {

constexpr unsigned burst_sample = 26;
constexpr int debris_passes = 5, floor_lift_passes = 12, view_margin = 50;

ObjectList& zemmetjrs(Frames& f) { return f.instances[types::EnemyZemmetJr_369]; }

}  // namespace

// A beaten Pokkol that lands bursts into a keystone and debris.
void Frames::event_func_2311()
{
    ObjectList& pokkols = instances[types::EnemyPokkol_138];
    if (!level_group_43 || !select_landed(*this, pokkols))
        return;
    create_at_each(*this, pokkols, instances[types::ObjectKeystone_278], create_objectkeystone_278);
    create_at_each(*this, pokkols, instances[types::EffectsExplosion01_130], create_effectsexplosion01_130);
    for_each_selected(pokkols, [](FrameObject* p) { set_value(p, 'A', -5); });
    run_loop(fast_loop_spawndebris, debris_passes, &Frames::loop_spawndebris_5);
    media.play_id(burst_sample, -1, 1);
}

// The first walker near the view decides: with its foot in the floor, the
// floor loop lifts them all, up to 12 pixels within the tick.
void Frames::event_func_2312()
{
    if (!level_group_43 || !select(zemmetjrs(*this), [](FrameObject* z) {
            return get_value(*z, 'D') < 3 && !z->is_near_border(-view_margin);
        }))
        return;
    const FrameObject* first = zemmetjrs(*this).back_selection();
    if (!test_obstacle(first->get_x(), first->get_box_index(3) - 1))
        return;
    SavedSelection lifted(zemmetjrs(*this));
    run_loop(fast_loop_zemmetjr_floor, floor_lift_passes, &Frames::loop_zemmetjr_floor_4);
    for (int i = 0; i < lifted.count; ++i)
        set_value(lifted[i], 'E', 0);
    lifted.release();
}

void Frames::event_func_2313()
{
    if (level_group_43 && select_landed(*this, zemmetjrs(*this)))
        explode_selected(*this, zemmetjrs(*this));
}
