// The debug events and the window hotkeys at the end of the shared block.
// F5 to F7 choose a window of one to three times the base size, F8 full
// screen; global value 24 remembers the choice.
#include "game/events/shared/window_presets.h"
#include "game/frames/frames.h"
#include "runtime/values.h"
#include "runtime/input.h"

namespace {

constexpr int key_f5 = 0x4000003E;
constexpr int key_f6 = 0x4000003F;
constexpr int key_f7 = 0x40000040;
constexpr int key_f8 = 0x40000041;

}  // namespace

// The debug group is never switched on, so its events have nothing to do.
void Frames::event_func_220() {}
void Frames::event_func_221() {}
void Frames::event_func_222() {}

void Frames::event_func_223()
{
    if (is_key_pressed_once(key_f5))
        choose_window_scale(*global_values, 1);
}

void Frames::event_func_224()
{
    if (is_key_pressed_once(key_f6))
        choose_window_scale(*global_values, 2);
}

void Frames::event_func_225()
{
    if (is_key_pressed_once(key_f7))
        choose_window_scale(*global_values, 3);
}

void Frames::event_func_226()
{
    if (is_key_pressed_once(key_f8))
        choose_full_screen(*global_values);
}
