#include "console/shader_container.h"

#include <cstring>

namespace {

void put_u8(std::string& out, uint8_t value)
{
    out.push_back(char(value));
}

void put_u16(std::string& out, uint16_t value)
{
    put_u8(out, uint8_t(value));
    put_u8(out, uint8_t(value >> 8));
}

void put_u32(std::string& out, uint32_t value)
{
    put_u16(out, uint16_t(value));
    put_u16(out, uint16_t(value >> 16));
}

// A bounds-checked little-endian reader.
struct Reader {
    const uint8_t* data;
    uint32_t size;
    uint32_t position = 0;
    bool ok = true;

    bool take(uint32_t n)
    {
        if (!ok || size - position < n)
            ok = false;
        return ok;
    }
    uint32_t u(int bytes)
    {
        if (!take(uint32_t(bytes)))
            return 0;
        uint32_t value = 0;
        for (int i = 0; i < bytes; ++i)
            value |= uint32_t(data[position + i]) << (8 * i);
        position += uint32_t(bytes);
        return value;
    }
    std::string text(uint32_t n)
    {
        if (!take(n))
            return {};
        std::string value(reinterpret_cast<const char*>(data + position), n);
        position += n;
        return value;
    }
};

bool read_program(Reader& in, ShaderContainerProgram& program)
{
    program.pixel = in.u(1) != 0;
    program.source = in.text(in.u(4));
    const uint32_t count = in.u(4);
    for (uint32_t i = 0; in.ok && i < count; ++i) {
        ShaderContainerVar variable;
        variable.table = ShaderVarTable(in.u(1));
        variable.type = GX2VarType(in.u(1));
        variable.name = in.text(in.u(2));
        variable.location = in.u(4);
        variable.glsl_name = in.text(in.u(2));
        if (variable.table > SHADER_TABLE_UNIFORM || variable.type > GX2_VAR_TYPE_VEC4)
            return false;
        program.variables.push_back(variable);
    }
    return in.ok;
}

// The index-th program of the kind, or null.
const ShaderContainerProgram* find(const std::vector<ShaderContainerProgram>& programs,
                                   bool pixel, uint32_t index)
{
    for (const ShaderContainerProgram& program : programs)
        if (program.pixel == pixel && index-- == 0)
            return &program;
    return nullptr;
}

// Every program of the container; none when it is damaged.
std::vector<ShaderContainerProgram> parse(const void* file, uint32_t size)
{
    std::vector<ShaderContainerProgram> programs;
    if (file)
        shader_container_parse(file, size, programs);
    return programs;
}

uint32_t count(const void* file, uint32_t size, bool pixel)
{
    uint32_t n = 0;
    for (const ShaderContainerProgram& program : parse(file, size))
        n += program.pixel == pixel;
    return n;
}

uint32_t program_size(const void* file, uint32_t size, bool pixel, uint32_t index)
{
    const std::vector<ShaderContainerProgram> programs = parse(file, size);
    const ShaderContainerProgram* program = find(programs, pixel, index);
    return program ? uint32_t(program->source.size()) : 0;
}

std::vector<GX2ShaderVar> table_of(const ShaderContainerProgram& program, ShaderVarTable table)
{
    std::vector<GX2ShaderVar> variables;
    for (const ShaderContainerVar& variable : program.variables)
        if (variable.table == table)
            variables.push_back({variable.name, variable.location, variable.type, variable.glsl_name});
    return variables;
}

const ShaderContainerProgram* fetch(const std::vector<ShaderContainerProgram>& programs, bool pixel,
                                    uint32_t index, void* program)
{
    const ShaderContainerProgram* found = find(programs, pixel, index);
    if (found && program)
        memcpy(program, found->source.data(), found->source.size());
    return found;
}

}  // namespace

std::string shader_container_build(const std::vector<ShaderContainerProgram>& programs)
{
    std::string out;
    put_u32(out, shader_container_magic);
    put_u32(out, shader_container_version);
    put_u32(out, uint32_t(programs.size()));
    for (const bool pixel : {false, true}) {
        for (const ShaderContainerProgram& program : programs) {
            if (program.pixel != pixel)
                continue;
            put_u8(out, pixel);
            put_u32(out, uint32_t(program.source.size()));
            out += program.source;
            put_u32(out, uint32_t(program.variables.size()));
            for (const ShaderContainerVar& variable : program.variables) {
                put_u8(out, variable.table);
                put_u8(out, uint8_t(variable.type));
                put_u16(out, uint16_t(variable.name.size()));
                out += variable.name;
                put_u32(out, variable.location);
                put_u16(out, uint16_t(variable.glsl_name.size()));
                out += variable.glsl_name;
            }
        }
    }
    return out;
}

bool shader_container_parse(const void* file, uint32_t size,
                            std::vector<ShaderContainerProgram>& programs)
{
    programs.clear();
    Reader in{static_cast<const uint8_t*>(file), size};
    if (in.u(4) != shader_container_magic || in.u(4) != shader_container_version)
        return false;
    const uint32_t total = in.u(4);
    for (uint32_t i = 0; in.ok && i < total; ++i) {
        ShaderContainerProgram program;
        if (!read_program(in, program))
            break;
        programs.push_back(std::move(program));
    }
    // A damaged container yields nothing, not the programs before the damage.
    if (!in.ok || programs.size() != total)
        programs.clear();
    return !programs.empty() || (in.ok && total == 0);
}

uint32_t GFDGetVertexShaderCount(const void* file, uint32_t size)
{
    return count(file, size, false);
}

uint32_t GFDGetPixelShaderCount(const void* file, uint32_t size)
{
    return count(file, size, true);
}

uint32_t GFDGetVertexShaderHeaderSize(uint32_t, const void*, uint32_t)
{
    return sizeof(GX2VertexShader);
}

uint32_t GFDGetPixelShaderHeaderSize(uint32_t, const void*, uint32_t)
{
    return sizeof(GX2PixelShader);
}

uint32_t GFDGetVertexShaderProgramSize(uint32_t index, const void* file, uint32_t size)
{
    return program_size(file, size, false, index);
}

uint32_t GFDGetPixelShaderProgramSize(uint32_t index, const void* file, uint32_t size)
{
    return program_size(file, size, true, index);
}

bool GFDGetVertexShader(GX2VertexShader* header, void* program, uint32_t index, const void* file,
                        uint32_t size)
{
    const std::vector<ShaderContainerProgram> programs = parse(file, size);
    const ShaderContainerProgram* found = fetch(programs, false, index, program);
    if (!found)
        return false;
    header->source = found->source;
    header->attributes = table_of(*found, SHADER_TABLE_ATTRIBUTE);
    header->uniforms = table_of(*found, SHADER_TABLE_UNIFORM);
    return true;
}

bool GFDGetPixelShader(GX2PixelShader* header, void* program, uint32_t index, const void* file,
                       uint32_t size)
{
    const std::vector<ShaderContainerProgram> programs = parse(file, size);
    const ShaderContainerProgram* found = fetch(programs, true, index, program);
    if (!found)
        return false;
    header->source = found->source;
    header->samplers = table_of(*found, SHADER_TABLE_SAMPLER);
    header->uniforms = table_of(*found, SHADER_TABLE_UNIFORM);
    return true;
}
