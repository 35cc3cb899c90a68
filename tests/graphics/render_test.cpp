#include "tests/support/drawing.h"

#include "console/gpu.h"
#include "graphics/render_internal.h"
#include "graphics/shader.h"

#include <cstdlib>

namespace {

bool near(Rgba got, Rgba want, int tolerance = 1)
{
    return std::abs(got.r - want.r) <= tolerance && std::abs(got.g - want.g) <= tolerance &&
           std::abs(got.b - want.b) <= tolerance && std::abs(got.a - want.a) <= tolerance;
}

void fill(int x1, int y1, int x2, int y2, Color color)
{
    Render::draw_tex(x1, y1, x2, y2, color, render_data.white_texture);
}

}  // namespace

using RenderTest = DrawingTest;

TEST_F(RenderTest, clear_fills_the_whole_current_buffer_whatever_the_scissor)
{
    write_assets({});
    Render::enable_scissor(10, 10, 5, 5);
    Render::clear(Color(10, 20, 30, 255));
    read(TV_LOGICAL_BUFFER);
    EXPECT_EQ(at(0, 0), (Rgba{10, 20, 30, 255}));
    EXPECT_EQ(at(425, 239), (Rgba{10, 20, 30, 255}));
    // The clear leaves the main context's state in force again.
    EXPECT_EQ(gx2_current_state().scissor[2], 5);
}

TEST_F(RenderTest, textured_quad_covers_exactly_its_pixels_top_left_first_moved_by_the_view_offset)
{
    write_assets({});
    Render::clear(Color(0, 0, 0, 255));
    fill(10, 20, 30, 25, Color(255, 0, 0, 255));
    read(TV_LOGICAL_BUFFER);
    EXPECT_EQ(at(10, 20), red);
    EXPECT_EQ(at(29, 24), red);
    EXPECT_EQ(at(30, 24), black);
    EXPECT_EQ(at(29, 25), black);
    EXPECT_EQ(at(9, 20), black);
    EXPECT_EQ(at(10, 19), black);

    // The view offset moves every quad.
    Render::set_offset(-100, 10);
    fill(110, 0, 111, 1, Color(0, 0, 255, 255));
    Render::set_offset(0, 0);
    read(TV_LOGICAL_BUFFER);
    EXPECT_EQ(at(10, 10), blue);
    EXPECT_EQ(at(110, 0), black);
}

TEST_F(RenderTest, swapped_corners_mirror_the_texture)
{
    write_assets({});
    const uint8_t pixels[8] = {255, 0, 0, 255, 0, 255, 0, 255};  // red, green
    const unsigned int id = Render::create_tex(pixels, Render::RGBA, 2, 1);
    Render::clear(Color(0, 0, 0, 255));
    Render::draw_tex(0, 0, 20, 10, Color(), id);
    Render::draw_tex(60, 0, 40, 10, Color(), id);
    read(TV_LOGICAL_BUFFER);
    EXPECT_EQ(at(2, 5), red);
    EXPECT_EQ(at(17, 5), green);
    EXPECT_EQ(at(42, 5), green);
    EXPECT_EQ(at(57, 5), red);
    Render::delete_tex(id);
}

TEST_F(RenderTest, normal_alpha_blending_and_blending_off)
{
    write_assets({});
    Render::clear(Color(0, 0, 255, 255));
    fill(0, 0, 10, 10, Color(255, 0, 0, 128));
    GX2SetColorControl(0xCC, 0, false, true);
    fill(10, 0, 20, 10, Color(255, 0, 0, 128));
    GX2SetColorControl(0xCC, 1, false, true);
    read(TV_LOGICAL_BUFFER);
    // colour = s * as + d * (1 - as); alpha = as * as + ad * (1 - as)
    EXPECT_PRED3(near, at(5, 5), (Rgba{128, 0, 127, 191}), 1);
    EXPECT_EQ(at(15, 5), (Rgba{255, 0, 0, 128}));
}

