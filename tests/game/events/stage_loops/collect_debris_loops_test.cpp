// The collect loop takes what touches the player one of a kind a pass and
// stops on the first pass that takes nothing (a body that cannot stop is cut
// off at the pass limit); debris counts down from its source; colour dots
// and ammo counters are laid out from their anchors.
#include "game/frames/event_index.h"
#include "game/objects/classes.h"
#include "game/objects/type_ids.h"
#include "objects/active.h"
#include "objects/arrayext.h"
#include "objects/counter.h"
#include "runtime/movement.h"
#include "tests/game/events/act1_frame/act1_start_kit.h"

#include <gtest/gtest.h>

using namespace act1_test;

namespace {

class CollectLoops : public StartTest {
protected:
    void SetUp() override
    {
        StartTest::SetUp();
        class_records::counter_78 = SavedCounterValue{};
        kit.enter_empty_frame(act_frame(
            [this](Frames& f) {
                set_group(f, f.qualifier_17, {types::EnemyPokkol_138});
                player = kit.place("Player_87", 300, 300, 2);
                sensor = kit.place("PlayerCharacterSensor_151", 300, 300, 2);
                kit.place("GUIRings_74", 8, 19, 6);
            },
            {}));
        kit.take_sounds();
        kit.take_console();
        event_random_state(322) = RandomState{};
    }

    Frames& f() { return kit.frames(); }

    void collect() { f().run_open_loop(f().fast_loop_collect_item, "collect_item", &Frames::loop_collect_item_4); }

    static std::vector<double> frames_of(const std::vector<FrameObject*>& objects)
    {
        std::vector<double> result;
        for (FrameObject* object : objects)
            result.push_back(static_cast<Active*>(object)->get_frame());
        return result;
    }

    EventKit kit;
    FrameObject *player = nullptr, *sensor = nullptr;
};

}  // namespace

