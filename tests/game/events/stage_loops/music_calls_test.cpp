// The music call queue and its commands, through the driver as the acts run
// it: calls play in the order written, a higher or equal priority suspends a
// repeating track on the stack and the stack resumes it where it was, lower
// priorities wait or are dropped, the lock refuses requests, the fade-out
// ends in a stop, and calls wait while the gameplay group is off.
#include "tests/game/events/stage_loops/music_kit.h"

using music_test::MusicTest;

using Tracks = std::vector<std::string>;

TEST_F(MusicTest, invincibility_suspends_the_stage_music_and_its_end_resumes_it_where_it_was_fading_in)
{
    call("play_music(5)");
    kit.run(1);
    EXPECT_EQ(tracks_started(), Tracks{"m_stage1.ogg"});
    EXPECT_EQ(EventKit::values(controller, "CDG"), doubles(0, 5, 0));
    EXPECT_EQ(calls->data.current_x, 0);
    EXPECT_EQ(volume(), 100);

    // A tick's sound is made as the next tick starts: the stack keeps the
    // position the channel has when the call is taken.
    kit.run(60);
    const double before = position();
    EXPECT_NEAR(before, 1000, 20);
    call("play_music(0,0)");
    kit.run(1);
    EXPECT_EQ(tracks_started(), Tracks{"m_invincibility.ogg"});
    const int suspended_at = stacked().at(1);
    EXPECT_EQ(stacked(), (std::vector<int>{5, suspended_at, 0}));
    EXPECT_NEAR(suspended_at, before + 1000.0 / 60, 5);
    EXPECT_EQ(EventKit::values(controller, "DG"), doubles(0, 0));

    // What the end of invincibility writes: the stop runs first in the pass,
    // then the driver resumes the stage music at 3 and fades it in by 3.
    call("stop_music(0)");
    kit.run(1);
    EXPECT_EQ(tracks_started(), Tracks{"m_stage1.ogg"});
    EXPECT_EQ(EventKit::values(controller, "CDG"), doubles(0, 5, 0));
    EXPECT_EQ(stack->data.current_x, 0);
    EXPECT_EQ(volume(), 3);
    std::vector<double> fade;
    kit.run(1);
    EXPECT_NEAR(position(), suspended_at + 1000.0 / 60, 5);
    fade.push_back(volume());
    for (int n = 1; n < 34; ++n) {
        kit.run(1);
        fade.push_back(volume());
    }
    EXPECT_EQ(fade.front(), 6);
    EXPECT_EQ(fade[31], 99);
    EXPECT_EQ(fade[32], 100);
    EXPECT_EQ(fade.back(), 100);
}

TEST_F(MusicTest, calls_written_together_run_in_order_and_a_track_played_once_gives_way_to_the_stack)
{
    // Stage music, invincibility and an extra life in one pass: each
    // suspends the one before it.
    call("play_music(5)");
    call("play_music(0,0)");
    call("play_music(2,1,2)");
    kit.run(1);
    EXPECT_EQ(tracks_started(), (Tracks{"m_stage1.ogg", "m_invincibility.ogg", "m_1up.ogg once"}));
    EXPECT_EQ(stacked(), (std::vector<int>{5, 0, 0, 0, 0, 0}));
    EXPECT_EQ(EventKit::values(controller, "CDG"), doubles(1, 2, 2));
    EXPECT_EQ(calls->get_string(2, -1, -1), "play_music(2,1,2)");

    // The jingle ends by itself after its 4 s; the top of the stack comes
    // back in the tick that finds the channel silent.
    EXPECT_EQ(run_until_a_track_starts(400), Tracks{"m_invincibility.ogg"});
    EXPECT_EQ(kit.tick(), 1 + 1 + 240 + 1);
    EXPECT_EQ(stacked(), (std::vector<int>{5, 0, 0}));
    EXPECT_EQ(EventKit::values(controller, "CDG"), doubles(0, 0, 0));

    // A track played once is replaced, never suspended.
    call("play_music(2,1,2)");
    call("play_music(3,1,2)");
    kit.run(1);
    EXPECT_EQ(tracks_started(), (Tracks{"m_1up.ogg once", "m_clear.ogg once"}));
    const std::vector<int> entries = stacked();
    ASSERT_EQ(entries.size(), 6u);
    EXPECT_EQ(entries[3], 0);
    EXPECT_LT(entries[4], 100);  // invincibility, suspended just after it resumed
    EXPECT_EQ(EventKit::values(controller, "CDG"), doubles(1, 3, 2));
}

TEST_F(MusicTest, game_over_music_keeps_lower_requests_waiting_or_drops_them)
{
    call("play_music(5)");
    call("lock_music()");
    kit.run(1);
    kit.take_sounds();
    // The game-over calls; the last one has no closing parenthesis.
    call("unlock_music()");
    call("stop_music()");
    call("play_music(8,1,3");
    kit.run(1);
    EXPECT_EQ(tracks_started(), Tracks{"m_gameover.ogg once"});
    EXPECT_EQ(EventKit::values(controller, "CDGL"), doubles(1, 8, 3, 0));

    // A repeating request of lower priority waits from its start; one that
    // plays once is dropped; a request of the current track changes nothing.
    call("play_music(5)");
    call("play_music(2,1,2)");
    call("play_music(8,1,3)");
    kit.run(1);
    EXPECT_EQ(tracks_started(), Tracks{});
    EXPECT_EQ(stacked(), (std::vector<int>{5, 0, 0}));

    EXPECT_EQ(run_until_a_track_starts(400), Tracks{"m_stage1.ogg"});
    kit.run(1);
    EXPECT_LT(position(), 100);
    EXPECT_EQ(EventKit::values(controller, "CDG"), doubles(0, 5, 0));
}

