// The Continue? frame's continue: the button that bursts the crystals, the
// fallen character getting up with its voice, the run off to the right that
// every character shares, and the wait before the frame changes.
#include "audio/media.h"
#include "base/convert.h"
#include "game/events/menus/continue_objects.h"
#include "game/frames/frames.h"
#include "objects/active.h"
#include "objects/counter.h"
#include "runtime/movement.h"
#include "runtime/values.h"

#include <algorithm>
#include <cmath>

using namespace continue_frame;

namespace {

Active* as_active(FrameObject* object) { return static_cast<Active*>(object); }

void play_sample(unsigned id) { media.play_id(id, -1, 1); }

// The voice of each character in one of the two continue voice loops.
void play_continue_voice(const Frame& frame, int character, unsigned sample)
{
    if (frame.global_values->get(global_character) == character)
        play_sample(sample);
}

// Points a crystal away from (320, 160), on the compass of 32 directions.
void aim_outward(FrameObject* crystal)
{
    double a = std::atan2(double(crystal->get_y() - 160), double(320 - crystal->get_x())) * 57.29577951308232;
    if (a < 0)
        a += 360;
    crystal->set_direction(to_int(a / 11.25), true);
    crystal->set_direction(crystal->get_direction() + 16, true);
}

void show(Frame& frame, std::initializer_list<int> types, bool visible)
{
    for_each_of(frame, types, [visible](FrameObject* o) { o->set_visible(visible); });
}

}  // namespace

// Continue voices -----------------------------------------------------------------

void Frames::loop_sound_continue0_7()
{
    if (!continue_group)
        return;
    play_continue_voice(*this, yelto_id, 69);
    play_continue_voice(*this, orrun_id, 118);
    play_continue_voice(*this, pimsa_id, 106);
    play_continue_voice(*this, dorrik_id, 149);
}

void Frames::loop_sound_continue1_7()
{
    if (!continue_group)
        return;
    play_continue_voice(*this, yelto_id, 70);
    play_continue_voice(*this, orrun_id, 119);
    play_continue_voice(*this, pimsa_id, 107);
    play_continue_voice(*this, dorrik_id, 150);
}

// The continue button -------------------------------------------------------------

void Frames::event_func_2525()
{
    if (!accept_group)
        return;
    // The first or second button, or start, pressed on this tick.
    const bool pressed = get(instance_or_default(instances[player_input]), value_k) == 1 ||
                         get(instance_or_default(instances[player_input]), value_l) == 1 ||
                         get(instance_or_default(instances[inputs_p1]), value_p) == 1;
    if (!pressed)
        return;
    for_each_instance(instances[countdown_crystal], [](FrameObject* c) {
        c->advance_movement(1);
        aim_outward(c);
    });
    deactivate_group(countdown_group);
    activate_group(continue_group);
    for_each_instance(instances[countdown_crystal], [](FrameObject* c) {
        c->set_visible(true);
        c->get_movement()->set_speed(100);
    });
    media.stop_samples();
    play_sample(4);
    for_each_instance(instances[fallen_character], [](FrameObject* f) { as_active(f)->force_animation(11); });
    deactivate_group(accept_group);
    set_lives(to_int(global_values->get(global_lives)));
    media.set_channel_volume(music_channel, 100);
    for_each_instance(instances[gui_rings], [](FrameObject* r) { static_cast<Counter*>(r)->set(14); });
    for_each_instance(instances[countdown_crystal], [](FrameObject* c) { as_active(c)->restore_animation(); });
    media.play(".\\Data\\BGM\\m_clear.ogg", int(music_channel), 0);
}

// The continue ----------------------------------------------------------------------

void Frames::event_func_2545()
{
    if (!continue_group)
        return;
    if (!select(instances[countdown_crystal], [](FrameObject* c) { return c->outside_playfield(); }))
        return;
    for_each_selected(instances[countdown_crystal], [](FrameObject* c) { c->destroy(); });
}

void Frames::event_func_2546()
{
    if (!continue_group)
        return;
    if (!select(instances[fallen_character],
                [](FrameObject* f) { return as_active(f)->test_animation(11) && as_active(f)->get_frame() == 5; }))
        return;
    if (!once(once_2546))
        return;
    if (loops)
        run_named_loop("sound_continue" + fast_itoa(randrange_event(2546, 2)), 1);
}

void Frames::event_func_2547()
{
    if (!continue_group || global_values->get(global_character) != yelto_id)
        return;
    show(*this, {yelto, yelto_hair}, true);
    show(*this, {pimsa, pimsa_tail, orrun, dorrik, dorrik_tail}, false);
}

void Frames::event_func_2548()
{
    if (!continue_group || global_values->get(global_character) != orrun_id)
        return;
    show(*this, {orrun}, true);
    show(*this, {pimsa, pimsa_tail, yelto_hair, yelto, dorrik, dorrik_tail}, false);
}

void Frames::event_func_2549()
{
    if (!continue_group || global_values->get(global_character) != pimsa_id)
        return;
    show(*this, {pimsa, pimsa_tail}, true);
    show(*this, {yelto, yelto_hair, orrun, dorrik, dorrik_tail}, false);
}

void Frames::event_func_2550()
{
    if (!continue_group || global_values->get(global_character) != dorrik_id)
        return;
    show(*this, {dorrik, dorrik_tail}, true);
    show(*this, {yelto, yelto_hair, orrun, pimsa, pimsa_tail}, false);
}

