// A stage for the motorbike: the player's value objects, Pimsa's skins on
// foot and on the bike, the player object and its big bottom sensor, with
// gameplay, the player engine and Pimsa's group on. Its tick runs Pimsa's
// free events and the motorbike group's in the act's order. Nothing else
// moves the player or counts the timed power state down. Everything stands
// in view: instances far outside it are inactive and overlap nothing.
#pragma once

#include "audio/media.h"
#include "objects/active.h"
#include "runtime/movement.h"
#include "tests/game/events/player_physics/player_state_kit.h"

#include <vector>

namespace motorbike_test {

#define E(n) &Frames::event_func_##n
inline constexpr void (Frames::*pimsa_events[])() = {
    E(1161), E(1162), E(1163), E(1164), E(1165), E(1166), E(1167), E(1168), E(1169), E(1170),
    E(1171), E(1172), E(1173), E(1174), E(1175), E(1176), E(1177), E(1178), E(1179), E(1180),
    E(1181), E(1182), E(1183), E(1184), E(1185), E(1186), E(1187), E(1188), E(1189),
};
#undef E

inline void run_pimsa_tick(Frames& f)
{
    for (auto event : pimsa_events)
        (f.*event)();
}

class MotorbikeStage : public player_state_test::PlayerStateTest {
protected:
    void SetUp() override
    {
        PlayerStateTest::SetUp();
        kit.enter_empty_frame({.layers = 2, .width = 2000, .height = 1000, .handler = run_pimsa_tick,
                               .set_up = [this](Frames& frames) {
                                   frames.level_group_43 = frames.level_group_23 = frames.level_group_73 = true;
                                   frames.set_up_named_loops(4);
                                   frames.reset_frame_event_state(5);
                                   place_player();
                                   for (const char* name : {"PlayerSkinPimsa_324", "PlayerSkinPimsaBike_338"})
                                       kit.place(name, 200, 150, 1);
                                   kit.place("Player_87", 200, 150, 1);
                               }});
        set_player('Q', 1);
        kit.take_sounds();
    }

    void TearDown() override
    {
        for (unsigned channel : {9u, 10u}) {
            media.unlock(channel);
            media.stop_channel(channel);
        }
        PlayerStateTest::TearDown();
    }

    double movement(char letter) { return EventKit::value(player(), letter); }
    double other(char letter) { return EventKit::value(kit.instance(types::PlayerOthers_75), letter); }
    void set_other(char letter, double n) { EventKit::set_value(kit.instance(types::PlayerOthers_75), letter, n); }
    FrameObject* bike_skin() { return kit.instance(types::PlayerSkinPimsaBike_338); }
    FrameObject* pimsa_skin() { return kit.instance(types::PlayerSkinPimsa_324); }
    FrameObject* sensor() { return kit.instance(types::PlayerSensorBottomBig_95); }
    std::vector<FrameObject*> bikes() { return kit.instances(types::ObjectBike_340); }

    void ride(double character, double mode, double on_ground, double speed = 0, double fall = 0)
    {
        for (auto [letter, n] : {std::pair{'A', character}, {'M', mode}, {'L', on_ground}, {'B', speed}, {'G', fall}})
            set_player(letter, n);
    }

    // The sample ids started since the last call.
    std::vector<unsigned> sounds()
    {
        std::vector<unsigned> ids;
        for (const SoundStart& sound : kit.take_sounds())
            ids.push_back(sound.id);
        return ids;
    }
};

}  // namespace motorbike_test
