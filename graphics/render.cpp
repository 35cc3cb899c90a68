#include "graphics/render_internal.h"

#include "console/os.h"
#include "graphics/display.h"
#include "graphics/shader.h"
#include "graphics/slot_bits.h"

#include <bitset>
#include <cstddef>
#include <cstring>

RenderData render_data;

namespace {

int offset_x_int = 0;
int offset_y_int = 0;

void to_clip(float x, float y, RenderData::Float2& out)
{
    const RenderData& r = render_data;
    out.x = (x + r.offset_x) * r.scale_x - 1.0f;
    out.y = -((y + r.offset_y) * r.scale_y - 1.0f);
}

int clamp_to(int value, int high)
{
    value = value > high ? high : value;
    return value < 0 ? 0 : value;
}

// Draws the staged quad and colours with the whole texture on it.
void draw_whole_texture(unsigned int texture)
{
    insert_texcoord1(0.0f, 0.0f, 1.0f, 1.0f);
    draw_tex_impl(texture);
}

}  // namespace

void select_plain_shader()
{
    if (render_data.current_effect == 0)
        shader_set_texture();
}

// Staging -------------------------------------------------------------------------

void insert_quad(int x1, int y1, int x2, int y2)
{
    const float corners[8] = {float(x1), float(y1), float(x2), float(y1),
                              float(x2), float(y2), float(x1), float(y2)};
    insert_quad(corners);
}

void insert_quad(const float* corners)
{
    // Vertex order first, second, third, third, fourth, first.
    static const int order[6] = {0, 1, 2, 2, 3, 0};
    for (int i = 0; i < 6; ++i)
        to_clip(corners[order[i] * 2], corners[order[i] * 2 + 1], render_data.staged_positions[i]);
}

void insert_texcoord1(float left, float top, float right, float bottom)
{
    const RenderData::Float2 coords[6] = {{left, top},     {right, top},   {right, bottom},
                                          {right, bottom}, {left, bottom}, {left, top}};
    memcpy(render_data.staged_texcoords, coords, sizeof coords);
}

void insert_color(Color color)
{
    const unsigned int packed = unsigned(color.get_int());
    for (unsigned int& slot : render_data.staged_colors)
        slot = packed;
}

void insert_horizontal_color(Color left, Color right)
{
    const unsigned int l = unsigned(left.get_int()), r = unsigned(right.get_int());
    const unsigned int colors[6] = {l, r, r, r, l, l};
    memcpy(render_data.staged_colors, colors, sizeof colors);
}

void insert_vertical_color(Color top, Color bottom)
{
    const unsigned int t = unsigned(top.get_int()), b = unsigned(bottom.get_int());
    const unsigned int colors[6] = {t, t, b, b, b, t};
    memcpy(render_data.staged_colors, colors, sizeof colors);
}

namespace {

bool make_stream()
{
    QuadBatch& batch = render_data.batch;
    if (batch.stream.storage)
        return true;
    batch.stream.flags = 0x3810;
    batch.stream.elem_size = sizeof(QuadBatch::Vertex);
    batch.stream.elem_count = batch_quad_capacity * 4;
    if (!GX2RCreateBuffer(&batch.stream))
        return false;
    // Each quad's four corners as two triangles: first, second, third; third, fourth, first.
    batch.indices.flags = 0x3820;
    batch.indices.elem_size = sizeof(uint16_t);
    batch.indices.elem_count = batch_quad_capacity * 6;
    if (!GX2RCreateBuffer(&batch.indices))
        return false;
    uint16_t* index = static_cast<uint16_t*>(GX2RLockBufferEx(&batch.indices, 0));
    static const uint16_t corners[6] = {0, 1, 2, 2, 3, 0};
    for (uint32_t quad = 0; quad < batch_quad_capacity; ++quad)
        for (int i = 0; i < 6; ++i)
            *index++ = uint16_t(quad * 4 + corners[i]);
    GX2RUnlockBufferEx(&batch.indices, 0);
    gx2_set_draw_flush_hook(flush_batch);
    return true;
}

}  // namespace

