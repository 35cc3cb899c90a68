// The skid (mode 4) and the roll (mode 6), tick by tick, and the jump out
// of the roll turned by the ground angle.
#include "tests/game/events/player_actions/action_group_stage.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace action_group_test;

namespace {

class SkidAndRoll : public ActionGroupTest {
protected:
    void SetUp() override
    {
        ActionGroupTest::SetUp();
        tune('I', 0.5);
    }
    double roll_ticks() { return EventKit::value(object(types::PlayerOthers_75), 'N'); }
};

}  // namespace

TEST_F(SkidAndRoll, a_skid_that_brakes_to_exactly_zero_ends_in_the_same_tick_and_the_next_skid_sounds_again)
{
    in_mode(4, true);
    set('B', 0.3);
    set('S', 0);
    controls({'C'});
    kit.run(1);
    EXPECT_EQ(EventKit::values(player(), "BMS"), doubles(0, 0, 1));
    EXPECT_FALSE(kit.frames().level_group_37);
    EXPECT_EQ(samples(6), 1);

    // The next skid sounds again once a tick without it has passed.
    kit.run(1);
    in_mode(4, true);
    set('B', -3);
    controls({'D'});
    kit.run(2);
    EXPECT_EQ(get('B'), -2);
    EXPECT_EQ(samples(6), 1);
    // Off the ground the skid ends; jump from it takes off.
    set('L', 0);
    kit.run(1);
    EXPECT_EQ(get('M'), 0);
    in_mode(4, true);
    controls({'D', 'K'});
    kit.run(1);
    EXPECT_EQ(EventKit::values(player(), "GBMS"), doubles(-6.5, -1, 1, 1));
}

TEST_F(SkidAndRoll, a_slow_roll_keeps_state_8_and_stands_up_on_its_31st_tick)
{
    tune('O', 0.25);
    in_mode(6, true);
    set('B', 3);
    std::vector<double> speeds;
    int ticks = 0;
    while (get('M') == 6 && ticks < 40) {
        kit.run(1);
        ++ticks;
        speeds.push_back(get('B'));
        if (get('M') == 6) {
            EXPECT_EQ(state(), 8);
            EXPECT_EQ(roll_ticks(), ticks);
        }
    }
    EXPECT_EQ(ticks, 31);
    EXPECT_EQ(std::vector<double>(speeds.begin(), speeds.begin() + 4), doubles(2.75, 2.5, 2.25, 2));
    EXPECT_EQ(speeds.back(), 0);  // friction stops at 0
    EXPECT_EQ(roll_ticks(), 0);
    EXPECT_EQ(get('S'), 1);

    // Up pressed stands up at once.
    in_mode(6, true);
    set('B', 5);
    controls({'G'});
    kit.run(1);
    EXPECT_EQ(get('M'), 0);
}

TEST_F(SkidAndRoll, the_slope_pulls_the_roll_down_and_the_roll_jumps_across_the_ground)
{
    tune('Q', 0.5);
    tune('R', 0.25);
    const double pull = std::sin(30 / 57.29577951308232);
    // Uphill on 30 degrees right, then left on the mirrored slope.
    for (const auto& [angle, speed, after] :
         {std::tuple{30.0, 4.0, 4 - pull * 0.5}, {30.0, -4.0, -4 - pull * 0.25},
          {330.0, -4.0, -4 - std::sin(330 / 57.29577951308232) * 0.5}, {180.0, 4.0, 4.0}}) {
        in_mode(6, true);
        set('N', angle);
        set('B', speed);
        controls({});
        kit.run(1);
        EXPECT_EQ(get('B'), after) << angle << " " << speed;
    }

    tune('Q', 0);
    tune('R', 0);
    // Jumping at 90 and at 180 degrees uses exact zeros.
    for (const auto& [angle, g, b] : {std::tuple{90.0, -2.0, -6.5}, {180.0, 6.5, -2.0}}) {
        in_mode(6, true);
        set('N', angle);
        set('B', 2);
        controls({'K'});
        kit.run(1);
        EXPECT_EQ(EventKit::values(player(), "GBNLMS"), doubles(g, b, 0, 0, 1, 1)) << angle;
    }

    // With Y = 1 jump does nothing; rolling off an edge is a fall without
    // the release cap.
    tune('Y', 1);
    in_mode(6, true);
    set('N', 0);
    kit.run(1);
    EXPECT_EQ(get('M'), 6);
    set('L', 0);
    kit.run(1);
    EXPECT_EQ(get('M'), 1);
    EXPECT_EQ(EventKit::value(object(types::PlayerActionValuesA_86), 'C'), 0);
}

TEST_F(SkidAndRoll, a_roll_slows_uphill_by_factor_q_and_speeds_downhill_by_factor_r_on_either_side_of_180)
{
    tune('Q', 0.5);
    tune('R', 0.25);
    auto sin_of = [](double angle) { return std::sin(angle / 57.29577951308232); };
    // Rightwards past 180 and leftwards below it run downhill (R); the
    // other two run uphill (Q). Three ticks each, from 4 a tick.
    struct Case {
        double angle, speed, factor;
    };
    for (const Case& c : {Case{210, 4, 0.25}, Case{181, 4, 0.25}, Case{330, 4, 0.25}, Case{150, -4, 0.25},
                          Case{210, -4, 0.5}, Case{150, 4, 0.5}}) {
        SCOPED_TRACE(testing::Message() << "N " << c.angle << " B " << c.speed);
        in_mode(6, true);
        set('N', c.angle);
        set('B', c.speed);
        controls({});
        double expected = c.speed;
        for (int tick = 1; tick <= 3; ++tick) {
            kit.run(1);
            expected -= sin_of(c.angle) * c.factor;
            EXPECT_EQ(get('B'), expected) << "tick " << tick;
            EXPECT_EQ(get('M'), 6);
        }
    }
}
