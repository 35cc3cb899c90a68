// The character set-up: each character's movement and action tuning on
// land, under water and with the power state, gravity, the bike's
// acceleration, the skins and the water that go, and a run from rest to
// each character's top speed.
#include "tests/game/events/player_physics/player_terrain.h"

#include "game/frames/event_index.h"
#include "game/objects/class_lookup.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <vector>

using namespace player_terrain;

namespace {

double v(const FrameObject* object, char name) { return EventKit::value(object, name); }
void set(FrameObject* object, char name, double number) { EventKit::set_value(object, name, number); }

struct Tuning {
    double top_speed, cap, acceleration, gravity, landing_share;
};

// The character set-up alone, every tick.
TerrainScene tuning_scene(int character, std::function<void(Frames&)> more = {})
{
    TerrainScene scene;
    scene.character = character;
    scene.set_up = std::move(more);
    scene.handler = [](Frames& f) { run_player_events(f, 594, 629); };
    return scene;
}

void expect_tuning(FrameObject* values, const Tuning& t, const char* what)
{
    SCOPED_TRACE(what);
    EXPECT_EQ(v(values, 'C'), t.top_speed);
    EXPECT_EQ(v(values, 'D'), t.cap);
    EXPECT_EQ(v(values, 'E'), t.acceleration);
    EXPECT_EQ(v(values, 'F'), 0.203125);
    EXPECT_EQ(v(values, 'H'), 15);
    EXPECT_EQ(v(values, 'I'), t.gravity);
    EXPECT_EQ(v(values, 'J'), t.landing_share);
}

void expect_actions(FrameObject* actions, bool in_water)
{
    EXPECT_EQ(v(actions, 'A'), in_water ? -6 : -7);
    EXPECT_EQ(v(actions, 'B'), in_water ? -2 : -3);
    EXPECT_EQ(v(actions, 'O'), in_water ? 0.0217 : 0.0334);
    EXPECT_EQ(v(actions, 'P'), in_water ? 0.12 : 0.2);
    const std::pair<char, double> shared[] = {{'E', -170}, {'G', 170}, {'H', 4},     {'I', 0.5},
                                              {'K', 1},    {'L', 0.01}, {'M', 6},    {'N', 12},
                                              {'Q', 0.035}, {'R', 0.25}, {'S', 0.7}};
    for (const auto& [name, number] : shared)
        EXPECT_EQ(v(actions, name), number) << name;
}

}  // namespace

TEST(CharacterTuning, gives_each_character_its_movement_and_action_set_on_land)
{
    const Tuning expected[] = {
        {5, 15, 0.07375, 0.25, 0.84},  // Yelto
        {5, 15, 0.07375, 0.25, 0.84},  // Orrun
        {5, 12, 0.07375, 0.25, 0.84},  // Pimsa: a lower cap
        {8, 15, 0.00575, 0.3, 0.84},   // Pimsa on the bike, coasting
        {5, 15, 0.07375, 0.25, 0.84},  // Dorrik
        {4.5, 15, 0.07375, 0.25, 0.5}, // Hespin
    };
    for (int character = 0; character < 6; ++character) {
        EventKit kit;
        kit.enter_empty_frame(player_terrain_frame(tuning_scene(character)));
        expect_tuning(player_values(kit), expected[character], std::to_string(character).c_str());
        expect_actions(kit.instance(types::PlayerActionValuesA_86), false);
    }
}

TEST(CharacterTuning, the_power_state_and_water_load_their_sets_when_they_change)
{
    EventKit kit;
    kit.enter_empty_frame(player_terrain_frame(tuning_scene(5)));
    FrameObject* values = player_values(kit);
    FrameObject* others = kit.instance(types::PlayerOthers_75);
    // Hespin with the power state gets the common powered set.
    set(others, 'F', 1);
    kit.run(1);
    expect_tuning(values, {8, 15, 0.07375, 0.25, 0.84}, "powered");
    set(others, 'H', 1);
    kit.run(1);
    expect_tuning(values, {6, 15, 0.056875, 0.15, 0.84}, "powered in water");
    expect_actions(kit.instance(types::PlayerActionValuesA_86), true);
    set(others, 'F', 0);
    kit.run(1);
    expect_tuning(values, {4, 15, 0.056875, 0.15, 0.84}, "in water");
    set(others, 'H', 0);
    kit.run(1);
    expect_tuning(values, {4.5, 15, 0.07375, 0.25, 0.5}, "back on land");
    expect_actions(kit.instance(types::PlayerActionValuesA_86), false);

    // A set loads once while its conditions hold: a change made meanwhile stays.
    set(values, 'C', 9);
    kit.run(3);
    EXPECT_EQ(v(values, 'C'), 9);
}

