// Long seeded random play of each act under the sanitizers: the game must
// neither crash nor report, and its memory must stay flat once the act has
// been entered. The player dies, loses lives and reaches Continue?; after
// a while away from the acts the act is entered again, so that most ticks
// are the act's. QUORVELLA_SOAK_TICKS and QUORVELLA_SOAK_SEED change the
// run's length and seed (the seed is printed, to replay a failure).
#include "console/pads.h"
#include "tests/soak/memory_sample.h"
#include "tests/soak/random_pad.h"
#include "tests/support/event_kit.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

namespace {

constexpr int act_1 = 4;
constexpr int act_2 = 5;
constexpr int default_ticks = 50000;
// Memory is sampled a hundred times in a run.
constexpr int samples = 100;
constexpr int dying_state = 9;  // the player's movement state while it dies
// Ticks in the menus, Continue? or the act-end frames before the act is
// entered again.
constexpr int ticks_away = 600;
// Growth of the live heap from the run's first quarter to its last that
// still counts as flat: the act's instances come and go, a leak adds up.
constexpr uint64_t heap_slack = uint64_t(8) << 20;

int env_number(const char* name, int fallback)
{
    const char* text = getenv(name);
    return text && *text ? atoi(text) : fallback;
}

bool in_an_act(int index)
{
    return index == act_1 || index == act_2;
}

struct SoakResult {
    int act_ticks = 0;
    int entries = 0;
    // Ticks spent in each frame, and how often the game changed to it.
    std::map<int, int> frame_ticks, frame_changes;
    // How far right the player got, and how often it died.
    double furthest_x = 0.0;
    int deaths = 0;
    std::vector<MemorySample> samples;
};

void follow_the_player(EventKit& kit, SoakResult& result, bool& dead)
{
    const FrameObject* values = kit.instance(types::PlayerMovementValues_80);
    if (!values)
        return;
    result.furthest_x = std::max(result.furthest_x, EventKit::value(values, 'X'));
    const bool dead_now = EventKit::value(values, 'M') == dying_state;
    result.deaths += dead_now && !dead;
    dead = dead_now;
}

SoakResult soak(int act, uint32_t seed, int ticks)
{
    SoakResult result;
    EventKit kit;
    RandomPad pad(seed);
    kit.enter_frame(act);
    result.entries = 1;
    result.samples.push_back(sample_memory(0));
    const int sample_every = std::max(1, ticks / samples);
    PadSpell spell;
    int spell_tick = spell.ticks, away = 0;
    bool dead = false;
    for (int tick = 1; tick <= ticks; ++tick) {
        if (spell_tick >= spell.ticks) {
            spell = pad.next();
            spell_tick = 0;
        }
        kit.hold(spell.buttons | (spell_tick < spell.jump_ticks ? uint32_t(VPAD_BUTTON_A) : 0u));
        kit.stick(spell.use_stick ? spell.stick_x : 0.0f, spell.use_stick ? spell.stick_y : 0.0f);
        ++spell_tick;
        const int before = kit.frames().index;
        kit.run(1);
        const int index = kit.frames().index;
        ++result.frame_ticks[index];
        result.frame_changes[index] += index != before;
        if (in_an_act(index)) {
            ++result.act_ticks;
            follow_the_player(kit, result, dead);
            away = 0;
        } else if (++away >= ticks_away) {
            kit.enter_frame(act);
            ++result.entries;
            away = 0;
        }
        if (tick % sample_every == 0) {
            // What the kit keeps for a test to read would otherwise grow.
            kit.take_console();
            kit.take_sounds();
            result.samples.push_back(sample_memory(tick));
        }
    }
    return result;
}

double megabytes(uint64_t bytes)
{
    return double(bytes) / double(1 << 20);
}

// The largest sample in [begin, end) of the samples.
MemorySample largest(const std::vector<MemorySample>& samples, size_t begin, size_t end, uint64_t MemorySample::*field)
{
    return *std::max_element(samples.begin() + long(begin), samples.begin() + long(end),
                             [&](const MemorySample& a, const MemorySample& b) { return a.*field < b.*field; });
}

void check_and_report(int act, uint32_t seed, int ticks, const SoakResult& result)
{
    const std::vector<MemorySample>& s = result.samples;
    ASSERT_GE(s.size(), 8u) << "too short a run to judge memory";
    const size_t quarter = s.size() / 4;
    const MemorySample first_heap = largest(s, 1, 1 + quarter, &MemorySample::heap);
    const MemorySample last_heap = largest(s, s.size() - quarter, s.size(), &MemorySample::heap);
    const MemorySample first_resident = largest(s, 1, 1 + quarter, &MemorySample::resident);
    const MemorySample last_resident = largest(s, s.size() - quarter, s.size(), &MemorySample::resident);
    printf("soak of frame %d, seed %u: %d ticks, %d in the acts, act entered %d times\n", act, seed, ticks,
           result.act_ticks, result.entries);
    printf("  the player reached x %.0f and died %d times\n", result.furthest_x, result.deaths);
    for (const auto& [index, count] : result.frame_ticks)
        printf("  frame %d: %d ticks, changed to %d times\n", index, count, result.frame_changes.at(index));
    printf("  heap: %.1f MB after entry, first quarter's peak %.1f MB, last quarter's %.1f MB, end %.1f MB\n",
           megabytes(s.front().heap), megabytes(first_heap.heap), megabytes(last_heap.heap), megabytes(s.back().heap));
    printf("  resident: %.1f MB after entry, first quarter's peak %.1f MB, last quarter's %.1f MB, end %.1f MB\n",
           megabytes(s.front().resident), megabytes(first_resident.resident), megabytes(last_resident.resident),
           megabytes(s.back().resident));
    EXPECT_GT(result.act_ticks, ticks * 3 / 4) << "most of the run is to be the acts'";
    EXPECT_LE(last_heap.heap, first_heap.heap + heap_slack)
        << "the live heap grew from " << megabytes(first_heap.heap) << " MB (tick " << first_heap.tick << ") to "
        << megabytes(last_heap.heap) << " MB (tick " << last_heap.tick << ")";
}

void soak_act(int act)
{
    const int ticks = env_number("QUORVELLA_SOAK_TICKS", default_ticks);
    const uint32_t seed = uint32_t(env_number("QUORVELLA_SOAK_SEED", 20261207)) + uint32_t(act);
    const SoakResult result = soak(act, seed, ticks);
    check_and_report(act, seed, ticks, result);
}

}  // namespace

TEST(Soak, act_1_under_random_play_neither_fails_nor_grows)
{
    soak_act(act_1);
}

TEST(Soak, act_2_under_random_play_neither_fails_nor_grows)
{
    soak_act(act_2);
}
