// A death request becomes a dying mode once, through the tick's own check or
// the check_death loop; a launch cancels an action mode; rolling or riding
// into an item box from the side marks it for breaking.
#include "tests/game/events/player_physics/player_course.h"

#include <gtest/gtest.h>

using namespace player_course;

namespace {

class DeathCheck : public ::testing::Test {
protected:
    void SetUp() override
    {
        course.enter("");
        Frames& f = frames();
        for (bool* group : {&f.level_group_7, &f.level_group_24, &f.level_group_73, &f.level_group_1,
                            &f.level_group_61, &f.level_group_3, &f.level_group_6})
            *group = true;
        f.global_group_12 = true;  // Yelto's voice
        course.stand(200, 200, 0, 1, 4, 3);
        course.set('M', 1);
        course.kit.take_sounds();
    }
    Frames& frames() { return course.kit.frames(); }
    void check_death() { frames().run_loop(frames().fast_loop_check_death, 1, &Frames::loop_check_death_4); }
    Course course;
};

class SideContacts : public DeathCheck {
protected:
    void SetUp() override
    {
        DeathCheck::SetUp();
        left_box = course.kit.place("MonitorCrystals_120", 200 - 13 - 10, 198);
        right_box = course.kit.place("MonitorCrystals_120", 200 + 13 + 10, 198);
        frames().loop_player01allsensors_4();
    }
    // Clears both marks, runs the three contact events and says which boxes broke.
    std::pair<bool, bool> contacts(double mode, double speed, double character = 0)
    {
        left_box->alterables->flags = right_box->alterables->flags = 0;
        course.set('M', mode);
        course.set('B', speed);
        course.set('A', character);
        frames().run_loop(frames().fast_loop_player01_interruption_control, 1, [this] {
            frames().event_func_534();
            frames().event_func_535();
            frames().event_func_536();
        });
        return {EventKit::flag(left_box, 6), EventKit::flag(right_box, 6)};
    }
    FrameObject* left_box = nullptr;
    FrameObject* right_box = nullptr;
};

using Broken = std::pair<bool, bool>;

}  // namespace

TEST_F(DeathCheck, the_first_kind_of_request_drops_the_player_says_so_and_quiets_the_action_groups)
{
    course.set('R', 2);
    check_death();
    EXPECT_EQ(course.get('M'), 9);
    EXPECT_EQ(course.get('L'), 0);
    EXPECT_EQ(course.get('R'), 0);
    EXPECT_EQ(course.get('G'), 3);  // the fall goes on
    const std::vector<SoundStart> sounds = course.kit.take_sounds();
    ASSERT_EQ(sounds.size(), 1u);
    EXPECT_EQ(sounds[0].id, 72u);
    Frames& f = frames();
    for (bool group : {f.level_group_24, f.level_group_73, f.level_group_1, f.level_group_61, f.level_group_3,
                       f.level_group_7, f.level_group_6})
        EXPECT_FALSE(group);
    EXPECT_TRUE(f.level_group_43 && f.level_group_23);
    // A second request finds the check switched off.
    course.set('R', 2);
    course.set('M', 1);
    check_death();
    EXPECT_EQ(course.get('M'), 1);
    EXPECT_EQ(course.get('R'), 2);
    EXPECT_TRUE(course.kit.take_sounds().empty());
}

TEST_F(DeathCheck, the_second_kind_stops_the_player_in_the_air_without_a_word)
{
    course.set('R', 3);
    check_death();
    EXPECT_EQ(course.get('M'), 10);
    EXPECT_EQ(course.get('L'), 0);
    EXPECT_EQ(course.get('G'), 0);
    EXPECT_EQ(course.get('R'), 0);
    EXPECT_TRUE(course.kit.take_sounds().empty());
    EXPECT_TRUE(frames().level_group_7 && frames().level_group_24 && frames().level_group_6);
}

