// The values the shared input events derive from the eight slot levels:
// direction states, first-tick and held flags, strengths beyond the dead
// zone, the control mask with its history and the input lock. The levels are
// written straight into InputsP1_23 A ... H, as polling would leave them.
#include "tests/support/event_kit.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// The four input objects, as every frame places them, with the block's
// state as a frame's set-up leaves it.
struct InputObjects {
    FrameObject* player = nullptr;
    FrameObject* master = nullptr;
    FrameObject* inputs = nullptr;
    FrameObject* global = nullptr;

    InputObjects(EventKit& kit, double dead_zone)
    {
        player = kit.place("PlayerInput_21", -176, -56);
        master = kit.place("MasterInput_22", -152, -56);
        inputs = kit.place("InputsP1_23", -128, -56);
        global = kit.place("GlobalInputData_24", -104, -56);
        EventKit::set_value(global, 'E', dead_zone);
        EventKit::set_value(global, 'F', dead_zone);
        kit.frames().reset_shared_event_state();
    }
};

// A frame of the test's own whose handler runs the input value events
// (150-218), so that no polling overwrites the levels the test sets.
EventKit& enter_input_frame(EventKit& kit)
{
    kit.enter_empty_frame({.handler = [](Frames& f) { f.run_shared_input_value_events(); }});
    return kit;
}

struct InputBench {
    EventKit kit;
    InputObjects objects;
    FrameObject* player;
    FrameObject* master;
    FrameObject* inputs;

    explicit InputBench(double dead_zone = 0.25)
        : objects(enter_input_frame(kit), dead_zone), player(objects.player), master(objects.master),
          inputs(objects.inputs)
    {
    }

    // Slot levels, 'A' (up) ... 'H' (start); the rest go to 0.
    void levels(std::initializer_list<std::pair<char, double>> slots)
    {
        for (char letter = 'A'; letter <= 'H'; ++letter)
            EventKit::set_value(inputs, letter, 0);
        for (auto [letter, level] : slots)
            EventKit::set_value(inputs, letter, level);
    }

    // One value of one object over `ticks` ticks.
    std::vector<double> watch(const FrameObject* object, char letter, int ticks)
    {
        std::vector<double> seen;
        for (int k = 0; k < ticks; ++k) {
            kit.run(1);
            seen.push_back(EventKit::value(object, letter));
        }
        return seen;
    }
};

using Series = std::vector<double>;

TEST(InputValues, a_confirm_press_is_a_first_tick_once_then_held_until_released)
{
    InputBench bench;
    bench.levels({{'E', 1000}});
    for (int k = 0; k < 3; ++k) {
        bench.kit.run(1);
        SCOPED_TRACE(k);
        EXPECT_EQ(EventKit::value(bench.inputs, 'M'), k == 0 ? 1 : 0);
        EXPECT_EQ(EventKit::value(bench.player, 'K'), k == 0 ? 1 : 0);
        EXPECT_EQ(EventKit::value(bench.player, 'E'), 1);
        EXPECT_EQ(EventKit::value(bench.master, 'A'), 16);
    }

    bench.levels({});
    bench.kit.run(1);
    EXPECT_EQ(EventKit::value(bench.player, 'E'), 0);
    EXPECT_EQ(EventKit::value(bench.master, 'A'), 0);

    // A fresh press is a first tick again.
    bench.levels({{'E', 1000}});
    bench.kit.run(1);
    EXPECT_EQ(EventKit::value(bench.inputs, 'M'), 1);
    EXPECT_EQ(EventKit::value(bench.player, 'K'), 1);
}

