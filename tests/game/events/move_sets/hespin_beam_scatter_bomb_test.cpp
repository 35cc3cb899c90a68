// The beam shot's stretch, end and hits; the scatter bomb's fall and burst.
#include "tests/game/events/move_sets/hespin_stage.h"

using HespinBeam = hespin_test::HespinStage;
using HespinScatterBomb = hespin_test::HespinStage;

TEST_F(HespinBeam, stretches_with_age_ends_in_a_flash_after_seven_and_hits_while_armed)
{
    enter({&Frames::event_func_1403, &Frames::event_func_1404, &Frames::event_func_1405});
    FrameObject* beam = shot(4, 300, 100, 0, 8, 2);
    FrameObject* kept = shot(4, 600, 100, 9);
    set_flag(kept, 6, true);
    std::vector<float> scales;
    for (int h : {0, 5, 7}) {
        EventKit::set_value(beam, 'H', h);
        kit.run(1);
        scales.push_back(sprite(beam)->y_scale);
    }
    EXPECT_EQ(scales, (std::vector<float>{0.5f, float(0.5 + 0.06 * 5), float(0.5 + 0.06 * 7)}));
    EXPECT_TRUE(kit.instances(types::EffectsWhiteBurst_31).empty());
    EventKit::set_value(beam, 'H', 8);
    kit.run(1);
    EXPECT_EQ(sprite(beam)->y_scale, float(0.5 + 0.06 * 8));
    EXPECT_EQ(kit.instances(types::EffectsWhiteBurst_31).size(), 1u);
    EXPECT_EQ(shots(), std::vector<FrameObject*>{kept});

    // Hits: none unarmed; armed, a cool-down of 10; the beam goes on.
    FrameObject* pokkol = enemy(600, 100);
    EventKit::set_value(kept, 'K', 0);
    kit.take_sounds();
    kit.run(1);
    EXPECT_EQ(EventKit::value(pokkol, 'A'), 10);
    EventKit::set_value(kept, 'K', 1);
    EventKit::set_value(kept, 'C', -6);
    kit.run(1);
    EXPECT_EQ(EventKit::values(pokkol, "ACXY"), doubles(8, 10, -3, 0));
    EXPECT_TRUE(EventKit::flag(kept, 3));
    EXPECT_EQ(sample_count(kit.take_sounds(), 21), 1);
    EXPECT_EQ(shots().size(), 1u);
}

TEST_F(HespinScatterBomb, falls_at_most_15_a_tick_and_bursts_once_where_it_lands)
{
    enter({&Frames::event_func_1406, &Frames::event_func_1407});
    FrameObject* bomb = shot(5, 400, 100, -3, 1, 14);
    crate(400, 100, true);  // ignored: the bomb falls through
    std::vector<double> falls;
    for (int tick = 0; tick < 3; ++tick) {
        kit.run(1);
        falls.push_back(EventKit::value(bomb, 'D'));
    }
    EXPECT_EQ(falls, doubles(14 + 0.4, 14 + 0.4 + 0.4, 15));
    EXPECT_EQ(EventKit::value(bomb, 'H'), 0);
    EXPECT_FALSE(EventKit::flag(bomb, 4));

    EventKit::set_value(arm(), 'W', 6);  // a fan still running restarts
    EventKit::set_value(kit.instance(types::MasterCamera_190), 'Z', 2);
    crate(400, 100);
    kit.take_sounds();
    kit.run(1);
    EXPECT_TRUE(EventKit::flag(bomb, 4));
    EXPECT_FALSE(bomb->flags & FrameObject::VISIBLE);
    EXPECT_EQ(EventKit::values(bomb, "CD"), doubles(0, 0));
    EXPECT_EQ(EventKit::values(arm(), "XYW"), doubles(400, 100, 1));
    EXPECT_EQ(sample_count(kit.take_sounds(), 59), 1);
    EXPECT_EQ(EventKit::value(kit.instance(types::MasterCamera_190), 'Z'), 3);
    EXPECT_EQ(kit.instances(types::EffectsWhiteBurst_31).size(), 1u);
    // Once burst it neither falls nor bursts again.
    kit.run(2);
    EXPECT_EQ(EventKit::value(bomb, 'D'), 0);
    EXPECT_EQ(kit.instances(types::EffectsWhiteBurst_31).size(), 1u);
    EXPECT_EQ(sample_count(kit.take_sounds(), 59), 0);

    // On the background too.
    wall(800, 300);
    FrameObject* second = shot(5, 810, 310, -3);
    kit.run(1);
    EXPECT_TRUE(EventKit::flag(second, 4));
}

// The solids are overlapped by every scatter bomb before the burst ones are
// left out, so an open solid under a burst bomb lets a falling bomb burst on
// an ignored solid; a burst bomb of another kind does not.
TEST_F(HespinScatterBomb, a_burst_bomb_on_a_solid_lets_a_falling_one_burst_on_an_ignored_solid)
{
    enter({&Frames::event_func_1406, &Frames::event_func_1407});
    FrameObject* water_bomb = shot(8, 200, 100, 0);
    set_flag(water_bomb, 4, true);
    crate(200, 100);
    FrameObject* bomb = shot(5, 400, 100, -3, 0, 2);
    crate(400, 100, true);
    kit.run(1);
    EXPECT_FALSE(EventKit::flag(bomb, 4));
    EXPECT_EQ(EventKit::value(bomb, 'D'), 2 + 0.4);

    FrameObject* burst = shot(5, 600, 100, 0);
    set_flag(burst, 4, true);
    burst->set_visible(false);
    crate(600, 100);
    kit.take_sounds();
    kit.run(1);
    EXPECT_TRUE(EventKit::flag(bomb, 4));
    EXPECT_EQ(EventKit::values(bomb, "CD"), doubles(0, 0));
    EXPECT_EQ(EventKit::values(arm(), "XYW"), doubles(400, 100, 1));
    ASSERT_EQ(kit.instances(types::EffectsWhiteBurst_31).size(), 1u);
    EXPECT_EQ(kit.instance(types::EffectsWhiteBurst_31)->get_x(), 400);
    EXPECT_EQ(sample_count(kit.take_sounds(), 59), 1);
}
