// The studio intro of frame 1: a sparkle trail spirals in and leaves a
// beam, the beam sweeps to the left edge and reveals the logo, sparkles
// burst around it at growing intervals, the logo fades while the title
// music starts, the view scrolls over the scenery, the mech flies off and a
// white fade ends the intro. Then the location caption that types itself.
#include "audio/media.h"
#include "game/events/stage_loops/music_queue.h"
#include "game/frames/event_support.h"
#include "game/frames/frames.h"
#include "game/frames/string_constants.h"
#include "game/objects/classes.h"
#include "objects/active.h"
#include "objects/layerext.h"
#include "objects/textblitter.h"
#include "runtime/movement.h"
#include "runtime/values.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int top_layer = 3;
constexpr int scenery_layer = 2;

// The flags of the logo and the caption.
constexpr int flag_caption_running = 0, flag_intro_ended = 5, flag_music_started = 6;

void raise_transparency(FrameObject* object, int steps)
{
    set_semi_transparency(*object, semi_transparency(*object) + steps);
}
bool fully_transparent(const FrameObject* object) { return semi_transparency(*object) >= 128; }
bool fully_opaque(const FrameObject* object) { return semi_transparency(*object) <= 0; }

Active* sprite(FrameObject* object) { return static_cast<Active*>(object); }

// The sparkle trail's scale shrinks from 1.5 to 1 as it travels.
float trail_scale(const FrameObject* trail) { return float(std::max(1.5 - 0.01 * get_value(*trail, 'A'), 1.0)); }

void start_title_music(const GlobalValues& globals)
{
    media.set_channel_volume(music::channel, globals.get(25));
    media.play(string_constant(STR_M_TITLE), music::channel, 0);
}

}  // namespace

// The view's height follows the scroll dot, which takes its target height.
void Frames::event_func_98()
{
    if (!intro_group)
        return;
    set_display_center(std::nullopt, instance_or_default(instances[types::ScrollDot_3]).get_y());
    for_each_instance(instances[types::ScrollDot_3], [](FrameObject* dot) { dot->set_y(to_int(get_value(*dot, 'Y'))); });
    for_each_instance(instances[types::SparkleTrail_5],
                      [](FrameObject* trail) { sprite(trail)->set_scale(trail_scale(trail)); });
}

// The trail spirals in around the view.
void Frames::event_func_99()
{
    if (!intro_group)
        return;
    if (!select(instances[types::SparkleTrail_5], [](FrameObject* trail) { return get_value(*trail, 'A') < 180; }))
        return;
    const double dx = new_display_x, dy = new_display_y;
    const double view_width = global_values->get(16);
    for_each_selected(instances[types::SparkleTrail_5], [&](FrameObject* trail) {
        const double angle = get_value(*trail, 'A');
        trail->set_x(to_int(dx + 30 + 0.5 * view_width - cos_deg(angle) * std::min(0.5 * angle + 150, 190.0)));
        trail->set_y(to_int(dy + 120 - sin_deg(angle) * std::max(130 - 0.5 * angle, 80.0)));
        add_value(trail, 'A', 2.25);
    });
}

// A sparkle where the trail is on screen; the first one is jittered.
void Frames::event_func_100()
{
    if (!intro_group)
        return;
    ObjectList& trails = instances[types::SparkleTrail_5];
    if (!select(trails, [](FrameObject* trail) { return trail->get_x() > -20; }))
        return;
    FrameObject* first_trail = trails.items[size_t(trails.head())].obj;
    FrameObject* first_sparkle = nullptr;
    for_each_selected(trails, [&](FrameObject* trail) {
        FrameObject* sparkle = create_sparkle_4(trail->x, trail->y);
        if (!first_sparkle)
            first_sparkle = create_instance(*this, instances[types::Sparkle_4], sparkle, trail->layer->index);
        else
            create_another(*this, instances[types::Sparkle_4], sparkle, trail->layer->index);
    });
    first_sparkle->set_x(first_sparkle->get_x() + randrange_event(100, 13) - 6);
    first_sparkle->set_y(first_sparkle->get_y() + randrange_event(100, 5) - 2);
    sprite(first_sparkle)->set_scale(trail_scale(first_trail));
}

