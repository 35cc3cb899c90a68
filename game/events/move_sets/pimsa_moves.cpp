#include "game/events/move_sets/pimsa_moves.h"

#include "audio/media.h"
#include "game/objects/classes.h"

namespace pimsa_moves {

void play_sample(unsigned id) { media.play_id(id, -1, 1); }

FrameObject* create_shield(Frames& f)
{
    ObjectList& at = f.instances[types::Player_87];
    select_all(at);
    return create_at_each(f, at, f.instances[types::ShieldInstaShield_187], create_shieldinstashield_187);
}

void aim_shield_behind(FrameObject* shield, FrameObject* skin, int turn)
{
    if (!shield || !skin)
        return;
    shield->set_direction(skin->get_direction() + turn, true);
    sprite(shield)->force_speed(100);
    shield->move_back(skin);
}

}  // namespace pimsa_moves
