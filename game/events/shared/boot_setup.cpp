// Frame 1's start events while its intro group is on: the records load,
// the caption's font, the star field, the music volume, the window size
// chosen once a run, and the intro scene's layout.
#include "audio/media.h"
#include "game/events/shared/records.h"
#include "game/events/shared/window_presets.h"
#include "game/frames/event_support.h"
#include "game/frames/frames.h"
#include "runtime/values.h"
#include "game/frames/string_constants.h"
#include "objects/active.h"
#include "objects/steamext.h"
#include "objects/textblitter.h"

#include <cmath>
#include <vector>

namespace {

// Records cells: the music volume's complement and the window size option.
constexpr int music_complement_x = 1, music_complement_y = 31;
constexpr int window_option_x = 1, window_option_y = 34;

}  // namespace

void Frames::event_func_228()
{
    if (!intro_group)
        return;
    if (instance_of(instances[types::IlvaneSteamPluginQuorvella_34]))
        SteamObject::download("./records.dat");
    if (ArrayObject* records = records_array(*this))
        records->load(string_constant(STR_RECORDS_DAT));
    media.stop_samples();
    for_each_instance(instances[types::LocationName_18], [](FrameObject* caption) {
        static_cast<TextBlitter*>(caption)->load(string_constant(STR_FONT_BMP));
        // The caption's own line break: the text blitter breaks lines at '\n'.
        set_string(caption, 0,
                   string_constant(STR_CAPTION_TOLVANI_PALACE_PADDED) + "\n" + string_constant(STR_CAPTION_VIREVI_LUNMERE));
    });
    // The stars are numbered newest first and start their twinkle at
    // different frames of the animation.
    double number = 0;
    for_each_instance(instances[types::BgStar_16],
                      [&](FrameObject* star) { set_value(star, 'C', number++); });
    for_each_instance(instances[types::BgStar_16], [](FrameObject* star) {
        Active* sprite = static_cast<Active*>(star);
        sprite->force_frame(to_int(std::fmod(get_value(*star, 'C'), 20.0)));
        sprite->restore_frame();
    });
    global_values->set(25, 100.0 - records_cell(*this, music_complement_x, music_complement_y));
    static std::vector<FrameObject*> stars;
    stars.clear();
    for_each_instance(instances[types::BgStar_16], [](FrameObject* star) { stars.push_back(star); });
    swap_position(stars);
}

// The window size at boot, once a run: global value 24 is 0 only until one
// of these has chosen, and a restart recreates it.
void Frames::event_func_229()
{
    if (!intro_group || global_values->get(24) != 0)
        return;
    if (records_cell(*this, window_option_x, window_option_y) <= 0)
        choose_window_scale(*global_values, 2);
}

void Frames::event_func_230()
{
    if (!intro_group || global_values->get(24) != 0)
        return;
    if (records_cell(*this, window_option_x, window_option_y) == 1)
        choose_window_scale(*global_values, 1);
}

void Frames::event_func_231()
{
    if (!intro_group || global_values->get(24) != 0)
        return;
    if (records_cell(*this, window_option_x, window_option_y) == 2)
        choose_window_scale(*global_values, 2);
}

void Frames::event_func_232()
{
    if (!intro_group || global_values->get(24) != 0)
        return;
    if (records_cell(*this, window_option_x, window_option_y) == 3)
        choose_window_scale(*global_values, 3);
}

void Frames::event_func_233()
{
    if (!intro_group || global_values->get(24) != 0)
        return;
    if (records_cell(*this, window_option_x, window_option_y) >= 4)
        choose_full_screen(*global_values);
}

void Frames::event_func_234()
{
    if (!intro_group)
        return;
    set_display_center(std::nullopt, instance_or_default(instances[types::ScrollDot_3]).get_y());
    for_each_instance(instances[types::Beam_6], [&](FrameObject* beam) {
        Active* sprite = static_cast<Active*>(beam);
        sprite->set_x_scale(float(global_values->get(16)));
        sprite->set_y_scale(0.6f);
    });
    for_each_instance(instances[types::ScrollDot_3],
                      [](FrameObject* dot) { set_value(dot, 'Y', dot->get_y()); });
    for_each_instance(instances[types::SparkleTrail_5],
                      [](FrameObject* trail) { set_value(trail, 'A', -90); });
    for_each_instance(instances[types::WhiteFade_7], [](FrameObject* fade) { fade->blend_color.a = 0; });
    set_display_center(213, std::nullopt);
    for_each_instance(instances[types::PellowenLogo1_0],
                      [&](FrameObject* logo) { logo->set_x(to_int(logo->get_x() + global_values->get(16) * 0.5)); });
}
