// Spikes hurt only the side that moves into them, by 10 plus half the speed
// into them, never through the magnetic shield or invincibility; ladders
// are taken from below, swung onto while running, and climbed down from
// their top with the camera in its ladder mode.
#include "audio/media.h"
#include "runtime/frame.h"
#include "tests/game/events/items/items_kit.h"

using namespace items_test;

namespace {

class Spikes : public ItemsScene {
protected:
    void SetUp() override
    {
        ItemsScene::SetUp();
        enter({&Frames::event_func_1772, &Frames::event_func_1773, &Frames::event_func_1774,
               &Frames::event_func_1775});
        // Each sensor on the spikes it could touch, apart from the others.
        // (In view: the runtime leaves instances far out of view inactive.)
        place("PlayerSensorBottomBig_95", 50, 60);
        up = place("HazardSpikesUp_133", 50, 180);
        place("PlayerSensorTopBig_93", 150, 60);
        down = place("HazardSpikesDown_134", 150, 180);
        place("PlayerSensorRightBig_91", 250, 60);
        left = place("HazardSpikesLeft_135", 250, 180);
        place("PlayerSensorLeftBig_89", 350, 60);
        right = place("HazardSpikesRight_136", 350, 180);
    }

    // The pending damage one tick adds with the speeds (B, G), R cleared first.
    double damage_of(double b, double g)
    {
        set(values, 'R', 0);
        set(values, 'B', b);
        set(values, 'G', g);
        set(meter, 'B', 0);
        kit.run(1);
        return value(meter, 'B');
    }

    static void move_in(FrameObject* spikes) { spikes->set_y(60); }
    static void move_out(FrameObject* spikes) { spikes->set_y(180); }

    FrameObject *up = nullptr, *down = nullptr, *left = nullptr, *right = nullptr;
};

}  // namespace

TEST_F(Spikes, hurt_from_their_side_only_and_add_half_the_speed_into_them)
{
    EXPECT_EQ(damage_of(0, 0), 0);  // no spikes touched
    move_in(up);
    EXPECT_EQ(damage_of(0, 0), 10);  // standing still on them hurts
    EXPECT_EQ(value(values, 'R'), 1);
    EXPECT_EQ(damage_of(0, 5), 12.5);
    EXPECT_EQ(damage_of(0, -0.5), 0);  // rising off them
    EXPECT_EQ(value(values, 'R'), 0);
    move_out(up);

    move_in(down);
    EXPECT_EQ(damage_of(0, -6), 13);
    EXPECT_EQ(damage_of(0, 1), 0);
    move_out(down);

    move_in(left);
    EXPECT_EQ(damage_of(8, 0), 14);
    EXPECT_EQ(damage_of(-1, 0), 0);
    move_out(left);

    move_in(right);
    EXPECT_EQ(damage_of(-4, 0), 12);
    EXPECT_EQ(damage_of(2, 0), 0);

    // Two kinds at once add both amounts.
    move_in(up);
    EXPECT_EQ(damage_of(0, 0), 20);
}

TEST_F(Spikes, the_magnetic_shield_and_invincibility_keep_the_player_safe)
{
    move_in(up);
    set(others, 'B', 3);
    EXPECT_EQ(damage_of(0, 4), 0);
    EXPECT_EQ(value(values, 'R'), 0);
    set(others, 'B', 2);  // any other shield does not
    EXPECT_EQ(damage_of(0, 4), 12);
    set(others, 'B', 0);
    set(others, 'D', 1);
    EXPECT_EQ(damage_of(0, 4), 0);
}

namespace {

// A ladder from y 100 to 227 at x 100-131, its top marker at (116, 150).
class LadderGrabs : public ItemsScene {
protected:
    void SetUp() override
    {
        ItemsScene::SetUp();
        enter({&Frames::event_func_1776, &Frames::event_func_1777, &Frames::event_func_1778,
               &Frames::event_func_1779, &Frames::event_func_1780});
        f().add_background_object(create_object("VostrelLadder_267", 100, 100), 1);
        place("LadderTop_268", 116, 150);
        input = place("PlayerInput_21", -176, -56);
        camera = place("MasterCamera_190", 0, 0);
        skin = place("PlayerSkinYelto_102", 0, 0);
    }

