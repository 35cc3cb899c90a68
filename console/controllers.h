// The host's controllers as the console's: the keyboard and the first SDL
// game controller are the gamepad, the mouse on the window is its touch
// panel, and further SDL game controllers are pro controllers on the remote
// channels 0..3. States are polled; the window pumps SDL's events once per
// message batch. A press is also latched as SDL queues it, so a tap that is
// let go before the next tick still holds the button for that tick.
#pragma once

#include "console/pads.h"

#include <SDL.h>

#include <map>
#include <mutex>

class HostControllers : public PadSource {
public:
    HostControllers();
    ~HostControllers() override;
    HostControllers(const HostControllers&) = delete;
    HostControllers& operator=(const HostControllers&) = delete;

    bool read_gamepad(long tick, int channel, VPADStatus& status) override;
    int32_t read_remote(long tick, int channel, KPADStatus& status) override;

    // Presses since a tick took them. Controllers' bits are SDL's buttons,
    // with the triggers above them.
    struct Presses {
        uint32_t keyboard = 0;  // gamepad bits
        std::map<SDL_JoystickID, uint32_t> controllers;
        Uint32 touch_window = 0;  // a left click's window, 0 for none
        int touch_x = 0, touch_y = 0;
    };

private:
    // Slot 0 is the gamepad's controller, slots 1..4 the remote channels.
    static constexpr int slot_count = 5;

    void refresh(long tick);
    bool is_open(SDL_JoystickID id) const;
    uint32_t pressed(SDL_GameController* pad) const;
    static int SDLCALL watch(void* self, SDL_Event* event);

    bool started = false;
    long refreshed_tick = -1;
    SDL_GameController* slots[slot_count] = {};
    // The watch runs on whichever thread queues an event.
    std::mutex latch_mutex;
    Presses latched;    // under latch_mutex
    Presses this_tick;  // taken at the tick's first read
};
