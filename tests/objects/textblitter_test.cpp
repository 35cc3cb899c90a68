// Bitmap text: line layout with wrapping, the character map, alignment,
// scrolling, the wave, character callbacks and colour replacement.
#include "base/pools.h"
#include "graphics/image.h"
#include "graphics/render.h"
#include "objects/textblitter.h"
#include "runtime/layer.h"
#include "runtime/manager.h"
#include "tests/objects/kinds_fixture.h"

#include <new>

namespace {

constexpr Rgba yellow{255, 255, 0, 255};
constexpr Rgba cyan{0, 255, 255, 255};

TextBlitter* make_blitter(int x, int y, int w, int h)
{
    TextBlitter* blitter = new (object_pool<TextBlitter>.create()) TextBlitter(x, y, 311);
    blitter->char_width = 8;
    blitter->char_height = 8;
    blitter->width = w;
    blitter->height = h;
    blitter->set_charmap("ABCDEF");
    return blitter;
}

std::vector<std::string> lines_of(const TextBlitter& blitter)
{
    std::vector<std::string> lines;
    for (int i = 0; i < blitter.get_line_count(); ++i)
        lines.push_back(blitter.get_line(i));
    return lines;
}

std::vector<std::string> layout(const std::string& text, int w, bool wrap = true)
{
    TextBlitter* blitter = make_blitter(0, 0, w, 100);
    blitter->wrap = wrap;
    blitter->set_text(text);
    std::vector<std::string> lines = lines_of(*blitter);
    blitter->dealloc();
    return lines;
}

using Lines = std::vector<std::string>;

// A 32 x 16 font image of 8 x 8 cells: red, green, blue, white on the first
// row, yellow and cyan on the second.
ImageItemSource font_image()
{
    const Rgba cells[8] = {red, green, blue, white, yellow, cyan, black, black};
    ImageItemSource image = solid_image(32, 16, black);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 32; ++x) {
            const Rgba c = cells[(y / 8) * 4 + x / 8];
            uint8_t* p = &image.rgba[size_t(y * 32 + x) * 4];
            p[0] = c.r;
            p[1] = c.g;
            p[2] = c.b;
        }
    return image;
}

}  // namespace

TEST(TextBlitterLayout, words_wrap_at_spaces_and_are_cut_without_one)
{
    EXPECT_EQ(layout("HELLO WORLD", 40), (Lines{"HELLO", "WORLD"}));
    EXPECT_EQ(layout("HELLO WORLD", 48), (Lines{"HELLO ", "WORLD"}));
    EXPECT_EQ(layout("ABCDEFGHIJ", 40), (Lines{"ABCDE", "FGHIJ"}));
    EXPECT_EQ(layout("HELLO WORLD", 40, false), (Lines{"HELLO WORLD"}));
    // Only the first space at the start of a wrapped line is skipped.
    EXPECT_EQ(layout("HELLO  WORLD", 40), (Lines{"HELLO", "WORLD"}));
    EXPECT_EQ(layout("HELLO   WORLD", 40), (Lines{"HELLO", " ", "WORLD"}));
    EXPECT_EQ(layout(" AB", 40), (Lines{" AB"}));
}

TEST(TextBlitterLayout, line_feeds_break_always_and_carriage_returns_never_count)
{
    EXPECT_EQ(layout("A\nB", 40, false), (Lines{"A", "B"}));
    EXPECT_EQ(layout("A\nB", 40), (Lines{"A", "B"}));
    EXPECT_EQ(layout("AB\r\nCD", 40), (Lines{"AB", "CD"}));
    EXPECT_EQ(layout("ABCD\r\nE", 32), (Lines{"ABCD", "E"}));
    EXPECT_EQ(layout("AB\n", 40), (Lines{"AB", ""}));
    // An object narrower than one cell still makes progress.
    EXPECT_EQ(layout("ABC", 4), (Lines{"", "A", "B", "C"}));
    EXPECT_EQ(layout("", 40), (Lines{""}));
}

TEST(TextBlitterLayout, text_changes_lay_out_again_only_when_needed)
{
    TextBlitter* blitter = make_blitter(0, 0, 40, 100);
    blitter->wrap = 1;
    blitter->set_text("HELLO WORLD");
    EXPECT_EQ(blitter->get_line_count(), 2);
    EXPECT_EQ(blitter->get_line(5), "");
    EXPECT_EQ(blitter->get_line(-1), "");
    blitter->width = 200;
    blitter->set_text("HELLO WORLD");  // the same text: lines kept
    EXPECT_EQ(blitter->get_line_count(), 2);
    blitter->append_text("");
    EXPECT_EQ(lines_of(*blitter), (Lines{"HELLO WORLD"}));
    blitter->set_width(40);
    EXPECT_EQ(blitter->get_line_count(), 2);
    EXPECT_EQ(blitter->collision->aabb[2], 40);
    blitter->set_height(30);
    EXPECT_EQ(blitter->collision->aabb[3], 30);
    blitter->append_text("!");
    EXPECT_EQ(lines_of(*blitter), (Lines{"HELLO", "WORLD", "!"}));
    blitter->dealloc();
}

