#include "tests/graphics/font_fixture.h"

#include "graphics/fonts.h"
#include "graphics/render_internal.h"
#include "graphics/shader.h"

#include <cmath>
#include <cstring>
#include <memory>

namespace {

std::vector<unsigned int> codes_of(const char* text)
{
    std::vector<unsigned int> codes;
    for (FTUnicodeStringItr<char> it(text); *it != 0; ++it)
        codes.push_back(*it);
    return codes;
}

FontBlockFont empty_font(int face_size, float cell_width, float line_height, int glyphs, float box_width)
{
    FontBlockFont font;
    font.face_size = face_size;
    font.cell_width = cell_width;
    font.line_height = line_height;
    for (int i = 0; i < glyphs; ++i) {
        FontBlockGlyph glyph = solid_glyph(uint32_t('A' + i), 0, 0, 0, 5, 0);
        glyph.upper_x = box_width;
        font.glyphs.push_back(glyph);
    }
    return font;
}

uint32_t atlas_at(const FTTextureFont* font, int x, int y)
{
    return platform_get_texture_pixel(font->texture, x, y);
}

}  // namespace

TEST(FontText, utf8_decodes_by_the_lead_byte_and_stops_at_the_terminator_and_the_map_finds_inserted_codes)
{
    EXPECT_EQ(codes_of("\xC3\xA9"), (std::vector<unsigned int>{0xE9}));
    EXPECT_EQ(codes_of("\xE2\x80\xA6" "a"), (std::vector<unsigned int>{0x2026, 'a'}));
    EXPECT_EQ(codes_of("\xA9"), (std::vector<unsigned int>{0xA9}));
    EXPECT_EQ(codes_of("\xF0\x9F\x98\x80"), (std::vector<unsigned int>{0x1F600}));
    // A four-byte lead with one byte left before the end: exactly two bytes
    // allocated, so reading on would be caught.
    std::unique_ptr<char[]> cut(new char[2]{char(0xF0), 0});
    EXPECT_EQ(codes_of(cut.get()), (std::vector<unsigned int>{0xF0}));
    std::unique_ptr<char[]> cut_later(new char[3]{char(0xE2), char(0x80), 0});
    EXPECT_EQ(codes_of(cut_later.get()), (std::vector<unsigned int>{0xE2, 0x80}));

    // The character map finds only inserted codes.
    FTCharToGlyphIndexMap map;
    map.insert('A', 1);
    map.insert(0x10FFFF, 2);
    map.insert(0x110000, 3);
    EXPECT_EQ((std::vector<unsigned>{map.find('A'), map.find('B'), map.find(0x10FFFF), map.find(0x110000), map.find(0x4000)}),
              (std::vector<unsigned>{1, 0, 2, 0, 0}));
    EXPECT_EQ((std::vector<int>{ClampSize(406, 1024), ClampSize(1, 1024), ClampSize(0, 1024), ClampSize(3000, 1024)}),
              (std::vector<int>{512, 1, 0, 1024}));
}

TEST_F(FontTest, atlas_is_sized_from_the_cells_and_packs_rows)
{
    write_fonts({empty_font(10, 10.4f, 12.6f, 40, 7), empty_font(12, 300, 20, 5, 297)});
    ASSERT_TRUE(init_font());
    const FTTextureFont* small = get_font(10);
    EXPECT_EQ(small->cell_width_pixels, 10);
    EXPECT_EQ(small->cell_height_pixels, 13);
    EXPECT_EQ(small->atlas_width, 512);
    EXPECT_EQ(small->atlas_height, 32);
    EXPECT_EQ(small->glyphs->size(), 41u);
    EXPECT_TRUE(small->CheckGlyph('A' + 39));
    EXPECT_FALSE(small->CheckGlyph('A' + 40));

    // 1024 wide, three cells of 300 a row: a glyph moves down once pen x > 724.
    const FTTextureFont* wide = get_font(12);
    EXPECT_EQ(wide->atlas_width, 1024);
    const auto& list = wide->glyphs->list();
    const double xs[5] = {3, 303, 603, 3, 303};
    const double ys[5] = {3, 3, 3, 23, 23};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(list[size_t(i) + 1]->uv[0].x, double(float(xs[i]) / 1024.0f)) << i;
        EXPECT_EQ(list[size_t(i) + 1]->uv[0].y, double(float(ys[i]) / float(wide->atlas_height))) << i;
    }
}

TEST_F(FontTest, glyph_wider_than_its_row_is_cut_at_the_atlas_edge)
{
    FontBlockFont font;
    font.face_size = 8;
    font.cell_width = 4;
    font.line_height = 4;
    font.glyphs.push_back(solid_glyph('W', 30, 2, 200, 31, 2));
    write_fonts({font});
    const FTTextureFont* loaded = get_font(8);
    ASSERT_NE(loaded, nullptr);
    ASSERT_EQ(loaded->atlas_width, 16);
    ASSERT_EQ(loaded->atlas_height, 16);
    const FTGlyph* glyph = loaded->glyphs->Glyph('W');
    EXPECT_EQ(glyph->width, 13);
    EXPECT_EQ(glyph->height, 2);
    EXPECT_EQ(glyph->uv[1].x, 1.0);
    EXPECT_EQ(atlas_at(loaded, 3, 3), 200u);
    EXPECT_EQ(atlas_at(loaded, 15, 4), 200u);
    // Nothing spilled into the next rows' starts, and the margins are clear.
    for (int y : {0, 3, 4, 5, 6})
        for (int x = 0; x < 3; ++x)
            EXPECT_EQ(atlas_at(loaded, x, y), 0u) << x << ", " << y;
    EXPECT_EQ(atlas_at(loaded, 8, 5), 0u);
}

