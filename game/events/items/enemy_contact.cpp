// Contacts between the enemies and the player or the player's weapons: an
// enemy touching the vulnerable player hurts it; an attack touching an
// enemy hits it (damage, stun, knock-back, the hit flash), and bounces off
// an armoured one. Each hit runs before the matching deflect, so a hit's
// stun and cool-down keep the deflect from acting on the same tick.
#include "audio/media.h"
#include "game/events/items/item_events.h"
#include "game/frames/event_support.h"
#include "game/frames/frames.h"
#include "runtime/collision.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr unsigned hit_sample = 21;
constexpr unsigned deflect_sample = 27;
constexpr unsigned charged_hit_sample = 172;
constexpr int hit_flash = 17;
constexpr int bike_character = 3;
constexpr int bomb_icon = 9;

// Enemy flags.
constexpr int armoured = 5;
constexpr int harmless = 6;

double movement(Frames& f, char name) { return get_value(f.instances[types::PlayerMovementValues_80], name); }
double others(Frames& f, char name) { return get_value(f.instances[types::PlayerOthers_75], name); }
void add_to_others(Frames& f, char name, double delta) { add_value(f.instances[types::PlayerOthers_75], name, delta); }
void set_others(Frames& f, char name, double number) { set_value(f.instances[types::PlayerOthers_75], name, number); }

// The player's body may strike: attacking, off cool-down, fewer than four
// enemies hit in the chain.
bool body_attacks(Frames& f) { return movement(f, 'Z') == 1 && others(f, 'K') <= 0 && others(f, 'I') < 4; }

bool hittable(FrameObject* enemy)
{
    return get_value(*enemy, 'C') <= 0 && !get_flag(*enemy, armoured) && !get_flag(*enemy, harmless);
}

bool deflects(FrameObject* enemy) { return get_value(*enemy, 'C') <= 0 && get_flag(*enemy, armoured); }

bool deflects_unless_harmless(FrameObject* enemy) { return deflects(enemy) && !get_flag(*enemy, harmless); }

// The attacker's instances and the enemies that touch one another stay
// selected.
template <class Attacker>
bool touches_enemies(Frames& f, Attacker& attacker)
{
    select_all(attacker);
    select_all(f.qualifier_17);
    return check_overlap(attacker, f.qualifier_17);
}

template <class Test>
bool keep_enemies(Frames& f, Test test)
{
    return filter(f.qualifier_17, test);
}

// Touching, passing `test`, and one of them picked at random.
template <class Attacker, class Test>
FrameObject* one_enemy(Frames& f, int event, Attacker& attacker, Test test)
{
    if (!touches_enemies(f, attacker) || !keep_enemies(f, test))
        return nullptr;
    return pick_random_member(event, f.qualifier_17);
}

struct Knock {
    double c, x, y;
};

void stun(FrameObject* enemy, const Knock& knock)
{
    set_value(enemy, 'C', knock.c);
    set_value(enemy, 'X', knock.x);
    set_value(enemy, 'Y', knock.y);
}

void wound(FrameObject* enemy, double damage)
{
    add_value(enemy, 'A', -damage);
    enemy->set_shader(hit_flash);
}

// A hit in the usual order: stun and knock-back, the sound, the damage and
// the flash.
void land_hit(FrameObject* enemy, const Knock& knock, double damage)
{
    stun(enemy, knock);
    media.play_id(hit_sample, -1, 1);
    wound(enemy, damage);
}

// A body hit: the chain grows first, the cool-down is set last.
void body_hit(Frames& f, FrameObject* enemy, const Knock& knock, double damage, double cool_down)
{
    add_to_others(f, 'I', 1);
    land_hit(enemy, knock, damage);
    set_others(f, 'K', cool_down);
}

void stun_all(Frames& f, double c)
{
    for_each_selected(f.qualifier_17, [c](FrameObject* enemy) { set_value(enemy, 'C', c); });
}

void play(unsigned sample) { media.play_id(sample, -1, 1); }

