#include "platform/display.h"

// Placeholders until the display lands: a 426 x 240 picture that is never shown.
namespace {
int remote_value = 2;
}

void platform_create_display(bool) {}
void platform_get_size(int* width, int* height)
{
    *width = 426;
    *height = 240;
}
void platform_get_screen_size(int* width, int* height)
{
    platform_get_size(width, height);
}
void platform_begin_draw() {}
void platform_set_display_target(int) {}
void platform_clone_buffers() {}
void platform_swap_buffers() {}
void platform_set_remote_value(int mode)
{
    // No gamepad is present: only mode 0 is granted.
    if (mode == 0)
        remote_value = 0;
}
int platform_get_remote_value()
{
    return remote_value;
}
void platform_set_vsync(bool) {}
void platform_set_fullscreen(bool) {}
void platform_prepare_frame_change() {}
