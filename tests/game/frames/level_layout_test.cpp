// The level layout reader, and the stand-in layouts of both acts.
#include "game/frames/level_layout.h"

#include "game/objects/class_lookup.h"
#include "runtime/frameobject.h"
#include "tests/runtime/runtime_fixtures.h"
#include "tests/support/tables.h"
#include "tests/support/volumes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <fstream>
#include <map>
#include <sstream>

namespace {

std::string host_file(const std::string& name)
{
    std::ifstream in(std::string(QUORVELLA_LAYOUT_DIR) + "/" + name, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// Rows of a table of tools/content/.
std::vector<std::vector<std::string>> tsv(const std::string& name)
{
    return read_table(std::string(QUORVELLA_LAYOUT_DIR) + "/" + name);
}

struct Act {
    int number;
    size_t rows;
    std::array<std::array<int, 2>, 8> per_layer;  // background, object
};

// Rows per layer as the act set-ups place them.
const Act acts[] = {
    {1, 2394, {{{9, 3}, {14, 0}, {1847, 349}, {19, 0}, {0, 0}, {10, 107}, {0, 28}, {0, 8}}}},
    {2, 2214, {{{13, 1}, {6, 0}, {1736, 271}, {23, 6}, {5, 0}, {9, 107}, {0, 29}, {0, 8}}}},
};

// The platform's note on its first file client is not about the layout.
std::string without_client_note(std::string output)
{
    if (output.rfind("Creating new FS client", 0) == 0)
        output.erase(0, output.find('\n') + 1);
    return output;
}

std::vector<LayoutRow> load_act(const TempVolumes& volumes, int number, std::string& output)
{
    std::string name = "act" + std::to_string(number) + ".layout";
    volumes.put_content("levels/" + name, host_file(name));
    std::vector<LayoutRow> rows;
    std::string path = "./levels/" + name;
    output = without_client_note(console_output_of([&] { rows = read_level_layout(path.c_str()); }));
    return rows;
}

}  // namespace

TEST(LevelLayout, each_acts_layout_holds_its_fixed_rows_totals_and_class_counts)
{
    TempVolumes volumes;
    for (const Act& act : acts) {
        SCOPED_TRACE(act.number);
        std::string output;
        std::vector<LayoutRow> rows = load_act(volumes, act.number, output);
        EXPECT_EQ(output, "");
        ASSERT_EQ(rows.size(), act.rows);

        // Layer by layer, background objects before objects.
        std::array<std::array<int, 2>, 8> per_layer{};
        for (size_t i = 0; i < rows.size(); ++i) {
            ASSERT_NE(rows[i].info, nullptr);
            ++per_layer[size_t(rows[i].layer)][rows[i].background ? 0 : 1];
            if (i > 0) {
                auto rank = [](const LayoutRow& r) { return r.layer * 2 + (r.background ? 0 : 1); };
                ASSERT_LE(rank(rows[i - 1]), rank(rows[i])) << "row " << i + 1;
            }
        }
        EXPECT_EQ(per_layer, act.per_layer);

        // The playfield's class counts, which add up to the layer's totals.
        std::map<std::string, int> counts;
        for (const LayoutRow& row : rows)
            if (row.layer == 2)
                ++counts[row.info->name];
        std::map<std::string, int> expected;
        int sums[2] = {};
        for (const auto& row : tsv("act" + std::to_string(act.number) + "_counts.tsv")) {
            expected[row[0]] = std::stoi(row[2]);
            sums[row[1] == "background" ? 0 : 1] += std::stoi(row[2]);
        }
        EXPECT_EQ(sums[0], act.per_layer[2][0]);
        EXPECT_EQ(sums[1], act.per_layer[2][1]);
        EXPECT_EQ(counts, expected);

        // Fixed rows: at their creation order, or in their order among themselves.
        size_t next = 0;
        int checked = 0;
        for (const auto& fixed : tsv("act" + std::to_string(act.number) + "_fixed.tsv")) {
            const std::string& name = fixed[1];
            int x = std::stoi(fixed[2]), y = std::stoi(fixed[3]), layer = std::stoi(fixed[5]);
            bool background = fixed[4] == "background", position = fixed[6] == "fixed";
            auto matches = [&](const LayoutRow& row) {
                return row.info->name == name && row.layer == layer && row.background == background &&
                       (!position || (row.x == x && row.y == y));
            };
            if (fixed[0] != "-") {
                size_t order = size_t(std::stoi(fixed[0]));
                ASSERT_LE(order, rows.size());
                EXPECT_TRUE(matches(rows[order - 1])) << name << " at " << order;
            } else {
                while (next < rows.size() && !matches(rows[next]))
                    ++next;
                ASSERT_LT(next, rows.size()) << name << " (" << x << ", " << y << ") missing or out of order";
                ++next;
            }
            ++checked;
        }
        EXPECT_GT(checked, 200);
    }
}

namespace {

// Act 1's playfield as its set pieces' events see it: what stands above the
// death line, and the top of the flat ground under a point.
struct Playfield {
    std::vector<LayoutRow> rows;

    std::vector<const LayoutRow*> all(const std::string& name) const
    {
        std::vector<const LayoutRow*> out;
        for (const LayoutRow& row : rows)
            if (row.layer == 2 && row.y < 1864 && name == row.info->name)
                out.push_back(&row);
        return out;
    }
    bool has(const std::string& name, int x, int y) const
    {
        for (const LayoutRow* row : all(name))
            if (row->x == x && row->y == y)
                return true;
        return false;
    }
    // The top of the highest flat ground piece over x, or -1.
    int floor_top(int x) const
    {
        int top = -1;
        for (const auto& [name, width] : {std::pair{"LevelBackdrop02_142", 128}, {"VostrelWallEdge1_251", 32}})
            for (const LayoutRow* row : all(name))
                if (row->x <= x && x < row->x + width && (top < 0 || row->y < top))
                    top = row->y;
        return top;
    }
};

}  // namespace

TEST(LevelLayout, act1s_set_pieces_stand_where_their_events_look_for_them)
{
    TempVolumes volumes;
    std::string output;
    const Playfield field{load_act(volumes, 1, output)};
    ASSERT_EQ(field.rows.size(), 2394u);

    // The bridge's twelve logs are made 56 below it, 16 across, from its x
    // on. Both banks meet their tops, within half a player's width of the
    // end logs, which never sag; nothing holds up the logs between them.
    const auto bridges = field.all("GimmickBridge12Logs_139");
    ASSERT_EQ(bridges.size(), 1u);
    const int logs_top = bridges[0]->y + 56 - 8;
    const int span_left = bridges[0]->x - 8, span_right = bridges[0]->x + 176 + 8;
    EXPECT_EQ(field.floor_top(span_left - 9), logs_top);
    EXPECT_EQ(field.floor_top(span_right + 8), logs_top);
    for (int x = span_left + 16; x < span_right - 16; x += 8)
        EXPECT_EQ(field.floor_top(x), -1) << x;

    // A ladder runs from the ground up through a gap in a ledge of two
    // slabs, which its top marker fills: the climber steps out onto it.
    const auto ladder_tops = field.all("LadderTop_268");
    EXPECT_GE(ladder_tops.size(), 3u);
    for (const LayoutRow* top : ladder_tops) {
        SCOPED_TRACE("ladder top at " + std::to_string(top->x));
        const int rail = top->x - 16, ledge = top->y - 8, ground = field.floor_top(top->x);
        ASSERT_GT(ground, ledge);
        for (int y = ledge; y < ground; y += 128)
            EXPECT_TRUE(field.has("VostrelLadder_267", rail, y)) << y;
        EXPECT_TRUE(field.has("VostrelCeilingOverlay_269", rail - 128, ledge));
        EXPECT_TRUE(field.has("VostrelCeilingOverlay_269", rail + 32, ledge));
    }

    // A half corkscrew's ride starts on the ground running right and comes
    // down 560 further on, where its right-hand end closes it; flat ground
    // all the way.
    const auto corkscrews = field.all("HalfCorkscrewLeft_245");
    EXPECT_EQ(corkscrews.size(), 4u);
    for (const LayoutRow* start : corkscrews) {
        SCOPED_TRACE("corkscrew at " + std::to_string(start->x));
        EXPECT_TRUE(field.has("HalfCorkscrewRight_246", start->x + 560, start->y));
        for (int x = start->x - 64; x <= start->x + 624; x += 32)
            EXPECT_EQ(field.floor_top(x), start->y + 8) << x;
    }

    // The half-pipe is sunk into the ground between two lips at its rim.
    const auto bowls = field.all("VostrelFloorCurveLeft_162");
    ASSERT_EQ(bowls.size(), 1u);
    EXPECT_TRUE(field.has("VostrelFloorCurveRight_249", bowls[0]->x + 128, bowls[0]->y));
    EXPECT_EQ(field.floor_top(bowls[0]->x - 1), bowls[0]->y);
    EXPECT_EQ(field.floor_top(bowls[0]->x + 256), bowls[0]->y);

    // A grip hangs in a handlebar's middle where the top of a jump from the
    // flat ground below reaches it.
    const auto grips = field.all("GimmickHangingIdleSensor_153");
    EXPECT_GE(grips.size(), 5u);
    for (const LayoutRow* grip : grips) {
        EXPECT_TRUE(field.has("VostrelHandlebar_354", grip->x - 32, grip->y - 8)) << grip->x;
        EXPECT_EQ(field.floor_top(grip->x - 16), grip->y + 116) << grip->x;
        EXPECT_EQ(field.floor_top(grip->x + 16), grip->y + 116) << grip->x;
    }

    // Layer switches stand on the ground, where a running player passes
    // through them; rocks stand on the ground or on one another.
    for (const LayoutRow* gate : field.all("LayerChangeSwitch_114"))
        EXPECT_EQ(gate->y + 32, field.floor_top(gate->x)) << gate->x;
    const auto rocks = field.all("BreakableRock_282");
    EXPECT_GE(rocks.size(), 6u);
    for (const LayoutRow* rock : rocks)
        EXPECT_TRUE(rock->y + 16 == field.floor_top(rock->x) || field.has("BreakableRock_282", rock->x, rock->y + 32))
            << rock->x << ", " << rock->y;
}

TEST(LevelLayout, format_allows_comments_tabs_blank_lines_crlf_and_a_byte_order_mark)
{
    std::vector<LayoutRow> rows;
    std::string output = console_output_of([&] {
        rows = parse_level_layout("\xEF\xBB\xBF# a course\n"
                                  "\n"
                                  "Sign_170\t14992  85 object 2  # the end\r\n"
                                  "   \t\n"
                                  "LevelBackdrop02_142 -128 +448 background 7\n"
                                  "ObjectCrystal_239 -2147483648 2147483647 object 0",
                                  "t.layout");
    });
    EXPECT_EQ(output, "");
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_STREQ(rows[0].info->name, "Sign_170");
    EXPECT_EQ(rows[0].x, 14992);
    EXPECT_EQ(rows[0].y, 85);
    EXPECT_FALSE(rows[0].background);
    EXPECT_EQ(rows[0].line, 3);
    EXPECT_TRUE(rows[1].background);
    EXPECT_EQ(rows[1].x, -128);
    EXPECT_EQ(rows[1].y, 448);
    EXPECT_EQ(rows[1].layer, 7);
    EXPECT_EQ(rows[2].x, -2147483647 - 1);
    EXPECT_EQ(rows[2].y, 2147483647);
    EXPECT_EQ(rows[2].line, 6);
}

TEST(LevelLayout, each_bad_line_gives_one_line_naming_file_and_line_and_the_rest_loads)
{
    const char* text = "Sign_170 1 2 object 2\n"
                       "NoSuchThing_999 1 2 object 2\n"
                       "Sign_170 1 2 object 8\n"
                       "Sign_170 1 2 object -1\n"
                       "Sign_170 1x 2 object 2\n"
                       "Sign_170 1 2 object two\n"
                       "Sign_170 1 2147483648 object 2\n"
                       "Sign_170 1 2 thing 2\n"
                       "Sign_170 1 2 background 2\n"
                       "LevelBackdrop02_142 1 2 object 2\n"
                       "Sign_170 1 2 object\n"
                       "Sign_170 1 2 object 2 3\n"
                       "Sign_170\n"
                       "Sign_170 +-1 2 object 2\n"
                       "Sign_170 3 4 object 5\n";
    std::vector<LayoutRow> rows;
    std::string output = console_output_of([&] { rows = parse_level_layout(text, "./levels/act1.layout"); });
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].line, 1);
    EXPECT_EQ(rows[1].line, 15);
    EXPECT_EQ(rows[1].x, 3);
    EXPECT_EQ(rows[1].layer, 5);
    std::istringstream lines(output);
    std::string line;
    int count = 0;
    while (std::getline(lines, line)) {
        ++count;
        EXPECT_EQ(line.rfind("Level layout ./levels/act1.layout line " + std::to_string(count + 1) + ": ", 0), 0u)
            << line;
    }
    EXPECT_EQ(count, 13);
    EXPECT_NE(output.find("line 2: unknown class NoSuchThing_999"), std::string::npos);
    EXPECT_NE(output.find("line 3: layer 8 is not 0-7"), std::string::npos);
    // A name read from the file is quoted with its control bytes escaped.
    EXPECT_EQ(console_output_of([] { parse_level_layout("Sign\x1b[2J_170 1 2 object 2\n", "t"); }),
              "Level layout t line 1: unknown class Sign\\x1b[2J_170\n");
}