// A body sensor bounced off armoured enemies: every one touched is stunned.
void body_deflect(Frames& f, int sensor, bool cool_down_first)
{
    if (!touches_enemies(f, f.instances[sensor]) || !keep_enemies(f, deflects))
        return;
    if (cool_down_first) {
        set_others(f, 'K', 5);
        add_to_others(f, 'I', 1);
        stun_all(f, 5);
        play(deflect_sample);
        return;
    }
    add_to_others(f, 'I', 1);
    stun_all(f, 5);
    set_others(f, 'K', 5);
    play(deflect_sample);
}

// A side sensor's hit: knocked away in the facing direction.
void side_hit(Frames& f, int event, int sensor)
{
    if (!f.level_group_43 || !body_attacks(f))
        return;
    FrameObject* enemy = one_enemy(f, event, f.instances[sensor], hittable);
    if (!enemy)
        return;
    const double b = movement(f, 'B'), q = movement(f, 'Q');
    body_hit(f, enemy, {5, std::max(std::fabs(b * 1.5), 3.0) * q, movement(f, 'G') * 0.5}, std::fabs(b / 5) + 3, 5);
}

// Sideways deflects put the cool-down first.
void side_deflect(Frames& f, int sensor)
{
    if (f.level_group_43 && body_attacks(f))
        body_deflect(f, sensor, true);
}

// The bike rams what it drives into at more than 5 pixels a tick.
void bike_hit(Frames& f, int event, int sensor, int direction)
{
    if (!f.level_group_43 || movement(f, 'A') != bike_character || movement(f, 'B') * direction <= 5 ||
        others(f, 'K') > 0)
        return;
    FrameObject* enemy = one_enemy(f, event, f.instances[sensor], hittable);
    if (!enemy)
        return;
    const double b = movement(f, 'B');
    const Knock knock{5, std::max(std::fabs(b - 2), 3.0) * movement(f, 'Q'), movement(f, 'G') * 0.5};
    body_hit(f, enemy, knock, std::fabs(b * 0.25) + 1, 3);
}

// The reflector (its newest instance) in state `state` not longer than
// `ticks` ticks, touching enemies.
bool reflector_strikes(Frames& f, double state, double ticks)
{
    ObjectList& reflector = f.instances[types::PlayerReflect_343];
    select_all(reflector);
    select_all(f.qualifier_17);
    if (!check_overlap(f.qualifier_17, reflector))
        return false;
    const FrameObject& r = instance_or_default(reflector);
    return get_value(r, 'A') == state && get_value(r, 'F') < ticks;
}

double reflector_damage(Frames& f)
{
    const FrameObject& r = instance_or_default(f.instances[types::PlayerReflect_343]);
    return get_value(r, 'H') - 1 + std::max(f.global_values->get(12), 1.0);
}

void reflector_deflect(Frames& f, int event, double state)
{
    if (!f.level_group_43 || !reflector_strikes(f, state, 15) || !keep_enemies(f, deflects_unless_harmless))
        return;
    if (FrameObject* enemy = pick_random_member(event, f.qualifier_17)) {
        set_value(enemy, 'C', 5);
        play(deflect_sample);
    }
}

// Projectiles of one kind (K <= 0, or K > 0) touching enemies; the one
// read for the knock-back is the first kept.
bool projectiles_strike(Frames& f, bool charged)
{
    ObjectList& shots = f.instances[types::PlayerProjectile_336];
    return others(f, 'K') <= 0 && touches_enemies(f, shots) &&
           filter(shots, [charged](FrameObject* shot) { return (get_value(*shot, 'K') > 0) == charged; });
}

