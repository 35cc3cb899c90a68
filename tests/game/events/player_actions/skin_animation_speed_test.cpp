// The skins animate at the speed the state's rule gives from the player's
// speed, clamped to 0..100; the states whose rule may fail keep the last
// forced speed, the others drop it; the bike keeps its own on the ground.
#include "tests/game/events/player_actions/skin_stage.h"

using namespace skin_test;

namespace {

class SkinSpeed : public SkinStage {
protected:
    // The forced speed of each skin (-1: none). The stage's skins have
    // equal least and greatest speeds, so a forced speed is the percentage.
    std::vector<int> speeds(std::initializer_list<int> types)
    {
        return each(types, [](Active* s) { return s->forced_speed; });
    }
};

constexpr std::initializer_list<int> yelto_orrun_bike_dorrik = {
    types::PlayerSkinYelto_102, types::PlayerSkinOrrun_290, types::PlayerSkinPimsaBike_338,
    types::PlayerSkinDorrik_339};

}  // namespace

TEST_F(SkinSpeed, the_skins_step_faster_as_the_player_moves_faster)
{
    // Walking: 5|B| + 14, the bike at its own speed.
    set_player('L', 1);
    set_state(1);
    kit.run(1);
    EXPECT_EQ(speeds(yelto_orrun_bike_dorrik), (std::vector<int>{14, 14, -1, 14}));
    set_player('B', -3.9);
    kit.run(1);
    EXPECT_EQ(speeds(yelto_orrun_bike_dorrik), (std::vector<int>{33, 33, -1, 33}));
    set_player('B', 20);
    kit.run(1);
    EXPECT_EQ(speeds(yelto_orrun_bike_dorrik), (std::vector<int>{100, 100, -1, 100}));

    // Running: each skin its own pace.
    set_player('B', 6);
    set_state(2);
    kit.run(1);
    EXPECT_EQ(speeds({types::PlayerSkinYelto_102, types::PlayerSkinYeltoHair_209, types::PlayerSkinOrrun_290,
                      types::PlayerSkinPimsaTail_323, types::PlayerSkinHespin_351}),
              (std::vector<int>{39, 38, 51, 38, 51}));
    // Running in the air keeps the last speed, whatever the x speed.
    set_player('L', 0);
    set_player('B', 1);
    kit.run(1);
    EXPECT_EQ(speeds({types::PlayerSkinYelto_102, types::PlayerSkinOrrun_290}), (std::vector<int>{39, 51}));

    // Off the ground: 4|G| + 7 on every skin, the bike too.
    set_state(40);
    set_player('G', -5);
    kit.run(1);
    EXPECT_EQ(speeds(yelto_orrun_bike_dorrik), (std::vector<int>{27, 27, 27, 27}));

    // A stopped animation runs again where a speed is forced.
    skin(types::PlayerSkinYelto_102)->stop_animation();
    kit.run(1);
    EXPECT_EQ(skin(types::PlayerSkinYelto_102)->active_flags & Active::ANIMATION_STOPPED, 0);

    // Under water: the faster of the two speeds; Dorrik's own rule.
    set_state(26);
    set_player('B', 2);
    kit.run(1);
    EXPECT_EQ(speeds(yelto_orrun_bike_dorrik), (std::vector<int>{42, 42, -1, 30}));

    // Standing drops every forced speed.
    set_state(0);
    kit.run(1);
    EXPECT_EQ(speeds(bodies), std::vector<int>(6, -1));
    EXPECT_EQ(speeds(followers), std::vector<int>(3, -1));
}

TEST_F(SkinSpeed, the_other_rules_force_again_after_the_drop)
{
    // Hespin's hover: Yelto's count I drives every skin; above 100 it is 0.
    set_state(14);
    set_player('A', 5);
    EventKit::set_value(kit.instance(types::PlayerSkinYelto_102), 'I', 30);
    kit.run(1);
    EXPECT_EQ(speeds({types::PlayerSkinHespin_351, types::PlayerSkinPimsaTail_323}), (std::vector<int>{70, 70}));
    EventKit::set_value(kit.instance(types::PlayerSkinYelto_102), 'I', 120);
    kit.run(1);
    EXPECT_EQ(skin(types::PlayerSkinHespin_351)->forced_speed, 0);

    // State 20 only as Yelto.
    set_state(20);
    set_player('B', 10);
    kit.run(1);
    EXPECT_EQ(speeds(yelto_orrun_bike_dorrik), (std::vector<int>{-1, -1, -1, -1}));
    set_player('A', 0);
    kit.run(1);
    EXPECT_EQ(speeds(yelto_orrun_bike_dorrik), (std::vector<int>{60, 60, 60, 60}));

    // Ladders: the climbing speed; none in state 28.
    set_player('G', -1.5);
    for (const double state : {27.0, 29.0}) {
        set_state(state);
        kit.run(1);
        EXPECT_EQ(speeds({types::PlayerSkinYelto_102, types::PlayerSkinYeltoHair_209, types::PlayerSkinOrrun_290,
                          types::PlayerSkinPimsaBike_338}),
                  (std::vector<int>{15, 15, 18, -1}));
    }
    set_state(28);
    kit.run(1);
    EXPECT_EQ(skin(types::PlayerSkinOrrun_290)->forced_speed, -1);

    // Rolling in the roll mode, the hair faster; outside it the speed stays.
    set_state(8);
    set_player('B', 3);
    kit.run(1);
    EXPECT_EQ(skin(types::PlayerSkinYelto_102)->forced_speed, -1);
    set_player('M', 6);
    kit.run(1);
    EXPECT_EQ(speeds({types::PlayerSkinYelto_102, types::PlayerSkinYeltoHair_209}), (std::vector<int>{40, 50}));
    set_player('M', 0);
    set_player('B', 0);
    kit.run(1);
    EXPECT_EQ(skin(types::PlayerSkinYelto_102)->forced_speed, 40);

    // States 45 and 46 leave the bike its own speed; 47 does not.
    set_state(46);
    kit.run(1);
    EXPECT_EQ(speeds(yelto_orrun_bike_dorrik), (std::vector<int>{17, 17, -1, 17}));
    set_state(47);
    kit.run(1);
    EXPECT_EQ(speeds(yelto_orrun_bike_dorrik), (std::vector<int>{17, 17, 17, 17}));
}
