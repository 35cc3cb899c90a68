// The acts' tick-order tables (act<N>_tick_order.tsv beside their tests):
// one tick in call order, each row's calls under the groups of its gates
// column, read and compared with what a handler records.
#pragma once

#include "game/events/act_tick.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace tick_order {

#define LEVEL(n) {"level_group_" #n, &Frames::level_group_##n}
inline const std::map<std::string, bool Frames::*> group_flags = {
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
    {"opening_fade_group", &Frames::opening_fade_group},
    {"boss_arena_group", &Frames::boss_arena_group},
    {"arena_entry_group", &Frames::arena_entry_group},
    {"boss_fight_group", &Frames::boss_fight_group},
    {"boss_fight_sub_group_1", &Frames::boss_fight_sub_group_1},
    {"boss_fight_sub_group_2", &Frames::boss_fight_sub_group_2},
    {"boss_fight_sub_group_3", &Frames::boss_fight_sub_group_3},
};
#undef LEVEL

struct Call {
    std::string name;
    std::vector<std::string> gates;
};

inline std::vector<std::string> words(const std::string& text)
{
    std::istringstream in(text);
    std::vector<std::string> out;
    for (std::string word; in >> word;)
        out.push_back(word);
    return out;
}

// The table's rows, ranges spelled out, one entry per call.
inline std::vector<Call> read_table(const std::string& path)
{
    std::ifstream in(path);
    EXPECT_TRUE(in.good()) << path;
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

inline std::vector<std::string> gate_names(const std::vector<Call>& calls)
{
    std::vector<std::string> names;
    for (const Call& call : calls)
        for (const std::string& gate : call.gates)
            if (std::find(names.begin(), names.end(), gate) == names.end())
                names.push_back(gate);
    return names;
}

// Every gate of the table on except `off`.
inline void set_gates(Frames& frames, const std::vector<std::string>& gates, const std::string& off = "")
{
    for (const std::string& gate : gates) {
        ASSERT_TRUE(group_flags.count(gate)) << gate;
        frames.*group_flags.at(gate) = gate != off;
    }
}

// The calls one tick of `handler` makes, recorded instead of made.
inline std::vector<std::string> record_tick(Frames& frames, void (Frames::*handler)())
{
    std::vector<std::string> recorded;
    set_act_tick_recorder([&](std::string_view call) { recorded.emplace_back(call); });
    (frames.*handler)();
    set_act_tick_recorder({});
    return recorded;
}

// The table's calls none of whose gates is among `off`.
inline std::vector<std::string> expected_with(const std::vector<Call>& calls, const std::vector<std::string>& off)
{
    std::vector<std::string> names;
    for (const Call& call : calls)
        if (std::find_first_of(call.gates.begin(), call.gates.end(), off.begin(), off.end()) == call.gates.end())
            names.push_back(call.name);
    return names;
}

}  // namespace tick_order
