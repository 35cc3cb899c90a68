// The HUD kept in step with play every tick: the level clock as minutes,
// seconds and hundredths with their leading zeros, lives, the meters, the
// character icons and power cards, the petal and crystal counters, the
// link-bonus popups and the petal panel; and the clock itself.
#include "game/frames/event_support.h"
#include "game/frames/frames.h"
#include "game/objects/type_ids.h"
#include "objects/active.h"
#include "objects/counter.h"
#include "runtime/manager.h"

#include <algorithm>
#include <cmath>

namespace {

// 1000/59 milliseconds a tick, as the clock has always counted.
constexpr double clock_step = 16.949152542372882;
constexpr int linked_animation = 7;
constexpr int panel_animation_petals = 0, panel_animation_empty = 7;

double counter_value(const FrameObject* counter) { return static_cast<const Counter*>(counter)->value; }

void set_counter(ObjectList& counters, double value)
{
    for_each_instance(counters, [value](FrameObject* counter) { static_cast<Counter*>(counter)->set(value); });
}

template <class Test>
bool counter_shows(ObjectList& counters, Test test)
{
    return select(counters, [&](FrameObject* counter) { return test(counter_value(counter)); });
}

void set_visible_all(ObjectList& list, bool visible)
{
    for_each_instance(list, [visible](FrameObject* object) { object->set_visible(visible); });
}

// Each meter is as wide as its own value A, times `per_unit`, within `lowest` ... 1.
void scale_meter(ObjectList& meters, double per_unit, double lowest)
{
    for_each_instance(meters, [=](FrameObject* meter) {
        const double scale = std::min(get_value(*meter, 'A') * per_unit, 1.0);
        static_cast<Active*>(meter)->set_x_scale(float(std::max(scale, lowest)));
    });
}

void set_direction_all(ObjectList& list, int direction)
{
    for_each_instance(list, [direction](FrameObject* object) { object->set_direction(direction, true); });
}

// A digit that shows its leading zero while below ten.
void leading_zero(Frames& frames, int counter, int zero, bool below_ten)
{
    if (counter_shows(frames.instances[counter], [below_ten](double shown) { return (shown < 10) == below_ten; }))
        set_visible_all(frames.instances[zero], below_ten);
}

void force_panel_animation(Frames& frames, int animation)
{
    for_each_instance(frames.instances[types::GUIScoreTimeRings_107],
                      [animation](FrameObject* panel) { static_cast<Active*>(panel)->force_animation(animation); });
}

}  // namespace

void Frames::event_func_2084()
{
    if (!level_group_43)
        return;
    const double ms = get_value(instance_or_default(instances[types::MasterLevel_53]), 'Z');
    set_counter(instances[types::GUITimerM_213], std::floor(ms / 60000));
    set_counter(instances[types::GUITimerS_211], std::fmod(std::floor(ms / 1000), 60));
    set_counter(instances[types::GUITimerMilli_207], std::fmod(std::floor(ms / 10), 100));
    set_counter(instances[types::GUILives_221], manager.lives);
    scale_meter(instances[types::GUILifeBaseMeter_77], 0.02, -HUGE_VAL);
    const int character = to_int(get_value(instance_or_default(instances[types::PlayerMovementValues_80]), 'A'));
    set_direction_all(instances[types::GUIIcon_108], character);
    set_direction_all(instances[types::GUIScoreTimeRings_107], character);
    set_visible_all(instances[types::GUIPowerCard_337], false);
    scale_meter(instances[types::GUIEnergy_76], 0.01, 0.0);
}

void Frames::event_func_2085()
{
    if (!level_group_43)
        return;
    if (select(instances[types::GUIScoreTimeRings_107], [](FrameObject* panel) { return panel->test_directions(2); }))
        set_visible_all(instances[types::GUIPowerCard_337], true);
}

