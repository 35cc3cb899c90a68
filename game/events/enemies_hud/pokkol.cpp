// The Pokkol, a shooter that stays put: it faces the player, counts while
// idle near the view, shoots a pellet from its action point after 61 ticks
// (then 101 ticks of idling for each next shot), and once beaten bursts into
// a keystone, an explosion and four pieces of debris where its fall meets
// the ground.
#include "audio/media.h"
#include "game/events/enemies_hud/enemy_landing.h"
#include "game/events/enemies_hud/pokkol.h"
#include "game/frames/event_support.h"
#include "game/frames/frames.h"
#include "game/objects/classes.h"
#include "objects/active.h"

namespace {

constexpr unsigned shot_sample = 25;
constexpr unsigned burst_sample = 26;

// D: what the Pokkol is doing.
constexpr double idle = 0, shooting = 1, shot_fired = 2, beaten = 3;

ObjectList& pokkols(Frames& frames) { return frames.instances[types::EnemyPokkol_138]; }

Active* active(FrameObject* object) { return static_cast<Active*>(object); }

// Selects the Pokkols in state `state`; false when none is.
bool select_in(Frames& frames, double state)
{
    return select(pokkols(frames), [state](FrameObject* p) { return get_value(*p, 'D') == state; });
}

double sensor_x(Frames& frames) { return instance_or_default(frames.instances[types::PlayerCharacterSensor_151]).get_x(); }

// In states 10 and 11 the player is in no shape to be shot at.
bool player_can_be_shot(Frames& frames)
{
    const double state = get_value(frames.instances[types::PlayerOthers_75], 'Y');
    return state != 10 && state != 11;
}

}  // namespace

void Frames::event_func_1900()
{
    if (!level_group_43 || !select(pokkols(*this), [](FrameObject* p) { return get_flag(*p, 6); }))
        return;
    for_each_selected(pokkols(*this), [](FrameObject* p) { set_value(p, 'D', beaten); });
}

void Frames::event_func_1901()
{
    if (level_group_43 && select_in(*this, idle))
        for_each_selected(pokkols(*this), [](FrameObject* p) { active(p)->force_animation(0); });
}

// Right of the player: it faces left.
void Frames::event_func_1902()
{
    if (!level_group_43)
        return;
    const double x = sensor_x(*this);
    if (select(pokkols(*this), [x](FrameObject* p) { return p->get_x() > x && get_value(*p, 'D') == idle; }))
        for_each_selected(pokkols(*this), [](FrameObject* p) { p->set_direction(15, true); });
}

// Left of the player: it faces right.
void Frames::event_func_1903()
{
    if (!level_group_43)
        return;
    const double x = sensor_x(*this);
    if (select(pokkols(*this), [x](FrameObject* p) { return p->get_x() < x && get_value(*p, 'D') == idle; }))
        for_each_selected(pokkols(*this), [](FrameObject* p) { p->set_direction(1, true); });
}

// The shot timer runs only within 200 pixels of the view.
void Frames::event_func_1904()
{
    if (!level_group_43)
        return;
    if (select(pokkols(*this), [](FrameObject* p) { return get_value(*p, 'D') == idle && !p->is_near_border(-200); }))
        for_each_selected(pokkols(*this), [](FrameObject* p) { add_value(p, 'E', 1); });
}

void Frames::event_func_1905()
{
    if (!level_group_43)
        return;
    if (!select(pokkols(*this), [](FrameObject* p) { return get_value(*p, 'D') == idle && get_value(*p, 'E') > 60; }))
        return;
    if (!player_can_be_shot(*this))
        return;
    for_each_selected(pokkols(*this), [](FrameObject* p) {
        set_value(p, 'D', shooting);
        set_value(p, 'E', -40);
    });
}

void Frames::event_func_1906()
{
    if (level_group_43 && select_in(*this, shooting))
        for_each_selected(pokkols(*this), [](FrameObject* p) { active(p)->force_animation(7); });
}

// The pellet leaves on frame 7 of the shooting animation; the state moves on
// at once, so a frame shown for several ticks shoots once.
void Frames::event_func_1907()
{
    if (!level_group_43)
        return;
    ObjectList& list = pokkols(*this);
    if (!select(list, [](FrameObject* p) { return get_value(*p, 'D') == shooting && active(p)->get_frame() == 7; }))
        return;
    media.play_id(shot_sample, -1, 1);
    FrameObject* pellet =
        create_at_action_points(*this, list, instances[types::EnemyPellet_261], create_enemypellet_261);
    if (pellet)
        pellet->set_direction(list.back_selection()->get_direction(), true);
    for_each_selected(list, [](FrameObject* p) { set_value(p, 'D', shot_fired); });
}

void Frames::event_func_1908()
{
    if (!level_group_43)
        return;
    auto done = [](FrameObject* p) { return get_value(*p, 'D') == shot_fired && !active(p)->test_animation(7); };
    if (select(pokkols(*this), done))
        for_each_selected(pokkols(*this), [](FrameObject* p) { set_value(p, 'D', idle); });
}

void Frames::event_func_1909()
{
    if (level_group_43 && select_in(*this, beaten))
        for_each_selected(pokkols(*this), [](FrameObject* p) { active(p)->force_animation(8); });
}

// A beaten Pokkol coming down onto the ground bursts: a keystone and an
// explosion where it was, A from -5 to -1 through the debris loop's four
// pieces, and the sound.
void burst_landed_pokkols(Frames& frames, void (Frames::*debris)())
{
    ObjectList& list = pokkols(frames);
    if (!select_landed(frames, list))
        return;
    create_at_each(frames, list, frames.instances[types::ObjectKeystone_278], create_objectkeystone_278);
    create_at_each(frames, list, frames.instances[types::EffectsExplosion01_130], create_effectsexplosion01_130);
    for_each_selected(list, [](FrameObject* p) { set_value(p, 'A', -5); });
    frames.run_loop(frames.fast_loop_spawndebris, 5, debris);
    media.play_id(burst_sample, -1, 1);
}

void Frames::event_func_1910()
{
    if (level_group_43)
        burst_landed_pokkols(*this, &Frames::loop_spawndebris_4);
}

void Frames::event_func_1911()
{
    if (level_group_43 && select(pokkols(*this), [](FrameObject* p) { return get_value(*p, 'A') == -1; }))
        for_each_selected(pokkols(*this), [](FrameObject* p) { p->destroy(); });
}
