#include "game/events/move_sets/yelto_moves.h"

#include "game/objects/classes.h"

#include <string>

namespace yelto {

bool on_unlatched_frame_2(Frames& f)
{
    const Active* yelto = skin(f);
    return yelto && yelto->get_frame() == 2 && !get_flag(*yelto, 2);
}

void release_frame_2_latch(Frames& f)
{
    Active* yelto = skin(f);
    if (yelto && yelto->get_frame() != 2)
        set_flag(yelto, 2, false);
}

FrameObject* insta_shield_at_player(Frames& f)
{
    ObjectList& player = f.instances[types::Player_87];
    select_all(player);
    return create_at_each(f, player, f.instances[types::ShieldInstaShield_187], create_shieldinstashield_187);
}

void say(Frames& f, const char* prefix, int digit)
{
    f.run_named_loop(prefix + std::to_string(digit), 1);
}

}  // namespace yelto
