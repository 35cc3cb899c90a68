// A collected keystone's ammunition, records and spin; the colour dots;
// codecs collected, rising and numbered; the extra life from the crystal
// countdown through its catch and spiral to the lives icon, and a free one
// falling, landing, walking and turning at a wall.
#include "game/events/stage_loops/music_queue.h"
#include "objects/arrayext.h"
#include "objects/counter.h"
#include "runtime/manager.h"
#include "tests/game/events/items/item_events.h"

#include <gtest/gtest.h>

#include <cstdlib>

using namespace item_events;

namespace {

constexpr int hud = 6;

class KeystoneCodecLife : public act1_test::StartTest {
protected:
    void SetUp() override
    {
        StartTest::SetUp();
        class_records::counter_78 = SavedCounterValue{};
    }
    void TearDown() override
    {
        class_records::counter_78 = SavedCounterValue{};
        StartTest::TearDown();
    }

    void enter(std::vector<Event> events, bool crystal_counter = true)
    {
        class_records::array_33 = SavedArrayData{};
        kit.enter_empty_frame(course(std::move(events)));
        if (crystal_counter) {
            crystals_left = static_cast<Counter*>(ensure(kit, types::GUICrystal_78, "GUICrystal_78", 100, 20, hud));
            crystals_left->set(50);
        }
        energy = ensure(kit, types::GUIEnergy_76, "GUIEnergy_76", 200, 20, hud);
        ensure(kit, types::GUIScoreTimeRings_107, "GUIScoreTimeRings_107", 300, 20, hud);
        options = static_cast<ArrayObject*>(ensure(kit, types::SaveData_10, "SaveData_10", -50, -50));
        records = static_cast<ArrayObject*>(ensure(kit, types::RecordData_33, "RecordData_33", -50, -50));
    }

    FrameObject* values() { return kit.instance(types::PlayerMovementValues_80); }

    FrameObject* collected_keystone(int kind)
    {
        FrameObject* keystone = kit.place("ObjectKeystone_278", 300, 150, 2);
        keystone->set_direction(kind, false);
        kit.set_value(keystone, 'E', 1);
        return keystone;
    }

    EventKit kit;
    Counter* crystals_left = nullptr;
    FrameObject* energy = nullptr;
    ArrayObject* options = nullptr;
    ArrayObject* records = nullptr;
};

}  // namespace

TEST_F(KeystoneCodecLife, a_collected_keystone_fills_the_weapon_slots_counts_its_kind_and_spins_away_in_23_ticks)
{
    enter(keystone_codec_events());
    FrameObject* arm = kit.place("PlayerSkinHespinArm_350", -50, -50, 2);
    FrameObject* hespin = kit.place("PlayerSkinHespin_351", -50, -50, 2);
    kit.set_value(arm, 'J', 3.5);
    kit.set_value(arm, 'K', 4);
    kit.set_value(arm, 'L', 5);
    options->set_value(5, 1, 26, -1);
    options->set_value(7, 1, 28, -1);
    kit.set_value(energy, 'A', 40);
    FrameObject* single = collected_keystone(5);
    kit.take_sounds();
    kit.run(1);
    EXPECT_EQ(kit.values(arm, "GHI"), doubles(6, 4, 5));  // trunc(J) twice
    EXPECT_EQ(kit.value(energy, 'A'), 50);
    EXPECT_EQ(kit.value(kit.instance(types::MasterLevel_53), 'O'), 1);
    EXPECT_EQ(options->get_value(1, 20, -1), 1);
    EXPECT_EQ(options->get_value(1, 11, -1), 6);
    EXPECT_EQ(kit.value(hespin, 'J'), 1);
    EXPECT_EQ(crystals_left->value, 49);
    EXPECT_EQ(sample_count(kit.take_sounds(), 35), 1);
    EXPECT_EQ(kit.value(single, 'E'), 17);  // 2, then the first spin step
    EXPECT_EQ(single->get_angle(), -4);

    FrameObject* doubled = collected_keystone(7);
    kit.run(1);
    EXPECT_EQ(kit.values(arm, "GHI"), doubles(6 + 7, 4 + 8 + 4, 5 + 10));
    EXPECT_EQ(options->get_value(1, 22, -1), 1);
    EXPECT_EQ(options->get_value(1, 11, -1), 8);

    kit.run(21);
    EXPECT_FALSE(destroyed(single));
    kit.take_sounds();
    kit.run(1);  // 23 ticks after its collection tick
    EXPECT_TRUE(destroyed(single));
    EXPECT_EQ(sample_count(kit.take_sounds(), 44), 1);
    EXPECT_EQ(kit.instances(types::RingSparkle_179).size(), 3u);
    EXPECT_FALSE(destroyed(doubled));
}

