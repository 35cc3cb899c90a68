// Act 2's boss arena on a stage of its own: the checkpoint's strict span,
// the camera's arena mode once, the trigger that starts the fight and the
// boss music, the left wall, and the fight's numbering of its pieces.
#include "game/objects/type_ids.h"
#include "objects/active.h"
#include "objects/arrayext.h"
#include "tests/support/event_kit.h"

#include <gtest/gtest.h>

namespace {

struct ArenaStage {
    FrameObject* movement = nullptr;
    FrameObject* camera = nullptr;
    FrameObject* level = nullptr;
    FrameObject* sensor = nullptr;
    FrameObject* music = nullptr;
    ArrayObject* calls = nullptr;
};

void run_arena(Frames& f)
{
    for (auto event : {&Frames::event_func_2395, &Frames::event_func_2398, &Frames::event_func_2399,
                       &Frames::event_func_2400, &Frames::event_func_2401, &Frames::event_func_2402})
        (f.*event)();
}

}  // namespace

TEST(Act2BossArena, the_checkpoint_camera_trigger_and_wall_lead_into_the_fight)
{
    EventKit kit;
    ArenaStage s;
    std::vector<FrameObject*> geysers, segments;
    kit.enter_empty_frame({.width = 10000,
                           .height = 2000,
                           .handler = run_arena,
                           .set_up = [&](Frames& f) {
                               f.reset_frame_event_state(6);
                               f.level_group_43 = f.boss_arena_group = f.arena_entry_group = true;
                               f.boss_fight_group = false;
                               f.global_strings->set(4, "boss");
                               f.global_strings->set(5, "stage");
                               s.movement = kit.place("PlayerMovementValues_80", -50, -50);
                               s.camera = kit.place("MasterCamera_190", -50, -50);
                               s.level = kit.place("MasterLevel_53", -50, -50);
                               s.music = kit.place("ControllerMusic_49", -50, -50);
                               s.calls = static_cast<ArrayObject*>(kit.place("FunctionMusic_50", -50, -50));
                               s.sensor = kit.place("PlayerCharacterSensor_151", 8050, 800);
                               kit.place("CameraLimitBossLeft_165", 8300, 800);
                               kit.place("CameraLimitBossRight_166", 8700, 800);
                               kit.place("CameraTriggerBoss_169", 8500, 800);
                               geysers = {kit.place("BossGeyserOverlap1_381", 8350, 900),
                                          kit.place("BossGeyserOverlap1_381", 8450, 900),
                                          kit.place("BossGeyserOverlap2_382", 8550, 900),
                                          kit.place("BossGeyserOverlap2_382", 8600, 900),
                                          kit.place("BossGeyserOverlap2_382", 8650, 900)};
                               for (int k = 0; k < 7; ++k)
                                   segments.push_back(kit.place("BossSnakeBody_370", 8400, 950));
                               kit.place("BossVashkelHead_273", 8400, 950);
                               kit.place("BossSnakeHitbox_383", 8400, 950);
                               EventKit::set_value(s.movement, 'X', 8050);
                           }});
    Frames& f = kit.frames();
    // Exactly 8050 is not past the checkpoint's left end.
    EXPECT_EQ(kit.global(4), 0);
    EventKit::set_value(s.movement, 'X', 8100);
    kit.run(1);
    EXPECT_EQ(kit.global(4), 2);
    EXPECT_EQ(kit.global(5), 8000);
    EXPECT_EQ(kit.global(6), 860);
    kit.set_global(5, 1);
    kit.run(1);
    EXPECT_EQ(kit.global(5), 1);  // stored once

    // Outside the arena the player may walk left; inside, the camera takes
    // the arena mode and the left wall holds.
    EventKit::set_value(s.movement, 'B', -4);
    kit.run(1);
    EXPECT_EQ(EventKit::value(s.movement, 'B'), -4);
    EventKit::set_value(s.movement, 'X', 8400);
    kit.run(1);
    EXPECT_EQ(EventKit::value(s.camera, 'M'), 1);
    EventKit::set_value(s.movement, 'X', 8250);
    kit.run(1);
    EXPECT_EQ(EventKit::value(s.movement, 'B'), 0);

    // The trigger starts the fight and the boss music, every tick until
    // the controller takes it.
    const int written = s.calls->data.current_x;
    s.sensor->set_global_position(8500, 800);
    kit.run(1);
    EXPECT_EQ(EventKit::value(s.level, 'Y'), 1);
    EXPECT_TRUE(f.boss_fight_group);
    kit.run(1);
    EXPECT_EQ(s.calls->data.current_x, written + 3);
    EXPECT_EQ(s.calls->get_string(written, -1, -1), "stop_music(boss)");
    EXPECT_EQ(s.calls->get_string(written + 1, -1, -1), "play_music(boss,0,1)");
    EXPECT_EQ(s.calls->get_string(written + 2, -1, -1), "reset_music(stage)");
    EventKit::set_value(s.music, 'D', 4);
    kit.run(1);
    EXPECT_EQ(s.calls->data.current_x, written + 3);

    // The fight's numbering: newest first.
    const double numbers[] = {1, 0, 4, 3, 2};
    for (int k = 0; k < 5; ++k)
        EXPECT_EQ(EventKit::value(geysers[k], 'A'), numbers[k]) << k;
    EXPECT_EQ(EventKit::values(kit.instance(types::BossVashkelHead_273), "EG"), doubles(1, 2));
    EXPECT_EQ(EventKit::value(segments[0], 'H'), 7);
    EXPECT_FLOAT_EQ(static_cast<Active*>(segments[0])->x_scale, 0.85f);
    EXPECT_FLOAT_EQ(static_cast<Active*>(segments[6])->x_scale, 1.0f);
    EXPECT_TRUE(EventKit::flag(segments[3], 16));
    EXPECT_TRUE(EventKit::flag(kit.instance(types::BossSnakeHitbox_383), 5));
}
