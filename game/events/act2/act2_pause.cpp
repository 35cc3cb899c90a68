// Act 2's pause and resume: the pause press freezes the level (its events,
// the playing sounds, and the animations and movements of the act's moving
// things) behind the pause panel; resuming, by the pause press again or by
// confirming the first entry, thaws each of them.
#include "audio/media.h"
#include "game/frames/event_support.h"
#include "game/frames/frames.h"
#include "game/objects/class_lookup.h"
#include "objects/active.h"
#include "runtime/movement.h"

#include <initializer_list>
#include <vector>

namespace {

enum Treatment { animation = 1, movement = 2, both = animation | movement };

// A type of a freeze step: every instance, or only the newest (the act's
// single instances).
struct Member {
    Member(int type, bool newest_only = false) : type(type), newest_only(newest_only) {}
    int type;
    bool newest_only;
};

// One step of the freeze: its types, or its object groups' members.
struct FreezeStep {
    std::vector<Member> types;
    int treatment;
    std::vector<QualifierList Frames::*> groups = {};
};

constexpr unsigned pause_sample = 53;

bool animates(int type_id)
{
    const std::vector<const ClassInfo*> classes = classes_of_type(type_id);
    return !classes.empty() && classes.front()->kind == ObjectKind::Active;
}

void treat(FrameObject* object, bool animated, int treatment, bool frozen)
{
    if ((treatment & animation) && animated) {
        Active* active = static_cast<Active*>(object);
        if (frozen)
            active->stop_animation();
        else
            active->start_animation();
    }
    if (treatment & movement) {
        Movement* move = object->get_movement();
        if (frozen)
            move->stop(false);
        else
            move->start();
    }
}

void treat_list(Frames& f, int type_id, int treatment, bool newest_only, bool frozen)
{
    ObjectList& list = f.instances[type_id];
    const bool animated = animates(type_id);
    if (newest_only) {
        if (FrameObject* object = instance_of(list))
            treat(object, animated, treatment, frozen);
        return;
    }
    for_each_instance(list, [&](FrameObject* object) { treat(object, animated, treatment, frozen); });
}

void run_step(Frames& f, const FreezeStep& step, bool frozen)
{
    for (const Member& member : step.types)
        treat_list(f, member.type, step.treatment, member.newest_only, frozen);
    for (QualifierList Frames::*group : step.groups) {
        const QualifierList& members = f.*group;
        for (int k = 0; k < members.count; ++k)
            treat_list(f, int(members.lists[k] - f.instances.lists), step.treatment, false, frozen);
    }
}

void run_steps(Frames& f, std::initializer_list<const FreezeStep*> steps, bool frozen)
{
    for (const FreezeStep* step : steps)
        run_step(f, *step, frozen);
}

using namespace types;

const FreezeStep enemies{{}, animation, {&Frames::qualifier_17}};
const FreezeStep yelto{{{PlayerSkinYelto_102, true}, {PlayerSkinYeltoHair_209, true}}, animation};
const FreezeStep orrun_and_shields_paused{
    {PlayerSkinOrrun_290, ShieldInstaShield_187, ShieldWood_103, ShieldEarth_315, ShieldFlameFront_104,
     ShieldFlameBack_152, ShieldMagnetic_105, ShieldWater_106, ObjectPetal_117, ObjectKeystone_278, ObjectCodec_279},
    animation};
const FreezeStep orrun_and_shields_resumed{
    {PlayerSkinOrrun_290, ShieldInstaShield_187, ShieldWood_103, ShieldFlameFront_104, ShieldFlameBack_152,
     ShieldMagnetic_105, ShieldWater_106, ShieldEarth_315, ObjectPetal_117, ObjectKeystone_278, ObjectCodec_279},
    animation};
const FreezeStep petals{{ObjectPetal_117}, movement};
const FreezeStep crystals_and_pellets{{ObjectCrystal_239, EnemyPellet_261}, both};
const FreezeStep effects{{EffectsExplosion01_130, EffectsExplosion02_131, EffectsExplosion06_291, EffectsDust_310,
                          EffectShade_309, ThunderSpark_192, EffectsWaterSplash_157, Sparkle1_178, Sparkle2_180,
                          Sparkle3_181, Sparkle4_182, Sparkle5_183, RingSparkle_179},
                         animation};
const FreezeStep debris_and_spores{{EffectsDebris_266, EnemySporeProjectile_403}, both};
const FreezeStep fireballs{{BossFireball_384}, both};
const FreezeStep boss_head{{BossVashkelHead_273, BossSnakeHitbox_383}, animation};
const FreezeStep snake_body{{BossSnakeBody_370}, both};
const FreezeStep snake_body_animation{{BossSnakeBody_370}, animation};
const FreezeStep snake_body_movement{{BossSnakeBody_370}, movement};
const FreezeStep shield_effect{{EffectsShield_313}, movement};
const FreezeStep spring_beams{{EffectsSpringBeam_319}, animation};
const FreezeStep solids{{}, animation, {&Frames::qualifier_1, &Frames::qualifier_2, &Frames::qualifier_3}};
const FreezeStep dust{{EffectsDust01_132}, both};
const FreezeStep other_skins{{PlayerSkinPimsa_324, PlayerSkinPimsaTail_323, PlayerSkinPimsaBike_338,
                              PlayerSkinDorrik_339, PlayerSkinDorrikTail_342, PlayerSkinHespin_351,
                              PlayerSkinHespinArm_350},
                             animation};
const FreezeStep crystal_bits{{EffectsCrystalBit_177}, both};
const FreezeStep shots{{{PlayerProjectile_336}, {PlayerReflect_343, true}, {ObjectJumppad_325}, {GeneralWater_156}},
                       animation};
const FreezeStep codec_ids{{ObjectCodecID_280}, movement};
const FreezeStep extra_lives{{ObjectExtraLife_289}, both};
const FreezeStep hud_and_water{{{MonitorBroken_118}, {EffectsHeart_314}, {EffectsWhiteBurst_31}, {GUIEnergy_76, true},
                                {BubblePatch_362, true}, {MediumBubble_363}, {BubbleNumbers_185},
                                {GeneralWaterHorizon_155}},
                               animation};

bool pause_pressed(Frames& f) { return get_value(f.instances[InputsP1_23], 'P') == 1; }

double panel_state(Frames& f) { return get_value(f.instances[GUIPause_109], 'A'); }

void show(ObjectList& list, bool shown)
{
    if (FrameObject* object = instance_of(list))
        object->set_visible(shown);
}

}  // namespace

