// The rising shot: it speeds upwards, loses its sideways speed, sounds
// while it passes through enemies and puffs once it is old enough.
#include "audio/media.h"
#include "game/events/move_sets/hespin_weapons.h"
#include "objects/active.h"

#include <algorithm>

namespace {

constexpr int rising_shot = 9;
constexpr double rise = 0.1;
constexpr double rise_limit = -10;
constexpr double damping = 0.1;
constexpr double puff_after = 5;
constexpr unsigned rising_sample = 48;

auto is_rising_shot = of_kind(rising_shot);

// The rising shots whose sideways speed passes `test` lose `step` of it.
template <class Test>
void damp(Frames& f, Test test, double step)
{
    for_each_shot(
        f, [&test](FrameObject* shot) { return is_rising_shot(shot) && test(get_value(*shot, 'C')); },
        [step](FrameObject* shot) { add_value(shot, 'C', step); });
}

}  // namespace

// It speeds upwards, up to 10 a tick.
void Frames::event_func_1419()
{
    if (!hespin::armed(*this))
        return;
    for_each_shot(*this, is_rising_shot, [](FrameObject* shot) {
        set_value(shot, 'D', std::max(get_value(*shot, 'D') - rise, rise_limit));
    });
}

// Its sideways speed dies away, from either side (both run each tick).
void Frames::event_func_1420()
{
    if (hespin::armed(*this))
        damp(*this, [](double c) { return c > 0; }, -damping);
}

void Frames::event_func_1421()
{
    if (hespin::armed(*this))
        damp(*this, [](double c) { return c < 0; }, damping);
}

// Passing through an enemy free to be hit only sounds.
void Frames::event_func_1422()
{
    if (!hespin::armed(*this))
        return;
    ObjectList& shots = instances[types::PlayerProjectile_336];
    select_all(shots);
    select_all(qualifier_17);
    if (!check_overlap(shots, qualifier_17) || !filter(shots, is_rising_shot))
        return;
    if (!filter(qualifier_17, [](FrameObject* enemy) { return get_value(*enemy, 'C') <= 0 && !get_flag(*enemy, 6); }))
        return;
    media.play_id(rising_sample, -1, 1);
}

// Old enough, it puffs once: a flash and the sound; flag 6 ends it.
void Frames::event_func_1423()
{
    if (!hespin::armed(*this))
        return;
    ObjectList& shots = instances[types::PlayerProjectile_336];
    if (!select(shots, [](FrameObject* shot) {
            return is_rising_shot(shot) && get_value(*shot, 'H') > puff_after && !get_flag(*shot, 6);
        }))
        return;
    static_cast<Active*>(flash_at_each(*this, shots))->set_scale(0.6f);
    for_each_selected(shots, [](FrameObject* shot) { set_flag(shot, 6, true); });
    media.play_id(rising_sample, -1, 1);
}
