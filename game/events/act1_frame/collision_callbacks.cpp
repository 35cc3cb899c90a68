// The acts' collision events: what happens when a contact begins. Object
// pairs arrive in the frame's pair fields (col_instance_1 is side A,
// col_instance_2 side B); the background callbacks act on side A. Both
// acts' passes call them (act1_tick.cpp for act 1).
#include "audio/media.h"
#include "game/frames/event_support.h"
#include "game/frames/frames.h"
#include "game/objects/classes.h"
#include "objects/active.h"

#include <algorithm>
#include <cmath>

namespace {

// An effect at the instance's place, on its layer.
void spawn(Frames& frames, FrameObject* at, FrameObject* effect)
{
    frames.add_object(effect, at->layer);
}

void play_sample(unsigned id) { media.play_id(id, -1, 1); }

// The pellet bursts: gone, an explosion in its place, the blast sound.
void burst_pellet(Frames& frames, FrameObject* pellet)
{
    pellet->destroy();
    spawn(frames, pellet, create_effectsexplosion02_131(pellet->get_x(), pellet->get_y()));
    play_sample(15);
}

// A big side sensor runs into a breakable rock while the player rolls fast
// enough that way: the rock is knocked loose with the player's speed.
template <class FastEnough>
void break_rock(Frames& frames, FrameObject* rock, FastEnough fast_enough)
{
    if (!frames.level_group_43)
        return;
    ObjectList& movement = frames.instances[types::PlayerMovementValues_80];
    if (!select(movement, [&](FrameObject* m) { return get_value(*m, 'A') == 3 && fast_enough(get_value(*m, 'B')); }))
        return;
    for_each_instance(frames.instances[types::PlayerOthers_75], [](FrameObject* others) { set_value(others, 'K', 5); });
    const FrameObject* m = *ObjectIterator(movement);
    const double push = std::max(std::fabs(1.5 * get_value(*m, 'B')), 3.0) * get_value(*m, 'Q');
    set_value(rock, 'X', std::clamp(push, -10.0, 10.0));
    set_value(rock, 'Y', get_value(*m, 'G') * 0.5);
    set_flag(rock, 6, true);
}

// The actions that object pairs and background contacts share --------------------

void reflect_hits_surface(Frames& frames, FrameObject* reflect)
{
    if (!frames.level_group_43 || !frames.level_group_23 || !frames.level_group_59)
        return;
    if (get_value(*reflect, 'A') != 2)
        return;
    set_value(reflect, 'A', 3);
    spawn(frames, reflect, create_effectswhiteburst_31(reflect->get_x(), reflect->get_y()));
}

void crystal_lands(Frames& frames, FrameObject* crystal)
{
    if (!frames.level_group_43 || !get_flag(*crystal, 0))
        return;
    set_flag(crystal, 0, false);
    crystal->advance_movement(-1);
    set_value(crystal, 'G', 8);
    set_value(crystal, 'H', 0.5);
}

void debris_settles(Frames& frames, FrameObject* debris)
{
    if (!frames.level_group_43 || get_value(*debris, 'A') <= 3)
        return;
    debris->destroy();
    spawn(frames, debris, create_effectsdust_310(debris->get_x(), debris->get_y()));
}

void projectile_hits_solid(Frames& frames, FrameObject* shot)
{
    if (frames.level_group_43 && get_value(*shot, 'G') != 1 && !get_flag(*shot, 1))
        play_sample(27);
    if (frames.level_group_43 && get_value(*shot, 'G') != 1 && get_value(*shot, 'K') <= 0) {
        shot->destroy();
        spawn(frames, shot, create_thunderspark_192(shot->get_x(), shot->get_y()));
    }
    if (frames.level_group_43 && get_value(*shot, 'G') == 1)
        set_flag(shot, 6, true);
}

void pellet_hits_background(Frames& frames, FrameObject* pellet)
{
    if (frames.level_group_43)
        burst_pellet(frames, pellet);
}

}  // namespace

// The object pairs ------------------------------------------------------------

void Frames::col_0_4()
{
    break_rock(*this, col_instance_2, [](double speed) { return speed > 5; });
}

