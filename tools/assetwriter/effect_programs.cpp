#include "tools/assetwriter/effect_programs.h"

#include "tools/assetwriter/shader_items.h"

#include <cstring>

namespace {

constexpr int background_flag = 1;
constexpr int texture_size_flag = 2;

// A uniform as the class looks it up: 'f' float, 'i' int, 'c' colour (vec4).
struct Uniform {
    const char* name;
    char type;
};

// One effect program. In the body, `c` is the drawn texel times the vertex
// colour and source_at(uv) samples the texture the same way; texel() is one
// texel of the texture.
struct EffectSource {
    int asset_id;
    int flags;
    const char* pattern;  // the extra sampler's name, or null
    std::vector<Uniform> uniforms;
    const char* functions;
    const char* body;
};

const std::vector<EffectSource>& effect_sources()
{
    static const std::vector<EffectSource> table = {
        // Subtract: premultiplied, so that the scaled subtract leaves
        // transparent texels alone.
        {27, 0, nullptr, {}, "", "frag_color = vec4(c.rgb * c.a, c.a);"},
        {5, 0, nullptr, {}, "",
         "float grey = dot(c.rgb, vec3(0.299, 0.587, 0.114));\n"
         "frag_color = vec4(vec3(grey), c.a);"},
        // Mixer: each source channel adds its colour.
        {28, 0, nullptr, {{"r", 'c'}, {"g", 'c'}, {"b", 'c'}}, "",
         "frag_color = vec4(c.r * u_r.rgb + c.g * u_g.rgb + c.b * u_b.rgb, c.a);"},
        // Hue: turns the colour about the grey axis by fHue degrees.
        {20, 0, nullptr, {{"fHue", 'f'}}, "",
         "float turn = radians(u_fHue);\n"
         "float luma = dot(c.rgb, vec3(0.299, 0.587, 0.114));\n"
         "float i0 = dot(c.rgb, vec3(0.596, -0.274, -0.322));\n"
         "float q0 = dot(c.rgb, vec3(0.211, -0.523, 0.312));\n"
         "float i1 = i0 * cos(turn) - q0 * sin(turn);\n"
         "float q1 = i0 * sin(turn) + q0 * cos(turn);\n"
         "vec3 rgb = vec3(luma + 0.956 * i1 + 0.621 * q1, luma - 0.272 * i1 - 0.647 * q1,\n"
         "                luma - 1.106 * i1 + 1.703 * q1);\n"
         "frag_color = vec4(clamp(rgb, 0.0, 1.0), c.a);"},
        // Offset: the texture's red and green push the background aside by
        // up to width and height pixels.
        {25, background_flag | texture_size_flag, nullptr, {{"width", 'f'}, {"height", 'f'}}, "",
         "vec2 shift = (c.rg - 0.5) * vec2(u_width, u_height) * texture_size;\n"
         "frag_color = vec4(texture(background0, background_coord + shift).rgb, c.a);"},
        {12, 0, nullptr, {}, "", "frag_color = vec4(1.0 - c.rgb, c.a);"},
        // Dodge blur: the background blurred along one axis, dodged by the texture.
        {10, background_flag | texture_size_flag, nullptr, {{"vertical", 'i'}, {"radius", 'f'}}, "",
         "vec2 axis = u_vertical != 0 ? vec2(0.0, 1.0) : vec2(1.0, 0.0);\n"
         "vec2 reach = axis * texture_size * u_radius;\n"
         "vec3 sum = vec3(0.0);\n"
         "for (int k = -4; k <= 4; ++k)\n"
         "    sum += texture(background0, background_coord + reach * float(k) / 4.0).rgb;\n"
         "frag_color = vec4(min(sum / 9.0 / max(1.0 - c.rgb, vec3(0.001)), 1.0), c.a);"},
        // Grain: noise of fStrength on the chosen channels, seeded by fSeed.
        {30, 0, nullptr,
         {{"fStrength", 'f'}, {"fSeed", 'f'}, {"iInvert", 'i'}, {"iR", 'i'}, {"iG", 'i'},
          {"iB", 'i'}, {"iA", 'i'}},
         "",
         "float noise = fract(sin(dot(gl_FragCoord.xy + u_fSeed, vec2(12.9898, 78.233))) * 43758.5453);\n"
         "if (u_iInvert != 0)\n"
         "    noise = 1.0 - noise;\n"
         "vec4 channels = vec4(float(u_iR), float(u_iG), float(u_iB), float(u_iA));\n"
         "frag_color = clamp(c + channels * (noise - 0.5) * u_fStrength, 0.0, 1.0);"},
        {26, background_flag, nullptr, {}, "",
         "frag_color = vec4(c.rgb * texture(background0, background_coord).rgb, c.a);"},
        {2, background_flag, nullptr, {}, "",
         "vec3 under = texture(background0, background_coord).rgb;\n"
         "vec3 low = 2.0 * c.rgb * under;\n"
         "vec3 high = 1.0 - 2.0 * (1.0 - c.rgb) * (1.0 - under);\n"
         "frag_color = vec4(mix(low, high, step(0.5, c.rgb)), c.a);"},
        {9, 0, nullptr, {{"fTintColor", 'c'}, {"fTintPower", 'f'}, {"fOriginalPower", 'f'}}, "",
         "frag_color = vec4(c.rgb * u_fOriginalPower + u_fTintColor.rgb * u_fTintPower, c.a);"},
        // Channel blur: a box blur of fCoeff texels on the chosen channels.
        {23, 0, nullptr,
         {{"fCoeff", 'f'}, {"iR", 'i'}, {"iG", 'i'}, {"iB", 'i'}, {"iA", 'i'}}, "",
         "vec2 reach = texel() * u_fCoeff / 2.0;\n"
         "vec4 sum = vec4(0.0);\n"
         "for (int k = -2; k <= 2; ++k)\n"
         "    for (int m = -2; m <= 2; ++m)\n"
         "        sum += source_at(tex_coord + vec2(k, m) * reach);\n"
         "vec4 chosen = vec4(bvec4(u_iR != 0, u_iG != 0, u_iB != 0, u_iA != 0));\n"
         "frag_color = mix(c, sum / 25.0, chosen);"},
        // Background bloom: the background's bright parts, spread and added.
        {1, background_flag | texture_size_flag, nullptr,
         {{"coeff", 'f'}, {"radius", 'f'}, {"exponent", 'f'}}, "",
         "vec3 sum = vec3(0.0);\n"
         "for (int k = -2; k <= 2; ++k)\n"
         "    for (int m = -2; m <= 2; ++m) {\n"
         "        vec3 seen = texture(background0, background_coord + vec2(k, m) * texture_size * u_radius / 2.0).rgb;\n"
         "        sum += pow(seen, vec3(max(u_exponent, 0.001)));\n"
         "    }\n"
         "frag_color = vec4(min(c.rgb + sum / 25.0 * u_coeff, 1.0), c.a);"},
        // Underwater: sine waves across both axes, softened by fBlur texels.
        {8, 0, nullptr,
         {{"fBlur", 'f'}, {"fAmplitudeX", 'f'}, {"fPeriodsX", 'f'}, {"fFreqX", 'f'},
          {"fAmplitudeY", 'f'}, {"fPeriodsY", 'f'}, {"fFreqY", 'f'}},
         "",
         "vec2 uv = tex_coord;\n"
         "uv.x += u_fAmplitudeX * sin(6.2831853 * (tex_coord.y * u_fPeriodsX + u_fFreqX));\n"
         "uv.y += u_fAmplitudeY * sin(6.2831853 * (tex_coord.x * u_fPeriodsY + u_fFreqY));\n"
         "vec2 spread = texel() * u_fBlur;\n"
         "frag_color = (2.0 * source_at(uv) + source_at(uv + spread) + source_at(uv - spread)) / 4.0;"},
        // Rotate: turns the texture by fA degrees about (fX, fY), scaled by
        // (fSx, fSy); what falls outside is transparent.
        {22, 0, nullptr, {{"fA", 'f'}, {"fX", 'f'}, {"fY", 'f'}, {"fSx", 'f'}, {"fSy", 'f'}}, "",
         "float turn = radians(u_fA);\n"
         "vec2 centre = vec2(u_fX, u_fY);\n"
         "vec2 scale = vec2(u_fSx == 0.0 ? 1.0 : u_fSx, u_fSy == 0.0 ? 1.0 : u_fSy);\n"
         "mat2 rotation = mat2(cos(turn), -sin(turn), sin(turn), cos(turn));\n"
         "vec2 uv = centre + rotation * (tex_coord - centre) / scale;\n"
         "bool inside = all(greaterThanEqual(uv, vec2(0.0))) && all(lessThanEqual(uv, vec2(1.0)));\n"
         "frag_color = inside ? source_at(uv) : vec4(0.0);"},
        {13, 0, nullptr, {{"fC", 'c'}, {"fFade", 'f'}}, "",
         "frag_color = vec4(mix(c.rgb, u_fC.rgb, clamp(u_fFade, 0.0, 1.0)), c.a);"},
        // Offset, stationary: the texture scrolled by (xoff, yoff) pixels, wrapping.
        {17, 0, nullptr, {{"width", 'f'}, {"height", 'f'}, {"xoff", 'f'}, {"yoff", 'f'}}, "",
         "vec2 size = max(vec2(u_width, u_height), vec2(1.0));\n"
         "frag_color = source_at(fract(tex_coord + vec2(u_xoff, u_yoff) / size));"},
        // Pattern overlay: a tiled pattern of width x height pixels over the texture.
        {15, texture_size_flag, "pattern",
         {{"x", 'f'}, {"y", 'f'}, {"width", 'f'}, {"height", 'f'}, {"alpha", 'f'}}, "",
         "vec2 pixel = tex_coord / max(texture_size, vec2(0.000001));\n"
         "vec2 size = max(vec2(u_width, u_height), vec2(1.0));\n"
         "vec4 pattern = texture(pattern0, fract((pixel + vec2(u_x, u_y)) / size));\n"
         "frag_color = vec4(mix(c.rgb, pattern.rgb, pattern.a * u_alpha), c.a);"},
        // Sub-pixel shift; with limit the shift stays within one pixel.
        {31, texture_size_flag, nullptr, {{"x", 'f'}, {"y", 'f'}, {"limit", 'i'}}, "",
         "vec2 shift = vec2(u_x, u_y);\n"
         "if (u_limit != 0)\n"
         "    shift = clamp(shift, -1.0, 1.0);\n"
         "frag_color = source_at(tex_coord - shift * texture_size);"},
        {16, 0, nullptr,
         {{"fX", 'f'}, {"fY", 'f'}, {"fWidth", 'f'}, {"fHeight", 'f'}, {"fZoomX", 'f'},
          {"fZoomY", 'f'}},
         "",
         "vec2 zoom = max(vec2(u_fZoomX, u_fZoomY), vec2(0.0001));\n"
         "vec2 size = max(vec2(u_fWidth, u_fHeight), vec2(1.0));\n"
         "frag_color = source_at((tex_coord - 0.5) / zoom + 0.5 + vec2(u_fX, u_fY) / size);"},
        // Gradient: from colour A to colour B along one axis (iT horizontal,
        // iF flipped, iR repeating, iMask keeping the texture's shape).
        {11, 0, nullptr,
         {{"fArgb", 'c'}, {"fAa", 'f'}, {"fBrgb", 'c'}, {"fBa", 'f'}, {"fCoeff", 'f'},
          {"fOffset", 'f'}, {"fFade", 'f'}, {"iT", 'i'}, {"iF", 'i'}, {"iR", 'i'}, {"iMask", 'i'}},
         "",
         "float along = u_iT != 0 ? tex_coord.x : tex_coord.y;\n"
         "if (u_iF != 0)\n"
         "    along = 1.0 - along;\n"
         "along = along * (u_fCoeff == 0.0 ? 1.0 : u_fCoeff) + u_fOffset;\n"
         "along = u_iR != 0 ? fract(along) : clamp(along, 0.0, 1.0);\n"
         "vec4 shade = mix(vec4(u_fArgb.rgb, u_fAa), vec4(u_fBrgb.rgb, u_fBa), along);\n"
         "if (u_iMask != 0)\n"
         "    shade.a *= c.a;\n"
         "frag_color = mix(c, shade, clamp(u_fFade, 0.0, 1.0));"},
        {29, background_flag, nullptr, {{"bgA", 'f'}}, "",
         "vec3 under = texture(background0, background_coord).rgb;\n"
         "vec3 over = mix(2.0 * under * c.rgb, 1.0 - 2.0 * (1.0 - under) * (1.0 - c.rgb),\n"
         "                step(0.5, under));\n"
         "frag_color = vec4(mix(c.rgb, over, u_bgA), c.a);"},
        // Lens: the background magnified about the centre, more towards the rim.
        {24, background_flag, nullptr, {{"fCoeff", 'f'}, {"fBase", 'f'}}, "",
         "vec2 from_centre = tex_coord - 0.5;\n"
         "float bend = u_fBase + u_fCoeff * dot(from_centre, from_centre);\n"
         "frag_color = vec4(texture(background0, background_coord + from_centre * bend).rgb, c.a);"},
        // Coloured directional blur: the background blurred along fAngle over
        // fCoeff pixels, then mixed through the 3 x 3 colour matrix.
        {4, background_flag, nullptr,
         {{"rr", 'f'}, {"rg", 'f'}, {"rb", 'f'}, {"gr", 'f'}, {"gg", 'f'}, {"gb", 'f'},
          {"br", 'f'}, {"bg", 'f'}, {"bb", 'f'}, {"fAngle", 'f'}, {"fCoeff", 'f'}},
         "",
         "float turn = radians(u_fAngle);\n"
         "vec2 reach = vec2(cos(turn), sin(turn)) * u_fCoeff / vec2(textureSize(background0, 0));\n"
         "vec3 sum = vec3(0.0);\n"
         "for (int k = 0; k < 8; ++k)\n"
         "    sum += texture(background0, background_coord + reach * float(k) / 8.0).rgb;\n"
         "mat3 colours = transpose(mat3(u_rr, u_rg, u_rb, u_gr, u_gg, u_gb, u_br, u_bg, u_bb));\n"
         "frag_color = vec4(clamp(colours * (sum / 8.0), 0.0, 1.0), c.a);"},
        // Perspective: rows (or columns) narrow with depth; sine_waves ripples them.
        {3, texture_size_flag, nullptr,
         {{"effect", 'i'}, {"direction", 'i'}, {"zoom", 'f'}, {"offset", 'f'}, {"sine_waves", 'i'}},
         "",
         "vec2 uv = tex_coord;\n"
         "bool across = u_direction != 0;\n"
         "float depth = across ? uv.x : uv.y;\n"
         "if (u_effect != 0)\n"
         "    depth = 1.0 - depth;\n"
         "float scale = 1.0 + u_zoom * depth;\n"
         "if (u_sine_waves != 0)\n"
         "    scale += 0.05 * sin(depth * 6.2831853 * float(u_sine_waves));\n"
         "if (across)\n"
         "    uv.y = (uv.y - 0.5) / scale + 0.5 + u_offset * texture_size.y;\n"
         "else\n"
         "    uv.x = (uv.x - 0.5) / scale + 0.5 + u_offset * texture_size.x;\n"
         "frag_color = source_at(uv);"},
        // Nine-patch: the corners keep their size while the middle stretches
        // by (xScale, yScale); a gradient from A to B tints it downwards.
        {0, texture_size_flag, nullptr,
         {{"xScale", 'f'}, {"yScale", 'f'}, {"fArgb", 'c'}, {"fAa", 'f'}, {"fBrgb", 'c'},
          {"fBa", 'f'}, {"fOffset", 'f'}},
         "float nine_slice(float t, float stretch)\n"
         "{\n"
         "    float p = t * stretch;\n"
         "    if (p < 1.0 / 3.0)\n"
         "        return p;\n"
         "    if (p > stretch - 1.0 / 3.0)\n"
         "        return 1.0 - (stretch - p);\n"
         "    return 1.0 / 3.0 + (p - 1.0 / 3.0) / max(stretch - 2.0 / 3.0, 0.0001) / 3.0;\n"
         "}\n",
         "vec2 stretch = max(vec2(u_xScale, u_yScale), vec2(1.0));\n"
         "vec4 s = source_at(vec2(nine_slice(tex_coord.x, stretch.x), nine_slice(tex_coord.y, stretch.y)));\n"
         "vec4 shade = mix(vec4(u_fArgb.rgb, u_fAa), vec4(u_fBrgb.rgb, u_fBa),\n"
         "                 clamp(tex_coord.y + u_fOffset, 0.0, 1.0));\n"
         "frag_color = vec4(mix(s.rgb, shade.rgb, shade.a), s.a);"},
        // Outline: transparent texels next to an opaque one take the colour.
        {21, texture_size_flag, nullptr, {{"color", 'c'}}, "",
         "vec2 one = texture_size;\n"
         "float near = max(max(source_at(tex_coord + vec2(one.x, 0.0)).a,\n"
         "                     source_at(tex_coord - vec2(one.x, 0.0)).a),\n"
         "                 max(source_at(tex_coord + vec2(0.0, one.y)).a,\n"
         "                     source_at(tex_coord - vec2(0.0, one.y)).a));\n"
         "frag_color = c.a > 0.0 ? c : vec4(u_color.rgb, u_color.a * near);"},
        {6, background_flag, nullptr, {{"Brightness", 'f'}, {"Saturation", 'f'}}, "",
         "vec3 under = texture(background0, background_coord).rgb + u_Brightness;\n"
         "float grey = dot(under, vec3(0.299, 0.587, 0.114));\n"
         "frag_color = vec4(clamp(mix(vec3(grey), under, u_Saturation), 0.0, 1.0), c.a);"},
        // Background blur over (fX, fY) pixels, shown at opacity fA.
        {19, background_flag | texture_size_flag, nullptr, {{"fX", 'f'}, {"fY", 'f'}, {"fA", 'f'}}, "",
         "vec2 reach = vec2(u_fX, u_fY) * texture_size / 2.0;\n"
         "vec3 sum = vec3(0.0);\n"
         "for (int k = -2; k <= 2; ++k)\n"
         "    for (int m = -2; m <= 2; ++m)\n"
         "        sum += texture(background0, background_coord + vec2(k, m) * reach).rgb;\n"
         "frag_color = vec4(sum / 25.0, c.a * u_fA);"},
        // Pixel scale: blocks of (x_scale, y_scale) texels of an x_size x
        // y_size source (the texture's own size when unset) show their centre.
        {18, 0, nullptr, {{"x_scale", 'f'}, {"y_scale", 'f'}, {"x_size", 'f'}, {"y_size", 'f'}}, "",
         "vec2 size = u_x_size > 0.0 && u_y_size > 0.0 ? vec2(u_x_size, u_y_size)\n"
         "                                             : vec2(textureSize(texture0, 0));\n"
         "vec2 block = max(vec2(u_x_scale, u_y_scale), vec2(1.0));\n"
         "frag_color = source_at((floor(tex_coord * size / block) + 0.5) * block / size);"},
    };
    return table;
}

const char* glsl_type(char type)
{
    return type == 'c' ? "vec4" : type == 'i' ? "int" : "float";
}

GX2VarType var_type(char type)
{
    return type == 'c' ? GX2_VAR_TYPE_VEC4 : type == 'i' ? GX2_VAR_TYPE_INT : GX2_VAR_TYPE_FLOAT;
}

// Uniforms are declared with a prefix: names such as "offset" or "color"
// must never meet a word of GLSL.
ShaderContainerProgram pixel_program(const EffectSource& effect)
{
    ShaderContainerProgram pixel;
    pixel.pixel = true;
    const bool background = effect.flags & background_flag;
    std::string& s = pixel.source;
    s = "#version 330 core\nuniform sampler2D texture0;\n";
    pixel.variables.push_back({SHADER_TABLE_SAMPLER, GX2_VAR_TYPE_INT, "texture", 0, "texture0"});
    if (background) {
        s += "uniform sampler2D background0;\nin vec2 background_coord;\n";
        pixel.variables.push_back(
            {SHADER_TABLE_SAMPLER, GX2_VAR_TYPE_INT, "background_texture", 1, "background0"});
    }
    if (effect.pattern) {
        s += "uniform sampler2D pattern0;\n";
        pixel.variables.push_back({SHADER_TABLE_SAMPLER, GX2_VAR_TYPE_INT, effect.pattern, 2, "pattern0"});
    }
    uint32_t offset = 0;
    if (effect.flags & texture_size_flag) {
        s += "uniform vec2 texture_size;\n";
        pixel.variables.push_back({SHADER_TABLE_UNIFORM, GX2_VAR_TYPE_VEC2, "texture_size", offset++, ""});
    }
    for (const Uniform& uniform : effect.uniforms) {
        const std::string identifier = std::string("u_") + uniform.name;
        s += std::string("uniform ") + glsl_type(uniform.type) + " " + identifier + ";\n";
        pixel.variables.push_back(
            {SHADER_TABLE_UNIFORM, var_type(uniform.type), uniform.name, offset++, identifier});
    }
    s += "in vec4 blend_color;\n"
         "in vec2 tex_coord;\n"
         "out vec4 frag_color;\n"
         "vec4 source_at(vec2 uv)\n{\n    return texture(texture0, uv) * blend_color;\n}\n"
         "vec2 texel()\n{\n    return 1.0 / vec2(textureSize(texture0, 0));\n}\n";
    s += effect.functions;
    s += "void main()\n{\n    vec4 c = source_at(tex_coord);\n";
    const char* line = effect.body;
    while (*line) {
        const char* end = strchr(line, '\n');
        const size_t length = end ? size_t(end - line) : strlen(line);
        s += "    " + std::string(line, length) + "\n";
        line += length + (end ? 1 : 0);
    }
    s += "}\n";
    return pixel;
}

const char* const font_pixel_source = R"(#version 330 core
uniform sampler2D texture0;
in vec4 blend_color;
in vec2 tex_coord;
out vec4 frag_color;
void main()
{
    frag_color = vec4(blend_color.rgb, blend_color.a * texture(texture0, tex_coord).a);
}
)";

}  // namespace

std::vector<ShaderContainerProgram> font_programs()
{
    ShaderContainerProgram pixel;
    pixel.pixel = true;
    pixel.source = font_pixel_source;
    pixel.variables = {{SHADER_TABLE_SAMPLER, GX2_VAR_TYPE_INT, "texture", 0, "texture0"}};
    return {quad_vertex_program(false), pixel};
}

std::vector<ShaderContainerProgram> effect_programs(int asset_id)
{
    if (asset_id == texture_shader_id)
        return texture_programs();
    if (asset_id == font_shader_id)
        return font_programs();
    for (const EffectSource& effect : effect_sources())
        if (effect.asset_id == asset_id)
            return {quad_vertex_program(effect.flags & background_flag), pixel_program(effect)};
    return {};
}

std::vector<std::pair<int, std::string>> every_shader_item()
{
    std::vector<std::pair<int, std::string>> items;
    for (int id = 0; id < 32; ++id)
        items.emplace_back(id, shader_item(effect_programs(id)));
    return items;
}
