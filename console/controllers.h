// The host's controllers as the console's: the keyboard and the first SDL
// game controller are the gamepad, the mouse on the window is its touch
// panel, and further SDL game controllers are pro controllers on the remote
// channels 0..3. States are polled; the window pumps SDL's events once per
// message batch.
#pragma once

#include "console/pads.h"

#include <SDL.h>

class HostControllers : public PadSource {
public:
    HostControllers();
    ~HostControllers() override;
    HostControllers(const HostControllers&) = delete;
    HostControllers& operator=(const HostControllers&) = delete;

    bool read_gamepad(long tick, int channel, VPADStatus& status) override;
    int32_t read_remote(long tick, int channel, KPADStatus& status) override;

private:
    // Slot 0 is the gamepad's controller, slots 1..4 the remote channels.
    static constexpr int slot_count = 5;

    void refresh(long tick);
    bool is_open(SDL_JoystickID id) const;

    bool started = false;
    long refreshed_tick = -1;
    SDL_GameController* slots[slot_count] = {};
};
