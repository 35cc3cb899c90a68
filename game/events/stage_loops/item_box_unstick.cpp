// An item box that has run into something is pushed out a pixel an event a
// pass: down out of a ceiling, up out of the ground, a platform or the
// player. Every event selects the boxes anew and sees the moves before it.
#include "game/frames/event_support.h"
#include "game/frames/frames.h"
#include "runtime/collision.h"

namespace {

bool moving(FrameObject* box) { return get_value(*box, 'A') == 1; }

void move_boxes(Frames& frames, int dy)
{
    for_each_selected(frames.qualifier_13, [dy](FrameObject* box) { box->set_y(box->get_y() + dy); });
}

// Moving boxes in the background.
void out_of_background(Frames& frames, int dy)
{
    if (!frames.level_group_43)
        return;
    if (select(frames.qualifier_13, [](FrameObject* box) { return box->overlaps_background() && moving(box); }))
        move_boxes(frames, dy);
}

// Moving boxes in a solid or platform whose flag 0 is off. The boxes are
// solids too, on both sides of the test with one selection each: walking
// the solid side drops every box that overlaps no other box, so against
// the solid group a box is only pushed out of another box.
void out_of_group(Frames& frames, QualifierList& group, int dy)
{
    if (!frames.level_group_43)
        return;
    select_all(group);
    select_all(frames.qualifier_13);
    if (!check_overlap(frames.qualifier_13, group))
        return;
    if (!filter(group, [](FrameObject* other) { return !get_flag(*other, 0); }))
        return;
    if (filter(frames.qualifier_13, moving))
        move_boxes(frames, dy);
}

}  // namespace

void Frames::event_func_320() { out_of_background(*this, 1); }

void Frames::event_func_321() { out_of_group(*this, qualifier_1, 1); }

void Frames::loop_monitorsunstuckfromceiling_4()
{
    event_func_320();
    event_func_321();
}

void Frames::event_func_407() { out_of_background(*this, -1); }

void Frames::event_func_408() { out_of_group(*this, qualifier_1, -1); }

void Frames::event_func_409() { out_of_group(*this, qualifier_2, -1); }

// Last, any box the player stands in rises, moving or at rest.
void Frames::loop_monitorsunstuckfromground_4()
{
    event_func_407();
    event_func_408();
    event_func_409();
    if (!level_group_43)
        return;
    select_all(qualifier_13);
    select_all(instances[types::Player_87]);
    if (check_overlap(qualifier_13, instances[types::Player_87]))
        move_boxes(*this, -1);
}
