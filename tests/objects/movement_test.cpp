#include "objects/movements.h"
#include "runtime/frameobject.h"
#include "runtime/layer.h"
#include "runtime/manager.h"
#include "runtime/movement.h"

#include <cmath>
#include <gtest/gtest.h>
#include <vector>

namespace {

// An instance that remembers the animations its movement asks for.
class Mover : public FrameObject {
public:
    std::vector<int> animations;
    Mover(int x, int y) : FrameObject(x, y, 2) {}
    void set_animation(int animation) override { animations.push_back(animation); }
};

// Runs a movement for `ticks` ticks and lists the instance's positions.
std::vector<std::pair<int, int>> run(Movement& movement, int ticks)
{
    std::vector<std::pair<int, int>> positions;
    for (int i = 0; i < ticks; ++i) {
        movement.update();
        positions.emplace_back(movement.instance->x, movement.instance->y);
    }
    return positions;
}

using Path = std::vector<std::pair<int, int>>;

// A movement that steps a fixed distance, to test the shared step.
class Drift : public Movement {
public:
    double dx, dy;
    Drift(FrameObject* instance, double dx, double dy) : Movement(instance), dx(dx), dy(dy) {}
    void update() override { move(dx, dy); }
};

}  // namespace

TEST(Directions, degree_functions_and_unit_vectors_are_exact_on_the_axes)
{
    EXPECT_EQ(sin_deg(180.0), 0.0);
    EXPECT_EQ(cos_deg(90.0), 0.0);
    EXPECT_EQ(cos_deg(270.0), 0.0);
    EXPECT_EQ(sin_deg(90.0), 1.0);
    EXPECT_EQ(sin_deg(30.0), std::sin(30.0 / 57.29577951308232));

    const auto dir = [](int direction) {
        double x, y;
        get_dir(direction, x, y);
        return std::vector<double>{x, y};
    };
    EXPECT_EQ(dir(8), (std::vector<double>{0.0, -1.0}));
    EXPECT_EQ(dir(16), (std::vector<double>{-1.0, 0.0}));
    const double rad45 = 45.0 / 57.29577951308232;
    EXPECT_EQ(dir(4), (std::vector<double>{std::cos(rad45), -std::sin(rad45)}));
    float fx, fy;
    get_dir(24, fx, fy);
    EXPECT_EQ((std::vector<float>{fx, fy}), (std::vector<float>{0.0f, 1.0f}));

    EXPECT_EQ(get_distance(0.0f, 0.0f, 3.0f, 4.0f), 5.0f);
}

TEST(Directions, accelerator_table_converts_decelerations_to_speed_units)
{
    EXPECT_EQ(get_accelerator(0), 0.0078125);
    EXPECT_EQ(get_accelerator(27), 1.0);
    EXPECT_EQ(get_accelerator(60), 4.0);
    EXPECT_EQ(get_accelerator(81), 25.5625);  // out of order in the table
    EXPECT_EQ(get_accelerator(82), 19.1953125);
    EXPECT_EQ(get_accelerator(99), 100.0);
    EXPECT_EQ(get_accelerator(100), 100.0);
    EXPECT_EQ(get_accelerator(250), 250.0);
}

TEST(Movement, base_speed_operations_go_through_the_virtual_set_speed)
{
    Mover mover(0, 0);
    StaticMovement movement(&mover);
    movement.speed = 8;
    movement.set_max_speed(5);
    EXPECT_EQ(movement.speed, 5);
    movement.speed = 3;
    movement.set_max_speed(5);
    EXPECT_EQ(movement.speed, 3);

    movement.max_speed = 0;
    movement.speed = -2;
    movement.start();
    EXPECT_EQ(movement.speed, -2);
    movement.max_speed = 7;
    movement.start();
    EXPECT_EQ(movement.get_speed(), 7);
    movement.reverse();
    EXPECT_EQ(movement.speed, -7);
    EXPECT_FALSE(movement.is_stopped());
    movement.stop(false);
    EXPECT_TRUE(movement.is_stopped());

    movement.flags = Movement::START_ON_INIT;
    movement.init();
    EXPECT_EQ(movement.speed, 7);
}

