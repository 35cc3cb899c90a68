// The whole act on the stand-in terrain: the player runs right, holding the
// d-pad from the act's first tick, for a minute of play (once the opening
// card hands over control) and never leaves the ground for good or falls
// through the floor.
#include "console/pads.h"
#include "game/objects/type_ids.h"
#include "tests/support/event_kit.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

constexpr int act_height = 1864;

// What stands on the course, in the player's way once the view follows it
// and they wake: the item boxes, the enemies, and the solid group's spikes,
// springs, platforms and rocks. The player's own value objects, which the
// solid groups name too, stay.
void clear_the_course(Frames& f)
{
    const auto players_own = [](const FrameObject* object) {
        return object->id == types::MasterGroupsA_83 || object->id == types::PlayerActionValuesA_86 ||
               object->id == types::PlayerActionValuesB_164;
    };
    for (QualifierList* group : {&f.qualifier_1, &f.qualifier_2, &f.qualifier_3, &f.qualifier_13, &f.qualifier_17}) {
        group->clear_selection();
        for (QualifierIterator it(*group); !it.done(); ++it)
            if (!players_own(*it))
                (*it)->destroy();
    }
}

}  // namespace

TEST(Act1Run, holding_right_keeps_the_player_on_the_terrain_for_3000_ticks)
{
    EventKit kit;
    kit.enter_frame(4);
    // The terrain alone meets the player.
    clear_the_course(kit.frames());
    FrameObject* input = kit.instance(types::PlayerInput_21);
    FrameObject* values = kit.instance(types::PlayerMovementValues_80);
    ASSERT_NE(input, nullptr);
    ASSERT_NE(values, nullptr);
    const double start_x = EventKit::value(values, 'X');
    kit.hold(VPAD_BUTTON_RIGHT);
    double furthest = start_x;
    int airborne_run = 0, longest_airborne = 0;
    for (int tick = 0; tick < 3000; ++tick) {
        kit.run(1);
        const double y = EventKit::value(values, 'Y');
        ASSERT_LT(y, act_height) << "fell out of the level at tick " << tick;
        ASSERT_NE(EventKit::value(values, 'M'), 9) << "died at tick " << tick;
        furthest = std::max(furthest, EventKit::value(values, 'X'));
        airborne_run = EventKit::value(values, 'L') == 0 ? airborne_run + 1 : 0;
        longest_airborne = std::max(longest_airborne, airborne_run);
    }
    // The opening card gave the player control; it ran, and no fall lasted
    // long enough to mean a floor was missed.
    EXPECT_EQ(EventKit::value(input, 'M'), 0);
    EXPECT_GT(furthest, start_x + 500);
    EXPECT_LT(longest_airborne, 180);
}
