// A stage for Pimsa's move sets: the hand-made course of the sensor tests
// (flat ground at row 400, a wall from x 512 up to row 272), the player's
// value objects, body, sensors and skins, with gameplay, the player engine,
// Pimsa's group and her voices on. Each tick runs what the act runs around
// her mode groups: the throw's end ahead of everything, the movement-mode
// switch, her six mode groups in the handler's order (the wall's end test
// twice), then the skins' animation rows of her states. Controls are
// written straight into PlayerInput; nothing moves the body.
#pragma once

#include "game/frames/event_index.h"
#include "game/frames/event_support.h"
#include "game/frames/level_layout.h"
#include "game/objects/classes.h"
#include "objects/active.h"
#include "tests/game/events/player_physics/player_course.h"
#include "tests/support/event_kit.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <vector>

namespace pimsa_stage {

using FramesEvent = void (Frames::*)();

// The movement-mode switch: every mode group off, then the mode's own on.
constexpr FramesEvent mode_switch[] = {
    &Frames::event_func_742, &Frames::event_func_743, &Frames::event_func_744, &Frames::event_func_745,
    &Frames::event_func_746, &Frames::event_func_747, &Frames::event_func_748, &Frames::event_func_749,
    &Frames::event_func_750, &Frames::event_func_751, &Frames::event_func_752, &Frames::event_func_753,
    &Frames::event_func_754, &Frames::event_func_755, &Frames::event_func_756, &Frames::event_func_757,
    &Frames::event_func_758, &Frames::event_func_759, &Frames::event_func_760, &Frames::event_func_761,
    &Frames::event_func_762, &Frames::event_func_763, &Frames::event_func_764, &Frames::event_func_765,
    &Frames::event_func_766, &Frames::event_func_767, &Frames::event_func_768, &Frames::event_func_769,
    &Frames::event_func_770, &Frames::event_func_771, &Frames::event_func_772, &Frames::event_func_773,
    &Frames::event_func_774, &Frames::event_func_775, &Frames::event_func_776, &Frames::event_func_777,
    &Frames::event_func_778, &Frames::event_func_779, &Frames::event_func_780, &Frames::event_func_781,
    &Frames::event_func_782,
};

// Pimsa's mode groups as the handler calls them: the attack chain, the spin,
// the throw (less its end), the rising boost, the wall (its end test run
// twice) and the jump pads.
constexpr FramesEvent pimsa_groups[] = {
    &Frames::event_func_1190, &Frames::event_func_1191, &Frames::event_func_1192, &Frames::event_func_1193,
    &Frames::event_func_1194, &Frames::event_func_1195, &Frames::event_func_1196, &Frames::event_func_1197,
    &Frames::event_func_1198, &Frames::event_func_1199, &Frames::event_func_1200, &Frames::event_func_1201,
    &Frames::event_func_1202, &Frames::event_func_1203, &Frames::event_func_1204, &Frames::event_func_1205,
    &Frames::event_func_1206, &Frames::event_func_1207, &Frames::event_func_1208, &Frames::event_func_1209,
    &Frames::event_func_1210, &Frames::event_func_1211, &Frames::event_func_1212, &Frames::event_func_1213,
    &Frames::event_func_1214, &Frames::event_func_1215, &Frames::event_func_1216, &Frames::event_func_1217,
    &Frames::event_func_1218, &Frames::event_func_1220, &Frames::event_func_1221, &Frames::event_func_1222,
    &Frames::event_func_1223, &Frames::event_func_1224, &Frames::event_func_1225, &Frames::event_func_1226,
    &Frames::event_func_1227, &Frames::event_func_1228, &Frames::event_func_1229, &Frames::event_func_1230,
    &Frames::event_func_1231, &Frames::event_func_1232, &Frames::event_func_1233, &Frames::event_func_1234,
    &Frames::event_func_1235, &Frames::event_func_1236, &Frames::event_func_1235, &Frames::event_func_1237,
    &Frames::event_func_1238, &Frames::event_func_1239, &Frames::event_func_1240, &Frames::event_func_1241,
    &Frames::event_func_1242, &Frames::event_func_1243, &Frames::event_func_1244, &Frames::event_func_1245,
    &Frames::event_func_1246, &Frames::event_func_1247, &Frames::event_func_1248, &Frames::event_func_1249,
    &Frames::event_func_1250, &Frames::event_func_1251, &Frames::event_func_1252, &Frames::event_func_1253,
    &Frames::event_func_1254, &Frames::event_func_1255, &Frames::event_func_1256, &Frames::event_func_1257,
};

inline void run_pimsa_moves(Frames& f)
{
    f.event_func_1219();
    for (const FramesEvent event : mode_switch)
        (f.*event)();
    for (const FramesEvent event : pimsa_groups)
        (f.*event)();
    // The skins show the states: 0 standing, 16 the throw, 20-22 the
    // attack steps, 44 the spin.
    for (auto row : {&Frames::event_func_1475, &Frames::event_func_1496, &Frames::event_func_1498,
                     &Frames::event_func_1499, &Frames::event_func_1500, &Frames::event_func_1513})
        (f.*row)();
}

class PimsaStage : public testing::Test {
protected:
    void SetUp() override
    {
        forget();
        kit.enter_empty_frame({.width = player_course::Course::width,
                               .height = player_course::Course::height,
                               .handler = run_pimsa_moves,
                               .set_up = [this](Frames& frames) {
                                   player_course::engine_groups(frames);
                                   frames.level_group_73 = true;  // Pimsa's group
                                   frames.global_group_6 = true;  // her voices
                                   frames.set_up_named_loops(4);
                                   place_level_layout(frames, parse_level_layout(player_course::terrain::layout,
                                                                                 "course"));
                                   place_player();
                               }});
        // The sensors are held inside the camera's limits: the whole course.
        FrameObject* camera = object(types::MasterCamera_190);
        EventKit::set_value(camera, 'E', player_course::Course::width);
        EventKit::set_value(camera, 'F', player_course::Course::height);
        set('A', 2);
        tune('A', -6.5);  // the jump strength
        kit.take_sounds();
    }
    void TearDown() override { forget(); }

