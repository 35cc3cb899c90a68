// The motorbike in act 1 itself: an act started on the bike locks the
// engine's channels and starts both layers, and as the gamepad speeds the
// bike up the engine level catches up with the speed and the rev layer
// climbs.
#include "audio/media.h"
#include "console/pads.h"
#include "tests/game/events/player_stage.h"
#include "tests/support/event_kit.h"

#include <gtest/gtest.h>

#include <algorithm>

TEST(MotorbikeInAct, riding_right_the_engine_level_catches_up_with_the_speed_and_the_rev_layer_climbs)
{
    EventKit kit;
    kit.set_global(1, 3);
    kit.enter_frame(4);
    FrameObject* values = kit.instance(types::PlayerMovementValues_80);
    FrameObject* bike = kit.instance(types::PlayerSkinPimsaBike_338);
    EXPECT_TRUE(kit.frames().level_group_72);
    EXPECT_TRUE(media.channels[9].locked && media.channels[10].locked);
    int engine_layers = 0;
    for (const SoundStart& sound : kit.take_sounds())
        engine_layers += (sound.id == 120 && sound.channel == 9) + (sound.id == 121 && sound.channel == 10);
    EXPECT_EQ(engine_layers, 2);
    player_stage::run_until_in_control(kit);
    kit.run(30);
    ASSERT_EQ(EventKit::value(bike, 'A'), 0);

    kit.hold(VPAD_BUTTON_RIGHT);
    kit.run(1);  // the press reaches the player's controls on the next tick
    double pitch = media.get_channel_frequency(10);
    for (int tick = 1; tick <= 80; ++tick) {
        kit.run(1);
        const double level = EventKit::value(bike, 'A');
        ASSERT_LE(level, EventKit::value(values, 'B')) << tick;
        ASSERT_GT(media.get_channel_frequency(10), pitch) << tick;
        pitch = media.get_channel_frequency(10);
        ASSERT_EQ(media.get_channel_volume(9), 100 - std::min(level * 20, 100.0)) << tick;
    }
    kit.release();
    EXPECT_EQ(EventKit::value(bike, 'A'), EventKit::value(values, 'B'));
    EXPECT_EQ(media.get_channel_volume(9), 0);
    EXPECT_EQ(media.get_channel_volume(10), 100);
    EXPECT_GT(pitch, 5 * 7000 + 22000);
    EXPECT_EQ(EventKit::value(values, 'A'), 3);
    for (unsigned channel : {9u, 10u})
        media.unlock(channel);
}
