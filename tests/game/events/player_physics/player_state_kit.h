// A small stage for the movement-mode groups: the player's value objects,
// its big sensors and Yelto's skin, with the gameplay, engine and control
// groups on. Its tick stands in for what runs before the mode groups in
// the act (the sensors follow the exact position; one mode group is
// switched on by the mode) and then runs the groups' events in the act's
// order. Controls are written straight into PlayerInput.
#pragma once

#include "game/objects/classes.h"
#include "tests/game/events/player_stage.h"
#include "tests/support/event_kit.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <initializer_list>
#include <vector>

namespace player_state_test {

// The mode groups of the modes these events serve, by mode.
struct ModeGroup {
    int mode;
    bool Frames::*group;
};

constexpr ModeGroup mode_groups[] = {
    {40, &Frames::level_group_30}, {41, &Frames::level_group_27}, {43, &Frames::level_group_53},
    {45, &Frames::level_group_29}, {46, &Frames::level_group_47}, {50, &Frames::level_group_17},
};

// The state switch for these modes: all off, then the mode's own on.
inline void switch_mode_group(Frames& frames)
{
    const double mode = frames.instances[types::PlayerMovementValues_80].back->alterables->values.get('M' - 'A');
    for (const ModeGroup& row : mode_groups)
        frames.*row.group = row.mode == mode;
}

// The big sensors where the start events put them round the exact position.
inline void follow_with_sensors(Frames& frames)
{
    const AlterableValues& values = frames.instances[types::PlayerMovementValues_80].back->alterables->values;
    const int x = int(std::floor(values.get('X' - 'A')));
    const int y = int(std::floor(values.get('Y' - 'A')));
    frames.instances[types::PlayerSensorTopBig_93].back->set_global_position(x, y - 13);
    frames.instances[types::PlayerSensorBottomBig_95].back->set_global_position(x, y + 13);
}

// The groups' events as the act calls them: 993 ahead of the rest, the
// others in number order after the state switch.
inline void run_mode_groups(Frames& f)
{
    f.event_func_993();
    follow_with_sensors(f);
    switch_mode_group(f);
    static const std::vector<FramesEvent> events = player_stage::act1_events(957, 1013);
    player_stage::run_events(f, events);
}

class PlayerStateTest : public testing::Test {
protected:
    // A frame with the player's objects; `place` adds the test's own
    // instances at the end of the set-up.
    void enter(std::function<void(EventKit&)> place = {})
    {
        kit.enter_empty_frame({.layers = 2,
                               .width = 2000,
                               .height = 1000,
                               .handler = run_mode_groups,
                               .set_up = [this, place](Frames& frames) {
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
                                 "PlayerActionValuesA_86", "PlayerActionValuesB_164", "MasterCamera_190",
                                 "GUIEnergy_76"})
            kit.place(name, -100, -100, 1);
        kit.place("PlayerSensorTopBig_93", 0, 0, 1);
        kit.place("PlayerSensorBottomBig_95", 0, 0, 1);
        kit.place("PlayerSkinYelto_102", 0, 0, 1);
    }

    FrameObject* player() { return kit.instance(types::PlayerMovementValues_80); }
    double mode() { return EventKit::value(player(), 'M'); }
    double state() { return EventKit::value(kit.instance(types::PlayerOthers_75), 'Y'); }
    void set_player(char letter, double number) { EventKit::set_value(player(), letter, number); }

    // The controls of the next tick (player_stage::set_controls).
    void controls(std::initializer_list<char> on) { player_stage::set_controls(kit, on); }

    EventKit kit;
};

}  // namespace player_state_test
