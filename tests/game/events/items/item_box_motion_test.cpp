// Item boxes in motion: knocked up from below, rising and falling under
// their own gravity, landing; the timer-driven box animations; and a taken
// or thrown fuel pickup.
#include "tests/game/events/items/item_events.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace item_events;

namespace {


class ItemBoxMotion : public act1_test::StartTest {
protected:
    void enter() { kit.enter_empty_frame(course(item_box_events())); }

    // A box resting on the floor, away from the player.
    FrameObject* box_on_floor(const char* name, int x)
    {
        return kit.place(name, x, floor_top - half_box, player_terrain::playfield_layer);
    }

    FrameObject* head_at(int x, int y)
    {
        FrameObject* sensor = kit.instance(types::PlayerSensorTopBig_93);
        sensor->set_x(x);
        sensor->set_y(y);
        return sensor;
    }

    EventKit kit;
};

}  // namespace

TEST_F(ItemBoxMotion, a_box_struck_from_below_jumps_falls_back_and_comes_to_rest)
{
    enter();
    FrameObject* box = box_on_floor("MonitorRings_119", 400);
    const int rest = box->get_y();
    FrameObject* head = head_at(box->get_x() + 4, rest + half_box - 1);
    kit.run(1);
    EXPECT_EQ(kit.values(box, "AB"), doubles(1, -1.8));
    EXPECT_EQ(box->get_y(), rest - 2);  // rises in the tick it is struck

    head->set_y(rest + 300);  // the head goes away
    kit.run(1);
    EXPECT_EQ(box->get_y(), rest - 4);  // trunc(y - 1.8): 2 pixels
    kit.run(8);
    EXPECT_EQ(kit.value(box, 'B'), -2.7755575615628914e-16);  // still rising after ten additions
    // A box in motion struck again starts its jump anew.
    head->set_y(box->get_y() + half_box - 1);
    kit.run(1);
    EXPECT_EQ(kit.value(box, 'B'), -1.8);
    head->set_y(rest + 300);
    std::vector<int> heights;
    for (int tick = 0; tick < 40 && kit.value(box, 'A') == 1; ++tick) {
        heights.push_back(box->get_y());
        kit.run(1);
    }
    EXPECT_EQ(kit.value(box, 'A'), 0);  // landed on the floor
    EXPECT_FALSE(kit.flag(box, 0));
    EXPECT_GE(box->get_y(), rest);
    EXPECT_LT(*std::min_element(heights.begin(), heights.end()), rest - 10);
    EXPECT_TRUE(kit.instances(types::MonitorIcon_125).empty());  // a knock-up breaks nothing
}

TEST_F(ItemBoxMotion, a_box_in_motion_falls_faster_by_0_2_a_tick_up_to_10_a_tick)
{
    enter();
    FrameObject* box = kit.place("MonitorRings_119", 400, 20, player_terrain::playfield_layer);
    kit.set_value(box, 'A', 1);
    kit.set_value(box, 'B', 9.5);
    std::vector<int> heights;
    std::vector<double> speeds;
    for (int tick = 0; tick < 5; ++tick) {
        kit.run(1);
        heights.push_back(box->get_y());
        speeds.push_back(kit.value(box, 'B'));
    }
    // y = trunc(y + B), then B + 0.2, 10 once that reaches 10.
    EXPECT_EQ(heights, (std::vector<int>{29, 38, 47, 57, 67}));
    EXPECT_EQ(speeds[0], 9.7);
    EXPECT_DOUBLE_EQ(speeds[1], 9.9);
    EXPECT_EQ(std::vector<double>(speeds.begin() + 2, speeds.end()), doubles(10, 10, 10));
    for (int tick = 0; tick < 20 && kit.value(box, 'A') == 1; ++tick)
        kit.run(1);
    EXPECT_EQ(kit.value(box, 'A'), 0);
    EXPECT_EQ(box->get_y(), floor_top - half_box);
}

