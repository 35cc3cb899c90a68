// Act 1's loop map: the names the act's events start loops by, what each
// runs, and that the map is filled once per run.
#include "runtime/frame.h"
#include "tests/support/event_kit.h"

#include <gtest/gtest.h>

TEST(Act1NamedLoops, the_map_is_made_once_and_shared_bodies_run_under_names_of_their_own)
{
    EventKit kit;
    kit.enter_frame(4);
    Frames& f = kit.frames();
    ASSERT_NE(f.loops, nullptr);
    EXPECT_EQ(f.loops->size(), 54u);
    const LoopMap* first = f.loops;

    const DynamicLoop* explode0 = f.find_loop("sound_explode0");
    const DynamicLoop* explode3 = f.find_loop("sound_explode3");
    ASSERT_TRUE(explode0 && explode3);
    EXPECT_EQ(explode0->entry, explode3->entry);
    EXPECT_EQ(explode0->running, &f.fast_loop_sound_explode0.running);
    EXPECT_EQ(explode3->running, &f.fast_loop_sound_explode3.running);
    for (const char* name : {"play_music.6", "play_music.7"}) {
        ASSERT_NE(f.find_loop(name), nullptr) << name;
        EXPECT_EQ(f.find_loop(name)->entry, f.find_loop("play_music.5")->entry);
        EXPECT_NE(f.find_loop(name)->index, f.find_loop("play_music.5")->index);
    }
    EXPECT_EQ(f.find_loop("play_music.5")->index, &f.fast_loop_play_music_5.index);
    EXPECT_EQ(f.find_loop("process_call.reset_music")->entry, &Frames::loop_process_call_reset_music_4);

    // A start by name sets that name's own flag and index only.
    f.run_named_loop("sound_explode0", 3);
    EXPECT_TRUE(f.fast_loop_sound_explode0.running);
    EXPECT_EQ(f.fast_loop_sound_explode0.index, 3);
    EXPECT_FALSE(f.fast_loop_sound_explode3.running);
    EXPECT_EQ(f.fast_loop_sound_explode3.index, 0);

    // Names are matched whole and by case: near misses start nothing. (The
    // act's first tick ran the music calls and a camera mode by name.)
    kit.enter_frame(4);
    EXPECT_EQ(f.loops, first);
    EXPECT_EQ(f.loops->size(), 54u);
    EXPECT_NE(f.find_loop("process_call.ME"), nullptr);
    for (FastLoop* loop : {&f.fast_loop_camera_mode2, &f.fast_loop_process_call_me, &f.fast_loop_sound_idle3,
                           &f.fast_loop_play_music_5, &f.fast_loop_sound_go0})
        loop->running = false;
    for (const char* name : {"process_call.me", "camera_mode3", "sound_idle4", "play_music_5", "sound_go1", ""}) {
        EXPECT_EQ(f.find_loop(name), nullptr) << name;
        f.run_named_loop(name, 1);
    }
    EXPECT_FALSE(f.fast_loop_camera_mode2.running || f.fast_loop_process_call_me.running
                 || f.fast_loop_sound_idle3.running || f.fast_loop_play_music_5.running
                 || f.fast_loop_sound_go0.running);
}