    // The kept objects start and end as a fresh run has them.
    static void forget()
    {
        class_records::alterables_75 = SavedAlterables{};
        class_records::alterables_76 = SavedAlterables{};
    }

    void place_player()
    {
        for (const char* name : {"PlayerMovementValues_80", "PlayerOthers_75", "PlayerInput_21",
                                 "PlayerActionValuesA_86", "PlayerActionValuesB_164", "GUIEnergy_76",
                                 "MasterCamera_190"})
            kit.place(name, -100, -100);
        kit.place("Player_87", 300, 380);
        for (const player_course::Offset& offset : player_course::sensor_offsets) {
            FrameObject* sensor = kit.place(offset.name, -100, -100);
            EventKit::set_value(sensor, 'A', offset.a);
            EventKit::set_value(sensor, 'B', offset.b);
        }
        for (const char* name : {"PlayerSkinPimsa_324", "PlayerSkinPimsaTail_323", "PlayerSkinPimsaBike_338",
                                 "PlayerSkinOrrun_290"})
            kit.place(name, 300, 380);
    }

    FrameObject* object(int type) { return kit.instance(type); }
    FrameObject* player() { return object(types::PlayerMovementValues_80); }
    FrameObject* others() { return object(types::PlayerOthers_75); }
    FrameObject* skin() { return object(types::PlayerSkinPimsa_324); }
    Active* sprite() { return static_cast<Active*>(skin()); }
    FrameObject* bike() { return object(types::PlayerSkinPimsaBike_338); }
    double get(char letter) { return EventKit::value(player(), letter); }
    void set(char letter, double number) { EventKit::set_value(player(), letter, number); }
    double other(char letter) { return EventKit::value(others(), letter); }
    void set_other(char letter, double number) { EventKit::set_value(others(), letter, number); }
    double state() { return other('Y'); }
    double meter() { return EventKit::value(object(types::GUIEnergy_76), 'A'); }
    void set_meter(double energy) { EventKit::set_value(object(types::GUIEnergy_76), 'A', energy); }
    void tune(char letter, double number)
    {
        EventKit::set_value(object(types::PlayerActionValuesA_86), letter, number);
    }
    double skin_value(char letter) { return EventKit::value(skin(), letter); }
    void set_skin(char letter, double number) { EventKit::set_value(skin(), letter, number); }

    // The controls of the next tick, by PlayerInput's letters (A-D up, down,
    // left, right held; E jump held; K jump, L attack, O special pressed):
    // these on, the rest off.
    void controls(std::initializer_list<char> on)
    {
        FrameObject* pad = object(types::PlayerInput_21);
        for (char letter = 'A'; letter <= 'O'; ++letter)
            EventKit::set_value(pad, letter, 0);
        for (const char letter : on)
            EventKit::set_value(pad, letter, 1);
    }

    // One tick with these controls; they are released after it.
    void step(std::initializer_list<char> on = {})
    {
        controls(on);
        kit.run(1);
        controls({});
    }

    // Ticks until the skin's animation frame reaches `frame` (at most 60).
    int run_to_frame(int frame)
    {
        int ticks = 0;
        while (sprite()->get_frame() != frame && ticks < 60) {
            step();
            ++ticks;
        }
        return ticks;
    }

    // The next draws below each n of the events' seed group, in order,
    // left for the events.
    static std::vector<int> next_draws(int event, std::initializer_list<int> ns)
    {
        RandomState copy = event_random_state(event);
        std::vector<int> draws;
        for (const int n : ns)
            draws.push_back(int((unsigned(n) * copy.step()) >> 15));
        return draws;
    }

    int samples(unsigned id) { return sample_count(kit.take_sounds(), id); }

    EventKit kit;
};

}  // namespace pimsa_stage
