// Every character jumps from flat ground: the player engine on the terrain
// scene, then the mode switch and the mode-0 group.
#include "console/pads.h"
#include "tests/game/events/player_actions/ground_mode_stage.h"
#include "tests/game/events/player_stage.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

using namespace ground_mode_test;
using namespace player_terrain;

namespace {

struct Jumper {
    int character;
    unsigned voice;
    double height;  // from the jump speed 7 and the character's gravity
};

// 0.25 a tick: 7 + 6.75 + ... + 0.25; the bike's 0.3: 7 + 6.7 + ... + 0.1,
// less what the engine's rounding of the speed down to 1/10000 a tick takes
// (under 0.03 over the 24 ticks up).
constexpr Jumper jumpers[] = {{0, 8, 101.5}, {1, 8, 101.5}, {2, 8, 101.5},
                              {3, 151, 85.2}, {4, 8, 101.5}, {5, 152, 101.5}};

double v(FrameObject* object, char letter) { return EventKit::value(object, letter); }

void press_jump(EventKit& kit, bool held)
{
    FrameObject* pad = kit.instance(types::PlayerInput_21);
    EventKit::set_value(pad, 'E', held);
    EventKit::set_value(pad, 'K', held);
}

}  // namespace

TEST(GroundJump, every_character_jumps_from_flat_ground_to_its_height_and_lands)
{
    for (const Jumper& jumper : jumpers) {
        SCOPED_TRACE(jumper.character);
        EventKit kit;
        TerrainScene scene;
        scene.standing = true;
        scene.character = jumper.character;
        scene.set_up = [&jumper](Frames& f) { f.*voice_group(jumper.character) = true; };
        scene.handler = [](Frames& f) {
            run_player_events(f, 594, 710);
            run_mode_events(f);
        };
        kit.enter_empty_frame(player_terrain_frame(scene));
        FrameObject* values = player_values(kit);
        FrameObject* actions = kit.instance(types::PlayerActionValuesA_86);
        kit.run(10);
        const double ground_y = v(values, 'Y');
        ASSERT_EQ(ground_y, 502);
        FrameObject* body = kit.instance(types::Player_87);
        const int body_y = body->get_y();
        ASSERT_EQ(v(kit.instance(types::PlayerOthers_75), 'Y'), 0);  // standing
        ASSERT_EQ(v(actions, 'A'), -7);
        kit.take_sounds();

        // The tick of the press: the jump speed straight up, the ground speed
        // kept, off the ground into the airborne mode, the voice.
        press_jump(kit, true);
        kit.run(1);
        EXPECT_EQ(v(values, 'G'), -7);
        EXPECT_EQ(v(values, 'B'), 0);
        EXPECT_EQ(v(values, 'L'), 0);
        EXPECT_EQ(v(values, 'M'), 1);
        EXPECT_EQ(v(values, 'N'), 0);
        EXPECT_EQ(v(actions, 'C'), 1);
        EXPECT_EQ(v(values, 'Y'), ground_y);
        EXPECT_EQ(sample_count(kit.take_sounds(), jumper.voice), 1);

        // Rising by the jump speed less the gravity of each tick; a second
        // press in the air starts no second jump.
        double highest = ground_y;
        int ticks_up = 0, ticks_in_air = 1;
        for (; ticks_in_air < 120 && v(values, 'L') == 0; ++ticks_in_air) {
            kit.run(1);
            if (v(values, 'Y') < highest) {
                highest = v(values, 'Y');
                ticks_up = ticks_in_air;
            }
        }
        press_jump(kit, false);
        if (jumper.character == 3) {
            EXPECT_NEAR(ground_y - highest, jumper.height, 0.03);
            EXPECT_EQ(ticks_up, 24);
        } else {
            EXPECT_EQ(ground_y - highest, jumper.height);
            EXPECT_EQ(ticks_up, 28);
        }
        // Back on the floor where it stood (the bike's inexact steps leave a
        // fraction below the pixel).
        EXPECT_EQ(v(values, 'L'), 1);
        EXPECT_EQ(std::floor(v(values, 'Y')), ground_y);
        EXPECT_EQ(body->get_y(), body_y);
        EXPECT_LT(ticks_in_air, 2 * ticks_up + 4);
        EXPECT_EQ(kit.take_sounds().size(), 0u);
    }
}

TEST(GroundJump, in_the_act_the_jump_button_lifts_the_player_off_its_start)
{
    EventKit kit;
    kit.enter_frame(4);
    FrameObject* values = kit.instance(types::PlayerMovementValues_80);
    ASSERT_NE(values, nullptr);
    // Once the opening card has handed over control, standing still.
    player_stage::run_until_in_control(kit);
    kit.run(60);
    ASSERT_EQ(v(values, 'L'), 1);
    EXPECT_EQ(v(kit.instance(types::PlayerOthers_75), 'Y'), 0);
    const double ground_y = v(values, 'Y');
    // The pad's press reaches the player's controls on the next tick; held,
    // the jump rises in full.
    kit.hold(VPAD_BUTTON_A);
    kit.run(2);
    EXPECT_EQ(v(values, 'M'), 1);
    EXPECT_EQ(v(values, 'G'), -7);
    kit.run(28);
    kit.release();
    EXPECT_EQ(ground_y - v(values, 'Y'), 101.5);
}
