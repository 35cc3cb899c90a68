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
#include "tests/game/events/player_stage.h"
#include "tests/support/event_kit.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <vector>

namespace pimsa_stage {

// The throw's end ahead of everything, the movement-mode switch (every mode
// group off, then the mode's own on), Pimsa's mode groups as the handler
// calls them: the attack chain, the spin, the throw (less its end), the
// rising boost, the wall (its end test run twice) and the jump pads.
inline void run_pimsa_moves(Frames& f)
{
    static const std::vector<FramesEvent> events =
        player_stage::joined({{&Frames::event_func_1219}, player_stage::act1_events(742, 782),
                              player_stage::act1_events(1190, 1257)});
    player_stage::run_events(f, events);
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
    void place_player()
    {
        for (const char* name : {"PlayerMovementValues_80", "PlayerOthers_75", "PlayerInput_21",
                                 "PlayerActionValuesA_86", "PlayerActionValuesB_164", "GUIEnergy_76",
                                 "MasterCamera_190"})
            kit.place(name, -100, -100);
        kit.place("Player_87", 300, 380);
        player_course::place_sensors(kit);
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

    // The controls of the next tick (player_stage::set_controls).
    void controls(std::initializer_list<char> on) { player_stage::set_controls(kit, on); }

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

    static std::vector<int> next_draws(int event, std::initializer_list<int> ns)
    {
        return player_stage::next_draws(event, ns);
    }

    int samples(unsigned id) { return sample_count(kit.take_sounds(), id); }

    EventKit kit;
};

}  // namespace pimsa_stage
