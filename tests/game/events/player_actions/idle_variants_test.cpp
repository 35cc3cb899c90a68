// Standing still: the idle counter, the variants that turn the skins, the
// variant's voice at frame 4 and its end at frame 0.
#include "tests/game/events/player_actions/ground_mode_stage.h"

#include "game/frames/event_support.h"
#include "objects/active.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace ground_mode_test;

namespace {

constexpr int voice_played = 19;

Active* as_active(FrameObject* object) { return static_cast<Active*>(object); }

class IdleTest : public GroundModeTest {
protected:
    FrameObject* skin(int type) { return kit.instance(type); }
    FrameObject* yelto() { return skin(types::PlayerSkinYelto_102); }
    int direction(int type) { return skin(type)->get_direction(); }
    double counter() { return EventKit::value(others(), 'M'); }
    double stage() { return EventKit::value(yelto(), 'J'); }
    void show_frame(int type, int frame) { as_active(skin(type))->force_frame(frame); }
    void at_the_limit(double character, double stage_now)
    {
        set_player('A', character);
        EventKit::set_value(others(), 'M', 500);
        EventKit::set_value(yelto(), 'J', stage_now);
    }
};

bool turned_by_one_or_two(int direction) { return direction == 1 || direction == 2; }

}  // namespace

TEST_F(IdleTest, yelto_stands_to_500_waits_for_frame_1_then_plays_speaks_once_and_ends)
{
    enter();
    kit.frames().global_group_12 = true;
    show_frame(types::PlayerSkinYelto_102, 0);
    const double first = counter();
    ASSERT_EQ(first, 1);  // the frame's first tick stood already
    for (int tick = 1; tick <= 520; ++tick) {
        kit.run(1);
        ASSERT_EQ(counter(), std::min(first + tick, 500.0)) << tick;
    }
    EXPECT_EQ(direction(types::PlayerSkinYelto_102), 0);

    // Frame 1: the variant of stage 0 turns Yelto, the hair and the skins no
    // block names; Orrun's and Pimsa's skins are named and stay.
    show_frame(types::PlayerSkinYelto_102, 1);
    EventKit::set_value(yelto(), 'J', 0);
    kit.run(1);
    EXPECT_EQ(counter(), 501);
    EXPECT_EQ(stage(), 1);
    EXPECT_TRUE(turned_by_one_or_two(direction(types::PlayerSkinYelto_102)));
    EXPECT_EQ(direction(types::PlayerSkinOrrun_290), 0);
    EXPECT_EQ(direction(types::PlayerSkinPimsa_324), 0);
    EXPECT_TRUE(turned_by_one_or_two(direction(types::PlayerSkinPimsaBike_338)));
    EXPECT_TRUE(turned_by_one_or_two(direction(types::PlayerSkinDorrik_339)));
    EXPECT_EQ(as_active(skin(types::PlayerSkinYeltoHair_209))->get_frame(), 1);
    kit.run(3);
    EXPECT_EQ(counter(), 501);  // one variant a spell

    // Frame 4 of stage 3: the voice once, however long the frame lasts.
    EventKit::set_value(yelto(), 'J', 3);
    show_frame(types::PlayerSkinYelto_102, 4);
    kit.take_sounds();
    kit.run(1);
    EXPECT_EQ(kit.take_sounds().size(), 1u);
    EXPECT_TRUE(EventKit::flag(yelto(), voice_played));
    kit.run(2);
    EXPECT_EQ(kit.take_sounds().size(), 0u);

    // Back at frame 0: every skin plain again, the counter restarts, the
    // stage stays.
    show_frame(types::PlayerSkinYelto_102, 0);
    kit.run(1);
    for (const int type : {types::PlayerSkinYelto_102, types::PlayerSkinOrrun_290, types::PlayerSkinPimsa_324,
                           types::PlayerSkinPimsaBike_338, types::PlayerSkinDorrik_339})
        EXPECT_EQ(direction(type), 0) << type;
    EXPECT_EQ(counter(), 0);
    EXPECT_EQ(stage(), 3);
    EXPECT_EQ(as_active(skin(types::PlayerSkinYeltoHair_209))->get_frame(), 6);
    kit.run(1);
    EXPECT_EQ(counter(), 1);

    // A step off state 0 for a tick: counter and stage back to 0.
    set_state(1);
    set_player('B', 1);
    kit.run(1);
    set_player('B', 0);
    kit.run(1);
    EXPECT_EQ(counter(), 1);
    EXPECT_EQ(stage(), 0);
}

