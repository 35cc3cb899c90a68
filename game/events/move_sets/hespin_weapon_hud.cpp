// Hespin's weapon slots on the HUD, his intro-pose entry and petal cap, and
// the restart when his weapons group comes on.
#include "game/events/move_sets/hespin_weapons.h"
#include "objects/active.h"
#include "objects/counter.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double hespin_id = 5;
constexpr double intro_pose_mode = 37;
constexpr double intro_pose_window = 0.3;  // seconds of frame time
constexpr double petal_cap = 8;
constexpr double ammo_cap = 999;
constexpr int dimmed_alpha = 176;
constexpr int ammo_below_slots = 28;

bool hespin_group_on(const Frames& f) { return f.level_group_43 && f.level_group_23 && f.level_group_61; }

// Every slot picture whose A is `slot_value` shows `frame`.
void show_slot_picture(Frames& f, int slot_value, int frame)
{
    if (!select(f.instances[types::GUIWeaponSlot_233],
                [slot_value](FrameObject* slot) { return get_value(*slot, 'A') == slot_value; }))
        return;
    for_each_selected(f.instances[types::GUIWeaponSlot_233],
                      [frame](FrameObject* slot) { static_cast<Active*>(slot)->force_frame(frame); });
}

// The weapon id of a slot's first row, its picture with the level.
int weapon_icon(Frames& f, int id_row) { return hespin::saved(f, id_row); }

int weapon_and_level(Frames& f, int id_row)
{
    return 3 * hespin::saved(f, id_row) + 5 + hespin::saved(f, id_row + 1);
}

// The ammunition counters facing the mask's directions show an arm value.
void show_ammo(Frames& f, uint32_t direction_mask, char arm_value)
{
    if (!select(f.instances[types::GUIAmmo_355],
                [direction_mask](FrameObject* counter) { return counter->test_directions(direction_mask); }))
        return;
    int n = 0;
    for_each_selected(f.instances[types::GUIAmmo_355], [&](FrameObject* counter) {
        static_cast<Counter*>(counter)->set(
            get_value(paired_or_default(f.instances[types::PlayerSkinHespinArm_350], n++), arm_value));
    });
}

}  // namespace

// Hespin standing still right of x = 40 in the act's first 0.3 s strikes
// his intro pose.
void Frames::event_func_1355()
{
    if (!hespin_group_on(*this))
        return;
    ObjectList& movement = instances[types::PlayerMovementValues_80];
    if (!(frame_time <= intro_pose_window) || get_value(movement, 'A') != hespin_id)
        return;
    if (!(global_values->get(4) >= 0) || get_value(movement, 'B') != 0 || !(get_value(movement, 'X') > 40))
        return;
    set_value(movement, 'M', intro_pose_mode);
}

// Hespin carries at most eight petals.
void Frames::event_func_1356()
{
    if (!hespin_group_on(*this) || get_value(instances[types::PlayerMovementValues_80], 'A') != hespin_id)
        return;
    ObjectList& petals = instances[types::GUIRings_74];
    if (!select(petals, [](FrameObject* counter) { return static_cast<Counter*>(counter)->value > petal_cap; }))
        return;
    for_each_selected(petals, [](FrameObject* counter) { static_cast<Counter*>(counter)->set(petal_cap); });
}

// Choosing Hespin sends the game back to its first frame.
void Frames::event_func_1357()
{
    if (!hespin::armed(*this) || !run_once(run_once_1357, loop_count))
        return;
    restart();
}

