// Act 2's collision pass and its own collision events: spores hurting the
// player once and bursting, the shields throwing spores and fireballs back
// once (the fireball at speed 50), pellets breaking item boxes, bubble
// patches starting, and fireballs going up on the ground only while the
// game runs and the boss arena is open.
#include "game/frames/event_support.h"
#include "game/objects/classes.h"
#include "objects/active.h"
#include "objects/movements.h"
#include "runtime/movement.h"
#include "tests/support/event_kit.h"

#include <gtest/gtest.h>

namespace {

// The groups the pass tests, each stood in for by one type here.
void act_groups(Frames& frames)
{
    frames.level_group_43 = true;
    frames.boss_arena_group = false;
    static ObjectList* solids[] = {&frames.instances[types::GimmickBridgeLog_140], nullptr};
    static ObjectList* platforms[] = {&frames.instances[types::YellowSpringUpLeft_193], nullptr};
    static ObjectList* boxes[] = {&frames.instances[types::MonitorRings_119], nullptr};
    static ObjectList* enemies[] = {&frames.instances[types::EnemyPokkol_138], nullptr};
    frames.qualifier_1.set(1, solids);
    frames.qualifier_2.set(1, platforms);
    frames.qualifier_13.set(1, boxes);
    frames.qualifier_17.set(1, enemies);
}

class Act2CollisionPass : public ::testing::Test {
protected:
    void SetUp() override
    {
        kit.enter_empty_frame({.layers = 2,
                               .width = 2000,
                               .height = 1000,
                               .index = 5,
                               .handler = [](Frames& frames) { frames.test_collisions_5(); },
                               .set_up = act_groups});
        movement = kit.place("PlayerMovementValues_80", -100, -100);
        others = kit.place("PlayerOthers_75", -100, -100);
        meter = kit.place("GUILifeBaseMeter_77", -100, -100);
        kit.take_sounds();
    }

    // An object that stays where it is put.
    FrameObject* still(const char* name, int x, int y)
    {
        FrameObject* object = kit.place(name, x, y);
        object->get_movement()->stop(false);
        return object;
    }

    EventKit kit;
    FrameObject* movement = nullptr;
    FrameObject* others = nullptr;
    FrameObject* meter = nullptr;
};

bool going(const FrameObject* object) { return object->flags & (FrameObject::DESTROYING | FrameObject::FADEOUT); }

// A fireball at x 210 leaves the ground and comes back: it goes up in one
// explosion with sample 41.
void expect_a_new_touch_bursts(EventKit& kit, FrameObject* ball)
{
    ball->set_x(20);
    kit.run(1);
    ball->set_x(210);
    kit.run(1);
    EXPECT_TRUE(going(ball));
    EXPECT_EQ(kit.instances(types::EffectsExplosion02_131).size(), 1u);
    EXPECT_EQ(sample_count(kit.take_sounds(), 41), 1);
}

int animation_of(FrameObject* object) { return static_cast<Active*>(object)->forced_animation; }

}  // namespace

TEST_F(Act2CollisionPass, a_spore_hurts_the_player_once_unless_shielded_invincible_or_hurt)
{
    FrameObject* sensor = kit.place("PlayerCharacterSensor_151", 200, 150);
    // Under the water shield nothing happens, and the spore stays live.
    EventKit::set_value(others, 'B', 4);
    FrameObject* spore = still("EnemySporeProjectile_403", 200, 150);
    kit.run(1);
    EXPECT_EQ(EventKit::value(movement, 'R'), 0);
    EXPECT_FALSE(EventKit::flag(spore, 0));

    // A new touch without the shield: one hurt, five more damage, a burst.
    EventKit::set_value(others, 'B', 0);
    sensor->set_x(20);
    kit.run(1);
    sensor->set_x(200);
    kit.run(1);
    EXPECT_EQ(EventKit::value(movement, 'R'), 1);
    EXPECT_EQ(EventKit::value(meter, 'B'), 5);
    EXPECT_TRUE(EventKit::flag(spore, 0));
    EXPECT_EQ(animation_of(spore), 7);

    // Touching again after the hurt is over does nothing: it has burst.
    EventKit::set_value(movement, 'R', 0);
    sensor->set_x(20);
    kit.run(1);
    sensor->set_x(200);
    kit.run(1);
    EXPECT_EQ(EventKit::value(movement, 'R'), 0);
    EXPECT_EQ(EventKit::value(meter, 'B'), 5);

    // With invincibility time left, a fresh spore does nothing either.
    EventKit::set_value(others, 'E', 30);
    FrameObject* second = still("EnemySporeProjectile_403", 200, 150);
    kit.run(1);
    EXPECT_EQ(EventKit::value(movement, 'R'), 0);
    EXPECT_FALSE(EventKit::flag(second, 0));
}

TEST_F(Act2CollisionPass, the_water_shield_throws_a_spore_back_once)
{
    FrameObject* spore = still("EnemySporeProjectile_403", 300, 150);
    EventKit::set_value(spore, 'C', 2);
    EventKit::set_value(spore, 'D', -3);
    FrameObject* shield = kit.place("ShieldWater_106", 300, 150);
    kit.run(1);
    EXPECT_EQ(EventKit::values(spore, "CD"), doubles(-2, 3));
    EXPECT_TRUE(EventKit::flag(spore, 3));
    EXPECT_EQ(sample_count(kit.take_sounds(), 80), 1);
    EXPECT_EQ(animation_of(shield), 7);
    shield->set_x(20);
    kit.run(1);
    shield->set_x(300);
    kit.run(1);
    EXPECT_EQ(EventKit::values(spore, "CD"), doubles(-2, 3));
    EXPECT_EQ(sample_count(kit.take_sounds(), 80), 0);
}

