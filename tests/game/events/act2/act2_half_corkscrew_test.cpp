// Act 2's half corkscrews: running onto one enters the ride, the height
// follows the hump tick by tick (up, across the flat top, down) with the
// state 46 high on it, the right-hand one mirrors it, and a missing
// corkscrew is never ridden.
#include "tests/game/events/act2/act2_stage.h"

using act2_stage::Act2Stage;

namespace {

#define E(n) &Frames::event_func_##n
// The entries, the mode group switch, then the ride in the handler's order.
const std::vector<act2_stage::Event> ride_order = {E(2282), E(2283), E(778),  E(980),  E(2250), E(2251),
                                                   E(2252), E(2253), E(2254), E(986),  E(2255), E(2256),
                                                   E(2257), E(990)};
#undef E

}  // namespace

class HalfCorkscrew : public Act2Stage {
protected:
    void SetUp() override
    {
        Act2Stage::SetUp();
        enter(ride_order);
        kit.frames().level_group_23 = kit.frames().level_group_24 = true;
        sensor = kit.place("PlayerSensorBottomBig_95", 200, 150);
    }

    // The player at x running at `speed` on the ground, 300 high.
    void run_at(double x, double speed)
    {
        for (auto [letter, n] : {std::pair{'X', x}, {'Y', 300.0}, {'B', speed}, {'Q', speed > 0 ? 1.0 : -1.0},
                                 {'L', 1.0}, {'M', 0.0}})
            set_move(letter, n);
    }

    FrameObject* sensor = nullptr;
};

TEST_F(HalfCorkscrew, carries_the_player_over_the_hump_and_down_again)
{
    FrameObject* screw = kit.place("HalfCorkscrewLeft_245", 200, 150);
    const double sx = screw->get_x();
    EXPECT_EQ(EventKit::values(screw, "BDF"), doubles(80, 240, 100));

    run_at(sx - 1, 5);  // not yet on it
    kit.run(1);
    EXPECT_EQ(move('M'), 0);
    run_at(sx, 2);  // too slow
    kit.run(1);
    EXPECT_EQ(move('M'), 0);
    run_at(sx, 5);
    set_move('U', 1);
    kit.run(1);
    EXPECT_EQ(EventKit::values(movement(), "MU"), doubles(45, 0));
    EXPECT_TRUE(EventKit::flag(screw, 0));
    EXPECT_EQ(EventKit::value(screw, 'C'), 300);
    EXPECT_TRUE(kit.frames().level_group_29);

    // Each tick the test moves the player to run-in d; the events place it.
    auto at = [&](double d) {
        set_move('X', sx + d);
        kit.run(1);
        return std::vector<double>{move('Y'), EventKit::value(screw, 'E'), EventKit::value(screw, 'A'), other('Y')};
    };
    EXPECT_EQ(at(60), doubles(300 + 50 * std::cos(45 / 57.29577951308232) - 50, 0.25, 0, 45));
    EXPECT_EQ(at(120), doubles(250, 0.5, 0, 45));  // the cosine of 90 is exactly 0
    EXPECT_EQ(at(180), doubles(300 + 50 * std::cos(135 / 57.29577951308232) - 50, 0.75, 0, 46));
    // The top: E reaches 1, and the flat-top event pins the height in the same tick.
    EXPECT_EQ(at(240), doubles(200, 0.5, 240, 46));
    EXPECT_EQ(at(300), doubles(200, 0.625, 300, 46));
    EXPECT_EQ(at(320), doubles(200, 320.0 / 480, 320, 46));  // A reaches B + D
    const double e = (330.0 - 80) / 240;
    EXPECT_EQ(at(330), doubles(300 + 50 * std::cos(e * 180 / 57.29577951308232) - 50, e, 320, 46));
    EXPECT_EQ(at(440), doubles(250, 1.5, 320, 46));  // the cosine of 270 is exactly 0
    EXPECT_EQ(at(500), doubles(300 + 50 * std::cos(1.75 * 180 / 57.29577951308232) - 50, 1.75, 320, 45));
    EXPECT_EQ(at(560)[0], 300);

    set_move('B', 1);  // slowing down ends the ride
    kit.run(1);
    EXPECT_EQ(move('M'), 1);
    EXPECT_FALSE(EventKit::flag(screw, 0));
    EXPECT_EQ(EventKit::values(screw, "AE"), doubles(0, 0));
    EXPECT_FALSE(kit.frames().level_group_29);
}

TEST_F(HalfCorkscrew, the_right_hand_one_is_ridden_leftwards)
{
    FrameObject* right = kit.place("HalfCorkscrewRight_246", 200, 150);
    const double sx = right->get_x();
    run_at(sx + 1, -5);  // behind its start
    kit.run(1);
    EXPECT_EQ(move('M'), 0);
    run_at(sx, -5);
    kit.run(1);
    ASSERT_EQ(move('M'), 45);
    EXPECT_TRUE(EventKit::flag(right, 0));
    set_move('M', 45);
    set_move('X', sx - 120);
    kit.run(1);
    EXPECT_EQ(move('Y'), 250);
    EXPECT_EQ(EventKit::value(right, 'E'), 0.5);
    set_move('X', sx - 240);
    kit.run(1);
    EXPECT_EQ(move('Y'), 200);
}

TEST_F(HalfCorkscrew, a_missing_corkscrew_is_never_ridden)
{
    run_at(200, 5);
    set_move('M', 45);
    kit.take_console();
    kit.run(3);
    EXPECT_EQ(move('Y'), 300);
    EXPECT_EQ(other('Y'), 45);  // only the shared state event
    for (const std::string& line : kit.take_console())
        ADD_FAILURE() << line;
}
