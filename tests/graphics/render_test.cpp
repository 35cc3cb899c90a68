#include "tests/support/drawing.h"

#include "console/gpu.h"
#include "graphics/render_internal.h"
#include "graphics/shader.h"
#include "graphics/testing.h"

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

// The shader programs written and the picture cleared to black.
class RenderTest : public DrawingTest {
protected:
    void SetUp() override
    {
        DrawingTest::SetUp();
        write_assets({});
        Render::clear(Color(0, 0, 0, 255));
    }
};

}  // namespace

TEST_F(RenderTest, clear_ignores_the_scissor_which_the_view_offset_moves_and_the_screen_clamps)
{
    Render::enable_scissor(-10, -10, 50, 50);
    const int32_t* s = gx2_current_state().scissor;
    EXPECT_EQ((std::vector<int>{s[0], s[1], s[2], s[3]}), (std::vector<int>{0, 0, 40, 40}));
    Render::enable_scissor(400, 200, 100, 100);
    EXPECT_EQ((std::vector<int>{s[0], s[1], s[2], s[3]}), (std::vector<int>{400, 200, 26, 40}));

    Render::set_offset(5, 2);
    Render::enable_scissor(10, 10, 20, 20);  // pixels 15..34 x 12..31
    Render::set_offset(0, 0);
    Render::clear(Color(10, 20, 30, 255));
    EXPECT_EQ(s[2], 20);  // the clear leaves the main context's state in force again
    fill(0, 0, 426, 240, Color(0, 255, 0, 255));
    read(TV_LOGICAL_BUFFER);
    EXPECT_EQ(at(0, 0), (Rgba{10, 20, 30, 255}));
    EXPECT_EQ(at(425, 239), (Rgba{10, 20, 30, 255}));
    EXPECT_EQ(at(15, 12), green);
    EXPECT_EQ(at(34, 31), green);
    for (const auto& [x, y] : {std::pair{14, 12}, {15, 11}, {35, 31}, {34, 32}})
        EXPECT_EQ(at(x, y), (Rgba{10, 20, 30, 255})) << x << ", " << y;
}

TEST_F(RenderTest, quads_cover_exactly_their_pixels_move_with_the_view_offset_and_mirror_when_swapped)
{
    fill(10, 20, 30, 25, Color(255, 0, 0, 255));
    Render::set_offset(-100, 10);
    fill(110, 0, 111, 1, Color(0, 0, 255, 255));
    Render::set_offset(0, 0);
    const uint8_t pixels[8] = {255, 0, 0, 255, 0, 255, 0, 255};  // red, green
    const unsigned int id = Render::create_tex(pixels, Render::RGBA, 2, 1);
    Render::draw_tex(100, 100, 120, 110, Color(), id);
    Render::draw_tex(160, 100, 140, 110, Color(), id);
    Render::delete_tex(id);
    read(TV_LOGICAL_BUFFER);
    EXPECT_EQ(at(10, 20), red);
    EXPECT_EQ(at(29, 24), red);
    for (const auto& [x, y] : {std::pair{30, 24}, {29, 25}, {9, 20}, {10, 19}, {110, 0}})
        EXPECT_EQ(at(x, y), black) << x << ", " << y;
    EXPECT_EQ(at(10, 10), blue);
    EXPECT_EQ(at(102, 105), red);
    EXPECT_EQ(at(117, 105), green);
    EXPECT_EQ(at(142, 105), green);
    EXPECT_EQ(at(157, 105), red);
}