namespace {

// Adds the staged quad to the open run, or draws the run and starts another.
void add_quad(const GX2Texture* bound, const GX2Sampler* sampler, const GX2Texture* background,
              const GX2Sampler* background_sampler)
{
    RenderData& r = render_data;
    QuadBatch& batch = r.batch;
    if (!make_stream())
        return;
    // Blending, scissor or target changed since the open run began: it is drawn first.
    gx2_sync_state();
    const BaseShader* shader = current_shader;
    if (batch.count > batch.run_first &&
        (shader != batch.shader || bound != batch.texture || sampler != batch.sampler ||
         background != batch.background || background_sampler != batch.background_sampler))
        flush_batch();
    if (batch.count + 4 > batch.stream.elem_count) {
        flush_batch();
        batch.count = batch.run_first = 0;
        batch.discard = true;
    }
    batch.shader = shader;
    batch.texture = bound;
    batch.sampler = sampler;
    batch.background = background;
    batch.background_sampler = background_sampler;

    // The staged six vertices are the corners in the order 0, 1, 2, 2, 3, 0.
    static const int staged_corner[4] = {0, 1, 2, 4};
    static const RenderData::Float2 full[4] = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};
    QuadBatch::Vertex* out = static_cast<QuadBatch::Vertex*>(batch.stream.storage) + batch.count;
    for (int corner = 0; corner < 4; ++corner) {
        const int i = staged_corner[corner];
        out[corner] = {r.staged_positions[i].x, r.staged_positions[i].y, r.staged_colors[i],
                       r.staged_texcoords[i].x, r.staged_texcoords[i].y, full[corner].x,
                       full[corner].y};
    }
    batch.count += 4;
}

}  // namespace

void draw_tex_impl(unsigned int texture)
{
    RenderData& r = render_data;
    const BaseShader* shader = current_shader;
    const GX2Texture* bound = nullptr;
    const GX2Sampler* sampler = nullptr;
    if (shader && shader->texture_location != no_location && texture < max_textures) {
        bound = &r.textures[texture].texture;
        sampler = r.textures[texture].sampler;
    }
    const GX2Texture* background = nullptr;
    const GX2Sampler* background_sampler = nullptr;
    if (shader && (shader->flags & BaseShader::BACKGROUND_TEXTURE)) {
        background = &r.textures[r.background_texture].texture;
        background_sampler = r.textures[r.background_texture].sampler;
    }
    // A TV picture still owed is made before this draw reads or covers it.
    platform_settle_tv_picture(gx2_current_state().color_buffer, bound, background);
    add_quad(bound, sampler, background, background_sampler);
    ++r.batch.quads;
}

void draw_whole_target(const GX2Texture* texture, const GX2Sampler* sampler, Color color,
                       int width, int height)
{
    RenderData& r = render_data;
    RenderData::Float2 positions[6];
    unsigned int colors[6];
    RenderData::Float2 texcoords[6];
    memcpy(positions, r.staged_positions, sizeof positions);
    memcpy(colors, r.staged_colors, sizeof colors);
    memcpy(texcoords, r.staged_texcoords, sizeof texcoords);
    const float scale[2] = {r.scale_x, r.scale_y}, offset[2] = {r.offset_x, r.offset_y};
    BaseShader* const shader = current_shader;
    const GX2ShaderBinding binding = gx2_shader_binding();

    r.scale_x = 2.0f / float(width);
    r.scale_y = 2.0f / float(height);
    r.offset_x = r.offset_y = 0.0f;
    texture_shader.begin(nullptr, 0, 0);
    insert_quad(0, 0, width, height);
    insert_color(color);
    insert_texcoord1(0.0f, 0.0f, 1.0f, 1.0f);
    add_quad(texture, sampler, nullptr, nullptr);
    flush_batch();

    gx2_restore_shader_binding(binding);
    current_shader = shader;
    r.scale_x = scale[0];
    r.scale_y = scale[1];
    r.offset_x = offset[0];
    r.offset_y = offset[1];
    memcpy(r.staged_positions, positions, sizeof positions);
    memcpy(r.staged_colors, colors, sizeof colors);
    memcpy(r.staged_texcoords, texcoords, sizeof texcoords);
}

