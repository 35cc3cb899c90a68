// What a broken item box's icon gives once it has risen (invincibility,
// crystals, an extra life, keystones), the extra-life box's face, and the
// bomb box: its trigger, fuse, burst and the explosion its icon leaves.
#include "audio/media.h"
#include "game/events/items/item_events.h"
#include "game/events/stage_loops/music_queue.h"
#include "game/frames/event_support.h"
#include "game/frames/frames.h"
#include "game/objects/classes.h"
#include "objects/active.h"
#include "runtime/collision.h"
#include "runtime/movement.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace {

// Icon frames: the reward an icon carries is the box's C.
constexpr int invincibility_icon = 6;
constexpr int crystals_icon = 7;
constexpr int extra_life_icon = 8;
constexpr int bomb_icon = 9;
constexpr int keystones_icon = 12;

constexpr int award_age = 64;        // the icon gives its reward at this age
constexpr int fuse_ticks = 120;
constexpr int bomb_ticking_animation = 7;

constexpr unsigned bomb_triggered_sample = 126;
constexpr unsigned bomb_tick_sample = 127;
constexpr unsigned bomb_explosion_sample = 34;
constexpr unsigned stopped_with_the_explosion = 12;

// Bomb box flags.
constexpr int flag_triggered = 8;
constexpr int flag_tick_played = 7;
constexpr int flag_hit = 6;
constexpr int flag_crystal_spilled = 9;
constexpr int flag_no_shell = 2;

bool icon_shows(const FrameObject* icon, int frame) { return frame_of(icon) == frame; }

bool select_icons(Frames& frames, int frame)
{
    return select(frames.instances[types::MonitorIcon_125], [frame](FrameObject* icon) { return icon_shows(icon, frame); });
}

// A crystal knocked out of a bomb box: it flies straight up on its second
// movement, marked as launched.
void launch_crystal(FrameObject* crystal)
{
    if (!crystal)
        return;
    crystal->advance_movement(1);
    set_flag(crystal, 0, true);
    crystal->set_direction(8, true);
    crystal->get_movement()->set_speed(70);
}

void trigger(ObjectList& bombs)
{
    for_each_selected(bombs, [](FrameObject* bomb) {
        set_flag(bomb, flag_triggered, true);
        static_cast<Active*>(bomb)->force_animation(bomb_ticking_animation);
    });
    media.play_id(bomb_triggered_sample, -1, 1);
}

bool untriggered(FrameObject* bomb) { return !get_flag(*bomb, flag_triggered); }

bool fuse_ended(FrameObject* bomb)
{
    return get_flag(*bomb, flag_triggered) && get_value(*bomb, 'F') >= fuse_ticks;
}

// One keystone out of the keystone icons: the first made rises at speed
// `b` with the icon's facing.
void throw_keystone(Frames& frames, double b, std::optional<double> i, bool destroy_icon)
{
    ObjectList& icons = frames.instances[types::MonitorIcon_125];
    if (!frames.level_group_43 || !select_icons(frames, keystones_icon))
        return;
    if (destroy_icon)
        for_each_selected(icons, [](FrameObject* icon) { icon->destroy(); });
    FrameObject* keystone =
        create_at_each(frames, icons, frames.instances[types::ObjectKeystone_278], create_objectkeystone_278, 16, 16);
    set_value(keystone, 'B', b);
    if (i)
        set_value(keystone, 'I', *i);
    if (keystone)
        keystone->set_direction(selected_or_default(icons).get_direction(), true);
}

}  // namespace

void Frames::event_func_1718()
{
    if (!level_group_43)
        return;
    if (!select(instances[types::MonitorIcon_125], [](FrameObject* icon) {
            return get_value(*icon, 'A') == award_age && icon_shows(icon, invincibility_icon);
        }))
        return;
    ObjectList& others = instances[types::PlayerOthers_75];
    const double mode = get_value(instances[types::PlayerMovementValues_80], 'M');
    if (get_value(others, 'A') != 0 || mode == 9 || mode == 10)
        return;
    set_value(others, 'D', 1);
    set_value(others, 'E', 1800);
    music::write_call(*this, "play_music(" + global_strings->get(0) + ",0)");
}

void Frames::event_func_1719()
{
    if (!level_group_43)
        return;
    ObjectList& icons = instances[types::MonitorIcon_125];
    if (select(icons, [](FrameObject* icon) {
            return get_value(*icon, 'A') == award_age && icon_shows(icon, invincibility_icon);
        }))
        for_each_selected(icons, [](FrameObject* icon) { icon->destroy(); });
}

