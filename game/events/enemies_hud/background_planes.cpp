// The pieces of the parallax backdrop and the far background planes: the
// pieces scroll on their own and follow the view at their factors, wrapped
// to stay on screen; the planes drift and follow the view at their depth,
// rumble past with a sound and a shake of the camera, and go once behind it.
// Two points of act 1 launch a plane each, the first time the player passes.
#include "audio/media.h"
#include "game/events/enemies_hud/background_planes.h"
#include "game/frames/event_support.h"
#include "game/frames/frames.h"
#include "game/objects/classes.h"
#include "game/objects/type_ids.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int pass_direction = 4;

// The parallax pieces of the act.
QualifierList& parallax_pieces(Frames& frames) { return frames.qualifier_20; }

// A plane that passes by the camera: facing direction 4, and reaching the
// view's left side.
bool passing_by(const Frames& frames, const FrameObject* plane)
{
    return plane->test_directions(1u << pass_direction) && plane->get_x() > frames.new_display_x - 50;
}

// A launch point: the first time the player passes `point_x` at a height
// `on_side` takes, a plane starts `behind` pixels left of the view at
// `plane_y`. The point's flag on the tunnel mask keeps it to one plane.
struct LaunchPoint {
    double point_x;
    bool (*on_side)(double player_y);
    int flag;
    int behind;
    int plane_y;
};

bool passes(Frames& frames, const LaunchPoint& point)
{
    ObjectList& values = frames.instances[types::PlayerMovementValues_80];
    return get_value(values, 'X') > point.point_x && point.on_side(get_value(values, 'Y')) &&
           !get_flag(frames.instances[types::SpiralTunnelMask_188], point.flag);
}

void launch_at(Frames& frames, const LaunchPoint& point)
{
    if (!frames.level_group_43 || !passes(frames, point))
        return;
    Active* plane = create_levelbackgroundplane2_352(-100, 0);
    create_instance(frames, frames.instances[types::LevelBackgroundPlane2_352], plane, 0);
    plane->set_x(frames.new_display_x - point.behind);
    plane->set_y(point.plane_y);
    launch_background_plane(frames, plane);
    set_flag(frames.instances[types::SpiralTunnelMask_188], point.flag, true);
}

}  // namespace

void launch_background_plane(Frames& frames, FrameObject* plane)
{
    ObjectList& camera = frames.instances[types::MasterCamera_190];
    plane->set_direction(pass_direction, true);
    set_value(plane, 'A', plane->get_x());
    set_value(plane, 'B', plane->get_y());
    set_value(plane, 'C', -5);
    set_value(plane, 'D', frames.new_display_x + get_value(camera, 'X'));
    set_value(plane, 'E', frames.new_display_y + get_value(camera, 'Y'));
    set_value(plane, 'F', 4);
}

void Frames::event_func_1997() { launch_at(*this, {3200, [](double y) { return y < 840; }, 9, 320, 900}); }

void Frames::event_func_1998() { launch_at(*this, {3200, [](double y) { return y >= 840; }, 9, 320, 1300}); }

void Frames::event_func_1999() { launch_at(*this, {10800, [](double y) { return y <= 750; }, 8, 160, 600}); }

void Frames::event_func_2000() { launch_at(*this, {10800, [](double y) { return y > 750; }, 8, 160, 1050}); }

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
