// Act 2's start events, run by entering the act: the water line, the
// numbers of codecs, pads, doors, plates and bubble patches, the parallax
// factors, the camera's offsets, the strips outside the playfield, and the
// opening the progress marker chooses.
#include "objects/active.h"
#include "tests/support/event_kit.h"

#include <gtest/gtest.h>

namespace {

constexpr int act2 = 5;

bool going(const FrameObject* object) { return object->flags & (FrameObject::DESTROYING | FrameObject::FADEOUT); }

std::vector<double> values_of(EventKit& kit, int type, char letter)
{
    std::vector<double> found;
    for (FrameObject* object : kit.instances(type))
        found.push_back(EventKit::value(object, letter));
    return found;
}

}  // namespace

TEST(Act2StartEvents, a_first_start_numbers_the_act_and_opens_with_the_fade)
{
    EventKit kit;
    kit.set_global(4, 0);
    kit.enter_frame(act2);
    Frames& f = kit.frames();

    // The opening fade instead of the cards; the card still held the controls.
    EXPECT_FALSE(f.level_group_32);
    EXPECT_TRUE(f.opening_fade_group);
    EXPECT_TRUE(f.level_group_39);
    EXPECT_TRUE(f.boss_arena_group);
    EXPECT_EQ(EventKit::value(kit.instance(types::PlayerInput_21), 'M'), 1);

    FrameObject* level = kit.instance(types::MasterLevel_53);
    EXPECT_EQ(EventKit::values(level, "ABQY"), doubles(1, 2700, 2, 0));
    // Numbered newest first.
    EXPECT_EQ(values_of(kit, types::ObjectCodec_279, 'A'), doubles(7, 6, 5));
    EXPECT_EQ(values_of(kit, types::ObjectJumppad_325, 'A'), doubles(7, 6, 5, 4, 3, 2, 1, 0));
    EXPECT_EQ(values_of(kit, types::SwitchPressurePlate_376, 'A'), doubles(0));
    FrameObject* door = kit.instance(types::SwitchDoor_378);
    // The layer behind its own, counted from 1.
    EXPECT_EQ(EventKit::values(door, "AB"), doubles(0, 3));
    for (FrameObject* water : kit.instances(types::GeneralWater_156)) {
        EXPECT_EQ(static_cast<Active*>(water)->x_scale, float(kit.global(16)));
    }

    EXPECT_EQ(EventKit::values(kit.instance(types::LevelParallaxPiece3_216), "DEG"), doubles(0.96, 0.92, -0.1));
    EXPECT_EQ(EventKit::values(kit.instance(types::LevelParallaxPiece7_367), "DE"), doubles(0.35, 0.43));
    EXPECT_EQ(EventKit::values(kit.instance(types::MasterCamera_190), "XY"),
              doubles(107 + 53 * kit.global(19), 120));

    FrameObject* surface = kit.instance(types::LevelParalaxWaterSurface_389);
    EXPECT_EQ(static_cast<Active*>(surface)->x_scale, 426.0f);
    EXPECT_EQ(surface->get_y(), 2700);
    // Loop strips the layout parks outside the playfield go; the others stay.
    int gone = 0;
    for (int strip : {types::LevelLayer0Loop04_357, types::LevelLayer1Loop03_358})
        for (FrameObject* object : kit.instances(strip)) {
            EXPECT_EQ(going(object), object->outside_playfield()) << object->get_x() << "," << object->get_y();
            gone += going(object);
        }
    EXPECT_GT(gone, 0);
    for (FrameObject* card : kit.instances(types::LevelCardIntro3_288))
        EXPECT_EQ(static_cast<Active*>(card)->forced_animation, -1);
}

TEST(Act2StartEvents, after_the_boss_the_sign_is_gone_and_the_arm_takes_its_colours)
{
    EventKit kit;
    kit.set_global(4, 12);
    kit.enter_frame(act2);
    Frames& f = kit.frames();
    EXPECT_TRUE(f.level_group_32);
    EXPECT_FALSE(f.opening_fade_group);
    EXPECT_FALSE(f.boss_arena_group);
    EXPECT_FALSE(kit.instance(types::Sign_361)->flags & FrameObject::VISIBLE);
    // Its animation 5, which the stand-in card draws with its first.
    for (FrameObject* card : kit.instances(types::LevelCardIntro3_288))
        EXPECT_GE(static_cast<Active*>(card)->forced_animation, 0);
    // The save's choices are 0: the palette's first piece for all three.
    const std::string palette = kit.global_string(12);
    const double first = std::stod(palette.substr(0, 3));
    FrameObject* arm = kit.instance(types::PlayerSkinHespinArm_350);
    EXPECT_EQ(EventKit::values(arm, "GHI"), doubles(first, first, first));
    EXPECT_DOUBLE_EQ(EventKit::value(arm, 'J'), first * 0.1);
    // The HUD slid in: 40 passes of its loop.
    EXPECT_EQ(f.fast_loop_gui_shiftup.index, 40);
    kit.set_global(4, 0);
}
