// The four input objects every frame places, read and written by letter:
// a missing instance reads as a fresh object and takes no writes.
#pragma once

#include "game/frames/event_support.h"
#include "game/frames/frames.h"

class InputObject {
public:
    explicit InputObject(ObjectList& list) : list(list) {}

    double get(char letter) const
    {
        return instance_or_default(list).alterables->values.get(unsigned(letter - 'A'));
    }
    void set(char letter, double number) const
    {
        if (FrameObject* object = instance_of(list))
            object->alterables->values.set(unsigned(letter - 'A'), number);
    }

private:
    ObjectList& list;
};

// Held and first-tick flags for the player's controls, and the input lock M.
inline InputObject player_input(Frames& frames) { return InputObject(frames.instances[types::PlayerInput_21]); }
// The mask of this tick (A) and its history (C ... Z).
inline InputObject master_input(Frames& frames) { return InputObject(frames.instances[types::MasterInput_22]); }
// The slot levels (A ... H) and what is derived from them.
inline InputObject inputs_p1(Frames& frames) { return InputObject(frames.instances[types::InputsP1_23]); }
// The dead zones (E, F) and their scaled copies (I, J).
inline InputObject global_input_data(Frames& frames)
{
    return InputObject(frames.instances[types::GlobalInputData_24]);
}
