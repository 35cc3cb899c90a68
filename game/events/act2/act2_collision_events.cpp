// The act 2 frame's collision pass and the collision events only act 2
// has: bubble patches, spores and their bursts, the shields throwing spores
// and the boss's fireballs back, and pellets breaking item boxes. Pairs
// arrive in the frame's pair fields (col_instance_1 is side A,
// col_instance_2 side B); the background tests put the instance in side A.
#include "audio/media.h"
#include "game/events/act_tick.h"
#include "game/frames/event_support.h"
#include "game/frames/frames.h"
#include "game/objects/classes.h"
#include "objects/active.h"
#include "runtime/movement.h"

namespace {

using act_tick::bit;
using act_tick::callback;
using act_tick::test_background;

constexpr int burst_animation = 7;

void play_sample(unsigned id) { media.play_id(id, -1, 1); }

Active& active(FrameObject* object) { return *static_cast<Active*>(object); }

bool visible(const FrameObject& object) { return object.flags & FrameObject::VISIBLE; }

// A spore bursts once: flagged, its burst animation, its next movement.
void burst_spore(FrameObject* spore)
{
    set_flag(spore, 0, true);
    active(spore).force_animation(burst_animation);
    spore->advance_movement(1);
}

void burst_spore_once(Frames& f, FrameObject* spore)
{
    if (f.level_group_43 && !get_flag(*spore, 0))
        burst_spore(spore);
}

// The shield's flash as it throws a shot back; its animation runs on from
// the forced frame.
void flash_shield(FrameObject* shield)
{
    Active& a = active(shield);
    a.force_animation(0);
    a.force_animation(7);
    a.force_frame(2);
    a.restore_frame();
}

// An effect at the instance's place, on its layer.
FrameObject* create_at(Frames& f, ObjectList& list, FrameObject* at, FrameObject* made)
{
    return create_instance(f, list, made, layer_index(*at));
}

}  // namespace

// Every test owns a bit on each side, distinct among the tests a type takes
// part in, so each contact begins once per test.
void Frames::test_collisions_5()
{
    ObjectList& sensor = instances[types::PlayerCharacterSensor_151];
    ObjectList& crystal = instances[types::ObjectCrystal_239];
    ObjectList& debris = instances[types::EffectsDebris_266];
    ObjectList& pellet = instances[types::EnemyPellet_261];
    ObjectList& spore = instances[types::EnemySporeProjectile_403];
    ObjectList& fireball = instances[types::BossFireball_384];
    ObjectList& projectile = instances[types::PlayerProjectile_336];
    ObjectList& reflect = instances[types::PlayerReflect_343];
    ObjectList& rock = instances[types::BreakableRock_282];
    ObjectList& layer_switch = instances[types::LayerChangeSwitch_114];
    QualifierList& solid = qualifier_1;
    QualifierList& platform = qualifier_2;
    QualifierList& item_box = qualifier_13;
    QualifierList& enemy = qualifier_17;

    test_collisions(sensor, instances[types::BubblePatch_362], bit(0), bit(0), callback(&Frames::col_0_5));
    test_collisions(item_box, item_box, bit(31), bit(31), callback(&Frames::col_2_4));
    test_collisions(solid, reflect, bit(30), bit(0), callback(&Frames::col_3_4));
    test_collisions(layer_switch, instances[types::HalfCorkscrewLeft_245], bit(0), bit(0), callback(&Frames::col_5_4));
    test_collisions(enemy, projectile, bit(31), bit(0), callback(&Frames::col_7_4));
    test_collisions(sensor, spore, bit(1), bit(0), callback(&Frames::event_func_2243));
    test_collisions(solid, crystal, bit(29), bit(0), callback(&Frames::col_4_4));
    test_collisions(solid, pellet, bit(28), bit(0), callback(&Frames::col_15_4));
    test_collisions(layer_switch, instances[types::HalfCorkscrewRight_246], bit(1), bit(0), callback(&Frames::col_1_4));
    test_collisions(instances[types::ShieldWater_106], spore, bit(0), bit(1), callback(&Frames::event_func_2244));
    test_collisions(platform, crystal, bit(31), bit(1), callback(&Frames::col_4_4));
    test_collisions(item_box, pellet, bit(27), bit(1), callback(&Frames::event_func_2245));
    test_collisions(platform, debris, bit(27), bit(0), callback(&Frames::col_6_4));
    test_collisions(enemy, crystal, bit(30), bit(2), callback(&Frames::col_10_4));
    test_collisions(solid, debris, bit(26), bit(1), callback(&Frames::col_6_4));
    test_collisions(instances[types::ShieldFlameFront_104], fireball, bit(0), bit(0),
                    callback(&Frames::event_func_2246));
    test_collisions(sensor, pellet, bit(2), bit(2), callback(&Frames::col_14_4));
    test_collisions(solid, projectile, bit(25), bit(1), callback(&Frames::col_9_4));
    test_collisions(instances[types::Player_87], instances[types::MonitorIcon_125], bit(0), bit(0),
                    callback(&Frames::col_13_4));
    test_collisions(platform, reflect, bit(24), bit(1), callback(&Frames::col_3_4));
    test_collisions(instances[types::PlayerSensorRightBig_91], rock, bit(0), bit(0), callback(&Frames::col_0_4));
    test_collisions(solid, spore, bit(23), bit(2), callback(&Frames::col_21_5));
    test_collisions(instances[types::PlayerSensorLeftBig_89], rock, bit(0), bit(1), callback(&Frames::col_11_4));

    test_background(*this, reflect, &Frames::col_21_4);
    test_background(*this, projectile, &Frames::col_17_4);
    test_background(*this, crystal, &Frames::col_19_4);
    test_background(*this, pellet, &Frames::col_20_4);
    // 2248: a spore bursts on the ground.
    test_background(*this, spore, [](Frames& f) { burst_spore_once(f, f.col_instance_1); });
    test_background(*this, debris, &Frames::col_18_4);
    // 2249: a boss fireball goes up in smoke on the ground.
    test_background(*this, fireball, [](Frames& f) {
        if (!f.level_group_43 || !f.boss_arena_group)
            return;
        FrameObject* ball = f.col_instance_1;
        ball->destroy();
        create_at(f, f.instances[types::EffectsExplosion02_131], ball,
                  create_effectsexplosion02_131(ball->get_x(), ball->get_y()));
        play_sample(41);
    });
}

