// Act 2's camera limits and view request on an act-sized frame: the open
// limits reach past the sign post by the act's margin, the arena's hold the
// current view, the sign box, and the view shifted right by the margin.
#include "game/objects/type_ids.h"
#include "tests/support/event_kit.h"

#include <gtest/gtest.h>

namespace {

struct CameraStage {
    FrameObject* camera = nullptr;
    FrameObject* sign = nullptr;
};

void run_act2_camera(Frames& f)
{
    for (auto event : {&Frames::event_func_2450, &Frames::event_func_2451, &Frames::event_func_2452,
                       &Frames::event_func_2453})
        (f.*event)();
}

CameraStage enter_stage(EventKit& kit)
{
    CameraStage s;
    kit.enter_empty_frame({.width = 12800,
                           .height = 3200,
                           .handler = run_act2_camera,
                           .set_up = [&](Frames& f) {
                               f.reset_frame_event_state(6);
                               f.level_group_43 = f.level_group_8 = true;
                               f.global_values->set(19, 0);
                               s.camera = kit.place("MasterCamera_190", -50, -50);
                               s.sign = kit.place("Sign_361", 9000, 900);
                               kit.place("CameraLimitBossLeft_165", 5100, 700);
                               kit.place("CameraLimitBossRight_166", 5600, 700);
                               kit.place("CameraLimitBossTop_167", 5300, 500);
                               kit.place("CameraLimitBossBottom_168", 5300, 1000);
                               EventKit::set_value(s.camera, 'X', 213);
                               EventKit::set_value(s.camera, 'A', 5000);
                               EventKit::set_value(s.camera, 'B', 800);
                           }});
    return s;
}

std::vector<double> limits(const CameraStage& s) { return EventKit::values(s.camera, "CDEF"); }

}  // namespace

TEST(Act2CameraLimits, each_mode_sets_its_rectangle_once_with_the_acts_right_margin)
{
    EventKit kit;
    const CameraStage s = enter_stage(kit);
    Frames& f = kit.frames();
    // Mode 0: open up to the sign, 106 further right; the view sits 106
    // right of the target.
    EXPECT_EQ(limits(s), (std::vector<double>{0, 0, 9000 + 213 + 106, 3200}));
    EXPECT_EQ(f.new_display_x, 5000 + 106 - 213);
    EXPECT_EQ(f.new_display_y, 800 - 120);

    // Run once while true: a changed rectangle stays until the mode changes.
    EventKit::set_value(s.camera, 'E', 1);
    kit.run(1);
    EXPECT_EQ(EventKit::value(s.camera, 'E'), 1);

    // Mode 1 with the view reaching past the left and top markers: the
    // rectangle holds the view (left edge 4893, top 680).
    EventKit::set_value(s.camera, 'U', 1);
    kit.set_global(19, 1);
    kit.run(1);
    EXPECT_EQ(limits(s), (std::vector<double>{4893, 500, 5600 + 53, 1000}));
    EXPECT_EQ(f.new_display_x, 5000 + 53 - 213);

    // Mode 2: the box around the sign.
    EventKit::set_value(s.camera, 'U', 2);
    kit.run(1);
    EXPECT_EQ(limits(s), (std::vector<double>{9000 - 213, 740, 9000 + 213 + 53, 980}));

    // Back in mode 0 after the act's end (global 4 at 10) nothing is set.
    EventKit::set_value(s.camera, 'U', 0);
    kit.set_global(4, 10);
    kit.run(1);
    EXPECT_EQ(limits(s), (std::vector<double>{9000 - 213, 740, 9000 + 213 + 53, 980}));
}

TEST(Act2CameraLimits, the_shake_decays_to_zero_and_stops_there)
{
    EventKit kit;
    const CameraStage s = enter_stage(kit);
    EventKit::set_value(s.camera, 'Z', 0.25);
    kit.run(1);
    EXPECT_NEAR(EventKit::value(s.camera, 'Z'), 0.15, 1e-9);
    kit.run(2);
    EXPECT_EQ(EventKit::value(s.camera, 'Z'), 0);
    // The camera group off: the view stays where it is.
    kit.frames().level_group_8 = false;
    EventKit::set_value(s.camera, 'A', 7000);
    kit.run(1);
    EXPECT_EQ(kit.frames().new_display_x, 5000 + 106 - 213);
}
