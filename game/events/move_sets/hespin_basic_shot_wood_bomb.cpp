// Hespin's basic shot: hits that fill the energy gauge and, after a run of
// them, a keystone; the wood bomb's fuse, burst and fragments.
#include "audio/media.h"
#include "game/events/move_sets/hespin_weapons.h"
#include "game/objects/classes.h"

namespace {

constexpr int basic_shot = 20;
constexpr int wood_bomb = 2;
constexpr double basic_hit_cool_down = 3;
constexpr double energy_per_hit = 5;
constexpr double keystone_at = 15;  // hits counted before the drop
constexpr unsigned wood_bomb_sample = 209;
constexpr int wood_fragments = 13;

// The basic shot's hit rule: none while the player is hurt.
FrameObject* basic_shot_hit(Frames& f, int event)
{
    if (!(get_value(f.instances[types::PlayerOthers_75], 'K') <= 0))
        return nullptr;
    return pick_struck_enemy(f, event, of_kind(basic_shot));
}

void basic_hit_actions(Frames& f, FrameObject& enemy)
{
    ObjectList& shots = f.instances[types::PlayerProjectile_336];
    strike(enemy, *shots.back_selection(), basic_hit_cool_down);
    play_hit_sound();
    add_value(f.instances[types::GUIEnergy_76], 'A', energy_per_hit);
    for_each_selected(shots, [](FrameObject* shot) { set_flag(shot, 6, true); });
}

auto is_wood_bomb = of_kind(wood_bomb);

}  // namespace

// A basic shot hit counts towards the keystone.
void Frames::event_func_1388()
{
    if (!hespin::armed(*this))
        return;
    FrameObject* enemy = basic_shot_hit(*this, 1388);
    ObjectList& arms = instances[types::PlayerSkinHespinArm_350];
    if (!enemy || !select(arms, [](FrameObject* arm) { return get_value(*arm, 'F') <= keystone_at; }))
        return;
    basic_hit_actions(*this, *enemy);
    for_each_selected(arms, [](FrameObject* arm) { add_value(arm, 'F', 1); });
}

// After the run of hits the hit enemy drops a keystone.
void Frames::event_func_1389()
{
    if (!hespin::armed(*this))
        return;
    FrameObject* enemy = basic_shot_hit(*this, 1389);
    ObjectList& arms = instances[types::PlayerSkinHespinArm_350];
    if (!enemy || !select(arms, [](FrameObject* arm) { return get_value(*arm, 'F') >= keystone_at; }))
        return;
    basic_hit_actions(*this, *enemy);
    for_each_selected(arms, [](FrameObject* arm) { set_value(arm, 'F', 0); });
    FrameObject* keystone = create_at_each(*this, instances[types::PlayerProjectile_336],
                                           instances[types::ObjectKeystone_278], create_objectkeystone_278);
    keystone->set_direction(5, true);
    set_value(keystone, 'G', 1);
}

// A wood bomb touching the ground lights its fuse at once.
void Frames::event_func_1390()
{
    if (!hespin::armed(*this))
        return;
    ObjectList& shots = instances[types::PlayerProjectile_336];
    if (!select_filtered_then_touching(*this, is_wood_bomb, {Contact::solids_flag_0_off, Contact::background}))
        return;
    for_each_selected(shots, [](FrameObject* bomb) { set_value(bomb, 'H', 0); });
}

// A wood bomb hitting an enemy damages it and lights its fuse.
void Frames::event_func_1391()
{
    if (!hespin::armed(*this))
        return;
    FrameObject* enemy = pick_struck_enemy(*this, 1391, is_wood_bomb);
    if (!enemy)
        return;
    ObjectList& shots = instances[types::PlayerProjectile_336];
    strike(*enemy, *shots.back_selection(), basic_hit_cool_down);
    for_each_selected(shots, [](FrameObject* bomb) { set_value(bomb, 'H', 0); });
}

// A lit wood bomb bursts into thirteen fragments.
void Frames::event_func_1392()
{
    if (!hespin::armed(*this))
        return;
    ObjectList& bombs = instances[types::PlayerProjectile_336];
    if (!select(bombs, [](FrameObject* bomb) {
            return is_wood_bomb(bomb) && get_value(*bomb, 'H') >= 0 && get_value(*bomb, 'K') == 1;
        }))
        return;
    burst_selected(*this, true);
    for_each_selected(bombs, [](FrameObject* bomb) { set_value(bomb, 'H', 99); });
    media.play_id(wood_bomb_sample, -1, 1);
    shake_at_least(*this, 3);
    run_loop(fast_loop_woodbomb, wood_fragments, &Frames::loop_woodbomb_4);
}
