// A stage for Yelto's moves: the player's value objects, Yelto's skin and
// hair, an Orrun skin, the player object and the voice loops, with
// gameplay, the player engine, Yelto's group and Yelto's voice on. Its tick
// runs what the act runs of these: the reactions to a finished animation
// ahead of all, the movement-mode switch, then Yelto's events in order.
// Nothing else moves the player, so the speeds read back are the moves' own.
#pragma once

#include "objects/active.h"
#include "tests/game/events/player_physics/player_state_kit.h"
#include "tests/game/events/player_stage.h"

#include <vector>

namespace yelto_test {

// The reactions to a finished animation ahead of all, the movement-mode
// switch, then Yelto's events in order.
inline void run_yelto_tick(Frames& f)
{
    static const std::vector<FramesEvent> events =
        player_stage::joined({{&Frames::event_func_1084, &Frames::event_func_1085, &Frames::event_func_1086,
                               &Frames::event_func_1094},
                              player_stage::act1_events(742, 782), player_stage::act1_events(1052, 1109)});
    player_stage::run_events(f, events);
}

class YeltoStage : public player_state_test::PlayerStateTest {
protected:
    void SetUp() override
    {
        PlayerStateTest::SetUp();
        kit.enter_empty_frame({.layers = 2, .width = 2000, .height = 1000, .handler = run_yelto_tick,
                               .set_up = [this](Frames& frames) {
                                   frames.level_group_43 = frames.level_group_23 = frames.level_group_1 = true;
                                   frames.global_group_12 = true;
                                   frames.set_up_named_loops(4);
                                   frames.reset_frame_event_state(5);
                                   place_player();
                                   for (const char* name : {"PlayerSkinYeltoHair_209", "PlayerSkinOrrun_290"})
                                       kit.place(name, 300, 200, 1);
                                   kit.place("Player_87", 300, 200, 1);
                               }});
        set_player('Q', 1);
        kit.take_sounds();
    }

    double movement(char letter) { return EventKit::value(player(), letter); }
    double other(char letter) { return EventKit::value(kit.instance(types::PlayerOthers_75), letter); }
    void set_other(char letter, double n) { EventKit::set_value(kit.instance(types::PlayerOthers_75), letter, n); }
    double meter() { return EventKit::value(kit.instance(types::GUIEnergy_76), 'A'); }
    void set_meter(double energy) { EventKit::set_value(kit.instance(types::GUIEnergy_76), 'A', energy); }
    Active* skin() { return static_cast<Active*>(kit.instance(types::PlayerSkinYelto_102)); }
    std::vector<FrameObject*> shields() { return kit.instances(types::ShieldInstaShield_187); }

    // Starts a move as the action events do: its mode, the move counter at 0.
    void start(double mode, double on_ground, double speed = 0, double fall = 0)
    {
        for (auto [letter, n] : {std::pair{'A', 0.0}, {'M', mode}, {'L', on_ground}, {'B', speed}, {'G', fall}})
            set_player(letter, n);
        set_other('N', 0);
    }

    std::vector<unsigned> sounds() { return player_stage::sound_ids(kit); }
    static std::vector<int> next_draws(int event, int n, int count) { return player_stage::next_draws(event, n, count); }
};

}  // namespace yelto_test
