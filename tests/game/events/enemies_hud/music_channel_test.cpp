// The music driver's hold on the music channel: the fade-in by H to the
// music volume and the clamp to it, the fade-out by I with or without its
// stop, forgetting the track and resuming the stack once per silence, and
// the loop point.
#include "tests/game/events/stage_loops/music_kit.h"

using music_test::MusicTest;

TEST_F(MusicTest, the_volume_climbs_by_h_to_the_setting_follows_it_down_and_fades_out_by_i)
{
    call("play_music(5)");
    kit.run(1);
    media.set_channel_volume(music::channel, 0);
    EventKit::set_value(controller, 'H', 7);
    kit.set_global(25, 50);
    std::vector<double> seen;
    for (int n = 0; n < 9; ++n, seen.push_back(volume()))
        kit.run(1);
    EXPECT_EQ(seen, doubles(7, 14, 21, 28, 35, 42, 49, 50, 50));
    kit.set_global(25, 20);
    kit.run(1);
    EXPECT_EQ(volume(), 20);

    // J falls by I; the volume is J percent of the setting. Without M the
    // fade rests at 0; with M its end writes the stop, taken that tick.
    for (const char* letter = "IJKM"; const double number : {10.0, 35.0, 1.0, 0.0})
        EventKit::set_value(controller, *letter++, number);
    seen.clear();
    for (int n = 0; n < 5; ++n, seen.push_back(volume()))
        kit.run(1);
    EXPECT_EQ(seen, doubles(5, 3, 1, 0, 0));
    EXPECT_EQ(values("JK"), doubles(0, 1));
    EXPECT_EQ(calls->data.current_x, 0);
    EventKit::set_value(controller, 'M', 1);
    kit.run(1);
    EXPECT_EQ(calls->get_string(0, -1, -1), "stop_music(5)");
    EXPECT_FALSE(media.is_channel_playing(music::channel));
    EXPECT_EQ(values("DGK"), doubles(-1, 0, 0));
}

TEST_F(MusicTest, silence_forgets_the_track_and_resumes_the_stack_once_and_the_loop_end_jumps_back)
{
    // Two entries of a track without a loop: each resume pops one, and the
    // channel stays silent.
    EventKit::set_value(controller, 'D', 4);
    stack->set_value(9, 0, 0, 0);
    stack->set_value(9, 1, 0, 0);
    stack->data.current_x = 2;
    kit.run(1);
    EXPECT_EQ(stack->data.current_x, 1);
    kit.run(3);
    EXPECT_EQ(stack->data.current_x, 1);
    EXPECT_EQ(values("D"), doubles(9));
    // A tick locked breaks the run of silent ticks, and forgets the track.
    EventKit::set_value(controller, 'L', 1);
    kit.run(1);
    EXPECT_EQ(values("DG"), doubles(-1, 0));
    EventKit::set_value(controller, 'L', 0);
    kit.run(1);
    EXPECT_EQ(stack->data.current_x, 0);
    kit.run(1);

    // A playable entry starts quietly at its position; then the loop end.
    stack->set_value(5, 0, 0, 0);
    stack->set_value(1500, 0, 1, 0);
    stack->data.current_x = 1;
    kit.run(1);
    EXPECT_EQ(tracks_started(), std::vector<std::string>{"m_stage1.ogg"});
    EXPECT_EQ(volume(), 3);
    kit.run(1);
    EXPECT_NEAR(position(), 1500 + 1000.0 / 60, 5);
    EventKit::set_value(controller, 'A', 1250);
    EventKit::set_value(controller, 'B', 1750);
    double highest = 0;
    for (int n = 0; n < 90; ++n, kit.run(1))
        highest = std::max(highest, position());
    EXPECT_LT(highest, 1750 + 20);
    EventKit::set_value(controller, 'B', 0);
    kit.run(60);
    EXPECT_GT(position(), 2000);
}
