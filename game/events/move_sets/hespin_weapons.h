// What Hespin's weapon events share beyond the weapon loops' groups and
// save rows (stage_loops/hespin_weapon.h): the current weapon, contacts,
// and how one of his shots strikes an enemy.
#pragma once

#include "game/events/stage_loops/hespin_weapon.h"
#include "game/frames/event_support.h"
#include "game/frames/frames.h"
#include "runtime/collision.h"

#include <functional>
#include <initializer_list>

struct Weapon {
    int id = 0;
    int level = 0;
};

// The weapon of the skin's current slot D: rows 2D + 24 and 2D + 25.
Weapon current_weapon(Frames& f);

// The projectiles of `kind`.
inline auto of_kind(int kind)
{
    return [kind](FrameObject* shot) { return get_value(*shot, 'J') == kind; };
}

// An enemy takes a hit only off its cool-down and with flags 5 and 6 off.
inline bool can_be_hit(FrameObject* enemy)
{
    return get_value(*enemy, 'C') <= 0 && !get_flag(*enemy, 5) && !get_flag(*enemy, 6);
}

// Every projectile against the enemy group: the shots that pass
// `shot_test` among those that overlap, and one enemy, picked from the
// seed group of `event`, among the overlapping ones that can be hit. Null
// when there is none; the shots stay selected.
template <class ShotTest>
FrameObject* pick_struck_enemy(Frames& f, int event, ShotTest shot_test)
{
    ObjectList& shots = f.instances[types::PlayerProjectile_336];
    select_all(shots);
    select_all(f.qualifier_17);
    if (!check_overlap(shots, f.qualifier_17) || !filter(shots, shot_test) || !filter(f.qualifier_17, can_be_hit))
        return nullptr;
    return pick_random_member(event, f.qualifier_17);
}

// The hit itself, by the first selected shot: the enemy's cool-down,
// half the shot's velocity as knock-back, the damage and the hit shader.
void strike(FrameObject& enemy, const FrameObject& shot, double cool_down);

// Sample 21, the sound of a hit.
void play_hit_sound();

// Screen shake is raised to a floor, never lowered.
void shake_at_least(Frames& f, double strength);

// One flash at each selected source, on its layer; the first made.
FrameObject* flash_at_each(Frames& f, ObjectList& sources);

using ShotTest = std::function<bool(FrameObject*)>;

// The projectiles that pass `test`, each through `action`; false when none.
template <class Test, class Action>
bool for_each_shot(Frames& f, Test test, Action action)
{
    ObjectList& shots = f.instances[types::PlayerProjectile_336];
    if (!select(shots, test))
        return false;
    for_each_selected(shots, action);
    return true;
}

// What a projectile can touch: the background, the solid group (or only
// its members with flag 0 off) and the enemy group.
enum class Contact { background, solids, solids_flag_0_off, enemies };

// Alternative contact blocks, each from every projectile passing `test`,
// tested in the order given: the projectiles of every block that holds are
// selected, in chain order; false when none. A solid counts only when a
// shot passing `test` touches it.
bool select_filtered_then_touching(Frames& f, const ShotTest& test, std::initializer_list<Contact> contacts);

// The same blocks, each from the projectiles passing `kind`, which touch
// first and are kept to those passing `state` after: a solid with flag 0 off
// touched by any shot of the kind counts for every shot kept, as it does for
// the bombs that burst once (a burst bomb lying on a solid included).
bool select_touching_then_filtered(Frames& f, const ShotTest& kind, const ShotTest& state,
                                   std::initializer_list<Contact> contacts);

// A bomb that bursts once has flag 4 on after it.
inline bool not_burst(FrameObject* bomb) { return !get_flag(*bomb, 4); }

// The arms take, paired in order with the selected shots (wrapping), the
// shot's position as their spawn point X, Y.
void arms_at_selected_shots(Frames& f);

// A bomb bursts at each selected projectile: a flash there, the bomb
// hidden and stopped (with `spent`, its hit state K at 2), the arms at
// the bombs.
void burst_selected(Frames& f, bool spent);

// The bombs that pass `test` fall by `gravity` a tick, up to 15, their age held.
void fall_with_age_held(Frames& f, const ShotTest& test, double gravity);

// The projectile hit rule: one enemy that a shot passing `test` overlaps
// is struck by the first such shot, with the hit sound, and every such
// shot is marked as having hit (flag 3). Shots are not used up.
void projectile_hit(Frames& f, int event, const ShotTest& test, double cool_down);

// A frame of `count` pictures from `first`, stepped every two ticks of the
// level's tick counter.
inline int global_frame(const Frames& f, int first, int count) { return first + (level_tick(f) / 2) % count; }
