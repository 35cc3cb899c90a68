// The movements that instances switch between. The smallest forms the
// runtime core needs; the object-kinds work brings the real movements.
#pragma once

class FrameObject;

class Movement {
public:
    int index = 0;  // the movement's place in its instance's movement array
    FrameObject* instance;

    explicit Movement(FrameObject* instance) : instance(instance) {}
    virtual ~Movement() = default;
    // Runs when the movement becomes the instance's current one.
    virtual void init() {}
    virtual void set_direction(int) {}
};

// A movement that never moves.
class StaticMovement : public Movement {
public:
    explicit StaticMovement(FrameObject* instance) : Movement(instance) {}
};

// A direction in 32 steps (0 right, 8 up, 16 left, 24 down) or -1.
int get_movement_direction(bool up, bool down, bool left, bool right);