TEST_F(RenderTest, blending_off_normal_and_the_control_table_follow_their_factor_and_combine_numbers)
{
    struct Case {
        bool blend;
        uint32_t control[6];
        Rgba expected;  // source (100, 50, 200, 128) over destination (200, 100, 60, 255)
    };
    const Case cases[] = {
        {false, {4, 5, 0, 4, 5, 0}, {100, 50, 200, 128}},  // blending off: the source as it is
        {true, {4, 5, 0, 4, 5, 0}, {150, 75, 130, 191}},   // normal: s * as + d * (1 - as), alpha as * as + ad * (1 - as)
        {true, {4, 1, 0, 4, 1, 0}, {250, 125, 160, 255}},  // additive: s * as + d
        {true, {0, 2, 0, 0, 2, 0}, {78, 20, 47, 128}},     // multiply: d * s
        {true, {8, 1, 4, 8, 1, 0}, {122, 80, 13, 255}},    // scaled subtract: d - s * d
        {true, {1, 1, 4, 1, 1, 0}, {100, 50, 0, 255}},     // subtract: d - s
    };
    for (int i = 0; i < 6; ++i) {
        const uint32_t* c = cases[i].control;
        GX2SetColorControl(0xCC, 0, false, true);
        fill(i * 10, 0, i * 10 + 5, 5, Color(200, 100, 60, 255));
        GX2SetColorControl(0xCC, cases[i].blend ? 1 : 0, false, true);
        GX2SetBlendControl(0, c[0], c[1], c[2], true, c[3], c[4], c[5]);
        fill(i * 10, 0, i * 10 + 5, 5, Color(100, 50, 200, 128));
    }
    GX2SetColorControl(0xCC, 1, false, true);
    GX2SetBlendControl(0, 4, 5, 0, true, 4, 5, 0);
    read(TV_LOGICAL_BUFFER);
    for (int i = 0; i < 6; ++i)
        EXPECT_PRED3(near, at(i * 10 + 2, 2), cases[i].expected, 1) << i;
}

TEST_F(RenderTest, gradients_put_their_colours_on_the_named_edges)
{
    Render::draw_vertical_gradient(0, 0, 100, 100, Color(255, 0, 0, 255), Color(0, 0, 255, 255));
    Render::draw_horizontal_gradient(100, 0, 200, 100, Color(0, 255, 0, 255), Color(0, 0, 255, 255));
    read(TV_LOGICAL_BUFFER);
    const struct {
        int x, y;
        Rgba colour;
    } points[] = {{0, 0, red},     {99, 0, red},     {0, 99, blue},    {99, 99, blue},
                  {50, 50, {127, 0, 128, 255}},     {100, 0, green}, {100, 99, green}, {199, 0, blue}};
    for (const auto& p : points)
        EXPECT_PRED3(near, at(p.x, p.y), p.colour, 3) << p.x << ", " << p.y;
}

TEST_F(RenderTest, quads_of_one_texture_share_a_draw_and_a_change_of_texture_or_state_starts_another)
{
    const uint32_t red_texel = 0xFF0000FF;
    const unsigned int red_texture = Render::create_tex(&red_texel, Render::RGBA, 1, 1);
    flush_gl();
    const uint64_t before = gx2_draw_count();
    for (int i = 0; i < 50; ++i)
        fill(i, 0, i + 1, 1, Color(0, 255, 0, 255));
    // Blending switched off and on again around nothing drawn changes nothing.
    Render::set_blending(false);
    Render::set_blending(true);
    fill(50, 0, 51, 1, Color(0, 255, 0, 255));
    Render::draw_tex(0, 0, 2, 2, Color(255, 255, 255, 255), red_texture);
    fill(1, 1, 3, 3, Color(0, 0, 255, 255));
    Render::enable_scissor(0, 0, 2, 2);
    fill(0, 0, 4, 4, Color(255, 255, 255, 255));
    Render::reset_scissor();
    EXPECT_EQ(quads_drawn(), 54u);
    read();
    EXPECT_EQ(gx2_draw_count() - before, 4u);
    // Later quads cover earlier ones across runs, as drawn one by one.
    EXPECT_EQ(at(0, 0), white);
    EXPECT_EQ(at(2, 0), green);
    EXPECT_EQ(at(2, 2), blue);
    EXPECT_EQ(at(0, 2), black);
    EXPECT_EQ(count(0, 0, 426, 1, green), 49);
    Render::delete_tex(red_texture);
}

