// Effect shaders: a vertex and a pixel program read from a shader item of
// the asset file the first time the shader is bound.
#pragma once

#include "console/gpu.h"

#include <cstdint>

class FrameObject;

constexpr uint32_t no_location = 0xFFFFFFFF;

class BaseShader {
public:
    enum Flags { BACKGROUND_TEXTURE = 1, TEXTURE_SIZE = 2 };

    BaseShader(unsigned int asset_id, int flags, const char* texture_param);
    virtual ~BaseShader() = default;
    BaseShader(const BaseShader&) = delete;
    BaseShader& operator=(const BaseShader&) = delete;

    virtual void initialize_parameters() {}

    void initialize();
    uint32_t get_attribute(const char* name) const;
    uint32_t get_sampler(const char* name) const;
    uint32_t get_uniform(const char* name) const;
    uint32_t get_vertex_uniform(const char* name) const;
    void begin(FrameObject* object, int width, int height);
    void end(FrameObject* object);
    // Upload an object's parameter (0 when it has none) as four components.
    static void set_float(FrameObject* object, int hash, int offset);
    static void set_int(FrameObject* object, int hash, int offset);
    static void set_vec4(FrameObject* object, int hash, int offset);
    // No effect reads an image parameter: nothing to bind.
    static void set_image(FrameObject* object, int hash);

    // Tests only: back to the state before the first load.
    void forget();

    bool initialized = false;
    // Set once a load fails; the shader then draws with the texture program.
    bool failed = false;
    unsigned int asset_id;
    int flags;
    const char* texture_param;
    GX2VertexShader* vertex_shader = nullptr;
    GX2PixelShader* pixel_shader = nullptr;
    GX2FetchShader fetch_shader;
    uint32_t texture_location = no_location;
    uint32_t param_texture_location = no_location;
    uint32_t background_texture_location = no_location;
    uint32_t texture_size_offset = no_location;
    void* fetch_program = nullptr;
    GX2AttribStream streams[4];

private:
    bool load_programs();
    void build_layout();
    void release_programs();
};

// The 32 effect shader objects; the table in shader.cpp gives their items.
#define QUORVELLA_SHADER_TABLE(X)                                   \
    X(subtract_shader, SubtractShader, 27, 0, nullptr)              \
    X(monochrome_shader, MonochromeShader, 5, 0, nullptr)           \
    X(mixer_shader, MixerShader, 28, 0, nullptr)                    \
    X(hue_shader, HueShader, 20, 0, nullptr)                        \
    X(offset_shader, OffsetShader, 25, 3, nullptr)                  \
    X(invert_shader, InvertShader, 12, 0, nullptr)                  \
    X(dodge_blur_shader, DodgeBlurShader, 10, 3, nullptr)           \
    X(grain_shader, GrainShader, 30, 0, nullptr)                    \
    X(multiply_shader, MultiplyShader, 26, 1, nullptr)              \
    X(hard_light_shader, HardLightShader, 2, 1, nullptr)            \
    X(tint_shader, TintShader, 9, 0, nullptr)                       \
    X(channel_blur_shader, ChannelBlurShader, 23, 0, nullptr)       \
    X(bg_bloom_shader, BgBloomShader, 1, 3, nullptr)                \
    X(underwater_shader, UnderwaterShader, 8, 0, nullptr)           \
    X(rotate_sub_shader, RotateSubShader, 22, 0, nullptr)           \
    X(simple_mask_shader, SimpleMaskShader, 13, 0, nullptr)         \
    X(offset_stationary_shader, OffsetStationaryShader, 17, 0, nullptr) \
    X(pattern_overlay_shader, PatternOverlayShader, 15, 2, "pattern") \
    X(sub_px_shader, SubPxShader, 31, 2, nullptr)                   \
    X(zoom_offset_shader, ZoomOffsetShader, 16, 0, nullptr)         \
    X(gradient_shader, GradientShader, 11, 0, nullptr)              \
    X(overlay_alpha_shader, OverlayAlphaShader, 29, 1, nullptr)     \
    X(lens_shader, LensShader, 24, 1, nullptr)                      \
    X(col_dir_blur_shader, ColDirBlurShader, 4, 1, nullptr)         \
    X(perspective_shader, PerspectiveShader, 3, 2, nullptr)         \
    X(nine_patch_shader, NinePatchShader, 0, 2, nullptr)            \
    X(pixel_outline_shader, PixelOutlineShader, 21, 2, nullptr)     \
    X(bright_sat_bg_shader, BrightSatBgShader, 6, 1, nullptr)       \
    X(bg_blur_shader, BgBlurShader, 19, 3, nullptr)                 \
    X(pixel_scale_shader, PixelScaleShader, 18, 0, nullptr)         \
    X(texture_shader, TextureShader, 14, 0, nullptr)                \
    X(font_shader, FontShader, 7, 0, nullptr)

// Each class only adds its uniform lookups (the effect issue fills them in).
#define QUORVELLA_DECLARE_SHADER(object, Class, id, flags, param)      \
    class Class : public BaseShader {                                 \
    public:                                                           \
        Class() : BaseShader(id, flags, param) {}                     \
        void initialize_parameters() override;                        \
    };                                                                \
    extern Class object;
QUORVELLA_SHADER_TABLE(QUORVELLA_DECLARE_SHADER)
#undef QUORVELLA_DECLARE_SHADER

extern BaseShader* current_shader;
extern int blend_mode;

// Makes the plain texture shader current, restoring normal blending first
// when an effect left its own.
void shader_set_texture();
// Binds effect `effect` for the draws that follow with the instance's
// parameters (null for none); width and height are the size it works on.
void shader_set_effect(int effect, FrameObject* object, int width, int height);
void shader_reset_cache();
void convert_vec4(int packed, float& x, float& y, float& z, float& w);

// Parameter names hash to small distinct keys.
unsigned int hash_shader_parameter(const char* name, unsigned int length);

// Tests only: every shader forgets its programs and the asset file is
// opened afresh on next use.
void shader_forget_all();
