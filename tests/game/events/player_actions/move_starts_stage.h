// A stage for the events that start the special moves: the state kit's
// player objects, every character's skins, the big side sensors, the player
// object and the act's pushable group (its placeholder out of sight). Each
// tick the movement-mode switch opens the ground (mode 0) or airborne
// (mode 1) group, then the move starts run in number order.
#pragma once

#include "game/frames/event_index.h"
#include "game/frames/event_support.h"
#include "objects/active.h"
#include "tests/game/events/player_physics/player_state_kit.h"
#include "tests/game/events/player_stage.h"

#include <initializer_list>
#include <vector>

namespace move_starts_test {

inline void run_move_starts(Frames& f)
{
    static const std::vector<FramesEvent> events = player_stage::joined(
        {player_stage::act1_events(742, 744), {&Frames::event_func_814}, player_stage::act1_events(818, 854)});
    player_stage::run_events(f, events);
}

class MoveStartsTest : public player_state_test::PlayerStateTest {
protected:
    void SetUp() override
    {
        PlayerStateTest::SetUp();
        kit.enter_empty_frame({.layers = 2, .handler = run_move_starts, .set_up = [this](Frames& frames) {
                                   frames.level_group_43 = frames.level_group_23 = frames.level_group_24 = true;
                                   frames.set_up_named_loops(4);
                                   place_player();
                                   for (const char* name :
                                        {"PlayerSkinOrrun_290", "PlayerSkinPimsa_324", "PlayerSkinPimsaTail_323",
                                         "PlayerSkinPimsaBike_338", "PlayerSkinDorrik_339", "PlayerSkinHespin_351",
                                         "Player_87", "PlayerReflect_343"})
                                       kit.place(name, 300, 200, 1);
                                   kit.place("PlayerSensorLeftBig_89", 287, 198, 1);
                                   kit.place("PlayerSensorRightBig_91", 313, 198, 1);
                                   kit.place("MasterGroupsB_84", -152, -8, 1);
                                   static ObjectList* pushables[] = {&frames.instances[types::MasterGroupsB_84],
                                                                     nullptr};
                                   frames.qualifier_8.set(1, pushables);
                               }});
    }

    double movement(char letter) { return EventKit::value(player(), letter); }
    double other(char letter) { return EventKit::value(kit.instance(types::PlayerOthers_75), letter); }
    void set_other(char letter, double n) { EventKit::set_value(kit.instance(types::PlayerOthers_75), letter, n); }
    double meter() { return EventKit::value(kit.instance(types::GUIEnergy_76), 'A'); }
    void set_meter(double energy) { EventKit::set_value(kit.instance(types::GUIEnergy_76), 'A', energy); }
    void set_used_air_actions(double n) { EventKit::set_value(kit.instance(types::PlayerActionValuesB_164), 'O', n); }
    FrameObject* skin(int type) { return kit.instance(type); }
    Active* sprite(int type) { return static_cast<Active*>(kit.instance(type)); }

    void play_as(double character, double mode, double on_ground, double speed = 0, double fall = 0)
    {
        for (auto [letter, n] : {std::pair{'A', character}, {'M', mode}, {'L', on_ground}, {'B', speed}, {'G', fall}})
            set_player(letter, n);
    }

    // One tick with these controls on (held and pressed alike); the mode after it.
    double after(std::initializer_list<char> on)
    {
        controls(on);
        kit.run(1);
        return mode();
    }

    // The next draws below n of the event's seed group, left for the event.
    static std::vector<int> next_draws(int event, int n, int count) { return player_stage::next_draws(event, n, count); }
};

}  // namespace move_starts_test
