// Pimsa's ride along act 2's jump pads. The grabs and the re-arm are act 2's
// own; inside the ride's mode group act 2 reads its pads exactly as act 1
// reads its one pad (by the number of the pad the ride is at), so those
// events run act 1's.
#include "game/events/move_sets/pimsa_moves.h"
#include "runtime/collision.h"

using namespace pimsa_moves;

namespace {

constexpr double ride_mode = 48;

ObjectList& pads(Frames& f) { return f.instances[types::ObjectJumppad_325]; }

// Button 1 on an armed pad of the right angle, touched by `sensor`, grabs
// it for Pimsa (on foot or on the bike) when she is not riding already.
void grab(Frames& f, int sensor_type, bool upright)
{
    if (!f.level_group_43 || input(f, 'K') != 1)
        return;
    ObjectList& sensor = f.instances[sensor_type];
    select_all(sensor);
    select_all(pads(f));
    if (!check_overlap(sensor, pads(f)) || !filter(pads(f), [upright](FrameObject* p) {
            return (get_value(*p, 'B') == 0) == upright && get_value(*p, 'E') == 1 && get_value(*p, 'D') == 0;
        }))
        return;
    const double character = get_value(player(f), 'A');
    if (character < 2 || character > 3 || get_value(player(f), 'M') == ride_mode)
        return;
    set_value(player(f), 'M', ride_mode);
    const double x = get_value(player(f), 'X'), y = get_value(player(f), 'Y');
    int k = 0;
    for_each_instance(skins(f), [&](FrameObject* skin) {
        set_value(skin, 'D', x);
        set_value(skin, 'E', y);
        set_value(skin, 'C', get_value(*pads(f).get_wrapped_selection(k++), 'A'));
    });
    for_each_selected(pads(f), [](FrameObject* p) { set_value(p, 'E', -1); });
    for_each_instance(skins(f), [](FrameObject* skin) {
        set_flag(skin, 8, false);
        set_value(skin, 'J', 0);
    });
}

}  // namespace

void Frames::event_func_2261() { event_func_1242(); }
void Frames::event_func_2262() { event_func_1243(); }
void Frames::event_func_2263() { event_func_1251(); }
void Frames::event_func_2264() { event_func_1253(); }
void Frames::event_func_2265() { event_func_1256(); }

void Frames::event_func_2270() { grab(*this, types::PlayerSensorBottomBig_95, true); }
void Frames::event_func_2271() { grab(*this, types::PlayerSensorRightBig_91, false); }
void Frames::event_func_2272() { grab(*this, types::PlayerSensorLeftBig_89, false); }

// The pad the ride began from is armed again once the ride is over.
void Frames::event_func_2273()
{
    if (!level_group_43 || !select(pads(*this), [](FrameObject* p) { return get_value(*p, 'E') == -1; }) ||
        get_value(player(*this), 'M') == ride_mode)
        return;
    for_each_selected(pads(*this), [](FrameObject* p) { set_value(p, 'E', 1); });
}
