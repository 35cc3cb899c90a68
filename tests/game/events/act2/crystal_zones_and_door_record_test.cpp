// Act 2's crystal zones and switch door on a stage of their own: zones are
// cleared once by global value 1, the door runs its counter once the player
// walks under it and the records remember it opened.
#include "game/objects/type_ids.h"
#include "objects/arrayext.h"
#include "tests/support/event_kit.h"

#include <gtest/gtest.h>

namespace {

void run_zones_and_door(Frames& f)
{
    for (auto event : {&Frames::event_func_2445, &Frames::event_func_2446, &Frames::event_func_2447,
                       &Frames::event_func_2448, &Frames::event_func_2449})
        (f.*event)();
}

bool gone(const FrameObject* object) { return object->flags & FrameObject::DESTROYING; }

}  // namespace

TEST(Act2CrystalZones, zones_clear_once_by_global_value_1)
{
    EventKit kit;
    std::vector<FrameObject*> crystals;
    kit.enter_empty_frame({.width = 4000,
                           .height = 2000,
                           .handler = run_zones_and_door,
                           .set_up = [&](Frames& f) {
                               f.reset_frame_event_state(6);
                               f.level_group_43 = true;
                               crystals = {kit.place("ObjectCrystal_239", 2500, 830),   // zone 1
                                           kit.place("ObjectCrystal_239", 2883, 830),   // its right edge
                                           kit.place("ObjectCrystal_239", 2900, 800),   // zone 2
                                           kit.place("ObjectCrystal_239", 2800, 1004)}; // zone 3's top edge
                           }});
    // Global value 1 not stored: zone 1 stays, zones 2 and 3 clear.
    EXPECT_FALSE(gone(crystals[0]));
    EXPECT_FALSE(gone(crystals[1]));
    EXPECT_TRUE(gone(crystals[2]));
    EXPECT_TRUE(gone(crystals[3]));
    // Zone 1 clears once global value 1 is set, its right edge excluded;
    // a crystal placed later in a cleared zone stays.
    FrameObject* late = kit.place("ObjectCrystal_239", 2900, 800);
    kit.set_global(1, 1);
    kit.run(1);
    EXPECT_TRUE(gone(crystals[0]));
    EXPECT_FALSE(gone(crystals[1]));
    EXPECT_FALSE(gone(late));
}

TEST(Act2SwitchDoor, the_door_opens_under_the_player_and_is_recorded_once)
{
    EventKit kit;
    FrameObject* door = nullptr;
    FrameObject* movement = nullptr;
    kit.enter_empty_frame({.width = 4000,
                           .height = 2000,
                           .handler = run_zones_and_door,
                           .set_up = [&](Frames& f) {
                               f.reset_frame_event_state(6);
                               f.level_group_43 = true;
                               kit.place("RecordData_33", 0, 0);
                               door = kit.place("SwitchDoor_378", 1000, 500);
                               kit.place("SwitchPressurePlate_376", 900, 600);
                               movement = kit.place("PlayerMovementValues_80", -50, -50);
                               EventKit::set_value(movement, 'X', 1032);
                               EventKit::set_value(movement, 'Y', 600);
                           }});
    auto* records = static_cast<ArrayObject*>(kit.instance(types::RecordData_33));
    // Exactly 32 right of the door does not start it.
    kit.run(2);
    EXPECT_EQ(EventKit::value(door, 'E'), 0);
    EventKit::set_value(movement, 'X', 1033);
    kit.run(1);
    EXPECT_EQ(EventKit::value(door, 'E'), 1);
    EXPECT_EQ(records->get_value(2, 18, -1), 1);
    // The counter runs to 10 by itself once the player has gone.
    EventKit::set_value(movement, 'X', 0);
    records->set_value(5, 2, 18, -1);
    kit.run(12);
    EXPECT_EQ(EventKit::value(door, 'E'), 10);
    EXPECT_EQ(records->get_value(2, 18, -1), 5);
}
