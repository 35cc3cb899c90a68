// The debug display: clicking the score panel steps global value 22 through
// 0-3; at 3 the timer's digits are shown and the debug hotkeys put away.
// Outside the debug groups, the insta-shield follows the player.
#include "audio/media.h"
#include "game/frames/event_support.h"
#include "game/frames/frames.h"
#include "game/objects/classes.h"
#include "runtime/input.h"
#include "runtime/values.h"

#include <cmath>

namespace {

constexpr int fuel_key = 48;  // the digit key 0
constexpr double pimsa = 2;

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

// With the debug hotkeys on, the 0 key gives Pimsa fuel where she stands.
void Frames::event_func_2178()
{
    if (!global_group_1 || !global_group_10 || !is_key_pressed_once(fuel_key))
        return;
    if (get_value(instances[types::PlayerMovementValues_80], 'A') != pimsa)
        return;
    ObjectList& player = instances[types::Player_87];
    select_all(player);
    create_at_each(*this, player, instances[types::ObjectFuel_341], create_objectfuel_341);
}

// The insta-shield sits on the player unless it was let go (flag 4).
void Frames::event_func_2179()
{
    ObjectList& shields = instances[types::ShieldInstaShield_187];
    if (!select(shields, [](FrameObject* shield) { return !get_flag(*shield, 4); }))
        return;
    ObjectList& values = instances[types::PlayerMovementValues_80];
    for_each_selected(shields, [&values](FrameObject* shield) {
        shield->set_x(to_int(get_value(values, 'X')));
        shield->set_y(to_int(get_value(values, 'Y')));
    });
}
