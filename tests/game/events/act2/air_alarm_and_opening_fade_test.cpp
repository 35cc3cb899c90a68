// Act 2's air on a stage of its own: warnings, the alarm with the faded
// music and louder beeps, drowning at 32, refills at a bubble patch, the
// HUD counter; and the opening fade that hands the act over.
#include "audio/media.h"
#include "game/objects/type_ids.h"
#include "objects/arrayext.h"
#include "objects/counter.h"
#include "tests/support/event_kit.h"

#include <gtest/gtest.h>

namespace {

struct AirStage {
    FrameObject* others = nullptr;
    FrameObject* movement = nullptr;
    FrameObject* music = nullptr;
    ArrayObject* calls = nullptr;
    Counter* counter = nullptr;
    FrameObject* icon = nullptr;
    FrameObject* sensor = nullptr;
};

void run_air(Frames& f)
{
    for (auto event :
         {&Frames::event_func_2380, &Frames::event_func_2381, &Frames::event_func_2382, &Frames::event_func_2383,
          &Frames::event_func_2384, &Frames::event_func_2385, &Frames::event_func_2386, &Frames::event_func_2387,
          &Frames::event_func_2388, &Frames::event_func_2389, &Frames::event_func_2390, &Frames::event_func_2391,
          &Frames::event_func_2392, &Frames::event_func_2393, &Frames::event_func_2394})
        (f.*event)();
}

AirStage enter_air(EventKit& kit)
{
    AirStage s;
    kit.enter_empty_frame({.width = 2000,
                           .height = 1000,
                           .handler = run_air,
                           .set_up = [&](Frames& f) {
                               f.reset_frame_event_state(6);
                               f.level_group_43 = true;
                               s.others = kit.place("PlayerOthers_75", -50, -50);
                               s.movement = kit.place("PlayerMovementValues_80", -50, -50);
                               s.music = kit.place("ControllerMusic_49", -50, -50);
                               s.calls = static_cast<ArrayObject*>(kit.place("FunctionMusic_50", -50, -50));
                               s.counter = static_cast<Counter*>(kit.place("GUIAir_405", 20, 40));
                               s.icon = kit.place("GUIIcon_108", 10, 10);
                               s.sensor = kit.place("PlayerCharacterSensor_151", 300, 300);
                               kit.place("BubblePatch_362", 1500, 300);
                               kit.place("BubbleNumbers_185", 0, 0);
                               EventKit::set_value(s.movement, 'A', 1);
                               EventKit::set_value(s.music, 'M', 1);
                           }});
    return s;
}

std::string last_call(const AirStage& s) { return s.calls->get_string(s.calls->data.current_x - 1, -1, -1); }

}  // namespace

