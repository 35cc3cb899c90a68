#include "console/gpu.h"

#include "console/gpu_commands.h"
#include "console/os.h"
#include "console/window.h"

#define GL_GLEXT_PROTOTYPES 1
#include <GL/gl.h>
#include <GL/glext.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <utility>

namespace {

constexpr int tv_scan_width = 1920, tv_scan_height = 1080;
constexpr int drc_scan_width = 854, drc_scan_height = 480;
constexpr uint32_t pitch_alignment = 32;  // elements, as linear-aligned surfaces keep them

struct ScanBuffer {
    GLuint texture = 0;
    GLuint framebuffer = 0;
    int width = 0, height = 0;
};

struct Gpu {
    bool open = false;
    GX2ContextState fallback;
    GX2ContextState* state = &fallback;
    GLuint vertex_array = 0;
    const GX2FetchShader* fetch = nullptr;
    const GX2VertexShader* vertex = nullptr;
    GX2PixelShader* pixel = nullptr;
    AttributeBinding attributes[max_attribute_buffers];
    ScanBuffer tv, drc;
    const GX2ColorBuffer* shown = nullptr;  // shown by the next swap in place of the TV scan
    bool tv_enabled = false, drc_enabled = false;
    uint64_t time_stamp = 0;
    uint64_t swaps = 0;
    void (*swap_hook)(uint64_t, void*) = nullptr;
    void* swap_hook_context = nullptr;
    // The state the drawer's pending draws were made under.
    GX2ContextState run_state;
    bool run_known = false;
    // What the next draw samples, by unit.
    GLuint want_textures[max_sampler_units] = {};
    GLuint want_samplers[max_sampler_units] = {};
    // Batched drawing: the drawer's pending draws, drawn before GL changes under them.
    void (*flush_hook)() = nullptr;
    bool flushing = false;
    uint64_t draws = 0;
    void (*read_hook)() = nullptr;
};

Gpu gpu;

// The drawer's pending draws go out under the GL state they were made with.
void flush_pending()
{
    if (!gpu.flush_hook || gpu.flushing)
        return;
    gpu.flushing = true;
    gpu.flush_hook();
    gpu.flushing = false;
}

bool same_state(const GX2ContextState& a, const GX2ContextState& b)
{
    return a.color_buffer == b.color_buffer && same_viewport(a, b) &&
           std::equal(a.scissor, a.scissor + 4, b.scissor) && same_blend(a, b);
}

// State setters only record; the pending draws are drawn when the state
// changes under them, so a change undone before anything is drawn costs
// nothing and splits no batch.
void sync_state()
{
    if (!gpu.open || (gpu.run_known && same_state(*gpu.state, gpu.run_state)))
        return;
    flush_pending();
    gpu.run_state = *gpu.state;
    gpu.run_known = true;
}

// Binds for texture set-up; the unit's draw binding is then unknown.
void bind_for_setup(GLuint texture)
{
    flush_pending();
    player_bind_for_setup(texture);
}

GLuint make_texture(GLenum internal_format, GLenum format, int width, int height)
{
    GLuint texture = 0;
    glGenTextures(1, &texture);
    bind_for_setup(texture);
    glTexImage2D(GL_TEXTURE_2D, 0, GLint(internal_format), width, height, 0, format,
                 GL_UNSIGNED_BYTE, nullptr);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, 0);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    return texture;
}

GLuint make_framebuffer(GLuint texture)
{
    flush_pending();
    player_forget_state();
    GLuint framebuffer = 0;
    glGenFramebuffers(1, &framebuffer);
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
    glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, texture, 0);
    if (glCheckFramebufferStatus(GL_FRAMEBUFFER) != GL_FRAMEBUFFER_COMPLETE)
        OSReport("Incomplete framebuffer\n");
    return framebuffer;
}

void make_scan_buffer(ScanBuffer& scan, int width, int height)
{
    if (!gpu.open || scan.framebuffer)
        return;
    scan.width = width;
    scan.height = height;
    scan.texture = make_texture(GL_RGBA8, GL_RGBA, width, height);
    scan.framebuffer = make_framebuffer(scan.texture);
    glDisable(GL_SCISSOR_TEST);
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
}

