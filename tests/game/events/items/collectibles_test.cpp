// Petals, crystals and keystones: collected on touch and counted, with the
// link bonus, hearts and the refilling counter; a thrown petal settling;
// homing; the crystal burst; the keystone's drift, bob and pull.
#include "objects/counter.h"
#include "runtime/movement.h"
#include "tests/game/events/items/item_events.h"

#include <gtest/gtest.h>

using namespace item_events;

namespace {

constexpr int hud = 6;

class Collectibles : public act1_test::StartTest {
protected:
    void SetUp() override
    {
        StartTest::SetUp();
        kit.enter_empty_frame(course(pickup_events()));
        counter = static_cast<Counter*>(ensure(kit, types::GUIRings_74, "GUIRings_74", 30, 20, hud));
        crystals_left = static_cast<Counter*>(ensure(kit, types::GUICrystal_78, "GUICrystal_78", 100, 20, hud));
        crystals_left->set(50);
        energy = ensure(kit, types::GUIEnergy_76, "GUIEnergy_76", 200, 20, hud);
        rows = ensure(kit, types::GUIScoreTimeRings_107, "GUIScoreTimeRings_107", 300, 20, hud);
        level = kit.instance(types::MasterLevel_53);
        kit.set_global(12, 1);
    }

    FrameObject* values() { return kit.instance(types::PlayerMovementValues_80); }

    // The player stands at (256, 190).
    FrameObject* at_player(const char* name, int dy = 0) { return kit.place(name, 256, 190 + dy, 2); }

    // Runs until the first flying petal is counted, at most 60 ticks.
    int ticks_to_count(FrameObject* petal)
    {
        for (int tick = 1; tick <= 60; ++tick) {
            kit.run(1);
            if (gone(kit, types::ObjectPetal_117, petal))
                return tick;
        }
        return -1;
    }

    EventKit kit;
    Counter* counter = nullptr;
    Counter* crystals_left = nullptr;
    FrameObject* energy = nullptr;
    FrameObject* rows = nullptr;
    FrameObject* level = nullptr;
};

}  // namespace

TEST_F(Collectibles, a_petal_flies_to_the_counter_earns_a_link_bonus_below_14_and_is_counted_with_two_hearts)
{
    counter->set(13);
    kit.set_value(energy, 'A', 97);
    FrameObject* petal = at_player("ObjectPetal_117");
    kit.take_sounds();
    kit.run(1);
    EXPECT_EQ(kit.value(petal, 'A'), 3);
    EXPECT_EQ(petal->layer->index, hud);
    ASSERT_GT(ticks_to_count(petal), 0);
    EXPECT_EQ(counter->value, 14);
    EXPECT_EQ(sample_count(kit.take_sounds(), 4), 1);
    FrameObject* label = kit.instance(types::GUILinkBonus_316);
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->get_x(), 26);
    EXPECT_EQ(label->get_y(), 54);
    EXPECT_EQ(kit.value(level, 'J'), 1);
    EXPECT_EQ(kit.value(rows, 'H'), 1);
    EXPECT_EQ(crystals_left->value, 49);
    EXPECT_EQ(kit.value(energy, 'A'), 100);
    EXPECT_TRUE(kit.flag(energy, 1));
    EXPECT_EQ(kit.instances(types::EffectsHeart_314).size(), 2u);

    // The counter is full: no link bonus, still the sound and two hearts.
    FrameObject* next = at_player("ObjectPetal_117");
    ASSERT_GT(ticks_to_count(next), 0);
    EXPECT_EQ(counter->value, 14);
    EXPECT_EQ(kit.instances(types::GUILinkBonus_316).size(), 1u);
    EXPECT_EQ(sample_count(kit.take_sounds(), 4), 1);
    EXPECT_EQ(crystals_left->value, 49);

    // A second label stacks a row lower; with no label left the rows start over.
    counter->set(5);
    FrameObject* third = at_player("ObjectPetal_117");
    ASSERT_GT(ticks_to_count(third), 0);
    EXPECT_EQ(kit.instance(types::GUILinkBonus_316)->get_y(), 66);
    for (FrameObject* shown : kit.instances(types::GUILinkBonus_316))
        shown->destroy();
    kit.run(2);
    EXPECT_EQ(kit.value(rows, 'H'), 0);
}

