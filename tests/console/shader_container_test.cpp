#include "console/shader_container.h"

#include <gtest/gtest.h>

namespace {

std::vector<ShaderContainerProgram> sample_programs()
{
    ShaderContainerProgram pixel;
    pixel.pixel = true;
    pixel.source = "pixel source";
    pixel.variables = {{SHADER_TABLE_SAMPLER, GX2_VAR_TYPE_INT, "texture", 0, "texture0"},
                       {SHADER_TABLE_UNIFORM, GX2_VAR_TYPE_VEC4, "fTintColor", 8, ""}};
    ShaderContainerProgram vertex;
    vertex.source = "vertex source";
    vertex.variables = {{SHADER_TABLE_ATTRIBUTE, GX2_VAR_TYPE_VEC2, "in_pos", 0, ""},
                        {SHADER_TABLE_UNIFORM, GX2_VAR_TYPE_FLOAT, "scale", 0, ""}};
    return {pixel, vertex};  // the container puts vertex programs first
}

}  // namespace

TEST(ShaderContainer, programs_and_their_tables_come_back_as_written)
{
    const std::string bytes = shader_container_build(sample_programs());
    const void* file = bytes.data();
    const uint32_t size = uint32_t(bytes.size());
    EXPECT_EQ(GFDGetVertexShaderCount(file, size), 1u);
    EXPECT_EQ(GFDGetPixelShaderCount(file, size), 1u);
    EXPECT_EQ(GFDGetVertexShaderProgramSize(0, file, size), 13u);

    GX2VertexShader vertex;
    std::string program(13, '\0');
    ASSERT_TRUE(GFDGetVertexShader(&vertex, program.data(), 0, file, size));
    EXPECT_EQ(program, "vertex source");
    ASSERT_EQ(vertex.attributes.size(), 1u);
    EXPECT_EQ(vertex.attributes[0].name, "in_pos");
    ASSERT_EQ(vertex.uniforms.size(), 1u);
    EXPECT_EQ(vertex.uniforms[0].name, "scale");

    GX2PixelShader pixel;
    ASSERT_TRUE(GFDGetPixelShader(&pixel, nullptr, 0, file, size));
    EXPECT_EQ(pixel.source, "pixel source");
    ASSERT_EQ(pixel.samplers.size(), 1u);
    EXPECT_EQ(pixel.samplers[0].identifier(), "texture0");
    EXPECT_EQ(pixel.samplers[0].name, "texture");
    ASSERT_EQ(pixel.uniforms.size(), 1u);
    EXPECT_EQ(pixel.uniforms[0].location, 8u);
    EXPECT_EQ(pixel.uniforms[0].type, GX2_VAR_TYPE_VEC4);
    EXPECT_EQ(pixel.uniforms[0].identifier(), "fTintColor");

    EXPECT_FALSE(GFDGetPixelShader(&pixel, nullptr, 1, file, size));
}

TEST(ShaderContainer, every_truncation_and_a_bad_magic_are_refused)
{
    const std::string bytes = shader_container_build(sample_programs());
    std::vector<ShaderContainerProgram> programs;
    ASSERT_TRUE(shader_container_parse(bytes.data(), uint32_t(bytes.size()), programs));
    for (uint32_t size = 0; size < bytes.size(); ++size) {
        EXPECT_FALSE(shader_container_parse(bytes.data(), size, programs)) << size;
        GX2VertexShader vertex;
        EXPECT_FALSE(GFDGetVertexShader(&vertex, nullptr, 0, bytes.data(), size)) << size;
    }
    std::string bad = bytes;
    bad[0] = 'X';
    EXPECT_FALSE(shader_container_parse(bad.data(), uint32_t(bad.size()), programs));
    EXPECT_EQ(GFDGetVertexShaderCount(nullptr, 0), 0u);
}
