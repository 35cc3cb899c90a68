// Act 1's loop map: the names the act's events start loops by, what each
// runs, and that the map is filled once per run.
#include "runtime/frame.h"
#include "tests/support/event_kit.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace {

constexpr int act1 = 4;

const std::set<std::string> act1_loop_names = {
    "sound_explode0", "sound_kick1", "sound_kick0", "sound_kick2", "sound_idle3", "sound_idle5",
    "process_call.resume_music", "sound_idle7", "camera_mode2", "sound_dig2", "sound_dig3", "sound_dig0",
    "sound_dig1", "sound_explode5", "sound_explode4", "process_call.unlock_music",
    "process_call.fadeout_music", "sound_explode8", "process_call.reset_music", "sound_explode3",
    "sound_explode2", "sound_explode1", "sound_hurt1", "sound_explode7", "sound_explode6", "camera_mode1",
    "camera_mode0", "process_call.play_music", "play_music.2", "sound_attack1", "sound_attack0",
    "sound_attack3", "sound_attack2", "play_music.8", "sound_uppercut3", "sound_uppercut1",
    "sound_uppercut0", "process_call.fadein_music", "play_music.0", "play_music.1",
    "process_call.lock_music", "play_music.3", "play_music.4", "play_music.5", "play_music.6", "sound_go0",
    "process_call.unqueue_music", "process_call.ME", "play_music.7", "sound_hurt2", "sound_cyclone0",
    "sound_hurt3", "sound_hurt0", "process_call.stop_music",
};

std::set<std::string> map_names(const Frames& f)
{
    std::set<std::string> names;
    if (f.loops)
        for (const auto& [name, entry] : *f.loops)
            names.insert(name);
    return names;
}

}  // namespace

TEST(Act1NamedLoops, the_map_holds_the_acts_54_names_and_a_second_entry_adds_none)
{
    EventKit kit;
    kit.enter_frame(act1);
    Frames& f = kit.frames();
    ASSERT_EQ(f.index, act1);
    ASSERT_NE(f.loops, nullptr);
    EXPECT_EQ(act1_loop_names.size(), 54u);
    EXPECT_EQ(map_names(f), act1_loop_names);
    const LoopMap* first = f.loops;

    kit.enter_frame(act1);
    EXPECT_EQ(f.loops, first);
    EXPECT_EQ(f.loops->size(), 54u);
}

TEST(Act1NamedLoops, shared_bodies_run_under_names_of_their_own)
{
    EventKit kit;
    kit.enter_frame(act1);
    Frames& f = kit.frames();
    const DynamicLoop* explode0 = f.find_loop("sound_explode0");
    const DynamicLoop* explode3 = f.find_loop("sound_explode3");
    ASSERT_TRUE(explode0 && explode3);
    EXPECT_EQ(explode0->entry, explode3->entry);
    EXPECT_NE(explode0->running, explode3->running);
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
}

TEST(Act1NamedLoops, names_outside_the_map_start_nothing)
{
    EventKit kit;
    kit.enter_frame(act1);
    Frames& f = kit.frames();
    EXPECT_NE(f.find_loop("process_call.ME"), nullptr);
    for (const char* name : {"process_call.me", "camera_mode3", "sound_idle4", "play_music_5", "sound_go1", ""}) {
        EXPECT_EQ(f.find_loop(name), nullptr) << name;
        f.run_named_loop(name, 1);
    }
    EXPECT_FALSE(f.fast_loop_camera_mode2.running || f.fast_loop_process_call_me.running
                 || f.fast_loop_sound_idle3.running || f.fast_loop_play_music_5.running
                 || f.fast_loop_sound_go0.running);
}
