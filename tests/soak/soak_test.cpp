// Long seeded random play of each act under the sanitizers: the game must
// neither crash nor report, and its memory must stay flat once the act has
// been entered. The player dies, loses lives, reaches Continue? or crosses
// act 1 into act 2; after a while away from the act (in the menus, or in
// the next act) the act is entered again, so that most ticks are the act's. QUORVELLA_SOAK_TICKS and QUORVELLA_SOAK_SEED change the
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
// Ticks in act 2 once act 1 is crossed, before act 1 is entered again.
constexpr int ticks_in_the_next_act = 3000;
// Growth of the live heap from the run's first quarter to its last that
// still counts as flat: the act's instances come and go, a leak adds up.
constexpr uint64_t heap_slack = uint64_t(8) << 20;
// The resident size moves more: the sanitizer's quarantine of freed blocks
// (256 MB) fills over the first minutes and its pages come and go with the
// pattern of allocations (55 MB apart between quarters of one run). It
// watches memory the heap count does not see.
constexpr uint64_t resident_slack = uint64_t(128) << 20;

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

// One soak in progress: the kit, the random gamepad and what is counted.
class Soak {
public:
    Soak(int act, uint32_t seed) : act(act), pad(seed)
    {
        kit.enter_frame(act);
        result.entries = 1;
        take_sample(0);
    }

    void tick()
    {
        hold_the_next_input();
        const int before = kit.frames().index;
        kit.run(1);
        const int index = kit.frames().index;
        ++result.frame_ticks[index];
        result.frame_changes[index] += index != before;
        if (in_an_act(index)) {
            ++result.act_ticks;
            follow_the_player();
        }
        away = index == act ? 0 : away + 1;
        if (away >= (in_an_act(index) ? ticks_in_the_next_act : ticks_away)) {
            kit.enter_frame(act);
            ++result.entries;
            away = 0;
        }
    }

    void take_sample(int tick)
    {
        // What the kit keeps for a test to read would otherwise grow.
        kit.take_console();
        kit.take_sounds();
        result.samples.push_back(sample_memory(tick));
        result.samples.back().frame = kit.frames().index;
    }

    SoakResult result;

private:
    void hold_the_next_input()
    {
        if (spell_tick >= spell.ticks) {
            spell = pad.next();
            spell_tick = 0;
        }
        kit.hold(spell.buttons | (spell_tick < spell.jump_ticks ? uint32_t(VPAD_BUTTON_A) : 0u));
        kit.stick(spell.use_stick ? spell.stick_x : 0.0f, spell.use_stick ? spell.stick_y : 0.0f);
        ++spell_tick;
    }

    void follow_the_player()
    {
        const FrameObject* values = kit.instance(types::PlayerMovementValues_80);
        if (!values)
            return;
        result.furthest_x = std::max(result.furthest_x, EventKit::value(values, 'X'));
        const bool dying = EventKit::value(values, 'M') == dying_state;
        result.deaths += dying && !dead;
        dead = dying;
    }

    const int act;
    EventKit kit;
    RandomPad pad;
    PadSpell spell = {.ticks = 0};
    int spell_tick = 0;
    int away = 0;
    bool dead = false;
};

SoakResult soak(int act, uint32_t seed, int ticks)
{
    Soak soak(act, seed);
    const int sample_every = std::max(1, ticks / samples);
    for (int tick = 1; tick <= ticks; ++tick) {
        soak.tick();
        if (tick % sample_every == 0)
            soak.take_sample(tick);
    }
    return soak.result;
}

double megabytes(uint64_t bytes)
{
    return double(bytes) / double(1 << 20);
}

// The samples taken in an act between two ticks (the menus and Continue?
// hold other pictures and music, so they are no measure of the act's).
std::vector<MemorySample> act_samples(const SoakResult& result, int from, int to)
{
    std::vector<MemorySample> found;
    for (const MemorySample& sample : result.samples)
        if (sample.tick > from && sample.tick <= to && in_an_act(sample.frame))
            found.push_back(sample);
    return found;
}

