// The console's graphics library, realised on OpenGL 3.3 core through SDL2.
// Surfaces are GL textures (colour buffers add a framebuffer object); the
// TV and gamepad scan buffers are framebuffers that the window presents.
// Every surface is stored top row first, so viewports and scissors use a
// top-left origin; vertex programs write y negated (docs/shader-container.md).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Surfaces and textures -------------------------------------------------------

enum GX2SurfaceFormat : uint32_t {
    GX2_SURFACE_FORMAT_UNORM_R8 = 0x01,
    GX2_SURFACE_FORMAT_UNORM_R8_G8_B8_A8 = 0x1a,
};

constexpr uint32_t GX2_COMP_MAP_RGBA = 0x00010203;
constexpr uint32_t GX2_COMP_MAP_ALPHA_WHITE = 0x05050500;

struct GX2Surface {
    uint32_t width = 0;
    uint32_t height = 0;
    GX2SurfaceFormat format = GX2_SURFACE_FORMAT_UNORM_R8_G8_B8_A8;
    uint32_t image_size = 0;  // bytes
    uint32_t alignment = 256;
    uint32_t pitch = 0;       // in elements
    void* image = nullptr;    // CPU copy of the texels (textures only)
    uint32_t gl_texture = 0;  // host handles
    uint32_t gl_framebuffer = 0;
};

struct GX2Texture {
    GX2Surface surface;
    uint32_t comp_map = GX2_COMP_MAP_RGBA;
};

struct GX2ColorBuffer {
    GX2Surface surface;
};

// Fills size, alignment and pitch of a width x height surface of `format`.
void GX2CalcSurfaceSizeAndAlignment(GX2Surface* surface);
// Creates the GL texture of the record (sampled through its component map).
void GX2InitTextureRegs(GX2Texture* texture);
// GX2_INVALIDATE_MODE_TEXTURE over a texture's image sends its texels to the
// graphics processor; the CPU-cache modes have nothing to do on this host.
enum GX2InvalidateMode : uint32_t {
    GX2_INVALIDATE_MODE_TEXTURE = 0x02,
    GX2_INVALIDATE_MODE_CPU = 0x40,
    GX2_INVALIDATE_MODE_CPU_TEXTURE = 0x42,
};
void GX2Invalidate(GX2InvalidateMode mode, void* buffer, uint32_t size);
void GX2UploadTexture(const GX2Texture* texture);
// Host: sends texels straight from `data` (rows `row_length` elements apart)
// to the texture, with no CPU copy in its image; false when the texture has
// no host texture to receive them.
bool gx2_upload_texture_from(const GX2Texture* texture, const void* data, uint32_t row_length);
// Host: reads the texels back into `image`, rows a pitch apart; false when
// the texture has no host texture.
bool gx2_read_texture(const GX2Texture* texture, void* image);
void GX2DestroyTexture(GX2Texture* texture);

void GX2InitColorBuffer(GX2ColorBuffer* buffer, uint32_t width, uint32_t height);
// Creates the buffer's GL texture and framebuffer.
void GX2InitColorBufferRegs(GX2ColorBuffer* buffer);
// The buffer's pixels, top row first, 4 bytes each (tests and capture).
std::vector<uint8_t> gx2_read_color_buffer(const GX2ColorBuffer* buffer);

// Samplers ----------------------------------------------------------------------

enum GX2TexClampMode : uint32_t { GX2_TEX_CLAMP_MODE_CLAMP = 2 };
enum GX2TexXYFilterMode : uint32_t { GX2_TEX_XY_FILTER_MODE_POINT = 0, GX2_TEX_XY_FILTER_MODE_LINEAR = 1 };

struct GX2Sampler {
    GX2TexClampMode clamp = GX2_TEX_CLAMP_MODE_CLAMP;
    GX2TexXYFilterMode filter = GX2_TEX_XY_FILTER_MODE_POINT;
    uint32_t gl_sampler = 0;
};

void GX2InitSampler(GX2Sampler* sampler, GX2TexClampMode clamp, GX2TexXYFilterMode filter);

// Context, state ---------------------------------------------------------------

