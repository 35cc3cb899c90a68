// A frame for the events that follow the player's skins: the gameplay
// group on, the shield group as the act sets it, PlayerOthers placed; each
// tick runs the given events in order.
#pragma once

#include "game/objects/classes.h"
#include "objects/active.h"
#include "runtime/layer.h"
#include "runtime/movement.h"
#include "tests/game/events/act1_frame/act1_start_kit.h"
#include "tests/support/event_kit.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace skin_events_test {

// Destroyed, or playing its disappearing animation on the way out.
inline bool going(const FrameObject* o) { return o->flags & (FrameObject::DESTROYING | FrameObject::FADEOUT); }
inline bool shown(const FrameObject* o) { return o->flags & FrameObject::VISIBLE; }
inline Active* active(FrameObject* o) { return static_cast<Active*>(o); }

class SkinEventsTest : public testing::Test {
protected:
    void enter(std::vector<void (Frames::*)()> events, std::function<void()> place)
    {
        kit.enter_empty_frame({.layers = 3,
                               .width = 2000,
                               .height = 1000,
                               .handler = [events](Frames& f) {
                                   for (auto event : events)
                                       (f.*event)();
                               },
                               .set_up = [this, place](Frames& f) {
                                   f.level_group_43 = true;
                                   act1_test::set_group(f, f.qualifier_19,
                                                        {types::ShieldWood_103, types::ShieldFlameFront_104,
                                                         types::ShieldMagnetic_105, types::ShieldWater_106,
                                                         types::ShieldFlameBack_152, types::ShieldEarth_315});
                                   others = kit.place("PlayerOthers_75", -100, -100, 1);
                                   place();
                               }});
    }

    EventKit kit;
    FrameObject* others = nullptr;
};

}  // namespace skin_events_test
