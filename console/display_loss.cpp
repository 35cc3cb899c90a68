#include "console/display_loss.h"

#include "console/options.h"
#include "console/os.h"
#include "console/procui.h"

#include <SDL.h>
#include <SDL_syswm.h>

#include <dlfcn.h>

namespace {

using SetIOErrorHandler = XIOErrorHandler (*)(XIOErrorHandler);

// Called by Xlib inside whichever call found the connection gone, often deep
// in the GL driver, which would go on with what the failed request left
// undefined: so it never returns there, and the run ends from here.
int on_connection_lost(Display* display)
{
    host_report("Lost the connection to display %s; the game ends\n",
                printable_text(DisplayString(display)).c_str());
    procui_fail_run();
    console_end_now();
}

}  // namespace

void display_loss_watch(SDL_Window* window)
{
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11)
        return;
    // The Xlib that SDL loaded for the window: the handler is its own.
    void* xlib = dlopen("libX11.so.6", RTLD_NOW | RTLD_NOLOAD);
    if (!xlib)
        return;
    if (const auto set_handler = reinterpret_cast<SetIOErrorHandler>(dlsym(xlib, "XSetIOErrorHandler")))
        set_handler(on_connection_lost);
    dlclose(xlib);
}
