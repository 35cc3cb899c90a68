#include "tests/support/tables.h"
#include "tools/assetwriter/asset_writer.h"
#include "tools/assetwriter/stand_in_pictures.h"

#define STB_IMAGE_STATIC
#define STB_IMAGE_IMPLEMENTATION
#include <stb_image.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <utility>

namespace {

using Size = std::pair<int, int>;

Size parse_size(const std::string& text)
{
    const size_t x = text.find('x');
    return {std::stoi(text.substr(0, x)), std::stoi(text.substr(x + 1))};
}

// "10-14 7" -> 10 11 12 13 14 7
std::vector<int> parse_handles(const std::string& text)
{
    std::vector<int> out;
    for (const std::string& item : split_cells(text, ' ')) {
        const size_t dash = item.find('-');
        const int first = std::stoi(item.substr(0, dash));
        const int last = dash == std::string::npos ? first : std::stoi(item.substr(dash + 1));
        for (int h = first; h <= last; ++h)
            out.push_back(h);
    }
    return out;
}

// Every handle the class table uses and its intended size, read straight
// from the tables rather than from the generated list.
std::map<int, Size> table_handles()
{
    std::map<int, Size> out;
    for (const auto& row : read_table(QUORVELLA_CLASS_TABLE)) {
        const std::string& kind = row.at(3);
        std::map<std::string, std::string> settings;
        for (const std::string& item : split_cells(row.at(6), ';')) {
            const size_t equals = item.find('=');
            if (equals != std::string::npos)
                settings[item.substr(0, equals)] = item.substr(equals + 1);
        }
        if ((kind == "Backdrop" || kind == "SystemBox") && settings.count("image"))
            out[std::stoi(settings["image"])] = parse_size(settings["image_size"]);
        if (kind == "Counter" && settings.count("handles"))
            for (const int h : parse_handles(settings["handles"]))
                out[h] = parse_size(settings["image_size"]);
        if (kind == "TextBlitter")
            out[settings.count("image") ? std::stoi(settings["image"]) : 2371] = {256, 60};
    }
    for (const auto& row : read_table(QUORVELLA_ANIMATION_TABLE))
        for (const int h : parse_handles(row.at(8)))
            out[h] = parse_size(row.at(9));
    return out;
}

int u16_at(const std::string& bytes, size_t offset)
{
    return int16_t(uint16_t(uint8_t(bytes[offset]) | uint8_t(bytes[offset + 1]) << 8));
}

uint32_t u32_at(const std::string& bytes, size_t offset)
{
    return uint32_t(uint8_t(bytes[offset])) | uint32_t(uint8_t(bytes[offset + 1])) << 8 |
           uint32_t(uint8_t(bytes[offset + 2])) << 16 | uint32_t(uint8_t(bytes[offset + 3])) << 24;
}

const size_t image_table = 6534 * 2;

struct Decoded {
    int width = 0, height = 0, hot_x = 0, hot_y = 0, action_x = 0, action_y = 0;
    std::vector<uint8_t> rgba;
    int alpha(int x, int y) const { return rgba[(size_t(y) * size_t(width) + size_t(x)) * 4 + 3]; }
};

// The image item of `handle` in an asset file's bytes; width 0 when absent.
Decoded image_in(const std::string& file, int handle)
{
    Decoded out;
    const uint32_t offset = u32_at(file, image_table + size_t(handle) * 4);
    if (offset == 0)
        return out;
    out.width = u16_at(file, offset);
    out.height = u16_at(file, offset + 2);
    out.hot_x = u16_at(file, offset + 4);
    out.hot_y = u16_at(file, offset + 6);
    out.action_x = u16_at(file, offset + 8);
    out.action_y = u16_at(file, offset + 10);
    out.rgba.resize(size_t(out.width) * size_t(out.height) * 4);
    const int size = int(u32_at(file, offset + 12));
    if (stbi_zlib_decode_buffer(reinterpret_cast<char*>(out.rgba.data()), int(out.rgba.size()),
                                file.data() + offset + 16, size) != int(out.rgba.size()))
        out.width = 0;
    return out;
}

std::string build_stand_in_file()
{
    AssetWriter writer;
    add_stand_in_pictures(writer);
    return writer.build();
}

// Built once for all the tests here.
const std::string& stand_in_file()
{
    static const std::string file = build_stand_in_file();
    return file;
}

const StandInImage* entry(int handle)
{
    for (int i = 0; i < stand_in_image_count; ++i)
        if (stand_in_images[i].handle == handle)
            return &stand_in_images[i];
    return nullptr;
}

Decoded drawn(const StandInImage& item)
{
    const ImageItemSource source = stand_in_picture(item);
    Decoded out;
    out.width = source.width;
    out.height = source.height;
    out.rgba = source.rgba;
    return out;
}

// The first opaque row of each column; the height when the column is empty.
std::vector<int> column_tops(const Decoded& image)
{
    std::vector<int> tops;
    for (int x = 0; x < image.width; ++x) {
        int y = 0;
        while (y < image.height && image.alpha(x, y) == 0)
            ++y;
        tops.push_back(y);
    }
    return tops;
}

}  // namespace