TEST_F(MusicTest, a_locked_request_changes_nothing_but_drops_an_older_stack_entry_of_its_track)
{
    call("play_music(5)");
    call("play_music(0,0)");
    call("lock_music()");
    kit.run(1);
    kit.take_sounds();
    ASSERT_EQ(stacked(), (std::vector<int>{5, 0, 0}));

    call("play_music(5)");
    kit.run(1);
    EXPECT_EQ(tracks_started(), Tracks{});
    EXPECT_EQ(EventKit::values(controller, "DGL"), doubles(0, 0, 1));
    EXPECT_EQ(stacked(), std::vector<int>{});
    EXPECT_TRUE(playing());
}

TEST_F(MusicTest, a_request_removes_the_first_stack_entry_of_its_track_and_closes_the_gap)
{
    call("lock_music()");
    kit.run(1);
    const int entries[4][3] = {{1, 100, 0}, {4, 200, 1}, {2, 300, 0}, {4, 400, 2}};
    for (int x = 0; x < 4; ++x)
        for (int row = 0; row < 3; ++row)
            stack->set_value(entries[x][row], x, row, 0);
    stack->data.current_x = 4;
    call("play_music(4,0,1)");
    kit.run(1);
    EXPECT_EQ(stacked(), (std::vector<int>{1, 100, 0, 2, 300, 0, 4, 400, 2}));
    EXPECT_EQ(value('E'), 3);
    // A track not on the stack leaves it as it was.
    call("play_music(6)");
    kit.run(1);
    EXPECT_EQ(stacked(), (std::vector<int>{1, 100, 0, 2, 300, 0, 4, 400, 2}));
}

TEST_F(MusicTest, a_death_fades_the_music_out_over_two_seconds_and_stops_it)
{
    call("play_music(5)");
    call("play_music(0,0)");
    kit.run(1);
    ASSERT_EQ(stack->data.current_x, 1);
    kit.take_sounds();

    // Death sequence A's three calls, in one pass.
    call("fadeout_music(2000)");
    call("unqueue_music()");
    call("lock_music()");
    kit.run(1);
    EXPECT_EQ(EventKit::values(controller, "JKL"), doubles(100, 1, 1));
    EXPECT_DOUBLE_EQ(value('I'), 100 / (2000 / 16.666666666666668));
    EXPECT_EQ(stack->data.current_x, 0);
    EXPECT_EQ(volume(), 100);

    // The volume follows J down by I per tick; at 0 the stop is queued and
    // taken in the same tick.
    kit.run(60);
    EXPECT_NEAR(volume(), 50, 1e-9);
    EXPECT_TRUE(playing());
    int ticks = 60;
    while (playing() && ticks < 200) {
        kit.run(1);
        ++ticks;
    }
    EXPECT_GE(ticks, 120);
    EXPECT_LE(ticks, 121);
    EXPECT_EQ(calls->get_string(0, -1, -1), "stop_music(0)");
    EXPECT_EQ(EventKit::values(controller, "DGK"), doubles(-1, 0, 0));
    EXPECT_EQ(volume(), 0);
    EXPECT_EQ(tracks_started(), Tracks{});

    // Locked: the stage music's request is refused until unlocked. A fade-in
    // starts from 0 and climbs by H.
    call("play_music(5)");
    kit.run(1);
    EXPECT_EQ(tracks_started(), Tracks{});
    call("unlock_music()");
    call("play_music(5)");
    call("fadein_music()");
    kit.run(2);
    EXPECT_EQ(tracks_started(), Tracks{"m_stage1.ogg"});
    EXPECT_EQ(volume(), 3);
}

TEST_F(MusicTest, a_fade_out_of_no_duration_never_lowers_the_volume)
{
    call("play_music(5)");
    call("fadeout_music(0)");
    kit.run(10);
    EXPECT_EQ(EventKit::values(controller, "IJK"), doubles(0, 100, 1));
    EXPECT_EQ(volume(), 100);
    EXPECT_TRUE(playing());
}

TEST_F(MusicTest, calls_wait_while_the_gameplay_group_is_off_and_unknown_ones_are_dropped)
{
    frames().level_group_43 = false;
    call("play_music(5)");
    kit.run(5);
    EXPECT_EQ(calls->data.current_x, 1);
    EXPECT_EQ(tracks_started(), Tracks{});
    // The dispatcher alone does not move on either.
    frames().event_func_361();
    EXPECT_EQ(calls->data.current_x, 1);

    frames().level_group_43 = true;
    call("play_jingle(3)");
    kit.run(1);
    EXPECT_EQ(tracks_started(), Tracks{"m_stage1.ogg"});
    EXPECT_EQ(calls->data.current_x, 0);
    kit.take_console();
    // A call no loop is named after is taken without a word.
    call("play_jingle(3)");
    call("play_music(7)");
    kit.run(1);
    EXPECT_EQ(kit.take_console(), std::vector<std::string>{});
    EXPECT_EQ(tracks_started(), Tracks{"m_stage1.ogg"});
    EXPECT_EQ(calls->data.current_x, 0);
    EXPECT_EQ(value('D'), 7);
}
