#include "graphics/shader.h"

#include "base/assetfile.h"
#include "base/saturate.h"
#include "base/stream.h"
#include "console/os.h"
#include "console/procui.h"
#include "console/shader_container.h"
#include "graphics/testing.h"

#include <iterator>
#include <vector>

namespace {

// The unit's own handle on the asset file, opened on first use.
AssetFile shader_file;

const GX2ShaderVar* find_var(const std::vector<GX2ShaderVar>& table, const char* name)
{
    for (const GX2ShaderVar& variable : table)
        if (variable.name == name)
            return &variable;
    return nullptr;
}

uint32_t lookup(const std::vector<GX2ShaderVar>* table, const char* name, const char* what)
{
    const GX2ShaderVar* found = table ? find_var(*table, name) : nullptr;
    if (found && found->location != no_location)
        return found->location;
    OSReport("%s not found: %s\n", what, name);
    return no_location;
}

GX2AttribStream stream_of(uint32_t location, uint32_t buffer, GX2AttribFormat format,
                          uint32_t comp_sel)
{
    GX2AttribStream stream;
    stream.location = location;
    stream.buffer = buffer;
    stream.offset = 0;
    stream.format = format;
    stream.index_type = 0;
    stream.divisor = 0;
    stream.comp_sel = comp_sel;
    stream.endian_swap = 3;
    return stream;
}

double parameter_value(const ShaderParameters* parameters, int hash)
{
    const ShaderParameter* parameter = find_shader_parameter(parameters, uint32_t(hash));
    return parameter ? parameter->value : 0.0;
}

void stop_without_programs(int asset_id, const char* fault)
{
    if (AssetFile::item_offset(asset_id, AssetFile::SHADER_DATA) != 0)
        host_report("%s for the pictures in Assets.dat; the run stops\n", fault);
    else
        host_report("%s holds no picture programs; the run stops\n", AssetFile::host_name().c_str());
    procui_fail_run();
}

}  // namespace

const ShaderParameter* find_shader_parameter(const ShaderParameters* parameters, uint32_t hash)
{
    if (!parameters)
        return nullptr;
    for (const ShaderParameter& parameter : *parameters)
        if (parameter.hash == hash)
            return &parameter;
    return nullptr;
}

BaseShader* current_shader = nullptr;
int blend_mode = 0;

#define QUORVELLA_DEFINE_SHADER(object, Class, id, flags, param) Class object;
QUORVELLA_SHADER_TABLE(QUORVELLA_DEFINE_SHADER)
#undef QUORVELLA_DEFINE_SHADER

BaseShader::BaseShader(unsigned int asset_id, int flags, const char* texture_param)
    : asset_id(asset_id), flags(flags), texture_param(texture_param)
{
}

const char* BaseShader::load_programs()
{
    if (!shader_file.is_open())
        shader_file.open();
    shader_file.set_item(int(asset_id), AssetFile::SHADER_DATA);
    FileStream stream(shader_file);
    const uint32_t size = uint32_t(stream.read_int32());
    // Sized by what the file still holds before anything is allocated: a
    // damaged size word may claim gigabytes. A short item is no container.
    const bool whole = size <= shader_file.get_size() - shader_file.tell();
    std::vector<char> block(whole ? size : 0);
    if (!block.empty() && shader_file.read(block.data(), size) != size)
        block.clear();
    const uint32_t block_size = uint32_t(block.size());

    vertex_shader = new GX2VertexShader;
    if (!GFDGetVertexShader(vertex_shader, nullptr, 0, block.data(), block_size))
        return "Invalid vertex program";
    pixel_shader = new GX2PixelShader;
    if (!GFDGetPixelShader(pixel_shader, nullptr, 0, block.data(), block_size))
        return "Invalid pixel program";
    if (!GX2InitVertexShader(vertex_shader) || !GX2InitPixelShader(pixel_shader))
        return "Invalid shader programs";
    return nullptr;
}

void BaseShader::build_layout()
{
    const uint32_t pos = get_attribute("in_pos");
    const uint32_t color = get_attribute("in_blend_color");
    const uint32_t texcoord = get_attribute("in_tex_coord1");
    texture_location = get_sampler("texture");
    param_texture_location = texture_param ? get_sampler(texture_param) : no_location;
    streams[0] = stream_of(pos, 0, GX2_ATTRIB_FORMAT_FLOAT_32_32, 0x00010405);
    streams[1] = stream_of(color, 1, GX2_ATTRIB_FORMAT_UNORM_8_8_8_8, 0x00010203);
    streams[2] = stream_of(texcoord, 2, GX2_ATTRIB_FORMAT_FLOAT_32_32, 0x00010405);
    uint32_t count = 3;
    background_texture_location = no_location;
    if (flags & BACKGROUND_TEXTURE) {
        streams[3] = stream_of(get_attribute("in_tex_coord2"), 3, GX2_ATTRIB_FORMAT_FLOAT_32_32,
                               0x00010405);
        background_texture_location = get_sampler("background_texture");
        count = 4;
    }
    texture_size_offset = (flags & TEXTURE_SIZE) ? get_uniform("texture_size") : no_location;
    fetch_program = MEMAllocFromDefaultHeapEx(GX2CalcFetchShaderSizeEx(count, 0, 0), 256);
    GX2InitFetchShaderEx(&fetch_shader, fetch_program, count, streams, 0, 0);
}

