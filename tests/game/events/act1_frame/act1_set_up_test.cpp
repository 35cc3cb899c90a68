// Act 1's set-up: header, layers, object groups, the placement of the fixed
// rows and the layout file, the loop map, and the state the act's events
// start from.
#include "game/frames/act_layout.h"
#include "game/frames/event_support.h"
#include "game/objects/class_lookup.h"
#include "runtime/layer.h"
#include "tests/support/event_kit.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>

namespace {

constexpr int act1 = 4;

int type_of(const char* class_name)
{
    const ClassInfo* info = find_class(class_name);
    EXPECT_NE(info, nullptr) << class_name;
    return info ? info->type_id : 0;
}

// Runs the act's set-up alone (no start events, no tick handler): the state
// it leaves after the first object update.
void set_up_act1_alone(EventKit& kit)
{
    kit.enter_empty_frame({.set_up = [](Frames& f) { f.on_frame_5_init(); }});
}

std::vector<int> xs(EventKit& kit, const char* class_name)
{
    std::vector<int> found;
    for (FrameObject* object : kit.instances(type_of(class_name)))
        found.push_back(object->get_x());
    return found;
}

// The layer's objects in depth order, back to front.
std::vector<FrameObject*> layer_objects(Frames& f, int layer)
{
    std::vector<FrameObject*> found;
    for (FrameObject* object = f.layers[size_t(layer)].first; object; object = object->layer_next)
        found.push_back(object);
    return found;
}

int layer_total(Frames& f, int layer)
{
    const Layer& l = f.layers[size_t(layer)];
    return l.instance_count + int(l.background_objects.size());
}

int placed_total(Frames& f)
{
    int total = 0;
    for (size_t layer = 0; layer < f.layers.size(); ++layer)
        total += layer_total(f, int(layer));
    return total;
}

std::vector<int> member_types(const QualifierList& group)
{
    std::vector<int> types;
    for (int i = 0; i < group.count; ++i)
        types.push_back(int(group.lists[i] - &game_frames.instances[0]));
    return types;
}

}  // namespace

TEST(Act1SetUp, the_header_and_eight_layers_with_the_hud_fixed_on_the_screen)
{
    EventKit kit;
    // A frame of more layers first: the act's set-up ends with eight.
    kit.enter_empty_frame({.layers = 11});
    set_up_act1_alone(kit);
    Frames& f = kit.frames();
    EXPECT_EQ(f.index, act1);
    EXPECT_EQ(f.virtual_width, f.width);
    EXPECT_EQ(f.virtual_height, f.height);
    EXPECT_EQ(f.timer_base, 0);
    ASSERT_EQ(f.layers.size(), 8u);
    for (int layer = 0; layer < 8; ++layer) {
        const Layer& l = f.layers[size_t(layer)];
        EXPECT_EQ(l.index, layer);
        EXPECT_EQ(l.coef_x, layer == 6 ? 0.0 : 1.0) << layer;
        EXPECT_EQ(l.coef_y, layer == 6 ? 0.0 : 1.0) << layer;
        EXPECT_TRUE(l.visible && !l.wrap_x && !l.wrap_y) << layer;
    }
}

// Every row of the merged layout is placed once, on its layer and in its
// order; the level card last and the player once.
TEST(Act1SetUp, places_every_row_of_the_act_in_row_order_quietly)
{
    EventKit kit;
    kit.take_console();
    set_up_act1_alone(kit);
    Frames& f = kit.frames();
    const std::vector<LayoutRow> rows =
        merge_level_layout(fixed_layout(1), read_level_layout("./levels/act1.layout"));
    EXPECT_EQ(placed_total(f), int(rows.size()));
    // The set-up itself reports nothing (the first drawn picture may load
    // the shaders).
    std::vector<std::string> lines = kit.take_console();
    std::erase(lines, "Done loading shader");
    EXPECT_EQ(lines, std::vector<std::string>{});

    // Layer 6 (the HUD) in row order, and the type lists in row order.
    std::vector<int> hud_rows, hud_placed;
    for (const LayoutRow& row : rows)
        if (row.layer == 6 && !row.background)
            hud_rows.push_back(row.info->type_id);
    for (FrameObject* object : layer_objects(f, 6))
        hud_placed.push_back(object->id);
    EXPECT_EQ(hud_placed, hud_rows);
    EXPECT_EQ(hud_placed.size(), 28u);
    EXPECT_EQ(xs(kit, "GUIPowerCard_337"), (std::vector<int>{91, 75, 59, 43, 27}));
    EXPECT_EQ(kit.instance(type_of("GUIPowerCard_337"))->get_x(), 27);

    FrameObject* last = f.layers[7].last;
    ASSERT_NE(last, nullptr);
    EXPECT_STREQ(rows.back().info->name, "LevelCardIntro2_287");
    EXPECT_EQ(last->id, rows.back().info->type_id);
    EXPECT_EQ(last->get_y(), 248);
    ASSERT_EQ(kit.instances(type_of("Player_87")).size(), 1u);
    EXPECT_EQ(kit.instance(type_of("Player_87"))->layer, &f.layers[5]);
}

