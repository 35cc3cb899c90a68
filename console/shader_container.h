// Our shader container: per program its GLSL source and the variable tables
// that the name lookups search (docs/shader-container.md gives the layout).
// The getters follow the console's container reader, with the container's
// size passed along so that a short or damaged container is refused.
#pragma once

#include "console/gpu.h"

#include <cstdint>
#include <string>
#include <vector>

constexpr uint32_t shader_container_magic = 0x43485351;  // "QSHC"
constexpr uint32_t shader_container_version = 1;

enum ShaderVarTable : uint8_t {
    SHADER_TABLE_ATTRIBUTE = 0,
    SHADER_TABLE_SAMPLER = 1,
    SHADER_TABLE_UNIFORM = 2,
};

struct ShaderContainerVar {
    ShaderVarTable table = SHADER_TABLE_UNIFORM;
    GX2VarType type = GX2_VAR_TYPE_FLOAT;
    std::string name;
    uint32_t location = 0;  // location (attributes, samplers) or offset (uniforms)
    std::string glsl_name;  // the GLSL identifier when it differs from `name`
};

struct ShaderContainerProgram {
    bool pixel = false;
    std::string source;
    std::vector<ShaderContainerVar> variables;
};

// Writes the container of the programs (vertex programs first, then pixel).
std::string shader_container_build(const std::vector<ShaderContainerProgram>& programs);
// Reads every program; false when the bytes are not a whole container.
bool shader_container_parse(const void* file, uint32_t size,
                            std::vector<ShaderContainerProgram>& programs);

uint32_t GFDGetVertexShaderCount(const void* file, uint32_t size);
uint32_t GFDGetPixelShaderCount(const void* file, uint32_t size);
uint32_t GFDGetVertexShaderHeaderSize(uint32_t index, const void* file, uint32_t size);
uint32_t GFDGetPixelShaderHeaderSize(uint32_t index, const void* file, uint32_t size);
// The byte size of the program's GLSL source (0 when it is missing).
uint32_t GFDGetVertexShaderProgramSize(uint32_t index, const void* file, uint32_t size);
uint32_t GFDGetPixelShaderProgramSize(uint32_t index, const void* file, uint32_t size);
// Fills the header (source and tables) and copies the source into `program`;
// false when the container holds no such program.
bool GFDGetVertexShader(GX2VertexShader* header, void* program, uint32_t index, const void* file,
                        uint32_t size);
bool GFDGetPixelShader(GX2PixelShader* header, void* program, uint32_t index, const void* file,
                       uint32_t size);
