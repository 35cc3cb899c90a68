// Tunnels tick by tick: entering a mask starts the roll and its sound and
// keeps the speed up; the spiral tunnel carries the player two turns round
// its helix from the top, or from the bottom until it has turned twice or
// comes back, showing the front wall on the far half of each turn; the half
// corkscrews catch a fast player and let it speed up to 6.
#include "game/objects/type_ids.h"
#include "tests/game/events/act1_frame/act1_start_kit.h"
#include "tests/support/event_kit.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace {

double v(const FrameObject* object, char letter) { return EventKit::value(object, letter); }
void set(FrameObject* object, char letter, double number) { EventKit::set_value(object, letter, number); }

double sine(double degrees) { return degrees == 180 ? 0 : std::sin(degrees / 57.29577951308232); }

bool behind(double angle) { return std::fmod(angle, 360) > 90 && std::fmod(angle, 360) < 270; }

struct TunnelScene {
    FrameObject* values = nullptr;
    FrameObject* input = nullptr;
    FrameObject* actions = nullptr;
    FrameObject* sensor = nullptr;
    FrameObject* body = nullptr;
    FrameObject* mask = nullptr;
    FrameObject* front = nullptr;
    FrameObject* top = nullptr;
    FrameObject* bottom = nullptr;
};

// The player's objects away from everything, the tunnel's parts, and the
// Part's events each tick in the act's order, with the view on `focus`
// (objects far from the view take no part).
TunnelScene enter_tunnel_scene(EventKit& kit, int focus_x)
{
    TunnelScene s;
    EmptyFrame frame = act1_test::act_frame(
        [&](Frames& f) {
            f.run_once_1867 = f.run_once_1868 = f.run_once_1869 = f.run_once_1870 = f.run_once_1871 = 0;
            act1_test::set_group(f, f.qualifier_16, {types::SpiralTunnelMask_188});
            s.values = kit.place("PlayerMovementValues_80", -500, -500);
            s.input = kit.place("PlayerInput_21", -500, -500);
            s.actions = kit.place("PlayerActionValuesA_86", -500, -500);
            s.sensor = kit.place("PlayerSensorBottomBig_95", 100, 100, 2);
            s.body = kit.place("Player_87", 100, 100, 2);
            s.mask = kit.place("SpiralTunnelMask_188", 1000, 1000, 2);
            s.front = kit.place("SpiralTunnelFront_346", 2000, 1000, 2);
            s.top = kit.place("SpiralTunnelTop_347", 2000, 1000, 2);
            s.bottom = kit.place("SpiralTunnelBottom_348", 3000, 1000, 2);
        },
        nullptr);
    frame.handler = [focus_x](Frames& f) {
        f.set_display_center(focus_x, 1000);
        for (auto event : {&Frames::event_func_1866, &Frames::event_func_1867, &Frames::event_func_1868,
                           &Frames::event_func_1869, &Frames::event_func_1870, &Frames::event_func_1871,
                           &Frames::event_func_1872, &Frames::event_func_1873, &Frames::event_func_1874,
                           &Frames::event_func_1875, &Frames::event_func_1876, &Frames::event_func_1877,
                           &Frames::event_func_1878, &Frames::event_func_1879, &Frames::event_func_1880,
                           &Frames::event_func_1881, &Frames::event_func_1882, &Frames::event_func_1883,
                           &Frames::event_func_1884, &Frames::event_func_1885, &Frames::event_func_1886})
            (f.*event)();
    };
    kit.enter_empty_frame(frame);
    kit.take_sounds();
    return s;
}

// The player's run values for a spiral end, each tick.
struct Turn {
    double angle, speed;
};

}  // namespace

