// Image backdrops and rectangle backdrops: display modes, fills, borders,
// gradients and clipped patterns, read back from the picture.
#include "base/pools.h"
#include "console/gpu.h"
#include "graphics/image.h"
#include "graphics/render.h"
#include "objects/backdrop.h"
#include "objects/quickbackdrop.h"
#include "tests/objects/kinds_fixture.h"

#include <new>

namespace {

Backdrop* make_backdrop(Frame& frame, int x, int y, Image* image)
{
    Backdrop* backdrop = place(new (object_pool<Backdrop>.create()) Backdrop(x, y, 1), frame);
    backdrop->image = image;
    return backdrop;
}

QuickBackdrop* make_quick(Frame& frame, int x, int y, int w, int h)
{
    QuickBackdrop* quick = place(new (object_pool<QuickBackdrop>.create()) QuickBackdrop(x, y, 1), frame);
    quick->width = w;
    quick->height = h;
    return quick;
}

}  // namespace

using BackdropTest = KindDrawTest;

TEST_F(BackdropTest, image_backdrop_puts_its_top_left_at_the_position_whatever_the_hot_spot)
{
    write_assets({{5, solid_image(6, 4, red, 3, 2)}});
    Backdrop* backdrop = make_backdrop(frame, 20, 30, get_internal_image(5));
    EXPECT_EQ(backdrop->display, 2);
    redraw(backdrop);
    EXPECT_EQ(extent(red), (std::vector<int>{20, 30, 26, 34}));
    backdrop->image = nullptr;  // nothing to draw
    redraw(backdrop);
    EXPECT_EQ(count(0, 0, 426, 240, red), 0);
    backdrop->dealloc();
}

TEST_F(BackdropTest, display_one_draws_only_while_both_screens_show_the_picture)
{
    write_assets({{5, solid_image(4, 4, red)}});
    Backdrop* only_both = make_backdrop(frame, 0, 0, get_internal_image(5));
    only_both->display = 1;
    Backdrop* always = make_backdrop(frame, 10, 0, get_internal_image(5));
    const auto drawn_in_mode = [&](int mode) {
        platform_set_gamepad_present(mode != 0);
        platform_set_remote_value(mode);
        EXPECT_EQ(platform_get_remote_value(), mode);
        clear();
        only_both->draw();
        always->draw();
        read();
        EXPECT_EQ(at(11, 1), red) << "mode " << mode;
        return at(1, 1) == red;
    };
    EXPECT_FALSE(drawn_in_mode(0));
    EXPECT_FALSE(drawn_in_mode(1));
    EXPECT_TRUE(drawn_in_mode(2));
    platform_set_gamepad_present(false);
    only_both->dealloc();
    always->dealloc();
}

TEST_F(BackdropTest, border_covers_the_rectangle_and_the_fill_what_is_left_inside)
{
    write_assets({});
    QuickBackdrop* quick = make_quick(frame, 10, 20, 100, 50);
    quick->border_size = 3;
    quick->border_color = Color(255, 0, 0, 255);
    quick->color1 = Color(0, 255, 0, 255);
    redraw(quick);
    EXPECT_EQ(extent(green), (std::vector<int>{13, 23, 107, 67}));
    EXPECT_EQ(count(0, 0, 426, 240, green), 94 * 44);
    EXPECT_EQ(count(0, 0, 426, 240, red), 100 * 50 - 94 * 44);
    EXPECT_EQ(extent(red), (std::vector<int>{10, 20, 110, 70}));

    for (const int size : {0, -4}) {
        quick->border_size = size;
        redraw(quick);
        EXPECT_EQ(count(0, 0, 426, 240, green), 100 * 50) << "border " << size;
        EXPECT_EQ(count(0, 0, 426, 240, red), 0) << "border " << size;
    }
    // A border of half the rectangle or more leaves no fill.
    quick->width = 10;
    quick->height = 40;
    quick->border_size = 8;
    redraw(quick);
    EXPECT_EQ(count(0, 0, 426, 240, red), 10 * 40);
    EXPECT_EQ(count(0, 0, 426, 240, green), 0);
    quick->dealloc();
}

