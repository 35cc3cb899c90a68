// The scatter loops: a broken box's icon, the fans of petals and crystals an
// icon throws, the petal-loss sparks of a hurt player with their draws from
// the level events' random state, the bike a rider is knocked off, and the
// dug crystals.
#include "game/frames/event_index.h"
#include "game/objects/type_ids.h"
#include "objects/active.h"
#include "runtime/movement.h"
#include "tests/game/events/act1_frame/act1_start_kit.h"

#include <gtest/gtest.h>

using namespace act1_test;

namespace {

class ItemScatter : public StartTest {
protected:
    void SetUp() override
    {
        StartTest::SetUp();
        kit.enter_empty_frame(act_frame(
            [](Frames& f) {
                set_group(f, f.qualifier_13, {types::MonitorCrystals_120, types::MonitorRings_119});
                f.level_group_73 = true;  // the Pimsa move set
                f.level_group_7 = true;   // hurt
            },
            {}));
    }

    Frames& f() { return kit.frames(); }

    FrameObject* icon_at(int x, int y, int frame)
    {
        FrameObject* icon = kit.place("MonitorIcon_125", x, y, 2);
        static_cast<Active*>(icon)->force_frame(frame);
        return icon;
    }

    static std::vector<double> directions(const std::vector<FrameObject*>& objects)
    {
        std::vector<double> result;
        for (const FrameObject* object : objects)
            result.push_back(object->get_direction());
        return result;
    }

    static bool destroyed(const FrameObject* object) { return object->flags & FrameObject::DESTROYING; }

    EventKit kit;
};

}  // namespace

TEST_F(ItemScatter, a_box_marked_to_open_leaves_its_icon_on_the_pass_its_value_I_names)
{
    FrameObject* first = kit.place("MonitorCrystals_120", 300, 200, 2);  // kind C = 2
    EventKit::set_value(first, 'I', 1);
    first->alterables->flags |= 1 | 1 << 6;
    first->set_direction(16, false);
    FrameObject* third = kit.place("MonitorRings_119", 500, 200, 2);
    EventKit::set_value(third, 'I', 3);  // no third pass
    third->alterables->flags |= 1 << 6;
    FrameObject* closed = kit.place("MonitorRings_119", 700, 200, 2);
    EventKit::set_value(closed, 'I', 2);  // flag 6 off

    f().run_loop(f().fast_loop_itm, 2, &Frames::loop_itm_4);
    const std::vector<FrameObject*> icons = kit.instances(types::MonitorIcon_125);
    ASSERT_EQ(icons.size(), 1u);
    EXPECT_EQ(icons[0]->get_x(), 300);
    EXPECT_EQ(icons[0]->get_y(), 200);
    EXPECT_EQ(icons[0]->layer->index, 2);
    EXPECT_EQ(static_cast<Active*>(icons[0])->get_frame(), 2);
    EXPECT_EQ(icons[0]->get_direction(), 16);
    EXPECT_TRUE(destroyed(first));
    EXPECT_FALSE(EventKit::flag(first, 0));
    EXPECT_FALSE(destroyed(third));
    EXPECT_FALSE(destroyed(closed));
}

TEST_F(ItemScatter, a_petal_icon_throws_six_petals_fanned_about_straight_up_and_only_the_first_of_a_pass_is_thrown)
{
    FrameObject* older = icon_at(200, 300, 1);
    FrameObject* newer = icon_at(600, 300, 1);
    FrameObject* crystal_icon = icon_at(900, 300, 2);  // throws no petal
    f().run_loop(f().fast_loop_spawn_rings, 6, &Frames::loop_spawn_rings_4);

    std::vector<FrameObject*> thrown, left;
    for (FrameObject* petal : kit.instances(types::ObjectPetal_117))
        (EventKit::value(petal, 'A') == 2 ? thrown : left).push_back(petal);
    ASSERT_EQ(thrown.size(), 6u);
    ASSERT_EQ(left.size(), 6u);
    EXPECT_EQ(directions(thrown), doubles(5, 6, 7, 8, 9, 10));
    for (FrameObject* petal : thrown) {
        EXPECT_EQ(petal->movement->index, 1);
        EXPECT_EQ(petal->get_x(), 616);  // the newest icon is the first source
        EXPECT_EQ(petal->get_y(), 310);
    }
    for (FrameObject* petal : left) {
        EXPECT_EQ(petal->get_direction(), 24);
        EXPECT_EQ(petal->get_x(), 216);
    }
    // Gone on the last pass, which still threw from it.
    EXPECT_TRUE(destroyed(older));
    EXPECT_TRUE(destroyed(newer));
    EXPECT_FALSE(destroyed(crystal_icon));
}

