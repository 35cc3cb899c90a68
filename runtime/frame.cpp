#include "runtime/frame.h"

#include "base/saturate.h"
#include "console/os.h"
#include "graphics/render.h"
#include "runtime/frameobject.h"
#include "runtime/manager.h"

#include <algorithm>
#include <cstdint>

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

namespace {
// The lists a clean-up marked instances in; kept so that it allocates nothing
// once grown.
std::vector<ObjectList*> marked_lists;
}  // namespace

void Frame::clean_instances()
{
    // Every list closes its gaps in one pass, however many of its instances
    // leave; the releases that follow never read the lists.
    for (FrameObject* object : destroyed_instances) {
        ObjectList& list = instances[object->id];
        if (list.mark_removed(object) && list.marked_count() == 1)
            marked_lists.push_back(&list);
    }
    for (ObjectList* list : marked_lists)
        list->remove_marked();
    marked_lists.clear();
    for (FrameObject* object : destroyed_instances) {
        if (object->flags & FrameObject::BACKGROUND) {
            object->layer->remove_background_object(object);
            // A background object without a shape kept no id for its grid entry.
            if (!object->collision)
                object->layer->grid.remove_data(object);
        }
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

namespace {
// One axis of a view request: the view's corner for a centre, inside the
// frame (a frame smaller than the screen gets a negative corner). A corner
// equal to the one in use leaves an earlier request of the tick in place.
void request_view_axis(std::optional<int> centre, int screen, int frame_size, int in_use, int& requested)
{
    if (!centre)
        return;
    // In 64 bits: the smallest int as a centre must not wrap.
    int64_t corner = std::max<int64_t>(0, int64_t(*centre) - screen / 2);
    if (corner > frame_size - screen)
        corner = frame_size - screen;
    if (corner != in_use)
        requested = int(corner);
}
}  // namespace

void Frame::set_display_center(std::optional<int> x, std::optional<int> y)
{
    request_view_axis(x, screen_width, virtual_width, display_x, new_display_x);
    request_view_axis(y, screen_height, virtual_height, display_y, new_display_y);
}

void Frame::update_display_center()
{
    if (new_display_x == display_x && new_display_y == display_y)
        return;
    const int old_x = display_x, old_y = display_y;
    display_x = new_display_x;
    display_y = new_display_y;
    for (Layer& layer : layers) {
        const int sx = saturate_to_int(display_x * layer.coef_x);
        const int sy = saturate_to_int(display_y * layer.coef_y);
        const int ox = saturate_to_int(old_x * layer.coef_x);
        const int oy = saturate_to_int(old_y * layer.coef_y);
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

// Layers of instances ---------------------------------------------------------------

void Frame::set_object_layer(FrameObject* object, int layer_index)
{
    if (object->flags & FrameObject::BACKGROUND) {
        OSReport("Cannot move background object layer\n");
        return;
    }
    if (layers.empty())
        return;
    layer_index = std::max(0, std::min(layer_index, int(layers.size()) - 1));
    Layer* new_layer = &layers[size_t(layer_index)];
    Layer* old_layer = object->layer;
    if (new_layer == old_layer)
        return;
    old_layer->remove_object(object);
    if (object->collision)
        object->collision->remove_proxy();
    new_layer->add_object(object);
    const int local_x = object->x + old_layer->off_x - new_layer->off_x;
    const int local_y = object->y + old_layer->off_y - new_layer->off_y;
    object->layer = new_layer;
    object->set_position(local_x, local_y);
    if (object->collision)
        object->collision->create_proxy();
}

// Collision passes --------------------------------------------------------------------

namespace {
template <class Visit>
void for_each_instance(ObjectList& list, Visit&& visit)
{
    const int n = list.count();
    for (int k = 1; k < n; ++k)
        visit(list.items[size_t(k)].obj);
}

template <class Visit>
void for_each_instance(QualifierList& group, Visit&& visit)
{
    for (int i = 0; i < group.count; ++i)
        for_each_instance(*group.lists[i], visit);
}

void index_side(PairCandidates& index, ObjectList& list)
{
    ObjectList* lists[] = {&list};
    index.build(lists, 1);
}

void index_side(PairCandidates& index, QualifierList& group)
{
    index.build(group.lists, group.count);
}

// The B side's index and one mark per instance of it; reused so that a pass
// allocates nothing once they have grown. Both are done with before any
// callback runs, so a callback may run a pass of its own.
PairCandidates b_index;
std::vector<uint8_t> collision_marks;
}  // namespace

// Each A instance is tested only against the B instances its box can touch,
// in B's order: the same tests, and so the same bits and pairs, in the same
// order as testing every B instance.
template <class SideA, class SideB>
void Frame::run_collisions(SideA& a, SideB& b, uint32_t mask_a, uint32_t mask_b, CollisionCallback callback)
{
    index_side(b_index, b);
    collision_marks.assign(size_t(b_index.size()), 0);
    ObjectPairs pairs;
    for_each_instance(a, [&](FrameObject* first) {
        bool touched = false;
        for (const int mark : b_index.find(first)) {
            FrameObject* second = b_index.instance(mark);
            if (second == first || !first->overlaps(second))
                continue;
            collision_marks[size_t(mark)] = 1;
            touched = true;
            if ((first->collision_events & mask_a) && (second->collision_events & mask_b))
                continue;
            const int before = pairs.count;
            pairs.add(first, second);
            // A contact that found no room on the stack stays new for the next pass.
            if (pairs.count == before)
                continue;
            first->collision_events |= mask_a;
            second->collision_events |= mask_b;
        }
        if (!touched)
            first->collision_events &= ~mask_a;
    });
    for (int j = 0; j < b_index.size(); ++j) {
        if (!collision_marks[size_t(j)])
            b_index.instance(j)->collision_events &= ~mask_b;
    }
    for (int k = 0; k < pairs.count; k += 2) {
        col_instance_1 = pairs.start[k];
        col_instance_2 = pairs.start[k + 1];
        (this->*callback)();
    }
    pairs.release();
}

void Frame::test_collisions(ObjectList& a, ObjectList& b, int mask_a, int mask_b, CollisionCallback callback)
{
    run_collisions(a, b, uint32_t(mask_a), uint32_t(mask_b), callback);
}

void Frame::test_collisions(QualifierList& a, ObjectList& b, int mask_a, int mask_b, CollisionCallback callback)
{
    run_collisions(a, b, uint32_t(mask_a), uint32_t(mask_b), callback);
}

void Frame::test_collisions(QualifierList& a, QualifierList& b, int mask_a, int mask_b,
                            CollisionCallback callback)
{
    run_collisions(a, b, uint32_t(mask_a), uint32_t(mask_b), callback);
}

CollisionBase* Frame::test_background_collision(int x, int y)
{
    if (x < 0 || y < 0 || x > width || y > height)
        return nullptr;
    for (Layer& layer : layers) {
        const PointCollision point(x - layer.off_x, y - layer.off_y);
        if (layer.back) {
            for (BackgroundItem* item : layer.back->col_items) {
                if (collide_direct(&point, item, item->aabb))
                    return item;
            }
        }
        BackgroundCallback callback{&point};
        if (!layer.grid.query_static(point.aabb, callback))
            return callback.result;
    }
    return nullptr;
}

bool Frame::test_obstacle(int x, int y)
{
    const CollisionBase* shape = test_background_collision(x, y);
    return shape && !(shape->flags & LADDER_OBSTACLE);
}

bool Frame::test_ladder(int x, int y)
{
    const CollisionBase* shape = test_background_collision(x, y);
    return shape && (shape->flags & LADDER_OBSTACLE);
}
