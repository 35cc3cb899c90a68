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
    const bool pressed = get_value(instances[types::PlayerInput_21], 'K') == 1 ||
                         get_value(instances[types::PlayerInput_21], 'L') == 1 ||
                         get_value(instances[types::InputsP1_23], 'P') == 1;
    if (!pressed)
        return;
    for_each_instance(instances[types::CountdownCrystal_423], [](FrameObject* c) {
        c->advance_movement(1);
        aim_outward(c);
    });
    deactivate_group(countdown_group);
    activate_group(continue_group);
    for_each_instance(instances[types::CountdownCrystal_423], [](FrameObject* c) {
        c->set_visible(true);
        c->get_movement()->set_speed(100);
    });
    media.stop_samples();
    play_sample(4);
    for_each_instance(instances[types::FallenCharacter_421], [](FrameObject* f) { as_active(f)->force_animation(11); });
    deactivate_group(accept_group);
    set_lives(to_int(global_values->get(global_lives)));
    media.set_channel_volume(music::channel, 100);
    for_each_instance(instances[types::GUIRings_74], [](FrameObject* r) { static_cast<Counter*>(r)->set(14); });
    for_each_instance(instances[types::CountdownCrystal_423],
                      [](FrameObject* c) { as_active(c)->restore_animation(); });
    media.play(".\\Data\\BGM\\m_clear.ogg", music::channel, 0);
}

// The continue ----------------------------------------------------------------------

void Frames::event_func_2545()
{
    if (!continue_group)
        return;
    if (!select(instances[types::CountdownCrystal_423], [](FrameObject* c) { return c->outside_playfield(); }))
        return;
    for_each_selected(instances[types::CountdownCrystal_423], [](FrameObject* c) { c->destroy(); });
}

