// Effect shaders: a vertex and a pixel program read from a shader item of
// the asset file the first time the shader is bound.
#pragma once

#include "console/gpu.h"
#include "graphics/shader_parameters.h"

#include <cstdint>

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
    void begin(const ShaderParameters* parameters, int width, int height);
    void end(const ShaderParameters* parameters);
    // Upload a parameter (0 when the list lacks it) as four components.
    static void set_float(const ShaderParameters* parameters, int hash, int offset);
    static void set_int(const ShaderParameters* parameters, int hash, int offset);
    static void set_vec4(const ShaderParameters* parameters, int hash, int offset);
    // No effect reads an image parameter: nothing to bind.
    static void set_image(const ShaderParameters* parameters, int hash);

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
    // Null once loaded, else the fault.
    const char* load_programs();
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

// The uniforms of each class's pixel program, in lookup order, with the way
// the effect switch uploads them (FLOAT, INT, COLOUR, or NONE: not uploaded).
#define QUORVELLA_UNIFORMS_SubtractShader(U)
#define QUORVELLA_UNIFORMS_MonochromeShader(U)
#define QUORVELLA_UNIFORMS_MixerShader(U) U(r, COLOUR) U(g, COLOUR) U(b, COLOUR)
#define QUORVELLA_UNIFORMS_HueShader(U) U(fHue, FLOAT)
#define QUORVELLA_UNIFORMS_OffsetShader(U) U(width, FLOAT) U(height, FLOAT)
#define QUORVELLA_UNIFORMS_InvertShader(U)
#define QUORVELLA_UNIFORMS_DodgeBlurShader(U) U(vertical, NONE) U(radius, NONE)
#define QUORVELLA_UNIFORMS_GrainShader(U)                                               \
    U(fStrength, FLOAT) U(fSeed, FLOAT) U(iInvert, INT) U(iR, INT) U(iG, INT) U(iB, INT) \
    U(iA, INT)
#define QUORVELLA_UNIFORMS_MultiplyShader(U)
#define QUORVELLA_UNIFORMS_HardLightShader(U)
#define QUORVELLA_UNIFORMS_TintShader(U) \
    U(fTintColor, COLOUR) U(fTintPower, FLOAT) U(fOriginalPower, FLOAT)
#define QUORVELLA_UNIFORMS_ChannelBlurShader(U) \
    U(fCoeff, FLOAT) U(iR, INT) U(iG, INT) U(iB, INT) U(iA, INT)
#define QUORVELLA_UNIFORMS_BgBloomShader(U) U(coeff, FLOAT) U(radius, FLOAT) U(exponent, FLOAT)
#define QUORVELLA_UNIFORMS_UnderwaterShader(U)                                        \
    U(fBlur, FLOAT) U(fAmplitudeX, FLOAT) U(fPeriodsX, FLOAT) U(fFreqX, FLOAT)         \
    U(fAmplitudeY, FLOAT) U(fPeriodsY, FLOAT) U(fFreqY, FLOAT)
#define QUORVELLA_UNIFORMS_RotateSubShader(U) \
    U(fA, FLOAT) U(fX, FLOAT) U(fY, FLOAT) U(fSx, FLOAT) U(fSy, FLOAT)
#define QUORVELLA_UNIFORMS_SimpleMaskShader(U) U(fC, COLOUR) U(fFade, FLOAT)
#define QUORVELLA_UNIFORMS_OffsetStationaryShader(U) \
    U(width, FLOAT) U(height, FLOAT) U(xoff, FLOAT) U(yoff, FLOAT)
#define QUORVELLA_UNIFORMS_PatternOverlayShader(U) \
    U(x, FLOAT) U(y, FLOAT) U(width, FLOAT) U(height, FLOAT) U(alpha, FLOAT)
#define QUORVELLA_UNIFORMS_SubPxShader(U) U(x, FLOAT) U(y, FLOAT) U(limit, INT)
#define QUORVELLA_UNIFORMS_ZoomOffsetShader(U)                                            \
    U(fX, FLOAT) U(fY, FLOAT) U(fWidth, FLOAT) U(fHeight, FLOAT) U(fZoomX, FLOAT) \
    U(fZoomY, FLOAT)
