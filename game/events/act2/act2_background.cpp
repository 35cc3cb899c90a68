// Act 2's far background: a piece stepping through a four-phase wave, a
// pulsing fill passed to the sky box, and the swap to the upper pieces once
// the view has climbed above the cave.
#include "game/frames/event_support.h"
#include "game/frames/frames.h"
#include "game/objects/type_ids.h"
#include "objects/systembox.h"

namespace {

// The view's bottom above this frame height shows the upper background.
constexpr int upper_background_line = 1600;

void set_visible_all(ObjectList& list, bool visible)
{
    for_each_instance(list, [visible](FrameObject* piece) { piece->set_visible(visible); });
}

}  // namespace

void Frames::event_func_2444()
{
    if (!level_group_43)
        return;
    const int phase = to_int(global_values->get(3)) / 8 % 4;
    ObjectList& piece = instances[types::LevelParallaxPiece9_386];
    const double wave = 360 * event_sin(90.0 * phase) - 360 + get_value(piece, 'M');
    set_value(piece, 'C', to_int(wave));
}

// The fill leaves the box as its type draws it; the colour is still passed.
void Frames::event_func_2478()
{
    if (!level_group_43)
        return;
    const int red = to_int(78 - 30 * event_cos(frame_time * 1000 / 10)) & 0xFF;
    for_each_instance(instances[types::LevelParallaxPiece0_161],
                      [red](FrameObject* box) { static_cast<SystemBox*>(box)->set_fill(Color(red, 0, 0, 255)); });
}

void Frames::event_func_2479()
{
    if (!level_group_43 || !(new_display_y + screen_height < upper_background_line) ||
        !run_once(run_once_2479, loop_count))
        return;
    set_visible_all(instances[types::LevelParallaxPiece9_386], false);
    set_visible_all(instances[types::LevelParallaxPiece8_387], false);
    set_visible_all(instances[types::LevelParallaxPiece0_161], true);
    set_visible_all(instances[types::LevelParallaxPiece1_205], true);
}
