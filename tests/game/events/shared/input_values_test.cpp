// The values the shared input events derive from the eight slot levels:
// direction states, first-tick and held flags, strengths beyond the dead
// zone, the control mask with its history and the input lock. The levels are
// written straight into InputsP1_23 A ... H, as polling would leave them.
#include "tests/support/event_kit.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Series = std::vector<double>;

Series values(const FrameObject* object, const std::string& letters) { return EventKit::values(object, letters); }

// A frame of the test's own whose handler runs the input value events
// (150-218), so that no polling overwrites the levels the test sets.
struct InputBench {
    EventKit kit;
    InputObjects objects;
    FrameObject *player, *master, *inputs;

    explicit InputBench(double dead_zone = 0.25) : InputBench(dead_zone, dead_zone) {}

    // Dead zones of the left-right slots (E) and of the up-down slots (F).
    InputBench(double horizontal, double vertical)
    {
        kit.enter_empty_frame({.handler = [](Frames& f) { f.run_shared_input_value_events(); }});
        objects = kit.place_input_objects();
        player = objects.player;
        master = objects.master;
        inputs = objects.inputs;
        EventKit::set_value(objects.global, 'E', horizontal);
        EventKit::set_value(objects.global, 'F', vertical);
    }

    // Slot levels, 'A' (up) ... 'H' (start); the rest go to 0; then `ticks` ticks.
    void levels(std::initializer_list<std::pair<char, double>> slots, int ticks = 0)
    {
        for (char letter = 'A'; letter <= 'H'; ++letter)
            EventKit::set_value(inputs, letter, 0);
        for (auto [letter, level] : slots)
            EventKit::set_value(inputs, letter, level);
        kit.run(ticks);
    }
};

TEST(InputValues, buttons_are_a_first_tick_once_then_held_at_exactly_the_full_on_level)
{
    InputBench bench;
    // Held three ticks: inputs M and player K on the first only, player E and mask bit 16 throughout.
    bench.levels({{'E', 1000}});
    for (int k = 0; k < 3; ++k) {
        bench.kit.run(1);
        EXPECT_EQ(values(bench.inputs, "M"), Series{k == 0 ? 1.0 : 0.0}) << k;
        EXPECT_EQ(values(bench.player, "KE"), (Series{k == 0 ? 1.0 : 0.0, 1})) << k;
        EXPECT_EQ(values(bench.master, "A"), Series{16}) << k;
    }
    bench.levels({}, 1);
    EXPECT_EQ(values(bench.player, "E"), Series{0});
    EXPECT_EQ(values(bench.master, "A"), Series{0});
    // A fresh press is a first tick again.
    bench.levels({{'E', 1000}}, 1);
    EXPECT_EQ(values(bench.inputs, "M"), Series{1});
    EXPECT_EQ(values(bench.player, "K"), Series{1});

    // Near but not at the level is no press.
    for (double level : {999.0, 1001.0, 2000.0}) {
        bench.levels({{'E', level}, {'F', level}, {'G', level}, {'H', level}}, 2);
        EXPECT_EQ(values(bench.inputs, "MNOP"), Series(4, 0.0)) << level;
        EXPECT_EQ(values(bench.master, "A"), Series{0}) << level;
        EXPECT_EQ(values(bench.player, "E"), Series{0}) << level;
    }
    // Start (slot 8) has a first-tick flag but no bit in the mask.
    bench.levels({{'H', 1000}}, 1);
    EXPECT_EQ(values(bench.inputs, "P"), Series{1});
    EXPECT_EQ(values(bench.master, "A"), Series{0});

    // Button 3 shows as pressed on every tick it is held.
    bench.levels({{'E', 1000}, {'G', 1000}});
    for (int k = 0; k < 3; ++k) {
        bench.kit.run(1);
        EXPECT_EQ(values(bench.player, "O"), Series{1}) << k;
    }
    EXPECT_EQ(values(bench.player, "NK"), (Series{1, 0}));
    EXPECT_EQ(values(bench.inputs, "O"), Series{0});
    EXPECT_EQ(values(bench.master, "A"), Series{16 + 64});
}