void blit(const GX2Surface& source, GLuint source_framebuffer, int source_width,
          int source_height, GLuint target_texture, GLuint target_framebuffer, int target_width,
          int target_height)
{
    flush_pending();
    Command command;
    command.kind = Command::BLIT;
    command.blit = {source_framebuffer, target_framebuffer, source_width, source_height,
                    target_width, target_height};
    command.surfaces.target = target_texture;
    command.surfaces.whole = source_width >= target_width && source_height >= target_height;
    command.surfaces.add_read(source.gl_texture);
    commands_issue(std::move(command));
}

std::vector<uint8_t> read_framebuffer(GLuint framebuffer, int width, int height)
{
    std::vector<uint8_t> pixels(size_t(width) * size_t(height) * 4);
    if (!gpu.open || !framebuffer)
        return pixels;
    if (gpu.read_hook)
        gpu.read_hook();
    flush_pending();
    commands_settle();
    player_forget_state();
    glBindFramebuffer(GL_READ_FRAMEBUFFER, framebuffer);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    return pixels;
}

bool compile(GLuint& shader, GLenum kind, const std::string& source, const char* what)
{
    if (!gpu.open)
        return false;
    shader = glCreateShader(kind);
    const char* text = source.c_str();
    glShaderSource(shader, 1, &text, nullptr);
    glCompileShader(shader);
    GLint ok = 0;
    glGetShaderiv(shader, GL_COMPILE_STATUS, &ok);
    if (ok)
        return true;
    char log[512] = {};
    glGetShaderInfoLog(shader, sizeof log - 1, nullptr, log);
    for (char* c = log; *c; ++c)
        if (*c == '\n')
            *c = ' ';
    host_report("Could not compile %s program: %s\n", what, printable_text(log).c_str());
    glDeleteShader(shader);
    shader = 0;
    return false;
}

// The draw as the drawer asks for it now, with what it reads and writes.
Command draw_command(const GX2RBuffer* indices, GX2IndexType type, uint32_t count,
                     uint32_t index_offset)
{
    Command command;
    DrawCall& draw = command.draw;
    draw.state = gpu.run_state;
    draw.fetch = gpu.fetch;
    std::copy(gpu.attributes, gpu.attributes + max_attribute_buffers, draw.attributes);
    draw.vertex = gpu.vertex;
    draw.pixel = gpu.pixel;
    draw.uniforms = gpu.pixel->uniform_values;
    draw.indices = indices->gl_buffer;
    draw.count = count;
    draw.index_offset = index_offset;
    draw.wide = type == GX2_INDEX_TYPE_U32;
    CommandSurfaces& surfaces = command.surfaces;
    surfaces.target = draw.state.color_buffer ? draw.state.color_buffer->surface.gl_texture : 0;
    for (const GX2ShaderVar& sampler : gpu.pixel->samplers) {
        const uint32_t unit = sampler.location;
        const SampledUnit* begin = draw.units;
        const SampledUnit* end = begin + draw.unit_count;
        // Units past the library's are never bound; one named twice is bound once.
        if (unit >= max_sampler_units ||
            std::find_if(begin, end, [&](const SampledUnit& u) { return u.unit == unit; }) != end)
            continue;
        draw.units[draw.unit_count++] = {unit, gpu.want_textures[unit], gpu.want_samplers[unit]};
        surfaces.add_read(gpu.want_textures[unit]);
    }
    for (uint32_t i = 0; gpu.fetch && i < gpu.fetch->count; ++i) {
        const uint32_t buffer = gpu.fetch->streams[i].buffer;
        if (buffer < max_attribute_buffers && gpu.attributes[buffer].buffer)
            surfaces.add_read(gpu.attributes[buffer].buffer | buffer_surface);
    }
    return command;
}

}  // namespace

// Surfaces and textures -------------------------------------------------------

void GX2CalcSurfaceSizeAndAlignment(GX2Surface* surface)
{
    const uint32_t bytes = surface->format == GX2_SURFACE_FORMAT_UNORM_R8 ? 1 : 4;
    surface->pitch = (surface->width + pitch_alignment - 1) / pitch_alignment * pitch_alignment;
    surface->image_size = surface->pitch * surface->height * bytes;
    surface->alignment = 256;
}

