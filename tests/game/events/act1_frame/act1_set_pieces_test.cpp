// Act 1's set pieces on the stand-in course, met as a player meets them: the
// act as its set-up builds it, the player put down before the piece and
// running right into it.
#include "console/pads.h"
#include "game/objects/type_ids.h"
#include "tests/support/event_kit.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

constexpr int act1 = 4;
constexpr int act_height = 1864;

// The enemies, which would hurt a player put down among them.
void clear_enemies(Frames& f)
{
    for (QualifierIterator it(f.qualifier_17); !it.done(); ++it)
        (*it)->destroy();
}

// Puts the player on the ground at (x, ground top), at rest.
void put_player(EventKit& kit, double x, double ground_top)
{
    FrameObject* values = kit.instance(types::PlayerMovementValues_80);
    EventKit::set_value(values, 'X', x);
    EventKit::set_value(values, 'Y', ground_top - 10);
    EventKit::set_value(values, 'B', 0);
    EventKit::set_value(values, 'G', 0);
}

}  // namespace

TEST(Act1SetPieces, a_player_crossing_the_bridge_sags_its_logs_and_reaches_the_far_bank)
{
    EventKit kit;
    kit.enter_frame(act1);
    kit.run(300);  // the opening card hands over control
    clear_enemies(kit.frames());
    FrameObject* bridge = kit.instance(types::GimmickBridge12Logs_139);
    ASSERT_NE(bridge, nullptr);
    const std::vector<FrameObject*> logs = kit.instances(types::GimmickBridgeLog_140);
    ASSERT_EQ(logs.size(), 12u);
    // The banks stand level with the logs' tops.
    const int bank = bridge->get_y() + 56 - 8;
    put_player(kit, bridge->get_x() - 160, bank);
    FrameObject* values = kit.instance(types::PlayerMovementValues_80);
    kit.hold(VPAD_BUTTON_RIGHT);
    int deepest = 0, lowest_player = 0, ticks_on_span = 0;
    for (int tick = 0; tick < 240 && EventKit::value(values, 'X') < bridge->get_x() + 320; ++tick) {
        kit.run(1);
        const double x = EventKit::value(values, 'X'), y = EventKit::value(values, 'Y');
        ASSERT_LT(y, act_height) << "fell through the bridge at tick " << tick;
        if (x > bridge->get_x() && x < bridge->get_x() + 192) {
            ++ticks_on_span;
            lowest_player = std::max(lowest_player, int(y) + 10 - bank);
        }
        for (FrameObject* log : logs)
            deepest = std::max(deepest, log->get_y() - int(EventKit::value(log, 'B')));
    }
    // It ran over the span on the logs, which gave under it, and off the
    // far end.
    EXPECT_GT(ticks_on_span, 10);
    EXPECT_GE(deepest, 4);
    EXPECT_LE(deepest, 16);
    EXPECT_LE(lowest_player, 16);
    EXPECT_GE(EventKit::value(values, 'X'), bridge->get_x() + 320);
}

TEST(Act1SetPieces, a_player_running_onto_a_half_corkscrew_rides_its_hump_and_lands_past_its_end)
{
    EventKit kit;
    kit.enter_frame(act1);
    kit.run(300);
    clear_enemies(kit.frames());
    const std::vector<FrameObject*> starts = kit.instances(types::HalfCorkscrewLeft_245);
    ASSERT_FALSE(starts.empty());
    FrameObject* start = starts.front();
    const int ground = start->get_y() + 8;
    put_player(kit, start->get_x() - 300, ground);
    FrameObject* values = kit.instance(types::PlayerMovementValues_80);
    kit.hold(VPAD_BUTTON_RIGHT);
    int ride_ticks = 0, highest = 0;
    for (int tick = 0; tick < 400 && EventKit::value(values, 'X') < start->get_x() + 700; ++tick) {
        kit.run(1);
        if (EventKit::value(values, 'M') == 45) {
            ++ride_ticks;
            highest = std::max(highest, ground - 10 - int(EventKit::value(values, 'Y')));
        }
    }
    // Up the 100-pixel hump and down again, the whole way in the ride, and
    // back on the ground past the ride's end.
    EXPECT_GT(ride_ticks, 60);
    EXPECT_GE(highest, 95);
    EXPECT_LE(highest, 101);
    EXPECT_GE(EventKit::value(values, 'X'), start->get_x() + 700);
    EXPECT_NE(EventKit::value(values, 'M'), 45);
    EXPECT_EQ(EventKit::value(values, 'L'), 1);
    EXPECT_NEAR(EventKit::value(values, 'Y'), ground - 10, 2);
}

TEST(Act1SetPieces, a_player_jumping_under_the_first_grips_hangs_from_one_and_drops_off_again)
{
    EventKit kit;
    kit.enter_frame(act1);
    kit.run(300);
    clear_enemies(kit.frames());
    const std::vector<FrameObject*> grips = kit.instances(types::GimmickHangingIdleSensor_153);
    ASSERT_FALSE(grips.empty());
    FrameObject* grip = grips.front();
    const int ground = grip->get_y() + 116;
    put_player(kit, grip->get_x(), ground);
    FrameObject* values = kit.instance(types::PlayerMovementValues_80);
    kit.run(10);
    // Up past the grip, and caught on the way down, hanging 32 below it.
    kit.hold(VPAD_BUTTON_A);
    int tick = 0;
    for (; tick < 90 && EventKit::value(values, 'M') != 41; ++tick)
        kit.run(1);
    kit.release();
    ASSERT_EQ(EventKit::value(values, 'M'), 41) << "never caught the grip";
    kit.run(30);
    EXPECT_EQ(EventKit::value(values, 'M'), 41);
    EXPECT_EQ(EventKit::value(values, 'X'), grip->get_x());
    EXPECT_NEAR(EventKit::value(values, 'Y'), grip->get_y() + 32, 4);
    // Down and jump let go; the player drops to the ground.
    kit.press(VPAD_BUTTON_A | VPAD_BUTTON_DOWN, 5);
    EXPECT_NE(EventKit::value(values, 'M'), 41);
    kit.run(90);
    EXPECT_EQ(EventKit::value(values, 'L'), 1);
    EXPECT_NEAR(EventKit::value(values, 'Y'), ground - 10, 2);
}
