// Dorrik catches an item box or a fuel pickup falling onto the sensor above
// his head, carries it overhead turned with his body, and lets go of all
// he carries once his hands are empty.
#include "game/events/move_sets/dorrik_moves.h"

using namespace dorrik;

namespace {

constexpr int carried = 2;    // flag of a carried box or fuel
constexpr int placed = 0;     // flag of a box placed this tick
constexpr double thrown = 2;  // motion mode A of an object let go
constexpr double carry_mode = 30;

// Catches happen in the ground and air modes up to 5, and while carrying.
bool catch_mode(Frames& f)
{
    const double mode = get_value(movement(f), 'M');
    return mode <= 5 || mode == carry_mode;
}

bool falling(FrameObject* object) { return get_value(*object, 'B') > 0; }
bool is_carried(FrameObject* object) { return get_flag(*object, carried); }

// The catch's conditions up to the pick: not already carrying, something
// falling on the top sensor.
template <class List>
bool falling_on_head(Frames& f, List& objects)
{
    if (!catch_mode(f) || !skins_where(f, 'F', [](double hands) { return hands != 1; }))
        return false;
    ObjectList& sensor = f.instances[types::PlayerSensorTopBig_93];
    select_all(sensor);
    select_all(objects);
    return check_overlap(sensor, objects) && filter(objects, falling);
}

void start_carrying(Frames& f)
{
    for_each_selected(dorrik_skins(f), [](FrameObject* skin) { set_value(skin, 'F', 1); });
    set_value(movement(f), 'M', carry_mode);
}

// A catch puts the orb away.
void put_orb_away(Frames& f)
{
    for_each_instance(orb_list(f), [](FrameObject* orb) {
        set_value(orb, 'A', 0);
        orb->set_visible(false);
    });
}

// Each selected object at the offset from the k-th selected skin, then the
// objects in front of the skins they pair with.
template <class List>
void place_carried(ObjectList& skins, List& objects, double ox, double oy, bool is_box)
{
    int k = 0;
    for_each_selected(objects, [&](FrameObject* object) {
        if (is_box)
            set_flag(object, placed, true);
        if (const FrameObject* skin = skins.get_wrapped_selection(k++))
            hold_at(*object, *skin, ox, oy);
    });
    int skin_item = skins.head();
    for_each_selected(objects, [&](FrameObject* object) {
        if (skin_item == 0)
            return;
        object->move_front(skins.items[size_t(skin_item)].obj);
        skin_item = skins.items[size_t(skin_item)].next;
    });
}

void let_go(FrameObject* object)
{
    set_flag(object, carried, false);
    set_value(object, 'A', thrown);
}

}  // namespace

void Frames::event_func_1263()
{
    if (!dorrik_group_on(*this) || !falling_on_head(*this, item_boxes(*this)))
        return;
    FrameObject* box = pick_random_member(1263, item_boxes(*this));
    if (!box)
        return;
    set_flag(box, carried, true);
    start_carrying(*this);
    set_value(box, 'A', 0);
    set_value(box, 'B', 0);
    put_orb_away(*this);
}

void Frames::event_func_1264()
{
    if (!dorrik_group_on(*this) || !falling_on_head(*this, fuel(*this)))
        return;
    FrameObject* pickup = pick_random_instance(1264, fuel(*this));
    if (!pickup)
        return;
    start_carrying(*this);
    put_orb_away(*this);
    set_flag(pickup, carried, true);
    set_value(pickup, 'B', 0);
    set_value(pickup, 'A', 0);
}

void Frames::event_func_1265()
{
    if (!dorrik_group_on(*this) || get_value(movement(*this), 'M') != 0)
        return;
    if (skins_where(*this, 'F', [](double hands) { return hands > 0; }))
        set_value(movement(*this), 'M', carry_mode);
}

void Frames::event_func_1266()
{
    if (!dorrik_group_on(*this) || !skins_holding(*this, 1))
        return;
    filter(dorrik_skins(*this), is_carried);
    select(fuel(*this), is_carried);
    select(item_boxes(*this), is_carried);
    place_carried(dorrik_skins(*this), item_boxes(*this), -16, -31, true);
    place_carried(dorrik_skins(*this), fuel(*this), 0, -11, false);
}

void Frames::event_func_1267()
{
    if (!dorrik_group_on(*this) || !skins_holding(*this, 0))
        return;
    select(fuel(*this), is_carried);
    select(item_boxes(*this), is_carried);
    for_each_selected(item_boxes(*this), let_go);
    for_each_selected(fuel(*this), let_go);
}