TEST_F(KeystoneCodecLife, colour_dots_circle_the_player_opening_then_holding_at_20_pixels)
{
    enter(keystone_codec_events());
    FrameObject* dot = kit.place("EffectsColorDot_317", 0, 0, 2);
    ASSERT_EQ(kit.value(dot, 'C'), -3);
    kit.run(1);
    EXPECT_EQ(dot->get_x(), 256);
    EXPECT_EQ(dot->get_y(), 182);  // 8 above the player, turned by its angle 0
    EXPECT_EQ(kit.values(dot, "AB"), doubles(6, 3));
    EXPECT_NEAR(kit.value(dot, 'C'), -2.9, 1e-12);
    kit.run(60);
    EXPECT_EQ(kit.value(dot, 'B'), 20);
    kit.run(10);
    EXPECT_EQ(kit.value(dot, 'B'), 20);
    EXPECT_EQ(kit.value(dot, 'C'), 4);
}

TEST_F(KeystoneCodecLife, a_new_codec_is_recorded_rises_above_the_player_with_its_number_and_goes_after_80_ticks)
{
    enter(keystone_codec_events());
    kit.set_value(values(), 'X', 256);
    kit.set_value(values(), 'Y', 190);
    FrameObject* codec = kit.place("ObjectCodec_279", 256, 180, 2);
    kit.set_value(codec, 'A', 7);
    kit.take_sounds();
    kit.run(1);
    EXPECT_EQ(kit.values(codec, "EF"), doubles(2, 10));
    EXPECT_EQ(sample_count(kit.take_sounds(), 29), 1);
    EXPECT_EQ(records->get_value(20, 7, -1), 1);
    EXPECT_EQ(kit.instances(types::RingSparkle_179).size(), 3u);
    EXPECT_EQ(codec->get_y(), 190 - 40 - 1);
    Counter* number = static_cast<Counter*>(kit.instance(types::ObjectCodecID_280));
    ASSERT_NE(number, nullptr);
    EXPECT_EQ(number->value, 7);
    kit.run(1);
    EXPECT_EQ(kit.value(codec, 'F'), 20);
    kit.run(1);
    EXPECT_LE(kit.value(codec, 'F'), 10);  // twinkled: restarted at -59 ... 0, plus 10
    kit.run(76);
    EXPECT_FALSE(destroyed(codec));
    kit.run(1);
    EXPECT_TRUE(destroyed(codec));  // E passed 80 on the 79th tick after its collection tick
    for (int tick = 0; tick < 200 && !kit.instances(types::ObjectCodecID_280).empty(); ++tick)
        kit.run(1);
    EXPECT_TRUE(kit.instances(types::ObjectCodecID_280).empty());  // gone once it stopped

    // A codec found before shows half transparent and, taken, no number.
    FrameObject* known = kit.place("ObjectCodec_279", 100, 100, 2);
    kit.set_value(known, 'A', 7);
    kit.run(1);
    EXPECT_EQ(known->blend_color.a, 128);
    EXPECT_TRUE(kit.flag(known, 1));
    known->set_x(256);
    known->set_y(180);
    kit.run(2);
    EXPECT_GT(kit.value(known, 'E'), 1);
    EXPECT_TRUE(kit.instances(types::ObjectCodecID_280).empty());
}

TEST_F(KeystoneCodecLife, a_codec_without_a_number_is_taken_but_writes_no_record)
{
    enter(keystone_codec_events());
    kit.set_value(values(), 'X', 256);
    kit.set_value(values(), 'Y', 190);
    records->data.current_y = 3;
    const std::vector<int> before = records->data.values;
    for (const double number : {0.0, -1.0}) {
        FrameObject* codec = kit.place("ObjectCodec_279", 256, 180, 2);
        kit.set_value(codec, 'A', number);
        kit.take_sounds();
        kit.run(1);
        EXPECT_EQ(kit.value(codec, 'E'), 2) << "codec " << number;
        EXPECT_EQ(sample_count(kit.take_sounds(), 29), 1) << "codec " << number;
        EXPECT_EQ(records->data.values, before) << "codec " << number;
    }
}