void Frames::event_func_1720()
{
    if (level_group_43 && select_icons(*this, crystals_icon))
        run_loop(fast_loop_spawn_crystals, 8, &Frames::loop_spawn_crystals_4);
}

void Frames::event_func_1721()
{
    if (!level_group_43)
        return;
    ObjectList& icons = instances[types::MonitorIcon_125];
    if (select(icons, [](FrameObject* icon) { return icon_shows(icon, crystals_icon) && get_value(*icon, 'C') >= 5; }))
        for_each_selected(icons, [](FrameObject* icon) { icon->destroy(); });
}

// The extra-life box shows the character playing.
void Frames::event_func_1722()
{
    if (!level_group_43)
        return;
    ObjectList& boxes = instances[types::Monitor1up_127];
    const double character = get_value(instances[types::PlayerMovementValues_80], 'A');
    if (!boxes.back || boxes.back->get_direction() == character)
        return;
    for_each_instance(boxes, [character](FrameObject* box) { box->set_direction(to_int(character), true); });
}

void Frames::event_func_1723()
{
    if (!level_group_43 || !select_icons(*this, extra_life_icon))
        return;
    ObjectList& icons = instances[types::MonitorIcon_125];
    for_each_selected(icons, [](FrameObject* icon) { icon->destroy(); });
    FrameObject* life =
        create_at_each(*this, icons, instances[types::ObjectExtraLife_289], create_objectextralife_289, 16, 16);
    set_value(life, 'B', -4);
    if (life)
        life->set_direction(to_int(get_value(instances[types::PlayerMovementValues_80], 'A') + 16), true);
}

void Frames::event_func_1724() { throw_keystone(*this, -2.7, -1.0, false); }

void Frames::event_func_1725() { throw_keystone(*this, -2.7, 1.0, false); }

void Frames::event_func_1726() { throw_keystone(*this, -3.0, std::nullopt, true); }

// Any of the player's four big sensors touching a bomb box sets it off; a
// bomb touched by two sensors is set off once.
void Frames::event_func_1727()
{
    if (!level_group_43)
        return;
    ObjectList& bombs = instances[types::MonitorBomb_128];
    bombs.clear_saved_selection();
    bool any = false;
    for (const int sensor : {types::PlayerSensorLeftBig_89, types::PlayerSensorRightBig_91,
                             types::PlayerSensorTopBig_93, types::PlayerSensorBottomBig_95}) {
        select_all(instances[sensor]);
        if (select(bombs, untriggered) && check_overlap(instances[sensor], bombs)) {
            bombs.save_selection();
            any = true;
        }
    }
    if (!any)
        return;
    bombs.restore_selection();
    trigger(bombs);
}

void Frames::event_func_1728()
{
    if (!level_group_43)
        return;
    ObjectList& bombs = instances[types::MonitorBomb_128];
    select_all(qualifier_17);
    if (select(bombs, untriggered) && check_overlap(qualifier_17, bombs))
        trigger(bombs);
}

// The fuse ticks once each time the animation passes its frame 1.
void Frames::event_func_1729()
{
    if (!level_group_43)
        return;
    ObjectList& bombs = instances[types::MonitorBomb_128];
    if (!select(bombs, [](FrameObject* bomb) { return frame_of(bomb) == 1 && !get_flag(*bomb, flag_tick_played); }))
        return;
    for_each_selected(bombs, [](FrameObject* bomb) { set_flag(bomb, flag_tick_played, true); });
    media.play_id(bomb_tick_sample, -1, 1);
}

void Frames::event_func_1730()
{
    if (!level_group_43)
        return;
    ObjectList& bombs = instances[types::MonitorBomb_128];
    if (select(bombs, [](FrameObject* bomb) { return frame_of(bomb) > 1; }))
        for_each_selected(bombs, [](FrameObject* bomb) { set_flag(bomb, flag_tick_played, false); });
}

// The fuse burns one tick at a time and the ticking speeds up with it.
void Frames::event_func_1731()
{
    if (!level_group_43)
        return;
    ObjectList& bombs = instances[types::MonitorBomb_128];
    if (!select(bombs, [](FrameObject* bomb) { return get_flag(*bomb, flag_triggered); }))
        return;
    for_each_selected(bombs, [](FrameObject* bomb) {
        add_value(bomb, 'F', 1);
        static_cast<Active*>(bomb)->force_speed(to_int(get_value(*bomb, 'F') + 10));
    });
}