// Everything that GX2SetContextState puts back after a copy or a clear.
struct GX2ContextState {
    bool blend_enabled = false;
    uint32_t blend[6] = {1, 0, 0, 1, 0, 0};  // colour src, dst, combine; alpha src, dst, combine
    int32_t viewport[4] = {0, 0, 0, 0};
    float depth_range[2] = {0.0f, 1.0f};
    int32_t scissor[4] = {0, 0, 0, 0};
    const GX2ColorBuffer* color_buffer = nullptr;
};

void GX2Init();  // opens the window and the GL context (once)
bool gx2_is_open();
void GX2SetupContextStateEx(GX2ContextState* state, bool profiling);
void GX2SetContextState(GX2ContextState* state);
void GX2SetColorBuffer(const GX2ColorBuffer* buffer, int render_target);
void GX2SetViewport(float x, float y, float width, float height, float near_z, float far_z);
void GX2SetScissor(uint32_t x, uint32_t y, uint32_t width, uint32_t height);
void GX2SetColorControl(uint32_t logic_op, uint32_t blend_enable_mask, bool multi_write,
                        bool color_buffer_enable);
// Factors: 0 zero, 1 one, 2 src colour, 3 one-minus src colour, 4 src alpha,
// 5 one-minus src alpha, 6 dst alpha, 7 one-minus dst alpha, 8 dst colour,
// 9 one-minus dst colour. Combines: 0 add, 1 src - dst, 2 min, 3 max, 4 dst - src.
void GX2SetBlendControl(int render_target, uint32_t color_src, uint32_t color_dst,
                        uint32_t color_combine, bool separate_alpha, uint32_t alpha_src,
                        uint32_t alpha_dst, uint32_t alpha_combine);
// Clears the whole buffer; leaves the context state changed (scissor off).
void GX2ClearColor(const GX2ColorBuffer* buffer, float r, float g, float b, float a);
const GX2ContextState& gx2_current_state();

// Buffers (GX2R) -------------------------------------------------------------------

constexpr uint32_t GX2R_RESOURCE_BIND_VERTEX_BUFFER = 0x10;
constexpr uint32_t GX2R_RESOURCE_BIND_INDEX_BUFFER = 0x20;
constexpr uint32_t GX2R_RESOURCE_BIND_SHADER_PROGRAM = 0x80;

struct GX2RBuffer {
    uint32_t flags = 0;
    uint32_t elem_size = 0;
    uint32_t elem_count = 0;
    void* storage = nullptr;  // CPU copy; sent to the GL buffer on unlock
    uint32_t gl_buffer = 0;
};

bool GX2RCreateBuffer(GX2RBuffer* buffer);
// Frees the CPU copy (the GL buffer lives until the context ends).
void GX2RDestroyBufferEx(GX2RBuffer* buffer, uint32_t flags);
void* GX2RLockBufferEx(GX2RBuffer* buffer, uint32_t flags);
void GX2RUnlockBufferEx(GX2RBuffer* buffer, uint32_t flags);
void GX2RSetAttributeBuffer(const GX2RBuffer* buffer, uint32_t index, uint32_t stride,
                            uint32_t offset);
// Sends bytes [offset, offset + size) of the CPU copy to the GL buffer. With
// `discard` the buffer's earlier contents are let go first (a new picture's
// stream), so that no draw still reading them is waited for.
void gx2r_upload_range(GX2RBuffer* buffer, uint32_t offset, uint32_t size, bool discard);

// Shader programs --------------------------------------------------------------------

enum GX2VarType : uint32_t {
    GX2_VAR_TYPE_FLOAT = 0,
    GX2_VAR_TYPE_INT = 1,
    GX2_VAR_TYPE_VEC2 = 2,
    GX2_VAR_TYPE_VEC4 = 3,
};

struct GX2ShaderVar {
    std::string name;
    uint32_t location = 0xFFFFFFFF;  // attributes and samplers: location; uniforms: offset
    GX2VarType type = GX2_VAR_TYPE_FLOAT;
    std::string glsl_name;  // the identifier in the GLSL source when it differs
                            // ("texture" names a GLSL function)
    const std::string& identifier() const { return glsl_name.empty() ? name : glsl_name; }
};

