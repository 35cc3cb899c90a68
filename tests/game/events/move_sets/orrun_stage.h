// A stage for Orrun's moves: the player's objects, Orrun's skin, the player
// object and the left sensor, Orrun's voice on. A tick runs what the act
// runs around the moves: the tick counter, the hoisted ends of the throw,
// the mode switch, the ground group's move starts, then the throw, the dash
// and the volley in number order.
#pragma once

#include "game/frames/event_index.h"
#include "objects/active.h"
#include "tests/game/events/player_physics/player_state_kit.h"
#include "tests/game/events/player_stage.h"

#include <vector>

namespace orrun_test {

inline void run_orrun_moves(Frames& f)
{
    using F = Frames;
    f.global_values->set(3, f.global_values->get(3) + 1);
    for (auto event : {&F::event_func_1125, &F::event_func_1126, &F::event_func_1127, &F::event_func_742,
                       &F::event_func_743, &F::event_func_757, &F::event_func_761, &F::event_func_775,
                       &F::event_func_814, &F::event_func_825, &F::event_func_826, &F::event_func_1118,
                       &F::event_func_1119, &F::event_func_1120, &F::event_func_1121, &F::event_func_1122,
                       &F::event_func_1123, &F::event_func_1124, &F::event_func_1128, &F::event_func_1129})
        (f.*event)();
    static const std::vector<FramesEvent> throw_dash_and_volley = player_stage::act1_events(1130, 1160);
    player_stage::run_events(f, throw_dash_and_volley);
}

class OrrunStage : public player_state_test::PlayerStateTest {
protected:
    void SetUp() override
    {
        PlayerStateTest::SetUp();
        kit.enter_empty_frame({.layers = 2, .handler = run_orrun_moves, .set_up = [this](Frames& frames) {
                                   frames.level_group_43 = frames.level_group_23 = frames.level_group_24 = true;
                                   frames.level_group_3 = frames.global_group_9 = true;
                                   frames.set_up_named_loops(4);
                                   place_player();
                                   for (const char* name : {"PlayerSkinOrrun_290", "Player_87", "PlayerSensorLeftBig_89"})
                                       kit.place(name, 300, 200, 1);
                               }});
        set_player('A', 1);
        set_player('Q', 1);
        kit.take_sounds();
    }

    double other(char letter) { return EventKit::value(kit.instance(types::PlayerOthers_75), letter); }
    double movement(char letter) { return EventKit::value(player(), letter); }
    double air_actions() { return EventKit::value(kit.instance(types::PlayerActionValuesB_164), 'O'); }
    FrameObject* orrun() { return kit.instance(types::PlayerSkinOrrun_290); }
    Active* sprite() { return static_cast<Active*>(orrun()); }
    FrameObject* energy() { return kit.instance(types::GUIEnergy_76); }
    std::vector<FrameObject*> cards() { return kit.instances(types::PlayerProjectile_336); }

    // One tick with these controls on; the sample ids it started.
    std::vector<unsigned> tick(std::initializer_list<char> on = {})
    {
        controls(on);
        kit.run(1);
        return player_stage::sound_ids(kit);
    }
};

}  // namespace orrun_test
