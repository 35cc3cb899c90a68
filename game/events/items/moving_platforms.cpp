// Platforms: the path platforms trace their closed paths about their
// centre and carry the player standing on them by their whole-pixel step;
// a hang sensor or a sinking platform carries the player hanging from it;
// the sinking platforms take back last tick's dip and let it die away
// unless something holds them.
#include "game/events/items/item_events.h"
#include "game/frames/event_support.h"
#include "game/frames/frames.h"
#include "runtime/collision.h"

#include <cmath>

namespace {

constexpr int held = 2;  // sinking platform flag: something holds it this tick
constexpr int hang_below = 28;  // the player's y below what it hangs from

void place_player(Frames& f) { f.run_loop(f.fast_loop_player01allsensors, 1, &Frames::loop_player01allsensors_4); }

void nudge_bottom_sensor(Frames& f, int dy)
{
    if (FrameObject* sensor = instance_of(f.instances[types::PlayerSensorBottomBig_95]))
        sensor->set_y(sensor->get_y() + dy);
}

// One axis of a path: the centre plus the amplitude times the cosine
// (`follows` 0) or the sine (1) of the angle.
void follow_path(Frames& f, char follows, double kind, char angle, char centre, char amplitude, char target)
{
    if (!f.level_group_43 || !select(f.qualifier_7, [=](FrameObject* p) { return get_value(*p, follows) == kind; }))
        return;
    for_each_selected(f.qualifier_7, [=](FrameObject* p) {
        const double a = get_value(*p, angle);
        const double wave = kind == 0 ? event_cos(a) : event_sin(a);
        set_value(p, target, get_value(*p, centre) + get_value(*p, amplitude) * wave);
    });
}

}  // namespace

// Last tick's dip comes off first; the pressing events put it back later.
void Frames::event_func_1839()
{
    if (level_group_43)
        for_each_instance(qualifier_6, [](FrameObject* p) {
            p->set_y(to_int(p->get_y() - std::floor(get_value(*p, 'S'))));
        });
}

void Frames::event_func_1840()
{
    if (level_group_43 && select(qualifier_6, [](FrameObject* p) { return !get_flag(*p, held); }))
        for_each_selected(qualifier_6, [](FrameObject* p) { add_value(p, 'S', -0.2 * get_value(*p, 'S')); });
}

void Frames::event_func_1841()
{
    if (!level_group_43)
        return;
    for_each_instance(qualifier_6, [](FrameObject* p) { set_flag(p, held, false); });
    set_value(instances[types::PlayerGimmickActions_150], 'G', 0);
}

void Frames::event_func_1842()
{
    if (!level_group_43)
        return;
    for_each_instance(qualifier_7, [](FrameObject* p) {
        set_value(p, 'K', get_value(*p, 'M'));
        set_value(p, 'L', get_value(*p, 'N'));
        set_value(p, 'A', std::fmod(get_value(*p, 'A') + get_value(*p, 'B'), 360));
        set_value(p, 'E', std::fmod(get_value(*p, 'E') + get_value(*p, 'F'), 360));
    });
}

void Frames::event_func_1843() { follow_path(*this, 'D', 0, 'A', 'I', 'C', 'M'); }

void Frames::event_func_1844() { follow_path(*this, 'D', 1, 'A', 'I', 'C', 'M'); }

void Frames::event_func_1845() { follow_path(*this, 'H', 0, 'E', 'J', 'G', 'N'); }

void Frames::event_func_1846() { follow_path(*this, 'H', 1, 'E', 'J', 'G', 'N'); }

// The step a rider is carried by: whole pixels only, so rider and platform
// never drift apart.
void Frames::event_func_1847()
{
    if (!level_group_43)
        return;
    for_each_instance(qualifier_7, [](FrameObject* p) {
        set_value(p, 'O', std::floor(get_value(*p, 'M')) - std::floor(get_value(*p, 'K')));
        set_value(p, 'P', std::floor(get_value(*p, 'N')) - std::floor(get_value(*p, 'L')));
    });
}

void Frames::event_func_1848()
{
    if (level_group_43)
        run_loop(fast_loop_plaftorms_updateposition, 1, &Frames::loop_plaftorms_updateposition_4);
}

// 1849 and 1851 let 1850 look one pixel below the bottom sensor.
void Frames::event_func_1849()
{
    if (level_group_43)
        nudge_bottom_sensor(*this, 1);
}

// A player standing on a path platform (not one above the player, and not
// while rising) moves with it.
void Frames::event_func_1850()
{
    if (!level_group_43)
        return;
    ObjectList& values = instances[types::PlayerMovementValues_80];
    ObjectList& sensor = instances[types::PlayerSensorBottomBig_95];
    if (get_value(values, 'G') < 0)
        return;
    select_all(sensor);
    select_all(qualifier_7);
    if (!check_overlap(sensor, qualifier_7) || !filter(qualifier_7, [](FrameObject* p) { return !get_flag(*p, 6); }))
        return;
    const FrameObject& platform = selected_or_default(qualifier_7);
    add_value(values, 'X', get_value(platform, 'O'));
    add_value(values, 'Y', get_value(platform, 'P'));
    place_player(*this);
    set_value(values, 'L', 1);
    set_value(sensor, 'Z', 1);
    set_value(values, 'N', 0);
    set_value(values, 'O', 0);
}

void Frames::event_func_1851()
{
    if (level_group_43)
        nudge_bottom_sensor(*this, -1);
}

void Frames::event_func_1852()
{
    if (!level_group_43 || !select(qualifier_14, [](FrameObject* s) { return get_value(*s, 'Q') == 1; }))
        return;
    const FrameObject& handle = selected_or_default(qualifier_14);
    ObjectList& values = instances[types::PlayerMovementValues_80];
    add_value(values, 'X', get_value(handle, 'O'));
    set_value(values, 'Y', handle.get_y() + hang_below);
    place_player(*this);
}

void Frames::event_func_1853()
{
    if (!level_group_43 || !select(qualifier_6, [](FrameObject* p) { return get_value(*p, 'Q') == 1; }))
        return;
    for_each_selected(qualifier_6, [](FrameObject* p) { set_flag(p, held, true); });
    const FrameObject& platform = selected_or_default(qualifier_6);
    set_value(instances[types::PlayerMovementValues_80], 'Y',
              platform.get_y() + hang_below + std::floor(get_value(platform, 'S')));
    place_player(*this);
}

void Frames::event_func_1854()
{
    if (level_group_43)
        for_each_instance(qualifier_6, [](FrameObject* p) {
            set_flag(p, 0, false);
            set_flag(p, 6, false);
        });
}

// Platforms above the player are marked for the next tick.
void Frames::event_func_1855()
{
    if (!level_group_43)
        return;
    const int player_y = instance_or_default(instances[types::Player_87]).get_y();
    if (select(qualifier_6, [player_y](FrameObject* p) { return p->get_y() < player_y; }))
        for_each_selected(qualifier_6, [](FrameObject* p) {
            set_flag(p, 0, true);
            set_flag(p, 6, true);
        });
}