void flush_batch()
{
    QuadBatch& batch = render_data.batch;
    if (batch.count == batch.run_first)
        return;
    constexpr uint32_t stride = sizeof(QuadBatch::Vertex);
    const uint32_t first = batch.run_first, count = batch.count - batch.run_first;
    batch.run_first = batch.count;
    gx2r_upload_range(&batch.stream, first * stride, count * stride, batch.discard);
    batch.discard = false;
    GX2RSetAttributeBuffer(&batch.stream, 0, stride, offsetof(QuadBatch::Vertex, x));
    GX2RSetAttributeBuffer(&batch.stream, 1, stride, offsetof(QuadBatch::Vertex, color));
    GX2RSetAttributeBuffer(&batch.stream, 2, stride, offsetof(QuadBatch::Vertex, u));
    GX2RSetAttributeBuffer(&batch.stream, 3, stride, offsetof(QuadBatch::Vertex, bu));
    const BaseShader* shader = batch.shader;
    if (batch.texture) {
        GX2SetPixelTexture(batch.texture, shader->texture_location);
        GX2SetPixelSampler(batch.sampler, shader->texture_location);
    }
    if (batch.background) {
        GX2SetPixelTexture(batch.background, shader->background_texture_location);
        GX2SetPixelSampler(batch.background_sampler, shader->background_texture_location);
    }
    GX2RDrawIndexed(GX2_PRIMITIVE_MODE_TRIANGLES, &batch.indices, GX2_INDEX_TYPE_U16, count / 4 * 6,
                    first / 4 * 6, 0, 1);
}

void flush_gl()
{
    QuadBatch& batch = render_data.batch;
    flush_batch();
    batch.count = batch.run_first = 0;
    batch.discard = true;
    batch.quads = 0;
}

// Drawing and state --------------------------------------------------------------------

void Render::init()
{
    RenderData& r = render_data;
    make_stream();
    GX2InitSampler(&r.linear_sampler, GX2_TEX_CLAMP_MODE_CLAMP, GX2_TEX_XY_FILTER_MODE_LINEAR);
    GX2InitSampler(&r.point_sampler, GX2_TEX_CLAMP_MODE_CLAMP, GX2_TEX_XY_FILTER_MODE_POINT);
    // The slots the display claimed before the samplers existed point at the point sampler.
    const uint32_t white = 0xFFFFFFFF;
    r.white_texture = create_tex(&white, RGBA, 1, 1);
}

void Render::clear(Color color)
{
    platform_settle_tv_picture(gx2_current_state().color_buffer, nullptr, nullptr);
    GX2ClearColor(gx2_current_state().color_buffer, color.r / 255.0f, color.g / 255.0f,
                  color.b / 255.0f, color.a / 255.0f);
    GX2SetContextState(platform_main_context_state());
}

void Render::set_view(int x, int y, int width, int height)
{
    GX2SetViewport(float(x), float(y), float(width), float(height), 0.0f, 1.0f);
    GX2SetScissor(uint32_t(x), uint32_t(y), uint32_t(width), uint32_t(height));
    RenderData& r = render_data;
    r.view_x = x;
    r.view_y = y;
    r.view_width = width;
    r.view_height = height;
    r.scale_x = 2.0f / float(width);
    r.scale_y = 2.0f / float(height);
}

void Render::set_offset(int x, int y)
{
    offset_x_int = x;
    offset_y_int = y;
    render_data.offset_x = float(x);
    render_data.offset_y = float(y);
}

void Render::enable_scissor(int x, int y, int width, int height)
{
    const int x1 = clamp_to(x + offset_x_int, 426);
    const int y1 = clamp_to(y + offset_y_int, 240);
    const int x2 = clamp_to(x + offset_x_int + width, 426);
    const int y2 = clamp_to(y + offset_y_int + height, 240);
    GX2SetScissor(uint32_t(x1), uint32_t(y1), uint32_t(x2 - x1), uint32_t(y2 - y1));
}

void Render::draw_tex(int x1, int y1, int x2, int y2, Color color, unsigned int texture)
{
    select_plain_shader();
    insert_quad(x1, y1, x2, y2);
    insert_color(color);
    draw_whole_texture(texture);
}

void Render::draw_tex(float* corners, Color color, unsigned int texture)
{
    select_plain_shader();
    insert_quad(corners);
    insert_color(color);
    draw_whole_texture(texture);
}

void Render::draw_vertical_gradient(int x1, int y1, int x2, int y2, Color top, Color bottom)
{
    select_plain_shader();
    insert_quad(x1, y1, x2, y2);
    insert_vertical_color(top, bottom);
    draw_whole_texture(render_data.white_texture);
}

