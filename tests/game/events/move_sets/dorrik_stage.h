// A stage for Dorrik's events: the player's value objects and big sensors,
// Dorrik's skin and tail, the player object, the orb, the HUD holder, the
// dig picture and the petal counter, with gameplay, the player engine and
// the Dorrik group on; the item-box group holds the crate and ring boxes,
// the enemy group the pokkol. Its tick runs the movement-mode switch, then
// the Dorrik group and his mode groups in number order, as the act does.
// Controls are written straight into PlayerInput.
#pragma once

#include "game/frames/event_index.h"
#include "game/frames/event_support.h"
#include "objects/active.h"
#include "tests/game/events/player_physics/player_state_kit.h"

#include <utility>
#include <vector>

namespace dorrik_test {

inline void run_dorrik_tick(Frames& f)
{
    for (auto event :
         {
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
          &Frames::event_func_782})
        (f.*event)();
    for (auto event :
         {
          &Frames::event_func_1258, &Frames::event_func_1259, &Frames::event_func_1260, &Frames::event_func_1261,
          &Frames::event_func_1262, &Frames::event_func_1263, &Frames::event_func_1264, &Frames::event_func_1265,
          &Frames::event_func_1266, &Frames::event_func_1267, &Frames::event_func_1268, &Frames::event_func_1269,
          &Frames::event_func_1270, &Frames::event_func_1271, &Frames::event_func_1272, &Frames::event_func_1273,
          &Frames::event_func_1274, &Frames::event_func_1275, &Frames::event_func_1276, &Frames::event_func_1277,
          &Frames::event_func_1278, &Frames::event_func_1279, &Frames::event_func_1280, &Frames::event_func_1281,
          &Frames::event_func_1282, &Frames::event_func_1283, &Frames::event_func_1284, &Frames::event_func_1285,
          &Frames::event_func_1286, &Frames::event_func_1287, &Frames::event_func_1288, &Frames::event_func_1289,
          &Frames::event_func_1290, &Frames::event_func_1291, &Frames::event_func_1292, &Frames::event_func_1293,
          &Frames::event_func_1294, &Frames::event_func_1295, &Frames::event_func_1296, &Frames::event_func_1297,
          &Frames::event_func_1298, &Frames::event_func_1299, &Frames::event_func_1300, &Frames::event_func_1301,
          &Frames::event_func_1302, &Frames::event_func_1303, &Frames::event_func_1304, &Frames::event_func_1305,
          &Frames::event_func_1306, &Frames::event_func_1307, &Frames::event_func_1308, &Frames::event_func_1309,
          &Frames::event_func_1310, &Frames::event_func_1311, &Frames::event_func_1312, &Frames::event_func_1313,
          &Frames::event_func_1314, &Frames::event_func_1315, &Frames::event_func_1316, &Frames::event_func_1317,
          &Frames::event_func_1318, &Frames::event_func_1319, &Frames::event_func_1320, &Frames::event_func_1321,
          &Frames::event_func_1322, &Frames::event_func_1323, &Frames::event_func_1324, &Frames::event_func_1325,
          &Frames::event_func_1326, &Frames::event_func_1327, &Frames::event_func_1328, &Frames::event_func_1329,
          &Frames::event_func_1330, &Frames::event_func_1331, &Frames::event_func_1332, &Frames::event_func_1333,
          &Frames::event_func_1334, &Frames::event_func_1335, &Frames::event_func_1336, &Frames::event_func_1337,
          &Frames::event_func_1338, &Frames::event_func_1339, &Frames::event_func_1340, &Frames::event_func_1341,
          &Frames::event_func_1342, &Frames::event_func_1343, &Frames::event_func_1344, &Frames::event_func_1345,
          &Frames::event_func_1346, &Frames::event_func_1347, &Frames::event_func_1348, &Frames::event_func_1349,
          &Frames::event_func_1350, &Frames::event_func_1351, &Frames::event_func_1352, &Frames::event_func_1353,
          &Frames::event_func_1354})
        (f.*event)();
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
        FrameObject* pad = kit.instance(types::PlayerInput_21);
        for (char letter = 'A'; letter <= 'O'; ++letter)
            EventKit::set_value(pad, letter, 0);
        for (const char letter : on)
            EventKit::set_value(pad, letter, 1);
        kit.run(1);
        std::vector<unsigned> ids;
        for (const SoundStart& sound : kit.take_sounds())
            ids.push_back(sound.id);
        return ids;
    }
};

}  // namespace dorrik_test
