// Item boxes that ran into something are pushed out a pixel an event a
// pass: down out of a ceiling, up out of the ground, another box, a platform
// or the player; ten passes a start.
#include "tests/game/events/stage_loops/gimmick_scene.h"

using gimmick_test::floor_top;
using gimmick_test::GimmickScene;
using gimmick_test::playfield;

namespace {

class BoxScene : public GimmickScene {
protected:
    void SetUp() override
    {
        GimmickScene::SetUp();
        using act1_test::set_group;
        set_group(f(), f().qualifier_13, {types::MonitorRings_119, types::MonitorCrystals_120});
        set_group(f(), f().qualifier_1,
                  {types::MasterGroupsA_83, types::MonitorRings_119, types::MonitorCrystals_120,
                   types::HazardSpikesUp_133});
        set_group(f(), f().qualifier_2, {types::MasterGroupsA_83, types::LevelValleyPlatform1_149});
    }

    FrameObject* box(int left, int bottom, double a, const char* class_name = "MonitorRings_119")
    {
        FrameObject* object = place_box(class_name, left, bottom);
        EventKit::set_value(object, 'A', a);
        return object;
    }

    void ground()
    {
        f().run_loop(f().fast_loop_monitorsunstuckfromground, 10, &Frames::loop_monitorsunstuckfromground_4);
    }
    void ceiling()
    {
        f().run_loop(f().fast_loop_monitorsunstuckfromceiling, 10, &Frames::loop_monitorsunstuckfromceiling_4);
    }
};

int bottom(const FrameObject* object) { return object->get_box_index(3); }

}  // namespace

TEST_F(BoxScene, a_moving_box_leaves_the_ground_up_and_a_ceiling_down_a_pixel_a_pass)
{
    FrameObject* shallow = box(100, floor_top + 5, 1);
    FrameObject* deep = box(300, floor_top + 15, 1);
    FrameObject* resting = box(500, floor_top + 5, 0);
    ground();
    EXPECT_EQ(bottom(shallow), floor_top);
    EXPECT_EQ(bottom(deep), floor_top + 5);  // ten pixels a start
    EXPECT_EQ(bottom(resting), floor_top + 5);

    // A box in the air, a ceiling square three rows into its top.
    FrameObject* lifted = box(700, 100, 1);
    const int top = lifted->get_box_index(1);
    square(f(), "LevelBackdrop02_142", 700, top + 3 - 128);
    ceiling();
    EXPECT_EQ(lifted->get_box_index(1), top + 3);
    // The ceiling loop cannot tell a floor from a ceiling: the box still in
    // the ground goes back down; the one resting on it stays.
    EXPECT_EQ(bottom(deep), floor_top + 15);
    EXPECT_EQ(bottom(shallow), floor_top);

    f().level_group_43 = false;
    ground();
    EXPECT_EQ(bottom(deep), floor_top + 15);
}

TEST_F(BoxScene, against_the_solids_a_box_is_pushed_only_out_of_another_box_and_platforms_by_flag_0)
{
    // In the air: a moving box three pixels into a resting box below it.
    FrameObject* below = box(100, 100, 0, "MonitorCrystals_120");
    const int below_top = below->get_box_index(1);
    FrameObject* onto = box(100, below_top + 3, 1);
    // A moving box in spikes only.
    FrameObject* spikes = place_box("HazardSpikesUp_133", 300, 100);
    FrameObject* spiked = box(300, spikes->get_box_index(1) + 3, 1);
    // A moving box with flag 0 on in a resting box.
    FrameObject* under_flagged = box(500, 100, 0, "MonitorCrystals_120");
    FrameObject* flagged = box(500, under_flagged->get_box_index(1) + 3, 1);
    flagged->alterables->flags |= 1;
    // A moving box in a platform whose flag 0 is on.
    FrameObject* platform = place_box("LevelValleyPlatform1_149", 700, 100);
    platform->alterables->flags |= 1;
    FrameObject* on_platform = box(700, platform->get_box_index(1) + 3, 1);

    ground();
    EXPECT_EQ(bottom(onto), below_top);
    EXPECT_EQ(bottom(below), 100);
    EXPECT_EQ(bottom(spiked), spikes->get_box_index(1) + 3);
    EXPECT_EQ(bottom(flagged), under_flagged->get_box_index(1) + 3);
    EXPECT_EQ(bottom(on_platform), platform->get_box_index(1) + 3);
    // With its flag 0 off the platform lifts the box out.
    platform->alterables->flags &= ~1;
    ground();
    EXPECT_EQ(bottom(on_platform), platform->get_box_index(1));

    // Down out of a box above it.
    FrameObject* above = box(1100, 100, 0, "MonitorCrystals_120");
    FrameObject* hanging = box(1100, 100, 1);
    hanging->set_y(hanging->get_y() + above->get_box_index(3) - 2 - hanging->get_box_index(1));
    ceiling();
    EXPECT_EQ(hanging->get_box_index(1), above->get_box_index(3));
}

TEST_F(BoxScene, a_box_the_player_stands_in_rises_whether_moving_or_at_rest)
{
    FrameObject* player = kit.place("Player_87", 1100, 100, playfield);
    const int player_top = player->get_box_index(1);
    FrameObject* resting = box(player->get_box_index(0), player_top + 4, 0);
    ground();
    EXPECT_EQ(bottom(resting), player_top);
}
