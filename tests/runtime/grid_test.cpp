// The uniform grid: cell sizing and filing, moves, removal and id reuse, and
// the stamped queries with their callbacks.
#include "runtime/broadphase.h"
#include "tests/runtime/collision_fixtures.h"

#include <gtest/gtest.h>

#include <memory>

namespace {
std::vector<int> ids_of(UniformGrid& grid, int cx, int cy)
{
    return grid.cell(cx, cy).ids;
}

// The cells a box is filed in: first column, first row, end column, end row.
std::vector<int> cells_of(UniformGrid& grid, const int box[4])
{
    int range[4];
    grid.get_pos(box, range);
    return {range[0], range[1], range[2], range[3]};
}

struct Collector {
    std::vector<void*> seen;
    bool operator()(void* data)
    {
        seen.push_back(data);
        return true;
    }
};

int marker[8];
}  // namespace

TEST(UniformGrid, is_sized_in_256_pixel_cells_from_the_frame_and_files_boxes_by_truncated_division)
{
    RunningFrame running(1000, 300, 1);
    UniformGrid& grid = running.layer(0).grid;
    EXPECT_EQ(grid.width, 4);
    EXPECT_EQ(grid.height, 2);
    EXPECT_EQ(grid.cells.size(), 8u);

    const int touching_edge[4] = {0, 0, 256, 10};
    EXPECT_EQ(cells_of(grid, touching_edge), (std::vector<int>{0, 0, 2, 1}));  // x2 = 256 reaches column 1
    const int above_left[4] = {-50, -50, -10, -10};
    EXPECT_EQ(cells_of(grid, above_left), (std::vector<int>{0, 0, 1, 1}));
    const int far_right[4] = {5000, 10, 5100, 20};
    EXPECT_EQ(cells_of(grid, far_right), (std::vector<int>{3, 0, 4, 1}));

    const int id = grid.add(&marker[0], touching_edge);
    EXPECT_EQ(ids_of(grid, 0, 0), std::vector<int>{id});
    EXPECT_EQ(ids_of(grid, 1, 0), std::vector<int>{id});
    EXPECT_TRUE(ids_of(grid, 2, 0).empty());
    EXPECT_TRUE(ids_of(grid, 0, 1).empty());
    grid.remove(id);

    PlainFrame exact;
    manager.frame = &exact;
    exact.set_up(512, 256, 1);
    EXPECT_EQ(exact.layers[0].grid.width, 2);
    EXPECT_EQ(exact.layers[0].grid.height, 1);
    exact.reset();
    manager.frame = &running.frame;
}

TEST(UniformGrid, moves_touch_only_the_cells_left_and_entered)
{
    RunningFrame running(1024, 512, 1);
    UniformGrid& grid = running.layer(0).grid;
    const int box[4] = {10, 10, 50, 50};
    const int other = grid.add(&marker[1], box);
    const int id = grid.add(&marker[0], box);
    const int same_cells[4] = {20, 10, 60, 50};
    grid.move(id, same_cells);
    EXPECT_EQ(ids_of(grid, 0, 0), (std::vector<int>{other, id}));

    const int across[4] = {200, 10, 300, 50};
    grid.move(id, across);
    EXPECT_EQ(ids_of(grid, 0, 0), (std::vector<int>{other, id}));
    EXPECT_EQ(ids_of(grid, 1, 0), std::vector<int>{id});
    const int right[4] = {300, 10, 400, 50};
    grid.move(id, right);
    EXPECT_EQ(ids_of(grid, 0, 0), std::vector<int>{other});
    EXPECT_EQ(ids_of(grid, 1, 0), std::vector<int>{id});
    for (int cx = 2; cx < 4; ++cx)
        EXPECT_TRUE(ids_of(grid, cx, 0).empty());
    for (int cx = 0; cx < 4; ++cx)
        EXPECT_TRUE(ids_of(grid, cx, 1).empty());
    grid.remove(id);
    grid.remove(other);
}

TEST(UniformGrid, dynamic_removal_swaps_in_the_last_id_and_static_removal_keeps_the_order)
{
    RunningFrame running(256, 256, 1);
    UniformGrid& grid = running.layer(0).grid;
    const int box[4] = {0, 0, 10, 10};
    const int s1 = grid.add_static(&marker[0], box);
    const int d1 = grid.add(&marker[1], box);
    const int d2 = grid.add(&marker[2], box);
    const int d3 = grid.add(&marker[3], box);
    const int s2 = grid.add_static(&marker[4], box);
    const int s3 = grid.add_static(&marker[5], box);
    // Static ids before the dynamic ones.
    EXPECT_EQ(ids_of(grid, 0, 0), (std::vector<int>{s1, s2, s3, d1, d2, d3}));
    EXPECT_EQ(grid.cell(0, 0).static_count, 3);
    grid.remove(d1);
    EXPECT_EQ(ids_of(grid, 0, 0), (std::vector<int>{s1, s2, s3, d3, d2}));
    grid.remove(s1);
    EXPECT_EQ(ids_of(grid, 0, 0), (std::vector<int>{s2, s3, d3, d2}));
    EXPECT_EQ(grid.cell(0, 0).static_count, 2);

    // A freed id is the next one taken.
    grid.remove(d2);
    EXPECT_EQ(grid.add(&marker[6], box), d2);
    EXPECT_EQ(grid.items[size_t(d2)].data, &marker[6]);
}