TEST_F(Collectibles, the_counter_refills_every_300_ticks_in_petal_mode_2_and_every_200_with_double_petals_in_mode_3)
{
    counter->set(13);
    kit.set_global(12, 2);
    kit.set_global(3, 299);
    kit.run(1);
    EXPECT_EQ(counter->value, 13);
    kit.set_global(3, 300);
    kit.run(1);
    EXPECT_EQ(counter->value, 14);
    EXPECT_EQ(kit.instances(types::EffectsHeart_314).size(), 2u);
    for (FrameObject* heart : kit.instances(types::EffectsHeart_314))
        EXPECT_EQ(heart->layer->index, hud);
    kit.run(1);
    EXPECT_EQ(counter->value, 14);  // full
    counter->set(0);
    kit.run(1);
    EXPECT_EQ(counter->value, 0);  // empty stays empty

    counter->set(3);
    kit.set_global(12, 3);
    kit.set_global(3, 400);
    kit.run(1);
    EXPECT_EQ(counter->value, 4);
    kit.set_global(3, 401);
    kit.run(1);
    FrameObject* petal = at_player("ObjectPetal_117");
    ASSERT_GT(ticks_to_count(petal), 0);
    EXPECT_EQ(counter->value, 6);  // a petal counts 2
    kit.set_value(values(), 'M', 9);  // no collection while dying
    FrameObject* ignored = at_player("ObjectPetal_117");
    kit.run(2);
    EXPECT_EQ(kit.value(ignored, 'A'), 0);
}

TEST_F(Collectibles, a_thrown_petal_rests_from_its_sixth_tick_and_hearts_sway_up_for_their_last_ticks)
{
    FrameObject* petal = kit.place("ObjectPetal_117", 400, 205, 2);  // in the floor
    petal->advance_movement(1);
    kit.set_value(petal, 'A', 2);
    kit.run(5);
    EXPECT_EQ(kit.value(petal, 'A'), 2);
    EXPECT_EQ(kit.value(petal, 'I'), 5);
    kit.run(1);
    EXPECT_EQ(kit.value(petal, 'A'), 0);
    EXPECT_EQ(petal->movement->index, 0);

    FrameObject* heart = kit.place("EffectsHeart_314", 100, 100, 2);
    kit.set_value(heart, 'A', 100);
    kit.set_value(heart, 'B', 36);
    kit.run(1);
    EXPECT_EQ(heart->get_y(), 99);
    EXPECT_EQ(heart->get_x(), to_int(100 + 5 * event_sin(360)));
    EXPECT_EQ(kit.value(heart, 'B'), 37);
    kit.run(2);
    EXPECT_FALSE(destroyed(heart));
    kit.run(1);
    EXPECT_EQ(kit.value(heart, 'B'), 40);
    EXPECT_TRUE(destroyed(heart));  // on the tick it reaches 40

    FrameObject* lost = kit.place("ObjectPetal_117", 100, 270, 2);
    kit.set_value(lost, 'A', 1);
    kit.run(1);
    EXPECT_FALSE(destroyed(lost));
    lost->set_y(271);
    kit.run(1);
    EXPECT_TRUE(gone(kit, types::ObjectPetal_117, lost));
}

TEST_F(Collectibles, petals_and_late_crystals_that_start_inside_the_ground_home_in_on_the_player)
{
    kit.set_value(values(), 'X', 256);
    kit.set_value(values(), 'Y', 190);
    FrameObject* buried = kit.place("ObjectPetal_117", 456, 230, 2);
    FrameObject* early = kit.place("ObjectCrystal_239", 56, 230, 2);
    kit.run(1);
    EXPECT_TRUE(kit.flag(buried, 2));
    EXPECT_FALSE(kit.flag(early, 2));  // within the frame's first 0.2 s
    EXPECT_EQ(kit.value(buried, 'D'), 1);
    EXPECT_EQ(buried->get_x(), 456);  // no pull at weight 0
    kit.run(1);
    EXPECT_EQ(buried->get_x(), 454);  // (456 * 99 + 256) / 100
    EXPECT_EQ(buried->get_y(), 229);

    kit.frames().frame_time = 1;
    FrameObject* late = kit.place("ObjectCrystal_239", 56, 230, 2);
    kit.run(1);
    EXPECT_TRUE(kit.flag(late, 2));
    EXPECT_FALSE(kit.flag(early, 2));
    kit.run(60);
    EXPECT_TRUE(gone(kit, types::ObjectCrystal_239, late));  // reached the player and taken
}