// At the end of the spiral the trail slides left and the beam rides it.
void Frames::event_func_101()
{
    if (!intro_group)
        return;
    ObjectList& trails = instances[types::SparkleTrail_5];
    if (!select(trails, [](FrameObject* trail) { return get_value(*trail, 'A') >= 180; }))
        return;
    const int dx = new_display_x;
    for_each_selected(trails, [&](FrameObject* trail) {
        set_value(trail, 'A', 180);
        trail->set_x(std::min(trail->get_x() - 6, dx + 446));
    });
    int pair = 0;
    for_each_instance(instances[types::Beam_6], [&](FrameObject* beam) {
        FrameObject* trail = trails.get_wrapped_selection(pair++);
        if (!trail)
            return;
        beam->set_x(std::max(trail->get_x(), dx));
        beam->set_y(trail->get_y());
    });
}

// The beam reaches the left edge: it turns, chimes, and the trail is gone.
void Frames::event_func_102()
{
    if (!intro_group)
        return;
    const int dx = new_display_x;
    if (!select(instances[types::Beam_6], [dx](FrameObject* beam) { return beam->get_x() <= dx; }))
        return;
    if (!run_once(run_once_102, loop_count))
        return;
    for_each_selected(instances[types::Beam_6], [](FrameObject* beam) { beam->set_direction(8, true); });
    media.play_id(55, -1, 1);
    for_each_instance(instances[types::SparkleTrail_5], [](FrameObject* trail) { trail->destroy(); });
}

// Once its sweep has played far enough, the beam fades and shows the logo.
void Frames::event_func_103()
{
    if (!intro_group)
        return;
    const int dx = new_display_x;
    if (!select(instances[types::Beam_6],
                [dx](FrameObject* beam) { return beam->get_x() <= dx && sprite(beam)->get_frame() >= 13; }))
        return;
    for_each_selected(instances[types::Beam_6], [](FrameObject* beam) {
        raise_transparency(beam, 4);
        add_value(beam, 'A', 1);
    });
    for_each_instance(instances[types::PellowenLogo1_0], [](FrameObject* logo) { logo->set_visible(true); });
}

namespace {

// The logo between two steps, while sparkles still burst around it.
bool bursting(FrameObject* logo)
{
    return (logo->flags & FrameObject::VISIBLE) && get_value(*logo, 'A') == 0 && get_value(*logo, 'B') < 16;
}

}  // namespace

// A sparkle around the logo.
void Frames::event_func_104()
{
    if (!intro_group)
        return;
    ObjectList& logos = instances[types::PellowenLogo1_0];
    if (!select(logos, bursting))
        return;
    FrameObject* logo = logos.items[size_t(logos.head())].obj;
    FrameObject* sparkle = create_instance(*this, instances[types::Sparkle_4], create_sparkle_4(-41, 88), top_layer);
    sparkle->set_x(logo->get_x() - 135 + randrange_event(104, 271));
    sparkle->set_y(logo->get_y() - 20 + randrange_event(104, 41));
}

// A sparkle anywhere across the frame at the logo's height.
void Frames::event_func_105()
{
    if (!intro_group)
        return;
    ObjectList& logos = instances[types::PellowenLogo1_0];
    if (!select(logos, bursting))
        return;
    FrameObject* logo = logos.items[size_t(logos.head())].obj;
    FrameObject* sparkle = create_instance(*this, instances[types::Sparkle_4], create_sparkle_4(-41, 88), top_layer);
    sparkle->set_x(10 + randrange_event(105, width - 10));
    sparkle->set_y(logo->get_y() - 30 + randrange_event(105, 61));
}

void Frames::event_func_106()
{
    if (!intro_group)
        return;
    if (!select(instances[types::Beam_6], [](FrameObject* beam) { return get_value(*beam, 'A') >= 32; }))
        return;
    for_each_selected(instances[types::Beam_6], [](FrameObject* beam) { beam->destroy(); });
}

