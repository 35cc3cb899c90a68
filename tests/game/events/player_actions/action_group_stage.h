// The player's action groups alone: the value objects, the body, its big
// sensors and every skin, with the gameplay, engine and control groups on
// and Yelto's voice group on. Each tick runs the events the act calls
// right after its collision pass, the movement-mode switch, then the
// airborne, pose, skid, roll, wall-push and timed groups in number order.
// Controls are written straight into PlayerInput; nothing moves the body.
#pragma once

#include "game/objects/classes.h"
#include "objects/active.h"
#include "tests/game/events/player_stage.h"
#include "tests/support/event_kit.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <vector>

namespace action_group_test {

// The groups of the modes above 20 that these events serve (the rest of
// the switch is the player engine's).
struct ModeGroup {
    double mode;
    bool Frames::*group;
};
constexpr ModeGroup upper_mode_groups[] = {
    {25, &Frames::level_group_49}, {38, &Frames::level_group_18}, {39, &Frames::level_group_74},
    {40, &Frames::level_group_30}};

inline void run_action_groups(Frames& f)
{
    for (const FramesEvent early : {&Frames::event_func_893, &Frames::event_func_928, &Frames::event_func_945})
        (f.*early)();
    // The mode switch of the player engine, for modes up to 20.
    static const std::vector<FramesEvent> mode_switch = player_stage::act1_events(742, 756);
    // The groups' events in number order, less those the act calls early.
    static const std::vector<FramesEvent> group_events = player_stage::act1_events(855, 956);
    player_stage::run_events(f, mode_switch);
    const double mode = f.instances[types::PlayerMovementValues_80].back->alterables->values.get('M' - 'A');
    for (const ModeGroup& row : upper_mode_groups)
        f.*row.group = row.mode == mode;
    player_stage::run_events(f, group_events);
}

class ActionGroupTest : public testing::Test {
protected:
    void SetUp() override
    {
        enter();
        tune('A', -6.5);  // the jump speed
    }

    void enter()
    {
        kit.enter_empty_frame({.layers = 2, .width = 2000, .height = 1000, .handler = run_action_groups,
                               .set_up = [this](Frames& frames) {
                                   frames.reset_frame_event_state(5);
                                   frames.set_up_named_loops(4);
                                   frames.level_group_43 = frames.level_group_23 = frames.level_group_24 = true;
                                   frames.global_group_12 = true;  // Yelto's voices
                                   place_player();
                               }});
        kit.take_sounds();
    }

    void place_player()
    {
        for (const char* name : {"PlayerMovementValues_80", "PlayerOthers_75", "PlayerInput_21",
                                 "PlayerActionValuesA_86", "PlayerActionValuesB_164", "MasterCamera_190",
                                 "GUIEnergy_76", "GUIIcon_108", "PlayerReflect_343"})
            kit.place(name, -100, -100, 1);
        kit.place("Player_87", 300, 400, 1);
        for (const char* name : {"PlayerSensorTopBig_93", "PlayerSensorBottomBig_95", "PlayerSensorLeftBig_89",
                                 "PlayerSensorRightBig_91", "PlayerSkinYelto_102", "PlayerSkinYeltoHair_209",
                                 "PlayerSkinOrrun_290", "PlayerSkinPimsa_324", "PlayerSkinPimsaBike_338",
                                 "PlayerSkinDorrik_339", "PlayerSkinHespin_351"})
            kit.place(name, 300, 400, 1);
    }

    FrameObject* object(int type) { return kit.instance(type); }
    Active* yelto() { return static_cast<Active*>(object(types::PlayerSkinYelto_102)); }
    FrameObject* player() { return object(types::PlayerMovementValues_80); }
    double get(char letter) { return EventKit::value(player(), letter); }
    void set(char letter, double number) { EventKit::set_value(player(), letter, number); }
    double state() { return EventKit::value(object(types::PlayerOthers_75), 'Y'); }
    void set_state(double number) { EventKit::set_value(object(types::PlayerOthers_75), 'Y', number); }
    void tune(char letter, double number)
    {
        EventKit::set_value(object(types::PlayerActionValuesA_86), letter, number);
    }

    // The controls of the next tick, by PlayerInput's letters (A-D up,
    // down, left, right held; E jump held; K jump, L second button, O third
    // button pressed; G up pressed): these on, the rest off.
    void controls(std::initializer_list<char> on) { player_stage::set_controls(kit, on); }

    // Starts the next tick in movement mode `mode`, on the ground or not.
    void in_mode(double mode, bool ground)
    {
        set('M', mode);
        set('L', ground ? 1 : 0);
        set('K', ground ? 1 : 0);
    }

    int samples(unsigned id) { return sample_count(kit.take_sounds(), id); }

    EventKit kit;
};

}  // namespace action_group_test