// A bubble patch the player touches starts to give off bubbles.
void Frames::col_0_5()
{
    if (!level_group_43)
        return;
    Active& patch = active(col_instance_2);
    if (patch.test_animation(7) || patch.test_animation(8))
        return;
    patch.force_animation(7);
    play_sample(18);
    patch.move_front();
}

// A spore hurts the player, unless the player is hurt already, invincible
// for a while or under the water shield.
void Frames::event_func_2243()
{
    if (!level_group_43)
        return;
    FrameObject* spore = col_instance_2;
    ObjectList& movement = instances[types::PlayerMovementValues_80];
    ObjectList& others = instances[types::PlayerOthers_75];
    if (get_flag(*spore, 0) || !instance_holds(movement, [](const FrameObject& m) { return get_value(m, 'R') == 0; }))
        return;
    if (!instance_holds(others, [](const FrameObject& o) { return get_value(o, 'E') <= 0 && get_value(o, 'B') != 4; }))
        return;
    set_value(movement, 'R', 1);
    add_value(instances[types::GUILifeBaseMeter_77], 'B', 5);
    burst_spore(spore);
}

// The water shield throws a spore back, once.
void Frames::event_func_2244()
{
    FrameObject* shield = col_instance_1;
    FrameObject* spore = col_instance_2;
    if (!level_group_43 || !visible(*shield) || get_flag(*spore, 3))
        return;
    play_sample(80);
    flash_shield(shield);
    set_value(spore, 'C', -get_value(*spore, 'C'));
    set_value(spore, 'D', -get_value(*spore, 'D'));
    set_flag(spore, 3, true);
}

// A pellet breaks an item box open: the broken box and its icon in its
// place, the blast where the pellet was.
void Frames::event_func_2245()
{
    FrameObject* box = col_instance_1;
    FrameObject* pellet = col_instance_2;
    if (!level_group_43 || get_flag(*pellet, 1))
        return;
    FrameObject* broken = create_at(*this, instances[types::MonitorBroken_118], box,
                                    create_monitorbroken_118(box->get_x(), box->get_y()));
    FrameObject* icon = create_at(*this, instances[types::MonitorIcon_125], box,
                                  create_monitoricon_125(box->get_x(), box->get_y()));
    set_flag(box, 0, false);
    box->destroy();
    if (icon)
        active(icon).force_frame(to_int(get_value(*box, 'C')));
    play_sample(12);
    if (broken) {
        broken->set_direction(to_int(get_value(*box, 'D')), true);
        broken->move_back();
    }
    create_at(*this, instances[types::EffectsExplosion02_131], pellet,
              create_effectsexplosion02_131(pellet->get_x(), pellet->get_y()));
    pellet->destroy();
}

// The flame shield throws a boss fireball back the way it came, once, while
// the boss fights.
void Frames::event_func_2246()
{
    if (!level_group_43 || !boss_arena_group || !boss_fight_group || !boss_fight_sub_group_1)
        return;
    FrameObject* shield = col_instance_1;
    FrameObject* ball = col_instance_2;
    if (!visible(*shield) || get_flag(*ball, 3))
        return;
    set_flag(ball, 3, true);
    ball->get_movement()->set_speed(50);
    play_sample(80);
    ball->get_movement()->set_deceleration(0);
    ball->set_direction((ball->get_direction() + 16) % 32, true);
    flash_shield(shield);
}

// A spore bursts on a solid.
void Frames::col_21_5() { burst_spore_once(*this, col_instance_2); }
