// Our shader container, through the getters the shader loading calls.
#include "console/shader_container.h"
#include "tests/fuzz/harnesses.h"

#include <vector>

int fuzz_shader_container(const uint8_t* data, size_t size)
{
    const uint32_t length = uint32_t(size);
    GFDGetVertexShaderCount(data, length);
    GFDGetPixelShaderCount(data, length);
    for (uint32_t index = 0; index < 2; ++index) {
        // The program is copied into a buffer of the size the container gives.
        std::vector<char> program(GFDGetVertexShaderProgramSize(index, data, length));
        GX2VertexShader vertex;
        GFDGetVertexShader(&vertex, program.empty() ? nullptr : program.data(), index, data, length);
        program.resize(GFDGetPixelShaderProgramSize(index, data, length));
        GX2PixelShader pixel;
        GFDGetPixelShader(&pixel, program.empty() ? nullptr : program.data(), index, data, length);
    }
    return 0;
}
