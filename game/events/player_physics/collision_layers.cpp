// The player's collision layer: markers set it on contact, then the pieces
// of the other layer are marked as ignored by the terrain sensors.
#include "game/frames/event_support.h"
#include "game/frames/frames.h"
#include "runtime/collision.h"

namespace {

// Whether the player overlaps an instance of `marker`.
bool touches(Frames& frames, int marker)
{
    select_all(frames.instances[types::Player_87]);
    select_all(frames.instances[marker]);
    return check_overlap(frames.instances[types::Player_87], frames.instances[marker]);
}

void set_ignored(QualifierList& pieces, bool ignored)
{
    for_each_instance(pieces, [ignored](FrameObject* piece) { set_flag(piece, 0, ignored); });
}

}  // namespace

void Frames::event_func_670()
{
    if (level_group_43 && level_group_23 && touches(*this, types::LayerChangeTo0_115))
        set_value(instances[types::PlayerMovementValues_80], 'P', 0);
}

void Frames::event_func_671()
{
    if (level_group_43 && level_group_23 && touches(*this, types::LayerChangeTo1_116))
        set_value(instances[types::PlayerMovementValues_80], 'P', 1);
}

void Frames::event_func_672()
{
    if (!level_group_43 || !level_group_23 || !touches(*this, types::LayerChangeSwitch_114))
        return;
    ObjectList& values = instances[types::PlayerMovementValues_80];
    if (get_value(values, 'B') > 0)
        set_value(values, 'P', 1);
}

void Frames::event_func_673()
{
    if (!level_group_43 || !level_group_23 || !touches(*this, types::LayerChangeSwitch_114))
        return;
    ObjectList& values = instances[types::PlayerMovementValues_80];
    if (get_value(values, 'B') < 0)
        set_value(values, 'P', 0);
}

void Frames::event_func_674()
{
    if (!level_group_43 || !level_group_23 || get_value(instances[types::PlayerMovementValues_80], 'P') != 0)
        return;
    // A piece in both groups ends up ignored.
    set_ignored(qualifier_4, false);
    set_ignored(qualifier_5, true);
}

void Frames::event_func_675()
{
    if (!level_group_43 || !level_group_23 || get_value(instances[types::PlayerMovementValues_80], 'P') != 1)
        return;
    // Here a piece in both groups ends up solid.
    set_ignored(qualifier_4, true);
    set_ignored(qualifier_5, false);
}
