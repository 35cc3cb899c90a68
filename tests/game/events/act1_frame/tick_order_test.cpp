// The act 1 tick handler's call order and its group gates, against the
// order table beside this file: the handler records its calls instead of
// making them, so only the flags the test sets decide what runs.
#include "tests/game/events/tick_order_table.h"
#include "tests/support/event_kit.h"

#include <gtest/gtest.h>

using namespace tick_order;

namespace {

std::vector<Call> order_table()
{
    return read_table(QUORVELLA_SOURCE_DIR "/tests/game/events/act1_frame/act1_tick_order.tsv");
}

std::vector<std::string> record_tick(Frames& frames)
{
    return tick_order::record_tick(frames, &Frames::handle_frame_5_events);
}

}  // namespace

TEST(Act1TickOrder, with_every_group_on_the_handler_makes_the_tables_calls_in_order)
{
    EventKit kit;
    const std::vector<Call> calls = order_table();
    ASSERT_EQ(calls.size(), 1604u);
    set_gates(kit.frames(), gate_names(calls));
    const std::vector<std::string> recorded = record_tick(kit.frames());
    const std::vector<std::string> expected = expected_with(calls, {});
    ASSERT_EQ(recorded.size(), expected.size());
    for (size_t k = 0; k < expected.size(); ++k)
        ASSERT_EQ(recorded[k], expected[k]) << "call " << k;
}

TEST(Act1TickOrder, a_group_that_is_off_skips_exactly_the_runs_it_gates)
{
    EventKit kit;
    const std::vector<Call> calls = order_table();
    for (const std::string& gate : gate_names(calls)) {
        set_gates(kit.frames(), gate_names(calls), gate);
        EXPECT_EQ(record_tick(kit.frames()), expected_with(calls, {gate})) << gate << " off";
    }
}

TEST(Act1TickOrder, with_the_game_paused_only_the_pass_the_early_events_and_the_shared_block_are_reached)
{
    EventKit kit;
    const std::vector<Call> calls = order_table();
    set_gates(kit.frames(), gate_names(calls));
    kit.frames().level_group_43 = false;
    kit.frames().global_group_1 = false;
    const std::vector<std::string> recorded = record_tick(kit.frames());
    EXPECT_EQ(recorded, expected_with(calls, {"level_group_43", "global_group_1"}));
    EXPECT_EQ(recorded.size(), 1u + 18u + 14u + 3u + 3u);
}
