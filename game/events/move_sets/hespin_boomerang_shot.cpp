// Hespin's boomerang shot swings out from the player and back, spinning,
// and carries the collectibles it grabs.
#include "game/events/move_sets/hespin_weapons.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int boomerang = 3;
constexpr double spin_per_tick = 30;
constexpr double above_player = 40;

auto is_boomerang = of_kind(boomerang);

// Every boomerang and every collectible of the type; the collectibles it
// overlaps that pass `grabbable` are carried from now on (flag 10).
template <class Test>
void grab(Frames& f, int type, Test grabbable)
{
    ObjectList& shots = f.instances[types::PlayerProjectile_336];
    ObjectList& items = f.instances[type];
    select_all(items);
    if (!select(shots, is_boomerang) || !check_overlap(shots, items) || !filter(items, grabbable))
        return;
    for_each_selected(items, [](FrameObject* item) { set_flag(item, 10, true); });
}

// The carried collectibles that pass `carried` are placed at the shots,
// paired in order; their values `x_value`, `y_value` (if any) take the spot.
template <class Test>
void carry(Frames& f, int type, Test carried, char x_value, char y_value)
{
    ObjectList& shots = f.instances[types::PlayerProjectile_336];
    ObjectList& items = f.instances[type];
    if (!select(items, [&carried](FrameObject* item) { return get_flag(*item, 10) && carried(item); }))
        return;
    if (!select(shots, is_boomerang))
        return;
    int n = 0;
    for_each_selected(items, [&](FrameObject* item) {
        const FrameObject* shot = shots.get_wrapped_selection(n++);
        const int x = shot->get_x();
        const int y = shot->get_y();
        if (x_value) {
            set_value(item, x_value, x);
            set_value(item, y_value, y);
        }
        item->set_x(x);
        item->set_y(y);
    });
}

}  // namespace

// The flight: out along the launch angle and back, swinging across it,
// round a point above the player.
void Frames::event_func_1393()
{
    if (!hespin::armed(*this))
        return;
    ObjectList& movement = instances[types::PlayerMovementValues_80];
    const double player_x = get_value(movement, 'X');
    const double player_y = get_value(movement, 'Y');
    for_each_shot(*this, is_boomerang, [&](FrameObject* shot) {
        set_value(shot, 'C', 0);
        set_value(shot, 'D', 0);
        const double h = get_value(*shot, 'H');
        const double facing = get_value(*shot, 'N');
        const double launch = get_value(*shot, 'O');
        const double swing = event_cos(2 * h + 90);
        const double u = facing * (20 + 150 * swing * swing);
        const double v = -30 * event_sin(6 * std::max(h, -60.0) - 90);
        set_value(shot, 'A', player_x + u * event_cos(launch) + v * event_sin(launch));
        set_value(shot, 'B', (player_y - above_player) + v * event_cos(launch) - u * event_sin(launch));
        shot->set_angle(to_int(shot->get_angle() + spin_per_tick * facing), 0);
        set_value(shot, 'H', h + 1);
    });
}

// It ends when its counter reaches 0.
void Frames::event_func_1394()
{
    if (!hespin::armed(*this))
        return;
    for_each_shot(
        *this, [](FrameObject* shot) { return is_boomerang(shot) && get_value(*shot, 'H') >= 0; },
        [](FrameObject* shot) { shot->destroy(); });
}

// Petals (not those of kind 2), crystals, keystones and codecs are grabbed
// and carried.
void Frames::event_func_1395()
{
    if (hespin::armed(*this))
        grab(*this, types::ObjectPetal_117,
             [](FrameObject* petal) { return !get_flag(*petal, 10) && get_value(*petal, 'A') != 2; });
}

void Frames::event_func_1396()
{
    if (hespin::armed(*this))
        carry(*this, types::ObjectPetal_117, [](FrameObject* petal) { return get_value(*petal, 'A') < 3; }, 'B', 'C');
}

void Frames::event_func_1397()
{
    if (hespin::armed(*this))
        grab(*this, types::ObjectCrystal_239,
             [](FrameObject* crystal) { return !get_flag(*crystal, 0) && !get_flag(*crystal, 10); });
}

void Frames::event_func_1398()
{
    if (hespin::armed(*this))
        carry(*this, types::ObjectCrystal_239, [](FrameObject* crystal) { return !get_flag(*crystal, 0); }, 'B', 'C');
}

void Frames::event_func_1399()
{
    if (hespin::armed(*this))
        grab(*this, types::ObjectKeystone_278, [](FrameObject* keystone) {
            return !get_flag(*keystone, 10) && get_value(*keystone, 'G') == 0 && get_value(*keystone, 'E') == 0 &&
                   get_value(*keystone, 'B') == 0;
        });
}

void Frames::event_func_1400()
{
    if (hespin::armed(*this))
        carry(*this, types::ObjectKeystone_278, [](FrameObject* keystone) { return get_value(*keystone, 'E') == 0; },
              'H', 'F');
}

void Frames::event_func_1401()
{
    if (hespin::armed(*this))
        grab(*this, types::ObjectCodec_279, [](FrameObject* codec) { return !get_flag(*codec, 10); });
}

void Frames::event_func_1402()
{
    if (hespin::armed(*this))
        carry(*this, types::ObjectCodec_279, [](FrameObject* codec) { return get_value(*codec, 'E') == 0; }, 0, 0);
}