TEST(StandInPictures, every_handle_of_the_class_table_at_its_size_and_all_preloaded_in_order)
{
    const std::map<int, Size> expected = table_handles();
    ASSERT_GT(expected.size(), 4000u);
    const std::string& file = stand_in_file();
    EXPECT_EQ(size_t(stand_in_image_count), expected.size());
    for (const auto& [handle, size] : expected) {
        const Decoded image = image_in(file, handle);
        ASSERT_EQ(Size(image.width, image.height), size) << "handle " << handle;
    }
    // The preload list: every handle once, ascending, then zeros.
    size_t i = 0;
    for (const auto& [handle, size] : expected)
        ASSERT_EQ(u16_at(file, 2 * i++), handle);
    for (; i < 6534; ++i)
        ASSERT_EQ(u16_at(file, 2 * i), 0);

    // Hot spots: a sprite frame at its centre, a backdrop's picture at its
    // corner, also where a sprite shows it too (handle 0), a stretched strip
    // at its corner.
    const Decoded logo = image_in(file, 2);  // PellowenLogo1, 128 x 48
    EXPECT_EQ(std::make_pair(logo.hot_x, logo.hot_y), std::make_pair(64, 24));
    const Decoded menu = image_in(file, 0);
    EXPECT_EQ(std::make_pair(menu.hot_x, menu.hot_y), std::make_pair(0, 0));
    const Decoded strip = image_in(file, 78);  // Beam, 1 x 32
    EXPECT_EQ(std::make_pair(strip.hot_x, strip.hot_y), std::make_pair(0, 0));

    // The same bytes on a second run.
    EXPECT_TRUE(file == build_stand_in_file());
}

TEST(StandInPictures, sheet_and_digits_show_their_characters)
{
    // Drawn directly: the first test checks that every picture is written.
    const Decoded sheet = drawn(*entry(2371));
    ASSERT_EQ(Size(sheet.width, sheet.height), Size(256, 60));
    // Cell k of the character k + 32 sits at column k % 32, row k / 32 (8 x 20).
    const auto cell_pixels = [&](char c) {
        const int k = c - ' ';
        int count = 0;
        for (int y = 0; y < 20; ++y)
            for (int x = 0; x < 8; ++x)
                count += sheet.alpha((k % 32) * 8 + x, (k / 32) * 20 + y) != 0;
        return count;
    };
    EXPECT_GT(cell_pixels('A'), 10);
    EXPECT_GT(cell_pixels('~'), 4);
    EXPECT_EQ(cell_pixels(' '), 0);
    // Compared as strings of bytes (a set of byte vectors trips a false
    // overread warning of the optimiser).
    std::set<std::string> glyphs;
    for (char c = ' '; c <= '~'; ++c)
        glyphs.insert(std::string(stand_in_glyph(c), stand_in_glyph(c) + 7));
    EXPECT_EQ(glyphs.size(), 95u);

    // The digit counters' 14 pictures (215-228) all differ and none is empty.
    std::set<std::string> digits;
    for (int handle = 215; handle <= 228; ++handle) {
        const StandInImage* item = entry(handle);
        ASSERT_TRUE(item && item->shape == StandInShape::DIGIT);
        const Decoded digit = drawn(*item);
        digits.insert(std::string(digit.rgba.begin(), digit.rgba.end()));
        EXPECT_NE(digit.rgba, std::vector<uint8_t>(digit.rgba.size(), 0));
    }
    EXPECT_EQ(digits.size(), 14u);
    EXPECT_STREQ(entry(215)->label, "0");
    EXPECT_STREQ(entry(228)->label, "e");
}

