// Pimsa on the course's wall (its left face at x 512, from row 272 down):
// the cling's values, the slide cap, the grab sample once per grab, the
// drop-off on foot, the climb on the bike up to the wall's top, the ground,
// and the wall jump away from the wall.
#include "tests/game/events/move_sets/pimsa_stage.h"

using PimsaWallState = pimsa_stage::PimsaStage;

namespace {

// Right of the player a wall, her side sensor in it; in the air.
constexpr double beside_wall_x = player_course::terrain::wall_left - 10, in_the_air_y = 340;

}  // namespace

class PimsaOnWall : public PimsaWallState {
protected:
    void cling(double character)
    {
        set('A', character);
        set('M', 47);
        set('L', 0);
        set('Q', 1);
        set('X', beside_wall_x);
        set('Y', in_the_air_y);
    }
};

TEST_F(PimsaOnWall, foot_clings_while_holding_toward_the_wall_slides_at_four_and_lets_go_when_released)
{
    cling(2);
    set('G', 6);
    set('T', 1);
    set('U', 0);
    sprite()->force_frame(1);
    step({'D'});
    EXPECT_EQ(state(), 7);
    EXPECT_EQ(EventKit::values(player(), "MGTUSNO"), doubles(47, 4, 0, 1, 1, 0, 0));
    EXPECT_EQ(EventKit::value(object(types::PlayerSensorRightBig_91), 'Z'), 1);
    step({'D'});
    step({'D'});
    EXPECT_EQ(samples(30), 1);  // once while the grab frame shows
    sprite()->force_frame(3);
    step({'D'});
    sprite()->force_frame(1);
    step({'D'});
    EXPECT_EQ(samples(30), 1);  // a new grab
    sprite()->restore_frame();
    step();  // released
    EXPECT_EQ(EventKit::values(player(), "MUT"), doubles(1, 1, 1));
}

TEST_F(PimsaOnWall, bike_keeps_clinging_climbs_to_the_top_and_leaves_where_the_wall_ends)
{
    cling(3);
    sprite()->force_frame(1);
    step();  // released: stays
    EXPECT_EQ(get('M'), 47);
    EXPECT_EQ(samples(122), 1);
    sprite()->restore_frame();
    std::vector<double> climb;
    for (int tick = 0; tick < 3; ++tick) {
        step({'D'});
        climb.push_back(get('G'));
    }
    EXPECT_NEAR(climb[0], -0.6, 1e-12);
    EXPECT_NEAR(climb[2], -1.8, 1e-12);
    set('G', -7.8);
    step({'D'});
    EXPECT_EQ(get('G'), -8);  // no faster than 8 up
    // Nothing moves the body here: put it where the wall ends above it.
    set('Y', player_course::terrain::wall_top - 20);
    step({'D'});
    EXPECT_EQ(EventKit::values(player(), "MUT"), doubles(1, 1, 1));
}

TEST_F(PimsaOnWall, on_the_ground_either_character_leaves_the_wall)
{
    cling(3);
    set('L', 1);
    step({'D'});
    EXPECT_EQ(get('M'), 1);
}

TEST_F(PimsaOnWall, wall_jump_pushes_off_away_from_the_wall_at_three_on_foot_and_six_on_the_bike)
{
    cling(2);
    step({'D', 'K'});
    EXPECT_EQ(EventKit::values(player(), "BGMLNTU"), doubles(-3, -6.5, 1, 0, 0, 1, 1));
    EXPECT_EQ(other('P'), 10);
    EXPECT_EQ(EventKit::value(object(types::PlayerActionValuesA_86), 'C'), 1);
    EXPECT_EQ(samples(94), 1);

    cling(3);
    step({'D', 'K'});
    EXPECT_EQ(EventKit::values(player(), "BGM"), doubles(-6, -6.5, 1));
}
