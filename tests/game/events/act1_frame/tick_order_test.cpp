// The act 1 tick handler's call order and its group gates, against the
// order table beside this file: the handler records its calls instead of
// making them, so only the flags the test sets decide what runs.
#include "game/events/act1_frame/act1_tick.h"
#include "tests/support/event_kit.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace {

#define LEVEL(n) {"level_group_" #n, &Frames::level_group_##n}
const std::map<std::string, bool Frames::*> group_flags = {
    LEVEL(1), LEVEL(2), LEVEL(3), LEVEL(4), LEVEL(5), LEVEL(6), LEVEL(7), LEVEL(8), LEVEL(9), LEVEL(10),
    LEVEL(11), LEVEL(12), LEVEL(13), LEVEL(14), LEVEL(15), LEVEL(16), LEVEL(17), LEVEL(18), LEVEL(19), LEVEL(20),
    LEVEL(21), LEVEL(22), LEVEL(23), LEVEL(24), LEVEL(25), LEVEL(26), LEVEL(27), LEVEL(28), LEVEL(29), LEVEL(30),
    LEVEL(31), LEVEL(32), LEVEL(33), LEVEL(34), LEVEL(35), LEVEL(36), LEVEL(37), LEVEL(38), LEVEL(39), LEVEL(40),
    LEVEL(41), LEVEL(42), LEVEL(43), LEVEL(44), LEVEL(45), LEVEL(46), LEVEL(47), LEVEL(48), LEVEL(49), LEVEL(50),
    LEVEL(51), LEVEL(52), LEVEL(53), LEVEL(54), LEVEL(55), LEVEL(56), LEVEL(57), LEVEL(58), LEVEL(59), LEVEL(60),
    LEVEL(61), LEVEL(62), LEVEL(63), LEVEL(64), LEVEL(65), LEVEL(66), LEVEL(67), LEVEL(68), LEVEL(69), LEVEL(70),
    LEVEL(71), LEVEL(72), LEVEL(73), LEVEL(74),
    {"global_group_1", &Frames::global_group_1},
    {"global_group_7", &Frames::global_group_7},
    {"global_group_10", &Frames::global_group_10},
    {"global_group_11", &Frames::global_group_11},
};
#undef LEVEL

struct Call {
    std::string name;
    std::vector<std::string> gates;
};

std::vector<std::string> words(const std::string& text)
{
    std::istringstream in(text);
    std::vector<std::string> out;
    for (std::string word; in >> word;)
        out.push_back(word);
    return out;
}

// The table's rows, ranges spelled out, one entry per call.
std::vector<Call> order_table()
{
    std::ifstream in(QUORVELLA_SOURCE_DIR "/tests/game/events/act1_frame/act1_tick_order.tsv");
    EXPECT_TRUE(in.good());
    std::vector<Call> calls;
    bool header = true;
    for (std::string line; std::getline(in, line);) {
        if (line.empty() || line[0] == '#')
            continue;
        if (header) {
            header = false;
            continue;
        }
        const size_t tab = line.find('\t');
        const std::vector<std::string> gates = words(line.substr(0, tab));
        for (const std::string& word : words(line.substr(tab + 1))) {
            const size_t dash = word.find('-');
            if (dash == std::string::npos || !isdigit(word[0])) {
                calls.push_back({word, gates});
                continue;
            }
            for (int n = std::stoi(word.substr(0, dash)); n <= std::stoi(word.substr(dash + 1)); ++n)
                calls.push_back({std::to_string(n), gates});
        }
    }
    return calls;
}

std::vector<std::string> gate_names(const std::vector<Call>& calls)
{
    std::vector<std::string> names;
    for (const Call& call : calls)
        for (const std::string& gate : call.gates)
            if (std::find(names.begin(), names.end(), gate) == names.end())
                names.push_back(gate);
    return names;
}

// Every gate of the table on except `off`.
void set_gates(Frames& frames, const std::vector<std::string>& gates, const std::string& off = "")
{
    for (const std::string& gate : gates) {
        ASSERT_TRUE(group_flags.count(gate)) << gate;
        frames.*group_flags.at(gate) = gate != off;
    }
}

std::vector<std::string> record_tick(Frames& frames)
{
    std::vector<std::string> recorded;
    set_act1_tick_recorder([&](std::string_view call) { recorded.emplace_back(call); });
    frames.handle_frame_5_events();
    set_act1_tick_recorder({});
    return recorded;
}

// The table's calls none of whose gates is among `off`.
std::vector<std::string> expected_with(const std::vector<Call>& calls, const std::vector<std::string>& off)
{
    std::vector<std::string> names;
    for (const Call& call : calls)
        if (std::find_first_of(call.gates.begin(), call.gates.end(), off.begin(), off.end()) == call.gates.end())
            names.push_back(call.name);
    return names;
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
