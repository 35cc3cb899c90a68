#include "graphics/render.h"

// Placeholders until the renderer lands: nothing is drawn.
void Render::init() {}
void Render::clear(Color) {}
void Render::set_view(int, int, int, int) {}
void Render::set_offset(int, int) {}
void Render::draw_tex(int, int, int, int, Color, unsigned int) {}
