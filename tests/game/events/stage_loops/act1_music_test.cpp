// The act's music as act 1 plays it: the start's call plays the stage music
// on the locked music channel, and the calls the player events write are
// played in the order they come.
#include "audio/media.h"
#include "game/events/stage_loops/music_queue.h"
#include "game/objects/classes.h"
#include "objects/arrayext.h"
#include "tests/support/event_kit.h"

#include <gtest/gtest.h>

namespace {

class Act1Music : public testing::Test {
protected:
    void SetUp() override { forget(); }
    void TearDown() override
    {
        media.stop_channel(music::channel);
        forget();
    }
    static void forget()
    {
        class_records::alterables_49 = SavedAlterables{};
        class_records::alterables_75 = SavedAlterables{};
        class_records::array_50 = SavedArrayData{};
        class_records::array_51 = SavedArrayData{};
        class_records::array_10 = SavedArrayData{};
        class_records::alterables_53 = SavedAlterables{};
        media.unlock(music::channel);
    }
};

std::vector<std::string> music_started(EventKit& kit)
{
    std::vector<std::string> names;
    for (const SoundStart& sound : kit.take_sounds())
        if (sound.channel == int(music::channel))
            names.push_back(sound.path.substr(sound.path.rfind('/') + 1));
    return names;
}

}  // namespace

TEST_F(Act1Music, the_stage_music_starts_with_the_act_and_gives_way_to_invincibility_until_it_ends)
{
    EventKit kit;
    kit.enter_frame(4);
    kit.run(1);
    const std::vector<SoundStart> sounds = kit.take_sounds();
    ASSERT_EQ(music_count(sounds, "m_stage1.ogg"), 1);
    for (const SoundStart& sound : sounds) {
        if (sound.path.ends_with("m_stage1.ogg")) {
            EXPECT_EQ(sound.loops, 0);
            EXPECT_EQ(sound.channel, int(music::channel));
        }
    }
    EXPECT_TRUE(media.channels[music::channel].locked);
    EXPECT_TRUE(media.is_channel_playing(music::channel));
    EXPECT_EQ(media.get_channel_volume(music::channel), 100);
    FrameObject* controller = kit.instance(types::ControllerMusic_49);
    EXPECT_EQ(EventKit::values(controller, "DG"), doubles(5, 0));

    // An invincibility box's call, then the player's timed state running out:
    // its end writes the stop, and the stage music comes back that tick.
    kit.run(30);
    music::write_call(kit.frames(), "play_music(" + kit.global_string(0) + ",0)");
    kit.run(1);
    EXPECT_EQ(music_started(kit), std::vector<std::string>{"m_invincibility.ogg"});
    auto* stack = static_cast<ArrayObject*>(kit.instance(types::QueueMusic_51));
    ASSERT_EQ(stack->data.current_x, 1);
    const int suspended_at = stack->get_value(0, 1, 0);
    EXPECT_GT(suspended_at, 500);
    FrameObject* others = kit.instance(types::PlayerOthers_75);
    EventKit::set_value(others, 'A', 0);
    EventKit::set_value(others, 'D', 1);
    EventKit::set_value(others, 'E', 20);
    kit.run(19);
    EXPECT_EQ(music_started(kit), std::vector<std::string>{});
    kit.run(1);
    EXPECT_EQ(music_started(kit), std::vector<std::string>{"m_stage1.ogg"});
    EXPECT_EQ(EventKit::values(controller, "DG"), doubles(5, 0));
    EXPECT_EQ(stack->data.current_x, 0);
    EXPECT_EQ(media.get_channel_volume(music::channel), 3);
    kit.run(1);
    EXPECT_NEAR(media.get_channel_position(music::channel), suspended_at + 1000.0 / 60, 5);
}