    // One tick holding up and/or down with the player at (x, y), speed b.
    void try_grab(double x, double y, double b, bool up, bool down)
    {
        set(values, 'X', x);
        set(values, 'Y', y);
        set(values, 'B', b);
        set(values, 'M', 0);
        set(others, 'Y', 0);
        set(input, 'A', up);
        set(input, 'B', down);
        kit.run(1);
    }

    FrameObject *input = nullptr, *camera = nullptr, *skin = nullptr;
};

}  // namespace

TEST_F(LadderGrabs, holding_up_below_a_ladder_top_takes_the_ladder_within_15_pixels_and_below_speed_4)
{
    media.play_id(7, -1, 0);
    try_grab(110, 200, 3.5, true, false);
    EXPECT_EQ(EventKit::values(values, "MX"), doubles(46, 116));
    EXPECT_EQ(value(others, 'Y'), 27);
    EXPECT_FALSE(media.is_sample_playing(7));

    try_grab(102, 200, 0, true, false);  // 14 pixels away
    EXPECT_EQ(value(values, 'M'), 46);
    try_grab(101, 200, 0, true, false);  // 15 pixels: strictly within only
    EXPECT_EQ(value(values, 'M'), 0);
    try_grab(110, 200, 0, true, true);   // up and down together
    EXPECT_EQ(value(values, 'M'), 0);
    try_grab(110, 140, 0, true, false);  // above the top
    EXPECT_EQ(value(values, 'M'), 0);
    try_grab(110, 240, 0, true, false);  // off the ladder backdrop
    EXPECT_EQ(value(values, 'M'), 0);
    try_grab(110, 200, -4, true, false);  // too fast to grab, too slow to swing
    EXPECT_EQ(value(values, 'M'), 0);
    set(values, 'M', 9);
    set(input, 'A', 1);
    kit.run(1);
    EXPECT_EQ(value(values, 'M'), 9);
}

TEST_F(LadderGrabs, running_past_a_ladder_top_swings_onto_it_keeping_the_facing)
{
    try_grab(120, 200, 4, true, false);  // the top 4 pixels behind, running right
    EXPECT_EQ(EventKit::values(values, "MXQ"), doubles(46, 116, 1));
    EXPECT_EQ(value(others, 'Y'), 47);
    try_grab(120, 200, -6, true, false);
    EXPECT_EQ(EventKit::values(values, "MXQ"), doubles(46, 116, -1));
    try_grab(116, 200, 6, true, false);  // the top must lie behind the player's x
    EXPECT_EQ(value(values, 'M'), 0);
}

TEST_F(LadderGrabs, holding_down_on_a_ladder_top_climbs_down_with_the_camera_in_ladder_mode_until_the_mode_ends)
{
    place("PlayerSensorBottomBig_95", 116, 150);
    set(skin, 'O', 5);
    try_grab(130, 140, 2, false, true);
    EXPECT_EQ(EventKit::values(values, "MXY"), doubles(25, 116, 158));
    EXPECT_EQ(value(others, 'Y'), 28);
    EXPECT_EQ(value(camera, 'M'), 4);
    EXPECT_EQ(value(skin, 'O'), 0);

    set(input, 'B', 0);
    kit.run(3);  // still climbing down: the camera stays
    EXPECT_EQ(value(camera, 'M'), 4);
    set(values, 'M', 46);
    kit.run(1);
    EXPECT_EQ(value(camera, 'M'), 0);

    // Already on the ladder, or with the reflector busy, nothing happens.
    set(input, 'B', 1);
    kit.run(1);
    EXPECT_EQ(value(values, 'M'), 46);
    FrameObject* reflector = place("PlayerReflect_343", -300, -300);
    set(reflector, 'A', 4);
    try_grab(130, 140, 0, false, true);
    EXPECT_EQ(value(values, 'M'), 0);
}
