#include "runtime/frameobject.h"

#include "base/pools.h"
#include "graphics/image.h"
#include "graphics/render.h"
#include "graphics/shader.h"
#include "runtime/frame.h"
#include "runtime/layer.h"
#include "runtime/manager.h"
#include "runtime/movement.h"

#include "console/os.h"

#include <algorithm>
#include <new>

namespace {
// This file's own random generator (swap_position).
uint32_t random_seed = 0;

unsigned random_index(unsigned count)
{
    random_seed = random_seed * 214013u + 2531011u;
    const unsigned r = (random_seed >> 16) & 0x7FFFu;
    return (count * r) >> 15;
}
}  // namespace

FrameObject::FrameObject(int x, int y, int type_id)
    : x(x), y(y), flags(VISIBLE | SCROLL), id(type_id), blend_color(255, 255, 255, 255)
{
}

FrameObject::~FrameObject()
{
    clear_movements();
    delete shader_parameters;
    if (alterables && !(flags & GLOBAL)) {
        // Destroyed before the slot goes back, so that no string storage is lost.
        alterables->~Alterables();
        object_pool<Alterables>.destroy(alterables);
    }
    if (fixed_handle)
        release_fixed_handle(fixed_handle);
}

void FrameObject::dealloc()
{
    this->~FrameObject();
    object_pool<FrameObject>.destroy(this);
}

int FrameObject::get_action_x() const
{
    return x + layer->off_x;
}

int FrameObject::get_action_y() const
{
    return y + layer->off_y;
}

int FrameObject::get_angle() const
{
    return 0;
}

void FrameObject::set_angle(int, int) {}
void FrameObject::draw() {}

void FrameObject::set_direction(int dir, bool set_movement)
{
    direction = dir & 31;
    if (set_movement && movement)
        movement->set_direction(dir);
}

int FrameObject::get_direction() const
{
    return direction;
}

void FrameObject::destroy()
{
    if (flags & DESTROYING)
        return;
    flags |= DESTROYING;
    if (collision)
        collision->type = NONE_COLLISION;
    frame->destroyed_instances.push_back(this);
}

void FrameObject::flash(float) {}
void FrameObject::set_animation(int) {}
void FrameObject::set_backdrop_offset(int, int) {}

// Positions -----------------------------------------------------------------

void FrameObject::set_x(int frame_x)
{
    set_position(frame_x - layer->off_x, y);
}

void FrameObject::set_y(int frame_y)
{
    set_position(x, frame_y - layer->off_y);
}

void FrameObject::set_position(int local_x, int local_y)
{
    if (local_x == x && local_y == y)
        return;
    const int dx = local_x - x, dy = local_y - y;
    x = local_x;
    y = local_y;
    if (collision)
        collision->move_box(dx, dy);
}

void FrameObject::set_global_position(int frame_x, int frame_y)
{
    set_position(frame_x - layer->off_x, frame_y - layer->off_y);
}

int FrameObject::get_x() const
{
    return x + layer->off_x;
}

int FrameObject::get_y() const
{
    return y + layer->off_y;
}

void swap_position(const std::vector<FrameObject*>& instances)
{
    const unsigned count = unsigned(instances.size());
    if (count < 2)
        return;
    const unsigned first = random_index(count);
    unsigned second;
    do
        second = random_index(count);
    while (second == first);
    FrameObject* a = instances[first];
    FrameObject* b = instances[second];
    const int ax = a->get_x(), ay = a->get_y();
    const int bx = b->get_x(), by = b->get_y();
    a->set_position(bx - a->layer->off_x, by - a->layer->off_y);
    b->set_position(ax - b->layer->off_x, ay - b->layer->off_y);
}

void setup_default_instance(FrameObject* instance)
{
    instance->width = 0;
    instance->height = 0;
    instance->layer = &default_layer();
}

// Depth order and layers --------------------------------------------------------

void FrameObject::move_back()
{
    if (flags & BACKGROUND)
        return;
    layer->remove_object(this);
    if (layer->first)
        layer->add_object_back(this);
    else
        layer->add_object(this);
}

void FrameObject::move_front()
{
    if (flags & BACKGROUND)
        return;
    layer->remove_object(this);
    layer->add_object(this);
}

void FrameObject::move_back(FrameObject* other)
{
    layer->move_behind(this, other);
}

void FrameObject::move_front(FrameObject* other)
{
    layer->move_in_front(this, other);
}

void FrameObject::set_layer(int layer_index)
{
    frame->set_object_layer(this, layer_index);
}

// Overlap tests -------------------------------------------------------------------

bool FrameObject::overlaps(FrameObject* other)
{
    if ((flags & INACTIVE) || (other->flags & INACTIVE) || other == this)
        return false;
    if (!collision || !other->collision || collision->type == NONE_COLLISION ||
        other->collision->type == NONE_COLLISION)
        return false;
    if (layer != other->layer)
        return false;
    const int* box = other->collision->aabb;
    if (other->flags & ALTERNATE_BOX) {
        if (const int* alternate = other->get_alternate_box())
            box = alternate;
    }
    return collide_direct(collision, other->collision, box);
}