TEST_F(Act2CollisionPass, a_pellet_breaks_an_item_box_unless_it_is_harmless)
{
    FrameObject* kept_box = still("MonitorRings_119", 100, 200);
    FrameObject* harmless = still("EnemyPellet_261", 100, 200);
    set_flag(harmless, 1, true);
    FrameObject* box = still("MonitorRings_119", 300, 200);
    EventKit::set_value(box, 'C', 3);
    EventKit::set_value(box, 'D', 8);
    FrameObject* pellet = still("EnemyPellet_261", 300, 200);
    kit.run(1);
    EXPECT_TRUE(going(box) && going(pellet));
    EXPECT_FALSE(going(kept_box) || going(harmless));
    ASSERT_EQ(kit.instances(types::MonitorBroken_118).size(), 1u);
    ASSERT_EQ(kit.instances(types::MonitorIcon_125).size(), 1u);
    EXPECT_EQ(kit.instance(types::MonitorBroken_118)->get_x(), 300);
    EXPECT_EQ(kit.instance(types::MonitorBroken_118)->get_direction(), 8);
    EXPECT_EQ(static_cast<Active*>(kit.instance(types::MonitorIcon_125))->forced_frame, 3);
    EXPECT_EQ(kit.instances(types::EffectsExplosion02_131).size(), 1u);
    EXPECT_EQ(sample_count(kit.take_sounds(), 12), 1);
}

TEST_F(Act2CollisionPass, bubble_patches_start_and_fireballs_burst_on_the_ground_in_the_arena_only)
{
    FrameObject* sensor = kit.place("PlayerCharacterSensor_151", 390, 30);
    FrameObject* patch = kit.place("BubblePatch_362", 390, 30);
    kit.run(1);
    EXPECT_EQ(animation_of(patch), 7);
    EXPECT_EQ(sample_count(kit.take_sounds(), 18), 1);
    sensor->set_x(20);
    kit.run(1);
    sensor->set_x(390);
    kit.run(1);
    EXPECT_EQ(sample_count(kit.take_sounds(), 18), 0);  // still bubbling

    kit.frames().add_background_object(create_levelbackdrop02_142(200, 100), 0);
    FrameObject* ball = still("BossFireball_384", 210, 110);
    kit.run(1);
    EXPECT_FALSE(going(ball));
    kit.frames().boss_arena_group = true;
    kit.run(1);  // the touch is not new
    EXPECT_FALSE(going(ball));
    expect_a_new_touch_bursts(kit, ball);

    // A spore on the ground bursts once.
    FrameObject* spore = still("EnemySporeProjectile_403", 210, 110);
    kit.run(1);
    EXPECT_TRUE(EventKit::flag(spore, 0));
    EXPECT_EQ(animation_of(spore), 7);
}

TEST_F(Act2CollisionPass, a_fireball_on_the_ground_while_the_game_is_paused_is_kept_until_a_new_touch)
{
    kit.frames().boss_arena_group = true;
    kit.frames().level_group_43 = false;  // paused
    kit.frames().add_background_object(create_levelbackdrop02_142(200, 100), 0);
    FrameObject* ball = still("BossFireball_384", 210, 110);
    kit.run(1);
    ASSERT_FALSE(going(ball));  // a ball gone is released: stop here
    EXPECT_TRUE(kit.instances(types::EffectsExplosion02_131).empty());
    EXPECT_EQ(sample_count(kit.take_sounds(), 41), 0);

    kit.frames().level_group_43 = true;
    kit.run(1);  // the touch is not new
    EXPECT_FALSE(going(ball));
    expect_a_new_touch_bursts(kit, ball);
}

TEST_F(Act2CollisionPass, the_flame_shield_throws_a_boss_fireball_back_at_speed_50_once_while_the_boss_fights)
{
    Frames& f = kit.frames();
    FrameObject* ball = still("BossFireball_384", 300, 150);
    ball->set_direction(8, true);
    static_cast<BallMovement*>(ball->get_movement())->deceleration = 12;
    FrameObject* shield = kit.place("ShieldFlameFront_104", 300, 150);
    const auto touch_again = [&] {
        shield->set_x(20);
        kit.run(1);
        shield->set_x(300);
        kit.run(1);
    };
    // Outside the boss fight's first part, and with the shield hidden,
    // the ball passes.
    f.boss_arena_group = f.boss_fight_group = true;
    f.boss_fight_sub_group_1 = false;
    kit.run(1);
    f.boss_fight_sub_group_1 = true;
    shield->set_visible(false);
    touch_again();
    EXPECT_FALSE(EventKit::flag(ball, 3));
    EXPECT_EQ(ball->get_direction(), 8);
    EXPECT_EQ(sample_count(kit.take_sounds(), 80), 0);

    shield->set_visible(true);
    touch_again();
    EXPECT_TRUE(EventKit::flag(ball, 3));
    EXPECT_EQ(ball->get_movement()->get_speed(), 50);
    EXPECT_EQ(static_cast<BallMovement*>(ball->get_movement())->deceleration, 0);
    EXPECT_EQ(ball->get_direction(), 24);
    EXPECT_EQ(sample_count(kit.take_sounds(), 80), 1);
    EXPECT_EQ(animation_of(shield), 7);
    // Back the way it came at 6.25 pixels a tick, no slower.
    const int y = ball->get_y();
    kit.run(8);
    EXPECT_EQ(ball->get_y(), y + 50);
    EXPECT_EQ(ball->get_movement()->get_speed(), 50);

    // Once: a new touch leaves it as it is.
    ball->get_movement()->stop(false);
    ball->set_y(150);
    ball->set_direction(8, true);
    touch_again();
    EXPECT_EQ(ball->get_direction(), 8);
    EXPECT_EQ(sample_count(kit.take_sounds(), 80), 0);
}
