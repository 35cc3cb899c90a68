// Act 2's water on a stage of its own: the bobbing line and its strips (the
// surface on multiples of 64 left of the view, the body on the view), the
// countdown digits following the air counter, the patch's two bubble
// rhythms with bubbles rising until they break at the line, and breath
// bubbles.
#include "game/objects/type_ids.h"
#include "objects/active.h"
#include "tests/support/event_kit.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

struct WaterStage {
    FrameObject* level = nullptr;
    FrameObject* others = nullptr;
    FrameObject* movement = nullptr;
    FrameObject* player = nullptr;
    FrameObject* digits = nullptr;
    FrameObject* patch = nullptr;
    FrameObject* horizon = nullptr;
    FrameObject* body = nullptr;
};

void run_water(Frames& f)
{
    for (auto event :
         {&Frames::event_func_2454, &Frames::event_func_2455, &Frames::event_func_2456, &Frames::event_func_2457,
          &Frames::event_func_2458, &Frames::event_func_2459, &Frames::event_func_2460, &Frames::event_func_2461,
          &Frames::event_func_2462, &Frames::event_func_2463, &Frames::event_func_2464, &Frames::event_func_2465,
          &Frames::event_func_2466, &Frames::event_func_2467, &Frames::event_func_2468, &Frames::event_func_2469,
          &Frames::event_func_2470, &Frames::event_func_2471, &Frames::event_func_2472, &Frames::event_func_2473,
          &Frames::event_func_2474, &Frames::event_func_2475, &Frames::event_func_2476})
        (f.*event)();
}

WaterStage enter_water(EventKit& kit, bool with_patch)
{
    WaterStage s;
    kit.enter_empty_frame({.width = 3000,
                           .height = 1000,
                           .handler = run_water,
                           .set_up = [&](Frames& f) {
                               f.reset_frame_event_state(6);
                               f.level_group_43 = true;
                               s.level = kit.place("MasterLevel_53", -50, -50);
                               s.others = kit.place("PlayerOthers_75", -50, -50);
                               s.movement = kit.place("PlayerMovementValues_80", -50, -50);
                               s.player = kit.place("Player_87", 300, 400);
                               s.digits = kit.place("BubbleNumbers_185", 0, 0);
                               s.horizon = kit.place("GeneralWaterHorizon_155", 0, 0);
                               s.body = kit.place("GeneralWater_156", 0, 0);
                               if (with_patch)
                                   s.patch = kit.place("BubblePatch_362", 1000, 700);
                               EventKit::set_value(s.level, 'A', 1);
                               EventKit::set_value(s.level, 'B', 500);
                           }});
    return s;
}

std::vector<FrameObject*> live(EventKit& kit, int type)
{
    std::vector<FrameObject*> kept;
    for (FrameObject* object : kit.instances(type))
        if (!(object->flags & FrameObject::DESTROYING))
            kept.push_back(object);
    return kept;
}

}  // namespace

TEST(Act2Water, the_line_bobs_and_the_digits_count_down_with_the_air)
{
    EventKit kit;
    WaterStage s = enter_water(kit, false);
    // Global value 3 not stored: the line sits 3 below its base.
    EXPECT_EQ(EventKit::value(s.level, 'C'), 503);
    EXPECT_EQ(s.horizon->get_y(), 503);
    EXPECT_EQ(s.body->get_y(), 503);
    kit.set_global(3, 60);  // cos(90) is exactly 0
    kit.run(1);
    EXPECT_EQ(EventKit::value(s.level, 'C'), 500);

    // Below 20 the digits wait off screen.
    EXPECT_EQ(s.digits->get_x(), -466);
    const std::pair<double, int> steps[] = {{20, 5}, {21, 5}, {22, 4}, {24, 3}, {26, 2}, {28, 1}, {30, 0}, {31, 0}};
    for (const auto& [air, direction] : steps) {
        EventKit::set_value(s.others, 'J', air);
        kit.run(1);
        EXPECT_EQ(s.digits->get_x(), 300) << air;
        EXPECT_EQ(s.digits->get_y(), 360) << air;
        EXPECT_EQ(s.digits->get_direction(), direction) << air;
    }
    EventKit::set_value(s.others, 'J', 32);
    kit.run(1);
    EXPECT_TRUE(s.digits->flags & FrameObject::DESTROYING);
}