void Frames::col_11_4()
{
    break_rock(*this, col_instance_2, [](double speed) { return speed < -5; });
}

// A layer switch that meets a half corkscrew hands it over to the next
// layer and goes.
void Frames::col_1_4()
{
    if (!level_group_43)
        return;
    col_instance_1->destroy();
    set_value(col_instance_2, 'B', get_value(*col_instance_2, 'B') + 256);
}

void Frames::col_5_4()
{
    if (!level_group_43)
        return;
    set_value(col_instance_2, 'B', get_value(*col_instance_2, 'B') + 256);
    col_instance_1->destroy();
}

// Two item boxes touching while Dorrik is not busy: the second breaks open.
void Frames::col_2_4()
{
    ObjectList& dorrik = instances[types::PlayerSkinDorrik_339];
    auto not_busy = [](FrameObject* skin) { return get_value(*skin, 'F') == 0; };
    if (level_group_43 && select(dorrik, not_busy)) {
        set_value(col_instance_2, 'I', 1);
        set_flag(col_instance_2, 6, true);
    }
    if (level_group_43 && select(dorrik, not_busy))
        run_loop(fast_loop_itm, 2, &Frames::loop_itm_4);
}

void Frames::col_3_4() { reflect_hits_surface(*this, col_instance_2); }

void Frames::col_4_4() { crystal_lands(*this, col_instance_2); }

void Frames::col_6_4() { debris_settles(*this, col_instance_2); }

void Frames::col_7_4()
{
    if (level_group_43 && get_value(*col_instance_2, 'G') == 1)
        set_flag(col_instance_2, 6, true);
}

void Frames::col_9_4() { projectile_hits_solid(*this, col_instance_2); }

// An enemy holding a crystal: the items at the player are collected while
// the crystal is on screen (50 pixels of slack each way).
void Frames::col_10_4()
{
    if (!level_group_43 || get_flag(*col_instance_1, 6) || col_instance_2->is_near_border(-50))
        return;
    run_open_loop(fast_loop_collect_item, "collect_item", &Frames::loop_collect_item_4);
}

// The player's body touches a hurting monitor icon.
void Frames::col_13_4()
{
    if (!level_group_43)
        return;
    if (static_cast<Active*>(col_instance_2)->get_frame() != 9)
        return;
    if (!select(instances[types::PlayerOthers_75], [](FrameObject* others) { return get_value(*others, 'D') == 0; }))
        return;
    for_each_instance(instances[types::PlayerMovementValues_80], [](FrameObject* m) { set_value(m, 'R', 1); });
    for_each_instance(instances[types::GUILifeBaseMeter_77],
                      [](FrameObject* meter) { set_value(meter, 'B', get_value(*meter, 'B') + 20); });
}

// An enemy pellet hits the player: a hurt request with 10 damage.
void Frames::col_14_4()
{
    if (!level_group_43)
        return;
    ObjectList& movement = instances[types::PlayerMovementValues_80];
    if (!select(movement, [](FrameObject* m) { return get_value(*m, 'R') == 0; }))
        return;
    if (!select(instances[types::PlayerOthers_75], [](FrameObject* others) { return get_value(*others, 'E') <= 0; }))
        return;
    for_each_selected(movement, [](FrameObject* m) { set_value(m, 'R', 1); });
    for_each_instance(instances[types::GUILifeBaseMeter_77],
                      [](FrameObject* meter) { set_value(meter, 'B', get_value(*meter, 'B') + 10); });
    burst_pellet(*this, col_instance_2);
}

void Frames::col_15_4()
{
    if (level_group_43 && !get_flag(*col_instance_2, 1))
        burst_pellet(*this, col_instance_2);
}

// The background callbacks (side A) -------------------------------------------

void Frames::col_17_4() { projectile_hits_solid(*this, col_instance_1); }

void Frames::col_18_4() { debris_settles(*this, col_instance_1); }

void Frames::col_19_4() { crystal_lands(*this, col_instance_1); }

void Frames::col_20_4() { pellet_hits_background(*this, col_instance_1); }

void Frames::col_21_4() { reflect_hits_surface(*this, col_instance_1); }
