#include "tests/graphics/graphics_fixture.h"

#include "graphics/render.h"
#include "graphics/shader.h"

namespace {

constexpr Rgba black{0, 0, 0, 255};

}  // namespace

using RenderTest = GraphicsTest;

TEST_F(RenderTest, clear_fills_the_current_logical_buffer)
{
    write_assets({});
    Render::clear(Color(10, 20, 30, 255));
    read(TV_LOGICAL_BUFFER);
    EXPECT_EQ(at(0, 0), (Rgba{10, 20, 30, 255}));
    EXPECT_EQ(at(425, 239), (Rgba{10, 20, 30, 255}));
}

TEST_F(RenderTest, textured_quad_lands_on_its_pixels)
{
    write_assets({});
    Render::clear(Color(0, 0, 0, 255));
    Render::draw_tex(10, 20, 30, 25, Color(255, 0, 0, 255), render_data.white_texture);
    read(TV_LOGICAL_BUFFER);
    EXPECT_EQ(at(10, 20), (Rgba{255, 0, 0, 255}));
    EXPECT_EQ(at(29, 24), (Rgba{255, 0, 0, 255}));
    EXPECT_EQ(at(30, 24), black);
    EXPECT_EQ(at(29, 25), black);
    EXPECT_EQ(at(9, 20), black);
    EXPECT_EQ(at(10, 19), black);
}
