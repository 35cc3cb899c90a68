// The shield sprites stay on Yelto's skin, which every character's skin
// follows; a sprite of a kind the player no longer has plays its leaving
// animation and hides, a detached one counts down and goes, and the
// shield's effect sprites sit on the skin or spin away.
#include "game/frames/event_support.h"
#include "game/frames/frames.h"
#include "objects/active.h"
#include "runtime/movement.h"

namespace {

constexpr int attached_flag = 1;
constexpr int leaving_animation = 8;

double shield_kind(Frames& f) { return get_value(f.instances[types::PlayerOthers_75], 'B'); }

int effect_speed(FrameObject* effect) { return effect->get_movement()->get_speed(); }

}  // namespace

void Frames::event_func_2029()
{
    if (!level_group_43)
        return;
    if (shield_kind(*this) != 0)
        return;
    ObjectList& effects = instances[types::EffectsShield_313];
    if (!select(effects, [](FrameObject* e) { return effect_speed(e) == 0; }))
        return;
    if (!run_once(run_once_2029, loop_count))
        return;
    for_each_selected(effects, [](FrameObject* e) { e->destroy(); });
}

void Frames::event_func_2030()
{
    if (!level_group_43)
        return;
    if (!(shield_kind(*this) > 0))
        return;
    const FrameObject& skin = instance_or_default(instances[types::PlayerSkinYelto_102]);
    for_each_instance(instances[types::EffectsShield_313], [&](FrameObject* e) {
        e->set_x(to_int(skin.get_x() + get_value(*e, 'A')));
        e->set_y(to_int((skin.get_y() - 10) + get_value(*e, 'B')));
    });
}

void Frames::event_func_2031()
{
    if (!level_group_43)
        return;
    ObjectList& skins = instances[types::PlayerSkinYelto_102];
    ObjectList& players = instances[types::Player_87];
    const auto attached = [](FrameObject* o) { return get_flag(*o, attached_flag); };
    select(skins, attached);
    select(qualifier_19, attached);
    select(players, attached);
    int i = 0;
    for_each_selected(qualifier_19, [&](FrameObject* sprite) {
        const FrameObject* picked = skins.get_wrapped_selection(i);
        const FrameObject& skin = picked ? *picked : instance_or_default(skins);
        const double angle = skin.get_angle();
        sprite->set_x(to_int(skin.get_x() + -10 * event_sin(angle)));
        sprite->set_y(to_int(skin.get_y() + -10 * event_cos(angle)));
        const FrameObject* player = players.get_wrapped_selection(i);
        sprite->set_layer(layer_index(player ? *player : instance_or_default(players)));
        ++i;
    });
    // Only as many sprites as there are skins go in front: with one skin,
    // the first of the group walk (the flame front before the flame back).
    ObjectIterator skin(skins);
    for (QualifierIterator sprite(qualifier_19); !sprite.done() && !skin.done(); ++sprite, ++skin)
        (*sprite)->move_front(*skin);
}

void Frames::event_func_2032()
{
    if (!level_group_43)
        return;
    const double kind = shield_kind(*this);
    if (!select(qualifier_19, [&](FrameObject* s) {
            return get_flag(*s, attached_flag) && (s->flags & FrameObject::VISIBLE) && get_value(*s, 'B') != kind;
        }))
        return;
    if (!run_once(run_once_2032, loop_count))
        return;
    for_each_selected(qualifier_19, [](FrameObject* s) { static_cast<Active*>(s)->force_animation(leaving_animation); });
}

void Frames::event_func_2033()
{
    if (!level_group_43)
        return;
    const double kind = shield_kind(*this);
    select(qualifier_19, [&](FrameObject* s) {
        return get_flag(*s, attached_flag) && !static_cast<Active*>(s)->test_animation(leaving_animation) &&
               get_value(*s, 'B') != kind;
    });
    for_each_selected(qualifier_19, [](FrameObject* s) { s->set_visible(false); });
}

void Frames::event_func_2034()
{
    if (!level_group_43)
        return;
    select(qualifier_19, [](FrameObject* s) { return !get_flag(*s, attached_flag); });
    for_each_selected(qualifier_19, [](FrameObject* s) { add_value(s, 'D', -1); });
}

void Frames::event_func_2035()
{
    if (!level_group_43)
        return;
    select(qualifier_19, [](FrameObject* s) { return !get_flag(*s, attached_flag) && get_value(*s, 'D') < -2; });
    for_each_selected(qualifier_19, [](FrameObject* s) { s->destroy(); });
}

void Frames::event_func_2036()
{
    if (!level_group_43)
        return;
    ObjectList& effects = instances[types::EffectsShield_313];
    select(effects, [](FrameObject* e) { return effect_speed(e) > 0; });
    for_each_selected(effects, [](FrameObject* e) {
        add_value(e, 'Z', 1);
        e->set_angle(e->get_angle() + 3, 0);
    });
}

void Frames::event_func_2037()
{
    if (!level_group_43)
        return;
    ObjectList& effects = instances[types::EffectsShield_313];
    select(effects, [](FrameObject* e) { return get_value(*e, 'Z') > 16; });
    for_each_selected(effects, [](FrameObject* e) { e->destroy(); });
}
