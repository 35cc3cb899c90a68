#include "runtime/broadphase.h"

#include "runtime/collision.h"
#include "runtime/frame.h"
#include "runtime/frameobject.h"
#include "runtime/layer.h"
#include "runtime/lists.h"
#include "runtime/manager.h"

#include <algorithm>

void UniformGrid::init()
{
    const Frame* frame = manager.frame;
    const int frame_width = frame ? frame->width : 0, frame_height = frame ? frame->height : 0;
    // A frame always has a size; a grid without one still needs a cell to file into.
    width = std::max(1, (frame_width + cell_size - 1) / cell_size);
    height = std::max(1, (frame_height + cell_size - 1) / cell_size);
    cells.assign(size_t(width) * size_t(height), GridItemList());
}

bool UniformGrid::overlaps(int cx, int cy, const int* range)
{
    return cx >= range[0] && cx < range[2] && cy >= range[1] && cy < range[3];
}

namespace {
// The cell coordinates of a box's corners, truncated toward zero.
void raw_cells(const int* box, int* raw)
{
    for (int i = 0; i < 4; ++i)
        raw[i] = box[i] / UniformGrid::cell_size;
}
}  // namespace

void UniformGrid::file_range(const int* raw, int* range) const
{
    range[0] = std::max(0, std::min(raw[0], width - 1));
    range[1] = std::max(0, std::min(raw[1], height - 1));
    range[2] = std::max(1, std::min(width, raw[2] + 1));
    range[3] = std::max(1, std::min(height, raw[3] + 1));
}

void UniformGrid::get_pos(const int* box, int* range) const
{
    int raw[4];
    raw_cells(box, raw);
    file_range(raw, range);
}

int UniformGrid::take_item(void* data, const int* box, bool is_static)
{
    int id;
    if (!free_ids.empty()) {
        id = free_ids.back();
        free_ids.pop_back();
    } else {
        items.push_back(GridItem());
        id = int(items.size() - 1);
    }
    GridItem& item = items[size_t(id)];
    item.data = data;
    item.stamp = stamp;
    item.is_static = is_static ? 1 : 0;
    raw_cells(box, item.raw);
    file_range(item.raw, item.range);
    return id;
}

int UniformGrid::file_new_item(int id)
{
    if (cells.empty())
        return id;
    const GridItem& item = items[size_t(id)];
    for (int cy = item.range[1]; cy < item.range[3]; ++cy) {
        for (int cx = item.range[0]; cx < item.range[2]; ++cx)
            insert_id(cell(cx, cy), id, item.is_static);
    }
    return id;
}

int UniformGrid::add(void* data, const int* box)
{
    return file_new_item(take_item(data, box, false));
}

int UniformGrid::add_static(void* data, const int* box)
{
    return file_new_item(take_item(data, box, true));
}

void UniformGrid::insert_id(GridItemList& list, int id, bool is_static)
{
    if (is_static)
        add_static_proxy(list, id);
    else
        list.ids.push_back(id);
}

void UniformGrid::erase_id(GridItemList& list, int id, bool is_static)
{
    if (is_static)
        remove_static_proxy(list, id);
    else
        remove_proxy(list, id);
}

void UniformGrid::add_static_proxy(GridItemList& list, int id)
{
    list.ids.insert(list.ids.begin() + list.static_count, id);
    ++list.static_count;
}

void UniformGrid::remove_proxy(GridItemList& list, int id)
{
    for (size_t k = size_t(list.static_count); k < list.ids.size(); ++k) {
        if (list.ids[k] == id) {
            list.ids[k] = list.ids.back();
            list.ids.pop_back();
            return;
        }
    }
}

void UniformGrid::remove_static_proxy(GridItemList& list, int id)
{
    --list.static_count;
    const auto found = std::find(list.ids.begin(), list.ids.end(), id);
    if (found != list.ids.end())
        list.ids.erase(found);
}

void UniformGrid::move(int id, const int* box)
{
    GridItem& item = items[size_t(id)];
    int raw[4];
    raw_cells(box, raw);
    if (std::equal(raw, raw + 4, item.raw))
        return;
    std::copy(raw, raw + 4, item.raw);
    int range[4];
    file_range(raw, range);
    if (std::equal(range, range + 4, item.range) || cells.empty())
        return;
    for (int cy = item.range[1]; cy < item.range[3]; ++cy) {
        for (int cx = item.range[0]; cx < item.range[2]; ++cx) {
            if (!overlaps(cx, cy, range))
                erase_id(cell(cx, cy), id, item.is_static);
        }
    }
    for (int cy = range[1]; cy < range[3]; ++cy) {
        for (int cx = range[0]; cx < range[2]; ++cx) {
            if (!overlaps(cx, cy, item.range))
                insert_id(cell(cx, cy), id, item.is_static);
        }
    }
    std::copy(range, range + 4, item.range);
}

void UniformGrid::remove(int id)
{
    GridItem& item = items[size_t(id)];
    if (!cells.empty()) {
        for (int cy = item.range[1]; cy < item.range[3]; ++cy) {
            for (int cx = item.range[0]; cx < item.range[2]; ++cx)
                erase_id(cell(cx, cy), id, item.is_static);
        }
    }
    item.data = nullptr;
    free_ids.push_back(id);
}