TEST(CharacterTuning, pimsa_keeps_her_lower_cap_with_the_power_state)
{
    EventKit kit;
    kit.enter_empty_frame(player_terrain_frame(
        tuning_scene(2, [](Frames& f) { set(f.instances[types::PlayerOthers_75].back, 'F', 2); })));
    expect_tuning(player_values(kit), {8, 12, 0.07375, 0.25, 0.84}, "powered");
}

TEST(CharacterTuning, gravity_stays_as_it_is_in_movement_mode_5)
{
    EventKit kit;
    kit.enter_empty_frame(player_terrain_frame(tuning_scene(0, [](Frames& f) {
        set(f.instances[types::PlayerMovementValues_80].back, 'M', 5);
        set(f.instances[types::PlayerMovementValues_80].back, 'I', 0.7);
    })));
    FrameObject* values = player_values(kit);
    EXPECT_EQ(v(values, 'I'), 0.7);
    set(kit.instance(types::PlayerOthers_75), 'H', 1);
    kit.run(1);
    EXPECT_EQ(v(values, 'I'), 0.7);
}

TEST(CharacterTuning, the_bike_is_heavier_on_land_and_keeps_its_top_speed_in_water)
{
    EventKit bike;
    bike.enter_empty_frame(player_terrain_frame(tuning_scene(3)));
    FrameObject* bike_values = player_values(bike);
    EXPECT_EQ(v(bike_values, 'I'), 0.3);
    // Under water the water set first writes its top speed, and the bike
    // takes its own back in the same tick.
    bike.run(1);
    set(bike.instance(types::PlayerOthers_75), 'H', 1);
    bike.run(1);
    EXPECT_EQ(v(bike_values, 'I'), 0.15);
    EXPECT_EQ(v(bike_values, 'C'), 8);
    EXPECT_EQ(v(bike_values, 'D'), 15);
    bike.run(1);
    set(bike.instance(types::PlayerOthers_75), 'H', 0);
    set(bike.instance(types::PlayerOthers_75), 'F', 1);
    bike.run(1);
    EXPECT_EQ(v(bike_values, 'I'), 0.3);
    EXPECT_EQ(v(bike_values, 'C'), 10);
}

TEST(CharacterTuning, the_bike_accelerates_only_while_a_direction_is_held)
{
    EventKit kit;
    kit.enter_empty_frame(player_terrain_frame(tuning_scene(3)));
    FrameObject* values = player_values(kit);
    FrameObject* input = kit.instance(types::PlayerInput_21);
    EXPECT_EQ(v(values, 'E'), 0.00575);
    set(input, 'C', 1);
    kit.run(1);
    EXPECT_EQ(v(values, 'E'), 0.06);
    // Movement mode 4 coasts.
    set(values, 'M', 4);
    kit.run(1);
    EXPECT_EQ(v(values, 'E'), 0.00575);
    set(values, 'M', 1);
    set(input, 'C', 0);
    set(input, 'D', 1);
    set(input, 'N', 1);
    set(kit.instance(types::PlayerOthers_75), 'F', 2);
    kit.run(1);
    EXPECT_EQ(v(values, 'E'), 0.06 + 0.3);
    set(input, 'N', 0);
    kit.run(1);
    EXPECT_EQ(v(values, 'E'), 0.06);
}

namespace {

const int all_skins[] = {types::PlayerSkinOrrun_290,     types::PlayerSkinPimsa_324,  types::PlayerSkinPimsaTail_323,
                         types::PlayerSkinPimsaBike_338, types::PlayerSkinDorrik_339, types::PlayerSkinDorrikTail_342,
                         types::PlayerSkinHespinArm_350, types::PlayerSkinHespin_351};

void place_skins(Frames& f)
{
    for (const char* name : {"PlayerSkinOrrun_290", "PlayerSkinPimsa_324", "PlayerSkinPimsaTail_323",
                             "PlayerSkinPimsaBike_338", "PlayerSkinDorrik_339", "PlayerSkinDorrikTail_342",
                             "PlayerSkinHespinArm_350", "PlayerSkinHespin_351"})
        f.add_object(create_object(name, 256, 509), playfield_layer);
}

}  // namespace

