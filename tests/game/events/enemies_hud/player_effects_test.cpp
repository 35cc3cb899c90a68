// The effects around the player, played as the act runs them: the level
// tick counts up each tick, then the effect events run in their order.
#include "console/pads.h"
#include "game/events/act_tick.h"
#include "game/frames/event_support.h"
#include "game/objects/type_ids.h"
#include "objects/active.h"
#include "runtime/movement.h"
#include "tests/game/events/act1_frame/act1_start_kit.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace act1_test;
using PlayerEffects = StartTest;

namespace {

void effects_tick(Frames& f)
{
    f.global_values->set(3, f.global_values->get(3) + 1);
    for (FramesEvent event :
         {&Frames::event_func_2057, &Frames::event_func_2058, &Frames::event_func_2059, &Frames::event_func_2060,
          &Frames::event_func_2061, &Frames::event_func_2068, &Frames::event_func_2069, &Frames::event_func_2070,
          &Frames::event_func_2071, &Frames::event_func_2072, &Frames::event_func_2073, &Frames::event_func_2074,
          &Frames::event_func_2075, &Frames::event_func_2076, &Frames::event_func_2080, &Frames::event_func_2081,
          &Frames::event_func_2082, &Frames::event_func_2083})
        (f.*event)();
}

EmptyFrame effects_frame(std::function<void(Frames&)> place)
{
    EmptyFrame frame = act_frame(std::move(place), nullptr);
    frame.handler = effects_tick;
    return frame;
}

int alive(EventKit& kit, int type)
{
    int count = 0;
    for (FrameObject* object : kit.instances(type))
        count += !(object->flags & (FrameObject::DESTROYING | FrameObject::FADEOUT));
    return count;
}

}  // namespace

TEST_F(PlayerEffects, dust_puffs_every_second_tick_below_the_turned_sensor)
{
    EventKit kit;
    FrameObject *sensor = nullptr, *moves = nullptr;
    EmptyFrame frame = effects_frame([&](Frames&) {
        sensor = kit.place("PlayerCharacterSensor_151", 300, 200, 1);
        sensor->set_direction(8, false);
        moves = kit.place("PlayerMovementValues_80", 0, 0, 1);
        EventKit::set_value(moves, 'Q', 1);
        EventKit::set_value(moves, 'M', 4);
    });
    // Where the newest puff was made, before its movement takes it on.
    int made_x = 0, made_y = 0;
    const FrameObject* newest = nullptr;
    frame.handler = [&](Frames& f) {
        effects_tick(f);
        if (const FrameObject* puff = f.instances[types::EffectsDust01_132].back; puff && puff != newest) {
            newest = puff;
            made_x = puff->get_x();
            made_y = puff->get_y();
        }
    };
    kit.enter_empty_frame(frame);
    // Running right: a puff on each even tick, 13 pixels along the sensor.
    for (int tick = 2; tick <= 7; ++tick) {
        kit.run(1);
        ASSERT_EQ(kit.global(3), tick);
        const auto puffs = kit.instances(types::EffectsDust01_132);
        ASSERT_EQ(int(puffs.size()), tick / 2) << tick;
        FrameObject* puff = puffs.back();
        EXPECT_EQ(made_x, 313);
        EXPECT_EQ(made_y, 200);
        EXPECT_EQ(puff->get_movement()->get_speed(), 4);
        EXPECT_GE(puff->get_direction(), 6);
        EXPECT_LE(puff->get_direction(), 8);
    }
    // Turned to 4 (45 degrees): trunc(13 sin 45) = 9 each way.
    sensor->set_direction(4, false);
    kit.run(1);
    EXPECT_EQ(made_x, 309);
    EXPECT_EQ(made_y, 209);
    // Falling left in mode 47: 14 pixels, pushed 16 behind, smaller.
    EventKit::set_value(moves, 'M', 47);
    EventKit::set_value(moves, 'Q', -1);
    EventKit::set_value(moves, 'G', 2);
    kit.run(2);
    const auto puffs = kit.instances(types::EffectsDust01_132);
    ASSERT_EQ(puffs.size(), 5u);
    auto* fall = static_cast<Active*>(puffs.back());
    EXPECT_EQ(made_x, 300 + 9 - 16);
    EXPECT_EQ(made_y, 209);
    EXPECT_EQ(fall->x_scale, 0.75f);
    EXPECT_EQ(fall->forced_speed, 50);
    EXPECT_EQ(fall->get_movement()->get_speed(), 0);
}

