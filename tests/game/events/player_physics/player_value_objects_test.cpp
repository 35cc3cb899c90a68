// The player's value objects across a restart of the act: the kept ones
// (PlayerOthers, the petal counter, the energy meter) carry what the last
// run left, the movement record starts afresh.
#include "game/objects/classes.h"
#include "objects/counter.h"
#include "tests/support/event_kit.h"

#include <gtest/gtest.h>

namespace {

void forget_kept_objects()
{
    class_records::alterables_75 = SavedAlterables{};
    class_records::alterables_76 = SavedAlterables{};
    class_records::counter_74 = SavedCounterValue{};
}

class PlayerValueObjects : public testing::Test {
protected:
    void SetUp() override { forget_kept_objects(); }
    void TearDown() override { forget_kept_objects(); }
};

}  // namespace

TEST_F(PlayerValueObjects, a_restart_of_the_act_keeps_the_kept_objects_and_makes_the_movement_record_anew)
{
    EventKit kit;
    kit.enter_frame(4);
    ASSERT_EQ(kit.instances(types::PlayerMovementValues_80).size(), 1u);
    FrameObject* others = kit.instance(types::PlayerOthers_75);
    EventKit::set_value(others, 'B', 2);
    EventKit::set_value(others, 'C', 1);
    // A state that standing on the ground does not overwrite on the first tick.
    EventKit::set_value(others, 'Y', 48);
    EventKit::set_value(kit.instance(types::GUIEnergy_76), 'A', 55);
    static_cast<Counter*>(kit.instance(types::GUIRings_74))->set(7);
    FrameObject* movement = kit.instance(types::PlayerMovementValues_80);
    EventKit::set_value(movement, 'M', 46);
    EventKit::set_value(movement, 'G', 3);

    kit.enter_frame(4);
    others = kit.instance(types::PlayerOthers_75);
    EXPECT_EQ(EventKit::value(others, 'B'), 2);
    EXPECT_EQ(EventKit::value(others, 'C'), 1);
    EXPECT_EQ(EventKit::value(others, 'Y'), 48);
    // The meter goes on filling from what it kept: the first tick's step on top.
    EXPECT_GE(EventKit::value(kit.instance(types::GUIEnergy_76), 'A'), 55);
    EXPECT_LT(EventKit::value(kit.instance(types::GUIEnergy_76), 'A'), 56);
    EXPECT_EQ(static_cast<Counter*>(kit.instance(types::GUIRings_74))->value, 7);
    movement = kit.instance(types::PlayerMovementValues_80);
    EXPECT_EQ(EventKit::value(movement, 'M'), 0);
    EXPECT_EQ(EventKit::value(movement, 'G'), 0);
    // The start events set the steps up again.
    EXPECT_EQ(EventKit::value(movement, 'T'), 1);
    EXPECT_EQ(EventKit::value(movement, 'U'), 1);
}
