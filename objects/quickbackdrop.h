// A rectangle of the object's size: a solid or two-colour fill inside an
// optional border, or an image repeated as a pattern.
#pragma once

#include "graphics/color.h"
#include "runtime/frameobject.h"

class Image;

class QuickBackdrop : public FrameObject {
public:
    Color color1;
    int gradient_type = 0;
    Color color2;
    Color border_color;
    int border_size = 0;
    // When set, the rectangle is tiled with it and the colours are unused.
    Image* image = nullptr;

    QuickBackdrop(int x, int y, int type_id);
    ~QuickBackdrop() override;
    void dealloc() override;
    void draw() override;

private:
    void draw_fill();
    void draw_pattern();
};

// Tiles the rectangle with the image from its top-left corner, clipped by the
// scissor, which is set back to the whole view afterwards.
void draw_tiles(FrameObject& object, Image* image, int x, int y, int width, int height, Color color);

// The length of the whole tiles of `size` that fit in `value`; 0 below 1.
int align_pos(int value, int size);
