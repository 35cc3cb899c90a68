// A bike left to be wrecked blows up in each of the three groups that wreck
// one: an explosion on every flagged bike, one blast, the countdown set.
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
        EXPECT_EQ(EventKit::values(bikes[0], "B"), doubles(-5));
        EXPECT_EQ(EventKit::value(bikes[2], 'B'), 0);
    }
}