struct GX2VertexShader {
    std::string source;
    std::vector<GX2ShaderVar> attributes;
    std::vector<GX2ShaderVar> uniforms;
    uint32_t gl_shader = 0;
};

// A uniform's four components as set, bit for bit.
struct GX2UniformValue {
    uint32_t bits[4] = {};
    bool set = false;
    bool operator==(const GX2UniformValue&) const = default;
};

struct GX2PixelShader {
    std::string source;
    std::vector<GX2ShaderVar> samplers;
    std::vector<GX2ShaderVar> uniforms;
    uint32_t gl_shader = 0;
    // The linked program of this pixel program with the vertex program it last ran with.
    const GX2VertexShader* linked_with = nullptr;
    uint32_t gl_program = 0;
    std::vector<int> gl_uniform_locations;  // parallel to `uniforms`
    bool link_failed = false;
    // Parallel to `uniforms`: the values set, sent with each draw, and the
    // values the linked program holds.
    std::vector<GX2UniformValue> uniform_values;
    std::vector<GX2UniformValue> gl_uniform_values;
};

// Compiles the program; false (and one console line) when GL refuses it.
bool GX2InitVertexShader(GX2VertexShader* shader);
bool GX2InitPixelShader(GX2PixelShader* shader);
// Before the programs are freed: draws still pending with them are made,
// and they are no longer bound.
void gx2_release_programs(const GX2VertexShader* vertex, const GX2PixelShader* pixel);

enum GX2AttribFormat : uint32_t {
    GX2_ATTRIB_FORMAT_UNORM_8_8_8_8 = 0x00A,
    GX2_ATTRIB_FORMAT_FLOAT_32_32 = 0x80D,
};

struct GX2AttribStream {
    uint32_t location = 0;
    uint32_t buffer = 0;
    uint32_t offset = 0;
    GX2AttribFormat format = GX2_ATTRIB_FORMAT_FLOAT_32_32;
    uint32_t index_type = 0;
    uint32_t divisor = 0;
    uint32_t comp_sel = 0;
    uint32_t endian_swap = 3;
};

struct GX2FetchShader {
    GX2AttribStream streams[4];
    uint32_t count = 0;
};

uint32_t GX2CalcFetchShaderSizeEx(uint32_t count, uint32_t, uint32_t);
void GX2InitFetchShaderEx(GX2FetchShader* fetch, void* program, uint32_t count,
                          const GX2AttribStream* streams, uint32_t, uint32_t);
void GX2SetFetchShader(const GX2FetchShader* fetch);
void GX2SetVertexShader(const GX2VertexShader* shader);
// Binds the pixel program with the vertex program set before it (linked once per pair).
void GX2SetPixelShader(GX2PixelShader* shader);
// Four 32-bit components at a uniform offset of the bound pixel program;
// written as the table's type says. An offset of 0xFFFFFFFF is skipped.
void GX2SetPixelUniformReg(uint32_t offset, uint32_t count, const void* values);
void GX2SetPixelTexture(const GX2Texture* texture, uint32_t location);
void GX2SetPixelSampler(const GX2Sampler* sampler, uint32_t location);

enum GX2PrimitiveMode : uint32_t { GX2_PRIMITIVE_MODE_TRIANGLES = 4 };
enum GX2IndexType : uint32_t { GX2_INDEX_TYPE_U16 = 4, GX2_INDEX_TYPE_U32 = 9 };

void GX2RDrawIndexed(GX2PrimitiveMode mode, const GX2RBuffer* indices, GX2IndexType type,
                     uint32_t count, uint32_t index_offset, uint32_t vertex_offset,
                     uint32_t instances);

