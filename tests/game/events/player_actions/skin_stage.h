// A stage for the skin events: the player's value objects, the character
// sensor, the HUD icon and every skin, with gameplay and the player engine
// on. Its tick runs the skin events as the act calls them: the end of the
// one-shot state ahead of all, then facing, animation, sensor shape, speed,
// angles, rotation and visibility in number order. The test writes the
// player's values straight into the support objects.
#pragma once

#include "game/objects/classes.h"
#include "objects/active.h"
#include "tests/game/events/player_stage.h"
#include "tests/support/event_kit.h"

#include <gtest/gtest.h>

#include <vector>

namespace skin_test {

inline void run_skin_events(Frames& f)
{
    f.event_func_1492();
    for (auto event :
         {&Frames::event_func_1470, &Frames::event_func_1471, &Frames::event_func_1472, &Frames::event_func_1473,
          &Frames::event_func_1474, &Frames::event_func_1475, &Frames::event_func_1476, &Frames::event_func_1477,
          &Frames::event_func_1478, &Frames::event_func_1479, &Frames::event_func_1480, &Frames::event_func_1481,
          &Frames::event_func_1482, &Frames::event_func_1483, &Frames::event_func_1484, &Frames::event_func_1485,
          &Frames::event_func_1486, &Frames::event_func_1487, &Frames::event_func_1488, &Frames::event_func_1489,
          &Frames::event_func_1490, &Frames::event_func_1491, &Frames::event_func_1493, &Frames::event_func_1494,
          &Frames::event_func_1495, &Frames::event_func_1496, &Frames::event_func_1497, &Frames::event_func_1498,
          &Frames::event_func_1499, &Frames::event_func_1500, &Frames::event_func_1501, &Frames::event_func_1502,
          &Frames::event_func_1503, &Frames::event_func_1504, &Frames::event_func_1505, &Frames::event_func_1506,
          &Frames::event_func_1507, &Frames::event_func_1508, &Frames::event_func_1509, &Frames::event_func_1510,
          &Frames::event_func_1511, &Frames::event_func_1512, &Frames::event_func_1513, &Frames::event_func_1514,
          &Frames::event_func_1515, &Frames::event_func_1516, &Frames::event_func_1517, &Frames::event_func_1518,
          &Frames::event_func_1519, &Frames::event_func_1520, &Frames::event_func_1521, &Frames::event_func_1522,
          &Frames::event_func_1523, &Frames::event_func_1524, &Frames::event_func_1525, &Frames::event_func_1526,
          &Frames::event_func_1527, &Frames::event_func_1528, &Frames::event_func_1529, &Frames::event_func_1530,
          &Frames::event_func_1531, &Frames::event_func_1532, &Frames::event_func_1533, &Frames::event_func_1534,
          &Frames::event_func_1535, &Frames::event_func_1536, &Frames::event_func_1537, &Frames::event_func_1538,
          &Frames::event_func_1539, &Frames::event_func_1540, &Frames::event_func_1541, &Frames::event_func_1542,
          &Frames::event_func_1543, &Frames::event_func_1544, &Frames::event_func_1545, &Frames::event_func_1546,
          &Frames::event_func_1547, &Frames::event_func_1548, &Frames::event_func_1549, &Frames::event_func_1550,
          &Frames::event_func_1551, &Frames::event_func_1552, &Frames::event_func_1553, &Frames::event_func_1554,
          &Frames::event_func_1555, &Frames::event_func_1556, &Frames::event_func_1557, &Frames::event_func_1558,
          &Frames::event_func_1559, &Frames::event_func_1560, &Frames::event_func_1561, &Frames::event_func_1562,
          &Frames::event_func_1563, &Frames::event_func_1564, &Frames::event_func_1565, &Frames::event_func_1566,
          &Frames::event_func_1567, &Frames::event_func_1568, &Frames::event_func_1569, &Frames::event_func_1570})
        (f.*event)();
}

class SkinStage : public testing::Test {
protected:
    void SetUp() override
    {
        kit.enter_empty_frame({.layers = 2, .handler = run_skin_events, .set_up = [this](Frames& frames) {
                                   frames.level_group_43 = true;
                                   frames.level_group_23 = true;
                                   place_player();
                               }});
    }
    void place_player()
    {
        for (const char* name : {"PlayerMovementValues_80", "PlayerOthers_75", "PlayerInput_21", "MasterGroupsA_83",
                                 "PlayerCharacterSensor_151", "GUIIcon_108"})
            kit.place(name, -100, -100, 1);
        for (const char* name : {"PlayerSkinYelto_102", "PlayerSkinYeltoHair_209", "PlayerSkinOrrun_290",
                                 "PlayerSkinPimsa_324", "PlayerSkinPimsaTail_323", "PlayerSkinPimsaBike_338",
                                 "PlayerSkinDorrik_339", "PlayerSkinDorrikTail_342", "PlayerSkinHespin_351",
                                 "PlayerSkinHespinArm_350", "ShieldInstaShield_187"})
            kit.place(name, 100, 100, 1);
    }

    FrameObject* player() { return kit.instance(types::PlayerMovementValues_80); }
    FrameObject* others() { return kit.instance(types::PlayerOthers_75); }
    Active* skin(int type) { return static_cast<Active*>(kit.instance(type)); }

    void set_player(char letter, double number) { EventKit::set_value(player(), letter, number); }
    void set_others(char letter, double number) { EventKit::set_value(others(), letter, number); }
    double state() { return EventKit::value(others(), 'Y'); }
    void set_state(double number) { set_others('Y', number); }

    // The held controls of the next tick by PlayerInput's letters (C left,
    // D right): these on, the rest off.
    void hold(std::initializer_list<char> on) { player_stage::set_controls(kit, on); }

    // One number per skin type, in the order asked.
    template <class Read>
    std::vector<int> each(std::initializer_list<int> types, Read read)
    {
        std::vector<int> numbers;
        for (const int type : types)
            numbers.push_back(read(skin(type)));
        return numbers;
    }

    std::vector<int> animations(std::initializer_list<int> types)
    {
        return each(types, [](Active* s) { return s->current_animation; });
    }

    std::vector<int> directions(std::initializer_list<int> types)
    {
        return each(types, [](Active* s) { return s->get_direction(); });
    }

    EventKit kit;
};

// The six body skins, character id 0 to 5.
inline constexpr std::initializer_list<int> bodies = {
    types::PlayerSkinYelto_102,      types::PlayerSkinOrrun_290,   types::PlayerSkinPimsa_324,
    types::PlayerSkinPimsaBike_338, types::PlayerSkinDorrik_339, types::PlayerSkinHespin_351,
};

inline constexpr std::initializer_list<int> followers = {
    types::PlayerSkinYeltoHair_209,
    types::PlayerSkinPimsaTail_323,
    types::PlayerSkinDorrikTail_342,
};

}  // namespace skin_test