TEST(LevelLayout, bounds_long_lines_and_row_count)
{
    std::string text = "Sign_170 1 2 object 2 #" + std::string(300, 'x') + "\nSign_170 1 2 object 2\n";
    std::vector<LayoutRow> rows;
    std::string output = console_output_of([&] { rows = parse_level_layout(text, "t"); });
    EXPECT_EQ(output, "Level layout t line 1: longer than 256 bytes\n");
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].line, 2);

    std::string many;
    for (int i = 0; i < 65537; ++i)
        many += "ObjectCrystal_239 0 0 object 2\n";
    output = console_output_of([&] { rows = parse_level_layout(many, "t"); });
    EXPECT_EQ(output, "Level layout t line 65537: more than 65536 rows\n");
    EXPECT_EQ(rows.size(), 65536u);
}

TEST(LevelLayout, a_missing_file_gives_one_line_and_no_rows)
{
    TempVolumes volumes;
    std::vector<LayoutRow> rows{LayoutRow{}};
    std::string output =
        without_client_note(console_output_of([&] { rows = read_level_layout("./levels/act3.layout"); }));
    EXPECT_EQ(output.rfind("Could not open file: ", 0), 0u) << output;
    EXPECT_EQ(std::count(output.begin(), output.end(), '\n'), 1);
    EXPECT_NE(output.find("levels/act3.layout\n"), std::string::npos) << output;
    EXPECT_TRUE(rows.empty());

    // A damaged file on the volume still gives its good rows.
    volumes.put_content("levels/bad.layout", "Sign_170 1 2 object 9\nSign_170 1 2 object 2\n");
    output = console_output_of([&] { rows = read_level_layout("./levels/bad.layout"); });
    EXPECT_EQ(output, "Level layout ./levels/bad.layout line 1: layer 9 is not 0-7\n");
    EXPECT_EQ(rows.size(), 1u);
}

TEST(LevelLayout, placing_rows_adds_each_instance_to_its_layer_in_order)
{
    RunningFrame scope(1024, 1024, 8);
    std::vector<LayoutRow> rows = parse_level_layout("LevelBackdrop02_142 0 448 background 2\n"
                                                     "LevelBackdrop02_142 128 448 background 2\n"
                                                     "GUIPowerCard_337 91 7 object 6\n"
                                                     "GUIPowerCard_337 75 7 object 6\n"
                                                     "Sign_170 14992 85 object 2\n",
                                                     "t");
    console_output_of([&] { place_level_layout(scope.frame, rows); });  // no pictures here
    Layer& playfield = scope.layer(2);
    ASSERT_EQ(playfield.background_objects.size(), 2u);
    EXPECT_EQ(playfield.background_objects[1]->x, 128);
    EXPECT_EQ(playfield.background_objects[1]->y, 448);
    EXPECT_EQ(playfield.instance_count, 1);
    EXPECT_EQ(scope.layer(6).instance_count, 2);
    int type = find_class("GUIPowerCard_337")->type_id;
    ASSERT_EQ(scope.frame.instances[type].size(), 2);
    EXPECT_EQ(scope.frame.instances[type].back->x, 75);
}