TEST_F(RenderTest, a_picture_of_more_quads_than_the_stream_holds_draws_them_all_in_order)
{
    flush_gl();
    const int quads = int(batch_quad_capacity) + 500;
    for (int i = 0; i < quads; ++i)
        fill(i % 426, i / 426, i % 426 + 1, i / 426 + 1, Color(0, 255, 0, 255));
    // The first quad again, over what it drew first.
    fill(0, 0, 1, 1, Color(0, 0, 255, 255));
    read();
    EXPECT_EQ(count(0, 0, 426, 240, green), quads - 1);
    EXPECT_EQ(at(0, 0), blue);
    flush_gl();
    EXPECT_EQ(quads_drawn(), 0u);
}

TEST_F(RenderTest, draws_pending_when_their_texture_or_programs_are_freed_are_made_with_them_first)
{
    // A freed slot's next texture gets the same record: the pending quad must
    // not be drawn with it.
    const uint32_t red_texel = 0xFF0000FF, blue_texel = 0xFFFF0000;
    const unsigned int first = Render::create_tex(&red_texel, Render::RGBA, 1, 1);
    Render::draw_tex(0, 0, 10, 10, Color(255, 255, 255, 255), first);
    Render::delete_tex(first);
    const unsigned int second = Render::create_tex(&blue_texel, Render::RGBA, 1, 1);
    ASSERT_EQ(second, first);
    Render::draw_tex(10, 0, 20, 10, Color(255, 255, 255, 255), second);
    read();
    EXPECT_EQ(at(5, 5), red);
    EXPECT_EQ(at(15, 5), blue);
    Render::delete_tex(second);

    // The programs a pending quad is drawn with freed, then its texture (as
    // a test's clean-up does): the quad is made before either goes.
    const unsigned int third = Render::create_tex(&red_texel, Render::RGBA, 1, 1);
    Render::draw_tex(20, 0, 30, 10, Color(255, 255, 255, 255), third);
    shader_forget_all();
    Render::delete_tex(third);
    read();
    EXPECT_EQ(at(25, 5), red);
    // The programs load again at the next draw.
    fill(30, 0, 40, 10, Color(0, 255, 0, 255));
    read();
    EXPECT_EQ(at(35, 5), green);
}

TEST_F(RenderTest, texture_slots_are_reused_from_the_lowest_and_a_full_table_refuses_with_one_line)
{
    // The display's four buffers hold slots 0 to 3, uncounted.
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(platform_color_buffer(DisplayBuffer(i))->texture_slot, unsigned(i));
    const unsigned int count = render_data.texture_count;
    const uint8_t coverage = 255;
    std::vector<unsigned int> made;
    for (unsigned int id; (id = Render::create_tex(&coverage, Render::ALPHA, 1, 1)) != 0;)
        made.push_back(id);
    EXPECT_GT(made.front(), 3u);
    EXPECT_EQ(render_data.texture_count, count + made.size());
    EXPECT_EQ(console_output_of([&] { EXPECT_EQ(Render::create_tex(&coverage, Render::ALPHA, 1, 1), 0u); }),
              "Maximum number of textures reached\n");
    for (const unsigned int id : made)
        Render::delete_tex(id);
    EXPECT_EQ(render_data.texture_count, count);
    EXPECT_EQ(Render::create_tex(&coverage, Render::ALPHA, 1, 1), made.front());
    Render::delete_tex(made.front());

    // Texels are kept at the surface pitch.
    const uint32_t source[6] = {1, 2, 3, 4, 5, 6};
    const unsigned int id = Render::create_tex(source, Render::RGBA, 3, 2);
    EXPECT_GE(render_data.textures[id].texture.surface.pitch, 3u);
    EXPECT_EQ(platform_get_texture_pixel(id, 2, 1), 6u);
    EXPECT_EQ(platform_get_texture_pixel(id, 0, 1), 4u);
    Render::delete_tex(id);
}

