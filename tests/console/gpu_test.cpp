// The graphics library's draws on the offscreen context: a draw that binds
// every texture unit and attribute buffer it reads, put off until its
// picture is read.
#include "console/gpu.h"
#include "console/options.h"
#include "console/window.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

constexpr int textures = 8, buffers = 4;

const char* const vertex_source = R"(#version 330 core
in vec2 position;
in vec2 a1;
in vec2 a2;
in vec2 a3;
out float green;
void main()
{
    green = a1.x + a2.x + a3.x;
    gl_Position = vec4(position.x, -position.y, 0.0, 1.0);
}
)";

// Unit i adds 2^i to red when it holds its white texel.
const char* const pixel_source = R"(#version 330 core
uniform sampler2D t0, t1, t2, t3, t4, t5, t6, t7;
in float green;
out vec4 color;
void main()
{
    vec2 c = vec2(0.5);
    float bits = texture(t0, c).r + 2.0 * texture(t1, c).r + 4.0 * texture(t2, c).r +
                 8.0 * texture(t3, c).r + 16.0 * texture(t4, c).r + 32.0 * texture(t5, c).r +
                 64.0 * texture(t6, c).r + 128.0 * texture(t7, c).r;
    color = vec4(bits / 255.0, green, 0.0, 1.0);
}
)";

// Four vertices of one attribute (x, y), all of the whole picture or all `value`.
void upload(GX2RBuffer& buffer, float value, bool corners)
{
    const float quad[8] = {-1, -1, 1, -1, 1, 1, -1, 1};
    float* data = static_cast<float*>(GX2RLockBufferEx(&buffer, 0));
    for (int i = 0; i < 8; ++i)
        data[i] = corners ? quad[i] : value;
    gx2r_upload_range(&buffer, 0, sizeof quad, true);
}

}  // namespace

TEST(Gpu, a_draw_reads_every_unit_and_buffer_it_binds_even_when_its_making_is_put_off)
{
    // The windowed driver, as the window's tests open it, with its pictures
    // put off as headless.
    console_options().headless = false;
    ASSERT_TRUE(window_open());
    GX2Init();
    ASSERT_TRUE(gx2_is_open());
    gx2_set_pictures_put_off(true);

    GX2ColorBuffer target;
    GX2InitColorBuffer(&target, 4, 4);
    GX2ContextState state;
    GX2SetupContextStateEx(&state, false);
    GX2SetContextState(&state);
    GX2SetColorBuffer(&target, 0);
    GX2SetViewport(0, 0, 4, 4, 0, 1);
    GX2SetScissor(0, 0, 4, 4);
    GX2SetColorControl(0, 0, false, true);

    GX2VertexShader vertex;
    vertex.source = vertex_source;
    for (uint32_t i = 0; i < buffers; ++i)
        vertex.attributes.push_back({i == 0 ? std::string("position") : std::string("a").append(std::to_string(i)), i,
                                     GX2_VAR_TYPE_VEC2});
    GX2PixelShader pixel;
    pixel.source = pixel_source;
    for (uint32_t i = 0; i < textures; ++i)
        pixel.samplers.push_back({std::string("t").append(std::to_string(i)), i, GX2_VAR_TYPE_INT});
    ASSERT_TRUE(GX2InitVertexShader(&vertex));
    ASSERT_TRUE(GX2InitPixelShader(&pixel));
    GX2AttribStream streams[buffers];
    for (uint32_t i = 0; i < buffers; ++i) {
        streams[i].location = i;
        streams[i].buffer = i;
    }
    GX2FetchShader fetch;
    GX2InitFetchShaderEx(&fetch, nullptr, buffers, streams, 0, 0);
    GX2SetFetchShader(&fetch);
    GX2SetVertexShader(&vertex);
    GX2SetPixelShader(&pixel);

    GX2Texture texture[textures];
    GX2Sampler sampler;
    GX2InitSampler(&sampler, GX2_TEX_CLAMP_MODE_CLAMP, GX2_TEX_XY_FILTER_MODE_POINT);
    const uint8_t white[4] = {255, 255, 255, 255};
    for (uint32_t i = 0; i < textures; ++i) {
        texture[i].surface.width = texture[i].surface.height = 1;
        GX2CalcSurfaceSizeAndAlignment(&texture[i].surface);
        GX2InitTextureRegs(&texture[i]);
        ASSERT_TRUE(gx2_upload_texture_from(&texture[i], white, 1));
        GX2SetPixelTexture(&texture[i], i);
        GX2SetPixelSampler(&sampler, i);
    }

    GX2RBuffer indices;
    indices.flags = GX2R_RESOURCE_BIND_INDEX_BUFFER;
    indices.elem_size = 2;
    indices.elem_count = 6;
    ASSERT_TRUE(GX2RCreateBuffer(&indices));
    const uint16_t corners[6] = {0, 1, 2, 0, 2, 3};
    memcpy(GX2RLockBufferEx(&indices, 0), corners, sizeof corners);
    GX2RUnlockBufferEx(&indices, 0);  // made at once, with all put off before it
    GX2RBuffer attribute[buffers];
    for (uint32_t i = 0; i < buffers; ++i) {
        attribute[i].flags = GX2R_RESOURCE_BIND_VERTEX_BUFFER;
        attribute[i].elem_size = 8;
        attribute[i].elem_count = 4;
        ASSERT_TRUE(GX2RCreateBuffer(&attribute[i]));
        upload(attribute[i], i == 3 ? 0.4f : 0.2f, i == 0);
        GX2RSetAttributeBuffer(&attribute[i], i, 8, 0);
    }

    GX2RDrawIndexed(GX2_PRIMITIVE_MODE_TRIANGLES, &indices, GX2_INDEX_TYPE_U16, 6, 0, 0, 1);
    // The next picture's stream lets the last buffer go: only this draw read
    // what it held.
    upload(attribute[3], 0.0f, false);

    EXPECT_EQ(gx2_put_off_count(), 6u);  // every upload and the draw wait
    const std::vector<uint8_t> pixels = gx2_read_color_buffer(&target);
    ASSERT_EQ(pixels.size(), 4u * 4u * 4u);
    EXPECT_EQ(pixels[0], 255);              // all eight units
    EXPECT_NEAR(pixels[1], 204, 1);         // 0.2 + 0.2 + 0.4
    EXPECT_EQ(gx2_put_off_count(), 0u);

    for (GX2Texture& t : texture)
        GX2DestroyTexture(&t);
    for (GX2RBuffer& b : attribute)
        GX2RDestroyBufferEx(&b, 0);
    GX2RDestroyBufferEx(&indices, 0);
    gx2_release_programs(&vertex, &pixel);
    gx2_set_pictures_put_off(false);
}