TEST(Tunnels, entering_a_mask_rolls_with_the_sound_and_keeps_at_least_3_until_the_mask_is_left)
{
    EventKit kit;
    TunnelScene s = enter_tunnel_scene(kit, 1000);
    // At rest on flat ground, facing right, control D: 1866, 1867, 1868
    // and 1870 in turn, each restarting the sound; 1870's speed stands.
    for (const auto& [letter, number] : {std::pair{'L', 1.0}, {'B', 0.0}, {'N', 0.0}, {'Q', 1.0}, {'M', 0.0}})
        set(s.values, letter, number);
    set(s.input, 'D', 1);
    s.sensor->set_position(1100, 1100);
    kit.run(1);
    EXPECT_EQ(EventKit::values(s.values, "MBTU"), doubles(6, 3.5, 1, 1));
    EXPECT_EQ(v(s.actions, 'Y'), 1);
    EXPECT_EQ(sample_count(kit.take_sounds(), 7), 4);
    // Rolling on: the speed is kept at 3 or more either way; 0 is left.
    for (const auto& [speed, kept] : {std::pair{1.5, 3.0}, {4.5, 4.5}, {-0.2, -3.0}, {-7.0, -7.0}}) {
        set(s.values, 'B', speed);
        kit.run(1);
        EXPECT_EQ(v(s.values, 'B'), kept) << speed;
    }
    set(s.values, 'L', 0);
    set(s.values, 'B', 0);
    kit.run(1);
    EXPECT_EQ(v(s.values, 'B'), 0);
    EXPECT_EQ(sample_count(kit.take_sounds(), 7), 0);
    // At rest again on a 30-degree slope, facing neither way: only the
    // slope's speed (1867, after 1866 while M is not 6).
    for (const auto& [letter, number] : {std::pair{'L', 1.0}, {'N', 30.0}, {'Q', 0.0}, {'M', 2.0}})
        set(s.values, letter, number);
    set(s.input, 'D', 0);
    kit.run(1);
    EXPECT_EQ(v(s.values, 'B'), -10 * sine(30));
    EXPECT_EQ(sample_count(kit.take_sounds(), 7), 2);
    // During a spiral run the minimum does not hold.
    set(s.values, 'B', -1);
    s.mask->alterables->flags |= 1;
    kit.run(1);
    EXPECT_EQ(v(s.values, 'B'), -1);
    // Out of every mask: the mark goes.
    s.sensor->set_position(100, 100);
    kit.run(1);
    EXPECT_EQ(v(s.actions, 'Y'), 0);
}

TEST(Tunnels, the_spiral_carries_the_player_two_turns_down_from_the_top_behind_the_wall_on_the_far_halves)
{
    EventKit kit;
    TunnelScene s = enter_tunnel_scene(kit, 2000);
    set(s.values, 'B', 4);
    set(s.values, 'X', 2000);
    s.body->set_position(2005, 1010);
    Turn run{0, 4};
    int ticks = 0;
    do {
        kit.run(1);
        ++ticks;
        // From the top the angle steps first; the player is placed after.
        run.angle += run.speed;
        run.speed = std::min(run.speed + 0.1, 12.0);
        ASSERT_EQ(v(s.top, 'C'), run.angle) << ticks;
        if (run.angle < 720) {
            ASSERT_EQ(EventKit::values(s.values, "XYBMTU"),
                      doubles(2000 + 72 * sine(run.angle), 1000 + 0.3 * run.angle, run.speed, 6, 0, 0));
            ASSERT_EQ(bool(s.front->flags & FrameObject::VISIBLE), behind(run.angle)) << run.angle;
            ASSERT_EQ(v(s.input, 'M'), 1);
            ASSERT_TRUE(EventKit::flag(s.mask, 0));
        }
    } while (run.angle < 720 && ticks < 200);
    // Two turns: 4 + 4.1 + ... + 12 and six more of 12 make 720 in 87
    // ticks; summed in steps of 0.1 as the run sums them it is just short,
    // so the 88th tick ends the run and hands the player back.
    EXPECT_EQ(ticks, 88);
    EXPECT_EQ(EventKit::values(s.top, "AB"), doubles(0, run.speed));
    EXPECT_EQ(EventKit::values(s.values, "TU"), doubles(1, 1));
    EXPECT_EQ(v(s.input, 'M'), 0);
    EXPECT_FALSE(EventKit::flag(s.mask, 0));
    // Nothing resets the angle: a second run ends on its first tick.
    s.body->set_position(100, 100);
    kit.run(1);
    set(s.values, 'X', 2000);
    s.body->set_position(2005, 1010);
    kit.run(1);
    EXPECT_EQ(v(s.top, 'A'), 0);
    EXPECT_EQ(v(s.input, 'M'), 0);
}

