// The Continue? frame's start values, its fade-in, the countdown of crystal
// digits 9 ... 1 and the time-out that restarts the game.
#include "audio/media.h"
#include "game/events/menus/continue_objects.h"
#include "game/frames/event_support.h"
#include "game/frames/frames.h"
#include "objects/active.h"
#include "objects/counter.h"
#include "runtime/collision.h"
#include "runtime/manager.h"
#include "runtime/values.h"

#include <algorithm>

using namespace continue_frame;

namespace {

// The crystal's semi-transparency B as its alpha.
void show_semi_transparency(FrameObject* crystal)
{
    set_semi_transparency(*crystal, to_int(get_value(*crystal, 'B')));
}

void lower_music_volume()
{
    media.set_channel_volume(music::channel, std::max(media.get_channel_volume(music::channel) - 1.0, 0.0));
}

}  // namespace

// Fade-in -----------------------------------------------------------------------

void Frames::event_func_2523()
{
    for_each_instance(instances[types::Fade_40], [](FrameObject* f) {
        set_value(f, 'A', get_value(*f, 'A') + 1);
        set_semi_transparency(*f, to_int(std::min(3 * get_value(*f, 'A'), 128.0)));
    });
}

void Frames::event_func_2524()
{
    if (!select(instances[types::Fade_40], [](FrameObject* f) { return get_value(*f, 'A') >= 48; }))
        return;
    for_each_selected(instances[types::Fade_40], [](FrameObject* f) { f->destroy(); });
    activate_group(accept_group);
}

// Countdown ---------------------------------------------------------------------

void Frames::event_func_2526()
{
    if (!countdown_group)
        return;
    const double b = get_value(instances[types::Marker_424], 'B');
    if (FrameObject* m = instance_of(instances[types::Marker_424]))
        m->set_y(to_int(b));
}

void Frames::event_func_2527()
{
    if (!countdown_group)
        return;
    if (get_value(instances[types::Marker_424], 'A') != 0)
        return;
    if (FrameObject* m = instance_of(instances[types::Marker_424])) {
        m->alterables->flags &= ~1u;
        set_value(m, 'B', get_value(*m, 'B') + 1);
    }
}

void Frames::event_func_2528()
{
    if (!countdown_group)
        return;
    if (get_value(instances[types::Marker_424], 'A') != 0)
        return;
    select_all(instances[types::Marker_424]);
    select_all(instances[types::CountdownCrystal_423]);
    if (!check_overlap(instances[types::Marker_424], instances[types::CountdownCrystal_423]))
        return;
    if (FrameObject* m = instance_of(instances[types::Marker_424])) {
        set_value(m, 'A', 120);
        m->alterables->flags |= 1u;
    }
}

void Frames::event_func_2529()
{
    if (!countdown_group)
        return;
    const FrameObject& m = instance_or_default(instances[types::Marker_424]);
    if (!(m.alterables->flags & 1u))
        return;
    const double b = get_value(m, 'B');
    if (!select(instances[types::CountdownCrystal_423],
                [b](FrameObject* c) { return get_value(*c, 'C') < b + 100 && get_value(*c, 'A') == 0; }))
        return;
    for_each_selected(instances[types::CountdownCrystal_423], [b](FrameObject* c) {
        c->set_y(to_int(c->get_y() - b + 110));
        set_value(c, 'A', 1);
    });
}

void Frames::event_func_2530()
{
    if (!countdown_group)
        return;
    if (!select(instances[types::CountdownCrystal_423],
                [](FrameObject* c) { return get_value(*c, 'A') == 1 && get_value(*c, 'B') > 0; }))
        return;
    for_each_selected(instances[types::CountdownCrystal_423], [](FrameObject* c) {
        set_value(c, 'B', std::max(get_value(*c, 'B') - 8, 0.0));
        show_semi_transparency(c);
    });
}

void Frames::event_func_2531()
{
    if (!countdown_group)
        return;
    if (!(get_value(instances[types::Marker_424], 'A') > 1))
        return;
    if (FrameObject* m = instance_of(instances[types::Marker_424]))
        set_value(m, 'A', get_value(*m, 'A') - 1);
}

void Frames::event_func_2532()
{
    if (!countdown_group)
        return;
    if (get_value(instances[types::Marker_424], 'A') != 1)
        return;
    if (!select(instances[types::CountdownCrystal_423], [](FrameObject* c) { return get_value(*c, 'A') == 1; }))
        return;
    for_each_selected(instances[types::CountdownCrystal_423], [](FrameObject* c) { set_value(c, 'A', 2); });
}

void Frames::event_func_2533()
{
    if (!countdown_group)
        return;
    if (get_value(instances[types::Marker_424], 'A') != 1)
        return;
    if (FrameObject* m = instance_of(instances[types::Marker_424])) {
        set_value(m, 'A', 0);
        set_value(m, 'B', get_value(*m, 'B') + 80);
    }
}

void Frames::event_func_2534()
{
    if (!countdown_group)
        return;
    if (!select(instances[types::CountdownCrystal_423], [](FrameObject* c) { return get_value(*c, 'A') == 2; }))
        return;
    for_each_selected(instances[types::CountdownCrystal_423], [](FrameObject* c) {
        set_value(c, 'B', std::min(get_value(*c, 'B') + 8, 128.0));
        show_semi_transparency(c);
        c->set_y(c->get_y() + 1);
    });
}