TEST_F(RenderTest, gradients_put_their_colours_on_the_named_edges)
{
    write_assets({});
    Render::clear(Color(0, 0, 0, 255));
    Render::draw_vertical_gradient(0, 0, 100, 100, Color(255, 0, 0, 255), Color(0, 0, 255, 255));
    Render::draw_horizontal_gradient(100, 0, 200, 100, Color(0, 255, 0, 255),
                                     Color(0, 0, 255, 255));
    read(TV_LOGICAL_BUFFER);
    EXPECT_PRED3(near, at(0, 0), red, 3);
    EXPECT_PRED3(near, at(99, 0), red, 3);
    EXPECT_PRED3(near, at(0, 99), blue, 3);
    EXPECT_PRED3(near, at(99, 99), blue, 3);
    EXPECT_PRED3(near, at(50, 50), (Rgba{127, 0, 128, 255}), 3);
    EXPECT_PRED3(near, at(100, 0), green, 3);
    EXPECT_PRED3(near, at(100, 99), green, 3);
    EXPECT_PRED3(near, at(199, 0), blue, 3);
}

TEST_F(RenderTest, scissor_is_moved_by_the_view_offset_and_clamped_to_the_screen)
{
    write_assets({});
    Render::enable_scissor(-10, -10, 50, 50);
    const int32_t* s = gx2_current_state().scissor;
    EXPECT_EQ((std::vector<int>{s[0], s[1], s[2], s[3]}), (std::vector<int>{0, 0, 40, 40}));
    Render::enable_scissor(400, 200, 100, 100);
    EXPECT_EQ((std::vector<int>{s[0], s[1], s[2], s[3]}), (std::vector<int>{400, 200, 26, 40}));

    Render::clear(Color(0, 0, 0, 255));
    Render::set_offset(5, 2);
    Render::enable_scissor(10, 10, 20, 20);  // pixels 15..34 x 12..31
    Render::set_offset(0, 0);
    fill(0, 0, 426, 240, Color(0, 255, 0, 255));
    read(TV_LOGICAL_BUFFER);
    EXPECT_EQ(at(15, 12), green);
    EXPECT_EQ(at(34, 31), green);
    EXPECT_EQ(at(14, 12), black);
    EXPECT_EQ(at(15, 11), black);
    EXPECT_EQ(at(35, 31), black);
    EXPECT_EQ(at(34, 32), black);
}

TEST_F(RenderTest, pools_grow_only_for_the_busiest_picture)
{
    write_assets({});
    flush_gl();
    const size_t start = render_data.positions.buffers.size();
    const int quads = int(start) + 3;
    for (int i = 0; i < quads; ++i)
        fill(i, 0, i + 1, 1, Color());
    EXPECT_EQ(render_data.positions.buffers.size(), size_t(quads));
    EXPECT_EQ(render_data.colors.used, uint32_t(quads));
    EXPECT_EQ(render_data.texcoords.used, uint32_t(quads));
    flush_gl();
    fill(0, 0, 1, 1, Color());
    EXPECT_EQ(render_data.positions.buffers.size(), size_t(quads));
    EXPECT_EQ(render_data.positions.used, 1u);
}

TEST_F(RenderTest, texture_slots_are_reused_from_the_lowest_and_counted_and_texels_kept_at_the_pitch)
{
    write_assets({});
    // The display's four buffers hold slots 0 to 3, uncounted.
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(platform_color_buffer(DisplayBuffer(i))->texture_slot, unsigned(i));
    const unsigned int count = render_data.texture_count;
    const uint32_t pixel = 0xFF00FF00;
    const unsigned int first = Render::create_tex(&pixel, Render::RGBA, 1, 1);
    EXPECT_GT(first, 3u);
    EXPECT_EQ(render_data.texture_count, count + 1);
    Render::delete_tex(first);
    EXPECT_EQ(render_data.texture_count, count);
    EXPECT_EQ(Render::create_tex(&pixel, Render::RGBA, 1, 1), first);
    Render::delete_tex(first);

    // Texels are kept at the surface pitch.
    const uint32_t source[6] = {1, 2, 3, 4, 5, 6};
    const unsigned int id = Render::create_tex(source, Render::RGBA, 3, 2);
    EXPECT_GE(render_data.textures[id].texture.surface.pitch, 3u);
    EXPECT_EQ(platform_get_texture_pixel(id, 2, 1), 6u);
    EXPECT_EQ(platform_get_texture_pixel(id, 0, 1), 4u);
    Render::delete_tex(id);
}