void projectile_hit(Frames& f, int event, bool charged)
{
    if (!f.level_group_43 || !projectiles_strike(f, charged) || !keep_enemies(f, hittable))
        return;
    FrameObject* enemy = pick_random_member(event, f.qualifier_17);
    if (!enemy)
        return;
    ObjectList& shots = f.instances[types::PlayerProjectile_336];
    const FrameObject& shot = selected_or_default(shots);
    land_hit(enemy, {3, get_value(shot, 'C') * 0.5, get_value(shot, 'D') * 0.5}, get_value(shot, 'I'));
    if (!charged)
        add_value(f.instances[types::GUIEnergy_76], 'A', 5);
    for_each_selected(shots, [charged](FrameObject* s) { set_flag(s, charged ? 3 : 6, true); });
}

void projectile_deflect(Frames& f, bool charged)
{
    if (!f.level_group_43 || !projectiles_strike(f, charged) || !keep_enemies(f, deflects))
        return;
    stun_all(f, 3);
    play(deflect_sample);
    for_each_selected(f.instances[types::PlayerProjectile_336],
                      [charged](FrameObject* s) { set_flag(s, charged ? 3 : 6, true); });
}

// Thrown item boxes that have not struck yet, touching enemies.
bool thrown_boxes_strike(Frames& f)
{
    return touches_enemies(f, f.qualifier_13) && filter(f.qualifier_13, [](FrameObject* box) {
               return get_value(*box, 'A') == 2 && !get_flag(*box, 6);
           });
}

void mark_boxes(Frames& f)
{
    for_each_selected(f.qualifier_13, [](FrameObject* box) { set_flag(box, 6, true); });
}

// The insta-shield touching enemies: the one read is its first kept.
bool insta_shield_strikes(Frames& f)
{
    return others(f, 'K') <= 0 && touches_enemies(f, f.instances[types::ShieldInstaShield_187]);
}

double insta_shield_cool_down(const FrameObject& shield) { return get_flag(shield, 4) ? 0 : 5; }

}  // namespace

// An enemy touching the vulnerable player hurts it; the enemy is picked
// before it is tested, so a harmless one can shield a harmful one.
void Frames::event_func_1801()
{
    if (!level_group_43)
        return;
    const double mode = movement(*this, 'M');
    if (movement(*this, 'Z') != 0 || mode == 20 || mode == 21 || mode == 26 || mode == 44 ||
        movement(*this, 'R') != 0 || others(*this, 'E') > 0)
        return;
    if (!touches_enemies(*this, instances[types::PlayerCharacterSensor_151]))
        return;
    FrameObject* enemy = pick_random_member(1801, qualifier_17);
    if (!enemy || get_value(*enemy, 'B') <= 0 || get_value(*enemy, 'C') > 0 || get_flag(*enemy, harmless))
        return;
    set_value(instances[types::PlayerMovementValues_80], 'R', 1);
    add_value(instances[types::GUILifeBaseMeter_77], 'B', get_value(*enemy, 'B'));
}

// Landing on an enemy.
void Frames::event_func_1802()
{
    if (!level_group_43 || !body_attacks(*this) || movement(*this, 'G') < 0)
        return;
    FrameObject* enemy = one_enemy(*this, 1802, instances[types::PlayerSensorBottomBig_95], hittable);
    if (!enemy)
        return;
    const double g = movement(*this, 'G');
    body_hit(*this, enemy, {5, movement(*this, 'B') * 0.5, g}, std::fabs(g / 5) + 3, 5);
}

void Frames::event_func_1803()
{
    if (level_group_43 && body_attacks(*this) && movement(*this, 'G') >= 0)
        body_deflect(*this, types::PlayerSensorBottomBig_95, false);
}

// Rising into an enemy.
void Frames::event_func_1806()
{
    if (!level_group_43 || !body_attacks(*this) || movement(*this, 'G') >= 0)
        return;
    FrameObject* enemy = one_enemy(*this, 1806, instances[types::PlayerSensorTopBig_93], hittable);
    if (!enemy)
        return;
    const double g = movement(*this, 'G');
    body_hit(*this, enemy, {5, movement(*this, 'B') * 0.5, g}, std::fabs(g / 5) + 3, 5);
}

void Frames::event_func_1807()
{
    if (level_group_43 && body_attacks(*this) && movement(*this, 'G') < 0)
        body_deflect(*this, types::PlayerSensorTopBig_93, true);
}

