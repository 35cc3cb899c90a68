#include "runtime/frame.h"

#include "console/os.h"
#include "graphics/render.h"
#include "runtime/frameobject.h"
#include "runtime/manager.h"

#include <cmath>

int Frame::update()
{
    frame_time += manager.frame_time;
    timer_mul = timer_base == 0 ? 1.0f : float(timer_base) * 0.016666668f;
    if (loop_count == 0) {
        data->init();
        update_objects();
        data->on_start();
        data->handle_events();
    } else {
        data->handle_pre_events();
        update_objects();
        clean_instances();
        data->handle_events();
    }
    update_display_center();
    manager.player_died = false;
    ++loop_count;
    return 1;
}

void Frame::draw(int mode)
{
    Render::set_view(0, 0, screen_width, screen_height);
    if (mode == 2)
        Render::clear(background_color);
    for (Layer& layer : layers) {
        const bool on_gamepad = layer.display == 1;
        if (on_gamepad == (mode == 3))
            layer.draw(display_x, display_y);
    }
}

void Frame::reset()
{
    for (ObjectList& list : instances.lists) {
        for (int k = 1; k < list.count(); ++k) {
            FrameObject* object = list.items[size_t(k)].obj;
            if (!(object->flags & FrameObject::BACKGROUND))
                object->dealloc();
        }
    }
    layers.clear();
    instances.clear();
    destroyed_instances.clear();
    display_x = display_y = 0;
    new_display_x = new_display_y = 0;
    frame_time = 0.0;
    next_frame = -1;
    loop_count = 0;
}

void Frame::clean_instances()
{
    for (FrameObject* object : destroyed_instances) {
        instances[object->id].remove(object);
        if (object->flags & FrameObject::BACKGROUND)
            object->layer->remove_background_object(object);
        else
            object->layer->remove_object(object);
        object->dealloc();
    }
    destroyed_instances.clear();
}

FrameObject* Frame::add_object(FrameObject* object, Layer* layer)
{
    object->frame = this;
    object->layer = layer;
    ObjectList& list = instances[object->id];
    list.add(object);
    layer->add_object(object);
    if (object->collision) {
        object->collision->update_aabb();
        object->collision->create_proxy();
    }
    return object;
}

FrameObject* Frame::add_object(FrameObject* object, int layer_index)
{
    if (layers.empty()) {
        OSReport("Frame has no layer for object type %d\n", object->id);
        return object;
    }
    const int last = int(layers.size()) - 1;
    if (layer_index > last)
        layer_index = last;
    if (layer_index < 0)
        layer_index = 0;
    return add_object(object, &layers[size_t(layer_index)]);
}

void Frame::add_background_object(FrameObject* object, int layer_index)
{
    if (layer_index < 0 || size_t(layer_index) >= layers.size()) {
        OSReport("Invalid background layer: %d\n", layer_index);
        return;
    }
    Layer& layer = layers[size_t(layer_index)];
    object->frame = this;
    object->layer = &layer;
    // Every backdrop shares type 1, which keeps no list.
    if (object->id != 1)
        instances[object->id].add(object);
    layer.add_background_object(object);
    if (object->collision) {
        object->collision->update_aabb();
        object->collision->create_static_proxy();
    } else {
        const int box[4] = {object->x, object->y, object->x + object->width, object->y + object->height};
        layer.grid.add(object, box);
    }
}

void Frame::set_display_center(int x, int y)
{
    if (x != -1) {
        int vx = x - screen_width / 2;
        if (vx < 0)
            vx = 0;
        if (vx > virtual_width - screen_width)
            vx = virtual_width - screen_width;
        if (vx != display_x)
            new_display_x = vx;
    }
    if (y != -1) {
        int vy = y - screen_height / 2;
        if (vy < 0)
            vy = 0;
        if (vy > virtual_height - screen_height)
            vy = virtual_height - screen_height;
        if (vy != display_y)
            new_display_y = vy;
    }
}

void Frame::update_display_center()
{
    if (new_display_x == display_x && new_display_y == display_y)
        return;
    const int old_x = display_x, old_y = display_y;
    display_x = new_display_x;
    display_y = new_display_y;
    for (Layer& layer : layers) {
        const int sx = int(std::trunc(display_x * layer.coef_x));
        const int sy = int(std::trunc(display_y * layer.coef_y));
        const int ox = int(std::trunc(old_x * layer.coef_x));
        const int oy = int(std::trunc(old_y * layer.coef_y));
        layer.scroll(display_x - sx, display_y - sy, sx - ox, sy - oy);
    }
}

void Frame::set_lives(int lives)
{
    manager.lives = lives;
    if (lives == 0)
        manager.player_died = true;
}

int Frame::get_mouse_x() const
{
    return manager.mouse_x + display_x;
}

int Frame::get_mouse_y() const
{
    return manager.mouse_y + display_y;
}

const DynamicLoop* Frame::find_loop(const std::string& name) const
{
    if (!loops)
        return nullptr;
    const auto found = loops->find(name);
    return found == loops->end() ? nullptr : &found->second;
}