void Frames::event_func_1732()
{
    if (!level_group_43)
        return;
    ObjectList& bombs = instances[types::MonitorBomb_128];
    if (!select(bombs, [](FrameObject* bomb) {
            return fuse_ended(bomb) && get_value(*bomb, 'A') <= 0 && !get_flag(*bomb, flag_no_shell);
        }))
        return;
    FrameObject* shell = create_at_each(*this, bombs, instances[types::MonitorBroken_118], create_monitorbroken_118);
    if (!shell)
        return;
    shell->set_direction(to_int(get_value(selected_or_default(bombs), 'D')), true);
    shell->move_back();
}

void Frames::event_func_1733()
{
    if (!level_group_43)
        return;
    ObjectList& bombs = instances[types::MonitorBomb_128];
    if (!select(bombs, fuse_ended))
        return;
    FrameObject* icon = create_at_each(*this, bombs, instances[types::MonitorIcon_125], create_monitoricon_125);
    for_each_selected(bombs, [](FrameObject* bomb) {
        set_flag(bomb, 0, false);
        bomb->destroy();
    });
    const FrameObject& bomb = selected_or_default(bombs);
    if (icon) {
        static_cast<Active*>(icon)->force_frame(to_int(get_value(bomb, 'C')));
        icon->set_direction(bomb.get_direction(), true);
    }
    launch_crystal(create_at_each(*this, bombs, instances[types::ObjectCrystal_239], create_objectcrystal_239, 16, 16));
}

// A bomb box that an attack or an icon hits spills one crystal.
void Frames::event_func_1734()
{
    if (!level_group_43)
        return;
    ObjectList& bombs = instances[types::MonitorBomb_128];
    if (!select(bombs, [](FrameObject* bomb) { return get_flag(*bomb, flag_hit) && !get_flag(*bomb, flag_crystal_spilled); }))
        return;
    launch_crystal(create_at_each(*this, bombs, instances[types::ObjectCrystal_239], create_objectcrystal_239, 16, 16));
    for_each_selected(bombs, [](FrameObject* bomb) { set_flag(bomb, flag_crystal_spilled, true); });
}

void Frames::event_func_1735()
{
    if (!level_group_43)
        return;
    ObjectList& icons = instances[types::MonitorIcon_125];
    if (!select(icons, [](FrameObject* icon) { return icon_shows(icon, bomb_icon) && !get_flag(*icon, 0); }))
        return;
    for_each_selected(icons, [](FrameObject* icon) {
        set_flag(icon, 0, true);
        icon->set_visible(false);
    });
    media.stop_sample(stopped_with_the_explosion);
    media.play_id(bomb_explosion_sample, -1, 1);
    ObjectList& camera = instances[types::MasterCamera_190];
    set_value(camera, 'Z', std::min(get_value(camera, 'Z') + 3, 3.0));
}

// An explosion every fourth tick of the bomb icon's age.
void Frames::event_func_1736()
{
    if (!level_group_43 || !select_icons(*this, bomb_icon))
        return;
    ObjectList& icons = instances[types::MonitorIcon_125];
    if (std::fmod(get_value(selected_or_default(icons), 'A'), 4.0) != 1)
        return;
    create_at_each(*this, icons, instances[types::EffectsExplosion06_291], create_effectsexplosion06_291);
}

// Each new explosion is thrown about its icon, higher and lower with the
// icon's age.
void Frames::event_func_1737()
{
    if (!level_group_43)
        return;
    ObjectList& explosions = instances[types::EffectsExplosion06_291];
    ObjectList& icons = instances[types::MonitorIcon_125];
    select_all(explosions);
    select_all(icons);
    if (!check_overlap(explosions, icons) || !filter(explosions, [](FrameObject* e) { return !get_flag(*e, 0); }))
        return;
    int k = 0;
    for_each_selected(explosions, [&](FrameObject* explosion) {
        const FrameObject* partner = icons.get_wrapped_selection(k++);
        if (!partner)
            return;
        set_flag(explosion, 0, true);
        explosion->set_x(partner->get_x() + 6 + randrange_event(1737, 21));
        explosion->set_y(to_int(partner->get_y() + 20 - 40 * event_sin(5 * get_value(*partner, 'A'))));
    });
}

void Frames::event_func_1738()
{
    if (!level_group_43)
        return;
    ObjectList& icons = instances[types::MonitorIcon_125];
    if (select(icons, [](FrameObject* icon) { return icon_shows(icon, bomb_icon) && get_value(*icon, 'A') >= 32; }))
        for_each_selected(icons, [](FrameObject* icon) { icon->destroy(); });
}
