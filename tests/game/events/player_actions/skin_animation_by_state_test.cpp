// Each player state shows its animation on every body skin (a number a
// skin lacks shows its first animation), the hair and tails follow in the
// states that name them, the one-shot state ends with Yelto's animation 20,
// leaving the ground going down starts the fall at its seventh frame, and
// the contact sensor takes the shape of the state.
#include "tests/game/events/player_actions/skin_stage.h"

using namespace skin_test;

namespace {

class SkinAnimation : public SkinStage {
protected:
    // The state for one tick on the ground, standing still.
    void show_state(double number)
    {
        set_player('L', 1);
        set_player('G', 0);
        set_state(number);
        kit.run(1);
    }

    int sensor_animation() { return skin(types::PlayerCharacterSensor_151)->current_animation; }
};

struct Row {
    double state;
    int yelto, pimsa;
};

}  // namespace

TEST_F(SkinAnimation, every_state_shows_its_animation_on_every_body_skin)
{
    constexpr Row rows[] = {
        {0, 0, 0},    {1, 1, 1},    {3, 24, 24},  {4, 11, 11},  {5, 10, 10},  {6, 16, 16},  {7, 13, 13},
        {8, 7, 7},    {9, 8, 8},    {10, 38, 38}, {11, 5, 5},   {13, 12, 12}, {14, 18, 18}, {15, 26, 26},
        {16, 22, 22}, {19, 22, 22}, {20, 25, 25}, {21, 26, 26}, {22, 29, 29}, {23, 30, 30}, {24, 28, 28},
        {25, 27, 27}, {26, 39, 39}, {27, 9, 9},   {28, 36, 36}, {29, 35, 35}, {41, 15, 15}, {42, 17, 17},
        {43, 19, 20}, {44, 21, 21}, {45, 32, 32}, {46, 31, 31}, {47, 33, 33}, {48, 37, 37}, {50, 40, 40},
        {51, 41, 41},
    };
    for (const Row& row : rows) {
        show_state(row.state);
        EXPECT_EQ(animations({types::PlayerSkinYelto_102, types::PlayerSkinPimsa_324}),
                  (std::vector<int>{row.yelto, row.pimsa}))
            << "state " << row.state;
    }
    // A state without a row changes nothing.
    show_state(17);
    EXPECT_EQ(animations(bodies), (std::vector<int>{41, 41, 41, 0, 41, 41}));

    // Where a skin lacks the number it shows its first animation.
    show_state(7);
    EXPECT_EQ(animations(bodies), (std::vector<int>{13, 0, 13, 13, 0, 0}));
    show_state(10);
    EXPECT_EQ(skin(types::PlayerSkinPimsaBike_338)->current_animation, 0);

    // The hair and tails follow in state 5 and keep it in state 6.
    show_state(5);
    EXPECT_EQ(animations(followers), (std::vector<int>{10, 10, 10}));
    show_state(6);
    EXPECT_EQ(animations(followers), (std::vector<int>{10, 10, 10}));
    EXPECT_EQ(animations(bodies), std::vector<int>(6, 16));

    // States 41 and 42 clear the travel angle.
    set_others('X', 90);
    show_state(41);
    EXPECT_EQ(EventKit::value(others(), 'X'), 0);
}

TEST_F(SkinAnimation, running_switches_to_the_sprint_at_the_thresholds)
{
    set_player('B', -9.4);
    show_state(2);
    EXPECT_EQ(animations(bodies), (std::vector<int>{2, 2, 2, 2, 2, 0}));
    // Yelto's and Orrun's sprint from 9.5; Hespin's only while Hespin plays.
    set_player('B', 9.5);
    show_state(2);
    EXPECT_EQ(animations(bodies), (std::vector<int>{23, 23, 2, 2, 2, 0}));
    set_player('A', 5);
    set_player('B', 6.9);
    show_state(2);
    EXPECT_EQ(skin(types::PlayerSkinHespin_351)->current_animation, 2);
    set_player('B', -7);
    show_state(2);
    EXPECT_EQ(skin(types::PlayerSkinHespin_351)->current_animation, 23);
    EXPECT_EQ(skin(types::PlayerSkinYelto_102)->current_animation, 2);
}

