// The star flounder: it patrols a pixel a tick from where it was placed,
// bobbing 8 pixels on the sine of H, turns 200 pixels out and comes back
// after the turn animation, hurts only a player behind it, and once struck
// stops and blows up on a solid.
#include "tests/game/events/act2/act2_stage.h"

#include <cmath>

using act2_stage::Act2Stage;

namespace {

std::vector<act2_stage::Event> flounder_order()
{
    std::vector<act2_stage::Event> order;
    for (auto event : {&Frames::event_func_2358, &Frames::event_func_2359, &Frames::event_func_2360,
                       &Frames::event_func_2361, &Frames::event_func_2362, &Frames::event_func_2363,
                       &Frames::event_func_2364, &Frames::event_func_2365, &Frames::event_func_2366,
                       &Frames::event_func_2367, &Frames::event_func_2368, &Frames::event_func_2369,
                       &Frames::event_func_2370})
        order.push_back(event);
    return order;
}

}  // namespace

class StarFlounder : public Act2Stage {
protected:
    void SetUp() override
    {
        Act2Stage::SetUp();
        enter(flounder_order());
        fish = kit.place("EnemyStarFlounder_401", 220, 120);
    }

    double d() { return EventKit::value(fish, 'D'); }
    FrameObject* fish = nullptr;
};

TEST_F(StarFlounder, patrols_bobbing_turns_200_pixels_out_and_comes_back)
{
    kit.run(1);
    EXPECT_EQ(EventKit::values(fish, "FGHB"), doubles(220, 120, 2, 0));
    EXPECT_EQ(std::make_pair(fish->get_x(), fish->get_y()), std::make_pair(219, 120));
    kit.run(44);
    EXPECT_EQ(fish->get_x(), 175);
    EXPECT_EQ(fish->get_y(), int(120 + 8 * std::sin(88 / 57.29577951308232)));
    kit.run(91);
    EXPECT_EQ(std::make_pair(fish->get_x(), fish->get_y()), std::make_pair(84, 112));  // H 270

    kit.run(64);
    EXPECT_EQ(fish->get_x(), 20);  // 200 out of its origin
    EXPECT_EQ(d(), 0);
    kit.run(1);
    EXPECT_EQ(fish->get_x(), 19);
    EXPECT_EQ(EventKit::values(fish, "DE"), doubles(1, 1));
    EXPECT_EQ(fish->get_direction(), 0);
    EXPECT_TRUE(sprite(fish)->test_animation(10));
    int ticks = 0;
    while (d() == 1 && ticks++ < 100) {
        EXPECT_EQ(fish->get_x(), 19);  // still while turning
        kit.run(1);
    }
    kit.run(1);
    EXPECT_EQ(fish->get_x(), 20);
}

TEST_F(StarFlounder, hurts_only_from_behind_and_blows_up_when_struck)
{
    FrameObject* sensor = kit.place("PlayerCharacterSensor_151", 210, 120);  // ahead of it, facing left
    kit.run(1);
    EXPECT_EQ(EventKit::value(fish, 'B'), 0);
    sensor->set_x(228);  // behind it
    kit.run(1);
    EXPECT_EQ(EventKit::value(fish, 'B'), 5);
    sensor->destroy();

    set_flag(fish, 6, true);
    kit.run(1);
    EXPECT_EQ(d(), 5);
    EXPECT_TRUE(sprite(fish)->test_animation(8));
    const int x = fish->get_x();
    kit.run(2);
    EXPECT_EQ(fish->get_x(), x);
    kit.place("MonitorCrystals_120", x, fish->get_y());
    EventKit::set_value(fish, 'Y', 1);
    sounds();
    kit.run(1);
    EXPECT_TRUE(fish->flags & FrameObject::DESTROYING);
    EXPECT_EQ(kit.instances(types::EffectShade_309).size(), 1u);
    EXPECT_EQ(sounds(), std::vector<unsigned>{46});
}

TEST_F(StarFlounder, turns_one_pixel_past_200_out_each_way_and_only_the_rightward_turn_clears_a_hurt_from_behind)
{
    kit.run(1);
    ASSERT_EQ(EventKit::value(fish, 'F'), 220);
    FrameObject* sensor = kit.place("PlayerCharacterSensor_151", 0, 120);
    // Each tick the sensor is 9 pixels behind the fish once it has moved.
    auto tick_touched_behind = [&](int behind) {
        sensor->set_position(fish->get_x() + behind, fish->get_y());
        kit.run(1);
    };
    fish->set_x(21);
    tick_touched_behind(8);
    EXPECT_EQ(fish->get_x(), 20);  // F - 200: still patrolling
    EXPECT_EQ(EventKit::values(fish, "DEB"), doubles(0, -1, 5));
    tick_touched_behind(8);
    EXPECT_EQ(fish->get_x(), 19);
    EXPECT_EQ(EventKit::values(fish, "DEB"), doubles(1, 1, 5));  // the leftward turn keeps B
    EXPECT_EQ(fish->get_direction(), 0);

    for (int ticks = 0; d() == 1 && ticks < 100; ++ticks)
        kit.run(1);
    fish->set_x(419);
    tick_touched_behind(-8);
    EXPECT_EQ(fish->get_x(), 420);  // F + 200: still patrolling
    EXPECT_EQ(EventKit::values(fish, "DEB"), doubles(0, 1, 5));
    tick_touched_behind(-8);
    EXPECT_EQ(fish->get_x(), 421);
    EXPECT_EQ(EventKit::values(fish, "DEB"), doubles(1, -1, 0));  // the rightward turn clears it
    EXPECT_EQ(fish->get_direction(), 16);
}