TEST_F(RenderTest, single_channel_texture_draws_white_with_its_coverage_as_alpha)
{
    write_assets({});
    const uint8_t coverage[2] = {128, 255};
    const unsigned int id = Render::create_tex(coverage, Render::ALPHA, 2, 1);
    Render::clear(Color(0, 0, 0, 255));
    Render::draw_tex(0, 0, 20, 10, Color(), id);
    read(TV_LOGICAL_BUFFER);
    EXPECT_PRED3(near, at(5, 5), (Rgba{128, 128, 128, 191}), 1);
    EXPECT_EQ(at(15, 5), (Rgba{255, 255, 255, 255}));
    Render::delete_tex(id);
}

TEST_F(RenderTest, linear_filter_blends_neighbouring_texels)
{
    write_assets({});
    const uint8_t pixels[8] = {0, 0, 0, 255, 255, 255, 255, 255};
    const unsigned int id = Render::create_tex(pixels, Render::RGBA, 2, 1);
    Render::clear(Color(0, 0, 0, 255));
    Render::draw_tex(0, 0, 100, 1, Color(), id);
    Render::set_filter(id, true);
    Render::draw_tex(0, 1, 100, 2, Color(), id);
    read(TV_LOGICAL_BUFFER);
    EXPECT_EQ(at(49, 0).r, 0);      // point: a hard edge
    EXPECT_EQ(at(50, 0).r, 255);
    EXPECT_GT(at(49, 1).r, 100);    // linear: a ramp
    EXPECT_LT(at(49, 1).r, 155);
    Render::delete_tex(id);
}

TEST_F(RenderTest, a_full_texture_table_refuses_with_one_line_per_attempt)
{
    write_assets({});
    std::vector<unsigned int> made;
    const uint8_t coverage = 255;
    while (true) {
        const unsigned int id = Render::create_tex(&coverage, Render::ALPHA, 1, 1);
        if (id == 0)
            break;
        made.push_back(id);
    }
    EXPECT_EQ(console_output_of([&] {
                  EXPECT_EQ(Render::create_tex(&coverage, Render::ALPHA, 1, 1), 0u);
              }),
              "Maximum number of textures reached\n");
    for (const unsigned int id : made)
        Render::delete_tex(id);
    EXPECT_EQ(Render::create_tex(&coverage, Render::ALPHA, 1, 1), made.front());
    Render::delete_tex(made.front());
}

TEST(Rectangles, intersect_and_collides_treat_touching_edges_as_apart)
{
    int x1, y1, x2, y2;
    intersect(0, 0, 10, 10, 5, -5, 20, 8, x1, y1, x2, y2);
    EXPECT_EQ((std::vector<int>{x1, y1, x2, y2}), (std::vector<int>{5, 0, 10, 8}));
    const int a[4] = {0, 0, 10, 10}, touching[4] = {10, 0, 20, 10}, overlapping[4] = {9, 9, 20, 20};
    EXPECT_FALSE(collides(a, touching));
    EXPECT_TRUE(collides(a, overlapping));
}

TEST_F(RenderTest, blend_controls_follow_their_factor_and_combine_numbers)
{
    write_assets({});
    struct Case {
        uint32_t control[6];
        Rgba expected;  // source (100, 50, 200, 128) over destination (200, 100, 60, 255)
    };
    const Case cases[] = {
        {{4, 1, 0, 4, 1, 0}, {250, 125, 160, 255}},  // additive: s * as + d
        {{0, 2, 0, 0, 2, 0}, {78, 20, 47, 128}},     // multiply: d * s
        {{8, 1, 4, 8, 1, 0}, {122, 80, 13, 255}},    // scaled subtract: d - s * d
        {{1, 1, 4, 1, 1, 0}, {100, 50, 0, 255}},     // subtract: d - s
    };
    for (int i = 0; i < 4; ++i) {
        const uint32_t* c = cases[i].control;
        GX2SetColorControl(0xCC, 0, false, true);
        Render::draw_tex(i * 10, 0, i * 10 + 5, 5, Color(200, 100, 60, 255), render_data.white_texture);
        GX2SetColorControl(0xCC, 1, false, true);
        GX2SetBlendControl(0, c[0], c[1], c[2], true, c[3], c[4], c[5]);
        Render::draw_tex(i * 10, 0, i * 10 + 5, 5, Color(100, 50, 200, 128), render_data.white_texture);
    }
    GX2SetBlendControl(0, 4, 5, 0, true, 4, 5, 0);
    read(TV_LOGICAL_BUFFER);
    for (int i = 0; i < 4; ++i)
        EXPECT_PRED3(near, at(i * 10 + 2, 2), cases[i].expected, 1) << i;
}
