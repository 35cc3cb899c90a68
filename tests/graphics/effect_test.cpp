#include "tests/support/drawing.h"

#include "console/gpu.h"
#include "graphics/render_internal.h"
#include "graphics/shader.h"
#include "tools/assetwriter/effect_programs.h"
#include "tools/assetwriter/shader_items.h"

#include <cstdlib>
#include <cstring>
#include <map>

namespace {

unsigned int key(const char* name)
{
    return hash_shader_parameter(name, unsigned(strlen(name)));
}

std::vector<uint32_t> blend_state()
{
    const uint32_t* blend = gx2_current_state().blend;
    return std::vector<uint32_t>(blend, blend + 6);
}

const std::vector<uint32_t> normal = {4, 5, 0, 4, 5, 0};

// Sets an effect parameter as the object's setters do: one entry per name.
void give(ShaderParameters& parameters, const char* name, double value)
{
    for (ShaderParameter& parameter : parameters)
        if (parameter.hash == key(name)) {
            parameter.value = value;
            return;
        }
    parameters.push_back({key(name), value});
}

// A pixel program in place of an effect's own: `body` writes frag_color from
// the declared uniforms.
std::string probe_item(const std::vector<ShaderContainerVar>& uniforms, const std::string& declarations,
                       const std::string& body)
{
    std::vector<ShaderContainerProgram> programs = texture_programs();
    ShaderContainerProgram& pixel = programs[1];
    pixel.source = "#version 330 core\nuniform sampler2D texture0;\n" + declarations +
                   "in vec4 blend_color;\nin vec2 tex_coord;\nout vec4 frag_color;\n"
                   "void main()\n{\n    frag_color = " + body +
                   " + 0.0 * texture(texture0, tex_coord);\n}\n";
    pixel.variables.insert(pixel.variables.end(), uniforms.begin(), uniforms.end());
    return shader_item(programs);
}

class EffectTest : public DrawingTest {
protected:
    // Assets.dat with every effect program, some replaced.
    void write_programs(const std::map<int, std::string>& replaced = {})
    {
        AssetWriter writer;
        for (const auto& [id, item] : every_shader_item()) {
            const auto other = replaced.find(id);
            writer.add_item(AssetFile::SHADER_DATA, id, other == replaced.end() ? item : other->second);
        }
        ASSERT_TRUE(writer.write(volumes->content + "/Assets.dat"));
    }

    // One 4 x 4 quad of the white texture in `color` with effect `effect`
    // over a ground of `ground`; returns the pixel in its middle.
    Rgba draw_over(Rgba ground, int effect, Color color, const ShaderParameters* parameters = nullptr)
    {
        Render::clear(Color(ground.r, ground.g, ground.b, ground.a));
        render_data.current_effect = effect;
        shader_set_effect(effect, parameters, 4, 4);
        Render::draw_tex(0, 0, 4, 4, color, render_data.white_texture);
        render_data.current_effect = 0;
        shader_set_texture();
        read(TV_LOGICAL_BUFFER);
        return at(1, 1);
    }
};

}  // namespace

TEST_F(EffectTest, every_program_compiles_and_declares_what_its_class_looks_up)
{
    write_programs();
    const ShaderParameters object;
    std::string output;
    for (int effect = 1; effect <= 35; ++effect)
        output += console_output_of([&] {
            render_data.current_effect = effect;
            shader_set_effect(effect, &object, 16, 16);
            Render::draw_tex(0, 0, 4, 4, Color(), render_data.white_texture);
            render_data.current_effect = 0;
        });
    output += console_output_of([] { dodge_blur_shader.begin(nullptr, 16, 16); });
    // 31 shaders are selected by some effect (5 and 6 share one, 24 has none),
    // and the dodge blur directly: each loads once, on its first selection.
    std::string expected;
    for (int i = 0; i < 32; ++i)
        expected += "Done loading shader\n";
    EXPECT_EQ(output, expected);
    EXPECT_NE(GrainShader::iA, no_location);
    EXPECT_NE(GradientShader::iMask, no_location);
    EXPECT_NE(PixelScaleShader::y_size, no_location);
    EXPECT_NE(PatternOverlayShader::alpha, no_location);
    EXPECT_NE(pattern_overlay_shader.param_texture_location, no_location);
    EXPECT_NE(bg_bloom_shader.background_texture_location, no_location);
    EXPECT_NE(nine_patch_shader.texture_size_offset, no_location);
}

