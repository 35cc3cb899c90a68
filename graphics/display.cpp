#include "graphics/display.h"

#include "console/os.h"
#include "console/procui.h"
#include "graphics/image.h"
#include "graphics/render_internal.h"
#include "graphics/shader.h"
#include "graphics/testing.h"
#include "platform/display_mode.h"

#include <memory>
#include <new>

namespace {

constexpr int logical_width = 426;
constexpr int logical_height = 240;
constexpr unsigned int command_pool_size = 4194304;
constexpr unsigned int context_state_size = 41216;
constexpr int tv_render_mode = 5;
constexpr int drc_render_mode = 1;
constexpr int double_buffering = 2;
constexpr int boot_pictures = 480;
constexpr int boot_fade_start = 300;
constexpr int boot_fade_end = 360;

struct BufferSize {
    bool tv;
    int width, height;
};

// Created in this order, so they take texture slots 0 to 3.
constexpr BufferSize buffer_sizes[4] = {
    {true, 1920, 1080}, {false, logical_width, logical_height},
    {false, logical_width, logical_height}, {false, 852, 480}};

struct Display {
    bool created = false;
    void* command_pool = nullptr;
    void* tv_scan = nullptr;
    uint32_t tv_scan_size = 0;
    void* drc_scan = nullptr;
    uint32_t drc_scan_size = 0;
    GX2ContextState* copy_state = nullptr;
    GX2ContextState* main_state = nullptr;
    ColorBuffer* buffers[4] = {};
    bool boot_image_shown = false;
    bool swap_pending = false;
    uint64_t last_time_stamp = 0;
    bool outputs_enabled = false;
    // The gamepad's logical picture was drawn or cloned into since the last swap.
    bool gamepad_drawn = false;
};

Display display;

// What the full-size TV picture (TV_BUFFER) and the TV scan buffer still owe
// when nothing looked at the pictures that made them (a headless run): the
// copies and the boot image's drawing are put off until something reads
// them, draws over them, or samples TV_BUFFER, and are then made exactly as
// they would have been.
struct OwedPicture {
    // TV_BUFFER owes the scaled copy of the logical picture kept in `kept`.
    bool copy = false;
    // TV_BUFFER owes the boot image's draws `boot_first` to `boot_last`, with
    // `boot_image` under the state `boot_state`.
    int boot_first = 0, boot_last = -1;
    GX2ContextState boot_state;
    const FileImage* boot_image = nullptr;
    bool boot_running = false;
    // Kept past the boot image's end while its draws are owed.
    std::unique_ptr<FileImage> boot_image_kept;
    // The TV scan buffer owes a copy of TV_BUFFER as it stands then.
    bool scan = false;
    // The kept logical picture (made at the first put-off copy).
    GX2ColorBuffer kept{};
    GX2Texture kept_texture{};
    bool settling = false;
};

OwedPicture owed;

bool boot_owed()
{
    return owed.boot_last >= owed.boot_first;
}

bool anything_owed()
{
    return owed.copy || boot_owed() || owed.scan;
}

// Whatever was owed is covered whole by what comes now.
void forget_owed()
{
    // Only the owed copy reads the kept picture.
    if (owed.copy)
        gx2_discard_color_buffer(&owed.kept);
    owed.copy = false;
    owed.scan = false;
    owed.boot_first = 0;
    owed.boot_last = -1;
    if (owed.boot_image_kept && !owed.boot_running) {
        owed.boot_image_kept->unload();
        owed.boot_image_kept.reset();
        owed.boot_image = nullptr;
    }
}

ColorBuffer& buffer(DisplayBuffer which)
{
    return *display.buffers[which];
}

void wait_for_previous_picture()
{
    if (!display.swap_pending)
        return;
    GX2WaitTimeStamp(display.last_time_stamp);
    display.swap_pending = false;
}

// Viewport, scissor and the renderer's view over a whole w x h target.
void set_whole_view(int width, int height)
{
    Render::set_offset(0, 0);
    Render::set_view(0, 0, width, height);
}

void draw_whole(int width, int height, Color color, unsigned int texture)
{
    Render::draw_tex(0, 0, width, height, color, texture);
}

// Steps 3 to 5 of a swap: present, outputs, next picture's pools. The next
// picture waits for this one only when it is looked at; otherwise the driver
// finishes it while the game goes on.
void finish_picture(bool observed)
{
    GX2SwapScanBuffers();
    GX2Flush();
    display.last_time_stamp = GX2GetLastSubmittedTimeStamp();
    display.swap_pending = observed;
    if (!display.outputs_enabled) {
        display.outputs_enabled = true;
        GX2SetTVEnable(true);
        GX2SetDRCEnable(true);
    }
    flush_gl();
    shader_reset_cache();
    GX2SetContextState(display.main_state);
}

int boot_brightness(int picture)
{
    if (picture < boot_fade_start)
        return 255;
    return clamp_color_component(255 - 255 * (picture - boot_fade_start) /
                                           (boot_fade_end - boot_fade_start));
}

void draw_boot_picture(const FileImage& image, int picture)
{
    const ColorBuffer& tv = buffer(TV_BUFFER);
    const int c = boot_brightness(picture);
    draw_whole_target(&render_data.textures[image.texture].texture,
                      render_data.textures[image.texture].sampler, Color(c, c, c, 255), tv.width,
                      tv.height);
}

// Makes what the TV picture owes, under a state of its own; the caller's
// state, programs and view are left as they were.
void settle_owed()
{
    if (!anything_owed() || owed.settling)
        return;
    owed.settling = true;
    ColorBuffer& tv = buffer(TV_BUFFER);
    GX2ContextState* const caller = const_cast<GX2ContextState*>(&gx2_current_state());
    GX2ContextState& own = *display.copy_state;
    GX2SetContextState(&own);
    if (owed.copy) {
        own = GX2ContextState{};
        own.color_buffer = &tv.record;
        GX2SetViewport(0.0f, 0.0f, float(tv.width), float(tv.height), 0.0f, 1.0f);
        GX2SetScissor(0, 0, uint32_t(tv.width), uint32_t(tv.height));
        const TextureSlot& logical = render_data.textures[buffer(TV_LOGICAL_BUFFER).texture_slot];
        draw_whole_target(&owed.kept_texture, logical.sampler, Color(255, 255, 255, 255), tv.width,
                          tv.height);
    } else if (boot_owed()) {
        own = owed.boot_state;
        for (int i = owed.boot_first; i <= owed.boot_last; ++i)
            draw_boot_picture(*owed.boot_image, i);
    }
    const bool scan = owed.scan;
    forget_owed();
    if (scan)
        GX2CopyColorBufferToScanBuffer(&tv.record, GX2_SCAN_TARGET_TV);
    GX2SetContextState(caller);
    owed.settling = false;
}

void keep_logical_picture()
{
    const ColorBuffer& logical = buffer(TV_LOGICAL_BUFFER);
    if (!owed.kept.surface.gl_framebuffer) {
        GX2InitColorBuffer(&owed.kept, uint32_t(logical.width), uint32_t(logical.height));
        owed.kept_texture.surface = owed.kept.surface;
        owed.kept_texture.comp_map = GX2_COMP_MAP_RGBA;
    }
    GX2CopySurface(&logical.record.surface, 0, 0, &owed.kept.surface, 0, 0);
}

void show_bootup_image()
{
    settle_owed();
    auto image = std::make_unique<FileImage>("./bootup.png", 0, 0, 0, 0,
                                             TransparentColor(0, 0, 0, 255));
    image->load();
    if (!image->is_valid()) {
        OSReport("Could not open bootup.png\n");
        return;
    }
    image->upload_texture();
    owed.boot_image = image.get();
    owed.boot_running = true;
    ColorBuffer& tv = buffer(TV_BUFFER);
    tv.set_current();
    // An exit request (a signal, the window closed) ends the boot image at once.
    for (int i = 0; i < boot_pictures && !procui_exit_requested(); ++i) {
        wait_for_previous_picture();
        set_whole_view(tv.width, tv.height);
        // The plain program, as a draw would select it.
        select_plain_shader();
        const bool observed = gx2_next_picture_observed();
        if (observed)
            settle_owed();
        if (i <= boot_fade_end) {
            if (observed) {
                draw_whole(tv.width, tv.height, Color(boot_brightness(i), boot_brightness(i),
                                                      boot_brightness(i), 255),
                           image->texture);
            } else {
                if (!boot_owed()) {
                    owed.boot_first = i;
                    owed.boot_state = gx2_current_state();
                }
                owed.boot_last = i;
            }
        }
        if (observed)
            GX2CopyColorBufferToScanBuffer(&tv.record, GX2_SCAN_TARGET_TV);
        else
            owed.scan = true;
        GX2SetContextState(display.main_state);
        // Nothing draws into the gamepad's picture meanwhile: one copy shows it
        // on the gamepad for all the boot image's pictures.
        if (i == 0)
            GX2CopyColorBufferToScanBuffer(&buffer(GAMEPAD_LOGICAL_BUFFER).record,
                                           GX2_SCAN_TARGET_DRC);
        GX2SetContextState(display.main_state);
        finish_picture(observed);
    }
    buffer(TV_LOGICAL_BUFFER).set_current();
    owed.boot_running = false;
    if (boot_owed()) {
        owed.boot_image_kept = std::move(image);  // drawn if anything reads the picture
    } else {
        owed.boot_image = nullptr;
        image->unload();
    }
}

uint32_t on_fg_released(void*)
{
    GX2DrawDone();
    display.outputs_enabled = false;
    OSMemoryBarrier();
    return 0;
}

// Hands both scan buffers to the library, at creation and on every return
// to the foreground.
void set_scan_buffers()
{
    GX2Invalidate(GX2_INVALIDATE_MODE_CPU, display.tv_scan, display.tv_scan_size);
    GX2SetTVBuffer(display.tv_scan, display.tv_scan_size, tv_render_mode,
                   GX2_SURFACE_FORMAT_UNORM_R8_G8_B8_A8, double_buffering);
    GX2Invalidate(GX2_INVALIDATE_MODE_CPU, display.drc_scan, display.drc_scan_size);
    GX2SetDRCBuffer(display.drc_scan, display.drc_scan_size, drc_render_mode,
                    GX2_SURFACE_FORMAT_UNORM_R8_G8_B8_A8, double_buffering);
}

uint32_t on_fg_acquired(void*)
{
    OSMemoryBarrier();
    set_scan_buffers();
    for (ColorBuffer* color_buffer : display.buffers)
        color_buffer->invalidate();
    GX2SetContextState(display.main_state);
    return 0;
}

GX2ContextState* make_context_state()
{
    void* memory = MEMAllocFromDefaultHeapEx(context_state_size, 256);
    GX2ContextState* state = new (memory) GX2ContextState;
    GX2SetupContextStateEx(state, true);
    GX2SetContextState(state);
    return state;
}

}  // namespace

