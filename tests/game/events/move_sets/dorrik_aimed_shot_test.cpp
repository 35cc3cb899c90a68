// Dorrik's aimed shot: braking, aiming and turning, the normal shot and the
// heavy shot's recoil, and the end of the mode.
#include "tests/game/events/move_sets/dorrik_stage.h"

#include <gtest/gtest.h>

#include <tuple>

namespace {

class DorrikAim : public dorrik_test::DorrikStage {
protected:
    void SetUp() override
    {
        DorrikStage::SetUp();
        kit.instance(types::Player_87)->set_global_position(400, 300);
    }

    // The aim frame every Dorrik skin shows.
    int skin_frame() { return skin()->get_frame(); }
};

}  // namespace

TEST_F(DorrikAim, aiming_brakes_turns_and_points_the_orb_then_a_release_fires_a_normal_shot)
{
    set_player('M', 31);
    set_player('B', 3);
    EXPECT_EQ(tick_with({'N'}), std::vector<unsigned>{199});
    EXPECT_EQ(std::make_tuple(orb_state(), orb()->forced_animation, other('Y')), std::make_tuple(4.0, 11, 20.0));
    // 3 brakes by 0.2 a tick, then snaps to 0 below 2.
    std::vector<double> speeds = {movement('B')};
    while (movement('B') != 0 && speeds.size() < 10) {
        tick_with({'N'});
        speeds.push_back(movement('B'));
    }
    // 3 - 0.2 - ... - 0.2 in doubles: the fifth step is just under 2.
    EXPECT_EQ(speeds, doubles(3 - 0.2, 3 - 0.2 - 0.2, 3 - 0.2 - 0.2 - 0.2, 3 - 0.2 - 0.2 - 0.2 - 0.2, 0));
    // held controls -> aim frame, orb angle; 12 above the player (400, 300)
    for (auto [on, on_ground, frame, angle] :
         {std::tuple{std::vector<char>{'N'}, 1.0, 0, 0}, {{'N', 'A'}, 1.0, 1, 45},
          {{'N', 'B'}, 1.0, 2, -45}, {{'N', 'A', 'B'}, 1.0, 0, 0}, {{'N', 'A'}, 0.0, 5, 45}}) {
        set_player('L', on_ground);
        tick_with(on);
        EXPECT_EQ(std::make_tuple(skin_frame(), orb()->get_angle(), orb()->get_x(), orb()->get_y(), shown(orb())),
                  std::make_tuple(frame, angle, 400, 288, true));
    }
    // Left and right turn; with both the left wins.
    for (auto [on, facing] : {std::pair{std::vector<char>{'N', 'C'}, -1.0}, {{'N', 'D'}, 1.0},
                              {{'N', 'C', 'D'}, -1.0}}) {
        tick_with(on);
        EXPECT_EQ(movement('Q'), facing);
    }
    set_player('L', 1);
    set_player('B', 0);
    set_skin('G', 7);
    EXPECT_EQ(tick_with({}), std::vector<unsigned>{197});
    EXPECT_EQ(EventKit::values(orb(), "ADEBG"), doubles(5, 400, 288, 0, -1));
    EXPECT_EQ(EventKit::values(skin(), "FG"), doubles(0, 0));
    // The orb's own events finish the shot; state 6 ends the mode on the ground.
    int ticks = 0;
    while (mode() == 31 && ticks++ < 60)
        tick_with({});
    EXPECT_EQ(std::make_tuple(mode(), other('Y'), movement('T')), std::make_tuple(0.0, 0.0, 1.0));
}

TEST_F(DorrikAim, a_charged_orb_fires_a_heavy_shot_whose_recoil_follows_the_aim)
{
    // up on the ground pushes down; down in the air throws up; neutral only back
    for (auto [aim, on_ground, fall_after, grounded_after] : {std::tuple{std::vector<char>{'A'}, 1.0, 5.0, 1.0},
                                                              {{'B'}, 0.0, -5.0, 0.0}, {{}, 1.0, 0.0, 1.0}}) {
        set_player('M', 30);
        set_player('L', on_ground);
        set_player('G', 0);
        set_player('B', 0);
        set_player('Q', 1);
        set_skin('F', 2);
        set_skin('G', 40);  // a ready orb is fully charged
        set_orb('A', 1);
        EventKit::set_value(kit.instance(types::MasterCamera_190), 'Z', 1);
        EXPECT_EQ(tick_with({'O', 'N'}), std::vector<unsigned>{200});
        // The charged orb keeps animation 2 and plays no aiming sound.
        std::vector<char> aiming = aim;
        aiming.push_back('N');
        EXPECT_EQ(tick_with(aiming), std::vector<unsigned>{});
        EXPECT_EQ(std::make_pair(orb_state(), orb()->forced_animation), std::make_pair(4.0, 2));
        EXPECT_EQ(tick_with(aim), std::vector<unsigned>{198}) << fall_after;
        EXPECT_EQ(EventKit::values(player(), "GLBQ"), doubles(fall_after, grounded_after, -7, 1)) << fall_after;
        EXPECT_EQ(std::make_tuple(orb_state(), orb()->forced_animation, EventKit::value(skin(), 'E')),
                  std::make_tuple(5.0, 5, 0.0));
        EXPECT_EQ(EventKit::value(kit.instance(types::MasterCamera_190), 'Z'), 4);
        int ticks = 0;
        while (mode() == 31 && ticks++ < 60)
            tick_with({});
        EXPECT_EQ(mode(), 1 - movement('L'));
    }
}
