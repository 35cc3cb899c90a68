// Act 2's set-up: header, layers, the placed instances layer by layer, the
// twenty object groups, the state the act's events start from, and the loop
// map with the names its events start loops by.
#include "game/frames/event_support.h"
#include "game/objects/class_lookup.h"
#include "runtime/frame.h"
#include "runtime/layer.h"
#include "tests/support/event_kit.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace {

constexpr int act2 = 5;

// The act's set-up alone (no start events, no tick handler).
void set_up_act2_alone(EventKit& kit)
{
    kit.enter_empty_frame({.index = act2, .set_up = [](Frames& f) { f.on_frame_6_init(); }});
}

int layer_total(Frames& f, int layer)
{
    const Layer& l = f.layers[size_t(layer)];
    return l.instance_count + int(l.background_objects.size());
}

std::vector<std::string> member_names(const QualifierList& group)
{
    std::vector<std::string> names;
    for (int i = 0; i < group.count; ++i) {
        const int type = int(group.lists[i] - &game_frames.instances[0]);
        // The class the act places, where two share the type.
        const std::vector<const ClassInfo*> classes = classes_of_type(type);
        names.push_back(classes.empty() ? "?" : classes.back()->name);
    }
    return names;
}

int on_layer(EventKit& kit, int type, int layer)
{
    int count = 0;
    for (FrameObject* object : kit.instances(type))
        count += object->layer == &kit.frames().layers[size_t(layer)];
    return count;
}

}  // namespace

TEST(Act2SetUp, the_header_eight_layers_and_every_placed_instance_layer_by_layer)
{
    EventKit kit;
    kit.enter_empty_frame({.layers = 12});
    kit.take_console();
    set_up_act2_alone(kit);
    Frames& f = kit.frames();
    EXPECT_EQ(f.index, act2);
    EXPECT_EQ(f.width, 12800);
    EXPECT_EQ(f.height, 3200);
    EXPECT_EQ(f.virtual_width, 12800);
    EXPECT_EQ(f.virtual_height, 3200);
    ASSERT_EQ(f.layers.size(), 8u);
    for (int layer = 0; layer < 8; ++layer) {
        const Layer& l = f.layers[size_t(layer)];
        EXPECT_EQ(l.coef_x, layer == 6 ? 0.0 : 1.0) << layer;
        EXPECT_TRUE(l.visible && !l.wrap_x && !l.wrap_y) << layer;
    }
    const int counts[8] = {14, 6, 2007, 29, 5, 116, 29, 8};
    int total = 0;
    for (int layer = 0; layer < 8; ++layer) {
        EXPECT_EQ(layer_total(f, layer), counts[layer]) << "layer " << layer;
        total += layer_total(f, layer);
    }
    EXPECT_EQ(total, 2214);
    std::vector<std::string> lines = kit.take_console();
    std::erase(lines, "Done loading shader");
    EXPECT_EQ(lines, std::vector<std::string>{});

    EXPECT_EQ(kit.instances(types::ObjectCrystal_239).size(), 87u);
    EXPECT_EQ(on_layer(kit, types::ObjectCrystal_239, 2), 83);
    EXPECT_EQ(on_layer(kit, types::ObjectCrystal_239, 5), 4);
    EXPECT_EQ(kit.instances(types::GUIPowerCard_337).size(), 5u);
    EXPECT_EQ(kit.instances(types::GUIWeaponSlot_233).size(), 8u);
    for (int single : {types::Player_87, types::PlayerMovementValues_80, types::MasterLevel_53, types::GUIPause_109,
                       types::LevelParalaxWaterSurface_389, types::SwitchDoor_378, types::Sign_361})
        EXPECT_EQ(kit.instances(single).size(), 1u) << single;
    // The rows the events rely on, at their places.
    EXPECT_EQ(kit.instance(types::Sign_361)->get_x(), 8360);
    EXPECT_EQ(kit.instance(types::PlayerStartingPoint_160)->get_y(), 989);
    EXPECT_EQ(kit.instances(types::BossSnakeBody_370).size(), 7u);
    EXPECT_EQ(kit.instances(types::BossSnakeBody_370).back()->get_y(), -164);
    EXPECT_EQ(kit.instance(types::LevelParalaxWaterSurface_389)->layer, &f.layers[0]);
    EXPECT_EQ(kit.instance(types::Player_87)->layer, &f.layers[5]);
}

