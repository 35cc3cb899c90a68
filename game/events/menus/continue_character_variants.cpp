// The Continue? frame's character variants: once the sprites have run off
// the right edge, the played character comes back its own way and leaves
// again to the left.
#include "audio/media.h"
#include "game/events/menus/continue_objects.h"
#include "game/frames/frames.h"
#include "game/objects/classes.h"
#include "objects/active.h"
#include "runtime/manager.h"
#include "runtime/movement.h"
#include "runtime/values.h"

#include <algorithm>

using namespace continue_frame;

namespace {

Active* as_active(FrameObject* object) { return static_cast<Active*>(object); }

void play_sample(unsigned id) { media.play_id(id, -1, 1); }

bool playing(const Frame& frame, int character)
{
    return frame.global_values->get(global_character) == character;
}

// Stage 0, and the Yelto sprite, whoever plays, is past the play field's
// right edge.
bool off_the_edge(Frame& frame)
{
    return light(frame, 'C') == 0 && instance_or_default(frame.instances[types::PlayerSkinYelto_102]).get_x() > 640;
}

void face_left(FrameObject* object) { object->set_direction(16, true); }

}  // namespace

// Yelto -------------------------------------------------------------------------

void Frames::event_func_2560()
{
    if (!continue_group || !playing(*this, yelto_id) || !off_the_edge(*this))
        return;
    set_light(*this, 'C', 1);
    for_each_of(*this, {types::PlayerSkinYelto_102, types::PlayerSkinYeltoHair_209}, [](FrameObject* o) {
        as_active(o)->force_animation(24);
        as_active(o)->restore_speed();
    });
    set_light(*this, 'A', -5);
    set_light(*this, 'B', -5);
    for_each_of(*this, {types::PlayerSkinYelto_102, types::PlayerSkinYeltoHair_209}, face_left);
    const int x = new_display_x + 458;
    for_each_of(*this, {types::PlayerSkinYelto_102}, [x](FrameObject* o) { o->set_x(x); });
    play_sample(60);
}

void Frames::event_func_2561()
{
    if (!continue_group || !playing(*this, yelto_id))
        return;
    if (light(*this, 'C') != 1 || light(*this, 'B') != 0)
        return;
    play_sample(9);
    for_each_of(*this, {types::PlayerSkinYelto_102, types::PlayerSkinYeltoHair_209}, [](FrameObject* o) {
        as_active(o)->force_animation(7);
        as_active(o)->force_speed(100);
    });
    set_light(*this, 'C', 2);
    set_light(*this, 'A', 0);
    set_light(*this, 'B', 0);
    activate_group(orbit_sparkle_group);
}

void Frames::event_func_2562()
{
    if (!continue_group || !playing(*this, yelto_id) || light(*this, 'C') != 50)
        return;
    set_light(*this, 'C', 51);
    play_sample(47);
    for_each_of(*this, {types::PlayerSkinYelto_102, types::PlayerSkinYeltoHair_209}, [](FrameObject* o) {
        as_active(o)->force_animation(13);
        as_active(o)->force_speed(100);
        o->set_angle(180, 0);
    });
    set_light(*this, 'A', -15);
    activate_group(ring_sparkle_group);
}

// Orrun -------------------------------------------------------------------------

void Frames::event_func_2563()
{
    if (!continue_group || !playing(*this, orrun_id) || !off_the_edge(*this))
        return;
    set_light(*this, 'A', -13);
    set_light(*this, 'B', -6);
    set_light(*this, 'C', 1);
    for_each_of(*this, {types::PlayerSkinOrrun_290}, [](FrameObject* o) {
        face_left(o);
        as_active(o)->force_animation(21);
        as_active(o)->stop_animation();
    });
}

void Frames::event_func_2564()
{
    if (!continue_group || !playing(*this, orrun_id))
        return;
    if (light(*this, 'C') != 1 || !(light(*this, 'B') >= 0))
        return;
    set_light(*this, 'C', 2);
    set_light(*this, 'A', 0);
    set_light(*this, 'B', 0);
    for_each_of(*this, {types::PlayerSkinOrrun_290}, [](FrameObject* o) { as_active(o)->start_animation(); });
}

void Frames::event_func_2565()
{
    if (!continue_group || !playing(*this, orrun_id) || !(light(*this, 'C') > 1))
        return;
    if (!select(instances[types::PlayerSkinOrrun_290], [](FrameObject* o) { return as_active(o)->get_frame() == 5; }))
        return;
    if (!run_once(run_once_2565, loop_count))
        return;
    const FrameObject* source = instances[types::PlayerSkinOrrun_290].back_selection();
    const int x = source->get_x(), y = source->get_y() - 8, layer = source->layer->index;
    ObjectList& images = instances[types::EffectsOrrunImage_335];
    create_instance(*this, images, create_effectsorrunimage_335(x, y), layer);
    for (int k = 1; k < 4; ++k)
        create_another(*this, images, create_effectsorrunimage_335(x, y), layer);
    play_sample(56);
    int number = 0;
    for_each_selected(images, [&number](FrameObject* o) {
        set_value(o, 'B', number++);
        set_value(o, 'C', o->get_x());
        set_value(o, 'D', o->get_y());
        o->set_direction(to_int(get_value(*o, 'B') + 2), true);
        o->move_back();
    });
}

void Frames::event_func_2566()
{
    if (!continue_group || !playing(*this, orrun_id) || light(*this, 'C') != 50)
        return;
    set_light(*this, 'A', -12);
    set_light(*this, 'B', std::min(light(*this, 'B') + 0.25, 12.0));
}

