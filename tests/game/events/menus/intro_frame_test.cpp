// The Intro frame: its set-up, the studio intro's timeline from power-on to
// the title (and to its own last step), the mech's flight and the caption.
//
// The timeline, counted in handler passes from the entering tick 0:
// - the trail's angle climbs 2.25 a tick from -90 and reaches 180 in tick
//   119, at x 432 - 6 = 426; sliding 6 a tick it brings the beam to the left
//   edge in tick 190 (sample 55);
// - the beam's sweep plays a frame a tick and reaches frame 13 in tick 203;
//   it fades for 32 ticks and is destroyed in tick 234, gone in tick 235,
//   where the steps begin (B 2, at once 3);
// - step b lasts ceil(b / 2) ticks, so B is 25 in tick 235 + 154 = 389: the
//   music starts and the logo fades 4 a tick, transparent in tick 420;
// - the white fade comes in 3 a tick and is opaque in tick 420 + 42 = 462,
//   where event 123 asks for the title.
// Without the music, B reaches 55 in tick 235 + 754 = 989 and the fade
// ends in tick 1031 with event 124.
#include "objects/active.h"
#include "objects/textblitter.h"
#include "tests/support/event_kit.h"

#include <gtest/gtest.h>

namespace {

// Runs until the frame asks for another, at most `limit` ticks; the tick
// (handler pass, from 0) that asked, or -1.
int run_until_frame_request(EventKit& kit, int limit)
{
    for (int pass = kit.tick(); pass < limit; ++pass) {
        if (kit.frames().next_frame != -1)
            return kit.tick() - 1;
        kit.run(1);
    }
    return -1;
}

bool started(const std::vector<SoundStart>& sounds, unsigned id) { return sample_count(sounds, id) > 0; }

}  // namespace

TEST(IntroSetUp, builds_the_frame_and_entering_again_rebuilds_it_and_rearms_the_once_events)
{
    EventKit kit;
    kit.enter_frame(0);
    Frames& frames = kit.frames();
    ASSERT_EQ(frames.layers.size(), 4u);
    EXPECT_FALSE(frames.layers[2].visible) << "the scenery shows only once the logo fades";
    EXPECT_EQ(kit.instance(types::KastiqMechFlyby_12)->layer, &frames.layers[2]);
    EXPECT_FALSE(kit.instance(types::KastiqMechFlyby_12)->flags & FrameObject::VISIBLE);
    EXPECT_TRUE(frames.intro_group);
    EXPECT_FALSE(frames.global_group_7);
    for (int n = 0; n <= 8; ++n)
        EXPECT_NE(frames.find_loop("sound_explode" + std::to_string(n)), nullptr) << n;

    frames.once_113 = frames.once_119 = true;
    frames.intro_group = false;
    kit.enter_frame(0);
    EXPECT_FALSE(frames.once_113);
    EXPECT_FALSE(frames.once_119);
    EXPECT_TRUE(frames.intro_group);
    EXPECT_EQ(kit.instances(types::BgStar_16).size(), 45u);
    EXPECT_EQ(kit.instances(types::SparkleTrail_5).size(), 1u);
}

TEST(IntroTimeline, the_beam_reaches_the_edge_chimes_and_reveals_the_logo)
{
    EventKit kit;
    kit.enter_frame(0);
    kit.run(189);  // ticks 1 ... 189
    kit.take_sounds();
    ASSERT_NE(kit.instance(types::SparkleTrail_5), nullptr);
    ASSERT_NE(kit.instance(types::Beam_6), nullptr);
    EXPECT_GT(kit.instance(types::Beam_6)->get_x(), 0);
    EXPECT_EQ(EventKit::value(kit.instance(types::SparkleTrail_5), 'A'), 180.0);
    kit.run(1);  // tick 190
    EXPECT_EQ(kit.instance(types::Beam_6)->get_x(), 0);
    EXPECT_EQ(kit.instance(types::Beam_6)->get_direction(), 8);
    EXPECT_TRUE(started(kit.take_sounds(), 55));
    EXPECT_TRUE(kit.instance(types::SparkleTrail_5)->flags & FrameObject::DESTROYING);

    kit.run(12);  // to tick 202: the sweep has not reached frame 13
    EXPECT_FALSE(kit.instance(types::PellowenLogo1_0)->flags & FrameObject::VISIBLE);
    kit.run(1);  // tick 203
    EXPECT_TRUE(kit.instance(types::PellowenLogo1_0)->flags & FrameObject::VISIBLE);
    EXPECT_EQ(EventKit::value(kit.instance(types::Beam_6), 'A'), 1.0);
    EXPECT_EQ(kit.instance(types::Beam_6)->blend_color.a, 248);
}