MemorySample largest(const std::vector<MemorySample>& samples, uint64_t MemorySample::*field)
{
    return *std::max_element(samples.begin(), samples.end(),
                             [&](const MemorySample& a, const MemorySample& b) { return a.*field < b.*field; });
}

void print_memory(const char* name, const std::vector<MemorySample>& all, const MemorySample& first,
                  const MemorySample& last, uint64_t MemorySample::*field)
{
    printf("  %s: %.1f MB after entry, peak in the acts %.1f MB in the first quarter, %.1f MB in the last; "
           "end %.1f MB\n",
           name, megabytes(all.front().*field), megabytes(first.*field), megabytes(last.*field),
           megabytes(all.back().*field));
}

void check_and_report(int act, uint32_t seed, int ticks, const SoakResult& result)
{
    const std::vector<MemorySample> first = act_samples(result, 0, ticks / 4);
    const std::vector<MemorySample> last = act_samples(result, ticks - ticks / 4, ticks);
    ASSERT_GE(first.size(), 2u) << "too short a run to judge memory";
    ASSERT_GE(last.size(), 2u) << "too short a run to judge memory";
    const MemorySample first_heap = largest(first, &MemorySample::heap);
    const MemorySample last_heap = largest(last, &MemorySample::heap);
    const MemorySample first_resident = largest(first, &MemorySample::resident);
    const MemorySample last_resident = largest(last, &MemorySample::resident);
    printf("soak of frame %d, seed %u: %d ticks, %d in the acts, act entered %d times\n", act, seed, ticks,
           result.act_ticks, result.entries);
    printf("  the player reached x %.0f and died %d times\n", result.furthest_x, result.deaths);
    for (const auto& [index, count] : result.frame_ticks)
        printf("  frame %d: %d ticks, changed to %d times\n", index, count, result.frame_changes.at(index));
    print_memory("heap", result.samples, first_heap, last_heap, &MemorySample::heap);
    print_memory("resident", result.samples, first_resident, last_resident, &MemorySample::resident);
    EXPECT_GT(result.act_ticks, ticks * 3 / 4) << "most of the run is to be the acts'";
    EXPECT_LE(last_heap.heap, first_heap.heap + heap_slack)
        << "the live heap grew from " << megabytes(first_heap.heap) << " MB (tick " << first_heap.tick << ") to "
        << megabytes(last_heap.heap) << " MB (tick " << last_heap.tick << ")";
    EXPECT_LE(last_resident.resident, first_resident.resident + resident_slack)
        << "the resident size grew from " << megabytes(first_resident.resident) << " MB (tick "
        << first_resident.tick << ") to " << megabytes(last_resident.resident) << " MB (tick "
        << last_resident.tick << ")";
}

// Every sample, to plot: QUORVELLA_SOAK_SAMPLES names the file.
void write_samples(const std::vector<MemorySample>& samples)
{
    const char* path = getenv("QUORVELLA_SOAK_SAMPLES");
    if (!path || !*path)
        return;
    FILE* out = fopen(path, "w");
    if (!out)
        return;
    fprintf(out, "tick\tframe\theap_mb\tresident_mb\n");
    for (const MemorySample& sample : samples)
        fprintf(out, "%d\t%d\t%.2f\t%.2f\n", sample.tick, sample.frame, megabytes(sample.heap),
                megabytes(sample.resident));
    fclose(out);
}

void soak_act(int act)
{
    const int ticks = env_number("QUORVELLA_SOAK_TICKS", default_ticks);
    const uint32_t seed = uint32_t(env_number("QUORVELLA_SOAK_SEED", 20261207)) + uint32_t(act);
    const SoakResult result = soak(act, seed, ticks);
    write_samples(result.samples);
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