TEST_F(FontTest, overflowing_font_keeps_its_first_glyphs_and_the_next_font_reads)
{
    write_fonts({empty_font(20, 600, 600, 4, 600), empty_font(30, 8, 8, 3, 5)});
    std::string output = console_output_of([] { init_font(); });
    EXPECT_EQ(output, "Cannot fit glyphs in texture!\n");
    const FTTextureFont* big = get_font(20);
    EXPECT_EQ(big->face_size, 20);
    EXPECT_EQ(big->glyphs->size(), 2u);
    const FTTextureFont* next = get_font(30);
    EXPECT_EQ(next->face_size, 30);
    EXPECT_EQ(next->glyphs->size(), 4u);
    EXPECT_TRUE(next->CheckGlyph('C'));
}

TEST_F(FontTest, nearest_face_size_wins_and_the_first_takes_a_tie)
{
    write_fonts({empty_font(12, 8, 8, 1, 5), empty_font(8, 8, 8, 1, 5), empty_font(16, 8, 8, 1, 5)});
    EXPECT_EQ(get_font(10)->face_size, 12);
    EXPECT_EQ(get_font(0)->face_size, 8);
    EXPECT_EQ(get_font(15)->face_size, 16);
    EXPECT_EQ(get_font(-2147483647 - 1)->face_size, 8);
}

TEST_F(FontTest, missing_font_block_is_remembered)
{
    write_font_block("");
    EXPECT_FALSE(init_font());
    EXPECT_EQ(get_font(10), nullptr);
    write_fonts({layout_font()});
    EXPECT_FALSE(init_font());  // the first answer stands
}

TEST_F(FontTest, measures_follow_the_glyph_boxes_and_text_draws_through_the_font_program_in_its_colour)
{
    FontBlockFont font = layout_font();
    font.glyphs[0].coverage.assign(font.glyphs[0].coverage.size(), 255);  // 'A' covered
    font.glyphs[1].coverage.assign(font.glyphs[1].coverage.size(), 128);  // 'B' half covered
    write_fonts({font});
    FTTextureFont* loaded = get_font(10);
    ASSERT_NE(loaded, nullptr);
    EXPECT_EQ(loaded->BBox(""), FTBBox());
    EXPECT_EQ(loaded->BBox(nullptr), FTBBox());
    EXPECT_EQ(loaded->BBox("AB"), FTBBox(FTPoint(0, 0), FTPoint(10, 8)));
    EXPECT_EQ(loaded->BBox("AB", -1, FTPoint(1, 2), FTPoint(2, 0)), FTBBox(FTPoint(1, 2), FTPoint(13, 10)));
    // The first character counts even with a count of 0.
    EXPECT_EQ(loaded->BBox("AB", 0), FTBBox(FTPoint(0, 0), FTPoint(4, 8)));
    EXPECT_EQ(loaded->Advance("AB"), 12.0f);
    EXPECT_EQ(loaded->Advance("AB", -1, FTPoint(2, 0)), 14.0f);
    EXPECT_EQ(loaded->Advance("A B"), 18.0f);  // the space has no bitmap but advances
    EXPECT_EQ(loaded->Advance("A~B"), 12.0f);  // no glyph: no advance
    EXPECT_EQ(loaded->BBox("A~", -1, FTPoint(), FTPoint(5, 0)), FTBBox(FTPoint(0, 0), FTPoint(4, 8)));
    const FTGlyph* space = loaded->glyphs->Glyph(' ');
    EXPECT_EQ(space->uv[0], space->uv[1]);

    Render::clear(Color(0, 0, 255, 255));
    text_color = Color(255, 200, 0, 255);
    FTPoint end;
    EXPECT_EQ(console_output_of([&] { end = loaded->Render("AB", -1, FTPoint(10, 20)); }),
              "Done loading shader\n");
    EXPECT_EQ(end, FTPoint(22, 20));
    EXPECT_EQ(current_shader, &font_shader);
    EXPECT_EQ(render_data.current_effect, 0);
    shader_set_texture();
    read(TV_LOGICAL_BUFFER);
    // 'A' covers x 10..13, y 12..19: the text colour itself.
    EXPECT_EQ(at(10, 12), (Rgba{255, 200, 0, 255}));
    EXPECT_EQ(at(13, 19), (Rgba{255, 200, 0, 255}));
    EXPECT_EQ(at(14, 15), (Rgba{0, 0, 255, 255}));
    EXPECT_EQ(at(10, 20), (Rgba{0, 0, 255, 255}));
    EXPECT_EQ(at(10, 11), (Rgba{0, 0, 255, 255}));
    // 'B' at half coverage: half text colour, half ground.
    const Rgba half = at(17, 15);
    EXPECT_NEAR(half.r, 128, 1);
    EXPECT_NEAR(half.g, 100, 1);
    EXPECT_NEAR(half.b, 127, 1);
}