TEST(IntroTimeline, sparkles_burst_every_tick_until_the_steps_begin_then_once_a_step)
{
    EventKit kit;
    kit.enter_frame(0);
    kit.run(203);  // to tick 203: the logo shows
    // Sparkles fade out and remove themselves: mark the old ones, count the new.
    for (FrameObject* object : kit.instances(types::Sparkle_4))
        EventKit::set_value(object, 'Z', 1);
    kit.run(1);  // tick 204: two bursts, no trail sparkle any more
    int created = 0;
    for (FrameObject* object : kit.instances(types::Sparkle_4))
        created += EventKit::value(object, 'Z') == 0;
    EXPECT_EQ(created, 2);
    kit.run(30);  // to tick 234: the beam is destroyed
    EXPECT_EQ(EventKit::value(kit.instance(types::PellowenLogo1_0), 'B'), 0.0);
    kit.run(1);  // tick 235
    EXPECT_EQ(EventKit::value(kit.instance(types::PellowenLogo1_0), 'B'), 3.0);
    kit.run(2);  // tick 237: step 3 lasted two ticks
    EXPECT_EQ(EventKit::value(kit.instance(types::PellowenLogo1_0), 'B'), 4.0);
    kit.run(389 - 237 - 1);
    EXPECT_EQ(EventKit::value(kit.instance(types::PellowenLogo1_0), 'B'), 24.0);
    EXPECT_FALSE(kit.frames().layers[2].visible);
    kit.take_sounds();
    kit.run(1);  // tick 389
    EXPECT_EQ(EventKit::value(kit.instance(types::PellowenLogo1_0), 'B'), 25.0);
    EXPECT_TRUE(kit.frames().layers[2].visible);
    EXPECT_EQ(kit.instance(types::PellowenLogo1_0)->blend_color.a, 248) << "events 111 and 120 fade it 2 each";
    bool music = false;
    for (const SoundStart& sound : kit.take_sounds())
        music |= sound.channel == 31 && sound.path.find("m_title.ogg") != std::string::npos && sound.loops == 0;
    EXPECT_TRUE(music);
}

TEST(IntroTimeline, power_on_reaches_the_title_in_tick_462)
{
    EventKit kit;
    kit.enter_frame(0);
    EXPECT_EQ(run_until_frame_request(kit, 2000), 462);
    EXPECT_EQ(kit.frames().next_frame, 1);
    EXPECT_EQ(kit.global(0), -17.0);
    EXPECT_EQ(kit.instance(types::WhiteFade_7)->blend_color.a, 255);
    EXPECT_EQ(kit.instance(types::PellowenLogo1_0)->blend_color.a, 0);
    EXPECT_FALSE(EventKit::flag(kit.instance(types::LocationName_18), 0)) << "the caption never started";
    EXPECT_EQ(static_cast<TextBlitter*>(kit.instance(types::LocationName_18))->text, "");
}

TEST(IntroTimeline, without_the_music_the_intro_runs_to_its_last_step_and_enters_itself_again)
{
    EventKit kit;
    kit.enter_frame(0);
    kit.frames().once_119 = true;  // as if the music had started and stopped the fade's first ending
    EXPECT_EQ(run_until_frame_request(kit, 2000), 1031);
    EXPECT_EQ(kit.frames().next_frame, 0);
    EXPECT_EQ(kit.global(4), 2.0);
    EXPECT_TRUE(EventKit::flag(kit.instance(types::PellowenLogo1_0), 5));
    EXPECT_FALSE(EventKit::flag(kit.instance(types::PellowenLogo1_0), 6));
    kit.take_console();
    kit.run(1);
    const std::vector<std::string> lines = kit.take_console();
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(lines[0], "Setting frame: 0");
    EXPECT_EQ(lines[1], "Frame set");
    EXPECT_EQ(EventKit::value(kit.instance(types::PellowenLogo1_0), 'B'), 0.0);
    EXPECT_FALSE(kit.frames().once_119);
}