void Frames::event_func_1808() { bike_hit(*this, 1808, types::PlayerSensorRightBig_91, 1); }

void Frames::event_func_1809() { bike_hit(*this, 1809, types::PlayerSensorLeftBig_89, -1); }

// The insta-shield hits the harder the higher its level; a shield marked
// with flag 4 leaves no cool-down.
void Frames::event_func_1810()
{
    if (!level_group_43 || !insta_shield_strikes(*this) || !keep_enemies(*this, hittable))
        return;
    FrameObject* enemy = pick_random_member(1810, qualifier_17);
    if (!enemy)
        return;
    const FrameObject& shield = selected_or_default(instances[types::ShieldInstaShield_187]);
    const double level = get_value(shield, 'A'), b = movement(*this, 'B');
    const Knock knock{level + 5, std::max(std::fabs(b * 1.5), 3 - level) * movement(*this, 'Q'), movement(*this, 'G') * 0.5};
    body_hit(*this, enemy, knock, (4 - level) + std::fabs(b / 10), insta_shield_cool_down(shield));
    for_each_instance(instances[types::PlayerSkinPimsa_324], [](FrameObject* skin) { set_flag(skin, 3, true); });
}

void Frames::event_func_1811()
{
    if (!level_group_43 || !insta_shield_strikes(*this) || !keep_enemies(*this, deflects))
        return;
    ObjectList& shields = instances[types::ShieldInstaShield_187];
    add_to_others(*this, 'I', 1);
    set_others(*this, 'K', insta_shield_cool_down(selected_or_default(shields)));
    int i = 0;
    for_each_selected(qualifier_17, [&](FrameObject* enemy) {
        const FrameObject* shield = shields.get_wrapped_selection(i++);
        set_value(enemy, 'C', (shield ? get_value(*shield, 'A') : 0) + 5);
    });
    play(deflect_sample);
}

// The thrown reflector.
void Frames::event_func_1812()
{
    if (!level_group_43 || !reflector_strikes(*this, 3, 15) || !keep_enemies(*this, hittable))
        return;
    FrameObject* enemy = pick_random_member(1812, qualifier_17);
    if (!enemy)
        return;
    const FrameObject& r = instance_or_default(instances[types::PlayerReflect_343]);
    land_hit(enemy, {5, get_value(r, 'X') * 0.75, get_value(r, 'Y') * 0.75}, reflector_damage(*this));
}

void Frames::event_func_1813() { reflector_deflect(*this, 1813, 3); }

// The orbiting reflector knocks an enemy away along its angle.
void Frames::event_func_1814()
{
    if (!level_group_43 || !reflector_strikes(*this, 5, 3) || !keep_enemies(*this, hittable))
        return;
    FrameObject* enemy = pick_random_member(1814, qualifier_17);
    if (!enemy)
        return;
    const double angle = get_value(instance_or_default(instances[types::PlayerReflect_343]), 'C');
    const double q = movement(*this, 'Q');
    play(hit_sample);
    stun(enemy, {5, event_cos(angle) * 5 * q, event_sin(angle) * -5 * q});
    wound(enemy, reflector_damage(*this));
}

void Frames::event_func_1815() { reflector_deflect(*this, 1815, 5); }

// The flame shield burns on every eighth tick of the level.
void Frames::event_func_1816()
{
    if (!level_group_43 || to_int(global_values->get(3)) % 8 != 0)
        return;
    FrameObject* enemy = one_enemy(*this, 1816, instances[types::ShieldFlameFront_104], hittable);
    if (!enemy)
        return;
    const double b = movement(*this, 'B');
    land_hit(enemy, {3, std::max(std::fabs(b * 1.5), 2.0) * movement(*this, 'Q'), movement(*this, 'G') * 0.5}, 1);
}

void Frames::event_func_1817() { projectile_hit(*this, 1817, false); }

void Frames::event_func_1818() { projectile_deflect(*this, false); }

