// The timed states (modes 8 and 12), pushing against a wall (11), the
// ladder grab (25), modes 38 and 39, and Yelto's moves in free air (40).
#include "tests/game/events/player_actions/action_group_stage.h"

#include <gtest/gtest.h>

using namespace action_group_test;

namespace {

class WallPushAndTimedModes : public ActionGroupTest {
protected:
    Active* icon() { return static_cast<Active*>(object(types::GUIIcon_108)); }
    double ticks_counted() { return EventKit::value(yelto(), 'O'); }
    void wall_contacts(double left, double right)
    {
        EventKit::set_value(object(types::PlayerSensorLeftBig_89), 'Z', left);
        EventKit::set_value(object(types::PlayerSensorRightBig_91), 'Z', right);
    }
};

}  // namespace

TEST_F(WallPushAndTimedModes, the_timed_fall_accelerates_to_5_calls_for_help_once_and_times_out_on_its_31st_tick)
{
    icon()->force_animation(1);
    in_mode(8, false);
    set('G', 4.9);
    set('I', 0.5);
    set('B', 3);
    EventKit::set_value(object(types::PlayerOthers_75), 'L', 4);
    int ticks = 0;
    while (get('M') == 8 && ticks < 40) {
        kit.run(1);
        ++ticks;
        if (get('M') == 8) {
            EXPECT_EQ(state(), 9);
            EXPECT_EQ(get('G'), 5.4);
            EXPECT_EQ(ticks_counted(), ticks);
        }
    }
    EXPECT_EQ(ticks, 31);
    EXPECT_EQ(EventKit::values(player(), "BSTU"), doubles(0, 1, 1, 1));
    EXPECT_EQ(state(), 40);
    EXPECT_EQ(ticks_counted(), 0);
    EXPECT_EQ(icon()->forced_animation, -1);
    EXPECT_EQ(samples(71), 1);  // Yelto's call for help
}

TEST_F(WallPushAndTimedModes, the_timed_pose_ends_when_the_skin_has_played_animation_27_out_keeping_the_speed)
{
    yelto()->force_animation(27);
    yelto()->force_speed(100);
    in_mode(12, true);
    set('B', 3);
    int ticks = 0;
    while (get('M') == 12 && ticks < 40) {
        kit.run(1);
        ++ticks;
        if (get('M') == 12) {
            EXPECT_EQ(state(), 25);
        }
    }
    EXPECT_LT(ticks, 31);
    EXPECT_EQ(get('B'), 3);
    EXPECT_EQ(state(), 40);
    EXPECT_EQ(ticks_counted(), 0);
}

TEST_F(WallPushAndTimedModes, the_wall_push_lasts_while_the_touching_side_is_pushed_and_jump_leaves_it)
{
    in_mode(11, true);
    set('S', 0);
    wall_contacts(0, 1);
    controls({'D'});
    kit.run(3);
    EXPECT_EQ(get('M'), 11);
    EXPECT_EQ(state(), 13);
    EXPECT_EQ(get('S'), 1);
    controls({});
    kit.run(1);
    EXPECT_EQ(get('M'), 0);

    // Nothing held: both sensors or neither end it; one alone does not
    // while its side is still held.
    for (const auto& [left, right, held, ends] : {std::tuple{1.0, 1.0, 'A', true}, {0.0, 0.0, 'A', true},
                                                   {1.0, 0.0, 'C', false}, {0.0, 1.0, 'D', false}}) {
        in_mode(11, true);
        wall_contacts(left, right);
        controls({held});
        kit.run(1);
        EXPECT_EQ(get('M'), ends ? 0 : 11) << left << right;
    }

    controls({'D', 'K'});
    kit.run(1);
    EXPECT_EQ(EventKit::values(player(), "GLM"), doubles(-6.5, 0, 1));
    EXPECT_FALSE(kit.frames().level_group_21);
}