TEST_F(IdleTest, the_stage_chooses_the_turn_and_the_voice_loop)
{
    enter();
    show_frame(types::PlayerSkinYelto_102, 1);
    // Stage 2: a turn of 3, the voice cleared; 31 wraps to 2.
    yelto()->set_direction(31, true);
    ::set_flag(yelto(), voice_played, true);
    at_the_limit(0, 2);
    kit.run(1);
    EXPECT_EQ(direction(types::PlayerSkinYelto_102), 2);
    EXPECT_EQ(direction(types::PlayerSkinOrrun_290), 0);
    EXPECT_EQ(direction(types::PlayerSkinDorrik_339), 3);
    EXPECT_EQ(stage(), 3);
    EXPECT_FALSE(EventKit::flag(yelto(), voice_played));

    // Stage 6: a turn of 4; stage 8 stays 8.
    yelto()->set_direction(0, true);
    at_the_limit(0, 6);
    kit.run(1);
    EXPECT_EQ(direction(types::PlayerSkinYelto_102), 4);
    EXPECT_EQ(stage(), 7);
    yelto()->set_direction(0, true);
    at_the_limit(0, 8);
    kit.run(1);
    EXPECT_TRUE(turned_by_one_or_two(direction(types::PlayerSkinYelto_102)));
    EXPECT_EQ(stage(), 8);

    // A stage without a voice loop plays nothing, and the voice still counts.
    show_frame(types::PlayerSkinYelto_102, 4);
    EventKit::set_value(yelto(), 'J', 2);
    kit.frames().global_group_12 = true;
    kit.take_sounds();
    kit.run(1);
    EXPECT_EQ(kit.take_sounds().size(), 0u);
    EXPECT_TRUE(EventKit::flag(yelto(), voice_played));
}

TEST_F(IdleTest, orrun_stays_at_stage_6_and_the_bike_turns_from_150_on)
{
    enter();
    // Orrun at stage 6: turned by 4, Yelto's skin and the stage untouched.
    show_frame(types::PlayerSkinOrrun_290, 1);
    at_the_limit(1, 6);
    kit.run(1);
    EXPECT_EQ(direction(types::PlayerSkinOrrun_290), 4);
    EXPECT_EQ(direction(types::PlayerSkinYelto_102), 0);
    EXPECT_EQ(stage(), 6);
    EXPECT_EQ(counter(), 501);

    // The bike from 150 on, every tick at frame 1: Yelto, Dorrik and the
    // stage are left alone, the unnamed Orrun and Pimsa turn too.
    for (const int type : {types::PlayerSkinOrrun_290, types::PlayerSkinPimsa_324, types::PlayerSkinPimsaBike_338,
                           types::PlayerSkinDorrik_339})
        skin(type)->set_direction(0, true);
    show_frame(types::PlayerSkinPimsaBike_338, 1);
    set_player('A', 3);
    EventKit::set_value(others(), 'M', 149);
    kit.run(1);
    EXPECT_EQ(counter(), 151);
    EXPECT_TRUE(turned_by_one_or_two(direction(types::PlayerSkinPimsaBike_338)));
    EXPECT_TRUE(turned_by_one_or_two(direction(types::PlayerSkinOrrun_290)));
    EXPECT_TRUE(turned_by_one_or_two(direction(types::PlayerSkinPimsa_324)));
    EXPECT_EQ(direction(types::PlayerSkinYelto_102), 0);
    EXPECT_EQ(direction(types::PlayerSkinDorrik_339), 0);
    EXPECT_EQ(stage(), 6);
    const int bike_before = direction(types::PlayerSkinPimsaBike_338);
    kit.run(1);
    EXPECT_EQ(counter(), 153);
    EXPECT_NE(direction(types::PlayerSkinPimsaBike_338), bike_before);

    // The bike's variant ends at frame 0: a skin facing 24 snaps to 16.
    skin(types::PlayerSkinPimsaBike_338)->set_direction(24, true);
    show_frame(types::PlayerSkinPimsaBike_338, 0);
    kit.run(1);
    EXPECT_EQ(direction(types::PlayerSkinPimsaBike_338), 16);
    EXPECT_EQ(counter(), 0);

    // Hespin has no variant: the counter stops at 500.
    set_player('A', 5);
    show_frame(types::PlayerSkinYelto_102, 1);
    EventKit::set_value(others(), 'M', 499);
    kit.run(3);
    EXPECT_EQ(counter(), 500);
    EXPECT_EQ(direction(types::PlayerSkinYelto_102), 0);
}
