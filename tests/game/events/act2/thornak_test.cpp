// The Thornak: it falls from where it was placed, lands on a solid, walks
// and hops straight up after 61 ticks, hurts the player it touches, slows
// in water with one splash, is thrown by a diagonal spring, and once struck
// stops and blows up on a solid.
#include "tests/game/events/act2/act2_stage.h"

using act2_stage::Act2Stage;

namespace {

std::vector<act2_stage::Event> thornak_order()
{
    std::vector<act2_stage::Event> order;
    static constexpr void (Frames::*events[])() = {
        &Frames::event_func_2329, &Frames::event_func_2330, &Frames::event_func_2331, &Frames::event_func_2332,
        &Frames::event_func_2333, &Frames::event_func_2334, &Frames::event_func_2335, &Frames::event_func_2336,
        &Frames::event_func_2337, &Frames::event_func_2338, &Frames::event_func_2339, &Frames::event_func_2340,
        &Frames::event_func_2341, &Frames::event_func_2342, &Frames::event_func_2343, &Frames::event_func_2344,
        &Frames::event_func_2345, &Frames::event_func_2346, &Frames::event_func_2347, &Frames::event_func_2348,
        &Frames::event_func_2349, &Frames::event_func_2350, &Frames::event_func_2351, &Frames::event_func_2352,
        &Frames::event_func_2353, &Frames::event_func_2354, &Frames::event_func_2355, &Frames::event_func_2356,
        &Frames::event_func_2357};
    order.assign(std::begin(events), std::end(events));
    return order;
}

}  // namespace

class Thornak : public Act2Stage {
protected:
    void SetUp() override
    {
        Act2Stage::SetUp();
        enter(thornak_order());
        thornak = kit.place("EnemyThornak_394", 200, 100);
    }

    double d() { return EventKit::value(thornak, 'D'); }
    FrameObject* thornak = nullptr;
};

