// Yelto's hair and the tails of Pimsa and Dorrik copy their body skins
// every tick: place, animation number, direction and layer; they are drawn
// behind the body (in front of it in state 46) and shown exactly while it is.
#include "game/frames/event_support.h"
#include "game/frames/frames.h"
#include "objects/active.h"

namespace {

constexpr double state_add_ons_in_front = 46;

// The body's animation number, direction and layer; its position is the
// caller's step, since the tails take theirs in a walk of their own.
void copy_look(FrameObject* add_on, FrameObject* body)
{
    static_cast<Active*>(add_on)->force_animation(static_cast<Active*>(body)->current_animation);
    add_on->set_direction(body->get_direction(), true);
    add_on->set_layer(layer_index(*body));
}

// The i-th tail's body is the wrapped pick among all bodies. A tail without
// any body keeps its own look: nothing of a body is there to copy.
void follow_bodies(ObjectList& tails, ObjectList& bodies)
{
    int i = 0;
    for_each_instance(tails, [&](FrameObject* tail) {
        if (const FrameObject* body = paired_instance(bodies, i++))
            tail->set_global_position(body->get_x(), body->get_y());
    });
    i = 0;
    for_each_selected(tails, [&](FrameObject* tail) {
        if (FrameObject* body = paired_instance(bodies, i++))
            copy_look(tail, body);
    });
}

// The k-th add-on goes next to the k-th body while both walks last.
template <class Place>
void place_by_bodies(ObjectList& add_ons, ObjectList& bodies, Place place)
{
    select_all(bodies);
    select_all(add_ons);
    ObjectIterator body(bodies);
    for (ObjectIterator add_on(add_ons); !add_on.done() && !body.done(); ++add_on, ++body)
        place(*add_on, *body);
}

template <class Place>
void place_add_ons(Frames& f, Place place)
{
    FrameObject* hair = instance_of(f.instances[types::PlayerSkinYeltoHair_209]);
    FrameObject* yelto = instance_of(f.instances[types::PlayerSkinYelto_102]);
    if (hair && yelto)
        place(hair, yelto);
    place_by_bodies(f.instances[types::PlayerSkinPimsaTail_323], f.instances[types::PlayerSkinPimsa_324], place);
    place_by_bodies(f.instances[types::PlayerSkinDorrikTail_342], f.instances[types::PlayerSkinDorrik_339], place);
}

bool is_visible(const FrameObject* object) { return object->flags & FrameObject::VISIBLE; }

// The tails are shown (hidden) when any body is visible (invisible).
void show_tails_by_bodies(ObjectList& bodies, ObjectList& tails, bool visible)
{
    if (!select(bodies, [&](FrameObject* body) { return is_visible(body) == visible; }))
        return;
    for_each_instance(tails, [&](FrameObject* tail) { tail->set_visible(visible); });
}

}  // namespace

void Frames::event_func_2038()
{
    if (!level_group_43)
        return;
    FrameObject* hair = instance_of(instances[types::PlayerSkinYeltoHair_209]);
    // The hair copies nothing without a body to copy.
    if (FrameObject* yelto = instance_of(instances[types::PlayerSkinYelto_102]); hair && yelto) {
        hair->set_global_position(yelto->get_x(), yelto->get_y());
        copy_look(hair, yelto);
    }
    follow_bodies(instances[types::PlayerSkinPimsaTail_323], instances[types::PlayerSkinPimsa_324]);
    follow_bodies(instances[types::PlayerSkinDorrikTail_342], instances[types::PlayerSkinDorrik_339]);
}

void Frames::event_func_2039()
{
    if (!level_group_43)
        return;
    if (get_value(instances[types::PlayerOthers_75], 'Y') == state_add_ons_in_front)
        return;
    place_add_ons(*this, [](FrameObject* add_on, FrameObject* body) { add_on->move_back(body); });
}

void Frames::event_func_2040()
{
    if (!level_group_43)
        return;
    if (get_value(instances[types::PlayerOthers_75], 'Y') != state_add_ons_in_front)
        return;
    place_add_ons(*this, [](FrameObject* add_on, FrameObject* body) { add_on->move_front(body); });
}

void Frames::event_func_2041()
{
    if (!level_group_43)
        return;
    if (!instance_holds(instances[types::PlayerSkinYelto_102], [](const FrameObject& body) { return is_visible(&body); }))
        return;
    if (FrameObject* hair = instance_of(instances[types::PlayerSkinYeltoHair_209]))
        hair->set_visible(true);
}

void Frames::event_func_2042()
{
    if (!level_group_43)
        return;
    if (!instance_holds(instances[types::PlayerSkinYelto_102], [](const FrameObject& body) { return !is_visible(&body); }))
        return;
    if (FrameObject* hair = instance_of(instances[types::PlayerSkinYeltoHair_209]))
        hair->set_visible(false);
}

void Frames::event_func_2043()
{
    if (!level_group_43)
        return;
    show_tails_by_bodies(instances[types::PlayerSkinPimsa_324], instances[types::PlayerSkinPimsaTail_323], true);
}

void Frames::event_func_2044()
{
    if (!level_group_43)
        return;
    show_tails_by_bodies(instances[types::PlayerSkinPimsa_324], instances[types::PlayerSkinPimsaTail_323], false);
}

void Frames::event_func_2045()
{
    if (!level_group_43)
        return;
    show_tails_by_bodies(instances[types::PlayerSkinDorrik_339], instances[types::PlayerSkinDorrikTail_342], true);
}

void Frames::event_func_2046()
{
    if (!level_group_43)
        return;
    show_tails_by_bodies(instances[types::PlayerSkinDorrik_339], instances[types::PlayerSkinDorrikTail_342], false);
}
