// Act 1's collision pass: each contact fires its event once when it begins,
// object pairs and background contacts alike, and the events do what the
// contact means (hurt requests, bursts, knocked rocks, landed crystals).
#include "game/objects/classes.h"
#include "objects/active.h"
#include "tests/support/event_kit.h"

#include <gtest/gtest.h>

namespace {

// The act's groups for the pass, and the object groups it tests: solids,
// platforms, item boxes and enemies each stand in as one type here.
void act_groups(Frames& frames)
{
    frames.level_group_43 = true;
    frames.level_group_23 = true;
    frames.level_group_59 = true;
    static ObjectList* solids[] = {&frames.instances[types::GimmickBridgeLog_140], nullptr};
    static ObjectList* platforms[] = {&frames.instances[types::YellowSpringUpLeft_193], nullptr};
    static ObjectList* boxes[] = {&frames.instances[types::MonitorCrystals_120], nullptr};
    static ObjectList* enemies[] = {&frames.instances[types::EnemyPokkol_138], nullptr};
    frames.qualifier_1.set(1, solids);
    frames.qualifier_2.set(1, platforms);
    frames.qualifier_13.set(1, boxes);
    frames.qualifier_17.set(1, enemies);
}

// A frame whose handler is the pass alone, with the player's value objects.
class CollisionPass : public ::testing::Test {
protected:
    void SetUp() override
    {
        kit.enter_empty_frame({.layers = 2,
                               .width = 2000,
                               .height = 1000,
                               .handler = [](Frames& frames) { frames.test_collisions_4(); },
                               .set_up = act_groups});
        movement = kit.place("PlayerMovementValues_80", -100, -100);
        others = kit.place("PlayerOthers_75", -100, -100);
        meter = kit.place("GUILifeBaseMeter_77", -100, -100);
        kit.take_sounds();
    }

    FrameObject* icon_at(int x, int y)
    {
        FrameObject* icon = kit.place("MonitorIcon_125", x, y);
        static_cast<Active*>(icon)->force_frame(9);
        return icon;
    }

    EventKit kit;
    FrameObject* movement = nullptr;
    FrameObject* others = nullptr;
    FrameObject* meter = nullptr;
};

size_t count_of(EventKit& kit, int type) { return kit.instances(type).size(); }

}  // namespace

TEST_F(CollisionPass, a_lasting_contact_fires_once_and_touching_again_after_a_gap_fires_again)
{
    FrameObject* player = kit.place("Player_87", 150, 120);
    FrameObject* icon = icon_at(150, 120);
    kit.run(1);
    EXPECT_EQ(EventKit::value(meter, 'B'), 20);
    EXPECT_EQ(EventKit::value(movement, 'R'), 1);

    kit.run(10);  // still touching
    EXPECT_EQ(EventKit::value(meter, 'B'), 20);

    icon->set_x(350);
    kit.run(1);  // apart for one tick
    EXPECT_EQ(EventKit::value(meter, 'B'), 20);
    icon->set_x(player->get_x());
    kit.run(1);
    EXPECT_EQ(EventKit::value(meter, 'B'), 40);
    kit.run(3);
    EXPECT_EQ(EventKit::value(meter, 'B'), 40);
}

TEST_F(CollisionPass, a_contact_that_begins_while_paused_never_fires_even_when_it_lasts_into_play)
{
    kit.frames().level_group_43 = false;
    kit.place("Player_87", 150, 120);
    FrameObject* icon = icon_at(150, 120);
    kit.run(3);
    kit.frames().level_group_43 = true;
    kit.run(3);
    EXPECT_EQ(EventKit::value(meter, 'B'), 0);

    icon->set_x(350);
    kit.run(1);
    icon->set_x(150);
    kit.run(1);
    EXPECT_EQ(EventKit::value(meter, 'B'), 20);
}

TEST_F(CollisionPass, a_hurting_icon_needs_its_ninth_frame_and_a_player_that_can_be_hurt)
{
    kit.place("Player_87", 150, 120);
    FrameObject* icon = kit.place("MonitorIcon_125", 150, 120);
    static_cast<Active*>(icon)->force_frame(8);
    EventKit::set_value(others, 'D', 1);
    kit.run(2);
    EXPECT_EQ(EventKit::value(meter, 'B'), 0);
    EXPECT_EQ(EventKit::value(movement, 'R'), 0);
}

TEST_F(CollisionPass, a_pellet_that_hits_the_player_hurts_once_and_bursts)
{
    kit.place("PlayerCharacterSensor_151", 150, 120);
    kit.place("EnemyPellet_261", 150, 120);
    kit.run(1);
    EXPECT_EQ(EventKit::value(movement, 'R'), 1);
    EXPECT_EQ(EventKit::value(meter, 'B'), 10);
    EXPECT_EQ(count_of(kit, types::EffectsExplosion02_131), 1u);
    ASSERT_EQ(kit.take_sounds().size(), 1u);

    // A second pellet while a hurt request stands passes through.
    kit.place("EnemyPellet_261", 150, 120);
    kit.run(2);
    EXPECT_EQ(EventKit::value(meter, 'B'), 10);
    EXPECT_EQ(count_of(kit, types::EffectsExplosion02_131), 1u);
    EXPECT_TRUE(kit.take_sounds().empty());
}

