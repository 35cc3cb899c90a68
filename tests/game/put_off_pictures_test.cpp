// Headless, a picture that nothing reads is not made; what it needs is kept,
// so a picture read later is the one it would have been. Reading every
// picture or only every 30th gives the same pictures, bit for bit. Each run
// starts from a fresh process's state, as every kit does.
#include "console/gpu.h"
#include "console/pads.h"
#include "graphics/display.h"
#include "tests/game/events/player_stage.h"
#include "tests/support/event_kit.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <map>
#include <set>

namespace {

constexpr int act_1 = 4, act_2 = 5;
constexpr int ticks = 180;

struct Played {
    std::map<int, uint64_t> logical;  // the TV's logical picture by tick
    std::map<int, uint64_t> full;     // the full-size TV picture by tick
    uint64_t draws_asked = 0, draws_made = 0, most_put_off = 0;
    bool put_off = false;  // the run's pictures were put off at all
};

// The act from its start, right held and a jump every 70 ticks; the
// pictures read every `every` ticks (the full-size one every 30th).
Played play(int act, int every)
{
    Played played;
    EventKit kit;
    kit.run(1);
    played.put_off = gx2_pictures_put_off();
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

void expect_same_pictures(int act, const Played& every, const Played& some)
{
    ASSERT_TRUE(every.put_off && some.put_off);
    // The view follows the running player: the pictures differ tick by tick.
    std::set<uint64_t> distinct;
    for (const auto& [tick, hash] : every.logical)
        distinct.insert(hash);
    EXPECT_GT(distinct.size(), size_t(ticks / 2));
    ASSERT_EQ(some.logical.size(), size_t(ticks / 30));
    for (const auto& [tick, hash] : some.logical)
        EXPECT_EQ(hash, every.logical.at(tick)) << "act " << act << ", tick " << tick;
    EXPECT_EQ(some.full, every.full) << "act " << act;
    // With every picture read, the draws asked for were made (to within the
    // picture the run began or ended with); with every 30th, few were.
    const double per_picture = double(every.draws_asked) / ticks;
    EXPECT_NEAR(double(every.draws_made), double(every.draws_asked), per_picture);
    EXPECT_LT(some.draws_made * 10, some.draws_asked);
    // What waits is about a picture's worth, not the run's.
    EXPECT_LT(double(some.most_put_off), per_picture * 8);
}

}  // namespace

TEST(PutOffPictures, reading_every_picture_or_every_30th_gives_the_same_pictures_in_both_acts)
{
    for (int act : {act_1, act_2}) {
        const Played every = play(act, 1);
        expect_same_pictures(act, every, play(act, 30));
    }
}
