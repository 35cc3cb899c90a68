// A small stage for the movement-mode groups: the player's value objects,
// its big sensors and Yelto's skin, with the gameplay, engine and control
// groups on. Its tick stands in for what runs before the mode groups in
// the act (the sensors follow the exact position; one mode group is
// switched on by the mode) and then runs the groups' events in the act's
// order. Controls are written straight into PlayerInput.
#pragma once

#include "game/objects/classes.h"
#include "tests/support/event_kit.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <initializer_list>

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
    for (auto event : {&Frames::event_func_957, &Frames::event_func_958, &Frames::event_func_959,
                       &Frames::event_func_960, &Frames::event_func_961, &Frames::event_func_962,
                       &Frames::event_func_963, &Frames::event_func_964, &Frames::event_func_965,
                       &Frames::event_func_966, &Frames::event_func_967, &Frames::event_func_968,
                       &Frames::event_func_969, &Frames::event_func_970, &Frames::event_func_971,
                       &Frames::event_func_972, &Frames::event_func_973, &Frames::event_func_974,
                       &Frames::event_func_975, &Frames::event_func_976, &Frames::event_func_977,
                       &Frames::event_func_978, &Frames::event_func_979, &Frames::event_func_980,
                       &Frames::event_func_981, &Frames::event_func_982, &Frames::event_func_983,
                       &Frames::event_func_984, &Frames::event_func_985, &Frames::event_func_986,
                       &Frames::event_func_987, &Frames::event_func_988, &Frames::event_func_989,
                       &Frames::event_func_990, &Frames::event_func_991, &Frames::event_func_992,
                       &Frames::event_func_994, &Frames::event_func_995, &Frames::event_func_996,
                       &Frames::event_func_997, &Frames::event_func_998, &Frames::event_func_999,
                       &Frames::event_func_1000, &Frames::event_func_1001, &Frames::event_func_1002,
                       &Frames::event_func_1003, &Frames::event_func_1004, &Frames::event_func_1005,
                       &Frames::event_func_1006, &Frames::event_func_1007, &Frames::event_func_1008,
                       &Frames::event_func_1009, &Frames::event_func_1010, &Frames::event_func_1011,
                       &Frames::event_func_1012, &Frames::event_func_1013})
        (f.*event)();
}

// The kept objects placed here start and end as a fresh run has them.
class PlayerStateTest : public testing::Test {
protected:
    void SetUp() override { forget(); }
    void TearDown() override { forget(); }

    static void forget()
    {
        class_records::alterables_75 = SavedAlterables{};
        class_records::alterables_76 = SavedAlterables{};
    }

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

    // The controls of the next tick, by PlayerInput's letters (A-D up,
    // down, left, right held; K button 1 pressed): these on, the rest off.
    void controls(std::initializer_list<char> on)
    {
        FrameObject* pad = kit.instance(types::PlayerInput_21);
        for (char letter = 'A'; letter <= 'O'; ++letter)
            EventKit::set_value(pad, letter, 0);
        for (const char letter : on)
            EventKit::set_value(pad, letter, 1);
    }

    EventKit kit;
};

}  // namespace player_state_test
