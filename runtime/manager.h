// The one application object: start-up, the tick, frame changes, drawing,
// lives and the global values.
#pragma once

#include "runtime/fpslimit.h"
#include "runtime/game.h"
#include "runtime/input.h"

#include <cstdint>

class Frame;
class GlobalStrings;
class GlobalValues;

class GameManager {
public:
    Frame* frame = nullptr;
    GlobalValues* values = nullptr;
    GlobalStrings* strings = nullptr;
    FPSLimiter fps_limit;
    bool fullscreen = false;
    int mouse_x = 0, mouse_y = 0;
    int score = 0;
    int lives = 0;
    bool player_died = true;  // lives reached zero
    float frame_time = 0.0f;
    InputList keyboard;
    InputList mouse;
    int control_keys[8] = {};
    uint32_t player_flags = 0;
    uint32_t player_press_flags = 0;
    int control_type = 0;
    bool ignore_controls = false;
    uint32_t joystick_flags = 0;
    uint32_t joystick_press_flags = 0;
    uint32_t joystick_release_flags = 0;

    GameManager() = default;
    GameManager(const GameManager&) = delete;
    GameManager& operator=(const GameManager&) = delete;

    // The whole program: init, ticks until update returns 0, shut-down.
    void run(const GameDescription& game);
    // Start-up; the description must outlive the run.
    void init(const GameDescription& game);
    int update();
    // The controls' flags from this tick's reading (a part of update()).
    void update_controls();
    int update_frame();
    void set_frame(int index);
    void draw();
    void shut_down();
    void reset_globals();
    void set_window(bool fullscreen);
    void set_window_scale(int) {}
    void set_scale_type(int) {}
    void on_mouse(int button, bool down);

private:
    const GameDescription* game = nullptr;
};

extern GameManager manager;