void Frames::event_func_2567()
{
    if (!continue_group || !playing(*this, orrun_id) || light(*this, 'C') != 50)
        return;
    if (!select(instances[types::PlayerSkinOrrun_290], [](FrameObject* o) { return o->get_y() < 120; }))
        return;
    set_light(*this, 'C', light(*this, 'C') + 1);
}

// The after-images that Orrun's jump leaves spread out and fade.
void Frames::event_func_2568()
{
    if (!continue_group)
        return;
    for_each_instance(instances[types::EffectsOrrunImage_335], [](FrameObject* o) {
        set_semi_transparency(*o, to_int(std::max(4 * get_value(*o, 'A') - 64, 0.0)));
        as_active(o)->set_scale(float(get_value(*o, 'A') * 0.025 + 0.2));
        set_value(o, 'A', get_value(*o, 'A') + 1);
        const double a = get_value(*o, 'A');
        const double g = 90 * get_value(*o, 'B') + 8 * a;
        o->set_x(to_int(get_value(*o, 'C') + 2 * a * cos_deg(g)));
        o->set_y(to_int(get_value(*o, 'D') + 2 * a * sin_deg(g)));
    });
}

void Frames::event_func_2569()
{
    if (!continue_group)
        return;
    if (!select(instances[types::EffectsOrrunImage_335], [](FrameObject* o) { return get_value(*o, 'A') >= 64; }))
        return;
    for_each_selected(instances[types::EffectsOrrunImage_335], [](FrameObject* o) { o->destroy(); });
}

// Pimsa -------------------------------------------------------------------------

void Frames::event_func_2570()
{
    if (!continue_group || !playing(*this, pimsa_id) || !off_the_edge(*this))
        return;
    set_light(*this, 'A', 0);
    set_light(*this, 'C', 1);
}

void Frames::event_func_2571()
{
    if (!continue_group || !playing(*this, pimsa_id))
        return;
    if (light(*this, 'C') != 1 || light(*this, 'B') != 0)
        return;
    set_light(*this, 'C', 2);
    set_light(*this, 'A', 0);
    set_light(*this, 'B', 0);
    play_sample(103);
}

void Frames::event_func_2572()
{
    if (!continue_group || !playing(*this, pimsa_id) || light(*this, 'C') != 50)
        return;
    set_light(*this, 'A', -12);
    set_light(*this, 'C', 51);
    play_sample(104);
}

void Frames::event_func_2573()
{
    if (!continue_group || !playing(*this, pimsa_id) || !(light(*this, 'C') >= 50))
        return;
    for_each_of(*this, {types::PlayerSkinPimsa_324, types::PlayerSkinPimsaTail_323},
                [](FrameObject* o) { o->set_visible(false); });
    const FrameObject* rider = instance_of(instances[types::PlayerSkinPimsa_324]);
    for_each_of(*this, {types::PlayerSkinPimsaBike_338}, [rider](FrameObject* bike) {
        as_active(bike)->force_animation(2);
        face_left(bike);
        if (rider)
            bike->set_global_position(rider->get_x(), rider->get_y());
        bike->set_visible(true);
    });
}

// Dorrik ------------------------------------------------------------------------

void Frames::event_func_2574()
{
    if (!continue_group || !playing(*this, dorrik_id) || !off_the_edge(*this))
        return;
    set_light(*this, 'C', 1);
    set_light(*this, 'A', -5);
    set_light(*this, 'B', -5);
    const int x = new_display_x + 458;
    for_each_of(*this, {types::PlayerSkinDorrik_339}, [x](FrameObject* o) {
        as_active(o)->force_animation(24);
        as_active(o)->restore_speed();
        face_left(o);
        o->set_x(x);
    });
    for_each_of(*this, {types::PlayerSkinYelto_102}, [](FrameObject* o) { as_active(o)->force_animation(24); });
    play_sample(8);
}

void Frames::event_func_2575()
{
    if (!continue_group || !playing(*this, dorrik_id))
        return;
    if (light(*this, 'C') != 1 || light(*this, 'B') != 0)
        return;
    for_each_of(*this, {types::PlayerSkinDorrik_339}, [](FrameObject* o) { as_active(o)->force_animation(18); });
    set_light(*this, 'C', 2);
    for_each_of(*this, {types::PlayerSkinDorrik_339}, [](FrameObject* o) { as_active(o)->restore_speed(); });
    for_each_of(*this, {types::PlayerSkinYelto_102}, [](FrameObject* o) { as_active(o)->force_animation(18); });
}

void Frames::event_func_2576()
{
    if (!continue_group)
        return;
    // The timer runs whoever plays.
    if (!every(every_2576, manager.frame_time, 0.1f))
        return;
    if (!playing(*this, dorrik_id))
        return;
    if (!select(instances[types::PlayerSkinDorrik_339],
                [](FrameObject* o) { return as_active(o)->test_animation(18) && o->get_y() > 0; }))
        return;
    play_sample(125);
}

void Frames::event_func_2577()
{
    if (!continue_group || !playing(*this, dorrik_id) || !(light(*this, 'C') >= 2))
        return;
    set_light(*this, 'A', std::max(light(*this, 'A') - 0.1, -8.0));
    set_light(*this, 'B', std::max(light(*this, 'B') - 0.1, -5.0));
}

void Frames::event_func_2578()
{
    if (!continue_group || !playing(*this, dorrik_id) || light(*this, 'C') != 50)
        return;
    set_light(*this, 'C', 51);
}
