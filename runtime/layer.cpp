#include "runtime/layer.h"

#include "runtime/frame.h"
#include "runtime/frameobject.h"
#include "runtime/manager.h"

#include "graphics/render.h"

#include <algorithm>
#include <cmath>

Layer::Layer()
{
    update_position();
}

Layer::Layer(const Layer&) : Layer()
{
}

Layer::~Layer()
{
    // Background objects belong to their layer; the other instances to the frame.
    for (FrameObject* object : background_objects)
        object->dealloc();
}

void Layer::init(int layer_index, double coefficient_x, double coefficient_y, bool is_visible, bool wrap_h,
                 bool wrap_v)
{
    off_x = off_y = scroll_x = scroll_y = x = y = 0;
    update_position();
    wrap_x = wrap_h;
    wrap_y = wrap_v;
    index = layer_index;
    visible = is_visible;
    coef_x = coefficient_x;
    coef_y = coefficient_y;
    display = 0;
    if (this != &default_layer())
        grid.init();
}

void Layer::update_position()
{
    off_x = scroll_x + x;
    off_y = scroll_y + y;
    const Frame* frame = manager.frame;
    if (!frame) {
        std::fill(inactive_box, inactive_box + 4, 0);
        return;
    }
    const int vx = frame->display_x, vy = frame->display_y;
    const int w = frame->virtual_width, h = frame->virtual_height;
    inactive_box[0] = (vx - 64 < 0 ? -480 : vx - 64) - off_x;
    inactive_box[1] = (vy - 16 < 0 ? -300 : vy - 16) - off_y;
    inactive_box[2] = (vx + 490 > w ? w + 480 : vx + 490) - off_x;
    inactive_box[3] = (vy + 256 > h ? h + 300 : vy + 256) - off_y;
    kill_box[0] = -480 - off_x;
    kill_box[1] = -300 - off_y;
    kill_box[2] = w + 480 - off_x;
    kill_box[3] = h + 300 - off_y;
}

void Layer::scroll(int new_scroll_x, int new_scroll_y, int dx, int dy)
{
    scroll_x = new_scroll_x;
    scroll_y = new_scroll_y;
    update_position();
    for (FrameObject* object = first; object; object = object->layer_next) {
        if (!(object->flags & FrameObject::SCROLL))
            object->set_position(object->x + dx, object->y + dy);
    }
}

void Layer::set_position(int new_x, int new_y)
{
    const int dx = new_x - x, dy = new_y - y;
    x = new_x;
    y = new_y;
    update_position();
    for (FrameObject* object = first; object; object = object->layer_next) {
        if (!(object->flags & FrameObject::SCROLL))
            object->set_position(object->x - dx, object->y - dy);
    }
}

void Layer::link_last(FrameObject* object)
{
    object->layer_prev = last;
    object->layer_next = nullptr;
    if (last)
        last->layer_next = object;
    else
        first = object;
    last = object;
    ++instance_count;
}

void Layer::add_object(FrameObject* object)
{
    bool renumber = false;
    if (!last)
        object->depth = first_depth;
    else if (last->depth <= UINT32_MAX - depth_step)
        object->depth = last->depth + depth_step;
    else {
        object->depth = 0;
        renumber = true;
    }
    link_last(object);
    if (renumber)
        reset_depth();
}

void Layer::remove_object(FrameObject* object)
{
    if (object->layer_prev)
        object->layer_prev->layer_next = object->layer_next;
    else
        first = object->layer_next;
    if (object->layer_next)
        object->layer_next->layer_prev = object->layer_prev;
    else
        last = object->layer_prev;
    object->layer_next = object->layer_prev = nullptr;
    --instance_count;
}

void Layer::reset_depth()
{
    uint32_t depth = first_depth;
    for (FrameObject* object = first; object; object = object->layer_next) {
        object->depth = depth;
        depth += depth_step;
    }
}

void Layer::add_background_object(FrameObject* object)
{
    object->depth = background_objects.empty() ? 0 : background_objects.back()->depth + 1;
    background_objects.push_back(object);
}

void Layer::remove_background_object(FrameObject* object)
{
    const auto found = std::find(background_objects.begin(), background_objects.end(), object);
    if (found != background_objects.end())
        background_objects.erase(found);
}

void Layer::draw(int display_x, int display_y)
{
    if (!visible)
        return;
    const int tx = -int(std::floor(display_x * coef_x - x));
    const int ty = -int(std::floor(display_y * coef_y - y));
    Render::set_offset(tx, ty);
    Render::set_offset(float(tx), float(ty));
    // Until the grid query lands every live, visible instance is drawn:
    // background objects first, then the others in depth order.
    for (FrameObject* object : background_objects) {
        if ((object->flags & (FrameObject::VISIBLE | FrameObject::DESTROYING)) == FrameObject::VISIBLE)
            object->draw();
    }
    for (FrameObject* object = first; object; object = object->layer_next) {
        if ((object->flags & (FrameObject::VISIBLE | FrameObject::DESTROYING)) == FrameObject::VISIBLE)
            object->draw();
    }
}

Layer& default_layer()
{
    static Layer layer;
    static const bool initialised = [] {
        layer.visible = false;
        return true;
    }();
    (void)initialised;
    return layer;
}
