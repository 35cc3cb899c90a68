// The music call queue and its commands through the driver: calls run in the
// order written, priorities suspend repeating tracks on the stack, which
// resumes them when the channel falls silent; the lock refuses requests; the
// fade-out ends in a stop; calls wait while the gameplay group is off.
#include "tests/game/events/stage_loops/music_kit.h"

using music_test::MusicTest;
using Tracks = std::vector<std::string>;

TEST_F(MusicTest, priorities_suspend_repeating_tracks_and_the_stack_resumes_them)
{
    // Stage music, invincibility and an extra life in one pass: each
    // suspends the one before it.
    call("play_music(5)");
    call("play_music(0,0)");
    call("play_music(2,1,2)");
    kit.run(1);
    EXPECT_EQ(tracks_started(), (Tracks{"m_stage1.ogg", "m_invincibility.ogg", "m_1up.ogg once"}));
    EXPECT_EQ(stacked(), (std::vector<int>{5, 0, 0, 0, 0, 0}));
    EXPECT_EQ(values("CDG"), doubles(1, 2, 2));
    EXPECT_EQ(calls->data.current_x, 0);
    // The jingle's 4 s end; the tick that finds the channel silent resumes
    // the top of the stack, quietly: the driver fades it in by H.
    EXPECT_EQ(run_until_a_track_starts(400), Tracks{"m_invincibility.ogg"});
    EXPECT_EQ(kit.tick(), 1 + 1 + 240 + 1);
    EXPECT_EQ(values("CDG"), doubles(0, 0, 0));
    EXPECT_EQ(volume(), 3);
    kit.run(1);
    EXPECT_EQ(volume(), 6);

    // Game over: the last call has no closing parenthesis. A repeating
    // request of lower priority waits on the stack from its start; one
    // played once is dropped; one of the current track changes nothing.
    call("unlock_music()");
    call("stop_music()");
    call("play_music(8,1,3");
    kit.run(1);
    EXPECT_EQ(tracks_started(), Tracks{"m_gameover.ogg once"});
    call("play_music(5)");
    call("play_music(2,1,2)");
    call("play_music(8,1,3)");
    kit.run(1);
    EXPECT_EQ(tracks_started(), Tracks{});
    EXPECT_EQ(stacked(), (std::vector<int>{5, 0, 0}));
    EXPECT_EQ(values("CDG"), doubles(1, 8, 3));
    EXPECT_EQ(run_until_a_track_starts(400), Tracks{"m_stage1.ogg"});
    kit.run(1);
    EXPECT_LT(position(), 50);
}

TEST_F(MusicTest, a_request_drops_the_first_stack_entry_of_its_track_even_while_locked)
{
    call("lock_music()");
    kit.run(1);
    const int entries[4][3] = {{1, 100, 0}, {4, 200, 1}, {2, 300, 0}, {4, 400, 2}};
    for (int x = 0; x < 4; ++x)
        for (int row = 0; row < 3; ++row)
            stack->set_value(entries[x][row], x, row, 0);
    stack->data.current_x = 4;
    call("play_music(4,0,1)");
    call("play_jingle(4)");  // no loop by that name: taken without a word
    kit.run(1);
    EXPECT_EQ(stacked(), (std::vector<int>{1, 100, 0, 2, 300, 0, 4, 400, 2}));
    EXPECT_EQ(tracks_started(), Tracks{});
    EXPECT_EQ(kit.take_console(), std::vector<std::string>{});

    // Calls wait while the gameplay group is off.
    kit.frames().level_group_43 = false;
    call("unlock_music()");
    call("play_music(7)");
    kit.run(3);
    EXPECT_EQ(calls->data.current_x, 2);
    kit.frames().level_group_43 = true;
    kit.run(1);
    EXPECT_EQ(tracks_started(), Tracks{"m_stage1.ogg"});
    EXPECT_EQ(values("DL"), doubles(7, 0));
}

TEST_F(MusicTest, a_death_fades_the_music_out_over_two_seconds_and_stops_it)
{
    call("play_music(5)");
    call("play_music(0,0)");
    kit.run(1);
    // Death sequence A's three calls, in one pass.
    call("fadeout_music(2000)");
    call("unqueue_music()");
    call("lock_music()");
    kit.run(1);
    EXPECT_EQ(values("JKL"), doubles(100, 1, 1));
    EXPECT_DOUBLE_EQ(values("I")[0], 100 / (2000 / 16.666666666666668));
    EXPECT_EQ(stack->data.current_x, 0);
    // The volume follows J down by I a tick; at 0 the stop of the current
    // track is written and taken in the same tick.
    kit.run(60);
    EXPECT_NEAR(volume(), 50, 1e-9);
    int ticks = 60;
    for (; media.is_channel_playing(music::channel) && ticks < 200; ++ticks)
        kit.run(1);
    // 2000 ms is 120 ticks, but the 120th step leaves a rounding residue.
    EXPECT_EQ(ticks, 121);
    EXPECT_EQ(calls->get_string(0, -1, -1), "stop_music(0)");
    EXPECT_EQ(values("DGK"), doubles(-1, 0, 0));

    // Unlocked, a request plays; a fade-in starts it from 0; a fade-out of
    // no duration never lowers the volume.
    call("unlock_music()");
    call("play_music(5)");
    call("fadein_music()");
    kit.run(2);
    EXPECT_EQ(volume(), 3);
    call("fadeout_music(0)");
    kit.run(5);
    EXPECT_EQ(values("IJK"), doubles(0, 6, 1));
    EXPECT_EQ(volume(), 6);
}