TEST(InputValues, buttons_count_only_at_exactly_the_full_on_level)
{
    InputBench bench;
    for (double level : {999.0, 1001.0, 2000.0}) {
        bench.levels({{'E', level}, {'F', level}, {'G', level}, {'H', level}});
        bench.kit.run(2);
        SCOPED_TRACE(level);
        for (char letter : {'M', 'N', 'O', 'P'})
            EXPECT_EQ(EventKit::value(bench.inputs, letter), 0);
        EXPECT_EQ(EventKit::value(bench.master, 'A'), 0);
        EXPECT_EQ(EventKit::value(bench.player, 'E'), 0);
    }
    // Start (slot 8) has a first-tick flag but no bit in the mask.
    bench.levels({{'H', 1000}});
    bench.kit.run(1);
    EXPECT_EQ(EventKit::value(bench.inputs, 'P'), 1);
    EXPECT_EQ(EventKit::value(bench.master, 'A'), 0);
}

TEST(InputValues, button_3_shows_as_pressed_on_every_tick_it_is_held)
{
    InputBench bench;
    bench.levels({{'E', 1000}, {'G', 1000}});
    EXPECT_EQ(bench.watch(bench.player, 'O', 3), (Series{1, 1, 1}));
    EXPECT_EQ(EventKit::value(bench.player, 'N'), 1);
    EXPECT_EQ(EventKit::value(bench.player, 'K'), 0);  // button 1's first tick was the first only
    EXPECT_EQ(EventKit::value(bench.inputs, 'O'), 0);
    EXPECT_EQ(EventKit::value(bench.master, 'A'), 16 + 64);
}

TEST(InputValues, a_held_direction_is_a_first_tick_then_a_held_push)
{
    InputBench bench;
    bench.levels({{'A', 1000}});
    bench.kit.run(1);
    EXPECT_EQ(EventKit::value(bench.inputs, 'I'), 1);
    EXPECT_EQ(EventKit::value(bench.player, 'G'), 1);
    EXPECT_EQ(EventKit::value(bench.player, 'A'), 1);
    EXPECT_EQ(bench.watch(bench.inputs, 'I', 2), (Series{2, 2}));
    EXPECT_EQ(EventKit::value(bench.player, 'G'), 0);
    EXPECT_EQ(EventKit::value(bench.player, 'A'), 1);
    EXPECT_EQ(EventKit::value(bench.master, 'A'), 1);

    // Up and down together cancel out.
    bench.levels({{'A', 1000}, {'B', 1000}});
    bench.kit.run(1);
    EXPECT_EQ(EventKit::value(bench.inputs, 'I'), 0);
    EXPECT_EQ(EventKit::value(bench.inputs, 'J'), 0);
    EXPECT_EQ(EventKit::value(bench.master, 'A'), 0);
    EXPECT_EQ(EventKit::value(bench.player, 'A'), 0);
    EXPECT_EQ(EventKit::value(bench.player, 'B'), 0);

    // Left, then right: each direction its own state, bit and flags.
    bench.levels({{'C', 1000}});
    bench.kit.run(1);
    EXPECT_EQ(EventKit::value(bench.inputs, 'K'), 1);
    EXPECT_EQ(EventKit::value(bench.player, 'I'), 1);
    bench.levels({{'D', 1000}});
    bench.kit.run(1);
    EXPECT_EQ(EventKit::value(bench.inputs, 'K'), 0);
    EXPECT_EQ(EventKit::value(bench.inputs, 'L'), 1);
    EXPECT_EQ(EventKit::value(bench.player, 'C'), 0);
    EXPECT_EQ(EventKit::value(bench.player, 'D'), 1);
    EXPECT_EQ(EventKit::value(bench.player, 'J'), 1);
    EXPECT_EQ(EventKit::value(bench.master, 'A'), 8);
}

