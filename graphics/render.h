// The renderer: an immediate-mode drawer of textured quads. Every draw call
// draws one six-vertex quad with one texture, in call order; coordinates are
// pixels of the current view. This is the whole drawing interface of the
// layers above graphics; render_internal.h is graphics' own.
#pragma once

#include "graphics/color.h"
#include "graphics/shader_parameters.h"

#include <cstdint>

class Render {
public:
    enum Format { RGBA = 0, ALPHA = 1 };

    static void init();
    // Clears the current target colour buffer.
    static void clear(Color color);
    static void set_view(int x, int y, int width, int height);
    // The view offset added to every pixel coordinate; sets its float and integer forms alike.
    static void set_offset(int x, int y);
    static void enable_scissor(int x, int y, int width, int height);
    static void draw_tex(int x1, int y1, int x2, int y2, Color color, unsigned int texture);
    static void draw_tex(float* corners, Color color, unsigned int texture);
    static void draw_vertical_gradient(int x1, int y1, int x2, int y2, Color top, Color bottom);
    static void draw_horizontal_gradient(int x1, int y1, int x2, int y2, Color left, Color right);
    // A rectangle of one colour.
    static void fill(int x1, int y1, int x2, int y2, Color color);
    // Part of a texture: u and v from 0 to 1 across it.
    static void draw_tex_region(int x1, int y1, int x2, int y2, Color color, unsigned int texture,
                                float u1, float v1, float u2, float v2);

    // Draws with an effect's program until end_effect; effect 0 changes nothing.
    static void begin_effect(int effect, const ShaderParameters* parameters, int width, int height);
    static void end_effect();
    static void set_blending(bool on);
    // Back to the view's whole rectangle after a clipped draw.
    static void reset_scissor();

    static unsigned int create_tex(const void* data, Format format, int width, int height);
    static void delete_tex(unsigned int id);
    static void set_filter(unsigned int id, bool linear_filter);
};

// An effect for the draws of one scope.
class ScopedEffect {
public:
    ScopedEffect(int effect, const ShaderParameters* parameters, int width, int height)
    {
        Render::begin_effect(effect, parameters, width, height);
    }
    ~ScopedEffect() { Render::end_effect(); }
    ScopedEffect(const ScopedEffect&) = delete;
    ScopedEffect& operator=(const ScopedEffect&) = delete;
};

// A texel of a texture's stored copy: RGBA packed, or the single channel.
uint32_t platform_get_texture_pixel(unsigned int id, int x, int y);

void intersect(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4, int& ix1,
               int& iy1, int& ix2, int& iy2);
bool collides(const int* a, const int* b);