TEST_F(ItemScatter, a_crystal_icon_throws_seven_crystals_less_those_it_threw_already)
{
    FrameObject* fresh = icon_at(200, 300, 2);
    FrameObject* crate = icon_at(800, 300, 7);
    EventKit::set_value(crate, 'F', 4);
    f().run_loop(f().fast_loop_spawn_crystals, 8, &Frames::loop_spawn_crystals_4);

    std::vector<FrameObject*> from_fresh, from_crate;
    for (FrameObject* crystal : kit.instances(types::ObjectCrystal_239))
        (crystal->get_x() == 216 ? from_fresh : from_crate).push_back(crystal);
    EXPECT_EQ(directions(from_fresh), doubles(5, 6, 7, 8, 9, 10, 11));
    EXPECT_EQ(directions(from_crate), doubles(5, 6, 7));
    for (FrameObject* crystal : kit.instances(types::ObjectCrystal_239)) {
        EXPECT_TRUE(EventKit::flag(crystal, 0));
        EXPECT_EQ(crystal->movement->index, 1);
        EXPECT_EQ(crystal->get_y(), 310);
    }
    EXPECT_EQ(EventKit::value(fresh, 'F'), 7);
    EXPECT_EQ(EventKit::value(crate, 'F'), 7);
}

TEST_F(ItemScatter, a_hurt_player_scatters_sparks_from_the_level_events_state_and_a_rider_is_knocked_off_once)
{
    FrameObject* values = kit.place("PlayerMovementValues_80", -100, -100, 5);
    EventKit::set_value(values, 'A', 3);
    FrameObject* bike_skin = kit.place("PlayerSkinPimsaBike_338", 400, 250, 2);
    EventKit::set_value(bike_skin, 'C', 1);
    kit.place("Player_87", 400, 250, 2);
    kit.set_global(1, 0);
    RandomState& state = event_random_state(328);
    state = RandomState{};

    // No petals lost: no pass at all.
    f().run_loop(f().fast_loop_petal_loss, 0, &Frames::loop_petal_loss_4);
    EXPECT_TRUE(kit.instances(types::EffectsShield_313).empty());
    EXPECT_EQ(EventKit::value(values, 'A'), 3);

    f().run_loop(f().fast_loop_petal_loss, 3, &Frames::loop_petal_loss_4);
    const std::vector<FrameObject*> sparks = kit.instances(types::EffectsShield_313);
    ASSERT_EQ(sparks.size(), 3u);
    const double first_a = EventKit::value(sparks[0], 'A');
    std::vector<double> speeds, angles, lives;
    for (FrameObject* spark : sparks) {
        EXPECT_EQ(spark->get_x(), 400);
        EXPECT_EQ(spark->get_y(), 250);
        speeds.push_back(spark->get_movement()->speed);
        angles.push_back(spark->get_angle());
        lives.push_back(EventKit::value(spark, 'A') - first_a);
    }
    EXPECT_EQ(speeds, doubles(25, 26, 27));
    // Direction, then angle, each pass: from seed 0 the draws are 38, 7719,
    // 21238, 2437, 8855, 11797 (of 32768).
    EXPECT_EQ(directions(sparks), doubles(0, 20, 8));
    EXPECT_EQ(angles, doubles(84, 26, 129));
    EXPECT_EQ(lives, doubles(0, -4, -8));
    EXPECT_EQ(&state, &event_random_state(300));  // the group of events 290-400

    // Knocked off on the first pass only.
    EXPECT_EQ(EventKit::value(values, 'A'), 2);
    EXPECT_EQ(kit.global(1), 2);
    const std::vector<FrameObject*> bikes = kit.instances(types::ObjectBike_340);
    ASSERT_EQ(bikes.size(), 1u);
    EXPECT_EQ(bikes[0]->get_x(), 400);
    EXPECT_TRUE(EventKit::flag(bikes[0], 6));

    // A bike skin that is busy (C above 1) keeps the rider on.
    EventKit::set_value(values, 'A', 3);
    EventKit::set_value(bike_skin, 'C', 1.5);
    f().run_loop(f().fast_loop_petal_loss, 2, &Frames::loop_petal_loss_4);
    EXPECT_EQ(EventKit::value(values, 'A'), 3);
    EXPECT_EQ(kit.instances(types::ObjectBike_340).size(), 1u);
}

TEST_F(ItemScatter, dug_crystals_fly_out_either_side_of_straight_up_only_while_digging)
{
    kit.place("PlayerDig_344", 320, 180, 2);
    f().run_loop(f().fast_loop_dig_crystals, 6, &Frames::loop_dig_crystals_4);
    EXPECT_TRUE(kit.instances(types::ObjectCrystal_239).empty());

    f().level_group_26 = true;
    f().run_loop(f().fast_loop_dig_crystals, 6, &Frames::loop_dig_crystals_4);
    const std::vector<FrameObject*> crystals = kit.instances(types::ObjectCrystal_239);
    EXPECT_EQ(directions(crystals), doubles(7, 9, 6, 10, 5, 11));
    for (FrameObject* crystal : crystals) {
        EXPECT_EQ(crystal->get_x(), 320);
        EXPECT_TRUE(EventKit::flag(crystal, 0));
    }
}
