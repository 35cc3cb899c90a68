// The skins' palettes from the save data: each palette's event fires once
// per level start, only for the saved palette number and while the
// character's skin is there.
#include "tests/game/events/player_physics/player_terrain.h"

#include "game/objects/class_lookup.h"
#include "game/objects/classes.h"
#include "objects/arrayext.h"

#include <gtest/gtest.h>

#include <map>

using namespace player_terrain;

namespace {

// Saved palette numbers by row: 21 Yelto, 22 Pimsa, 23 bike, 24 Dorrik.
TerrainScene palette_scene(std::map<int, int> saved, bool with_skins = true, bool with_save = true)
{
    TerrainScene scene;
    scene.set_up = [saved, with_skins, with_save](Frames& f) {
        class_records::array_10 = SavedArrayData{};
        if (with_save) {
            auto* save = static_cast<ArrayObject*>(f.add_object(create_object("SaveData_10", 0, 0), 0));
            for (const auto& [row, palette] : saved)
                save->set_value(palette, 1, row, -1);
        }
        if (with_skins)
            for (const char* name : {"PlayerSkinPimsa_324", "PlayerSkinPimsaBike_338", "PlayerSkinDorrik_339",
                                     "ObjectFuel_341"})
                f.add_object(create_object(name, 256, 509), playfield_layer);
    };
    scene.handler = [](Frames& f) { run_player_events(f, 595, 626); };
    return scene;
}

struct PaletteFlags {
    Frames& f;
    std::map<int, bool> fired() const
    {
        return {{595, f.once_595}, {596, f.once_596}, {597, f.once_597}, {598, f.once_598},
                {607, f.once_607}, {608, f.once_608}, {609, f.once_609}, {610, f.once_610},
                {614, f.once_614}, {615, f.once_615}, {616, f.once_616}, {623, f.once_623},
                {624, f.once_624}, {625, f.once_625}, {626, f.once_626}};
    }
    // The events that have fired since the level started.
    std::vector<int> events() const
    {
        std::vector<int> numbers;
        for (const auto& [number, done] : fired())
            if (done)
                numbers.push_back(number);
        return numbers;
    }
};

struct CharacterPalettes : testing::Test {
    void TearDown() override { class_records::array_10 = SavedArrayData{}; }
};

}  // namespace

TEST_F(CharacterPalettes, each_character_takes_its_saved_palette_once_per_level_start)
{
    EventKit kit;
    kit.enter_empty_frame(player_terrain_frame(palette_scene({{21, 2}, {22, 4}, {23, 3}, {24, 1}})));
    PaletteFlags flags{kit.frames()};
    EXPECT_EQ(flags.events(), (std::vector<int>{596, 610, 616, 623}));
    kit.run(30);
    EXPECT_EQ(flags.events(), (std::vector<int>{596, 610, 616, 623}));

    // A new level start applies them again.
    kit.enter_empty_frame(player_terrain_frame(palette_scene({{21, 1}})));
    EXPECT_EQ(flags.events(), (std::vector<int>{595}));
}

TEST_F(CharacterPalettes, palette_0_and_the_bikes_palette_4_have_no_event)
{
    EventKit kit;
    kit.enter_empty_frame(player_terrain_frame(palette_scene({{21, 0}, {22, 0}, {23, 4}, {24, 5}})));
    EXPECT_TRUE(PaletteFlags{kit.frames()}.events().empty());
}

TEST_F(CharacterPalettes, need_the_characters_skin_and_the_save_data)
{
    EventKit kit;
    kit.enter_empty_frame(player_terrain_frame(palette_scene({{22, 1}, {23, 1}, {24, 1}, {21, 1}}, false)));
    // Only Yelto's skin is in play.
    EXPECT_EQ(PaletteFlags{kit.frames()}.events(), (std::vector<int>{595}));

    kit.enter_empty_frame(player_terrain_frame(palette_scene({{21, 1}}, true, false)));
    EXPECT_TRUE(PaletteFlags{kit.frames()}.events().empty());
}

TEST_F(CharacterPalettes, wait_while_the_player_engine_is_off)
{
    EventKit kit;
    TerrainScene scene = palette_scene({{21, 3}});
    scene.start = [](Frames& f) { f.level_group_23 = false; };
    kit.enter_empty_frame(player_terrain_frame(scene));
    kit.run(3);
    EXPECT_TRUE(PaletteFlags{kit.frames()}.events().empty());
    kit.frames().level_group_23 = true;
    kit.run(1);
    EXPECT_EQ(PaletteFlags{kit.frames()}.events(), (std::vector<int>{597}));
}
