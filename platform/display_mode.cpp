#include "platform/display_mode.h"

#include "console/gpu.h"

namespace {

constexpr int logical_width = 426;
constexpr int logical_height = 240;

int remote_value = 2;
bool gamepad_present = false;

}  // namespace

void platform_get_size(int* width, int* height)
{
    *width = logical_width;
    *height = logical_height;
}

void platform_get_screen_size(int* width, int* height)
{
    platform_get_size(width, height);
}

void platform_set_remote_value(int mode)
{
    if (mode == remote_value || (mode != 0 && !gamepad_present))
        return;
    remote_value = mode;
    GX2SetDRCEnable(mode != 0);
}

int platform_get_remote_value()
{
    return remote_value;
}

void platform_set_gamepad_present(bool present)
{
    gamepad_present = present;
    if (!present && remote_value != 0) {
        remote_value = 0;
        GX2SetDRCEnable(false);
    } else if (present && remote_value == 0) {
        remote_value = 1;
        GX2SetDRCEnable(true);
    }
}

bool platform_gamepad_present()
{
    return gamepad_present;
}

void platform_set_vsync(bool)
{
    // The swap interval stays the library's own.
}

void platform_set_fullscreen(bool)
{
    // The console is always full screen.
}

void platform_prepare_frame_change() {}
