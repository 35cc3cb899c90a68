// The TV and gamepad pictures: display creation, the boot image, picture
// begin and end, display targets and the copies between the buffers.
#pragma once

#include "console/gpu.h"
#include "platform/display_mode.h"

// A render target that is also drawn as a texture.
struct ColorBuffer {
    ColorBuffer(bool tv, int width, int height);
    void set_current();
    void invalidate();
    // Draws the source over the whole of this buffer, scaled, blending off.
    void copy(const ColorBuffer& source);

    int width;
    int height;
    GX2ColorBuffer record{};
    void* memory = nullptr;
    unsigned int texture_slot = 0;
    GX2Texture* texture = nullptr;
};

enum DisplayBuffer { TV_BUFFER = 0, TV_LOGICAL_BUFFER = 1, GAMEPAD_LOGICAL_BUFFER = 2, GAMEPAD_BUFFER = 3 };

void platform_create_display(bool fullscreen);
void platform_begin_draw();
void platform_set_display_target(int target);
void platform_clone_buffers();
// Whether anything looks at the gamepad's next picture (a test's swap hook);
// when nothing does, the game need not draw it. A swap scales and shows the
// gamepad's picture only when something was drawn or cloned into it since
// the last swap; otherwise its screen keeps the last one.
bool platform_gamepad_picture_observed();
void platform_swap_buffers();

// Makes the TV picture that headless swaps put off, when a draw or clear
// into `target` or a read of either texture would see it.
void platform_settle_tv_picture(const GX2ColorBuffer* target, const GX2Texture* first,
                                const GX2Texture* second);

// The state every drawing operation runs under.
GX2ContextState* platform_main_context_state();
// One of the four buffers (null before the display exists).
ColorBuffer* platform_color_buffer(DisplayBuffer which);