void BaseShader::release_programs()
{
    gx2_release_programs(vertex_shader, pixel_shader);
    delete vertex_shader;
    delete pixel_shader;
    vertex_shader = nullptr;
    pixel_shader = nullptr;
}

void BaseShader::forget()
{
    release_programs();
    if (fetch_program)
        MEMFreeToDefaultHeap(fetch_program);
    fetch_program = nullptr;
    initialized = false;
    failed = false;
}

void BaseShader::initialize()
{
    // A failed load is final: retrying would read the item again on every draw.
    if (const char* fault = load_programs()) {
        failed = true;
        release_programs();
        // Every other program falls back to these; without them each
        // picture would be black to the end of the run, whether they are
        // damaged or missing (an empty file, or one made without them).
        if (this == &texture_shader)
            stop_without_programs(int(asset_id), fault);
        else
            OSReport("%s\n", fault);
        return;
    }
    build_layout();
    initialize_parameters();
    initialized = true;
    OSReport("Done loading shader\n");
}

uint32_t BaseShader::get_attribute(const char* name) const
{
    return lookup(vertex_shader ? &vertex_shader->attributes : nullptr, name, "Attribute");
}

uint32_t BaseShader::get_sampler(const char* name) const
{
    return lookup(pixel_shader ? &pixel_shader->samplers : nullptr, name, "Sampler");
}

uint32_t BaseShader::get_uniform(const char* name) const
{
    return lookup(pixel_shader ? &pixel_shader->uniforms : nullptr, name, "Uniform");
}

uint32_t BaseShader::get_vertex_uniform(const char* name) const
{
    return lookup(vertex_shader ? &vertex_shader->uniforms : nullptr, name, "Uniform");
}

void BaseShader::begin(const ShaderParameters*, int width, int height)
{
    if (!initialized && !failed)
        initialize();
    if (failed) {
        // Draw plainly rather than not at all.
        if (this != &texture_shader) {
            texture_shader.begin(nullptr, 0, 0);
            return;
        }
        GX2SetPixelShader(nullptr);
        current_shader = this;
        return;
    }
    GX2SetFetchShader(&fetch_shader);
    GX2SetVertexShader(vertex_shader);
    GX2SetPixelShader(pixel_shader);
    if (texture_size_offset != no_location) {
        const float values[4] = {1.0f / float(width), 1.0f / float(height), 0.0f, 0.0f};
        GX2SetPixelUniformReg(texture_size_offset, 4, values);
    }
    current_shader = this;
}

void BaseShader::end(const ShaderParameters*)
{
    current_shader = nullptr;
}

void BaseShader::set_float(const ShaderParameters* parameters, int hash, int offset)
{
    const float values[4] = {float(parameter_value(parameters, hash)), 0.0f, 0.0f, 0.0f};
    GX2SetPixelUniformReg(uint32_t(offset), 4, values);
}

void BaseShader::set_int(const ShaderParameters* parameters, int hash, int offset)
{
    const int32_t values[4] = {saturate_to_int(parameter_value(parameters, hash)), 0, 0, 0};
    GX2SetPixelUniformReg(uint32_t(offset), 4, values);
}

void BaseShader::set_vec4(const ShaderParameters* parameters, int hash, int offset)
{
    float values[4];
    convert_vec4(saturate_to_int(parameter_value(parameters, hash)), values[0], values[1], values[2],
                 values[3]);
    GX2SetPixelUniformReg(uint32_t(offset), 4, values);
}

void BaseShader::set_image(const ShaderParameters*, int) {}

