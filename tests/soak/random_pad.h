// A gamepad played at random from a seed: spells of a few ticks to a
// second and a half, each holding one state. Mostly running right and
// jumping, as a player crossing an act does, with turns back, crouches,
// looks up, attacks, the stick and now and then the pause button. The
// same seed plays the same way on every machine (the engine's raw output
// only; the standard distributions differ between libraries).
#pragma once

#include <cstdint>
#include <random>

struct PadSpell {
    uint32_t buttons = 0;     // held for the whole spell
    int jump_ticks = 0;       // A is held too for the spell's first ticks
    bool use_stick = false;
    float stick_x = 0.0f, stick_y = 0.0f;
    int ticks = 1;
};

class RandomPad {
public:
    explicit RandomPad(uint32_t seed) : engine(seed) {}
    PadSpell next();

private:
    uint32_t below(uint32_t n) { return uint32_t(engine() % n); }
    // -1 ... 1 in steps of 1/8.
    float unit() { return float(int(below(17)) - 8) / 8.0f; }

    std::mt19937 engine;
};
