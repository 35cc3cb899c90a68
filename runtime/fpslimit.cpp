#include "runtime/fpslimit.h"

#include "platform/platform.h"

double FPSLimiter::now() const
{
    return clock ? clock() : platform_get_time();
}

void FPSLimiter::start()
{
    current_time = now();
    // The first tick after a start runs with no time step.
    dt = 0.0;
}

void FPSLimiter::finish()
{
    if (fixed_step > 0.0) {
        dt = fixed_step;
        return;
    }
    const double next = now();
    dt = next - current_time;
    // A tick over a second (a frame set-up, a stall) must not throw the
    // movements forward: it runs as one nominal tick.
    if (dt > 1.0)
        dt = 1.0 / framerate;
    if (dt < 0.0)
        dt = 0.001;
    current_time = next;
}
