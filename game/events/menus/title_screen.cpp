// The Title Screen's events: the star backdrop built at the start, the
// perspective star field, moon and planet, the fade-in, the pulsing prompt,
// the confirm press and its shake, the time-out and the fade-out that leaves
// for How To Play.
#include "audio/media.h"
#include "game/events/stage_loops/music_queue.h"
#include "game/frames/event_support.h"
#include "game/frames/frames.h"
#include "game/frames/string_constants.h"
#include "game/objects/classes.h"
#include "objects/active.h"
#include "objects/counter.h"
#include "objects/textblitter.h"
#include "runtime/common.h"
#include "runtime/movement.h"
#include "runtime/values.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int confirm_sample = 79;
constexpr int frame_how_to_play = 8;

Active* as_active(FrameObject* object) { return static_cast<Active*>(object); }

void lower_music_volume()
{
    media.set_channel_volume(music::channel, media.get_channel_volume(music::channel) - 1);
}

}  // namespace

// Start events ----------------------------------------------------------------

void Frames::event_func_269()
{
    if (FrameObject* m = instance_of(instances[types::Moon_41]))
        set_value(m, 'A', 180);
    run_loop(fast_loop_background, 250, &Frames::loop_background_1);
    set_display_center(to_int(426 - 53 * global_values->get(19)), std::nullopt);
    if (FrameObject* p = instance_of(instances[types::VireviLunmere_37]))
        p->set_x(new_display_x + 56);
    global_values->set(3, 0);
    if (FrameObject* f = instance_of(instances[types::Fade_40])) {
        as_active(f)->set_x_scale(float(width));
        as_active(f)->set_y_scale(float(height));
        f->set_direction(1, true);
    }
    if (FrameObject* text = instance_of(instances[types::HelpMessage6_48]))
        static_cast<TextBlitter*>(text)->load(string_constant(STR_FONT_BMP));
}

void Frames::event_func_270()
{
    if (media.is_channel_playing(music::channel))
        return;
    // Global 25 names a channel counted from 1; an index outside 0 ... 31
    // changes nothing.
    const int channel = to_int(global_values->get(25)) - 1;
    if (channel >= 0 && channel < Media::channel_count)
        media.set_channel_volume(unsigned(channel), 100);
    media.play(string_constant(STR_M_TITLE), music::channel, 0);
}

// Star backdrop -----------------------------------------------------------------

void Frames::loop_background_1()
{
    event_func_239();
}

// One pass of the background loop: a title star whose place and look follow
// from the pass index and the view width alone, so every visit builds the
// same field. The eighth power is the runtime's square-and-multiply: the
// library's pow rounds differently for large indices and moves stars.
void Frames::event_func_239()
{
    FrameObject* star = create_instance(*this, instances[types::TitleStar_43], create_titlestar_43(-22, -30), 0);
    if (!star)
        return;
    const double w = global_values->get(16);
    const double a = fast_loop_background.index;
    set_value(star, 'A', a);
    star->set_x(to_int(0.5 * w - 0.5 * w * cos_deg(int_pow(a, 8)) + a));
    star->set_y(to_int(120 + 120 * sin_deg(a * a - a)));
    as_active(star)->force_frame(to_int(std::fmod(a, 21)));
    as_active(star)->restore_frame();
    star->move_back();
    star->set_x(w == 0 ? 0 : to_int(std::fmod(star->get_x() + 0.5 * w, w)));
    star->set_y((star->get_y() + 120) % 240);
}

void Frames::event_func_241()
{
    if (!select(instances[types::TitleStar_43], [](FrameObject* s) { return s->is_near_border(1); }))
        return;
    for_each_selected(instances[types::TitleStar_43], [](FrameObject* s) { s->destroy(); });
}

// Scene -------------------------------------------------------------------------

void Frames::event_func_242()
{
    global_values->set(3, global_values->get(3) + 1);
}

void Frames::event_func_243()
{
    if (to_int(global_values->get(3)) % 40 != 20)
        return;
    if (FrameObject* p = instance_of(instances[types::VireviLunmere_37]))
        p->set_x(p->get_x() - 1);
}

void Frames::event_func_244()
{
    if (to_int(global_values->get(3)) % 39 != 30)
        return;
    if (FrameObject* p = instance_of(instances[types::VireviLunmere_37]))
        p->set_y(p->get_y() + 1);
}