TEST_F(ItemBoxMotion, a_carried_or_thrown_box_or_a_player_in_mode_46_knocks_nothing_up)
{
    enter();
    FrameObject* carried = box_on_floor("MonitorCrate_126", 800);
    carried->alterables->flags |= 1 << 2;
    FrameObject* thrown = box_on_floor("Monitor1up_127", 700);
    kit.set_value(thrown, 'A', 2);
    kit.set_value(thrown, 'Y', -20);  // stays aloft for the tick
    head_at(800, floor_top - 2);
    kit.run(1);
    EXPECT_EQ(kit.value(carried, 'A'), 0);
    EXPECT_EQ(kit.value(carried, 'B'), 0);

    FrameObject* box = box_on_floor("MonitorBomb_128", 600);
    head_at(600, floor_top - 2);
    kit.set_value(kit.instance(types::PlayerMovementValues_80), 'M', 46);
    kit.run(1);
    EXPECT_EQ(kit.value(box, 'A'), 0);
    kit.set_value(kit.instance(types::PlayerMovementValues_80), 'M', 0);
    kit.run(1);
    EXPECT_EQ(kit.value(box, 'A'), 1);
}

TEST_F(ItemBoxMotion, four_boxes_show_the_frame_timer_and_the_keystone_box_turns_with_the_tick_count)
{
    enter();
    FrameObject* crystals = box_on_floor("MonitorCrystals_120", 500);
    FrameObject* keystone = box_on_floor("MonitorKeystone_322", 600);
    FrameObject* crate = box_on_floor("MonitorCrate_126", 700);
    FrameObject* life = box_on_floor("Monitor1up_127", 800);
    kit.frames().frame_time = 0.19;  // 206.7 ms in the tick
    kit.set_global(3, 95);
    kit.run(1);
    // 120 ms frames of 5, 60 ms of 30, 50 ms of 30.
    EXPECT_EQ(active(crystals)->get_frame(), 1);
    EXPECT_EQ(active(keystone)->get_frame(), 3);
    EXPECT_EQ(active(crate)->get_frame(), 0);  // its one frame: the forced frame is clamped
    EXPECT_EQ(active(life)->get_frame(), 4);
    EXPECT_EQ(keystone->get_direction(), 3);  // 95 / 30 mod 5
    kit.set_global(3, 479);
    kit.run(1);
    EXPECT_EQ(keystone->get_direction(), 0);  // 15 mod 5
}

TEST_F(ItemBoxMotion, a_hidden_fuel_sparkles_out_and_a_thrown_one_lands_as_a_bomb_icon)
{
    enter();
    FrameObject* taken = kit.place("ObjectFuel_341", 700, 100, 2);
    kit.set_value(taken, 'E', 2);
    kit.set_global(3, 9);  // 9 mod 7 = 2
    kit.run(1);
    std::vector<FrameObject*> sparkles = kit.instances(types::RingSparkle_179);
    ASSERT_EQ(sparkles.size(), 1u);
    EXPECT_GE(sparkles[0]->get_x(), 700 - 32);
    EXPECT_LE(sparkles[0]->get_x(), 700 + 15);
    EXPECT_EQ(active(sparkles[0])->get_frame(), 1);
    EXPECT_EQ(kit.value(taken, 'E'), 3);
    kit.set_global(3, 10);
    kit.run(1);
    EXPECT_EQ(kit.value(taken, 'E'), 3);  // only when the count is 2 mod 7
    kit.set_global(3, 16);
    kit.run(1);
    EXPECT_EQ(kit.value(taken, 'E'), 4);
    kit.run(1);
    EXPECT_TRUE(gone(kit, types::ObjectFuel_341, taken));

    FrameObject* fuel = kit.place("ObjectFuel_341", 400, floor_top - 60, 2);
    kit.set_value(fuel, 'A', 2);
    kit.set_value(fuel, 'X', 3);
    kit.set_value(fuel, 'Y', 14.8);
    kit.run(1);
    EXPECT_EQ(fuel->get_x(), 403);
    EXPECT_EQ(fuel->get_y(), floor_top - 46);
    EXPECT_EQ(kit.value(fuel, 'Y'), 15);  // capped
    for (int tick = 0; tick < 10 && !destroyed(fuel); ++tick)
        kit.run(1);
    ASSERT_TRUE(destroyed(fuel));
    std::vector<FrameObject*> icons = kit.instances(types::MonitorIcon_125);
    ASSERT_EQ(icons.size(), 1u);
    EXPECT_EQ(icons[0]->get_x(), fuel->get_x() - 16);
    EXPECT_EQ(active(icons[0])->get_frame(), 9);
}
