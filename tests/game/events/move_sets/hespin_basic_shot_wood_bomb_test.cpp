// Basic shot hits and the keystone drop; the wood bomb's contacts and burst.
#include "tests/game/events/move_sets/hespin_stage.h"

#include <cmath>

using HespinBasicShot = hespin_test::HespinStage;
using HespinWoodBomb = hespin_test::HespinStage;

TEST_F(HespinBasicShot, hits_fill_energy_and_the_seventeenth_drops_a_keystone)
{
    enter({&Frames::event_func_1388, &Frames::event_func_1389});
    FrameObject* pokkol = enemy(400, 200, 100);
    FrameObject* basic = shot(20, 400, 200, -5, 6, 0);
    kit.take_sounds();
    kit.run(1);
    EXPECT_EQ(EventKit::values(pokkol, "ACXY"), doubles(98, 3, 3, 0));
    EXPECT_EQ(pokkol->shader, 17);
    EXPECT_TRUE(EventKit::flag(basic, 6));
    EXPECT_EQ(shots().size(), 1u);  // a hit does not end the shot
    EXPECT_EQ(EventKit::value(kit.instance(types::GUIEnergy_76), 'A'), 5);
    EXPECT_EQ(EventKit::value(arm(), 'F'), 1);
    EXPECT_EQ(sample_count(kit.take_sounds(), 21), 1);

    // Still on its cool-down: nothing.
    kit.run(1);
    EXPECT_EQ(EventKit::value(pokkol, 'A'), 98);
    std::vector<double> counts;
    for (int hit = 2; hit <= 17; ++hit) {
        EventKit::set_value(pokkol, 'C', 0);
        kit.run(1);
        counts.push_back(EventKit::value(arm(), 'F'));
        if (hit < 17) {
            EXPECT_TRUE(kit.instances(types::ObjectKeystone_278).empty()) << hit;
        }
    }
    EXPECT_EQ(counts, doubles(2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 0));
    EXPECT_EQ(EventKit::value(pokkol, 'A'), 100 - 17 * 2);
    EXPECT_EQ(EventKit::value(kit.instance(types::GUIEnergy_76), 'A'), 17 * 5);
    ASSERT_EQ(kit.instances(types::ObjectKeystone_278).size(), 1u);
    FrameObject* keystone = kit.instance(types::ObjectKeystone_278);
    EXPECT_EQ(std::make_pair(keystone->get_x(), keystone->get_y()), std::make_pair(400, 200));
    EXPECT_EQ(keystone->get_direction(), 5);
    EXPECT_EQ(EventKit::value(keystone, 'G'), 1);

    // Hurt player, immune enemies: no hit and no sound.
    EventKit::set_value(pokkol, 'C', 0);
    set_other('K', 1);
    kit.run(1);
    set_other('K', 0);
    for (int immunity : {5, 6}) {
        set_flag(pokkol, immunity, true);
        kit.run(1);
        set_flag(pokkol, immunity, false);
    }
    EXPECT_EQ(EventKit::value(pokkol, 'A'), 66);
    EXPECT_EQ(sample_count(kit.take_sounds(), 21), 16);
}

TEST_F(HespinWoodBomb, the_fuse_bursts_the_bomb_once_with_flash_shake_and_thirteen_fragment_passes)
{
    enter({&Frames::event_func_1390, &Frames::event_func_1391, &Frames::event_func_1392});
    FrameObject* bomb = shot(2, 120, 90, -3, 2, -1);
    EventKit::set_value(kit.instance(types::MasterCamera_190), 'Z', 1);
    kit.take_sounds();
    kit.run(2);
    EXPECT_EQ(EventKit::value(bomb, 'H'), -3);
    EventKit::set_value(bomb, 'H', 0);
    kit.run(1);
    EXPECT_EQ(EventKit::values(bomb, "CDKH"), doubles(0, 0, 2, 99));
    EXPECT_FALSE(bomb->flags & FrameObject::VISIBLE);
    EXPECT_EQ(EventKit::values(arm(), "XY"), doubles(120, 90));
    ASSERT_EQ(kit.instances(types::EffectsWhiteBurst_31).size(), 1u);
    EXPECT_EQ(kit.instance(types::EffectsWhiteBurst_31)->get_x(), 120);
    EXPECT_EQ(sample_count(kit.take_sounds(), 209), 1);
    EXPECT_EQ(EventKit::value(kit.instance(types::MasterCamera_190), 'Z'), 3);
    // Thirteen splinters, 30 degrees apart, the first and last both level.
    const std::vector<FrameObject*> splinters = shots_of(1);
    ASSERT_EQ(splinters.size(), 13u);
    EXPECT_EQ(EventKit::values(splinters.front(), "CDH"), doubles(7, -0.0, 5));
    EXPECT_EQ(EventKit::values(splinters.back(), "CH"), doubles(7 * std::cos(360 / 57.29577951308232), 5));
    // Spent: it never bursts again.
    EventKit::set_value(bomb, 'H', 0);
    kit.run(1);
    EXPECT_EQ(kit.instances(types::EffectsWhiteBurst_31).size(), 1u);
    EXPECT_EQ(shots_of(1).size(), 13u);
}

TEST_F(HespinWoodBomb, ground_and_enemy_contacts_burst_it_on_the_same_tick)
{
    enter({&Frames::event_func_1390, &Frames::event_func_1391, &Frames::event_func_1392});
    EventKit::set_value(kit.instance(types::MasterCamera_190), 'Z', 5);
    // An enemy on its cool-down is passed through.
    FrameObject* immune = enemy(800, 100);
    EventKit::set_value(immune, 'C', 1);
    FrameObject* passes_enemy = shot(2, 800, 100, -8);
    // A crate with flag 0 on is passed through.
    crate(100, 300, true);
    FrameObject* passes = shot(2, 100, 300, -8);
    settle();
    kit.run(1);
    EXPECT_EQ(EventKit::value(passes_enemy, 'H'), -8);
    EXPECT_EQ(EventKit::value(immune, 'A'), 10);
    EXPECT_EQ(EventKit::value(passes, 'H'), -8);
    passes_enemy->destroy();
    passes->destroy();

    crate(250, 300);
    FrameObject* on_crate = shot(2, 250, 300, -8);
    wall(400, 250);
    FrameObject* on_wall = shot(2, 410, 310, -8);
    FrameObject* pokkol = enemy(650, 300);
    FrameObject* on_enemy = shot(2, 650, 300, -8, 4, -2);
    EventKit::set_value(on_enemy, 'I', 3);
    settle();
    kit.take_sounds();
    kit.run(1);
    for (FrameObject* burst : {on_crate, on_wall, on_enemy})
        EXPECT_EQ(EventKit::values(burst, "HK"), doubles(99, 2));
    EXPECT_EQ(EventKit::values(pokkol, "ACXY"), doubles(7, 3, 2, -1));
    EXPECT_EQ(sample_count(kit.take_sounds(), 21), 0);
    EXPECT_EQ(EventKit::value(kit.instance(types::MasterCamera_190), 'Z'), 5);
    EXPECT_EQ(kit.instances(types::EffectsWhiteBurst_31).size(), 3u);
    EXPECT_EQ(shots_of(1).size(), 13u);  // one spray, from the arm's one spawn point
}
