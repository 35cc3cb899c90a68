// The event kit reads back what events leave: sounds, pictures, input; and
// each kit starts from a fresh process's state.
#include "audio/media.h"
#include "base/assetfile.h"
#include "console/pads.h"
#include "game/frames/event_index.h"
#include "game/frames/event_support.h"
#include "runtime/manager.h"
#include "tests/support/event_kit.h"
#include "tools/assetwriter/asset_writer.h"

#include <gtest/gtest.h>
#include <ostream>

TEST(EventKit, reads_back_sounds_pictures_and_held_buttons_tick_by_tick)
{
    EventKit kit;
    std::vector<bool> button_1;
    kit.enter_empty_frame({.handler = [&](Frames& frames) {
        button_1.push_back(manager.joystick_flags & 16);
        if (frames.loop_count == 2)
            media.play_id(3, -1, 1);
    }});
    FrameObject* star = kit.place("TitleStar_43", 100, 100);
    kit.run(3);
    const std::vector<SoundStart> sounds = kit.take_sounds();
    ASSERT_EQ(sounds.size(), 1u);
    EXPECT_EQ(sounds[0].id, 3u);
    EXPECT_EQ(sounds[0].loops, 1);
    EXPECT_TRUE(kit.take_sounds().empty());

    // The star's stand-in picture shows where it stands, on black.
    int lit = 0;
    for (int y = star->y - 8; y < star->y + 8; ++y)
        for (int x = star->x - 8; x < star->x + 8; ++x)
            lit += kit.pixel(x, y) != black;
    EXPECT_GT(lit, 0);
    EXPECT_EQ(kit.pixel(300, 20), black);

    kit.press(VPAD_BUTTON_A, 1);
    EXPECT_EQ(button_1, (std::vector<bool>{false, false, false, false, true, false}));
}

namespace {

// What a scenario can leave behind in the process: the frames object's
// groups and state words, a kept object's values, the random states, the
// global values, the keyboard and a channel's settings.
struct RunState {
    bool global_group = false, level_group = false, once = false;
    unsigned run_once = 0;
    float every = 0.0f;
    bool loop_running = false;
    int loop_pass = 0;
    uint32_t event_seed = 0, class_seed = 0;
    double kept_energy = 0.0, global = 0.0, channel_volume = 0.0;
    int keys = 0;
    bool operator==(const RunState&) const = default;
};

RunState run_state(EventKit& kit)
{
    Frames& f = kit.frames();
    FrameObject* energy = kit.place("GUIEnergy_76", -50, -50);
    return {f.global_group_6,
            f.level_group_43,
            f.once_113,
            f.run_once_102,
            f.every_1311,
            f.fast_loop_ammo.running,
            f.fast_loop_ammo.index,
            event_random_state(300).seed,
            seed_groups::objects3.seed,
            EventKit::value(energy, 'A'),
            kit.global(3),
            media.get_channel_volume(31),
            manager.keyboard.count};
}

void PrintTo(const RunState& s, std::ostream* os)
{
    *os << "groups " << s.global_group << s.level_group << " once " << s.once << " run-once " << s.run_once
        << " every " << s.every << " loop " << s.loop_running << "/" << s.loop_pass << " seeds "
        << s.event_seed << "/" << s.class_seed << " energy " << s.kept_energy << " global " << s.global
        << " volume " << s.channel_volume << " keys " << s.keys;
}

}  // namespace

TEST(EventKit, a_new_kit_starts_from_a_fresh_process_state_whatever_the_last_one_left)
{
    RunState fresh;
    {
        EventKit kit;
        kit.enter_empty_frame({});
        fresh = run_state(kit);
        Frames& f = kit.frames();
        f.global_group_6 = f.level_group_43 = f.once_113 = true;
        f.run_once_102 = 40;
        f.every_1311 = 0.5f;
        f.fast_loop_ammo = {true, 3};
        randrange_event(300, 100);
        seed_groups::objects3.step();
        EventKit::set_value(kit.instance(types::GUIEnergy_76), 'A', fresh.kept_energy + 7);
        kit.set_global(3, 1234);
        media.set_channel_volume(31, 20);
        manager.keyboard.add(0x4000003F);
        ASSERT_NE(run_state(kit), fresh);
    }
    // A test of its own content (as a drawing test) reads the asset file's
    // tables from a file without sounds.
    {
        TempVolumes other;
        AssetWriter writer;
        ASSERT_TRUE(writer.write(other.content + "/Assets.dat"));
        AssetFile::forget_tables();
        AssetFile file;
        file.open();
        EXPECT_EQ(AssetFile::item_offset(72, AssetFile::SOUND_DATA), 0u);
    }

    EventKit kit;
    kit.enter_empty_frame({});
    EXPECT_EQ(run_state(kit), fresh);
    EXPECT_EQ(fresh.event_seed, 0u);
    EXPECT_EQ(fresh.class_seed, 0u);
    EXPECT_EQ(fresh.channel_volume, 100.0);
    // The stand-in content's sounds are registered again.
    media.play_id(72, 31, 1);
    EXPECT_EQ(sample_count(kit.take_sounds(), 72), 1);
}
