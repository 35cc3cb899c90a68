// The frame timer: measures each tick; the measured duration is the next
// tick's time step. It never waits.
#pragma once

class FPSLimiter {
public:
    using Clock = double (*)();

    int framerate = -1;
    double current_time = 0.0;  // at the end of the last measured tick
    double dt = 0.0;

    void start();
    void set(int rate) { framerate = rate; }
    void finish();

    // Tests and headless runs: a clock other than the platform's, or a fixed
    // step that replaces the measurement (0 measures again).
    void set_clock(Clock source) { clock = source; }
    void set_fixed_step(double step) { fixed_step = step; }

private:
    double now() const;

    Clock clock = nullptr;
    double fixed_step = 0.0;
};
