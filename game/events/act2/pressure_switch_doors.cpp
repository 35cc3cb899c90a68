// The pressure plate and its switch doors. The plate (read as its newest
// instance) is held by a pushed block, the bike or the player standing on
// it; while held, the doors of its number slide 8 pixels a tick down to 128
// and are drawn one layer further back, and they slide back up when it is
// free. A door's B is its home layer as layer index + 1.
#include "audio/media.h"
#include "game/frames/event_support.h"
#include "game/frames/frames.h"
#include "runtime/collision.h"

namespace {

constexpr unsigned press_sample = 45;
constexpr double door_step = 8, door_travel = 128;

ObjectList& plates(Frames& f) { return f.instances[types::SwitchPressurePlate_376]; }
ObjectList& doors(Frames& f) { return f.instances[types::SwitchDoor_378]; }

void hold_plate(Frames& f)
{
    FrameObject* plate = instance_of(plates(f));
    if (plate)
        plate->set_visible(false);
    set_flag(plate, 0, true);
}

bool plate_flag(Frames& f, int bit) { return get_flag(plates(f), bit); }

// The doors of the plate's number, selected; true when any is.
bool select_plate_doors(Frames& f)
{
    const double number = get_value(plates(f), 'A');
    return select(doors(f), [number](FrameObject* d) { return get_value(*d, 'A') == number; });
}

void slide_doors(Frames& f, double step)
{
    for_each_selected(doors(f), [step](FrameObject* d) {
        d->set_y(to_int(d->get_y() + step));
        add_value(d, 'C', step);
    });
}

int layer_number(const FrameObject& door) { return layer_index(door) + 1; }

}  // namespace

void Frames::event_func_2294()
{
    if (!level_group_43)
        return;
    FrameObject* plate = instance_of(plates(*this));
    if (plate)
        plate->set_visible(true);
    set_flag(plate, 0, false);
}

void Frames::event_func_2295()
{
    if (!level_group_43)
        return;
    select_all(qualifier_8);
    select_all(plates(*this));
    if (check_overlap(qualifier_8, plates(*this)) &&
        filter(qualifier_8, [](FrameObject* block) { return get_flag(*block, 4); }))
        hold_plate(*this);
}

void Frames::event_func_2296()
{
    if (!level_group_43)
        return;
    select_all(instances[types::ObjectBike_340]);
    select_all(plates(*this));
    if (check_overlap(instances[types::ObjectBike_340], plates(*this)))
        hold_plate(*this);
}

void Frames::event_func_2297()
{
    if (!level_group_43)
        return;
    ObjectList& sensor = instances[types::PlayerSensorBottomBig_95];
    select_all(sensor);
    select_all(plates(*this));
    if (check_overlap(sensor, plates(*this)) && get_value(instances[types::PlayerMovementValues_80], 'L') == 1)
        hold_plate(*this);
}

void Frames::event_func_2298()
{
    if (!level_group_43 || !plate_flag(*this, 0) || plate_flag(*this, 1))
        return;
    media.play_id(press_sample, -1, 1);
    set_flag(plates(*this), 1, true);
}

void Frames::event_func_2299()
{
    if (level_group_43 && plate_flag(*this, 1) && !plate_flag(*this, 0))
        set_flag(plates(*this), 1, false);
}

void Frames::event_func_2300()
{
    if (!level_group_43 || !plate_flag(*this, 0) || !select_plate_doors(*this) ||
        !filter(doors(*this), [](FrameObject* d) { return get_value(*d, 'C') < door_travel; }))
        return;
    slide_doors(*this, door_step);
}

void Frames::event_func_2301()
{
    if (!level_group_43 || plate_flag(*this, 0) || !select_plate_doors(*this) ||
        !filter(doors(*this), [](FrameObject* d) { return get_value(*d, 'C') > 0; }))
        return;
    slide_doors(*this, -door_step);
}

// Closed, the door is back on its home layer.
void Frames::event_func_2302()
{
    FrameObject* door = instance_of(doors(*this));
    if (!level_group_43 || !door || get_value(*door, 'C') != 0 || layer_number(*door) == get_value(*door, 'B'))
        return;
    door->set_layer(to_int(get_value(*door, 'B')) - 1);
}

// Open, it is drawn one layer behind its home layer.
void Frames::event_func_2303()
{
    FrameObject* door = instance_of(doors(*this));
    if (!level_group_43 || !door || get_value(*door, 'C') == 0 || layer_number(*door) != get_value(*door, 'B'))
        return;
    door->set_layer(to_int(get_value(*door, 'B')) - 2);
}