TEST_F(RenderTest, freed_slots_come_back_lowest_first_and_texels_are_copied_out_only_when_read)
{
    const uint8_t coverage = 255;
    std::vector<unsigned int> made;
    for (int i = 0; i < 5000; ++i)
        made.push_back(Render::create_tex(&coverage, Render::ALPHA, 1, 1));
    for (const int gap : {4100, 70, 64, 3})
        Render::delete_tex(made[size_t(gap)]);
    for (const int gap : {3, 64, 70, 4100})
        EXPECT_EQ(Render::create_tex(&coverage, Render::ALPHA, 1, 1), made[size_t(gap)]) << gap;
    EXPECT_EQ(Render::create_tex(&coverage, Render::ALPHA, 1, 1), made.back() + 1);
    for (const unsigned int id : made)
        Render::delete_tex(id);
    Render::delete_tex(made.back() + 1);

    // Uploaded without a CPU copy; the first read makes one, with the
    // same texels at the surface pitch, and the slot keeps it.
    const uint8_t alpha_source[6] = {10, 20, 30, 40, 50, 60};
    const uint32_t rgba_source[6] = {0x01020304, 2, 3, 4, 5, 0xA0B0C0D0};
    const unsigned int alpha = Render::create_tex(alpha_source, Render::ALPHA, 3, 2);
    const unsigned int rgba = Render::create_tex(rgba_source, Render::RGBA, 3, 2);
    EXPECT_EQ(render_data.textures[rgba].storage, nullptr);
    EXPECT_EQ(platform_get_texture_pixel(rgba, 0, 0), 0x01020304u);
    EXPECT_EQ(platform_get_texture_pixel(rgba, 2, 1), 0xA0B0C0D0u);
    EXPECT_NE(render_data.textures[rgba].storage, nullptr);
    EXPECT_EQ(render_data.textures[alpha].storage, nullptr);
    EXPECT_EQ(platform_get_texture_pixel(alpha, 1, 1), 50u);
    EXPECT_EQ(platform_get_texture_pixel(alpha, 2, 0), 30u);
    Render::delete_tex(alpha);
    Render::delete_tex(rgba);
    // A freed slot forgets its copy: the next texture there is read afresh.
    const uint32_t other[1] = {77};
    const unsigned int again = Render::create_tex(other, Render::RGBA, 1, 1);
    EXPECT_EQ(platform_get_texture_pixel(again, 0, 0), 77u);
    Render::delete_tex(again);
}

TEST_F(RenderTest, single_channel_textures_draw_white_with_coverage_as_alpha_and_linear_filters_blend)
{
    const uint8_t coverage[2] = {128, 255};
    const unsigned int alpha = Render::create_tex(coverage, Render::ALPHA, 2, 1);
    Render::draw_tex(0, 0, 20, 10, Color(), alpha);
    const uint8_t pixels[8] = {0, 0, 0, 255, 255, 255, 255, 255};
    const unsigned int rgba = Render::create_tex(pixels, Render::RGBA, 2, 1);
    Render::draw_tex(0, 20, 100, 21, Color(), rgba);
    Render::set_filter(rgba, true);
    Render::draw_tex(0, 21, 100, 22, Color(), rgba);
    read(TV_LOGICAL_BUFFER);
    EXPECT_PRED3(near, at(5, 5), (Rgba{128, 128, 128, 191}), 1);
    EXPECT_EQ(at(15, 5), white);
    EXPECT_EQ(at(49, 20).r, 0);  // point: a hard edge
    EXPECT_EQ(at(50, 20).r, 255);
    EXPECT_GT(at(49, 21).r, 100);  // linear: a ramp
    EXPECT_LT(at(49, 21).r, 155);
    Render::delete_tex(alpha);
    Render::delete_tex(rgba);
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
