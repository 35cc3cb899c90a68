// A fall into act 1's pit (the open column under the bridge, x 10880-11008)
// on the stand-in layout: nothing below the course catches the player, so
// it falls past the level's bottom, the death sequence runs, and the act
// restarts with the player where the start events put it.
#include "runtime/manager.h"
#include "tests/support/event_kit.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

constexpr int act_height = 1864;
constexpr int death_line = act_height + 32;
constexpr double pit_x = 10944;
constexpr double under_the_bridge = 720;

class PitFall : public ::testing::Test {
protected:
    void SetUp() override { saved_lives = manager.lives; }
    void TearDown() override { manager.lives = saved_lives; }
    int saved_lives = 0;
};

TEST_F(PitFall, a_fall_into_the_pit_runs_the_death_sequence_and_restarts_the_act_at_the_respawn_point)
{
    EventKit kit;
    manager.lives = 3;
    kit.enter_frame(4);
    FrameObject* values = kit.instance(types::PlayerMovementValues_80);
    ASSERT_NE(values, nullptr);
    // The start events' point is the start marker (53, 429) moved by
    // (16, 16); the act's first tick sets the player down on the ground
    // below it, at 438.
    const std::vector<double> start = EventKit::values(values, "XY");
    EXPECT_EQ(start, doubles(69, 438));

    // Dropped at rest into the pit, under the bridge.
    for (const auto& [name, number] : {std::pair{'X', pit_x}, {'Y', under_the_bridge}, {'L', 0.0}, {'B', 0.0},
                                       {'G', 0.0}})
        EventKit::set_value(values, name, number);
    double deepest = under_the_bridge;
    int tick = 0;
    for (; tick < 600 && EventKit::value(values, 'M') != 9; ++tick) {
        kit.run(1);
        const double y = EventKit::value(values, 'Y');
        ASSERT_GE(y, deepest - 1) << "pushed back up at tick " << tick;
        deepest = std::max(deepest, y);
    }
    ASSERT_EQ(EventKit::value(values, 'M'), 9) << "still alive at y " << EventKit::value(values, 'Y');
    EXPECT_GT(deepest, death_line);
    EXPECT_EQ(EventKit::value(values, 'X'), pit_x);

    // The sequence takes a life at 70 and asks for the restart at 210; the
    // next tick sets the act up again (its tick counter starts over).
    int last_tick = kit.tick();
    for (int k = 0; k < 400 && kit.tick() >= last_tick; ++k) {
        last_tick = kit.tick();
        kit.run(1);
    }
    ASSERT_LT(kit.tick(), last_tick) << "the act did not restart";
    EXPECT_EQ(manager.lives, 2);
    values = kit.instance(types::PlayerMovementValues_80);
    ASSERT_NE(values, nullptr);
    EXPECT_EQ(EventKit::values(values, "XY"), start);
    EXPECT_NE(EventKit::value(values, 'M'), 9);
}

}  // namespace