TEST(Act2Air, the_counter_warns_sounds_the_alarm_drowns_and_refills_at_a_patch)
{
    EventKit kit;
    AirStage s = enter_air(kit);
    EventKit::set_value(s.others, 'J', 4);
    kit.run(1);
    EXPECT_EQ(s.counter->value, 10);
    kit.take_sounds();
    // Two warnings, each once while the counter stays.
    EventKit::set_value(s.others, 'J', 10);
    kit.run(3);
    EXPECT_EQ(sample_count(kit.take_sounds(), 16), 1);
    EXPECT_EQ(s.counter->value, 7);
    EventKit::set_value(s.others, 'J', 15);
    kit.run(1);
    EXPECT_EQ(sample_count(kit.take_sounds(), 16), 1);

    // The alarm: the music fades, the beeps alternate on the step counter
    // and the HUD counter blinks between 0 and 2.
    EventKit::set_value(s.others, 'J', 20);
    kit.set_global(3, 6);
    kit.run(1);
    EXPECT_EQ(last_call(s), "fadeout_music(6000)");
    EXPECT_EQ(EventKit::value(s.music, 'M'), 0);
    EXPECT_EQ(sample_count(kit.take_sounds(), 37), 1);
    EXPECT_EQ(media.get_sample_volume(37), 40);
    EXPECT_GE(s.counter->value, 0);
    EXPECT_LT(s.counter->value, 2);
    EventKit::set_value(s.others, 'J', 30);
    kit.set_global(3, 66);
    kit.run(1);
    EXPECT_EQ(sample_count(kit.take_sounds(), 38), 1);
    EXPECT_EQ(media.get_sample_volume(38), 100);
    // 31 is past the alarm band.
    EventKit::set_value(s.others, 'J', 31);
    kit.set_global(3, 126);
    kit.run(1);
    EXPECT_EQ(sample_count(kit.take_sounds(), 37), 0);

    // Out of air: the drowning request, the music call, once.
    EventKit::set_value(s.others, 'J', 32);
    EventKit::set_value(s.others, 'D', 1);
    kit.run(2);
    EXPECT_EQ(EventKit::value(s.movement, 'R'), 3);
    EXPECT_EQ(EventKit::value(s.others, 'D'), 0);
    EXPECT_EQ(last_call(s), "unqueue_music()");
    EXPECT_EQ(s.calls->get_string(s.calls->data.current_x - 2, -1, -1), "fadeout_music(6000)");

    // A patch: 25 drops to 18 at once, then a step a tick down to 0 for
    // this character; the music controller is back to normal.
    EventKit::set_value(s.others, 'J', 25);
    s.sensor->set_global_position(1500, 300);
    kit.run(1);
    EXPECT_EQ(EventKit::value(s.others, 'J'), 18);
    kit.run(1);
    EXPECT_EQ(EventKit::value(s.music, 'M'), 1);
    kit.run(30);
    EXPECT_EQ(EventKit::value(s.others, 'J'), 0);
    // The water shield needs no air.
    EventKit::set_value(s.others, 'J', 5);
    EventKit::set_value(s.others, 'B', 4);
    kit.run(3);
    EXPECT_EQ(EventKit::value(s.others, 'J'), 5);
}

TEST(Act2Air, the_hud_counter_slides_in_under_water_and_out_when_raised)
{
    EventKit kit;
    AirStage s = enter_air(kit);
    EventKit::set_value(s.others, 'H', 1);
    kit.run(20);
    EXPECT_EQ(EventKit::value(s.icon, 'C'), 16);
    EXPECT_EQ(s.counter->get_x(), 20 + 32);
    EventKit::set_value(s.icon, 'A', 1);
    kit.run(5);
    EXPECT_EQ(EventKit::value(s.icon, 'C'), 11);
    EXPECT_EQ(s.counter->get_x(), 20 + 22);
}

TEST(Act2OpeningFade, the_card_fades_for_32_ticks_then_the_act_starts)
{
    EventKit kit;
    FrameObject* card = nullptr;
    FrameObject* movement = nullptr;
    kit.enter_empty_frame({.handler = [](Frames& f) {
                               f.event_func_2396();
                               f.event_func_2397();
                           },
                           .set_up = [&](Frames& f) {
                               f.reset_frame_event_state(6);
                               f.level_group_43 = f.opening_fade_group = true;
                               card = kit.place("LevelCardFade_208", 0, 0);
                               movement = kit.place("PlayerMovementValues_80", -50, -50);
                               kit.place("LevelCardIntro1_334", 0, 0);
                           }});
    Frames& f = kit.frames();
    EXPECT_EQ(card->blend_color.a, 248);
    kit.run(30);
    EXPECT_EQ(EventKit::value(card, 'A'), 31);
    EXPECT_EQ(EventKit::value(movement, 'B'), 3);
    EXPECT_FALSE(card->flags & FrameObject::DESTROYING);
    kit.run(1);
    EXPECT_TRUE(card->flags & FrameObject::DESTROYING);
    EXPECT_EQ(kit.global(4), 1);
    EXPECT_FALSE(f.opening_fade_group);
    EXPECT_TRUE(f.level_group_39 && f.level_group_25);
}
