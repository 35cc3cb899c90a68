// A stage for Yelto's moves: the player's value objects, Yelto's skin and
// hair, an Orrun skin, the player object and the voice loops, with
// gameplay, the player engine, Yelto's group and Yelto's voice on. Its tick
// runs what the act runs of these: the reactions to a finished animation
// ahead of all, the movement-mode switch, then Yelto's events in order.
// Nothing else moves the player, so the speeds read back are the moves' own.
#pragma once

#include "game/frames/event_index.h"
#include "objects/active.h"
#include "tests/game/events/player_physics/player_state_kit.h"

#include <vector>

namespace yelto_test {

#define E(n) &Frames::event_func_##n
// The movement-mode switch and Yelto's events but the four run ahead.
inline constexpr void (Frames::*mode_switch[])() = {
        E(742), E(743), E(744), E(745), E(746), E(747), E(748), E(749), E(750), E(751), E(752), E(753),
        E(754), E(755), E(756), E(757), E(758), E(759), E(760), E(761), E(762), E(763), E(764), E(765),
        E(766), E(767), E(768), E(769), E(770), E(771), E(772), E(773), E(774), E(775), E(776), E(777),
        E(778), E(779), E(780), E(781), E(782),
};
inline constexpr void (Frames::*yelto_events[])() = {
        E(1052), E(1053), E(1054), E(1055), E(1056), E(1057), E(1058), E(1059), E(1060), E(1061),
        E(1062), E(1063), E(1064), E(1065), E(1066), E(1067), E(1068), E(1069), E(1070), E(1071),
        E(1072), E(1073), E(1074), E(1075), E(1076), E(1077), E(1078), E(1079), E(1080), E(1081),
        E(1082), E(1083), E(1087), E(1088), E(1089), E(1090), E(1091), E(1092), E(1093), E(1095),
        E(1096), E(1097), E(1098), E(1099), E(1100), E(1101), E(1102), E(1103), E(1104), E(1105),
        E(1106), E(1107), E(1108), E(1109),
};
#undef E

inline void run_yelto_tick(Frames& f)
{
    for (auto event : {&Frames::event_func_1084, &Frames::event_func_1085, &Frames::event_func_1086,
                       &Frames::event_func_1094})
        (f.*event)();
    for (auto event : mode_switch)
        (f.*event)();
    for (auto event : yelto_events)
        (f.*event)();
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

    // The sample ids started since the last call.
    std::vector<unsigned> sounds()
    {
        std::vector<unsigned> ids;
        for (const SoundStart& sound : kit.take_sounds())
            ids.push_back(sound.id);
        return ids;
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

}  // namespace yelto_test
