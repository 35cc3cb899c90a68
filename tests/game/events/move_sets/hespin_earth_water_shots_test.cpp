// The earth shot's burst, the water droplet's flight and splash, and the
// water bomb's fall and burst, with the common projectile step.
#include "tests/game/events/move_sets/hespin_stage.h"

#include <cmath>

using HespinEarthShot = hespin_test::HespinStage;
using HespinWater = hespin_test::HespinStage;

namespace {

const std::vector<hespin_test::Event> earth_events =
    hespin_test::with_common_step({&Frames::event_func_1412, &Frames::event_func_1413, &Frames::event_func_1414});
const std::vector<hespin_test::Event> water_events = hespin_test::with_common_step(
    {&Frames::event_func_1415, &Frames::event_func_1416, &Frames::event_func_1417, &Frames::event_func_1418});

}  // namespace

TEST_F(HespinEarthShot, flies_ten_ticks_then_bursts_into_beams_and_a_flash_squashing_older_flashes)
{
    enter(earth_events);
    FrameObject* old_flash = kit.place("EffectsWhiteBurst_31", 50, 50, 1);
    FrameObject* earth = shot(6, 300, 100, -30, 5, 0);
    kit.take_sounds();
    std::vector<int> xs;
    for (int tick = 0; tick < 20; ++tick) {
        kit.run(1);
        if (!alive(earth))
            break;
        xs.push_back(earth->get_x());
    }
    // Placed at 300, 305, ... and gone in the tick its age passes -20.
    EXPECT_EQ(xs, (std::vector<int>{300, 305, 310, 315, 320, 325, 330, 335, 340, 345, 350}));
    EXPECT_EQ(EventKit::values(arm(), "XY"), doubles(350, 100));
    // Two beams from the burst point, one down and one up, moved once by
    // the common step.
    std::vector<double> beams;
    for (FrameObject* beam : shots_of(4)) {
        for (double v : EventKit::values(beam, "ABD"))
            beams.push_back(v);
    }
    EXPECT_EQ(beams, doubles(350, 112, 12, 350, 88, -12));
    EXPECT_EQ(sample_count(kit.take_sounds(), 204), 1);
    EXPECT_EQ(EventKit::value(kit.instance(types::MasterCamera_190), 'Z'), 3);
    EXPECT_EQ(std::make_pair(sprite(old_flash)->x_scale, sprite(old_flash)->y_scale), std::make_pair(0.25f, 0.75f));
    FrameObject* flash = kit.instance(types::EffectsWhiteBurst_31);
    ASSERT_NE(flash, old_flash);
    EXPECT_EQ(std::make_pair(flash->get_x(), flash->get_y()), std::make_pair(350, 100));
    EXPECT_EQ(sprite(flash)->x_scale, 1.0f);
}

TEST_F(HespinEarthShot, contacts_burst_it_at_once_and_two_bursts_share_one_pair_of_beams)
{
    enter(earth_events);
    wall(600, 300);
    enemy(610, 310);
    shot(6, 610, 310, -30);  // on the wall and the enemy at once
    crate(800, 300);
    shot(6, 800, 300, -30);
    settle();
    kit.take_sounds();
    kit.run(1);
    EXPECT_TRUE(shots_of(6).empty());
    EXPECT_EQ(sample_count(kit.take_sounds(), 204), 1);
    EXPECT_EQ(kit.instances(types::EffectsWhiteBurst_31).size(), 2u);
    EXPECT_EQ(EventKit::values(arm(), "XY"), doubles(800, 300));  // the newest shot's spot
    EXPECT_EQ(shots_of(4).size(), 2u);
}

