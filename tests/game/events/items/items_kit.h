// A frame of the act's size whose tick runs chosen item, shield and hazard
// events in order, with the act's object groups these events read and the
// player's value objects placed.
#pragma once

#include "game/frames/event_index.h"
#include "game/objects/class_lookup.h"
#include "game/objects/classes.h"
#include "game/objects/type_ids.h"
#include "objects/active.h"
#include "tests/game/events/act1_frame/act1_start_kit.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace items_test {

// An event, or a stand-in for what another event does, run in its place.
using Event = std::function<void(Frames&)>;
constexpr int playfield = 2;

// The groups as act 1 fills them; the pushable group also holds act 2's
// block, the only member with a shape.
inline void set_item_groups(Frames& f)
{
    using act1_test::set_group;
    set_group(f, f.qualifier_17,
              {types::EnemyPokkol_138, types::EnemyZemmetJr_271, types::EnemyDragonfly_272,
               types::MinibossSkalvidWeakspot_307});
    // The pushable group; in act 2 qualifier_11 holds the boss's fireballs.
    set_group(f, f.qualifier_8, {types::MasterGroupsB_84, types::PushableBlock1_364});
    set_group(f, f.qualifier_6,
              {types::MasterGroupsA_83, types::LevelValleyPlatform1_149, types::RedSpringUpRight_199,
               types::LevelMovingPlatform2_265, types::LevelMovingPlatform3_281});
    set_group(f, f.qualifier_7,
              {types::MasterGroupsA_83, types::LevelValleyPlatform1_149, types::LevelMovingPlatform2_265,
               types::LevelMovingPlatform3_281});
    set_group(f, f.qualifier_14, {types::GimmickHangingIdleSensor_153});
    set_group(f, f.qualifier_13, {types::MonitorCrystals_120, types::MonitorBomb_128});
}

class ItemsScene : public act1_test::StartTest {
protected:
    // Enters the frame; each tick runs `extra` (a stand-in for what other
    // events do) and then `events` in order.
    void enter(std::vector<Event> events, std::function<void(Frames&)> extra = {})
    {
        EmptyFrame frame = act1_test::act_frame([](Frames& f) { set_item_groups(f); }, {});
        frame.handler = [this](Frames& f) {
            if (handler_extra)
                handler_extra(f);
            for (const Event& event : handler_events)
                event(f);
        };
        kit.enter_empty_frame(frame);
        handler_events = std::move(events);
        handler_extra = std::move(extra);
        values = kit.place("PlayerMovementValues_80", -100, -100, 5);
        others = kit.place("PlayerOthers_75", -100, -100, 5);
        meter = kit.place("GUILifeBaseMeter_77", -100, -100, 5);
        kit.take_sounds();
        kit.take_console();
    }

    Frames& f() { return kit.frames(); }
    FrameObject* place(const char* name, int x, int y) { return kit.place(name, x, y, playfield); }
    static Active* active(FrameObject* object) { return static_cast<Active*>(object); }
    static double value(const FrameObject* object, char letter) { return EventKit::value(object, letter); }
    static void set(FrameObject* object, char letter, double number) { EventKit::set_value(object, letter, number); }
    static bool flag(const FrameObject* object, int bit) { return EventKit::flag(object, bit); }
    static void set_flag_of(FrameObject* object, int bit) { object->alterables->flags |= int32_t(1u << bit); }
    // The instances not being destroyed (a destroyed one stays in its list
    // until the next tick), oldest first.
    std::vector<FrameObject*> live(int type)
    {
        std::vector<FrameObject*> kept;
        for (FrameObject* object : kit.instances(type))
            if (!(object->flags & FrameObject::DESTROYING))
                kept.push_back(object);
        return kept;
    }

    EventKit kit;
    std::vector<Event> handler_events;
    std::function<void(Frames&)> handler_extra;
    FrameObject *values = nullptr, *others = nullptr, *meter = nullptr;
};

}  // namespace items_test
