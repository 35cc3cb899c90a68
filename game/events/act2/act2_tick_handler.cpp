// The act 2 frame's tick handler. It runs the collision pass, the events
// that run ahead of all others, the main gameplay block's runs under their
// groups (act 2's own events at their places among the level events it
// shares with act 1), the water surface, the pause block and the shared
// block. The order is the behaviour: each event sees what the events before
// it in the tick left.
#include "game/events/act_tick.h"
#include "game/frames/event_support.h"
#include "game/frames/frames.h"
#include "game/objects/type_ids.h"
#include "objects/active.h"

#include <algorithm>
#include <cmath>

namespace {

using act_tick::call;
using act_tick::call_all;

#include "game/events/act2/act2_tick_runs.inc"

// After the moves both acts run first: the spore pod's contact and the
// debug group's first event; each still tests the groups of its authored
// place itself.
constexpr TickEvent ahead_of_all[] = {{2328, &Frames::event_func_2328}, {2175, &Frames::event_func_2175}};

constexpr TickEvent pause_block[] = {
    {2484, &Frames::event_func_2484}, {2485, &Frames::event_func_2485}, {2163, &Frames::event_func_2163},
    {2164, &Frames::event_func_2164}, {2165, &Frames::event_func_2165}, {2166, &Frames::event_func_2166},
    {2167, &Frames::event_func_2167}, {2168, &Frames::event_func_2168}, {2169, &Frames::event_func_2169},
    {2170, &Frames::event_func_2170}, {2171, &Frames::event_func_2171}, {2172, &Frames::event_func_2172},
    {2173, &Frames::event_func_2173}, {2174, &Frames::event_func_2174},
};

constexpr int view_height = 240;
// The view's bottom edge below which the deep background shows.
constexpr int deep_water_line = 1600;
// The distance from the view's middle line at which the surface strip has
// its own height.
constexpr double surface_unit = 220.0;

void set_visible(ObjectList& list, bool visible)
{
    if (FrameObject* piece = instance_of(list))
        piece->set_visible(visible);
}

// The water surface, written out here; each part tests the main gameplay
// group again, since an event before it may have switched it off.
void run_water_surface(Frames& f)
{
    using act_tick::recording;
    ObjectList& surface = f.instances[types::LevelParalaxWaterSurface_389];
    if (recording()) {
        for (int number : {2480, 2481, 2482, 2483})
            call(f, {number, nullptr});
        return;
    }
    // 2480: the view reaches down into the deep water.
    if (f.level_group_43 && f.new_display_y + view_height >= deep_water_line &&
        run_once(f.run_once_2480, f.loop_count)) {
        set_visible(f.instances[types::LevelParallaxPiece9_386], true);
        set_visible(f.instances[types::LevelParallaxPiece8_387], true);
        set_visible(f.instances[types::LevelParallaxPiece0_161], false);
        set_visible(f.instances[types::LevelParallaxPiece1_205], false);
    }
    // 2481: the strip follows the view and stretches with its distance from
    // the view's middle line.
    auto* strip = static_cast<Active*>(instance_of(surface));
    if (!f.level_group_43 || !strip)
        return;
    const double c = (double(strip->get_y()) - (double(f.new_display_y) + view_height / 2)) / surface_unit;
    set_value(strip, 'C', c);
    strip->set_y_scale(float(std::min(std::fabs(c), 2.0)));
    strip->set_x(f.new_display_x);
    // 2482, 2483: the frame of the side the strip lies on.
    if (f.level_group_43 && get_value(*strip, 'C') > 0)
        strip->force_frame(0);
    if (f.level_group_43 && get_value(*strip, 'C') < 0)
        strip->force_frame(1);
}

}  // namespace

void Frames::handle_frame_6_events()
{
    act_tick::call_piece(*this, "test_collisions_5", &Frames::test_collisions_5);
    act_tick::run_moves_ahead(*this);
    call_all(*this, ahead_of_all);
    if (level_group_43) {
        act_tick::run_level_runs(*this, act2_level_runs);
        run_water_surface(*this);
    }
    if (level_group_25)
        call_all(*this, pause_block);
    act_tick::run_shared_block(*this);
}
