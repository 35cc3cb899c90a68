// Dorrik digs (mode 27): presses pump the power, the dig animation speeds up
// with it, earth puffs beside him, and progress builds while the power is
// high; a finished dig may unearth a petal. When the power runs out the
// hole is stamped into his layer; moving or leaving the ground aborts the
// dig, and a resting box or fuel underfoot is lifted instead.
#include "audio/media.h"
#include "base/convert.h"
#include "game/events/move_sets/dorrik_moves.h"
#include "game/objects/classes.h"
#include "objects/counter.h"

#include <algorithm>

using namespace dorrik;

namespace {

constexpr unsigned frame_0_puff = 139, frame_3_puff = 138, nothing_found = 137;
constexpr double strong = 25, finished_progress = 120, max_power = 50, petals_held_max = 8;
constexpr int finished = 1;
constexpr int hole_only = 4;  // a pasted picture that is no obstacle

bool dig_on(const Frames& f) { return events_on(f, &Frames::level_group_26); }
ObjectList& dig_pictures(Frames& f) { return f.instances[types::PlayerDig_344]; }
bool is_finished(const FrameObject& object) { return get_flag(object, finished); }

bool dig_found_petal(Frames& f)
{
    return instance_holds(dig_pictures(f), [](const FrameObject& dig) { return is_finished(dig); });
}

bool dig_without_petal(Frames& f)
{
    return instance_holds(dig_pictures(f), [](const FrameObject& dig) { return !is_finished(dig); });
}

// Keeps the skins still digging strongly, shown on `frame`.
bool strong_on_frame(Frames& f, int frame)
{
    return select(dorrik_skins(f), [frame](FrameObject* skin) {
        return as_active(skin)->get_frame() == frame && get_value(*skin, 'A') > strong && !is_finished(*skin);
    });
}

// The earth thrown up beside the first selected skin.
void puff(Frames& f, unsigned sample, int event)
{
    media.play_id(sample, -1, 1);
    FrameObject& skin = *dorrik_skins(f).back_selection();
    const double facing = get_value(movement(f), 'Q');
    const int layer = layer_index(instance_or_default(f.instances[types::Player_87]));
    for_each_instance(dig_pictures(f), [&](FrameObject* dig) {
        dig->set_y(skin.get_y());
        dig->set_x(to_int(skin.get_x() + 12 * facing));
        dig->set_layer(layer);
        dig->move_front(&skin);
        as_active(dig)->force_frame(to_int(get_value(skin, 'B')) / 24);
        dig->set_visible(true);
    });
    for_each_selected(dorrik_skins(f), [event](FrameObject* s) { set_value(s, 'C', randrange_event(event, 2)); });
}

// Something of `objects` lying still under the feet.
template <class List>
bool resting_underfoot(Frames& f, List& objects)
{
    ObjectList& sensor = f.instances[types::PlayerSensorBottomBig_95];
    select_all(sensor);
    select_all(objects);
    return check_overlap(sensor, objects) &&
           filter(objects, [](FrameObject* object) { return get_value(*object, 'A') == 0; });
}

// The dig is stopped by the terrain: a slope, no ground just ahead, or the
// hole already under the feet.
bool stopped_by_terrain(Frames& f)
{
    const double angle = get_value(movement(f), 'O');
    auto still_digging = [&f] { return filter(dorrik_skins(f), [](FrameObject* skin) { return !is_finished(*skin); }); };
    auto no_ground_ahead = [&f] {
        const FrameObject* skin = instance_of(dorrik_skins(f));
        if (!skin)
            return false;
        const int x = to_int(skin->get_x() + 16 * get_value(movement(f), 'Q'));
        return !f.test_obstacle(x, skin->get_box_index(3) + 2);
    };
    auto over_the_hole = [&f] {
        ObjectList& sensor = f.instances[types::PlayerSensorBottomBig_95];
        select_all(sensor);
        select_all(dig_pictures(f));
        return check_overlap(sensor, dig_pictures(f));
    };
    return skins_of_any(
        f, [&] { return angle > 5 && angle < 355 && still_digging(); }, [&] { return angle < -5 && still_digging(); },
        no_ground_ahead, over_the_hole);
}

double petals_held(Frames& f)
{
    const auto* counter = static_cast<const Counter*>(instance_of(f.instances[types::GUIRings_74]));
    return counter ? counter->value : 0.0;
}

// The petal comes out where the dig picture is, on its layer, and flies off.
void unearth_petal(Frames& f)
{
    FrameObject* dig = instance_of(dig_pictures(f));
    if (!dig)
        return;
    set_flag(dig, finished, true);
    FrameObject* petal = create_instance(f, f.instances[types::ObjectPetal_117],
                                         create_objectpetal_117(dig->x, dig->y), layer_index(*dig));
    if (!petal)
        return;
    petal->advance_movement(1);
    set_value(petal, 'A', 2);
    petal->set_direction(8, true);
    set_flag(petal, 2, true);
}

bool power_spent(Frames& f)
{
    return select(dorrik_skins(f), [](FrameObject* skin) { return get_value(*skin, 'A') <= 0 && is_finished(*skin); });
}

void stamp_hole(Frames& f)
{
    for_each_instance(dig_pictures(f), [](FrameObject* dig) { as_active(dig)->paste(hole_only); });
}

}  // namespace

