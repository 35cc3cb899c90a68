// What the runtime needs of the game it runs. The game fills one in and the
// program's main hands it to the manager; the runtime names no game code.
#pragma once

#include <span>

class Frame;

struct GlobalStart {
    unsigned index;
    double value;
};

struct GameDescription {
    Frame* frames = nullptr;  // the game's frame object
    int frame_count = 0;      // frame indexes 0 .. frame_count - 1
    // Global values 0 .. global_value_count - 1 start at 0 except these.
    unsigned global_value_count = 0;
    std::span<const GlobalStart> global_value_starts;
    std::span<const char* const> global_string_starts;
    // Key codes of up, down, left, right and buttons 1-4.
    int control_keys[8] = {};
    // Whether either face button counts as button 1 right now (null: never).
    bool (*either_face_button_is_1)() = nullptr;
};

// Writes the game's start values into fresh global stores.
class GlobalValues;
class GlobalStrings;
void setup_globals(const GameDescription& game, GlobalValues* values, GlobalStrings* strings);