TEST(Movement, step_moves_whole_pixels_carries_fractions_and_forgets_contacts)
{
    Mover mover(10, 10), other(0, 0);
    Drift right(&mover, 0.5, 0.0);
    right.add_collision(&other);
    right.add_collision(&other);
    right.set_background_collision();
    EXPECT_EQ(right.contacts.size(), 2u);
    EXPECT_EQ(run(right, 4), (Path{{10, 10}, {11, 10}, {11, 10}, {12, 10}}));
    EXPECT_TRUE(right.contacts.empty());
    EXPECT_FALSE(right.background_contact);

    // Leftward fractions are floored: the first step already moves a pixel.
    Mover left_mover(10, 0);
    Drift left(&left_mover, -0.3, 0.0);
    EXPECT_EQ(run(left, 4), (Path{{9, 0}, {9, 0}, {9, 0}, {8, 0}}));

    // A static movement never steps, so it keeps no contacts either.
    StaticMovement still(&mover);
    still.add_collision(&other);
    EXPECT_TRUE(still.contacts.empty());
}

TEST(BallMovement, moves_along_the_direction_and_decelerates_by_the_table)
{
    Mover mover(0, 0);
    BallMovement ball(&mover);
    ball.set_speed(16);
    EXPECT_EQ(run(ball, 3), (Path{{2, 0}, {4, 0}, {6, 0}}));
    EXPECT_EQ(mover.animations, (std::vector<int>{1, 1, 1}));

    mover.set_direction(8, false);
    ball.stop(false);
    ball.set_speed(3);
    ball.set_deceleration(27);
    mover.animations.clear();
    mover.x = mover.y = 0;
    run(ball, 5);
    EXPECT_EQ(ball.speed, 0);
    EXPECT_EQ(mover.animations, (std::vector<int>{1, 1, 1, 0, 0}));
    EXPECT_EQ(mover.y, -1);  // 3/8 + 2/8 + 1/8 of a pixel upward, floored
}

TEST(BallMovement, stop_saves_the_speed_and_start_restores_it)
{
    Mover mover(0, 0);
    BallMovement ball(&mover);
    ball.set_speed(12);
    ball.stop(false);
    EXPECT_EQ(ball.speed, 0);
    ball.speed = 5;  // a second stop keeps the first saved speed
    ball.stop(false);
    EXPECT_EQ(ball.saved_speed, 12);
    EXPECT_EQ(run(ball, 1), (Path{{0, 0}}));
    EXPECT_EQ(mover.animations, (std::vector<int>{0}));
    ball.start();
    EXPECT_EQ(ball.speed, 12);
    EXPECT_EQ(ball.saved_speed, 0);

    // Without the start flag, init leaves the ball waiting with its maximum.
    BallMovement waiting(&mover);
    waiting.max_speed = 20;
    waiting.init();
    EXPECT_EQ(waiting.speed, 0);
    EXPECT_EQ(waiting.saved_speed, 20);
    waiting.start();
    EXPECT_EQ(waiting.speed, 20);
}

TEST(PinballMovement, gravity_accelerates_the_fall_and_turns_the_direction_down)
{
    Mover mover(0, 0);
    PinballMovement pinball(&mover);
    pinball.set_gravity(25);
    pinball.flags |= Movement::START_ON_INIT;
    pinball.init();  // start: not stopped any more, velocity from speed 0
    EXPECT_EQ(mover.animations, (std::vector<int>{1}));
    std::vector<double> falls;
    double last = 0.0;
    for (int i = 0; i < 3; ++i) {
        pinball.update();
        const double fallen = mover.y + pinball.y_remainder;
        falls.push_back(fallen - last);
        last = fallen;
    }
    EXPECT_EQ(falls, (std::vector<double>{0.25, 0.5, 0.75}));
    EXPECT_EQ(mover.y, 1);
    EXPECT_EQ(mover.direction, 24);
    EXPECT_EQ(pinball.speed, 7);

    pinball.stop(false);
    mover.animations.clear();
    pinball.update();
    EXPECT_EQ(mover.animations, (std::vector<int>{0}));
}

