// The display mode and the logical screen: what the platform knows of the
// pictures without drawing them. The mode follows the gamepad.
#pragma once

void platform_get_size(int* width, int* height);
void platform_get_screen_size(int* width, int* height);
void platform_set_remote_value(int mode);
int platform_get_remote_value();
void platform_set_vsync(bool vsync);
void platform_set_fullscreen(bool fullscreen);
void platform_prepare_frame_change();

// The controller poll reports whether a gamepad answered; the display mode
// follows it (0 without a gamepad, 1 when one appears).
void platform_set_gamepad_present(bool present);
bool platform_gamepad_present();
