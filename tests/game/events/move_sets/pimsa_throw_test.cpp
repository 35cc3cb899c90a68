// Pimsa's throw through its ticks: state, animation and braking, one
// projectile from frame 2 with the speed and direction of the player's
// angle and facing, the energy it costs, and the end with the animation.
#include "tests/game/events/move_sets/pimsa_stage.h"

using PimsaThrow = pimsa_stage::PimsaStage;

TEST_F(PimsaThrow, braking_to_a_stand_to_the_left_throws_once_at_six_and_ends_when_the_animation_has_played)
{
    set('M', 28);
    set('L', 1);
    set('Q', -1);
    set('B', -4);
    set('E', 1);
    set_meter(10);
    step();
    EXPECT_EQ(get('B'), -1);  // braking by 3 E, not past 0
    EXPECT_EQ(state(), 16);
    EXPECT_TRUE(sprite()->test_animation(22));
    const int ticks = run_to_frame(2);
    const std::vector<FrameObject*> thrown = kit.instances(types::PlayerProjectile_336);
    ASSERT_EQ(thrown.size(), 1u);
    FrameObject* projectile = thrown[0];
    EXPECT_EQ(EventKit::values(projectile, "CDI"), doubles(-6, 0, 15));
    EXPECT_EQ(EventKit::values(projectile, "AB"), doubles(projectile->get_x(), projectile->get_y()));
    EXPECT_EQ(std::make_pair(projectile->get_x(), projectile->get_y()),
              std::make_pair(sprite()->get_action_x(), sprite()->get_action_y()));
    EXPECT_TRUE(static_cast<Active*>(projectile)->test_animation(8));
    EXPECT_EQ(meter(), -10);  // no floor
    EXPECT_EQ(samples(57), 1);
    EXPECT_GT(ticks, 0);

    int more = 0;
    while (get('M') == 28 && more++ < 60)
        step();
    EXPECT_EQ(kit.instances(types::PlayerProjectile_336).size(), 1u);
    EXPECT_EQ(sprite()->get_frame(), 4);  // its last
    EXPECT_EQ(state(), 16);  // left for the player engine
}

TEST_F(PimsaThrow, speed_grows_with_the_run_and_follows_the_angle)
{
    struct Case {
        double speed, facing, angle, c, d;
    };
    const double k = 6;
    for (const Case& row : {Case{8, 1, 0, 10, 0}, Case{0, 1, -90, 0, k}, Case{-4, -1, 180, 8, 0}}) {
        const size_t before = kit.instances(types::PlayerProjectile_336).size();
        set('M', 28);
        set('L', 0);  // in the air: no braking
        set('B', row.speed);
        set('Q', row.facing);
        set('O', row.angle);
        sprite()->force_frame(2);
        step();
        ASSERT_EQ(kit.instances(types::PlayerProjectile_336).size(), before + 1);
        FrameObject* projectile = kit.instance(types::PlayerProjectile_336);
        EXPECT_NEAR(EventKit::value(projectile, 'C'), row.c, 1e-12) << row.angle;
        EXPECT_NEAR(EventKit::value(projectile, 'D'), row.d, 1e-12) << row.angle;
        if (row.angle == -90) {
            EXPECT_EQ(EventKit::value(projectile, 'C'), 0);  // exactly
        }
        // Back before frame 2 the throw is armed again.
        sprite()->force_frame(0);
        step();
        EXPECT_FALSE(EventKit::flag(skin(), 18));
        sprite()->restore_frame();
    }
}
