// The renderer's state and its quad staging: graphics' own. The layers
// above draw through render.h only.
#pragma once

#include "console/gpu.h"
#include "graphics/render.h"

#include <cstdint>

constexpr unsigned int max_textures = 25000;

class BaseShader;

// One picture's quads in one streamed vertex buffer. Consecutive quads with
// the same program and textures form a run, drawn with one call when
// something else comes: another texture or program, or any change the
// graphics library flushes for (blending, scissor, target, uniforms, a
// clear, a copy, the swap). Runs are drawn in the order they were made.
struct QuadBatch {
    struct Vertex {
        float x, y;
        uint32_t color;
        float u, v;    // the texture's coordinates
        float bu, bv;  // the background texture's (effects that read the screen)
    };

    GX2RBuffer stream{};   // four corners a quad
    GX2RBuffer indices{};  // two triangles a quad, made once
    uint32_t count = 0;      // vertices written since the stream restarted
    uint32_t run_first = 0;  // the first vertex not drawn yet
    bool discard = true;     // the next upload lets go of what the stream held
    uint32_t quads = 0;      // quads added this picture

    // What the open run draws with.
    const BaseShader* shader = nullptr;
    const GX2Texture* texture = nullptr;
    const GX2Sampler* sampler = nullptr;
    const GX2Texture* background = nullptr;
    const GX2Sampler* background_sampler = nullptr;

    QuadBatch() = default;
    QuadBatch(const QuadBatch&) = delete;
    QuadBatch& operator=(const QuadBatch&) = delete;
    ~QuadBatch()
    {
        // Nothing is left for a flush at exit to draw from freed storage.
        run_first = count;
        if (stream.storage)
            GX2RDestroyBufferEx(&stream, 0);
        if (indices.storage)
            GX2RDestroyBufferEx(&indices, 0);
    }
};

// Quads the stream holds before it starts over (after drawing what it has).
constexpr uint32_t batch_quad_capacity = 8192;

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

    unsigned int texture_count = 0;
    unsigned int white_texture = 0;
    unsigned int background_texture = 0;
    TextureSlot textures[max_textures];
    QuadBatch batch;
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
// Adds the staged quad to the picture's batch with the texture.
void draw_tex_impl(unsigned int texture);
// Draws the whole of a width x height target with the texture in the colour,
// with the plain texture program, whatever the view; the bound programs,
// view and staged quad stay as they were.
void draw_whole_target(const GX2Texture* texture, const GX2Sampler* sampler, Color color,
                       int width, int height);
// Draws the open run of the batch (the graphics library's flush hook).
void flush_batch();
// Draws what is pending and starts the next picture's stream.
void flush_gl();

// Claims the first free slot for a buffer the platform draws into (counted
// nowhere); returns its id, or 0 when the table is full.
unsigned int render_claim_slot(const GX2Surface& surface, int width, int height);

// Row copies of create_tex.
void set_rgba_data(GX2Surface* surface, const void* data, int width, int height);
void set_alpha_data(GX2Surface* surface, const void* data, int width, int height);
void set_data(GX2Surface* surface, const void* data, int width, int height);
