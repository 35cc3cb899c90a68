// Headless, a picture that nothing reads is not made; what it needs is kept,
// so a picture read later is the one it would have been. Reading every
// picture or only every 30th gives the same pictures, bit for bit. Each run
// plays in a process of its own, as a fresh run of the game would.
#include "console/gpu.h"
#include "console/pads.h"
#include "graphics/display.h"
#include "tests/game/events/player_stage.h"
#include "tests/support/event_kit.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>
#include <map>
#include <memory>
#include <set>

namespace {

constexpr int act_1 = 4, act_2 = 5;
constexpr int ticks = 180;

struct Played {
    std::map<int, uint64_t> logical;  // the TV's logical picture by tick
    std::map<int, uint64_t> full;     // the full-size TV picture by tick
    uint64_t draws_asked = 0, draws_made = 0, most_put_off = 0;
};

// The act from its start, right held and a jump every 70 ticks; the
// pictures read every `every` ticks (the full-size one every 30th).
Played play(int act, int every)
{
    Played played;
    EventKit kit;
    kit.run(1);
    kit.enter_frame(act);
    const uint64_t asked = gx2_draw_count(), made = gx2_draws_made();
    for (int tick = 1; tick <= ticks; ++tick) {
        kit.hold(uint32_t(VPAD_BUTTON_RIGHT) | (tick % 70 < 20 ? uint32_t(VPAD_BUTTON_A) : 0u));
        kit.run(1);
        played.most_put_off = std::max<uint64_t>(played.most_put_off, gx2_put_off_count());
        if (tick % every == 0)
            played.logical[tick] = hash_of(
                gx2_read_color_buffer(&platform_color_buffer(TV_LOGICAL_BUFFER)->record));
        if (tick % 30 == 0)
            played.full[tick] = hash_of(gx2_read_scan_buffer(GX2_SCAN_TARGET_TV));
    }
    played.draws_asked = gx2_draw_count() - asked;
    played.draws_made = gx2_draws_made() - made;
    return played;
}

// In a child process: plays and writes what it saw to `path`.
void play_into(int act, int every, const std::string& path)
{
    const Played played = play(act, every);
    std::ofstream out(path);
    out << gx2_pictures_put_off() << ' ' << played.draws_asked << ' ' << played.draws_made << ' '
        << played.most_put_off << '\n';
    for (const auto& [tick, hash] : played.logical)
        out << "L " << tick << ' ' << hash << '\n';
    for (const auto& [tick, hash] : played.full)
        out << "F " << tick << ' ' << hash << '\n';
    out.close();
    std::exit(out ? 0 : 3);
}

struct Read {
    bool put_off = false;
    Played played;
};

Read read_back(const std::string& path)
{
    Read read;
    std::ifstream in(path);
    in >> read.put_off >> read.played.draws_asked >> read.played.draws_made >>
        read.played.most_put_off;
    char kind;
    int tick;
    uint64_t hash;
    while (in >> kind >> tick >> hash)
        (kind == 'L' ? read.played.logical : read.played.full)[tick] = hash;
    return read;
}

void expect_same_pictures(int act, const Read& all, const Read& some)
{
    ASSERT_TRUE(all.put_off && some.put_off);
    const Played& every = all.played;
    // The view follows the running player: the pictures differ tick by tick.
    std::set<uint64_t> distinct;
    for (const auto& [tick, hash] : every.logical)
        distinct.insert(hash);
    EXPECT_GT(distinct.size(), size_t(ticks / 2));
    ASSERT_EQ(some.played.logical.size(), size_t(ticks / 30));
    for (const auto& [tick, hash] : some.played.logical)
        EXPECT_EQ(hash, every.logical.at(tick)) << "act " << act << ", tick " << tick;
    EXPECT_EQ(some.played.full, every.full) << "act " << act;
    // With every picture read, the draws asked for were made (to within the
    // picture the run began or ended with); with every 30th, few were.
    const double per_picture = double(every.draws_asked) / ticks;
    EXPECT_NEAR(double(every.draws_made), double(every.draws_asked), per_picture);
    EXPECT_LT(some.played.draws_made * 10, some.played.draws_asked);
    // What waits is about a picture's worth, not the run's.
    EXPECT_LT(double(some.played.most_put_off), per_picture * 8);
}

}  // namespace

TEST(PutOffPictures, reading_every_picture_or_every_30th_gives_the_same_pictures_in_both_acts)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    // The child processes run this test again up to their own statement:
    // they find the parent's folder in the environment.
    constexpr const char* folder_variable = "QUORVELLA_PUT_OFF_RESULTS";
    std::unique_ptr<TempVolumes> volumes;
    if (!getenv(folder_variable)) {
        volumes = std::make_unique<TempVolumes>();
        setenv(folder_variable, volumes->root.c_str(), 1);
    }
    const std::string folder = getenv(folder_variable);
    const auto path = [&](int act, int every) {
        return folder + "/act" + std::to_string(act) + "_" + std::to_string(every) + ".txt";
    };
    for (int act : {act_1, act_2})
        for (int every : {1, 30})
            EXPECT_EXIT(play_into(act, every, path(act, every)), testing::ExitedWithCode(0), "");
    for (int act : {act_1, act_2})
        expect_same_pictures(act, read_back(path(act, 1)), read_back(path(act, 30)));
    unsetenv(folder_variable);
}
