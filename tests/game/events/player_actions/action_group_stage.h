// The player's action groups alone: the value objects, the body, its big
// sensors and every skin, with the gameplay, engine and control groups on
// and Yelto's voice group on. Each tick runs the events the act calls
// right after its collision pass, the movement-mode switch, then the
// airborne, pose, skid, roll, wall-push and timed groups in number order.
// Controls are written straight into PlayerInput; nothing moves the body.
#pragma once

#include "game/objects/classes.h"
#include "objects/active.h"
#include "tests/support/event_kit.h"

#include <gtest/gtest.h>

#include <initializer_list>

namespace action_group_test {

using FramesEvent = void (Frames::*)();

// The groups of the modes above 20 that these events serve (the rest of
// the switch is the player engine's).
struct ModeGroup {
    double mode;
    bool Frames::*group;
};
constexpr ModeGroup upper_mode_groups[] = {
    {25, &Frames::level_group_49}, {38, &Frames::level_group_18}, {39, &Frames::level_group_74},
    {40, &Frames::level_group_30}};

// The mode switch of the player engine, for modes up to 20.
constexpr FramesEvent mode_switch[] = {
    &Frames::event_func_742, &Frames::event_func_743, &Frames::event_func_744, &Frames::event_func_745,
    &Frames::event_func_746, &Frames::event_func_747, &Frames::event_func_748, &Frames::event_func_749,
    &Frames::event_func_750, &Frames::event_func_751, &Frames::event_func_752, &Frames::event_func_753,
    &Frames::event_func_754, &Frames::event_func_755, &Frames::event_func_756,
};

// The groups' events in number order, less those the act calls early.
constexpr FramesEvent group_events[] = {
    &Frames::event_func_855, &Frames::event_func_856, &Frames::event_func_857, &Frames::event_func_858,
    &Frames::event_func_859, &Frames::event_func_860, &Frames::event_func_861, &Frames::event_func_862,
    &Frames::event_func_863, &Frames::event_func_864, &Frames::event_func_865, &Frames::event_func_866,
    &Frames::event_func_867, &Frames::event_func_868, &Frames::event_func_869, &Frames::event_func_870,
    &Frames::event_func_871, &Frames::event_func_872, &Frames::event_func_873, &Frames::event_func_874,
    &Frames::event_func_875, &Frames::event_func_876, &Frames::event_func_877, &Frames::event_func_878,
    &Frames::event_func_879, &Frames::event_func_880, &Frames::event_func_881, &Frames::event_func_882,
    &Frames::event_func_883, &Frames::event_func_884, &Frames::event_func_885, &Frames::event_func_886,
    &Frames::event_func_887, &Frames::event_func_888, &Frames::event_func_889, &Frames::event_func_890,
    &Frames::event_func_891, &Frames::event_func_892, &Frames::event_func_894, &Frames::event_func_895,
    &Frames::event_func_896, &Frames::event_func_897, &Frames::event_func_898, &Frames::event_func_899,
    &Frames::event_func_900, &Frames::event_func_901, &Frames::event_func_902, &Frames::event_func_903,
    &Frames::event_func_904, &Frames::event_func_905, &Frames::event_func_906, &Frames::event_func_907,
    &Frames::event_func_908, &Frames::event_func_909, &Frames::event_func_910, &Frames::event_func_911,
    &Frames::event_func_912, &Frames::event_func_913, &Frames::event_func_914, &Frames::event_func_915,
    &Frames::event_func_916, &Frames::event_func_917, &Frames::event_func_918, &Frames::event_func_919,
    &Frames::event_func_920, &Frames::event_func_921, &Frames::event_func_922, &Frames::event_func_923,
    &Frames::event_func_924, &Frames::event_func_925, &Frames::event_func_926, &Frames::event_func_927,
    &Frames::event_func_929, &Frames::event_func_930, &Frames::event_func_931, &Frames::event_func_932,
    &Frames::event_func_933, &Frames::event_func_934, &Frames::event_func_935, &Frames::event_func_936,
    &Frames::event_func_937, &Frames::event_func_938, &Frames::event_func_939, &Frames::event_func_940,
    &Frames::event_func_941, &Frames::event_func_942, &Frames::event_func_943, &Frames::event_func_944,
    &Frames::event_func_946, &Frames::event_func_947, &Frames::event_func_948, &Frames::event_func_949,
    &Frames::event_func_950, &Frames::event_func_951, &Frames::event_func_952, &Frames::event_func_953,
    &Frames::event_func_954, &Frames::event_func_955, &Frames::event_func_956,
};

inline void run_action_groups(Frames& f)
{
    for (const FramesEvent early : {&Frames::event_func_893, &Frames::event_func_928, &Frames::event_func_945})
        (f.*early)();
    for (const FramesEvent event : mode_switch)
        (f.*event)();
    const double mode = f.instances[types::PlayerMovementValues_80].back->alterables->values.get('M' - 'A');
    for (const ModeGroup& row : upper_mode_groups)
        f.*row.group = row.mode == mode;
    for (const FramesEvent event : group_events)
        (f.*event)();
}

class ActionGroupTest : public testing::Test {
protected:
    void SetUp() override
    {
        forget();
        enter();
        tune('A', -6.5);  // the jump speed
    }
    void TearDown() override { forget(); }

    // The kept objects start and end as a fresh run has them.
    static void forget()
    {
        class_records::alterables_75 = SavedAlterables{};
        class_records::alterables_76 = SavedAlterables{};
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
    void controls(std::initializer_list<char> on)
    {
        FrameObject* pad = object(types::PlayerInput_21);
        for (char letter = 'A'; letter <= 'O'; ++letter)
            EventKit::set_value(pad, letter, 0);
        for (const char letter : on)
            EventKit::set_value(pad, letter, 1);
    }

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
