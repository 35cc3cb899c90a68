#include "objects/layerext.h"

#include "base/pools.h"
#include "runtime/frame.h"
#include "runtime/layer.h"
#include "runtime/values.h"

#include "console/os.h"

#include <algorithm>
#include <vector>

int LayerObject::sort_index = 0;
double LayerObject::sort_default = 0.0;
bool LayerObject::sort_ascending = false;

LayerObject::LayerObject(int x, int y, int type_id) : FrameObject(x, y, type_id)
{
}

LayerObject::~LayerObject() = default;

void LayerObject::dealloc()
{
    this->~LayerObject();
    object_pool<LayerObject>.destroy(this);
}

Layer* LayerObject::find_layer(int n) const
{
    if (frame && n >= 0 && size_t(n) < frame->layers.size())
        return &frame->layers[size_t(n)];
    OSReport("Invalid layer index: %d\n", n);
    return nullptr;
}

void LayerObject::hide_layer(int n)
{
    if (Layer* layer = find_layer(n))
        layer->visible = false;
}

void LayerObject::show_layer(int n)
{
    if (Layer* layer = find_layer(n))
        layer->visible = true;
}

void LayerObject::set_x(int n, int new_x)
{
    if (Layer* layer = find_layer(n))
        layer->set_position(new_x, layer->y);
}

void LayerObject::set_y(int n, int new_y)
{
    if (Layer* layer = find_layer(n))
        layer->set_position(layer->x, new_y);
}

void LayerObject::set_position(int n, int new_x, int new_y)
{
    if (Layer* layer = find_layer(n))
        layer->set_position(new_x, new_y);
}

int LayerObject::get_x(int n) const
{
    const Layer* layer = find_layer(n);
    return layer ? layer->x : 0;
}

int LayerObject::get_y(int n) const
{
    const Layer* layer = find_layer(n);
    return layer ? layer->y : 0;
}

void LayerObject::set_alpha_coefficient(int n, int coefficient)
{
    Layer* layer = find_layer(n);
    if (!layer)
        return;
    // Computed wide so that no coefficient can overflow before the clamp.
    const long long alpha = std::clamp(255LL - coefficient, 0LL, 255LL);
    for (FrameObject* object : layer->background_objects)
        object->blend_color.a = uint8_t(alpha);
}

void LayerObject::set_rgb(int n, Color color)
{
    if (Layer* layer = find_layer(n))
        layer->color = color;
}

double LayerObject::get_alterable(const FrameObject& object)
{
    if (!object.alterables)
        return sort_default;
    if (sort_index < 0 || sort_index >= int(AlterableValues::count))
        return 0.0;
    return object.alterables->values.get(unsigned(sort_index));
}

bool LayerObject::sort_func(const FrameObject& a, const FrameObject& b)
{
    const double va = get_alterable(a), vb = get_alterable(b);
    return sort_ascending ? va < vb : va > vb;
}

void LayerObject::sort_alt_decreasing(int alterable, double default_value)
{
    sort_index = alterable;
    sort_default = default_value;
    sort_ascending = true;
    Layer* layer = find_layer(current_layer);
    if (!layer)
        return;
    std::vector<FrameObject*> order;
    for (FrameObject* object = layer->first; object; object = object->layer_next)
        order.push_back(object);
    std::stable_sort(order.begin(), order.end(),
                     [](const FrameObject* a, const FrameObject* b) { return sort_func(*a, *b); });
    // Relinking through the layer keeps its count and links consistent.
    for (FrameObject* object : order)
        layer->remove_object(object);
    for (FrameObject* object : order)
        layer->add_object(object);
    layer->reset_depth();
}