void Frames::event_func_1316()
{
    if (!dig_on(*this))
        return;
    set_value(others(*this), 'Y', 15);
    for_each_instance(dorrik_skins(*this), [](FrameObject* skin) {
        as_active(skin)->force_speed(to_int(std::min(5 + get_value(*skin, 'A') * 0.5, 30.0)));
    });
}

void Frames::event_func_1317()
{
    if (dig_on(*this) && strong_on_frame(*this, 0) && run_once(run_once_1317, loop_count))
        puff(*this, frame_0_puff, 1317);
}

void Frames::event_func_1318()
{
    if (dig_on(*this) && strong_on_frame(*this, 3) && run_once(run_once_1318, loop_count))
        puff(*this, frame_3_puff, 1318);
}

void Frames::event_func_1319()
{
    if (!dig_on(*this))
        return;
    if (!resting_underfoot(*this, item_boxes(*this)))
        return;
    if (FrameObject* box = pick_random_member(1319, item_boxes(*this)))
        lift(*this, box);
}

void Frames::event_func_1320()
{
    if (!dig_on(*this))
        return;
    if (!resting_underfoot(*this, fuel(*this)))
        return;
    if (FrameObject* pickup = pick_random_instance(1320, fuel(*this)))
        lift(*this, pickup);
}

void Frames::event_func_1321()
{
    if (dig_on(*this))
        for_each_instance(dorrik_skins(*this), [](FrameObject* skin) { add_value(skin, 'A', -1); });
}

void Frames::event_func_1322()
{
    if (!dig_on(*this) || !skins_where(*this, 'B', [](double progress) { return progress > 5; }))
        return;
    const int frame = to_int(get_value(*dorrik_skins(*this).back_selection(), 'B')) / 24;
    for_each_instance(dig_pictures(*this), [frame](FrameObject* dig) { as_active(dig)->force_frame(frame); });
}

void Frames::event_func_1323()
{
    if (!dig_on(*this) || get_value(input(*this), 'L') != 1 ||
        !select(dorrik_skins(*this), [](FrameObject* skin) { return !is_finished(*skin); }))
        return;
    for_each_selected(dorrik_skins(*this), [](FrameObject* skin) {
        set_value(skin, 'A', std::min(get_value(*skin, 'A') + 20, max_power));
    });
}

void Frames::event_func_1324()
{
    if (!dig_on(*this) || !stopped_by_terrain(*this))
        return;
    for_each_selected(dorrik_skins(*this), [](FrameObject* skin) {
        set_flag(skin, finished, true);
        set_value(skin, 'C', 1);
    });
}

void Frames::event_func_1325()
{
    if (dig_on(*this) && skins_where(*this, 'A', [](double power) { return power > strong; }))
        for_each_selected(dorrik_skins(*this), [](FrameObject* skin) { add_value(skin, 'B', 1); });
}

void Frames::event_func_1326()
{
    if (dig_on(*this) && skins_where(*this, 'B', [](double progress) { return progress > finished_progress; }))
        for_each_selected(dorrik_skins(*this), [](FrameObject* skin) { set_flag(skin, finished, true); });
}

void Frames::event_func_1327()
{
    if (!dig_on(*this) || !select(dorrik_skins(*this), [](FrameObject* skin) { return is_finished(*skin); }) ||
        !dig_without_petal(*this))
        return;
    if (filter(dorrik_skins(*this), [](FrameObject* skin) { return get_value(*skin, 'C') == 0; }) &&
        petals_held(*this) < petals_held_max)
        unearth_petal(*this);
}

void Frames::event_func_1328()
{
    if (dig_on(*this) && power_spent(*this) && dig_without_petal(*this))
        media.play_id(nothing_found, -1, 1);
}

void Frames::event_func_1329()
{
    if (dig_on(*this) && power_spent(*this) && dig_found_petal(*this))
        run_named_loop("sound_dig" + fast_itoa(randrange_event(1329, 4)), 1);
}

void Frames::event_func_1330()
{
    if (!dig_on(*this) || !skins_where(*this, 'A', [](double power) { return power <= 0; }))
        return;
    set_value(movement(*this), 'M', 3);
    set_value(others(*this), 'Y', 5);
    for_each_selected(dorrik_skins(*this), [](FrameObject* skin) {
        Active* sprite = as_active(skin);
        sprite->force_animation(10);
        sprite->force_frame(2);
        sprite->restore_frame();
    });
    stamp_hole(*this);
}

void Frames::event_func_1331()
{
    if (!dig_on(*this))
        return;
    if (get_value(movement(*this), 'B') != 0 || get_value(movement(*this), 'L') == 0) {
        set_value(movement(*this), 'M', 0);
        stamp_hole(*this);
    }
}
