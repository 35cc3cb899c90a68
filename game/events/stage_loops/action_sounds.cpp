// Sounds and bursts the player's actions start through one-pass loops: the
// skid, Pimsa's pounce, Hespin's jump burst, the landings, and Hespin's
// multi-shot weapons (wood bomb splinters, water drops, earth flyers).
#include "audio/media.h"
#include "game/events/stage_loops/hespin_weapon.h"
#include "game/objects/classes.h"
#include "objects/active.h"

namespace {

// Shot kinds the weapon events give the shots they throw.
constexpr int wood_splinter = 1, earth_flyer_shot = 4, water_drop = 7;
constexpr int shot_animation = 10;

// The gameplay and player engine groups with Pimsa's move set and bike.
bool pimsa_riding(const Frames& f)
{
    return f.level_group_43 && f.level_group_23 && f.level_group_73 && f.level_group_72;
}

// A new shot, the only one selected, off screen on the bottom layer until
// the event places it; shown with `frame` of the shot animation.
Active* new_shot(Frames& f, int frame)
{
    auto* shot = static_cast<Active*>(create_instance(f, f.instances[types::PlayerProjectile_336],
                                                      create_playerprojectile_336(-32, -32), 0));
    if (!shot)
        return nullptr;
    shot->force_animation(shot_animation);
    shot->force_frame(frame);
    return shot;
}

// At the muzzle (the arm's X and Y); A and B remember where it started.
void place_at_muzzle(Frames& f, FrameObject* shot)
{
    const FrameObject& arm = instance_or_default(f.instances[types::PlayerSkinHespinArm_350]);
    shot->set_x(to_int(get_value(arm, 'X')));
    shot->set_y(to_int(get_value(arm, 'Y')));
    set_value(shot, 'A', shot->get_x());
    set_value(shot, 'B', shot->get_y());
}

// The shot's kind and the two values the shot events read with it.
void arm_shot(FrameObject* shot, int kind, int i_value)
{
    set_value(shot, 'J', kind);
    set_value(shot, 'K', 1);
    set_value(shot, 'I', i_value);
}

// Live, on the player's layer.
void release_shot(Frames& f, FrameObject* shot)
{
    set_flag(shot, 1, true);
    shot->set_layer(layer_index(instance_or_default(f.instances[types::Player_87])));
}

// Selects the Pimsa skins whose pounce voice rests (S at most 0), or the
// others.
bool pimsa_voice_resting(ObjectList& skins, bool resting)
{
    return select(skins, [resting](FrameObject* skin) { return (get_value(*skin, 'S') <= 0) == resting; });
}

// Earth flyers: one down and one up from the muzzle, turned their way.
void earth_flyer(Frames& f, double y_speed, int angle)
{
    if (!hespin::armed(f))
        return;
    Active* shot = new_shot(f, 8);
    if (!shot)
        return;
    const FrameObject& arm = instance_or_default(f.instances[types::PlayerSkinHespinArm_350]);
    set_value(shot, 'A', get_value(arm, 'X'));
    set_value(shot, 'B', get_value(arm, 'Y'));
    set_value(shot, 'D', y_speed);
    arm_shot(shot, earth_flyer_shot, 5);
    shot->set_angle(angle, 0);
    release_shot(f, shot);
}

}  // namespace

// Wood bomb: thirteen splinters a full turn round in 30 degree steps.
void Frames::event_func_316()
{
    if (!hespin::armed(*this))
        return;
    const double pass = fast_loop_woodbomb.index;
    Active* shot = new_shot(*this, 2);
    if (!shot)
        return;
    const double angle = 30 * pass;
    place_at_muzzle(*this, shot);
    set_value(shot, 'C', 7 * event_cos(angle));
    set_value(shot, 'D', -7 * event_sin(angle));
    set_value(shot, 'H', 5);
    arm_shot(shot, wood_splinter, 1);
    release_shot(*this, shot);
}

void Frames::loop_woodbomb_4() { event_func_316(); }

// Water: fifteen drops thrown ever higher, spread by a falling factor.
void Frames::event_func_337()
{
    if (!hespin::armed(*this))
        return;
    const double pass = fast_loop_water.index;
    Active* shot = new_shot(*this, 9);
    if (!shot)
        return;
    place_at_muzzle(*this, shot);
    set_value(shot, 'C', event_sin(135 * pass) * (2 - 0.1 * pass));
    set_value(shot, 'D', -0.6 * pass);
    set_value(shot, 'H', -60);
    arm_shot(shot, water_drop, 1);
    release_shot(*this, shot);
}

void Frames::loop_water_4() { event_func_337(); }

void Frames::event_func_340() { earth_flyer(*this, 12, 270); }

void Frames::event_func_341() { earth_flyer(*this, -12, 90); }

void Frames::loop_earthflyer_4()
{
    event_func_340();
    event_func_341();
}

// The skid: Yelto's skin chooses the sample by its flag 8.
void Frames::loop_bs_4()
{
    if (!level_group_43 || !level_group_23 || !level_group_41)
        return;
    ObjectList& skin = instances[types::PlayerSkinYelto_102];
    if (select(skin, [](FrameObject* s) { return !get_flag(*s, 8); }))
        media.play_id(28, -1, 1);
    if (select(skin, [](FrameObject* s) { return get_flag(*s, 8); }))
        media.play_id(185, -1, 1);
}

// The pounce always sounds (115); the voice (109) only when rested, and it
// then rests for 600.
void Frames::event_func_342()
{
    if (global_group_6 && pimsa_voice_resting(instances[types::PlayerSkinPimsa_324], false))
        media.play_id(115, -1, 1);
}

void Frames::event_func_343()
{
    ObjectList& skins = instances[types::PlayerSkinPimsa_324];
    if (!global_group_6 || !pimsa_voice_resting(skins, true))
        return;
    media.play_id(109, -1, 1);
    for_each_selected(skins, [](FrameObject* skin) { set_value(skin, 'S', 600); });
    media.play_id(115, -1, 1);
}

void Frames::loop_sound_pounce_4()
{
    event_func_342();
    event_func_343();
}

// Hespin's jump leaves a flat burst under the feet, turned as the body is.
void Frames::event_func_348()
{
    if (!hespin::armed(*this))
        return;
    ObjectList& feet = instances[types::PlayerSensorBottomBig_95];
    select_all(feet);
    auto* burst = static_cast<Active*>(
        create_at_each(*this, feet, instances[types::EffectsWhiteBurst_31], create_effectswhiteburst_31));
    if (!burst)
        return;
    burst->set_angle(instance_or_default(instances[types::PlayerSkinHespin_351]).get_angle(), 0);
    burst->set_y_scale(0.2f);
}

// Landings: the bike's thud (and, at rest, its landed mark T), Hespin's.
void Frames::loop_action_land_4()
{
    if (pimsa_riding(*this))
        media.play_id(122, -1, 1);
    ObjectList& values = instances[types::PlayerMovementValues_80];
    if (pimsa_riding(*this) && select(values, [](FrameObject* v) { return get_value(*v, 'M') == 0; }))
        for_each_selected(values, [](FrameObject* v) { set_value(v, 'T', 1); });
    if (hespin::armed(*this))
        media.play_id(124, -1, 1);
}
