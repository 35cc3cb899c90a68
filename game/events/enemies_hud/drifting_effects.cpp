// Short-lived effects that other events throw: debris ages until it is far
// out of view, shades rise along a sine arc and drift off, and the 1-up
// popup sinks for 25 ticks and goes on its 32nd.
#include "game/frames/event_support.h"
#include "game/frames/frames.h"

namespace {

// Far outside the view: 50 pixels past any of its edges.
constexpr int far_outside = -50;
constexpr double drift_angle = 90;
constexpr double popup_sinking = 26;
constexpr double popup_end = 32;

bool far_out_of_view(FrameObject* object) { return object->is_near_border(far_outside); }

}  // namespace

void Frames::event_func_2062()
{
    if (!level_group_43)
        return;
    for_each_instance(instances[types::EffectsDebris_266], [](FrameObject* debris) { add_value(debris, 'A', 1); });
}

void Frames::event_func_2063()
{
    if (!level_group_43 || !select(instances[types::EffectsDebris_266], far_out_of_view))
        return;
    for_each_selected(instances[types::EffectsDebris_266], [](FrameObject* debris) { debris->destroy(); });
}

// A shade's arc starts where it was made; E = 0 means not yet started, so a
// shade made at y 0 starts again every tick.
void Frames::event_func_2064()
{
    ObjectList& shades = instances[types::EffectShade_309];
    if (!level_group_43 || !select(shades, [](FrameObject* shade) { return get_value(*shade, 'E') == 0; }))
        return;
    for_each_selected(shades, [](FrameObject* shade) {
        set_value(shade, 'E', shade->get_y());
        set_value(shade, 'D', shade->get_x());
    });
}

void Frames::event_func_2065()
{
    ObjectList& shades = instances[types::EffectShade_309];
    if (!level_group_43 || !select(shades, [](FrameObject* shade) { return get_value(*shade, 'E') != 0; }))
        return;
    for_each_selected(shades, [](FrameObject* shade) {
        shade->set_x(to_int(get_value(*shade, 'D')));
        shade->set_y(to_int(get_value(*shade, 'E') - get_value(*shade, 'C') * event_sin(get_value(*shade, 'F'))));
        add_value(shade, 'F', 4);
        add_value(shade, 'E', get_value(*shade, 'B'));
    });
}

void Frames::event_func_2066()
{
    ObjectList& shades = instances[types::EffectShade_309];
    if (!level_group_43 || !select(shades, [](FrameObject* shade) { return get_value(*shade, 'F') > drift_angle; }))
        return;
    for_each_selected(shades, [](FrameObject* shade) { add_value(shade, 'D', get_value(*shade, 'A')); });
}

void Frames::event_func_2067()
{
    if (!level_group_43 || !select(instances[types::EffectShade_309], far_out_of_view))
        return;
    for_each_selected(instances[types::EffectShade_309], [](FrameObject* shade) { shade->destroy(); });
}

void Frames::event_func_2077()
{
    if (!level_group_43)
        return;
    for_each_instance(instances[types::Obj1up_174], [](FrameObject* popup) { add_value(popup, 'A', 1); });
}

void Frames::event_func_2078()
{
    ObjectList& popups = instances[types::Obj1up_174];
    if (!level_group_43 || !select(popups, [](FrameObject* popup) { return get_value(*popup, 'A') < popup_sinking; }))
        return;
    for_each_selected(popups, [](FrameObject* popup) {
        popup->set_global_position(popup->get_x(), popup->get_y() + 1);
    });
}

void Frames::event_func_2079()
{
    ObjectList& popups = instances[types::Obj1up_174];
    if (!level_group_43 || !select(popups, [](FrameObject* popup) { return get_value(*popup, 'A') == popup_end; }))
        return;
    for_each_selected(popups, [](FrameObject* popup) { popup->destroy(); });
}
