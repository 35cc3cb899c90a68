// Looking up and crouching (modes 2 and 3): the poses, their ends, the
// jump from them, Yelto's insta-shield, Pimsa getting off the bike and
// Hespin's dash.
#include "tests/game/events/player_actions/action_group_stage.h"

#include <gtest/gtest.h>

using namespace action_group_test;

using PoseGroups = ActionGroupTest;

TEST_F(PoseGroups, looking_up_holds_the_camera_shift_until_up_is_let_go_and_jump_takes_off_from_it)
{
    in_mode(2, true);
    controls({'A'});
    kit.run(2);
    EXPECT_EQ(get('M'), 2);
    EXPECT_EQ(state(), 4);
    EXPECT_EQ(EventKit::value(object(types::MasterCamera_190), 'P'), 30);
    controls({});
    kit.run(1);
    EXPECT_EQ(get('M'), 0);

    in_mode(2, true);
    set('N', 0);
    controls({'A', 'K'});
    kit.run(1);
    EXPECT_EQ(EventKit::values(player(), "GBLMN"), doubles(-6.5, 0, 0, 1, 0));
    EXPECT_EQ(EventKit::value(object(types::PlayerActionValuesA_86), 'C'), 1);
    EXPECT_EQ(EventKit::value(object(types::PlayerOthers_75), 'P'), 10);
    EXPECT_EQ(samples(8), 1);  // Yelto's jump voice
    kit.run(1);
    EXPECT_TRUE(kit.frames().level_group_42);
}

TEST_F(PoseGroups, the_insta_shield_runs_inside_the_crouch_and_spawns_its_effect_once_behind_the_skin)
{
    in_mode(3, true);
    set('B', 2);
    controls({'B'});
    kit.run(1);
    EXPECT_EQ(state(), 5);
    EXPECT_EQ(get('B'), 0);
    EXPECT_EQ(EventKit::value(object(types::MasterCamera_190), 'P'), 120);

    controls({'B', 'L'});
    kit.run(1);
    EXPECT_EQ(state(), 23);
    EXPECT_EQ(yelto()->forced_animation, 0);
    EXPECT_EQ(static_cast<Active*>(object(types::PlayerSkinYeltoHair_209))->forced_animation, 0);
    // The skins' state table would show the attack; down may be let go.
    yelto()->force_animation(30);
    controls({});
    int ticks = 0, spawn_tick = 0;
    while (state() == 23 && ticks < 60) {
        kit.run(1);
        ++ticks;
        EXPECT_EQ(get('M'), state() == 23 ? 3 : 0);
        if (spawn_tick || kit.instances(types::ShieldInstaShield_187).empty())
            continue;
        // On the skin's frame 1: behind it, a step turned, at its speed.
        spawn_tick = ticks;
        EXPECT_EQ(yelto()->get_frame(), 1);
        auto* effect = static_cast<Active*>(object(types::ShieldInstaShield_187));
        EXPECT_EQ(effect->get_direction(), 31);
        EXPECT_EQ(effect->forced_speed, 100);
        EXPECT_LT(effect->depth, yelto()->depth);
        EXPECT_EQ(effect->get_x(), 300);
    }
    EXPECT_GT(spawn_tick, 0);
    EXPECT_EQ(samples(165), 1);  // once, though the skin stayed on frame 1
    EXPECT_EQ(EventKit::value(object(types::PlayerActionValuesB_164), 'O'), 1);
    // The attack animation ended: back to the crouch, which down no
    // longer holds.
    EXPECT_EQ(state(), 5);
}

TEST_F(PoseGroups, pimsa_gets_off_the_bike_on_level_ground_leaving_it_as_it_was_ridden_and_pounces_off)
{
    kit.place("MasterGroupsA_83", 1500, 100, 1);
    kit.place("MasterGroupsB_84", 1500, 100, 1);
    Frames& frames = kit.frames();
    static ObjectList* platforms[] = {&frames.instances[types::MasterGroupsA_83], nullptr};
    static ObjectList* pushables[] = {&frames.instances[types::MasterGroupsB_84], nullptr};
    frames.qualifier_6.set(1, platforms);
    frames.qualifier_8.set(1, pushables);
    FrameObject* ridden = object(types::PlayerSkinPimsaBike_338);
    ridden->set_direction(16, true);
    ridden->set_angle(20, 0);
    set('A', 3);
    set('Q', -1);
    controls({'B', 'K'});
    in_mode(3, true);
    set('N', 45);
    kit.run(1);
    EXPECT_EQ(get('A'), 3);  // too steep

    in_mode(3, true);
    set('N', 44);
    kit.run(1);
    EXPECT_EQ(get('A'), 2);
    ASSERT_EQ(kit.instances(types::ObjectBike_340).size(), 1u);
    FrameObject* bike = object(types::ObjectBike_340);
    EXPECT_EQ(bike->get_x(), 300);
    EXPECT_EQ(bike->get_y(), 400);
    EXPECT_EQ(bike->layer, object(types::Player_87)->layer);
    EXPECT_EQ(EventKit::value(bike, 'A'), -1);
    EXPECT_EQ(bike->get_direction(), 16);
    EXPECT_EQ(bike->get_angle(), 20);
    EXPECT_TRUE(EventKit::flag(bike, 1));
    EXPECT_EQ(kit.global(1), 2);
    EXPECT_EQ(EventKit::value(object(types::PlayerSkinPimsa_324), 'N'), 25);
    // On foot at once, the same jump press is her pounce from the crouch:
    // 8 the way she faces.
    EXPECT_EQ(EventKit::values(player(), "BGLM"), doubles(-8, -3, 0, 0));
    EXPECT_EQ(state(), 24);
}

TEST_F(PoseGroups, hespin_dashes_from_the_crouch_with_a_burst_at_her_skin)
{
    set('A', 5);
    set('Q', 1);
    EventKit::set_value(object(types::GUIEnergy_76), 'A', 60);
    in_mode(3, true);
    controls({'B', 'K'});
    kit.run(1);
    EXPECT_EQ(EventKit::values(player(), "BM"), doubles(7, 0));
    EXPECT_EQ(EventKit::value(object(types::GUIEnergy_76), 'A'), 0);
    EXPECT_EQ(EventKit::value(object(types::PlayerSkinHespin_351), 'I'), 10);
    ASSERT_EQ(kit.instances(types::EffectsWhiteBurst_31).size(), 1u);
    EXPECT_EQ(object(types::EffectsWhiteBurst_31)->get_x(), 300);
    EXPECT_EQ(samples(52), 1);
}