TEST_F(CollectLoops, items_at_the_player_are_taken_one_of_a_kind_a_pass_until_a_pass_takes_nothing)
{
    FrameObject* petals[] = {kit.place("ObjectPetal_117", 290, 300, 2), kit.place("ObjectPetal_117", 319, 269, 2)};
    FrameObject* left_edge = kit.place("ObjectPetal_117", 280, 300, 2);  // X = PX - 20: outside
    FrameObject* top_edge = kit.place("ObjectPetal_117", 300, 268, 2);   // Y = PY - 32
    FrameObject* flying = kit.place("ObjectPetal_117", 300, 300, 2);
    EventKit::set_value(flying, 'A', 2);
    FrameObject* crystal = kit.place("ObjectCrystal_239", 300, 261, 2);  // crystals reach 40 up
    FrameObject* high_crystal = kit.place("ObjectCrystal_239", 300, 260, 2);
    FrameObject* keystone = kit.place("ObjectKeystone_278", 305, 310, 2);
    FrameObject* rising_keystone = kit.place("ObjectKeystone_278", 300, 300, 2);
    EventKit::set_value(rising_keystone, 'B', -2.7);
    FrameObject* energy = kit.place("GUIEnergy_76", 40, 8, 6);
    EventKit::set_value(energy, 'A', 98);
    FrameObject* level = kit.place("MasterLevel_53", -100, -100, 5);
    EventKit::set_value(level, 'J', 3);
    auto* still_to_find = static_cast<Counter*>(kit.place("GUICrystal_78", 206, 19, 6));
    still_to_find->set(5);
    FrameObject* shield = kit.place("ShieldWood_103", 300, 300, 2);
    // An enemy free to take a crystal.
    FrameObject* taker = kit.place("EnemyPokkol_138", 1000, 300, 2);
    FrameObject* enemy_crystal = kit.place("ObjectCrystal_239", 1000, 300, 2);

    collect();
    // Two petals: the third pass took nothing and stopped the loop.
    EXPECT_EQ(f().fast_loop_collect_item.index, 2);
    EXPECT_FALSE(f().fast_loop_collect_item.running);
    EXPECT_FALSE(EventKit::flag(sensor, 0));
    EXPECT_EQ(sample_count(kit.take_sounds(), 33), 2);
    for (FrameObject* petal : petals) {
        EXPECT_EQ(EventKit::value(petal, 'A'), 3);
        EXPECT_EQ(petal->layer->index, 6);
    }
    EXPECT_EQ(EventKit::values(petals[0], "IJ"), doubles(0.03 * (8 - 290), 0.03 * (19 - 300)));
    EXPECT_EQ(EventKit::values(petals[1], "IJ"), doubles(0.03 * (8 - 319), 0.03 * (19 - 269)));
    for (FrameObject* untouched : {left_edge, top_edge})
        EXPECT_EQ(EventKit::value(untouched, 'A'), 0);
    EXPECT_EQ(EventKit::value(flying, 'A'), 2);

    EXPECT_EQ(EventKit::value(crystal, 'F'), 1);
    EXPECT_EQ(EventKit::value(high_crystal, 'F'), 0);
    EXPECT_EQ(EventKit::value(energy, 'A'), 100);  // 98 + 5, held to 100
    EXPECT_TRUE(EventKit::flag(energy, 1));
    EXPECT_EQ(EventKit::value(level, 'J'), 4);
    EXPECT_EQ(still_to_find->value, 4);
    EXPECT_EQ(EventKit::value(shield, 'A'), 1);

    EXPECT_EQ(EventKit::value(enemy_crystal, 'F'), 1);
    EXPECT_EQ(EventKit::value(taker, 'S'), 1);

    EXPECT_EQ(EventKit::value(keystone, 'E'), 1);
    EXPECT_EQ(EventKit::value(rising_keystone, 'E'), 0);
    const std::vector<FrameObject*> sparkles = kit.instances(types::RingSparkle_179);
    ASSERT_EQ(sparkles.size(), 1u);
    EXPECT_EQ(sparkles[0]->get_x(), 305);
    EXPECT_EQ(sparkles[0]->get_y(), 310);
    EXPECT_TRUE(kit.take_console().empty());

    // Nothing left to take: one pass, and the loop stops. A crystal that
    // touches only a busy enemy (flag 6) stays. (While a free enemy touches
    // any crystal, the free enemies take every crystal an enemy touches.)
    taker->set_x(3000);
    FrameObject* busy = kit.place("EnemyPokkol_138", 1400, 300, 2);
    busy->alterables->flags |= 1 << 6;
    FrameObject* kept_crystal = kit.place("ObjectCrystal_239", 1400, 300, 2);
    collect();
    EXPECT_EQ(f().fast_loop_collect_item.index, 0);
    EXPECT_FALSE(f().fast_loop_collect_item.running);
    EXPECT_EQ(EventKit::value(kept_crystal, 'F'), 0);
    EXPECT_EQ(EventKit::value(busy, 'S'), 0);
}

TEST_F(CollectLoops, a_collect_loop_that_can_never_stop_is_cut_off_at_the_pass_limit_with_one_line)
{
    // Without the player's sensor no pass can end the loop.
    sensor->destroy();
    kit.run(1);
    FrameObject* petal = kit.place("ObjectPetal_117", 300, 300, 2);
    collect();
    EXPECT_EQ(f().fast_loop_collect_item.index, Frames::open_loop_pass_limit);
    EXPECT_EQ(kit.take_console(), std::vector<std::string>{"Fast loop collect_item did not stop after 65536 passes"});
    EXPECT_EQ(EventKit::value(petal, 'A'), 3);  // taken once all the same
}

