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

#include <initializer_list>
#include <vector>

namespace move_starts_test {

inline void run_move_starts(Frames& f)
{
    for (auto event :
         {&Frames::event_func_742, &Frames::event_func_743, &Frames::event_func_744, &Frames::event_func_814,
          &Frames::event_func_818, &Frames::event_func_819, &Frames::event_func_820, &Frames::event_func_821,
          &Frames::event_func_822, &Frames::event_func_823, &Frames::event_func_824, &Frames::event_func_825,
          &Frames::event_func_826, &Frames::event_func_827, &Frames::event_func_828, &Frames::event_func_829,
          &Frames::event_func_830, &Frames::event_func_831, &Frames::event_func_832, &Frames::event_func_833,
          &Frames::event_func_834, &Frames::event_func_835, &Frames::event_func_836, &Frames::event_func_837,
          &Frames::event_func_838, &Frames::event_func_839, &Frames::event_func_840, &Frames::event_func_841,
          &Frames::event_func_842, &Frames::event_func_843, &Frames::event_func_844, &Frames::event_func_845,
          &Frames::event_func_846, &Frames::event_func_847, &Frames::event_func_848, &Frames::event_func_849,
          &Frames::event_func_850, &Frames::event_func_851, &Frames::event_func_852, &Frames::event_func_853,
          &Frames::event_func_854})
        (f.*event)();
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
    static std::vector<int> next_draws(int event, int n, int count)
    {
        RandomState copy = event_random_state(event);
        std::vector<int> draws;
        while (int(draws.size()) < count)
            draws.push_back(int((unsigned(n) * copy.step()) >> 15));
        return draws;
    }
};

}  // namespace move_starts_test