TEST(UniformGrid, queries_report_each_item_once_per_query_and_static_queries_only_static_items)
{
    RunningFrame running(1024, 1024, 1);
    UniformGrid& grid = running.layer(0).grid;
    const int four_cells[4] = {200, 200, 300, 300};
    grid.add(&marker[0], four_cells);
    const int static_box[4] = {10, 10, 20, 20};
    grid.add_static(&marker[1], static_box);
    const int everything[4] = {0, 0, 1024, 1024};
    for (int round = 0; round < 2; ++round) {
        Collector all;
        EXPECT_TRUE(grid.query(everything, all));
        EXPECT_EQ(all.seen.size(), 2u);
        EXPECT_EQ(std::count(all.seen.begin(), all.seen.end(), &marker[0]), 1);
    }
    Collector statics;
    grid.query_static(everything, statics);
    EXPECT_EQ(statics.seen, std::vector<void*>{&marker[1]});
    // A callback that says stop ends the query.
    auto stop = [](void*) { return false; };
    EXPECT_FALSE(grid.query(everything, stop));
}

TEST(UniformGrid, draw_query_keeps_visible_live_instances_whose_boxes_meet_the_view)
{
    RunningFrame running(1024, 512, 1);
    Frame& frame = running.frame;
    BoxInstance* shown = make_box(10, 10, 4, 20, 20);
    BoxInstance* hidden = make_box(10, 10, 4, 20, 20);
    BoxInstance* gone = make_box(10, 10, 4, 20, 20);
    BoxInstance* touching = make_box(100, 10, 4, 20, 20);
    for (FrameObject* object : {static_cast<FrameObject*>(shown), static_cast<FrameObject*>(hidden),
                                static_cast<FrameObject*>(gone), static_cast<FrameObject*>(touching)})
        frame.add_object(object, 0);
    hidden->flags &= ~uint32_t(FrameObject::VISIBLE);
    gone->destroy();
    std::vector<FrameObject*> out;
    const int view[4] = {0, 0, 100, 100};
    DrawCallback callback{&out, view};
    EXPECT_TRUE(running.layer(0).grid.query(view, callback));
    EXPECT_EQ(out, std::vector<FrameObject*>{shown});
}

TEST(UniformGrid, background_queries_find_ladders_but_overlap_tests_skip_them)
{
    RunningFrame running(512, 512, 1);
    BoxInstance* ladder = make_box(10, 10, 1, 20, 20);
    ladder->box.flags |= LADDER_OBSTACLE;
    ladder->flags |= FrameObject::BACKGROUND;
    running.frame.add_background_object(ladder, 0);
    UniformGrid& grid = running.layer(0).grid;
    const PointCollision point(15, 15);
    BackgroundCallback find{&point};
    EXPECT_FALSE(grid.query_static(point.aabb, find));
    EXPECT_EQ(find.result, &ladder->box);

    BoxInstance* mover = make_box(12, 12, 4, 4, 4);
    running.frame.add_object(mover, 0);
    BackgroundOverlapCallback overlap{mover->collision};
    EXPECT_TRUE(grid.query_static(mover->collision->proxy, overlap));
    EXPECT_FALSE(mover->overlaps_background());
}

TEST(UniformGrid, each_layers_grid_numbers_and_frees_its_own_items)
{
    RunningFrame running(256, 256, 2);
    UniformGrid& first = running.layer(0).grid;
    UniformGrid& second = running.layer(1).grid;
    const int box[4] = {0, 0, 10, 10};
    const int a = first.add(&marker[7], box);
    const int b = second.add(&marker[0], box);
    EXPECT_EQ(a, 0);
    EXPECT_EQ(b, 0);
    // A removal in one grid leaves the other's item of the same id alone.
    first.remove(a);
    EXPECT_EQ(second.items[size_t(b)].data, &marker[0]);
    Collector seen;
    second.query(box, seen);
    EXPECT_EQ(seen.seen, std::vector<void*>{&marker[0]});
    EXPECT_EQ(first.add(&marker[1], box), a);
}
