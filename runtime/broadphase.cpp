#include "runtime/broadphase.h"

#include "runtime/collision.h"
#include "runtime/frame.h"
#include "runtime/frameobject.h"
#include "runtime/manager.h"

#include <algorithm>

std::vector<GridItem> grid_items;
std::vector<int> grid_free_ids;

UniformGrid::~UniformGrid()
{
    for (const GridItemList& list : cells) {
        for (const int id : list.ids) {
            GridItem& item = grid_items[size_t(id)];
            if (!item.data)
                continue;
            item.data = nullptr;
            grid_free_ids.push_back(id);
        }
    }
}

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
    if (!grid_free_ids.empty()) {
        id = grid_free_ids.back();
        grid_free_ids.pop_back();
    } else {
        grid_items.push_back(GridItem());
        id = int(grid_items.size() - 1);
    }
    GridItem& item = grid_items[size_t(id)];
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
    const GridItem& item = grid_items[size_t(id)];
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
    GridItem& item = grid_items[size_t(id)];
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
    GridItem& item = grid_items[size_t(id)];
    if (!cells.empty()) {
        for (int cy = item.range[1]; cy < item.range[3]; ++cy) {
            for (int cx = item.range[0]; cx < item.range[2]; ++cx)
                erase_id(cell(cx, cy), id, item.is_static);
        }
    }
    item.data = nullptr;
    grid_free_ids.push_back(id);
}

void UniformGrid::remove_data(const void* data)
{
    for (const GridItemList& list : cells) {
        for (const int id : list.ids) {
            if (grid_items[size_t(id)].data == data) {
                remove(id);
                return;
            }
        }
    }
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
