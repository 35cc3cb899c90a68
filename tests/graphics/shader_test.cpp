#include "tests/support/drawing.h"

#include "console/gpu.h"
#include "console/procui.h"
#include "graphics/render_internal.h"
#include "graphics/shader.h"
#include "tools/assetwriter/shader_items.h"

#include <cstring>
#include <set>

namespace {

unsigned int hash(const char* name)
{
    return hash_shader_parameter(name, unsigned(strlen(name)));
}

// A program that shows its texture_size uniform as colour, and reads the background.
std::vector<ShaderContainerProgram> probe_programs(bool background)
{
    std::vector<ShaderContainerProgram> programs = texture_programs();
    ShaderContainerProgram& vertex = programs[0];
    ShaderContainerProgram& pixel = programs[1];
    pixel.source = R"(#version 330 core
uniform sampler2D texture0;
uniform vec2 texture_size;
in vec4 blend_color;
in vec2 tex_coord;
out vec4 frag_color;
void main()
{
    frag_color = vec4(texture_size * 100.0, 0.0, 1.0) + 0.0 * texture(texture0, tex_coord);
}
)";
    pixel.variables.push_back({SHADER_TABLE_UNIFORM, GX2_VAR_TYPE_VEC2, "texture_size", 4, ""});
    if (background) {
        vertex.source.replace(vertex.source.find("out vec4"), 0, "in vec2 in_tex_coord2;\n");
        vertex.variables.push_back({SHADER_TABLE_ATTRIBUTE, GX2_VAR_TYPE_VEC2, "in_tex_coord2", 3, ""});
        pixel.variables.push_back({SHADER_TABLE_SAMPLER, GX2_VAR_TYPE_INT, "background_texture", 1, "background0"});
    }
    return programs;
}

}  // namespace

using ShaderTest = DrawingTest;

TEST(ShaderParameterHash, matches_the_names_of_the_effects_and_colours_read_lowest_byte_first)
{
    EXPECT_EQ(hash("fFade"), 35u);
    EXPECT_EQ(hash("FFADE"), 35u);
    EXPECT_EQ(hash("fHeight"), 182u);
    EXPECT_EQ(hash("a"), 61u);
    EXPECT_EQ(hash("r"), 1u);
    EXPECT_EQ(hash("x9"), 2u + 183u + 40u + 183u);
    const char* names[] = {
        "r", "iR", "iT", "Saturation", "rr", "bgA", "zoom", "iInvert", "br", "iMask", "fZoomY",
        "xoff", "b", "gg", "fX", "color", "rb", "alpha", "direction", "radius", "bb", "fAngle",
        "fFreqY", "fPeriodsY", "fBlur", "iB", "iG", "width", "gr", "vertical", "fSy",
        "fAmplitudeY", "fBrgb", "fSeed", "fHue", "y_scale", "fBase", "y", "fZoomX", "fPeriodsX",
        "gb", "fA", "fSx", "coeff", "fFade", "fAa", "fFreqX", "fAmplitudeX", "fTintPower",
        "limit", "yScale", "x_scale", "g", "iF", "fC", "y_size", "rg", "Brightness", "xScale",
        "fStrength", "bg", "x", "iA", "x_size", "fBa", "fY", "height", "fOriginalPower", "fArgb",
        "exponent", "fOffset", "sine_waves", "pattern", "fTintColor", "offset", "fWidth",
        "effect", "fCoeff", "yoff", "fHeight"};
    std::set<unsigned int> seen;
    for (const char* name : names) {
        const unsigned int h = hash(name);
        EXPECT_GE(h, 1u) << name;
        EXPECT_LE(h, 182u) << name;
        seen.insert(h);
    }
    EXPECT_EQ(seen.size(), 80u);

    // Colour parameters are read bytes lowest first.
    float x, y, z, w;
    convert_vec4(int(0x7F204080), x, y, z, w);
    EXPECT_EQ((std::vector<float>{x, y, z, w}),
              (std::vector<float>{128 / 255.0f, 64 / 255.0f, 32 / 255.0f, 127 / 255.0f}));
    convert_vec4(-1, x, y, z, w);
    EXPECT_EQ((std::vector<float>{x, y, z, w}), (std::vector<float>{1, 1, 1, 1}));
}

