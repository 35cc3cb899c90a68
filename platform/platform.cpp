#include "platform/platform.h"

#include "console/fs.h"
#include "console/gpu.h"
#include "console/os.h"
#include "console/pads.h"
#include "console/procui.h"
#include "platform/input.h"

#include <ctime>

namespace {

bool initialised = false;
bool closed = false;
bool shut_down = false;

double tick_rate()
{
    return double(OSGetSystemInfo()->bus_clock_speed >> 2);
}

// Both the exit tick and the final shut-down reach here; the process-UI
// layer is asked only once.
void shut_down_process_ui()
{
    if (initialised && !shut_down) {
        shut_down = true;
        ProcUIShutdown();
    }
}

// The exit path: drain the graphics while the screen is still ours, then
// let the process-UI layer go.
void leave()
{
    if (OSGetForegroundBucket(nullptr, nullptr))
        GX2DrawDone();
    shut_down_process_ui();
}

}  // namespace

namespace {
PlatformHooks hooks;
}

void platform_install_hooks(const PlatformHooks& installed)
{
    hooks = installed;
}

const PlatformHooks& platform_hooks()
{
    return hooks;
}

void platform_init()
{
    if (initialised)
        return;
    initialised = true;
    FSInit();
    ProcUIInitEx(save_callback, nullptr);
    KPADInit();
    KPADReset();
    WPADEnableURCC(1);
    for (int channel = 0; channel < 4; ++channel)
        KPADDisableDPD(channel);
}

void platform_exit()
{
    shut_down_process_ui();
}

void platform_poll_events()
{
    if (hooks.before_messages)
        hooks.before_messages();
    const ProcUIStatus status = ProcUIProcessMessages(true);
    if (status == PROCUI_STATUS_EXITING)
        closed = true;
    else if (status == PROCUI_STATUS_RELEASE_FOREGROUND)
        ProcUIDrawDoneRelease();
    if (closed) {
        leave();
        return;
    }
    platform_read_controllers();
}

bool platform_display_closed()
{
    return closed;
}

bool platform_has_focus()
{
    return true;
}

void platform_set_focus(bool)
{
}

double platform_get_time()
{
    return double(OSGetTime()) / tick_rate();
}

int platform_get_global_time()
{
    return int(time(nullptr));
}

void platform_sleep(double seconds)
{
    if (!(seconds > 0.0))
        return;
    const double ticks = seconds * tick_rate();
    // Saturate instead of converting an out-of-range double.
    OSSleepTicks(ticks >= 9.2e18 ? INT64_MAX : OSTime(ticks));
}

void* malloc_ex(unsigned int size, int alignment)
{
    return MEMAllocFromDefaultHeapEx(size, alignment);
}

void free_ex(void* block)
{
    MEMFreeToDefaultHeap(block);
}

uint32_t save_callback(void*)
{
    OSReport("Save callback\n");
    OSSavesDone_ReadyToRelease();
    return 0;
}
