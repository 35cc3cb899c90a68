#include "objects/systembox.h"

#include "base/pools.h"
#include "graphics/image.h"
#include "objects/quickbackdrop.h"

namespace {

// The box ignores its blend colour.
const Color opaque_white(255, 255, 255, 255);

}  // namespace

SystemBox::SystemBox(int x, int y, int type_id) : FrameObject(x, y, type_id)
{
    collision = new InstanceBox(this);
}

SystemBox::~SystemBox()
{
    delete collision;
    collision = nullptr;
}

void SystemBox::dealloc()
{
    this->~SystemBox();
    object_pool<SystemBox>.destroy(this);
}

void SystemBox::set_text(const std::string& value)
{
    text = value;
}

void SystemBox::set_size(int w, int h)
{
    width = w;
    height = h;
    collision->update_aabb();
}

void SystemBox::draw()
{
    if (!image)
        return;
    switch (image_mode) {
    case TILED:
        draw_tiles(*this, image, x, y, width, height, opaque_white);
        break;
    case CENTERED:
        draw_at(x + width / 2 - image->width / 2, y + height / 2 - image->height / 2);
        break;
    case TOP_LEFT:
        draw_at(x, y);
        break;
    default:
        break;
    }
}

void SystemBox::draw_at(int left, int top)
{
    draw_image(image, left + image->hotspot_x, top + image->hotspot_y, opaque_white);
}

DefaultInstance::DefaultInstance() : SystemBox(0, 0, 0)
{
    // The box the constructor made is already the default's shape.
    setup_default_instance(this);
    create_alterables();
}

DefaultInstance default_instance;
