// The facing follows the held direction outside the locking modes, the
// body skins point the way it says with Hespin's and Dorrik's offsets, and
// three flights spin the skins a step a tick.
#include "console/pads.h"
#include "tests/game/events/player_actions/skin_stage.h"

using namespace skin_test;

namespace {

class SkinFacing : public SkinStage {};

constexpr std::initializer_list<int> plain_bodies = {types::PlayerSkinYelto_102, types::PlayerSkinOrrun_290,
                                                     types::PlayerSkinPimsa_324, types::PlayerSkinPimsaBike_338};

}  // namespace

TEST_F(SkinFacing, the_skins_face_the_held_direction_unless_the_mode_or_state_holds_them)
{
    set_state(1);
    EventKit::set_value(kit.instance(types::PlayerSkinDorrik_339), 'F', 2);
    EventKit::set_value(kit.instance(types::PlayerSkinHespin_351), 'A', 3);
    hold({'D'});
    kit.run(1);
    EXPECT_EQ(EventKit::value(player(), 'Q'), 1);
    EXPECT_EQ(directions(plain_bodies), std::vector<int>(4, 0));
    EXPECT_EQ(directions({types::PlayerSkinDorrik_339, types::PlayerSkinHespin_351}), (std::vector<int>{30, 1}));

    hold({'C'});
    kit.run(1);
    EXPECT_EQ(EventKit::value(player(), 'Q'), -1);
    EXPECT_EQ(directions(plain_bodies), std::vector<int>(4, 16));
    EXPECT_EQ(directions({types::PlayerSkinDorrik_339, types::PlayerSkinHespin_351}), (std::vector<int>{14, 17}));

    // Hespin's offset has no lower bound; letting go keeps the facing.
    EventKit::set_value(kit.instance(types::PlayerSkinHespin_351), 'A', -2);
    hold({});
    kit.run(1);
    EXPECT_EQ(EventKit::value(player(), 'Q'), -1);
    EXPECT_EQ(skin(types::PlayerSkinHespin_351)->get_direction(), 14);
    hold({'D'});
    kit.run(1);
    EXPECT_EQ(skin(types::PlayerSkinHespin_351)->get_direction(), 30);

    // Both held: left wins. Mode 21 holds the facing.
    hold({'C', 'D'});
    kit.run(1);
    EXPECT_EQ(EventKit::value(player(), 'Q'), -1);
    set_player('M', 21);
    hold({'D'});
    kit.run(1);
    EXPECT_EQ(EventKit::value(player(), 'Q'), -1);
    EXPECT_EQ(skin(types::PlayerSkinYelto_102)->get_direction(), 16);

    // Back in a free mode the skins turn at an idle counter of 499, but keep
    // their direction in state 50, in state 27 and at 500; state 49 turns.
    set_player('M', 0);
    set_others('M', 499);
    kit.run(1);
    EXPECT_EQ(directions(plain_bodies), std::vector<int>(4, 0));
    struct Held {
        double state, idle;
    };
    for (const Held held : {Held{50, 0}, Held{27, 0}, Held{1, 500}}) {
        set_state(held.state);
        set_others('M', held.idle);
        hold({'C'});
        kit.run(1);
        EXPECT_EQ(EventKit::value(player(), 'Q'), -1);
        EXPECT_EQ(directions(plain_bodies), std::vector<int>(4, 0)) << held.state << " " << held.idle;
        hold({'D'});
        kit.run(1);
    }
    set_state(49);
    set_others('M', 0);
    hold({'C'});
    kit.run(1);
    EXPECT_EQ(directions(plain_bodies), std::vector<int>(4, 16));
}

TEST_F(SkinFacing, flights_spin_the_skins_a_step_a_tick_and_yelto_only_in_state_seven_with_flag_eight)
{
    hold({'D'});
    set_state(44);
    set_player('L', 0);
    kit.run(1);
    // The facing puts them at 0, the spin one step on; Yelto's is not spun.
    EXPECT_EQ(directions({types::PlayerSkinYelto_102, types::PlayerSkinOrrun_290, types::PlayerSkinPimsa_324,
                          types::PlayerSkinPimsaBike_338, types::PlayerSkinDorrik_339, types::PlayerSkinHespin_351}),
              (std::vector<int>{0, 1, 1, 1, 1, 0}));
    // On the ground state 44 does not spin.
    set_player('L', 1);
    kit.run(1);
    EXPECT_EQ(skin(types::PlayerSkinOrrun_290)->get_direction(), 0);

    // Orrun's up move with marker 2, the facing held by the idle counter:
    // the turn goes on from tick to tick.
    set_state(0);
    set_others('M', 500);
    set_player('A', 1);
    set_player('M', 21);
    set_others('Q', 2);
    kit.run(3);
    EXPECT_EQ(directions({types::PlayerSkinYelto_102, types::PlayerSkinOrrun_290}), (std::vector<int>{0, 3}));
    set_others('Q', 0);

    // State 7 spins only with Yelto's flag 8 on, Yelto's skin too; 31
    // turns to 0.
    set_player('A', 0);
    set_player('M', 0);
    set_state(7);
    skin(types::PlayerSkinYelto_102)->set_direction(31, true);
    kit.run(1);
    EXPECT_EQ(directions({types::PlayerSkinYelto_102, types::PlayerSkinOrrun_290}), (std::vector<int>{31, 3}));
    kit.instance(types::PlayerSkinYelto_102)->alterables->flags |= 1 << 8;
    kit.run(1);
    EXPECT_EQ(directions({types::PlayerSkinYelto_102, types::PlayerSkinOrrun_290, types::PlayerSkinHespin_351}),
              (std::vector<int>{0, 4, 0}));
}

TEST(SkinsInTheAct, the_played_skin_is_shown_on_the_player_facing_the_way_it_runs)
{
    class_records::alterables_75 = SavedAlterables{};
    EventKit kit;
    kit.enter_frame(4);
    for (int tick = 0; tick < 400 && kit.frames().level_group_32; ++tick)
        kit.run(1);
    FrameObject* values = kit.instance(types::PlayerMovementValues_80);
    auto* yelto = static_cast<Active*>(kit.instance(types::PlayerSkinYelto_102));
    ASSERT_NE(values, nullptr);
    ASSERT_NE(yelto, nullptr);
    kit.hold(VPAD_BUTTON_RIGHT);
    kit.run(60);
    EXPECT_TRUE(yelto->flags & FrameObject::VISIBLE);
    // The other characters' skins are gone (the act removes them) or hidden.
    for (const int type : {types::PlayerSkinOrrun_290, types::PlayerSkinPimsa_324, types::PlayerSkinPimsaBike_338,
                           types::PlayerSkinDorrik_339, types::PlayerSkinHespin_351}) {
        const FrameObject* other = kit.instance(type);
        EXPECT_TRUE(other == nullptr || !(other->flags & FrameObject::VISIBLE)) << type;
    }
    EXPECT_EQ(yelto->get_direction(), 0);
    EXPECT_EQ(yelto->get_x(), int(EventKit::value(values, 'X')));
    kit.hold(VPAD_BUTTON_LEFT);
    kit.run(30);
    EXPECT_EQ(EventKit::value(values, 'Q'), -1);
    EXPECT_EQ(yelto->get_direction(), 16);
    class_records::alterables_75 = SavedAlterables{};
}