#define QUORVELLA_UNIFORMS_GradientShader(U)                                            \
    U(fArgb, COLOUR) U(fAa, FLOAT) U(fBrgb, COLOUR) U(fBa, FLOAT) U(fCoeff, FLOAT)      \
    U(fOffset, FLOAT) U(fFade, FLOAT) U(iT, INT) U(iF, INT) U(iR, INT) U(iMask, INT)
#define QUORVELLA_UNIFORMS_OverlayAlphaShader(U) U(bgA, FLOAT)
#define QUORVELLA_UNIFORMS_LensShader(U) U(fCoeff, FLOAT) U(fBase, FLOAT)
#define QUORVELLA_UNIFORMS_ColDirBlurShader(U)                                            \
    U(rr, FLOAT) U(rg, FLOAT) U(rb, FLOAT) U(gr, FLOAT) U(gg, FLOAT) U(gb, FLOAT)         \
    U(br, FLOAT) U(bg, FLOAT) U(bb, FLOAT) U(fAngle, FLOAT) U(fCoeff, FLOAT)
#define QUORVELLA_UNIFORMS_PerspectiveShader(U) \
    U(effect, INT) U(direction, INT) U(zoom, FLOAT) U(offset, FLOAT) U(sine_waves, INT)
#define QUORVELLA_UNIFORMS_NinePatchShader(U)                                              \
    U(xScale, FLOAT) U(yScale, FLOAT) U(fArgb, COLOUR) U(fAa, FLOAT) U(fBrgb, COLOUR)       \
    U(fBa, FLOAT) U(fOffset, FLOAT)
#define QUORVELLA_UNIFORMS_PixelOutlineShader(U) U(color, COLOUR)
#define QUORVELLA_UNIFORMS_BrightSatBgShader(U) U(Brightness, FLOAT) U(Saturation, FLOAT)
#define QUORVELLA_UNIFORMS_BgBlurShader(U) U(fX, FLOAT) U(fY, FLOAT) U(fA, FLOAT)
#define QUORVELLA_UNIFORMS_PixelScaleShader(U) \
    U(x_scale, NONE) U(y_scale, NONE) U(x_size, NONE) U(y_size, NONE)
#define QUORVELLA_UNIFORMS_TextureShader(U)
#define QUORVELLA_UNIFORMS_FontShader(U)

// Each class keeps the offsets of its uniforms in class-wide variables named
// as the uniforms; set_parameters uploads a drawn object's parameters to them.
#define QUORVELLA_UNIFORM_MEMBER(name, form) inline static uint32_t name = no_location;
#define QUORVELLA_DECLARE_SHADER(object, Class, id, flags, param)      \
    class Class : public BaseShader {                                 \
    public:                                                           \
        Class() : BaseShader(id, flags, param) {}                     \
        void initialize_parameters() override;                        \
        static void set_parameters(const ShaderParameters* parameters);              \
        QUORVELLA_UNIFORMS_##Class(QUORVELLA_UNIFORM_MEMBER)          \
    };                                                                \
    extern Class object;
QUORVELLA_SHADER_TABLE(QUORVELLA_DECLARE_SHADER)
#undef QUORVELLA_DECLARE_SHADER
#undef QUORVELLA_UNIFORM_MEMBER

extern BaseShader* current_shader;
extern int blend_mode;

// The effect that text draws with.
constexpr int font_effect = 35;

// Makes the plain texture shader current, restoring normal blending first
// when an effect left its own.
void shader_set_texture();
// Binds effect `effect` for the draws that follow with the instance's
// parameters (null for none); width and height are the size it works on.
void shader_set_effect(int effect, const ShaderParameters* parameters, int width, int height);
void shader_reset_cache();
void convert_vec4(int packed, float& x, float& y, float& z, float& w);
