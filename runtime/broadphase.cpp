#include "runtime/broadphase.h"

void UniformGrid::init()
{
    items.clear();
    free_ids.clear();
}

int UniformGrid::insert(void* data, const int* box, bool is_static)
{
    const Item item{data, {box[0], box[1], box[2], box[3]}, is_static};
    if (!free_ids.empty()) {
        const int id = free_ids.back();
        free_ids.pop_back();
        items[size_t(id)] = item;
        return id;
    }
    items.push_back(item);
    return int(items.size() - 1);
}

int UniformGrid::add(void* data, const int* box)
{
    return insert(data, box, false);
}

int UniformGrid::add_static(void* data, const int* box)
{
    return insert(data, box, true);
}

void UniformGrid::move(int id, const int* box)
{
    if (id < 0 || size_t(id) >= items.size() || !items[size_t(id)].data)
        return;
    for (int i = 0; i < 4; ++i)
        items[size_t(id)].box[i] = box[i];
}

void UniformGrid::remove(int id)
{
    if (id < 0 || size_t(id) >= items.size() || !items[size_t(id)].data)
        return;
    items[size_t(id)].data = nullptr;
    free_ids.push_back(id);
}

void* UniformGrid::get_data(int id) const
{
    return id >= 0 && size_t(id) < items.size() ? items[size_t(id)].data : nullptr;
}

bool UniformGrid::is_static(int id) const
{
    return id >= 0 && size_t(id) < items.size() && items[size_t(id)].is_static;
}
