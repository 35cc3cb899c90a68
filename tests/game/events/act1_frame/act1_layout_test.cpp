// Act 1's placement: the fixed rows are always placed, once each and in
// their order, whatever the layout file holds; a missing or damaged file
// costs its console lines and its level content, never the act.
#include "game/frames/act_layout.h"
#include "game/objects/class_lookup.h"
#include "runtime/layer.h"
#include "tests/support/event_kit.h"

#include <gtest/gtest.h>

#include <string>

namespace {

constexpr int act1 = 4;

LayoutRow row(const char* class_name, int x, int y, int layer)
{
    const ClassInfo* info = find_class(class_name);
    EXPECT_NE(info, nullptr) << class_name;
    const bool background = info->kind == ObjectKind::Backdrop || info->kind == ObjectKind::SystemBox;
    return LayoutRow{info, x, y, background, layer, 0};
}

std::string text_of(const std::vector<LayoutRow>& rows)
{
    std::string text;
    for (const LayoutRow& r : rows)
        text += std::string(r.info->name) + " " + std::to_string(r.x) + " " + std::to_string(r.y) + " "
                + std::to_string(r.layer) + "\n";
    return text;
}

int type_of(const char* class_name) { return find_class(class_name)->type_id; }

// The console lines about the act's layout file (the frame change writes
// lines of its own).
std::vector<std::string> layout_lines(EventKit& kit)
{
    std::vector<std::string> lines;
    for (const std::string& line : kit.take_console())
        if (line.find("act1.layout") != std::string::npos)
            lines.push_back(line);
    return lines;
}

}  // namespace

TEST(Act1Layout, merging_places_each_fixed_row_once_in_its_order)
{
    const std::vector<LayoutRow> fixed = {row("Sign_170", 14992, 85, 2), row("PlayerStartingPoint_160", 53, 429, 2),
                                          row("LINK_186", 88, -96, 2), row("GUIPowerCard_337", 91, 7, 6),
                                          row("GUIPowerCard_337", 75, 7, 6)};
    const LayoutRow crystal = row("ObjectCrystal_239", 400, 300, 2);
    const LayoutRow ground = row("LevelBackdrop02_142", 0, 448, 2);

    // A whole file: its order, the fixed rows standing where it has them.
    EXPECT_EQ(text_of(merge_level_layout(fixed, {ground, fixed[0], crystal, fixed[1], fixed[2], fixed[3], fixed[4]})),
              text_of({ground, fixed[0], crystal, fixed[1], fixed[2], fixed[3], fixed[4]}));
    // No file: the fixed rows alone.
    EXPECT_EQ(text_of(merge_level_layout(fixed, {})), text_of(fixed));
    // A file that lacks some: they come before the next one it has, or
    // after the file's rows of their layer and kind.
    EXPECT_EQ(text_of(merge_level_layout(fixed, {crystal, fixed[2], ground})),
              text_of({ground, crystal, fixed[0], fixed[1], fixed[2], fixed[3], fixed[4]}));
    // Out of order or twice: still once each, in the fixed order.
    EXPECT_EQ(text_of(merge_level_layout(fixed, {fixed[4], fixed[1], crystal, fixed[0], fixed[1], fixed[3]})),
              text_of({fixed[0], fixed[1], crystal, fixed[2], fixed[3], fixed[4]}));
    // Rows out of their layer's place are put back layer by layer.
    EXPECT_EQ(text_of(merge_level_layout({}, {fixed[3], crystal, ground})), text_of({ground, crystal, fixed[3]}));
}

TEST(Act1Layout, the_stand_in_file_is_placed_in_its_own_order)
{
    EventKit kit;
    const std::vector<LayoutRow> file = read_level_layout("./levels/act1.layout");
    ASSERT_EQ(file.size(), 2394u);
    EXPECT_EQ(text_of(merge_level_layout(fixed_layout(1), file)), text_of(file));
}

TEST(Act1Layout, without_its_layout_file_the_act_starts_with_the_fixed_rows)
{
    EventKit kit({.content_changes = {{"levels", std::nullopt}}});
    kit.take_console();
    kit.enter_frame(act1);
    Frames& f = kit.frames();
    const std::vector<std::string> console = layout_lines(kit);
    ASSERT_EQ(console.size(), 1u);
    EXPECT_NE(console[0].find("Could not open file"), std::string::npos) << console[0];
    EXPECT_EQ(f.index, act1);
    EXPECT_EQ(f.layers.size(), 8u);
    EXPECT_EQ(f.layers[6].instance_count, 28);
    EXPECT_EQ(kit.instances(type_of("GUIPowerCard_337")).size(), 5u);
    EXPECT_EQ(kit.instances(type_of("ObjectCrystal_239")).size(), 0u);
    EXPECT_EQ(kit.instances(type_of("PlayerStartingPoint_160")).size(), 1u);
    EXPECT_EQ(f.layers[7].last->id, type_of("LevelCardIntro2_287"));
    kit.run(30);
    EXPECT_EQ(f.index, act1);
}

TEST(Act1Layout, a_damaged_layout_file_costs_only_its_bad_lines)
{
    const std::string damaged = "# damaged\n"
                                "ObjectCrystal_239 400 380 object 2\n"
                                "ObjectCrystal_239 440 ??? object 2\n"
                                "PlayerStartingPoint_160 53 429 object 2\n"
                                "ObjectCrystal_239 480 380 object 2\n";
    EventKit kit({.content_changes = {{"levels", std::nullopt}, {"levels/act1.layout", damaged}}});
    kit.take_console();
    kit.enter_frame(act1);
    Frames& f = kit.frames();
    const std::vector<std::string> console = layout_lines(kit);
    ASSERT_EQ(console.size(), 1u);
    EXPECT_NE(console[0].find("line 3"), std::string::npos) << console[0];
    EXPECT_EQ(f.index, act1);
    EXPECT_EQ(kit.instances(type_of("ObjectCrystal_239")).size(), 2u);
    EXPECT_EQ(kit.instances(type_of("PlayerStartingPoint_160")).size(), 1u);
}