TEST_F(SkinAnimation, the_one_shot_state_lasts_while_yeltos_animation_20_plays_once)
{
    set_player('A', 2);
    show_state(12);
    int ticks = 1;
    while (state() == 12 && ticks < 100) {
        EXPECT_EQ(EventKit::value(player(), 'S'), 1);
        EXPECT_EQ(animations(bodies), (std::vector<int>{20, 20, 20, 20, 20, 20}));
        set_player('S', 0);
        kit.run(1);
        ++ticks;
    }
    // Eight frames at a quarter frame a tick; the tick it ends shows state 0's animation.
    EXPECT_EQ(ticks, 32);
    EXPECT_EQ(state(), 0);
    EXPECT_EQ(skin(types::PlayerSkinYelto_102)->animation_finished, 20);
    EXPECT_EQ(animations(bodies), std::vector<int>(6, 0));
    EXPECT_EQ(EventKit::value(player(), 'S'), 0);
}

TEST_F(SkinAnimation, leaving_the_ground_going_down_starts_the_fall_at_its_seventh_frame)
{
    // Off the ground but not going down: still walking.
    show_state(1);
    set_player('L', 0);
    kit.run(1);
    EXPECT_EQ(state(), 1);
    set_player('G', 0.5);
    kit.run(1);
    EXPECT_EQ(state(), 40);
    EXPECT_EQ(animations(bodies), std::vector<int>(6, 24));
    EXPECT_EQ(animations(followers), std::vector<int>(3, 24));
    // Frame 6, or the last of a shorter fall.
    EXPECT_EQ(each({types::PlayerSkinYelto_102, types::PlayerSkinPimsaBike_338, types::PlayerSkinDorrikTail_342,
                    types::PlayerSkinHespin_351},
                   [](Active* s) { return s->get_frame(); }),
              (std::vector<int>{6, 1, 0, 6}));
    // It plays on from there without starting over.
    set_player('G', 5);
    kit.run(8);
    EXPECT_EQ(skin(types::PlayerSkinYelto_102)->current_animation, 24);
    EXPECT_GT(skin(types::PlayerSkinYelto_102)->get_frame(), 6);
    // Rising shows the rise; a speed of exactly 0 the fall from frame 6 again.
    set_player('G', -2);
    kit.run(1);
    EXPECT_EQ(animations(bodies), std::vector<int>(6, 14));
    set_player('G', 0);
    kit.run(1);
    EXPECT_EQ(skin(types::PlayerSkinYelto_102)->current_animation, 24);
    EXPECT_EQ(skin(types::PlayerSkinYelto_102)->get_frame(), 6);
}

TEST_F(SkinAnimation, the_contact_sensor_curls_up_in_the_attacking_states_and_keeps_its_shape_elsewhere)
{
    struct Shape {
        double state;
        int animation;
    };
    for (const Shape shape : {Shape{5, 1}, Shape{0, 0}, Shape{8, 1}, Shape{27, 1}, Shape{40, 0}, Shape{42, 1},
                              Shape{2, 0}, Shape{26, 1}, Shape{10, 0}, Shape{23, 1}}) {
        show_state(shape.state);
        EXPECT_EQ(sensor_animation(), shape.animation) << "state " << shape.state;
    }
    // State 14 curls Yelto up, not Orrun.
    set_player('A', 1);
    show_state(14);
    EXPECT_EQ(sensor_animation(), 1);
    show_state(0);
    show_state(14);
    EXPECT_EQ(sensor_animation(), 0);
    set_player('A', 0);
    show_state(14);
    EXPECT_EQ(sensor_animation(), 1);
}

// Orrun alone: the events that wait on Yelto's skin read the default
// animated object, never past a plain one.
TEST(SkinAnimationWithoutYelto, the_one_shot_state_and_the_fall_read_a_missing_yelto_skin_as_idle)
{
    EventKit kit;
    kit.enter_empty_frame({.layers = 2, .handler = run_skin_events, .set_up = [&kit](Frames& frames) {
                               frames.level_group_43 = true;
                               frames.level_group_23 = true;
                               for (const char* name : {"PlayerMovementValues_80", "PlayerOthers_75",
                                                        "PlayerInput_21", "MasterGroupsA_83"})
                                   kit.place(name, -100, -100, 1);
                               kit.place("PlayerSkinOrrun_290", 100, 100, 1);
                           }});
    FrameObject* others = kit.instance(types::PlayerOthers_75);
    FrameObject* player = kit.instance(types::PlayerMovementValues_80);
    EventKit::set_value(others, 'Y', 12);
    kit.run(1);
    EXPECT_EQ(EventKit::value(others, 'Y'), 12);

    EventKit::set_value(others, 'Y', 40);
    EventKit::set_value(player, 'G', 1);
    kit.run(1);
    EXPECT_EQ(static_cast<Active*>(kit.instance(types::PlayerSkinOrrun_290))->current_animation, 24);
}
