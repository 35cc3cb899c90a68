#include "tools/assetwriter/shader_items.h"

#include "tools/assetwriter/asset_writer.h"
#include "tools/assetwriter/effect_programs.h"

namespace {

// The console stores pictures top row first: vertex programs write y negated.
const char* const texture_vertex_source = R"(#version 330 core
in vec2 in_pos;
in vec4 in_blend_color;
in vec2 in_tex_coord1;
out vec4 blend_color;
out vec2 tex_coord;
void main()
{
    blend_color = in_blend_color;
    tex_coord = in_tex_coord1;
    gl_Position = vec4(in_pos.x, -in_pos.y, 0.0, 1.0);
}
)";

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

constexpr int texture_shader_id = 14;
constexpr int font_shader_id = 7;

}  // namespace

std::string shader_item(const std::vector<ShaderContainerProgram>& programs)
{
    const std::string container = shader_container_build(programs);
    std::string out;
    put_u32(out, uint32_t(container.size()));
    return out + container;
}

std::vector<ShaderContainerProgram> texture_programs()
{
    ShaderContainerProgram vertex;
    vertex.pixel = false;
    vertex.source = texture_vertex_source;
    vertex.variables = {
        {SHADER_TABLE_ATTRIBUTE, GX2_VAR_TYPE_VEC2, "in_pos", 0, ""},
        {SHADER_TABLE_ATTRIBUTE, GX2_VAR_TYPE_VEC4, "in_blend_color", 1, ""},
        {SHADER_TABLE_ATTRIBUTE, GX2_VAR_TYPE_VEC2, "in_tex_coord1", 2, ""},
    };
    ShaderContainerProgram pixel;
    pixel.pixel = true;
    pixel.source = texture_pixel_source;
    pixel.variables = {{SHADER_TABLE_SAMPLER, GX2_VAR_TYPE_INT, "texture", 0, "texture0"}};
    return {vertex, pixel};
}

std::vector<std::pair<int, std::string>> demo_shader_items()
{
    return {{texture_shader_id, shader_item(texture_programs())},
            {font_shader_id, shader_item(font_programs())}};
}
