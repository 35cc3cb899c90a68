// A stage for act 2's events until the act's own frame lands: an empty frame
// the runtime sees as act 2 (eight layers, gameplay on), the player's value
// objects and the water level object out of sight, and a tick that runs the
// events a test names in the order it names them. Everything a test places
// stands in view: instances far outside it are inactive and overlap nothing.
#pragma once

#include "game/frames/event_support.h"
#include "game/objects/classes.h"
#include "objects/active.h"
#include "tests/support/event_kit.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <vector>

namespace act2_stage {

using Event = void (Frames::*)();

class Act2Stage : public testing::Test {
protected:
    // Enters the stage; each tick runs `events` in order (after `before`).
    void enter(std::vector<Event> events, int width = 2000)
    {
        order = std::move(events);
        kit.enter_empty_frame({.layers = 8, .width = width, .height = 1000, .index = 5,
                               .handler = [this](Frames& f) {
                                   if (before)
                                       before(f);
                                   for (const Event event : order)
                                       (f.*event)();
                               },
                               .set_up = [this](Frames& f) {
                                   f.level_group_43 = true;
                                   set_up_groups(f);
                                   f.set_up_named_loops(5);
                                   f.reset_frame_event_state(6);
                                   for (const char* name : {"PlayerMovementValues_80", "PlayerOthers_75",
                                                            "PlayerInput_21", "PlayerActionValuesB_164",
                                                            "MasterLevel_53", "MasterCamera_190"})
                                       kit.place(name, -100, -100);
                               }});
        kit.take_sounds();
    }

    // The object groups the events test against: solids, platforms and
    // pushables, each of one or two of act 2's members.
    static void set_up_groups(Frames& f)
    {
        static ObjectList* solids[] = {&f.instances[types::MonitorCrystals_120], nullptr};
        static ObjectList* platforms[] = {&f.instances[types::LevelValleyPlatform1_149], nullptr};
        static ObjectList* pushables[] = {&f.instances[types::MasterGroupsB_84],
                                          &f.instances[types::PushableBlock1_364], nullptr};
        f.qualifier_1.set(1, solids);
        f.qualifier_2.set(1, platforms);
        f.qualifier_8.set(2, pushables);
    }

    FrameObject* object(int type) { return kit.instance(type); }
    FrameObject* movement() { return object(types::PlayerMovementValues_80); }
    FrameObject* others() { return object(types::PlayerOthers_75); }
    double move(char letter) { return EventKit::value(movement(), letter); }
    void set_move(char letter, double n) { EventKit::set_value(movement(), letter, n); }
    double other(char letter) { return EventKit::value(others(), letter); }
    void set_other(char letter, double n) { EventKit::set_value(others(), letter, n); }
    void set_level(char letter, double n) { EventKit::set_value(object(types::MasterLevel_53), letter, n); }
    static Active* sprite(FrameObject* object) { return static_cast<Active*>(object); }

    // The frames forced on a type's instances, oldest first (-1: none).
    std::vector<int> forced_frames(int type)
    {
        std::vector<int> frames;
        for (FrameObject* object : kit.instances(type))
            frames.push_back(sprite(object)->forced_frame);
        return frames;
    }

    // The sample ids started since the last call.
    std::vector<unsigned> sounds()
    {
        std::vector<unsigned> ids;
        for (const SoundStart& sound : kit.take_sounds())
            ids.push_back(sound.id);
        return ids;
    }

    // The next draws below each n of an event's seed group, left for it.
    static std::vector<int> next_draws(int event, std::initializer_list<int> ns)
    {
        RandomState copy = event_random_state(event);
        std::vector<int> draws;
        for (const int n : ns)
            draws.push_back(int((unsigned(n) * copy.step()) >> 15));
        return draws;
    }

    EventKit kit;
    std::vector<Event> order;
    std::function<void(Frames&)> before;
};

}  // namespace act2_stage
