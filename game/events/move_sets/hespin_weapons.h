// What Hespin's weapon events share: their four groups, the saved weapon
// of a slot, and how one of his shots strikes an enemy.
#pragma once

#include "game/frames/event_support.h"
#include "game/frames/frames.h"
#include "runtime/collision.h"

// The gameplay, player engine, Hespin and Hespin weapons groups.
inline bool hespin_weapons_on(const Frames& f)
{
    return f.level_group_43 && f.level_group_23 && f.level_group_61 && f.level_group_22;
}

// A row of the saved game's column 1 (0 without a save or outside it).
int saved_weapon_row(Frames& f, int row);

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