TEST_F(HespinWater, a_droplet_falls_turned_along_its_flight_and_splashes_at_a_random_pitch)
{
    enter(water_events);
    FrameObject* droplet = shot(7, 300, 100, -50, 2, -3);
    kit.set_global(3, 3);
    kit.run(1);
    // D -2.7, pointing up and right; frame 9 + (3 / 2) mod 2 = 10.
    EXPECT_EQ(EventKit::value(droplet, 'D'), -3 + 0.3);
    EXPECT_EQ(droplet->get_angle(), int(std::atan2(3 - 0.3, 2) * 57.29577951308232));
    EXPECT_EQ(sprite(droplet)->forced_frame, 10);
    double d = -3 + 0.3;
    double y = 100 + d;
    for (int tick = 0; tick < 80; ++tick) {
        kit.run(1);
        d = std::min(d + 0.3, 15.0);
        EXPECT_EQ(droplet->get_y(), int(y)) << tick;
        y += d;
        if (d == 15)
            break;
    }
    EXPECT_EQ(droplet->get_angle(), -82);  // atan2(-15, 2)
    EXPECT_EQ(EventKit::value(droplet, 'D'), 15);

    // Splash on an enemy: destroyed, one sound, a small jittered flash.
    enemy(droplet->get_x(), droplet->get_y() + 40);
    kit.take_sounds();
    for (int tick = 0; tick < 5 && !shots().empty(); ++tick)
        kit.run(1);
    EXPECT_TRUE(shots().empty());
    EXPECT_EQ(sample_count(kit.take_sounds(), 206), 1);
    FrameObject* splash = kit.instance(types::EffectsWhiteBurst_31);
    ASSERT_NE(splash, nullptr);
    EXPECT_EQ(sprite(splash)->x_scale, 0.6f);
}

TEST_F(HespinWater, a_bomb_falls_slowly_and_on_contact_stops_hides_and_sprays_droplets_once)
{
    enter(water_events);
    FrameObject* bomb = shot(8, 400, 100, -60);
    crate(400, 160, true);  // ignored
    crate(400, 260);
    std::vector<double> falls;
    int ticks = 0;
    while (!EventKit::flag(bomb, 4) && ticks < 100) {
        kit.run(1);
        ++ticks;
        if (falls.size() < 3)
            falls.push_back(EventKit::value(bomb, 'D'));
        EXPECT_LE(EventKit::value(bomb, 'H'), 1);  // held at 0, then aged once
    }
    EXPECT_EQ(falls, doubles(0.1, 0.1 + 0.1, 0.1 + 0.1 + 0.1));
    EXPECT_EQ(EventKit::values(bomb, "CDK"), doubles(0, 0, 2));
    EXPECT_FALSE(bomb->flags & FrameObject::VISIBLE);
    EXPECT_EQ(EventKit::value(arm(), 'X'), 400);
    EXPECT_GT(EventKit::value(arm(), 'Y'), 160);
    const std::vector<FrameObject*> drops = shots_of(7);
    ASSERT_EQ(drops.size(), 15u);
    EXPECT_EQ(EventKit::values(drops.back(), "DHI"), doubles(-0.6 * 14, -60 + 1, 1));
    EXPECT_EQ(EventKit::value(kit.instance(types::MasterCamera_190), 'Z'), 3);
    kit.run(5);
    EXPECT_EQ(kit.instances(types::EffectsWhiteBurst_31).size(), 1u);
    EXPECT_EQ(shots_of(7).size(), 15u);  // no splash before they age past -50
}

// The solids are overlapped by every water bomb before the burst ones are
// left out, so an open solid under a burst bomb lets a falling bomb burst on
// an ignored solid; a burst bomb of another kind does not.
TEST_F(HespinWater, a_burst_bomb_on_a_solid_lets_a_falling_one_burst_on_an_ignored_solid)
{
    enter({&Frames::event_func_1417, &Frames::event_func_1418});
    FrameObject* scatter_bomb = shot(5, 200, 100, 0);
    set_flag(scatter_bomb, 4, true);
    crate(200, 100);
    FrameObject* bomb = shot(8, 400, 100, -60, 0, 2);
    crate(400, 100, true);
    kit.run(1);
    EXPECT_FALSE(EventKit::flag(bomb, 4));
    EXPECT_EQ(EventKit::value(bomb, 'D'), 2 + 0.1);

    FrameObject* burst = shot(8, 600, 100, 0);
    set_flag(burst, 4, true);
    burst->set_visible(false);
    crate(600, 100);
    kit.run(1);
    EXPECT_TRUE(EventKit::flag(bomb, 4));
    EXPECT_EQ(EventKit::values(bomb, "CDK"), doubles(0, 0, 2));
    EXPECT_EQ(EventKit::values(arm(), "XY"), doubles(400, 100));
    ASSERT_EQ(kit.instances(types::EffectsWhiteBurst_31).size(), 1u);
    EXPECT_EQ(kit.instance(types::EffectsWhiteBurst_31)->get_x(), 400);
    EXPECT_EQ(shots_of(7).size(), 15u);
}
