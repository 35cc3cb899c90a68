#include "tests/graphics/font_fixture.h"

#include "graphics/fonts.h"
#include "graphics/render_internal.h"
#include "graphics/shader.h"

namespace {

// The layout font's letters are 4 x 8 texels on a 6-pixel advance, 10 pixels
// a line: laid out with its origin at (0, 20), line k covers y 12 + 10k ..
// 19 + 10k and character j x 6j .. 6j + 3.
class TextLayoutTest : public FontTest {
protected:
    void SetUp() override
    {
        FontTest::SetUp();
        write_fonts({layout_font()});
        layout.SetFont(get_font(10));
    }

    // Draws the text and reads back what each line shows.
    void draw(const char* text, float line_length)
    {
        layout.SetLineLength(line_length);
        Render::clear(Color(0, 0, 0, 255));
        text_color = Color(255, 255, 255, 255);
        layout.Render(text, -1, FTPoint(0, 20));
        shader_set_texture();
        read(TV_LOGICAL_BUFFER);
    }

    std::string line(int k, int top = 16) const
    {
        std::string shown;
        for (int j = 0; j < 12; ++j)
            shown += character_of_coverage(at(6 * j + 1, top + 10 * k).r);
        return shown.substr(0, shown.find_last_not_of(' ') + 1);
    }

    // The first `count` lines.
    std::vector<std::string> lines(int count) const
    {
        std::vector<std::string> shown;
        for (int k = 0; k < count; ++k)
            shown.push_back(line(k));
        return shown;
    }

    FTSimpleLayout layout;
};

}  // namespace

TEST_F(TextLayoutTest, lines_break_after_the_last_word_that_fits_or_where_the_text_says)
{
    const struct {
        const char* text;
        float line_length;
        std::vector<std::string> lines;
    } cases[] = {
        {"AB CD", 16, {"AB", "CD", ""}},
        {"AB CD EF GH", 30, {"AB CD", "EF GH"}},  // a line holds five characters and a space
        // A word longer than a line breaks before the character that overflows.
        {"ABCDEFG", 16, {"ABC", "DEF", "G"}},
        {"A BCDEF", 16, {"A", "BCD", "EF"}},
        // Forced breaks; two in a row leave an empty line, a leading one an empty first line.
        {"AB\nC", 100, {"AB", "C"}},
        {"A\n\nB", 100, {"A", "", "B", ""}},
        {"\nA", 100, {"", "A", ""}},
        {"AB", 2, {"A", "B", ""}},  // a line narrower than one glyph still holds one
        // U+3002 stays on its line; U+300C goes with what follows.
        {"ABC\xE3\x80\x82" "D", 16, {"ABC.", "D"}},
        {"AB\xE3\x80\x8C" "CD", 16, {"AB", "[CD"}},
    };
    for (const auto& c : cases) {
        draw(c.text, c.line_length);
        EXPECT_EQ(lines(int(c.lines.size())), c.lines) << c.text;
    }
    EXPECT_TRUE(is_line_extender(0xFF1F));
    EXPECT_FALSE(is_line_extender(0x3000));
    EXPECT_TRUE(is_break_start(0xFF08));
}

TEST_F(TextLayoutTest, measures_follow_the_lines_and_a_vertical_tab_spaces_five_thirds_of_a_line)
{
    EXPECT_EQ(layout.BBox(""), FTBBox());
    EXPECT_EQ(layout.BBox("ABC"), FTBBox(FTPoint(0, 0), FTPoint(16, 8)));
    layout.SetLineLength(16);
    // The first line measures its word without the space.
    EXPECT_EQ(layout.BBox("AB CD"), FTBBox(FTPoint(0, 0), FTPoint(10, 18)));
    layout.SetLineLength(100);
    EXPECT_EQ(layout.BBox("A\n\nB"), FTBBox(FTPoint(0, 0), FTPoint(4, 28)));

    const FTBBox box = layout.BBox("A\vB");
    EXPECT_EQ(box.upper.y, 8.0 + double(10.0f * (5.0f / 3.0f)));
    draw("A\vB", 100);
    EXPECT_EQ(line(0), "A");
    // Baseline 20 + 16.67: the letter covers y 28 .. 35.
    EXPECT_EQ(line(0, 28), "B");
    EXPECT_EQ(line(0, 27), "");
    EXPECT_TRUE(is_linebreak(11));
    EXPECT_FALSE(is_linebreak(13));
}
