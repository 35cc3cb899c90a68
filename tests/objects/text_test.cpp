// Paragraph text in a texture font: paragraphs, the Latin-1 conversion, the
// layout made for multi-line text, alignment and the missing-font case.
#include "base/assetfile.h"
#include "base/pools.h"
#include "graphics/fonts.h"
#include "graphics/render.h"
#include "graphics/shader.h"
#include "objects/text.h"
#include "tests/objects/kinds_fixture.h"
#include "tools/assetwriter/asset_writer.h"
#include "tools/assetwriter/shader_items.h"

#include <cstring>
#include <new>

namespace {

Text* make_text(Frame& frame, int x, int y, int w, int h)
{
    Text* text = place(new (object_pool<Text>.create()) Text(x, y, 66), frame);
    text->width = w;
    text->height = h;
    return text;
}

void put_float(std::string& out, float value)
{
    uint32_t bits;
    std::memcpy(&bits, &value, 4);
    put_u32(out, bits);
}

// One font of face size 10: line height 12, ascender 9; every glyph a solid
// 6 x 8 block standing on the baseline one pixel right of the pen, 8 wide.
std::string font_block(const std::vector<unsigned>& codes)
{
    std::string out;
    put_u32(out, 1);
    put_u32(out, 10);
    put_float(out, 8.0f);
    put_float(out, 12.0f);
    put_float(out, 9.0f);
    put_float(out, -3.0f);
    put_u32(out, uint32_t(codes.size()));
    for (const unsigned code : codes) {
        put_u32(out, code);
        for (const float v : {0.0f, 0.0f, 6.0f, 8.0f, 8.0f, 0.0f, 1.0f, 8.0f})
            put_float(out, v);
        put_u32(out, 6);
        put_u32(out, 8);
        out.append(48, char(255));
    }
    return out;
}

class TextDraw : public KindDrawTest {
protected:
    void write_font(bool with_font)
    {
        AssetWriter writer;
        for (const auto& [id, item] : demo_shader_items())
            writer.add_item(AssetFile::SHADER_DATA, id, item);
        if (with_font)
            writer.add_item(AssetFile::FONT_DATA, 0, font_block({'A', 'B', 0xE9}));
        ASSERT_TRUE(writer.write(volumes->content + "/Assets.dat"));
    }

    // Draws with the plain texture program current, whatever the font
    // effect binds.
    void draw(Text* text)
    {
        clear();
        shader_set_texture();
        text->draw();
        read();
    }
};

}  // namespace

TEST(Text, latin1_bytes_become_two_utf8_bytes)
{
    EXPECT_EQ(latin1_to_utf8("\xE9"), "\xC3\xA9");
    EXPECT_EQ(latin1_to_utf8("\xA9"), "\xC2\xA9");
    EXPECT_EQ(latin1_to_utf8("a\x80z\xFF\xC0"), "a\xC2\x80z\xC3\xBF\xC3\x80");
    EXPECT_EQ(latin1_to_utf8("plain\n"), "plain\n");

    Text text(0, 0, 66);
    text.set_string("caf\xE9");
    text.update_draw_text();
    EXPECT_EQ(text.draw_text, "caf\xC3\xA9");
    text.set_string("x");
    EXPECT_EQ(text.draw_text_ready, 0);
    text.update_draw_text();
    EXPECT_EQ(text.draw_text, "x");
}

TEST(Text, paragraphs_clamp_while_the_index_runs_on)
{
    Text text(0, 0, 66);
    text.set_paragraph(2);  // nothing to show yet
    EXPECT_EQ(text.get_index(), 2);
    EXPECT_EQ(text.get_paragraph(0), "");
    EXPECT_EQ(text.has_text, 0);
    text.set_paragraph(0);
    text.add_line("one");
    text.add_line("two");
    text.add_line("three");
    EXPECT_EQ(text.text, "one");
    EXPECT_EQ(text.has_text, 1);
    EXPECT_EQ(text.get_count(), 3);
    for (int i = 0; i < 3; ++i)
        text.next_paragraph();
    EXPECT_EQ(text.text, "three");
    EXPECT_EQ(text.get_index(), 3);
    text.set_paragraph(-1);
    EXPECT_EQ(text.text, "one");
    EXPECT_EQ(text.get_index(), -1);
    EXPECT_EQ(text.get_paragraph(7), "three");
}

