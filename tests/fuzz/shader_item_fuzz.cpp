// A shader item of the asset file: a size word, then a shader container.
#include "graphics/shader.h"
#include "graphics/testing.h"
#include "tests/fuzz/fuzz_support.h"
#include "tests/fuzz/harnesses.h"

int fuzz_shader_item(const uint8_t* data, size_t size)
{
    fuzz_graphics_setup();
    put_fuzz_item(data, size);
    // Without a display the programs are read but never compiled.
    texture_shader.initialize();
    shader_forget_all();
    return 0;
}
