#include "runtime/layer.h"

#include "base/saturate.h"
#include "console/os.h"
#include "graphics/image.h"
#include "graphics/render.h"
#include "graphics/shader.h"
#include "runtime/frame.h"
#include "runtime/frameobject.h"
#include "runtime/manager.h"

#include <algorithm>
#include <cmath>

namespace {
// The depth step that fits a gap between two neighbours; 0 when none does
// and the layer must be renumbered.
uint32_t gap_step(uint32_t gap)
{
    if (gap > 10000u)
        return 10000u;
    for (const uint32_t step : {1000u, 100u, 10u, 1u}) {
        if (step < gap)
            return step;
    }
    return 0u;
}
}  // namespace

Layer::Layer()
{
    update_position();
}

Layer::Layer(const Layer&) : Layer()
{
}

Layer::~Layer()
{
    delete back;
    // Background objects belong to their layer; the other instances to the
    // frame. Their shapes leave this layer's grid as they go.
    const std::vector<FrameObject*> objects = std::move(background_objects);
    for (FrameObject* object : objects)
        object->dealloc();
}

void Layer::init(int layer_index, double coefficient_x, double coefficient_y, bool is_visible, bool wrap_h,
                 bool wrap_v)
{
    off_x = off_y = scroll_x = scroll_y = x = y = 0;
    delete back;
    back = nullptr;
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

// Scroll and position ------------------------------------------------------------------

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
    shift_unattached(dx, dy);
}

void Layer::set_position(int new_x, int new_y)
{
    const int dx = new_x - x, dy = new_y - y;
    x = new_x;
    y = new_y;
    update_position();
    shift_unattached(-dx, -dy);
}

void Layer::shift_unattached(int dx, int dy)
{
    for (FrameObject* object = first; object; object = object->layer_next) {
        if (!(object->flags & FrameObject::SCROLL))
            object->set_position(object->x + dx, object->y + dy);
    }
}

// Depth order -------------------------------------------------------------------------

void Layer::link_before(FrameObject* object, FrameObject* next)
{
    object->layer_next = next;
    object->layer_prev = next ? next->layer_prev : last;
    if (object->layer_prev)
        object->layer_prev->layer_next = object;
    else
        first = object;
    if (next)
        next->layer_prev = object;
    else
        last = object;
    ++instance_count;
}

void Layer::link_at_depth(FrameObject* object, FrameObject* next, bool fits, uint32_t depth)
{
    object->depth = fits ? depth : 0u;
    link_before(object, next);
    if (!fits)
        reset_depth();
}

void Layer::add_object(FrameObject* object)
{
    if (!last)
        link_at_depth(object, nullptr, true, first_depth);
    else
        link_at_depth(object, nullptr, last->depth <= UINT32_MAX - depth_step, last->depth + depth_step);
}