TEST_F(KeystoneCodecLife, the_crystal_countdown_gives_a_life_that_is_caught_circles_and_flies_to_the_lives_icon)
{
    enter(extra_life_events());
    ArrayObject* calls = static_cast<ArrayObject*>(kit.place("FunctionMusic_50", -50, -50));
    kit.frames().global_strings->set(2, "2");
    kit.set_global(18, 100);
    FrameObject* icon = kit.place("GUIIcon_108", 30, 20, hud);
    kit.frames().set_lives(3);
    crystals_left->set(0);
    kit.take_sounds();
    kit.run(1);
    EXPECT_EQ(crystals_left->value, 100);
    FrameObject* life = kit.instance(types::ObjectExtraLife_289);
    ASSERT_NE(life, nullptr);
    EXPECT_EQ(kit.value(life, 'E'), 2);  // made at the player: caught at once, and circling
    EXPECT_EQ(sample_count(kit.take_sounds(), 32), 1);
    EXPECT_EQ(music::cursor(calls), 1);
    EXPECT_EQ(calls->get_string(0, -1, -1), "play_music(2,1,2)");
    EXPECT_EQ(active(life)->forced_animation, 7);

    EXPECT_EQ(life->get_x(), to_int(256 + event_cos(0.1) * 25));
    EXPECT_EQ(life->get_y(), 189);
    kit.run(1);
    EXPECT_EQ(kit.value(life, 'E'), 3);
    EXPECT_EQ(life->get_x(), to_int(256 + event_cos(0.4) * 25));
    EXPECT_EQ(life->get_y(), 189);
    kit.run(116);
    EXPECT_EQ(kit.value(life, 'E'), 119);
    kit.take_sounds();
    kit.run(1);
    EXPECT_EQ(kit.value(life, 'E'), 120);
    EXPECT_EQ(sample_count(kit.take_sounds(), 33), 1);
    EXPECT_EQ(life->layer->index, hud);
    EXPECT_TRUE(kit.flag(life, 3));
    for (int tick = 0; tick < 120 && !gone(kit, types::ObjectExtraLife_289, life); ++tick)
        kit.run(1);
    EXPECT_TRUE(gone(kit, types::ObjectExtraLife_289, life));
    EXPECT_EQ(manager.lives, 4);
    FrameObject* popup = kit.instance(types::Obj1up_174);
    ASSERT_NE(popup, nullptr);
    EXPECT_EQ(popup->get_x(), icon->get_x() + 22);
}

TEST_F(KeystoneCodecLife, the_crystal_countdown_gives_one_life_each_time_it_runs_out_and_none_without_its_counter)
{
    enter(extra_life_events(), false);
    kit.set_global(18, 100);
    ASSERT_EQ(kit.instance(types::GUICrystal_78), nullptr);
    for (int tick = 1; tick <= 5; ++tick) {
        kit.run(1);
        EXPECT_TRUE(kit.instances(types::ObjectExtraLife_289).empty()) << "tick " << tick;
    }

    crystals_left = static_cast<Counter*>(kit.place("GUICrystal_78", 100, 20, hud));
    crystals_left->set(1);
    kit.run(2);
    EXPECT_TRUE(kit.instances(types::ObjectExtraLife_289).empty());
    crystals_left->set(0);
    kit.run(1);
    EXPECT_EQ(crystals_left->value, 100);
    EXPECT_EQ(kit.instances(types::ObjectExtraLife_289).size(), 1u);
    kit.run(3);
    EXPECT_EQ(crystals_left->value, 100);
    EXPECT_EQ(kit.instances(types::ObjectExtraLife_289).size(), 1u);
}

TEST_F(KeystoneCodecLife, a_flying_life_heads_for_the_lives_icon_or_for_the_default_objects_place_without_one)
{
    enter(extra_life_events());
    kit.set_value(values(), 'A', 2);
    FrameObject* life = kit.place("ObjectExtraLife_289", 300, 150, hud);
    kit.set_value(life, 'E', 120);
    set_flag(life, 3, true);  // already on its way: no new speed
    kit.run(1);
    // Towards (0, 0): atan2(150, -300) is 153.43 degrees, heading 13.
    EXPECT_EQ(life->get_direction(), 13);
    EXPECT_EQ(active(life)->forced_direction, 2);
    EXPECT_EQ(life->get_x(), 300);

    // Below and right of it: atan2(-70, 100) is -34.99, so 325.01, heading 28.
    kit.place("GUIIcon_108", 400, 220, hud);
    kit.run(1);
    EXPECT_EQ(life->get_direction(), 28);
    EXPECT_EQ(active(life)->forced_direction, 16 + 2);
}

