#include "objects/quickbackdrop.h"

#include "base/pools.h"
#include "graphics/image.h"
#include "graphics/render.h"
#include "runtime/frame.h"
#include "runtime/layer.h"

#include <algorithm>

void draw_tiles(FrameObject& object, Image* image, int x, int y, int width, int height, Color color)
{
    // A negative size clips to nothing.
    Render::enable_scissor(x, y, std::max(width, 0), std::max(height, 0));
    // An empty image has no size to step by.
    if (image->width > 0 && image->height > 0) {
        for (int px = x; px < x + width; px += image->width) {
            for (int py = y; py < y + height; py += image->height)
                object.draw_image(image, px + image->hotspot_x, py + image->hotspot_y, color);
        }
    }
    Render::reset_scissor();
}

int align_pos(int value, int size)
{
    if (value < 1)
        return 0;
    return (value / size) * size;
}

QuickBackdrop::QuickBackdrop(int x, int y, int type_id) : FrameObject(x, y, type_id) {}

QuickBackdrop::~QuickBackdrop()
{
    delete collision;
    collision = nullptr;
}

void QuickBackdrop::dealloc()
{
    this->~QuickBackdrop();
    object_pool<QuickBackdrop>.destroy(this);
}

void QuickBackdrop::draw()
{
    if (image)
        draw_pattern();
    else
        draw_fill();
}

void QuickBackdrop::draw_fill()
{
    begin_draw();
    int x1 = x, y1 = y, x2 = x + width, y2 = y + height;
    bool inside_left = true;
    if (border_size > 0) {
        Render::fill(x1, y1, x2, y2, border_color);
        x1 += border_size;
        y1 += border_size;
        x2 -= border_size;
        y2 -= border_size;
        // A border of half the rectangle or more leaves no inside; the
        // swapped corners would otherwise paint the fill over the border.
        inside_left = x1 < x2 && y1 < y2;
    }
    if (inside_left)
        draw_gradient(x1, y1, x2, y2, gradient_type, color1, color2, blend_color.a);
    end_draw();
}

void QuickBackdrop::draw_pattern()
{
    const int tile_width = image->width, tile_height = image->height;
    // An empty image (missing asset) has no tiles to step by.
    if (tile_width <= 0 || tile_height <= 0)
        return;
    const int screen_x = x + layer->off_x - frame->display_x;
    const int screen_y = y + layer->off_y - frame->display_y;
    const int skip_x = align_pos(-screen_x, tile_width);
    const int skip_y = align_pos(-screen_y, tile_height);
    const int area_width = width - skip_x - align_pos(screen_x + width - Frame::screen_width, tile_width);
    const int area_height =
        height - skip_y - align_pos(screen_y + height - Frame::screen_height, tile_height);
    // A pattern wholly off screen leaves a negative area, which draws nothing.
    draw_tiles(*this, image, x + skip_x, y + skip_y, area_width, area_height, blend_color);
}