TEST(PinballMovement, speed_is_capped_and_deceleration_brings_it_to_rest)
{
    Mover mover(0, 0);
    PinballMovement pinball(&mover);
    pinball.set_speed(8);  // at rest, a new speed points right
    EXPECT_EQ(pinball.velocity_x, 8.0f);
    EXPECT_EQ(pinball.velocity_y, -0.0f);
    EXPECT_TRUE(std::signbit(pinball.velocity_y));

    pinball.start();
    pinball.velocity_x = 150.0f;
    pinball.velocity_y = 0.0f;
    pinball.update();
    EXPECT_EQ(pinball.speed, 100);
    EXPECT_EQ(pinball.velocity_x, 150.0f);  // the cap is the speed's only
    EXPECT_EQ(mover.x, 15);

    pinball.set_deceleration(500);  // 10 units a tick
    pinball.velocity_x = 4.0f;
    mover.animations.clear();
    pinball.update();
    pinball.update();
    EXPECT_EQ(pinball.velocity_x, 0.0f);
    EXPECT_EQ(pinball.velocity_y, 0.0f);
    EXPECT_EQ(pinball.speed, 0);
    EXPECT_EQ(mover.animations, (std::vector<int>{1, 1}));

    // A new direction keeps the magnitude.
    pinball.velocity_x = 3.0f;
    pinball.set_direction(16);
    EXPECT_EQ(pinball.velocity_x, -3.0f);
    EXPECT_EQ(pinball.velocity_y, 0.0f);
}

TEST(VectorMovement, moves_at_its_angle_only_with_a_speed)
{
    Mover mover(0, 0);
    VectorMovement vector(&mover);
    EXPECT_EQ(run(vector, 2), (Path{{0, 0}, {0, 0}}));
    EXPECT_TRUE(mover.animations.empty());
    vector.set_speed(100);
    EXPECT_EQ(run(vector, 3), (Path{{1, 0}, {2, 0}, {3, 0}}));
    EXPECT_EQ(mover.animations, (std::vector<int>{1, 1, 1}));
    vector.angle = 90.0f;
    EXPECT_EQ(run(vector, 1), (Path{{3, -1}}));
}

TEST(VectorMovement, aimed_at_a_point_it_closes_in_and_does_not_run_away)
{
    // Steered as the snake's body is: each tick at the point, with a speed
    // of 20 per pixel of the gap (a fifth of the gap a tick).
    Layer layer;
    Mover mover(300, 100);
    mover.layer = &layer;
    VectorMovement vector(&mover);
    const auto steer = [&] {
        const double gap = std::hypot(100.0 - mover.x, 200.0 - mover.y);
        vector.set_speed(int(20 * gap));
        vector.look_at(100, 200);
        vector.update();
    };
    for (int tick = 0; tick < 60; ++tick)
        steer();
    EXPECT_NEAR(mover.x, 100, 5);
    EXPECT_NEAR(mover.y, 200, 5);
    // Up and to the left: 135 degrees; at the point itself the angle stays.
    Mover other(0, 0);
    other.layer = &layer;
    VectorMovement turned(&other);
    turned.look_at(-10, -10);
    EXPECT_FLOAT_EQ(turned.angle, 135.0f);
    turned.look_at(0, 0);
    EXPECT_FLOAT_EQ(turned.angle, 135.0f);
}

TEST(ShootMovement, a_shot_follows_its_direction_and_never_drifts_on_an_axis)
{
    Mover shooter(100, 50), shot(0, 0);
    Layer layer;
    shooter.layer = shot.layer = &layer;

    shooter.set_direction(16, false);
    shooter.shoot(&shot, 8, -1);  // the shooter's direction
    EXPECT_EQ(shot.direction, 16);
    EXPECT_EQ(run(*shot.movement, 3), (Path{{99, 50}, {98, 50}, {97, 50}}));

    shooter.shoot(&shot, 8, 4);
    EXPECT_EQ(run(*shot.movement, 2), (Path{{100, 49}, {101, 48}}));
}

TEST(ShootMovement, shooting_never_frees_a_listed_movement_twice)
{
    Mover shooter(0, 0);
    Mover* shot = new Mover(5, 5);
    Layer layer;
    shooter.layer = shot->layer = &layer;
    // Two listed movements, the first current, as a generated class sets them.
    shot->movement_count = 2;
    shot->movements = new Movement*[2]{new BallMovement(shot), new VectorMovement(shot)};
    shot->movements[1]->index = 1;
    shot->set_movement(0);

    shooter.shoot(shot, 16, 0);
    ASSERT_NE(shot->movement, nullptr);
    EXPECT_EQ(shot->movements[0], shot->movement);  // took the deleted one's place
    EXPECT_EQ(shot->movement->index, 0);
    shot->movement->update();
    EXPECT_EQ(shot->x, 2);
    // Switching away and back finds the shot movement, not a freed one.
    shot->set_movement(1);
    shot->set_movement(0);
    EXPECT_EQ(shot->movement->get_speed(), 16);
    shooter.shoot(shot, 8, 0);
    EXPECT_EQ(shot->movements[0], shot->movement);
    delete shot;  // under the sanitizers a second free would fail here
}
