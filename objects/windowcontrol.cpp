#include "objects/windowcontrol.h"

#include "base/pools.h"
#include "graphics/display.h"
#include "platform/platform.h"
#include "runtime/manager.h"

#include "console/os.h"

WindowControl::WindowControl(int x, int y, int type_id) : FrameObject(x, y, type_id)
{
}

WindowControl::~WindowControl() = default;

void WindowControl::dealloc()
{
    this->~WindowControl();
    object_pool<WindowControl>.destroy(this);
}

bool WindowControl::has_focus()
{
    return platform_has_focus();
}

void WindowControl::set_focus(bool focus)
{
    platform_set_focus(focus);
}

int WindowControl::get_width()
{
    int width, height;
    platform_get_size(&width, &height);
    return width;
}

int WindowControl::get_height()
{
    int width, height;
    platform_get_size(&width, &height);
    return height;
}

int WindowControl::get_screen_width()
{
    int width, height;
    platform_get_screen_size(&width, &height);
    return width;
}

int WindowControl::get_screen_height()
{
    int width, height;
    platform_get_screen_size(&width, &height);
    return height;
}

void WindowControl::set_width(int width)
{
    // Single precision, truncated toward zero: 852 gives 2, 425 gives 0.
    manager.set_window_scale(int(float(width) / 426.0f));
    OSReport("Set window width: %d\n", width);
}

void WindowControl::set_height(int height)
{
    OSReport("Set window height: %d\n", height);
}

void WindowControl::set_placement(int placement)
{
    OSReport("Set window placement: %d\n", placement);
}

void WindowControl::set_visible(bool visible)
{
    OSReport("Set window visible: %d\n", visible ? 1 : 0);
}

void WindowControl::maximize()
{
    OSReport("Maximize window\n");
}

void WindowControl::restore()
{
    OSReport("Restore window\n");
}

void WindowControl::minimize()
{
    OSReport("Minimize window\n");
}