TEST(InputValues, a_held_direction_is_a_first_tick_then_a_held_push_and_opposites_cancel)
{
    InputBench bench;
    bench.levels({{'A', 1000}}, 1);
    EXPECT_EQ(values(bench.inputs, "I"), Series{1});
    EXPECT_EQ(values(bench.player, "GA"), (Series{1, 1}));
    bench.kit.run(2);
    EXPECT_EQ(values(bench.inputs, "I"), Series{2});
    EXPECT_EQ(values(bench.player, "GA"), (Series{0, 1}));
    EXPECT_EQ(values(bench.master, "A"), Series{1});

    bench.levels({{'A', 1000}, {'B', 1000}}, 1);
    EXPECT_EQ(values(bench.inputs, "IJ"), (Series{0, 0}));
    EXPECT_EQ(values(bench.player, "AB"), (Series{0, 0}));
    EXPECT_EQ(values(bench.master, "A"), Series{0});

    // Left, then right: each direction its own state, bit and flags.
    bench.levels({{'C', 1000}}, 1);
    EXPECT_EQ(values(bench.inputs, "K"), Series{1});
    EXPECT_EQ(values(bench.player, "I"), Series{1});
    bench.levels({{'D', 1000}}, 1);
    EXPECT_EQ(values(bench.inputs, "KL"), (Series{0, 1}));
    EXPECT_EQ(values(bench.player, "CDJ"), (Series{0, 1, 1}));
    EXPECT_EQ(values(bench.master, "A"), Series{8});
}

TEST(InputValues, stick_strengths_are_the_push_beyond_the_dead_zone)
{
    InputBench bench(0.25);
    bench.kit.run(1);
    EXPECT_EQ(values(bench.objects.global, "IJ"), (Series{250, 250}));
    EXPECT_EQ(values(bench.inputs, "UW"), (Series{0, 1}));  // no horizontal push

    struct Case {
        double level, strength, state;
    };
    for (Case c : {Case{1000, 1.0, 2}, Case{625, 0.5, 2}, Case{249, 0.0, 0}}) {
        bench.levels({{'A', 1000}, {'C', 1000}}, 1);
        bench.levels({{'A', c.level}, {'C', c.level}}, 1);
        const double w = c.strength == 0 ? 1 : c.strength;
        EXPECT_EQ(values(bench.inputs, "IQVSUW"), (Series{c.state, c.strength, c.strength, c.strength, c.strength, w}))
            << c.level;
    }

    // Right at 550: strength 0.4, which U and W take; an analog level
    // above the full-on level gives more than 1.
    bench.levels({{'D', 550}, {'B', 2000}}, 1);
    EXPECT_EQ(values(bench.inputs, "TUWR"), (Series{0.4, 0.4, 0.4, 1750.0 / 750.0}));

    // A dead zone of the full level gives strength 0, not a division by 0.
    InputBench full(1.0);
    full.levels({{'B', 1000}}, 2);
    EXPECT_EQ(values(full.inputs, "JRV"), (Series{2, 0, 0}));
}

TEST(InputValues, each_axis_pushes_and_measures_against_its_own_dead_zone)
{
    InputBench bench(0.1, 0.25);
    bench.kit.run(1);
    EXPECT_EQ(values(bench.objects.global, "IJ"), (Series{100, 250}));

    // At 200 a left-right slot is past its dead zone, an up-down slot is not.
    for (char slot : {'A', 'B'}) {
        bench.levels({{slot, 200}}, 1);
        EXPECT_EQ(values(bench.inputs, "IJQR"), Series(4, 0.0)) << slot;
    }
    bench.levels({{'C', 200}}, 1);
    EXPECT_EQ(values(bench.inputs, "KS"), (Series{1, 100.0 / 900}));
    bench.levels({{'D', 200}}, 1);
    EXPECT_EQ(values(bench.inputs, "LT"), (Series{1, 100.0 / 900}));

    // At 625 every slot is pushed: up and down measure from 250, left and
    // right from 100.
    for (char slot : {'A', 'B', 'C', 'D'}) {
        bench.levels({{slot, 625}}, 1);
        const double expected = slot <= 'B' ? 0.5 : 525.0 / 900;
        const size_t index = size_t(slot - 'A');
        Series strengths(4, 0.0);
        strengths[index] = expected;
        EXPECT_EQ(values(bench.inputs, "QRST"), strengths) << slot;
    }
}