TEST_F(WallPushAndTimedModes, the_ladder_grab_hands_over_after_8_ticks_and_mode_39_ends_facing_right_on_any_motion)
{
    EventKit::set_value(object(types::MasterCamera_190), 'M', 5);
    in_mode(25, false);
    for (int t = 1; t <= 7; ++t) {
        kit.run(1);
        EXPECT_EQ(state(), 28);
        EXPECT_EQ(ticks_counted(), t);
    }
    kit.run(1);
    EXPECT_EQ(state(), 27);
    EXPECT_EQ(EventKit::values(player(), "MSTU"), doubles(46, 1, 0, 0));
    EXPECT_EQ(EventKit::value(object(types::MasterCamera_190), 'M'), 0);
    EXPECT_EQ(ticks_counted(), 0);

    const int skins[] = {types::PlayerSkinYelto_102, types::PlayerSkinOrrun_290, types::PlayerSkinPimsa_324,
                         types::PlayerSkinDorrik_339, types::PlayerSkinHespin_351};
    for (const int skin : skins)
        object(skin)->set_direction(16, true);
    in_mode(39, true);
    set_state(7);
    kit.run(1);  // standing still
    EXPECT_EQ(get('M'), 39);
    EXPECT_EQ(state(), 7);
    set('G', 0.5);
    kit.run(1);
    EXPECT_EQ(get('M'), 0);
    EXPECT_EQ(state(), 0);
    for (const int skin : skins)
        EXPECT_EQ(object(skin)->get_direction(), skin == types::PlayerSkinHespin_351 ? 16 : 0);

    in_mode(38, false);
    set_state(45);
    kit.run(1);
    EXPECT_EQ(state(), 45);
    set_state(3);
    kit.run(1);
    EXPECT_EQ(state(), 46);
}

TEST_F(WallPushAndTimedModes, yelto_jumps_in_free_air_at_least_3_upward_unless_down_is_held)
{
    FrameObject* counters = object(types::PlayerActionValuesB_164);
    for (const auto& [before, down, after] : {std::tuple{-5.0, false, -5.0}, {2.0, false, -3.0}, {2.0, true, 0.0}}) {
        in_mode(40, false);
        set('G', before);
        EventKit::set_value(counters, 'O', 0);
        EventKit::set_value(yelto(), 'I', 9);
        controls(down ? std::initializer_list<char>{'K', 'B'} : std::initializer_list<char>{'K'});
        kit.run(1);
        EXPECT_EQ(EventKit::values(player(), "GM"), doubles(after, 26));
        EXPECT_EQ(EventKit::value(counters, 'O'), 1);
        EXPECT_EQ(EventKit::value(yelto(), 'I'), 0);
        EXPECT_EQ(samples(163), 1);
        EXPECT_EQ(state(), 40);
    }
    // A second jump waits for the landing; down and the second button is
    // the downward move.
    in_mode(40, false);
    controls({'B', 'L'});
    kit.run(1);
    EXPECT_EQ(get('M'), 19);
    EXPECT_EQ(EventKit::value(object(types::PlayerSkinOrrun_290), 'B'), 2);
    EXPECT_FALSE(kit.frames().level_group_30);
}

TEST_F(WallPushAndTimedModes, the_timed_fall_gains_i_each_tick_only_while_its_vertical_speed_is_below_5)
{
    in_mode(8, false);
    set('G', 3.5);
    set('I', 0.5);
    std::vector<double> falls;
    for (int tick = 0; tick < 5; ++tick) {
        kit.run(1);
        falls.push_back(get('G'));
    }
    EXPECT_EQ(falls, doubles(4, 4.5, 5, 5, 5));

    // From exactly 5 it no longer grows; a rise keeps gaining.
    in_mode(8, false);
    EventKit::set_value(yelto(), 'O', 0);
    set('G', 5);
    set('I', 0.25);
    kit.run(2);
    EXPECT_EQ(get('G'), 5);
    set('G', -2);
    kit.run(2);
    EXPECT_EQ(get('G'), -1.5);
    EXPECT_EQ(get('M'), 8);
}
