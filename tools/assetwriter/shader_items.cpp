#include "tools/assetwriter/shader_items.h"

#include "tools/assetwriter/asset_writer.h"
#include "tools/assetwriter/effect_programs.h"

namespace {

// The console stores pictures top row first: vertex programs write y negated.
std::string quad_vertex_source(bool background)
{
    std::string source = "#version 330 core\n"
                         "in vec2 in_pos;\n"
                         "in vec4 in_blend_color;\n"
                         "in vec2 in_tex_coord1;\n";
    if (background)
        source += "in vec2 in_tex_coord2;\nout vec2 background_coord;\n";
    source += "out vec4 blend_color;\n"
              "out vec2 tex_coord;\n"
              "void main()\n"
              "{\n"
              "    blend_color = in_blend_color;\n"
              "    tex_coord = in_tex_coord1;\n";
    if (background)
        source += "    background_coord = in_tex_coord2;\n";
    source += "    gl_Position = vec4(in_pos.x, -in_pos.y, 0.0, 1.0);\n}\n";
    return source;
}

const char* const texture_pixel_source = R"(#version 330 core
uniform sampler2D texture0;
in vec4 blend_color;
in vec2 tex_coord;
out vec4 frag_color;
void main()
{
    frag_color = texture(texture0, tex_coord) * blend_color;
}
)";

}  // namespace

std::string shader_item(const std::vector<ShaderContainerProgram>& programs)
{
    const std::string container = shader_container_build(programs);
    std::string out;
    put_u32(out, uint32_t(container.size()));
    return out + container;
}

ShaderContainerProgram quad_vertex_program(bool background)
{
    ShaderContainerProgram vertex;
    vertex.pixel = false;
    vertex.source = quad_vertex_source(background);
    vertex.variables = {
        {SHADER_TABLE_ATTRIBUTE, GX2_VAR_TYPE_VEC2, "in_pos", 0, ""},
        {SHADER_TABLE_ATTRIBUTE, GX2_VAR_TYPE_VEC4, "in_blend_color", 1, ""},
        {SHADER_TABLE_ATTRIBUTE, GX2_VAR_TYPE_VEC2, "in_tex_coord1", 2, ""},
    };
    if (background)
        vertex.variables.push_back({SHADER_TABLE_ATTRIBUTE, GX2_VAR_TYPE_VEC2, "in_tex_coord2", 3, ""});
    return vertex;
}

std::vector<ShaderContainerProgram> texture_programs()
{
    ShaderContainerProgram pixel;
    pixel.pixel = true;
    pixel.source = texture_pixel_source;
    pixel.variables = {{SHADER_TABLE_SAMPLER, GX2_VAR_TYPE_INT, "texture", 0, "texture0"}};
    return {quad_vertex_program(false), pixel};
}

std::vector<std::pair<int, std::string>> demo_shader_items()
{
    return {{texture_shader_id, shader_item(texture_programs())},
            {font_shader_id, shader_item(font_programs())}};
}
