// The queue under load and the act's fade-outs: calls pushed every tick are
// all taken in that tick, so the call list never grows; each fade-out
// reaches silence on the tick its step of volume over duration gives.
#include "tests/game/events/stage_loops/music_kit.h"

using music_test::MusicTest;

namespace {

class MusicFades : public MusicTest {
protected:
    // Starts the stage music at full volume, then writes the calls and
    // counts the ticks after the one that takes them until the channel is
    // silent (volume 0), at most `most`.
    int ticks_to_silence(std::initializer_list<const char*> fade_calls, int most)
    {
        kit.set_global(25, 100);
        call("play_music(5)");
        kit.run(40);
        EXPECT_EQ(volume(), 100);
        for (const char* text : fade_calls)
            call(text);
        kit.run(1);
        int ticks = 0;
        while (volume() > 0 && ticks < most) {
            kit.run(1);
            ++ticks;
        }
        return ticks;
    }
};

}  // namespace

TEST_F(MusicFades, calls_pushed_every_tick_are_all_taken_that_tick_and_the_list_never_grows)
{
    // The act-2 boss's three calls, pushed on every tick for 25 seconds.
    for (int tick = 0; tick < 1500; ++tick) {
        call("stop_music(4)");
        call("play_music(4,0,1)");
        call("reset_music(5)");
        kit.run(1);
        if (calls->data.current_x != 0 || calls->data.x_size > 3) {
            ADD_FAILURE() << "tick " << tick << ": " << calls->data.current_x << " pending of " << calls->data.x_size;
            break;
        }
    }
    EXPECT_EQ(values("D"), doubles(4));
}

TEST_F(MusicFades, a_6000_ms_fade_out_is_silent_after_361_ticks_and_with_m_0_the_track_plays_on)
{
    // 360 steps of 100 / 360 leave a rounding residue: one more tick. With
    // M = 0 (act 2's approach to its boss) no stop follows.
    EventKit::set_value(controller, 'M', 0);
    EXPECT_EQ(ticks_to_silence({"fadeout_music(6000)", "unqueue_music()"}, 500), 361);
    kit.run(5);
    EXPECT_TRUE(media.is_channel_playing(music::channel));
    EXPECT_EQ(values("JK"), doubles(0, 1));
}

TEST_F(MusicFades, a_1500_ms_fade_out_stops_the_music_after_90_ticks_and_the_lock_refuses_requests)
{
    EXPECT_EQ(ticks_to_silence({"fadeout_music(1500)", "lock_music()"}, 200), 90);
    EXPECT_FALSE(media.is_channel_playing(music::channel));
    tracks_started();
    call("play_music(5)");
    kit.run(2);
    EXPECT_EQ(tracks_started(), std::vector<std::string>{});
}
