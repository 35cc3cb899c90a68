// The end of the enemy-contact cycle: the player's hit chain ends, the
// enemies' stun runs out and their flash goes off, an enemy without health
// is defeated and spins off the screen under gravity, dropping its crystals
// in a fan, and the shades that sink below the water line turn.
#include "audio/media.h"
#include "game/events/items/item_events.h"
#include "game/frames/event_support.h"
#include "game/frames/frames.h"
#include "game/objects/classes.h"
#include "runtime/collision.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr unsigned defeat_sample = 20;
constexpr int harmless = 6;        // enemy flag: defeated
constexpr int stays_put = 16;      // enemy flag: a defeated enemy its own events move
constexpr int crystal_straight_up = 8;

bool defeated(FrameObject* enemy) { return get_flag(*enemy, harmless); }

bool flies_off(FrameObject* enemy) { return defeated(enemy) && !get_flag(*enemy, stays_put); }

// True when none of the player's five sensors touches an enemy (and there
// was something to test).
bool body_clear_of_enemies(Frames& f)
{
    for (const int sensor : {types::PlayerSensorLeftBig_89, types::PlayerSensorRightBig_91, types::PlayerSensorTopBig_93,
                             types::PlayerSensorBottomBig_95, types::PlayerCharacterSensor_151}) {
        select_all(f.instances[sensor]);
        if (!check_not_overlap(f.instances[sensor], f.qualifier_17))
            return false;
    }
    return true;
}

// A fan about straight up: s = 4, 3, 2, 1, 0 give 5, 10, 6, 9, 7.
int fan_direction(double s) { return to_int((s + 1) * 0.5 * (2 * std::fmod(s, 2) - 1) + crystal_straight_up); }

}  // namespace

// The hit chain ends when the player is vulnerable again, or attacks with
// no sensor on an enemy.
void Frames::event_func_1831()
{
    if (!level_group_43)
        return;
    ObjectList& others = instances[types::PlayerOthers_75];
    const double z = get_value(instances[types::PlayerMovementValues_80], 'Z');
    if (get_value(others, 'I') <= 0)
        return;
    if (z == 0 || (z == 1 && body_clear_of_enemies(*this)))
        set_value(others, 'I', 0);
}

void Frames::event_func_1832()
{
    if (level_group_43 &&
        select(qualifier_17, [](FrameObject* e) { return !defeated(e) && get_value(*e, 'C') > 0; }))
        for_each_selected(qualifier_17, [](FrameObject* e) { add_value(e, 'C', -1); });
}

// The flash ends on the tick the stun reaches 1, and at once on defeat.
void Frames::event_func_1833()
{
    if (level_group_43 &&
        select(qualifier_17, [](FrameObject* e) { return defeated(e) || get_value(*e, 'C') == 1; }))
        for_each_selected(qualifier_17, [](FrameObject* e) {
            e->set_shader(0);
            set_flag(e, 14, false);
        });
}

void Frames::event_func_1834()
{
    if (!level_group_43 || !select(qualifier_17, [](FrameObject* e) { return !defeated(e) && get_value(*e, 'A') <= 0; }))
        return;
    media.play_id(defeat_sample, -1, 1);
    for_each_selected(qualifier_17, [](FrameObject* e) {
        set_flag(e, harmless, true);
        set_value(e, 'A', 0);
        add_value(e, 'Y', -3);
    });
}

// A defeated enemy flies on, falling faster up to 15 a tick, and spins.
void Frames::event_func_1835()
{
    if (!level_group_43 || !select(qualifier_17, flies_off))
        return;
    for_each_selected(qualifier_17, [](FrameObject* e) {
        const double x = get_value(*e, 'X'), y = get_value(*e, 'Y');
        e->set_x(to_int(e->get_x() + x));
        e->set_y(to_int(e->get_y() + y));
        add_value(e, 'Z', 1);
        set_value(e, 'Y', std::min(y + 0.25, 15.0));
        e->set_angle(to_int(e->get_angle() + std::max(2 * x, 8.0)), 0);
    });
}

// One crystal a tick out of each defeated enemy with crystals left.
void Frames::event_func_1836()
{
    if (!level_group_43 ||
        !select(qualifier_17, [](FrameObject* e) { return defeated(e) && get_value(*e, 'S') > 0; }))
        return;
    for_each_selected(qualifier_17, [](FrameObject* e) { add_value(e, 'S', -1); });
    FrameObject* crystal =
        create_at_each(*this, qualifier_17, instances[types::ObjectCrystal_239], create_objectcrystal_239);
    if (!crystal)
        return;
    crystal->advance_movement(1);
    set_flag(crystal, 0, true);
    crystal->set_direction(fan_direction(get_value(selected_or_default(qualifier_17), 'S')), true);
}

void Frames::event_func_1837()
{
    if (level_group_43 &&
        select(qualifier_17, [](FrameObject* e) { return flies_off(e) && e->outside_playfield(); }))
        for_each_selected(qualifier_17, [](FrameObject* e) { e->destroy(); });
}

// Shades below the water line turn.
void Frames::event_func_1838()
{
    if (!level_group_43)
        return;
    ObjectList& level = instances[types::MasterLevel_53];
    if (get_value(level, 'A') != 1)
        return;
    const double water_line = get_value(level, 'B');
    ObjectList& shades = instances[types::EffectShade_309];
    if (select(shades, [water_line](FrameObject* s) { return s->test_directions(1) && s->get_y() > water_line; }))
        for_each_selected(shades, [](FrameObject* s) { s->set_direction(8, true); });
}
