// The music driver's hold on the music channel: the fade-in by H up to the
// music volume and the clamp to it, the fade-out by I with or without the
// stop at its end, forgetting the track when the channel falls silent,
// resuming the stack once per silence, and the loop point.
#include "tests/game/events/stage_loops/music_kit.h"

namespace {

class MusicChannel : public music_test::MusicTest {
protected:
    // Volumes after each of `ticks` ticks.
    std::vector<double> volumes(int ticks)
    {
        std::vector<double> seen;
        for (int n = 0; n < ticks; ++n) {
            kit.run(1);
            seen.push_back(volume());
        }
        return seen;
    }
};

}  // namespace

TEST_F(MusicChannel, the_volume_climbs_by_h_to_the_music_volume_and_follows_it_down)
{
    call("play_music(5)");
    kit.run(1);
    media.set_channel_volume(music::channel, 0);
    EventKit::set_value(controller, 'H', 7);
    kit.set_global(25, 50);
    EXPECT_EQ(volumes(9), doubles(7, 14, 21, 28, 35, 42, 49, 50, 50));
    // A lower setting is taken at once; a setting never stored is 0.
    kit.set_global(25, 20);
    EXPECT_EQ(volumes(1), doubles(20));
    frames().global_values->set(25, 0);
    EXPECT_EQ(volumes(2), doubles(0, 0));
    // While fading out the fade-in waits.
    kit.set_global(25, 100);
    EventKit::set_value(controller, 'K', 1);
    EventKit::set_value(controller, 'J', 0);
    EventKit::set_value(controller, 'M', 0);
    EXPECT_EQ(volumes(2), doubles(0, 0));
}

TEST_F(MusicChannel, a_fade_out_without_its_stop_rests_at_0_and_with_it_queues_the_stop_of_the_track)
{
    call("play_music(5)");
    kit.run(1);
    kit.set_global(25, 50);
    for (const char* letters = "IJKM"; const double number : {10.0, 35.0, 1.0, 0.0})
        EventKit::set_value(controller, *letters++, number);
    // J falls by I; the volume is J percent of the setting.
    EXPECT_EQ(volumes(5), doubles(12.5, 7.5, 2.5, 0, 0));
    EXPECT_EQ(EventKit::values(controller, "JK"), doubles(0, 1));
    EXPECT_EQ(calls->data.current_x, 0);
    EXPECT_TRUE(playing());
    // With M the end of the fade writes the stop, which the same tick takes.
    EventKit::set_value(controller, 'M', 1);
    kit.run(1);
    EXPECT_EQ(calls->get_string(0, -1, -1), "stop_music(5)");
    EXPECT_FALSE(playing());
    EXPECT_EQ(EventKit::values(controller, "DGK"), doubles(-1, 0, 0));
    // A fade-out step of 0 never ends.
    call("play_music(5)");
    kit.run(1);
    EventKit::set_value(controller, 'I', 0);
    EventKit::set_value(controller, 'J', 60);
    EventKit::set_value(controller, 'K', 1);
    EXPECT_EQ(volumes(30).back(), 30);
    EXPECT_EQ(value('K'), 1);
}

TEST_F(MusicChannel, a_silent_channel_forgets_its_track_once_per_silence)
{
    media.play_id(72, int(music::channel), 0);
    EventKit::set_value(controller, 'D', 4);
    EventKit::set_value(controller, 'G', 2);
    kit.run(1);
    EXPECT_EQ(EventKit::values(controller, "DG"), doubles(4, 2));
    media.stop_channel(music::channel);
    kit.run(1);
    EXPECT_EQ(EventKit::values(controller, "DG"), doubles(-1, 0));
    // Still silent: not again.
    EventKit::set_value(controller, 'D', 4);
    kit.run(3);
    EXPECT_EQ(value('D'), 4);
    // A locked controller with a suspended track forgets it too, after a
    // tick of music.
    media.play_id(72, int(music::channel), 0);
    kit.run(1);
    stack->set_value(5, 0, 0, 0);
    stack->data.current_x = 1;
    EventKit::set_value(controller, 'L', 1);
    media.stop_channel(music::channel);
    kit.run(1);
    EXPECT_EQ(EventKit::values(controller, "DG"), doubles(-1, 0));
    EXPECT_EQ(stack->data.current_x, 1);
    EXPECT_EQ(tracks_started(), std::vector<std::string>{});
}

TEST_F(MusicChannel, the_stack_is_resumed_once_per_silence)
{
    // Two entries of a track without a loop: each resume pops one and the
    // channel stays silent.
    for (int x = 0; x < 2; ++x)
        stack->set_value(9, x, 0, 0);
    stack->data.current_x = 2;
    kit.run(1);
    EXPECT_EQ(stack->data.current_x, 1);
    EXPECT_EQ(value('D'), 9);
    kit.run(3);
    EXPECT_EQ(stack->data.current_x, 1);
    // A tick locked breaks the run; unlocked, the next entry is resumed.
    EventKit::set_value(controller, 'L', 1);
    kit.run(1);
    EventKit::set_value(controller, 'L', 0);
    kit.run(1);
    EXPECT_EQ(stack->data.current_x, 0);
    kit.run(1);
    // A playable entry starts quietly at its position.
    stack->set_value(5, 0, 0, 0);
    stack->set_value(1500, 0, 1, 0);
    stack->set_value(1, 0, 2, 0);
    stack->data.current_x = 1;
    kit.run(1);
    EXPECT_EQ(tracks_started(), std::vector<std::string>{"m_stage1.ogg"});
    EXPECT_EQ(EventKit::values(controller, "CDG"), doubles(0, 5, 1));
    EXPECT_EQ(volume(), 3);
    kit.run(1);
    EXPECT_NEAR(position(), 1500 + 1000.0 / 60, 5);
}

TEST_F(MusicChannel, the_track_jumps_back_at_its_loop_end)
{
    call("play_music(5)");
    kit.run(1);
    EventKit::set_value(controller, 'A', 250);
    EventKit::set_value(controller, 'B', 500);
    double highest = 0;
    int jumps = 0;
    for (int n = 0, last = 0; n < 90; ++n, kit.run(1)) {
        const int now = int(position());
        highest = std::max(highest, position());
        jumps += now < last;
        last = now;
    }
    EXPECT_LT(highest, 500 + 20);
    EXPECT_GE(jumps, 3);
    // No loop end, no jump.
    EventKit::set_value(controller, 'B', 0);
    kit.run(60);
    EXPECT_GT(position(), 900);
}
