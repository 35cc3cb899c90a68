// The freeze counter, the character groups, the ammunition display and the
// first half of the movement-mode switch: every mode group goes off, then
// the one that matches the movement mode (and character) comes back on.
#include "game/events/player_physics/player_value_objects.h"
#include "game/frames/event_support.h"
#include "game/frames/frames.h"

namespace {

// The timer's digit counters, minutes first.
constexpr int gui_timer_counters[] = {types::GUITimerM_213,      types::GUITimerS_211,  types::GUITimerMilli_207,
                                      types::GUITimerMilli2_210, types::GUITimerS2_212, types::GUITimerM2_214};

// A mode-switch row: the group of movement mode `mode` comes on.
bool mode_is(Frames& frames, double mode)
{
    return get_value(frames.instances[types::PlayerMovementValues_80], 'M') == mode;
}

using player_values::character;

}  // namespace

void Frames::event_func_711()
{
    if (!level_group_43 || !level_group_23)
        return;
    ObjectList& others = instances[types::PlayerOthers_75];
    if (!(get_value(others, 'K') > 0))
        return;
    deactivate_group(level_group_19);
    deactivate_group(level_group_41);
    set_value(others, 'K', get_value(others, 'K') - 1);
    // A freeze of one tick set while K was 0 would leave 712 in its run of
    // ticks with K <= 0, and the groups off for good: a suspension starts a
    // new run.
    run_once_712 = unsigned(loop_count);
}

void Frames::event_func_712()
{
    if (!level_group_43 || !level_group_23)
        return;
    if (!(get_value(instances[types::PlayerOthers_75], 'K') <= 0))
        return;
    if (!run_once(run_once_712, loop_count))
        return;
    activate_group(level_group_41);
    activate_group(level_group_19);
}

void Frames::event_func_713()
{
    if (!level_group_43 || !level_group_23)
        return;
    if (character(*this) != 1 || !run_once(run_once_713, loop_count))
        return;
    for_each_instance(instances[types::GUIEnergy_76], [](FrameObject* meter) { meter->set_visible(false); });
    deactivate_group(level_group_59);
    deactivate_group(level_group_22);
    activate_group(level_group_50);
}

void Frames::event_func_714()
{
    if (!level_group_43 || !level_group_23)
        return;
    if (character(*this) != 4 || !run_once(run_once_714, loop_count))
        return;
    for_each_instance(instances[types::GUIEnergy_76], [](FrameObject* meter) { meter->set_visible(false); });
    deactivate_group(level_group_50);
    deactivate_group(level_group_22);
    activate_group(level_group_59);
}

void Frames::event_func_715()
{
    if (!level_group_43 || !level_group_23)
        return;
    if (character(*this) != 5 || !once(once_715))
        return;
    deactivate_group(level_group_50);
    deactivate_group(level_group_59);
    activate_group(level_group_22);

    // The timer gives way to the weapon slots.
    for (const int type : gui_timer_counters)
        for_each_instance(instances[type], [](FrameObject* counter) { counter->set_visible(false); });
    ObjectList& slots = instances[types::GUIWeaponSlot_233];
    select_all(slots);
    int slot = 0;
    for_each_selected(slots, [&slot](FrameObject* weapon) {
        weapon->set_visible(true);
        set_value(weapon, 'A', slot++);
    });
    for (const int type : {types::GUICrystal_78, types::GUILives_221})
        for_each_instance(instances[type], [](FrameObject* counter) { counter->set_x(counter->get_x() - 40); });
    for (const int type : gui_timer_counters)
        for_each_instance(instances[type], [](FrameObject* counter) { counter->set_y(-99); });
    for_each_selected(slots, [](FrameObject* weapon) { weapon->set_y(weapon->get_y() + 40); });
    for_each_instance(instances[types::GUIIcon_108], [](FrameObject* icon) { icon->set_x(icon->get_x() - 40); });
    for_each_instance(instances[types::GUITimer_349], [](FrameObject* timer) { timer->set_y(-99); });
}

void Frames::event_func_716()
{
    if (!level_group_43 || !level_group_23)
        return;
    if (character(*this) != 5 || !once(once_716))
        return;
    run_loop(fast_loop_ammo, 3, &Frames::loop_ammo_4);
}

void Frames::event_func_742()
{
    if (!level_group_43 || !level_group_23)
        return;
    set_value(instances[types::PlayerMovementValues_80], 'Z', 0);
    for (bool* group : {&level_group_58, &level_group_42, &level_group_2,  &level_group_28, &level_group_37,
                        &level_group_10, &level_group_46, &level_group_63, &level_group_69, &level_group_62,
                        &level_group_21, &level_group_51, &level_group_44, &level_group_33, &level_group_71,
                        &level_group_54, &level_group_11, &level_group_64, &level_group_48, &level_group_70,
                        &level_group_49, &level_group_65, &level_group_26, &level_group_36, &level_group_66,
                        &level_group_5,  &level_group_13, &level_group_45, &level_group_18, &level_group_74,
                        &level_group_30, &level_group_27, &level_group_12, &level_group_53, &level_group_55,
                        &level_group_29, &level_group_47, &level_group_15, &level_group_67, &level_group_17})
        deactivate_group(*group);
}

void Frames::event_func_743()
{
    if (level_group_43 && level_group_23 && mode_is(*this, 0))
        activate_group(level_group_58);
}

void Frames::event_func_744()
{
    if (level_group_43 && level_group_23 && mode_is(*this, 1))
        activate_group(level_group_42);
}

void Frames::event_func_745()
{
    if (level_group_43 && level_group_23 && mode_is(*this, 2))
        activate_group(level_group_2);
}

void Frames::event_func_746()
{
    if (level_group_43 && level_group_23 && mode_is(*this, 3))
        activate_group(level_group_28);
}

void Frames::event_func_747()
{
    if (level_group_43 && level_group_23 && mode_is(*this, 4))
        activate_group(level_group_37);
}

void Frames::event_func_748()
{
    if (!level_group_43 || !level_group_23 || !mode_is(*this, 5))
        return;
    activate_group(level_group_10);
    set_value(instances[types::PlayerMovementValues_80], 'Z', 1);
}

void Frames::event_func_749()
{
    if (!level_group_43 || !level_group_23 || !mode_is(*this, 6))
        return;
    activate_group(level_group_46);
    set_value(instances[types::PlayerMovementValues_80], 'Z', 1);
}

void Frames::event_func_750()
{
    if (level_group_43 && level_group_23 && mode_is(*this, 8))
        activate_group(level_group_63);
}

void Frames::event_func_751()
{
    if (level_group_43 && level_group_23 && mode_is(*this, 9))
        activate_group(level_group_69);
}

void Frames::event_func_752()
{
    if (level_group_43 && level_group_23 && mode_is(*this, 10))
        activate_group(level_group_62);
}

void Frames::event_func_753()
{
    if (level_group_43 && level_group_23 && mode_is(*this, 11))
        activate_group(level_group_21);
}

void Frames::event_func_754()
{
    if (level_group_43 && level_group_23 && mode_is(*this, 12))
        activate_group(level_group_51);
}

void Frames::event_func_755()
{
    if (!level_group_43 || !level_group_23 || !mode_is(*this, 19))
        return;
    activate_group(level_group_44);
    set_value(instances[types::PlayerMovementValues_80], 'Z', 1);
}

void Frames::event_func_756()
{
    if (level_group_43 && level_group_23 && mode_is(*this, 20) && character(*this) == 0)
        activate_group(level_group_33);
}