TEST_F(CollisionPass, a_pellet_bursts_on_a_solid_unless_its_flag_1_is_on)
{
    kit.place("GimmickBridgeLog_140", 150, 120);
    FrameObject* passing = kit.place("EnemyPellet_261", 150, 120);
    passing->alterables->flags |= 2;
    kit.run(1);
    EXPECT_EQ(count_of(kit, types::EffectsExplosion02_131), 0u);

    kit.place("EnemyPellet_261", 150, 120);
    kit.run(1);
    EXPECT_EQ(count_of(kit, types::EffectsExplosion02_131), 1u);
    const std::vector<SoundStart> sounds = kit.take_sounds();
    ASSERT_EQ(sounds.size(), 1u);
    EXPECT_EQ(sounds[0].id, 15u);
}

TEST_F(CollisionPass, a_crystal_landing_on_a_platform_and_a_solid_at_once_fires_both_tests)
{
    kit.place("YellowSpringUpLeft_193", 150, 120);
    kit.place("GimmickBridgeLog_140", 150, 120);
    FrameObject* crystal = kit.place("ObjectCrystal_239", 150, 120);
    crystal->alterables->flags |= 1;
    kit.run(1);
    EXPECT_FALSE(EventKit::flag(crystal, 0));
    EXPECT_EQ(EventKit::values(crystal, "GH"), doubles(8, 0.5));
    // The platform test owns the crystal's bit 0, the solid test its bit 1.
    EXPECT_EQ(crystal->collision_events & 3u, 3u);
}

TEST_F(CollisionPass, item_boxes_that_start_touching_fire_once_with_the_newer_box_opened)
{
    kit.place("PlayerSkinDorrik_339", -200, -200);
    FrameObject* first = kit.place("MonitorCrystals_120", 150, 120);
    FrameObject* second = kit.place("MonitorCrystals_120", 150, 120);
    kit.run(1);
    EXPECT_EQ(EventKit::value(second, 'I'), 1);
    EXPECT_TRUE(EventKit::flag(second, 6));
    EXPECT_EQ(EventKit::value(first, 'I'), 0);
    EXPECT_EQ(kit.frames().fast_loop_itm.index, 2);  // both passes of the icon loop ran
    // The opened box leaves its icon and goes; the contact does not fire
    // again for the box that stays.
    EXPECT_TRUE(second->flags & FrameObject::DESTROYING);
    EXPECT_EQ(count_of(kit, types::MonitorIcon_125), 1u);
    kit.run(3);
    EXPECT_EQ(EventKit::value(first, 'I'), 0);
    EXPECT_FALSE(EventKit::flag(first, 6));
    EXPECT_EQ(count_of(kit, types::MonitorIcon_125), 1u);
}

TEST_F(CollisionPass, a_fast_roll_into_a_breakable_rock_knocks_it_loose_the_way_the_player_rolls)
{
    kit.place("PlayerSensorRightBig_91", 150, 120);
    FrameObject* rock = kit.place("BreakableRock_282", 150, 120);
    EventKit::set_value(movement, 'A', 3);
    EventKit::set_value(movement, 'B', 4);  // too slow
    kit.run(1);
    EXPECT_FALSE(EventKit::flag(rock, 6));
    EXPECT_EQ(EventKit::value(others, 'K'), 0);

    FrameObject* left_rock = kit.place("BreakableRock_282", 250, 120);
    kit.place("PlayerSensorLeftBig_89", 250, 120);
    EventKit::set_value(movement, 'B', -6);
    EventKit::set_value(movement, 'Q', -1);
    EventKit::set_value(movement, 'G', 3);
    kit.run(1);
    EXPECT_TRUE(EventKit::flag(left_rock, 6));
    EXPECT_EQ(EventKit::values(left_rock, "XY"), doubles(-9, 1.5));
    EXPECT_EQ(EventKit::value(others, 'K'), 5);

    FrameObject* right_rock = kit.place("BreakableRock_282", 350, 120);
    kit.place("PlayerSensorRightBig_91", 350, 120);
    EventKit::set_value(movement, 'B', 8);
    EventKit::set_value(movement, 'Q', 1);
    kit.run(1);
    EXPECT_EQ(EventKit::value(right_rock, 'X'), 10);  // 12, held to 10
}

TEST_F(CollisionPass, a_layer_switch_hands_a_half_corkscrew_to_the_next_layer_and_goes)
{
    FrameObject* right_switch = kit.place("LayerChangeSwitch_114", 150, 120);
    FrameObject* right = kit.place("HalfCorkscrewRight_246", 150, 120);
    FrameObject* left_switch = kit.place("LayerChangeSwitch_114", 300, 120);
    FrameObject* left = kit.place("HalfCorkscrewLeft_245", 300, 120);
    kit.run(1);
    EXPECT_EQ(EventKit::value(right, 'B'), 80 + 256);
    EXPECT_EQ(EventKit::value(left, 'B'), 80 + 256);
    EXPECT_TRUE(right_switch->flags & FrameObject::DESTROYING);
    EXPECT_TRUE(left_switch->flags & FrameObject::DESTROYING);
}

