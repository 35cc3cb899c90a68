// The act's music as act 1 plays it: the start's call plays the stage music
// on the locked music channel, and the calls the player events write are
// played as they come.
#include "tests/game/events/stage_loops/music_kit.h"

TEST(Act1Music, the_stage_music_starts_with_the_act_and_gives_way_to_invincibility_until_it_ends)
{
    EventKit kit;
    kit.enter_frame(4);
    kit.run(1);
    std::vector<SoundStart> sounds = kit.take_sounds();
    ASSERT_EQ(music_count(sounds, "m_stage1.ogg"), 1);
    EXPECT_EQ(sounds.back().channel, int(music::channel));
    EXPECT_EQ(sounds.back().loops, 0);
    EXPECT_TRUE(media.channels[music::channel].locked);
    FrameObject* controller = kit.instance(types::ControllerMusic_49);
    EXPECT_EQ(EventKit::values(controller, "DG"), doubles(5, 0));

    // An invincibility box's call, then the player's timed state running out:
    // its end writes the stop, and the stage music comes back that tick
    // where it was.
    kit.run(30);
    music::write_call(kit.frames(), "play_music(" + kit.global_string(0) + ",0)");
    kit.run(1);
    EXPECT_EQ(music_count(kit.take_sounds(), "m_invincibility.ogg"), 1);
    auto* stack = static_cast<ArrayObject*>(kit.instance(types::QueueMusic_51));
    const int suspended_at = stack->get_value(0, 1, 0);
    EXPECT_GT(suspended_at, 500);
    FrameObject* others = kit.instance(types::PlayerOthers_75);
    for (const char* letter = "ADE"; const double number : {0.0, 1.0, 20.0})
        EventKit::set_value(others, *letter++, number);
    kit.run(19);
    EXPECT_EQ(music_count(kit.take_sounds(), "m_stage1.ogg"), 0);
    kit.run(1);
    EXPECT_EQ(music_count(kit.take_sounds(), "m_stage1.ogg"), 1);
    EXPECT_EQ(EventKit::values(controller, "DG"), doubles(5, 0));
    EXPECT_EQ(stack->data.current_x, 0);
    kit.run(1);
    EXPECT_NEAR(media.get_channel_position(music::channel), suspended_at + 1000.0 / 60, 5);
}
