// Act 2's Pokkol and ZemmetJr: a beaten one bursts only where it lands on a
// solid while coming down (the Pokkol into a keystone and debris, the
// ZemmetJr into a shade), and a ZemmetJr sunk into a solid near the view is
// lifted out.
#include "tests/game/events/act2/act2_stage.h"

using act2_stage::Act2Stage;

class ActTwoDefeats : public Act2Stage {
protected:
    void SetUp() override
    {
        Act2Stage::SetUp();
        enter({&Frames::event_func_2311, &Frames::event_func_2312, &Frames::event_func_2313});
    }

    FrameObject* beaten(const char* name, int x, double y_value)
    {
        FrameObject* enemy = kit.place(name, x, 100);
        set_flag(enemy, 6, true);
        EventKit::set_value(enemy, 'Y', y_value);
        return enemy;
    }
};

TEST_F(ActTwoDefeats, beaten_enemies_burst_only_on_landing)
{
    FrameObject* pokkol = beaten("EnemyPokkol_138", 100, 1);
    FrameObject* zemmetjr = beaten("EnemyZemmetJr_369", 300, 1);
    kit.run(2);  // in the air
    EXPECT_EQ(EventKit::value(pokkol, 'A'), 8);
    EXPECT_FALSE(zemmetjr->flags & FrameObject::DESTROYING);
    kit.place("MonitorCrystals_120", 100, 110);
    kit.place("MonitorCrystals_120", 300, 110);
    EventKit::set_value(zemmetjr, 'Y', 0);  // still going up
    kit.run(1);
    EXPECT_EQ(kit.instances(types::ObjectKeystone_278).size(), 1u);
    EXPECT_EQ(kit.instances(types::ObjectKeystone_278)[0]->get_x(), 100);
    // Set to -5 and counted up to -1 by the debris loop: a piece a pass,
    // frames 5 down to 2.
    EXPECT_EQ(EventKit::value(pokkol, 'A'), -1);
    EXPECT_EQ(forced_frames(types::EffectsDebris_266), (std::vector<int>{5, 4, 3, 2}));
    EXPECT_EQ(sounds(), std::vector<unsigned>{26});
    EXPECT_FALSE(zemmetjr->flags & FrameObject::DESTROYING);
    EventKit::set_value(zemmetjr, 'Y', 2);
    kit.run(1);
    EXPECT_TRUE(zemmetjr->flags & FrameObject::DESTROYING);
    ASSERT_EQ(kit.instances(types::EffectShade_309).size(), 1u);
    EXPECT_EQ(kit.instances(types::EffectShade_309)[0]->get_x(), 300);  // where it was
    EXPECT_EQ(sounds(), (std::vector<unsigned>{26, 46}));
}
