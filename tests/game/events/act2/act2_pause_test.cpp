// Act 2's pause and resume on the act's own instances: the pause press
// freezes the level, the sounds and the listed animations and movements
// behind the panel; the pause press or confirming the first entry thaws
// them, once the panel is open.
#include "audio/media.h"
#include "game/frames/event_support.h"
#include "objects/active.h"
#include "runtime/movement.h"
#include "tests/support/event_kit.h"

#include <gtest/gtest.h>

namespace {

bool animating(FrameObject* object)
{
    return !(static_cast<Active*>(object)->active_flags & Active::ANIMATION_STOPPED);
}

class Act2Pause : public ::testing::Test {
protected:
    void SetUp() override
    {
        // The act as set up, with its pause events and the panel's count-down
        // as the whole tick.
        kit.enter_empty_frame({.index = 5,
                               .handler = [](Frames& f) {
                                   f.event_func_2484();
                                   f.event_func_2485();
                                   f.event_func_2163();
                               },
                               .set_up = [](Frames& f) {
                                   f.on_frame_6_init();
                                   f.level_group_25 = true;
                               }});
        input = kit.instance(types::InputsP1_23);
        panel = kit.instance(types::GUIPause_109);
        cursor = kit.instance(types::Crystal_321);
        kit.take_sounds();
    }

    // One tick with the pause (P) or confirm (M) control pressed on it.
    void press(char letter)
    {
        EventKit::set_value(input, letter, 1);
        kit.run(1);
        EventKit::set_value(input, letter, 0);
    }

    double state() const { return EventKit::value(panel, 'A'); }

    EventKit kit;
    FrameObject* input = nullptr;
    FrameObject* panel = nullptr;
    FrameObject* cursor = nullptr;
};

}  // namespace

TEST_F(Act2Pause, pausing_freezes_the_listed_things_and_resuming_thaws_them)
{
    Frames& f = kit.frames();
    FrameObject* thornak = kit.instance(types::EnemyThornak_394);
    FrameObject* crystal = kit.instance(types::ObjectCrystal_239);
    FrameObject* door = kit.instance(types::SwitchDoor_378);
    FrameObject* yelto = kit.instance(types::PlayerSkinYelto_102);
    FrameObject* sign = kit.instance(types::Sign_361);  // not listed
    FrameObject* shield_effect = kit.place("EffectsShield_313", 100, 100, 2);
    ASSERT_TRUE(thornak && crystal && door && yelto && sign);
    crystal->get_movement()->set_max_speed(30);
    crystal->get_movement()->set_speed(30);
    shield_effect->get_movement()->set_max_speed(10);
    shield_effect->get_movement()->set_speed(10);
    // Stopped before the pause by an event of its own: running after it.
    static_cast<Active*>(door)->stop_animation();

    press('P');
    EXPECT_FALSE(f.level_group_43);
    EXPECT_TRUE(panel->flags & FrameObject::VISIBLE);
    EXPECT_TRUE(cursor->flags & FrameObject::VISIBLE);
    EXPECT_EQ(state(), 4);  // 5, then the menu's count-down
    EXPECT_EQ(sample_count(kit.take_sounds(), 53), 1);
    for (FrameObject* frozen : {thornak, crystal, door, yelto})
        EXPECT_FALSE(animating(frozen));
    EXPECT_TRUE(animating(sign));
    EXPECT_EQ(crystal->get_movement()->get_speed(), 0);
    EXPECT_EQ(shield_effect->get_movement()->get_speed(), 0);
    EXPECT_TRUE(animating(shield_effect));

    // The panel is still opening: the pause press does nothing yet.
    press('P');
    EXPECT_EQ(state(), 3);
    EXPECT_FALSE(f.level_group_43);
    // Confirm resumes only on the first entry.
    EventKit::set_value(cursor, 'A', 1);
    press('M');
    EXPECT_FALSE(f.level_group_43);
    EventKit::set_value(cursor, 'A', 0);
    press('M');
    EXPECT_TRUE(f.level_group_43);
    EXPECT_EQ(state(), 1);
    EXPECT_FALSE(panel->flags & FrameObject::VISIBLE);
    EXPECT_FALSE(cursor->flags & FrameObject::VISIBLE);
    for (FrameObject* thawed : {thornak, crystal, door, yelto})
        EXPECT_TRUE(animating(thawed));
    EXPECT_EQ(crystal->get_movement()->get_speed(), 30);

    // Closing: pausing again waits for the panel to reach 0.
    press('P');
    EXPECT_TRUE(f.level_group_43);
    kit.run(1);
    EXPECT_EQ(state(), 0);
    press('P');
    EXPECT_FALSE(f.level_group_43);
    // With the panel open the pause press resumes, wherever the cursor is.
    kit.run(1);
    EventKit::set_value(cursor, 'A', 2);
    press('P');
    EXPECT_TRUE(f.level_group_43);
}

TEST_F(Act2Pause, no_pause_while_the_player_dies_or_the_game_is_over)
{
    FrameObject* player = kit.instance(types::Player_87);
    for (int flag : {8, 9}) {
        set_flag(player, flag, true);
        press('P');
        EXPECT_TRUE(kit.frames().level_group_43) << flag;
        EXPECT_EQ(state(), 0);
        set_flag(player, flag, false);
    }
    // Outside the pause menu group nothing happens either.
    kit.frames().level_group_25 = false;
    press('P');
    EXPECT_TRUE(kit.frames().level_group_43);
}