// Colour buffers -----------------------------------------------------------------------

ColorBuffer::ColorBuffer(bool, int width, int height) : width(width), height(height)
{
    GX2InitColorBuffer(&record, uint32_t(width), uint32_t(height));
    memory = MEMAllocFromDefaultHeapEx(record.surface.image_size, int(record.surface.alignment));
    GX2Invalidate(GX2_INVALIDATE_MODE_CPU, memory, record.surface.image_size);
    record.surface.image = memory;
    texture_slot = render_claim_slot(record.surface, width, height);
    texture = &render_data.textures[texture_slot].texture;
    GX2InitColorBufferRegs(&record);
}

void ColorBuffer::set_current()
{
    if (gx2_current_state().color_buffer != &record)
        GX2SetColorBuffer(&record, 0);
}

void ColorBuffer::invalidate()
{
    GX2Invalidate(GX2_INVALIDATE_MODE_CPU, memory, record.surface.image_size);
}

void ColorBuffer::copy(const ColorBuffer& source)
{
    set_whole_view(width, height);
    set_current();
    Render::set_blending(false);
    draw_whole(width, height, Color(255, 255, 255, 255), source.texture_slot);
    Render::set_blending(true);
}

// The display ------------------------------------------------------------------------------

void platform_create_display(bool)
{
    if (display.created)
        return;
    display.created = true;
    display.command_pool = MEMAllocFromDefaultHeapEx(command_pool_size, 64);
    GX2Init();

    uint32_t scale_needed = 0;
    GX2CalcTVSize(tv_render_mode, GX2_SURFACE_FORMAT_UNORM_R8_G8_B8_A8, double_buffering,
                  &display.tv_scan_size, &scale_needed);
    display.tv_scan = MEMAllocFromDefaultHeapEx(display.tv_scan_size, 4096);
    GX2CalcDRCSize(drc_render_mode, GX2_SURFACE_FORMAT_UNORM_R8_G8_B8_A8, double_buffering,
                   &display.drc_scan_size, &scale_needed);
    display.drc_scan = MEMAllocFromDefaultHeapEx(display.drc_scan_size, 4096);
    set_scan_buffers();

    ProcUIRegisterCallback(PROCUI_CALLBACK_ACQUIRE, on_fg_acquired, nullptr, 100);
    ProcUIRegisterCallback(PROCUI_CALLBACK_RELEASE, on_fg_released, nullptr, 100);

    display.copy_state = make_context_state();
    display.main_state = make_context_state();
    GX2SetColorControl(0xCC, 1, false, true);
    GX2SetBlendControl(0, 4, 5, 0, true, 4, 5, 0);

    for (int i = 0; i < 4; ++i) {
        const BufferSize& size = buffer_sizes[i];
        display.buffers[i] = new ColorBuffer(size.tv, size.width, size.height);
    }
    // Drawing starts in the TV's logical picture.
    buffer(TV_LOGICAL_BUFFER).set_current();
    Render::set_view(0, 0, logical_width, logical_height);
    gx2_set_read_hook(settle_owed);
}

