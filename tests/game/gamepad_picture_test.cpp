// Headless, the gamepad's picture is made only when something looks at it
// (here a test's swap hook); the TV's pictures are the same either way.
#include "console/gpu.h"
#include "graphics/display.h"
#include "tests/support/event_kit.h"

#include <gtest/gtest.h>
#include <set>

namespace {

constexpr int title = 1;

uint64_t picture_of(DisplayBuffer which)
{
    return hash_of(gx2_read_color_buffer(&platform_color_buffer(which)->record));
}

struct Pictures {
    std::vector<uint64_t> tv, gamepad;  // the logical pictures, tick by tick
    std::set<uint64_t> scanned;         // what the gamepad's screen showed
};

void look_at_the_gamepad(uint64_t, void* pictures)
{
    static_cast<Pictures*>(pictures)->scanned.insert(hash_of(gx2_read_scan_buffer(GX2_SCAN_TARGET_DRC)));
}

// The title's first second, with or without a look at every gamepad
// picture, from fresh random states and records (each kit starts fresh).
Pictures title_pictures(bool look)
{
    Pictures pictures;
    EventKit kit;
    kit.run(1);
    if (look)
        gx2_set_swap_hook(look_at_the_gamepad, &pictures);
    else
        pictures.scanned.insert(hash_of(gx2_read_scan_buffer(GX2_SCAN_TARGET_DRC)));
    kit.enter_frame(title);
    for (int tick = 0; tick < 60; ++tick) {
        kit.run(1);
        pictures.tv.push_back(picture_of(TV_LOGICAL_BUFFER));
        pictures.gamepad.push_back(picture_of(GAMEPAD_LOGICAL_BUFFER));
    }
    gx2_set_swap_hook(nullptr, nullptr);
    if (!look)
        pictures.scanned.insert(hash_of(gx2_read_scan_buffer(GX2_SCAN_TARGET_DRC)));
    return pictures;
}

}  // namespace

TEST(GamepadPicture, headless_it_is_made_only_when_looked_at_and_the_tv_pictures_stay_the_same)
{
    const Pictures unseen = title_pictures(false);
    const Pictures seen = title_pictures(true);
    // The title fades in over the star field: a new picture every tick.
    EXPECT_EQ(std::set<uint64_t>(seen.tv.begin(), seen.tv.end()).size(), seen.tv.size());
    EXPECT_EQ(unseen.tv, seen.tv);
    // Looked at, the gamepad shows the TV's picture every tick (the title
    // draws nothing of its own there).
    EXPECT_EQ(seen.gamepad, seen.tv);
    EXPECT_GE(seen.scanned.size(), seen.tv.size());
    // Unseen, nothing of it was made: its screen kept what it showed before.
    EXPECT_EQ(unseen.scanned.size(), 1u);
    EXPECT_EQ(std::set<uint64_t>(unseen.gamepad.begin(), unseen.gamepad.end()).size(), 1u);
}
