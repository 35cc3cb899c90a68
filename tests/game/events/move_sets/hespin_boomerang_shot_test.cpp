// The boomerang shot's path round the player, its end, and the
// collectibles it grabs and carries.
#include "tests/game/events/move_sets/hespin_stage.h"

using HespinBoomerang = hespin_test::HespinStage;

namespace {

const std::vector<hespin_test::Event> boomerang_events = {
    &Frames::event_func_1393, &Frames::event_func_1394, &Frames::event_func_1395, &Frames::event_func_1396,
    &Frames::event_func_1397, &Frames::event_func_1398, &Frames::event_func_1399, &Frames::event_func_1400,
    &Frames::event_func_1401, &Frames::event_func_1402};

}  // namespace

TEST_F(HespinBoomerang, swings_out_170_and_back_to_20_round_a_point_above_the_player_then_ends)
{
    enter(boomerang_events);
    set_player('X', 100);
    set_player('Y', 200);
    FrameObject* boomerang = shot(3, 0, 0, -60);
    EventKit::set_value(boomerang, 'N', 1);
    std::vector<std::pair<double, double>> path;
    int ticks = 0;
    while (!shots().empty() && ticks < 100) {
        kit.run(1);
        ++ticks;
        path.push_back({EventKit::value(boomerang, 'A'), EventKit::value(boomerang, 'B')});
        if (ticks == 1 || ticks == 12) {
            EXPECT_EQ(boomerang->get_angle(), ticks == 1 ? 30 : 0);  // 30 degrees a tick towards the facing
        }
    }
    EXPECT_EQ(ticks, 60);  // destroyed on the tick its H reaches 0
    const std::pair<double, double> expected[] = {{232.5, 190}, {270, 160}, {232.5, 130}, {157.5, 160}};
    for (int k = 0; k < 4; ++k) {
        EXPECT_NEAR(path[size_t(15 * k)].first, expected[k].first, 1e-9) << k;
        EXPECT_NEAR(path[size_t(15 * k)].second, expected[k].second, 1e-9) << k;
    }
    EXPECT_EQ(path[15], std::make_pair(270.0, 160.0));
    EXPECT_NEAR(path.back().first, 120, 0.2);

    // Launched at 90 degrees it swings vertically; facing left it spins back.
    FrameObject* upward = shot(3, 0, 0, -45);
    EventKit::set_value(upward, 'O', 90);
    EventKit::set_value(upward, 'N', -1);
    kit.run(1);
    EXPECT_NEAR(EventKit::value(upward, 'A'), 100, 1e-9);
    EXPECT_NEAR(EventKit::value(upward, 'B'), 200 - 40 + 170, 1e-9);
    EXPECT_EQ(upward->get_angle(), -30);
}

TEST_F(HespinBoomerang, grabs_what_it_may_and_carries_it_until_it_ends)
{
    enter(boomerang_events);
    FrameObject* boomerang = shot(3, 500, 300, -30);
    boomerang->set_global_position(500, 300);
    FrameObject* petal = kit.place("ObjectPetal_117", 500, 300, 1);
    FrameObject* scattered_petal = kit.place("ObjectPetal_117", 500, 300, 1);
    EventKit::set_value(scattered_petal, 'A', 2);
    FrameObject* crystal = kit.place("ObjectCrystal_239", 500, 300, 1);
    FrameObject* taken_crystal = kit.place("ObjectCrystal_239", 500, 300, 1);
    set_flag(taken_crystal, 0, true);
    FrameObject* keystone = kit.place("ObjectKeystone_278", 500, 300, 1);
    FrameObject* dropped_keystone = kit.place("ObjectKeystone_278", 500, 300, 1);
    EventKit::set_value(dropped_keystone, 'G', 1);
    FrameObject* codec = kit.place("ObjectCodec_279", 500, 300, 1);
    settle();
    kit.run(1);
    for (FrameObject* grabbed : {petal, crystal, keystone, codec})
        EXPECT_TRUE(EventKit::flag(grabbed, 10));
    for (FrameObject* left : {scattered_petal, taken_crystal, dropped_keystone})
        EXPECT_FALSE(EventKit::flag(left, 10));

    // The shot moves on: what it carries follows, with its spot in its values.
    boomerang->set_global_position(540, 280);
    kit.run(1);
    for (FrameObject* carried : {petal, crystal, keystone, codec})
        EXPECT_EQ(std::make_pair(carried->get_x(), carried->get_y()), std::make_pair(540, 280));
    EXPECT_EQ(EventKit::values(petal, "BC"), doubles(540, 280));
    EXPECT_EQ(EventKit::values(keystone, "HF"), doubles(540, 280));
    EXPECT_EQ(scattered_petal->get_x(), 500);
    // A grabbed petal whose A is 3 or more stays where it is.
    EventKit::set_value(petal, 'A', 3);
    boomerang->set_global_position(560, 280);
    kit.run(1);
    EXPECT_EQ(petal->get_x(), 540);
    EXPECT_EQ(codec->get_x(), 560);

    // Ended, the shot leaves its load where it was, still marked.
    EventKit::set_value(boomerang, 'H', -1);
    kit.run(2);
    EXPECT_TRUE(shots().empty());
    EXPECT_TRUE(EventKit::flag(codec, 10));
    EXPECT_EQ(codec->get_x(), 560);
}