void platform_begin_draw()
{
    if (!display.created)
        return;
    if (!display.boot_image_shown) {
        display.boot_image_shown = true;
        show_bootup_image();
    }
    wait_for_previous_picture();
}

void platform_set_display_target(int target)
{
    if (!display.created || unsigned(target) > 2)
        return;
    if (target == 1)
        display.gamepad_drawn = true;
    buffer(target == 1 ? GAMEPAD_LOGICAL_BUFFER : TV_LOGICAL_BUFFER).set_current();
}

void platform_clone_buffers()
{
    if (!display.created)
        return;
    GX2CopySurface(&buffer(TV_LOGICAL_BUFFER).record.surface, 0, 0,
                   &buffer(GAMEPAD_LOGICAL_BUFFER).record.surface, 0, 0);
    GX2SetContextState(display.main_state);
    display.gamepad_drawn = true;
}

bool platform_gamepad_picture_observed()
{
    return gx2_next_gamepad_picture_observed();
}

void platform_swap_buffers()
{
    if (!display.created)
        return;
    if (platform_gamepad_present() && display.gamepad_drawn) {
        buffer(GAMEPAD_BUFFER).copy(buffer(GAMEPAD_LOGICAL_BUFFER));
        GX2CopyColorBufferToScanBuffer(&buffer(GAMEPAD_BUFFER).record, GX2_SCAN_TARGET_DRC);
        GX2SetContextState(display.main_state);
    }
    display.gamepad_drawn = false;
    ColorBuffer& tv = buffer(TV_BUFFER);
    // Both copies cover their whole targets: whatever was owed is past.
    forget_owed();
    const bool observed = gx2_next_picture_observed();
    if (gx2_next_picture_needs_full_size()) {
        tv.copy(buffer(TV_LOGICAL_BUFFER));
        GX2CopyColorBufferToScanBuffer(&tv.record, GX2_SCAN_TARGET_TV);
    } else {
        // Nothing reads the full-size picture (a window scales the logical
        // one itself): keep the logical one, and leave the state as the
        // copy would have.
        keep_logical_picture();
        select_plain_shader();
        set_whole_view(tv.width, tv.height);
        tv.set_current();
        Render::set_blending(true);
        owed.copy = true;
        owed.scan = true;
        if (observed)
            gx2_show_color_buffer(&buffer(TV_LOGICAL_BUFFER).record);
    }
    finish_picture(observed);
}

GX2ContextState* platform_main_context_state()
{
    return display.main_state;
}

ColorBuffer* platform_color_buffer(DisplayBuffer which)
{
    return display.created ? display.buffers[which] : nullptr;
}

void platform_settle_tv_picture(const GX2ColorBuffer* target, const GX2Texture* first,
                                const GX2Texture* second)
{
    if (!anything_owed() || owed.settling)
        return;
    const ColorBuffer& tv = buffer(TV_BUFFER);
    if (target == &tv.record || first == tv.texture || second == tv.texture)
        settle_owed();
}

void platform_show_boot_image_again()
{
    display.boot_image_shown = false;
}
