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
#include "tests/game/events/player_stage.h"

#include <vector>

namespace motorbike_test {

inline void run_pimsa_tick(Frames& f)
{
    static const std::vector<FramesEvent> events = player_stage::act1_events(1161, 1189);
    player_stage::run_events(f, events);
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

    std::vector<unsigned> sounds() { return player_stage::sound_ids(kit); }
};

}  // namespace motorbike_test