void Layer::add_object_back(FrameObject* object)
{
    if (!first)
        link_at_depth(object, nullptr, true, first_depth);
    else
        link_at_depth(object, first, first->depth >= depth_step, first->depth - depth_step);
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

void Layer::move_behind(FrameObject* object, FrameObject* other)
{
    if (!other || other->layer != this || object->layer != this || object->depth <= other->depth ||
        ((object->flags | other->flags) & FrameObject::BACKGROUND))
        return;
    remove_object(object);
    if (other == first) {
        link_at_depth(object, other, other->depth >= depth_step, other->depth - depth_step);
        return;
    }
    const uint32_t previous = other->layer_prev->depth;
    const uint32_t step = gap_step(other->depth - previous);
    link_at_depth(object, other, step != 0, previous + step);
}

void Layer::move_in_front(FrameObject* object, FrameObject* other)
{
    if (!other || other->layer != this || object->layer != this || other->depth <= object->depth ||
        ((object->flags | other->flags) & FrameObject::BACKGROUND))
        return;
    remove_object(object);
    if (other == last) {
        link_at_depth(object, nullptr, other->depth <= UINT32_MAX - depth_step, other->depth + depth_step);
        return;
    }
    FrameObject* next = other->layer_next;
    const uint32_t step = gap_step(next->depth - other->depth);
    if (step == 0)
        OSReport("move_front flush: %u %u\n", next->depth, other->depth);
    link_at_depth(object, next, step != 0, next->depth - step);
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

// Drawing -------------------------------------------------------------------------------

void Layer::get_view_box(int display_x, int display_y, int* box) const
{
    box[0] = saturate_to_int(display_x * coef_x - x);
    box[1] = saturate_to_int(display_y * coef_y - y);
    box[2] = box[0] + Frame::screen_width;
    box[3] = box[1] + Frame::screen_height;
}

void Layer::collect_instances(const int* box)
{
    draw_list.clear();
    DrawCallback callback{&draw_list, box};
    grid.query(box, callback);
    std::sort(draw_list.begin(), draw_list.end(), [](const FrameObject* a, const FrameObject* b) {
        const bool a_back = (a->flags & FrameObject::BACKGROUND) != 0;
        const bool b_back = (b->flags & FrameObject::BACKGROUND) != 0;
        if (a_back != b_back)
            return a_back;
        return a->depth < b->depth;
    });
}

bool Layer::has_tint() const
{
    return color.r != 255 || color.g != 255 || color.b != 255;
}

void Layer::draw(int display_x, int display_y)
{
    if (!visible)
        return;
    const int tx = -saturate_to_int(std::floor(display_x * coef_x - x));
    const int ty = -saturate_to_int(std::floor(display_y * coef_y - y));
    Render::set_offset(tx, ty);
    int box[4];
    get_view_box(display_x, display_y, box);
    collect_instances(box);
    size_t k = 0;
    for (; k < draw_list.size() && (draw_list[k]->flags & FrameObject::BACKGROUND); ++k)
        draw_list[k]->draw();
    if (back)
        back->draw(box);
    for (; k < draw_list.size(); ++k)
        draw_list[k]->draw();
    if (has_tint())
        draw_tint();
}

void Layer::draw_tint()
{
    // The multiply effect darkens everything the layer drew.
    ScopedEffect multiply(32, nullptr, 0, 0);
    Render::set_offset(0, 0);
    Render::fill(0, 0, Frame::screen_width, Frame::screen_height, color);
}

// Pasted backgrounds ---------------------------------------------------------------------

void Layer::paste(Image* image, int paste_x, int paste_y, int src_x, int src_y, int width, int height,
                  int collision_type, const Color& paste_color)
{
    if (collision_type != 0 && collision_type != 1 && collision_type != 3 && collision_type != 4)
        OSReport("Collision type %d not supported\n", collision_type);
    if (!back)
        back = new Background();
    back->paste(image, paste_x, paste_y, src_x, src_y, width, height, collision_type, paste_color);
}

Background::~Background()
{
    clear_back_vec(items);
    clear_back_vec(col_items);
}

void clear_back_vec(std::vector<BackgroundItem*>& items)
{
    for (BackgroundItem* item : items)
        delete item;
    items.clear();
}

void Background::paste(Image* image, int x, int y, int src_x, int src_y, int width, int height,
                       int collision_type, const Color& color)
{
    if (!image)
        return;
    const int used_width = std::min(src_x + width, int(image->width)) - src_x;
    const int used_height = std::min(src_y + height, int(image->height)) - src_y;
    if (used_width <= 0 || used_height <= 0)
        return;
    if (collision_type == 1 || collision_type == 3) {
        auto* item = new BackgroundItem(image, x, y, src_x, src_y, used_width, used_height, color);
        if (collision_type == 3)
            item->flags = BOX_COLLISION | LADDER_OBSTACLE;
        col_items.push_back(item);
    }
    // An alpha of 0 or 1 pastes an invisible rectangle that only collides.
    if (color.a != 0 && color.a != 1)
        items.push_back(new BackgroundItem(image, x, y, src_x, src_y, used_width, used_height, color));
}

void Background::draw(const int* view)
{
    for (const BackgroundItem* item : items) {
        const int* b = item->aabb;
        if (b[2] > view[0] && b[3] > view[1] && b[0] < view[2] && b[1] < view[3])
            item->image->draw(item->dest_x, item->dest_y, item->src_x, item->src_y, item->width, item->height,
                              item->color);
    }
}

BackgroundItem* Background::overlaps(const CollisionBase* shape)
{
    for (BackgroundItem* item : col_items) {
        if (!(item->flags & LADDER_OBSTACLE) && collide_direct(shape, item, item->aabb))
            return item;
    }
    return nullptr;
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
