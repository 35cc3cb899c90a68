// Fuel pickups: mounting the bike on foot, refuelling while riding, the
// hidden pickup's sparkle, and the pickups frozen unless the rider is on foot.
#include "tests/game/events/items/item_events.h"

#include <gtest/gtest.h>

using namespace item_events;

namespace {

const std::vector<Event> fuel_events = {&Frames::event_func_1652, &Frames::event_func_1653,
                                        &Frames::event_func_1654, &Frames::event_func_1655,
                                        &Frames::event_func_1656};

class FuelBike : public act1_test::StartTest {
protected:
    void enter() { kit.enter_empty_frame(course(fuel_events)); }

    FrameObject* values() { return kit.instance(types::PlayerMovementValues_80); }
    FrameObject* others() { return kit.instance(types::PlayerOthers_75); }
    FrameObject* fuel_at_player() { return kit.place("ObjectFuel_341", 256, floor_top - 10, player_terrain::playfield_layer); }

    EventKit kit;
};

}  // namespace

TEST_F(FuelBike, the_rider_on_foot_mounts_the_bike_off_a_slope_and_a_pickup_refuels_it_while_riding)
{
    enter();
    FrameObject* skin = kit.place("PlayerSkinPimsaBike_338", 256, floor_top - 10, player_terrain::playfield_layer);
    FrameObject* parked = kit.place("ObjectBike_340", 600, 150, player_terrain::playfield_layer);
    kit.set_value(values(), 'A', 2);
    kit.set_value(values(), 'N', 90);  // on a wall: the jump leaves sideways
    kit.set_value(values(), 'B', 2);
    kit.set_value(values(), 'L', 1);
    kit.set_value(kit.instance(types::PlayerActionValuesA_86), 'A', -7);
    kit.set_value(others(), 'E', 12);
    FrameObject* fuel = fuel_at_player();
    FrameObject* second = fuel_at_player();
    kit.take_sounds();
    kit.run(1);
    EXPECT_EQ(kit.values(values(), "GBLNMA"), doubles(-2, -7, 0, 0, 1, 3));
    EXPECT_EQ(kit.value(kit.instance(types::PlayerActionValuesA_86), 'C'), 1);
    EXPECT_EQ(kit.values(others(), "YDE"), doubles(8, 1, 30));
    EXPECT_EQ(sample_count(kit.take_sounds(), 103), 1);  // one mounting for two pickups
    EXPECT_TRUE(destroyed(parked));
    FrameObject* burst = kit.instance(types::EffectsWhiteBurst_31);
    ASSERT_NE(burst, nullptr);
    EXPECT_EQ(burst->get_x(), 600);
    EXPECT_EQ(kit.value(skin, 'C'), 3);
    EXPECT_TRUE(kit.flag(skin, 8));
    EXPECT_EQ(kit.global(1), 3);
    for (FrameObject* taken : {fuel, second}) {
        EXPECT_EQ(kit.value(taken, 'E'), 2);  // taken and hidden in the same tick
        EXPECT_FALSE(taken->flags & FrameObject::VISIBLE);
    }
    EXPECT_EQ(kit.instances(types::RingSparkle_179).size(), 2u);

    // Riding: a pickup refuels and keeps a longer invincibility.
    kit.set_value(skin, 'C', 0);
    kit.set_value(others(), 'E', 50);
    kit.set_value(values(), 'M', 10);
    FrameObject* refill = fuel_at_player();
    kit.run(1);
    EXPECT_EQ(kit.value(refill, 'E'), 0);  // not while dying
    kit.set_value(values(), 'M', 1);
    kit.run(1);
    EXPECT_EQ(kit.value(refill, 'E'), 2);
    EXPECT_EQ(kit.value(skin, 'C'), 3);
    EXPECT_EQ(kit.values(others(), "DE"), doubles(1, 50));
    EXPECT_EQ(kit.values(values(), "AM"), doubles(3, 1));
}

TEST_F(FuelBike, pickups_freeze_as_the_rider_leaves_the_ground_on_foot_and_stay_frozen_while_the_rider_is_on_foot)
{
    enter();
    FrameObject* plain = kit.place("ObjectFuel_341", 600, 100, player_terrain::playfield_layer);
    FrameObject* lifted = kit.place("ObjectFuel_341", 700, 100, player_terrain::playfield_layer);
    lifted->alterables->flags |= 1 << 2;
    kit.set_value(values(), 'A', 2);
    kit.run(1);
    EXPECT_EQ(active(plain)->forced_frame, -1);
    kit.set_value(values(), 'A', 0);
    kit.run(1);
    EXPECT_EQ(active(plain)->forced_frame, 0);
    // The rider on foot kept the shared word fresh: the lifted one too.
    EXPECT_EQ(active(lifted)->forced_frame, 0);

    lifted->alterables->flags &= ~(1 << 2);
    kit.run(1);
    lifted->alterables->flags |= 1 << 2;
    kit.run(1);
    EXPECT_EQ(active(lifted)->forced_frame, -1);  // let go on the first tick it is lifted
    EXPECT_EQ(active(plain)->forced_frame, 0);

    kit.set_value(values(), 'A', 2);
    active(lifted)->force_frame(0);
    lifted->alterables->flags &= ~(1 << 2);
    kit.run(1);
    lifted->alterables->flags |= 1 << 2;
    kit.run(3);
    EXPECT_EQ(active(lifted)->forced_frame, 0);  // while on foot nothing is let go
}