TEST_F(DeathCheck, no_request_or_a_group_off_changes_nothing)
{
    check_death();
    EXPECT_EQ(course.get('M'), 1);
    for (bool* group : {&frames().level_group_7, &frames().level_group_23}) {
        *group = false;
        course.set('R', 3);
        check_death();
        EXPECT_EQ(course.get('M'), 1);
        EXPECT_EQ(course.get('R'), 3);
        *group = true;
    }
}

TEST_F(DeathCheck, a_launch_ends_an_action_mode_and_only_those)
{
    for (double mode : {20.0, 21.0, 23.0, 25.0, 26.0}) {
        course.set('M', mode);
        course.set('S', 0);
        frames().run_loop(frames().fast_loop_player01_interruption_action, 1,
                          &Frames::loop_player01_interruption_action_4);
        const bool action = mode >= 21 && mode <= 25;
        EXPECT_EQ(course.get('M'), action ? 0 : mode) << mode;
        EXPECT_EQ(course.get('S'), action ? 1 : 0) << mode;
    }
}

TEST_F(SideContacts, rolling_breaks_the_box_ahead_and_standing_still_breaks_both)
{
    EXPECT_EQ(contacts(5, 3), Broken(false, true));
    EXPECT_EQ(contacts(6, -3), Broken(true, false));
    EXPECT_EQ(contacts(5, 0), Broken(true, true));
    // Not rolling: running into them does nothing.
    EXPECT_EQ(contacts(1, 3), Broken(false, false));
    EXPECT_EQ(contacts(7, -3), Broken(false, false));
}

TEST_F(SideContacts, the_bike_breaks_boxes_at_speed_with_its_right_sensor_alone_either_way)
{
    EXPECT_EQ(contacts(1, 6, 3), Broken(false, true));
    EXPECT_EQ(contacts(1, -6, 3), Broken(false, true));
    EXPECT_EQ(contacts(1, 5, 3), Broken(false, false));
    EXPECT_EQ(contacts(1, 6, 2), Broken(false, false));
}

TEST_F(SideContacts, a_box_out_of_reach_is_left_alone)
{
    right_box->set_x(300);
    EXPECT_EQ(contacts(5, 3), Broken(false, false));
}

// On the act's own tick: a request of the first kind is turned by the tick's
// check; once the second kind has started its sequence, that sequence quiets
// the hurt group before the check, so a later request only finds the dying
// mode held at 9 by the group-24 guard.
TEST(DeathCheckInAct1, the_acts_tick_turns_a_request_into_the_dying_mode)
{
    EventKit kit;
    kit.enter_frame(4);
    FrameObject* values = kit.instance(types::PlayerMovementValues_80);
    ASSERT_NE(values, nullptr);
    EventKit::set_value(values, 'L', 1);
    EventKit::set_value(values, 'R', 2);
    kit.run(1);
    EXPECT_EQ(EventKit::value(values, 'M'), 9);
    EXPECT_EQ(EventKit::value(values, 'R'), 0);
    EXPECT_EQ(EventKit::value(values, 'L'), 0);
    EXPECT_FALSE(kit.frames().level_group_7);
    EXPECT_FALSE(kit.frames().level_group_24);

    kit.enter_frame(4);
    values = kit.instance(types::PlayerMovementValues_80);
    ASSERT_NE(values, nullptr);
    ASSERT_TRUE(kit.frames().level_group_7);
    EventKit::set_value(values, 'G', 2);
    EventKit::set_value(values, 'R', 3);
    kit.run(1);
    EXPECT_EQ(EventKit::value(values, 'M'), 10);
    EXPECT_EQ(EventKit::value(values, 'R'), 0);
    EXPECT_EQ(EventKit::value(values, 'L'), 0);
    EXPECT_TRUE(kit.frames().level_group_7);
    EventKit::set_value(values, 'R', 2);
    kit.run(1);
    EXPECT_FALSE(kit.frames().level_group_7);
    EXPECT_FALSE(kit.frames().level_group_24);
    EXPECT_EQ(EventKit::value(values, 'R'), 2);  // the check never ran
    EXPECT_EQ(EventKit::value(values, 'M'), 9);
}
