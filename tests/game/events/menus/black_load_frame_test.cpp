// The Black Load frame: a black screen that enters act 1 a tenth of a second
// after it starts, with the music stopped and the music calls dropped.
#include "audio/media.h"
#include "objects/arrayext.h"
#include "runtime/manager.h"
#include "tests/support/event_kit.h"
#include "tests/support/volumes.h"

#include <filesystem>

#include <gtest/gtest.h>

namespace {

constexpr int black_load = 2;

ArrayObject* array(EventKit& kit, int type) { return static_cast<ArrayObject*>(kit.instance(type)); }

// Ticks until the frame asks to leave; the timer must have just reached 0.1.
void run_until_leaving(EventKit& kit)
{
    while (kit.frames().next_frame == -1 && kit.tick() < 20) {
        EXPECT_LT(kit.frames().frame_time, 0.1);
        kit.run(1);
    }
    EXPECT_EQ(kit.frames().next_frame, 4);
    EXPECT_GE(kit.frames().frame_time, 0.1);
    EXPECT_LT(kit.frames().frame_time - manager.frame_time, 0.1);
    EXPECT_LE(kit.tick(), 7);
}

}  // namespace

TEST(BlackLoadFrame, is_one_black_layer_of_support_objects_outside_the_view)
{
    EventKit kit;
    kit.frames().global_group_7 = true;
    kit.enter_frame(black_load);
    Frames& frames = kit.frames();
    EXPECT_FALSE(frames.global_group_7);
    // The input objects, the storefront, the music controller and the
    // arrays: one of each, left of the picture.
    for (int type : {17, 18, 19, 20, 27, 39, 22, 23, 26, 40, 41}) {
        ASSERT_EQ(kit.instances(type).size(), 1u) << type;
        EXPECT_LT(kit.instance(type)->get_x(), 0) << type;
    }
    EXPECT_EQ(kit.pixel(200, 120), black);
}

TEST(BlackLoadFrame, enters_act_1_after_a_tenth_of_a_second_with_the_music_stopped)
{
    EventKit kit;
    media.play(".\\Data\\BGM\\m_menu1.ogg", 31, 0);
    kit.enter_frame(black_load);
    FrameObject* controller = kit.instance(types::ControllerMusic_49);
    EventKit::set_value(controller, 'D', 4);
    EventKit::set_value(controller, 'K', 7);
    array(kit, types::FunctionMusic_50)->set_string("play_music(3)", 0, 0, 0);
    array(kit, types::QueueMusic_51)->set_value(9, 0, 1, 0);

    // The request comes on the first tick on which the frame's timer has
    // reached 0.1 s.
    EXPECT_TRUE(media.is_channel_playing(31));
    run_until_leaving(kit);
    EXPECT_FALSE(media.is_channel_playing(31));
    EXPECT_EQ(EventKit::values(controller, "DK"), doubles(0, 0));
    EXPECT_EQ(array(kit, types::FunctionMusic_50)->get_string(0, 0, 0), "");
    EXPECT_EQ(array(kit, types::QueueMusic_51)->get_value(0, 1, 0), 0);

    // The act starts its own music, not the menu's.
    kit.take_sounds();
    kit.run(1);
    EXPECT_EQ(kit.frames().index, 4);
    const std::vector<SoundStart> sounds = kit.take_sounds();
    EXPECT_EQ(music_count(sounds, "m_stage1.ogg"), 1);
    EXPECT_EQ(music_count(sounds, "m_menu1.ogg"), 0);
}

TEST(BlackLoadFrame, leaves_once_per_entry_even_when_it_stays_longer)
{
    EventKit kit;
    kit.enter_frame(black_load);
    run_until_leaving(kit);
    // Held back: the request fires no more while the frame stays.
    kit.frames().next_frame = -1;
    kit.frames().event_func_273();
    kit.run(3);
    EXPECT_EQ(kit.frames().next_frame, -1);
    // A second entry fires it again.
    kit.enter_frame(black_load);
    run_until_leaving(kit);
}

TEST(BlackLoadFrame, its_window_keys_set_the_window_mode_value)
{
    EventKit kit;
    kit.enter_frame(black_load);
    Frames& frames = kit.frames();
    const std::pair<int, void (Frames::*)()> keys[] = {
        {0x4000003E, &Frames::event_func_274}, {0x4000003F, &Frames::event_func_275}, {0x40000040, &Frames::event_func_276}};
    for (int k = 0; k < 3; ++k) {
        const auto [key, event] = keys[k];
        kit.set_global(24, 0);
        (frames.*event)();
        EXPECT_EQ(kit.global(24), 0) << "without the key";
        manager.keyboard.add(key);
        (frames.*event)();
        manager.keyboard.remove(key);
        EXPECT_EQ(kit.global(24), k + 1);
    }
}

TEST(BlackLoadFrame, saves_the_records_as_it_starts)
{
    TempVolumes disk;
    EventKit kit({.save_dir = disk.save});
    kit.enter_frame(8);  // How To Play holds the records array too
    array(kit, 26)->set_value(1, 20, 3, -1);  // codec 3 collected
    kit.enter_frame(black_load);
    EXPECT_TRUE(std::filesystem::exists(disk.save + "/common/records.dat"));

    // What the file holds is what the array held on entry.
    ArrayObject* records = array(kit, 26);
    records->set_value(0, 20, 3, -1);
    records->load("/vol/save/common/records.dat");
    EXPECT_EQ(records->get_value(20, 3, -1), 1);
}