TEST(Text, only_a_line_feed_or_set_width_makes_a_layout)
{
    Text text(0, 0, 66);
    text.width = 120;
    text.height = 30;
    text.set_string("a long single line of text that is wider than the object");
    text.update_draw_text();
    EXPECT_EQ(text.layout, nullptr);
    EXPECT_EQ(text.get_width(), 120);
    EXPECT_EQ(text.get_height(), 30);
    text.set_string("two\nlines");
    text.update_draw_text();
    ASSERT_NE(text.layout, nullptr);
    EXPECT_EQ(text.layout->GetLineLength(), 120.0f);

    Text other(0, 0, 66);
    FontInfo::set_width(&other, 75);
    ASSERT_NE(other.layout, nullptr);
    EXPECT_EQ(other.layout->GetLineLength(), 75.0f);
    // No font was found for it: the sizes stand in for the measured text.
    other.height = 9;
    other.set_string("two\nlines");
    EXPECT_EQ(FontInfo::get_width(&other), 75);
    EXPECT_EQ(FontInfo::get_height(&other), 9);
}

TEST_F(TextDraw, without_fonts_the_first_draw_hides_the_text)
{
    write_font(false);
    Text* text = make_text(frame, 0, 0, 50, 20);
    text->set_string("A");
    console_output_of([&] { text->draw(); });
    EXPECT_FALSE(text->flags & FrameObject::VISIBLE);
    text->dealloc();
}

TEST_F(TextDraw, a_single_line_is_aligned_in_the_rectangle)
{
    write_font(true);
    Text* text = make_text(frame, 20, 30, 100, 40);
    text->font = get_font(0);
    ASSERT_NE(text->font, nullptr);
    text->blend_color = Color(255, 0, 0, 255);
    text->set_string("A");
    draw(text);
    EXPECT_EQ(text_color, Color(255, 0, 0, 255));
    // Baseline at y + ascender; the glyph stands 8 high, 1 right of the pen.
    EXPECT_EQ(extent(red), (std::vector<int>{21, 31, 27, 39}));

    text->alignment = Text::ALIGN_HCENTER | Text::ALIGN_VCENTER;
    draw(text);
    // x + 0.5 x (100 - 6) = +47; y + 20 - 6 = +14.
    EXPECT_EQ(extent(red), (std::vector<int>{68, 45, 74, 53}));
    text->alignment = Text::ALIGN_RIGHT | Text::ALIGN_BOTTOM;
    draw(text);
    EXPECT_EQ(extent(red), (std::vector<int>{115, 43, 121, 51}));

    // A Latin-1 byte reaches the font as its own character.
    text->alignment = 0;
    text->set_string("\xE9");
    draw(text);
    EXPECT_EQ(extent(red), (std::vector<int>{21, 31, 27, 39}));
    text->dealloc();
}

TEST_F(TextDraw, multi_line_text_is_laid_out_unaligned)
{
    write_font(true);
    Text* text = make_text(frame, 20, 30, 100, 40);
    text->font = get_font(0);
    text->blend_color = Color(0, 255, 0, 255);
    text->alignment = Text::ALIGN_RIGHT;
    text->set_string("A\nB");
    draw(text);
    // Two lines one line height (12) apart, both at the left edge.
    EXPECT_EQ(extent(green), (std::vector<int>{21, 31, 27, 51}));
    EXPECT_EQ(count(21, 39, 27, 43, green), 0);

    text->set_string("AB");
    EXPECT_EQ(text->get_width(), 14);
    EXPECT_EQ(FontInfo::get_height(text), 8);
    text->dealloc();
}