TEST(InputValues, stick_strengths_are_the_push_beyond_the_dead_zone)
{
    InputBench bench(0.25);
    bench.kit.run(1);
    EXPECT_EQ(EventKit::value(bench.objects.global, 'I'), 250);
    EXPECT_EQ(EventKit::value(bench.objects.global, 'J'), 250);
    EXPECT_EQ(EventKit::value(bench.inputs, 'U'), 0);
    EXPECT_EQ(EventKit::value(bench.inputs, 'W'), 1);  // no horizontal push

    struct Case {
        double level, strength, state;
    };
    for (Case c : {Case{1000, 1.0, 2}, Case{625, 0.5, 2}, Case{249, 0.0, 0}}) {
        SCOPED_TRACE(c.level);
        bench.levels({{'A', 1000}, {'C', 1000}});
        bench.kit.run(1);
        bench.levels({{'A', c.level}, {'C', c.level}});
        bench.kit.run(1);
        EXPECT_EQ(EventKit::value(bench.inputs, 'I'), c.state);
        EXPECT_EQ(EventKit::value(bench.inputs, 'Q'), c.strength);
        EXPECT_EQ(EventKit::value(bench.inputs, 'V'), c.strength);
        EXPECT_EQ(EventKit::value(bench.inputs, 'S'), c.strength);
        EXPECT_EQ(EventKit::value(bench.inputs, 'U'), c.strength);
        EXPECT_EQ(EventKit::value(bench.inputs, 'W'), c.strength == 0 ? 1 : c.strength);
    }

    // Right at 550: strength 0.4, which U and W take; an analog level
    // above the full-on level gives more than 1.
    bench.levels({{'D', 550}, {'B', 2000}});
    bench.kit.run(1);
    EXPECT_EQ(EventKit::value(bench.inputs, 'T'), 0.4);
    EXPECT_EQ(EventKit::value(bench.inputs, 'U'), 0.4);
    EXPECT_EQ(EventKit::value(bench.inputs, 'W'), 0.4);
    EXPECT_EQ(EventKit::value(bench.inputs, 'R'), 1750.0 / 750.0);
}

TEST(InputValues, a_dead_zone_of_the_full_level_gives_strength_0_not_a_division_by_0)
{
    InputBench bench(1.0);
    bench.levels({{'B', 1000}});
    bench.kit.run(2);
    EXPECT_EQ(EventKit::value(bench.inputs, 'J'), 2);
    EXPECT_EQ(EventKit::value(bench.inputs, 'R'), 0);
    EXPECT_EQ(EventKit::value(bench.inputs, 'V'), 0);
}

TEST(InputValues, the_mask_history_keeps_the_last_24_masks_newest_in_z)
{
    InputBench bench;
    // Masks 1, 2, 4, 8, 16, 32, 64 on seven ticks in a row.
    const char slots[] = {'A', 'B', 'C', 'D', 'E', 'F', 'G'};
    for (char slot : slots) {
        bench.levels({{slot, 1000}});
        bench.kit.run(1);
    }
    double bit = 64;
    for (char letter = 'Z'; letter >= 'T'; --letter, bit /= 2)
        EXPECT_EQ(EventKit::value(bench.master, letter), bit) << letter;
    EXPECT_EQ(EventKit::value(bench.master, 'S'), 0);

    bench.levels({{'D', 1000}, {'A', 1000}});
    bench.kit.run(24);
    for (char letter = 'C'; letter <= 'Z'; ++letter)
        EXPECT_EQ(EventKit::value(bench.master, letter), 9) << letter;
    EXPECT_EQ(EventKit::value(bench.master, 'B'), 0);
}

