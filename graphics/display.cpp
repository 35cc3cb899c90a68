#include "graphics/display.h"

#include "console/os.h"
#include "console/procui.h"
#include "graphics/image.h"
#include "graphics/render_internal.h"
#include "graphics/shader.h"
#include "graphics/testing.h"
#include "platform/display_mode.h"

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
};

Display display;

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

// Steps 3 to 5 of a swap: present, outputs, next picture's pools.
void finish_picture()
{
    GX2SwapScanBuffers();
    GX2Flush();
    display.last_time_stamp = GX2GetLastSubmittedTimeStamp();
    display.swap_pending = true;
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

void show_bootup_image()
{
    FileImage image("./bootup.png", 0, 0, 0, 0, TransparentColor(0, 0, 0, 255));
    image.load();
    if (!image.is_valid()) {
        OSReport("Could not open bootup.png\n");
        return;
    }
    image.upload_texture();
    ColorBuffer& tv = buffer(TV_BUFFER);
    tv.set_current();
    // An exit request (a signal, the window closed) ends the boot image at once.
    for (int i = 0; i < boot_pictures && !procui_exit_requested(); ++i) {
        wait_for_previous_picture();
        set_whole_view(tv.width, tv.height);
        if (i <= boot_fade_end) {
            const int c = boot_brightness(i);
            draw_whole(tv.width, tv.height, Color(c, c, c, 255), image.texture);
        }
        GX2CopyColorBufferToScanBuffer(&tv.record, GX2_SCAN_TARGET_TV);
        GX2SetContextState(display.main_state);
        GX2CopyColorBufferToScanBuffer(&buffer(GAMEPAD_LOGICAL_BUFFER).record, GX2_SCAN_TARGET_DRC);
        GX2SetContextState(display.main_state);
        finish_picture();
    }
    buffer(TV_LOGICAL_BUFFER).set_current();
    image.unload();
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
    buffer(target == 1 ? GAMEPAD_LOGICAL_BUFFER : TV_LOGICAL_BUFFER).set_current();
}

void platform_clone_buffers()
{
    if (!display.created)
        return;
    GX2CopySurface(&buffer(TV_LOGICAL_BUFFER).record.surface, 0, 0,
                   &buffer(GAMEPAD_LOGICAL_BUFFER).record.surface, 0, 0);
    GX2SetContextState(display.main_state);
}

void platform_swap_buffers()
{
    if (!display.created)
        return;
    if (platform_gamepad_present()) {
        buffer(GAMEPAD_BUFFER).copy(buffer(GAMEPAD_LOGICAL_BUFFER));
        GX2CopyColorBufferToScanBuffer(&buffer(GAMEPAD_BUFFER).record, GX2_SCAN_TARGET_DRC);
        GX2SetContextState(display.main_state);
    }
    buffer(TV_BUFFER).copy(buffer(TV_LOGICAL_BUFFER));
    GX2CopyColorBufferToScanBuffer(&buffer(TV_BUFFER).record, GX2_SCAN_TARGET_TV);
    finish_picture();
}

GX2ContextState* platform_main_context_state()
{
    return display.main_state;
}

ColorBuffer* platform_color_buffer(DisplayBuffer which)
{
    return display.created ? display.buffers[which] : nullptr;
}

void platform_show_boot_image_again()
{
    display.boot_image_shown = false;
}