// The weapon HUD's base state: dimmed, under the HUD holder, ammunition
// held to three digits.
void Frames::event_func_1358()
{
    if (!hespin::armed(*this))
        return;
    ObjectList& slots = instances[types::GUIWeaponSlot_233];
    ObjectList& ammo = instances[types::GUIAmmo_355];
    for_each_instance(slots, [](FrameObject* slot) { slot->set_direction(0, true); });
    for_each_instance(slots, [](FrameObject* slot) { slot->blend_color.a = dimmed_alpha; });
    for_each_instance(ammo, [](FrameObject* counter) { counter->blend_color.a = dimmed_alpha; });
    const int hud_y = instance_or_default(instances[types::GUIScoreTimeRings_107]).get_y();
    for_each_instance(slots, [hud_y](FrameObject* slot) { slot->set_y(hud_y); });
    for_each_instance(ammo, [hud_y](FrameObject* counter) { counter->set_y(hud_y + ammo_below_slots); });
    for_each_instance(instances[types::PlayerSkinHespinArm_350], [](FrameObject* arm) {
        for (char letter : {'G', 'H', 'I'})
            set_value(arm, letter, std::min(get_value(*arm, letter), ammo_cap));
    });
}

// Slot 0, the basic shot, has fixed pictures.
void Frames::event_func_1359()
{
    if (hespin::armed(*this))
        show_slot_picture(*this, 0, 20);
}

void Frames::event_func_1360()
{
    if (hespin::armed(*this))
        show_slot_picture(*this, 1, 21);
}

// Slot 1: the weapon's icon and its picture with the level.
void Frames::event_func_1361()
{
    if (hespin::armed(*this))
        show_slot_picture(*this, 2, weapon_icon(*this, 26));
}

void Frames::event_func_1362()
{
    if (hespin::armed(*this))
        show_slot_picture(*this, 3, weapon_and_level(*this, 26));
}

void Frames::event_func_1363()
{
    if (hespin::armed(*this))
        show_ammo(*this, 1u << 0, 'G');
}

// Slot 2.
void Frames::event_func_1364()
{
    if (hespin::armed(*this))
        show_slot_picture(*this, 4, weapon_icon(*this, 28));
}

void Frames::event_func_1365()
{
    if (hespin::armed(*this))
        show_slot_picture(*this, 5, weapon_and_level(*this, 28));
}

void Frames::event_func_1366()
{
    if (hespin::armed(*this))
        show_ammo(*this, 1u << 1, 'H');
}

// Slot 3.
void Frames::event_func_1367()
{
    if (hespin::armed(*this))
        show_slot_picture(*this, 6, weapon_icon(*this, 30));
}

void Frames::event_func_1368()
{
    if (hespin::armed(*this))
        show_slot_picture(*this, 7, weapon_and_level(*this, 30));
}

void Frames::event_func_1369()
{
    if (hespin::armed(*this))
        show_ammo(*this, 1u << 2, 'I');
}

// The current slot's pictures are opaque and blink for a moment after a
// change of slot.
void Frames::event_func_1370()
{
    if (!hespin::armed(*this))
        return;
    const double slot = get_value(instances[types::PlayerSkinHespin_351], 'D');
    ObjectList& slots = instances[types::GUIWeaponSlot_233];
    if (!select(slots, [slot](FrameObject* s) {
            return 2 * slot <= get_value(*s, 'A') && get_value(*s, 'A') <= 2 * slot + 1;
        }))
        return;
    for_each_selected(slots, [](FrameObject* s) {
        s->set_direction(to_int(std::fmod(std::min(get_value(*s, 'D') * 0.5, 4.0), 3.0)), true);
    });
    for_each_selected(slots, [](FrameObject* s) { s->blend_color.a = 255; });
    for_each_selected(slots, [](FrameObject* s) { set_value(s, 'D', std::min(get_value(*s, 'D') + 1, 30.0)); });
}

// The current slot's ammunition counter is opaque (none for slot 0).
void Frames::event_func_1371()
{
    if (!hespin::armed(*this))
        return;
    const int shown = to_int(get_value(instances[types::PlayerSkinHespin_351], 'D') - 1);
    ObjectList& ammo = instances[types::GUIAmmo_355];
    if (!select(ammo, [shown](FrameObject* counter) { return counter->test_direction(shown); }))
        return;
    for_each_selected(ammo, [](FrameObject* counter) { counter->blend_color.a = 255; });
}
