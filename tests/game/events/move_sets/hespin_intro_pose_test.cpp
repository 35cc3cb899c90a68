// Hespin's intro pose: held while the level card is mostly opaque, a
// sound at frame 6, and back to normal play when its animation ends.
#include "tests/game/events/move_sets/hespin_stage.h"

using HespinIntroPose = hespin_test::HespinStage;

namespace {

// The hoisted end first, then the mode rebuild's switch of the mode-37
// group, then the group's events in their place.
void pose_tick(Frames& f)
{
    f.event_func_1450();
    f.level_group_45 = f.instances[types::PlayerMovementValues_80].back->alterables->values.get('M' - 'A') == 37;
    for (auto event : {&Frames::event_func_1447, &Frames::event_func_1448, &Frames::event_func_1449,
                       &Frames::event_func_1451})
        (f.*event)();
}

}  // namespace

TEST_F(HespinIntroPose, held_behind_the_card_then_played_to_its_end_with_one_sound)
{
    enter_with(pose_tick);
    set_player('A', 5);
    set_player('M', 37);
    set_player('S', 1);
    FrameObject* card = kit.place("LevelCardFade_208", 0, 0, 0);
    Active* hespin = sprite(skin());
    hespin->force_animation(21);
    card->blend_color.a = 255;
    kit.run(1);
    EXPECT_EQ(other('Y'), 44);
    EXPECT_EQ(EventKit::value(player(), 'S'), 0);
    for (int alpha : {255, 130}) {
        card->blend_color.a = uint8_t(alpha);
        for (int tick = 0; tick < 5; ++tick) {
            kit.run(1);
            EXPECT_LE(hespin->get_frame(), 1) << alpha;
        }
    }
    card->blend_color.a = 129;
    kit.take_sounds();
    std::vector<int> frames;
    int ticks = 0;
    while (EventKit::value(player(), 'M') == 37 && ticks < 60) {
        kit.run(1);
        ++ticks;
        frames.push_back(hespin->get_frame());
    }
    EXPECT_EQ(std::count(frames.begin(), frames.end(), 6), 2);  // two ticks on frame 6
    EXPECT_EQ(sample_count(kit.take_sounds(), 203), 1);
    EXPECT_EQ(EventKit::values(player(), "MS"), doubles(0, 1));
}

TEST_F(HespinIntroPose, another_character_leaves_the_pose_at_once_and_no_card_never_holds)
{
    enter_with(pose_tick);
    set_player('A', 2);
    set_player('M', 37);
    Active* hespin = sprite(skin());
    hespin->force_animation(21);
    kit.run(1);
    EXPECT_EQ(EventKit::values(player(), "MS"), doubles(0, 1));
    EXPECT_EQ(other('Y'), 44);
    kit.run(6);
    EXPECT_GT(hespin->get_frame(), 1);
}