// With the beam gone the steps begin.
void Frames::event_func_107()
{
    if (!intro_group)
        return;
    if (instances[types::Beam_6].size() != 0)
        return;
    if (!select(instances[types::PellowenLogo1_0], [](FrameObject* logo) { return get_value(*logo, 'B') <= 0; }))
        return;
    for_each_selected(instances[types::PellowenLogo1_0], [](FrameObject* logo) { set_value(logo, 'B', 2); });
}

void Frames::event_func_108()
{
    if (!intro_group)
        return;
    if (!select(instances[types::PellowenLogo1_0], [](FrameObject* logo) { return get_value(*logo, 'B') > 0; }))
        return;
    for_each_selected(instances[types::PellowenLogo1_0], [](FrameObject* logo) { add_value(logo, 'A', 1); });
}

// Step b lasts ceil(b / 2) ticks.
void Frames::event_func_109()
{
    if (!intro_group)
        return;
    if (!select(instances[types::PellowenLogo1_0],
                [](FrameObject* logo) { return get_value(*logo, 'B') > 0 && get_value(*logo, 'A') >= 0.5 * get_value(*logo, 'B'); }))
        return;
    for_each_selected(instances[types::PellowenLogo1_0], [](FrameObject* logo) {
        set_value(logo, 'A', 0);
        add_value(logo, 'B', 1);
    });
}

void Frames::event_func_110()
{
    if (!intro_group)
        return;
    if (!select(instances[types::PellowenLogo1_0], [](FrameObject* logo) { return get_value(*logo, 'B') >= 16; }))
        return;
    if (!run_once(run_once_110, loop_count))
        return;
    for_each_selected(instances[types::PellowenLogo1_0], [](FrameObject* logo) { sprite(logo)->force_animation(7); });
    for_each_instance(instances[types::PellowenLogo2_1], [](FrameObject* logo) { sprite(logo)->force_animation(7); });
}

void Frames::event_func_111()
{
    if (!intro_group)
        return;
    if (!select(instances[types::PellowenLogo1_0], [](FrameObject* logo) { return get_value(*logo, 'B') >= 25; }))
        return;
    for_each_selected(instances[types::PellowenLogo1_0], [](FrameObject* logo) { raise_transparency(logo, 2); });
    for_each_instance(instances[types::PellowenLogo2_1], [](FrameObject* logo) { raise_transparency(logo, 2); });
}

// Before the logo fades the view rises half a pixel a tick.
void Frames::event_func_112()
{
    if (!intro_group)
        return;
    if (!select(instances[types::PellowenLogo1_0], [](FrameObject* logo) { return get_value(*logo, 'B') < 25; }))
        return;
    for_each_instance(instances[types::ScrollDot_3], [](FrameObject* dot) { add_value(dot, 'Y', -0.5); });
}

void Frames::event_func_113()
{
    if (!intro_group)
        return;
    if (!select(instances[types::PellowenLogo1_0], [](FrameObject* logo) { return get_value(*logo, 'B') == 25; }))
        return;
    if (!once(once_113))
        return;
    for_each_instance(instances[types::LayerObject_15],
                      [](FrameObject* object) { static_cast<LayerObject*>(object)->show_layer(scenery_layer); });
}

// Then it sinks over the scenery a pixel a tick.
void Frames::event_func_114()
{
    if (!intro_group)
        return;
    if (!select(instances[types::PellowenLogo1_0],
                [](FrameObject* logo) { return get_value(*logo, 'B') >= 25 && get_value(*logo, 'B') < 47; }))
        return;
    for_each_instance(instances[types::ScrollDot_3], [](FrameObject* dot) { add_value(dot, 'Y', 1); });
}

void Frames::event_func_115()
{
    if (!intro_group)
        return;
    if (!select(instances[types::PellowenLogo1_0], [](FrameObject* logo) { return get_value(*logo, 'B') >= 40; }))
        return;
    if (!once(once_115))
        return;
    for_each_instance(instances[types::LocationName_18],
                      [](FrameObject* caption) { set_flag(caption, flag_caption_running, true); });
}