bool FrameObject::overlaps_background()
{
    if ((flags & DESTROYING) || !collision)
        return false;
    if (flags & BACKGROUND_CACHED)
        return (flags & BACKGROUND_HIT) != 0;
    if (layer->back && layer->back->overlaps(collision))
        return true;
    flags |= BACKGROUND_CACHED;
    BackgroundOverlapCallback callback{collision};
    // An instance that was never placed has no cells of its own: its box serves.
    const bool ran_out = collision->proxy != -1 ? layer->grid.query_static(collision->proxy, callback)
                                                : layer->grid.query_static(collision->aabb, callback);
    if (ran_out)
        return false;
    flags |= BACKGROUND_HIT;
    return true;
}

// Visibility and colour --------------------------------------------------------

void FrameObject::set_visible(bool visible)
{
    flash(0.0f);
    if (visible)
        flags |= VISIBLE;
    else
        flags &= ~uint32_t(VISIBLE);
}

void FrameObject::set_blend_color(int rgb)
{
    blend_color.r = uint8_t(rgb & 0xFF);
    blend_color.g = uint8_t((rgb >> 8) & 0xFF);
    blend_color.b = uint8_t((rgb >> 16) & 0xFF);
}

void FrameObject::update_flash(float interval, float& timer)
{
    if (interval == 0.0f)
        return;
    const float next = timer + manager.frame_time;
    if (next < interval) {
        timer = next;
        return;
    }
    timer = 0.0f;
    flags ^= VISIBLE;
}

// Drawing ------------------------------------------------------------------

void FrameObject::draw_image(Image* image, int draw_x, int draw_y, Color color)
{
    draw_image(image, draw_x, draw_y, color, 0.0f, 1.0f, 1.0f);
}

void FrameObject::draw_image(Image* image, int draw_x, int draw_y, Color color, float angle, float scale_x,
                             float scale_y)
{
    if (!image)
        return;
    image->upload_texture();
    Render::begin_effect(shader, shader_parameters, image->width, image->height);
    // Without an effect the image selects the plain texture shader itself.
    image->draw(draw_x, draw_y, color, angle, scale_x, scale_y);
    // An object without an effect leaves an enclosing one in place.
    if (shader != 0)
        Render::end_effect();
}

void FrameObject::begin_draw()
{
    Render::begin_effect(shader, shader_parameters, width, height);
}

void FrameObject::end_draw()
{
    if (shader != 0)
        Render::end_effect();
}

void draw_gradient(int x1, int y1, int x2, int y2, int type, Color color1, Color color2, int alpha)
{
    if (type < 0 || type > 2)
        return;
    color1.a = color2.a = clamp_color_component(alpha);
    if (type == 0)
        Render::fill(x1, y1, x2, y2, color1);
    else if (type == 1)
        Render::draw_vertical_gradient(x1, y1, x2, y2, color1, color2);
    else
        Render::draw_horizontal_gradient(x1, y1, x2, y2, color1, color2);
}

void FrameObject::set_shader(int shader_id)
{
    if (!shader_parameters)
        shader_parameters = new ShaderParameters();
    shader = shader_id;
}

const ShaderParameter* FrameObject::find_shader_parameter(uint32_t hash) const
{
    return ::find_shader_parameter(shader_parameters, hash);
}

double FrameObject::get_shader_parameter(uint32_t hash) const
{
    const ShaderParameter* parameter = find_shader_parameter(hash);
    return parameter ? parameter->value : 0.0;
}

ShaderParameter* FrameObject::set_shader_parameter(const std::string& name, double value)
{
    if (name.empty())
        return nullptr;
    if (!shader_parameters)
        shader_parameters = new ShaderParameters();
    const uint32_t hash = hash_shader_parameter(name.data(), unsigned(name.size()));
    for (ShaderParameter& parameter : *shader_parameters) {
        if (parameter.hash == hash) {
            parameter.value = value;
            return &parameter;
        }
    }
    shader_parameters->push_back({hash, value});
    return &shader_parameters->back();
}

ShaderParameter* FrameObject::set_shader_parameter(const std::string& name, const Color& color)
{
    const uint32_t packed = uint32_t(color.r) | uint32_t(color.g) << 8 | uint32_t(color.b) << 16 |
                            uint32_t(color.a) << 24;
    return set_shader_parameter(name, double(int32_t(packed)));
}

ShaderParameter* FrameObject::set_shader_parameter(const std::string& name, Image& image)
{
    image.upload_texture();
    return set_shader_parameter(name, double(image.texture));
}

