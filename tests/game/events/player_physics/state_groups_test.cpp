// The free-air, hanging, held and mode-50 groups: each comes on with its
// mode, writes its state, and hands over to the next mode's group a tick
// later.
#include "objects/active.h"
#include "tests/game/events/player_physics/player_state_kit.h"

#include <gtest/gtest.h>

using namespace player_state_test;

namespace {

class StateGroups : public PlayerStateTest {
protected:
    void SetUp() override
    {
        PlayerStateTest::SetUp();
        enter([](EventKit& kit) {
            Frames& frames = kit.frames();
            static ObjectList* handles[] = {&frames.instances[types::GimmickHangingIdleSensor_153], nullptr};
            frames.qualifier_14.set(1, handles);
            kit.place("GimmickHangingIdleSensor_153", 50, 50, 1);
            kit.place("PlayerSkinOrrun_290", 0, 0, 1);
            kit.place("PlayerSkinDorrik_339", 0, 0, 1);
            kit.place("PlayerSkinPimsaBike_338", 0, 0, 1);
        });
    }

    double player_value(char letter) { return EventKit::value(player(), letter); }
    Frames& frames() { return kit.frames(); }
};

}  // namespace

TEST_F(StateGroups, hanging_holds_the_player_and_button_one_jumps_off_into_the_air)
{
    EventKit::set_value(kit.instance(types::GimmickHangingIdleSensor_153), 'Q', 1);
    set_player('M', 41);
    set_player('B', 6);
    controls({'D'});
    kit.run(1);
    EXPECT_TRUE(frames().level_group_27);
    EXPECT_FALSE(frames().level_group_30);
    EXPECT_EQ(state(), 41);
    EXPECT_EQ(player_value('B'), 4);
    EXPECT_EQ(player_value('T'), 0);
    EXPECT_EQ(player_value('U'), 0);
    EXPECT_EQ(player_value('S'), 1);
    // Let go of the direction: the speed drops.
    controls({});
    kit.run(1);
    EXPECT_EQ(player_value('B'), 0);
    // State 42 stays.
    EventKit::set_value(kit.instance(types::PlayerOthers_75), 'Y', 42);
    kit.run(1);
    EXPECT_EQ(state(), 42);

    controls({'K'});
    kit.run(1);
    EXPECT_EQ(mode(), 1);
    EXPECT_EQ(player_value('G'), -4.5);
    EXPECT_EQ(player_value('T'), 1);
    EXPECT_EQ(player_value('U'), 1);
    EXPECT_EQ(EventKit::value(kit.instance(types::GimmickHangingIdleSensor_153), 'Q'), 0);
    EXPECT_TRUE(frames().level_group_27);  // until the next tick's switch
    controls({});
    kit.run(1);
    EXPECT_FALSE(frames().level_group_27);
}

TEST_F(StateGroups, button_one_with_down_drops_from_the_handle_into_the_free_air_group)
{
    set_player('M', 41);
    set_player('G', 3);
    controls({'K', 'B'});
    kit.run(1);
    EXPECT_EQ(mode(), 40);
    EXPECT_EQ(player_value('G'), 0);
    controls({});
    kit.run(1);
    EXPECT_FALSE(frames().level_group_27);
    EXPECT_TRUE(frames().level_group_30);
    EXPECT_EQ(player_value('T'), 1);
    EXPECT_EQ(player_value('S'), 1);
    // Landing ends the free air: mode 0, and the group goes off.
    set_player('L', 1);
    kit.run(1);
    EXPECT_EQ(mode(), 0);
    kit.run(1);
    EXPECT_FALSE(frames().level_group_30);
}

TEST_F(StateGroups, landing_and_button_two_in_one_tick_launch_the_move)
{
    set_player('M', 40);
    set_player('L', 1);
    controls({'L'});
    kit.run(1);
    EXPECT_EQ(mode(), 20);
    EXPECT_EQ(EventKit::value(kit.instance(types::PlayerSkinOrrun_290), 'B'), 2);
    // Hespin has no button-two move; Dorrik needs energy for it.
    for (const double character : {5.0, 4.0}) {
        set_player('M', 40);
        set_player('A', character);
        kit.run(1);
        EXPECT_EQ(mode(), 0) << character;
    }
    EventKit::set_value(kit.instance(types::GUIEnergy_76), 'A', 1);
    set_player('M', 40);
    kit.run(1);
    EXPECT_EQ(mode(), 20);
}