void Frames::event_func_2546()
{
    if (!continue_group)
        return;
    if (!select(instances[types::FallenCharacter_421],
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
    show(*this, {types::PlayerSkinYelto_102, types::PlayerSkinYeltoHair_209}, true);
    show(*this,
         {types::PlayerSkinPimsa_324, types::PlayerSkinPimsaTail_323, types::PlayerSkinOrrun_290,
          types::PlayerSkinDorrik_339, types::PlayerSkinDorrikTail_342},
         false);
}

void Frames::event_func_2548()
{
    if (!continue_group || global_values->get(global_character) != orrun_id)
        return;
    show(*this, {types::PlayerSkinOrrun_290}, true);
    show(*this,
         {types::PlayerSkinPimsa_324, types::PlayerSkinPimsaTail_323, types::PlayerSkinYeltoHair_209,
          types::PlayerSkinYelto_102, types::PlayerSkinDorrik_339, types::PlayerSkinDorrikTail_342},
         false);
}

void Frames::event_func_2549()
{
    if (!continue_group || global_values->get(global_character) != pimsa_id)
        return;
    show(*this, {types::PlayerSkinPimsa_324, types::PlayerSkinPimsaTail_323}, true);
    show(*this,
         {types::PlayerSkinYelto_102, types::PlayerSkinYeltoHair_209, types::PlayerSkinOrrun_290,
          types::PlayerSkinDorrik_339, types::PlayerSkinDorrikTail_342},
         false);
}

void Frames::event_func_2550()
{
    if (!continue_group || global_values->get(global_character) != dorrik_id)
        return;
    show(*this, {types::PlayerSkinDorrik_339, types::PlayerSkinDorrikTail_342}, true);
    show(*this,
         {types::PlayerSkinYelto_102, types::PlayerSkinYeltoHair_209, types::PlayerSkinOrrun_290,
          types::PlayerSkinPimsa_324, types::PlayerSkinPimsaTail_323},
         false);
}

void Frames::event_func_2551()
{
    if (!continue_group)
        return;
    if (!select(instances[types::FallenCharacter_421],
                [](FrameObject* f) { return as_active(f)->animation_finished == 11; }))
        return;
    const int x = instances[types::FallenCharacter_421].back_selection()->get_x();
    for_each_selected(instances[types::FallenCharacter_421], [](FrameObject* f) { f->destroy(); });
    for_each_of(*this, {types::PlayerSkinYelto_102}, [x](FrameObject* o) { o->set_x(x + 8); });
    for_each_of(*this, {types::PlayerSkinYelto_102, types::PlayerSkinYeltoHair_209, types::PlayerSkinPimsaTail_323},
                [](FrameObject* o) { as_active(o)->force_animation(1); });
    for_each_of(*this, {types::PlayerSkinPimsa_324}, [x](FrameObject* o) {
        o->set_x(x + 8);
        as_active(o)->force_animation(1);
    });
    for_each_of(*this, {types::PlayerSkinOrrun_290}, [x](FrameObject* o) {
        o->set_x(x);
        as_active(o)->force_animation(1);
    });
    for_each_of(*this, {types::PlayerSkinDorrikTail_342}, [](FrameObject* o) { as_active(o)->force_animation(1); });
    for_each_of(*this, {types::PlayerSkinDorrik_339}, [x](FrameObject* o) {
        o->set_x(x);
        as_active(o)->force_animation(1);
    });
}

void Frames::event_func_2552()
{
    if (!continue_group)
        return;
    if (light(*this, 'C') != 0 || !(instance_or_default(instances[types::PlayerSkinYelto_102]).get_x() > 0))
        return;
    const double speed = light(*this, 'A');
    for_each_of(*this, {types::PlayerSkinYelto_102}, [speed](FrameObject* o) { o->set_x(to_int(o->get_x() + speed)); });
    set_light(*this, 'A', std::min(light(*this, 'A') + 0.25, 7.0));
    const int yelto_x = instance_or_default(instances[types::PlayerSkinYelto_102]).get_x();
    if (FrameObject* l = instance_of(instances[types::FloorLight_422]))
        l->set_x(yelto_x);
    const double new_speed = light(*this, 'A');
    for_each_of(*this, {types::PlayerSkinPimsa_324, types::PlayerSkinOrrun_290, types::PlayerSkinDorrik_339},
                [new_speed](FrameObject* o) { o->set_x(to_int(o->get_x() + new_speed)); });
}

void Frames::event_func_2553()
{
    if (!continue_group)
        return;
    const FrameObject& y = instance_or_default(instances[types::PlayerSkinYelto_102]);
    for_each_of(*this, {types::PlayerSkinYeltoHair_209},
                [&y](FrameObject* o) { o->set_global_position(y.get_x(), y.get_y()); });
    const FrameObject& p = instance_or_default(instances[types::PlayerSkinPimsa_324]);
    for_each_of(*this, {types::PlayerSkinPimsaTail_323},
                [&p](FrameObject* o) { o->set_global_position(p.get_x(), p.get_y()); });
}

void Frames::event_func_2554()
{
    if (!continue_group || !(light(*this, 'A') > 6))
        return;
    for_each_of(*this,
                {types::PlayerSkinYelto_102, types::PlayerSkinYeltoHair_209, types::PlayerSkinOrrun_290,
                 types::PlayerSkinDorrik_339, types::PlayerSkinPimsa_324},
                [](FrameObject* o) { as_active(o)->force_animation(2); });
}

void Frames::event_func_2555()
{
    if (!continue_group)
        return;
    if (!select(instances[types::PlayerSkinYelto_102], [](FrameObject* o) { return as_active(o)->test_animation(1); }))
        return;
    const int speed = to_int(3 * light(*this, 'A') + 25);
    auto force = [speed](FrameObject* o) { as_active(o)->force_speed(speed); };
    for_each_selected(instances[types::PlayerSkinYelto_102], force);
    for_each_of(*this,
                {types::PlayerSkinYeltoHair_209, types::PlayerSkinPimsaTail_323, types::PlayerSkinPimsa_324,
                 types::PlayerSkinOrrun_290, types::PlayerSkinDorrik_339, types::PlayerSkinDorrikTail_342},
                force);
}

void Frames::event_func_2556()
{
    if (!continue_group)
        return;
    if (!select(instances[types::PlayerSkinYelto_102], [](FrameObject* o) { return as_active(o)->test_animation(2); }))
        return;
    const int speed = to_int(3 * light(*this, 'A') + 10);
    auto force = [speed](FrameObject* o) { as_active(o)->force_speed(speed); };
    for_each_selected(instances[types::PlayerSkinYelto_102], force);
    for_each_of(*this,
                {types::PlayerSkinYeltoHair_209, types::PlayerSkinPimsa_324, types::PlayerSkinPimsaTail_323,
                 types::PlayerSkinDorrikTail_342, types::PlayerSkinDorrik_339},
                force);
    const int orrun_speed = to_int(3 * light(*this, 'A') + 20);
    for_each_of(*this, {types::PlayerSkinOrrun_290},
                [orrun_speed](FrameObject* o) { as_active(o)->force_speed(orrun_speed); });
}

void Frames::event_func_2557()
{
    if (!continue_group || !(light(*this, 'C') >= 1))
        return;
    const double a = light(*this, 'A'), b = light(*this, 'B');
    for_each_of(*this,
                {types::PlayerSkinYelto_102, types::PlayerSkinPimsa_324, types::PlayerSkinOrrun_290,
                 types::PlayerSkinDorrik_339},
                [a, b](FrameObject* o) {
                    o->set_x(to_int(o->get_x() + a));
                    o->set_y(to_int(o->get_y() + b));
                });
}

void Frames::event_func_2558()
{
    if (!continue_group || light(*this, 'C') != 1)
        return;
    set_light(*this, 'B', std::min(light(*this, 'B') + 0.25, 0.0));
}

void Frames::event_func_2559()
{
    if (!continue_group)
        return;
    const double stage = light(*this, 'C');
    if (!(stage > 1 && stage < 50))
        return;
    set_light(*this, 'C', stage + 1);
}

// After the character variants ----------------------------------------------------

void Frames::event_func_2579()
{
    if (!continue_group || !(light(*this, 'C') > 50))
        return;
    set_light(*this, 'C', light(*this, 'C') + 1);
}

void Frames::event_func_2580()
{
    if (!continue_group || !(light(*this, 'C') > 200))
        return;
    set_display_center(std::nullopt, new_display_y + 124);
}

void Frames::event_func_2581()
{
    if (!continue_group || !(light(*this, 'C') > 250))
        return;
    activate_group(destination_group);
}