TEST(CharacterTuning, removes_the_skins_of_the_characters_not_in_play)
{
    const std::pair<int, std::vector<int>> kept[] = {
        {0, {}},
        {1, {types::PlayerSkinOrrun_290}},
        {2, {types::PlayerSkinPimsa_324, types::PlayerSkinPimsaTail_323, types::PlayerSkinPimsaBike_338}},
        {3, {types::PlayerSkinPimsa_324, types::PlayerSkinPimsaTail_323, types::PlayerSkinPimsaBike_338}},
        {4, {types::PlayerSkinDorrik_339, types::PlayerSkinDorrikTail_342}},
        {5, {types::PlayerSkinHespin_351, types::PlayerSkinHespinArm_350}},
    };
    for (const auto& [character, skins] : kept) {
        EventKit kit;
        kit.enter_empty_frame(player_terrain_frame(tuning_scene(character, place_skins)));
        kit.run(1);
        for (const int skin : all_skins) {
            const bool stays = std::find(skins.begin(), skins.end(), skin) != skins.end();
            EXPECT_EQ(kit.instances(skin).size(), stays ? 1u : 0u) << "character " << character << " skin " << skin;
        }
        EXPECT_EQ(kit.instances(types::PlayerSkinYelto_102).size(), 1u);
    }
}

TEST(CharacterTuning, a_level_without_water_loses_its_water_objects)
{
    for (const int has_water : {0, 1}) {
        EventKit kit;
        kit.enter_empty_frame(player_terrain_frame(tuning_scene(0, [has_water](Frames& f) {
            set(f.instances[types::MasterLevel_53].back, 'A', has_water);
            f.add_object(create_object("GeneralWaterHorizon_155", 0, 700), playfield_layer);
            f.add_object(create_object("GeneralWater_156", 0, 716), playfield_layer);
        })));
        kit.run(1);
        EXPECT_EQ(kit.instances(types::GeneralWaterHorizon_155).size(), size_t(has_water));
        EXPECT_EQ(kit.instances(types::GeneralWater_156).size(), size_t(has_water));
    }
}

namespace {

// Right held on flat ground, what the run events do with the tuning: the
// step E while below the top speed, and the start boost of 8E up to 2.
// It stands in for the ground speed events where they are not built.
bool ground_speed_built()
{
    const EventIndexRow* row = find_event(682);
    return row && row->built;
}

void run_right(Frames& f)
{
    FrameObject* values = f.instances[types::PlayerMovementValues_80].back;
    const double top = v(values, 'C');
    const double step = v(values, 'E');
    double speed = v(values, 'B');
    if (speed < top)
        speed = speed + step;
    if (speed < top && std::fabs(speed) < 2)
        speed = std::min(speed + 8 * step, 2.0);
    set(values, 'B', speed);
}

// Ticks from rest, right held, until the speed reaches the top speed.
int ticks_to_top_speed(int character)
{
    EventKit kit;
    TerrainScene scene;
    scene.character = character;
    scene.standing = true;
    scene.set_up = [](Frames& f) { set(f.instances[types::PlayerInput_21].back, 'D', 1); };
    scene.handler = [](Frames& f) {
        if (ground_speed_built()) {
            // The slope following (658) waits for its lifting half: its
            // slopes-down loop steps the body into the floor and only the
            // slopes-up loop (555, 556) lifts it back out.
            const EventIndexRow* lifting = find_event(555);
            if (lifting && lifting->built) {
                run_player_events(f, 594, 710);
            } else {
                run_player_events(f, 594, 657);
                run_player_events(f, 659, 710);
            }
            return;
        }
        run_player_events(f, 594, 656);
        run_right(f);
    };
    kit.enter_empty_frame(player_terrain_frame(scene));
    FrameObject* values = player_values(kit);
    int ticks = 1;
    double x = v(values, 'X');
    while (v(values, 'B') < v(values, 'C') && ticks < 1000) {
        kit.run(1);
        ++ticks;
        EXPECT_GT(v(values, 'X'), x);
        x = v(values, 'X');
    }
    return ticks;
}

}  // namespace

// From rest: E + 8E on tick 1 (0.66375 for E = 0.07375), then the boost
// again on ticks 2 and 3 (1.32745, 1.99115) and E alone from tick 4 on
// (2.06485). The engine cuts each speed to four decimals, so every later
// tick gains E - 0.00005 = 0.0737: 40 more ticks pass 5 (5.01285), 34
// more pass 4.5. The bike's E = 0.06 reaches 2 on tick 4 and then gains
// 0.06 a tick, less what the cut takes where a sum lands a hair below a
// fourth decimal: 105 ticks to pass 8.
TEST(CharacterTuning, running_right_from_rest_reaches_each_characters_top_speed)
{
    EXPECT_EQ(ticks_to_top_speed(0), 44);
    EXPECT_EQ(ticks_to_top_speed(1), 44);
    EXPECT_EQ(ticks_to_top_speed(2), 44);
    EXPECT_EQ(ticks_to_top_speed(3), 105);
    EXPECT_EQ(ticks_to_top_speed(4), 44);
    EXPECT_EQ(ticks_to_top_speed(5), 38);
}
