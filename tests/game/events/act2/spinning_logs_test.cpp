// Spinning logs: the log and its mask float on the drawn water line, the
// mask sinks half a pixel a tick under the player and rises a pixel a tick
// when left, and running on the log spins it up (30 at once, 4 a tick) to
// 320, turning A / 40 directions a tick, while the spin runs down by 1.
#include "tests/game/events/act2/act2_stage.h"

using act2_stage::Act2Stage;

namespace {

#define E(n) &Frames::event_func_##n
const std::vector<act2_stage::Event> log_order = {E(2304), E(2305), E(2306), E(2307), E(2308), E(2309), E(2310)};
#undef E

}  // namespace

class SpinningLogs : public Act2Stage {
protected:
    void SetUp() override
    {
        Act2Stage::SetUp();
        enter(log_order);
        set_level('C', 150.5);
        log = kit.place("SpinningLog_391", 200, 120);
        mask = kit.place("SpinningLogMask_392", 200, 120);
    }

    FrameObject* log = nullptr;
    FrameObject* mask = nullptr;
};

TEST_F(SpinningLogs, spin_up_under_the_running_player_sink_and_come_back_when_left)
{
    kit.run(1);
    EXPECT_EQ(std::make_pair(log->get_y(), mask->get_y()), std::make_pair(150, 150));
    EXPECT_TRUE(EventKit::flag(log, 0));
    EXPECT_EQ(EventKit::value(log, 'A'), 0);  // still, and left alone

    FrameObject* sensor = kit.place("PlayerSensorBottomBig_95", 200, 150);
    before = [&](Frames&) { sensor->set_y(mask->get_y()); };  // the player sinks with the mask
    set_move('L', 1);
    const int start = log->get_direction();
    kit.run(1);
    EXPECT_EQ(EventKit::value(log, 'A'), 30);
    EXPECT_FALSE(EventKit::flag(log, 0));  // stood on below a spin of 60
    EXPECT_EQ(EventKit::value(mask, 'A'), 0.5);
    kit.run(9);
    // A: 30, then -1 and +4 a tick; turns of A / 40: 0,0,0,0,1,1,1,1,1.
    EXPECT_EQ(EventKit::value(log, 'A'), 57);
    EXPECT_EQ(log->get_direction(), (start + 5) % 32);
    EXPECT_EQ(EventKit::value(mask, 'A'), 5);
    EXPECT_EQ(mask->get_y(), 155);  // 150.5 + 4.5 of the tick before
    kit.run(2);
    EXPECT_FALSE(EventKit::flag(log, 0));  // tested at 59, after the tick's run-down
    kit.run(1);
    EXPECT_TRUE(EventKit::flag(log, 0));  // 62
    kit.run(17);
    EXPECT_EQ(EventKit::value(mask, 'A'), 15);
    EXPECT_TRUE(EventKit::flag(mask, 0));
    kit.run(100);
    EXPECT_EQ(EventKit::value(log, 'A'), 320);
    EXPECT_EQ(EventKit::value(mask, 'A'), 20);
    const int fast = log->get_direction();
    kit.run(1);
    EXPECT_EQ(log->get_direction(), (fast + 8) % 32);  // 320 / 40

    sensor->set_x(400);  // off the log
    kit.run(6);
    EXPECT_EQ(EventKit::value(mask, 'A'), 14);
    EXPECT_FALSE(EventKit::flag(mask, 0));
    EXPECT_EQ(EventKit::value(log, 'A'), 314);
    kit.run(400);
    EXPECT_EQ(EventKit::value(log, 'A'), 0);
    EXPECT_EQ(EventKit::value(mask, 'A'), 0);
    const int still = log->get_direction();
    kit.run(2);
    EXPECT_EQ(log->get_direction(), still);
}

TEST_F(SpinningLogs, a_spin_of_60_after_the_run_down_keeps_flag_0_and_the_turn_and_run_bounds_hold)
{
    kit.run(1);
    FrameObject* sensor = kit.place("PlayerSensorBottomBig_95", 200, 150);
    before = [&](Frames&) { sensor->set_y(mask->get_y()); };
    struct Row {
        double ground, spin;  // L, and A before the tick
        int turn;
        bool flag;
        double after;
    };
    // 2304 turns by A / 40 and takes 1; 2306 clears the flag below 60;
    // on the ground 2307 gives max(30, min(320, A + 4)).
    const Row rows[] = {
        {1, 61, 1, true, 64},   {1, 60, 1, false, 63},  {1, 40, 1, false, 43},   {1, 39, 0, false, 42},
        {1, 80, 2, true, 83},   {1, 79, 1, true, 82},   {1, 318, 7, true, 320},  {1, 316, 7, true, 319},
        {1, 25, 0, false, 30},  {1, 28, 0, false, 31},  {0, 61, 1, true, 60},    {0, 60, 1, false, 59},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(testing::Message() << "L " << r.ground << ", A " << r.spin);
        set_move('L', r.ground);
        EventKit::set_value(log, 'A', r.spin);
        const int direction = log->get_direction();
        kit.run(1);
        EXPECT_EQ(log->get_direction(), (direction + r.turn) % 32);
        EXPECT_EQ(EventKit::flag(log, 0), r.flag);
        EXPECT_EQ(EventKit::value(log, 'A'), r.after);
    }
}
