// The stand-in content's control-binding files, loaded as the start events
// load them: numeric arrays of the binding layout with the default bindings.
#include "objects/arrayext.h"

#include "platform/files.h"
#include "tests/support/volumes.h"
#include "tools/assetwriter/stand_in_content.h"

#include <gtest/gtest.h>

TEST(StandInBindings, both_files_load_as_binding_arrays_with_the_default_bindings)
{
    TempVolumes volumes;
    get_fs_data(0);
    volumes.put_content("control_keyboard.cfg", keyboard_bindings_file());
    volumes.put_content("control_gamepad.cfg", gamepad_bindings_file());

    ArrayObject keyboard(0, 0, 22);
    keyboard.initialize(true, 0, 12, 6, 2);
    EXPECT_EQ(console_output_of([&] { keyboard.load("./control_keyboard.cfg"); }), "");
    EXPECT_TRUE(keyboard.data.numeric);
    EXPECT_EQ(keyboard.data.base, 0);
    EXPECT_EQ(keyboard.data.x_size, 12);
    EXPECT_EQ(keyboard.data.y_size, 6);
    EXPECT_EQ(keyboard.data.z_size, 2);
    // Slot 1's code is set, so the start events keep the file's bindings.
    const int keys[8] = {0x40000052, 0x40000051, 0x40000050, 0x4000004F, 122, 120, 99, 13};
    for (int slot = 1; slot <= 8; ++slot) {
        EXPECT_EQ(keyboard.get_value(slot, 0, 0), 0) << slot;  // a key
        EXPECT_EQ(keyboard.get_value(slot, 1, 0), keys[slot - 1]) << slot;
        EXPECT_EQ(keyboard.get_value(slot, 2, 0), 0) << slot;
    }

    ArrayObject gamepad(0, 0, 23);
    gamepad.initialize(true, 0, 12, 6, 2);
    EXPECT_EQ(console_output_of([&] { gamepad.load("./control_gamepad.cfg"); }), "");
    EXPECT_EQ(gamepad.data.x_size, 12);
    EXPECT_EQ(gamepad.get_value(0, 2, 0), 25);  // dead zone, percent
    // D-pad sectors for the directions, face buttons and + for the rest.
    const int sources[8] = {1, 1, 1, 1, 0, 0, 0, 0};
    const int codes[8] = {90, 270, 180, 0, 2, 1, 4, 7};
    for (int slot = 1; slot <= 8; ++slot) {
        EXPECT_EQ(gamepad.get_value(slot, 0, 0), sources[slot - 1]) << slot;
        EXPECT_EQ(gamepad.get_value(slot, 1, 0), codes[slot - 1]) << slot;
    }
    // Nothing else is set: a stray cell would bind a slot the game does not poll.
    int set = 0;
    for (const int value : gamepad.data.values)
        set += value != 0;
    EXPECT_EQ(set, 1 + 7 + 4);  // dead zone, the codes but right's 0, four d-pad sources
}
