// The debug display: clicking the score panel steps global value 22 through
// 0-3; at 3 the timer's digits are shown and the debug hotkeys put away.
#include "audio/media.h"
#include "game/frames/event_support.h"
#include "game/frames/frames.h"
#include "runtime/input.h"
#include "runtime/values.h"

#include <cmath>

namespace {

// The timer's six digit counters.
constexpr int timer_digits[] = {types::GUITimerMilli_207, types::GUITimerMilli2_210, types::GUITimerS_211,
                                types::GUITimerS2_212,    types::GUITimerM_213,      types::GUITimerM2_214};

void show_timer_digits(Frames& frames, bool visible)
{
    for (int type : timer_digits)
        for_each_instance(frames.instances[type], [visible](FrameObject* digit) { digit->set_visible(visible); });
}

void turn_timer(Frames& frames, int direction)
{
    for_each_instance(frames.instances[types::GUITimer_349],
                      [direction](FrameObject* timer) { timer->set_direction(direction, true); });
}

}  // namespace

void Frames::event_func_2175()
{
    if (!global_group_1)
        return;
    if (!select(instances[types::GUIScoreTimeRings_107], [](FrameObject* panel) { return panel->mouse_over(); }))
        return;
    if (!is_mouse_pressed_once(1))
        return;
    global_values->set(22, std::fmod(global_values->get(22) + 1, 4));
}

void Frames::event_func_2176()
{
    if (!global_group_1 || global_values->get(22) != 3)
        return;
    deactivate_group(global_group_10);
    media.play_id(114, -1, 1);
    global_values->set(22, 0);
    turn_timer(*this, 0);
    show_timer_digits(*this, true);
}

void Frames::event_func_2177()
{
    if (!global_group_1 || !global_group_10)
        return;
    show_timer_digits(*this, false);
    turn_timer(*this, 3);
}