TEST_F(CollectLoops, a_breaking_bike_or_pokkol_gives_a_debris_a_pass_counting_its_frame_down)
{
    f().level_group_69 = true;  // death sequence A
    FrameObject* bike = kit.place("ObjectBike_340", 500, 200, 2);
    EventKit::set_value(bike, 'B', -5);
    FrameObject* done_bike = kit.place("ObjectBike_340", 700, 200, 2);
    EventKit::set_value(done_bike, 'B', -1);
    FrameObject* pokkol = kit.place("EnemyPokkol_138", 900, 200, 2);
    EventKit::set_value(pokkol, 'A', -2);

    f().run_loop(f().fast_loop_spawndebris, 5, &Frames::loop_spawndebris_4);
    const std::vector<FrameObject*> debris = kit.instances(types::EffectsDebris_266);
    ASSERT_EQ(debris.size(), 5u);
    // In the order made: the bike's first, the Pokkol's, the bike's other three.
    EXPECT_EQ(frames_of(debris), doubles(50, 2, 49, 48, 47));
    std::vector<double> speeds, xs;
    for (FrameObject* piece : debris) {
        speeds.push_back(piece->get_movement()->speed);
        xs.push_back(piece->get_x());
    }
    // 50 + random(30) from the draws 38, 7719, 21238, 2437, 8855 of seed 0.
    EXPECT_EQ(speeds, doubles(50, 57, 69, 52, 58));
    EXPECT_EQ(xs, doubles(500, 900, 500, 500, 500));
    EXPECT_EQ(EventKit::value(bike, 'B'), -1);
    EXPECT_EQ(EventKit::value(done_bike, 'B'), -1);
    EXPECT_EQ(EventKit::value(pokkol, 'A'), -1);

    // Two bike groups on at once: two debris a pass, twice as fast.
    f().level_group_73 = true;
    EventKit::set_value(bike, 'B', -5);
    f().run_loop(f().fast_loop_spawndebris, 5, &Frames::loop_spawndebris_4);
    std::vector<FrameObject*> more = kit.instances(types::EffectsDebris_266);
    more.erase(more.begin(), more.begin() + 5);
    EXPECT_EQ(frames_of(more), doubles(50, 49, 48, 47));
    EXPECT_EQ(EventKit::value(bike, 'B'), -1);
}

TEST_F(CollectLoops, colour_dots_leave_the_player_a_quarter_turn_apart_the_way_the_saved_colours_say)
{
    auto* save = static_cast<ArrayObject*>(kit.place("SaveData_10", -100, -100, 5));
    for (int slot = 0; slot < 4; ++slot)
        save->set_value(1 + 8 * slot, 1, 10 + slot, -1);
    f().run_loop(f().fast_loop_color_dots, 4, &Frames::loop_color_dots_4);
    const std::vector<FrameObject*> dots = kit.instances(types::EffectsColorDot_317);
    ASSERT_EQ(dots.size(), 4u);
    for (size_t i = 0; i < dots.size(); ++i) {
        EXPECT_EQ(EventKit::value(dots[i], 'A'), 90.0 * double(i));
        EXPECT_EQ(dots[i]->get_direction(), 8 * int(i));
        EXPECT_EQ(dots[i]->layer->index, 4);
        EXPECT_EQ(dots[i]->get_x(), 300);
        EXPECT_EQ(dots[i]->get_y(), 300);
    }
}

TEST_F(CollectLoops, hespins_three_ammo_counters_stand_56_pixels_apart_right_of_the_hud_icon)
{
    kit.place("GUIIcon_108", 135, 12, 6);
    f().run_loop(f().fast_loop_ammo, 3, &Frames::loop_ammo_4);
    EXPECT_TRUE(kit.instances(types::GUIAmmo_355).empty());  // Hespin's groups are off

    f().level_group_61 = true;
    f().level_group_22 = true;
    f().run_loop(f().fast_loop_ammo, 3, &Frames::loop_ammo_4);
    const std::vector<FrameObject*> counters = kit.instances(types::GUIAmmo_355);
    ASSERT_EQ(counters.size(), 3u);
    for (int slot = 0; slot < 3; ++slot) {
        EXPECT_EQ(counters[size_t(slot)]->get_x(), 335 + 56 * slot);
        EXPECT_EQ(counters[size_t(slot)]->get_y(), 36);
        EXPECT_EQ(counters[size_t(slot)]->get_direction(), slot);
        EXPECT_EQ(counters[size_t(slot)]->layer->index, 6);
    }
}
