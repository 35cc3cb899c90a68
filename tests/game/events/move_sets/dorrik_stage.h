// A stage for Dorrik's events: the player's value objects and big sensors,
// Dorrik's skin and tail, the player object, the orb, the HUD holder, the
// dig picture and the petal counter, with gameplay, the player engine and
// the Dorrik group on; the item-box group holds the crate and ring boxes,
// the enemy group the pokkol. Its tick runs the movement-mode switch, then
// the Dorrik group and his mode groups in number order, as the act does.
// Controls are written straight into PlayerInput.
#pragma once

#include "game/frames/event_support.h"
#include "objects/active.h"
#include "tests/game/events/player_physics/player_state_kit.h"
#include "tests/game/events/player_stage.h"

#include <utility>
#include <vector>

namespace dorrik_test {

inline void run_dorrik_tick(Frames& f)
{
    static const std::vector<FramesEvent> events =
        player_stage::joined({player_stage::act1_events(742, 782), player_stage::act1_events(1258, 1354)});
    player_stage::run_events(f, events);
}

class DorrikStage : public player_state_test::PlayerStateTest {
protected:
    void SetUp() override
    {
        PlayerStateTest::SetUp();
        kit.enter_empty_frame({.layers = 2,
                               .width = 2000,
                               .height = 1000,
                               .handler = run_dorrik_tick,
                               .set_up = [this](Frames& frames) {
                                   frames.level_group_43 = frames.level_group_23 = frames.level_group_59 = true;
                                   frames.global_group_5 = true;  // Dorrik's voice
                                   frames.set_up_named_loops(4);
                                   place_player();
                                   for (const char* name : {"PlayerSkinDorrik_339", "PlayerSkinDorrikTail_342",
                                                            "Player_87", "PlayerReflect_343", "PlayerDig_344"})
                                       kit.place(name, 300, 200, 1);
                                   kit.place("GUIScoreTimeRings_107", 20, 20, 1);
                                   kit.place("GUIRings_74", 20, 40, 1);
                                   static ObjectList* boxes[] = {&frames.instances[types::MonitorCrate_126],
                                                                 &frames.instances[types::MonitorRings_119], nullptr};
                                   frames.qualifier_13.set(2, boxes);
                                   static ObjectList* enemies[] = {&frames.instances[types::EnemyPokkol_138], nullptr};
                                   frames.qualifier_17.set(1, enemies);
                               }});
        kit.instance(types::PlayerSensorTopBig_93)->set_global_position(300, 170);
        kit.instance(types::PlayerSensorBottomBig_95)->set_global_position(300, 230);
        set_player('A', 4);
        set_player('Q', 1);
        set_player('L', 1);
    }

    Active* skin() { return static_cast<Active*>(kit.instance(types::PlayerSkinDorrik_339)); }
    Active* orb() { return static_cast<Active*>(kit.instance(types::PlayerReflect_343)); }
    double hands() { return EventKit::value(skin(), 'F'); }
    void set_skin(char letter, double n) { EventKit::set_value(skin(), letter, n); }
    double other(char letter) { return EventKit::value(kit.instance(types::PlayerOthers_75), letter); }
    void set_other(char letter, double n) { EventKit::set_value(kit.instance(types::PlayerOthers_75), letter, n); }
    double movement(char letter) { return EventKit::value(player(), letter); }
    double orb_state() { return EventKit::value(orb(), 'A'); }
    void set_orb(char letter, double n) { EventKit::set_value(orb(), letter, n); }
    static bool shown(const FrameObject* object) { return object->flags & FrameObject::VISIBLE; }

    // Puts an object where the sensor above (or below) the feet overlaps it.
    FrameObject* place_on_sensor(const char* name, int sensor_type)
    {
        FrameObject* sensor = kit.instance(sensor_type);
        return kit.place(name, sensor->get_x(), sensor->get_y(), 1);
    }

    // One tick with these controls on (PlayerInput's letters); the samples
    // it started.
    std::vector<unsigned> tick_with(const std::vector<char>& on)
    {
        kit.take_sounds();
        player_stage::set_controls(kit, on);
        kit.run(1);
        return player_stage::sound_ids(kit);
    }
};

}  // namespace dorrik_test
