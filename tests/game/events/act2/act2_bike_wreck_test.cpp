// A bike left to be wrecked blows up in each of the three groups that wreck
// one: an explosion on every flagged bike, one blast, and the debris loop
// counting the countdown up from -5 to -1, a piece a bike a pass.
#include "tests/game/events/act2/act2_stage.h"

using act2_stage::Act2Stage;

TEST_F(Act2Stage, flagged_bikes_blow_up_in_the_groups_that_wreck_them)
{
    enter({&Frames::event_func_2258, &Frames::event_func_2259, &Frames::event_func_2260});
    Frames& f = kit.frames();
    f.level_group_23 = true;
    std::vector<FrameObject*> bikes = {kit.place("ObjectBike_340", 100, 100, 1), kit.place("ObjectBike_340", 200, 100, 2),
                                       kit.place("ObjectBike_340", 300, 100)};
    set_flag(bikes[0], 6, true);
    set_flag(bikes[1], 6, true);
    kit.run(1);  // none of the three groups on
    EXPECT_TRUE(kit.instances(types::EffectsExplosion01_130).empty());
    for (bool* group : {&f.level_group_69, &f.level_group_62, &f.level_group_73}) {
        const size_t before = kit.instances(types::EffectsExplosion01_130).size();
        *group = true;
        kit.run(1);
        *group = false;
        std::vector<FrameObject*> blasts = kit.instances(types::EffectsExplosion01_130);
        ASSERT_EQ(blasts.size(), before + 2);
        EXPECT_EQ(blasts[before]->layer->index + blasts[before + 1]->layer->index, 3);  // each on its bike's layer
        EXPECT_EQ(sounds(), std::vector<unsigned>{26});
        for (FrameObject* bike : {bikes[0], bikes[1]})
            EXPECT_EQ(EventKit::value(bike, 'B'), -1);
        EXPECT_EQ(EventKit::value(bikes[2], 'B'), 0);
        // Four passes break off a piece on each bike, the first showing
        // frame 45 - B; the fifth finds B at -1.
        const std::vector<int> frames = forced_frames(types::EffectsDebris_266);
        ASSERT_EQ(frames.size(), 4 * before + 8);
        EXPECT_EQ(std::vector<int>(frames.end() - 8, frames.end()), (std::vector<int>{50, -1, 49, -1, 48, -1, 47, -1}));
    }
}
