// The action-sound loops play their samples under their groups; Hespin's
// wood bomb, water and earth flyer loops throw their shots pass by pass.
#include "objects/active.h"
#include "tests/game/events/stage_loops/gimmick_scene.h"

#include <cmath>

using gimmick_test::GimmickScene;
using gimmick_test::playfield;

namespace {

double deg_sin(double a) { return a == 180 ? 0.0 : std::sin(a / 57.29577951308232); }
double deg_cos(double a) { return a == 90 || a == 270 ? 0.0 : std::cos(a / 57.29577951308232); }

std::vector<unsigned> sample_ids(const std::vector<SoundStart>& sounds)
{
    std::vector<unsigned> ids;
    for (const SoundStart& sound : sounds)
        ids.push_back(sound.id);
    return ids;
}

class ActionSounds : public GimmickScene {
protected:
    void SetUp() override
    {
        GimmickScene::SetUp();
        kit.take_sounds();
    }

    std::vector<unsigned> played() { return sample_ids(kit.take_sounds()); }

    void arm_hespin()
    {
        f().level_group_61 = true;
        f().level_group_22 = true;
        kit.place("Player_87", 200, 150, playfield);
        arm = kit.place("PlayerSkinHespinArm_350", 200, 150, playfield);
        EventKit::set_value(arm, 'X', 210.7);
        EventKit::set_value(arm, 'Y', 140.2);
    }

    FrameObject* arm = nullptr;
};

}  // namespace

TEST_F(ActionSounds, skid_pounce_and_landing_sounds_follow_their_groups_and_values)
{
    using Ids = std::vector<unsigned>;
    FrameObject* yelto = kit.place("PlayerSkinYelto_102", 100, 100, playfield);
    f().level_group_41 = true;
    f().run_loop(f().fast_loop_bs, 1, &Frames::loop_bs_4);
    EXPECT_EQ(played(), Ids{28});
    yelto->alterables->flags |= 1 << 8;
    f().run_loop(f().fast_loop_bs, 1, &Frames::loop_bs_4);
    EXPECT_EQ(played(), Ids{185});

    // Pounce: no skin, nothing; a rested voice sounds and rests for 600;
    // then only the pounce.
    f().global_group_6 = true;
    f().run_loop(f().fast_loop_sound_pounce, 1, &Frames::loop_sound_pounce_4);
    EXPECT_EQ(played(), Ids{});
    FrameObject* pimsa = kit.place("PlayerSkinPimsa_324", 100, 100, playfield);
    f().run_loop(f().fast_loop_sound_pounce, 1, &Frames::loop_sound_pounce_4);
    EXPECT_EQ(played(), (Ids{109, 115}));
    EXPECT_EQ(EventKit::value(pimsa, 'S'), 600);
    f().run_loop(f().fast_loop_sound_pounce, 1, &Frames::loop_sound_pounce_4);
    EXPECT_EQ(played(), Ids{115});

    // Landing on the bike: the thud, and T only at rest (M = 0).
    FrameObject* values = kit.place("PlayerMovementValues_80", -100, -100, 5);
    EventKit::set_value(values, 'M', 3);
    EventKit::set_value(values, 'T', 0);
    f().level_group_73 = true;
    f().level_group_72 = true;
    f().run_loop(f().fast_loop_action_land, 1, &Frames::loop_action_land_4);
    EXPECT_EQ(played(), Ids{122});
    EXPECT_EQ(EventKit::value(values, 'T'), 0);
    EventKit::set_value(values, 'M', 0);
    f().run_loop(f().fast_loop_action_land, 1, &Frames::loop_action_land_4);
    EXPECT_EQ(EventKit::value(values, 'T'), 1);
    f().level_group_72 = false;
    f().level_group_61 = true;
    f().level_group_22 = true;
    f().run_loop(f().fast_loop_action_land, 1, &Frames::loop_action_land_4);
    EXPECT_EQ(played(), (Ids{122, 124}));
}

