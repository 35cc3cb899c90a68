// Each layer's broad phase: a uniform grid of 256-pixel cells. Every grid
// draws its items from one pool shared by the whole program.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

class CollisionBase;
class FrameObject;

struct GridItem {
    void* data;     // the instance; null while the item is free
    int raw[4];     // the box's corners / 256 as last filed
    int range[4];   // first column, first row, end column, end row (ends exclusive)
    uint32_t stamp;  // the last query that reported the item
    int is_static;
};

struct GridItemList {
    int static_count = 0;  // the static ids stand first
    std::vector<int> ids;
};

// The shared item pool and its free list (ids used as a stack).
extern std::vector<GridItem> grid_items;
extern std::vector<int> grid_free_ids;

class UniformGrid {
public:
    static constexpr int cell_size = 256;

    int width = 0;   // columns
    int height = 0;  // rows
    std::vector<GridItemList> cells;  // row-major
    uint32_t stamp = 0;

    UniformGrid() = default;
    ~UniformGrid();
    UniformGrid(const UniformGrid&) = delete;
    UniformGrid& operator=(const UniformGrid&) = delete;

    // Sized from the running frame's width and height.
    void init();
    int add(void* data, const int* box);
    int add_static(void* data, const int* box);
    void move(int id, const int* box);
    void remove(int id);
    // Removes the item of an instance whose id was not kept.
    void remove_data(const void* data);
    void get_pos(const int* box, int* range) const;
    static bool overlaps(int cx, int cy, const int* range);

    static void add_static_proxy(GridItemList& cell, int id);
    static void remove_proxy(GridItemList& cell, int id);
    static void remove_static_proxy(GridItemList& cell, int id);

    // Each item under the box at most once; the callback returns false to stop.
    // The answer is false when the callback stopped the query.
    template <class Callback>
    bool query(const int* box, Callback& callback);
    // The static items under the box only.
    template <class Callback>
    bool query_static(const int* box, Callback& callback);
    // The static items in the cells of item id.
    template <class Callback>
    bool query_static(int id, Callback& callback);

    GridItemList& cell(int cx, int cy) { return cells[size_t(cx + cy * width)]; }

private:
    int take_item(void* data, const int* box, bool is_static);
    // Files a freshly taken item in every cell of its range; returns its id.
    int file_new_item(int id);
    // A cell's static or dynamic part, by the item's kind.
    static void insert_id(GridItemList& cell, int id, bool is_static);
    static void erase_id(GridItemList& cell, int id, bool is_static);
    void file_range(const int* raw, int* range) const;
    template <class Callback>
    bool visit(const int* range, bool statics_only, Callback& callback);
};

// The draw query's box test: the instance's shape box, or its rectangle
// without a shape. Boxes that only touch do not meet.
bool collide_box(const FrameObject* object, const int* box);

// Collects the visible, live instances whose boxes meet the query box.
struct DrawCallback {
    std::vector<FrameObject*>* out;
    const int* box;
    bool operator()(void* data);
};

// The first backdrop instance (type 1) whose shape the held shape meets,
// ladders included.
struct BackgroundCallback {
    const CollisionBase* shape;
    CollisionBase* result = nullptr;
    bool operator()(void* data);
};

// Whether the held shape meets a backdrop instance that is no ladder.
struct BackgroundOverlapCallback {
    const CollisionBase* shape;
    bool operator()(void* data);
};

template <class Callback>
bool UniformGrid::visit(const int* range, bool statics_only, Callback& callback)
{
    ++stamp;
    if (cells.empty())
        return true;
    for (int cy = range[1]; cy < range[3]; ++cy) {
        for (int cx = range[0]; cx < range[2]; ++cx) {
            const GridItemList& list = cell(cx, cy);
            const size_t end = statics_only ? size_t(list.static_count) : list.ids.size();
            for (size_t k = 0; k < end; ++k) {
                GridItem& item = grid_items[size_t(list.ids[k])];
                if (item.stamp == stamp)
                    continue;
                item.stamp = stamp;
                if (!callback(item.data))
                    return false;
            }
        }
    }
    return true;
}

template <class Callback>
bool UniformGrid::query(const int* box, Callback& callback)
{
    int range[4];
    get_pos(box, range);
    return visit(range, false, callback);
}

template <class Callback>
bool UniformGrid::query_static(const int* box, Callback& callback)
{
    int range[4];
    get_pos(box, range);
    return visit(range, true, callback);
}

template <class Callback>
bool UniformGrid::query_static(int id, Callback& callback)
{
    int range[4];
    for (int i = 0; i < 4; ++i)
        range[i] = grid_items[size_t(id)].range[i];
    return visit(range, true, callback);
}
