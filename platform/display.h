// The TV and gamepad pictures: display creation, picture begin and end,
// display targets and the display mode.
#pragma once

void platform_create_display(bool fullscreen);
void platform_get_size(int* width, int* height);
void platform_get_screen_size(int* width, int* height);
void platform_begin_draw();
void platform_set_display_target(int target);
void platform_clone_buffers();
void platform_swap_buffers();
void platform_set_remote_value(int mode);
int platform_get_remote_value();
void platform_set_vsync(bool vsync);
void platform_set_fullscreen(bool fullscreen);
void platform_prepare_frame_change();