TEST(Act2SetUp, fills_the_twenty_object_groups_in_member_order_once_per_run)
{
    EventKit kit;
    set_up_act2_alone(kit);
    Frames& f = kit.frames();
    const QualifierList* groups[20] = {&f.qualifier_1,  &f.qualifier_2,  &f.qualifier_3,  &f.qualifier_4,
                                       &f.qualifier_5,  &f.qualifier_6,  &f.qualifier_7,  &f.qualifier_8,
                                       &f.qualifier_9,  &f.qualifier_10, &f.qualifier_11, &f.qualifier_12,
                                       &f.qualifier_13, &f.qualifier_14, &f.qualifier_15, &f.qualifier_16,
                                       &f.qualifier_17, &f.qualifier_18, &f.qualifier_19, &f.qualifier_20};
    const int sizes[20] = {35, 13, 37, 5, 5, 4, 3, 2, 2, 1, 2, 2, 12, 1, 5, 1, 8, 44, 6, 13};
    ObjectList** arrays[20];
    for (int i = 0; i < 20; ++i) {
        EXPECT_EQ(groups[i]->count, sizes[i]) << "qualifier_" << i + 1;
        EXPECT_EQ(groups[i]->lists[groups[i]->count], nullptr);
        EXPECT_EQ(groups[i]->last, groups[i]->lists[groups[i]->count - 1]);
        arrays[i] = groups[i]->lists;
    }
    using names = std::vector<std::string>;
    EXPECT_EQ(member_names(f.qualifier_17),
              (names{"EnemyPokkol_138", "EnemyDragonfly_272", "EnemyZemmetJr_369", "BossSnakeBody_370",
                     "BossSnakeHitbox_383", "EnemySporePod_393", "EnemyThornak_394", "EnemyStarFlounder_401"}));
    EXPECT_EQ(member_names(f.qualifier_4), (names{"MasterGroupsA_83", "PlayerActionValuesA_86",
                                                  "PlayerActionValuesB_164", "LevelLayer0Loop04_357",
                                                  "LevelLayer016_359"}));
    EXPECT_EQ(member_names(f.qualifier_7),
              (names{"MasterGroupsA_83", "LevelValleyPlatform1_149", "LevelGeyserPlate_375"}));
    EXPECT_EQ(member_names(f.qualifier_8), (names{"MasterGroupsB_84", "PushableBlock1_364"}));
    EXPECT_EQ(member_names(f.qualifier_11), (names{"MasterGroupsB_84", "BossFireball_384"}));
    EXPECT_EQ(member_names(f.qualifier_1).back(), "BreakableRock2_404");
    EXPECT_EQ(member_names(f.qualifier_3).back(), "SpinningLogMask_392");
    EXPECT_EQ(member_names(f.qualifier_18)[37], "EnemyZemmetJr_369");
    EXPECT_EQ(member_names(f.qualifier_20)[8], "LevelParallaxPiece7_367");

    // Act 1 gives the same groups its own members; act 2's come back on a
    // second entry, from the arrays of the first.
    kit.enter_frame(4);
    EXPECT_EQ(f.qualifier_17.count, 4);
    set_up_act2_alone(kit);
    for (int i = 0; i < 20; ++i)
        EXPECT_EQ(groups[i]->lists, arrays[i]) << "qualifier_" << i + 1;
}

