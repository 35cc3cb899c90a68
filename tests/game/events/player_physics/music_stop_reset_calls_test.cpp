// The stop and reset music calls: a bare stop silences the music channel and
// rewinds the queue; a numbered stop stops only that track and walks the
// queue up to the cursor, which ends where it was; a reset restarts the
// playing track or clears the saved position of its first queued entry.
#include "audio/media.h"
#include "audio/sound.h"
#include "objects/arrayext.h"
#include "objects/stringparser.h"
#include "tests/game/events/player_physics/player_course.h"

#include <cstdint>
#include <gtest/gtest.h>
#include <optional>

using namespace player_course;

namespace {

constexpr unsigned music_channel = 31;

class MusicCalls : public ::testing::Test {
protected:
    void SetUp() override
    {
        course.enter("");
        controller = course.kit.place("ControllerMusic_49", -50, -50);
        queue = static_cast<ArrayObject*>(course.kit.place("QueueMusic_51", -50, -50));
        parser = static_cast<StringParser*>(course.kit.place("StringParser_184", -50, -50));
        parser->reset_delimiters();
        for (const char* delimiter : {"(", ",", ")"})
            parser->add_delimiter(delimiter);
        queue->clear();
    }
    void TearDown() override { media.stop_channel(music_channel); }
    Frames& frames() { return course.kit.frames(); }
    void playing(double track)
    {
        EventKit::set_value(controller, 'D', track);
        EventKit::set_value(controller, 'G', 4);
        media.play_id(72, int(music_channel), 0);
    }
    void call(const char* text, void (Frames::*body)())
    {
        parser->set(text);
        (frames().*body)();
    }
    Course course;
    FrameObject* controller = nullptr;
    ArrayObject* queue = nullptr;
    StringParser* parser = nullptr;
};

}  // namespace

TEST_F(MusicCalls, a_bare_stop_silences_the_music_and_rewinds_the_queue)
{
    playing(5);
    ASSERT_TRUE(media.is_channel_playing(music_channel));
    queue->data.current_x = 2;
    call("stop_music()", &Frames::loop_process_call_stop_music_4);
    EXPECT_FALSE(media.is_channel_playing(music_channel));
    EXPECT_EQ(queue->data.current_x, 0);
    EXPECT_EQ(EventKit::value(controller, 'D'), -1);
    EXPECT_EQ(EventKit::value(controller, 'G'), 0);
}

TEST_F(MusicCalls, stopping_another_track_leaves_the_music_playing_and_the_cursor_in_place)
{
    playing(5);
    queue->data.current_x = 2;
    call("stop_music(3)", &Frames::loop_process_call_stop_music_4);
    EXPECT_TRUE(media.is_channel_playing(music_channel));
    EXPECT_EQ(EventKit::value(controller, 'D'), 5);
    EXPECT_EQ(EventKit::value(controller, 'G'), 4);
    // The walk before the cursor ran; the cursor came back to where it was.
    EXPECT_EQ(EventKit::value(controller, 'E'), 2);
    EXPECT_EQ(queue->data.current_x, 2);
}

TEST_F(MusicCalls, stopping_the_playing_track_stops_it)
{
    playing(5);
    call("stop_music(5)", &Frames::loop_process_call_stop_music_4);
    EXPECT_FALSE(media.is_channel_playing(music_channel));
    EXPECT_EQ(EventKit::value(controller, 'D'), -1);
    EXPECT_EQ(EventKit::value(controller, 'G'), 0);
}

TEST_F(MusicCalls, resetting_the_playing_track_starts_it_over)
{
    playing(2);
    ASSERT_TRUE(media.is_channel_playing(music_channel));
    const double saved_gate = frames().global_values->get(4);
    // The offset a request leaves for the voices to take up; none when the
    // channel has no sound.
    auto offset_after = [&](const char* text) -> std::optional<uint32_t> {
        media.set_channel_position(music_channel, 60);
        parser->set(text);
        frames().loop_process_call_reset_music_4();
        const TessaroAudio::SoundBase* sound = media.channels[music_channel].sound;
        return sound ? std::optional<uint32_t>(sound->offset) : std::nullopt;
    };
    frames().global_values->set(4, 0);
    EXPECT_EQ(offset_after("reset_music(2)"), 0u);
    // Not for another track, nor while global value 4 is below 0.
    EXPECT_GT(offset_after("reset_music(3)"), std::optional<uint32_t>(0));
    frames().global_values->set(4, -1);
    EXPECT_GT(offset_after("reset_music(2)"), std::optional<uint32_t>(0));
    frames().global_values->set(4, saved_gate);
}

TEST_F(MusicCalls, resetting_a_queued_track_clears_the_saved_position_at_the_walk)
{
    playing(5);
    // The queue: track 2 at the front with a saved position.
    queue->set_value(2, 0, 0, 0);
    queue->set_value(1234, 0, 1, 0);
    queue->data.current_x = 1;
    call("reset_music(2)", &Frames::loop_process_call_reset_music_4);
    EXPECT_EQ(queue->get_value(0, 1, 0), 0);
    EXPECT_EQ(queue->data.current_x, 1);
    EXPECT_EQ(EventKit::value(controller, 'E'), 1);
}

TEST_F(MusicCalls, a_cursor_at_the_front_walks_nothing)
{
    playing(5);
    queue->set_value(2, 0, 0, 0);
    queue->set_value(1234, 0, 1, 0);
    queue->data.current_x = 0;
    call("reset_music(2)", &Frames::loop_process_call_reset_music_4);
    EXPECT_EQ(queue->get_value(0, 1, 0), 1234);
    EXPECT_EQ(queue->data.current_x, 0);
    EXPECT_EQ(frames().fast_loop_iterate_query_me_reset.index, 0);
}

TEST_F(MusicCalls, without_a_queue_a_numbered_call_walks_nothing)
{
    queue->destroy();
    course.kit.run(1);
    playing(5);
    EventKit::set_value(controller, 'E', 7);
    call("stop_music(3)", &Frames::loop_process_call_stop_music_4);
    EXPECT_EQ(EventKit::value(controller, 'E'), 7);
    EXPECT_TRUE(media.is_channel_playing(music_channel));
}