TEST_F(StateGroups, free_air_launches_by_character)
{
    set_player('L', 0);
    // Orrun's double jump counts air actions and stops at two.
    set_player('A', 1);
    for (int jump = 1; jump <= 3; ++jump) {
        set_player('M', 40);
        controls({'K'});
        kit.run(1);
        EXPECT_EQ(mode(), jump <= 2 ? 21 : 40) << jump;
        EXPECT_EQ(EventKit::value(kit.instance(types::PlayerActionValuesB_164), 'O'), jump <= 2 ? jump : 2);
    }
    EXPECT_EQ(state(), 24);
    // Pimsa's pounce: at least 5 along the facing.
    set_player('A', 2);
    set_player('M', 40);
    set_player('Q', 1);
    set_player('B', 2);
    kit.run(1);
    EXPECT_EQ(player_value('B'), 5);
    EXPECT_EQ(mode(), 0);
    set_player('M', 40);
    set_player('B', 7);
    kit.run(1);
    EXPECT_EQ(player_value('B'), 7);
    set_player('M', 40);
    set_player('Q', -1);
    set_player('B', 2);
    kit.run(1);
    EXPECT_EQ(player_value('B'), -5);
    // Dorrik's glide from a fall speed of exactly 0, with its skin ready.
    set_player('A', 4);
    set_player('M', 40);
    set_player('G', 0);
    controls({'E'});
    kit.run(1);
    EXPECT_EQ(mode(), 22);
    EventKit::set_value(kit.instance(types::PlayerSkinDorrik_339), 'F', 1);
    set_player('M', 40);
    kit.run(1);
    EXPECT_EQ(mode(), 40);
    // Hespin's hover needs a fall speed above 0 and no air action taken.
    set_player('A', 5);
    EventKit::set_value(kit.instance(types::PlayerActionValuesB_164), 'O', 0);
    EventKit::set_value(kit.instance(types::GUIEnergy_76), 'A', 10);
    kit.run(1);
    EXPECT_EQ(mode(), 40);
    set_player('G', 0.5);
    kit.run(1);
    EXPECT_EQ(mode(), 0);
    EXPECT_EQ(state(), 14);
}

TEST_F(StateGroups, the_bike_burst_turns_with_the_bike_and_the_facing)
{
    kit.place("EffectsWhiteBurst_31", 20, 20, 1);
    static_cast<Active*>(kit.instance(types::PlayerSkinPimsaBike_338))->set_angle(30, 0);
    set_player('A', 3);
    set_player('L', 0);
    set_player('Q', -1);
    set_player('M', 40);
    controls({'K'});
    kit.run(1);
    EXPECT_EQ(mode(), 32);
    auto* burst = static_cast<Active*>(kit.instance(types::EffectsWhiteBurst_31));
    EXPECT_EQ(burst->get_angle(), -15);  // 30 - 45
    EXPECT_EQ(burst->x_scale, 0.5f);
}

TEST_F(StateGroups, held_in_place_and_mode_fifty)
{
    set_player('M', 43);
    set_player('L', 0);
    kit.run(1);
    EXPECT_TRUE(frames().level_group_53);
    EXPECT_EQ(state(), 8);
    EXPECT_EQ(player_value('L'), 1);
    EXPECT_EQ(player_value('T'), 0);
    EXPECT_EQ(player_value('U'), 0);
    EXPECT_EQ(player_value('S'), 0);

    set_player('M', 50);
    kit.run(1);
    EXPECT_FALSE(frames().level_group_53);
    EXPECT_TRUE(frames().level_group_17);
    EXPECT_EQ(state(), 50);
    EventKit::set_value(kit.instance(types::PlayerOthers_75), 'Y', 51);
    kit.run(1);
    EXPECT_EQ(state(), 51);
}

TEST_F(StateGroups, nothing_runs_while_the_player_has_no_control)
{
    frames().level_group_24 = false;
    set_player('M', 43);
    kit.run(1);
    EXPECT_TRUE(frames().level_group_53);
    EXPECT_EQ(state(), 0);
    EXPECT_EQ(player_value('S'), 1);
}