TEST_F(BackdropTest, gradients_run_between_the_two_colours_at_the_blend_alpha)
{
    write_assets({});
    QuickBackdrop* quick = make_quick(frame, 0, 0, 64, 64);
    quick->color1 = Color(255, 0, 0, 255);
    quick->color2 = Color(0, 0, 255, 255);
    quick->gradient_type = 1;  // top to bottom
    redraw(quick);
    EXPECT_GT(at(10, 0).r, 240);
    EXPECT_GT(at(10, 63).b, 240);
    EXPECT_EQ(at(0, 32), at(63, 32));

    quick->gradient_type = 2;  // left to right
    redraw(quick);
    EXPECT_GT(at(0, 10).r, 240);
    EXPECT_GT(at(63, 10).b, 240);
    EXPECT_EQ(at(32, 0), at(32, 63));

    // The blend colour's alpha, not the colours' own, weighs the fill.
    quick->gradient_type = 0;
    quick->color1 = Color(255, 255, 255, 0);
    quick->blend_color.a = 0;
    redraw(quick);
    EXPECT_EQ(at(32, 32), black);
    quick->blend_color.a = 255;
    redraw(quick);
    EXPECT_EQ(at(32, 32), white);

    quick->gradient_type = 3;  // unknown: nothing
    redraw(quick);
    EXPECT_EQ(at(32, 32), black);
    quick->dealloc();
}

TEST_F(BackdropTest, align_pos_keeps_whole_tiles_only)
{
    EXPECT_EQ(align_pos(40, 16), 32);
    EXPECT_EQ(align_pos(32, 16), 32);
    EXPECT_EQ(align_pos(15, 16), 0);
    EXPECT_EQ(align_pos(0, 16), 0);
    EXPECT_EQ(align_pos(-20, 16), 0);
}

TEST_F(BackdropTest, pattern_skips_tiles_left_of_the_screen_and_clips_its_right_edge)
{
    // Left half red, right half blue, so the tile phase shows on screen.
    ImageItemSource tile = solid_image(16, 16, red);
    for (int y = 0; y < 16; ++y)
        for (int x = 8; x < 16; ++x) {
            uint8_t* p = &tile.rgba[size_t(y * 16 + x) * 4];
            p[0] = 0;
            p[2] = 255;
        }
    write_assets({{3, tile}});
    // On screen at -40: layer offset 30 and view at 30 cancel out.
    frame.layers[0].off_x = 30;
    frame.display_x = 30;
    QuickBackdrop* quick = make_quick(frame, -40, 5, 100, 16);
    quick->image = get_internal_image(3);
    clear();
    flush_quads();
    quick->draw();
    read();
    // Tiles at -8, 8, 24, 40 and 56: two whole tiles left of the screen are skipped.
    EXPECT_EQ(quads_drawn(), 5u);
    EXPECT_EQ(at(0, 5), blue);
    EXPECT_EQ(at(7, 5), blue);
    EXPECT_EQ(at(8, 5), red);
    EXPECT_EQ(at(59, 20), red);
    EXPECT_EQ(at(60, 20), black);  // the last tile is cut at the rectangle's end
    EXPECT_EQ(at(30, 21), black);
    EXPECT_TRUE(scissor_is_full_view());

    // Whole tiles beyond the right edge are dropped too: 2 of 6 are drawn.
    quick->x = 400;
    quick->width = 90;
    flush_quads();
    quick->draw();
    EXPECT_EQ(quads_drawn(), 2u);
    quick->dealloc();
}

TEST_F(BackdropTest, pattern_off_screen_or_of_an_empty_image_draws_nothing)
{
    write_assets({{3, solid_image(16, 16, red)}});
    QuickBackdrop* quick = make_quick(frame, 500, 10, 100, 30);
    quick->image = get_internal_image(3);
    clear();
    flush_quads();
    Render::enable_scissor(0, 0, 5, 5);
    quick->draw();
    EXPECT_EQ(quads_drawn(), 0u);
    EXPECT_TRUE(scissor_is_full_view());

    // An image without size (a missing asset) would never step forward.
    quick->x = 0;
    quick->image = &empty_image;
    quick->draw();
    read();
    EXPECT_EQ(quads_drawn(), 0u);
    EXPECT_EQ(count(0, 0, 426, 240, black), 426 * 240);
    quick->dealloc();
}
