// The pressure plate and its door: the player standing on the plate (not
// jumping), a pushed block or the bike holds it; the door of its number
// slides 8 pixels a tick down to 128 and is drawn on layer 1 while open,
// and back up onto its home layer 2 when the plate is free.
#include "tests/game/events/act2/act2_stage.h"

using act2_stage::Act2Stage;

namespace {

#define E(n) &Frames::event_func_##n
const std::vector<act2_stage::Event> switch_order = {E(2294), E(2295), E(2296), E(2297), E(2298),
                                                     E(2299), E(2300), E(2301), E(2302), E(2303)};
#undef E

constexpr unsigned press_sample = 45;

}  // namespace

class SwitchDoors : public Act2Stage {
protected:
    void SetUp() override
    {
        Act2Stage::SetUp();
        enter(switch_order);
        plate = kit.place("SwitchPressurePlate_376", 100, 150);
        EventKit::set_value(plate, 'A', 1);
        door = kit.place("SwitchDoor_378", 300, 100, 2);
        EventKit::set_value(door, 'A', 1);
        EventKit::set_value(door, 'B', 3);  // its home layer, index 2, as a number from 1
        home_y = door->get_y();
    }

    // The door's slide, its drop below home and its layer.
    std::vector<double> door_state()
    {
        return doubles(EventKit::value(door, 'C'), door->get_y() - home_y, door->layer->index);
    }

    bool shown() const { return plate->flags & FrameObject::VISIBLE; }

    FrameObject* plate = nullptr;
    FrameObject* door = nullptr;
    int home_y = 0;
};

TEST_F(SwitchDoors, standing_on_the_plate_opens_the_door_and_jumping_off_closes_it)
{
    kit.run(1);
    EXPECT_EQ(door_state(), doubles(0, 0, 2));
    EXPECT_TRUE(shown());

    FrameObject* sensor = kit.place("PlayerSensorBottomBig_95", 100, 150);
    set_move('L', 0);  // in the air over it
    kit.run(1);
    EXPECT_FALSE(EventKit::flag(plate, 0));
    set_move('L', 1);
    kit.run(1);
    EXPECT_FALSE(shown());
    EXPECT_TRUE(EventKit::flag(plate, 0));
    EXPECT_EQ(sounds(), std::vector<unsigned>{press_sample});
    EXPECT_EQ(door_state(), doubles(8, 8, 1));  // open: one layer back
    kit.run(15);
    EXPECT_EQ(door_state(), doubles(128, 128, 1));
    kit.run(2);
    EXPECT_EQ(door_state(), doubles(128, 128, 1));
    EXPECT_TRUE(sounds().empty());  // one press, one sound

    set_move('L', 0);  // a jump frees it
    kit.run(3);
    EXPECT_TRUE(shown());
    EXPECT_FALSE(EventKit::flag(plate, 1));
    EXPECT_EQ(door_state(), doubles(104, 104, 1));
    set_move('L', 1);  // landing again turns the door round at once
    kit.run(1);
    EXPECT_EQ(door_state(), doubles(112, 112, 1));
    EXPECT_EQ(sounds(), std::vector<unsigned>{press_sample});

    sensor->set_x(400);  // walked off
    kit.run(14);
    EXPECT_EQ(door_state(), doubles(0, 0, 2));  // closed: home again
}

TEST_F(SwitchDoors, a_block_holds_the_plate_only_while_pushed_and_the_bike_always)
{
    FrameObject* block = kit.place("PushableBlock1_364", 100, 150);
    kit.run(1);
    EXPECT_FALSE(EventKit::flag(plate, 0));
    EventKit::set_value(door, 'A', 2);  // another plate's door stays put
    FrameObject* other = kit.place("SwitchDoor_378", 250, 100, 2);
    EventKit::set_value(other, 'A', 1);
    set_flag(block, 4, true);
    kit.run(2);
    EXPECT_TRUE(EventKit::flag(plate, 0));
    EXPECT_EQ(door_state(), doubles(0, 0, 2));
    EXPECT_EQ(EventKit::value(other, 'C'), 16);
    block->destroy();
    kit.place("ObjectBike_340", 100, 150);
    kit.run(1);
    EXPECT_TRUE(EventKit::flag(plate, 0));
    EXPECT_EQ(EventKit::value(other, 'C'), 24);
}
