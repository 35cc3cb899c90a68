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

TEST_F(TextLayoutTest, breaks_after_the_last_word_that_fits)
{
    draw("AB CD", 16);
    EXPECT_EQ(lines(3), (std::vector<std::string>{"AB", "CD", ""}));
    // The first line measures its word without the space.
    EXPECT_EQ(layout.BBox("AB CD"), FTBBox(FTPoint(0, 0), FTPoint(10, 18)));

    draw("AB CD EF GH", 30);  // a line holds five characters and a space
    EXPECT_EQ(lines(2), (std::vector<std::string>{"AB CD", "EF GH"}));
}

TEST_F(TextLayoutTest, word_longer_than_a_line_breaks_before_the_character_that_overflows)
{
    draw("ABCDEFG", 16);
    EXPECT_EQ(lines(3), (std::vector<std::string>{"ABC", "DEF", "G"}));
    draw("A BCDEF", 16);
    EXPECT_EQ(lines(3), (std::vector<std::string>{"A", "BCD", "EF"}));
}

TEST_F(TextLayoutTest, forced_breaks_end_lines_and_two_in_a_row_leave_an_empty_line)
{
    draw("AB\nC", 100);
    EXPECT_EQ(lines(2), (std::vector<std::string>{"AB", "C"}));
    draw("A\n\nB", 100);
    EXPECT_EQ(lines(4), (std::vector<std::string>{"A", "", "B", ""}));
    EXPECT_EQ(layout.BBox("A\n\nB"), FTBBox(FTPoint(0, 0), FTPoint(4, 28)));
    draw("\nA", 100);
    EXPECT_EQ(lines(3), (std::vector<std::string>{"", "A", ""}));
}

TEST_F(TextLayoutTest, vertical_tab_spaces_the_next_line_five_thirds_of_a_line)
{
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

TEST_F(TextLayoutTest, a_line_narrower_than_one_glyph_still_holds_one)
{
    draw("AB", 2);
    EXPECT_EQ(lines(3), (std::vector<std::string>{"A", "B", ""}));
}

TEST_F(TextLayoutTest, measuring_nothing_gives_the_zero_box)
{
    EXPECT_EQ(layout.BBox(""), FTBBox());
    EXPECT_EQ(layout.BBox("ABC"), FTBBox(FTPoint(0, 0), FTPoint(16, 8)));
}

TEST_F(TextLayoutTest, line_extenders_stay_on_their_line_and_break_start_brackets_go_with_what_follows)
{
    draw("ABC\xE3\x80\x82" "D", 16);  // U+3002 after three letters that fill the line
    EXPECT_EQ(lines(2), (std::vector<std::string>{"ABC.", "D"}));
    draw("AB\xE3\x80\x8C" "CD", 16);  // U+300C would end the first line
    EXPECT_EQ(lines(2), (std::vector<std::string>{"AB", "[CD"}));
    EXPECT_TRUE(is_line_extender(0xFF1F));
    EXPECT_FALSE(is_line_extender(0x3000));
    EXPECT_TRUE(is_break_start(0xFF08));
}