void Frames::event_func_2535()
{
    if (!countdown_group)
        return;
    if (!select(instances[types::CountdownCrystal_423],
                [](FrameObject* c) { return get_value(*c, 'A') == 2 && get_value(*c, 'B') >= 128; }))
        return;
    for_each_selected(instances[types::CountdownCrystal_423], [](FrameObject* c) { c->destroy(); });
}

void Frames::event_func_2536()
{
    if (!countdown_group)
        return;
    const double b = get_value(instances[types::Marker_424], 'B');
    if (!(b > 500))
        return;
    const int speed = to_int((b - 500) * 0.1 + 15);
    for_each_instance(instances[types::CountdownCrystal_423],
                      [speed](FrameObject* c) { static_cast<Active*>(c)->force_speed(speed); });
}

void Frames::event_func_2537()
{
    if (!countdown_group)
        return;
    if (!(instances[types::CountdownCrystal_423].size() < 12))
        return;
    if (!every(every_2537, manager.frame_time, 0.05f))
        return;
    lower_music_volume();
}

void Frames::event_func_2538()
{
    if (!countdown_group)
        return;
    if (instances[types::CountdownCrystal_423].size() != 0 || global_values->get(global_character) != orrun_id)
        return;
    if (!run_once(run_once_2538, loop_count))
        return;
    media.play(".\\voices\\orrun\\orrun_kiddingme.ogg", int(voice_channel), 1);
}

void Frames::event_func_2539()
{
    if (!countdown_group)
        return;
    if (instances[types::CountdownCrystal_423].size() != 0 || global_values->get(global_character) != pimsa_id)
        return;
    if (!run_once(run_once_2539, loop_count))
        return;
    media.play(".\\voices\\pimsa\\pimsa_quietno.ogg", int(voice_channel), 1);
}

void Frames::event_func_2540()
{
    if (!countdown_group)
        return;
    if (instances[types::CountdownCrystal_423].size() != 0)
        return;
    deactivate_group(accept_group);
    activate_group(time_out_group);
    for_each_instance(instances[types::FallenCharacter_421],
                      [](FrameObject* f) { static_cast<Active*>(f)->force_animation(8); });
}

// Time-out ----------------------------------------------------------------------

void Frames::event_func_2541()
{
    if (!time_out_group)
        return;
    if (!every(every_2541, manager.frame_time, 0.05f))
        return;
    lower_music_volume();
}

void Frames::event_func_2542()
{
    if (!time_out_group)
        return;
    set_display_center(std::nullopt, new_display_y + 122);
    if (FrameObject* light = instance_of(instances[types::FloorLight_422]))
        light->set_y(light->get_y() + 2);
    for_each_instance(instances[types::FallenCharacter_421], [](FrameObject* f) { f->set_y(f->get_y() + 2); });
}

void Frames::event_func_2543()
{
    if (!time_out_group)
        return;
    if (!(new_display_y + 240 >= 321))
        return;
    for_each_instance(instances[types::FallenCharacter_421], [](FrameObject* f) { fade_step(*f); });
    if (FrameObject* light = instance_of(instances[types::FloorLight_422]))
        fade_step(*light);
}

void Frames::event_func_2544()
{
    if (!time_out_group)
        return;
    if (!(new_display_y + 240 > 580))
        return;
    set_lives(to_int(global_values->get(global_lives)));
    restart();
}

// Start values --------------------------------------------------------------------

void Frames::event_func_2646()
{
    for_each_instance(instances[types::CountdownCrystal_423], [](FrameObject* c) {
        set_value(c, 'C', c->get_y());
        c->blend_color.a = 0;
    });
    if (FrameObject* music = instance_of(instances[types::ControllerMusic_49])) {
        set_value(music, 'L', 0);
        set_value(music, 'D', -1);
        set_value(music, 'G', 0);
    }
    if (FrameObject* others = instance_of(instances[types::PlayerOthers_75]))
        for (char v : {'B', 'D', 'E'})
            set_value(others, v, 0);
    const int character = to_int(global_values->get(global_character));
    for_each_instance(instances[types::FallenCharacter_421],
                      [character](FrameObject* f) { f->set_direction(character, true); });
    if (FrameObject* energy = instance_of(instances[types::GUIEnergy_76]))
        set_value(energy, 'A', 0);
    for_each_instance(instances[types::TotalCrystals_425],
                      [](FrameObject* t) { static_cast<Counter*>(t)->set(manager.score); });
    const float fade_width = float(global_values->get(global_view_width));
    for_each_instance(instances[types::Fade_40], [fade_width](FrameObject* f) {
        static_cast<Active*>(f)->set_x_scale(fade_width);
        static_cast<Active*>(f)->set_y_scale(240.0f);
    });
    if (FrameObject* meter = instance_of(instances[types::GUILifeBaseMeter_77]))
        set_value(meter, 'B', 0);
    if (FrameObject* others = instance_of(instances[types::PlayerOthers_75]))
        for (char v : {'F', 'G'})
            set_value(others, v, 0);
    for_each_instance(instances[types::GUICrystal_78], [](FrameObject* c) { static_cast<Counter*>(c)->set(999); });
    if (FrameObject* others = instance_of(instances[types::PlayerOthers_75]))
        for (char v : {'H', 'J', 'C'})
            set_value(others, v, 0);
    set_display_center(to_int(426 - 53 * global_values->get(global_view_step)), std::nullopt);
    // The overlay goes where the view has just been asked to stand: placed
    // at the view of the set-up (always 0) it left the right of the picture
    // uncovered through the fade-in.
    const int view_x = new_display_x;
    for_each_instance(instances[types::Fade_40], [view_x](FrameObject* f) { f->set_x(view_x); });
}