TEST_F(FontTest, demo_font_block_rasterises_every_size_and_draws)
{
    const std::string block = demo_font_block();
    ASSERT_FALSE(block.empty());
    write_font_block(block);
    EXPECT_EQ(console_output_of([] { init_font(); }), "");  // every atlas fits
    FTTextureFont* font = get_font(10);
    ASSERT_NE(font, nullptr);
    EXPECT_EQ(font->face_size, 10);
    EXPECT_EQ(get_font(0)->face_size, 8);
    EXPECT_EQ(get_font(100)->face_size, 24);
    EXPECT_TRUE(font->CheckGlyph(0xE9));
    EXPECT_TRUE(font->CheckGlyph(0x2026));
    EXPECT_FALSE(font->CheckGlyph(0x3002));
    const FTGlyph* letter = font->glyphs->Glyph('H');
    EXPECT_GT(letter->width, 3);
    EXPECT_GT(letter->height, 5);
    EXPECT_GT(font->Advance("HH"), 2 * float(letter->width));
    EXPECT_GT(font->LineHeight(), 10.0f);

    Render::clear(Color(0, 0, 0, 255));
    text_color = Color(255, 255, 255, 255);
    font->Render("H", -1, FTPoint(20, 30));
    shader_set_texture();
    read(TV_LOGICAL_BUFFER);
    // Two stems from the cap height down to the baseline, nothing below it.
    int lit = 0, below = 0;
    for (int x = 18; x < 20 + letter->width + 2; ++x) {
        for (int y = 30 - int(letter->corner.y); y < 30; ++y)
            lit += at(x, y).r > 60;
        below += at(x, 30).r + at(x, 31).r;
    }
    EXPECT_GE(lit, 2 * letter->height);
    EXPECT_EQ(below, 0);
}

TEST_F(FontTest, damaged_font_block_never_writes_outside_the_atlas)
{
    FontBlockFont font;
    font.face_size = 9;
    font.cell_width = std::nanf("");
    font.line_height = 4;
    FontBlockGlyph backwards = solid_glyph('A', 0, 0, 0, 5, 0);
    backwards.upper_x = -200;  // moves the packing pen far to the left
    font.glyphs.push_back(backwards);
    font.glyphs.push_back(solid_glyph('B', 5, 2, 99, 6, 2));
    std::string block = font_block({font});
    // A glyph count far beyond the records that follow.
    FontBlockFont many = empty_font(11, 6, 6, 1, 3);
    std::string second = font_block({many});
    second[24] = second[25] = second[26] = char(0xFF);
    second[27] = 0x7F;
    block.replace(0, 4, std::string("\x02\x00\x00\x00", 4));
    block += second.substr(4);
    write_font_block(block);
    // The records run on into whatever follows the block: read, never past the atlas.
    console_output_of([] { EXPECT_TRUE(init_font()); });
    const FTTextureFont* damaged = get_font(9);
    EXPECT_EQ(damaged->cell_width_pixels, 1);
    EXPECT_EQ(damaged->glyphs->Glyph('B')->width, 0);  // placed left of the atlas: not copied
    for (int x = 0; x < damaged->atlas_width; ++x)
        EXPECT_EQ(atlas_at(damaged, x, 3), 0u);
    const FTTextureFont* long_count = get_font(11);
    EXPECT_EQ(long_count->face_size, 11);
    EXPECT_TRUE(long_count->CheckGlyph('A'));
}

TEST_F(FontTest, font_without_an_atlas_texture_leaves_slot_zero_alone_and_draws_nothing)
{
    write_fonts({layout_font()});
    // Fill the texture table so that the atlas cannot be made.
    std::vector<unsigned int> made;
    const uint8_t coverage = 255;
    console_output_of([&] {
        for (unsigned int id; (id = Render::create_tex(&coverage, Render::ALPHA, 1, 1)) != 0;)
            made.push_back(id);
    });
    const GX2Sampler* tv_sampler = render_data.textures[0].sampler;
    FTTextureFont* font = nullptr;
    EXPECT_EQ(console_output_of([&] { font = get_font(10); }), "Maximum number of textures reached\n");
    for (const unsigned int id : made)
        Render::delete_tex(id);
    ASSERT_NE(font, nullptr);
    EXPECT_EQ(font->texture, 0u);
    EXPECT_EQ(render_data.textures[0].sampler, tv_sampler);

    flush_gl();
    FTPoint end;
    console_output_of([&] { end = font->Render("AB", -1, FTPoint(10, 20)); });
    EXPECT_EQ(end, FTPoint(22, 20));  // the pen still moves
    EXPECT_EQ(render_data.batch.quads, 0u);
}