// Authored without conditions or actions; nothing calls them.
void Frames::event_func_245() {}
void Frames::event_func_246() {}
void Frames::event_func_247() {}
void Frames::event_func_248() {}
void Frames::event_func_249() {}
void Frames::event_func_250() {}
void Frames::event_func_251() {}
void Frames::event_func_252() {}

void Frames::event_func_255()
{
    if (!select(instances[types::Stars_39], [](FrameObject* s) { return get_value(*s, 'C') > 0; }))
        return;
    const FrameObject* counter = instance_of(instances[types::Speed_38]);
    const double step = counter ? static_cast<const Counter*>(counter)->value : 0.0;
    for_each_selected(instances[types::Stars_39], [&](FrameObject* s) { set_value(s, 'C', get_value(*s, 'C') - step); });
}

// The stars fly out of the planet's action point: offsets A, B seen at depth C.
void Frames::event_func_256()
{
    FrameObject& centre = instance_or_default(instances[types::VireviLunmere_37]);
    const int cx = centre.get_action_x();
    const int cy = centre.get_action_y();
    for_each_instance(instances[types::Stars_39], [&](FrameObject* s) {
        const double depth = get_value(*s, 'C');
        if (depth == 0) {
            s->set_x(cx);
            s->set_y(cy);
        } else {
            s->set_x(to_int(cx + 256 * get_value(*s, 'A') / depth));
            s->set_y(to_int(cy + 256 * get_value(*s, 'B') / depth));
        }
        s->set_direction(to_int(depth * 0.125), true);
    });
    FrameObject* m = instance_of(instances[types::Moon_41]);
    if (!m)
        return;
    const double angle = get_value(*m, 'A') - 0.08;
    set_value(m, 'A', angle);
    const FrameObject& p = instance_or_default(instances[types::VireviLunmere_37]);
    m->set_x(to_int(p.get_x() + sin_deg(angle) * 48));
    m->set_y(to_int(p.get_y() + cos_deg(angle + 30) * 48));
}

void Frames::event_func_257()
{
    if (instances[types::Stars_39].count() - 1 > 80)
        return;
    FrameObject* s = create_instance(*this, instances[types::Stars_39], create_stars_39(136, -9), 0);
    if (!s)
        return;
    set_value(s, 'A', randrange_event(257, 320) - 20);
    set_value(s, 'B', randrange_event(257, 240) - 220);
    set_value(s, 'C', 256);
    s->move_back();
}

void Frames::event_func_258()
{
    if (!select(instances[types::Stars_39], [](FrameObject* s) { return get_value(*s, 'C') <= 0; }))
        return;
    for_each_selected(instances[types::Stars_39], [](FrameObject* s) { s->destroy(); });
}

// Fade-in -----------------------------------------------------------------------

void Frames::event_func_253()
{
    if (!fade_in_group)
        return;
    FrameObject* f = instance_of(instances[types::Fade_40]);
    if (!f)
        return;
    set_value(f, 'A', get_value(*f, 'A') + 1);
    set_semi_transparency(*f, to_int(std::min(4 * get_value(*f, 'A'), 128.0)));
}

void Frames::event_func_254()
{
    if (!fade_in_group)
        return;
    if (!select(instances[types::Fade_40], [](FrameObject* f) { return get_value(*f, 'A') >= 32; }))
        return;
    activate_group(prompt_group);
    for_each_instance(instances[types::PressStart_36], [](FrameObject* p) { p->set_visible(true); });
    deactivate_group(fade_in_group);
    for_each_selected(instances[types::Fade_40], [](FrameObject* f) { f->set_visible(false); });
}

// Prompt ------------------------------------------------------------------------

void Frames::event_func_259()
{
    if (!prompt_group)
        return;
    if (!select(instances[types::PressStart_36], [](FrameObject* p) { return p->get_direction() == 0; }))
        return;
    for_each_selected(instances[types::PressStart_36], [](FrameObject* p) {
        set_value(p, 'D', get_value(*p, 'D') + 4);
        set_semi_transparency(*p, to_int(cos_deg(get_value(*p, 'D')) * 128 + 64));
    });
}

void Frames::event_func_260()
{
    if (!prompt_group)
        return;
    if (!select(instances[types::PressStart_36], [](FrameObject* p) { return get_value(*p, 'D') >= 360; }))
        return;
    for_each_selected(instances[types::PressStart_36], [](FrameObject* p) { set_value(p, 'D', get_value(*p, 'D') - 360); });
}