void Frames::event_func_2551()
{
    if (!continue_group)
        return;
    if (!select(instances[fallen_character],
                [](FrameObject* f) { return as_active(f)->animation_finished == 11; }))
        return;
    const int x = instances[fallen_character].back_selection()->get_x();
    for_each_selected(instances[fallen_character], [](FrameObject* f) { f->destroy(); });
    for_each_of(*this, {yelto}, [x](FrameObject* o) { o->set_x(x + 8); });
    for_each_of(*this, {yelto, yelto_hair, pimsa_tail}, [](FrameObject* o) { as_active(o)->force_animation(1); });
    for_each_of(*this, {pimsa}, [x](FrameObject* o) {
        o->set_x(x + 8);
        as_active(o)->force_animation(1);
    });
    for_each_of(*this, {orrun}, [x](FrameObject* o) {
        o->set_x(x);
        as_active(o)->force_animation(1);
    });
    for_each_of(*this, {dorrik_tail}, [](FrameObject* o) { as_active(o)->force_animation(1); });
    for_each_of(*this, {dorrik}, [x](FrameObject* o) {
        o->set_x(x);
        as_active(o)->force_animation(1);
    });
}

void Frames::event_func_2552()
{
    if (!continue_group)
        return;
    if (light(*this, value_c) != 0 || !(instance_or_default(instances[yelto]).get_x() > 0))
        return;
    const double speed = light(*this, value_a);
    for_each_of(*this, {yelto}, [speed](FrameObject* o) { o->set_x(to_int(o->get_x() + speed)); });
    set_light(*this, value_a, std::min(light(*this, value_a) + 0.25, 7.0));
    const int yelto_x = instance_or_default(instances[yelto]).get_x();
    if (FrameObject* l = instance_of(instances[floor_light]))
        l->set_x(yelto_x);
    const double new_speed = light(*this, value_a);
    for_each_of(*this, {pimsa, orrun, dorrik}, [new_speed](FrameObject* o) { o->set_x(to_int(o->get_x() + new_speed)); });
}

void Frames::event_func_2553()
{
    if (!continue_group)
        return;
    const FrameObject& y = instance_or_default(instances[yelto]);
    for_each_of(*this, {yelto_hair}, [&y](FrameObject* o) { o->set_global_position(y.get_x(), y.get_y()); });
    const FrameObject& p = instance_or_default(instances[pimsa]);
    for_each_of(*this, {pimsa_tail}, [&p](FrameObject* o) { o->set_global_position(p.get_x(), p.get_y()); });
}

void Frames::event_func_2554()
{
    if (!continue_group || !(light(*this, value_a) > 6))
        return;
    for_each_of(*this, {yelto, yelto_hair, orrun, dorrik, pimsa},
                [](FrameObject* o) { as_active(o)->force_animation(2); });
}

void Frames::event_func_2555()
{
    if (!continue_group)
        return;
    if (!select(instances[yelto], [](FrameObject* o) { return as_active(o)->test_animation(1); }))
        return;
    const int speed = to_int(3 * light(*this, value_a) + 25);
    auto force = [speed](FrameObject* o) { as_active(o)->force_speed(speed); };
    for_each_selected(instances[yelto], force);
    for_each_of(*this, {yelto_hair, pimsa_tail, pimsa, orrun, dorrik, dorrik_tail}, force);
}

void Frames::event_func_2556()
{
    if (!continue_group)
        return;
    if (!select(instances[yelto], [](FrameObject* o) { return as_active(o)->test_animation(2); }))
        return;
    const int speed = to_int(3 * light(*this, value_a) + 10);
    auto force = [speed](FrameObject* o) { as_active(o)->force_speed(speed); };
    for_each_selected(instances[yelto], force);
    for_each_of(*this, {yelto_hair, pimsa, pimsa_tail, dorrik_tail, dorrik}, force);
    const int orrun_speed = to_int(3 * light(*this, value_a) + 20);
    for_each_of(*this, {orrun}, [orrun_speed](FrameObject* o) { as_active(o)->force_speed(orrun_speed); });
}

void Frames::event_func_2557()
{
    if (!continue_group || !(light(*this, value_c) >= 1))
        return;
    const double a = light(*this, value_a), b = light(*this, value_b);
    for_each_of(*this, {yelto, pimsa, orrun, dorrik}, [a, b](FrameObject* o) {
        o->set_x(to_int(o->get_x() + a));
        o->set_y(to_int(o->get_y() + b));
    });
}

void Frames::event_func_2558()
{
    if (!continue_group || light(*this, value_c) != 1)
        return;
    set_light(*this, value_b, std::min(light(*this, value_b) + 0.25, 0.0));
}

void Frames::event_func_2559()
{
    if (!continue_group)
        return;
    const double stage = light(*this, value_c);
    if (!(stage > 1 && stage < 50))
        return;
    set_light(*this, value_c, stage + 1);
}

// After the character variants ----------------------------------------------------

void Frames::event_func_2579()
{
    if (!continue_group || !(light(*this, value_c) > 50))
        return;
    set_light(*this, value_c, light(*this, value_c) + 1);
}

void Frames::event_func_2580()
{
    if (!continue_group || !(light(*this, value_c) > 200))
        return;
    set_display_center(-1, new_display_y + 124);
}

void Frames::event_func_2581()
{
    if (!continue_group || !(light(*this, value_c) > 250))
        return;
    activate_group(destination_group);
}
