#include "objects/backdrop.h"

#include "base/pools.h"
#include "graphics/display.h"
#include "graphics/image.h"

Backdrop::Backdrop(int x, int y, int type_id) : FrameObject(x, y, type_id) {}

Backdrop::~Backdrop()
{
    delete collision;
    collision = nullptr;
}

void Backdrop::dealloc()
{
    this->~Backdrop();
    object_pool<Backdrop>.destroy(this);
}

void Backdrop::draw()
{
    if (display == 1 && platform_get_remote_value() != 2)
        return;
    if (!image)
        return;
    draw_image(image, x + image->hotspot_x, y + image->hotspot_y, blend_color);
}