void Frames::event_func_261()
{
    if (!prompt_group)
        return;
    if (!select(instances[types::PressStart_36], [](FrameObject* p) { return p->get_direction() == 0; }))
        return;
    const FrameObject& player = instance_or_default(instances[types::PlayerInput_21]);
    const FrameObject& raw = instance_or_default(instances[types::InputsP1_23]);
    if (!(get_value(player, 'K') == 1 || get_value(player, 'L') == 1 || get_value(raw, 'P') == 1 || get_value(player, 'Q') == 1))
        return;
    media.play_id(confirm_sample, -1, 1);
    for_each_selected(instances[types::PressStart_36], [](FrameObject* p) {
        set_semi_transparency(*p, 0);
        p->set_direction(1, true);
    });
    for_each_instance(instances[types::Fade_40], [](FrameObject* f) {
        f->set_visible(true);
        f->set_direction(0, true);
    });
    media.set_channel_volume(music::channel, 60);
    for_each_instance(qualifier_2, [](FrameObject* member) { set_value(member, 'Z', 5); });
}

void Frames::event_func_262()
{
    if (!prompt_group)
        return;
    if (!select(instances[types::PressStart_36], [](FrameObject* p) { return p->get_direction() == 1; }))
        return;
    lower_music_volume();
}

// The confirm sequence has played out: leave.
void Frames::event_func_263()
{
    if (!prompt_group)
        return;
    if (!select(instances[types::PressStart_36], [](FrameObject* p) { return as_active(p)->animation_finished == 0; }))
        return;
    for_each_selected(instances[types::PressStart_36], [](FrameObject* p) { p->set_direction(2, true); });
    deactivate_group(prompt_group);
    activate_group(leave_group);
}

// Nobody pressed within 32 seconds of the frame's start: leave anyway.
void Frames::event_func_264()
{
    if (!prompt_group)
        return;
    if (frame_time < 32.0)
        return;
    deactivate_group(prompt_group);
    activate_group(leave_group);
    for_each_instance(instances[types::Fade_40], [](FrameObject* f) {
        f->set_visible(true);
        f->set_direction(0, true);
    });
    for_each_instance(instances[types::PressStart_36], [](FrameObject* p) {
        p->set_direction(2, true);
        p->set_visible(false);
    });
}

// Leave -------------------------------------------------------------------------

void Frames::event_func_265()
{
    if (!leave_group)
        return;
    if (!select(instances[types::PressStart_36], [](FrameObject* p) { return p->get_direction() == 2; }))
        return;
    for_each_instance(instances[types::Fade_40], [](FrameObject* f) {
        set_value(f, 'A', get_value(*f, 'A') - 2);
        set_semi_transparency(*f, to_int(std::max(4 * get_value(*f, 'A'), 0.0)));
        set_value(f, 'B', get_value(*f, 'B') + 0.5);
    });
    lower_music_volume();
}

void Frames::event_func_266()
{
    if (!leave_group)
        return;
    if (!select(instances[types::Fade_40], [](FrameObject* f) { return get_value(*f, 'A') <= -100; }))
        return;
    media.stop_channel(music::channel);
    global_values->set(0, 0);
    next_frame = frame_how_to_play;
}

// Shake of the prompt (object group 2) ------------------------------------------

void Frames::event_func_267()
{
    if (!select(qualifier_2, [](FrameObject* m) { return get_value(*m, 'Z') > 0 && get_value(*m, 'X') == 0; }))
        return;
    for_each_selected(qualifier_2, [](FrameObject* m) {
        set_value(m, 'X', m->get_x());
        set_value(m, 'Y', m->get_y());
    });
}

void Frames::event_func_268()
{
    if (!select(qualifier_2, [](FrameObject* m) { return get_value(*m, 'Z') > 0; }))
        return;
    for_each_selected(qualifier_2, [](FrameObject* m) {
        const double z = get_value(*m, 'Z');
        m->set_x(to_int(get_value(*m, 'X') + cos_deg(200 * z) * z));
        m->set_y(to_int(get_value(*m, 'Y') + sin_deg(200 * z) * z * 0.5));
        set_value(m, 'Z', std::max(z - 0.4, 0.0));
    });
}
