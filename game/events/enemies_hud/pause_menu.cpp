// The pause menu: the panel sliding in, the cursor over its items, and the
// item that cannot be chosen with one life or none left (the panel then
// shows frame 4 and the cursor steps over item 1).
#include "audio/media.h"
#include "game/frames/event_support.h"
#include "game/frames/frames.h"
#include "objects/active.h"
#include "runtime/manager.h"

namespace {

int shown_frame(FrameObject* object) { return static_cast<Active*>(object)->get_frame(); }

// Selects the panels that show `frame`.
bool panel_shows(Frames& frames, int frame)
{
    return select(frames.instances[types::GUIPause_109],
                  [frame](FrameObject* panel) { return shown_frame(panel) == frame; });
}

bool panel_value_is(Frames& frames, double a)
{
    return select(frames.instances[types::GUIPause_109],
                  [a](FrameObject* panel) { return get_value(*panel, 'A') == a; });
}

bool input_is_down(Frames& frames, char letter)
{
    return select(frames.instances[types::InputsP1_23],
                  [letter](FrameObject* input) { return get_value(*input, letter) == 1; });
}

template <class Test>
bool cursor_is(Frames& frames, Test test)
{
    return select(frames.instances[types::Crystal_321],
                  [&](FrameObject* cursor) { return test(get_value(*cursor, 'A')); });
}

// Moves the selected cursors by `step` items and puts each on its item's row
// below the panel's action point.
void move_cursor(Frames& frames, int step)
{
    ObjectList& panels = frames.instances[types::GUIPause_109];
    const FrameObject* panel = panels.has_selection() ? *ObjectIterator(panels) : &instance_or_default(panels);
    for_each_selected(frames.instances[types::Crystal_321], [&](FrameObject* cursor) {
        add_value(cursor, 'A', step);
        cursor->set_y(to_int(panel->get_action_y() + 24 * get_value(*cursor, 'A')));
    });
}

void force_panel_frame(Frames& frames, int frame)
{
    for_each_selected(frames.instances[types::GUIPause_109],
                      [frame](FrameObject* panel) { static_cast<Active*>(panel)->force_frame(frame); });
}

}  // namespace

// The panel's slide counter runs down, stopping at 3 (open).
void Frames::event_func_2163()
{
    if (!level_group_25)
        return;
    if (!select(instances[types::GUIPause_109],
                [](FrameObject* panel) { return get_value(*panel, 'A') > 0 && get_value(*panel, 'A') != 3; }))
        return;
    for_each_selected(instances[types::GUIPause_109], [](FrameObject* panel) { add_value(panel, 'A', -1); });
}

void Frames::event_func_2164()
{
    if (!level_group_25 || !once(once_2164))
        return;
    for_each_instance(instances[types::GUIPause_109],
                      [](FrameObject* panel) { static_cast<Active*>(panel)->force_frame(3); });
}

void Frames::event_func_2165()
{
    if (!level_group_25 || !panel_value_is(*this, 3) || !input_is_down(*this, 'J') ||
        !cursor_is(*this, [](double item) { return item < 2; }))
        return;
    media.play_id(54, -1, 1);
    move_cursor(*this, 1);
}

void Frames::event_func_2166()
{
    if (!level_group_25 || !panel_value_is(*this, 3) || !input_is_down(*this, 'I') ||
        !cursor_is(*this, [](double item) { return item > 0 && item <= 2; }))
        return;
    media.play_id(54, -1, 1);
    move_cursor(*this, -1);
}

void Frames::event_func_2167()
{
    if (!level_group_25 || !panel_shows(*this, 3) || manager.lives > 1 || !run_once(run_once_2167, loop_count))
        return;
    force_panel_frame(*this, 4);
}

void Frames::event_func_2168()
{
    if (!level_group_25 || !panel_shows(*this, 4) || manager.lives <= 1 || !run_once(run_once_2168, loop_count))
        return;
    force_panel_frame(*this, 3);
}

// With frame 4 shown, item 1 is stepped over in both directions.
void Frames::event_func_2169()
{
    if (!level_group_25 || !input_is_down(*this, 'J') || !cursor_is(*this, [](double item) { return item == 1; }) ||
        !panel_shows(*this, 4))
        return;
    move_cursor(*this, 1);
}

void Frames::event_func_2170()
{
    if (!level_group_25 || !input_is_down(*this, 'I') || !cursor_is(*this, [](double item) { return item == 1; }) ||
        !panel_shows(*this, 4))
        return;
    move_cursor(*this, -1);
}