TEST(StandInPictures, terrain_alpha_follows_the_drawn_ground)
{
    // VostrelRockSlope5_225 (2573) and VostrelRockSlope4_223 (3806) rise to
    // the right, VostrelRockSlope6_226 (2963) and VostrelRockSlope4_224
    // (3455) fall, as the stand-in layouts expect: each column is solid from
    // its surface to the bottom edge.
    for (const int handle : {2573, 3806, 2963, 3455}) {
        const StandInImage* item = entry(handle);
        ASSERT_TRUE(item);
        const Decoded slope = drawn(*item);
        const std::vector<int> tops = column_tops(slope);
        const bool rises = item->shape == StandInShape::SLOPE_UP;
        EXPECT_EQ(rises, handle == 2573 || handle == 3806);
        for (int x = 0; x < slope.width; ++x) {
            for (int y = tops[size_t(x)]; y < slope.height; ++y)
                ASSERT_EQ(slope.alpha(x, y), 255) << handle << " at " << x << "," << y;
            if (x > 0) {
                ASSERT_TRUE(rises ? tops[size_t(x)] <= tops[size_t(x) - 1]
                                  : tops[size_t(x)] >= tops[size_t(x) - 1]);
            }
        }
        // A real slope: about one pixel up per pixel across a 128 x 128 tile.
        EXPECT_NEAR(std::abs(tops.front() - tops.back()), 126, 2);
        EXPECT_NEAR(std::abs(tops[32] - tops[96]), 64, 2);
    }
    // A floor curve rising to the left: flat at the right, steep at the left.
    const Decoded curve = drawn(*entry(375));  // VostrelFloorCurveLeft
    const std::vector<int> tops = column_tops(curve);
    EXPECT_EQ(tops.back(), curve.height - 1);
    EXPECT_LE(tops.front(), 12);  // the quarter circle meets the left edge at the top
    EXPECT_GT(tops[10] - tops[0], tops[127] - tops[117]);
    // A wall is solid throughout.
    const Decoded wall = drawn(*entry(8));  // VostrelWall1
    for (size_t i = 3; i < wall.rgba.size(); i += 4)
        ASSERT_EQ(wall.rgba[i], 255);
}

TEST(StandInPictures, the_pause_panel_names_its_items_on_the_rows_the_cursor_takes)
{
    // The panel's two menu pictures, frames 3 and 4 (1025, 1026; on 4, shown
    // with one life left, restart cannot be chosen). The cursor, 16 x 16 and
    // held at its centre, stands at the action point's x and on item k at
    // its y + 24 k.
    const std::string& file = stand_in_file();
    for (const int handle : {1025, 1026}) {
        const Decoded panel = image_in(file, handle);
        ASSERT_EQ(Size(panel.width, panel.height), Size(128, 96)) << handle;
        // Where the acts' layouts put the cursor: 53 left of the panel and
        // 40 below, on item 0.
        EXPECT_EQ(panel.action_x - panel.hot_x, -53) << handle;
        EXPECT_EQ(panel.action_y - panel.hot_y, 40) << handle;
        const auto pixel = [&](int x, int y) { return &panel.rgba[(size_t(y) * 128 + size_t(x)) * 4]; };
        // Text is white, or grey where the item cannot be chosen; the fill,
        // the shadow and (inside the border) nothing else is that light.
        const auto text_at = [&](int x, int y) { return pixel(x, y)[0] >= 100; };
        for (int item = 0; item < 3; ++item) {
            const int row = panel.action_y + 24 * item;
            ASSERT_GE(row - 8, 1) << handle;
            ASSERT_LE(row + 8, 95) << handle;
            int count = 0, white = 0, top = 96, bottom = -1, left = 128;
            for (int y = 1; y < 95; ++y)
                for (int x = 1; x < 127; ++x) {
                    if (!text_at(x, y) || std::abs(y - row) > 12)
                        continue;
                    ++count;
                    white += pixel(x, y)[1] == 255;
                    top = std::min(top, y);
                    bottom = std::max(bottom, y);
                    left = std::min(left, x);
                }
            // A name of a few letters, centred on the row, right of the cursor.
            EXPECT_GT(count, 60) << handle << " item " << item;
            EXPECT_LE(std::abs(top + bottom - 2 * row), 2) << handle << " item " << item;
            EXPECT_GE(left, panel.action_x + 8) << handle << " item " << item;
            EXPECT_EQ(white > 0, handle == 1025 || item != 1) << handle << " item " << item;
        }
    }
}