TEST_F(KeystoneCodecLife, a_free_extra_life_falls_at_0_25_a_tick_up_to_12_lands_walks_and_turns_at_a_wall)
{
    enter(extra_life_events());
    player_terrain::place_terrain(kit.frames(), {player_terrain::TerrainPiece::wall, 0, floor_top - 128});
    kit.set_value(values(), 'A', 2);  // the character the life shows
    kit.set_global(3, 0);
    FrameObject* life = kit.place("ObjectExtraLife_289", 140, 60, 2);
    ASSERT_EQ(kit.values(life, "BCDE"), doubles(0, -1, 1, 0));
    // From rest: y = trunc(y + B), then B + 0.25; in the air animation 8,
    // showing its own direction again at the end of the tick.
    std::vector<int> heights;
    std::vector<double> speeds;
    for (int tick = 0; tick < 8; ++tick) {
        kit.run(1);
        heights.push_back(life->get_y());
        speeds.push_back(kit.value(life, 'B'));
        EXPECT_EQ(active(life)->forced_animation, 8);
        EXPECT_EQ(active(life)->forced_direction, 16);
    }
    EXPECT_EQ(heights, (std::vector<int>{60, 60, 60, 60, 61, 62, 63, 64}));
    EXPECT_EQ(speeds, doubles(0.25, 0.5, 0.75, 1, 1.25, 1.5, 1.75, 2));
    EXPECT_EQ(life->get_x(), 140);

    // A sparkle about it when the tick count is 5 modulo 15; none for a
    // negative count.
    for (const auto& [count, sparkles] : {std::pair{5, 1u}, {20, 1u}, {-10, 0u}, {6, 0u}}) {
        const size_t before = kit.instances(types::RingSparkle_179).size();
        const int x = life->get_x(), y = life->get_y();  // where the tick's first event finds it
        kit.set_global(3, count);
        kit.run(1);
        const std::vector<FrameObject*> made = kit.instances(types::RingSparkle_179);
        ASSERT_EQ(made.size() - before, sparkles) << count;
        if (sparkles) {
            EXPECT_LE(std::abs(made.back()->get_x() - x), 15) << count;
            EXPECT_LE(std::abs(made.back()->get_y() - y), 15) << count;
        }
    }
    EXPECT_EQ(life->get_y(), 72);  // 66, 68, 70, 72

    // At most 12 a tick.
    kit.set_value(life, 'B', 11.9);
    heights.clear();
    speeds.clear();
    for (int tick = 0; tick < 3; ++tick) {
        kit.run(1);
        heights.push_back(life->get_y());
        speeds.push_back(kit.value(life, 'B'));
    }
    EXPECT_EQ(heights, (std::vector<int>{83, 95, 107}));
    EXPECT_EQ(speeds, doubles(12, 12, 12));

    // Landing (191 + 12 reaches into the floor): stopped, animation 0,
    // lifted out onto the floor.
    kit.run(7);
    EXPECT_EQ(life->get_y(), 191);
    kit.run(1);
    EXPECT_EQ(kit.value(life, 'B'), 0);
    EXPECT_EQ(active(life)->forced_animation, 0);
    EXPECT_EQ(life->get_y(), floor_top - 8);

    // It walks C x D a tick only on frames above 3 of its animation, until
    // it meets the wall; both probes touch it, so it ends turned right.
    active(life)->force_frame(3);
    kit.run(2);
    EXPECT_EQ(life->get_x(), 140);
    active(life)->force_frame(4);
    std::vector<int> xs;
    for (int tick = 0; tick < 4; ++tick) {
        kit.run(1);
        xs.push_back(life->get_x());
        EXPECT_EQ(kit.value(life, 'C'), -1);
    }
    EXPECT_EQ(xs, (std::vector<int>{139, 138, 137, 136}));
    kit.run(1);  // into the wall
    EXPECT_EQ(life->get_x(), 135);
    EXPECT_EQ(kit.value(life, 'C'), 1);
    EXPECT_EQ(life->get_direction(), 2);
    EXPECT_EQ(active(life)->forced_direction, 2);
}

TEST_F(KeystoneCodecLife, an_extra_life_far_beyond_the_view_stays_put_and_a_rising_one_passes_through_the_floor)
{
    enter(extra_life_events());
    kit.set_global(3, 0);
    // Its box's top 50 above the view: neither falls nor gains speed; one
    // pixel lower it falls.
    FrameObject* high = kit.place("ObjectExtraLife_289", 180, -42, 2);
    kit.run(2);
    EXPECT_EQ(high->get_y(), -42);
    EXPECT_EQ(kit.value(high, 'B'), 0);
    high->set_y(-41);
    kit.run(1);
    EXPECT_EQ(kit.value(high, 'B'), 0.25);

    FrameObject* rising = kit.place("ObjectExtraLife_289", 330, floor_top + 5, 2);
    kit.set_value(rising, 'B', -3);
    kit.run(1);
    EXPECT_EQ(rising->get_y(), floor_top + 2);
    EXPECT_EQ(kit.value(rising, 'B'), -2.75);
    kit.run(1);
    EXPECT_EQ(rising->get_y(), floor_top - 1);  // trunc(202 - 2.75)
    EXPECT_EQ(kit.value(rising, 'B'), -2.5);
}