TEST_F(EffectTest, effects_the_game_draws_follow_their_blend_equations)
{
    write_programs();
    const struct {
        const char* name;
        Rgba ground;
        int effect;
        Color color;
        Rgba expected;  // within 1 of these, for the rounding of s * d
    } cases[] = {
        {"normal: s * as + d * (1 - as)", {0, 0, 0, 255}, 0, Color(50, 100, 200, 255), {50, 100, 200, 255}},
        {"28, texture program added: s * as + d", {100, 50, 20, 255}, 28, Color(50, 100, 200, 255), {150, 150, 220, 255}},
        {"28, saturating", {200, 200, 200, 255}, 28, Color(100, 100, 100, 255), {255, 255, 255, 255}},
        {"16, subtract program: d - s * d", {200, 100, 40, 255}, 16, Color(128, 255, 0, 255), {100, 0, 40, 255}},
        {"16, a transparent texel subtracts nothing", {200, 100, 40, 255}, 16, Color(255, 255, 255, 0), {200, 100, 40, 255}},
        {"17, invert program blended normally", {0, 0, 0, 255}, 17, Color(50, 100, 200, 255), {205, 155, 55, 255}},
        {"32, multiply (the layer tint): d * s", {200, 100, 255, 255}, 32, Color(128, 255, 0, 255), {100, 100, 0, 255}},
        {"31, subtract: d - s", {200, 100, 40, 255}, 31, Color(50, 100, 200, 255), {150, 0, 0, 255}},
    };
    for (const auto& c : cases) {
        const Rgba got = draw_over(c.ground, c.effect, c.color);
        EXPECT_LE(std::abs(got.r - c.expected.r), 1) << c.name;
        EXPECT_EQ((std::vector<int>{got.g, got.b, got.a}), (std::vector<int>{c.expected.g, c.expected.b, c.expected.a}))
            << c.name;
    }
}

TEST_F(EffectTest, blend_control_holds_until_the_next_selection)
{
    write_programs();
    const std::vector<uint32_t> additive = {4, 1, 0, 4, 1, 0};
    const std::vector<uint32_t> subtract = {1, 1, 4, 1, 1, 0};
    BaseShader* const texture = &texture_shader;  // effects without a shader leave it bound
    const struct {
        int effect;
        std::vector<uint32_t> blend;
        int mode;
        BaseShader* shader;  // null: not checked
    } selections[] = {
        {28, additive, 1, nullptr},          {1, normal, 0, &monochrome_shader}, {16, {8, 1, 4, 8, 1, 0}, 2, nullptr},
        {32, {0, 2, 0, 0, 2, 0}, 1, nullptr}, {31, subtract, 2, nullptr},        {24, normal, 0, texture},
        {31, subtract, 2, nullptr},           {36, normal, 0, texture},          {31, subtract, 2, nullptr},
        {-1, normal, 0, texture},             {31, subtract, 2, nullptr},        {0, normal, 0, texture},
        {5, normal, 0, nullptr},              {6, additive, 1, &channel_blur_shader},
    };
    for (const auto& s : selections) {
        shader_set_effect(s.effect, nullptr, 0, 0);
        EXPECT_EQ(blend_state(), s.blend) << s.effect;
        EXPECT_EQ(blend_mode, s.mode) << s.effect;
        EXPECT_TRUE(!s.shader || current_shader == s.shader) << s.effect;
    }
}