TEST(TextBlitter, settings_alignment_flags_and_the_parameter_report)
{
    TextBlitter* blitter = make_blitter(0, 0, 40, 40);
    blitter->set_x_align(2);
    blitter->set_y_align(2);
    EXPECT_EQ(blitter->alignment, 4 | 32);
    EXPECT_EQ(blitter->get_x_align(), 2);
    EXPECT_EQ(blitter->get_y_align(), 2);
    blitter->set_x_align(1);
    blitter->set_y_align(1);
    EXPECT_EQ(blitter->alignment, 2 | 64);
    blitter->set_x_align(7);
    blitter->set_y_align(0);
    EXPECT_EQ(blitter->alignment, 16);
    EXPECT_EQ(blitter->get_x_align(), 0);

    blitter->set_animation_parameter(1, 12);
    blitter->set_animation_parameter(2, 3);
    EXPECT_EQ(console_output_of([&] { blitter->set_animation_parameter(3, 7); }),
              "Invalid Text Blitter parameter: 3\n");
    EXPECT_EQ(blitter->wave_length, 12);
    EXPECT_EQ(blitter->wave_amplitude, 3);

    blitter->set_transparent_color(0x3020FF);
    EXPECT_EQ(blitter->transparent_color, TransparentColor(255, 0x20, 0x30, 255));
    blitter->dealloc();
}

TEST(TextBlitter, the_character_map_keeps_the_last_cell_of_a_character)
{
    int class_table[256];
    TextBlitter* blitter = new (object_pool<TextBlitter>.create()) TextBlitter(0, 0, 311);
    blitter->charmap_table = class_table;
    blitter->initialize("ABA");
    EXPECT_EQ(class_table['A'], 2);
    EXPECT_EQ(class_table['B'], 1);
    EXPECT_EQ(class_table['C'], -1);
    EXPECT_EQ(blitter->get_map_char(0), "");

    // An own map leaves the class's table alone.
    blitter->set_charmap("XY");
    EXPECT_NE(blitter->charmap_table, class_table);
    EXPECT_EQ(blitter->shared_charmap, 0);
    EXPECT_EQ(class_table['A'], 2);
    EXPECT_EQ(blitter->charmap_table['Y'], 1);
    EXPECT_EQ(blitter->charmap_table['A'], -1);
    blitter->set_charmap("QRS");
    EXPECT_EQ(blitter->get_charmap(), "QRS");
    EXPECT_EQ(blitter->get_map_char(-4), "Q");
    EXPECT_EQ(blitter->get_map_char(1), "R");
    EXPECT_EQ(blitter->get_map_char(99), "S");
    blitter->dealloc();  // the sanitizer checks that the own map is freed
}

TEST(TextBlitter, flashing_and_the_wave_clock_step_with_update)
{
    TextBlitter* blitter = make_blitter(0, 0, 40, 40);
    const float old_time = manager.frame_time;
    manager.frame_time = 0.25f;
    blitter->flash(0.5f);
    blitter->update();
    EXPECT_TRUE(blitter->flags & FrameObject::VISIBLE);
    blitter->update();
    EXPECT_FALSE(blitter->flags & FrameObject::VISIBLE);
    EXPECT_EQ(blitter->animation_counter, 0);
    blitter->set_animation_type(1);
    blitter->update();
    blitter->update();
    EXPECT_EQ(blitter->animation_counter, 2);
    manager.frame_time = old_time;
    blitter->dealloc();
}

TEST(TextBlitter, the_default_blitter_draws_nothing)
{
    flush_quads();
    default_blitter.draw();
    EXPECT_EQ(quads_drawn(), 0u);
}

// A blitter over the font image, its grid one image wide.
class TextBlitterDraw : public KindDrawTest {
protected:
    TextBlitter* font_blitter(int x, int y, int w, int h)
    {
        write_assets({{60, font_image()}});
        TextBlitter* blitter = make_blitter(x, y, w, h);
        blitter->image = get_internal_image(60);
        blitter->grid_width = 32;
        return blitter;
    }
};

TEST_F(TextBlitterDraw, cells_come_from_the_map_with_spacing_and_alignment)
{
    TextBlitter* blitter = font_blitter(10, 20, 100, 40);
    blitter->set_text("ABCE");
    redraw(blitter);
    EXPECT_EQ(blitter->drawn_lines, 1);
    EXPECT_EQ(extent(red), (std::vector<int>{10, 20, 18, 28}));
    EXPECT_EQ(extent(green), (std::vector<int>{18, 20, 26, 28}));
    EXPECT_EQ(extent(blue), (std::vector<int>{26, 20, 34, 28}));
    EXPECT_EQ(extent(yellow), (std::vector<int>{34, 20, 42, 28}));  // second row of cells

    // Spacing, centring and vertical centring; flag 32 alone moves nothing.
    blitter->set_text("AB");
    blitter->x_spacing = 2;
    blitter->set_x_align(1);
    blitter->set_y_align(1);
    redraw(blitter);
    EXPECT_EQ(extent(red), (std::vector<int>{10 + 40, 36, 58, 44}));
    EXPECT_EQ(extent(green), (std::vector<int>{60, 36, 68, 44}));
    blitter->set_x_align(2);
    blitter->set_y_align(2);
    redraw(blitter);
    EXPECT_EQ(extent(red), (std::vector<int>{90, 20, 98, 28}));
    blitter->dealloc();
}

