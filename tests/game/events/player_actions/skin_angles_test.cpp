// The skin and travel angles follow the ground or the fixed angle on the
// ground and ease upright in the air; the skins turn to the skin angle,
// in the spinning flight to where the player flies; rolling in the air
// records the direction moved.
#include "tests/game/events/player_actions/skin_stage.h"

using namespace skin_test;

namespace {

class SkinAngles : public SkinStage {
protected:
    std::vector<double> angles() { return EventKit::values(others(), "XZ"); }

    std::vector<int> turned(std::initializer_list<int> types)
    {
        return each(types, [](Active* s) { return s->get_angle(); });
    }
};

// The ten objects the rotation turns.
constexpr std::initializer_list<int> turned_objects = {
    types::PlayerSkinYelto_102,      types::PlayerSkinOrrun_290,      types::PlayerSkinPimsa_324,
    types::PlayerSkinPimsaBike_338,  types::PlayerSkinDorrik_339,     types::PlayerSkinHespin_351,
    types::PlayerSkinYeltoHair_209,  types::PlayerSkinPimsaTail_323,  types::PlayerSkinDorrikTail_342,
    types::ShieldInstaShield_187,
};

}  // namespace

TEST_F(SkinAngles, on_the_ground_the_angles_follow_the_ground_or_the_fixed_angle)
{
    set_player('L', 1);
    set_player('O', 30);
    set_state(9);
    kit.set_global(2, 12);
    kit.run(1);
    EXPECT_EQ(angles(), doubles(12, 12));
    for (const double state : {0.0, 7.0, 14.0, 15.0, 20.0, 24.0}) {
        set_state(state);
        kit.run(1);
        EXPECT_EQ(angles(), doubles(30, 30)) << "state " << state;
    }
    // Rolling travels along the ground upright.
    set_state(8);
    kit.run(1);
    EXPECT_EQ(angles(), doubles(30, 12));
    // The bike: fixed in its timed states and state 3, unchanged in others.
    set_player('A', 3);
    set_state(13);
    kit.run(1);
    EXPECT_EQ(angles(), doubles(12, 12));
    set_player('O', 45);
    set_state(3);
    kit.run(1);
    EXPECT_EQ(angles(), doubles(45, 45));
    set_state(25);
    set_player('O', 50);
    kit.run(1);
    EXPECT_EQ(angles(), doubles(45, 45));
    set_state(8);
    kit.run(1);
    EXPECT_EQ(angles(), doubles(50, 45));
    // Mode 38 follows the ground over everything.
    set_player('M', 38);
    set_state(30);
    kit.run(1);
    EXPECT_EQ(angles(), doubles(50, 50));
}

TEST_F(SkinAngles, in_the_air_the_skin_angle_eases_upright_the_shorter_way)
{
    struct Ease {
        double from, to;
    };
    set_player('L', 0);
    set_state(3);
    for (const Ease ease : {Ease{2, 0}, Ease{0, 0}, Ease{90, 86}, Ease{179.5, 175.5}, Ease{180, 184}, Ease{356, 0},
                            Ease{358, 0}, Ease{-10, 0}}) {
        set_others('Z', ease.from);
        kit.run(1);
        EXPECT_EQ(EventKit::value(others(), 'Z'), ease.to) << "from " << ease.from;
    }
    // From 270 it is upright after 23 ticks.
    set_others('Z', 270);
    kit.run(22);
    EXPECT_EQ(EventKit::value(others(), 'Z'), 358);
    kit.run(1);
    EXPECT_EQ(EventKit::value(others(), 'Z'), 0);
    // Not from mode 90 on.
    set_player('M', 90);
    set_others('Z', 100);
    kit.run(1);
    EXPECT_EQ(EventKit::value(others(), 'Z'), 100);
    // The bike on a ladder takes the fixed angle in the air too; mode 38
    // takes the ground's and eases it in the same tick.
    kit.set_global(2, 20);
    set_player('M', 0);
    set_player('A', 3);
    set_state(28);
    kit.run(1);
    EXPECT_EQ(angles(), doubles(20, 16));
    set_player('M', 38);
    set_player('O', 60);
    kit.run(1);
    EXPECT_EQ(angles(), doubles(60, 56));
}

TEST_F(SkinAngles, the_skins_turn_to_the_skin_angle_or_in_the_spinning_flight_to_where_the_player_flies)
{
    set_player('M', 95);  // no easing
    set_player('L', 0);
    set_state(3);
    set_others('Z', 45.9);
    kit.run(1);
    EXPECT_EQ(turned(turned_objects), std::vector<int>(10, 45));
    EXPECT_EQ(skin(types::PlayerSkinHespinArm_350)->get_angle(), 0);
    set_others('Z', -45.9);
    kit.run(1);
    EXPECT_EQ(turned(turned_objects), std::vector<int>(10, -45));

    // Flying in state 7: the direction of the velocity, y up.
    struct Flight {
        double b, g;
        int angle;
    };
    set_state(7);
    for (const Flight flight : {Flight{4, 4, -45}, Flight{-4, 0, -180}, Flight{0, -4, 90}, Flight{0, 0, 0}}) {
        set_player('B', flight.b);
        set_player('G', flight.g);
        kit.run(1);
        EXPECT_EQ(turned(turned_objects), std::vector<int>(10, flight.angle)) << flight.b << " " << flight.g;
    }
    // Pimsa keeps the skin angle, on foot and on the bike.
    set_player('B', 4);
    for (const double pimsa : {2.0, 3.0}) {
        set_player('A', pimsa);
        kit.run(1);
        EXPECT_EQ(turned(turned_objects), std::vector<int>(10, -45));
    }

    // Yelto on the ground facing left: body and hair half a turn further.
    set_player('A', 0);
    set_player('L', 1);
    set_player('Q', -1);
    set_player('O', 190);
    set_player('M', 0);
    kit.run(1);
    EXPECT_EQ(turned({types::PlayerSkinYelto_102, types::PlayerSkinYeltoHair_209, types::PlayerSkinOrrun_290}),
              (std::vector<int>{10, 10, 190}));
    set_player('Q', 1);
    kit.run(1);
    EXPECT_EQ(turned({types::PlayerSkinYelto_102, types::PlayerSkinYeltoHair_209}), (std::vector<int>{190, 190}));
}

TEST_F(SkinAngles, rolling_in_the_air_records_the_direction_moved)
{
    struct Move {
        double x, y, travel;
    };
    set_state(8);
    set_others('V', 100);
    set_others('W', 100);
    for (const Move move : {Move{103, 100, 0}, Move{100, 96, 90}, Move{97, 100, 180}, Move{100, 104, 270},
                            Move{104, 104, 315}, Move{100, 100, 0}}) {
        set_others('X', 7);
        set_player('X', move.x);
        set_player('Y', move.y);
        kit.run(1);
        EXPECT_EQ(EventKit::value(others(), 'X'), move.travel) << move.x << " " << move.y;
    }
    // On the ground the roll takes the ground's angle instead.
    set_player('L', 1);
    set_player('O', 33);
    kit.run(1);
    EXPECT_EQ(EventKit::value(others(), 'X'), 33);
}