TEST_F(Collectibles, a_touched_crystal_bursts_into_a_spinning_bit_and_a_sparkle_with_one_sound)
{
    FrameObject* high = at_player("ObjectCrystal_239", -35);  // the crystal box reaches 40 up
    FrameObject* low = at_player("ObjectCrystal_239", 5);
    kit.set_value(values(), 'M', 8);
    kit.run(1);
    EXPECT_EQ(kit.value(high, 'F'), 0);  // not while hurt
    kit.set_value(values(), 'M', 0);
    kit.take_sounds();
    kit.run(1);
    EXPECT_TRUE(destroyed(high));
    EXPECT_TRUE(destroyed(low));
    EXPECT_EQ(sample_count(kit.take_sounds(), 24), 1);
    EXPECT_EQ(crystals_left->value, 48);
    std::vector<FrameObject*> bits = kit.instances(types::EffectsCrystalBit_177);
    ASSERT_EQ(bits.size(), 2u);
    EXPECT_EQ(kit.instances(types::RingSparkle_179).size(), 2u);
    bits[0]->set_direction(30, false);
    kit.run(1);
    EXPECT_EQ(bits[0]->get_direction(), 1);
}

TEST_F(Collectibles, a_crystal_alone_starts_the_collection_strictly_inside_40_up_20_down_and_20_aside)
{
    struct Spot {
        int dx, dy;
        double mode;
        bool taken;
    };
    const Spot spots[] = {
        {0, -35, 0, true}, {0, -39, 0, true}, {0, -40, 0, false}, {0, 19, 0, true},   {0, 20, 0, false},
        {19, 0, 0, true},  {20, 0, 0, false}, {-19, 0, 0, true},  {-20, 0, 0, false}, {0, -35, 9, false},
    };
    FastLoop& loop = kit.frames().fast_loop_collect_item;
    for (const Spot& s : spots) {
        SCOPED_TRACE(testing::Message() << s.dx << ' ' << s.dy << " mode " << s.mode);
        kit.set_value(values(), 'M', s.mode);
        FrameObject* crystal = at_player("ObjectCrystal_239", s.dy);
        crystal->set_x(crystal->get_x() + s.dx);
        loop.index = -1;  // any start of the loop sets it to its first pass
        kit.run(1);
        EXPECT_EQ(loop.index != -1, s.taken);
        EXPECT_EQ(destroyed(crystal), s.taken);
        crystal->set_x(100);  // out of the way of the next spot
    }
}

TEST_F(Collectibles, a_keystone_out_of_a_box_drifts_up_and_left_for_27_ticks_then_is_drawn_and_collected)
{
    FrameObject* keystone = kit.place("ObjectKeystone_278", 300, 150, 2);
    kit.set_value(keystone, 'B', -2.7);
    kit.set_value(keystone, 'I', -1);
    kit.run(1);
    EXPECT_EQ(kit.values(keystone, "FH"), doubles(150 - 2.7, 299));
    kit.run(25);
    EXPECT_LT(kit.value(keystone, 'B'), 0);
    EXPECT_EQ(kit.value(keystone, 'G'), 0);  // near the player, but still drifting
    kit.run(1);
    EXPECT_EQ(kit.value(keystone, 'B'), 0);
    EXPECT_NEAR(kit.value(keystone, 'F'), 150 - 37.8, 1e-9);
    EXPECT_EQ(kit.value(keystone, 'H'), 273);
    EXPECT_EQ(kit.value(keystone, 'G'), 1);  // settled, and drawn in the same tick
    kit.set_value(values(), 'X', 256);
    kit.set_value(values(), 'Y', 190);
    for (int tick = 0; tick < 80 && kit.value(keystone, 'E') == 0; ++tick)
        kit.run(1);
    EXPECT_EQ(kit.value(keystone, 'E'), 1);

    // The draw distance is strict; a keystone bobs about its home in step.
    FrameObject* near = kit.place("ObjectKeystone_278", 256 - 119, 150, 2);
    FrameObject* far = kit.place("ObjectKeystone_278", 256 + 120, 150, 2);
    kit.set_global(3, 60);  // sin(90): 4 pixels down
    kit.run(1);
    kit.run(1);
    EXPECT_EQ(kit.value(near, 'G'), 1);
    EXPECT_EQ(kit.value(far, 'G'), 0);
    EXPECT_EQ(far->get_y(), 154);
}