TEST_F(Thornak, falls_lands_walks_hops_and_blows_up_when_struck)
{
    kit.place("MonitorCrystals_120", 200, 200);
    kit.run(1);
    EXPECT_EQ(EventKit::values(thornak, "GHF"), doubles(200, 100, 0.25));
    kit.run(3);
    EXPECT_EQ(EventKit::values(thornak, "HF"), doubles(101.5, 1));  // 0.25 a tick
    int ticks = 0;
    while (d() != 1 && ticks++ < 100)
        kit.run(1);
    // Tick 24 takes H from 163.25 to 169, into the solid's top row (184);
    // the floor loop stops the fall and lifts it a pixel: it stands on the
    // solid, its box's bottom edge at 184.
    EXPECT_EQ(ticks, 20);
    EXPECT_EQ(EventKit::values(thornak, "HF"), doubles(168, 0));
    EXPECT_EQ(thornak->get_y() + 16, 184);
    EXPECT_EQ(EventKit::value(thornak, 'E'), 0);
    EXPECT_TRUE(sprite(thornak)->test_animation(10));

    // Once its landing animation is over, the steering loop turns it toward
    // the player: left, as it stands right of the player.
    kit.place("Player_87", 100, 100);
    ticks = 0;
    while (sprite(thornak)->test_animation(10) && ticks++ < 100) {
        EXPECT_EQ(d(), 1);
        kit.run(1);
    }
    EXPECT_EQ(EventKit::values(thornak, "DE"), doubles(2, -1.6));
    EXPECT_TRUE(sprite(thornak)->test_animation(1));
    kit.run(1);
    EXPECT_EQ(thornak->get_direction(), 16);  // facing its walk

    // Walking in place on the floor: gravity pulls it down a little each
    // tick until it touches the solid, and the floor loop lifts it back, so
    // it stays at 168 with F running 0, 0.25, 0.5 (0.75). I counts only the
    // ticks with F below 0.5, six in ten: its 61 counts take 101 ticks.
    EventKit::set_value(thornak, 'D', 2);
    EventKit::set_value(thornak, 'F', 0);
    EventKit::set_value(thornak, 'E', 0);
    EventKit::set_value(thornak, 'H', 168);
    EventKit::set_value(thornak, 'I', 0);
    const std::vector<std::vector<double>> hover = {{168, 0.25, 1}, {168.25, 0.5, 1}, {168.75, 0.75, 1}, {168.5, 0, 2}};
    for (const std::vector<double>& hfi : hover) {
        kit.run(1);
        EXPECT_EQ(EventKit::values(thornak, "HFI"), hfi);
        EXPECT_EQ(thornak->get_y(), 168);
    }
    ticks = 4;
    double counted = 2;
    while (d() == 2 && ticks++ < 200) {
        counted = EventKit::value(thornak, 'I');
        kit.run(1);
        EXPECT_EQ(thornak->get_y(), 168);
    }
    EXPECT_EQ(ticks, 101);
    EXPECT_EQ(counted, 60);
    EXPECT_EQ(EventKit::values(thornak, "DI"), doubles(3, 0));
    ticks = 0;
    while (d() == 3 && ticks++ < 100)
        kit.run(1);
    EXPECT_EQ(sprite(thornak)->get_frame(), 5);
    EXPECT_EQ(EventKit::values(thornak, "DF"), doubles(0, -6));  // straight up

    set_flag(thornak, 6, true);
    kit.run(1);
    EXPECT_EQ(d(), 4);
    EXPECT_TRUE(sprite(thornak)->test_animation(8));
    const int x = thornak->get_x(), y = thornak->get_y();
    kit.run(2);
    EXPECT_EQ(std::make_pair(thornak->get_x(), thornak->get_y()), std::make_pair(x, y));
    kit.place("MonitorCrystals_120", x, y);
    EventKit::set_value(thornak, 'Y', 1);
    sounds();
    kit.run(1);
    EXPECT_TRUE(thornak->flags & FrameObject::DESTROYING);
    EXPECT_EQ(kit.instances(types::EffectShade_309).size(), 1u);
    EXPECT_EQ(kit.instances(types::EffectsExplosion01_130).size(), 1u);
    EXPECT_EQ(sounds(), std::vector<unsigned>{46});
}

TEST_F(Thornak, hurts_by_touch_slows_in_water_and_rides_a_spring)
{
    FrameObject* sensor = kit.place("PlayerCharacterSensor_151", 200, 100);
    kit.run(1);
    EXPECT_EQ(EventKit::value(thornak, 'B'), 5);
    set_move('M', 9);
    kit.run(1);
    EXPECT_EQ(EventKit::value(thornak, 'B'), 0);
    sensor->destroy();

    set_level('A', 1);
    set_level('B', 110);
    set_level('C', 108.5);
    kit.place("PlayerStartingPoint_160", 20, 20);
    int ticks = 0;
    while (!EventKit::flag(thornak, 1) && ticks++ < 100)
        kit.run(1);
    EXPECT_GT(thornak->get_y(), 110);
    ASSERT_EQ(kit.instances(types::EffectsWaterSplash_157).size(), 1u);
    EXPECT_EQ(kit.instances(types::EffectsWaterSplash_157)[0]->get_y(), 108);
    EXPECT_EQ(sounds(), std::vector<unsigned>{14});
    EXPECT_EQ(EventKit::value(thornak, 'F'), 1);  // a pixel a tick
    kit.run(1);
    EXPECT_DOUBLE_EQ(EventKit::value(thornak, 'F'), 1.05);  // water's gravity

    kit.place("YellowSpringUpLeft_193", thornak->get_x(), thornak->get_y() + 10);
    kit.run(1);
    EXPECT_EQ(EventKit::values(thornak, "EDF"), doubles(-8, 0, -8));
    EXPECT_EQ(sounds(), std::vector<unsigned>{5});
    EXPECT_EQ(thornak->get_direction(), 16);
}