void Frames::event_func_116()
{
    if (!intro_group)
        return;
    if (!select(instances[types::PellowenLogo1_0], [](FrameObject* logo) { return get_value(*logo, 'B') == 47; }))
        return;
    if (!once(once_116))
        return;
    for_each_instance(instances[types::KastiqMechFlyby_12], [](FrameObject* mech) {
        mech->set_x(540);
        mech->set_y(360);
        set_value(mech, 'A', mech->get_x());
        mech->set_visible(true);
    });
    media.play_id(166, -1, 1);
}

// The mech flies off into the distance: it slows, shrinks, darkens to blue
// and levels out.
void Frames::event_func_117()
{
    if (!intro_group)
        return;
    if (!select(instances[types::PellowenLogo1_0], [](FrameObject* logo) { return get_value(*logo, 'B') >= 47; }))
        return;
    for_each_instance(instances[types::KastiqMechFlyby_12], [](FrameObject* mech) {
        const double ticks = get_value(*mech, 'N');
        mech->set_x(to_int(get_value(*mech, 'A')));
        add_value(mech, 'A', std::min(0.07 * ticks, 9.0) - 8);
        sprite(mech)->set_scale(float(1 - std::clamp(std::log10(0.05 * (ticks + 20)), 0.0, 1.0)));
        const int red_green = 248 - int(std::min(ticks, 248.0));
        mech->set_blend_color(red_green | red_green << 8 | 255 << 16);
        mech->set_angle(to_int(20 - std::min(0.2 * ticks, 20.0)), 0);
        set_value(mech, 'N', ticks + 1);
    });
}

// The intro ran to its end.
void Frames::event_func_118()
{
    if (!intro_group)
        return;
    if (!select(instances[types::PellowenLogo1_0], [](FrameObject* logo) { return get_value(*logo, 'B') == 55; }))
        return;
    for_each_selected(instances[types::PellowenLogo1_0],
                      [](FrameObject* logo) { set_flag(logo, flag_intro_ended, true); });
    for_each_instance(instances[types::LocationName_18], [](FrameObject* caption) { caption->set_visible(false); });
}

void Frames::event_func_119()
{
    if (!intro_group)
        return;
    if (!select(instances[types::PellowenLogo1_0],
                [](FrameObject* logo) { return get_value(*logo, 'B') >= 25 && !get_flag(*logo, flag_intro_ended); }))
        return;
    if (!once(once_119))
        return;
    for_each_selected(instances[types::PellowenLogo1_0],
                      [](FrameObject* logo) { set_flag(logo, flag_music_started, true); });
    start_title_music(*global_values);
}

namespace {

// Alternative conditions on the logo: the union of the blocks that select
// something, or false when none does.
template <class... Blocks>
bool select_any(ObjectList& logos, Blocks... blocks)
{
    logos.clear_saved_selection();
    bool any = false;
    auto try_block = [&](auto block) {
        select_all(logos);
        if (block(logos)) {
            logos.save_selection();
            any = true;
        }
    };
    (try_block(blocks), ...);
    if (any)
        logos.restore_selection();
    return any;
}

bool with_flag(ObjectList& logos, int bit)
{
    return filter(logos, [bit](FrameObject* logo) { return get_flag(*logo, bit); });
}

FrameObject* first_selected(ObjectList& list) { return list.items[size_t(list.head())].obj; }

// The logo has started the music and faded out.
bool music_started_and_faded(ObjectList& logos)
{
    return with_flag(logos, flag_music_started) && fully_transparent(first_selected(logos));
}

}  // namespace

void Frames::event_func_120()
{
    if (!intro_group)
        return;
    if (!select_any(
            instances[types::PellowenLogo1_0], [](ObjectList& logos) { return with_flag(logos, flag_music_started); },
            [](ObjectList& logos) { return with_flag(logos, flag_intro_ended); }))
        return;
    for_each_selected(instances[types::PellowenLogo1_0], [](FrameObject* logo) { raise_transparency(logo, 2); });
    for_each_instance(instances[types::PellowenLogo2_1], [](FrameObject* logo) { raise_transparency(logo, 2); });
}