TEST(IntroMech, flies_left_slowing_shrinking_and_darkening)
{
    EventKit kit;
    kit.enter_empty_frame({.layers = 3, .width = 640, .height = 480, .index = 0, .handler = [](Frames& f) {
                               f.event_func_116();
                               f.event_func_117();
                           }});
    kit.frames().intro_group = true;
    kit.frames().once_116 = false;
    FrameObject* the_logo = kit.place("PellowenLogo1_0", 0, 0, 2);
    FrameObject* the_mech = kit.place("KastiqMechFlyby_12", 576, 375, 2);
    EventKit::set_value(the_logo, 'B', 47);
    kit.take_sounds();
    kit.run(1);
    EXPECT_TRUE(started(kit.take_sounds(), 166));
    EXPECT_TRUE(the_mech->flags & FrameObject::VISIBLE);
    EXPECT_EQ(the_mech->get_x(), 540);
    EXPECT_EQ(the_mech->get_y(), 360);
    EXPECT_EQ(EventKit::value(the_mech, 'A'), 532.0);
    EXPECT_EQ(static_cast<Active*>(the_mech)->get_angle(), 20);
    EXPECT_EQ(the_mech->blend_color.r, 248);
    EXPECT_EQ(the_mech->blend_color.b, 255);

    kit.run(1);
    EXPECT_EQ(the_mech->get_x(), 532);
    EXPECT_NEAR(EventKit::value(the_mech, 'A'), 524.07, 1e-9);
    EXPECT_EQ(the_mech->blend_color.r, 247);

    EventKit::set_value(the_logo, 'B', 48);
    EventKit::set_value(the_mech, 'N', 180);
    EventKit::set_value(the_mech, 'A', 100);
    kit.run(2);
    EXPECT_EQ(the_mech->get_x(), 101) << "past N 129 it drifts right a pixel a tick";
    EXPECT_EQ(static_cast<Active*>(the_mech)->get_angle(), 0);
    EXPECT_EQ(the_mech->blend_color.r, 67);
    EXPECT_FALSE(started(kit.take_sounds(), 166)) << "the fly-away sound plays once an entry";
}

TEST(IntroCaption, types_a_character_a_tick_clicks_every_third_fades_and_vanishes_and_an_empty_one_shows_nothing)
{
    EventKit kit;
    kit.enter_empty_frame({.handler = [](Frames& f) {
        f.event_func_125();
        f.event_func_126();
        f.event_func_127();
        f.event_func_128();
    }});
    FrameObject* text = kit.place("LocationName_18", 24, 184, 0);
    const std::string caption_text = "TOLVANI PALACE    \nVIREVI LUNMERE";
    text->alterables->strings.get(0) = caption_text;
    text->alterables->flags |= 1;
    kit.take_sounds();
    int clicks = 0;
    for (int pass = 1; pass <= 40; ++pass) {
        kit.run(1);
        for (const SoundStart& sound : kit.take_sounds())
            clicks += sound.id == 186;
        const size_t shown = std::min(size_t(pass - 1), caption_text.size());
        ASSERT_EQ(static_cast<TextBlitter*>(text)->text, caption_text.substr(0, shown)) << "pass " << pass;
    }
    EXPECT_EQ(clicks, 11) << "A = 1, 4, ... 31 below the length 33";
    EXPECT_TRUE(text->flags & FrameObject::VISIBLE);
    kit.run(111);  // 151 passes: A = 151, faded once
    EXPECT_EQ(text->blend_color.a, 254);
    kit.run(127);  // 278 passes
    EXPECT_TRUE(text->flags & FrameObject::VISIBLE);
    kit.run(1);  // A reaches 279
    EXPECT_FALSE(text->flags & FrameObject::VISIBLE);
    EXPECT_FALSE(EventKit::flag(text, 0));
    EXPECT_EQ(EventKit::value(text, 'A'), 0.0);
    EXPECT_EQ(text->blend_color.a, 255);

    // An empty caption shows nothing and clicks never.
    text->alterables->strings.get(0) = "";
    text->alterables->flags |= 1;
    kit.take_sounds();
    kit.run(10);
    EXPECT_TRUE(kit.take_sounds().empty());
    EXPECT_EQ(static_cast<TextBlitter*>(text)->text, "");
}