TEST_F(ShaderTest, texture_shader_loads_once_binds_on_every_call_and_reports_missing_names)
{
    write_assets({});
    EXPECT_EQ(console_output_of([] { shader_set_texture(); }), "Done loading shader\n");
    EXPECT_EQ(console_output_of([] { shader_set_texture(); }), "");
    EXPECT_EQ(current_shader, &texture_shader);
    EXPECT_TRUE(texture_shader.initialized);
    EXPECT_EQ(texture_shader.texture_location, 0u);
    EXPECT_EQ(texture_shader.background_texture_location, no_location);
    EXPECT_EQ(texture_shader.texture_size_offset, no_location);
    EXPECT_EQ(texture_shader.fetch_shader.count, 3u);
    EXPECT_FALSE(monochrome_shader.initialized);  // never bound, never loaded

    uint32_t location = 0;
    EXPECT_EQ(console_output_of([&] { location = texture_shader.get_uniform("fHue"); }),
              "Uniform not found: fHue\n");
    EXPECT_EQ(location, no_location);
    EXPECT_EQ(console_output_of([&] { location = texture_shader.get_attribute("in_nothing"); }),
              "Attribute not found: in_nothing\n");
    EXPECT_EQ(console_output_of([&] { location = texture_shader.get_sampler("Texture"); }),
              "Sampler not found: Texture\n");
    EXPECT_EQ(texture_shader.get_attribute("in_tex_coord1"), 2u);
}

TEST_F(ShaderTest, failed_shader_is_recorded_once_and_draws_with_the_texture_program)
{
    write_assets({});  // no program for monochrome_shader
    const std::string first = console_output_of([] { monochrome_shader.begin(nullptr, 8, 8); });
    EXPECT_EQ(first, "Invalid vertex program\nDone loading shader\n");
    EXPECT_TRUE(monochrome_shader.failed);
    EXPECT_EQ(current_shader, &texture_shader);
    EXPECT_EQ(console_output_of([] { monochrome_shader.begin(nullptr, 8, 8); }), "");
    // An effect falls back to the texture programs: the run goes on.
    EXPECT_FALSE(procui_exit_requested());

    render_data.current_effect = 1;
    Render::clear(Color(0, 0, 0, 255));
    Render::draw_tex(0, 0, 4, 4, Color(0, 200, 0, 255), render_data.white_texture);
    render_data.current_effect = 0;
    read(TV_LOGICAL_BUFFER);
    EXPECT_EQ(at(1, 1), (Rgba{0, 200, 0, 255}));
}

TEST_F(ShaderTest, texture_size_reaches_the_program_and_background_adds_a_fourth_stream)
{
    write_assets({});
    AssetWriter writer;
    for (const auto& [id, item] : demo_shader_items())
        writer.add_item(AssetFile::SHADER_DATA, id, item);
    writer.add_item(AssetFile::SHADER_DATA, 15, shader_item(probe_programs(false)));
    writer.add_item(AssetFile::SHADER_DATA, 19, shader_item(probe_programs(true)));
    ASSERT_TRUE(writer.write(volumes->content + "/Assets.dat"));

    pattern_overlay_shader.begin(nullptr, 200, 100);  // flags 2, sampler "pattern" missing
    EXPECT_EQ(pattern_overlay_shader.texture_size_offset, 4u);
    EXPECT_EQ(pattern_overlay_shader.param_texture_location, no_location);
    EXPECT_EQ(pattern_overlay_shader.fetch_shader.count, 3u);
    render_data.current_effect = 26;
    Render::clear(Color(0, 0, 0, 255));
    Render::draw_tex(0, 0, 4, 4, Color(), render_data.white_texture);
    // {1 / 200, 1 / 100} x 100 = {0.5, 1.0}
    read(TV_LOGICAL_BUFFER);
    EXPECT_NEAR(at(1, 1).r, 128, 1);
    EXPECT_EQ(at(1, 1).g, 255);

    bg_blur_shader.begin(nullptr, 50, 50);  // flags 3
    EXPECT_EQ(bg_blur_shader.fetch_shader.count, 4u);
    EXPECT_EQ(bg_blur_shader.background_texture_location, 1u);
    Render::draw_tex(4, 0, 8, 4, Color(), render_data.white_texture);
    render_data.current_effect = 0;
    read(TV_LOGICAL_BUFFER);
    EXPECT_EQ(at(5, 1).r, 255);  // 1 / 50 x 100 = 2, saturated
}

TEST_F(ShaderTest, set_texture_restores_normal_blending_only_after_an_effect_changed_it)
{
    write_assets({});
    const uint32_t* blend = gx2_current_state().blend;
    for (const int mode : {0, 1, 2}) {
        GX2SetBlendControl(0, 1, 1, 4, true, 1, 1, 0);  // subtract
        blend_mode = mode;
        shader_set_texture();
        EXPECT_EQ((std::vector<uint32_t>(blend, blend + 6)),
                  mode == 0 ? (std::vector<uint32_t>{1, 1, 4, 1, 1, 0}) : (std::vector<uint32_t>{4, 5, 0, 4, 5, 0}))
            << mode;  // mode 0: left alone
        EXPECT_EQ(blend_mode, 0);
    }
}
