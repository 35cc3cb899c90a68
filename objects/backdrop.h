// A fixed image drawn with its top-left corner at the object's position.
#pragma once

#include "runtime/frameobject.h"

class Image;

class Backdrop : public FrameObject {
public:
    Image* image = nullptr;
    // 1: drawn only while both screens show the picture (display mode 2).
    int display = 2;

    Backdrop(int x, int y, int type_id);
    ~Backdrop() override;
    void dealloc() override;
    void draw() override;
};
