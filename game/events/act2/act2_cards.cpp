// Act 2's cards: the fade card that covers the view as the player runs out
// at the right edge, and the intro card, which hands the screen back as act
// 1's does once its upper banner is still there to take away.
#include "game/events/enemies_hud/act_start_card.h"
#include "game/frames/event_support.h"
#include "game/frames/frames.h"
#include "game/objects/classes.h"
#include "objects/active.h"

namespace {

constexpr int card_layer = 6, edge_margin = 50;

void face_right(FrameObject* skin)
{
    if (skin)
        skin->set_direction(0, true);
}

}  // namespace

void Frames::event_func_2371()
{
    ObjectList& movement = instances[types::PlayerMovementValues_80];
    if (!level_group_43 || get_value(movement, 'X') <= width - edge_margin || get_value(movement, 'B') <= 0 ||
        !run_once(run_once_2371, loop_count))
        return;
    FrameObject* card = create_instance(*this, instances[types::LevelCardFade2_32], create_levelcardfade2_32(0, 0),
                                        card_layer);
    if (card) {
        card->set_x(new_display_x);
        card->set_y(new_display_y);
    }
    face_right(instance_of(instances[types::PlayerSkinYelto_102]));
    face_right(instance_of(instances[types::PlayerSkinYeltoHair_209]));
    for_each_instance(instances[types::PlayerSkinOrrun_290], face_right);
    set_value(movement, 'Q', 1);
    set_value(instances[types::PlayerInput_21], 'M', 1);
    if (auto* sprite = static_cast<Active*>(card)) {
        sprite->set_x_scale(float(global_values->get(16)));
        sprite->set_y_scale(float(global_values->get(17)));
    }
    set_flag(instances[types::Sign_361], 1, true);
}

void Frames::event_func_2477()
{
    if (!level_group_43 || !level_group_32 || !instance_of(instances[types::LevelCardIntro2_287]))
        return;
    if (card_may_close(*this))
        close_act_card(*this);
}