TEST_F(TextBlitterDraw, lines_outside_the_rectangle_are_not_drawn)
{
    TextBlitter* blitter = font_blitter(10, 20, 100, 8);
    blitter->y_spacing = 1;
    blitter->set_text("A\nB");
    flush_quads();
    blitter->draw();
    EXPECT_EQ(quads_drawn(), 1u);  // B's line starts below the bottom
    blitter->y_scroll = -9;
    clear();
    flush_quads();
    blitter->draw();
    read();
    EXPECT_EQ(quads_drawn(), 1u);  // A's line is a whole line step above
    EXPECT_EQ(extent(green), (std::vector<int>{10, 20, 18, 28}));
    EXPECT_EQ(blitter->drawn_lines, 2);
    blitter->dealloc();
}

TEST_F(TextBlitterDraw, unmapped_characters_and_the_grid_offset_pick_the_source_cell)
{
    TextBlitter* blitter = font_blitter(0, 0, 100, 40);
    blitter->set_text("Z");  // not in the map: the cell left of the grid, clamped at 0
    redraw(blitter);
    EXPECT_EQ(extent(red), (std::vector<int>{0, 0, 8, 8}));
    blitter->image_x = 8;
    blitter->set_text("A");
    redraw(blitter);
    EXPECT_EQ(extent(green), (std::vector<int>{0, 0, 8, 8}));
    blitter->dealloc();
}

TEST_F(TextBlitterDraw, the_wave_moves_characters_and_a_still_wave_draws_flat)
{
    TextBlitter* blitter = font_blitter(0, 10, 100, 40);
    blitter->set_text("AB");
    blitter->set_animation_type(1);
    blitter->set_animation_parameter(1, 10);
    blitter->set_animation_parameter(2, 5);
    // Speed 0 (or length 0) has no wave to follow.
    redraw(blitter);
    EXPECT_EQ(extent(green), (std::vector<int>{8, 10, 16, 18}));
    blitter->animation_speed = 1;
    redraw(blitter);
    // sin(8 / 10) x 5 = 3.58: B moves down 3 pixels, A (sin 0) stays.
    EXPECT_EQ(extent(red), (std::vector<int>{0, 10, 8, 18}));
    EXPECT_EQ(extent(green), (std::vector<int>{8, 13, 16, 21}));
    blitter->animation_speed = 2;
    blitter->animation_counter = 3;  // 3 / 2 = 1: sin(1 / 10) x 5 = 0.499
    redraw(blitter);
    EXPECT_EQ(extent(red), (std::vector<int>{0, 10, 8, 18}));
    blitter->set_animation_parameter(1, 0);
    redraw(blitter);
    EXPECT_EQ(extent(green), (std::vector<int>{8, 10, 16, 18}));
    blitter->dealloc();
}

TEST_F(TextBlitterDraw, callbacks_draw_opaque_and_replacements_recolour_the_font)
{
    TextBlitter* blitter = font_blitter(0, 0, 100, 40);
    blitter->set_text("A");
    blitter->blend_color.a = 0;
    redraw(blitter);
    EXPECT_EQ(count(0, 0, 8, 8, black), 64);
    blitter->char_callback = 1;
    redraw(blitter);
    EXPECT_EQ(extent(red), (std::vector<int>{0, 0, 8, 8}));

    blitter->replace_color(Color(255, 0, 0, 255), Color(0, 255, 255, 255));
    blitter->update();
    ASSERT_NE(blitter->replaced_image, nullptr);
    EXPECT_EQ(blitter->replacements.count, 0);
    redraw(blitter);
    EXPECT_EQ(extent(cyan), (std::vector<int>{0, 0, 8, 8}));
    EXPECT_EQ(count(0, 0, 426, 240, red), 0);
    blitter->dealloc();
}

TEST_F(TextBlitterDraw, empty_cells_images_or_grids_draw_nothing)
{
    write_assets({{60, font_image()}});
    TextBlitter* blitter = make_blitter(0, 0, 100, 40);
    blitter->set_text("ABC");
    blitter->grid_width = 32;
    flush_quads();
    blitter->image = &empty_image;
    blitter->draw();
    blitter->image = get_internal_image(60);
    blitter->char_width = 0;  // would divide by zero
    blitter->draw();
    blitter->char_width = 8;
    blitter->grid_width = 4;  // narrower than one cell
    blitter->draw();
    EXPECT_EQ(quads_drawn(), 0u);
    blitter->grid_width = 32;
    blitter->draw();
    EXPECT_EQ(quads_drawn(), 3u);

    // The image cache reports the file first; the blitter's own line ends the output.
    const std::string output = console_output_of([&] { blitter->load("./missing.png"); });
    EXPECT_TRUE(output.ends_with("\nCould not load Text Blitter image ./missing.png\n")) << output;
    EXPECT_EQ(blitter->image, get_internal_image(60));
    blitter->dealloc();
}