// Dorrik carries at most eight petals.
void Frames::event_func_2086()
{
    if (!level_group_43 || get_value(instance_or_default(instances[types::PlayerMovementValues_80]), 'A') != 4)
        return;
    if (counter_shows(instances[types::GUIRings_74], [](double petals) { return petals > 8; }))
        set_counter(instances[types::GUIRings_74], 8);
}

void Frames::event_func_2087()
{
    if (level_group_43 && counter_shows(instances[types::GUICrystal_78], [](double crystals) { return crystals == 999; }))
        set_counter(instances[types::GUICrystal_78], global_values->get(18));
}

void Frames::event_func_2088()
{
    if (level_group_43)
        leading_zero(*this, types::GUITimerMilli_207, types::GUITimerMilli2_210, true);
}

void Frames::event_func_2089()
{
    if (level_group_43)
        leading_zero(*this, types::GUITimerMilli_207, types::GUITimerMilli2_210, false);
}

void Frames::event_func_2090()
{
    if (level_group_43)
        leading_zero(*this, types::GUITimerS_211, types::GUITimerS2_212, true);
}

void Frames::event_func_2091()
{
    if (level_group_43)
        leading_zero(*this, types::GUITimerS_211, types::GUITimerS2_212, false);
}

void Frames::event_func_2092()
{
    if (level_group_43)
        leading_zero(*this, types::GUITimerM_213, types::GUITimerM2_214, true);
}

void Frames::event_func_2093()
{
    if (!level_group_43 || !counter_shows(instances[types::GUITimerM_213], [](double minutes) { return minutes >= 10; }))
        return;
    set_visible_all(instances[types::GUITimerM2_214], false);
    set_direction_all(instances[types::GUITimer_349], 0);
}

// From a hundred minutes the clock's frame has room for three digits.
void Frames::event_func_2094()
{
    if (level_group_43 && counter_shows(instances[types::GUITimerM_213], [](double minutes) { return minutes >= 100; }))
        set_direction_all(instances[types::GUITimer_349], 1);
}

// The popups sink and fade, except one still showing its link animation.
void Frames::event_func_2095()
{
    if (!level_group_43)
        return;
    ObjectList& popups = instances[types::GUILinkBonus_316];
    if (!select(popups, [](FrameObject* popup) { return !static_cast<Active*>(popup)->test_animation(linked_animation); }))
        return;
    for_each_selected(popups, [](FrameObject* popup) { popup->set_y(popup->get_y() + 1); });
    for_each_selected(popups, [](FrameObject* popup) { set_semi_transparency(*popup, semi_transparency(*popup) + 6); });
    for_each_selected(popups, [](FrameObject* popup) { set_value(popup, 'A', get_value(*popup, 'A') + 6); });
}

void Frames::event_func_2096()
{
    ObjectList& popups = instances[types::GUILinkBonus_316];
    if (level_group_43 && get_value(instance_or_default(popups), 'A') >= 128)
        for_each_instance(popups, [](FrameObject* popup) { popup->destroy(); });
}

void Frames::event_func_2097()
{
    if (level_group_43 && counter_shows(instances[types::GUIRings_74], [](double petals) { return petals > 0; }) &&
        run_once(run_once_2097, loop_count))
        force_panel_animation(*this, panel_animation_petals);
}

void Frames::event_func_2098()
{
    if (level_group_43 && counter_shows(instances[types::GUIRings_74], [](double petals) { return petals == 0; }) &&
        run_once(run_once_2098, loop_count))
        force_panel_animation(*this, panel_animation_empty);
}

// The clock stands still while the player dies (modes 9 and 10).
void Frames::event_func_2135()
{
    if (!level_group_43 || !level_group_39)
        return;
    const double mode = get_value(instance_or_default(instances[types::PlayerMovementValues_80]), 'M');
    if (mode == 9 || mode == 10)
        return;
    for_each_instance(instances[types::MasterLevel_53],
                      [](FrameObject* level) { set_value(level, 'Z', get_value(*level, 'Z') + clock_step); });
}
