#include "graphics/shader.h"

#include "console/os.h"
#include "console/shader_container.h"
#include "runtime/assetfile.h"
#include "runtime/frameobject.h"
#include "runtime/stream.h"

#include <array>
#include <cstring>
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

// The byte values of the parameter-name hash: letters in either case, underscore.
constexpr std::array<uint8_t, 256> make_hash_table()
{
    std::array<uint8_t, 256> table{};
    for (uint8_t& value : table)
        value = 183;
    const struct {
        const char* letters;
        uint8_t value;
    } groups[] = {{"KLMRV", 0}, {"BDPWZ", 5},  {"EFN", 10}, {"T", 15}, {"G", 20},
                  {"A", 30},    {"Y", 35},     {"X", 40},   {"CS", 50}, {"I", 55},
                  {"H", 75},    {"O", 80}};
    for (const auto& group : groups)
        for (const char* c = group.letters; *c; ++c) {
            table[uint8_t(*c)] = group.value;
            table[uint8_t(*c - 'A' + 'a')] = group.value;
        }
    table['_'] = 90;
    return table;
}

constexpr std::array<uint8_t, 256> hash_table = make_hash_table();

double parameter_value(FrameObject* object, int hash)
{
    const ShaderParameter* parameter =
        object && object->shader_parameters ? object->find_shader_parameter(uint32_t(hash)) : nullptr;
    return parameter ? parameter->value : 0.0;
}

// Truncation toward zero that saturates instead of overflowing.
int32_t truncate_int(double value)
{
    if (!(value == value))
        return 0;
    if (value >= 2147483647.0)
        return INT32_MAX;
    if (value <= -2147483648.0)
        return INT32_MIN;
    return int32_t(value);
}

}  // namespace

BaseShader* current_shader = nullptr;
int blend_mode = 0;

#define QUORVELLA_DEFINE_SHADER(object, Class, id, flags, param) Class object;
QUORVELLA_SHADER_TABLE(QUORVELLA_DEFINE_SHADER)
#undef QUORVELLA_DEFINE_SHADER

BaseShader::BaseShader(unsigned int asset_id, int flags, const char* texture_param)
    : asset_id(asset_id), flags(flags), texture_param(texture_param)
{
}

bool BaseShader::load_programs()
{
    if (!shader_file.is_open())
        shader_file.open();
    shader_file.set_item(int(asset_id), AssetFile::SHADER_DATA);
    FileStream stream(shader_file);
    uint32_t size = 0;
    char size_bytes[4];
    if (stream.read(size_bytes, 4))
        memcpy(&size, size_bytes, 4);  // little-endian host
    std::vector<char> block(size);
    if (size && shader_file.read(block.data(), size) != size)
        block.clear();  // a short item is no container
    const uint32_t block_size = uint32_t(block.size());

    vertex_shader = new GX2VertexShader;
    if (!GFDGetVertexShader(vertex_shader, nullptr, 0, block.data(), block_size)) {
        OSReport("Invalid vertex program\n");
        return false;
    }
    pixel_shader = new GX2PixelShader;
    if (!GFDGetPixelShader(pixel_shader, nullptr, 0, block.data(), block_size)) {
        OSReport("Invalid pixel program\n");
        return false;
    }
    return GX2InitVertexShader(vertex_shader) && GX2InitPixelShader(pixel_shader);
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
    if (!load_programs()) {
        failed = true;
        release_programs();
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

void BaseShader::begin(FrameObject*, int width, int height)
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

void BaseShader::end(FrameObject*)
{
    current_shader = nullptr;
}

void BaseShader::set_float(FrameObject* object, int hash, int offset)
{
    const float values[4] = {float(parameter_value(object, hash)), 0.0f, 0.0f, 0.0f};
    GX2SetPixelUniformReg(uint32_t(offset), 4, values);
}

void BaseShader::set_int(FrameObject* object, int hash, int offset)
{
    const int32_t values[4] = {truncate_int(parameter_value(object, hash)), 0, 0, 0};
    GX2SetPixelUniformReg(uint32_t(offset), 4, values);
}

void BaseShader::set_vec4(FrameObject* object, int hash, int offset)
{
    float values[4];
    convert_vec4(truncate_int(parameter_value(object, hash)), values[0], values[1], values[2],
                 values[3]);
    GX2SetPixelUniformReg(uint32_t(offset), 4, values);
}

void BaseShader::set_image(FrameObject*, int) {}

void shader_set_texture()
{
    if (blend_mode == 1 || blend_mode == 2)
        GX2SetBlendControl(0, 4, 5, 0, true, 4, 5, 0);
    blend_mode = 0;
    texture_shader.begin(nullptr, 0, 0);
}

// Placeholder until the effects land: the draw keeps the current shader.
void shader_set_effect(int, FrameObject*, int, int) {}

void shader_reset_cache() {}

void convert_vec4(int packed, float& x, float& y, float& z, float& w)
{
    const uint32_t bits = uint32_t(packed);
    x = float(bits & 0xFF) / 255.0f;
    y = float((bits >> 8) & 0xFF) / 255.0f;
    z = float((bits >> 16) & 0xFF) / 255.0f;
    w = float((bits >> 24) & 0xFF) / 255.0f;
}

unsigned int hash_shader_parameter(const char* name, unsigned int length)
{
    const auto t = [name](unsigned int i) { return unsigned(hash_table[uint8_t(name[i])]); };
    if (length == 0)
        return 0;
    if (length == 1)
        return 1 + t(0) + t(0);
    if (length <= 5)
        return length + t(1) + t(0) + t(length - 1);
    return length + t(5) + t(1) + t(0) + t(length - 1);
}

void shader_forget_all()
{
    BaseShader* const all[] = {
#define QUORVELLA_LIST_SHADER(object, Class, id, flags, param) &object,
        QUORVELLA_SHADER_TABLE(QUORVELLA_LIST_SHADER)
#undef QUORVELLA_LIST_SHADER
    };
    for (BaseShader* shader : all) {
        shader->forget();
    }
    if (shader_file.is_open())
        shader_file.close();
    current_shader = nullptr;
    blend_mode = 0;
}