// The title music keeps playing while the white fade comes in.
void Frames::event_func_121()
{
    if (!intro_group)
        return;
    select_all(instances[types::PellowenLogo1_0]);
    if (!music_started_and_faded(instances[types::PellowenLogo1_0]))
        return;
    if (media.is_channel_playing(music::channel))
        return;
    start_title_music(*global_values);
}

void Frames::event_func_122()
{
    if (!intro_group)
        return;
    if (!select_any(instances[types::PellowenLogo1_0], music_started_and_faded,
                    [](ObjectList& logos) { return with_flag(logos, flag_intro_ended); }))
        return;
    const int dx = new_display_x, dy = new_display_y;
    const float view_width = float(global_values->get(16));
    for_each_instance(instances[types::WhiteFade_7], [&](FrameObject* fade) {
        raise_transparency(fade, -3);
        fade->set_x(dx);
        fade->set_y(dy);
        sprite(fade)->set_x_scale(view_width);
        sprite(fade)->set_y_scale(240);
    });
}

namespace {

bool white_fade_opaque(ObjectList& fades) { return select(fades, fully_opaque); }

bool faded_with_flag(ObjectList& logos, int bit)
{
    return select(logos, [bit](FrameObject* logo) { return get_flag(*logo, bit) && fully_transparent(logo); });
}

}  // namespace

// The intro played out: on to the title.
void Frames::event_func_123()
{
    if (!intro_group)
        return;
    if (!faded_with_flag(instances[types::PellowenLogo1_0], flag_music_started) ||
        !white_fade_opaque(instances[types::WhiteFade_7]))
        return;
    global_values->set(0, -17);
    next_frame = 1;
}

// The intro ran to its last step: play it again.
void Frames::event_func_124()
{
    if (!intro_group)
        return;
    if (!faded_with_flag(instances[types::PellowenLogo1_0], flag_intro_ended) ||
        !white_fade_opaque(instances[types::WhiteFade_7]))
        return;
    global_values->set(4, 2);
    next_frame = 0;
}

// The location caption -------------------------------------------------------

namespace {

bool caption_running(FrameObject* caption) { return get_flag(*caption, flag_caption_running); }

double caption_length(const FrameObject* caption)
{
    return double(caption->alterables->strings.get(0).size());
}

}  // namespace

// It types one character a tick.
void Frames::event_func_125()
{
    if (!select(instances[types::LocationName_18], caption_running))
        return;
    for_each_selected(instances[types::LocationName_18], [](FrameObject* caption) {
        const std::string& text = caption->alterables->strings.get(0);
        const int shown = std::clamp(to_int(get_value(*caption, 'A')), 0, int(text.size()));
        static_cast<TextBlitter*>(caption)->set_text(text.substr(0, size_t(shown)));
        add_value(caption, 'A', 1);
        caption->set_visible(true);
    });
}

// A click on every third character.
void Frames::event_func_126()
{
    if (!select(instances[types::LocationName_18], [](FrameObject* caption) {
            return caption_running(caption) && get_value(*caption, 'A') < caption_length(caption);
        }))
        return;
    if (std::fmod(get_value(*first_selected(instances[types::LocationName_18]), 'A'), 3) != 1)
        return;
    media.play_id(186, -1, 1);
}

void Frames::event_func_127()
{
    if (!select(instances[types::LocationName_18],
                [](FrameObject* caption) { return caption_running(caption) && get_value(*caption, 'A') > 150; }))
        return;
    for_each_selected(instances[types::LocationName_18], [](FrameObject* caption) { raise_transparency(caption, 1); });
}

// It vanishes, ready to be started again.
void Frames::event_func_128()
{
    if (!select(instances[types::LocationName_18],
                [](FrameObject* caption) { return caption_running(caption) && get_value(*caption, 'A') > 278; }))
        return;
    for_each_selected(instances[types::LocationName_18], [](FrameObject* caption) {
        set_flag(caption, flag_caption_running, false);
        set_value(caption, 'A', 0);
        caption->set_visible(false);
        caption->blend_color.a = 255;
    });
}