namespace {

// The blend controls of the effects, with the blend mode each leaves.
struct BlendControl {
    uint32_t color_src, color_dst, color_combine, alpha_src, alpha_dst, alpha_combine;
    int mode;
};

constexpr BlendControl normal_blend = {4, 5, 0, 4, 5, 0, 0};
constexpr BlendControl additive_blend = {4, 1, 0, 4, 1, 0, 1};
constexpr BlendControl multiply_blend = {0, 2, 0, 0, 2, 0, 1};
constexpr BlendControl scaled_subtract_blend = {8, 1, 4, 8, 1, 0, 2};
constexpr BlendControl subtract_blend = {1, 1, 4, 1, 1, 0, 2};

void set_blend_control(const BlendControl& blend)
{
    GX2SetBlendControl(0, blend.color_src, blend.color_dst, blend.color_combine, true,
                       blend.alpha_src, blend.alpha_dst, blend.alpha_combine);
}

// An effect's own blending lasts only until the next selection.
void restore_normal_blend()
{
    if (blend_mode == 1 || blend_mode == 2)
        set_blend_control(normal_blend);
    blend_mode = 0;
}

struct Effect {
    BaseShader* shader;          // null: no effect
    void (*upload)(const ShaderParameters*);  // the effect's parameters, or null for none
    bool plain;                  // bound with no object and 0 x 0
    const BlendControl* blend;   // null: the normal blend control stays
};

// Effects 0-35 by number.
const Effect effects[] = {
    {nullptr, nullptr, false, nullptr},                                                // 0
    {&monochrome_shader, nullptr, false, nullptr},                                     // 1
    {&zoom_offset_shader, ZoomOffsetShader::set_parameters, false, nullptr},           // 2
    {&pixel_outline_shader, PixelOutlineShader::set_parameters, false, nullptr},       // 3
    {&col_dir_blur_shader, ColDirBlurShader::set_parameters, false, nullptr},          // 4
    {&channel_blur_shader, ChannelBlurShader::set_parameters, false, nullptr},         // 5
    {&channel_blur_shader, ChannelBlurShader::set_parameters, false, &additive_blend}, // 6
    {&rotate_sub_shader, RotateSubShader::set_parameters, false, nullptr},             // 7
    {&sub_px_shader, SubPxShader::set_parameters, false, nullptr},                     // 8
    {&simple_mask_shader, SimpleMaskShader::set_parameters, false, nullptr},           // 9
    {&multiply_shader, nullptr, false, nullptr},                                       // 10
    {&bright_sat_bg_shader, BrightSatBgShader::set_parameters, false, nullptr},        // 11
    {&nine_patch_shader, NinePatchShader::set_parameters, false, nullptr},             // 12
    {&hard_light_shader, nullptr, false, nullptr},                                     // 13
    {&underwater_shader, UnderwaterShader::set_parameters, false, nullptr},            // 14
    {&lens_shader, LensShader::set_parameters, false, nullptr},                        // 15
    {&subtract_shader, nullptr, false, &scaled_subtract_blend},                        // 16
    {&invert_shader, nullptr, false, nullptr},                                         // 17
    {&hue_shader, HueShader::set_parameters, false, nullptr},                          // 18
    {&tint_shader, TintShader::set_parameters, false, nullptr},                        // 19
    {&overlay_alpha_shader, OverlayAlphaShader::set_parameters, false, nullptr},       // 20
    {&grain_shader, GrainShader::set_parameters, false, nullptr},                      // 21
    {&gradient_shader, GradientShader::set_parameters, false, nullptr},                // 22
    {&offset_stationary_shader, OffsetStationaryShader::set_parameters, false, nullptr}, // 23
    {nullptr, nullptr, false, nullptr},                                                // 24
    {&bg_blur_shader, BgBlurShader::set_parameters, false, nullptr},                   // 25
    {&pattern_overlay_shader, PatternOverlayShader::set_parameters, false, nullptr},   // 26
    {&bg_bloom_shader, BgBloomShader::set_parameters, false, nullptr},                 // 27
    {&texture_shader, nullptr, true, &additive_blend},                                 // 28
    {&offset_shader, OffsetShader::set_parameters, false, nullptr},                    // 29
    {&mixer_shader, MixerShader::set_parameters, false, nullptr},                      // 30
    {&texture_shader, nullptr, true, &subtract_blend},                                 // 31
    {&texture_shader, nullptr, true, &multiply_blend},                                 // 32
    {&perspective_shader, PerspectiveShader::set_parameters, false, nullptr},          // 33
    {&pixel_scale_shader, nullptr, true, nullptr},                                     // 34
    {&font_shader, nullptr, true, nullptr},                                            // 35
};

}  // namespace

void shader_set_effect(int effect, const ShaderParameters* parameters, int width, int height)
{
    restore_normal_blend();
    if (unsigned(effect) >= std::size(effects) || !effects[effect].shader)
        return;
    const Effect& selected = effects[effect];
    if (selected.plain)
        selected.shader->begin(nullptr, 0, 0);
    else
        selected.shader->begin(parameters, width, height);
    if (selected.upload)
        selected.upload(parameters);
    if (selected.blend) {
        blend_mode = selected.blend->mode;
        set_blend_control(*selected.blend);
    }
}

void shader_set_texture()
{
    restore_normal_blend();
    texture_shader.begin(nullptr, 0, 0);
}

void shader_reset_cache() {}

void convert_vec4(int packed, float& x, float& y, float& z, float& w)
{
    const uint32_t bits = uint32_t(packed);
    x = float(bits & 0xFF) / 255.0f;
    y = float((bits >> 8) & 0xFF) / 255.0f;
    z = float((bits >> 16) & 0xFF) / 255.0f;
    w = float((bits >> 24) & 0xFF) / 255.0f;
}

void shader_forget_all()
{
    BaseShader* const all[] = {
#define QUORVELLA_LIST_SHADER(object, Class, id, flags, param) &object,
        QUORVELLA_SHADER_TABLE(QUORVELLA_LIST_SHADER)
#undef QUORVELLA_LIST_SHADER
    };
    for (BaseShader* shader : all)
        shader->forget();
    if (shader_file.is_open())
        shader_file.close();
    current_shader = nullptr;
    blend_mode = 0;
}