void GX2InitTextureRegs(GX2Texture* texture)
{
    GX2Surface& surface = texture->surface;
    if (!gpu.open || surface.gl_texture)
        return;  // colour buffers bring their own texture
    const bool single = surface.format == GX2_SURFACE_FORMAT_UNORM_R8;
    surface.gl_texture = make_texture(single ? GL_R8 : GL_RGBA8, single ? GL_RED : GL_RGBA,
                                      int(surface.width), int(surface.height));
    if (texture->comp_map == GX2_COMP_MAP_ALPHA_WHITE) {
        // Red, green and blue read as one; alpha is the stored channel.
        const GLint swizzle[] = {GL_ONE, GL_ONE, GL_ONE, GL_RED};
        glTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_SWIZZLE_RGBA, swizzle);
    }
}

void GX2Invalidate(GX2InvalidateMode, void*, uint32_t)
{
    // Host memory is coherent; textures reach the GPU through GX2UploadTexture.
}

void GX2UploadTexture(const GX2Texture* texture)
{
    const GX2Surface& surface = texture->surface;
    if (!gpu.open || !surface.gl_texture || !surface.image)
        return;
    const bool single = surface.format == GX2_SURFACE_FORMAT_UNORM_R8;
    // Pending and put-off draws that sample it are made first.
    flush_pending();
    commands_settle_if_used(surface.gl_texture);
    bind_for_setup(surface.gl_texture);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, GLint(surface.pitch));
    glTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, GLsizei(surface.width), GLsizei(surface.height),
                    single ? GL_RED : GL_RGBA, GL_UNSIGNED_BYTE, surface.image);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
}

bool gx2_upload_texture_from(const GX2Texture* texture, const void* data, uint32_t row_length)
{
    const GX2Surface& surface = texture->surface;
    if (!gpu.open || !surface.gl_texture)
        return false;
    const bool single = surface.format == GX2_SURFACE_FORMAT_UNORM_R8;
    // Pending and put-off draws that sample it are made first.
    flush_pending();
    commands_settle_if_used(surface.gl_texture);
    bind_for_setup(surface.gl_texture);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, GLint(row_length));
    glTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, GLsizei(surface.width), GLsizei(surface.height),
                    single ? GL_RED : GL_RGBA, GL_UNSIGNED_BYTE, data);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
    return true;
}

bool gx2_read_texture(const GX2Texture* texture, void* image)
{
    const GX2Surface& surface = texture->surface;
    if (!gpu.open || !surface.gl_texture || !image)
        return false;
    const bool single = surface.format == GX2_SURFACE_FORMAT_UNORM_R8;
    flush_pending();
    commands_settle();
    bind_for_setup(surface.gl_texture);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glPixelStorei(GL_PACK_ROW_LENGTH, GLint(surface.pitch));
    glGetTexImage(GL_TEXTURE_2D, 0, single ? GL_RED : GL_RGBA, GL_UNSIGNED_BYTE, image);
    glPixelStorei(GL_PACK_ROW_LENGTH, 0);
    return true;
}

void GX2DestroyTexture(GX2Texture* texture)
{
    if (gpu.open && texture->surface.gl_texture) {
        const GLuint name = texture->surface.gl_texture;
        flush_pending();
        commands_settle_if_used(name);
        glDeleteTextures(1, &name);
        player_forget_texture(name);
        for (GLuint& wanted : gpu.want_textures)
            if (wanted == name)
                wanted = 0;  // as GL unbinds a deleted texture
    }
    texture->surface.gl_texture = 0;
}

void GX2InitColorBuffer(GX2ColorBuffer* buffer, uint32_t width, uint32_t height)
{
    GX2Surface& surface = buffer->surface;
    surface.width = width;
    surface.height = height;
    surface.format = GX2_SURFACE_FORMAT_UNORM_R8_G8_B8_A8;
    GX2CalcSurfaceSizeAndAlignment(&surface);
    if (!gpu.open)
        return;
    surface.gl_texture = make_texture(GL_RGBA8, GL_RGBA, int(width), int(height));
    surface.gl_framebuffer = make_framebuffer(surface.gl_texture);
}

void GX2InitColorBufferRegs(GX2ColorBuffer*)
{
    // The framebuffer object was made with the buffer.
}

std::vector<uint8_t> gx2_read_color_buffer(const GX2ColorBuffer* buffer)
{
    return read_framebuffer(buffer->surface.gl_framebuffer, int(buffer->surface.width),
                            int(buffer->surface.height));
}