void Render::draw_horizontal_gradient(int x1, int y1, int x2, int y2, Color left, Color right)
{
    select_plain_shader();
    insert_quad(x1, y1, x2, y2);
    insert_horizontal_color(left, right);
    draw_whole_texture(render_data.white_texture);
}

void Render::fill(int x1, int y1, int x2, int y2, Color color)
{
    draw_tex(x1, y1, x2, y2, color, render_data.white_texture);
}

void Render::draw_tex_region(int x1, int y1, int x2, int y2, Color color, unsigned int texture,
                             float u1, float v1, float u2, float v2)
{
    select_plain_shader();
    insert_quad(x1, y1, x2, y2);
    insert_texcoord1(u1, v1, u2, v2);
    insert_color(color);
    draw_tex_impl(texture);
}

void Render::begin_effect(int effect, const ShaderParameters* parameters, int width, int height)
{
    if (effect == 0)
        return;
    render_data.current_effect = effect;
    shader_set_effect(effect, parameters, width, height);
}

void Render::end_effect()
{
    render_data.current_effect = 0;
}

void Render::set_blending(bool on)
{
    GX2SetColorControl(0xCC, on ? 1 : 0, false, true);
}

void Render::reset_scissor()
{
    const RenderData& r = render_data;
    GX2SetScissor(uint32_t(r.view_x), uint32_t(r.view_y), uint32_t(r.view_width),
                  uint32_t(r.view_height));
}

// Textures ---------------------------------------------------------------------------------

namespace {

SlotBits<max_textures> taken_slots;
// Slots whose texels live only in the host texture: their CPU copy is made
// when a pixel is first read (pixel collisions, tests), and kept from then on.
std::bitset<max_textures> texels_on_host;

int first_free_slot()
{
    return taken_slots.lowest_free();
}

void take_slot(unsigned int id)
{
    render_data.textures[id].used = 1;
    taken_slots.take(id);
}

}  // namespace

unsigned int render_claim_slot(const GX2Surface& surface, int width, int height)
{
    const int id = first_free_slot();
    if (id < 0)
        return 0;
    TextureSlot& slot = render_data.textures[id];
    take_slot(unsigned(id));
    slot.width = uint16_t(width);
    slot.height = uint16_t(height);
    slot.sampler = &render_data.point_sampler;
    slot.texture = GX2Texture{};
    slot.texture.surface = surface;
    slot.texture.comp_map = GX2_COMP_MAP_RGBA;
    GX2InitTextureRegs(&slot.texture);
    return unsigned(id);
}

namespace {

// The bytes of each row past the texture's width; set_data fills the rest.
void clear_row_ends(const GX2Surface& surface, int width)
{
    const size_t bytes = surface.format == GX2_SURFACE_FORMAT_UNORM_R8 ? 1 : 4;
    const size_t filled = size_t(width) * bytes, row = size_t(surface.pitch) * bytes;
    if (filled == row)
        return;
    for (uint32_t y = 0; y < surface.height; ++y)
        memset(static_cast<uint8_t*>(surface.image) + y * row + filled, 0, row - filled);
}

void copy_texels_to_cpu(unsigned int id)
{
    texels_on_host[id] = false;
    TextureSlot& slot = render_data.textures[id];
    GX2Surface& surface = slot.texture.surface;
    void* image = MEMAllocFromDefaultHeapEx(surface.image_size, int(surface.alignment));
    if (!image)
        return;
    surface.image = image;
    // The row ends were zero in a copy made at upload; they stay so here.
    clear_row_ends(surface, int(surface.width));
    if (!gx2_read_texture(&slot.texture, image)) {
        surface.image = nullptr;
        MEMFreeToDefaultHeap(image);
        return;
    }
    slot.storage = image;
}

}  // namespace

