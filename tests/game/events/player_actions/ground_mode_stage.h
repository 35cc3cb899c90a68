// The player on the ground in movement mode 0: the mode switch (both
// halves) and the mode-0 group's events in the act's order, either alone
// on the player's value objects and skins (GroundModeTest, controls written
// straight into PlayerInput) or after the player engine on a terrain scene.
#pragma once

#include "game/events/act_tick.h"
#include "game/objects/classes.h"
#include "tests/game/events/player_physics/player_terrain.h"
#include "tests/game/events/player_stage.h"
#include "tests/support/event_kit.h"

#include <gtest/gtest.h>

#include <functional>
#include <initializer_list>

namespace ground_mode_test {

namespace act1 {
#include "game/events/act1_frame/act1_tick_runs.inc"
}

// The act's runs from the mode switch to Pimsa's countdown, each under its
// groups; 814 belongs to the button actions and is left out.
inline void run_mode_events(Frames& frames)
{
    for (const TickRun& run : act1::act1_level_runs) {
        bool on = true;
        for (bool Frames::*group : run.groups)
            on = on && frames.*group;
        for (const TickEvent& event : run.events)
            if (on && event.number >= 742 && event.number <= 817 && event.number != 814)
                (frames.*event.function)();
    }
}

// The character's voice group, as the voice-group selection leaves it.
inline bool Frames::*voice_group(int character)
{
    constexpr bool Frames::*groups[] = {&Frames::global_group_12, &Frames::global_group_9, &Frames::global_group_6,
                                        &Frames::global_group_6,  &Frames::global_group_5, &Frames::global_group_13};
    return groups[character];
}

// The value objects, the two big side sensors, the player and every
// skin, with the gameplay, engine and control groups on.
class GroundModeTest : public testing::Test {
protected:
    void enter(std::function<void(EventKit&)> place = {})
    {
        kit.enter_empty_frame({.layers = 2,
                               .width = 2000,
                               .height = 1000,
                               .handler = run_mode_events,
                               .set_up = [this, place](Frames& frames) {
                                   frames.reset_frame_event_state(5);
                                   frames.set_up_named_loops(4);
                                   frames.level_group_43 = true;
                                   frames.level_group_23 = true;
                                   frames.level_group_24 = true;
                                   place_player();
                                   if (place)
                                       place(kit);
                               }});
    }

    void place_player()
    {
        for (const char* name : {"PlayerMovementValues_80", "PlayerOthers_75", "PlayerInput_21",
                                 "PlayerActionValuesA_86", "PlayerActionValuesB_164", "PlayerSensorLeftBig_89",
                                 "PlayerSensorRightBig_91"})
            kit.place(name, -100, -100, 1);
        for (const char* name : {"Player_87", "PlayerSkinYelto_102", "PlayerSkinYeltoHair_209", "PlayerSkinOrrun_290",
                                 "PlayerSkinPimsa_324", "PlayerSkinPimsaBike_338", "PlayerSkinDorrik_339"})
            kit.place(name, 300, 300, 1);
        FrameObject* actions = kit.instance(types::PlayerActionValuesA_86);
        EventKit::set_value(actions, 'A', -7);
        EventKit::set_value(actions, 'H', 4);
        set_player('L', 1);
    }

    FrameObject* player() { return kit.instance(types::PlayerMovementValues_80); }
    FrameObject* others() { return kit.instance(types::PlayerOthers_75); }
    double get(char letter) { return EventKit::value(player(), letter); }
    void set_player(char letter, double number) { EventKit::set_value(player(), letter, number); }
    double state() { return EventKit::value(others(), 'Y'); }
    void set_state(double number) { EventKit::set_value(others(), 'Y', number); }

    // The controls of the next tick, by PlayerInput's letters: these on,
    // the rest off.
    void controls(std::initializer_list<char> on) { player_stage::set_controls(kit, on); }

    EventKit kit;
};

}  // namespace ground_mode_test
