// Orrun's dash: the jump press that starts it, four ticks of aiming, the
// burst, eight ticks along each of the eight directions with after-images,
// the plain end, the chained dash and the end under a ceiling.
#include "tests/game/events/move_sets/orrun_stage.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

constexpr unsigned burst_sample = 116;

class OrrunDash : public orrun_test::OrrunStage {
protected:
    // The jump pressed in the air in the ground mode starts the dash.
    void press_dash(double facing)
    {
        for (auto [letter, n] : {std::pair{'M', 0.0}, {'L', 0}, {'Q', facing}, {'G', 5}})
            set_player(letter, n);
        EventKit::set_value(kit.instance(types::PlayerActionValuesB_164), 'O', 0);
        tick({'K'});
        ASSERT_EQ(doubles(movement('M'), other('N')), doubles(21, 0));
    }
};

}  // namespace

TEST_F(OrrunDash, aims_for_four_ticks_then_dashes_eight_in_each_of_the_eight_directions)
{
    struct Line {
        std::initializer_list<char> held;
        double facing, index, along, fall, facing_after;
    };
    // Up and down together aim down; up or down alone keeps the facing.
    const Line lines[] = {
        {{}, 1, 0, 16, 0, 1},             {{'A', 'D'}, 1, 1, 10, -10, 1}, {{'A'}, -1, 2, 0, -16, -1},
        {{'A', 'C'}, 1, 3, -10, -10, -1}, {{}, -1, 4, -16, 0, -1},        {{'B', 'C'}, 1, 5, -10, 10, -1},
        {{'B', 'A'}, 1, 6, 0, 16, 1},     {{'B', 'D'}, -1, 7, 10, 10, 1},
    };
    for (const Line& d : lines) {
        press_dash(d.facing);
        for (double n : {4, 8, 12, 16}) {
            EXPECT_TRUE(tick(d.held).empty());
            EXPECT_EQ(doubles(other('N'), other('Y'), other('Q'), movement('G')), doubles(n, 3, d.index, 0));
        }
        const size_t images = kit.instances(types::EffectsOrrunImage_335).size();
        EXPECT_EQ(tick(d.held), std::vector<unsigned>{burst_sample});
        FrameObject* burst = kit.instance(types::EffectsExplosion01_130);
        EXPECT_EQ(burst->get_y(), kit.instance(types::Player_87)->get_y() - 12);
        EXPECT_EQ(static_cast<Active*>(burst)->x_scale, 0.75f);
        for (int t = 0; t < 7; ++t) {
            EXPECT_EQ(EventKit::values(player(), "BGQTUZ"), doubles(d.along, d.fall, d.facing_after, 1, 1, 1))
                << d.index;
            EXPECT_EQ(doubles(other('D'), other('E'), other('K')), doubles(1, 4, 0));
            tick(d.held);
        }
        EXPECT_EQ(kit.instances(types::EffectsOrrunImage_335).size() - images, 4u);
        // The plain end: the ground mode, at most 5 across and 3 up or down.
        EXPECT_EQ(doubles(movement('M'), other('N'), other('Y'), movement('B'), movement('G')),
                  doubles(0, 0, 3, std::clamp(d.along, -5.0, 5.0), std::clamp(d.fall, -3.0, 3.0)));
        EXPECT_EQ(doubles(sprite()->current_animation, sprite()->get_frame()), doubles(24, 3));
    }
}

TEST_F(OrrunDash, a_jump_press_while_dashing_chains_one_more_dash_and_a_ceiling_ends_an_upward_one)
{
    press_dash(1);
    for (int t = 0; t < 6; ++t)
        tick();
    tick({'K'});
    EXPECT_EQ(doubles(EventKit::flag(orrun(), 0), air_actions()), doubles(true, 2));
    // A second request in the same dash does nothing, whatever the count.
    EventKit::set_value(kit.instance(types::PlayerActionValuesB_164), 'O', 0);
    tick({'K'});
    EXPECT_EQ(air_actions(), 0);
    while (other('N') > 20)
        tick();
    // Chained: still dashing, at most 3 a tick; 7 ticks of aim, the burst on the 8th.
    EXPECT_EQ(doubles(movement('M'), other('N'), movement('B'), movement('G')), doubles(21, -12, 3, 0));
    for (int t = 0; t < 7; ++t)
        EXPECT_TRUE(tick().empty());
    EXPECT_EQ(tick(), std::vector<unsigned>{burst_sample});

    press_dash(1);
    for (int t = 0; t < 5; ++t)
        tick({'A'});
    EXPECT_EQ(doubles(other('N'), movement('G')), doubles(22, -16));
    EventKit::set_value(kit.instance(types::PlayerSensorTopBig_93), 'Z', 1);
    tick({'A'});
    EXPECT_EQ(doubles(movement('M'), movement('G'), other('Y')), doubles(0, -3, 3));
}

TEST_F(OrrunDash, from_no_air_actions_two_chains_follow_one_another_and_a_third_press_is_refused)
{
    // Ticks while the dash is (or is not) under way, at most 20.
    auto tick_while = [&](bool dashing) {
        for (int t = 0; t < 20 && (other('N') > 20) == dashing; ++t)
            tick();
    };
    press_dash(1);
    for (double count : {0, 1, 2}) {
        SCOPED_TRACE(testing::Message() << "air actions " << count);
        tick_while(false);
        if (count == 0)
            EventKit::set_value(kit.instance(types::PlayerActionValuesB_164), 'O', 0);
        ASSERT_EQ(air_actions(), count);
        tick({'K'});
        EXPECT_EQ(doubles(EventKit::flag(orrun(), 0), air_actions()), doubles(count < 2, std::min(count + 1, 2.0)));
        tick_while(true);
        EXPECT_EQ(doubles(movement('M'), other('N')), count < 2 ? doubles(21, -12) : doubles(0, 0));
    }
}