void Frames::event_func_2484()
{
    if (!level_group_25 || !pause_pressed(*this) || panel_state(*this) != 0)
        return;
    if (!instance_holds(instances[Player_87], [](const FrameObject& p) { return !get_flag(p, 8) && !get_flag(p, 9); }))
        return;
    ObjectList& panel = instances[GUIPause_109];
    show(panel, true);
    media.pause_samples();
    deactivate_group(level_group_43);
    set_value(panel, 'A', 5);
    run_steps(*this, {&enemies, &yelto, &orrun_and_shields_paused, &petals, &crystals_and_pellets, &effects,
                      &debris_and_spores},
              true);
    // Heard while everything else is held.
    media.play_id(pause_sample, -1, 1);
    run_steps(*this, {&fireballs, &boss_head, &snake_body, &shield_effect, &spring_beams, &solids}, true);
    show(instances[Crystal_321], true);
    run_steps(*this, {&dust, &other_skins, &crystal_bits, &shots, &codec_ids, &extra_lives, &hud_and_water}, true);
}

void Frames::event_func_2485()
{
    if (!level_group_25)
        return;
    ObjectList& panel = instances[GUIPause_109];
    const bool confirmed = get_value(instances[InputsP1_23], 'M') == 1 &&
                           get_value(instances[Crystal_321], 'A') == 0;
    if (panel_state(*this) != 3 || !(pause_pressed(*this) || confirmed))
        return;
    show(panel, false);
    media.resume_samples();
    set_value(panel, 'A', 2);
    activate_group(level_group_43);
    run_steps(*this, {&enemies, &yelto, &orrun_and_shields_resumed, &petals, &crystals_and_pellets, &effects,
                      &debris_and_spores, &fireballs, &snake_body_animation, &boss_head, &snake_body_movement,
                      &shield_effect, &spring_beams, &solids},
              false);
    show(instances[Crystal_321], false);
    run_steps(*this, {&dust, &other_skins, &crystal_bits, &shots, &codec_ids, &extra_lives, &hud_and_water}, false);
}
