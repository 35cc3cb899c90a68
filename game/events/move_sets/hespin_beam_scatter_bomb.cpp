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
constexpr unsigned scatter_bomb_sample = 59;

auto is_beam = of_kind(beam);
bool falling_scatter_bomb(FrameObject* shot) { return get_value(*shot, 'J') == scatter_bomb && not_burst(shot); }

}  // namespace

// The beam stretches as it ages.
void Frames::event_func_1403()
{
    if (!hespin::armed(*this))
        return;
    for_each_shot(*this, is_beam, [](FrameObject* shot) {
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
    if (hespin::armed(*this))
        fall_with_age_held(*this, falling_scatter_bomb, bomb_gravity);
}

// On the ground it bursts once and starts the scatter burst there.
void Frames::event_func_1407()
{
    if (!hespin::armed(*this) ||
        !select_touching_then_filtered(*this, of_kind(scatter_bomb), not_burst,
                                       {Contact::background, Contact::solids_flag_0_off}))
        return;
    burst_selected(*this, false);
    set_value_of_all(instances[types::PlayerSkinHespinArm_350], 'W', 1);
    media.play_id(scatter_bomb_sample, -1, 1);
    shake_at_least(*this, 3);
    for_each_selected(instances[types::PlayerProjectile_336], [](FrameObject* bomb) { set_flag(bomb, 4, true); });
}