TEST(Tunnels, from_the_bottom_the_run_ends_after_two_turns_or_when_it_comes_back_past_its_start)
{
    for (const double entry : {-10.0, -4.0}) {
        SCOPED_TRACE(entry);
        EventKit kit;
        TunnelScene s = enter_tunnel_scene(kit, 3000);
        set(s.values, 'B', entry);
        set(s.values, 'X', 3000);
        s.body->set_position(2995, 1010);
        Turn run{0, entry};
        int ticks = 0;
        do {
            kit.run(1);
            ++ticks;
            // From the bottom the player is placed before the angle steps.
            ASSERT_EQ(EventKit::values(s.values, "XY"), doubles(3000 + 72 * sine(run.angle), 1000 + 0.3 * run.angle));
            run.angle += run.speed;
            run.speed = std::min(run.speed + 0.05, 12.0);
            ASSERT_EQ(v(s.bottom, 'C'), run.angle);
            ASSERT_EQ(bool(s.front->flags & FrameObject::VISIBLE), behind(std::fabs(run.angle))) << run.angle;
        } while (run.angle > -720 && run.angle <= 0 && ticks < 400);
        // Fast enough it turns twice upwards; slower it comes back down.
        EXPECT_EQ(run.angle <= -720, entry == -10.0);
        EXPECT_EQ(v(s.bottom, 'A'), 0);
        EXPECT_EQ(EventKit::values(s.values, "TU"), doubles(1, 1));
        EXPECT_EQ(v(s.input, 'M'), 0);
        EXPECT_FALSE(EventKit::flag(s.mask, 0));
    }
}

TEST(Tunnels, a_half_corkscrew_catches_a_player_faster_than_3_and_holding_on_speeds_it_to_6)
{
    struct Side {
        const char* corkscrew;
        double facing;
        char with, against;  // the controls along and against the travel
    };
    for (const Side side : {Side{"HalfCorkscrewLeft_245", 1, 'D', 'C'}, Side{"HalfCorkscrewRight_246", -1, 'C', 'D'}}) {
        SCOPED_TRACE(side.corkscrew);
        EventKit kit;
        TunnelScene s = enter_tunnel_scene(kit, 5000);
        FrameObject* corkscrew = kit.place(side.corkscrew, 5000, 1000, 2);
        s.sensor->set_position(5000, 1000);
        for (const auto& [letter, number] : {std::pair{'Q', side.facing}, {'L', 1.0}, {'M', 0.0}, {'C', 2.0}, {'Y', 990.0}})
            set(s.values, letter, number);
        // Exactly 3, or short of the corkscrew's x: not caught.
        set(s.values, 'B', 3 * side.facing);
        set(s.values, 'X', 5000);
        kit.run(1);
        set(s.values, 'B', 3.5 * side.facing);
        set(s.values, 'X', 5000 - side.facing);
        kit.run(1);
        EXPECT_EQ(v(s.values, 'M'), 0);
        EXPECT_FALSE(EventKit::flag(corkscrew, 0));
        // Faster, at the corkscrew's x: caught, with the entry height.
        set(s.values, 'X', 5000);
        set(s.values, 'U', 1);
        kit.run(1);
        EXPECT_EQ(EventKit::values(s.values, "MUB"), doubles(45, 0, 3.5 * side.facing));
        EXPECT_TRUE(EventKit::flag(corkscrew, 0));
        EXPECT_EQ(v(corkscrew, 'C'), 990);
        // Holding against the travel, or nothing, leaves the speed.
        set(s.input, side.against, 1);
        kit.run(3);
        EXPECT_EQ(v(s.values, 'B'), 3.5 * side.facing);
        set(s.input, side.against, 0);
        set(s.input, side.with, 1);
        set(s.values, 'B', 5.95 * side.facing);
        kit.run(1);
        EXPECT_EQ(v(s.values, 'B'), (5.95 + 0.1) * side.facing);
        kit.run(3);
        EXPECT_EQ(v(s.values, 'B'), (5.95 + 0.1) * side.facing);
        // Below C the push does nothing.
        set(s.values, 'B', 1.5 * side.facing);
        kit.run(1);
        EXPECT_EQ(v(s.values, 'B'), 1.5 * side.facing);
    }
}