TEST_F(ActionSounds, a_wood_bomb_throws_thirteen_splinters_a_full_turn_round_from_the_muzzle)
{
    f().run_loop(f().fast_loop_woodbomb, 13, &Frames::loop_woodbomb_4);
    EXPECT_TRUE(kit.instances(types::PlayerProjectile_336).empty());  // Hespin's weapon groups off

    arm_hespin();
    f().run_loop(f().fast_loop_woodbomb, 13, &Frames::loop_woodbomb_4);
    const std::vector<FrameObject*> shots = kit.instances(types::PlayerProjectile_336);
    ASSERT_EQ(shots.size(), 13u);
    for (size_t i = 0; i < shots.size(); ++i) {
        const double angle = 30.0 * double(i);
        SCOPED_TRACE(i);
        EXPECT_EQ(EventKit::values(shots[i], "ABCDHJKI"),
                  doubles(210, 140, 7 * deg_cos(angle), -7 * deg_sin(angle), 5, 1, 1, 1));
        EXPECT_EQ(shots[i]->layer->index, playfield);
        EXPECT_EQ(shots[i]->get_x(), 210);
        EXPECT_TRUE(EventKit::flag(shots[i], 1));
        EXPECT_EQ(static_cast<Active*>(shots[i])->get_frame(), 2);
    }
    EXPECT_EQ(EventKit::value(shots[3], 'C'), 0);  // 90 degrees: exactly straight up
    EXPECT_EQ(EventKit::value(shots[6], 'D'), 0);
}

TEST_F(ActionSounds, water_throws_fifteen_drops_ever_higher_and_earth_flyers_go_down_and_up)
{
    arm_hespin();
    f().run_loop(f().fast_loop_water, 15, &Frames::loop_water_4);
    const std::vector<FrameObject*> drops = kit.instances(types::PlayerProjectile_336);
    ASSERT_EQ(drops.size(), 15u);
    for (size_t i = 0; i < drops.size(); ++i) {
        const double n = double(i);
        SCOPED_TRACE(i);
        EXPECT_EQ(EventKit::values(drops[i], "ABCDHJ"),
                  doubles(210, 140, deg_sin(135 * n) * (2 - 0.1 * n), -0.6 * n, -60, 7));
        EXPECT_EQ(static_cast<Active*>(drops[i])->get_frame(), 9);
    }
    EXPECT_EQ(EventKit::values(drops[0], "CD"), doubles(0, 0));

    f().run_loop(f().fast_loop_earthflyer, 1, &Frames::loop_earthflyer_4);
    std::vector<FrameObject*> flyers = kit.instances(types::PlayerProjectile_336);
    flyers.erase(flyers.begin(), flyers.begin() + 15);
    ASSERT_EQ(flyers.size(), 2u);
    EXPECT_EQ(EventKit::values(flyers[0], "ABDJKI"), doubles(210.7, 140.2, 12, 4, 1, 5));
    EXPECT_EQ(EventKit::values(flyers[1], "ABDJKI"), doubles(210.7, 140.2, -12, 4, 1, 5));
    EXPECT_EQ(flyers[0]->get_angle(), 270);
    EXPECT_EQ(flyers[1]->get_angle(), 90);
    EXPECT_EQ(flyers[0]->get_x(), -32);  // not moved
    EXPECT_EQ(flyers[1]->layer->index, playfield);
}

TEST_F(ActionSounds, hespins_jump_leaves_a_flat_burst_under_the_feet_turned_as_the_body)
{
    arm_hespin();
    kit.place("PlayerSensorBottomBig_95", 220, 180, playfield);
    FrameObject* skin = kit.place("PlayerSkinHespin_351", 200, 150, playfield);
    skin->set_angle(30, 0);
    f().event_func_348();
    const std::vector<FrameObject*> bursts = kit.instances(types::EffectsWhiteBurst_31);
    ASSERT_EQ(bursts.size(), 1u);
    auto* burst = static_cast<Active*>(bursts[0]);
    EXPECT_EQ(burst->get_x(), 220);
    EXPECT_EQ(burst->get_y(), 180);
    EXPECT_EQ(burst->get_angle(), 30);
    EXPECT_EQ(burst->y_scale, 0.2f);
}
