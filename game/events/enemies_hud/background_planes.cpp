// The pieces of the parallax backdrop and the far background planes: the
// pieces scroll on their own and follow the view at their factors, wrapped
// to stay on screen; the planes drift and follow the view at their depth,
// rumble past with a sound and a shake of the camera, and go once behind it.
#include "audio/media.h"
#include "game/frames/event_support.h"
#include "game/frames/frames.h"
#include "game/objects/type_ids.h"

#include <algorithm>
#include <cmath>

namespace {

// The parallax pieces of the act.
QualifierList& parallax_pieces(Frames& frames) { return frames.qualifier_20; }

// A plane that passes by the camera: facing direction 4, and reaching the
// view's left side.
bool passing_by(const Frames& frames, const FrameObject* plane)
{
    return plane->test_directions(1u << 4) && plane->get_x() > frames.new_display_x - 50;
}

}  // namespace

void Frames::event_func_2154()
{
    if (!level_group_43)
        return;
    for_each_instance(parallax_pieces(*this), [](FrameObject* piece) {
        set_value(piece, 'F', get_value(*piece, 'F') + get_value(*piece, 'G'));
    });
}

void Frames::event_func_2155()
{
    if (!level_group_43)
        return;
    for_each_instance(parallax_pieces(*this), [this](FrameObject* piece) {
        set_value(piece, 'J', new_display_x * get_value(*piece, 'D') + get_value(*piece, 'F'));
        set_value(piece, 'K', new_display_y * get_value(*piece, 'E') + get_value(*piece, 'C'));
    });
}

void Frames::event_func_2156()
{
    if (!level_group_43)
        return;
    for_each_instance(parallax_pieces(*this), [this](FrameObject* piece) {
        const double period = get_value(*piece, 'A');
        const double r = to_int(get_value(*piece, 'J') - new_display_x);
        // fmod keeps the sign of r: a piece behind the view sits left of it.
        const double wrapped = period == 0 ? 0.0 : std::fmod(r, period);
        piece->set_global_position(to_int(new_display_x + wrapped), to_int(get_value(*piece, 'K')));
    });
}

void Frames::event_func_2157()
{
    if (!level_group_43)
        return;
    for_each_instance(instances[types::LevelBackgroundPlane2_352], [this](FrameObject* plane) {
        const double drift_x = get_value(*plane, 'A'), drift_y = get_value(*plane, 'B');
        const double depth = get_value(*plane, 'C');
        const double factor = depth * 0.05 + 0.7;
        plane->set_x(to_int((new_display_x + drift_x) * factor));
        plane->set_y(to_int((new_display_y + drift_y) * factor));
        set_value(plane, 'A', drift_x + 8 - 2 * depth + 4 * plane->get_direction());
        set_value(plane, 'B', drift_y + 0.25);
    });
}

void Frames::event_func_2158()
{
    if (!level_group_43)
        return;
    ObjectList& planes = instances[types::LevelBackgroundPlane2_352];
    if (!select(planes, [this](FrameObject* plane) { return passing_by(*this, plane) && !get_flag(*plane, 0); }))
        return;
    for_each_selected(planes, [](FrameObject* plane) { set_flag(plane, 0, true); });
    media.play_id(81, -1, 1);
}

void Frames::event_func_2159()
{
    if (!level_group_43)
        return;
    ObjectList& planes = instances[types::LevelBackgroundPlane2_352];
    if (!select(planes, [this](FrameObject* plane) { return passing_by(*this, plane); }))
        return;
    FrameObject* first = nullptr;
    for_each_selected(planes, [&first](FrameObject* plane) {
        set_value(plane, 'F', std::max(get_value(*plane, 'F') - 0.05, 0.0));
        if (!first)
            first = plane;
    });
    ObjectList& camera = instances[types::MasterCamera_190];
    set_value(camera, 'Z', std::min(get_value(camera, 'Z') + get_value(*first, 'F'), 3.0));
}

void Frames::event_func_2160()
{
    if (!level_group_43)
        return;
    ObjectList& planes = instances[types::LevelBackgroundPlane2_352];
    if (select(planes, [this](FrameObject* plane) { return plane->get_x() > new_display_x + 626; }))
        for_each_selected(planes, [](FrameObject* plane) { plane->destroy(); });
}