TEST_F(PlayerEffects, invincibility_hides_the_shields_circles_four_sparkles_and_clears_them_after)
{
    EventKit kit;
    FrameObject *player = nullptr, *others = nullptr, *wood = nullptr, *water = nullptr;
    kit.enter_empty_frame(effects_frame([&](Frames& f) {
        set_group(f, f.qualifier_15,
                  {types::Sparkle1_178, types::Sparkle2_180, types::Sparkle3_181, types::Sparkle4_182,
                   types::Sparkle5_183});
        player = kit.place("Player_87", 400, 300, 1);
        others = kit.place("PlayerOthers_75", 0, 0, 1);
        wood = kit.place("ShieldWood_103", 400, 300, 1);
        water = kit.place("ShieldWater_106", 400, 300, 1);
        EventKit::set_value(others, 'D', 1);
        set_flag(wood, 1, true);
    }));
    EXPECT_FALSE(wood->flags & FrameObject::VISIBLE);
    EXPECT_TRUE(water->flags & FrameObject::VISIBLE);
    EXPECT_TRUE(EventKit::flag(others, 10));
    FrameObject* wide = kit.instance(types::Sparkle1_178);
    FrameObject* narrow = kit.instance(types::Sparkle4_182);
    ASSERT_TRUE(wide && narrow);
    EXPECT_EQ(EventKit::values(kit.instance(types::Sparkle2_180), "CD"), doubles(20, 180 + 7));
    EXPECT_EQ(EventKit::values(kit.instance(types::Sparkle3_181), "CD"), doubles(10, 0 + 10));
    // The wide pair is centred every third tick, the narrow one every sixth
    // (at 0 until then); the player moving right shows which centre each uses.
    int wide_x = 0, wide_y = 0, trail_y = 0;
    for (int tick = 2; tick <= 13; ++tick) {
        player->set_x(400 + tick);
        kit.run(1);
        const int wide_centre = tick < 3 ? 0 : 400 + tick / 3 * 3;
        const int narrow_centre = tick < 6 ? 0 : 400 + tick / 6 * 6;
        const double wide_angle = 7 * (tick - 1), narrow_angle = 180 + 10 * (tick - 1);
        const auto trail = kit.instances(types::Sparkle5_183);
        // Four trail sparkles every sixth tick where the circling ones were,
        // each rising a pixel a tick from its first.
        ASSERT_EQ(trail.size(), size_t(4 * (tick / 6))) << tick;
        if (tick == 6) {
            EXPECT_EQ(trail[0]->get_x(), wide_x);
            trail_y = wide_y - 1;
        }
        if (tick >= 6) {
            EXPECT_EQ(trail[0]->get_y(), trail_y - (tick - 6));
        }
        wide_x = int(wide_centre + 20 * std::sin(wide_angle / 57.29577951308232));
        wide_y = int((tick < 3 ? 0 : 296) - 20 * std::cos(wide_angle / 57.29577951308232));
        EXPECT_EQ(wide->get_x(), wide_x) << tick;
        EXPECT_EQ(wide->get_y(), wide_y) << tick;
        EXPECT_EQ(narrow->get_x(), int(narrow_centre + 10 * std::sin(narrow_angle / 57.29577951308232))) << tick;
    }
    // The invincibility over: every sparkle goes, the shields stay hidden,
    // and a new invincibility starts the effect again.
    EventKit::set_value(others, 'D', 0);
    kit.run(1);
    for (int type : {types::Sparkle1_178, types::Sparkle4_182, types::Sparkle5_183})
        EXPECT_EQ(alive(kit, type), 0) << type;
    EXPECT_FALSE(EventKit::flag(others, 10));
    EXPECT_FALSE(wood->flags & FrameObject::VISIBLE);
    EventKit::set_value(others, 'D', 1);
    kit.run(2);
    EXPECT_EQ(alive(kit, types::Sparkle1_178), 1);
    EXPECT_TRUE(EventKit::flag(others, 10));
}

TEST_F(PlayerEffects, the_magnetic_shield_throws_four_sparks_on_entering_state_2)
{
    EventKit kit;
    FrameObject* shield = nullptr;
    kit.enter_empty_frame(effects_frame([&](Frames&) { shield = kit.place("ShieldMagnetic_105", 500, 250, 2); }));
    EXPECT_TRUE(kit.instances(types::ThunderSpark_192).empty());
    EventKit::set_value(shield, 'A', 2);
    kit.run(1);
    auto sparks = kit.instances(types::ThunderSpark_192);
    ASSERT_EQ(sparks.size(), 4u);
    const int directions[] = {12, 20, 28, 4};
    for (size_t k = 0; k < 4; ++k) {
        EXPECT_EQ(sparks[k]->get_direction(), directions[k]);
        EXPECT_EQ(sparks[k]->get_x(), 500);
        EXPECT_EQ(sparks[k]->get_y(), 263);
        EXPECT_EQ(sparks[k]->layer->index, 2);
    }
    kit.run(3);
    EXPECT_EQ(kit.instances(types::ThunderSpark_192).size(), 4u);
    EventKit::set_value(shield, 'A', 1);
    kit.run(1);
    EventKit::set_value(shield, 'A', 2);
    kit.run(1);
    EXPECT_EQ(kit.instances(types::ThunderSpark_192).size(), 8u);
}

TEST_F(PlayerEffects, in_act_1_the_invincibility_sparkles_follow_the_running_player)
{
    EventKit kit;
    kit.enter_frame(4);
    Frames& f = kit.frames();
    for (int tick = 0; tick < 400 && !f.level_group_25; ++tick)
        kit.run(1);
    FrameObject* player = kit.instance(types::Player_87);
    // As an invincibility box gives it: 1800 ticks of it.
    EventKit::set_value(kit.instance(types::PlayerOthers_75), 'D', 1);
    EventKit::set_value(kit.instance(types::PlayerOthers_75), 'E', 1800);
    kit.hold(VPAD_BUTTON_RIGHT);
    kit.run(3);
    FrameObject* wide = kit.instance(types::Sparkle1_178);
    ASSERT_TRUE(wide);
    int centred = 0;
    for (int tick = 0; tick < 60; ++tick) {
        kit.run(1);
        if (to_int(kit.global(3)) % 3 != 0)
            continue;
        ++centred;
        EXPECT_EQ(EventKit::values(wide, "AB"), doubles(player->get_x(), player->get_y() - 4));
        const double angle = EventKit::value(wide, 'D') - 7;
        EXPECT_EQ(wide->get_x(), int(player->get_x() + 20 * std::sin(angle / 57.29577951308232)));
    }
    EXPECT_EQ(centred, 20);
    EXPECT_GT(player->get_x(), 300);
}
