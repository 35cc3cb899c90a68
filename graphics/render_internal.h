// The renderer's state and its quad staging: graphics' own. The layers
// above draw through render.h only.
#pragma once

#include "console/gpu.h"
#include "graphics/render.h"

#include <cstdint>
#include <vector>

constexpr unsigned int max_textures = 25000;

// A pool of six-element vertex buffers for one picture; reused after flush_gl.
template <typename T, int N>
struct Buffers {
    uint32_t used = 0;
    std::vector<GX2RBuffer> buffers;

    Buffers() = default;
    Buffers(const Buffers&) = delete;
    Buffers& operator=(const Buffers&) = delete;
    ~Buffers()
    {
        for (GX2RBuffer& buffer : buffers)
            GX2RDestroyBufferEx(&buffer, 0);
    }

    GX2RBuffer* get()
    {
        if (used >= buffers.size()) {
            GX2RBuffer buffer{};
            buffer.flags = 0x3810;
            buffer.elem_size = sizeof(T);
            buffer.elem_count = N;
            GX2RCreateBuffer(&buffer);
            buffers.push_back(buffer);
        }
        return &buffers[used++];
    }
};

struct TextureSlot {
    uint16_t width = 0;
    uint16_t height = 0;
    GX2Texture texture;
    GX2Sampler* sampler = nullptr;
    uint8_t used = 0;
    void* storage = nullptr;
};

struct RenderData {
    struct Float2 {
        float x, y;
    };

    GX2RBuffer index_buffer{};
    unsigned int texture_count = 0;
    unsigned int white_texture = 0;
    unsigned int background_texture = 0;
    TextureSlot textures[max_textures];
    Buffers<Float2, 6> positions;
    Buffers<unsigned int, 6> colors;
    Buffers<Float2, 6> texcoords;
    int current_effect = 0;
    float scale_x = 2.0f / 426.0f, scale_y = 2.0f / 240.0f;
    float offset_x = 0.0f, offset_y = 0.0f;
    int view_x = 0, view_y = 0, view_width = 426, view_height = 240;
    Float2 staged_positions[6];
    unsigned int staged_colors[6];
    Float2 staged_texcoords[6];
    GX2Sampler linear_sampler;
    GX2Sampler point_sampler;
};

extern RenderData render_data;

// Every drawing entry point starts here: the plain texture shader unless an
// object's effect is current, whose shader then draws the object's quads too.
void select_plain_shader();

// Staging of the next quad.
void insert_quad(int x1, int y1, int x2, int y2);
void insert_quad(const float* corners);
void insert_texcoord1(float left, float top, float right, float bottom);
void insert_color(Color color);
void insert_horizontal_color(Color left, Color right);
void insert_vertical_color(Color top, Color bottom);
void draw_tex_impl(unsigned int texture);
// Starts the next picture's pools at their first buffers.
void flush_gl();

// Claims the first free slot for a buffer the platform draws into (counted
// nowhere); returns its id, or 0 when the table is full.
unsigned int render_claim_slot(const GX2Surface& surface, int width, int height);

// Row copies of create_tex.
void set_rgba_data(GX2Surface* surface, const void* data, int width, int height);
void set_alpha_data(GX2Surface* surface, const void* data, int width, int height);
void set_data(GX2Surface* surface, const void* data, int width, int height);
