// An extra life or a small rock enemy that has sunk into the floor is lifted
// back onto it a pixel a pass, only while it is near the view.
#include "game/frames/event_support.h"
#include "game/frames/frames.h"

namespace {

// Strictly inside the view widened by 50 pixels on every side.
bool near_view(const FrameObject& object) { return !object.is_near_border(-50); }

void lift(FrameObject* object) { object->set_y(object->get_y() - 1); }

}  // namespace

// An extra life rises while it overlaps the background anywhere.
void Frames::event_func_415()
{
    if (!level_group_43)
        return;
    ObjectList& lives = instances[types::ObjectExtraLife_289];
    if (!select(lives, [](FrameObject* life) { return near_view(*life) && life->overlaps_background(); }))
        return;
    for_each_selected(lives, lift);
}

void Frames::loop_extralife_floor_4() { event_func_415(); }

// The enemies still walking (D below 3) rise together while the point just
// above the first one's feet lies in the floor.
void Frames::event_func_362()
{
    if (!level_group_43)
        return;
    ObjectList& enemies = instances[types::EnemyZemmetJr_271];
    if (!select(enemies, [](FrameObject* enemy) { return get_value(*enemy, 'D') < 3 && near_view(*enemy); }))
        return;
    const FrameObject* probe = *ObjectIterator(enemies);
    if (!test_obstacle(probe->get_x(), probe->get_box_index(3) - 1))
        return;
    for_each_selected(enemies, lift);
}

void Frames::loop_zemmetjr_floor_4() { event_func_362(); }