ShaderParameter* FrameObject::set_shader_parameter(const std::string& name, const std::string& path)
{
    FileImage* image = get_image_cache(path, 0, 0, 0, 0, TransparentColor(0, 0, 0, 0));
    if (!image)
        return nullptr;
    return set_shader_parameter(name, *image);
}

// Box queries ------------------------------------------------------------------

void FrameObject::get_box(int* box) const
{
    // The tests read the collision box; an instance without a shape answers
    // with its own rectangle instead of failing.
    if (collision) {
        for (int i = 0; i < 4; ++i)
            box[i] = collision->aabb[i];
        return;
    }
    box[0] = x;
    box[1] = y;
    box[2] = x + width;
    box[3] = y + height;
}

bool FrameObject::box_outside(const int* area) const
{
    int own[4];
    get_box(own);
    return own[0] > area[2] || own[1] > area[3] || own[2] < area[0] || own[3] < area[1];
}

bool FrameObject::outside_playfield() const
{
    int box[4];
    get_box(box);
    const int x1 = box[0] + layer->off_x, y1 = box[1] + layer->off_y;
    const int x2 = box[2] + layer->off_x, y2 = box[3] + layer->off_y;
    return x1 > frame->width || y1 > frame->height || x2 < 0 || y2 < 0;
}

bool FrameObject::is_near_border(int margin) const
{
    const int vx = frame->new_display_x, vy = frame->new_display_y;
    int box[4];
    get_box(box);
    const int x1 = box[0] + layer->off_x, y1 = box[1] + layer->off_y;
    const int x2 = box[2] + layer->off_x, y2 = box[3] + layer->off_y;
    return x1 <= vx + margin || x2 >= vx + Frame::screen_width - margin || y1 <= vy + margin ||
           y2 >= vy + Frame::screen_height - margin;
}

int FrameObject::get_box_index(int side) const
{
    if (side < 0 || side > 3) {
        OSReport("Invalid box side: %d\n", side);
        return 0;
    }
    int box[4];
    get_box(box);
    return box[side] + ((side & 1) ? layer->off_y : layer->off_x);
}

bool FrameObject::mouse_over() const
{
    if ((flags & DESTROYING) || !collision)
        return false;
    const PointCollision point(manager.mouse_x + frame->display_x - layer->off_x,
                               manager.mouse_y + frame->display_y - layer->off_y);
    return collide_direct(&point, collision);
}

bool FrameObject::test_direction(int dir) const
{
    return get_direction() == dir;
}

bool FrameObject::test_directions(uint32_t mask) const
{
    return ((mask >> (unsigned(get_direction()) & 31u)) & 1u) != 0;
}

void FrameObject::update_inactive()
{
    if (box_outside(layer->inactive_box))
        flags |= INACTIVE;
    else
        flags &= ~uint32_t(INACTIVE);
}

void FrameObject::update_kill()
{
    const bool outside = box_outside(layer->inactive_box);
    if (flags & INACTIVE) {
        if (!outside)
            flags &= ~uint32_t(INACTIVE);
        return;
    }
    if (!outside)
        return;
    flags |= INACTIVE;
    if (box_outside(layer->kill_box))
        destroy();
}

// Movements ----------------------------------------------------------------------

void FrameObject::clear_movements()
{
    // The current movement may stand in the array too: it is deleted once.
    for (int i = 0; i < movement_count; ++i) {
        if (movements[i] != movement)
            delete movements[i];
    }
    delete[] movements;
    movements = nullptr;
    movement_count = 0;
    delete movement;
    movement = nullptr;
}

void FrameObject::set_movement(int new_index)
{
    if (!movements || new_index < 0 || new_index >= movement_count) {
        // Without a current movement the caller promised a valid index;
        // an unchecked one would read outside the array.
        if (!movement)
            OSReport("Invalid movement index: %d\n", new_index);
        return;
    }
    // A stand-in movement outside the array has no other owner.
    if (movement && std::find(movements, movements + movement_count, movement) == movements + movement_count)
        delete movement;
    movement = movements[new_index];
    movement->init();
}

void FrameObject::advance_movement(int delta)
{
    if (!movement)
        return;
    const int target = movement->index + delta;
    if (target < 0 || target >= movement_count)
        return;
    set_movement(target);
}

Movement* FrameObject::get_movement()
{
    if (!movement) {
        movement = new StaticMovement(this);
        movement->index = 0;
    }
    return movement;
}

// Values ----------------------------------------------------------------------------

void FrameObject::create_alterables()
{
    alterables = new (object_pool<Alterables>.create()) Alterables();
}

FixedValue FrameObject::get_fixed()
{
    return FixedValue(this);
}

FixedValue::FixedValue(FrameObject* object) : handle(0)
{
    if (!object)
        return;
    if (!object->fixed_handle)
        object->fixed_handle = register_fixed_handle(object);
    handle = object->fixed_handle;
}
