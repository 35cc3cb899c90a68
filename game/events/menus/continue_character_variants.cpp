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
    return light(frame, value_c) == 0 && instance_or_default(frame.instances[types::PlayerSkinYelto_102]).get_x() > 640;
}

void face_left(FrameObject* object) { object->set_direction(16, true); }

}  // namespace

// Yelto -------------------------------------------------------------------------

void Frames::event_func_2560()
{
    if (!continue_group || !playing(*this, yelto_id) || !off_the_edge(*this))
        return;
    set_light(*this, value_c, 1);
    for_each_of(*this, {types::PlayerSkinYelto_102, types::PlayerSkinYeltoHair_209}, [](FrameObject* o) {
        as_active(o)->force_animation(24);
        as_active(o)->restore_speed();
    });
    set_light(*this, value_a, -5);
    set_light(*this, value_b, -5);
    for_each_of(*this, {types::PlayerSkinYelto_102, types::PlayerSkinYeltoHair_209}, face_left);
    const int x = new_display_x + 458;
    for_each_of(*this, {types::PlayerSkinYelto_102}, [x](FrameObject* o) { o->set_x(x); });
    play_sample(60);
}

void Frames::event_func_2561()
{
    if (!continue_group || !playing(*this, yelto_id))
        return;
    if (light(*this, value_c) != 1 || light(*this, value_b) != 0)
        return;
    play_sample(9);
    for_each_of(*this, {types::PlayerSkinYelto_102, types::PlayerSkinYeltoHair_209}, [](FrameObject* o) {
        as_active(o)->force_animation(7);
        as_active(o)->force_speed(100);
    });
    set_light(*this, value_c, 2);
    set_light(*this, value_a, 0);
    set_light(*this, value_b, 0);
    activate_group(orbit_sparkle_group);
}

void Frames::event_func_2562()
{
    if (!continue_group || !playing(*this, yelto_id) || light(*this, value_c) != 50)
        return;
    set_light(*this, value_c, 51);
    play_sample(47);
    for_each_of(*this, {types::PlayerSkinYelto_102, types::PlayerSkinYeltoHair_209}, [](FrameObject* o) {
        as_active(o)->force_animation(13);
        as_active(o)->force_speed(100);
        o->set_angle(180, 0);
    });
    set_light(*this, value_a, -15);
    activate_group(ring_sparkle_group);
}

// Orrun -------------------------------------------------------------------------

void Frames::event_func_2563()
{
    if (!continue_group || !playing(*this, orrun_id) || !off_the_edge(*this))
        return;
    set_light(*this, value_a, -13);
    set_light(*this, value_b, -6);
    set_light(*this, value_c, 1);
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
    if (light(*this, value_c) != 1 || !(light(*this, value_b) >= 0))
        return;
    set_light(*this, value_c, 2);
    set_light(*this, value_a, 0);
    set_light(*this, value_b, 0);
    for_each_of(*this, {types::PlayerSkinOrrun_290}, [](FrameObject* o) { as_active(o)->start_animation(); });
}

void Frames::event_func_2565()
{
    if (!continue_group || !playing(*this, orrun_id) || !(light(*this, value_c) > 1))
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
        put(*o, value_b, number++);
        put(*o, value_c, o->get_x());
        put(*o, value_d, o->get_y());
        o->set_direction(to_int(get(*o, value_b) + 2), true);
        o->move_back();
    });
}

void Frames::event_func_2566()
{
    if (!continue_group || !playing(*this, orrun_id) || light(*this, value_c) != 50)
        return;
    set_light(*this, value_a, -12);
    set_light(*this, value_b, std::min(light(*this, value_b) + 0.25, 12.0));
}

void Frames::event_func_2567()
{
    if (!continue_group || !playing(*this, orrun_id) || light(*this, value_c) != 50)
        return;
    if (!select(instances[types::PlayerSkinOrrun_290], [](FrameObject* o) { return o->get_y() < 120; }))
        return;
    set_light(*this, value_c, light(*this, value_c) + 1);
}

// The after-images that Orrun's jump leaves spread out and fade.
void Frames::event_func_2568()
{
    if (!continue_group)
        return;
    for_each_instance(instances[types::EffectsOrrunImage_335], [](FrameObject* o) {
        o->blend_color.a = alpha_of(to_int(std::max(4 * get(*o, value_a) - 64, 0.0)));
        as_active(o)->set_scale(float(get(*o, value_a) * 0.025 + 0.2));
        put(*o, value_a, get(*o, value_a) + 1);
        const double a = get(*o, value_a);
        const double g = 90 * get(*o, value_b) + 8 * a;
        o->set_x(to_int(get(*o, value_c) + 2 * a * cos_deg(g)));
        o->set_y(to_int(get(*o, value_d) + 2 * a * sin_deg(g)));
    });
}

void Frames::event_func_2569()
{
    if (!continue_group)
        return;
    if (!select(instances[types::EffectsOrrunImage_335], [](FrameObject* o) { return get(*o, value_a) >= 64; }))
        return;
    for_each_selected(instances[types::EffectsOrrunImage_335], [](FrameObject* o) { o->destroy(); });
}

// Pimsa -------------------------------------------------------------------------

void Frames::event_func_2570()
{
    if (!continue_group || !playing(*this, pimsa_id) || !off_the_edge(*this))
        return;
    set_light(*this, value_a, 0);
    set_light(*this, value_c, 1);
}

void Frames::event_func_2571()
{
    if (!continue_group || !playing(*this, pimsa_id))
        return;
    if (light(*this, value_c) != 1 || light(*this, value_b) != 0)
        return;
    set_light(*this, value_c, 2);
    set_light(*this, value_a, 0);
    set_light(*this, value_b, 0);
    play_sample(103);
}

void Frames::event_func_2572()
{
    if (!continue_group || !playing(*this, pimsa_id) || light(*this, value_c) != 50)
        return;
    set_light(*this, value_a, -12);
    set_light(*this, value_c, 51);
    play_sample(104);
}

void Frames::event_func_2573()
{
    if (!continue_group || !playing(*this, pimsa_id) || !(light(*this, value_c) >= 50))
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
    set_light(*this, value_c, 1);
    set_light(*this, value_a, -5);
    set_light(*this, value_b, -5);
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
    if (light(*this, value_c) != 1 || light(*this, value_b) != 0)
        return;
    for_each_of(*this, {types::PlayerSkinDorrik_339}, [](FrameObject* o) { as_active(o)->force_animation(18); });
    set_light(*this, value_c, 2);
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
    if (!continue_group || !playing(*this, dorrik_id) || !(light(*this, value_c) >= 2))
        return;
    set_light(*this, value_a, std::max(light(*this, value_a) - 0.1, -8.0));
    set_light(*this, value_b, std::max(light(*this, value_b) - 0.1, -5.0));
}

void Frames::event_func_2578()
{
    if (!continue_group || !playing(*this, dorrik_id) || light(*this, value_c) != 50)
        return;
    set_light(*this, value_c, 51);
}