void UniformGrid::remove_data(const void* data)
{
    for (const GridItemList& list : cells) {
        for (const int id : list.ids) {
            if (items[size_t(id)].data == data) {
                remove(id);
                return;
            }
        }
    }
}

// Collision pass candidates -----------------------------------------------------------

namespace {
// The box test that opens collide_direct: boxes that only touch do not meet.
bool boxes_meet(const int* a, const int* r)
{
    return std::max(r[0], a[0]) < std::min(a[2], r[2]) && std::max(r[1], a[1]) < std::min(a[3], r[3]);
}

// Whether FrameObject::overlaps can be true with this instance on either side.
bool can_overlap(const FrameObject* object)
{
    return object->collision && object->collision->type != NONE_COLLISION &&
           !(object->flags & FrameObject::INACTIVE);
}

// The box the overlap test reads for a second instance.
const int* test_box(const FrameObject* object)
{
    if (object->flags & FrameObject::ALTERNATE_BOX) {
        if (const int* alternate = object->get_alternate_box())
            return alternate;
    }
    return object->collision->aabb;
}
}  // namespace

bool PairCandidates::filed_over(const FrameObject* object, int position_in_list, const int* box)
{
    // The grid names the instance; its list item is found by its index.
    if (object->index != position_in_list || !object->layer || object->layer->grid.cells.empty())
        return false;
    const UniformGrid& grid = object->layer->grid;
    const int proxy = object->collision->proxy;
    if (proxy < 0 || size_t(proxy) >= grid.items.size() || grid.items[size_t(proxy)].data != object)
        return false;
    int range[4];
    grid.get_pos(box, range);
    const int* filed = grid.items[size_t(proxy)].range;
    return range[0] >= filed[0] && range[1] >= filed[1] && range[2] <= filed[2] && range[3] <= filed[3];
}

void PairCandidates::build(ObjectList* const* side_lists, int count)
{
    entries.clear();
    loose.clear();
    lists.assign(side_lists, side_lists + count);
    offsets.clear();
    for (ObjectList* list : lists) {
        offsets.push_back(int(entries.size()));
        const int n = list->count();
        for (int k = 1; k < n; ++k) {
            FrameObject* object = list->items[size_t(k)].obj;
            Entry entry{object, {}, Reach::never};
            if (can_overlap(object)) {
                const int* box = test_box(object);
                std::copy(box, box + 4, entry.box);
                entry.reach = filed_over(object, k, box) ? Reach::grid : Reach::loose;
                if (entry.reach == Reach::loose)
                    loose.push_back(int(entries.size()));
            }
            entries.push_back(entry);
        }
    }
}

bool PairCandidates::GridVisit::operator()(void* data)
{
    const FrameObject* object = static_cast<const FrameObject*>(data);
    const int k = object->index;
    // A list named twice on the side holds the instance at two positions.
    for (size_t i = 0; i < owner->lists.size(); ++i) {
        const ObjectList& list = *owner->lists[i];
        if (k < 1 || k >= list.count() || list.items[size_t(k)].obj != object)
            continue;
        const int position = owner->offsets[i] + k - 1;
        const Entry& entry = owner->entries[size_t(position)];
        if (entry.reach == Reach::grid && boxes_meet(box, entry.box))
            owner->found.push_back(position);
    }
    return true;
}

const std::vector<int>& PairCandidates::find(FrameObject* first)
{
    found.clear();
    if (!can_overlap(first))
        return found;
    const int* box = first->collision->aabb;
    Layer* layer = first->layer;
    if (layer && !layer->grid.cells.empty()) {
        GridVisit visit{this, box};
        layer->grid.query(box, visit);
    }
    for (const int position : loose) {
        const Entry& entry = entries[size_t(position)];
        if (entry.object->layer == layer && boxes_meet(box, entry.box))
            found.push_back(position);
    }
    // The grid's cells hold their items in no particular order.
    std::sort(found.begin(), found.end());
    return found;
}

// Query callbacks --------------------------------------------------------------------

bool collide_box(const FrameObject* object, const int* r)
{
    int box[4] = {};
    if (object->collision) {
        std::copy(object->collision->aabb, object->collision->aabb + 4, box);
    } else {
        box[0] = object->x;
        box[1] = object->y;
        box[2] = object->x + object->width;
        box[3] = object->y + object->height;
    }
    return !(box[2] <= r[0] || box[3] <= r[1] || box[0] >= r[2] || box[1] >= r[3]);
}

bool DrawCallback::operator()(void* data)
{
    FrameObject* object = static_cast<FrameObject*>(data);
    if ((object->flags & (FrameObject::VISIBLE | FrameObject::DESTROYING)) == FrameObject::VISIBLE &&
        collide_box(object, box))
        out->push_back(object);
    return true;
}

bool BackgroundCallback::operator()(void* data)
{
    FrameObject* object = static_cast<FrameObject*>(data);
    if (object->id != 1 || !object->collision)
        return true;
    if (!collide_direct(shape, object->collision, object->collision->aabb))
        return true;
    result = object->collision;
    return false;
}

bool BackgroundOverlapCallback::operator()(void* data)
{
    const FrameObject* object = static_cast<const FrameObject*>(data);
    if (object->id != 1 || !object->collision || (object->collision->flags & LADDER_OBSTACLE))
        return true;
    return !collide_direct(shape, object->collision, object->collision->aabb);
}
