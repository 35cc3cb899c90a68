// Hanging grips: the top sensor catches a grip only on the way down and not
// in mode 9; the catch sounds once, puts the player 32 below the grip and
// holds it there every tick while it falls into it; releasing the hold
// input keeps it hanging by the other event.
#include "game/objects/type_ids.h"
#include "tests/game/events/act1_frame/act1_start_kit.h"
#include "tests/support/event_kit.h"

#include <gtest/gtest.h>

namespace {

double v(const FrameObject* object, char letter) { return EventKit::value(object, letter); }
void set(FrameObject* object, char letter, double number) { EventKit::set_value(object, letter, number); }

}  // namespace

TEST(HangingGrips, a_falling_player_catches_the_grip_with_one_grab_sound_and_hangs_below_it)
{
    EventKit kit;
    FrameObject *values = nullptr, *input = nullptr, *others = nullptr, *shield = nullptr, *sensor = nullptr;
    FrameObject *grip = nullptr, *second = nullptr;
    EmptyFrame frame = act1_test::act_frame(
        [&](Frames& f) {
            act1_test::set_group(f, f.qualifier_14, {types::GimmickHangingIdleSensor_153});
            values = kit.place("PlayerMovementValues_80", -500, -500);
            input = kit.place("PlayerInput_21", -500, -500);
            others = kit.place("PlayerOthers_75", -500, -500);
            shield = kit.place("ShieldWater_106", -500, -500);
            sensor = kit.place("PlayerSensorTopBig_93", -500, -500, 2);
            grip = kit.place("GimmickHangingIdleSensor_153", 600, 400, 2);
        },
        nullptr);
    frame.handler = [&sensor](Frames& f) {
        // The top sensor where the player's top is, under the grip.
        sensor->set_position(604, 406);
        f.event_func_1863();
        f.event_func_1864();
        f.event_func_1865();
    };
    kit.enter_empty_frame(frame);
    Frames& f = kit.frames();
    kit.take_sounds();
    set(shield, 'A', 2);
    set(others, 'Z', 1);

    // Rising through it, or falling in mode 9: no catch, no sound.
    for (const auto& [speed, mode] : {std::pair{-3.0, 0.0}, {0.0, 0.0}, {2.0, 9.0}}) {
        set(values, 'G', speed);
        set(values, 'M', mode);
        kit.run(1);
        EXPECT_EQ(v(values, 'M'), mode);
    }
    EXPECT_EQ(sample_count(kit.take_sounds(), 30), 0);
    EXPECT_EQ(v(grip, 'Q'), 0);

    // Falling: caught, 32 below the grip, the water shield's state and
    // Z cleared, the grip marked.
    set(values, 'M', 1);
    set(values, 'G', 2);
    kit.run(1);
    EXPECT_EQ(EventKit::values(values, "MXY"), doubles(41, 600, 432));
    EXPECT_EQ(v(grip, 'Q'), 1);
    EXPECT_EQ(v(shield, 'A'), 0);
    EXPECT_EQ(v(others, 'Z'), 0);
    EXPECT_EQ(sample_count(kit.take_sounds(), 30), 1);
    // Held every tick, without a second sound, with the hold input or not
    // (only the catch without it clears Z again).
    for (const double hold : {0.0, 1.0}) {
        set(input, 'B', hold);
        set(values, 'X', 590);
        set(values, 'Y', 450);
        set(others, 'Z', 1);
        set(shield, 'A', 2);
        kit.run(1);
        EXPECT_EQ(EventKit::values(values, "MXY"), doubles(41, 600, 432)) << hold;
        EXPECT_EQ(v(shield, 'A'), 0);
        EXPECT_EQ(v(others, 'Z'), hold);
    }
    EXPECT_EQ(sample_count(kit.take_sounds(), 30), 0);

    // Two grips under the sensor: both marked, the player below the first
    // selected, the newest.
    second = kit.place("GimmickHangingIdleSensor_153", 596, 398, 2);
    set(values, 'M', 1);
    set(input, 'B', 0);
    kit.run(1);
    EXPECT_EQ(EventKit::values(values, "XY"), doubles(596, 430));
    EXPECT_EQ(v(second, 'Q'), 1);

    // With the hanging group off nothing holds.
    f.level_group_16 = false;
    set(values, 'M', 1);
    kit.run(1);
    EXPECT_EQ(v(values, 'M'), 1);
}