void Frames::event_func_1819() { projectile_hit(*this, 1819, true); }

void Frames::event_func_1820() { projectile_deflect(*this, true); }

// A thrown item box strikes every enemy it touches once, stunned or not.
void Frames::event_func_1821()
{
    if (!level_group_43 || !thrown_boxes_strike(*this) ||
        !keep_enemies(*this, [](FrameObject* e) { return !get_flag(*e, armoured) && !get_flag(*e, harmless); }))
        return;
    mark_boxes(*this);
    play(hit_sample);
    int i = 0;
    for_each_selected(qualifier_17, [&](FrameObject* enemy) {
        const FrameObject* box = qualifier_13.get_wrapped_selection(i++);
        const double x = box ? get_value(*box, 'X') : 0, y = box ? get_value(*box, 'Y') : 0;
        stun(enemy, {3, x * 0.5, y * 0.5});
        wound(enemy, 15);
    });
}

void Frames::event_func_1822()
{
    if (!level_group_43 || !thrown_boxes_strike(*this) ||
        !keep_enemies(*this, [](FrameObject* e) { return get_flag(*e, armoured) && !get_flag(*e, harmless); }))
        return;
    mark_boxes(*this);
    play(deflect_sample);
}

void Frames::event_func_1823() { side_hit(*this, 1823, types::PlayerSensorLeftBig_89); }

void Frames::event_func_1824() { side_deflect(*this, types::PlayerSensorLeftBig_89); }

void Frames::event_func_1825() { side_hit(*this, 1825, types::PlayerSensorRightBig_91); }

void Frames::event_func_1826() { side_deflect(*this, types::PlayerSensorRightBig_91); }

void Frames::event_func_1827()
{
    if (!level_group_43 || !body_attacks(*this))
        return;
    FrameObject* enemy = one_enemy(*this, 1827, instances[types::PlayerCharacterSensor_151], hittable);
    if (!enemy)
        return;
    const double b = movement(*this, 'B');
    body_hit(*this, enemy, {5, std::max(std::fabs(b * 1.5), 3.0) * movement(*this, 'Q'), movement(*this, 'G')}, 1, 5);
}

// The charged move deals 20 more to every enemy it has just hit (C = 5).
void Frames::event_func_1828()
{
    if (!level_group_43 || movement(*this, 'Z') != 1 || movement(*this, 'M') != 5 ||
        !get_flag(instances[types::PlayerSkinYelto_102], 8) || others(*this, 'N') < 30)
        return;
    if (!touches_enemies(*this, instances[types::Player_87]) || !keep_enemies(*this, [](FrameObject* e) {
            return get_value(*e, 'C') == 5 && !get_flag(*e, armoured) && !get_flag(*e, harmless);
        }))
        return;
    play(charged_hit_sample);
    for_each_selected(qualifier_17, [](FrameObject* enemy) { add_value(enemy, 'A', -20); });
}

void Frames::event_func_1829() { side_deflect(*this, types::PlayerCharacterSensor_151); }

// A bomb box's explosion strikes every enemy it reaches, once per icon.
void Frames::event_func_1830()
{
    if (!level_group_43)
        return;
    ObjectList& icons = instances[types::MonitorIcon_125];
    if (!touches_enemies(*this, icons) || !filter(icons, [](FrameObject* icon) { return frame_of(icon) == bomb_icon; }) ||
        !keep_enemies(*this, [](FrameObject* e) { return !get_flag(*e, armoured); }) ||
        !filter(icons, [](FrameObject* icon) { return !get_flag(*icon, 25); }))
        return;
    for_each_selected(qualifier_17, [](FrameObject* enemy) { stun(enemy, {5, double(randrange_event(1830, 5) - 2), -3}); });
    play(hit_sample);
    for_each_selected(qualifier_17, [](FrameObject* enemy) { wound(enemy, 15); });
    for_each_selected(icons, [](FrameObject* icon) { set_flag(icon, 25, true); });
}
