// The one application object: start-up, the tick, frame changes, drawing.
// (Grows into the full game manager with the runtime-core issue.)
#pragma once

class GameManager {
public:
    // Touch input from the platform: button 1 is the gamepad's touch panel.
    void on_mouse(int button, bool down);
};

extern GameManager manager;
