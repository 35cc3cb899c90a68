#include "game/events/shared/window_presets.h"

#include "game/frames/event_support.h"
#include "objects/windowcontrol.h"
#include "runtime/manager.h"

void choose_window_scale(GlobalValues& globals, int scale)
{
    manager.set_scale_type(2);
    manager.set_window_scale(scale);
    manager.set_window(false);
    WindowControl::set_width(to_int(scale * globals.get(16)));
    WindowControl::set_height(to_int(scale * globals.get(17)));
    globals.set(24, scale);
    WindowControl::set_placement(4);
}

void choose_full_screen(GlobalValues& globals)
{
    manager.set_scale_type(0);
    manager.set_window_scale(1);
    manager.set_window(true);
    globals.set(24, 4);
}