TEST(InputValues, the_input_lock_empties_the_mask_and_clears_the_flags_on_its_first_tick)
{
    InputBench bench;
    bench.levels({{'D', 1000}, {'E', 1000}});
    bench.kit.run(1);
    ASSERT_EQ(EventKit::value(bench.player, 'D'), 1);
    ASSERT_EQ(EventKit::value(bench.player, 'J'), 1);

    // Lock 2 is neither on nor off: the flags keep their last values.
    EventKit::set_value(bench.player, 'M', 2);
    bench.kit.run(2);
    EXPECT_EQ(EventKit::value(bench.master, 'A'), 0);
    EXPECT_EQ(EventKit::value(bench.master, 'Z'), 0);
    EXPECT_EQ(EventKit::value(bench.player, 'D'), 1);
    EXPECT_EQ(EventKit::value(bench.player, 'J'), 1);

    // Lock 1 clears them on its first tick; the levels' own values go on.
    EventKit::set_value(bench.player, 'M', 1);
    bench.kit.run(1);
    EXPECT_EQ(EventKit::value(bench.master, 'A'), 0);
    for (char letter : {'D', 'E', 'J', 'K'})
        EXPECT_EQ(EventKit::value(bench.player, letter), 0) << letter;
    EXPECT_EQ(EventKit::value(bench.inputs, 'L'), 2);

    // Only on its first tick: a flag written under the lock stays.
    EventKit::set_value(bench.player, 'D', 1);
    bench.kit.run(1);
    EXPECT_EQ(EventKit::value(bench.player, 'D'), 1);

    // Unlocked, the held controls show as first ticks again.
    EventKit::set_value(bench.player, 'M', 0);
    EventKit::set_value(bench.player, 'D', 0);
    bench.kit.run(1);
    EXPECT_EQ(EventKit::value(bench.player, 'J'), 1);
    EXPECT_EQ(EventKit::value(bench.player, 'K'), 1);
    EXPECT_EQ(EventKit::value(bench.master, 'A'), 8 + 16);
}

TEST(InputValues, the_first_tick_switches_polling_on_once)
{
    InputBench bench;
    Frames& frames = bench.kit.frames();
    bench.kit.run(1);
    EXPECT_TRUE(frames.global_group_11);
    frames.global_group_11 = false;
    bench.kit.run(1);
    EXPECT_FALSE(frames.global_group_11);
}

// Every frame's handler runs the block once per tick, in number order: the
// first-tick flags are set before the held flags they test are refreshed,
// and the history takes the mask after it is built.
TEST(SharedBlock, runs_once_a_tick_in_number_order_in_every_frames_handler)
{
    EventKit kit;
    for (int index = 0; index < 9; ++index) {
        SCOPED_TRACE("frame index " + std::to_string(index));
        kit.enter_frame(index);
        InputObjects objects(kit, 0.25);
        Frames& frames = kit.frames();
        // The frames' own events may ask for another frame; stay here.
        auto tick = [&] {
            frames.next_frame = -1;
            kit.run(1);
        };
        tick();
        ASSERT_TRUE(frames.global_group_11);
        frames.global_group_11 = false;  // no polling: the test's levels stay

        EventKit::set_value(objects.inputs, 'A', 625);
        EventKit::set_value(objects.inputs, 'E', 1000);
        tick();
        EXPECT_EQ(EventKit::value(objects.inputs, 'I'), 1);
        EXPECT_EQ(EventKit::value(objects.inputs, 'M'), 1);
        EXPECT_EQ(EventKit::value(objects.inputs, 'Q'), 0.5);
        EXPECT_EQ(EventKit::value(objects.master, 'A'), 17);
        EXPECT_EQ(EventKit::value(objects.master, 'Z'), 17);
        EXPECT_EQ(EventKit::value(objects.master, 'Y'), 0);
        EXPECT_EQ(EventKit::value(objects.player, 'G'), 1);
        EXPECT_EQ(EventKit::value(objects.player, 'K'), 1);
        EXPECT_EQ(EventKit::value(objects.player, 'A'), 1);

        tick();
        EXPECT_EQ(EventKit::value(objects.inputs, 'I'), 2);
        EXPECT_EQ(EventKit::value(objects.inputs, 'M'), 0);
        EXPECT_EQ(EventKit::value(objects.master, 'Y'), 17);
        EXPECT_EQ(EventKit::value(objects.master, 'X'), 0);
        EXPECT_EQ(EventKit::value(objects.player, 'G'), 0);
        EXPECT_EQ(EventKit::value(objects.player, 'E'), 1);
    }
}

}  // namespace
