// What Dorrik's events share: the groups they run under, his skins, the
// orb, the things he carries, and the points where he holds them.
#pragma once

#include "game/frames/event_support.h"
#include "game/frames/frames.h"
#include "objects/active.h"
#include "runtime/collision.h"

namespace dorrik {

// Gameplay and the player engine are on, and `group`: the Dorrik group or
// the mode group a move of his runs in.
inline bool events_on(const Frames& f, bool Frames::*group) { return f.level_group_43 && f.level_group_23 && f.*group; }
inline bool dorrik_group_on(const Frames& f) { return events_on(f, &Frames::level_group_59); }

inline ObjectList& dorrik_skins(Frames& f) { return f.instances[types::PlayerSkinDorrik_339]; }
inline ObjectList& orb_list(Frames& f) { return f.instances[types::PlayerReflect_343]; }
inline ObjectList& movement(Frames& f) { return f.instances[types::PlayerMovementValues_80]; }
inline ObjectList& others(Frames& f) { return f.instances[types::PlayerOthers_75]; }
inline ObjectList& input(Frames& f) { return f.instances[types::PlayerInput_21]; }
inline ObjectList& fuel(Frames& f) { return f.instances[types::ObjectFuel_341]; }
inline QualifierList& item_boxes(Frames& f) { return f.qualifier_13; }
inline QualifierList& enemies(Frames& f) { return f.qualifier_17; }

inline Active* as_active(FrameObject* object) { return static_cast<Active*>(object); }

// The orb's instance (null without one) and a test of its state A, false
// without one.
inline Active* orb(Frames& f) { return as_active(instance_of(orb_list(f))); }
inline bool orb_in(Frames& f, double state)
{
    return instance_holds(orb_list(f), [state](const FrameObject& o) { return get_value(o, 'A') == state; });
}

// Keeps the skins whose value `letter` passes `test`; false when none is left.
template <class Test>
bool skins_where(Frames& f, char letter, Test test)
{
    return select(dorrik_skins(f), [letter, test](FrameObject* skin) { return test(get_value(*skin, letter)); });
}

// Keeps the skins whose hands (F) hold `what`: 0 empty, 1 carrying, 2 the orb.
inline bool skins_holding(Frames& f, double what)
{
    return skins_where(f, 'F', [what](double hands) { return hands == what; });
}

// Alternative conditions that each narrow the skins: each block starts from
// every skin; the skins of the blocks that hold are the selection after.
template <class... Blocks>
bool skins_of_any(Frames& f, Blocks... blocks)
{
    ObjectList& list = dorrik_skins(f);
    list.clear_saved_selection();
    bool any = false;
    auto try_block = [&](auto block) {
        select_all(list);
        if (block()) {
            list.save_selection();
            any = true;
        }
    };
    (try_block(blocks), ...);
    if (any)
        list.restore_selection();
    return any;
}

// A point carried by `skin`: the offset (ox, oy) from its action point,
// turned counter-clockwise by the skin's angle, truncated.
struct Point {
    int x, y;
};
Point held_point(const FrameObject& skin, double ox, double oy);

// Puts `object` at the point and turns it with the skin.
void hold_at(FrameObject& object, const FrameObject& skin, double ox, double oy);

// Dorrik picks `object` up: it is carried (flag 2), every skin carries
// (F = 1) and the mode is the carry mode.
void lift(Frames& f, FrameObject* object);

// A throw along the ground angle O: velocity X = cos O * speed, Y = -(sin O * speed).
void throw_along(FrameObject* object, double angle, double speed);

}  // namespace dorrik