TEST(Act1SetUp, fills_the_twenty_object_groups_in_member_order)
{
    EventKit kit;
    set_up_act1_alone(kit);
    Frames& f = kit.frames();
    const QualifierList* groups[20] = {&f.qualifier_1,  &f.qualifier_2,  &f.qualifier_3,  &f.qualifier_4,
                                       &f.qualifier_5,  &f.qualifier_6,  &f.qualifier_7,  &f.qualifier_8,
                                       &f.qualifier_9,  &f.qualifier_10, &f.qualifier_11, &f.qualifier_12,
                                       &f.qualifier_13, &f.qualifier_14, &f.qualifier_15, &f.qualifier_16,
                                       &f.qualifier_17, &f.qualifier_18, &f.qualifier_19, &f.qualifier_20};
    // Each a list of distinct types, ended by a null, its last the last member.
    for (int i = 0; i < 20; ++i) {
        const int count = groups[i]->count;
        ASSERT_GT(count, 0) << "qualifier_" << i + 1;
        EXPECT_EQ(groups[i]->lists[count], nullptr);
        EXPECT_EQ(groups[i]->last, groups[i]->lists[count - 1]);
        const std::vector<int> types = member_types(*groups[i]);
        EXPECT_EQ(int(std::set<int>(types.begin(), types.end()).size()), count) << "qualifier_" << i + 1;
    }
    EXPECT_EQ(member_types(f.qualifier_17),
              (std::vector<int>{type_of("EnemyPokkol_138"), type_of("EnemyZemmetJr_271"),
                                type_of("EnemyDragonfly_272"), type_of("MinibossSkalvidWeakspot_307")}));
    for (const QualifierList* only_b : {&f.qualifier_8, &f.qualifier_10, &f.qualifier_11})
        EXPECT_EQ(member_types(*only_b), std::vector<int>{type_of("MasterGroupsB_84")});
    EXPECT_EQ(member_types(f.qualifier_18).front(), type_of("PlayerSkinYelto_102"));
    EXPECT_EQ(member_types(f.qualifier_18).back(), type_of("PlayerSkinHespin_351"));
    EXPECT_EQ(member_types(f.qualifier_20).back(), type_of("LevelParallaxPiece7_240"));

    // A member that the act never places still belongs: its instances
    // created later join the group's iteration.
    EXPECT_TRUE(kit.instances(type_of("EffectShade_309")).empty());
    kit.place("EffectShade_309", 100, 100, 2);
    int seen = 0;
    select_all(f.qualifier_18);
    for_each_selected(f.qualifier_18, [&](FrameObject* object) { seen += object->id == type_of("EffectShade_309"); });
    EXPECT_EQ(seen, 1);
}

TEST(Act1SetUp, starts_the_act_with_the_level_groups_of_its_first_tick)
{
    EventKit kit;
    kit.enter_empty_frame({.set_up = [](Frames& f) {
        // Whatever a previous visit left: the set-up writes every group.
        for (bool* group : {&f.level_group_2, &f.level_group_25, &f.level_group_43, &f.level_group_74,
                            &f.global_group_1, &f.global_group_7, &f.global_group_10, &f.global_group_12})
            *group = !(group == &f.level_group_43);
        f.on_frame_5_init();
    }});
    Frames& f = kit.frames();
    const std::set<int> on = {1, 3, 6, 7, 8, 14, 16, 19, 23, 24, 31, 32, 34, 41, 43, 61, 73};
    for (int n = 1; n <= 74; ++n)
        EXPECT_EQ(*f.level_group(n), on.count(n) == 1) << "level_group_" << n;
    for (bool group : {f.global_group_1, f.global_group_5, f.global_group_6, f.global_group_7, f.global_group_9,
                       f.global_group_10, f.global_group_11, f.global_group_12, f.global_group_13})
        EXPECT_FALSE(group);
}

TEST(Act1SetUp, stops_every_loop_and_rearms_the_once_and_run_once_state)
{
    EventKit kit;
    kit.enter_empty_frame({.set_up = [](Frames& f) {
        f.fast_loop_death = {true, 7};
        f.fast_loop_sound_explode0 = {true, 1};
        f.fast_loop_play_music_7 = {true, 2};
        f.once_595 = f.once_2164 = true;
        f.run_once_599 = f.run_once_2168 = 1000;
        f.every_1311 = 0.05f;
        f.on_frame_5_init();
    }});
    Frames& f = kit.frames();
    for (const FastLoop* loop : {&f.fast_loop_death, &f.fast_loop_sound_explode0, &f.fast_loop_play_music_7}) {
        EXPECT_FALSE(loop->running);
        EXPECT_EQ(loop->index, 0);
    }
    EXPECT_FALSE(f.once_595);
    EXPECT_FALSE(f.once_2164);
    EXPECT_EQ(f.every_1311, 0.0f);
    // Armed at the tick of the set-up (0): such an event fires on the first
    // tick its conditions hold.
    EXPECT_EQ(f.run_once_599, 0u);
    EXPECT_EQ(f.run_once_2168, 0u);
    EXPECT_TRUE(run_once(f.run_once_599, 0));
}