// Samplers ----------------------------------------------------------------------

void GX2InitSampler(GX2Sampler* sampler, GX2TexClampMode clamp, GX2TexXYFilterMode filter)
{
    sampler->clamp = clamp;
    sampler->filter = filter;
    if (!gpu.open)
        return;
    flush_pending();
    commands_settle();
    if (!sampler->gl_sampler)
        glGenSamplers(1, &sampler->gl_sampler);
    const GLint gl_filter = filter == GX2_TEX_XY_FILTER_MODE_LINEAR ? GL_LINEAR : GL_NEAREST;
    glSamplerParameteri(sampler->gl_sampler, GL_TEXTURE_MIN_FILTER, gl_filter);
    glSamplerParameteri(sampler->gl_sampler, GL_TEXTURE_MAG_FILTER, gl_filter);
    glSamplerParameteri(sampler->gl_sampler, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glSamplerParameteri(sampler->gl_sampler, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
}

// Context, state ---------------------------------------------------------------

void GX2Init()
{
    if (gpu.open || !window_open())
        return;
    gpu.open = true;
    // Nothing shows a headless run's pictures: they are made when read.
    commands_set_put_off(window_is_headless());
    glGenVertexArrays(1, &gpu.vertex_array);
    glBindVertexArray(gpu.vertex_array);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_CULL_FACE);
}

bool gx2_is_open()
{
    return gpu.open;
}

void GX2SetupContextStateEx(GX2ContextState* state, bool)
{
    *state = GX2ContextState{};
}

void GX2SetContextState(GX2ContextState* state)
{
    gpu.state = state ? state : &gpu.fallback;
}

const GX2ContextState& gx2_current_state()
{
    return *gpu.state;
}

void GX2SetColorBuffer(const GX2ColorBuffer* buffer, int)
{
    gpu.state->color_buffer = buffer;
}

void GX2SetViewport(float x, float y, float width, float height, float near_z, float far_z)
{
    gpu.state->viewport[0] = int32_t(x);
    gpu.state->viewport[1] = int32_t(y);
    gpu.state->viewport[2] = int32_t(width);
    gpu.state->viewport[3] = int32_t(height);
    gpu.state->depth_range[0] = near_z;
    gpu.state->depth_range[1] = far_z;
}

void GX2SetScissor(uint32_t x, uint32_t y, uint32_t width, uint32_t height)
{
    gpu.state->scissor[0] = int32_t(x);
    gpu.state->scissor[1] = int32_t(y);
    gpu.state->scissor[2] = int32_t(width);
    gpu.state->scissor[3] = int32_t(height);
}

void GX2SetColorControl(uint32_t, uint32_t blend_enable_mask, bool, bool)
{
    gpu.state->blend_enabled = (blend_enable_mask & 1) != 0;
}

void GX2SetBlendControl(int, uint32_t color_src, uint32_t color_dst, uint32_t color_combine,
                        bool separate_alpha, uint32_t alpha_src, uint32_t alpha_dst,
                        uint32_t alpha_combine)
{
    uint32_t* blend = gpu.state->blend;
    blend[0] = color_src;
    blend[1] = color_dst;
    blend[2] = color_combine;
    blend[3] = separate_alpha ? alpha_src : color_src;
    blend[4] = separate_alpha ? alpha_dst : color_dst;
    blend[5] = separate_alpha ? alpha_combine : color_combine;
}

void GX2ClearColor(const GX2ColorBuffer* buffer, float r, float g, float b, float a)
{
    if (!gpu.open || !buffer)
        return;
    flush_pending();
    Command command;
    command.kind = Command::CLEAR;
    command.clear = {buffer->surface.gl_framebuffer, {r, g, b, a}};
    command.surfaces.target = buffer->surface.gl_texture;
    command.surfaces.whole = true;
    commands_issue(std::move(command));
}

// Buffers ---------------------------------------------------------------------------

bool GX2RCreateBuffer(GX2RBuffer* buffer)
{
    const size_t size = size_t(buffer->elem_size) * buffer->elem_count;
    buffer->storage = calloc(std::max<size_t>(size, 1), 1);
    if (!buffer->storage)
        return false;
    if (gpu.open && (buffer->flags & (GX2R_RESOURCE_BIND_VERTEX_BUFFER |
                                      GX2R_RESOURCE_BIND_INDEX_BUFFER))) {
        glGenBuffers(1, &buffer->gl_buffer);
        glBindBuffer(GL_ARRAY_BUFFER, buffer->gl_buffer);
        glBufferData(GL_ARRAY_BUFFER, GLsizeiptr(size), nullptr, GL_DYNAMIC_DRAW);
    }
    return true;
}

void GX2RDestroyBufferEx(GX2RBuffer* buffer, uint32_t)
{
    free(buffer->storage);
    buffer->storage = nullptr;
}

void* GX2RLockBufferEx(GX2RBuffer* buffer, uint32_t)
{
    return buffer->storage;
}

void GX2RUnlockBufferEx(GX2RBuffer* buffer, uint32_t)
{
    if (!gpu.open || !buffer->gl_buffer)
        return;
    flush_pending();
    commands_settle();
    glBindBuffer(GL_ARRAY_BUFFER, buffer->gl_buffer);
    glBufferSubData(GL_ARRAY_BUFFER, 0, GLsizeiptr(buffer->elem_size) * buffer->elem_count,
                    buffer->storage);
}

void GX2RSetAttributeBuffer(const GX2RBuffer* buffer, uint32_t index, uint32_t stride,
                            uint32_t offset)
{
    if (index >= max_attribute_buffers)
        return;
    AttributeBinding& binding = gpu.attributes[index];
    if (binding.buffer == buffer->gl_buffer && binding.stride == stride && binding.offset == offset)
        return;
    binding = {buffer->gl_buffer, stride, offset};
}

void gx2r_upload_range(GX2RBuffer* buffer, uint32_t offset, uint32_t size, bool discard)
{
    if (!gpu.open || !buffer->gl_buffer || !buffer->storage)
        return;
    const uint32_t total = buffer->elem_size * buffer->elem_count;
    const uint8_t* bytes = static_cast<const uint8_t*>(buffer->storage) + offset;
    if (!commands_put_off()) {
        player_upload(buffer->gl_buffer, offset, size, total, discard, bytes);
        return;
    }
    Command command;
    command.kind = Command::UPLOAD;
    command.upload = {buffer->gl_buffer, offset, total, discard, {bytes, bytes + size}};
    command.surfaces.target = buffer->gl_buffer | buffer_surface;
    command.surfaces.whole = discard;
    commands_issue(std::move(command));
}

// Shader programs ----------------------------------------------------------------------

bool GX2InitVertexShader(GX2VertexShader* shader)
{
    return compile(shader->gl_shader, GL_VERTEX_SHADER, shader->source, "vertex");
}

bool GX2InitPixelShader(GX2PixelShader* shader)
{
    return compile(shader->gl_shader, GL_FRAGMENT_SHADER, shader->source, "pixel");
}

void gx2_release_programs(const GX2VertexShader* vertex, const GX2PixelShader* pixel)
{
    flush_pending();
    commands_settle();
    if (gpu.vertex && gpu.vertex == vertex)
        gpu.vertex = nullptr;
    if (gpu.pixel && gpu.pixel == pixel)
        gpu.pixel = nullptr;
}

uint32_t GX2CalcFetchShaderSizeEx(uint32_t count, uint32_t, uint32_t)
{
    return count * uint32_t(sizeof(GX2AttribStream));
}

void GX2InitFetchShaderEx(GX2FetchShader* fetch, void*, uint32_t count,
                          const GX2AttribStream* streams, uint32_t, uint32_t)
{
    fetch->count = std::min<uint32_t>(count, 4);
    std::copy(streams, streams + fetch->count, fetch->streams);
}

void GX2SetFetchShader(const GX2FetchShader* fetch)
{
    if (fetch == gpu.fetch)
        return;
    flush_pending();
    gpu.fetch = fetch;
}

void GX2SetVertexShader(const GX2VertexShader* shader)
{
    if (shader == gpu.vertex)
        return;
    flush_pending();
    gpu.vertex = shader;
}

void GX2SetPixelShader(GX2PixelShader* shader)
{
    // Selected again for every draw: nothing to do when it is already bound.
    if (shader == gpu.pixel &&
        (!gpu.open || !shader || !gpu.vertex || shader->linked_with == gpu.vertex))
        return;
    flush_pending();
    gpu.pixel = shader;
    if (!gpu.open || !shader || !gpu.vertex)
        return;
    // Linked now, so that a failure is told at once; bound at the draw.
    if (shader->linked_with != gpu.vertex)
        player_link(shader, gpu.vertex);
}

void GX2SetPixelUniformReg(uint32_t offset, uint32_t, const void* values)
{
    GX2PixelShader* pixel = gpu.pixel;
    if (!gpu.open || !pixel || !pixel->gl_program || offset == 0xFFFFFFFF)
        return;
    flush_pending();
    for (size_t i = 0; i < pixel->uniforms.size(); ++i) {
        if (pixel->uniforms[i].location != offset)
            continue;
        // Sent with the next draw that uses it.
        pixel->uniform_values.resize(pixel->uniforms.size());
        GX2UniformValue& value = pixel->uniform_values[i];
        memcpy(value.bits, values, sizeof value.bits);
        value.set = true;
        return;
    }
}

void GX2SetPixelTexture(const GX2Texture* texture, uint32_t location)
{
    if (!gpu.open || location >= max_sampler_units)
        return;
    gpu.want_textures[location] = texture ? texture->surface.gl_texture : 0;
}

void GX2SetPixelSampler(const GX2Sampler* sampler, uint32_t location)
{
    if (!gpu.open || location >= max_sampler_units)
        return;
    gpu.want_samplers[location] = sampler ? sampler->gl_sampler : 0;
}

void GX2RDrawIndexed(GX2PrimitiveMode, const GX2RBuffer* indices, GX2IndexType type,
                     uint32_t count, uint32_t index_offset, uint32_t, uint32_t)
{
    if (!gpu.open || !gpu.pixel || !gpu.pixel->gl_program || !indices->gl_buffer || count == 0)
        return;
    // The drawer's own flush draws under the state GL holds; anyone else's
    // draw goes after the pending ones, under the state as set now.
    flush_pending();
    if (!gpu.flushing || !gpu.run_known)
        sync_state();
    ++gpu.draws;
    commands_issue(draw_command(indices, type, count, index_offset));
}

void gx2_sync_state()
{
    sync_state();
}

void gx2_set_draw_flush_hook(void (*flush)())
{
    gpu.flush_hook = flush;
}

uint64_t gx2_draw_count()
{
    return gpu.draws;
}

uint64_t gx2_draws_made()
{
    return player_draws_made();
}

GX2ShaderBinding gx2_shader_binding()
{
    return {gpu.fetch, gpu.vertex, gpu.pixel};
}

void gx2_restore_shader_binding(const GX2ShaderBinding& binding)
{
    GX2SetFetchShader(binding.fetch);
    GX2SetVertexShader(binding.vertex);
    GX2SetPixelShader(binding.pixel);
}

// Copies, scan buffers, output -------------------------------------------------------------

void GX2CopySurface(const GX2Surface* source, uint32_t, uint32_t, GX2Surface* destination,
                    uint32_t, uint32_t)
{
    if (!gpu.open)
        return;
    if (!source->gl_framebuffer || !destination->gl_framebuffer) {
        OSReport("Only colour buffers can be copied\n");
        return;
    }
    blit(*source, source->gl_framebuffer, int(source->width), int(source->height),
         destination->gl_texture, destination->gl_framebuffer, int(destination->width),
         int(destination->height));
}

void GX2CalcTVSize(int, GX2SurfaceFormat, int buffering, uint32_t* size, uint32_t* scale_needed)
{
    *size = uint32_t(tv_scan_width * tv_scan_height * 4 * buffering);
    *scale_needed = 0;
}

void GX2CalcDRCSize(int, GX2SurfaceFormat, int buffering, uint32_t* size, uint32_t* scale_needed)
{
    *size = uint32_t(drc_scan_width * drc_scan_height * 4 * buffering);
    *scale_needed = 0;
}

void GX2SetTVBuffer(void*, uint32_t, int, GX2SurfaceFormat, int)
{
    make_scan_buffer(gpu.tv, tv_scan_width, tv_scan_height);
}

void GX2SetDRCBuffer(void*, uint32_t, int, GX2SurfaceFormat, int)
{
    make_scan_buffer(gpu.drc, drc_scan_width, drc_scan_height);
}

void GX2CopyColorBufferToScanBuffer(const GX2ColorBuffer* buffer, GX2ScanTarget target)
{
    const ScanBuffer& scan = target == GX2_SCAN_TARGET_TV ? gpu.tv : gpu.drc;
    if (!gpu.open || !scan.framebuffer)
        return;
    if (target == GX2_SCAN_TARGET_TV)
        gpu.shown = nullptr;
    blit(buffer->surface, buffer->surface.gl_framebuffer, int(buffer->surface.width),
         int(buffer->surface.height), scan.texture, scan.framebuffer, scan.width, scan.height);
}

void GX2SwapScanBuffers()
{
    if (!gpu.open)
        return;
    flush_pending();
    const uint64_t picture = gpu.swaps++;
    if (gpu.swap_hook)
        gpu.swap_hook(picture, gpu.swap_hook_context);
    const GX2Surface* shown = gpu.shown ? &gpu.shown->surface : nullptr;
    gpu.shown = nullptr;
    // A logical picture shown in its place takes the TV picture's shape, as
    // its scaled copy would.
    window_swap({picture, shown ? shown->gl_framebuffer : gpu.tv.framebuffer,
                 shown ? int(shown->width) : gpu.tv.width, shown ? int(shown->height) : gpu.tv.height,
                 gpu.tv_enabled, [] { return gx2_read_scan_buffer(GX2_SCAN_TARGET_TV); },
                 tv_scan_width, tv_scan_height});
    player_forget_state();
}

void gx2_set_swap_hook(void (*hook)(uint64_t, void*), void* context)
{
    gpu.swap_hook = hook;
    gpu.swap_hook_context = context;
}

uint64_t gx2_swap_count()
{
    return gpu.swaps;
}

bool gx2_next_picture_observed()
{
    return gpu.open && (gpu.swap_hook || window_wants_picture(gpu.swaps, gpu.tv_enabled));
}

bool gx2_next_picture_needs_full_size()
{
    return gpu.open && (gpu.swap_hook || window_wants_full_size(gpu.swaps, gpu.tv_enabled));
}

void gx2_show_color_buffer(const GX2ColorBuffer* buffer)
{
    gpu.shown = buffer;
}

bool gx2_next_gamepad_picture_observed()
{
    return gpu.open && gpu.swap_hook;
}

void gx2_set_read_hook(void (*hook)())
{
    gpu.read_hook = hook;
}

bool gx2_pictures_put_off()
{
    return commands_put_off();
}

void gx2_set_pictures_put_off(bool put_off)
{
    flush_pending();
    commands_settle();
    commands_set_put_off(put_off);
}

void gx2_discard_color_buffer(const GX2ColorBuffer* buffer)
{
    if (!commands_put_off() || !buffer)
        return;
    flush_pending();
    Command command;
    command.kind = Command::DISCARD;
    command.surfaces.target = buffer->surface.gl_texture;
    command.surfaces.whole = true;
    commands_issue(std::move(command));
}

size_t gx2_put_off_count()
{
    return commands_waiting();
}

std::vector<uint8_t> gx2_read_scan_buffer(GX2ScanTarget target)
{
    const ScanBuffer& scan = target == GX2_SCAN_TARGET_TV ? gpu.tv : gpu.drc;
    return read_framebuffer(scan.framebuffer, scan.width, scan.height);
}

void GX2SetTVEnable(bool enable)
{
    gpu.tv_enabled = enable;
}

void GX2SetDRCEnable(bool enable)
{
    gpu.drc_enabled = enable;
}

bool gx2_tv_enabled()
{
    return gpu.tv_enabled;
}

bool gx2_drc_enabled()
{
    return gpu.drc_enabled;
}

void GX2Flush()
{
    flush_pending();
    if (gpu.open)
        glFlush();
    ++gpu.time_stamp;
}

uint64_t GX2GetLastSubmittedTimeStamp()
{
    return gpu.time_stamp;
}

bool GX2WaitTimeStamp(uint64_t)
{
    // Every submitted picture is finished once GL has drained.
    GX2DrawDone();
    return true;
}

void GX2DrawDone()
{
    flush_pending();
    if (gpu.open)
        glFinish();
}