TEST(Act2Water, the_patch_releases_on_two_rhythms_and_bubbles_break_at_the_line)
{
    EventKit kit;
    WaterStage s = enter_water(kit, true);
    // The first tick counted 1; the 16th releases the first bubble.
    kit.run(14);
    EXPECT_TRUE(live(kit, types::MediumBubble_363).empty());
    kit.run(1);
    auto made = live(kit, types::MediumBubble_363);
    ASSERT_EQ(made.size(), 1u);
    FrameObject* first = made[0];
    EXPECT_EQ(EventKit::value(s.patch, 'A'), 0);
    EXPECT_TRUE(EventKit::flag(first, 2));
    EXPECT_GE(first->get_x(), 1000 - 8);
    EXPECT_LE(first->get_x(), 1000 + 8);
    const double rise = EventKit::value(first, 'D');
    EXPECT_GE(rise, -2.0);
    EXPECT_LE(rise, -1.0);
    EXPECT_EQ(first->get_y(), std::trunc(692 + rise));
    // Every 16 ticks another; the 51st tick brings one of the slow rhythm.
    kit.run(16);
    EXPECT_EQ(live(kit, types::MediumBubble_363).size(), 2u);
    kit.run(19);
    EXPECT_EQ(live(kit, types::MediumBubble_363).size(), 4u);
    EXPECT_EQ(EventKit::value(s.patch, 'B'), 0);
    EXPECT_GE(EventKit::value(kit.instance(types::MediumBubble_363), 'E'), 1);
    // The first bubble rises until it is above the line, then breaks.
    int ticks = 0;
    while (!(first->flags & FrameObject::DESTROYING) && ticks < 300) {
        kit.run(1);
        ++ticks;
    }
    EXPECT_LT(EventKit::value(first, 'B'), 500);
    EXPECT_GE(EventKit::value(first, 'B'), 498);
}

TEST(Act2Water, a_breath_request_under_water_is_taken_and_cleared_above_it)
{
    EventKit kit;
    WaterStage s = enter_water(kit, false);
    s.player->set_y(800);
    EventKit::set_value(s.player, 'H', 1);
    kit.set_global(3, 7);
    kit.run(1);
    // The breath is taken (no skin to show it) and the request cleared.
    EXPECT_EQ(EventKit::value(s.player, 'H'), 0);
    EXPECT_TRUE(live(kit, types::MediumBubble_363).empty());
    // Above the line a pending request is dropped too, whatever the mode.
    EventKit::set_value(s.movement, 'M', 9);
    s.player->set_y(400);
    EventKit::set_value(s.player, 'H', 1);
    kit.run(1);
    EXPECT_EQ(EventKit::value(s.player, 'H'), 0);
}

TEST(Act2Water, the_surface_strip_keeps_to_multiples_of_64_left_of_the_view_and_the_body_to_the_view)
{
    EventKit kit;
    WaterStage s = enter_water(kit, false);
    Frames& f = kit.frames();
    const struct {
        int left, top;
        int surface_x, body_x, body_y;
    } views[] = {
        {100, 600, 64, 100, 600},  // the body never above the view's top
        {130, 400, 128, 130, 503}, // nor below the line
        {63, 400, 0, 63, 503},
        {64, 400, 64, 64, 503},
        {1279, 400, 1216, 1279, 503},
    };
    for (const auto& v : views) {
        f.new_display_x = v.left;
        f.new_display_y = v.top;
        kit.run(1);
        EXPECT_EQ(s.horizon->get_x(), v.surface_x) << v.left;
        EXPECT_EQ(s.horizon->get_y(), 503) << v.left;
        EXPECT_EQ(s.body->get_x(), v.body_x) << v.left;
        EXPECT_EQ(s.body->get_y(), v.body_y) << v.left;
    }
}