TEST_F(EffectTest, parameters_upload_by_their_kind_and_zeros_when_missing)
{
    // Effect 5 uploads fCoeff, iR, iG, iB, iA; the probe shows three of them.
    const std::string channel_probe = probe_item(
        {{SHADER_TABLE_UNIFORM, GX2_VAR_TYPE_FLOAT, "fCoeff", 0, "u_coeff"},
         {SHADER_TABLE_UNIFORM, GX2_VAR_TYPE_INT, "iR", 1, "u_r"},
         {SHADER_TABLE_UNIFORM, GX2_VAR_TYPE_INT, "iG", 2, "u_g"},
         {SHADER_TABLE_UNIFORM, GX2_VAR_TYPE_INT, "iB", 3, "u_b"},
         {SHADER_TABLE_UNIFORM, GX2_VAR_TYPE_INT, "iA", 4, "u_a"}},
        "uniform float u_coeff;\nuniform int u_r, u_g, u_b, u_a;\n",
        "vec4(float(u_r + 3) / 255.0, float(u_g) / 255.0, u_coeff, 1.0)");
    // Effect 8 binds with the drawn size: texture_size is {1 / width, 1 / height}.
    const std::string size_probe = probe_item(
        {{SHADER_TABLE_UNIFORM, GX2_VAR_TYPE_VEC2, "texture_size", 0, ""},
         {SHADER_TABLE_UNIFORM, GX2_VAR_TYPE_FLOAT, "x", 1, "u_x"},
         {SHADER_TABLE_UNIFORM, GX2_VAR_TYPE_FLOAT, "y", 2, "u_y"},
         {SHADER_TABLE_UNIFORM, GX2_VAR_TYPE_INT, "limit", 3, "u_limit"}},
        "uniform vec2 texture_size;\nuniform float u_x, u_y;\nuniform int u_limit;\n",
        "vec4(texture_size.x * 40.0, texture_size.y * 20.0, float(u_limit), 1.0)");
    write_programs({{23, channel_probe}, {31, size_probe}});

    ShaderParameters object;
    give(object, "iR", -2.7);
    give(object, "iG", 3.9);
    give(object, "fCoeff", 0.2);
    EXPECT_EQ(draw_over({0, 0, 0, 255}, 5, Color(), &object), (Rgba{1, 3, 51, 255}));
    EXPECT_EQ(draw_over({0, 0, 0, 255}, 5, Color(), nullptr), (Rgba{3, 0, 0, 255}));

    Render::clear(Color(0, 0, 0, 255));
    render_data.current_effect = 8;
    shader_set_effect(8, &object, 200, 100);  // no "limit": 0
    Render::draw_tex(0, 0, 4, 4, Color(), render_data.white_texture);
    render_data.current_effect = 0;
    read(TV_LOGICAL_BUFFER);
    EXPECT_EQ(at(1, 1), (Rgba{51, 51, 0, 255}));

    // The mixer program: white texels become r + g + b of the colour parameters.
    ShaderParameters mixer;
    give(mixer, "g", 255.0);  // {1, 0, 0, 0}
    EXPECT_EQ(draw_over({0, 0, 0, 255}, 30, Color(), &mixer), (Rgba{255, 0, 0, 255}));
    give(mixer, "g", 0.0);
    give(mixer, "r", 16711935.0);  // 0x00FF00FF: {1, 0, 1, 0}
    EXPECT_EQ(draw_over({0, 0, 0, 255}, 30, Color(), &mixer), (Rgba{255, 0, 255, 255}));
    EXPECT_EQ(key("g"), 41u);

    // The tint program without parameters: fOriginalPower and fTintPower 0, the texels go black.
    EXPECT_EQ(draw_over({90, 90, 90, 255}, 19, Color(200, 200, 200, 255)), (Rgba{0, 0, 0, 255}));
    ShaderParameters tint;
    give(tint, "fOriginalPower", 1.0);
    give(tint, "fTintPower", 0.5);
    give(tint, "fTintColor", double(Color(255, 0, 0, 255).get_int()));
    const Rgba tinted = draw_over({0, 0, 0, 255}, 19, Color(100, 100, 100, 255), &tint);
    EXPECT_NEAR(tinted.r, 100 + 128, 1);
    EXPECT_EQ(tinted.g, 100);
}

TEST_F(EffectTest, class_lookups_report_missing_uniforms_and_keep_other_classes)
{
    // The plain texture program as the grain program: none of its seven uniforms.
    write_programs({{30, shader_item(texture_programs())}});
    ChannelBlurShader::fCoeff = 12345;
    GradientShader::fCoeff = 54321;
    EXPECT_EQ(console_output_of([] { shader_set_effect(21, nullptr, 8, 8); }),
              "Uniform not found: fStrength\nUniform not found: fSeed\n"
              "Uniform not found: iInvert\nUniform not found: iR\nUniform not found: iG\n"
              "Uniform not found: iB\nUniform not found: iA\nDone loading shader\n");
    for (uint32_t offset : {GrainShader::fStrength, GrainShader::fSeed, GrainShader::iInvert,
                            GrainShader::iR, GrainShader::iG, GrainShader::iB, GrainShader::iA})
        EXPECT_EQ(offset, no_location);
    EXPECT_TRUE(grain_shader.initialized);

    EXPECT_EQ(console_output_of([] { shader_set_effect(15, nullptr, 8, 8); }), "Done loading shader\n");
    EXPECT_NE(LensShader::fCoeff, no_location);
    EXPECT_NE(LensShader::fBase, no_location);
    EXPECT_EQ(ChannelBlurShader::fCoeff, 12345u);
    EXPECT_EQ(GradientShader::fCoeff, 54321u);
}