// Batched drawing. The state setters (colour buffer, viewport, scissor,
// blending, context state) only record; GL follows at the next draw, clear,
// copy or read. A drawer that keeps draws pending installs `flush`, which
// the library calls (and which may draw) before it changes anything those
// draws depend on: GL state, programs, uniforms, textures, or before it
// clears, copies, reads or shows a picture.
void gx2_set_draw_flush_hook(void (*flush)());
// Brings GL to the recorded state, first flushing the pending draws if it
// changes; a drawer calls it before it adds to its pending draws.
void gx2_sync_state();
// Draw calls asked for so far (tests, benchmarks).
uint64_t gx2_draw_count();
// Of those, the ones GL was given: headless, only those whose output was read.
uint64_t gx2_draws_made();
// The programs bound now, to put back after a draw of one's own.
struct GX2ShaderBinding {
    const GX2FetchShader* fetch;
    const GX2VertexShader* vertex;
    GX2PixelShader* pixel;
};
GX2ShaderBinding gx2_shader_binding();
void gx2_restore_shader_binding(const GX2ShaderBinding& binding);

// Copies, scan buffers, output ----------------------------------------------------------

void GX2CopySurface(const GX2Surface* source, uint32_t source_level, uint32_t source_slice,
                    GX2Surface* destination, uint32_t destination_level,
                    uint32_t destination_slice);

enum GX2ScanTarget : uint32_t { GX2_SCAN_TARGET_TV = 1, GX2_SCAN_TARGET_DRC = 4 };

// Scan buffers: 1920 x 1080 for the TV, 854 x 480 for the gamepad.
void GX2CalcTVSize(int render_mode, GX2SurfaceFormat format, int buffering, uint32_t* size,
                   uint32_t* scale_needed);
void GX2CalcDRCSize(int render_mode, GX2SurfaceFormat format, int buffering, uint32_t* size,
                    uint32_t* scale_needed);
void GX2SetTVBuffer(void* buffer, uint32_t size, int render_mode, GX2SurfaceFormat format,
                    int buffering);
void GX2SetDRCBuffer(void* buffer, uint32_t size, int render_mode, GX2SurfaceFormat format,
                     int buffering);
void GX2CopyColorBufferToScanBuffer(const GX2ColorBuffer* buffer, GX2ScanTarget target);
// Hands the TV scan buffer to the window driver, which shows, paces or
// captures it as the run options chose.
void GX2SwapScanBuffers();
void GX2SetTVEnable(bool enable);
void GX2SetDRCEnable(bool enable);
bool gx2_tv_enabled();
bool gx2_drc_enabled();
// Scan-buffer pixels, top row first (tests).
std::vector<uint8_t> gx2_read_scan_buffer(GX2ScanTarget target);
uint64_t gx2_swap_count();
// Whether the next swapped TV picture will be looked at: shown in a window,
// captured, or seen by a swap hook. Headless, the others are never made at
// full size unless read.
bool gx2_next_picture_observed();
// Whether it must be made at full size in the TV scan buffer (captured, or
// seen by a swap hook); a window alone can show the logical picture.
bool gx2_next_picture_needs_full_size();
// The next swap shows `buffer` in place of the TV scan buffer, scaled to
// fit with the TV picture's shape as its full-size copy would be; a copy
// into the scan buffer ends it.
void gx2_show_color_buffer(const GX2ColorBuffer* buffer);
// The same for the gamepad's next picture. No window driver shows or writes
// it, so only a swap hook looks at it; otherwise it need not be made.
bool gx2_next_gamepad_picture_observed();
// Called before any colour or scan buffer is read back, so that a picture
// whose making was put off is made first.
void gx2_set_read_hook(void (*hook)());
// Headless, clears, copies and draws are made only when something reads what
// they write (a read-back, a draw or copy that samples it, a freed texture);
// those whose output is covered whole before anything reads it are never made.
bool gx2_pictures_put_off();
// Tests: puts pictures off, or no longer, whatever the window chose; what
// waits is made first.
void gx2_set_pictures_put_off(bool put_off);
// What the buffer holds will never be read: put-off commands that only made
// it can be dropped.
void gx2_discard_color_buffer(const GX2ColorBuffer* buffer);
// Commands waiting to be made (tests, benchmarks).
size_t gx2_put_off_count();
// Tests: called at every swap with the picture's number, before it is shown.
void gx2_set_swap_hook(void (*hook)(uint64_t picture, void* context), void* context);

void GX2Flush();
uint64_t GX2GetLastSubmittedTimeStamp();
bool GX2WaitTimeStamp(uint64_t time_stamp);
// Waits until every submitted graphics command has finished.
void GX2DrawDone();