TEST(InputValues, the_mask_history_keeps_the_last_24_masks_newest_in_z)
{
    InputBench bench;
    // Masks 1, 2, 4, 8, 16, 32, 64 on seven ticks in a row.
    for (char slot : {'A', 'B', 'C', 'D', 'E', 'F', 'G'})
        bench.levels({{slot, 1000}}, 1);
    EXPECT_EQ(values(bench.master, "STUVWXYZ"), (Series{0, 1, 2, 4, 8, 16, 32, 64}));

    bench.levels({{'D', 1000}, {'A', 1000}}, 24);
    EXPECT_EQ(values(bench.master, "BCDEFGHIJKLMNOPQRSTUVWXYZ"), [] {
        Series expected(25, 9.0);
        expected[0] = 0;
        return expected;
    }());
}

TEST(InputValues, the_input_lock_empties_the_mask_and_clears_the_flags_on_its_first_tick)
{
    InputBench bench;
    bench.levels({{'D', 1000}, {'E', 1000}}, 1);
    ASSERT_EQ(values(bench.player, "DJ"), (Series{1, 1}));

    // Lock 2 is neither on nor off: the flags keep their last values.
    EventKit::set_value(bench.player, 'M', 2);
    bench.kit.run(2);
    EXPECT_EQ(values(bench.master, "AZ"), (Series{0, 0}));
    EXPECT_EQ(values(bench.player, "DJ"), (Series{1, 1}));

    // Lock 1 clears them on its first tick; the levels' own values go on.
    EventKit::set_value(bench.player, 'M', 1);
    bench.kit.run(1);
    EXPECT_EQ(values(bench.master, "A"), Series{0});
    EXPECT_EQ(values(bench.player, "DEJK"), Series(4, 0.0));
    EXPECT_EQ(values(bench.inputs, "L"), Series{2});

    // Only on its first tick: a flag written under the lock stays.
    EventKit::set_value(bench.player, 'D', 1);
    bench.kit.run(1);
    EXPECT_EQ(values(bench.player, "D"), Series{1});

    // Unlocked, the held controls show as first ticks again.
    EventKit::set_value(bench.player, 'M', 0);
    EventKit::set_value(bench.player, 'D', 0);
    bench.kit.run(1);
    EXPECT_EQ(values(bench.player, "JK"), (Series{1, 1}));
    EXPECT_EQ(values(bench.master, "A"), Series{8 + 16});
}

// Every frame's handler runs the block once per tick, in number order: the
// first tick switches polling on once, the first-tick flags are set before
// the held flags they test are refreshed, and the history takes the mask
// after it is built.
TEST(SharedBlock, runs_once_a_tick_in_number_order_in_every_frames_handler)
{
    EventKit kit;
    for (int index = 0; index < 9; ++index) {
        SCOPED_TRACE("frame index " + std::to_string(index));
        kit.enter_frame(index);
        const InputObjects objects = kit.place_input_objects();
        EventKit::set_value(objects.global, 'E', 0.25);
        EventKit::set_value(objects.global, 'F', 0.25);
        Frames& frames = kit.frames();
        // The frames' own events may ask for another frame; stay here.
        auto tick = [&] {
            frames.next_frame = -1;
            kit.run(1);
        };
        tick();
        ASSERT_TRUE(frames.global_group_11);
        frames.global_group_11 = false;  // no polling: the test's levels stay
        tick();
        ASSERT_FALSE(frames.global_group_11) << "switched on once";

        EventKit::set_value(objects.inputs, 'A', 625);
        EventKit::set_value(objects.inputs, 'E', 1000);
        tick();
        EXPECT_EQ(values(objects.inputs, "IMQ"), (Series{1, 1, 0.5}));
        EXPECT_EQ(values(objects.master, "AZY"), (Series{17, 17, 0}));
        EXPECT_EQ(values(objects.player, "GKA"), (Series{1, 1, 1}));
        tick();
        EXPECT_EQ(values(objects.inputs, "IM"), (Series{2, 0}));
        EXPECT_EQ(values(objects.master, "YX"), (Series{17, 0}));
        EXPECT_EQ(values(objects.player, "GE"), (Series{0, 1}));
    }
}

}  // namespace
