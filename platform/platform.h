// The platform layer: the console's services as the game uses them.
#pragma once

#include <cstdint>

// What the layers above ask to hear of the platform, installed at start-up.
// Any hook may stay null.
struct PlatformHooks {
    void (*before_messages)() = nullptr;          // each poll, first (the audio flush)
    void (*on_touch)(bool down) = nullptr;        // the touch panel was pressed or released
    bool (*either_face_button_is_1)() = nullptr;  // the game's rule for button 1
};
void platform_install_hooks(const PlatformHooks& hooks);
const PlatformHooks& platform_hooks();

// Life cycle --------------------------------------------------------------
void platform_init();
void platform_exit();
// Handles one batch of process messages and reads the controllers.
void platform_poll_events();
bool platform_display_closed();
bool platform_has_focus();
void platform_set_focus(bool focus);

// Time ---------------------------------------------------------------------
double platform_get_time();
int platform_get_global_time();
void platform_sleep(double seconds);

// Heap ---------------------------------------------------------------------
void* malloc_ex(unsigned int size, int alignment);
void free_ex(void* block);

// Process-UI callbacks -------------------------------------------------------
uint32_t save_callback(void* context);
