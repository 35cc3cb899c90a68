// Hespin's aiming arm: placement, aim, recoil, idle count and put-away.
#include "tests/game/events/move_sets/hespin_stage.h"

using HespinAimingArm = hespin_test::HespinStage;

namespace {

const std::vector<hespin_test::Event> arm_events = {
    &Frames::event_func_1372, &Frames::event_func_1373, &Frames::event_func_1374, &Frames::event_func_1375,
    &Frames::event_func_1376, &Frames::event_func_1377, &Frames::event_func_1378, &Frames::event_func_1379,
    &Frames::event_func_1380, &Frames::event_func_1381, &Frames::event_func_1382};

}  // namespace

TEST_F(HespinAimingArm, aim_follows_up_and_down_the_facing_and_the_ground)
{
    enter(arm_events);
    auto aim_after = [&](double facing, double on_ground, std::initializer_list<char> on) {
        set_player('Q', facing);
        set_player('L', on_ground);
        controls(on);
        kit.run(1);
        return EventKit::value(skin(), 'B');
    };
    EXPECT_EQ(aim_after(1, 1, {'A', 'B'}), 45);
    EXPECT_EQ(aim_after(1, 0, {'A', 'B'}), 0);
    EXPECT_EQ(aim_after(1, 0, {'B'}), -45);
    EXPECT_EQ(aim_after(1, 1, {'B'}), 0);
    EXPECT_EQ(aim_after(-1, 0, {'B', 'F'}), -45);
    EXPECT_TRUE(EventKit::flag(skin(), 3));
    EXPECT_EQ(aim_after(-1, 1, {'A'}), 45);
    EXPECT_FALSE(EventKit::flag(skin(), 3));
    // A straight up aim set elsewhere stays while firing and raises no flag.
    EventKit::set_value(skin(), 'B', 90);
    EXPECT_EQ(aim_after(1, 1, {'F'}), 90);
    EXPECT_FALSE(EventKit::flag(skin(), 3));
    EXPECT_EQ(aim_after(1, 1, {}), 0);
}

TEST_F(HespinAimingArm, arm_sits_behind_the_body_turned_by_recoil_and_aim_then_is_put_away)
{
    enter(arm_events);
    skin()->set_global_position(320, 180);
    EventKit::set_value(arm(), 'A', 12);
    EventKit::set_value(skin(), 'B', 45);
    set_player('Q', -1);
    set_player('L', 1);
    controls({'A'});
    kit.run(1);
    // Facing left the arm turns by -(12 + 45); the recoil was read before it fell.
    EXPECT_EQ(arm()->get_angle(), -57);
    EXPECT_EQ(arm()->get_x(), skin()->get_action_x());
    EXPECT_EQ(arm()->get_y(), skin()->get_action_y());
    EXPECT_LT(arm()->depth, skin()->depth);

    // Recoil 6: A 2 and B 0, then A 0 and B 1; hidden on the 16th idle tick.
    controls({});
    EventKit::set_value(arm(), 'A', 6);
    arm()->set_visible(true);
    std::vector<double> recoil, idle;
    int hidden_on = 0;
    for (int tick = 1; tick <= 20 && !hidden_on; ++tick) {
        kit.run(1);
        recoil.push_back(EventKit::value(arm(), 'A'));
        idle.push_back(EventKit::value(arm(), 'B'));
        if (!(arm()->flags & FrameObject::VISIBLE))
            hidden_on = tick;
    }
    EXPECT_EQ(std::vector<double>(recoil.begin(), recoil.begin() + 3), doubles(2, 0, 0));
    EXPECT_EQ(std::vector<double>(idle.begin(), idle.begin() + 3), doubles(0, 1, 2));
    EXPECT_EQ(hidden_on, 17);
    EXPECT_EQ(idle.back(), 16);

    // Mode 37 ends the aim pose every tick but leaves a fresh arm shown.
    EventKit::set_value(arm(), 'B', 0);
    arm()->set_visible(true);
    set_player('M', 37);
    EventKit::set_value(skin(), 'A', 60);
    kit.run(1);
    EXPECT_EQ(EventKit::value(skin(), 'A'), 0);
    EXPECT_TRUE(arm()->flags & FrameObject::VISIBLE);

    // Mode 8 cancels the aim: the arm's recoil and cool-down go too; the
    // skin's cool-down falls to 0 and stays.
    set_player('M', 8);
    EventKit::set_value(arm(), 'A', 20);
    EventKit::set_value(arm(), 'C', 5);
    EventKit::set_value(skin(), 'C', 1);
    kit.run(2);
    EXPECT_EQ(EventKit::values(arm(), "AC"), doubles(0, 0));
    EXPECT_EQ(EventKit::value(skin(), 'C'), 0);
}
