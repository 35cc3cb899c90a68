// Hespin's weapon loop: one pass per shot the player fires. The skin's
// frame is set for the aim first, then every volley event has its turn; the
// first volley that fires sets the arm's cooldown and the rest find no arm.
#include "game/events/stage_loops/hespin_weapon.h"
#include "objects/active.h"

namespace {

// The skins playing `animation`, when the save array's rows 10 and 11 hold
// `row10` and `row11` (-1: any), show `frame` and go on from it.
void set_skin_frame(Frames& f, int animation, int row10, int row11, int frame)
{
    if (!hespin::armed(f))
        return;
    ObjectList& skins = f.instances[types::PlayerSkinHespin_351];
    if (!select(skins, [=](FrameObject* s) { return static_cast<Active*>(s)->test_animation(animation); }))
        return;
    if ((row10 >= 0 && hespin::saved(f, 10) != row10) || (row11 >= 0 && hespin::saved(f, 11) != row11))
        return;
    for_each_selected(skins, [frame](FrameObject* s) {
        static_cast<Active*>(s)->force_frame(frame);
        static_cast<Active*>(s)->restore_frame();
    });
}

}  // namespace

void Frames::event_func_424() { set_skin_frame(*this, 0, -1, -1, 0); }

void Frames::event_func_425() { set_skin_frame(*this, 0, 2, 0, 2); }

void Frames::event_func_426() { set_skin_frame(*this, 0, 2, 2, 2); }

void Frames::event_func_427() { set_skin_frame(*this, 0, 3, 0, 2); }

void Frames::event_func_428() { set_skin_frame(*this, 0, 3, 2, 2); }

void Frames::event_func_429() { set_skin_frame(*this, 11, -1, -1, 0); }

void Frames::loop_weapon_4()
{
    for (auto event : {&Frames::event_func_424, &Frames::event_func_425, &Frames::event_func_426,
                       &Frames::event_func_427, &Frames::event_func_428, &Frames::event_func_429,
                       &Frames::event_func_430, &Frames::event_func_431, &Frames::event_func_432,
                       &Frames::event_func_433, &Frames::event_func_434, &Frames::event_func_435,
                       &Frames::event_func_436, &Frames::event_func_437, &Frames::event_func_438,
                       &Frames::event_func_439, &Frames::event_func_440, &Frames::event_func_441,
                       &Frames::event_func_442, &Frames::event_func_443, &Frames::event_func_444,
                       &Frames::event_func_445, &Frames::event_func_446, &Frames::event_func_447})
        (this->*event)();
}
