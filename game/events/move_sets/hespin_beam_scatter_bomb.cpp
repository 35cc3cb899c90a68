// Hespin's beam shot, which stretches, hits and ends in a flash, and his
// scatter bomb, which falls and starts the scatter burst where it lands.
#include "audio/media.h"
#include "game/events/move_sets/hespin_weapons.h"
#include "objects/active.h"

#include <algorithm>

namespace {

constexpr int beam = 4;
constexpr int scatter_bomb = 5;
constexpr double beam_hit_cool_down = 10;
constexpr double beam_life = 7;
constexpr double bomb_gravity = 0.4;
constexpr double bomb_fall_limit = 15;
constexpr unsigned scatter_bomb_sample = 59;

auto is_beam = of_kind(beam);
bool falling_scatter_bomb(FrameObject* shot) { return get_value(*shot, 'J') == scatter_bomb && !get_flag(*shot, 4); }

}  // namespace

// The beam stretches as it ages.
void Frames::event_func_1403()
{
    if (!hespin::armed(*this))
        return;
    ObjectList& shots = instances[types::PlayerProjectile_336];
    if (!select(shots, is_beam))
        return;
    for_each_selected(shots, [](FrameObject* shot) {
        static_cast<Active*>(shot)->set_y_scale(float(0.5 + 0.06 * get_value(*shot, 'H')));
    });
}

// Past its life the beam ends in a flash, unless marked to stay.
void Frames::event_func_1404()
{
    if (!hespin::armed(*this))
        return;
    ObjectList& shots = instances[types::PlayerProjectile_336];
    if (!select(shots, [](FrameObject* shot) {
            return is_beam(shot) && get_value(*shot, 'H') > beam_life && !get_flag(*shot, 6);
        }))
        return;
    flash_at_each(*this, shots);
    for_each_selected(shots, [](FrameObject* shot) { shot->destroy(); });
}

// An armed beam hits the enemies it passes through, with a long cool-down.
void Frames::event_func_1405()
{
    if (!hespin::armed(*this))
        return;
    projectile_hit(*this, 1405, [](FrameObject* shot) { return is_beam(shot) && get_value(*shot, 'K') > 0; },
                   beam_hit_cool_down);
}

// The scatter bomb falls under its own gravity, its age held.
void Frames::event_func_1406()
{
    if (!hespin::armed(*this))
        return;
    ObjectList& shots = instances[types::PlayerProjectile_336];
    if (!select(shots, falling_scatter_bomb))
        return;
    for_each_selected(shots, [](FrameObject* bomb) {
        set_value(bomb, 'H', 0);
        set_value(bomb, 'D', std::min(get_value(*bomb, 'D') + bomb_gravity, bomb_fall_limit));
    });
}

// On the ground it bursts once and starts the scatter burst there.
void Frames::event_func_1407()
{
    if (!hespin::armed(*this))
        return;
    ObjectList& bombs = instances[types::PlayerProjectile_336];
    BlockUnion landed;
    landed.add_if(shots_on_background(*this, falling_scatter_bomb), bombs);
    landed.add_if(shots_on_solids(*this, falling_scatter_bomb, true), bombs);
    if (!landed.select_in(bombs))
        return;
    flash_at_each(*this, bombs);
    for_each_selected(bombs, [](FrameObject* bomb) {
        bomb->set_visible(false);
        set_value(bomb, 'C', 0);
        set_value(bomb, 'D', 0);
    });
    arms_at_selected_shots(*this);
    set_value_of_all(instances[types::PlayerSkinHespinArm_350], 'W', 1);
    media.play_id(scatter_bomb_sample, -1, 1);
    shake_at_least(*this, 3);
    for_each_selected(bombs, [](FrameObject* bomb) { set_flag(bomb, 4, true); });
}
