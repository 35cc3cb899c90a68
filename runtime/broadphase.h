// Each layer's broad phase: a uniform grid of 256-pixel cells. A grid owns
// its items, so they go with it: an instance filed in a layer's grid must
// leave it before the layer goes (the layer releases its background
// objects first), never after some other static.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

class CollisionBase;
class FrameObject;
class ObjectList;

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

class UniformGrid {
public:
    static constexpr int cell_size = 256;

    int width = 0;   // columns
    int height = 0;  // rows
    std::vector<GridItemList> cells;  // row-major
    std::vector<GridItem> items;      // by id
    std::vector<int> free_ids;        // the ids to reuse, as a stack
    uint32_t stamp = 0;

    UniformGrid() = default;
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

// The second side of one collision pass, indexed so that an instance of the
// first side meets only the instances its box can touch. An instance is
// found through its layer's grid when the cells it is filed in cover the box
// its overlap test reads (its shape's box, or the saved box it reports);
// any other is checked against every first-side instance of its layer.
class PairCandidates {
public:
    // The side's lists in walk order: positions count the instances from 0,
    // list after list.
    void build(ObjectList* const* lists, int count);
    int size() const { return int(entries.size()); }
    FrameObject* instance(int position) const { return entries[size_t(position)].object; }
    // The positions, ascending, of the instances whose test boxes meet the
    // box of first's shape on first's layer: a superset of those that first
    // overlaps. Valid until the next call.
    const std::vector<int>& find(FrameObject* first);

private:
    enum class Reach : uint8_t { never, grid, loose };
    struct Entry {
        FrameObject* object;
        int box[4];
        Reach reach;
    };
    struct GridVisit {
        PairCandidates* owner;
        const int* box;
        bool operator()(void* data);
    };

    // Whether the instance's grid item stands in cells covering its test box.
    static bool filed_over(const FrameObject* object, int position_in_list, const int* box);

    std::vector<Entry> entries;
    std::vector<ObjectList*> lists;
    std::vector<int> offsets;  // the position of each list's first instance
    std::vector<int> loose;
    std::vector<int> found;
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
                GridItem& item = items[size_t(list.ids[k])];
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
        range[i] = items[size_t(id)].range[i];
    return visit(range, true, callback);
}
