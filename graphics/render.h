// The renderer: textured quads through the console's graphics library.
// The graphics issue fills in the body; these are the entry points the
// runtime calls.
#pragma once

#include "graphics/color.h"

class Render {
public:
    static void init();
    // Clears the current target colour buffer.
    static void clear(Color color);
    static void set_view(int x, int y, int width, int height);
    // The view offset added to every pixel coordinate (float and integer forms).
    static void set_offset(int x, int y);
    static void draw_tex(int x1, int y1, int x2, int y2, Color color, unsigned int texture);
};