unsigned int Render::create_tex(const void* data, Format format, int width, int height)
{
    const int id = first_free_slot();
    if (id < 0) {
        OSReport("Maximum number of textures reached\n");
        return 0;
    }
    RenderData& r = render_data;
    TextureSlot& slot = r.textures[id];
    slot.width = uint16_t(width);
    slot.height = uint16_t(height);
    ++r.texture_count;
    take_slot(unsigned(id));
    slot.texture = GX2Texture{};
    GX2Surface& surface = slot.texture.surface;
    surface.width = uint32_t(width);
    surface.height = uint32_t(height);
    surface.format = format == ALPHA ? GX2_SURFACE_FORMAT_UNORM_R8 : GX2_SURFACE_FORMAT_UNORM_R8_G8_B8_A8;
    slot.texture.comp_map = format == ALPHA ? GX2_COMP_MAP_ALPHA_WHITE : GX2_COMP_MAP_RGBA;
    GX2CalcSurfaceSizeAndAlignment(&surface);
    GX2InitTextureRegs(&slot.texture);
    slot.sampler = &r.point_sampler;
    // With a host texture the texels go straight to it; a CPU copy is made
    // only for a texture whose pixels are read.
    if (data && gx2_upload_texture_from(&slot.texture, data, uint32_t(width))) {
        texels_on_host[unsigned(id)] = true;
        slot.storage = nullptr;
        return unsigned(id);
    }
    surface.image = MEMAllocFromDefaultHeapEx(surface.image_size, int(surface.alignment));
    if (surface.image && data)
        clear_row_ends(surface, width);
    else if (surface.image)
        memset(surface.image, 0, surface.image_size);
    set_data(&surface, data, width, height);
    GX2Invalidate(GX2_INVALIDATE_MODE_CPU_TEXTURE, surface.image, surface.image_size);
    GX2UploadTexture(&slot.texture);
    slot.storage = surface.image;
    return unsigned(id);
}

void Render::delete_tex(unsigned int id)
{
    if (id >= max_textures || !render_data.textures[id].used)
        return;
    TextureSlot& slot = render_data.textures[id];
    --render_data.texture_count;
    slot.used = 0;
    taken_slots.free(id);
    texels_on_host[id] = false;
    GX2DestroyTexture(&slot.texture);
    if (slot.storage)
        MEMFreeToDefaultHeap(slot.storage);
    slot.storage = nullptr;
    slot.texture.surface.image = nullptr;
}

void Render::set_filter(unsigned int id, bool linear_filter)
{
    if (id < max_textures)
        render_data.textures[id].sampler =
            linear_filter ? &render_data.linear_sampler : &render_data.point_sampler;
}

void set_rgba_data(GX2Surface* surface, const void* data, int width, int height)
{
    if (!surface->image || !data)
        return;
    for (int row = 0; row < height; ++row)
        memcpy(static_cast<uint32_t*>(surface->image) + size_t(row) * surface->pitch,
               static_cast<const uint32_t*>(data) + size_t(row) * size_t(width), size_t(width) * 4);
}

void set_alpha_data(GX2Surface* surface, const void* data, int width, int height)
{
    if (!surface->image || !data)
        return;
    for (int row = 0; row < height; ++row)
        memcpy(static_cast<uint8_t*>(surface->image) + size_t(row) * surface->pitch,
               static_cast<const uint8_t*>(data) + size_t(row) * size_t(width), size_t(width));
}

void set_data(GX2Surface* surface, const void* data, int width, int height)
{
    if (surface->format == GX2_SURFACE_FORMAT_UNORM_R8)
        set_alpha_data(surface, data, width, height);
    else if (surface->format == GX2_SURFACE_FORMAT_UNORM_R8_G8_B8_A8)
        set_rgba_data(surface, data, width, height);
}

uint32_t platform_get_texture_pixel(unsigned int id, int x, int y)
{
    if (id >= max_textures)
        return 0;
    if (texels_on_host[id])
        copy_texels_to_cpu(id);
    const GX2Surface& surface = render_data.textures[id].texture.surface;
    if (!surface.image)
        return 0;
    const size_t element = size_t(y) * surface.pitch + size_t(x);
    if (surface.format == GX2_SURFACE_FORMAT_UNORM_R8)
        return static_cast<const uint8_t*>(surface.image)[element];
    uint32_t value;
    memcpy(&value, static_cast<const uint8_t*>(surface.image) + element * 4, 4);
    return value;
}

// Rectangles ------------------------------------------------------------------------------

void intersect(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4, int& ix1,
               int& iy1, int& ix2, int& iy2)
{
    ix1 = x1 > x3 ? x1 : x3;
    iy1 = y1 > y3 ? y1 : y3;
    ix2 = x2 < x4 ? x2 : x4;
    iy2 = y2 < y4 ? y2 : y4;
}

bool collides(const int* a, const int* b)
{
    return a[2] > b[0] && a[3] > b[1] && a[0] < b[2] && a[1] < b[3];
}