TEST(Act2SetUp, starts_with_the_groups_of_its_first_tick_and_fresh_event_state)
{
    EventKit kit;
    kit.enter_empty_frame({.index = act2, .set_up = [](Frames& f) {
        // Whatever a previous visit left; act 1's set pieces keep theirs.
        for (bool* group : {&f.level_group_25, &f.level_group_39, &f.level_group_2, &f.global_group_1,
                            &f.level_group_34, &f.level_group_68, &f.boss_fight_group, &f.opening_fade_group})
            *group = true;
        f.level_group_14 = false;
        f.boss_arena_group = false;
        f.fast_loop_movesnake = {true, 4};
        f.fast_loop_play_music_5 = {true, 1};
        f.run_once_2480 = 1000;
        f.every_1311 = 0.05f;
        f.on_frame_6_init();
    }});
    Frames& f = kit.frames();
    const std::set<int> on = {1, 3, 6, 7, 8, 16, 19, 23, 24, 31, 32, 41, 43, 61, 73};
    const std::set<int> act1_only = {14, 34, 52, 57, 60, 68};
    for (int n = 1; n <= 74; ++n) {
        if (act1_only.count(n))
            continue;
        EXPECT_EQ(*f.level_group(n), on.count(n) == 1) << "level_group_" << n;
    }
    EXPECT_TRUE(f.level_group_34 && f.level_group_68 && !f.level_group_14);
    EXPECT_TRUE(f.boss_arena_group && f.arena_entry_group && f.boss_fight_sub_group_1 && f.boss_fight_sub_group_2);
    EXPECT_FALSE(f.boss_fight_group || f.boss_fight_sub_group_3 || f.opening_fade_group || f.global_group_1);
    EXPECT_FALSE(f.fast_loop_movesnake.running || f.fast_loop_play_music_5.running);
    EXPECT_EQ(f.fast_loop_movesnake.index, 0);
    EXPECT_EQ(f.every_1311, 0.0f);
    EXPECT_TRUE(run_once(f.run_once_2480, 0));
}

// The act's own loop map: "play_music.5" is its stage track, "play_music.6"
// and "7" act 1's; two names run one explosion; a second entry finds the
// map as it was.
TEST(Act2NamedLoops, the_map_has_the_acts_54_names_and_its_own_stage_track)
{
    EventKit kit;
    kit.enter_frame(4);
    const LoopMap* act1_map = kit.frames().loops;
    kit.enter_frame(act2);
    Frames& f = kit.frames();
    ASSERT_NE(f.loops, nullptr);
    EXPECT_NE(f.loops, act1_map);
    EXPECT_EQ(f.loops->size(), 54u);
    const LoopMap* first = f.loops;
    EXPECT_EQ(f.find_loop("play_music.5")->entry, &Frames::loop_play_music_5_5);
    EXPECT_EQ(f.find_loop("play_music.5")->running, &f.fast_loop_play_music_5.running);
    for (const char* name : {"play_music.6", "play_music.7"})
        EXPECT_EQ(f.find_loop(name)->entry, &Frames::loop_play_music_5_4) << name;
    EXPECT_EQ(f.find_loop("sound_explode0")->entry, f.find_loop("sound_explode3")->entry);
    EXPECT_EQ(f.find_loop("process_call.me"), nullptr);
    EXPECT_EQ(f.find_loop("play_music_5"), nullptr);
    EXPECT_EQ(f.find_loop("sound_explode9"), nullptr);

    // The stage track by progress: the first until the boss is beaten.
    kit.take_sounds();
    f.run_named_loop("play_music.5", 1);
    EXPECT_EQ(music_count(kit.take_sounds(), "m_stage1.ogg"), 1);
    kit.set_global(4, 9.5);
    f.run_named_loop("play_music.5", 1);
    EXPECT_EQ(music_count(kit.take_sounds(), "m_stage1.ogg"), 1);
    kit.set_global(4, 10);
    f.run_named_loop("play_music.5", 1);
    std::vector<SoundStart> sounds = kit.take_sounds();
    EXPECT_EQ(music_count(sounds, "m_stage1b.ogg"), 1);
    EXPECT_EQ(music_count(sounds, "m_stage1.ogg"), 0);
    f.run_named_loop("play_music.6", 1);
    EXPECT_EQ(music_count(kit.take_sounds(), "m_stage1.ogg"), 1);
    kit.set_global(4, 0);

    kit.enter_frame(act2);
    EXPECT_EQ(f.loops, first);
    EXPECT_EQ(f.loops->size(), 54u);
}