TEST_F(CollisionPass, an_enemy_holding_a_crystal_starts_the_collect_loop_only_while_the_crystal_is_well_on_screen)
{
    FastLoop& loop = kit.frames().fast_loop_collect_item;
    loop = FastLoop{false, -1};
    FrameObject* busy = kit.place("EnemyPokkol_138", 100, 120);
    busy->alterables->flags |= 1 << 6;
    kit.place("ObjectCrystal_239", 100, 120);
    kit.place("EnemyPokkol_138", -45, 120);  // the crystal reaches past 50 pixels off the left edge
    FrameObject* edge_crystal = kit.place("ObjectCrystal_239", -45, 120);
    kit.run(1);
    EXPECT_TRUE(edge_crystal->collision_events & 4u);  // the contact began
    EXPECT_EQ(loop.index, -1);

    // In play the player's sensor marks each pass that took something: the
    // free enemies take the three crystals that touch any enemy (the busy
    // one's and the one at the edge too, now that a loop runs), one a pass,
    // each pass counting for every free enemy, and the fourth pass stops the
    // loop, far below the pass limit.
    kit.place("PlayerCharacterSensor_151", -100, -100);
    FrameObject* taker = kit.place("EnemyPokkol_138", 250, 120);
    FrameObject* crystal = kit.place("ObjectCrystal_239", 250, 120);
    kit.take_console();
    kit.run(1);
    EXPECT_EQ(loop.index, 3);
    EXPECT_FALSE(loop.running);
    EXPECT_EQ(EventKit::value(crystal, 'F'), 1);
    EXPECT_EQ(EventKit::value(edge_crystal, 'F'), 1);
    EXPECT_EQ(EventKit::value(taker, 'S'), 3);
    EXPECT_TRUE(kit.take_console().empty());
}

// Background contacts: a backdrop on the act's layer.
class BackgroundContacts : public CollisionPass {
protected:
    void SetUp() override
    {
        CollisionPass::SetUp();
        kit.frames().add_background_object(create_levelbackdrop02_142(128, 96), 0);
    }
};

TEST_F(BackgroundContacts, a_reflect_bursts_once_per_new_contact)
{
    FrameObject* reflect = kit.place("PlayerReflect_343", 140, 110);
    EventKit::set_value(reflect, 'A', 2);
    kit.run(1);
    EXPECT_EQ(EventKit::value(reflect, 'A'), 3);
    EXPECT_EQ(count_of(kit, types::EffectsWhiteBurst_31), 1u);

    EventKit::set_value(reflect, 'A', 2);
    kit.run(3);  // still touching
    EXPECT_EQ(EventKit::value(reflect, 'A'), 2);

    reflect->set_x(360);
    kit.run(1);
    reflect->set_x(140);
    kit.run(1);
    EXPECT_EQ(EventKit::value(reflect, 'A'), 3);
    EXPECT_EQ(count_of(kit, types::EffectsWhiteBurst_31), 2u);
}

TEST_F(BackgroundContacts, projectiles_debris_and_falling_crystals_each_meet_the_ground_their_own_way)
{
    // A charged projectile only marks itself, a spent one sparks out.
    FrameObject* charged = kit.place("PlayerProjectile_336", 140, 110);
    EventKit::set_value(charged, 'G', 1);
    FrameObject* spent = kit.place("PlayerProjectile_336", 170, 110);
    // Debris settles into dust only once its value A is past 3.
    FrameObject* fresh = kit.place("EffectsDebris_266", 140, 110);
    EventKit::set_value(fresh, 'A', 3);
    FrameObject* old = kit.place("EffectsDebris_266", 170, 110);
    EventKit::set_value(old, 'A', 4);
    // A falling crystal lands.
    FrameObject* crystal = kit.place("ObjectCrystal_239", 140, 110);
    crystal->alterables->flags |= 1;
    kit.run(1);
    EXPECT_TRUE(EventKit::flag(charged, 6));
    EXPECT_FALSE(charged->flags & FrameObject::DESTROYING);
    EXPECT_TRUE(spent->flags & FrameObject::DESTROYING);
    EXPECT_EQ(count_of(kit, types::ThunderSpark_192), 1u);
    EXPECT_EQ(sample_count(kit.take_sounds(), 27), 1);
    EXPECT_FALSE(fresh->flags & FrameObject::DESTROYING);
    EXPECT_TRUE(old->flags & FrameObject::DESTROYING);
    EXPECT_EQ(count_of(kit, types::EffectsDust_310), 1u);
    EXPECT_FALSE(EventKit::flag(crystal, 0));
    EXPECT_EQ(EventKit::value(crystal, 'G'), 8);
}
