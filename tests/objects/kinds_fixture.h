// Headless drawing of the object kinds on a frame with one layer.
#pragma once

#include "runtime/frame.h"
#include "runtime/frameobject.h"
#include "tests/support/drawing.h"

// A frame with one layer that tests place objects on by hand.
class OneLayerFrame : public Frame {
public:
    OneLayerFrame();
    void set_index(int) override {}
};

class KindDrawTest : public DrawingTest {
protected:
    // Clears the picture, draws the object alone and reads the picture back.
    void redraw(FrameObject* object)
    {
        clear();
        object->draw();
        read();
    }

    OneLayerFrame frame;
};

// The frame's layer and the frame for an object drawn directly.
template <class T>
T* place(T* object, Frame& frame)
{
    object->frame = &frame;
    object->layer = &frame.layers[0];
    return object;
}
